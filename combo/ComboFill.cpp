// Filling the combo: the desktop, its folders, the drives and the chain down to the current folder.

#include "combo/NameSpaceCombo.h"

#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <cstring>
#include <vector>

using namespace EnumGlobals;

namespace {

// The fill lists folders only, hidden ones left out.
constexpr SHCONTF kFillFlags = SHCONTF_FOLDERS;

// The first Count items of Pidl as a list of their own (the caller has made sure there are
// that many).
OwnedPidl LeadingItems(LPCITEMIDLIST Pidl, int Count) {
    const auto* start = reinterpret_cast<const BYTE*>(Pidl);
    LPCITEMIDLIST end = GetPidlAtIndex(Pidl, Count);
    const size_t length = end ? static_cast<size_t>(reinterpret_cast<const BYTE*>(end) - start)
                              : static_cast<size_t>(GetPidlSize(Pidl)) - sizeof(USHORT);
    OwnedPidl result(OwnedPidl::Adopt,
                     CreatePidl(static_cast<UINT>(length + sizeof(USHORT)), g_ShellMalloc));
    if (result)
        std::memcpy(result.Get(), Pidl, length);
    return result;
}

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(Utf8ToWide(a).c_str(), -1, Utf8ToWide(b).c_str(), -1, TRUE) ==
           CSTR_EQUAL;
}

} // namespace

void TNameSpaceCombo::ClearItemList() {
    // Each entry's holders release its folder and free its lists.
    m_ItemList.clear();
}

void TNameSpaceCombo::AddItemEntry(IShellFolder* Folder, LPCITEMIDLIST Pidl, LPCITEMIDLIST FQPidl,
                                   int Level, int ImageIndex, int SelImageIndex,
                                   const std::string& Caption) {
    auto entry = std::make_unique<TItemEntry>();
    entry->sfFolder = Folder;
    entry->pPidl = CopyPidl(Pidl);
    entry->pFQPidl = CopyPidl(FQPidl);
    entry->iLevel = Level;
    entry->iSelImageIndex = SelImageIndex;
    entry->iImageIndex = ImageIndex;
    entry->sFQPath = m_Shell->GetPathFromIDList(FQPidl);
    entry->sCaption = Caption;
    m_ItemList.push_back(std::move(entry));

    const int iPos = EntryCount() - 1;
    if (!m_pCurrentPidl) {
        if (iPos == 0)
            SetItemIndex(0);
    } else if (IsCurrentEntry(*m_ItemList.back())) {
        // A later match replaces an earlier one.
        SetItemIndex(iPos);
        m_bCurrentFound = true;
    }
}

// The same list as the current folder's, or the same file-system path as the current one. Lists
// are compared by the desktop when their bytes differ: a parsed list and the enumerated one of
// the same folder need not be equal byte for byte.
bool TNameSpaceCombo::IsCurrentEntry(const TItemEntry& Entry) {
    LPCITEMIDLIST current = m_pCurrentPidl.Get();
    LPCITEMIDLIST full = Entry.pFQPidl.Get();
    if (full && (ArePidlsSame(full, current) ||
                 (GetPidlCount(full) == GetPidlCount(current) && GetPidlCount(full) > 0 &&
                  m_Shell->Comparepidls(full, current) == 0)))
        return true;
    // Virtual folders have no path; an empty current path names none of them.
    return !m_sCurrentPath.empty() && !Entry.sFQPath.empty() &&
           SamePathIgnoringCase(Entry.sFQPath, m_sCurrentPath);
}

void TNameSpaceCombo::AddFolderEntry(IShellFolder* Folder, LPCITEMIDLIST Pidl, LPCITEMIDLIST FQPidl,
                                     int Level) {
    Items().Add(" ");
    std::string caption;
    GetNiceName(Folder, Pidl, SHGDN_NORMAL, caption);
    int normal = 0;
    int selected = 0;
    m_Shell->GetSmallIcons(FQPidl, normal, selected);
    AddItemEntry(Folder, Pidl, FQPidl, Level, normal, selected, caption);
}

void TNameSpaceCombo::FillCombo() {
    ClearItemList();
    Items().Clear();
    m_bCurrentFound = false;
    const HWND owner = ShellOwnerWindow();

    if (const OwnedPidl desktopPidl = m_Shell->GetSpecialFolderLocation(owner, CSIDL_DESKTOP)) {
        Items().Add(" ");
        int normal = 0;
        int selected = 0;
        m_Shell->GetSmallIcons(desktopPidl.Get(), normal, selected);
        AddItemEntry(nullptr, nullptr, desktopPidl.Get(), 1, normal, selected,
                     m_Shell->GetDisplayName(desktopPidl.Get()));
    }

    ComPtr<IShellFolder> desktop;
    if (m_Shell->GetDesktopFolder(desktop)) {
        const OwnedPidl myComputer =
            m_Shell->GetSpecialFolderLocation(HandleAllocated() ? Handle() : owner, CSIDL_DRIVES);
        ComPtr<IEnumIDList> items;
        if (desktop->EnumObjects(owner, kFillFlags, &items) == S_OK && items) {
            OwnedPidl child;
            while (items->Next(1, child.Put(), nullptr) == S_OK && child) {
                // A desktop child's full list is its relative one.
                AddFolderEntry(desktop.Get(), child.Get(), child.Get(), 2);
                if (myComputer && AreItemsSame(desktop.Get(), child.Get(), myComputer.Get()))
                    FillDrives(desktop.Get(), myComputer.Get());
            }
        }
    }

    if (m_pCurrentPidl && !m_bCurrentFound)
        SelectDeepestAncestor();
    m_iNavigated = ItemIndex();
}

void TNameSpaceCombo::FillDrives(IShellFolder* Desktop, LPCITEMIDLIST MyComputer) {
    ComPtr<IShellFolder> computer;
    BindToFolder(MyComputer, Desktop, computer);
    if (!computer)
        return;
    ComPtr<IEnumIDList> items;
    if (computer->EnumObjects(ShellOwnerWindow(), kFillFlags, &items) != S_OK || !items)
        return;
    // The current folder's drive is its second item; the first, My Computer, is not examined.
    LPCITEMIDLIST cursor = GetPidlAtIndex(m_pCurrentPidl.Get(), 1);
    const OwnedPidl currentDrive(OwnedPidl::Adopt,
                                 cursor ? GetFirstPidl(cursor, g_ShellMalloc) : nullptr);
    OwnedPidl child;
    while (items->Next(1, child.Put(), nullptr) == S_OK && child) {
        const OwnedPidl fullList(OwnedPidl::Adopt,
                                 ConcatPidls(MyComputer, child.Get(), g_ShellMalloc));
        if (!fullList)
            continue;
        AddFolderEntry(computer.Get(), child.Get(), fullList.Get(), 4);
        if (currentDrive && AreItemsSame(computer.Get(), child.Get(), currentDrive.Get()))
            FillChain(computer.Get(), child.Get(), fullList.Get());
    }
}

// One entry per folder from the drive down to the current folder; siblings are never listed.
void TNameSpaceCombo::FillChain(IShellFolder* MyComputer, LPCITEMIDLIST Drive,
                                LPCITEMIDLIST DriveFQ) {
    ComPtr<IShellFolder> parent = MyComputer;
    OwnedPidl node = CopyPidl(Drive);
    OwnedPidl nodeFull = CopyPidl(DriveFQ);
    LPCITEMIDLIST cursor = GetPidlAtIndex(m_pCurrentPidl.Get(), 2);
    const HWND owner = ShellOwnerWindow();
    // The current folder's own children are not enumerated: with no item left under the
    // cursor the chain is complete.
    for (int depth = 3; node && nodeFull && cursor && cursor->mkid.cb; ++depth) {
        ComPtr<IShellFolder> folder;
        BindToFolder(node.Get(), parent.Get(), folder);
        if (!folder)
            return;
        ComPtr<IEnumIDList> items;
        if (folder->EnumObjects(owner, kFillFlags, &items) != S_OK || !items)
            return;
        const OwnedPidl wanted(OwnedPidl::Adopt, GetFirstPidl(cursor, g_ShellMalloc));
        if (!wanted)
            return;
        OwnedPidl match;
        OwnedPidl child;
        while (items->Next(1, child.Put(), nullptr) == S_OK && child) {
            if (AreItemsSame(folder.Get(), child.Get(), wanted.Get())) {
                match = std::move(child);
                break;
            }
        }
        if (!match)
            return;
        OwnedPidl fullList(OwnedPidl::Adopt,
                           ConcatPidls(nodeFull.Get(), match.Get(), g_ShellMalloc));
        if (!fullList)
            return;
        AddFolderEntry(folder.Get(), match.Get(), fullList.Get(), 2 * depth);
        parent = folder;
        node = std::move(match);
        nodeFull = std::move(fullList);
    }
}

// A current folder outside the listed chain (inside Documents, say, or below a hidden folder)
// shows where it lies: its deepest listed ancestor is selected.
void TNameSpaceCombo::SelectDeepestAncestor() {
    LPCITEMIDLIST current = m_pCurrentPidl.Get();
    const int currentCount = GetPidlCount(current);
    int best = -1;
    int bestCount = -1;
    for (int i = 0; i < EntryCount(); ++i) {
        LPCITEMIDLIST full = m_ItemList[i]->pFQPidl.Get();
        const int count = GetPidlCount(full);
        if (!full || count > currentCount || count <= bestCount)
            continue;
        const OwnedPidl leading = LeadingItems(current, count);
        if (!leading)
            continue;
        if (ArePidlsSame(full, leading.Get()) ||
            (count > 0 && m_Shell->Comparepidls(full, leading.Get()) == 0)) {
            best = i;
            bestCount = count;
        }
    }
    if (best >= 0)
        SetItemIndex(best);
}
