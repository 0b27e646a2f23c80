#pragma once
// A label whose whole text is one link. The keyboard reaches it; Return or Space activates the
// link, as a click does.

#include <QLabel>

class TTextLink : public QLabel {
    Q_OBJECT
public:
    explicit TTextLink(QWidget* Parent = nullptr);

    // The link's target, as linkActivated carries it.
    QString Target() const;
    // As a click on the link: raises linkActivated.
    void Activate();

protected:
    void keyPressEvent(QKeyEvent* Event) override;
};
