#include "TextLink.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

TTextLink::TTextLink(QWidget* Parent) : QLabel(Parent) {
    setTextFormat(Qt::RichText);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
}

QString TTextLink::Target() const {
    QTextDocument Document;
    Document.setHtml(text());
    for (QTextBlock Block = Document.begin(); Block.isValid(); Block = Block.next())
        for (auto Part = Block.begin(); !Part.atEnd(); ++Part)
            if (Part.fragment().charFormat().isAnchor())
                return Part.fragment().charFormat().anchorHref();
    return {};
}

void TTextLink::Activate() {
    emit linkActivated(Target());
}

void TTextLink::keyPressEvent(QKeyEvent* Event) {
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!Event->isAutoRepeat()) Activate();
        break;
    default:
        QLabel::keyPressEvent(Event);
    }
}
