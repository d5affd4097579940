// Reading and writing components through form files: every property kind, the order of reading,
// references, handlers, and what a failed read leaves behind.

#include "support/TempFolder.h"

#include "components/Component.h"
#include "components/Filer.h"
#include "components/FormBinary.h"
#include "components/FormStreaming.h"
#include "components/FormText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_Log;
int g_LiveThings = 0;

enum TKind { kdPlain, kdFancy, kdOdd };
constexpr unsigned fsBold = 1, fsItalic = 2, fsUnderline = 4;

// A nested value that is not a component.
class TTestFont : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo() {
        using T = TTestFont;
        static const TClassInfo info{
            .ClassName = "TTestFont",
            .Parent = &TPersistent::StaticClassInfo(),
            .Properties = {IntegerProperty("Height", &T::Height, &T::SetHeight, -11),
                           SetProperty("Style", "TFontStyles", &T::Style, &T::SetStyle,
                                       {"fsBold", "fsItalic", "fsUnderline"})},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Height() const { return m_iHeight; }
    void SetHeight(int Value) { m_iHeight = Value; }
    unsigned Style() const { return m_Style; }
    void SetStyle(unsigned Value) { m_Style = Value; }

private:
    int m_iHeight = -11;
    unsigned m_Style = 0;
};

using TPickEvent = std::function<void(TObject* Sender, int Index)>;

// A component with one property of every kind, a defined list of numbers, and a parent.
class TTestThing : public TComponent {
public:
    explicit TTestThing(TComponent* AOwner) : TComponent(AOwner) {
        ++g_LiveThings;
        LoadingAtConstruction = InState(csLoading);
    }
    ~TTestThing() override { --g_LiveThings; }

    static const TClassInfo& StaticClassInfo() {
        using T = TTestThing;
        static const TClassInfo info{
            .ClassName = "TTestThing",
            .Parent = &TComponent::StaticClassInfo(),
            .Create = ConstructComponent<TTestThing>,
            .Properties =
                {
                    IntegerProperty("Count", &T::Count, &T::SetCount, 0),
                    BooleanProperty("Flag", &T::Flag, &T::SetFlag, false),
                    EnumProperty("Kind", "TKind", &T::Kind, &T::SetKind,
                                 {"kdPlain", "kdFancy", "kdOdd"}, kdPlain),
                    StringProperty("Text", &T::Text, &T::SetText, std::string()),
                    IntegerProperty("Color", &T::Color, &T::SetColor, 0,
                                    {{"clBlack", 0}, {"clRed", 0xFF}, {"clWindow", -16777211}}),
                    IntegerProperty("Big", &T::Big, &T::SetBig, 0),
                    SetProperty("Options", "TOptions", &T::Options, &T::SetOptions,
                                {"fsBold", "fsItalic", "fsUnderline"}),
                    PersistentProperty("Font", "TTestFont", &T::Font),
                    ComponentProperty("Partner", "TTestThing", &T::Partner, &T::SetPartner),
                    EventProperty("OnClick", &T::OnClick),
                    EventProperty("OnPick", &T::OnPick),
                },
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::int16_t Count() const { return m_Count; }
    void SetCount(std::int16_t Value) { m_Count = Value; }
    bool Flag() const { return m_bFlag; }
    void SetFlag(bool Value) { m_bFlag = Value; }
    TKind Kind() const { return m_Kind; }
    void SetKind(TKind Value) { m_Kind = Value; }
    const std::string& Text() const { return m_sText; }
    void SetText(const std::string& Value) { m_sText = Value; }
    int Color() const { return m_Color; }
    void SetColor(int Value) { m_Color = Value; }
    std::int64_t Big() const { return m_Big; }
    void SetBig(std::int64_t Value) { m_Big = Value; }
    unsigned Options() const { return m_Options; }
    void SetOptions(unsigned Value) { m_Options = Value; }
    TTestFont& Font() { return m_Font; }
    TTestThing* Partner() const { return m_Partner; }
    void SetPartner(TTestThing* Value) {
        m_Partner = Value;
        if (Value)
            Value->FreeNotification(this);
    }

    TComponent* GetParentComponent() const override { return m_ParentThing; }
    void SetParentComponent(TComponent* Value) override {
        m_ParentThing = Value;
        g_Log.push_back(Name() + " parent " + (Value ? Value->Name() : "none") +
                        (m_Count == 0 ? " before properties" : " after properties"));
    }

    void DefineProperties(TFiler& Filer) override {
        TComponent::DefineProperties(Filer);
        Filer.DefineProperty(
            "Numbers",
            [this](TReader& Reader) {
                Numbers.clear();
                Reader.ReadListBegin();
                while (!Reader.EndOfList())
                    Numbers.push_back(Reader.ReadInteger());
                Reader.ReadListEnd();
            },
            [this](TWriter& Writer) {
                Writer.WriteListBegin();
                for (int n : Numbers)
                    Writer.WriteInteger(n);
                Writer.WriteListEnd();
            },
            !Numbers.empty());
        // A fixed shape: exactly two values, a string and a Boolean.
        Filer.DefineProperty(
            "Pair",
            [this](TReader& Reader) {
                Reader.ReadListBegin();
                PairText = Reader.ReadString();
                PairFlag = Reader.ReadBoolean();
                Reader.ReadListEnd();
            },
            [this](TWriter& Writer) {
                Writer.WriteListBegin();
                Writer.WriteString(PairText);
                Writer.WriteBoolean(PairFlag);
                Writer.WriteListEnd();
            },
            !PairText.empty());
    }

    void Loaded() override {
        TComponent::Loaded();
        g_Log.push_back(Name() + " loaded");
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == m_Partner)
            m_Partner = nullptr;
    }

    TNotifyEvent OnClick;
    TPickEvent OnPick;
    std::vector<int> Numbers;
    std::string PairText;
    bool PairFlag = false;
    bool LoadingAtConstruction = false;

private:
    std::int16_t m_Count = 0;
    bool m_bFlag = false;
    TKind m_Kind = kdPlain;
    std::string m_sText;
    int m_Color = 0;
    std::int64_t m_Big = 0;
    unsigned m_Options = 0;
    TTestFont m_Font;
    TTestThing* m_Partner = nullptr;
    TComponent* m_ParentThing = nullptr;
};

// Publishes only Flag and Count of its ancestors' properties, in that order, then its own.
class TTestSlim : public TTestThing {
public:
    using TTestThing::TTestThing;
    static const TClassInfo& StaticClassInfo() {
        using T = TTestSlim;
        static const TClassInfo info{
            .ClassName = "TTestSlim",
            .Parent = &TTestThing::StaticClassInfo(),
            .Create = ConstructComponent<TTestSlim>,
            .Properties = {IntegerProperty("Extra", &T::Extra, &T::SetExtra, 0)},
            .Republished = std::vector<std::string_view>{"Flag", "Count"},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    int Extra() const { return m_iExtra; }
    void SetExtra(int Value) { m_iExtra = Value; }

private:
    int m_iExtra = 0;
};

// The root: publishes the handlers its components' events may name.
class TTestForm : public TComponent {
public:
    explicit TTestForm(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    static const TClassInfo& StaticClassInfo() {
        using T = TTestForm;
        static const TClassInfo info{
            .ClassName = "TTestForm",
            .Parent = &TComponent::StaticClassInfo(),
            .Create = ConstructComponent<TTestForm>,
            .Properties = {StringProperty("Title", &T::Title, &T::SetTitle, std::string())},
            .Methods = {PublishedMethod<&T::ThingClick>("ThingClick"),
                        PublishedMethod<&T::ThingPick>("ThingPick")},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    const std::string& Title() const { return m_sTitle; }
    void SetTitle(const std::string& Value) { m_sTitle = Value; }
    void Loaded() override {
        TComponent::Loaded();
        g_Log.push_back("form loaded");
    }

    void ThingClick(TObject* Sender) { Clicks.push_back(static_cast<TComponent*>(Sender)); }
    void ThingPick(TObject*, int Index) { Picks.push_back(Index); }
    std::vector<TComponent*> Clicks;
    std::vector<int> Picks;

private:
    std::string m_sTitle;
};

class FormStreamingTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterComponentClass(TTestThing::StaticClassInfo());
        RegisterComponentClass(TTestSlim::StaticClassInfo());
        g_Log.clear();
        m_LiveBefore = g_LiveThings;
    }
    void TearDown() override {
        EXPECT_EQ(g_LiveThings, m_LiveBefore) << "components left alive by the test";
    }

    static TTestThing* Thing(TComponent& Form, const char* Name) {
        return dynamic_cast<TTestThing*>(Form.FindComponent(Name));
    }

    // Reads text into a fresh form and expects failure; returns the error.
    static TFormError ReadError(const std::string& Text, TTestForm& Form) {
        TFormError error;
        EXPECT_FALSE(ReadComponentBytes(Form, Text, error)) << "read as valid:\n" << Text;
        return error;
    }

    int m_LiveBefore = 0;
};

// A form that uses every kind of property, with a reference to a component stored later and a
// child nested in another.
TTestForm* MakeSampleForm() {
    auto* form = new TTestForm;
    form->SetName("Form1");
    form->SetTitle("Sample");
    auto* a = new TTestThing(form);
    a->SetName("Alpha");
    auto* b = new TTestThing(form);
    b->SetName("Beta");
    auto* c = new TTestThing(form);
    c->SetName("Gamma");
    c->SetParentComponent(b);
    a->SetCount(-300);
    a->SetFlag(true);
    a->SetKind(kdOdd);
    a->SetText("caf\xC3\xA9 'quoted'");
    a->SetColor(0xFF);
    a->SetBig(-5000000000LL);
    a->SetOptions(fsBold | fsUnderline);
    a->Font().SetHeight(-16);
    a->Font().SetStyle(fsItalic);
    a->SetPartner(b);
    a->Numbers = {1, 128, 32768, -7};
    a->PairText = "pair";
    a->PairFlag = true;
    a->OnClick = MethodEvent(form, &TTestForm::ThingClick);
    a->SetHandlerName(TTestThing::StaticClassInfo().Properties[9], "ThingClick");
    b->SetColor(12345);
    b->SetPartner(a);
    c->SetCount(5);
    c->SetPartner(c);
    return form;
}

} // namespace

TEST_F(FormStreamingTest, EveryPropertyKindSurvivesBinaryAndTextRoundTrips) {
    std::unique_ptr<TTestForm> source(MakeSampleForm());
    for (TFormFormat format : {TFormFormat::Binary, TFormFormat::Text}) {
        std::string bytes;
        TFormError error;
        ASSERT_TRUE(WriteComponentBytes(*source, format, bytes, error)) << error.Message();
        TTestForm copy;
        ASSERT_TRUE(ReadComponentBytes(copy, bytes, error)) << error.Message() << "\n" << bytes;
        EXPECT_EQ(copy.Name(), "Form1");
        EXPECT_EQ(copy.Title(), "Sample");
        ASSERT_EQ(copy.ComponentCount(), 3);
        TTestThing* a = Thing(copy, "Alpha");
        TTestThing* b = Thing(copy, "Beta");
        TTestThing* c = Thing(copy, "Gamma");
        ASSERT_TRUE(a && b && c);
        EXPECT_EQ(a->Count(), -300);
        EXPECT_TRUE(a->Flag());
        EXPECT_EQ(a->Kind(), kdOdd);
        EXPECT_EQ(a->Text(), "caf\xC3\xA9 'quoted'");
        EXPECT_EQ(a->Color(), 0xFF);
        EXPECT_EQ(a->Big(), -5000000000LL);
        EXPECT_EQ(a->Options(), fsBold | fsUnderline);
        EXPECT_EQ(a->Font().Height(), -16);
        EXPECT_EQ(a->Font().Style(), fsItalic);
        EXPECT_EQ(a->Partner(), b); // stored before Beta exists
        EXPECT_EQ(b->Partner(), a);
        EXPECT_EQ(c->Partner(), c);
        EXPECT_EQ(c->GetParentComponent(), b);
        EXPECT_EQ(a->Numbers, (std::vector<int>{1, 128, 32768, -7}));
        EXPECT_EQ(a->PairText, "pair");
        EXPECT_TRUE(a->PairFlag);
        EXPECT_EQ(b->Color(), 12345);
        ASSERT_TRUE(a->OnClick);
        a->OnClick(a);
        EXPECT_EQ(copy.Clicks, std::vector<TComponent*>{a});

        // What was read writes again the same bytes.
        std::string again;
        ASSERT_TRUE(WriteComponentBytes(copy, format, again, error)) << error.Message();
        EXPECT_EQ(again, bytes);
    }
}

TEST_F(FormStreamingTest, TheTextFormShowsNamesDefaultsLeftOutAndNestedObjects) {
    std::unique_ptr<TTestForm> source(MakeSampleForm());
    std::string text;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(*source, TFormFormat::Text, text, error));
    EXPECT_EQ(text, "object Form1: TTestForm\n"
                    "  Title = 'Sample'\n"
                    "  object Alpha: TTestThing\n"
                    "    Count = -300\n"
                    "    Flag = True\n"
                    "    Kind = kdOdd\n"
                    "    Text = 'caf\xC3\xA9 ''quoted'''\n"
                    "    Color = clRed\n"
                    "    Big = -5000000000\n"
                    "    Options = [fsBold, fsUnderline]\n"
                    "    Font.Height = -16\n"
                    "    Font.Style = [fsItalic]\n"
                    "    Partner = Beta\n"
                    "    OnClick = ThingClick\n"
                    "    Numbers = (\n"
                    "      1\n"
                    "      128\n"
                    "      32768\n"
                    "      -7)\n"
                    "    Pair = (\n"
                    "      'pair'\n"
                    "      True)\n"
                    "  end\n"
                    "  object Beta: TTestThing\n"
                    "    Color = 12345\n"
                    "    Partner = Alpha\n"
                    "    object Gamma: TTestThing\n"
                    "      Count = 5\n"
                    "      Partner = Gamma\n"
                    "    end\n"
                    "  end\n"
                    "end\n");
}

TEST_F(FormStreamingTest, ReadingSetsParentAndLoadingFirstAndLoadedOnceEachInReadOrder) {
    TTestForm form;
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(form,
                                   "object F: TTestForm\n"
                                   "  object A: TTestThing\n"
                                   "    Count = 1\n"
                                   "    object C: TTestThing\n"
                                   "      Count = 2\n"
                                   "    end\n"
                                   "  end\n"
                                   "  object B: TTestThing\n"
                                   "    Count = 3\n"
                                   "  end\n"
                                   "end\n",
                                   error))
        << error.Message();
    EXPECT_EQ(g_Log, (std::vector<std::string>{"A parent F before properties",
                                               "C parent A before properties",
                                               "B parent F before properties", "form loaded",
                                               "A loaded", "C loaded", "B loaded"}));
    for (const char* name : {"A", "B", "C"}) {
        EXPECT_TRUE(Thing(form, name)->LoadingAtConstruction) << name;
        EXPECT_FALSE(Thing(form, name)->InState(csLoading)) << name;
        EXPECT_EQ(Thing(form, name)->Owner(), &form) << name;
    }
    EXPECT_FALSE(form.InState(csLoading));
}

TEST_F(FormStreamingTest, NamesMatchWithoutRegardToAsciiCase) {
    TTestForm form;
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(form,
                                   "object F: ttestform\n"
                                   "  object A: TTESTTHING\n"
                                   "    kind = KDFANCY\n"
                                   "    COLOR = clwindow\n"
                                   "    font.STYLE = [FSBOLD]\n"
                                   "    partner = b\n"
                                   "    onpick = thingpick\n"
                                   "    NUMBERS = (4)\n"
                                   "  end\n"
                                   "  object B: TTestThing\n"
                                   "  end\n"
                                   "end\n",
                                   error))
        << error.Message();
    TTestThing* a = Thing(form, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Kind(), kdFancy);
    EXPECT_EQ(a->Color(), -16777211);
    EXPECT_EQ(a->Font().Style(), fsBold);
    EXPECT_EQ(a->Partner(), Thing(form, "B"));
    EXPECT_EQ(a->Numbers, std::vector<int>{4});
    ASSERT_TRUE(a->OnPick);
    a->OnPick(a, 7);
    EXPECT_EQ(form.Picks, std::vector<int>{7});
    // The handler's name is written back as the form class spells it.
    std::string text;
    ASSERT_TRUE(WriteComponentBytes(form, TFormFormat::Text, text, error));
    EXPECT_NE(text.find("OnPick = ThingPick"), std::string::npos) << text;
}

TEST_F(FormStreamingTest, AClassPublishesOnlyWhatItRepublishesInItsOwnOrder) {
    const auto props = TTestSlim::StaticClassInfo().PublishedProperties();
    std::vector<std::string> names;
    for (const TPropInfo* p : props)
        names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Flag", "Count", "Extra"}));

    TTestForm form;
    form.SetName("F");
    auto* slim = new TTestSlim(&form);
    slim->SetName("S");
    slim->SetCount(4);
    slim->SetFlag(true);
    slim->SetText("hidden");
    slim->SetExtra(9);
    std::string text;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(form, TFormFormat::Text, text, error));
    EXPECT_EQ(text, "object F: TTestForm\n"
                    "  object S: TTestSlim\n"
                    "    Flag = True\n"
                    "    Count = 4\n"
                    "    Extra = 9\n"
                    "  end\n"
                    "end\n");
    // A hidden property is unknown to the reader.
    TTestForm other;
    const TFormError hidden = ReadError(
        "object F: TTestForm\n  object S: TTestSlim\n    Text = 'x'\n  end\nend\n", other);
    EXPECT_EQ(hidden.Line, 3);
    EXPECT_EQ(hidden.Name, "Text");
    EXPECT_EQ(hidden.Expected, "a published property of TTestSlim");
}

TEST_F(FormStreamingTest, BadFormsGiveErrorsNamingLineExpectationAndName) {
    struct Case {
        const char* Body; // inside "object A: TTestThing ... end"
        int Line;
        const char* Name;
        const char* Expected;
    };
    const Case cases[] = {
        {"    Nonsense = 1\n", 3, "Nonsense", "a published property of TTestThing"},
        {"    Font.Weight = 1\n", 3, "Font.Weight", "a published property of TTestFont"},
        {"    Count.Sub = 1\n", 3, "Count.Sub", "Count to have sub-properties"},
        {"    Count = 40000\n", 3, "Count", "an integer from -32768 to 32767"},
        {"    Count = 'ten'\n", 3, "Count", "an integer"},
        {"    Color = clPuce\n", 3, "Color", "an integer or a known name (clPuce is none)"},
        {"    Flag = 1\n", 3, "Flag", "True or False"},
        {"    Kind = kdNone\n", 3, "Kind", "one of kdPlain, kdFancy, kdOdd"},
        {"    Options = [fsBold, fsWide]\n", 3, "Options",
         "a set of fsBold, fsItalic, fsUnderline (fsWide is none)"},
        {"    Font = 3\n", 3, "Font", "sub-properties (Font.Name = ...), not a value"},
        {"    Partner = Nobody\n", 3, "Partner", "a component of the form named Nobody"},
        {"    Partner = 'Beta'\n", 3, "Partner", "a component name or nil"},
        {"    OnClick = Missing\n", 3, "OnClick",
         "a handler published by TTestForm (Missing is none)"},
        {"    OnClick = ThingPick\n", 3, "OnClick",
         "a handler of the event's kind (ThingPick is not)"},
        {"    Pair = (\n      'a')\n", 3, "Pair", "a Boolean, but the list ends (too few values)"},
        {"    Pair = (\n      'a'\n      True\n      5)\n", 6, "Pair",
         "the end of the list (too many values)"},
        {"    Pair = (\n      1\n      True)\n", 4, "Pair", "a string"},
        {"    Pair = 'a'\n", 3, "Pair", "a list"},
        {"    Numbers = (99999999999)\n", 3, "Numbers", "an integer within 32 bits"},
        {"  end\n  object A: TTestThing\n", 4, "A", "a component name not used yet in the form"},
        {"  end\n  object X: TNoSuchThing\n", 4, "TNoSuchThing", "a registered component class"},
    };
    for (const Case& c : cases) {
        TTestForm form;
        const TFormError error = ReadError(
            std::string("object F: TTestForm\n  object A: TTestThing\n") + c.Body + "  end\nend\n",
            form);
        EXPECT_EQ(error.Line, c.Line) << c.Body;
        EXPECT_EQ(error.Name, c.Name) << c.Body;
        EXPECT_EQ(error.Expected, c.Expected) << c.Body;
    }
    // The root's own class must match.
    TTestForm form;
    EXPECT_EQ(ReadError("object F: TOtherForm\nend\n", form).Expected,
              "an object of class TTestForm");
}

TEST_F(FormStreamingTest, BinaryReadErrorsNameTheOffsetOfTheValue) {
    TTestForm source;
    source.SetName("F");
    auto* a = new TTestThing(&source);
    a->SetName("A");
    a->SetCount(7);
    std::string bytes;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(source, TFormFormat::Binary, bytes, error));
    // Count's value (02 07) becomes a Boolean.
    const std::size_t at = bytes.find(std::string("\x05"
                                                  "Count\x02\x07",
                                                  8));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 6] = '\x09';
    bytes.erase(at + 7, 1);
    TTestForm form;
    EXPECT_FALSE(ReadComponentBytes(form, bytes, error));
    EXPECT_EQ(error.Offset, at + 6);
    EXPECT_EQ(error.Name, "Count");
    EXPECT_EQ(error.Message(),
              "offset " + std::to_string(at + 6) + ": expected an integer (Count)");
}

TEST_F(FormStreamingTest, AFailedReadDestroysWhatItMadeAndKeepsWhatWasSetBefore) {
    TTestForm form;
    auto* existing = new TTestThing(&form);
    existing->SetName("Old");
    TFormError error;
    EXPECT_FALSE(ReadComponentBytes(form,
                                    "object F: TTestForm\n"
                                    "  Title = 'kept'\n"
                                    "  object A: TTestThing\n"
                                    "    Partner = Old\n"
                                    "  end\n"
                                    "  object B: TTestThing\n"
                                    "    Partner = Missing\n"
                                    "  end\n"
                                    "end\n",
                                    error));
    EXPECT_EQ(error.Line, 7);
    EXPECT_EQ(g_LiveThings, m_LiveBefore + 1) << "A and B must be gone";
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), existing);
    EXPECT_EQ(form.Title(), "kept");
    // The made components had no Loaded; the root settles with its own.
    EXPECT_EQ(g_Log, (std::vector<std::string>{"A parent F before properties",
                                               "B parent F before properties", "form loaded"}));
    EXPECT_FALSE(form.InState(csLoading));
    // A defined entry that fails half-way keeps what it had read before the fault.
    EXPECT_FALSE(ReadComponentBytes(
        *existing, "object Old: TTestThing\n  Count = 3\n  Numbers = (1 2 'x' 4)\nend\n", error));
    EXPECT_EQ(error.Line, 3);
    EXPECT_EQ(existing->Count(), 3);
    EXPECT_EQ(existing->Numbers, (std::vector<int>{1, 2}));
}

TEST_F(FormStreamingTest, WritingFailsOnReferencesTheFileCannotHold) {
    TTestForm form;
    form.SetName("F");
    TTestThing outside(nullptr);
    outside.SetName("Outside");
    auto* a = new TTestThing(&form);
    a->SetName("A");
    a->SetPartner(&outside);
    std::string bytes;
    TFormError error;
    EXPECT_FALSE(WriteComponentBytes(form, TFormFormat::Binary, bytes, error));
    EXPECT_EQ(error.Name, "Partner");
    EXPECT_EQ(error.Expected, "a reference to a named component of the form");
    a->SetPartner(nullptr);
    a->SetName(std::string(256, 'n'));
    EXPECT_FALSE(WriteComponentBytes(form, TFormFormat::Binary, bytes, error));
}

TEST_F(FormStreamingTest, SavingReplacesTheFileOnlyOnceTheWholeFormIsWritten) {
    TempFolder folder;
    const std::string path = folder.Path() + "\\form.vff";
    std::unique_ptr<TTestForm> source(MakeSampleForm());
    TFormError error;
    ASSERT_TRUE(SaveComponentFile(*source, path, TFormFormat::Binary, error)) << error.Message();
    const auto contents = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::string saved = contents();
    EXPECT_TRUE(IsBinaryForm(saved));

    TTestForm loaded;
    ASSERT_TRUE(LoadComponentFile(loaded, path, error)) << error.Message();
    EXPECT_EQ(Thing(loaded, "Alpha")->Count(), -300);

    // A save that fails half-way (a reference the file cannot hold) leaves the old file whole
    // and no temporary file behind.
    TTestThing outside(nullptr);
    Thing(*source, "Beta")->SetPartner(&outside);
    EXPECT_FALSE(SaveComponentFile(*source, path, TFormFormat::Text, error));
    EXPECT_EQ(contents(), saved);
    std::ifstream leftover(path + ".~saving");
    EXPECT_FALSE(leftover.is_open());
    EXPECT_FALSE(SaveComponentFile(loaded, folder.Path() + "\\missing\\form.vff",
                                   TFormFormat::Binary, error));
    EXPECT_FALSE(LoadComponentFile(loaded, folder.Path() + "\\none.vff", error));
}
