#pragma once

#include "controls/WinControl.h"

#include <memory>
#include <string>
#include <vector>

class TCustomListView;
class TListColumns;

// One column of a report list; it keeps its settings itself, so they survive a re-creation of
// the window (the width the user gave it included).
class TListColumn {
public:
    TListColumn(const TListColumn&) = delete;
    TListColumn& operator=(const TListColumn&) = delete;

    const std::string& Caption() const { return m_sCaption; }
    void SetCaption(const std::string& Value);
    int Width() const;
    void SetWidth(int Value);
    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    // The position in the collection.
    int Index() const { return m_iIndex; }

private:
    friend class TListColumns;
    friend class TCustomListView;
    explicit TListColumn(TListColumns* AOwner) : m_Owner(AOwner) {}
    void Apply(UINT Mask);

    TListColumns* m_Owner;
    int m_iIndex = 0;
    std::string m_sCaption;
    int m_iWidth = 50;
    TAlignment m_Alignment = taLeftJustify;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* AOwner) : m_Owner(AOwner) {}
    TListColumns(const TListColumns&) = delete;
    TListColumns& operator=(const TListColumns&) = delete;

    TCustomListView* Owner() const { return m_Owner; }
    int Count() const { return static_cast<int>(m_Columns.size()); }
    TListColumn* Item(int Index) const;
    TListColumn* operator[](int Index) const { return Item(Index); }
    TListColumn* Add();
    void Delete(int Index);
    void Clear();

private:
    friend class TListColumn;
    friend class TCustomListView;
    void InsertIntoWindow(TListColumn* Column);
    void ReadWidths();

    TCustomListView* m_Owner;
    std::vector<std::unique_ptr<TListColumn>> m_Columns;
};
