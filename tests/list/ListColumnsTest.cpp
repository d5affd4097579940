// The folder list's columns from its column set, and the list read from and written to forms.

#include "ListTestSupport.h"

#include "components/FormStreaming.h"
#include "list/FolderEnumerator.h"
#include "support/CountingMalloc.h"
#include "support/HostWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Names = std::vector<std::string>;

class ListColumns : public FakeListTest {
protected:
    void SetUp() override {
        MakeShell({FakeFolder("Docs", {FakeFile("b.txt"), FakeFile("a.txt")}),
                   FakeVirtualFolder("My Computer")});
        list = NewList();
    }
    std::unique_ptr<TFolderEnumerator> NewList() {
        auto made = FakeListTest::NewList();
        made->SetName("List");
        return made;
    }
    std::vector<int> Indexes() const {
        std::vector<int> indexes;
        for (int c = cnName; c <= cnModified; ++c)
            indexes.push_back(list->ColumnIndex(static_cast<TColumnName>(c)));
        return indexes;
    }
};

TEST_F(ListColumns, ShowingAndHidingColumnsRebuildsTheHeaderAndTheRows) {
    EXPECT_EQ(Indexes(), (std::vector<int>{0, -1, 1, -1, 2, 3}));
    list->FolderColumns().SetVisible(cnExtension, true);
    EXPECT_EQ(ColumnCaptions(*list), (Names{"Name", "Extension", "Size", "Type", "Modified"}));
    EXPECT_EQ(Indexes(), (std::vector<int>{0, 1, 2, -1, 3, 4}));
    EXPECT_EQ(list->Items().Item(0)->SubItems().Count(), 4) << "rows match the new layout";
    EXPECT_FALSE(list->FolderColumns().VisibleChange());
    list->FolderColumns().SetVisible(cnExtension, false);
    list->FolderColumns().SetVisible(cnType, false);
    EXPECT_EQ(Indexes(), (std::vector<int>{0, -1, 1, -1, -1, 2}));
    EXPECT_EQ(list->Items().Item(0)->SubItems().Count(), 2);
}

TEST_F(ListColumns, AWidthAloneKeepsEveryColumnAndIndex) {
    TListColumn* size = list->Columns().Item(1);
    list->FolderColumns().SetWidth(cnSize, 77);
    EXPECT_EQ(list->Columns().Item(1), size);
    EXPECT_EQ(size->Width(), 77);
    list->FolderColumns().SetCaption(cnSize, "Bytes");
    EXPECT_EQ(size->Caption(), "Bytes");
    EXPECT_EQ(Indexes(), (std::vector<int>{0, -1, 1, -1, 2, 3}));
    // The Name column cannot be hidden.
    list->FolderColumns().SetVisible(cnName, false);
    EXPECT_EQ(list->Columns().Item(1), size);
    EXPECT_EQ(list->Columns().Count(), 4);
}

TEST_F(ListColumns, TheSortColumnCountsShownColumnsAndLosesALayoutChange) {
    list->SetColumnSort(cnExtension);
    EXPECT_EQ(list->LastColumnSorted(), 0) << "a hidden column is not taken";
    list->FolderColumns().SetVisible(cnExtension, true);
    list->SetColumnSort(cnExtension);
    EXPECT_EQ(list->LastColumnSorted(), 1);
    list->FolderColumns().SetVisible(cnExtension, false);
    list->SetColumnSort(cnModified);
    EXPECT_EQ(list->LastColumnSorted(), 3);
    list->FolderColumns().SetVisible(cnType, false);
    EXPECT_EQ(list->LastColumnSorted(), 3) << "the sort index is not adjusted";
    EXPECT_EQ(list->GetColumnSort(), cnName) << "no column has that index now";
}

TEST_F(ListColumns, AFreshListStoresTheDefaultColumnSet) {
    std::string bytes;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(*list, TFormFormat::Binary, bytes, error)) << error.Message();
    EXPECT_NE(bytes.find(Bytes({26}) + "FolderColumns.FolderColumn" + DefaultColumnSetBytes()),
              std::string::npos);
}

TEST_F(ListColumns, AStoredSortColumnSurvivesTheLayoutReadAfterIt) {
    list->FolderColumns().SetVisible(cnExtension, true);
    list->FolderColumns().SetVisible(cnType, false);
    list->SetColumnSort(cnExtension);
    list->SetSortOrder(soDescending);
    list->SetFolder("Docs");
    std::string bytes;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(*list, TFormFormat::Binary, bytes, error)) << error.Message();

    auto read = std::make_unique<TFolderEnumerator>(nullptr, services.get());
    read->SetViewStyle(vsReport);
    read->SetParentWindow(host.Handle());
    read->HandleNeeded();
    ASSERT_TRUE(ReadComponentBytes(*read, bytes, error)) << error.Message();
    EXPECT_EQ(read->ColumnIndex(cnExtension), 1);
    EXPECT_EQ(read->ColumnIndex(cnType), -1);
    EXPECT_EQ(read->Columns().Count(), 4) << "the stored columns are laid out";
    EXPECT_EQ(read->GetColumnSort(), cnExtension);
    EXPECT_EQ(read->LastColumnSorted(), 1);
    EXPECT_EQ(read->GetSortOrder(), soDescending);
    EXPECT_EQ(read->GetFolder(), "Docs");
    EXPECT_EQ(Captions(*read), (Names{"b.txt", "a.txt"}));
    read->FolderColumns().SetWidth(cnModified, 120);
    EXPECT_EQ(read->Columns().Item(3)->Width(), 120);
}

} // namespace
