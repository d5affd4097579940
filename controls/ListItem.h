#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class TCustomListView;
class TListItem;
class TListItems;

// The texts of a row's detail columns: sub-item k is shown in column k + 1.
class TSubItems {
public:
    explicit TSubItems(TListItem* AItem) : m_Item(AItem) {}

    int Count() const { return static_cast<int>(m_Strings.size()); }
    // The text, or an empty one past the end.
    const std::string& operator[](int Index) const;
    int Add(const std::string& S);
    void Set(int Index, const std::string& S);
    void Clear();

private:
    TListItem* m_Item;
    std::vector<std::string> m_Strings;
};

// One row of a list view. The row keeps its caption, sub-items, data and images itself (the
// window asks for them when it draws), so they survive a re-creation of the window, as do its
// selection, focus and drop highlight.
class TListItem {
public:
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    TListItems* Owner() const { return m_Owner; }
    TCustomListView* ListView() const;

    const std::string& Caption() const { return m_sCaption; }
    void SetCaption(const std::string& Value);
    TSubItems& SubItems() { return m_SubItems; }
    const TSubItems& SubItems() const { return m_SubItems; }
    // Untyped; never freed by the list.
    void* Data() const { return m_pData; }
    void SetData(void* Value) { m_pData = Value; }
    int ImageIndex() const { return m_iImageIndex; }
    void SetImageIndex(int Value);
    // An overlay image of the image lists (0 is the first overlay), -1 for none.
    int OverlayIndex() const { return m_iOverlayIndex; }
    void SetOverlayIndex(int Value);

    bool Selected() const { return HasState(LVIS_SELECTED); }
    void SetSelected(bool Value) { SetState(LVIS_SELECTED, Value); }
    bool Focused() const { return HasState(LVIS_FOCUSED); }
    void SetFocused(bool Value) { SetState(LVIS_FOCUSED, Value); }
    bool DropTarget() const { return HasState(LVIS_DROPHILITED); }
    void SetDropTarget(bool Value) { SetState(LVIS_DROPHILITED, Value); }

    // The row's position in the list.
    int Index() const { return m_iIndex; }
    void Delete();
    // Starts editing the caption in place (OnEditing decides).
    bool EditCaption();
    void MakeVisible(bool PartialOK);
    // Redraws the row (after its texts changed).
    void Update();

private:
    friend class TListItems;
    friend class TCustomListView;
    explicit TListItem(TListItems* AOwner) : m_Owner(AOwner) {}

    HWND Window() const;
    bool HasState(UINT State) const;
    void SetState(UINT State, bool Value);

    TListItems* m_Owner;
    int m_iIndex = 0;
    std::string m_sCaption;
    TSubItems m_SubItems{this};
    void* m_pData = nullptr;
    int m_iImageIndex = -1;
    int m_iOverlayIndex = -1;
    // The window's state of the row while there is no window.
    UINT m_uState = 0;
};
