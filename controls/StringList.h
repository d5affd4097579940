#pragma once

#include <string>
#include <vector>

// An ordered list of UTF-8 strings, the framework's general text container.
class TStringList {
public:
    int Count() const { return static_cast<int>(m_Strings.size()); }
    const std::string& operator[](int index) const { return m_Strings.at(index); }
    std::string& operator[](int index) { return m_Strings.at(index); }

    int Add(std::string s) {
        m_Strings.push_back(std::move(s));
        return Count() - 1;
    }
    void Clear() { m_Strings.clear(); }

    auto begin() const { return m_Strings.begin(); }
    auto end() const { return m_Strings.end(); }

private:
    std::vector<std::string> m_Strings;
};
