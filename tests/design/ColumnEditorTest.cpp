// The column editor driven from inside its modal loop, as a developer uses it: on a live folder
// list whose header follows every stored change, and on a column set that counts its set-ups.

#include "controls/BitBtn.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "controls/MaskEdit.h"
#include "design/FolderColumnForm.h"
#include "list/FolderEnumerator.h"

#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/ModalSteps.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Steps = std::vector<std::function<void()>>;
using Names = std::vector<std::string>;

struct TCountingOwner : IFolderColumnOwner {
    int Setups = 0;
    void SetupColumns() override { ++Setups; }
};

TFolderColumnForm& Editor() {
    return *FolderColumnForm;
}

void ClickColumn(int Index) {
    HWND box = Editor().ColumnListBox->Handle();
    RECT item{};
    SendMessageW(box, LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&item));
    POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(box, &p);
    ClickAt(p);
}

void TypeInto(TWinControl* Control, std::initializer_list<WORD> Keys) {
    Control->SetFocus();
    PressChord(VK_CONTROL, 'A');
    PressKeys(Keys);
}

class ColumnEditor : public testing::Test {
protected:
    void SetUp() override {
        m_List = std::make_unique<TFolderEnumerator>(nullptr);
        m_List->SetAutoRefresh(false);
        m_List->SetViewStyle(vsReport);
        m_List->SetParentWindow(m_Host.Handle());
        m_List->SetBounds(0, 0, 480, 300);
        m_List->HandleNeeded();
        SetForegroundWindow(m_Host.Handle());
    }
    void Edit(TFolderColumn& Columns, Steps Run) {
        Run.push_back([] {
            if (FolderColumnForm)
                PostMessageW(Editor().WindowHandle(), WM_CLOSE, 0, 0);
        });
        TModalSteps steps(std::move(Run));
        std::string error;
        ASSERT_TRUE(EditFolderColumns(Columns, &error)) << error;
        EXPECT_FALSE(steps.TimedOut()) << "the watchdog closed the dialog";
        EXPECT_EQ(FolderColumnForm, nullptr) << "the unit-wide reference outlived the dialog";
    }
    Names Header() const {
        Names names;
        for (int i = 0; i < m_List->Columns().Count(); ++i)
            names.push_back(m_List->Columns().Item(i)->Caption());
        return names;
    }

    THostWindow m_Host{600, 400};
    std::unique_ptr<TFolderEnumerator> m_List;
};

TEST_F(ColumnEditor, OpensOnNameAndStoresEachColumnWhenAnotherIsChosenSoTheHeaderFollows) {
    TFolderColumn& columns = m_List->FolderColumns();
    Names whileOpen;
    Edit(columns, {
                      [&] {
                          EXPECT_EQ(Editor().ColumnListBox->ItemIndex(), 0);
                          EXPECT_TRUE(Editor().ColumnListBox->Focused());
                          EXPECT_EQ(Editor().CaptionEdit->Text(), "Name");
                          EXPECT_EQ(Editor().AlignCombo->ItemIndex(), 0);
                          EXPECT_FALSE(Editor().AlignCombo->Enabled());
                          EXPECT_TRUE(Editor().VisibleCheck->Checked());
                          EXPECT_FALSE(Editor().VisibleCheck->Enabled());
                          EXPECT_TRUE(columns.VisibleChange());
                          ClickColumn(cnSize);
                          EXPECT_EQ(Editor().CaptionEdit->Text(), "Size");
                          EXPECT_TRUE(Editor().AlignCombo->Enabled());
                          EXPECT_EQ(Editor().AlignCombo->ItemIndex(), taRightJustify);
                          TypeInto(Editor().CaptionEdit, {'B', 'Y', 'T', 'E', 'S'});
                          Editor().ColumnListBox->SetFocus();
                          PressKeys({VK_DOWN, VK_DOWN});
                          EXPECT_EQ(Editor().CaptionEdit->Text(), "Type") << "arrow keys";
                          whileOpen = Header();
                          PressKeys({VK_UP, VK_UP, VK_UP}); // Extension, hidden by default
                          Editor().VisibleCheck->SetFocus();
                          PressKeys({VK_SPACE});
                      },
                      [&] { Editor().OKButton->Click(); },
                  });
    EXPECT_EQ(whileOpen, (Names{"Name", "bytes", "Type", "Modified"}))
        << "the header follows while the dialog is open";
    EXPECT_EQ(Header(), (Names{"Name", "Extension", "bytes", "Type", "Modified"}))
        << "Close stores the column shown";
}

TEST_F(ColumnEditor, NothingChangedCausesNoSetUpAndTheCloseBoxStoresNothingForTheColumnShown) {
    TCountingOwner owner;
    TFolderColumn columns(&owner);
    columns.SetWidth(cnSize, 1234);
    columns.SetAlignment(cnType, static_cast<TAlignment>(7));
    columns.SetCaption(cnType, "Type");
    owner.Setups = 0;
    Edit(columns, {[] { ClickColumn(cnSize); }, [] { ClickColumn(cnType); },
                   [] { Editor().OKButton->Click(); }});
    EXPECT_EQ(owner.Setups, 0) << "an unchanged dialog set the columns up";
    EXPECT_EQ(columns.GetWidth(cnSize), 1234) << "a width the field cannot show was rewritten";
    EXPECT_EQ(columns.GetAlignment(cnType), 7) << "an alignment the box cannot show was rewritten";

    Edit(columns, {[] { TypeInto(Editor().CaptionEdit, {'X'}); },
                   [] { PostMessageW(Editor().WindowHandle(), WM_CLOSE, 0, 0); }});
    Edit(columns, {[] { TypeInto(Editor().CaptionEdit, {'Y'}); }, [] { PressKeys({VK_ESCAPE}); }});
    EXPECT_EQ(columns.GetCaption(cnName), "") << "close box and Escape store nothing";
    Edit(columns, {[] { TypeInto(Editor().CaptionEdit, {'Z'}); }, [] { PressKeys({VK_RETURN}); }});
    EXPECT_EQ(columns.GetCaption(cnName), "z") << "Enter presses Close";
}

TEST_F(ColumnEditor, ABadWidthIsRefusedOverTheDialogWhichStaysOnItsColumn) {
    TFolderColumn& columns = m_List->FolderColumns();
    const int typeWidth = columns.GetWidth(cnType);
    const bool typeVisible = columns.GetVisible(cnType);
    TDialogAnswerer answerer(IDOK);
    HWND dialog = nullptr;
    Edit(columns, {[] { ClickColumn(cnType); },
                   [&] {
                       dialog = Editor().WindowHandle();
                       TypeInto(Editor().CaptionEdit, {'K', 'I', 'N', 'D'});
                       Editor().VisibleCheck->SetFocus();
                       PressKeys({VK_SPACE});
                       TypeInto(Editor().WidthEdit, {'1', VK_RIGHT, '2'});
                       ASSERT_EQ(Editor().WidthEdit->Text(), "1 2");
                       ClickColumn(cnModified);
                   },
                   [&] {
                       EXPECT_EQ(answerer.Answered(), 1) << "no message";
                       EXPECT_EQ(answerer.LastOwner(), dialog) << "the message's owner";
                       EXPECT_EQ(Editor().ColumnListBox->ItemIndex(), cnType) << "list box";
                       EXPECT_EQ(Editor().PrevIndex(), cnType);
                       EXPECT_TRUE(Editor().WidthEdit->Focused());
                       EXPECT_EQ(columns.GetWidth(cnType), typeWidth);
                       EXPECT_EQ(columns.GetVisible(cnType), typeVisible) << "stored before";
                       Editor().OKButton->Click();
                       EXPECT_TRUE(IsWindowVisible(Editor().WindowHandle())) << "Close closed";
                       TypeInto(Editor().WidthEdit, {'0', '0', '7'});
                       Editor().OKButton->Click();
                   }});
    EXPECT_EQ(answerer.Answered(), 2);
    EXPECT_EQ(columns.GetCaption(cnType), "kind") << "the caption is stored before the width";
    EXPECT_EQ(columns.GetWidth(cnType), 7) << "\"007\" is 7";
    EXPECT_NE(columns.GetVisible(cnType), typeVisible);
}

// The window made again while the dialog shows: the column selected is shown afresh, so its
// edits are stored on the next switch. A fourth digit is refused.
TEST_F(ColumnEditor, AWindowMadeAgainStillStoresTheSelectedColumn) {
    TFolderColumn& columns = m_List->FolderColumns();
    Edit(columns, {[] { ClickColumn(cnSize); },
                   [] {
                       Editor().RecreateWnd();
                       Editor().Show();
                       EXPECT_EQ(Editor().PrevIndex(), cnSize);
                       TypeInto(Editor().WidthEdit, {'1', '2', '3', '4'});
                       EXPECT_EQ(Editor().WidthEdit->Text(), "123");
                   },
                   [] { ClickColumn(cnType); }});
    EXPECT_EQ(columns.GetWidth(cnSize), 123);
}

} // namespace
