#pragma once

#include "components/Component.h"
#include "components/Events.h"
#include "controls/ShortCut.h"

#include <windows.h>

#include <string>
#include <vector>

class TMenu;

enum class TMenuKind { Popup, Bar };

// One command of a menu: its caption ("-" draws a separator; "&" marks the access key) and what
// clicking it does. An item with items of its own opens them as its menu (a menu bar's items
// hold their drop-down menus so). Items are owned like any component (by the form); the menu or
// item they are in holds them in order without owning them.
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
    // A check mark beside the caption; a RadioItem shows it as a dot.
    bool Checked() const { return m_bChecked; }
    void SetChecked(bool Value) { m_bChecked = Value; }
    bool RadioItem() const { return m_bRadioItem; }
    void SetRadioItem(bool Value) { m_bRadioItem = Value; }
    // The key that clicks the item in a form whose menu bar holds it, shown after its caption.
    TShortCut ShortCut() const { return m_ShortCut; }
    void SetShortCut(TShortCut Value) { m_ShortCut = Value; }
    std::string ShortCutText() const { return ShortCutToText(m_ShortCut); }
    void SetShortCutText(const std::string& Value) { m_ShortCut = TextToShortCut(Value); }
    // The number the platform's menu reports when the item is chosen; unique in the program.
    UINT Command() const { return m_uCommand; }

    int Count() const { return static_cast<int>(m_Items.size()); }
    TMenuItem* Items(int Index) const;
    // Appends Item (taking it from the menu or item it was in).
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);
    // The item here or below with this command or shortcut (an enabled one), or nullptr.
    TMenuItem* FindCommand(UINT Command);
    TMenuItem* FindShortCut(TShortCut ShortCut);

    // Raises OnClick.
    void Click();

    // The item this one is in; nullptr at the top of a menu.
    TMenuItem* Parent() const;
    // The menu the item is in, however deep.
    TMenu* Menu() const;
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    // A platform menu of the items (this item's drop-down menu, or a menu bar of them), owned by
    // the caller.
    HMENU MakeHandle(TMenuKind Kind) const;
    // Puts each item's check and enabled state on the menu made of them.
    void UpdateHandle(HMENU Menu) const;

    TNotifyEvent OnClick;

private:
    friend class TMenu;
    void AppendTo(HMENU Menu) const;

    TMenuItem* m_ParentItem = nullptr;
    // Set on the hidden item that holds a menu's top-level items.
    TMenu* m_MenuOf = nullptr;
    std::vector<TMenuItem*> m_Items;
    std::string m_sCaption;
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bRadioItem = false;
    TShortCut m_ShortCut = 0;
    UINT m_uCommand;
};

// What pop-up menus and menu bars share: their items, in order.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    int Count() const { return m_Items.Count(); }
    TMenuItem* Items(int Index) const { return m_Items.Items(Index); }
    // Appends Item (taking it from another menu it was in).
    void Add(TMenuItem* Item) { m_Items.Add(Item); }
    void Remove(TMenuItem* Item) { m_Items.Remove(Item); }
    // The top-level items as one item, for walking them with their sub-items.
    TMenuItem& Root() { return m_Items; }
    const TMenuItem& Root() const { return m_Items; }

private:
    TMenuItem m_Items{nullptr};
};

// A menu shown at a point, for a control's right click. Popup runs the menu's loop and clicks
// the chosen item.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Shows the menu at screen point X, Y for window Owner; true when an item was chosen (and
    // clicked).
    bool Popup(int X, int Y, HWND Owner);
};

// Makes the framework's classes known to form files by their names: the controls, the pop-up
// menu, the menu bar and their items, the dialog controls, the status bar and the splitter.
void RegisterFrameworkClasses();
