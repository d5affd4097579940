#pragma once

#include "components/Events.h"
#include "components/Persistent.h"

#include "identifiers/Holders.h"

#include <windows.h>

#include <string>

// One bitmap, read from the bytes of a BMP file and kept as a DIB section. Form files store it as
// the defined entry "Data" under the picture's path: the file's bytes as they were loaded, so a
// form read and written again keeps them byte for byte.
//
// Every field of a file's headers is checked against the file before it is used; a file that
// fails (cut short, sizes that do not add up, a compression other than none or bit fields) leaves
// the picture as it was.
class TPicture : public TPersistent {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // False when the bytes are not a BMP file this can show; Problem then says what was expected.
    // Empty bytes clear the picture.
    bool LoadFromBytes(const std::string& Bytes, std::string* Problem = nullptr);
    // Path is UTF-8.
    bool LoadFromFile(const std::string& Path, std::string* Problem = nullptr);
    void Clear();

    bool Empty() const { return !m_hBitmap; }
    int Width() const { return m_iWidth; }
    int Height() const { return m_iHeight; }
    // The DIB section; owned by the picture, valid until it changes.
    HBITMAP Handle() const { return m_hBitmap.Get(); }
    // The file the bitmap was read from.
    const std::string& Data() const { return m_Data; }

    void DefineProperties(TFiler& Filer) override;

    // Raised after the bitmap changes.
    TNotifyEvent OnChange;

private:
    void Changed();

    std::string m_Data;
    OwnedBitmap m_hBitmap;
    int m_iWidth = 0;
    int m_iHeight = 0;
};
