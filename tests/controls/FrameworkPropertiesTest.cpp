// The stored control properties and what each does to the window: alignment, border, colour,
// font, Tab order, hints, the mouse and key events, and the pop-up menu.

#include "support/HostWindow.h"

#include "components/FormStreaming.h"
#include "controls/ListView.h"
#include "controls/Menus.h"
#include "controls/TreeView.h"
#include "controls/WinControl.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A left or right click at a client point of a window, press and release in one call.
void Click(HWND Window, POINT At, bool Right = false, int Clicks = 1) {
    ClientToScreen(Window, &At);
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
    std::vector<INPUT> inputs;
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = At.x * 65535 / w;
    move.mi.dy = At.y * 65535 / h;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs.push_back(move);
    for (int i = 0; i < Clicks; ++i)
        for (DWORD flag : {Right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                           Right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
            INPUT button = move;
            button.mi.dwFlags = flag | MOUSEEVENTF_ABSOLUTE;
            inputs.push_back(button);
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Keys(std::initializer_list<WORD> VirtualKeys) {
    std::vector<INPUT> inputs;
    for (WORD key : VirtualKeys)
        for (DWORD flag : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = flag;
            inputs.push_back(input);
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A container control of our own window class inside the shared host window.
struct Panel {
    THostWindow host;
    std::unique_ptr<TWinControl> panel = std::make_unique<TWinControl>(nullptr);
    Panel() {
        panel->SetBounds(0, 0, 300, 200);
        panel->SetParentWindow(host.Handle());
        panel->HandleNeeded();
    }
};

LOGFONTW FontOf(HWND Window) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

} // namespace

TEST(FrameworkPropertiesTest, AlignedChildrenShareTheParentsClientAreaAndFollowItsSize) {
    Panel p;
    auto* top = new TWinControl(p.panel.get());
    auto* left = new TWinControl(p.panel.get());
    auto* client = new TWinControl(p.panel.get());
    for (TWinControl* c : {top, left, client})
        c->SetParent(p.panel.get());
    top->SetHeight(20);
    left->SetWidth(30);
    client->SetAlign(alClient);
    left->SetAlign(alLeft);
    top->SetAlign(alTop);
    const RECT area = p.panel->ClientRect();
    EXPECT_EQ(top->Top(), 0);
    EXPECT_EQ(top->Width(), area.right);
    EXPECT_EQ(left->Top(), 20);
    EXPECT_EQ(left->Height(), area.bottom - 20);
    EXPECT_EQ(client->Left(), 30);
    EXPECT_EQ(client->Width(), area.right - 30);

    p.panel->SetBounds(0, 0, 250, 150);
    PumpMessages();
    const RECT smaller = p.panel->ClientRect();
    EXPECT_EQ(client->Width(), smaller.right - 30);
    EXPECT_EQ(client->Height(), smaller.bottom - 20);
    left->SetWidth(50); // an aligned sibling that grows moves the client one
    EXPECT_EQ(client->Left(), 50);
}

TEST(FrameworkPropertiesTest, BorderColourAndFontReachTheWindow) {
    Panel p;
    auto* tree = new TCustomTreeView(p.panel.get());
    tree->SetParent(p.panel.get());
    auto* list = new TCustomListView(p.panel.get());
    list->SetParent(p.panel.get());
    ASSERT_TRUE(tree->HandleAllocated() && list->HandleAllocated());
    const auto exStyle = [](TWinControl* c) { return GetWindowLongPtrW(c->Handle(), GWL_EXSTYLE); };
    EXPECT_TRUE(exStyle(tree) & WS_EX_CLIENTEDGE);
    tree->SetBorderStyle(bsNone);
    EXPECT_FALSE(exStyle(tree) & WS_EX_CLIENTEDGE);

    tree->SetColor(clYellow);
    list->SetColor(clSilver);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETBKCOLOR, 0, 0), clYellow);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETBKCOLOR, 0, 0), clSilver);
    tree->Font().SetColor(clRed);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETTEXTCOLOR, 0, 0), clRed);

    // A child takes its parent's font until it is given its own.
    EXPECT_TRUE(list->ParentFont());
    p.panel->Font().SetHeight(-20);
    p.panel->Font().SetStyle(fsBold);
    EXPECT_EQ(list->Font().Height(), -20);
    LOGFONTW lf = FontOf(list->Handle());
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    list->Font().SetStyle(fsItalic);
    EXPECT_FALSE(list->ParentFont());
    p.panel->Font().SetHeight(-30);
    EXPECT_EQ(list->Font().Height(), -20);
    EXPECT_TRUE(FontOf(list->Handle()).lfItalic);
    // Recreating the window keeps the font.
    list->RecreateWnd();
    EXPECT_TRUE(FontOf(list->Handle()).lfItalic);
}

TEST(FrameworkPropertiesTest, TabOrderIsTheChildrensZOrderAndTabStopTheirStyle) {
    Panel p;
    auto* a = new TCustomTreeView(p.panel.get());
    auto* b = new TCustomListView(p.panel.get());
    a->SetParent(p.panel.get());
    b->SetParent(p.panel.get());
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(b->TabOrder(), 1);
    b->SetTabOrder(0);
    EXPECT_EQ(a->TabOrder(), 1);
    EXPECT_EQ(GetWindow(p.panel->Handle(), GW_CHILD), b->Handle());
    b->SetTabOrder(99); // clamped to the last place
    EXPECT_EQ(b->TabOrder(), 1);
    EXPECT_EQ(GetWindow(p.panel->Handle(), GW_CHILD), a->Handle());
    EXPECT_TRUE(GetWindowLongPtrW(a->Handle(), GWL_STYLE) & WS_TABSTOP);
    a->SetTabStop(false);
    EXPECT_FALSE(GetWindowLongPtrW(a->Handle(), GWL_STYLE) & WS_TABSTOP);
    TWinControl lone(nullptr);
    EXPECT_EQ(lone.TabOrder(), -1);
}

TEST(FrameworkPropertiesTest, HintsFollowTheParentUntilSetAndMakeATooltip) {
    Panel p;
    auto* child = new TWinControl(p.panel.get());
    child->SetParent(p.panel.get());
    child->SetHint("Tip");
    const auto tooltips = [] {
        int count = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM param) {
                wchar_t name[64] = {};
                GetClassNameW(w, name, 64);
                if (std::wstring(name) == TOOLTIPS_CLASSW)
                    ++*reinterpret_cast<int*>(param);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const int before = tooltips();
    EXPECT_FALSE(child->HintsShown());
    p.panel->SetShowHint(true);
    EXPECT_TRUE(child->HintsShown());
    EXPECT_EQ(tooltips(), before + 1);
    child->SetShowHint(false);
    EXPECT_FALSE(child->ParentShowHint());
    EXPECT_EQ(tooltips(), before);
    // The tooltip goes with the control's window.
    child->SetShowHint(true);
    EXPECT_EQ(tooltips(), before + 1);
    child->DestroyHandle();
    EXPECT_EQ(tooltips(), before);
}

TEST(FrameworkPropertiesTest, MouseAndKeyEventsComeFromRealInput) {
    Panel p;
    std::vector<std::string> log;
    p.panel->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(b) + ((s & ssDouble) ? " double " : " ") +
                      std::to_string(x) + "," + std::to_string(y));
    };
    p.panel->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        log.push_back("up " + std::to_string(b));
    };
    p.panel->OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
    p.panel->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("key " + std::to_string(key));
    };
    Click(p.panel->Handle(), {40, 30});
    PumpUntil([&] { return log.size() >= 2; }, 3000);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 40,30", "up 0"}));
    log.clear();
    Click(p.panel->Handle(), {150, 100}, false, 2); // far enough not to pair with the first
    PumpUntil([&] { return log.size() >= 5; }, 3000);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 150,100", "up 0", "down 0 double 150,100",
                                             "dblclick", "up 0"}));
    log.clear();
    p.panel->SetFocus();
    Keys({'K'});
    PumpUntil([&] { return !log.empty(); }, 3000);
    EXPECT_EQ(log, std::vector<std::string>{"key 75"});
}

TEST(FrameworkPropertiesTest, APopupMenuFromAFormOpensOnRightClickAndClicksItsItem) {
    RegisterFrameworkClasses();
    TWinControl form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    std::vector<std::string> clicks;
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(form,
                                   "object Form: TWinControl\n"
                                   "  object Inner: TWinControl\n"
                                   "    Align = alClient\n"
                                   "    PopupMenu = Menu\n"
                                   "  end\n"
                                   "  object Menu: TPopupMenu\n"
                                   "    object OpenItem: TMenuItem\n"
                                   "      Caption = '&Open'\n"
                                   "    end\n"
                                   "    object Line: TMenuItem\n"
                                   "      Caption = '-'\n"
                                   "    end\n"
                                   "    object CloseItem: TMenuItem\n"
                                   "      Caption = '&Close'\n"
                                   "    end\n"
                                   "  end\n"
                                   "end\n",
                                   error))
        << error.Message();
    auto* inner = dynamic_cast<TWinControl*>(form.FindComponent("Inner"));
    auto* menu = dynamic_cast<TPopupMenu*>(form.FindComponent("Menu"));
    ASSERT_TRUE(inner && menu);
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(inner->PopupMenu(), menu);
    for (int i = 0; i < menu->Count(); ++i)
        menu->Items(i)->OnClick = [&clicks, i](TObject*) { clicks.push_back(std::to_string(i)); };

    THostWindow host;
    form.SetParentWindow(host.Handle());
    form.HandleNeeded();
    PumpMessages();
    // Inside the menu's loop: down twice (past the separator) and Enter.
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    });
    Click(inner->Handle(), {50, 50}, true);
    PumpUntil([&] { return !clicks.empty(); }, 5000);
    EXPECT_EQ(clicks, std::vector<std::string>{"2"});

    // The text form writes the menu with its items nested in it.
    std::string text;
    ASSERT_TRUE(WriteComponentBytes(form, TFormFormat::Text, text, error));
    EXPECT_NE(text.find("  object Menu: TPopupMenu\n    object OpenItem: TMenuItem\n"),
              std::string::npos)
        << text;
}
