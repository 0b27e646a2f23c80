#pragma once
// A single-column list with rows of exactly 22 pixels, painted by the program: the text on one
// line, 2 pixels from the left, centred vertically, "&" painted as it is. Click is raised only
// when the user's mouse or keyboard changes the selected row, never for a selection set in code.

#include <QListWidget>

class TRowList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 22;

    explicit TRowList(QWidget* Parent = nullptr);

    int ItemIndex() const;      // selected row, -1 for none
    void SetItemIndex(int Row); // raises nothing

signals:
    void Click();
    void MouseDown();
    void MouseMove();

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
    void selectionChanged(const QItemSelection& Selected,
                          const QItemSelection& Deselected) override;

private:
    template <typename F> void RaiseClickIfChanged(F&& Handle);
};
