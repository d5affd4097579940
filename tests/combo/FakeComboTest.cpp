// The combo's entries over a fake namespace: what is listed, at which level, what is selected.

#include "ComboTestSupport.h"

#include "support/PidlBuilder.h"

#include <algorithm>
#include <cstring>

namespace {

using Lines = std::vector<std::string>;

const Lines kWithoutChain = {
    "Desktop/1",         "Zeta/2",          "My Computer/2", "Local Disk (C:)/4",
    "Local Disk (D:)/4", "Control Panel/4", "Recycle Bin/2", "Documents/2"};

TEST_F(FakeComboTest, WithoutACurrentFolderTheDesktopItsFoldersAndTheDrivesAreListed) {
    Make();
    // Folders only, hidden ones and files left out, in the shell's order.
    EXPECT_EQ(EntryLines(*combo), kWithoutChain);
    EXPECT_EQ(combo->ItemIndex(), 0);
    ASSERT_EQ(combo->Items().Count(), combo->EntryCount());
    for (int i = 0; i < combo->Items().Count(); ++i)
        EXPECT_EQ(combo->Items()[i], " ");
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), combo->EntryCount());
    for (SHCONTF flags : shell->Calls().enumFlags)
        EXPECT_EQ(flags, static_cast<SHCONTF>(SHCONTF_FOLDERS));

    const TItemEntry* desktop = combo->Entry(0);
    EXPECT_FALSE(desktop->sfFolder);
    EXPECT_FALSE(desktop->pPidl);
    EXPECT_EQ(EnumGlobals::GetPidlSize(desktop->pFQPidl.Get()), 2);
    EXPECT_EQ(desktop->iImageIndex, 10);
    EXPECT_EQ(desktop->iSelImageIndex, 20);

    const TItemEntry* drive = combo->Entry(IndexOf("Local Disk (C:)"));
    const OwnedPidl driveList = shell->Pidl("My Computer\\Local Disk (C:)");
    EXPECT_EQ(PidlBytes(drive->pFQPidl.Get()), PidlBytes(driveList.Get()));
    EXPECT_EQ(PidlBytes(drive->pPidl.Get()),
              PidlBytes(shell->ChildPidl("My Computer\\Local Disk (C:)").Get()));
    EXPECT_EQ(drive->iImageIndex, 12);
    EXPECT_EQ(drive->iSelImageIndex, 22);
    EXPECT_EQ(drive->sFQPath, "C:\\Fake\\My Computer\\Local Disk (C:)");
    EXPECT_EQ(combo->Entry(IndexOf("My Computer"))->sFQPath, "") << "a virtual folder";
    EXPECT_EQ(combo->CurrentPath(), "C:\\Fake") << "the fake's desktop is a directory";
}

TEST_F(FakeComboTest, AFolderThreeLevelsBelowADriveGetsItsChainAndIsSelected) {
    Make();
    const OwnedPidl deeper = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha\\deep\\deeper");
    combo->SetCurrentPidl(deeper.Get());
    // Exactly the chain, between its drive and the next; no siblings.
    EXPECT_EQ(EntryLines(*combo),
              (Lines{"Desktop/1", "Zeta/2", "My Computer/2", "Local Disk (C:)/4", "Alpha/6",
                     "deep/8", "deeper/10", "Local Disk (D:)/4", "Control Panel/4", "Recycle Bin/2",
                     "Documents/2"}));
    EXPECT_EQ(SelectedCaption(), "deeper");
    const OwnedPidl current = combo->CurrentPidl();
    EXPECT_EQ(PidlBytes(current.Get()), PidlBytes(deeper.Get()));
    EXPECT_NE(current.Get(), combo->CurrentPidl().Get()) << "a fresh copy each time";
    EXPECT_EQ(combo->CurrentPath(), "C:\\Fake\\My Computer\\Local Disk (C:)\\Alpha\\deep\\deeper");
    const TItemEntry* deep = combo->Entry(IndexOf("deep"));
    EXPECT_EQ(PidlBytes(deep->pPidl.Get()),
              PidlBytes(shell->ChildPidl("My Computer\\Local Disk (C:)\\Alpha\\deep").Get()));

    // A drive: no chain, the drive selected.
    const OwnedPidl drive = shell->Pidl("My Computer\\Local Disk (D:)");
    combo->SetCurrentPidl(drive.Get());
    EXPECT_EQ(EntryLines(*combo), kWithoutChain);
    EXPECT_EQ(combo->ItemIndex(), IndexOf("Local Disk (D:)"));

    // None: the desktop, and the current path is cleared.
    combo->SetCurrentPidl(nullptr);
    EXPECT_EQ(EntryLines(*combo), kWithoutChain);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(FakeComboTest, AListThatDiffersInItsBytesStillFindsItsDriveChainAndEntry) {
    Make();
    // A parsed list may carry other bytes than the enumerated one for the same folder; the fake
    // knows its items by number, so a changed name keeps naming the same folder.
    OwnedPidl alpha = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha");
    auto* bytes = reinterpret_cast<BYTE*>(alpha.Get());
    const int size = EnumGlobals::GetPidlSize(alpha.Get());
    for (int i = 0; i + 5 < size; ++i)
        if (std::memcmp(bytes + i, "Local", 5) == 0 || std::memcmp(bytes + i, "Alpha", 5) == 0)
            bytes[i] = static_cast<BYTE>(bytes[i] + 1);
    combo->SetCurrentPidl(alpha.Get());
    EXPECT_EQ(EntryLines(*combo)[4], "Alpha/6");
    EXPECT_EQ(SelectedCaption(), "Alpha");
}

TEST_F(FakeComboTest, AFolderOutsideTheChainSelectsItsDeepestListedAncestor) {
    Make();
    // Below a desktop folder other than My Computer: its second item is no drive.
    const OwnedPidl letters = shell->Pidl("Documents\\Letters");
    combo->SetCurrentPidl(letters.Get());
    EXPECT_EQ(EntryLines(*combo), kWithoutChain);
    EXPECT_EQ(SelectedCaption(), "Documents");

    // Below a hidden folder, which the chain does not list.
    const OwnedPidl hidden = shell->Pidl("My Computer\\Local Disk (C:)\\.hidden\\x");
    combo->SetCurrentPidl(hidden.Get());
    EXPECT_EQ(EntryLines(*combo), kWithoutChain);
    EXPECT_EQ(SelectedCaption(), "Local Disk (C:)");
}

TEST_F(FakeComboTest, SettingTheCurrentPathParsesItAndRefusesWhatItCannotHold) {
    Make();
    combo->SetCurrentPath("My Computer\\Local Disk (C:)\\Alpha");
    EXPECT_EQ(SelectedCaption(), "Alpha");
    EXPECT_EQ(combo->CurrentPath(), "C:\\Fake\\My Computer\\Local Disk (C:)\\Alpha");

    const Lines before = EntryLines(*combo);
    combo->SetCurrentPath("My Computer\\Nowhere");
    EXPECT_EQ(EntryLines(*combo), before);
    EXPECT_EQ(SelectedCaption(), "Alpha");

    // Its first MAX_PATH - 1 characters name a folder; the whole path names none.
    std::string tooLong = "Zeta\\inner";
    tooLong.append(MAX_PATH, '\\');
    combo->SetCurrentPath(tooLong);
    EXPECT_EQ(SelectedCaption(), "Alpha") << "a path too long is not cut to fit";
    combo->SetCurrentPath(tooLong.substr(0, MAX_PATH - 1));
    EXPECT_EQ(SelectedCaption(), "Zeta");
}

TEST_F(FakeComboTest, AnUnnamedOrUnreachableFolderChangesNothing) {
    Make({FakeFolder("Zeta", {FakeFolder("mute").FailDisplayName()}),
          FakeVirtualFolder("My Computer", {FakeFolder("Local Disk (C:)")})});
    const OwnedPidl zeta = shell->Pidl("Zeta");
    combo->SetCurrentPidl(zeta.Get());
    ASSERT_EQ(SelectedCaption(), "Zeta");
    const OwnedPidl mute = shell->Pidl("Zeta\\mute");
    const int blocks = malloc.LiveBlocks();

    combo->SetCurrentPidl(mute.Get());
    EXPECT_EQ(SelectedCaption(), "Zeta") << "no name: not refilled";
    EXPECT_EQ(malloc.LiveBlocks(), blocks - 1) << "the old current list is freed";

    services->DesktopAvailable = false;
    combo->SetCurrentPidl(zeta.Get());
    combo->SetCurrentPath("Zeta");
    EXPECT_EQ(SelectedCaption(), "Zeta");
    combo->FillCombo();
    EXPECT_EQ(EntryLines(*combo), (Lines{"Desktop/1"})) << "no desktop folder: the desktop alone";
}

TEST_F(FakeComboTest, RefillingYieldsTheSameEntriesAndFreesTheOldOnesOnce) {
    Make();
    const OwnedPidl deeper = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha\\deep\\deeper");
    combo->SetCurrentPidl(deeper.Get());
    const Lines lines = EntryLines(*combo);
    const int blocks = malloc.LiveBlocks();
    const int objects = shell->LiveObjects();
    ASSERT_GT(objects, 0) << "entries hold their folders";

    combo->FillCombo();
    combo->FillCombo();
    EXPECT_EQ(EntryLines(*combo), lines);
    EXPECT_EQ(SelectedCaption(), "deeper");
    EXPECT_EQ(malloc.LiveBlocks(), blocks);
    EXPECT_EQ(shell->LiveObjects(), objects);

    combo->ClearItemList();
    EXPECT_EQ(malloc.LiveBlocks(), 2) << "only the test's list and the current folder's are left";
    EXPECT_EQ(shell->LiveObjects(), 0);
    // Item strings stay until the next fill; drawing them draws no entry.
    EXPECT_EQ(combo->Items().Count(), static_cast<int>(lines.size()));
    combo->Invalidate();
    PumpMessages();
}

TEST_F(FakeComboTest, ItemsAreTallEnoughForTheIconAndTheCaption) {
    Make();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(combo->Font().Handle(), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_GE(combo->ItemHeight(), 16);
    EXPECT_GE(combo->ItemHeight(), metrics.tmHeight);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), combo->ItemHeight());
    EXPECT_EQ(combo->DropDownCount(), 10);
    EXPECT_TRUE(GetWindowLongW(combo->Handle(), GWL_STYLE) & CBS_OWNERDRAWFIXED);
}

int BoxHeight(const TNameSpaceCombo& Combo) {
    RECT r{};
    GetWindowRect(Combo.WindowHandle(), &r);
    return r.bottom - r.top;
}

TEST_F(FakeComboTest, ItemsAndTheBoxFollowEveryChangeOfTheFont) {
    Make();
    const int smallItems = combo->ItemHeight();
    const int smallBox = BoxHeight(*combo);
    combo->Font().SetHeight(-32);
    const int captions = FontTextHeight(combo->Font());
    EXPECT_GE(captions, 32);
    EXPECT_GE(combo->ItemHeight(), captions) << "captions are not clipped";
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), combo->ItemHeight());
    EXPECT_GE(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0),
              combo->ItemHeight())
        << "the closed box's field";
    EXPECT_GT(BoxHeight(*combo), combo->ItemHeight()) << "the box grows with its items";
    EXPECT_GT(BoxHeight(*combo), smallBox);
    EXPECT_EQ(combo->Height(), BoxHeight(*combo));

    // Back to a small font: the icon's height is the least, and the box shrinks again.
    combo->Font().SetHeight(-8);
    EXPECT_EQ(combo->ItemHeight(), std::max(16, FontTextHeight(combo->Font())));
    combo->Font().SetHeight(-11);
    EXPECT_EQ(combo->ItemHeight(), smallItems);
    EXPECT_EQ(BoxHeight(*combo), smallBox);
}

} // namespace

namespace {

TEST_F(FakeComboTest, AnOwnerControlBecomesTheParentAndNoWindowIsForcedIntoExistence) {
    shell = std::make_unique<FakeShell>(ViewsNamespace(), &malloc);
    services = std::make_unique<TFakeViewServices>(*shell);
    const int windows = CountThreadWindows();
    {
        // A parent not yet placed: the fill asks the shell with no owner window.
        TWinControl panel(nullptr);
        auto* owned = new TNameSpaceCombo(&panel, services.get());
        EXPECT_EQ(owned->Parent(), &panel);
        EXPECT_FALSE(panel.HandleAllocated());
        EXPECT_FALSE(owned->HandleAllocated());
        EXPECT_EQ(CountThreadWindows(), windows) << "no stray top-level window";
        EXPECT_EQ(owned->EntryCount(), 8);

        panel.SetParentWindow(host.Handle());
        EXPECT_EQ(GetParent(owned->Handle()), panel.Handle());
        EXPECT_EQ(SendMessageW(owned->Handle(), CB_GETCOUNT, 0, 0), 8);
        EXPECT_EQ(SendMessageW(owned->Handle(), CB_GETCURSEL, 0, 0), 0);
    } // the panel destroys the combo it owns
    EXPECT_EQ(malloc.LiveBlocks(), 0);
}

} // namespace
