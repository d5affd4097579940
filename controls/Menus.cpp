#include "controls/Menus.h"

#include "controls/Bevel.h"
#include "controls/BitBtn.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Image.h"
#include "controls/Label.h"
#include "controls/MainMenu.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/MaskEdit.h"
#include "controls/Panel.h"
#include "controls/Shape.h"
#include "controls/Splitter.h"
#include "controls/StatusBar.h"
#include "controls/TreeView.h"

#include "identifiers/Holders.h"
#include "identifiers/WideText.h"

#include <algorithm>

namespace {

// Commands below this are the dialog manager's (IDOK, IDCANCEL, ...).
constexpr UINT kFirstCommand = 0x100;

UINT NextCommand() {
    static UINT next = kFirstCommand;
    const UINT command = next;
    next = next >= 0xFFFF ? kFirstCommand : next + 1;
    return command;
}

} // namespace

const TClassInfo& TMenuItem::StaticClassInfo() {
    using T = TMenuItem;
    static const TClassInfo info{
        .ClassName = "TMenuItem",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TMenuItem>,
        .Properties =
            {
                StringProperty("Caption", &T::Caption, &T::SetCaption, std::string()),
                BooleanProperty("Checked", &T::Checked, &T::SetChecked, false),
                BooleanProperty("Enabled", &T::Enabled, &T::SetEnabled, true),
                BooleanProperty("RadioItem", &T::RadioItem, &T::SetRadioItem, false),
                StringProperty("ShortCut", &T::ShortCutText, &T::SetShortCutText, std::string()),
                EventProperty("OnClick", &T::OnClick),
            },
    };
    return info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), m_uCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
    if (m_ParentItem)
        m_ParentItem->Remove(this);
    for (TMenuItem* item : m_Items)
        item->m_ParentItem = nullptr;
}

TMenuItem* TMenuItem::Items(int Index) const {
    return Index >= 0 && Index < Count() ? m_Items[Index] : nullptr;
}

void TMenuItem::Add(TMenuItem* Item) {
    if (!Item || Item->m_ParentItem == this || Item == this)
        return;
    if (Item->m_ParentItem)
        Item->m_ParentItem->Remove(Item);
    Item->m_ParentItem = this;
    m_Items.push_back(Item);
}

void TMenuItem::Remove(TMenuItem* Item) {
    const auto it = std::find(m_Items.begin(), m_Items.end(), Item);
    if (it == m_Items.end())
        return;
    m_Items.erase(it);
    Item->m_ParentItem = nullptr;
}

TMenuItem* TMenuItem::FindCommand(UINT Command) {
    if (m_uCommand == Command && !m_MenuOf)
        return this;
    for (TMenuItem* item : m_Items)
        if (TMenuItem* found = item->FindCommand(Command))
            return found;
    return nullptr;
}

// A disabled item's sub-items cannot be reached from the menu either.
TMenuItem* TMenuItem::FindShortCut(TShortCut ShortCut) {
    if (!m_bEnabled || ShortCut == 0)
        return nullptr;
    if (m_ShortCut == ShortCut && m_Items.empty())
        return this;
    for (TMenuItem* item : m_Items)
        if (TMenuItem* found = item->FindShortCut(ShortCut))
            return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick)
        OnClick(this);
}

TMenuItem* TMenuItem::Parent() const {
    return m_ParentItem && !m_ParentItem->m_MenuOf ? m_ParentItem : nullptr;
}

TMenu* TMenuItem::Menu() const {
    const TMenuItem* item = this;
    while (item->m_ParentItem)
        item = item->m_ParentItem;
    return item->m_MenuOf;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (!m_ParentItem)
        return nullptr;
    if (m_ParentItem->m_MenuOf)
        return m_ParentItem->m_MenuOf;
    return m_ParentItem;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (auto* menu = dynamic_cast<TMenu*>(Value))
        menu->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value))
        item->Add(this);
    else if (m_ParentItem)
        m_ParentItem->Remove(this);
}

HMENU TMenuItem::MakeHandle(TMenuKind Kind) const {
    OwnedMenu menu(Kind == TMenuKind::Bar ? CreateMenu() : CreatePopupMenu());
    if (!menu)
        return nullptr;
    for (const TMenuItem* item : m_Items)
        item->AppendTo(menu.Get());
    UpdateHandle(menu.Get());
    return menu.Release();
}

// The shortcut goes after a tab, where the menu right-aligns it.
void TMenuItem::AppendTo(HMENU Menu) const {
    if (m_sCaption == "-") {
        AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::string text = m_sCaption;
    if (m_ShortCut)
        text += "\t" + ShortCutText();
    const std::wstring wide = Utf8ToWide(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID;
    info.fType = m_bRadioItem ? MFT_RADIOCHECK : MFT_STRING;
    info.dwTypeData = const_cast<wchar_t*>(wide.c_str());
    info.wID = m_uCommand;
    if (!m_Items.empty()) {
        // The platform menu frees its drop-down menus with itself.
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = MakeHandle(TMenuKind::Popup);
    }
    InsertMenuItemW(Menu, GetMenuItemCount(Menu), TRUE, &info);
}

void TMenuItem::UpdateHandle(HMENU Menu) const {
    for (const TMenuItem* item : m_Items) {
        if (item->m_sCaption == "-")
            continue;
        CheckMenuItem(Menu, item->m_uCommand,
                      MF_BYCOMMAND | (item->m_bChecked ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(Menu, item->m_uCommand,
                       MF_BYCOMMAND | (item->m_bEnabled ? MF_ENABLED : MF_GRAYED));
        item->UpdateHandle(Menu);
    }
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner) {
    m_Items.m_MenuOf = this;
}

TMenu::~TMenu() = default;

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TPopupMenu",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TPopupMenu>,
    };
    return info;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

bool TPopupMenu::Popup(int X, int Y, HWND Owner) {
    OwnedMenu menu(Root().MakeHandle(TMenuKind::Popup));
    if (!menu)
        return false;
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, X, Y, 0, Owner, nullptr));
    // The item may have gone while the menu was open.
    TMenuItem* item = chosen ? Root().FindCommand(chosen) : nullptr;
    if (!item)
        return false;
    item->Click();
    return true;
}

void RegisterFrameworkClasses() {
    RegisterComponentClass(TWinControl::StaticClassInfo());
    RegisterComponentClass(TCustomTreeView::StaticClassInfo());
    RegisterComponentClass(TCustomListView::StaticClassInfo());
    RegisterComponentClass(TCustomComboBox::StaticClassInfo());
    RegisterComponentClass(TPopupMenu::StaticClassInfo());
    RegisterComponentClass(TMenuItem::StaticClassInfo());
    RegisterComponentClass(TMainMenu::StaticClassInfo());
    for (const TClassInfo* info :
         {&TComboBox::StaticClassInfo(), &TImage::StaticClassInfo(), &TLabel::StaticClassInfo(),
          &TBevel::StaticClassInfo(), &TListBox::StaticClassInfo(), &TEdit::StaticClassInfo(),
          &TMaskEdit::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TButton::StaticClassInfo(),
          &TBitBtn::StaticClassInfo(), &TPanel::StaticClassInfo(), &TShape::StaticClassInfo(),
          &TStatusBar::StaticClassInfo(), &TSplitter::StaticClassInfo()})
        RegisterComponentClass(*info);
}
