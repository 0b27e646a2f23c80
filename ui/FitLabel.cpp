#include "FitLabel.h"

#include "Condense.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

TFitLabel::TFitLabel(QWidget* Parent) : QLabel(Parent) {}

void TFitLabel::setText(const QString& Text) {
    QLabel::setText(Text);
    // While the layout is being built the fonts are not final yet; the window fits every label
    // once they are, and measuring twice would load a second set of faces.
    if (Fitting) Fit();
}

void TFitLabel::Fit() {
    if (!Fitting) Face = font();
    Fitting = true;
    // Only a label with a buddy takes "&" for an access key.
    const QString Shown = buddy() ? WithoutMnemonic(text()) : text();
    if (const QFont Fitted = Condensed(Face, Shown, maximumWidth()); Fitted != font())
        setFont(Fitted);
    const int Width =
        std::min(std::max(sizeHint().width(), TextWidth(font(), Shown)), maximumWidth());
    QRect R = geometry();
    if (alignment().testFlag(Qt::AlignRight))
        R.setLeft(R.right() + 1 - Width);
    else
        R.setWidth(Width);
    setGeometry(R);
}

TLinkLabel::TLinkLabel(QWidget* Parent) : TFitLabel(Parent) {
    QPalette P = palette();
    P.setColor(QPalette::WindowText, P.color(QPalette::Link));
    setPalette(P);
    setFocusPolicy(Qt::StrongFocus);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* Event) {
    TFitLabel::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        emit Click();
}

void TLinkLabel::keyPressEvent(QKeyEvent* Event) {
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!Event->isAutoRepeat()) Activate();
        break;
    default:
        TFitLabel::keyPressEvent(Event);
    }
}

void TLinkLabel::paintEvent(QPaintEvent* Event) {
    TFitLabel::paintEvent(Event);
    if (!hasFocus()) return;
    QStylePainter Painter(this);
    QStyleOptionFocusRect Focus;
    Focus.initFrom(this);
    Focus.backgroundColor = palette().color(backgroundRole());
    Painter.drawPrimitive(QStyle::PE_FrameFocusRect, Focus);
}
