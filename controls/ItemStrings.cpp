#include "controls/ItemStrings.h"

#include "components/Filer.h"
#include "controls/WinControl.h"
#include "identifiers/WideText.h"

const TClassInfo& TItemStrings::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TItemStrings",
        .Parent = &TPersistent::StaticClassInfo(),
    };
    return info;
}

const std::string& TItemStrings::operator[](int Index) const {
    static const std::string empty;
    return Index >= 0 && Index < Count() ? m_Strings[Index] : empty;
}

int TItemStrings::Add(const std::string& S) {
    m_Strings.push_back(S);
    if (m_Owner.HandleAllocated())
        SendMessageW(m_Owner.WindowHandle(), m_Messages.AddString, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(S).c_str()));
    return Count() - 1;
}

void TItemStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        return;
    m_Strings.erase(m_Strings.begin() + Index);
    if (m_Owner.HandleAllocated())
        SendMessageW(m_Owner.WindowHandle(), m_Messages.DeleteString, Index, 0);
    if (m_iItemIndex >= Count())
        m_iItemIndex = -1;
}

void TItemStrings::Clear() {
    m_Strings.clear();
    m_iItemIndex = -1;
    if (m_Owner.HandleAllocated())
        SendMessageW(m_Owner.WindowHandle(), m_Messages.ResetContent, 0, 0);
}

int TItemStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (m_Strings[i] == S)
            return i;
    return -1;
}

void TItemStrings::Assign(std::vector<std::string> Strings) {
    Clear();
    for (const std::string& s : Strings)
        Add(s);
}

void TItemStrings::FillWindow(HWND Window) const {
    for (const std::string& s : m_Strings)
        SendMessageW(Window, m_Messages.AddString, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(s).c_str()));
}

void TItemStrings::DefineProperties(TFiler& Filer) {
    TPersistent::DefineProperties(Filer);
    DefineStrings(Filer, "Strings", m_Strings,
                  [this](std::vector<std::string> Read) { Assign(std::move(Read)); });
}
