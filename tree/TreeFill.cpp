// Root building, expansion and filling, icons, the reuse of nodes, the sort and the sweep of
// nodes gone.

#include "tree/NameSpaceEnumerator.h"

#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace EnumGlobals;

namespace {

// The special folder each root stands for (raFileSystem falls back to My Computer).
constexpr int kRootFolders[] = {CSIDL_DESKTOP,   CSIDL_DRIVES,   CSIDL_NETWORK,
                                CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DRIVES};

// Only folders are shown, hidden ones included.
constexpr SHCONTF kFillFlags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;

// The one place the tree frees node records: a node gives up its record when it goes (Deletion)
// and when a refill hands it a fresh one.
void ReplaceRecord(TTreeNode* Node, std::unique_ptr<TNodeData> Data) {
    const std::unique_ptr<TNodeData> old(TNameSpaceEnumerator::NodeData(Node));
    Node->SetData(Data.release());
}

} // namespace

int TVCompareProc(TTreeNode* Node1, TTreeNode* Node2, LPARAM) {
    if (!Node1 || !Node2)
        return 0;
    return lstrcmpiW(Utf8ToWide(Node1->Text()).c_str(), Utf8ToWide(Node2->Text()).c_str());
}

// ---------------------------------------------------------------------------------------------
// The root.

// The tree's window owns what the shell shows while it parses and locates; it is made here when
// the tree has a place for it. A tree not yet placed gets no stray top-level window.
HWND TNameSpaceEnumerator::ShellOwnerWindow() {
    return Parent() || ParentWindow() ? Handle() : nullptr;
}

void TNameSpaceEnumerator::InitEnumerator() {
    const TBusy busy(*this);
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        return;
    const HWND owner = ShellOwnerWindow();

    OwnedPidl root;
    if (m_RootedAt == raFileSystem) {
        // No path names no folder, whatever a shell makes of it (Wine's desktop parses "" as My
        // Computer with success); a path too long for the platform names none either.
        if (!m_sfRoot.empty())
            root = ParsePath(desktop.Get(), owner, m_sfRoot);
        if (!root)
            m_RootedAt = raMyComputer;
    }
    if (!root)
        root = m_Shell->GetSpecialFolderLocation(owner, kRootFolders[m_RootedAt]);

    Items().Clear();
    // A special folder that is not there (no network, say) leaves the tree empty.
    if (!root)
        return;

    const std::string caption = m_Shell->GetDisplayName(root.Get());
    auto data = std::make_unique<TNodeData>();
    data->sfFolder = desktop;
    if (m_RootedAt != raDesktop)
        data->pFQpidl.Reset(ConcatPidls(nullptr, root.Get(), g_ShellMalloc));
    data->pPidl.Reset(ConcatPidls(nullptr, root.Get(), g_ShellMalloc));
    data->bFolder = true;

    TTreeNode* node = Items().AddObject(nullptr, caption, data.release());
    int normal = 0;
    int selected = 0;
    m_Shell->GetSmallIcons(root.Get(), normal, selected);
    node->SetImageIndex(normal);
    node->SetSelectedIndex(selected);
    node->SetHasChildren(true);
    // Selection lives in the window. A tree not yet placed selects its root when it gets one.
    m_bSelectRootOnCreate = !ShellOwnerWindow();
    if (!m_bSelectRootOnCreate)
        SetSelected(node);
}

bool TNameSpaceEnumerator::IsDesktopRoot(const TTreeNode* Node) const {
    return m_RootedAt == raDesktop && Node && Node == Items().GetFirstNode();
}

// ---------------------------------------------------------------------------------------------
// Expansion and filling.

void TNameSpaceEnumerator::Expanding(TObject*, TTreeNode* ParentNode, bool& AllowExpansion) {
    const TBusy busy(*this);
    AllowExpansion = true;
    TNodeData* data = NodeData(ParentNode);
    // The control may drop the button of a node that expands to nothing.
    if (data)
        data->bButtonKnown = false;
    if (InState(csDesigning) || !data || data->bExpandedOnce || !data->pPidl)
        return;
    if (m_RootedAt == raDesktop && !data->pFQpidl) {
        FillSubTree(ParentNode, data->sfFolder.Get());
        return;
    }
    ComPtr<IShellFolder> folder;
    BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    if (folder)
        FillSubTree(ParentNode, folder.Get());
}

void TNameSpaceEnumerator::Collapsing(TObject*, TTreeNode*, bool& AllowCollapse) {
    AllowCollapse = true;
}

void TNameSpaceEnumerator::FillSubTree(TTreeNode* ParentNode, IShellFolder* pFolder) {
    TNodeData* parentData = NodeData(ParentNode);
    if (!parentData || !pFolder)
        return;
    const TBusy busy(*this);
    const ComPtr<IShellFolder> folder(pFolder);
    const TCursor savedCursor = Cursor();
    SetCursor(crHourGlass);
    Items().BeginUpdate();

    // The node's own button changes with its children.
    parentData->bButtonKnown = false;
    SetFoundFlag(ParentNode, false);
    BuildReuseIndex(ParentNode);

    ComPtr<IEnumIDList> items;
    const HRESULT started = folder->EnumObjects(OwnerWindow(), kFillFlags, &items);
    // S_FALSE: nothing to list, which is an enumeration too (the enumerator may then be null).
    const bool enumerated = (started == S_OK && items) || started == S_FALSE;
    if (!enumerated) {
        // Every child goes in the sweep; a later expansion or refresh tries again.
        parentData->bExpandedOnce = false;
    } else {
        m_PlainIcons = TNodeLook{};
        OwnedPidl item;
        while (items && items->Next(1, item.Put(), nullptr) == S_OK && item) {
            LPCITEMIDLIST child = item.Get();
            // One question for every attribute the fill reads.
            SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
                                SFGAO_SHARE | SFGAO_LINK | SFGAO_FOLDER | SFGAO_STREAM;
            if (folder->GetAttributesOf(1, &child, &attributes) != S_OK)
                attributes = 0;
            if (!m_bVirtualFolders &&
                !AttributeExists(attributes, SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))
                continue;
            std::string caption;
            if (!GetNiceName(folder.Get(), child, SHGDN_NORMAL, caption))
                continue;

            // Without its full list the node could not be told from the desktop root.
            OwnedPidl fullPidl(OwnedPidl::Adopt,
                               ConcatPidls(parentData->pFQpidl.Get(), child, g_ShellMalloc));
            if (!fullPidl)
                continue;
            auto data = std::make_unique<TNodeData>();
            data->sfFolder = folder;
            data->pFQpidl = std::move(fullPidl);
            // The enumerated list itself becomes the record's; child still points into it.
            data->pPidl = std::move(item);

            // Icons, overlay and expand button are read again for every item. The icons are
            // looked up only when the node is drawn or read (GetImages): most nodes of a large
            // folder never are. A link's arrow wins over the share's hand; a reused node loses
            // an overlay the item lost.
            TNodeLook look;
            look.ImagesOnDemand = true;
            data->ulAttributes = attributes;
            if (AttributeExists(attributes, SFGAO_SHARE))
                look.OverlayIndex = 0;
            if (AttributeExists(attributes, SFGAO_LINK))
                look.OverlayIndex = 1;
            look.HasChildren = AttributeExists(attributes, SFGAO_HASSUBFOLDER);
            data->bFolder = look.HasChildren;
            data->bFound = true;
            data->bButtonKnown = true;

            if (TTreeNode* node = GetNodeFromData(ParentNode, parentData, caption)) {
                TNodeData* old = NodeData(node);
                const bool buttonKnown = old && old->bButtonKnown;
                const bool button = old && old->bFolder;
                if (old) {
                    data->bSort = old->bSort;
                    data->bExpandedOnce = old->bExpandedOnce;
                }
                ReplaceRecord(node, std::move(data));
                ApplyLook(node, look, buttonKnown, button);
            } else {
                Items().AddChildObject(ParentNode, caption, data.release(), look);
            }
        }
        if (ParentNode->Count() == 0)
            ParentNode->SetHasChildren(false);
        parentData->bExpandedOnce = true;
    }
    items.Reset();
    m_Reuse.Clear();

    DeleteNodesNotFound(ParentNode);
    // The control drops the expand button with the last child; the node keeps the one its
    // parent's fill gave it, so that expanding it can try again.
    if (!enumerated && parentData->bFolder && !ParentNode->HasChildren())
        ParentNode->SetHasChildren(true);
    if (!IsDesktopRoot(ParentNode) &&
        GetAttributesOfItem(parentData->sfFolder.Get(), parentData->pPidl.Get(), SFGAO_FILESYSTEM))
        SortChildren(ParentNode);

    Items().EndUpdate();
    SetCursor(savedCursor);
}

// Each change is a message to the window: only what differs is sent. The button is asked of the
// window only when the record cannot tell it (Button, when ButtonKnown).
void TNameSpaceEnumerator::ApplyLook(TTreeNode* Node, const TNodeLook& Look, bool ButtonKnown,
                                     bool Button) {
    if ((ButtonKnown ? Button : Node->HasChildren()) != Look.HasChildren)
        Node->SetHasChildren(Look.HasChildren);
    // A node whose icons were never needed finds them from its new record when they are; one
    // that showed them is asked again.
    if (Look.ImagesOnDemand) {
        if (!Node->ImagesOnDemand())
            Node->SetImagesOnDemand();
    } else if (Node->ImageIndex() != Look.ImageIndex)
        Node->SetImageIndex(Look.ImageIndex);
    if (!Look.ImagesOnDemand && Node->SelectedIndex() != Look.SelectedIndex)
        Node->SetSelectedIndex(Look.SelectedIndex);
    if (Node->OverlayIndex() != Look.OverlayIndex)
        Node->SetOverlayIndex(Look.OverlayIndex);
}

bool TNameSpaceEnumerator::IsRecycleBin(LPCITEMIDLIST FQPidl, LPCITEMIDLIST RecycleBin) {
    // Lists of different depths never name one object: the shell is asked only about the few
    // children as deep as the bin.
    if (!FQPidl || !RecycleBin || GetPidlCount(FQPidl) != GetPidlCount(RecycleBin))
        return false;
    return m_Shell->Comparepidls(FQPidl, RecycleBin) == 0;
}

void TNameSpaceEnumerator::BuildReuseIndex(TTreeNode* ParentNode) {
    const OwnedPidl recycleBin = m_Shell->GetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET);
    m_Reuse.Build(ParentNode, [&](const TTreeNode* child) {
        const TNodeData* data = NodeData(child);
        return data && IsRecycleBin(data->pFQpidl.Get(), recycleBin.Get());
    });
}

TTreeNode* TNameSpaceEnumerator::GetNodeFromData(TTreeNode* ParentNode, TNodeData*,
                                                 const std::string& szCaption) {
    if (!ParentNode)
        return nullptr;
    // Outside the fill of this node: a walk over the children, with nothing kept. No fill is
    // claiming children, so what bFound says of them is stale.
    if (!m_Reuse.Covers(ParentNode)) {
        const OwnedPidl recycleBin = m_Shell->GetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET);
        for (TTreeNode* child = ParentNode->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            TNodeData* data = NodeData(child);
            if (child->Text() != szCaption ||
                (data && IsRecycleBin(data->pFQpidl.Get(), recycleBin.Get())))
                continue;
            if (data)
                data->bFound = true;
            return child;
        }
        return nullptr;
    }
    return m_Reuse.Claim(szCaption);
}

void TNameSpaceEnumerator::SetFoundFlag(TTreeNode* Node, bool bFound) {
    if (!Node)
        return;
    for (TTreeNode* child = Node->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (TNodeData* data = NodeData(child))
            data->bFound = bFound;
        if (child->Count() > 0)
            SetFoundFlag(child, bFound);
    }
}

void TNameSpaceEnumerator::DeleteNodesNotFound(TTreeNode* ParentNode) {
    if (!ParentNode)
        return;
    Items().DeleteChildrenIf(ParentNode, [](TTreeNode* Child) {
        const TNodeData* data = NodeData(Child);
        return !data || !data->bFound;
    });
}

void TNameSpaceEnumerator::SortChildren(TTreeNode* ParentNode) {
    // The captions are converted once; a folder already in order (the usual case on a refresh)
    // costs one comparison per child and is left alone.
    std::vector<std::wstring> captions;
    captions.reserve(static_cast<size_t>(ParentNode->Count()));
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling())
        captions.push_back(Utf8ToWide(child->Text()));
    bool sorted = true;
    for (size_t i = 1; i < captions.size() && sorted; ++i)
        sorted = lstrcmpiW(captions[i - 1].c_str(), captions[i].c_str()) <= 0;
    if (sorted)
        return;
    // Sorting compares each caption many times: each becomes the system's sort key for the
    // comparison TVCompareProc makes (keys compare as the strings do), one conversion per child
    // instead of a slow comparison call per pair.
    std::vector<std::string> keys;
    keys.reserve(captions.size());
    for (const std::wstring& caption : captions) {
        const int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                                      caption.c_str(), -1, nullptr, 0);
        std::string key(static_cast<size_t>(std::max(size, 0)), '\0');
        if (size <= 0 ||
            !LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, caption.c_str(), -1,
                          reinterpret_cast<LPWSTR>(key.data()), size)) {
            ParentNode->CustomSort(TVCompareProc, 0, false);
            return;
        }
        keys.push_back(std::move(key));
    }
    // By position until the sort renumbers the children.
    const auto byKey = [](TTreeNode* Node1, TTreeNode* Node2, LPARAM Keys) {
        const auto& k = *reinterpret_cast<const std::vector<std::string>*>(Keys);
        return k[Node1->Index()].compare(k[Node2->Index()]);
    };
    ParentNode->CustomSort(byKey, reinterpret_cast<LPARAM>(&keys), false);
}

void TNameSpaceEnumerator::Deletion(TObject*, TTreeNode* Node) {
    if (!m_bDeleteData || !Node)
        return;
    if (Node == m_MenuRestore)
        m_MenuRestore = nullptr;
    ReplaceRecord(Node, nullptr);
}

// The icons of a filled node, from its record: plain directories share the icons the first of
// them was given; every other item is asked about by its own list.
void TNameSpaceEnumerator::GetImages(TObject*, TTreeNode* Node, int& ImageIndex,
                                     int& SelectedIndex) {
    const TNodeData* data = NodeData(Node);
    if (!data || !data->pFQpidl)
        return;
    if (!m_Shell->IsPlainFolder(data->sfFolder.Get(), data->pPidl.Get(), data->ulAttributes)) {
        m_Shell->GetSmallIcons(data->pFQpidl.Get(), ImageIndex, SelectedIndex);
        return;
    }
    if (m_PlainIcons.ImageIndex < 0)
        m_Shell->GetSmallIcons(data->pFQpidl.Get(), m_PlainIcons.ImageIndex,
                               m_PlainIcons.SelectedIndex);
    ImageIndex = m_PlainIcons.ImageIndex;
    SelectedIndex = m_PlainIcons.SelectedIndex;
}
