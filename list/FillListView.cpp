// The folder list: filling the rows, the records and what is computed when first read.
#include "list/FolderEnumerator.h"

#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "list/ColumnTexts.h"
#include "list/DirectoryScan.h"
#include "list/NameStandIns.h"
#include "shell/ShellRoutines.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

using namespace EnumGlobals;

namespace {

constexpr UINT_PTR kIdleTimer = 1;
// Idle time computes rows for at most this long at a time (and one part of a row more), so
// that input and painting never wait long; and it looks at the queue this often meanwhile.
constexpr auto kIdleStep = std::chrono::milliseconds(6);
constexpr auto kQueueLook = std::chrono::milliseconds(1);

bool InputOrPaintWaits() {
    return HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT)) != 0;
}

// Every attribute the fill reads, asked in one question per item.
constexpr SFGAOF kFillAttributes =
    SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_FOLDER | SFGAO_SHARE | SFGAO_LINK;

// The ";"-separated tokens of a mask, as they stand, up to the first empty one.
std::vector<std::string> MaskTokens(const std::string& Mask) {
    std::vector<std::string> tokens;
    int position = 1;
    while (position > 0) {
        std::string token = StrGetToken(Mask, ";", position);
        if (token.empty())
            break;
        tokens.push_back(std::move(token));
    }
    return tokens;
}

void SetDetails(const TFoundEntry& Entry, TEntryDetails& Details) {
    Details.iSize = Entry.iSize;
    FILETIME local{};
    SYSTEMTIME date{};
    if (FileTimeToLocalFileTime(&Entry.ftLastWriteTime, &local) &&
        FileTimeToSystemTime(&local, &date))
        Details.Date = date;
}

bool SameSystemTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Two records the same item with the same details: a row showing one shows the other.
bool SameRecord(const TItemData& a, const TItemData& b) {
    return a.EntryDetails.uAttrib == b.EntryDetails.uAttrib &&
           a.EntryDetails.iSize == b.EntryDetails.iSize &&
           SameSystemTime(a.EntryDetails.Date, b.EntryDetails.Date) && a.bHasFile == b.bHasFile &&
           a.bHasDetails == b.bHasDetails && a.dwFileAttributes == b.dwFileAttributes &&
           a.sExtension == b.sExtension && a.uNameKey == b.uNameKey &&
           PidlBytes(a.pPidl.Get()) == PidlBytes(b.pPidl.Get()) &&
           PidlBytes(a.pFQPidl.Get()) == PidlBytes(b.pFQPidl.Get());
}

} // namespace

bool GetEntryDetails(TViewShell& Shell, LPCITEMIDLIST pFQpidl, TEntryDetails& EntryDetails) {
    const std::string path = Shell.GetPathFromIDList(pFQpidl);
    TFoundEntry entry;
    if (path.empty() || !FindEntry(Utf8ToWide(path), entry))
        return false;
    SetDetails(entry, EntryDetails);
    return true;
}

void TFolderEnumerator::FillListView(LPCITEMIDLIST pParentpidl) {
    if (InState(csLoading) || !m_sfView)
        return;
    ++m_iFillCount;
    const TCursor savedCursor = Cursor();
    SetCursor(crHourGlass);
    Items().BeginUpdate();

    // The directory shown, read once: it answers for every item that lies directly in it.
    TDirectoryScan scan;
    std::wstring folderPath;
    if (pParentpidl)
        folderPath = Utf8ToWide(m_Shell->GetPathFromIDList(pParentpidl));
    if (!folderPath.empty())
        scan = TDirectoryScan(folderPath);
    const bool masked = m_sFileMask != "*.*";
    const std::vector<std::string> tokens =
        masked ? MaskTokens(m_sFileMask) : std::vector<std::string>{};

    TNameStandIns standIns(m_sfView.Get(), scan);
    std::vector<std::unique_ptr<TItemData>> records;
    // Each record's entry in the scan, for its caption should the rows be made anew.
    std::vector<const TFoundEntry*> scanned;
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
    if (m_bShowHidden)
        flags |= SHCONTF_INCLUDEHIDDEN;
    ComPtr<IEnumIDList> items;
    if (m_sfView->EnumObjects(ShellOwnerWindow(), flags, &items) == S_OK && items) {
        OwnedPidl item;
        // An enumerator that answers success without an item has nothing more to give: the
        // rows are what came before (asking again would get the same answer for ever).
        while (items->Next(1, item.Put(), nullptr) == S_OK && item) {
            LPCITEMIDLIST child = item.Get();
            SFGAOF attributes = kFillAttributes;
            if (m_sfView->GetAttributesOf(1, &child, &attributes) != S_OK)
                attributes = 0;
            if (!m_bVirtualFolders &&
                !AttributeExists(attributes, SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))
                continue;
            if (!m_bShowFolders && AttributeExists(attributes, SFGAO_FOLDER))
                continue;

            // Only file-system objects have a path, and so an entry on disk.
            TFoundEntry entry;
            bool found = false;
            const TFoundEntry* inScan = nullptr;
            if (AttributeExists(attributes, SFGAO_FILESYSTEM)) {
                std::string parsing;
                if (scan.Count() > 0 &&
                    GetNiceName(m_sfView.Get(), child, SHGDN_FORPARSING, parsing))
                    inScan = scan.Find(Utf8ToWide(parsing));
                if (inScan) {
                    entry = *inScan;
                    found = true;
                }
            }
            auto data = std::make_unique<TItemData>();
            data->pFQPidl.Reset(ConcatPidls(pParentpidl, child, g_ShellMalloc));
            if (!found && AttributeExists(attributes, SFGAO_FILESYSTEM)) {
                const std::string path = m_Shell->GetPathFromIDList(data->pFQPidl.Get());
                found = !path.empty() && FindEntry(Utf8ToWide(path), entry);
            }
            if (masked && found && AttributeExists(attributes, SFGAO_FILESYSTEM)) {
                const std::string name = WideToUtf8(entry.sName);
                bool matches = false;
                for (const std::string& token : tokens)
                    if ((matches = MatchWildCard(name, token)))
                        break;
                if (!matches)
                    continue;
            }
            data->EntryDetails.uAttrib = attributes;
            if (found) {
                data->bHasFile = true;
                data->dwFileAttributes = entry.dwFileAttributes;
                data->sExtension = ColumnTexts::ExtensionOf(entry.sName);
                data->uNameKey = std::hash<std::wstring>{}(entry.sName);
                data->bHasDetails = true;
                SetDetails(entry, data->EntryDetails);
            }
            // Only an entry of the scan is the item's own name on disk.
            scanned.push_back(inScan);
            data->pPidl = std::move(item);
            data->sfFolder = m_sfView;
            records.push_back(std::move(data));
        }
    }
    items.Reset();

    const int count = Items().Count();
    // Where each row's item comes in the shell's order now, when the folder holds exactly the
    // items the rows show, each as it was.
    std::vector<int> positions;
    bool same = count == static_cast<int>(records.size());
    if (same) {
        std::unordered_map<std::string_view, int> byList;
        byList.reserve(records.size());
        for (int i = 0; i < count; ++i)
            byList.emplace(PidlBytes(records[i]->pFQPidl.Get()), i);
        same = byList.size() == records.size();
        positions.reserve(static_cast<size_t>(count));
        for (int i = 0; same && i < count; ++i) {
            const TItemData* old = ItemData(Items().Item(i));
            const auto found = old ? byList.find(PidlBytes(old->pFQPidl.Get())) : byList.end();
            same = found != byList.end() && SameRecord(*old, *records[found->second]);
            if (same)
                positions.push_back(found->second);
        }
    }
    m_bRowsKept = same && !m_bLayoutChanged;
    if (same) {
        // The folder is as it was: the rows stay, in the shell's order as a new fill would put
        // them (unless they are sorted again next), with their texts computed again if the
        // columns changed meanwhile.
        if (!m_bSortFollows && !std::is_sorted(positions.begin(), positions.end())) {
            const auto byPosition = [](TListItem* Item1, TListItem* Item2, LPARAM Positions) {
                const auto& at = *reinterpret_cast<const std::vector<int>*>(Positions);
                return at[Item1->Index()] - at[Item2->Index()];
            };
            CustomSort(byPosition, reinterpret_cast<LPARAM>(&positions));
        }
        SetSelected(nullptr);
        if (TListItem* focused = GetNextItem(nullptr, sdAll, isFocused))
            focused->SetFocused(false);
        if (m_bLayoutChanged)
            for (int i = 0; i < count; ++i)
                Items().Item(i)->SetPending(ipSubItems);
        if (count > 0)
            Items().Item(0)->MakeVisible(false);
    } else {
        // Display names are the costly part of a row: an item whose list is unchanged keeps
        // the name it had.
        std::unordered_map<std::string_view, std::string> names;
        names.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            TListItem* row = Items().Item(i);
            const TItemData* old = ItemData(row);
            if (old && !(row->Pending() & ipCaption))
                names.emplace(PidlBytes(old->pFQPidl.Get()), row->Caption());
        }
        std::vector<std::unique_ptr<TItemData>> oldRecords;
        oldRecords.reserve(static_cast<size_t>(count));
        // The old rows' records outlive the map's keys, which point into them.
        m_bKeepRecords = true;
        for (int i = 0; i < count; ++i)
            if (TItemData* old = ItemData(Items().Item(i)))
                oldRecords.emplace_back(old);
        Items().Clear();
        m_bKeepRecords = false;
        for (size_t i = 0; i < records.size(); ++i) {
            auto& record = records[i];
            TItemLook look;
            look.Pending = ipSubItems | ipImage;
            const auto known = names.find(PidlBytes(record->pFQPidl.Get()));
            std::optional<std::string> caption;
            if (scanned[i])
                caption = standIns.CaptionOf(record->pPidl.Get(), *scanned[i]);
            if (caption)
                look.Caption = std::move(*caption);
            else if (known != names.end())
                look.Caption = known->second;
            else
                look.Pending |= ipCaption;
            const SFGAOF attributes = record->EntryDetails.uAttrib;
            if (AttributeExists(attributes, SFGAO_SHARE))
                look.OverlayIndex = 0;
            if (AttributeExists(attributes, SFGAO_LINK))
                look.OverlayIndex = 1;
            look.Data = record.release();
            Items().Add(look);
        }
    }

    m_bLayoutChanged = false;
    MarkCutRows();
    Items().EndUpdate();
    SetCursor(savedCursor);
    ScheduleIdleResolve();
}

void TFolderEnumerator::ItemDeletion(TObject*, TListItem* Item) {
    TItemData* data = ItemData(Item);
    if (!data)
        return;
    Item->SetData(nullptr);
    // Freed here unless a fill has taken the record over.
    const std::unique_ptr<TItemData> record(m_bKeepRecords ? nullptr : data);
}

// ---------------------------------------------------------------------------------------------
// What each row computes when first read.

std::vector<std::string> TFolderEnumerator::ColumnTextsOf(TListItem* Item, TItemData& Data) {
    std::vector<std::string> texts;
    if (m_iExtensionColumn >= 0)
        texts.push_back(Data.sExtension);
    if (m_iSizeColumn >= 0)
        texts.push_back(ColumnTexts::SizeText(Data));
    if (m_iAttributesColumn >= 0)
        texts.push_back(ColumnTexts::AttributesText(Data));
    if (m_iTypeColumn >= 0)
        texts.push_back(AttributeExists(Data.EntryDetails.uAttrib, SFGAO_FILESYSTEM)
                            ? m_Shell->GetTypeName(Data.pFQPidl.Get())
                            : ColumnTexts::VirtualTypeText(Item->Caption()));
    if (m_sModifiedColumn >= 0)
        texts.push_back(ColumnTexts::ModifiedText(Data));
    return texts;
}

void TFolderEnumerator::ResolveItem(TListItem* Item, TItemParts Parts) {
    TItemData* data = ItemData(Item);
    if (!data)
        return;
    // The shell's answers for the row may let messages in: the row must outlive them.
    const TBusy busy(*this);
    if (Parts & ipCaption) {
        std::string name;
        GetNiceName(data->sfFolder.Get(), data->pPidl.Get(), SHGDN_NORMAL, name);
        Item->SetCaption(name);
    }
    if (Parts & ipImage)
        Item->SetImageIndex(m_Shell->GetSmallIconIndex(data->pFQPidl.Get()));
    if (Parts & ipSubItems)
        Item->SubItems().Assign(ColumnTextsOf(Item, *data));
}

void TFolderEnumerator::ResolveAllItems() {
    for (int i = 0; i < Items().Count(); ++i) {
        TListItem* row = Items().Item(i);
        row->Caption();
        row->ImageIndex();
        row->SubItems();
    }
}

void TFolderEnumerator::ScheduleIdleResolve() {
    m_iIdleNext = 0;
    if (!HandleAllocated() || Items().Count() == 0)
        return;
    // The timer's step comes whenever nothing else waits; posted steps follow each other
    // without the timer's gaps while nothing does.
    if (!m_bIdleTimer)
        m_bIdleTimer = SetTimer(Handle(), kIdleTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    PostIdleStep();
}

void TFolderEnumerator::PostIdleStep() {
    if (!m_bIdleStepPosted && HandleAllocated())
        m_bIdleStepPosted = PostMessageW(Handle(), WM_LIST_IDLE_STEP, 0, 0) != 0;
}

void TFolderEnumerator::IdleStep(TMessage&) {
    m_bIdleStepPosted = false;
    if (m_bIdleTimer)
        ResolveIdleRows();
}

void TFolderEnumerator::WMTimer(TMessage& Message) {
    if (Message.WParam != kIdleTimer) {
        Inherited(Message);
        return;
    }
    ResolveIdleRows();
}

void TFolderEnumerator::ResolveIdleRows() {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto nextLook = start + kQueueLook;
    bool waiting = false;
    while (m_iIdleNext < Items().Count()) {
        TListItem* row = Items().Item(m_iIdleNext);
        // One part at a time: the clock is read between any two answers of the shell.
        const TItemParts pending = row->Pending();
        if (pending & ipCaption)
            row->Caption();
        else if (pending & ipImage)
            row->ImageIndex();
        else if (pending & ipSubItems)
            row->SubItems();
        else
            ++m_iIdleNext;
        const auto now = Clock::now();
        if (now - start >= kIdleStep)
            break;
        // Asking the queue costs a trip to the window system: not after every part.
        if (now >= nextLook) {
            if ((waiting = InputOrPaintWaits()))
                break;
            nextLook = now + kQueueLook;
        }
    }
    if (m_iIdleNext >= Items().Count()) {
        KillTimer(Handle(), kIdleTimer);
        m_bIdleTimer = false;
        return;
    }
    // More to do: at once, unless input or painting waits; the timer's step comes after them.
    if (!waiting && !InputOrPaintWaits())
        PostIdleStep();
}
