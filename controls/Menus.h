#pragma once

#include "components/Component.h"
#include "components/Events.h"

#include <windows.h>

#include <string>
#include <vector>

class TPopupMenu;

// One command of a pop-up menu: its caption ("-" draws a separator; "&" marks the access key)
// and what clicking it does. Items are owned like any component (by the form); the menu holds
// them in order without owning them.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& Caption() const { return m_sCaption; }
    void SetCaption(const std::string& Value) { m_sCaption = Value; }
    bool Enabled() const { return m_bEnabled; }
    void SetEnabled(bool Value) { m_bEnabled = Value; }
    // Raises OnClick.
    void Click();

    TPopupMenu* Menu() const { return m_Menu; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    TNotifyEvent OnClick;

private:
    friend class TPopupMenu;
    TPopupMenu* m_Menu = nullptr;
    std::string m_sCaption;
    bool m_bEnabled = true;
};

// A menu shown at a point, for a control's right click. Popup runs the menu's loop and clicks
// the chosen item.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Count() const { return static_cast<int>(m_Items.size()); }
    TMenuItem* Items(int Index) const;
    // Appends Item (taking it from another menu it was in).
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);

    // Shows the menu at screen point X, Y for window Owner; true when an item was chosen (and
    // clicked).
    bool Popup(int X, int Y, HWND Owner);

private:
    std::vector<TMenuItem*> m_Items;
};

// Makes the framework's classes known to form files by their names: the controls, the pop-up
// menu and its items, and the dialog controls.
void RegisterFrameworkClasses();
