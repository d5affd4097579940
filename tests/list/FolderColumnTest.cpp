// The folder list's column set, with a stand-in for the list that counts its set-ups.

#include "list/FolderColumn.h"

#include "ListTestSupport.h"

#include "components/Component.h"
#include "components/FormBinary.h"
#include "components/FormStreaming.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Owns a column set the way the list does, publishes it as FolderColumns, and counts set-ups.
class TColumnOwner : public TComponent, public IFolderColumnOwner {
public:
    explicit TColumnOwner(TComponent* AOwner = nullptr) : TComponent(AOwner) {
        // The list's constructor gives the defaults through the setters while it ignores
        // set-up requests, then asks for a header built from scratch.
        m_bInCreate = true;
        const char* captions[] = {"Name", "Extension", "Size", "Attributes", "Type", "Modified"};
        const int widths[] = {200, 50, 50, 50, 100, 200};
        const bool visible[] = {false, false, true, false, true, true};
        for (int i = 0; i < kColumnNameCount; ++i) {
            const auto c = static_cast<TColumnName>(i);
            m_Columns.SetCaption(c, captions[i]);
            m_Columns.SetAlignment(c, c == cnSize ? taRightJustify : taLeftJustify);
            m_Columns.SetWidth(c, widths[i]);
            m_Columns.SetVisible(c, visible[i]);
        }
        m_bInCreate = false;
        m_Columns.SetVisibleChange(true);
    }

    static const TClassInfo& StaticClassInfo() {
        using T = TColumnOwner;
        static const TClassInfo info{
            .ClassName = "TColumnOwner",
            .Parent = &TComponent::StaticClassInfo(),
            .Create = ConstructComponent<TColumnOwner>,
            .Properties = {PersistentProperty("FolderColumns", "TFolderColumn", &T::FolderColumns)},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TFolderColumn& FolderColumns() { return m_Columns; }
    void SetupColumns() override {
        if (!m_bInCreate)
            ++SetupCalls;
    }
    int SetupCalls = 0;

private:
    TFolderColumn m_Columns{this};
    bool m_bInCreate = false;
};

// The defaults as the set stores them.
const std::string kDefaultBytes = DefaultColumnSetBytes();

std::string WrittenForm(TColumnOwner& Owner) {
    std::string bytes;
    TFormError error;
    EXPECT_TRUE(WriteComponentBytes(Owner, TFormFormat::Binary, bytes, error)) << error.Message();
    return bytes;
}

// The stored entry: its name and its value.
std::string Entry(const std::string& Value) {
    return Bytes({26}) + "FolderColumns.FolderColumn" + Value;
}

// A stored set as text, each column's four values given.
std::string StoredSet(const std::string& Values) {
    return "object O: TColumnOwner\n  FolderColumns.FolderColumn = (\n" + Values + ")\nend\n";
}

} // namespace

TEST(FolderColumnTest, DefaultsAreStoredAsExactlyTheseBytesUnderTheEntryName) {
    TColumnOwner owner;
    owner.SetName("O");
    EXPECT_EQ(owner.SetupCalls, 0);
    const std::string form = WrittenForm(owner);
    // The set writes its entry whatever it holds, right after the header.
    EXPECT_EQ(form, std::string(kFormSignature) + Bytes({12}) + "TColumnOwner" + Bytes({1, 'O'}) +
                        Entry(kDefaultBytes) + Bytes({0, 0}));
}

TEST(FolderColumnTest, WidthsAndCaptionsTakeTheTagsTheirSizeNeeds) {
    TColumnOwner owner;
    owner.FolderColumns().SetWidth(cnExtension, 127);
    owner.FolderColumns().SetWidth(cnSize, 128);
    owner.FolderColumns().SetWidth(cnType, 32768);
    owner.FolderColumns().SetCaption(cnAttributes, std::string(256, 'A'));
    const std::string form = WrittenForm(owner);
    EXPECT_NE(form.find(Str("Extension") + Bytes({2, 0, 2, 0x7F})), std::string::npos);
    EXPECT_NE(form.find(Str("Size") + Bytes({2, 1, 3, 0x80, 0})), std::string::npos);
    EXPECT_NE(form.find(Str("Type") + Bytes({2, 0, 4, 0, 0x80, 0, 0})), std::string::npos);
    EXPECT_NE(form.find(Bytes({0x0C, 0, 1, 0, 0}) + std::string(256, 'A')), std::string::npos);
}

TEST(FolderColumnTest, OnlyEffectiveChangesAskForASetUp) {
    TColumnOwner owner;
    TFolderColumn& columns = owner.FolderColumns();
    columns.SetVisibleChange(false);
    columns.SetCaption(cnSize, "Size");
    columns.SetAlignment(cnSize, taRightJustify);
    columns.SetWidth(cnSize, 50);
    columns.SetVisible(cnSize, true);
    EXPECT_EQ(owner.SetupCalls, 0);
    EXPECT_FALSE(columns.VisibleChange());

    columns.SetCaption(cnSize, "size"); // case counts
    columns.SetAlignment(cnSize, taCenter);
    columns.SetWidth(cnSize, -5); // stored unchecked
    EXPECT_EQ(owner.SetupCalls, 3);
    EXPECT_EQ(columns.GetWidth(cnSize), -5);
    EXPECT_FALSE(columns.VisibleChange());
}

TEST(FolderColumnTest, TheNameColumnCannotBeHiddenAndOthersMarkTheVisibleChange) {
    TColumnOwner owner;
    TFolderColumn& columns = owner.FolderColumns();
    columns.SetVisibleChange(false);
    columns.SetVisible(cnName, false);
    columns.SetVisible(cnName, true);
    EXPECT_EQ(owner.SetupCalls, 0);
    EXPECT_FALSE(columns.VisibleChange());
    EXPECT_FALSE(columns.GetVisible(cnName)); // never consulted before a set is read

    // The change is marked before the set-up runs.
    struct TWatcher : IFolderColumnOwner {
        TFolderColumn* Columns = nullptr;
        bool SawChange = false;
        void SetupColumns() override { SawChange = Columns->VisibleChange(); }
    } watcher;
    TFolderColumn watched(&watcher);
    watcher.Columns = &watched;
    watched.SetVisible(cnType, true);
    EXPECT_TRUE(watcher.SawChange);
}

TEST(FolderColumnTest, ReadingForcesTheNameColumnAndTakesTheRestAsStoredWithoutSetUp) {
    TColumnOwner owner;
    owner.FolderColumns().SetVisibleChange(false);
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(owner,
                                   StoredSet("'N' 1 10 False\n"
                                             "'E' 2 20 True\n"
                                             "'S' 257 30 False\n"
                                             "'A' 7 40 True\n"
                                             "'T' 0 -1 False\n"
                                             "'M' 1 70000 True\n"),
                                   error))
        << error.Message();
    const TFolderColumn& c = owner.FolderColumns();
    EXPECT_TRUE(c.GetVisible(cnName));
    EXPECT_EQ(c.GetAlignment(cnName), taLeftJustify);
    EXPECT_EQ(c.GetCaption(cnName), "N");
    EXPECT_EQ(c.GetWidth(cnName), 10);
    EXPECT_EQ(c.GetAlignment(cnExtension), taCenter);
    EXPECT_TRUE(c.GetVisible(cnExtension));
    EXPECT_EQ(c.GetAlignment(cnSize), taRightJustify); // low byte of 257
    EXPECT_FALSE(c.GetVisible(cnSize));
    EXPECT_EQ(c.GetAlignment(cnAttributes), taLeftJustify); // 7 names no alignment
    EXPECT_EQ(c.GetWidth(cnType), -1);
    EXPECT_EQ(c.GetWidth(cnModified), 70000);
    EXPECT_EQ(c.GetCaption(cnModified), "M");
    EXPECT_EQ(owner.SetupCalls, 0);
    EXPECT_FALSE(c.VisibleChange());
}

TEST(FolderColumnTest, AReadErrorKeepsTheRecordsReadBeforeIt) {
    TColumnOwner owner;
    TFormError error;
    // The third column's caption is a Boolean.
    EXPECT_FALSE(ReadComponentBytes(
        owner, StoredSet("'N' 0 1 True\n'E' 0 2 True\nFalse 0 3 True\n'A' 0 4 True\n"), error));
    EXPECT_EQ(error.Line, 5);
    EXPECT_EQ(error.Expected, "a string");
    EXPECT_EQ(error.Name, "FolderColumns.FolderColumn");
    const TFolderColumn& c = owner.FolderColumns();
    EXPECT_EQ(c.GetCaption(cnExtension), "E");
    EXPECT_EQ(c.GetWidth(cnExtension), 2);
    EXPECT_EQ(c.GetCaption(cnSize), "Size"); // not reached
    EXPECT_EQ(owner.SetupCalls, 0);

    // Too few values, a missing list end, too many.
    EXPECT_FALSE(ReadComponentBytes(owner, StoredSet("'N' 0 1 True\n"), error));
    EXPECT_NE(error.Expected.find("too few values"), std::string::npos) << error.Message();
    std::string all;
    for (int i = 0; i < kColumnNameCount; ++i)
        all += "'X' 0 1 True\n";
    EXPECT_FALSE(ReadComponentBytes(owner, StoredSet(all + "'extra'\n"), error));
    EXPECT_EQ(error.Expected, "the end of the list (too many values)");
    std::string form = WrittenForm(owner);
    form.erase(form.size() - 3, 1); // the list end before the object's two ends
    EXPECT_FALSE(ReadComponentBytes(owner, form, error));
}

TEST(FolderColumnTest, CaptionsAreUtf8OnDiskAndReadAsAnsiWhenTheyAreNot) {
    TColumnOwner owner;
    owner.FolderColumns().SetCaption(cnName, "Gr\xC3\xB6\xC3\x9F"
                                             "e");
    const std::string form = WrittenForm(owner);
    EXPECT_NE(form.find(Str("Gr\xC3\xB6\xC3\x9F"
                            "e")),
              std::string::npos);

    // A caption stored in the ANSI code page (Windows-1252 here: F6 is o-umlaut).
    TColumnOwner other;
    std::string ansi = form;
    const std::string utf8 = Str("Gr\xC3\xB6\xC3\x9F"
                                 "e");
    ansi.replace(ansi.find(utf8), utf8.size(),
                 Str("Gr\xF6\xDF"
                     "e"));
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(other, ansi, error)) << error.Message();
    EXPECT_EQ(other.FolderColumns().GetCaption(cnName), "Gr\xC3\xB6\xC3\x9F"
                                                        "e");
}
