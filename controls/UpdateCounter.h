#pragma once

class TWinControl;

// Nested bulk updates of a control's items: the control stops redrawing at the first Begin and
// redraws once, whole, at the last End. Without it, adding thousands of rows or nodes one by one
// repaints after each of them.
class TUpdateCounter {
public:
    explicit TUpdateCounter(TWinControl* Control) : m_Control(Control) {}

    void Begin();
    void End();
    bool Active() const { return m_iCount > 0; }

private:
    TWinControl* m_Control;
    int m_iCount = 0;
};
