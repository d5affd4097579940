#include "support/FakeShell.h"

#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"
#include "shell/OleGlobals.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

constexpr BYTE kMarker[2] = {'V', 'F'};
// Item layout: cb (2), marker (2), node id (4), ANSI name with its zero.
constexpr size_t kNameOffset = 2 + sizeof kMarker + sizeof(int32_t);

std::string ToAnsi(const std::string& utf8) {
    const std::wstring wide = Utf8ToWide(utf8);
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

bool SameName(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(Utf8ToWide(a).c_str(), -1, Utf8ToWide(b).c_str(), -1, TRUE) ==
           CSTR_EQUAL;
}

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

FakeItem FakeFile(std::string name) {
    FakeItem item;
    item.name = std::move(name);
    item.attributes = SFGAO_FILESYSTEM | SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANCOPY |
                      SFGAO_CANMOVE | SFGAO_STREAM;
    return item;
}

FakeItem FakeFolder(std::string name, std::vector<FakeItem> children) {
    FakeItem item;
    item.name = std::move(name);
    item.attributes = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_CANRENAME |
                      SFGAO_CANDELETE | SFGAO_CANCOPY | SFGAO_CANMOVE;
    if (std::any_of(children.begin(), children.end(),
                    [](const FakeItem& c) { return (c.attributes & SFGAO_FOLDER) != 0; }))
        item.attributes |= SFGAO_HASSUBFOLDER;
    item.children = std::move(children);
    return item;
}

FakeItem FakeVirtualFolder(std::string name, std::vector<FakeItem> children) {
    FakeItem item = FakeFolder(std::move(name), std::move(children));
    item.attributes &= ~(SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_CANRENAME |
                         SFGAO_CANDELETE | SFGAO_CANCOPY | SFGAO_CANMOVE);
    return item;
}

// ---------------------------------------------------------------------------------------------
// The namespace behind the objects: nodes by id, the call record, the live-object count.

struct FakeShell::State {
    struct Node {
        int id = 0;
        FakeItem item; // without its children
        Node* parent = nullptr;
        std::vector<Node*> children;
    };

    IMalloc* allocator = nullptr;
    std::map<int, std::unique_ptr<Node>> nodes;
    Node* root = nullptr;
    FakeCalls calls;
    std::vector<std::string> verbs{"open", "explore", "delete", "rename", "properties"};
    size_t defaultVerb = 0;
    bool rejectRenames = false;
    bool emptyDefaultOnly = false;
    int live = 0;
    std::function<void(const std::string&)> onNext;
    std::function<void()> onInvoke;

    Node* Add(FakeItem item, Node* parent) {
        auto node = std::make_unique<Node>();
        node->id = static_cast<int>(nodes.size()) + 1;
        node->parent = parent;
        std::vector<FakeItem> children = std::move(item.children);
        item.children.clear();
        if (item.path.empty() && parent)
            item.path = EnumGlobals::EnsureBackSlash(parent->item.path) + item.name;
        node->item = std::move(item);
        Node* raw = node.get();
        nodes.emplace(raw->id, std::move(node));
        for (FakeItem& child : children)
            raw->children.push_back(Add(std::move(child), raw));
        return raw;
    }

    // One item id for the node, from the allocator.
    LPITEMIDLIST ItemId(const Node* node) const {
        const std::string name = ToAnsi(node->item.name);
        const size_t cb = kNameOffset + name.size() + 1;
        auto* block = static_cast<BYTE*>(allocator->Alloc(cb + 2));
        if (!block)
            return nullptr;
        const USHORT cb16 = static_cast<USHORT>(cb);
        std::memcpy(block, &cb16, 2);
        std::memcpy(block + 2, kMarker, sizeof kMarker);
        const int32_t id = node->id;
        std::memcpy(block + 4, &id, sizeof id);
        std::memcpy(block + kNameOffset, name.c_str(), name.size() + 1);
        block[cb] = 0;
        block[cb + 1] = 0;
        return reinterpret_cast<LPITEMIDLIST>(block);
    }

    // The list from `from` down to `node`.
    LPITEMIDLIST ListBetween(const Node* from, const Node* node) const {
        std::vector<const Node*> chain;
        for (const Node* n = node; n && n != from; n = n->parent)
            chain.push_back(n);
        LPITEMIDLIST list = EnumGlobals::CreatePidl(2, allocator);
        for (auto it = chain.rbegin(); it != chain.rend() && list; ++it) {
            OwnedPidl item(OwnedPidl::Adopt, ItemId(*it), allocator);
            OwnedPidl head(OwnedPidl::Adopt, list, allocator);
            list = EnumGlobals::ConcatPidls(head.Get(), item.Get(), allocator);
        }
        return list;
    }

    // Walks a list relative to `from`; null when an item is not one of ours.
    Node* Resolve(Node* from, LPCITEMIDLIST pidl, size_t* lastOffset = nullptr) const {
        if (!pidl)
            return nullptr;
        const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
        Node* node = from;
        size_t offset = 0;
        for (;;) {
            USHORT cb;
            std::memcpy(&cb, bytes + offset, 2);
            if (cb == 0)
                return node;
            if (cb < kNameOffset || std::memcmp(bytes + offset + 2, kMarker, 2) != 0)
                return nullptr;
            int32_t id;
            std::memcpy(&id, bytes + offset + 4, sizeof id);
            const auto found = nodes.find(id);
            if (found == nodes.end() || found->second->parent != node)
                return nullptr;
            node = found->second.get();
            if (lastOffset)
                *lastOffset = offset;
            offset += cb;
        }
    }

    Node* Find(std::string_view path) const {
        Node* node = root;
        for (const std::string& part : SplitPath(path)) {
            const auto child = std::find_if(node->children.begin(), node->children.end(),
                                            [&](Node* c) { return SameName(c->item.name, part); });
            if (child == node->children.end())
                return nullptr;
            node = *child;
        }
        return node;
    }

    std::wstring WideCopy(const std::string& text, LPWSTR* out) const {
        const std::wstring wide = Utf8ToWide(text);
        const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
        *out = static_cast<LPWSTR>(allocator->Alloc(bytes));
        if (*out)
            std::memcpy(*out, wide.c_str(), bytes);
        return wide;
    }
};

namespace {

using State = FakeShell::State;
using Node = FakeShell::State::Node;

// The counted base of every fake object: one live object per instance, released on the last
// Release.
template <typename... Interfaces> class Counted : public Interfaces... {
public:
    explicit Counted(std::shared_ptr<State> state) : m_State(std::move(state)) { ++m_State->live; }
    virtual ~Counted() { --m_State->live; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    ULONG AddRef_() { return ++m_References; }
    ULONG Release_() {
        const ULONG left = --m_References;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    std::shared_ptr<State> m_State;

private:
    ULONG m_References = 1;
};

#define VARNEL_FAKE_UNKNOWN(First)                                                                 \
    ULONG STDMETHODCALLTYPE AddRef() override {                                                    \
        return AddRef_();                                                                          \
    }                                                                                              \
    ULONG STDMETHODCALLTYPE Release() override {                                                   \
        return Release_();                                                                         \
    }                                                                                              \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {                   \
        if (!ppv)                                                                                  \
            return E_POINTER;                                                                      \
        if (riid == IID_IUnknown || riid == __uuidof(First)) {                                     \
            *ppv = static_cast<First*>(this);                                                      \
            AddRef();                                                                              \
            return S_OK;                                                                           \
        }                                                                                          \
        *ppv = nullptr;                                                                            \
        return E_NOINTERFACE;                                                                      \
    }

class EnumObject final : public Counted<IEnumIDList> {
public:
    EnumObject(std::shared_ptr<State> state, std::vector<Node*> items, bool emptySuccessAtEnd)
        : Counted(std::move(state)), m_Items(std::move(items)),
          m_bEmptySuccessAtEnd(emptySuccessAtEnd) {}
    VARNEL_FAKE_UNKNOWN(IEnumIDList)

    HRESULT STDMETHODCALLTYPE Next(ULONG celt, LPITEMIDLIST* rgelt, ULONG* fetched) override {
        if (!rgelt || (celt > 1 && !fetched))
            return E_INVALIDARG;
        if (m_bEmptySuccessAtEnd && m_Next == m_Items.size() && m_iEmptySuccesses < 1000) {
            ++m_iEmptySuccesses;
            ++m_State->calls.emptySuccesses;
            rgelt[0] = nullptr;
            if (fetched)
                *fetched = 0;
            return S_OK;
        }
        ULONG n = 0;
        while (n < celt && m_Next < m_Items.size()) {
            const Node* node = m_Items[m_Next++];
            rgelt[n++] = m_State->ItemId(node);
            // A copy: the call may replace the hook.
            if (const auto onNext = m_State->onNext)
                onNext(node->item.name);
        }
        if (fetched)
            *fetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override {
        m_Next = std::min(m_Items.size(), m_Next + celt);
        return m_Next < m_Items.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_Next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumIDList** out) override {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

private:
    std::vector<Node*> m_Items;
    size_t m_Next = 0;
    bool m_bEmptySuccessAtEnd = false;
    int m_iEmptySuccesses = 0;
};

class ContextMenuObject final : public Counted<IContextMenu> {
public:
    ContextMenuObject(std::shared_ptr<State> state, std::vector<Node*> items)
        : Counted(std::move(state)), m_Items(std::move(items)) {}
    VARNEL_FAKE_UNKNOWN(IContextMenu)

    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last,
                                               UINT flags) override {
        m_State->calls.menuFlags.push_back(flags);
        const auto& verbs = m_State->verbs;
        UINT offsets = 0;
        for (size_t k = 0; k < verbs.size(); ++k) {
            if ((flags & CMF_DEFAULTONLY) &&
                (k != m_State->defaultVerb || m_State->emptyDefaultOnly))
                continue;
            const UINT id = first + static_cast<UINT>(k);
            if (id > last)
                break;
            InsertMenuW(menu, index++, MF_BYPOSITION | MF_STRING, id, Utf8ToWide(verbs[k]).c_str());
            if (k == m_State->defaultVerb)
                SetMenuDefaultItem(menu, id, FALSE);
            offsets = static_cast<UINT>(k) + 1;
        }
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, offsets);
    }

    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        if (!info)
            return E_INVALIDARG;
        if (const auto onInvoke = m_State->onInvoke)
            onInvoke();
        FakeInvocation call;
        call.window = info->hwnd;
        for (const Node* item : m_Items)
            call.items.push_back(item->item.name);
        const auto& verbs = m_State->verbs;
        HRESULT result = S_OK;
        if (IS_INTRESOURCE(info->lpVerb)) {
            call.commandId = LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb));
            if (static_cast<size_t>(call.commandId) < verbs.size())
                call.verb = verbs[call.commandId];
            else
                result = E_INVALIDARG;
        } else {
            call.verb = info->lpVerb;
            if (std::none_of(verbs.begin(), verbs.end(),
                             [&](const std::string& v) { return SameName(v, call.verb); }))
                result = E_INVALIDARG;
        }
        m_State->calls.invocations.push_back(std::move(call));
        return result;
    }

    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR id, UINT type, UINT*, LPSTR name,
                                               UINT size) override {
        if (id >= m_State->verbs.size() || !name || size == 0)
            return E_INVALIDARG;
        const std::string& verb = m_State->verbs[id];
        if (type == GCS_VERBW)
            lstrcpynW(reinterpret_cast<LPWSTR>(name), Utf8ToWide(verb).c_str(),
                      static_cast<int>(size));
        else if (type == GCS_VERBA)
            lstrcpynA(name, verb.c_str(), static_cast<int>(size));
        else
            return E_NOTIMPL;
        return S_OK;
    }

private:
    std::vector<Node*> m_Items;
};

// Owns a medium's global handle and frees it when its last reference goes.
class MediumOwner final : public Counted<IUnknown> {
public:
    MediumOwner(std::shared_ptr<State> state, HGLOBAL handle)
        : Counted(std::move(state)), m_Handle(handle) {}
    ~MediumOwner() override {
        ++m_State->calls.mediaReleasedThroughObject;
        if (GlobalSize(m_Handle) == 0)
            m_State->calls.releasedHandleWasValid = false;
        GlobalFree(m_Handle);
    }
    VARNEL_FAKE_UNKNOWN(IUnknown)

private:
    HGLOBAL m_Handle;
};

class DataObjectObject final : public Counted<IDataObject> {
public:
    DataObjectObject(std::shared_ptr<State> state, std::vector<std::string> paths,
                     MediumRelease release, DataFormats formats)
        : Counted(std::move(state)), m_Paths(std::move(paths)), m_Release(release),
          m_Formats(formats) {}
    VARNEL_FAKE_UNKNOWN(IDataObject)

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium)
            return E_INVALIDARG;
        *medium = STGMEDIUM{};
        const HRESULT offered = QueryGetData(format);
        if (offered != S_OK)
            return offered;
        if (format->cfFormat == CF_UNICODETEXT)
            return E_NOTIMPL;
        std::vector<wchar_t> list;
        for (const std::string& path : m_Paths) {
            const std::wstring wide = Utf8ToWide(path);
            list.insert(list.end(), wide.begin(), wide.end());
            list.push_back(L'\0');
        }
        list.push_back(L'\0');
        if (m_Paths.empty())
            list.push_back(L'\0'); // an empty list is still ended by an empty name
        const size_t listBytes = list.size() * sizeof(wchar_t);
        HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + listBytes);
        if (!handle)
            return E_OUTOFMEMORY;
        auto* drop = static_cast<DROPFILES*>(GlobalLock(handle));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), list.data(), listBytes);
        GlobalUnlock(handle);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = handle;
        if (m_Release == MediumRelease::Object)
            medium->pUnkForRelease = new MediumOwner(m_State, handle);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format)
            return E_INVALIDARG;
        const CLIPFORMAT offered = m_Formats == DataFormats::FileList ? CF_HDROP : CF_UNICODETEXT;
        if (format->cfFormat != offered || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out)
            out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    std::vector<std::string> m_Paths;
    MediumRelease m_Release;
    DataFormats m_Formats;
};

class FolderObject final : public Counted<IShellFolder> {
public:
    FolderObject(std::shared_ptr<State> state, Node* node)
        : Counted(std::move(state)), m_Node(node) {}
    VARNEL_FAKE_UNKNOWN(IShellFolder)

    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR name, ULONG* eaten,
                                               LPITEMIDLIST* out, ULONG* attributes) override {
        if (!name || !out)
            return E_INVALIDARG;
        *out = nullptr;
        Node* node = m_Node;
        for (const std::string& part : SplitPath(WideToUtf8(name))) {
            const auto child = std::find_if(node->children.begin(), node->children.end(),
                                            [&](Node* c) { return SameName(c->item.name, part); });
            if (child == node->children.end())
                return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
            node = *child;
        }
        *out = m_State->ListBetween(m_Node, node);
        if (eaten)
            *eaten = static_cast<ULONG>(wcslen(name));
        if (attributes)
            *attributes &= node->item.attributes;
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF flags, IEnumIDList** out) override {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        m_State->calls.enumFlags.push_back(flags);
        if (m_Node->item.failEnumeration)
            return E_FAIL;
        if (m_Node->item.emptyEnumeration)
            return S_FALSE;
        std::vector<Node*> items;
        for (Node* child : m_Node->children) {
            const bool folder = (child->item.attributes & SFGAO_FOLDER) != 0;
            const bool wanted = folder ? (flags & SHCONTF_FOLDERS) : (flags & SHCONTF_NONFOLDERS);
            const bool shown =
                !(child->item.attributes & SFGAO_HIDDEN) || (flags & SHCONTF_INCLUDEHIDDEN);
            if (wanted && shown)
                items.push_back(child);
        }
        const bool emptySuccess = m_Node->item.emptySuccessAfter < items.size();
        if (emptySuccess)
            items.resize(m_Node->item.emptySuccessAfter);
        *out = new EnumObject(m_State, std::move(items), emptySuccess);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST pidl, IBindCtx*, REFIID riid,
                                           void** out) override {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        Node* node = m_State->Resolve(m_Node, pidl);
        if (!node || !(node->item.attributes & SFGAO_FOLDER))
            return E_INVALIDARG;
        if (riid != IID_IShellFolder)
            return E_NOINTERFACE;
        *out = static_cast<IShellFolder*>(new FolderObject(m_State, node));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST, IBindCtx*, REFIID, void** out) override {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, LPCITEMIDLIST a, LPCITEMIDLIST b) override {
        const Node* first = m_State->Resolve(m_Node, a);
        const Node* second = m_State->Resolve(m_Node, b);
        if (!first || !second)
            return E_INVALIDARG;
        if (first == second)
            return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
        const int order = CompareStringOrdinal(Utf8ToWide(first->item.path).c_str(), -1,
                                               Utf8ToWide(second->item.path).c_str(), -1, TRUE);
        const short sign = order == CSTR_LESS_THAN ? -1 : 1;
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(sign));
    }

    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void** out) override {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, LPCITEMIDLIST* items,
                                              SFGAOF* inOut) override {
        if (!inOut)
            return E_INVALIDARG;
        SFGAOF common = count == 0 ? m_Node->item.attributes : ~SFGAOF{0};
        for (UINT i = 0; i < count; ++i) {
            const Node* node = m_State->Resolve(m_Node, items[i]);
            if (!node)
                return E_INVALIDARG;
            common &= node->item.attributes;
        }
        *inOut &= common;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT count, LPCITEMIDLIST* pidls, REFIID riid,
                                            UINT*, void** out) override {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        std::vector<Node*> items;
        for (UINT i = 0; i < count; ++i) {
            Node* node = m_State->Resolve(m_Node, pidls[i]);
            if (!node)
                return E_INVALIDARG;
            items.push_back(node);
        }
        if (riid == IID_IContextMenu) {
            std::vector<std::string> names;
            for (const Node* node : items)
                names.push_back(node->item.name);
            m_State->calls.menuItems.push_back(std::move(names));
            *out = static_cast<IContextMenu*>(new ContextMenuObject(m_State, std::move(items)));
            return S_OK;
        }
        if (riid == IID_IDataObject) {
            std::vector<std::string> paths;
            for (const Node* node : items)
                paths.push_back(node->item.path);
            *out = static_cast<IDataObject*>(new DataObjectObject(
                m_State, std::move(paths), MediumRelease::Handle, DataFormats::FileList));
            return S_OK;
        }
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF flags,
                                               STRRET* name) override {
        if (!name)
            return E_INVALIDARG;
        m_State->calls.nameFlags.push_back(flags);
        size_t lastOffset = 0;
        const Node* node = m_State->Resolve(m_Node, pidl, &lastOffset);
        if (!node || node->item.failDisplayName)
            return E_FAIL;
        const bool parsing = (flags & SHGDN_FORPARSING) && !(flags & SHGDN_INFOLDER);
        if (parsing) {
            name->uType = STRRET_WSTR;
            m_State->WideCopy(node->item.path, &name->pOleStr);
            return name->pOleStr ? S_OK : E_OUTOFMEMORY;
        }
        switch (node->item.nameKind) {
        case StrRetKind::Wide:
            name->uType = STRRET_WSTR;
            m_State->WideCopy(node->item.name, &name->pOleStr);
            return name->pOleStr ? S_OK : E_OUTOFMEMORY;
        case StrRetKind::Offset:
            name->uType = STRRET_OFFSET;
            name->uOffset = static_cast<UINT>(lastOffset + kNameOffset);
            return S_OK;
        case StrRetKind::Inline:
            name->uType = STRRET_CSTR;
            lstrcpynA(name->cStr, ToAnsi(node->item.name).c_str(), MAX_PATH);
            return S_OK;
        }
        return E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, LPCITEMIDLIST pidl, LPCWSTR newName, SHGDNF,
                                        LPITEMIDLIST* out) override {
        if (out)
            *out = nullptr;
        Node* node = m_State->Resolve(m_Node, pidl);
        if (!node || !newName)
            return E_INVALIDARG;
        const std::string renamed = WideToUtf8(newName);
        m_State->calls.renames.emplace_back(node->item.name, renamed);
        if (m_State->rejectRenames)
            return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
        node->item.name = renamed;
        if (node->parent)
            node->item.path = EnumGlobals::EnsureBackSlash(node->parent->item.path) + renamed;
        if (out) {
            *out = m_State->ItemId(node);
            if (!*out)
                return E_OUTOFMEMORY;
        }
        return S_OK;
    }

private:
    Node* m_Node;
};

} // namespace

// ---------------------------------------------------------------------------------------------

FakeShell::FakeShell(std::vector<FakeItem> items, IMalloc* allocator, std::string rootPath)
    : m_State(std::make_shared<State>()) {
    m_State->allocator = allocator;
    FakeItem root = FakeFolder("Desktop", std::move(items));
    root.path = std::move(rootPath);
    m_State->root = m_State->Add(std::move(root), nullptr);
}

FakeShell::~FakeShell() {
    EXPECT_EQ(m_State->live, 0) << "fake shell objects were not released";
}

ComPtr<IShellFolder> FakeShell::Root() {
    return AdoptComPtr<IShellFolder>(new FolderObject(m_State, m_State->root));
}

ComPtr<IShellFolder> FakeShell::Folder(std::string_view path) {
    Node* node = m_State->Find(path);
    if (!node || !(node->item.attributes & SFGAO_FOLDER))
        return nullptr;
    return AdoptComPtr<IShellFolder>(new FolderObject(m_State, node));
}

OwnedPidl FakeShell::Pidl(std::string_view path) {
    const Node* node = m_State->Find(path);
    LPITEMIDLIST list = node ? m_State->ListBetween(m_State->root, node) : nullptr;
    return OwnedPidl(OwnedPidl::Adopt, list, m_State->allocator);
}

OwnedPidl FakeShell::ChildPidl(std::string_view path) {
    const Node* node = m_State->Find(path);
    LPITEMIDLIST list = node && node != m_State->root ? m_State->ItemId(node) : nullptr;
    return OwnedPidl(OwnedPidl::Adopt, list, m_State->allocator);
}

std::string FakeShell::NameOf(LPCITEMIDLIST pidl) const {
    const Node* node = m_State->Resolve(m_State->root, pidl);
    return node ? node->item.name : std::string();
}

ComPtr<IDataObject> FakeShell::DataObject(std::vector<std::string> paths, MediumRelease release,
                                          DataFormats formats) {
    return AdoptComPtr<IDataObject>(
        new DataObjectObject(m_State, std::move(paths), release, formats));
}

void FakeShell::SetMenuVerbs(std::vector<std::string> verbs, size_t defaultIndex) {
    m_State->verbs = std::move(verbs);
    m_State->defaultVerb = defaultIndex;
}

void FakeShell::EmptyDefaultOnlyMenus(bool empty) {
    m_State->emptyDefaultOnly = empty;
}

void FakeShell::RejectRenames(bool reject) {
    m_State->rejectRenames = reject;
}
namespace {

void UpdateHasSubfolders(Node* node) {
    const bool any = std::any_of(node->children.begin(), node->children.end(), [](const Node* c) {
        return (c->item.attributes & SFGAO_FOLDER) != 0;
    });
    if (any)
        node->item.attributes |= SFGAO_HASSUBFOLDER;
    else
        node->item.attributes &= ~SFGAOF{SFGAO_HASSUBFOLDER};
}

} // namespace

void FakeShell::AddItem(std::string_view parentPath, FakeItem item) {
    Node* parent = m_State->Find(parentPath);
    if (!parent)
        return;
    parent->children.push_back(m_State->Add(std::move(item), parent));
    UpdateHasSubfolders(parent);
}

// The node stays known, so lists that still name it resolve, as stale lists of a real folder do.
void FakeShell::RemoveItem(std::string_view path) {
    Node* node = m_State->Find(path);
    if (!node || !node->parent)
        return;
    auto& siblings = node->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), node), siblings.end());
    UpdateHasSubfolders(node->parent);
}

void FakeShell::SetFailEnumeration(std::string_view path, bool fail) {
    if (Node* node = m_State->Find(path))
        node->item.failEnumeration = fail;
}

void FakeShell::SetOnNext(std::function<void(const std::string& name)> onNext) {
    m_State->onNext = std::move(onNext);
}

void FakeShell::SetOnInvoke(std::function<void()> onInvoke) {
    m_State->onInvoke = std::move(onInvoke);
}

int FakeShell::LiveObjects() const {
    return m_State->live;
}
const FakeCalls& FakeShell::Calls() const {
    return m_State->calls;
}
IMalloc* FakeShell::Allocator() const {
    return m_State->allocator;
}

ScopedShellMalloc::ScopedShellMalloc(IMalloc* allocator)
    : m_Package(g_ShellMalloc), m_Unit(OleGlobals::g_ShellMalloc) {
    g_ShellMalloc = allocator;
    OleGlobals::g_ShellMalloc = allocator;
}

ScopedShellMalloc::~ScopedShellMalloc() {
    g_ShellMalloc = m_Package;
    OleGlobals::g_ShellMalloc = m_Unit;
}
