#pragma once
// Static text whose width follows its text. A right-aligned label keeps its right edge and grows
// or shrinks to the left. The maximum width is the room the layout leaves the label: a text wider
// than that is drawn condensed to fit it.

#include <QLabel>

class TFitLabel : public QLabel {
    Q_OBJECT
public:
    explicit TFitLabel(QWidget* Parent = nullptr);

    // Hides QLabel::setText (not virtual) so that every caption change refits; the generated
    // layout code and the window call it through this type.
    void setText(const QString& Text);
    // Called by the window once the fonts are final; from then on every caption change refits.
    void Fit();

private:
    bool Fitting = false;
    QFont Face; // the declared font, before any condensing
};

// A label drawn underlined in the hyperlink colour that raises Click on a left click, and on
// Return or Space once the keyboard has reached it; the pointer does not change over it.
class TLinkLabel : public TFitLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* Parent = nullptr);

    // As a click: raises Click.
    void Activate() { emit Click(); }

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
};
