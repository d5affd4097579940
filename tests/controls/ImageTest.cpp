// The picture control: its bitmap stored in form files, hostile bitmap files, and where it paints.

#include "support/HostWindow.h"
#include "support/TempFolder.h"

#include "components/FormStreaming.h"
#include "controls/Image.h"
#include "controls/Menus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

void Put(std::string& Out, std::size_t At, std::uint32_t Value, int Bytes) {
    for (int i = 0; i < Bytes; ++i)
        Out[At + i] = static_cast<char>(Value >> (8 * i));
}

// A 16-colour BMP file, its top half red and its bottom half blue (rows stored bottom first).
std::string TwoBandBitmap(int Width, int Height) {
    const int stride = (Width * 4 + 31) / 32 * 4;
    const std::size_t pixelsAt = 14 + 40 + 16 * 4;
    std::string bmp(pixelsAt + stride * Height, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put(bmp, 2, static_cast<std::uint32_t>(bmp.size()), 4);
    Put(bmp, 10, pixelsAt, 4);
    Put(bmp, 14, 40, 4);
    Put(bmp, 18, Width, 4);
    Put(bmp, 22, Height, 4);
    Put(bmp, 26, 1, 2);
    Put(bmp, 28, 4, 2);
    Put(bmp, 54 + 4, 0xFF0000, 4); // colour 1: red (a little-endian 00RRGGBB)
    Put(bmp, 54 + 8, 0x0000FF, 4); // colour 2: blue
    for (int row = 0; row < Height; ++row)
        for (int b = 0; b < stride; ++b)
            bmp[pixelsAt + row * stride + b] = row < Height / 2 ? '\x22' : '\x11';
    return bmp;
}

std::string Hex(const std::string& Bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : Bytes) {
        out += digits[static_cast<std::uint8_t>(c) >> 4];
        out += digits[static_cast<std::uint8_t>(c) & 0xF];
    }
    return out;
}

std::string FormWithPicture(const std::string& Bmp) {
    return "object Form: TWinControl\n"
           "  object Logo: TImage\n"
           "    Picture.Data = {" +
           Hex(Bmp) +
           "}\n"
           "  end\n"
           "end\n";
}

// A red/blue bitmap of 20 x 10 in a 200 x 100 image inside a shown host window.
struct ShownImage {
    THostWindow host;
    TWinControl form{nullptr};
    TImage* image = new TImage(&form);
    ShownImage() {
        form.SetBounds(0, 0, 300, 200);
        form.SetColor(clWhite);
        form.SetParentWindow(host.Handle());
        image->SetParent(&form);
        image->SetBounds(10, 10, 200, 100);
        EXPECT_TRUE(image->Picture().LoadFromBytes(TwoBandBitmap(20, 10)));
    }
    COLORREF Pixel(int X, int Y) {
        image->Invalidate();
        UpdateWindow(image->Handle());
        PumpMessages();
        HDC dc = GetDC(image->Handle());
        const COLORREF color = GetPixel(dc, X, Y);
        ReleaseDC(image->Handle(), dc);
        return color;
    }
};

TEST(ImageTest, AFormHoldsThePictureAndWritesItBackByteForByte) {
    RegisterFrameworkClasses();
    const std::string bmp = TwoBandBitmap(21, 9);
    TWinControl form(nullptr);
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(form, FormWithPicture(bmp), error)) << error.Message();
    auto* image = dynamic_cast<TImage*>(form.FindComponent("Logo"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Picture().Width(), 21);
    EXPECT_EQ(image->Picture().Height(), 9);
    EXPECT_FALSE(image->TabStop());
    EXPECT_FALSE(image->Center());

    std::string text;
    ASSERT_TRUE(WriteComponentBytes(form, TFormFormat::Text, text, error)) << error.Message();
    EXPECT_EQ(image->Picture().Data(), bmp);
    TWinControl again(nullptr);
    ASSERT_TRUE(ReadComponentBytes(again, text, error)) << error.Message();
    std::string binary, binaryAgain;
    ASSERT_TRUE(WriteComponentBytes(form, TFormFormat::Binary, binary, error));
    ASSERT_TRUE(WriteComponentBytes(again, TFormFormat::Binary, binaryAgain, error));
    EXPECT_EQ(binaryAgain, binary);
    EXPECT_NE(binary.find(bmp), std::string::npos) << "the file's bytes are stored as they came";

    TempFolder folder;
    TPicture fromFile;
    std::string problem;
    EXPECT_TRUE(fromFile.LoadFromFile(folder.MakeFile("logo.bmp", bmp), &problem)) << problem;
    EXPECT_EQ(fromFile.Data(), bmp);
    EXPECT_FALSE(fromFile.LoadFromFile(folder.Path() + "\\missing.bmp", &problem));
    EXPECT_EQ(fromFile.Width(), 21);
}

TEST(ImageTest, MalformedBitmapsAreReadErrorsAndLeaveThePictureAlone) {
    RegisterFrameworkClasses();
    const std::string good = TwoBandBitmap(20, 10);
    const auto with = [&](std::size_t At, std::uint32_t Value, int Bytes) {
        std::string bmp = good;
        Put(bmp, At, Value, Bytes);
        return bmp;
    };
    const std::pair<const char*, std::string> cases[] = {
        {"cut in the pixels", good.substr(0, good.size() - 1)},
        {"cut in the header", good.substr(0, 30)},
        {"not BM", with(0, 'X', 1)},
        {"zero width", with(18, 0, 4)},
        {"negative width", with(18, 0xFFFFFFF0, 4)},
        {"huge height", with(22, 0x7FFFFFFF, 4)},
        {"smallest height", with(22, 0x80000000, 4)},
        {"header size past the end", with(14, 0xFFFFFFF0, 4)},
        {"pixels past the end", with(10, 0xFFFFFF00, 4)},
        {"pixels inside the palette", with(10, 60, 4)},
        {"more colours than 4 bits hold", with(46, 17, 4)},
        {"12 bits per pixel", with(28, 12, 2)},
        {"run-length compressed", with(30, BI_RLE4, 4)},
        {"two planes", with(26, 2, 2)},
    };
    for (const auto& [what, bmp] : cases) {
        TWinControl form(nullptr);
        TFormError error;
        EXPECT_FALSE(ReadComponentBytes(form, FormWithPicture(bmp), error)) << what;
        EXPECT_EQ(error.Line, 3) << what;
        EXPECT_EQ(error.Name, "Picture.Data") << what;
        EXPECT_EQ(form.ComponentCount(), 0) << what;

        TPicture picture;
        ASSERT_TRUE(picture.LoadFromBytes(good));
        std::string problem;
        EXPECT_FALSE(picture.LoadFromBytes(bmp, &problem)) << what;
        EXPECT_FALSE(problem.empty()) << what;
        EXPECT_EQ(picture.Width(), 20) << what;
        EXPECT_EQ(picture.Data(), good) << what;
    }
}

TEST(ImageTest, ThePicturePaintsTopLeftCentredOrStretched) {
    ShownImage shown;
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), white = RGB(255, 255, 255);
    // Top-left: the first row is the file's last, red.
    EXPECT_EQ(shown.Pixel(1, 1), red);
    EXPECT_EQ(shown.Pixel(1, 8), blue);
    EXPECT_EQ(shown.Pixel(25, 1), white) << "beside the picture: the parent's colour";

    shown.image->SetCenter(true);
    const RECT at = shown.image->DestRect();
    EXPECT_EQ(at.left, 90);
    EXPECT_EQ(at.top, 45);
    EXPECT_EQ(shown.Pixel(1, 1), white);
    EXPECT_EQ(shown.Pixel(91, 46), red);
    EXPECT_EQ(shown.Pixel(108, 53), blue);
    EXPECT_EQ(shown.Pixel(111, 50), white);

    shown.image->SetStretch(true);
    EXPECT_EQ(shown.Pixel(1, 1), red);
    EXPECT_EQ(shown.Pixel(198, 98), blue);
}

} // namespace
