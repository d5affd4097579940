#pragma once

#include "controls/WinControl.h"

#include <string>
#include <vector>

class TListBox;

// The item strings of a list box; they survive a re-creation of its window. Form files hold them
// as "Items.Strings".
class TListBoxStrings : public TPersistent {
public:
    explicit TListBoxStrings(TListBox* AOwner) : m_Owner(AOwner) {}

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

    void DefineProperties(TFiler& Filer) override;

private:
    TListBox* m_Owner;
    std::vector<std::string> m_Strings;
};

// A list of strings the user picks one of, with the mouse or the keys.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TListBoxStrings& Items() { return m_Items; }
    const TListBoxStrings& Items() const { return m_Items; }
    // The selected item, -1 for none. Setting it from code raises no OnClick.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int ItemHeight() const { return m_iItemHeight; }
    void SetItemHeight(int Value);
    // True: the window's height is cut to show whole items only.
    bool IntegralHeight() const { return m_bIntegralHeight; }
    void SetIntegralHeight(bool Value);

    // The user selected an item (mouse or keys).
    TNotifyEvent OnClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& Message);

private:
    friend class TListBoxStrings;
    TListBoxStrings m_Items{this};
    int m_iItemIndex = -1;
    int m_iItemHeight = 13;
    bool m_bIntegralHeight = false;
};
