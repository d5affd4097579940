#include "controls/Picture.h"

#include "components/Filer.h"
#include "identifiers/WideText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
// Larger sides than this are no picture a form shows, and GDI refuses them on some systems.
constexpr std::int64_t kMaxSide = 32767;
// A picture file read from disk; anything larger is not a form's picture.
constexpr std::int64_t kMaxFileSize = 64 * 1024 * 1024;

// Little-endian fields of the file, each read only after the caller checked it lies inside.
std::uint32_t U32(std::string_view Bytes, std::size_t At) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(Bytes[At + i]);
    return value;
}

std::uint16_t U16(std::string_view Bytes, std::size_t At) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(Bytes[At]) |
                                      static_cast<std::uint8_t>(Bytes[At + 1]) << 8);
}

// What CreateDIBSection needs, built from the file's headers rather than pointing into them: the
// file may have the older core header, whose palette entries are three bytes.
struct TBitmapLayout {
    BITMAPINFOHEADER Header{};
    std::uint32_t Colors[256]{}; // the palette as RGBQUADs, or the three masks of bit fields
    std::size_t PixelOffset = 0;
    std::size_t PixelBytes = 0;
};

// Checks every field against the file before it is used; empty on success, else what was
// expected.
std::string ReadLayout(std::string_view Bytes, TBitmapLayout& Layout) {
    if (Bytes.size() < kFileHeaderSize + 4 || Bytes[0] != 'B' || Bytes[1] != 'M')
        return "a BMP file beginning with \"BM\"";
    const std::size_t headerSize = U32(Bytes, kFileHeaderSize);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && (headerSize < kInfoHeaderSize || headerSize > 124))
        return "a bitmap header of 12 or 40 to 124 bytes";
    if (kFileHeaderSize + headerSize > Bytes.size())
        return "the whole bitmap header before the end of the data";
    const std::size_t h = kFileHeaderSize;
    std::int64_t width = core ? U16(Bytes, h + 4) : static_cast<std::int32_t>(U32(Bytes, h + 4));
    std::int64_t height = core ? U16(Bytes, h + 6) : static_cast<std::int32_t>(U32(Bytes, h + 8));
    const unsigned planes = U16(Bytes, h + (core ? 8 : 12));
    const unsigned bits = U16(Bytes, h + (core ? 10 : 14));
    const std::uint32_t compression = core ? BI_RGB : U32(Bytes, h + 16);
    const std::uint32_t colorsUsed = core ? 0 : U32(Bytes, h + 32);
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return "a bitmap width and height of 1 to " + std::to_string(kMaxSide) + " pixels";
    if (planes != 1)
        return "a bitmap of one plane";
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && (core || (bits != 16 && bits != 32)))
        return "a bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel";
    const bool fields = compression == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (compression != BI_RGB && !fields)
        return "an uncompressed bitmap";

    std::size_t tableAt = kFileHeaderSize + headerSize;
    if (fields) {
        // The three masks follow the basic header; the later headers hold them themselves.
        const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (masksAt + 12 > Bytes.size())
            return "the colour masks before the end of the data";
        for (int i = 0; i < 3; ++i)
            Layout.Colors[i] = U32(Bytes, masksAt + 4 * i);
        tableAt = std::max(tableAt, masksAt + 12);
    }
    std::size_t colors = 0;
    if (bits <= 8) {
        const std::size_t most = std::size_t{1} << bits;
        colors = colorsUsed == 0 ? most : colorsUsed;
        if (colors > most)
            return "at most " + std::to_string(most) + " palette colours";
        const std::size_t entry = core ? 3 : 4;
        if (tableAt + colors * entry > Bytes.size())
            return "the whole palette before the end of the data";
        // Blue, green, red (and a spare byte the platform wants zero).
        for (std::size_t i = 0; i < colors; ++i) {
            const std::size_t at = tableAt + i * entry;
            Layout.Colors[i] =
                U16(Bytes, at) | std::uint32_t{static_cast<std::uint8_t>(Bytes[at + 2])} << 16;
        }
        tableAt += colors * entry;
    }
    const std::size_t pixelsAt = U32(Bytes, 10);
    if (pixelsAt < tableAt || pixelsAt > Bytes.size())
        return "the pixels' offset after the headers and inside the data";
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(height);
    if (pixelBytes > Bytes.size() - pixelsAt)
        return "all " + std::to_string(pixelBytes) + " bytes of pixels before the end of the data";

    Layout.Header.biSize = sizeof(BITMAPINFOHEADER);
    Layout.Header.biWidth = static_cast<LONG>(width);
    Layout.Header.biHeight = static_cast<LONG>(topDown ? -height : height);
    Layout.Header.biPlanes = 1;
    Layout.Header.biBitCount = static_cast<WORD>(bits);
    Layout.Header.biCompression = fields ? BI_BITFIELDS : BI_RGB;
    Layout.Header.biClrUsed = static_cast<DWORD>(colors);
    Layout.PixelOffset = pixelsAt;
    Layout.PixelBytes = static_cast<std::size_t>(pixelBytes);
    return {};
}

} // namespace

const TClassInfo& TPicture::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TPicture",
        .Parent = &TPersistent::StaticClassInfo(),
    };
    return info;
}

bool TPicture::LoadFromBytes(const std::string& Bytes, std::string* Problem) {
    if (Bytes.empty()) {
        Clear();
        return true;
    }
    TBitmapLayout layout;
    std::string problem = ReadLayout(Bytes, layout);
    OwnedBitmap bitmap;
    if (problem.empty()) {
        // The header and the colour table (or masks) side by side, as BITMAPINFO lays them out.
        std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + sizeof(layout.Colors));
        std::memcpy(info.data(), &layout.Header, sizeof(BITMAPINFOHEADER));
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), layout.Colors, sizeof(layout.Colors));
        void* pixels = nullptr;
        bitmap.Reset(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                      DIB_RGB_COLORS, &pixels, nullptr, 0));
        if (bitmap && pixels)
            std::memcpy(pixels, Bytes.data() + layout.PixelOffset, layout.PixelBytes);
        else
            problem = "a bitmap the system can make (out of memory)";
    }
    if (!problem.empty()) {
        if (Problem)
            *Problem = std::move(problem);
        return false;
    }
    m_hBitmap = std::move(bitmap);
    m_Data = Bytes;
    m_iWidth = layout.Header.biWidth;
    m_iHeight = layout.Header.biHeight < 0 ? -layout.Header.biHeight : layout.Header.biHeight;
    Changed();
    return true;
}

bool TPicture::LoadFromFile(const std::string& Path, std::string* Problem) {
    const auto fail = [&](std::string What) {
        if (Problem)
            *Problem = std::move(What);
        return false;
    };
    std::wstring path;
    if (!WidePath(Path, path))
        return fail("a path of at most MAX_PATH characters");
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size))
        return fail("a file that can be opened (" + Path + ")");
    if (size.QuadPart > kMaxFileSize)
        return fail("a picture file of at most 64 MB");
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return fail("a file that can be read (" + Path + ")");
    if (bytes.empty())
        return fail("a BMP file, not an empty one");
    return LoadFromBytes(bytes, Problem);
}

void TPicture::Clear() {
    if (Empty())
        return;
    m_hBitmap.Reset();
    m_Data.clear();
    m_iWidth = 0;
    m_iHeight = 0;
    Changed();
}

void TPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

void TPicture::DefineProperties(TFiler& Filer) {
    TPersistent::DefineProperties(Filer);
    Filer.DefineProperty(
        "Data",
        [this](TReader& Reader) {
            std::string problem;
            if (!LoadFromBytes(Reader.ReadBinary(), &problem))
                Reader.BadData(problem);
        },
        [this](TWriter& Writer) { Writer.WriteBinary(m_Data); }, !Empty());
}
