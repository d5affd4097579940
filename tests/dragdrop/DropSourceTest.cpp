#include "identifiers/StringList.h"
#include "dragdrop/DropSource.h"
#include "dragdrop/DropTargetRegistration.h"
#include "identifiers/Holders.h"
#include "support/CountingMalloc.h"
#include "support/FakeShell.h"

#include <gtest/gtest.h>

namespace {

TEST(DropSource, ButtonsAndEscapeDecideTheDrag) {
    ComPtr<TvxDropSource> source = AdoptComPtr(new TvxDropSource);
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(2, 0), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_RBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_CONTROL), DRAGDROP_S_DROP);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    for (DWORD effect : {0, 1, 2, 4})
        EXPECT_EQ(source->GiveFeedback(effect), DRAGDROP_S_USEDEFAULTCURSORS);

    // A right-button drag ends on that button's release, whatever the left one does.
    ComPtr<TvxDropSource> right = AdoptComPtr(new TvxDropSource(MK_RBUTTON));
    EXPECT_EQ(right->QueryContinueDrag(FALSE, MK_RBUTTON | MK_LBUTTON), S_OK);
    EXPECT_EQ(right->QueryContinueDrag(FALSE, MK_LBUTTON), DRAGDROP_S_DROP);
}

void InjectLeftButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof input);
}

// The platform's drag loop with our source and a registered target on a real window under the
// cursor: the left button is held while the loop enters the target, then released from another
// thread, and the source turns the release into a drop onto the target.
TEST(DropSource, EndsTheDragLoopOntoARegisteredTarget) {
    CountingMalloc malloc;
    FakeShell shell({}, &malloc);
    // A window of a plain class: a static control is transparent to hit tests.
    WNDCLASSW plain{};
    plain.lpfnWndProc = DefWindowProcW;
    plain.hInstance = GetModuleHandleW(nullptr);
    plain.lpszClassName = L"VarnelDropTestWindow";
    RegisterClassW(&plain);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, plain.lpszClassName, L"", WS_POPUP | WS_VISIBLE,
                                  100, 100, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    SetCursorPos(200, 200);
    std::vector<std::string> dropped;
    {
        TDropTargetRegistration registration;
        ASSERT_TRUE(registration.Register(window));
        registration.Target()->SetOnOLEDrop([&](TvxDropTarget* sender, int, POINT, int&) {
            TStringList files;
            if (sender->GetSourceFiles(files))
                dropped.assign(files.begin(), files.end());
        });
        auto data = shell.DataObject({"C:\\a.txt", "C:\\b.txt"});
        ComPtr<IDropSource> source = AdoptComPtr(static_cast<IDropSource*>(new TvxDropSource));
        InjectLeftButton(MOUSEEVENTF_LEFTDOWN);
        const OwnedHandle releaser(CreateThread(
            nullptr, 0,
            [](void*) -> DWORD {
                Sleep(1000);
                InjectLeftButton(MOUSEEVENTF_LEFTUP);
                return 0;
            },
            nullptr, 0, nullptr));
        DWORD effect = 0;
        const HRESULT hr = DoDragDrop(data.Get(), source.Get(),
                                      DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
        EXPECT_EQ(hr, DRAGDROP_S_DROP);
        WaitForSingleObject(releaser.Get(), INFINITE);
    }
    EXPECT_EQ(dropped, (std::vector<std::string>{"C:\\a.txt", "C:\\b.txt"}));
    DestroyWindow(window);
    EXPECT_EQ(shell.LiveObjects(), 0);
}

} // namespace
