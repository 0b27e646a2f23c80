#pragma once
// A drop-down list: the closed box shows the selected entry, condensed when it is wider than the
// box; the open list shows at most maxVisibleItems entries with a scroll bar beyond that, and is
// at least as wide as its widest entry.

#include <QComboBox>

class TDropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit TDropDownList(QWidget* Parent = nullptr);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* Event) override;
};
