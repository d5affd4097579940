#pragma once

#include "components/Persistent.h"

#include <windows.h>

#include <string>
#include <vector>

class TWinControl;

// The item strings of a list box or a combo box: kept outside the window, so they survive its
// re-creation, and put into the window as they change. Form files hold them as "Items.Strings".
class TItemStrings : public TPersistent {
public:
    // The messages the owner's window takes its items by.
    struct TItemMessages {
        UINT AddString;
        UINT DeleteString;
        UINT ResetContent;
    };

    // ItemIndex: the selection the owner keeps while it has no window, forgotten when its item
    // goes.
    TItemStrings(TWinControl& AOwner, TItemMessages Messages, int& ItemIndex)
        : m_Owner(AOwner), m_Messages(Messages), m_iItemIndex(ItemIndex) {}

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Count() const { return static_cast<int>(m_Strings.size()); }
    // The string, or an empty one past the end.
    const std::string& operator[](int Index) const;
    int Add(const std::string& S);
    void Delete(int Index);
    void Clear();
    int IndexOf(const std::string& S) const;
    const std::vector<std::string>& Strings() const { return m_Strings; }
    // Replaces every item.
    void Assign(std::vector<std::string> Strings);
    // Puts every item into the owner's new window.
    void FillWindow(HWND Window) const;

    void DefineProperties(TFiler& Filer) override;

private:
    TWinControl& m_Owner;
    TItemMessages m_Messages;
    int& m_iItemIndex;
    std::vector<std::string> m_Strings;
};
