#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class TCustomListView;
class TListItem;
class TListItems;

// Parts of a row its list computes when they are first read (TCustomListView::ResolveItem),
// rather than when the row is added: what is costly to ask for thousands of rows at once and
// is only ever needed for the rows drawn or read.
using TItemParts = UINT;
constexpr TItemParts ipNone = 0;
constexpr TItemParts ipCaption = 1;
constexpr TItemParts ipSubItems = 2;
constexpr TItemParts ipImage = 4;
constexpr TItemParts ipAll = ipCaption | ipSubItems | ipImage;

// What a row starts with when it is added in one step (TListItems::Add(const TItemLook&)).
struct TItemLook {
    std::string Caption;
    void* Data = nullptr;
    int ImageIndex = -1;
    int OverlayIndex = -1;
    // The parts the list computes on first read instead.
    TItemParts Pending = ipNone;
};

// The texts of a row's detail columns: sub-item k is shown in column k + 1.
class TSubItems {
public:
    explicit TSubItems(TListItem* AItem) : m_Item(AItem) {}

    int Count() const { return static_cast<int>(m_Strings.size()); }
    // The text, or an empty one past the end.
    const std::string& operator[](int Index) const;
    int Add(const std::string& S);
    void Set(int Index, const std::string& S);
    // Replaces every text at once.
    void Assign(std::vector<std::string> Strings);
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

    const std::string& Caption() const {
        Need(ipCaption);
        return m_sCaption;
    }
    void SetCaption(const std::string& Value);
    TSubItems& SubItems() {
        Need(ipSubItems);
        return m_SubItems;
    }
    const TSubItems& SubItems() const {
        Need(ipSubItems);
        return m_SubItems;
    }
    // Untyped; never freed by the list.
    void* Data() const { return m_pData; }
    void SetData(void* Value) { m_pData = Value; }
    int ImageIndex() const {
        Need(ipImage);
        return m_iImageIndex;
    }
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
    // Drawn dimmed: the row's item was cut to the clipboard.
    bool Cut() const { return HasState(LVIS_CUT); }
    void SetCut(bool Value) { SetState(LVIS_CUT, Value); }

    // The row's position in the list.
    int Index() const { return m_iIndex; }
    void Delete();
    // Starts editing the caption in place (OnEditing decides).
    bool EditCaption();
    void MakeVisible(bool PartialOK);
    // Redraws the row (after its texts changed).
    void Update();

    // The parts still to be computed on first read; marking parts makes the list compute them
    // again when they are next read (their present values stay until then).
    TItemParts Pending() const { return m_uPending; }
    void SetPending(TItemParts Parts);

private:
    friend class TListItems;
    friend class TCustomListView;
    explicit TListItem(TListItems* AOwner) : m_Owner(AOwner) {}

    HWND Window() const;
    // Computes the parts of `Parts` still pending, once.
    void Need(TItemParts Parts) const {
        if (m_uPending & Parts)
            Resolve(Parts);
    }
    void Resolve(TItemParts Parts) const;
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
    mutable TItemParts m_uPending = ipNone;
};
