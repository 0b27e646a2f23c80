#pragma once
// A framed group without a title holding one radio button per item in a number of columns.
// Click is raised whenever the selected item changes, by the user or by the program; not when
// the selected item is selected again, nor when item texts are replaced. The checked button is
// the group's one tab stop and takes the focus; the arrow keys move the focus and the check
// together, and an item's access key selects it.

#include <QButtonGroup>
#include <QStringList>
#include <QWidget>

class QRadioButton;

class TRadioGroup : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ Items WRITE setItems)
    Q_PROPERTY(int columns READ Columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ ItemIndex WRITE setItemIndex)
public:
    explicit TRadioGroup(QWidget* Parent = nullptr);

    QStringList Items() const;
    void setItems(const QStringList& Texts);
    int Columns() const { return ColumnCount; }
    void setColumns(int Count);
    int ItemIndex() const { return Group.checkedId(); }
    void setItemIndex(int Index);
    void SetItemText(int Index, const QString& Text);
    QRadioButton* Button(int Index) const;
    // The arrow keys on a button: the next (+1) or previous (-1) item, cyclically.
    void Step(int By);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;

private:
    void Toggled(int Id, bool Checked);
    void ArrangeButtons();
    void FollowCheckedButton();

    QButtonGroup Group;
    int ColumnCount = 1;
};
