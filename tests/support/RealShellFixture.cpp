#include "support/RealShellFixture.h"

#include "identifiers/ComPtr.h"
#include "identifiers/WideText.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// Windows maps ".txt" to its "Text Document" class out of the box; the test prefix (made without
// Wine's desktop integration) has the class but not the mapping, so the shell would call a text
// file a "txt file". The tests run against the Windows arrangement. (Wine's classes root does not
// look at the user's classes, so the mapping goes to the machine's.)
void EnsureTextDocumentClass() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return;
    }
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.txt", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    static const wchar_t kClass[] = L"txtfile";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kClass), sizeof kClass);
    RegCloseKey(key);
}

} // namespace

void RealShellTest::SetUp() {
    EnsureTextDocumentClass();
    m_Folder = std::make_unique<TempFolder>("varnel-shell");
    m_Dir = m_Folder->Path() + "\\";
    ASSERT_TRUE(Exists(m_Dir)) << m_Dir;
}

void RealShellTest::TearDown() {
    m_Folder.reset();
    EXPECT_FALSE(Exists(m_Dir)) << "could not remove " << m_Dir;
}

void RealShellTest::WriteFile(const std::string& name, const std::string& content) {
    ASSERT_TRUE(Exists(m_Folder->MakeFile(name, content))) << name;
}

void RealShellTest::MakeDir(const std::string& name) {
    ASSERT_TRUE(Exists(m_Folder->MakeFolder(name))) << name;
}

bool RealShellTest::Exists(const std::string& path) {
    return PathExists(path);
}

OwnedPidl RealShellTest::ParsePath(const std::string& path) {
    OwnedPidl pidl;
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return pidl;
    std::wstring wide = Utf8ToWide(path);
    if (FAILED(
            desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, pidl.Put(), nullptr)))
        pidl.Reset();
    return pidl;
}
