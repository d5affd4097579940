// The combo's life, its properties, the current folder, the user's choice and the links.

#include "combo/NameSpaceCombo.h"

#include "framework/LinkProperty.h"
#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <algorithm>
#include <utility>

using namespace EnumGlobals;

const TClassInfo& TNameSpaceCombo::StaticClassInfo() {
    using T = TNameSpaceCombo;
    static const TClassInfo info{
        .ClassName = "TNameSpaceCombo",
        .Parent = &TCustomComboBox::StaticClassInfo(),
        .Create = ConstructComponent<TNameSpaceCombo>,
        .Properties =
            {
                // No default: always stored.
                EnumProperty("About", "TAbout", &T::About, &T::SetAbout, {"taAbout"}),
                LinkProperty<T, INameSpaceEnumeratorLink, &T::NameSpaceEnumerator,
                             &T::SetNameSpaceEnumerator>("NameSpaceEnumerator",
                                                         "TNameSpaceEnumerator"),
                LinkProperty<T, IFolderEnumeratorLink, &T::FolderEnumerator,
                             &T::SetFolderEnumerator>("FolderEnumerator", "TFolderEnumerator"),
            },
        .Messages = {MessageHandler<CN_DRAWITEM, &T::CNDrawItem>()},
        // The framework's properties the combo stores, ahead of its own; the rest stay hidden.
        .Republished = std::vector<std::string_view>{"Name", "Left", "Top", "Width", "Height",
                                                     "Align", "Color", "Font", "OnEnter", "OnExit"},
    };
    return info;
}

TNameSpaceCombo::TNameSpaceCombo(TComponent* AOwner, TViewServices* Shell)
    : TCustomComboBox(AOwner), m_Shell(Shell ? Shell : &TViewServices::Default()) {
    // The look first: placing the combo on a shown parent makes its window at once.
    SetStyle(csOwnerDrawFixed);
    SetDropDownCount(10);
    // The shell's own small icons; the list is shared, never destroyed by the combo.
    m_ilSmall = new TImageList(this);
    m_ilSmall->SetShareImages(true);
    m_ilSmall->SetHandle(m_Shell->GetSmallSystemImageList());
    // Items fit the font whenever it changes: set in code, read from a form file or taken from
    // the parent. The framework applies the font to the window first.
    Font().OnChange = [this, applyFont = std::move(Font().OnChange)](TObject* Sender) {
        if (applyFont)
            applyFont(Sender);
        FitItemHeight();
    };
    FitItemHeight();
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        SetParent(parent);
    FillCombo();
}

TNameSpaceCombo::~TNameSpaceCombo() {
    // The partners would otherwise keep a pointer to a combo that is gone.
    UnlinkPartners();
    DestroyHandle();
    ClearItemList();
    Items().Clear();
}

// Items tall enough for a small icon and for a caption in the combo's font; the closed box
// takes the same height for its field, and the control sizes its window to it.
void TNameSpaceCombo::FitItemHeight() {
    int height = m_ilSmall->Height() > 0 ? m_ilSmall->Height() : 16;
    if (HDC dc = GetDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, Font().Handle());
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc, &metrics))
            height = std::max(height, static_cast<int>(metrics.tmHeight));
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    SetItemHeight(height);
}

// The shell's dialogs belong to the window the combo lives in, when it has one already: asking
// a parent without a window for one would make it a stray top-level window.
HWND TNameSpaceCombo::ShellOwnerWindow() {
    if (TWinControl* parent = Parent())
        return parent->HandleAllocated() ? parent->Handle() : nullptr;
    return ParentWindow();
}

OwnedPidl TNameSpaceCombo::CopyPidl(LPCITEMIDLIST Pidl) {
    return OwnedPidl(OwnedPidl::Adopt, Pidl ? ConcatPidls(nullptr, Pidl, g_ShellMalloc) : nullptr);
}

const TItemEntry* TNameSpaceCombo::Entry(int Index) const {
    return Index >= 0 && Index < EntryCount() ? m_ItemList[Index].get() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// The current folder.

OwnedPidl TNameSpaceCombo::GetCurrentPidl() const {
    const TItemEntry* entry = Entry(ItemIndex());
    return entry ? CopyPidl(entry->pFQPidl.Get()) : OwnedPidl();
}

std::string TNameSpaceCombo::GetCurrentPath() const {
    const TItemEntry* entry = Entry(ItemIndex());
    return entry ? entry->sFQPath : std::string();
}

bool TNameSpaceCombo::GetDroppedState() const {
    return DroppedDown();
}

void TNameSpaceCombo::SetCurrentPidl(LPCITEMIDLIST Pidl) {
    m_pCurrentPidl.Reset();
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        return;
    if (!Pidl) {
        m_sCurrentPath.clear();
        FillCombo();
        return;
    }
    std::string name;
    if (!GetNiceName(desktop.Get(), Pidl, SHGDN_NORMAL, name))
        return;
    m_pCurrentPidl = CopyPidl(Pidl);
    m_sCurrentPath = name;
    FillCombo();
}

void TNameSpaceCombo::SetCurrentPath(const std::string& szPath) {
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        return;
    OwnedPidl parsed = ParsePath(desktop.Get(), ShellOwnerWindow(), szPath);
    if (!parsed)
        return;
    m_pCurrentPidl = std::move(parsed);
    m_sCurrentPath = szPath;
    FillCombo();
}

// ---------------------------------------------------------------------------------------------
// The user's choice.
//
// The platforms report a choice in the open list differently. Windows reports each arrowed
// entry as a selection change while the list is open (which moves nothing) and then accepts or
// cancels. Wine reports no selection change for Return, leaves the arrowed entry selected on
// Escape, and reports a mouse pick's change only after the list has closed. So the close itself
// moves the views when it accepts an entry they do not show yet, a cancel puts the selection
// back, and a change reported after the close moves them only if the close has not.

void TNameSpaceCombo::Change() {
    TCustomComboBox::Change();
    if (GetDroppedState() || ItemIndex() < 0 || ItemIndex() == m_iNavigated)
        return;
    Navigate();
}

void TNameSpaceCombo::SelEndOk() {
    m_CloseReason = TCloseReason::Accepted;
}

void TNameSpaceCombo::SelEndCancel() {
    m_CloseReason = TCloseReason::Cancelled;
}

void TNameSpaceCombo::CloseUp() {
    const TCloseReason reason = std::exchange(m_CloseReason, TCloseReason::None);
    const int index = ItemIndex();
    if (reason == TCloseReason::Cancelled && index != m_iNavigated)
        SetItemIndex(m_iNavigated);
    else if (reason == TCloseReason::Accepted && index >= 0 && index != m_iNavigated)
        Navigate();
}

void TNameSpaceCombo::Navigate() {
    const int index = ItemIndex();
    const TItemEntry* entry = Entry(index);
    if (!entry)
        return;
    m_iNavigated = index;
    // The tree answers with SetCurrentPidl, which refills and frees the entries: it gets a list
    // of its own.
    const OwnedPidl fullList = CopyPidl(entry->pFQPidl.Get());
    if (m_NameSpaceEnumerator) {
        m_NameSpaceEnumerator->ExpandToFolder(this, fullList.Get());
        return;
    }
    if (!m_FolderEnumerator)
        return;
    ComPtr<IShellFolder> folder;
    bool sorting = false;
    LPCITEMIDLIST parentPidl = fullList.Get();
    if (!entry->sfFolder) {
        // The desktop entry has no folder to bind in: the list shows the desktop itself, as the
        // tree shows its desktop root.
        if (!m_Shell->GetDesktopFolder(folder))
            return;
        parentPidl = nullptr;
    } else {
        BindToFolder(entry->pPidl.Get(), entry->sfFolder.Get(), folder);
        if (!folder)
            return;
        sorting = HasAttribute(entry->sfFolder.Get(), entry->pPidl.Get(), SFGAO_FILESYSTEM) &&
                  HasAttribute(entry->sfFolder.Get(), entry->pPidl.Get(), SFGAO_FOLDER);
    }
    m_FolderEnumerator->FolderChanged(this, folder.Get(), parentPidl, sorting);
}

// ---------------------------------------------------------------------------------------------
// Links.

// Both partners forget the combo. Their removal notices stay registered: the registration runs
// both ways, and a notice for a partner no longer linked is not matched.
void TNameSpaceCombo::UnlinkPartners() {
    if (IFolderEnumeratorLink* list = m_FolderEnumerator.Get()) {
        m_FolderEnumerator.Set(this, nullptr);
        list->SetNameSpaceCombo(nullptr);
    }
    if (INameSpaceEnumeratorLink* tree = m_NameSpaceEnumerator.Get()) {
        m_NameSpaceEnumerator.Set(this, nullptr);
        tree->SetNameSpaceCombo(nullptr);
    }
}

void TNameSpaceCombo::SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) {
    UnlinkPartners();
    if (!NSE)
        return;
    m_NameSpaceEnumerator.Set(this, NSE);
    NSE->SetNameSpaceCombo(this);
    FillCombo();
}

void TNameSpaceCombo::SetFolderEnumerator(IFolderEnumeratorLink* FE) {
    UnlinkPartners();
    if (!FE)
        return;
    m_FolderEnumerator.Set(this, FE);
    FE->SetNameSpaceCombo(this);
    FillCombo();
}

// A partner going away is forgotten without a call: it is no longer whole enough to answer.
void TNameSpaceCombo::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent)
        return;
    m_NameSpaceEnumerator.Forget(AComponent);
    m_FolderEnumerator.Forget(AComponent);
}
