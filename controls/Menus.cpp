#include "controls/Menus.h"

#include "controls/Bevel.h"
#include "controls/BitBtn.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Image.h"
#include "controls/Label.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/MaskEdit.h"
#include "controls/Panel.h"
#include "controls/Shape.h"
#include "controls/TreeView.h"

#include "identifiers/Holders.h"
#include "identifiers/WideText.h"

#include <algorithm>

const TClassInfo& TMenuItem::StaticClassInfo() {
    using T = TMenuItem;
    static const TClassInfo info{
        .ClassName = "TMenuItem",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TMenuItem>,
        .Properties =
            {
                StringProperty("Caption", &T::Caption, &T::SetCaption, std::string()),
                BooleanProperty("Enabled", &T::Enabled, &T::SetEnabled, true),
                EventProperty("OnClick", &T::OnClick),
            },
    };
    return info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    if (m_Menu)
        m_Menu->Remove(this);
}

void TMenuItem::Click() {
    if (OnClick)
        OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    return m_Menu;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(Value))
        menu->Add(this);
    else if (m_Menu)
        m_Menu->Remove(this);
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TPopupMenu",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TPopupMenu>,
    };
    return info;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu() {
    for (TMenuItem* item : m_Items)
        item->m_Menu = nullptr;
}

TMenuItem* TPopupMenu::Items(int Index) const {
    return Index >= 0 && Index < Count() ? m_Items[Index] : nullptr;
}

void TPopupMenu::Add(TMenuItem* Item) {
    if (!Item || Item->m_Menu == this)
        return;
    if (Item->m_Menu)
        Item->m_Menu->Remove(Item);
    Item->m_Menu = this;
    m_Items.push_back(Item);
}

void TPopupMenu::Remove(TMenuItem* Item) {
    const auto it = std::find(m_Items.begin(), m_Items.end(), Item);
    if (it == m_Items.end())
        return;
    m_Items.erase(it);
    Item->m_Menu = nullptr;
}

bool TPopupMenu::Popup(int X, int Y, HWND Owner) {
    OwnedMenu menu(CreatePopupMenu());
    if (!menu)
        return false;
    for (int i = 0; i < Count(); ++i) {
        const TMenuItem* item = m_Items[i];
        if (item->Caption() == "-") {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu.Get(), flags, static_cast<UINT_PTR>(i + 1),
                    Utf8ToWide(item->Caption()).c_str());
    }
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, X, Y, 0, Owner, nullptr));
    // The item may have gone while the menu was open.
    TMenuItem* item = chosen > 0 ? Items(chosen - 1) : nullptr;
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
    for (const TClassInfo* info :
         {&TComboBox::StaticClassInfo(), &TImage::StaticClassInfo(), &TLabel::StaticClassInfo(),
          &TBevel::StaticClassInfo(), &TListBox::StaticClassInfo(), &TEdit::StaticClassInfo(),
          &TMaskEdit::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TButton::StaticClassInfo(),
          &TBitBtn::StaticClassInfo(), &TPanel::StaticClassInfo(), &TShape::StaticClassInfo()})
        RegisterComponentClass(*info);
}
