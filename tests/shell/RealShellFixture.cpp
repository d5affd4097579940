#include "RealShellFixture.h"

#include "identifiers/ComPtr.h"
#include "identifiers/WideText.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>

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
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::string base = WideToUtf8(temp);
    ASSERT_EQ(base.rfind("C:\\", 0), 0u) << "the temporary folder is not on drive C: " << base;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    m_Dir = base + "varnel-" + std::to_string(GetCurrentProcessId()) + "-" + info->name() + "\\";
    std::error_code error;
    std::filesystem::remove_all(Utf8ToWide(m_Dir), error);
    ASSERT_TRUE(CreateDirectoryW(Utf8ToWide(m_Dir).c_str(), nullptr)) << m_Dir;
}

void RealShellTest::TearDown() {
    std::error_code error;
    std::filesystem::remove_all(Utf8ToWide(m_Dir), error);
    EXPECT_FALSE(error) << "could not remove " << m_Dir;
}

void RealShellTest::WriteFile(const std::string& name, const std::string& content) {
    HANDLE file = CreateFileW(Utf8ToWide(PathOf(name)).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

void RealShellTest::MakeDir(const std::string& name) {
    ASSERT_TRUE(CreateDirectoryW(Utf8ToWide(PathOf(name)).c_str(), nullptr)) << name;
}

bool RealShellTest::Exists(const std::string& path) {
    return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
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
