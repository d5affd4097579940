#pragma once

// Tests against the platform's own shell: each test gets a fresh folder of its own under drive C:,
// removed again afterwards with everything in it.

#include "identifiers/OwnedPidl.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class RealShellTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The test's folder, with a trailing backslash, in UTF-8.
    const std::string& Dir() const { return m_Dir; }
    // A path inside the test's folder.
    std::string PathOf(const std::string& name) const { return m_Dir + name; }
    // Writes a file (the parent folders must exist) and makes a folder.
    void WriteFile(const std::string& name, const std::string& content = "text");
    void MakeDir(const std::string& name);
    static bool Exists(const std::string& path);
    // The fully qualified list of a path, parsed by the desktop.
    static OwnedPidl ParsePath(const std::string& path);

private:
    std::unique_ptr<TempFolder> m_Folder;
    std::string m_Dir;
};
