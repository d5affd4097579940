#include "support/HostWindow.h"

#include "controls/TreeView.h"
#include "controls/WinControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_CHANGE_NOTIFY = WM_USER + 21;

// A view the way the components write them: its own handlers bound to message numbers, each
// passing the message on where the framework is to see it too.
class TLoggingTree : public TCustomTreeView {
public:
    explicit TLoggingTree(TComponent* AOwner) : TCustomTreeView(AOwner) {}
    ~TLoggingTree() override { DestroyHandle(); }

    static const TClassInfo& StaticClassInfo() {
        using T = TLoggingTree;
        static const TClassInfo info{
            .ClassName = "TLoggingTree",
            .Parent = &TCustomTreeView::StaticClassInfo(),
            .Create = ConstructComponent<TLoggingTree>,
            .Properties = {},
            .Messages =
                {
                    MessageHandler<WM_CHANGE_NOTIFY, &T::ChangeNotify>(),
                    MessageHandler<WM_RBUTTONUP, &T::WMRButtonUp>(),
                    MessageHandler<CN_NOTIFY, &T::CNNotify>(),
                },
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::vector<std::string> Log;

protected:
    void CreateWnd() override {
        TCustomTreeView::CreateWnd();
        Log.push_back("CreateWnd");
    }
    void DestroyWnd() override {
        Log.push_back("DestroyWnd");
        TCustomTreeView::DestroyWnd();
    }

private:
    void ChangeNotify(TMessage& Message) {
        Log.push_back("ChangeNotify " + std::to_string(Message.WParam));
        Message.Result = 7;
    }
    void WMRButtonUp(TMessage& Message) {
        Log.push_back("WMRButtonUp at " + std::to_string(Message.XPos()) + "," +
                      std::to_string(Message.YPos()));
        Inherited(Message);
    }
    void CNNotify(TMessage& Message) {
        Log.push_back("CNNotify " + std::to_string(static_cast<int>(Message.NMHdr()->code)));
        Inherited(Message); // the framework raises its events
    }
};

TEST(WinControlTest, WindowIsMadeOnDemandInsideAHostWindow) {
    THostWindow host;
    TCustomTreeView tree(nullptr);
    EXPECT_FALSE(tree.HandleAllocated());
    tree.Items().Add(nullptr, "made before the window");
    tree.SetParentWindow(host.Handle());
    EXPECT_TRUE(tree.HandleAllocated()); // the host shows, so the tree shows at once
    EXPECT_EQ(GetParent(tree.Handle()), host.Handle());
    EXPECT_EQ(TWinControl::FindControl(tree.Handle()), &tree);
    EXPECT_EQ(TreeView_GetCount(tree.Handle()), 1u);
}

TEST(WinControlTest, ControlsNestInsideControlsOfOurs) {
    THostWindow host;
    auto* panel = new TWinControl(nullptr);
    panel->SetBounds(0, 0, 300, 300);
    panel->SetParentWindow(host.Handle());
    auto* tree = new TCustomTreeView(panel); // owned by the panel, and placed on it
    tree->SetParent(panel);
    ASSERT_TRUE(tree->HandleAllocated());
    EXPECT_EQ(GetParent(tree->Handle()), panel->Handle());
    // Re-creating the parent re-creates the child inside the new window.
    panel->RecreateWnd();
    ASSERT_TRUE(tree->HandleAllocated());
    EXPECT_EQ(GetParent(tree->Handle()), panel->Handle());
    delete panel; // destroys the owned tree with it
    PumpMessages();
}

TEST(WinControlTest, HandlersBoundToMessagesPassMessagesOn) {
    THostWindow host;
    TLoggingTree tree(nullptr);
    tree.SetParentWindow(host.Handle());
    EXPECT_EQ(SendMessageW(tree.Handle(), WM_CHANGE_NOTIFY, 3, 0), 7);
    SendMessageW(tree.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(12, 34));
    EXPECT_EQ(tree.Log,
              (std::vector<std::string>{"CreateWnd", "ChangeNotify 3", "WMRButtonUp at 12,34"}));
}

TEST(WinControlTest, NotificationsReachTheControlThroughAHostWindow) {
    THostWindow host;
    TLoggingTree tree(nullptr);
    tree.SetParentWindow(host.Handle());
    std::vector<std::string> changes;
    tree.OnChange = [&](TObject* Sender, TTreeNode* Node) {
        EXPECT_EQ(Sender, &tree);
        changes.push_back(Node ? Node->Text() : "none");
    };
    TTreeNode* node = tree.Items().Add(nullptr, "alpha");
    tree.Log.clear();
    tree.SetSelected(node);
    EXPECT_EQ(changes, std::vector<std::string>{"alpha"});
    // TVN_SELCHANGINGW and TVN_SELCHANGEDW came back from the host as CN_NOTIFY.
    const std::vector<std::string> expected{
        "CNNotify " + std::to_string(static_cast<int>(TVN_SELCHANGINGW)),
        "CNNotify " + std::to_string(static_cast<int>(TVN_SELCHANGEDW))};
    EXPECT_EQ(tree.Log, expected);
}

// A procedure the host application puts in front of the host's while controls of ours live in it.
WNDPROC g_AppNext = nullptr;
int g_AppNotifications = 0;
LRESULT CALLBACK AppProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_NOTIFY)
        ++g_AppNotifications;
    return CallWindowProcW(g_AppNext, Window, Msg, WParam, LParam);
}

TEST(WinControlTest, TheHostsProcedureChainSurvivesOurControls) {
    THostWindow host;
    const LONG_PTR own = GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC);
    {
        TCustomTreeView first(nullptr);
        TCustomTreeView second(nullptr);
        first.SetParentWindow(host.Handle());
        second.SetParentWindow(host.Handle());
        EXPECT_NE(GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC), own);
    }
    // The last control gone, the host has its own procedure back.
    EXPECT_EQ(GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC), own);

    auto tree = std::make_unique<TLoggingTree>(nullptr);
    tree->SetParentWindow(host.Handle());
    g_AppNext = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(host.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AppProc)));
    g_AppNotifications = 0;
    tree->Log.clear();
    tree->SetSelected(tree->Items().Add(nullptr, "alpha"));
    EXPECT_GT(g_AppNotifications, 0);
    EXPECT_EQ(tree->Log.size(), 2u); // still reflected behind the application's procedure
    // Leaving does not cut the application's procedure out of the chain.
    tree.reset();
    EXPECT_EQ(GetWindowLongPtrW(host.Handle(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(AppProc));
    const int before = g_AppNotifications;
    NMHDR header{host.Handle(), 0, 0};
    SendMessageW(host.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(g_AppNotifications, before + 1);
    // Taken out again, the application's procedure leads back through ours to the host's own.
    SetWindowLongPtrW(host.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_AppNext));
    EXPECT_EQ(SendMessageW(host.Handle(), WM_GETTEXTLENGTH, 0, 0),
              GetWindowTextLengthW(host.Handle()));
}

TEST(WinControlTest, RecreateWndRunsDestroyWndThenCreateWnd) {
    THostWindow host;
    TLoggingTree tree(nullptr);
    tree.SetParentWindow(host.Handle());
    const HWND first = tree.Handle();
    tree.RecreateWnd();
    EXPECT_EQ(tree.Log, (std::vector<std::string>{"CreateWnd", "DestroyWnd", "CreateWnd"}));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(tree.Handle()));
    // A style change makes a new window too.
    tree.SetShowLines(false);
    EXPECT_EQ(tree.Log.size(), 5u);
}

TEST(WinControlTest, CursorAndCoordinates) {
    THostWindow host;
    TCustomTreeView tree(nullptr);
    tree.SetBounds(20, 30, 100, 100);
    tree.SetParentWindow(host.Handle());
    tree.SetCursor(crHourGlass);
    EXPECT_EQ(SendMessageW(tree.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    tree.SetCursor(crDefault);

    POINT origin{0, 0};
    ClientToScreen(tree.Handle(), &origin);
    const POINT client = tree.ScreenToClient({origin.x + 5, origin.y + 6});
    EXPECT_EQ(client.x, 5);
    EXPECT_EQ(client.y, 6);
    EXPECT_EQ(tree.DragMode(), dmManual);
}

} // namespace
