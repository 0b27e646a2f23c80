#pragma once
// A flowing multi-column list whose items carry a mark. ClickCheck is raised only when the user
// toggles a mark (a click in the box, or Space); selecting an item or setting a mark in code
// raises nothing.

#include "FlowList.h"

class TCheckList : public TFlowList {
    Q_OBJECT
public:
    explicit TCheckList(QWidget* Parent = nullptr);

    void AddItem(const QString& Text, bool Checked);
    bool Checked(int Row) const;
    void SetChecked(int Row, bool Checked);
    // A toggle asked for by the user through assistive technology: raises ClickCheck.
    void Toggle(int Row);

signals:
    void ClickCheck();

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void Toggled(int Row);
    template <typename F> void RaiseIfToggled(F&& Handle);
};
