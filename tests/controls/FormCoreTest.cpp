// The byte level of form files: values, the container, the text rendering, and hostile input.

#include "components/FormBinary.h"
#include "components/FormText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(std::initializer_list<int> Values) {
    std::string out;
    for (int v : Values)
        out.push_back(static_cast<char>(v));
    return out;
}

std::string Encoded(const TFormValue& Value) {
    std::string bytes;
    TFormError error;
    EXPECT_TRUE(EncodeFormValue(Value, bytes, error)) << error.Message();
    return bytes;
}

// 0x00, 0x01, ... wrapping past 0xFF.
std::string AllBytes(std::size_t Count) {
    std::string out;
    for (std::size_t i = 0; i < Count; ++i)
        out.push_back(static_cast<char>(i * 7 % 256));
    return out;
}

// A form with every kind of value, nested objects and awkward strings.
TFormObject SampleForm() {
    TFormObject root{"TSampleForm", "Form1", {}, {}};
    root.Properties = {
        {"Left", TFormValue::MakeInteger(-5)},
        {"Width", TFormValue::MakeInteger(40000)},
        {"Big", TFormValue::MakeInteger(-5000000000LL)},
        {"Caption", TFormValue::MakeString("It's \xC3\xA9t\xC3\xA9\n\x01\xFF end")},
        {"Empty", TFormValue::MakeString("")},
        {"Visible", TFormValue::MakeBoolean(false)},
        {"Color", TFormValue::MakeIdent("clWindow")},
        {"PopupMenu", TFormValue::MakeNil()},
        {"Font.Style", TFormValue::MakeSet({"fsBold", "fsItalic"})},
        {"Font.Empty", TFormValue::MakeSet({})},
        {"Columns.Data",
         TFormValue::MakeList({TFormValue::MakeString("Name"), TFormValue::MakeInteger(200),
                               TFormValue::MakeList(), TFormValue::MakeBoolean(true),
                               TFormValue::MakeBinary("")})},
        {"Picture.Data", TFormValue::MakeBinary(AllBytes(70))},
    };
    TFormObject panel{"TPanel", "Panel1", {{"Align", TFormValue::MakeIdent("alLeft")}}, {}};
    panel.Children.push_back({"TTree", "Tree1", {{"end", TFormValue::MakeIdent("object")}}, {}});
    root.Children.push_back(panel);
    root.Children.push_back({"TPopupMenu", "", {}, {}});
    return root;
}

std::string BinaryOf(const TFormObject& Form) {
    std::string bytes;
    TFormError error;
    EXPECT_TRUE(WriteFormBinary(Form, bytes, error)) << error.Message();
    return bytes;
}

std::string TextOf(const TFormObject& Form) {
    std::string text;
    TFormError error;
    EXPECT_TRUE(WriteFormText(Form, text, error)) << error.Message();
    return text;
}

TFormError BinaryError(const std::string& Bytes) {
    TFormObject form;
    TFormError error;
    EXPECT_FALSE(ReadFormBinary(Bytes, form, error)) << "read as valid";
    return error;
}

TFormError TextError(const std::string& Text) {
    TFormObject form;
    TFormError error;
    EXPECT_FALSE(ReadFormText(Text, form, error)) << "read as valid";
    return error;
}

// A whole file around one property value.
std::string FileWithValue(const std::string& ValueBytes) {
    return std::string(kFormSignature) + Bytes({1, 'T', 0, 1, 'P'}) + ValueBytes + Bytes({0, 0});
}

} // namespace

TEST(FormCoreTest, IntegersTakeTheSmallestTagThatHoldsThem) {
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(127)), Bytes({2, 0x7F}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(-128)), Bytes({2, 0x80}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(128)), Bytes({3, 0x80, 0}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(200)), Bytes({3, 0xC8, 0}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(-129)), Bytes({3, 0x7F, 0xFF}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(32767)), Bytes({3, 0xFF, 0x7F}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(32768)), Bytes({4, 0, 0x80, 0, 0}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(-2147483647 - 1)), Bytes({4, 0, 0, 0, 0x80}));
    EXPECT_EQ(Encoded(TFormValue::MakeInteger(2147483648LL)),
              Bytes({5, 0, 0, 0, 0x80, 0, 0, 0, 0}));
}

TEST(FormCoreTest, StringsUpTo255BytesTakeTheShortTagLongerOnesA32BitLength) {
    EXPECT_EQ(Encoded(TFormValue::MakeString("Name")), Bytes({6, 4, 'N', 'a', 'm', 'e'}));
    EXPECT_EQ(Encoded(TFormValue::MakeString(std::string(255, 'x'))).substr(0, 2), Bytes({6, 255}));
    const std::string longer = Encoded(TFormValue::MakeString(std::string(256, 'x')));
    EXPECT_EQ(longer.substr(0, 5), Bytes({0x0C, 0, 1, 0, 0}));
    EXPECT_EQ(longer.size(), 5u + 256u);
    // The length counts UTF-8 bytes, not characters: 128 two-byte characters are 256 bytes.
    std::string accented;
    for (int i = 0; i < 128; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(Encoded(TFormValue::MakeString(accented))[0], 0x0C);
}

TEST(FormCoreTest, OtherValuesHaveTheirTags) {
    EXPECT_EQ(Encoded(TFormValue::MakeBoolean(false)), Bytes({8}));
    EXPECT_EQ(Encoded(TFormValue::MakeBoolean(true)), Bytes({9}));
    EXPECT_EQ(Encoded(TFormValue::MakeNil()), Bytes({0x0A}));
    EXPECT_EQ(Encoded(TFormValue::MakeIdent("clRed")), Bytes({7, 5, 'c', 'l', 'R', 'e', 'd'}));
    EXPECT_EQ(Encoded(TFormValue::MakeSet({"a", "bc"})), Bytes({0x0B, 1, 'a', 2, 'b', 'c', 0}));
    EXPECT_EQ(Encoded(TFormValue::MakeList({TFormValue::MakeInteger(1)})), Bytes({1, 2, 1, 0}));
    EXPECT_EQ(Encoded(TFormValue::MakeBinary(Bytes({0, 0xFF}))),
              Bytes({0x0D, 2, 0, 0, 0, 0, 0xFF}));
}

TEST(FormCoreTest, TheContainerHoldsSignatureHeadersPropertiesAndChildren) {
    TFormObject form{"TA", "B", {{"P", TFormValue::MakeBoolean(true)}}, {{"TC", "", {}, {}}}};
    EXPECT_EQ(BinaryOf(form), std::string(kFormSignature) + Bytes({2, 'T', 'A', 1, 'B', 1, 'P', 9,
                                                                   0, 2, 'T', 'C', 0, 0, 0, 0}));
}

TEST(FormCoreTest, BinaryAndTextRoundTripsKeepEveryValue) {
    const TFormObject form = SampleForm();
    const std::string binary = BinaryOf(form);
    TFormObject fromBinary;
    TFormError error;
    ASSERT_TRUE(ReadFormBinary(binary, fromBinary, error)) << error.Message();
    EXPECT_EQ(fromBinary, form);

    const std::string text = TextOf(fromBinary);
    TFormObject fromText;
    ASSERT_TRUE(ReadFormText(text, fromText, error)) << error.Message() << "\n" << text;
    EXPECT_EQ(fromText, form) << text;
    EXPECT_EQ(BinaryOf(fromText), binary);
}

TEST(FormCoreTest, TextRenderingReadsLikeAForm) {
    TFormObject form{"TForm1", "Form1", {}, {}};
    form.Properties = {
        {"Caption", TFormValue::MakeString("Don't\tgo")},
        {"Font.Style", TFormValue::MakeSet({"fsBold"})},
        {"Data", TFormValue::MakeList({TFormValue::MakeString("Name"), TFormValue::MakeInteger(0),
                                       TFormValue::MakeBoolean(false)})},
        {"Link", TFormValue::MakeNil()},
    };
    form.Children.push_back({"TTree", "Tree1", {{"Align", TFormValue::MakeIdent("alClient")}}, {}});
    EXPECT_EQ(TextOf(form), "object Form1: TForm1\n"
                            "  Caption = 'Don''t'#9'go'\n"
                            "  Font.Style = [fsBold]\n"
                            "  Data = (\n"
                            "    'Name'\n"
                            "    0\n"
                            "    False)\n"
                            "  Link = nil\n"
                            "  object Tree1: TTree\n"
                            "    Align = alClient\n"
                            "  end\n"
                            "end\n");
}

TEST(FormCoreTest, TextReaderTakesCaseInsensitiveKeywordsCrLfAndAByteOrderMark) {
    TFormObject form;
    TFormError error;
    ASSERT_TRUE(ReadFormText("\xEF\xBB\xBFOBJECT F: TF\r\n  A = true\r\n  B = NIL\r\n  C = -9\r\n"
                             "  D = 'x'#10\r\nEnd\r\n",
                             form, error))
        << error.Message();
    EXPECT_TRUE(IsTextForm("\n  object X: Y\nend"));
    ASSERT_EQ(form.Properties.size(), 4u);
    EXPECT_EQ(form.Properties[0].Value, TFormValue::MakeBoolean(true));
    EXPECT_EQ(form.Properties[1].Value, TFormValue::MakeNil());
    EXPECT_EQ(form.Properties[2].Value, TFormValue::MakeInteger(-9));
    EXPECT_EQ(form.Properties[3].Value, TFormValue::MakeString("x\n"));
}

TEST(FormCoreTest, EveryTruncationOfAValidFileFailsWithAnOffsetInsideIt) {
    const std::string binary = BinaryOf(SampleForm());
    for (std::size_t length = 0; length < binary.size(); ++length) {
        const TFormError error = BinaryError(binary.substr(0, length));
        EXPECT_LE(error.Offset, length) << "cut at " << length;
        EXPECT_FALSE(error.Expected.empty());
    }
    const std::string text = TextOf(SampleForm());
    for (std::size_t length = 0; length + 1 < text.size(); length += 7)
        EXPECT_GE(TextError(text.substr(0, length)).Line, 1) << "cut at " << length;
}

TEST(FormCoreTest, LengthsPastTheEndAreRefusedBeforeAnythingIsAllocated) {
    // A 32-bit length of 0x7FFFFFFF with a handful of bytes behind it.
    TFormError error = BinaryError(FileWithValue(Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})));
    EXPECT_EQ(error.Offset, 14u);
    EXPECT_EQ(error.Name, "P");
    EXPECT_NE(error.Expected.find("2147483647 bytes"), std::string::npos) << error.Message();
    // The length is unsigned: 0xFFFFFFFF is four billion, not minus one.
    EXPECT_NE(BinaryError(FileWithValue(Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF})))
                  .Expected.find("4294967295"),
              std::string::npos);
    EXPECT_EQ(BinaryError(FileWithValue(Bytes({6, 10, 'a', 'b'}))).Name, "P");
    // A name length past the end.
    error = BinaryError(std::string(kFormSignature) + Bytes({40, 'T'}));
    EXPECT_EQ(error.Offset, 5u);
    error = BinaryError(FileWithValue(Bytes({0x0D, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2})));
    EXPECT_NE(error.Expected.find("binary data of 4294967295 bytes"), std::string::npos)
        << error.Message();
}

TEST(FormCoreTest, MalformedValuesNameTheOffsetAndTheProperty) {
    // Unknown tag.
    TFormError error = BinaryError(FileWithValue(Bytes({0x42})));
    EXPECT_EQ(error.Offset, 9u);
    EXPECT_EQ(error.Expected, "a value tag");
    EXPECT_EQ(error.Name, "P");
    // A list without its end runs into the end of the file.
    EXPECT_EQ(
        BinaryError(std::string(kFormSignature) + Bytes({1, 'T', 0, 1, 'P', 1, 2, 5})).Expected,
        "a value or the end of the list before the end of the file");
    // Identifiers must be names, and not the words the text reserves.
    EXPECT_EQ(BinaryError(FileWithValue(Bytes({7, 2, '1', 'x'}))).Expected, "an identifier");
    EXPECT_EQ(BinaryError(FileWithValue(Bytes({7, 4, 'T', 'R', 'U', 'E'}))).Expected,
              "an identifier");
    // Bad names, a missing signature, bytes after the root.
    EXPECT_EQ(BinaryError(std::string(kFormSignature) + Bytes({2, 'T', ' ', 0, 0, 0})).Name, "T ");
    EXPECT_EQ(BinaryError("TPF0").Offset, 0u);
    EXPECT_EQ(BinaryError(FileWithValue(Bytes({9})) + "x").Expected,
              "the end of the file after the root object");
}

TEST(FormCoreTest, NestingDeeperThanTheLimitIsRefusedBothWays) {
    std::string deepList =
        FileWithValue(std::string(kFormMaxDepth, '\x01') + std::string(kFormMaxDepth, '\x00'));
    EXPECT_NE(BinaryError(deepList).Expected.find("nested"), std::string::npos);
    std::string okList = FileWithValue(std::string(kFormMaxDepth - 1, '\x01') +
                                       std::string(kFormMaxDepth - 1, '\x00'));
    TFormObject form;
    TFormError error;
    EXPECT_TRUE(ReadFormBinary(okList, form, error)) << error.Message();

    std::string deepObjects(kFormSignature);
    for (int i = 0; i <= kFormMaxDepth; ++i)
        deepObjects += Bytes({1, 'T', 0, 0});
    deepObjects += std::string(kFormMaxDepth + 1, '\x00');
    EXPECT_NE(BinaryError(deepObjects).Expected.find("nested"), std::string::npos);

    std::string text;
    for (int i = 0; i <= kFormMaxDepth; ++i)
        text += "object T\n";
    EXPECT_EQ(TextError(text).Line, kFormMaxDepth + 1);
    EXPECT_EQ(TextError("object T\n P = " + std::string(kFormMaxDepth, '(')).Line, 2);

    // The writer refuses what the reader would.
    TFormValue value = TFormValue::MakeList();
    for (int i = 0; i < kFormMaxDepth; ++i)
        value = TFormValue::MakeList({value});
    std::string bytes;
    EXPECT_FALSE(WriteFormBinary({"T", "", {{"P", value}}, {}}, bytes, error));
}

TEST(FormCoreTest, TheWriterRefusesNamesLongerThan255BytesInsteadOfCuttingThem) {
    std::string bytes = "unchanged";
    TFormError error;
    EXPECT_TRUE(WriteFormBinary({"T", std::string(255, 'n'), {}, {}}, bytes, error));
    bytes = "unchanged";
    EXPECT_FALSE(WriteFormBinary({"T", std::string(256, 'n'), {}, {}}, bytes, error));
    EXPECT_EQ(bytes, "unchanged");
    EXPECT_EQ(error.Name, std::string(256, 'n'));
    EXPECT_FALSE(WriteFormBinary({"T", "", {{std::string(256, 'p'), TFormValue::MakeNil()}}, {}},
                                 bytes, error));
    EXPECT_FALSE(WriteFormBinary(
        {"T", "", {{"P", TFormValue::MakeIdent(std::string(300, 'i'))}}, {}}, bytes, error));
    std::string text;
    EXPECT_FALSE(WriteFormText({"T", "a b", {}, {}}, text, error));
}

TEST(FormCoreTest, TextErrorsNameTheirLineWhatWasExpectedAndTheName) {
    TFormError error = TextError("object F: TF\n  Caption = 'open\nend\n");
    EXPECT_EQ(error.Line, 2);
    EXPECT_EQ(error.Expected, "a closing quote on the string's line");
    error = TextError("object F: TF\n  A = 1\n  Caption 'x'\nend\n");
    EXPECT_EQ(error.Line, 3);
    EXPECT_EQ(error.Expected, "'='");
    EXPECT_EQ(error.Name, "Caption");
    error = TextError("object F: TF\n  List = (\n    1\n    2\n");
    EXPECT_EQ(error.Line, 5);
    EXPECT_EQ(error.Name, "List");
    EXPECT_EQ(TextError("object F: TF\n  N = 99999999999999999999\nend").Line, 2);
    EXPECT_EQ(TextError("object F: TF\n  S = #256\nend").Line, 2);
    EXPECT_EQ(TextError("object F: TF\n  S = [a b]\nend").Expected, "','");
    EXPECT_EQ(TextError("object F: TF\nend\nend").Expected,
              "the end of the file after the root object's \"end\"");
    EXPECT_EQ(TextError("object F: TF\n  X = @\nend").Line, 2);
    EXPECT_EQ(TextError("").Expected, "\"object\"");
}

TEST(FormCoreTest, BinaryTextIsHexInIndentedLinesAndRefusesMalformedDigits) {
    TFormObject form{"TF", "F", {{"Data", TFormValue::MakeBinary(AllBytes(33))}}, {}};
    form.Children.push_back({"TImage", "I", {{"Empty", TFormValue::MakeBinary("")}}, {}});
    const std::string text = TextOf(form);
    EXPECT_EQ(text, "object F: TF\n"
                    "  Data = {\n"
                    "    00070E151C232A31383F464D545B626970777E858C939AA1A8AFB6BDC4CBD2D9\n"
                    "    E0}\n"
                    "  object I: TImage\n"
                    "    Empty = {}\n"
                    "  end\n"
                    "end\n");
    // Lower case and any blanks between the pairs read as well.
    TFormObject read;
    TFormError error;
    ASSERT_TRUE(ReadFormText("object F: TF\n D = { 0a ff\r\n\t10}\nend", read, error))
        << error.Message();
    EXPECT_EQ(read.Properties[0].Value, TFormValue::MakeBinary(Bytes({0x0A, 0xFF, 0x10})));

    struct TCase {
        const char* Text;
        int Line;
        const char* Expected;
    };
    const TCase cases[] = {
        {"object F: TF\n D = {\n 0A1\n}\nend", 3, "a second hex digit"},
        {"object F: TF\n D = {\n 0A 1 B}\nend", 3, "a second hex digit"},
        {"object F: TF\n D = {0G}\nend", 2, "a second hex digit"},
        {"object F: TF\n D = {0A\n XY}\nend", 3, "hex digits or '}'"},
        {"object F: TF\n D = {0A\n  E = 1\nend", 3, "a second hex digit"},
        {"object F: TF\n D = {0A\n", 3, "'}' closing the binary data"},
        {"object F: TF\n D = {0A)\nend", 2, "hex digits or '}'"},
    };
    for (const TCase& c : cases) {
        error = TextError(c.Text);
        EXPECT_EQ(error.Line, c.Line) << c.Text;
        EXPECT_EQ(error.Expected.rfind(c.Expected, 0), 0u) << c.Text << ": " << error.Message();
    }
}

TEST(FormCoreTest, Utf8CheckRefusesOverlongSurrogateAndTruncatedForms) {
    EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));          // ANSI
}
