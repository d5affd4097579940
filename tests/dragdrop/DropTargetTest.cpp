#include "identifiers/StringList.h"
#include "dragdrop/DropTarget.h"
#include "dragdrop/DropTargetRegistration.h"
#include "support/CountingMalloc.h"
#include "support/FakeShell.h"
#include "support/StringLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

constexpr DWORD kNoKeys = 0;

// One drop target, and the events it raised in order.
class DropTargetTest : public testing::Test {
protected:
    void SetUp() override {
        target->SetOnOLEDragEnter([this](TvxDropTarget*, int keys, POINT, int&) {
            events.push_back("enter " + std::to_string(keys));
        });
        target->SetOnOLEDragOver([this](TvxDropTarget*, int keys, POINT, int&) {
            events.push_back("over " + std::to_string(keys));
        });
        target->SetOnOLEDragLeave([this](TvxDropTarget*) { events.push_back("leave"); });
        target->SetOnOLEDrop([this](TvxDropTarget* sender, int, POINT, int&) {
            TStringList files;
            events.push_back(sender->GetSourceFiles(files) ? "drop " + std::to_string(files.Count())
                                                           : "drop without files");
        });
    }
    DWORD Enter(IDataObject* data, DWORD keys) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragEnter(data, keys, POINTL{5, 5}, &effect), S_OK);
        return effect;
    }
    DWORD Over(DWORD keys) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragOver(keys, POINTL{6, 6}, &effect), S_OK);
        return effect;
    }

    CountingMalloc malloc;
    FakeShell shell{{}, &malloc};
    ComPtr<TvxDropTarget> target = AdoptComPtr(new TvxDropTarget);
    std::vector<std::string> events;
};

TEST_F(DropTargetTest, RefusesWhatIsNotAFileList) {
    auto text = shell.DataObject({"C:\\a.txt"}, MediumRelease::Handle, DataFormats::TextOnly);
    EXPECT_EQ(Enter(text.Get(), kNoKeys), DROPEFFECT_NONE);
    EXPECT_EQ(target->Format(), CBF_NOT_SUPPORTED);
    EXPECT_EQ(Over(MK_CONTROL), DROPEFFECT_NONE);
    TStringList files;
    EXPECT_FALSE(target->GetSourceFiles(files));
    EXPECT_EQ(target->SourcePath(), "");
    EXPECT_TRUE(events.empty());
}

TEST_F(DropTargetTest, KeysChooseMoveCopyOrLink) {
    auto files = shell.DataObject({"C:\\Data\\a.txt", "C:\\Data\\b.txt"});
    EXPECT_EQ(Enter(files.Get(), kNoKeys), DROPEFFECT_MOVE);
    EXPECT_EQ(Over(MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(Over(MK_CONTROL | MK_SHIFT), DROPEFFECT_LINK);
    EXPECT_EQ(Over(MK_SHIFT), DROPEFFECT_MOVE);
    EXPECT_EQ(Over(MK_LBUTTON | MK_CONTROL), DROPEFFECT_COPY);
    EXPECT_EQ(target->SourcePath(), "C:\\Data\\");
    EXPECT_THAT(events, ElementsAre("enter 0", "over 8", "over 12", "over 4", "over 9"));
}

TEST_F(DropTargetTest, HandlersDecideThroughOperationNotTheEffect) {
    auto files = shell.DataObject({"C:\\a.txt"});
    target->SetOnOLEDragEnter(
        [](TvxDropTarget* sender, int, POINT, int&) { sender->SetOperation(0); });
    target->SetOnOLEDragOver(
        [](TvxDropTarget*, int, POINT, int& dwEffect) { dwEffect = DROPEFFECT_LINK; });
    EXPECT_EQ(Enter(files.Get(), MK_CONTROL), DROPEFFECT_NONE);
    EXPECT_EQ(Over(MK_CONTROL), DROPEFFECT_COPY);
}

TEST_F(DropTargetTest, FilesAreReadDuringTheDropOnlyAndEverythingIsReleased) {
    {
        auto files = shell.DataObject({"C:\\x\\y.txt", "D:\\z.txt"}, MediumRelease::Object);
        Enter(files.Get(), kNoKeys);
        TStringList paths;
        paths.Add("kept");
        ASSERT_TRUE(target->GetSourceFiles(paths));
        EXPECT_THAT(Lines(paths), ElementsAre("kept", "C:\\x\\y.txt", "D:\\z.txt"));
        DWORD effect = DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(files.Get(), kNoKeys, POINTL{1, 1}, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "the owner's move is done";
        EXPECT_EQ(target->DataObject(), nullptr);
        TStringList after;
        EXPECT_FALSE(target->GetSourceFiles(after));
        EXPECT_EQ(target->SourcePath(), "C:\\x\\");
        EXPECT_EQ(target->Operation(), DROPEFFECT_MOVE);
    }
    EXPECT_THAT(events, ElementsAre("enter 0", "drop 2"));
    // Each read of the medium (source path, the two file lists) went back through its owner.
    EXPECT_EQ(shell.Calls().mediaReleasedThroughObject, 3);
    EXPECT_EQ(shell.LiveObjects(), 0);
}

TEST_F(DropTargetTest, NothingIsAnsweredAfterLeaving) {
    auto files = shell.DataObject({"C:\\a.txt"});
    Enter(files.Get(), kNoKeys);
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(target->DataObject(), nullptr);
    EXPECT_EQ(Over(MK_CONTROL), DROPEFFECT_NONE);
    EXPECT_THAT(events, ElementsAre("enter 0", "leave"));
}

// A real window registered with OLE: the registration holds the target while it lasts and lets
// it go when revoked.
TEST(DropTargetRegistration, RegistersAndRevokesForARealWindow) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ComPtr<TvxDropTarget> kept;
    {
        TDropTargetRegistration registration;
        ASSERT_TRUE(registration.Register(window));
        kept = registration.Target();
        EXPECT_EQ(kept->WndHandle(), window);
        ComPtr<IDropTarget> other = AdoptComPtr(static_cast<IDropTarget*>(new TvxDropTarget));
        EXPECT_EQ(RegisterDragDrop(window, other.Get()), DRAGDROP_E_ALREADYREGISTERED);
    }
    // Revoked: the window takes a new registration, and ours is the target's only reference.
    EXPECT_EQ(kept->AddRef(), 2u);
    EXPECT_EQ(kept->Release(), 1u);
    ComPtr<IDropTarget> again = AdoptComPtr(static_cast<IDropTarget*>(new TvxDropTarget));
    EXPECT_EQ(RegisterDragDrop(window, again.Get()), S_OK);
    EXPECT_EQ(RevokeDragDrop(window), S_OK);
    DestroyWindow(window);
}

// A drag source that ends the drag by itself once the target has answered a few times, and
// records every effect the platform tells it.
class TRecordingSource final : public TComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        return feedback.size() >= 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override {
        feedback.push_back(dwEffect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    std::vector<DWORD> feedback;
};

struct TDragResult {
    HRESULT hr;
    DWORD effect;        // what the drop told the source
    DWORD shownBeforeIt; // what the target showed last while dragging
};

// The platform's drag loop over a registered window, with a file list and every effect allowed.
class RealDragTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW plain{};
        plain.lpfnWndProc = DefWindowProcW;
        plain.hInstance = GetModuleHandleW(nullptr);
        plain.lpszClassName = L"VarnelRealDragWindow";
        RegisterClassW(&plain);
        window = CreateWindowExW(WS_EX_TOPMOST, plain.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                 100, 100, 200, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        UpdateWindow(window);
        ASSERT_TRUE(registration.Register(window));
    }
    void TearDown() override {
        registration.Revoke();
        DestroyWindow(window);
        EXPECT_EQ(shell.LiveObjects(), 0);
    }
    TDragResult Drag() {
        SetCursorPos(200, 200);
        auto data = shell.DataObject({"C:\\a.txt"});
        ComPtr<TRecordingSource> source = AdoptComPtr(new TRecordingSource);
        TDragResult result{};
        result.hr = DoDragDrop(data.Get(), source.Get(),
                               DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &result.effect);
        if (!source->feedback.empty())
            result.shownBeforeIt = source->feedback.back();
        return result;
    }
    TvxDropTarget& Target() { return *registration.Target(); }

    CountingMalloc malloc;
    FakeShell shell{{}, &malloc};
    HWND window = nullptr;
    TDropTargetRegistration registration;
};

TEST_F(RealDragTest, ATargetWithoutHandlersShowsNoDropAndTellsNothingDone) {
    const TDragResult result = Drag();
    EXPECT_EQ(result.shownBeforeIt, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(result.effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(RealDragTest, TheSourceIsToldOnlyWhatTheHandlerDid) {
    int performed = 0;
    Target().SetOnOLEDragOver(
        [&](TvxDropTarget* sender, int, POINT, int&) { sender->SetOperation(performed); });
    Target().SetOnOLEDrop([&](TvxDropTarget* sender, int, POINT, int&) {
        if (performed == -1)
            sender->SetOperation(DROPEFFECT_NONE); // the file operation failed
    });
    struct Case {
        int performed;
        DWORD shown, told;
        const char* what;
    };
    for (const Case& c : {Case{DROPEFFECT_COPY, DROPEFFECT_COPY, DROPEFFECT_COPY, "copied"},
                          Case{DROPEFFECT_LINK, DROPEFFECT_LINK, DROPEFFECT_LINK, "linked"},
                          Case{DROPEFFECT_MOVE, DROPEFFECT_MOVE, DROPEFFECT_NONE, "moved by us"}}) {
        performed = c.performed;
        const TDragResult result = Drag();
        EXPECT_EQ(result.hr, DRAGDROP_S_DROP) << c.what;
        EXPECT_EQ(result.shownBeforeIt, c.shown) << c.what;
        EXPECT_EQ(result.effect, c.told) << c.what;
    }
    // Failed: the drag showed a copy, the drop told nothing done.
    Target().SetOnOLEDragOver(
        [](TvxDropTarget* sender, int, POINT, int&) { sender->SetOperation(DROPEFFECT_COPY); });
    performed = -1;
    const TDragResult failed = Drag();
    EXPECT_EQ(failed.shownBeforeIt, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(failed.effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

} // namespace
