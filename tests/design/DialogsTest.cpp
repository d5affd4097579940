// Both dialogs as a developer meets them: where every control is, at the screen's pixels per
// inch; the About box's credit lines; closing; the stored forms; and no leak over many openings.

#include "controls/BitBtn.h"
#include "controls/Edit.h"
#include "controls/Form.h"
#include "controls/ListBox.h"
#include "controls/MaskEdit.h"
#include "controls/Label.h"
#include "design/AboutVarnel.h"
#include "design/FolderColumnForm.h"
#include "identifiers/WideText.h"

#include "support/ExampleWindow.h"
#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/ModalSteps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

namespace {

struct TPlaced {
    const char* Name;
    RECT Bounds; // left, top, width, height
};

void ExpectPlaced(TForm& Form, std::initializer_list<TPlaced> Controls, const char* Where) {
    for (const TPlaced& c : Controls) {
        auto* control = dynamic_cast<TWinControl*>(Form.FindComponent(c.Name));
        ASSERT_TRUE(control && control->HandleAllocated()) << c.Name;
        RECT r{};
        GetWindowRect(control->WindowHandle(), &r);
        MapWindowPoints(nullptr, GetParent(control->WindowHandle()), reinterpret_cast<POINT*>(&r),
                        2);
        EXPECT_EQ((std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::vector<long>{c.Bounds.left, c.Bounds.top, c.Bounds.right, c.Bounds.bottom}))
            << Where << ": " << c.Name;
    }
}

void ExpectClientArea(TForm& Form, int Width, int Height, const char* Where) {
    RECT client{};
    GetClientRect(Form.WindowHandle(), &client);
    EXPECT_EQ(client.right, Width) << Where;
    EXPECT_EQ(client.bottom, Height) << Where;
}

void SavePicture(TForm& Form, const wchar_t* Name) {
    if (const char* shots = std::getenv("VARNEL_TEST_SCREENSHOTS"))
        SaveWindowPicture(Form.WindowHandle(), WindowsPath(shots) + L"\\" + Name);
}

// The tab stops of a form in the order Tab visits them.
std::vector<std::string> TabStops(TForm& Form) {
    std::vector<std::string> names;
    HWND first = GetNextDlgTabItem(Form.WindowHandle(), nullptr, FALSE);
    for (HWND at = first; at;) {
        names.push_back(TWinControl::FindControl(at)->Name());
        at = GetNextDlgTabItem(Form.WindowHandle(), at, FALSE);
        if (at == first)
            break;
    }
    return names;
}

TEST(Dialogs, TheColumnEditorIsLaidOutAsDesignedAndItsKeysReachTheirControls) {
    THostWindow host;
    SetForegroundWindow(host.Handle());
    TFolderColumnForm form(nullptr);
    ASSERT_EQ(form.FormError(), "");
    EXPECT_EQ(form.Caption(), "FolderEnumerator Column Editor");
    EXPECT_EQ(form.Font().Name(), "MS Sans Serif");
    EXPECT_EQ(form.Font().Height(), -11);
    EXPECT_TRUE(form.ColumnListBox->OnClick && form.OKButton->OnClick) << "handlers bound";
    TModalSteps steps({[&] {
        EXPECT_EQ(form.Left(), 297);
        EXPECT_EQ(form.Top(), 172);
        ExpectClientArea(form, 271, 175, "column editor");
        ExpectPlaced(form,
                     {{"ColumnListBox", {5, 23, 76, 100}},
                      {"Label1", {11, 6, 55, 16}},
                      {"Bevel1", {87, 22, 178, 115}},
                      {"Label2", {92, 5, 62, 16}},
                      {"Label3", {96, 34, 46, 16}},
                      {"Label4", {96, 61, 59, 16}},
                      {"Label5", {96, 87, 34, 16}},
                      {"VisibleCheck", {152, 114, 17, 17}},
                      {"CaptionEdit", {152, 28, 105, 24}},
                      {"WidthEdit", {152, 85, 105, 24}},
                      {"AlignCombo", {152, 57, 105, 24}},
                      {"OKButton", {184, 144, 75, 25}},
                      {"Label6", {96, 114, 41, 16}}},
                     "column editor");
        EXPECT_EQ(TabStops(form), (std::vector<std::string>{"ColumnListBox", "CaptionEdit",
                                                            "WidthEdit", "OKButton"}))
            << "Tab skips the disabled alignment and visibility of the Name column";
        SavePicture(form, L"column-editor.bmp");
        PressChord(VK_MENU, 'P');
        EXPECT_TRUE(form.CaptionEdit->Focused()) << "Alt+P";
        PressChord(VK_MENU, 'A');
        EXPECT_TRUE(form.CaptionEdit->Focused()) << "Alt+A: its target is disabled";
        PressChord(VK_MENU, 'W');
        EXPECT_TRUE(form.WidthEdit->Focused()) << "Alt+W";
        PressChord(VK_MENU, 'C');
        EXPECT_TRUE(form.ColumnListBox->Focused()) << "Alt+C";
        PressKeys({VK_TAB});
        EXPECT_TRUE(form.CaptionEdit->Focused()) << "Tab from the list";
        PressKeys({VK_ESCAPE});
    }});
    TFolderColumn columns(nullptr);
    form.SetValues(&columns);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_FALSE(steps.TimedOut());
}

TEST(Dialogs, TheAboutBoxScalesFromItsDesignAndShowsItsCreditsWhole) {
    struct TCase {
        int Ppi;
        SIZE Client;
        std::initializer_list<TPlaced> Controls;
    };
    const TCase cases[] = {
        {96,
         {180, 106},
         {{"Panel1", {0, 0, 180, 106}},
          {"Image1", {30, 8, 120, 49}},
          {"Shape1", {3, 63, 173, 2}},
          {"Label1", {33, 71, 114, 13}},
          {"Label2", {17, 86, 146, 13}}}},
        {120,
         {225, 132},
         {{"Panel1", {0, 0, 225, 132}},
          {"Image1", {38, 10, 150, 61}},
          {"Shape1", {4, 79, 216, 2}},
          {"Label1", {41, 89, 142, 16}},
          {"Label2", {21, 108, 183, 16}}}},
    };
    for (const TCase& c : cases) {
        TForm::SetScreenPixelsPerInchForTests(c.Ppi);
        TAboutVarnel box(nullptr);
        ASSERT_EQ(box.FormError(), "");
        box.HandleNeeded();
        const std::string where = "About box at " + std::to_string(c.Ppi) + " PPI";
        EXPECT_EQ(box.Caption(), "About...");
        EXPECT_EQ(box.Left(), 244) << where;
        EXPECT_EQ(box.Top(), 143) << where;
        ExpectClientArea(box, c.Client.cx, c.Client.cy, where.c_str());
        ExpectPlaced(box, c.Controls, where.c_str());
        for (TLabel* label : {box.Label1, box.Label2}) {
            EXPECT_NE(label->Caption(), label->Name()) << "the credit line is set";
            HDC dc = GetDC(label->WindowHandle());
            HGDIOBJ old = SelectObject(dc, label->Font().Handle());
            const std::wstring text = Utf8ToWide(label->Caption());
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(label->WindowHandle(), dc);
            EXPECT_LE(extent.cx, label->Width()) << where << ": " << label->Caption();
        }
    }
    TForm::SetScreenPixelsPerInchForTests(0);
}

TEST(Dialogs, TheAboutBoxClosesByCloseBoxEscapeAndAltF4) {
    THostWindow host;
    SetForegroundWindow(host.Handle());
    const std::function<void()> closers[] = {
        [] { PostMessageW(AboutVarnel->WindowHandle(), WM_CLOSE, 0, 0); },
        [] { PressKeys({VK_ESCAPE}); },
        [] { PressChord(VK_MENU, VK_F4); },
    };
    bool shotTaken = false;
    for (const auto& close : closers) {
        TModalSteps steps({[&] {
            if (!std::exchange(shotTaken, true))
                SavePicture(*AboutVarnel, L"about-box.bmp");
            close();
        }});
        ASSERT_TRUE(ShowAboutVarnel());
        EXPECT_FALSE(steps.TimedOut());
        EXPECT_EQ(AboutVarnel, nullptr);
    }
}

// Twenty openings of each dialog leave no window, GDI object or thread behind.
TEST(Dialogs, OpeningAndClosingEachDialogTwentyTimesLeaksNothing) {
    THostWindow host;
    SetForegroundWindow(host.Handle());
    TFolderColumn columns(nullptr);
    auto openBoth = [&] {
        TModalSteps first({[] { PressKeys({VK_ESCAPE}); }});
        ShowAboutVarnel();
        TModalSteps second({[] { PressKeys({VK_RETURN}); }});
        EditFolderColumns(columns);
    };
    openBoth(); // what the first opening sets up once for the process
    PumpMessages();
    const int windows = CountThreadWindows(), gdi = CountGdiObjects(), threads = CountThreads();
    for (int i = 0; i < 20; ++i)
        openBoth();
    PumpMessages();
    EXPECT_EQ(CountThreadWindows(), windows);
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountThreads(), threads);
}

} // namespace
