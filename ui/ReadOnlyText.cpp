#include "ReadOnlyText.h"

#include "Condense.h"

#include <QTextBlock>
#include <QtMath>

TReadOnlyText::TReadOnlyText(QWidget* Parent) : QPlainTextEdit(Parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    document()->setDocumentMargin(1);
}

void TReadOnlyText::CondenseWideLines() {
    // The contents rectangle, unlike the viewport, has its size before the box is first shown.
    const int Width = contentsRect().width() - 2 * qCeil(document()->documentMargin());
    for (QTextBlock Block = document()->begin(); Block.isValid(); Block = Block.next()) {
        const QFont Fitted = Condensed(font(), Block.text(), Width);
        if (Fitted.stretch() == font().stretch()) continue;
        QTextCursor Line(Block);
        Line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat Format;
        Format.setFont(Fitted);
        Line.mergeCharFormat(Format);
    }
}
