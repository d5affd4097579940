#pragma once

#include <string>

// A uniquely named folder under C:\ that a test fills with real files and folders; removed with
// everything in it when the object goes. Paths are UTF-8, with backslashes.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "varnel-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_Path; }
    // `relative` may name several levels ("a\\b\\c"); missing parents are made.
    std::string MakeFolder(const std::string& relative) const;
    std::string MakeFile(const std::string& relative, const std::string& contents = "") const;

private:
    std::string m_Path;
};

// Removes a file or a folder with everything in it; true when nothing is left.
bool RemoveTree(const std::string& path);
// Whether a file or folder exists at the path.
bool PathExists(const std::string& path);
