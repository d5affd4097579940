#pragma once

// A small in-memory shell namespace for tests: folders (IShellFolder) that enumerate
// (IEnumIDList), name, compare, rename and parse their items, and offer context menus
// (IContextMenu) and data objects (IDataObject, CF_HDROP on TYMED_HGLOBAL) for them. A test
// describes the namespace in a few lines:
//
//     CountingMalloc malloc;
//     FakeShell shell({FakeFolder("Docs", {FakeFile("a.txt"), FakeFile("b.txt").Hidden()}),
//                      FakeFile("readme").NameKind(StrRetKind::Inline)},
//                     &malloc);
//     ComPtr<IShellFolder> docs = shell.Folder("Docs");
//     OwnedPidl a = shell.ChildPidl("Docs\\a.txt");   // relative to Docs
//     OwnedPidl full = shell.Pidl("Docs\\a.txt");     // from the root, as the desktop's lists
//
// Item ids are real identifier lists from the allocator the shell is given (each item carries its
// name in ANSI, so offset answers point into the list); wide display names come from the same
// allocator, so a test that routes g_ShellMalloc to it (ScopedShellMalloc) sees every block freed.
// Every COM object the fake hands out is counted while alive; the shell checks on destruction that
// none is left. What the objects were asked is recorded in Calls().

#include "identifiers/ComPtr.h"
#include "identifiers/OwnedPidl.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class StrRetKind : UINT { Wide = STRRET_WSTR, Offset = STRRET_OFFSET, Inline = STRRET_CSTR };

// The description of one item and, for a folder, of its contents.
struct FakeItem {
    std::string name;
    SFGAOF attributes = 0;
    StrRetKind nameKind = StrRetKind::Wide;
    std::string path; // parsing name; empty: the parent's path, "\" and the name
    bool failDisplayName = false;
    bool failEnumeration = false;  // EnumObjects fails (E_FAIL) with no enumerator
    bool emptyEnumeration = false; // EnumObjects answers S_FALSE (nothing to list), no enumerator
    // The enumerator hands out this many items, then answers S_OK with nothing fetched, again
    // and again (a fault seen in some enumerators); the rest of the children are never listed.
    size_t emptySuccessAfter = SIZE_MAX;
    std::vector<FakeItem> children;

    FakeItem Attributes(SFGAOF value) && {
        attributes = value;
        return std::move(*this);
    }
    FakeItem AddAttributes(SFGAOF value) && {
        attributes |= value;
        return std::move(*this);
    }
    FakeItem NameKind(StrRetKind kind) && {
        nameKind = kind;
        return std::move(*this);
    }
    FakeItem Path(std::string value) && {
        path = std::move(value);
        return std::move(*this);
    }
    FakeItem Hidden() && {
        attributes |= SFGAO_HIDDEN;
        return std::move(*this);
    }
    FakeItem FailDisplayName() && {
        failDisplayName = true;
        return std::move(*this);
    }
    FakeItem FailEnumeration() && {
        failEnumeration = true;
        return std::move(*this);
    }
    FakeItem EmptyEnumeration() && {
        emptyEnumeration = true;
        return std::move(*this);
    }
    FakeItem EmptySuccessAfter(size_t count) && {
        emptySuccessAfter = count;
        return std::move(*this);
    }
};

// A file-system file: can be renamed, deleted, copied and moved.
FakeItem FakeFile(std::string name);
// A file-system folder; it has subfolders when one of `children` is a folder.
FakeItem FakeFolder(std::string name, std::vector<FakeItem> children = {});
// A folder outside the file system (like the Control Panel).
FakeItem FakeVirtualFolder(std::string name, std::vector<FakeItem> children = {});

struct FakeInvocation {
    std::string verb;   // the verb text, or the name of the entry invoked by identifier
    int commandId = -1; // the identifier when invoked by one, else -1
    std::vector<std::string> items;
    HWND window = nullptr;
};

struct FakeCalls {
    std::vector<FakeInvocation> invocations;                  // InvokeCommand
    std::vector<UINT> menuFlags;                              // QueryContextMenu
    std::vector<std::vector<std::string>> menuItems;          // GetUIObjectOf(IContextMenu)
    std::vector<std::pair<std::string, std::string>> renames; // SetNameOf: old name, new name
    std::vector<SHCONTF> enumFlags;                           // EnumObjects
    std::vector<SHGDNF> nameFlags;                            // GetDisplayNameOf
    // Next answering S_OK with nothing (see FakeItem::emptySuccessAfter); after 1,000 such
    // answers an enumerator gives S_FALSE, so a caller that keeps asking fails instead of hanging.
    int emptySuccesses = 0;
    int mediaReleasedThroughObject = 0; // see MediumRelease::Object
    bool releasedHandleWasValid = true;
};

enum class MediumRelease { Handle, Object };
enum class DataFormats { FileList, TextOnly };

class FakeShell {
public:
    explicit FakeShell(std::vector<FakeItem> items, IMalloc* allocator = g_ShellMalloc,
                       std::string rootPath = "C:\\Fake");
    ~FakeShell();
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;

    // The root folder (the fake's desktop) and the folder at a "\"-separated path of names.
    ComPtr<IShellFolder> Root();
    ComPtr<IShellFolder> Folder(std::string_view path);
    // The list of the item at `path` from the root, and its last item alone.
    OwnedPidl Pidl(std::string_view path);
    OwnedPidl ChildPidl(std::string_view path);
    // The name an item has now (after renames), from its list relative to the root.
    std::string NameOf(LPCITEMIDLIST pidl) const;

    // A data object holding the dropped-file list `paths`.
    ComPtr<IDataObject> DataObject(std::vector<std::string> paths,
                                   MediumRelease release = MediumRelease::Handle,
                                   DataFormats formats = DataFormats::FileList);

    // The verbs of every context menu, in menu order, and which of them is the default.
    void SetMenuVerbs(std::vector<std::string> verbs, size_t defaultIndex = 0);
    // Menus asked for their default entry alone come back empty, as Wine's do.
    void EmptyDefaultOnlyMenus(bool empty = true);
    // Makes SetNameOf fail from now on.
    void RejectRenames(bool reject = true);

    // Changes to the namespace after it was made, as happen on disk between two refreshes. A
    // folder's has-subfolders attribute follows its children.
    void AddItem(std::string_view parentPath, FakeItem item);
    void RemoveItem(std::string_view path);
    void SetFailEnumeration(std::string_view path, bool fail = true);
    // Called by every enumerator after it has handed out an item, with the item's name: a test
    // does there what may happen while a real enumeration waits (messages handled, memory short).
    void SetOnNext(std::function<void(const std::string& name)> onNext);
    // Called by every context menu's InvokeCommand before it records the call: a test does there
    // what may happen while a real command shows its dialogs (messages handled).
    void SetOnInvoke(std::function<void()> onInvoke);

    int LiveObjects() const;
    const FakeCalls& Calls() const;
    IMalloc* Allocator() const;

    struct State;

private:
    std::shared_ptr<State> m_State;
};

// Points the package's shell allocators at a test's allocator for the life of the object.
class ScopedShellMalloc {
public:
    explicit ScopedShellMalloc(IMalloc* allocator);
    ~ScopedShellMalloc();
    ScopedShellMalloc(const ScopedShellMalloc&) = delete;
    ScopedShellMalloc& operator=(const ScopedShellMalloc&) = delete;

private:
    IMalloc* m_Package;
    IMalloc* m_Unit;
};
