// Forms: shown modally over an owner, ended by a result, the close box, Escape, Alt+F4 or a quit
// message; their client size; scaling from their design pixels per inch.

#include "components/FormStreaming.h"
#include "controls/Form.h"
#include "controls/Menus.h"

#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/ModalSteps.h"

#include <gtest/gtest.h>

namespace {

// A dialog-framed form of 200 x 100 with one tab stop, over an active host window.
class FormTest : public testing::Test {
protected:
    void SetUp() override {
        SetForegroundWindow(m_Host.Handle());
        SetActiveWindow(m_Host.Handle());
        m_Form.SetFormBorderStyle(TFormBorderStyle::Dialog);
        m_Form.SetClientWidth(200);
        m_Form.SetClientHeight(100);
        m_Field->SetParent(&m_Form);
        m_Field->SetTabStop(true);
        m_Field->SetBounds(10, 10, 50, 20);
    }

    TModalResult ShowWith(std::vector<std::function<void()>> Steps) {
        TModalSteps steps(std::move(Steps));
        const TModalResult result = m_Form.ShowModal();
        EXPECT_FALSE(steps.TimedOut()) << "the watchdog had to close the form";
        return result;
    }

    THostWindow m_Host;
    TForm m_Form{nullptr};
    TWinControl* m_Field = new TWinControl(&m_Form);
};

TEST_F(FormTest, ShowModalDisablesItsOwnerWhileItShowsAndReturnsTheResultSet) {
    bool ownerDisabled = false, shown = false;
    HWND owner = nullptr;
    const TModalResult result = ShowWith({[&] {
        ownerDisabled = !IsWindowEnabled(m_Host.Handle());
        shown = IsWindowVisible(m_Form.WindowHandle());
        owner = GetWindow(m_Form.WindowHandle(), GW_OWNER);
        m_Form.SetModalResult(mrOk);
    }});
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(ownerDisabled && shown);
    EXPECT_EQ(owner, m_Host.Handle()) << "the active window owns the form";
    EXPECT_TRUE(IsWindowEnabled(m_Host.Handle()));
    EXPECT_FALSE(IsWindowVisible(m_Form.WindowHandle()));
    EXPECT_FALSE(m_Form.Modal());

    RECT client{};
    GetClientRect(m_Form.WindowHandle(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
}

TEST_F(FormTest, CloseBoxEscapeAndAltF4EndTheLoopWithCancel) {
    EXPECT_EQ(ShowWith({[&] { PostMessageW(m_Form.WindowHandle(), WM_CLOSE, 0, 0); }}), mrCancel);
    EXPECT_EQ(ShowWith({[&] { PressKeys({VK_ESCAPE}); }}), mrCancel);
    EXPECT_EQ(ShowWith({[&] { PressChord(VK_MENU, VK_F4); }}), mrCancel);
    // The form stays whole and can be shown again after each.
    EXPECT_EQ(ShowWith({[&] { m_Form.SetModalResult(mrOk); }}), mrOk);
}

TEST_F(FormTest, AQuitMessageEndsTheLoopWithCancelAndIsPostedAgain) {
    EXPECT_EQ(ShowWith({[] { PostQuitMessage(7); }}), mrCancel);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_TRUE(IsWindowEnabled(m_Host.Handle()));
}

// A form designed at 120 pixels per inch, shown on a screen of 96, when Scaled and when not.
TEST(FormScaling, AScaledFormScalesBoundsClientSizeAndFontButNotItsPlace) {
    RegisterFrameworkClasses();
    const char* text = "object Box: TForm\n"
                       "  Left = 244\n  Top = 143\n  BorderStyle = bsDialog\n"
                       "  ClientWidth = 225\n  ClientHeight = 132\n"
                       "  Font.Height = -14\n  PixelsPerInch = 120\n  Scaled = %s\n"
                       "  object Inner: TWinControl\n"
                       "    Left = 21\n    Top = 108\n    Width = 183\n    Height = 16\n"
                       "  end\nend\n";
    struct TCase {
        const char* Scaled;
        int ScreenPpi;
        RECT Inner;
        SIZE Client;
        int FontHeight;
    };
    const TCase cases[] = {
        {"True", 96, {17, 86, 146, 13}, {180, 106}, -11},
        {"True", 120, {21, 108, 183, 16}, {225, 132}, -14},
        {"False", 96, {21, 108, 183, 16}, {225, 132}, -14},
    };
    for (const TCase& c : cases) {
        TForm::SetScreenPixelsPerInchForTests(c.ScreenPpi);
        TForm form(nullptr);
        char form_text[512];
        std::snprintf(form_text, sizeof form_text, text, c.Scaled);
        TFormError error;
        ASSERT_TRUE(ReadComponentBytes(form, form_text, error)) << error.Message();
        const std::string where =
            std::string("Scaled ") + c.Scaled + " at " + std::to_string(c.ScreenPpi) + " PPI";
        auto* inner = dynamic_cast<TWinControl*>(form.FindComponent("Inner"));
        ASSERT_TRUE(inner);
        form.HandleNeeded();
        EXPECT_EQ(inner->Left(), c.Inner.left) << where;
        EXPECT_EQ(inner->Top(), c.Inner.top) << where;
        EXPECT_EQ(inner->Width(), c.Inner.right) << where;
        EXPECT_EQ(inner->Height(), c.Inner.bottom) << where;
        EXPECT_EQ(form.ClientWidth(), c.Client.cx) << where;
        EXPECT_EQ(form.ClientHeight(), c.Client.cy) << where;
        EXPECT_EQ(inner->Font().Height(), c.FontHeight) << where << ": the control's font";
        EXPECT_EQ(form.Left(), 244) << where << ": the place on the screen is never scaled";
        EXPECT_EQ(form.Top(), 143) << where;
    }
    TForm::SetScreenPixelsPerInchForTests(0);
}

} // namespace
