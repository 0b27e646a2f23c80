#pragma once
// A list whose items run down the first column and continue at the top of the next one. Each
// column is the inner width divided by the column count, truncated; rows are 13 pixels.

#include <QListWidget>
#include <QStringList>

class TFlowList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(int columns READ Columns WRITE setColumns)
public:
    static constexpr int RowHeight = 13;

    explicit TFlowList(QWidget* Parent = nullptr);

    int Columns() const { return ColumnCount; }
    void setColumns(int Count);

    // Replaces every item, reusing the existing ones, so a refresh allocates little.
    void SetLines(const QStringList& Lines);

protected:
    void resizeEvent(QResizeEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;

private:
    void UpdateGrid();
    int ColumnCount = 1;
};
