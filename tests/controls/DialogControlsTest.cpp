// The dialog controls on a shown form: what their form file holds, the masked edit's typing rules,
// a label's access key, and a bitmap button ending a modal form.

#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/ModalSteps.h"

#include "components/FormStreaming.h"
#include "controls/BitBtn.h"
#include "controls/CheckBox.h"
#include "controls/Dialogs.h"
#include "controls/ComboBox.h"
#include "controls/Label.h"
#include "controls/ListBox.h"
#include "controls/MaskEdit.h"
#include "controls/Bevel.h"
#include "controls/Panel.h"
#include "controls/Shape.h"
#include "controls/Menus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string DialogFormText() {
    return
#include "DialogForm.inc"
        ;
}

void Type(std::initializer_list<WORD> Keys) {
    SendKeys(Keys);
    Pump(150);
}

void AltKey(WORD Key) {
    INPUT inputs[4]{};
    for (INPUT& input : inputs)
        input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[3].ki.wVk = VK_MENU;
    inputs[1].ki.wVk = inputs[2].ki.wVk = Key;
    inputs[2].ki.dwFlags = inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, inputs, sizeof(INPUT));
    Pump(150);
}

void PutOnClipboard(const std::wstring& Text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(wchar_t)));
    memcpy(GlobalLock(block.Get()), Text.c_str(), (Text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block.Get());
    if (SetClipboardData(CF_UNICODETEXT, block.Get()))
        (void)block.Release(); // the clipboard owns it now
    CloseClipboard();
}

COLORREF PixelOf(TWinControl& Control, int X, int Y) {
    HDC dc = GetDC(Control.WindowHandle());
    const COLORREF pixel = GetPixel(dc, X, Y);
    ReleaseDC(Control.WindowHandle(), dc);
    return pixel;
}

class DialogControlsTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterFrameworkClasses();
        TFormError error;
        ASSERT_TRUE(ReadComponentBytes(*form, DialogFormText(), error)) << error.Message();
    }
    template <class C> C& Find(const char* Name) {
        auto* c = dynamic_cast<C*>(form->FindComponent(Name));
        EXPECT_TRUE(c) << Name;
        return *c;
    }
    void Show() {
        form->SetVisible(true);
        SetForegroundWindow(form->Handle());
        Pump(100);
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

} // namespace

TEST_F(DialogControlsTest, TheFormFileReadsEveryControlAndWritesTheSameTextBack) {
    auto& label = Find<TLabel>("NameLabel");
    EXPECT_EQ(label.FocusControl(), &Find<TEdit>("NameEdit"));
    EXPECT_EQ(Find<TEdit>("NameEdit").Text(), "caf\xC3\xA9");
    EXPECT_EQ(Find<TMaskEdit>("SizeEdit").Text(), "7  ");
    EXPECT_EQ(Find<TListBox>("Kinds").Items()[2], "Drive");
    EXPECT_EQ(Find<TCustomComboBox>("Choice").Items().Count(), 2);
    auto& ok = Find<TBitBtn>("Ok");
    EXPECT_TRUE(ok.Default());
    EXPECT_EQ(ok.ModalResult(), mrOk);
    EXPECT_EQ(ok.Caption(), "OK");
    EXPECT_EQ(ok.Parent(), &Find<TWinControl>("Bottom"));
    EXPECT_FALSE(label.ClassInfo().FindProperty("TabStop")) << "a label is never a Tab stop";

    std::string written;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(*form, TFormFormat::Text, written, error)) << error.Message();
    EXPECT_EQ(written, DialogFormText());

    Show();
    EXPECT_TRUE(Find<TCheckBox>("Hidden").Checked());
    for (const char* name : {"NameLabel", "Kinds", "Frame", "Rule", "Ok"}) {
        auto& c = Find<TWinControl>(name);
        RECT r{};
        GetWindowRect(c.WindowHandle(), &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(c.WindowHandle()), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.Left()) << name;
        EXPECT_EQ(r.right - r.left, c.Width()) << name;
    }
    EXPECT_EQ(Find<TWinControl>("Rule").Height(), 2);
    EXPECT_EQ(Find<TWinControl>("Kinds").ClientRect().bottom % 16, 0) << "whole items only";

    // A mask this control cannot keep is an error in the file, not a plain box.
    TForm other(nullptr);
    const std::string badMask = "object F: TForm\n  object M: TMaskEdit\n    EditMask = '99;0'\n"
                                "  end\nend\n";
    EXPECT_FALSE(ReadComponentBytes(other, badMask, error));
}

TEST_F(DialogControlsTest, TheMaskedEditTakesDigitsIntoItsPositionsAndRefusesTheRest) {
    Show();
    auto& edit = Find<TMaskEdit>("SizeEdit");
    edit.SetText("");
    edit.SetFocus();
    edit.SetSel(0, 0);
    Type({'1', '2', 'A', VK_OEM_MINUS});
    EXPECT_EQ(edit.Text(), "12 ") << "a letter or a sign is refused";
    Type({'3', '4'});
    EXPECT_EQ(edit.Text(), "123") << "no fourth position";
    Type({VK_HOME, VK_DELETE, VK_END, VK_BACK});
    EXPECT_EQ(edit.Text(), " 2 ");
    EXPECT_EQ(edit.WindowText(), L"_2_");

    PutOnClipboard(L"4x");
    edit.SetSel(0, 0);
    PressChord(VK_CONTROL, 'V');
    EXPECT_EQ(edit.Text(), " 2 ") << "a paste with a non-digit is refused whole";
    PutOnClipboard(L"45");
    edit.SetSel(1, 0);
    PressChord(VK_CONTROL, 'V');
    EXPECT_EQ(edit.Text(), " 45");

    edit.SetSel(1, 2);
    PressChord(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(edit.Text(), "   ") << "a cut blanks the positions it takes";
    edit.SetSel(0, 0);
    PressChord(VK_CONTROL, 'V');
    EXPECT_EQ(edit.Text(), "45 ");

    edit.SetText("7");
    EXPECT_EQ(edit.WindowText(), L"7__");
    EXPECT_FALSE(edit.TrySetEditMask("000;0;_"));

    // The list box tells of the user's choice, never of one made in code.
    auto& list = Find<TListBox>("Kinds");
    int clicks = 0;
    list.OnClick = [&](TObject*) { ++clicks; };
    list.SetItemIndex(2);
    POINT first = list.ClientToScreen({10, 8});
    ClickAt(first);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.ItemIndex(), 0);
    PressKeys({VK_DOWN});
    EXPECT_EQ(clicks, 2) << "a choice made with the keys";
    EXPECT_EQ(list.ItemIndex(), 1);
}

TEST_F(DialogControlsTest, ALabelsAccessKeyFocusesItsControlOnlyWhileThatIsEnabled) {
    Show();
    auto& label = Find<TLabel>("NameLabel");
    auto& edit = Find<TEdit>("NameEdit");
    auto& list = Find<TListBox>("Kinds");
    // Not the control after the label, where the dialog manager alone would go.
    label.SetFocusControl(&list);
    edit.SetFocus();
    AltKey('N');
    EXPECT_TRUE(list.Focused());

    edit.SetFocus();
    list.SetEnabled(false);
    AltKey('n');
    EXPECT_TRUE(edit.Focused()) << "the key is used up, and the focus stays";

    delete &list;
    EXPECT_EQ(label.FocusControl(), nullptr);
}

namespace {

// Shows the form modally and runs Action from inside its loop.
TModalResult ShowModalWith(TForm& Form, std::function<void()> Action) {
    TModalSteps steps({std::move(Action)});
    const TModalResult result = Form.ShowModal();
    EXPECT_FALSE(steps.TimedOut()) << "the watchdog had to close the form";
    return result;
}

} // namespace

TEST_F(DialogControlsTest, AnOkBitBtnEndsTheModalFormWhenClickedAndOnEnter) {
    auto& ok = Find<TBitBtn>("Ok");
    EXPECT_EQ(ShowModalWith(*form, [&] { ClickAt(CentreOnScreen(ok)); }), mrOk);
    EXPECT_EQ(ShowModalWith(*form,
                            [&] {
                                Find<TWinControl>("NameEdit").SetFocus();
                                SendKeys({VK_RETURN});
                            }),
              mrOk);
    EXPECT_EQ(ShowModalWith(*form, [&] { SendKeys({VK_ESCAPE}); }), mrCancel);
}

TEST_F(DialogControlsTest, ShowMessageReturnsOnceItsBoxIsClosed) {
    TDialogAnswerer user(IDOK);
    ShowMessage("Copied 3 files");
    EXPECT_EQ(user.Answered(), 1);
}

TEST_F(DialogControlsTest, DecorationsDrawTheirEdgesAndLabelsShowTheFormsColour) {
    form->SetColor(clYellow);
    Show();
    const COLORREF shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight),
                   yellow = ColorToRGB(clYellow), red = RGB(255, 0, 0);
    auto& bevel = Find<TBevel>("Frame");
    EXPECT_EQ(PixelOf(bevel, 0, 0), shadow) << "a lowered box is dark at its top left";
    EXPECT_EQ(PixelOf(bevel, bevel.Width() - 1, bevel.Height() - 1), light);
    EXPECT_EQ(PixelOf(bevel, 4, bevel.Height() - 4), yellow) << "and shows its parent inside";
    auto& rule = Find<TShape>("Rule");
    for (const POINT p : {POINT{0, 0}, POINT{107, 1}, POINT{215, 1}})
        EXPECT_EQ(PixelOf(rule, p.x, p.y), red) << p.x << "," << p.y;
    rule.Pen().SetWidth(3);
    rule.SetHeight(20);
    UpdateWindow(rule.WindowHandle());
    EXPECT_EQ(PixelOf(rule, 2, 2), red) << "a wide pen draws inside the shape";
    EXPECT_EQ(PixelOf(rule, 3, 3), ColorToRGB(clWhite)) << "filled with the brush";
    auto& panel = Find<TPanel>("Bottom");
    EXPECT_EQ(PixelOf(panel, 0, 0), light) << "raised outside";
    EXPECT_EQ(PixelOf(panel, 1, 1), shadow) << "lowered inside";
    auto& label = Find<TLabel>("NameLabel");
    EXPECT_EQ(PixelOf(label, label.Width() - 2, label.Height() - 2), yellow);
    auto& check = Find<TCheckBox>("Hidden");
    EXPECT_EQ(PixelOf(check, check.Width() - 2, 1), yellow);
}

TEST_F(DialogControlsTest, CheckBoxAndEditTellOfTheUsersChangesOnly) {
    Show();
    auto& check = Find<TCheckBox>("Hidden");
    int clicks = 0;
    check.OnClick = [&](TObject*) { ++clicks; };
    check.SetChecked(false);
    ClickAt(check.ClientToScreen({6, check.Height() / 2}));
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(clicks, 1);

    auto& edit = Find<TEdit>("NameEdit");
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetText("");
    edit.SetMaxLength(2);
    edit.SetFocus();
    changes = 0;
    Type({'A', 'B', 'C'});
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_GE(changes, 2) << "a change per key taken";
    edit.SelectAll();
    EXPECT_EQ(edit.SelLength(), 2);

    auto& list = Find<TListBox>("Kinds");
    EXPECT_EQ(SendMessageW(list.WindowHandle(), LB_GETITEMHEIGHT, 0, 0), 16);
    list.SetIntegralHeight(false);
    EXPECT_TRUE(GetWindowLongPtrW(list.WindowHandle(), GWL_STYLE) & LBS_NOINTEGRALHEIGHT);
    EXPECT_EQ(list.Items().Count(), 3) << "the items outlive the window";
}

TEST_F(DialogControlsTest, AButtonsKindBringsItsRoleAndGlyphButAStoredCaptionWins) {
    TForm other(nullptr);
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(other,
                                   "object F: TForm\n  object B: TBitBtn\n    Caption = 'Go'\n"
                                   "    Kind = bkOK\n  end\nend\n",
                                   error))
        << error.Message();
    auto& go = dynamic_cast<TBitBtn&>(*other.FindComponent("B"));
    EXPECT_EQ(go.Caption(), "Go");
    EXPECT_TRUE(go.Default());

    auto& close = Find<TButton>("Close");
    auto& ok = Find<TBitBtn>("Ok");
    ok.SetKind(bkCancel);
    EXPECT_EQ(ok.Caption(), "Cancel");
    EXPECT_EQ(ok.ModalResult(), mrCancel);
    EXPECT_FALSE(ok.Default());
    Show();
    EXPECT_TRUE(SendMessageW(ok.WindowHandle(), BM_GETIMAGE, IMAGE_ICON, 0)) << "a glyph";
    EXPECT_EQ(GetDlgCtrlID(ok.WindowHandle()), IDCANCEL) << "Escape's button";
    EXPECT_EQ(GetDlgCtrlID(close.WindowHandle()), IDCANCEL);
}
