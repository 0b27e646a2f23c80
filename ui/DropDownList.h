#pragma once
// A drop-down list whose closed box shows the selected entry condensed when it is wider than the
// box.

#include <QComboBox>

class TDropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit TDropDownList(QWidget* Parent = nullptr);

protected:
    void paintEvent(QPaintEvent* Event) override;
};
