// The list's delete, default command and rename against the platform's shell and real files,
// with the change watcher running.

#include "ListTestSupport.h"

#include "framework/ChangeNotifyThread.h"
#include "identifiers/WideText.h"
#include "support/Input.h"
#include "support/RealShellFixture.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

class RealListCommands : public RealShellTest {
protected:
    void SetUp() override {
        RealShellTest::SetUp();
        WriteFile("victim.txt");
        WriteFile("keep.txt");
        list = std::make_unique<TFolderEnumerator>(nullptr);
        list->SetViewStyle(vsReport);
        list->SetParentWindow(host.Handle());
        list->SetBounds(0, 0, 480, 380);
        list->HandleNeeded();
        list->SetFolder(Dir());
        TChangeNotifyThread* watcher = list->ChangeThread();
        ASSERT_TRUE(!watcher || watcher->WaitUntilWatching(20000));
        list->SetFocus();
    }
    void TearDown() override {
        list.reset();
        RealShellTest::TearDown();
    }
    void Select(const std::string& Caption) {
        list->SetSelected(nullptr);
        TListItem* row = Row(*list, Caption);
        ASSERT_NE(row, nullptr) << Caption;
        row->SetSelected(true);
    }
    void Key(WORD Code) {
        SendMessageW(list->Handle(), WM_KEYDOWN, Code, 0);
        SendMessageW(list->Handle(), WM_KEYUP, Code, 0);
    }

    THostWindow host{500, 400};
    std::unique_ptr<TFolderEnumerator> list;
};

TEST_F(RealListCommands, DeleteAsksTheShellWhichDeletesOnceTheUserSaysYes) {
    int answered = 0;
    {
        const TDialogAnswerer user(IDYES);
        Select("victim.txt");
        Key(VK_DELETE);
        answered = user.Answered();
    }
    EXPECT_FALSE(Exists(PathOf("victim.txt")));
    EXPECT_GT(answered, 0);
    EXPECT_TRUE(PumpUntil([&] { return Row(*list, "victim.txt") == nullptr; }))
        << "the watcher's refresh, put off during the command, ran after it";
    EXPECT_NE(Row(*list, "keep.txt"), nullptr);
}

TEST_F(RealListCommands, ARenamedRowStaysSelectedAndAChangeDuringTheEditRefreshesAfterIt) {
    Select("keep.txt");
    HWND edit = reinterpret_cast<HWND>(
        SendMessageW(list->Handle(), LVM_EDITLABELW, Row(*list, "keep.txt")->Index(), 0));
    ASSERT_NE(edit, nullptr);
    WriteFile("during.txt");
    Pump(500);
    EXPECT_EQ(Row(*list, "during.txt"), nullptr) << "the rows wait for the edit";
    SetWindowTextW(edit, L"kept.txt");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Exists(PathOf("kept.txt")));
    EXPECT_TRUE(PumpUntil([&] { return Row(*list, "during.txt") != nullptr; }));
    Pump(300);
    TListItem* kept = Row(*list, "kept.txt");
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->Selected()) << "after the watcher's refresh too";
    EXPECT_EQ(list->SelectedCount(), 1);
    EXPECT_NE(list->ChangeThread(), nullptr) << "the watcher goes on";
}

// A file class of the test's own whose open command copies the file it is given beside it, as
// "<name>.seen"; removed again with the object. Under the machine's classes: Wine's class root
// does not read the user's.
class TMarkerFileClass {
public:
    TMarkerFileClass() {
        Set(L"Software\\Classes\\.vnlmark", L"Varnel.MarkerFile");
        Set(L"Software\\Classes\\Varnel.MarkerFile\\shell\\open\\command",
            L"cmd.exe /c copy \"%1\" \"%1.seen\"");
    }
    ~TMarkerFileClass() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.vnlmark");
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Varnel.MarkerFile");
    }
    TMarkerFileClass(const TMarkerFileClass&) = delete;
    TMarkerFileClass& operator=(const TMarkerFileClass&) = delete;

private:
    static void Set(const wchar_t* Key, const std::wstring& Value) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, Key, nullptr, REG_SZ, Value.c_str(),
                                  static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
};

// The platform's own file menu opened folders only and answered success on a file: a double
// click or Enter on a file row started nothing.
TEST_F(RealListCommands, ADoubleClickOrEnterOnAFileRowStartsTheProgramItsClassNames) {
    const TMarkerFileClass fileClass;
    WriteFile("clicked.vnlmark");
    WriteFile("entered.vnlmark");
    list->Refresh();
    TListItem* clicked = Row(*list, "clicked.vnlmark");
    ASSERT_NE(clicked, nullptr);
    const RECT label = list->ItemRect(clicked, true);
    DoubleClickAt(list->ClientToScreen({label.left + 4, (label.top + label.bottom) / 2}));
    EXPECT_TRUE(PumpUntil([&] { return Exists(PathOf("clicked.vnlmark.seen")); }, 15000));

    Select("entered.vnlmark");
    Key(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return Exists(PathOf("entered.vnlmark.seen")); }, 15000));
    EXPECT_FALSE(Exists(PathOf("clicked.vnlmark.seen.seen"))) << "nothing else was opened";
}

} // namespace
