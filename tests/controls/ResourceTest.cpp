#include "support/HostWindow.h"

#include "components/FormBinary.h"
#include "components/FormText.h"
#include "controls/ComboBox.h"
#include "controls/ImageList.h"
#include "controls/ListView.h"
#include "identifiers/StringList.h"
#include "components/Thread.h"
#include "controls/TreeView.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

TEST(ResourceTest, DestroyedControlsLeaveNoWindowGdiObjectOrThreadBehind) {
    THostWindow host;
    // One full cycle of making, using and destroying the three controls.
    auto cycle = [&] {
        auto* images = new TImageList(nullptr);
        images->SetHandle(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
        auto* tree = new TCustomTreeView(nullptr);
        tree->SetImages(images);
        tree->SetParentWindow(host.Handle());
        tree->Items().AddChild(tree->Items().Add(nullptr, "a"), "b");
        tree->Items().GetFirstNode()->Expand(true);
        tree->RecreateWnd();
        auto* list = new TCustomListView(nullptr);
        list->SetViewStyle(vsReport);
        list->SetSmallImages(images);
        list->Columns().Add()->SetCaption("Name");
        list->SetParentWindow(host.Handle());
        list->Items().Add()->SetCaption("row");
        auto* combo = new TCustomComboBox(nullptr);
        combo->SetStyle(csOwnerDrawFixed);
        combo->Items().Add("item");
        combo->SetItemIndex(0);
        combo->SetParentWindow(host.Handle());
        combo->SetDroppedDown(true);
        combo->SetDroppedDown(false);
        UpdateWindow(host.Handle());
        PumpMessages();
        const int windowsWhileAlive = CountThreadWindows();
        delete combo;
        delete list;
        delete tree;
        delete images;
        PumpMessages();
        return windowsWhileAlive;
    };
    // The first cycle loads what stays for the life of the process (classes, fonts, the
    // platform's helper threads); every later one must leave exactly that behind.
    cycle();
    const int windows = CountThreadWindows();
    const int gdi = CountGdiObjects();
    const int threads = CountThreads();
    ASSERT_GT(gdi, 0) << "GDI objects cannot be counted here";
    for (int round = 0; round < 3; ++round) {
        EXPECT_GT(cycle(), windows);
        EXPECT_EQ(CountThreadWindows(), windows);
        EXPECT_EQ(CountGdiObjects(), gdi);
        EXPECT_EQ(CountThreads(), threads);
    }
}

TEST(ResourceTest, SharedImageListsAreNeverDestroyed) {
    HIMAGELIST system = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    {
        TImageList shared(nullptr);
        shared.SetShareImages(true);
        shared.SetHandle(system);
        EXPECT_EQ(shared.Width(), 16);
        TImageList owning(nullptr);
        owning.SetHandle(own);
    }
    EXPECT_TRUE(ImageList_Destroy(system)); // still there
    EXPECT_FALSE(ImageList_Destroy(own));   // already gone
}

class TCountingThread : public TThread {
public:
    TCountingThread(std::atomic<int>* Loops, HANDLE Done) : m_Loops(Loops), m_hDone(Done) {
        SetFreeOnTerminate(true);
        Start();
    }
    ~TCountingThread() override { SetEvent(m_hDone); }

protected:
    void Execute() override {
        while (!Terminated()) {
            ++*m_Loops;
            Sleep(1);
        }
    }

private:
    std::atomic<int>* m_Loops;
    HANDLE m_hDone;
};

TEST(ResourceTest, ThreadsRunAtOnceAndFreeThemselvesWhenTerminated) {
    const int threads = CountThreads();
    std::atomic<int> loops{0};
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    auto* thread = new TCountingThread(&loops, done);
    while (loops == 0)
        Sleep(1);
    EXPECT_FALSE(thread->Terminated());
    thread->Terminate(); // only the flag: the thread ends itself and deletes itself
    thread = nullptr;
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    CloseHandle(done);
    for (int i = 0; i < 100 && CountThreads() != threads; ++i)
        Sleep(10);
    EXPECT_EQ(CountThreads(), threads);
}

class TReturningThread : public TThread {
public:
    TReturningThread() { Start(); }

protected:
    void Execute() override { SetReturnValue(5); }
};

TEST(ResourceTest, ThreadsKeptByTheirOwnerAreWaitedFor) {
    TReturningThread thread;
    EXPECT_EQ(thread.WaitFor(), 5u);
    EXPECT_TRUE(thread.Finished());
}

TEST(ResourceTest, StringListKeepsItsOrderAndFindsWithoutCase) {
    TStringList list;
    list.Add("beta");
    list.Add("Alpha");
    list.Insert(0, "gamma");
    EXPECT_EQ(list.IndexOf("ALPHA"), 2);
    list.Sort();
    EXPECT_EQ(list[0], "Alpha");
    EXPECT_EQ(list[2], "gamma");
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    list.CaseSensitive = true;
    EXPECT_EQ(list.IndexOf("BETA"), -1);
}

// A resource of this program as bytes; empty when there is none.
std::string ResourceBytes(const wchar_t* Name, const wchar_t* Type) {
    HRSRC found = FindResourceW(nullptr, Name, Type);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(nullptr, found))
                : std::string();
}

TEST(ResourceTest, EveryStoredFormIsItsTextSourceInBinary) {
    std::vector<std::wstring> names;
    EnumResourceNamesW(
        nullptr, L"FORMTEXT",
        [](HMODULE, LPCWSTR, LPWSTR Name, LONG_PTR Names) {
            if (!IS_INTRESOURCE(Name))
                reinterpret_cast<std::vector<std::wstring>*>(Names)->push_back(Name);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&names));
    ASSERT_GE(names.size(), 2u) << "the text sources of the stored forms are not built in";
    for (const std::wstring& name : names) {
        const std::string form(name.begin(), name.end());
        TFormObject document;
        TFormError error;
        ASSERT_TRUE(ReadFormText(ResourceBytes(name.c_str(), L"FORMTEXT"), document, error))
            << form << ": " << error.Message();
        std::string expected;
        ASSERT_TRUE(WriteFormBinary(document, expected, error)) << form << ": " << error.Message();
        EXPECT_EQ(ResourceBytes(name.c_str(), RT_RCDATA), expected)
            << "the stored form " << form << " (RCDATA, design/DesignResources.rc) is not "
            << "its text in design/: run tools/regenerate-forms.sh";
    }
}

} // namespace
