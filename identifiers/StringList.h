#pragma once

#include <algorithm>
#include <string>
#include <string_view>
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
    // Inserts before index (at the end when index is past it).
    void Insert(int index, std::string s) {
        if (index < 0 || index > Count())
            index = Count();
        m_Strings.insert(m_Strings.begin() + index, std::move(s));
    }
    void Delete(int index) {
        if (index >= 0 && index < Count())
            m_Strings.erase(m_Strings.begin() + index);
    }
    void Clear() { m_Strings.clear(); }

    // The first string equal to s (ignoring ASCII case unless CaseSensitive), or -1.
    int IndexOf(std::string_view s) const {
        for (int i = 0; i < Count(); ++i)
            if (Same(m_Strings[i], s))
                return i;
        return -1;
    }
    // Orders the strings (ignoring ASCII case unless CaseSensitive); equal ones keep their order.
    void Sort() {
        std::stable_sort(m_Strings.begin(), m_Strings.end(),
                         [this](const std::string& a, const std::string& b) {
                             return std::lexicographical_compare(
                                 a.begin(), a.end(), b.begin(), b.end(),
                                 [this](char x, char y) { return Fold(x) < Fold(y); });
                         });
    }
    bool CaseSensitive = false;

    auto begin() const { return m_Strings.begin(); }
    auto end() const { return m_Strings.end(); }

private:
    unsigned char Fold(char c) const {
        const auto u = static_cast<unsigned char>(c);
        return !CaseSensitive && u >= 'a' && u <= 'z' ? static_cast<unsigned char>(u - 32) : u;
    }
    bool Same(std::string_view a, std::string_view b) const {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [this](char x, char y) { return Fold(x) == Fold(y); });
    }

    std::vector<std::string> m_Strings;
};
