// A 32-bit bitmap in plain memory (pixels 0x00RRGGBB, rows stored bottom-up) with the pixel arithmetic
// the program composes and tints pictures with: copies, blends, scaling, brightness, tint and blur.
#pragma once

#include <cstdint>

class CBitmapEx
{
public:
    // The bitmap file header, as written in front of the pixels of a .bmp file.
    struct FileHeader
    {
        std::uint16_t bfType = 0;
        std::uint32_t bfSize = 0;
        std::uint16_t bfReserved1 = 0;
        std::uint16_t bfReserved2 = 0;
        std::uint32_t bfOffBits = 0;
    };
    // The bitmap info header; a positive height means rows stored bottom-up.
    struct InfoHeader
    {
        std::uint32_t biSize = 0;
        std::int32_t biWidth = 0;
        std::int32_t biHeight = 0;
        std::uint16_t biPlanes = 0;
        std::uint16_t biBitCount = 0;
        std::uint32_t biCompression = 0;
        std::uint32_t biSizeImage = 0;
        std::int32_t biXPelsPerMeter = 0;
        std::int32_t biYPelsPerMeter = 0;
        std::uint32_t biClrUsed = 0;
        std::uint32_t biClrImportant = 0;
    };

    // Resample modes of the scaled draw and of Resize.
    static constexpr int kNaechster = 0;
    static constexpr int kBilinear = 1;
    static constexpr int kBikubisch = 2;

    CBitmapEx() = default;
    virtual ~CBitmapEx();
    CBitmapEx(const CBitmapEx&) = delete;
    CBitmapEx& operator=(const CBitmapEx&) = delete;

    // A new bitmap of w x h pixels (negative sizes count as 0) whose pixels are undefined until drawn or
    // cleared. A size that cannot be held leaves the bitmap empty.
    void Create(int nWidth, int nHeight);
    // Deep copy of `src` (headers, pixels, palette, resample mode); nothing when src has no pixels.
    void CreateCopy(const CBitmapEx& src);
    // Takes pixels of nBitsPerPixel (8 with a palette of nPalette 0x00RRGGBB entries, 16 as 5-5-5, 24, 32)
    // in rows of nPitch bytes, top row first, and converts them to 32 bits. Other depths, or 8 bits
    // without a palette, leave the bitmap empty.
    void LoadFromPixels(const void* pBits, int nWidth, int nHeight, int nBitsPerPixel, int nPitch,
                        const std::uint32_t* pPalette = nullptr, int nPalette = 0);

    // Every pixel = dwColor; answers dwColor.
    std::uint32_t Clear(std::uint32_t dwColor);

    // Plain copy of the nWidth x nHeight rectangle of src at (srcX, srcY) to (dstX, dstY), clipped to
    // both bitmaps; y counts picture lines from the top.
    void DrawBitmap(int dstX, int dstY, int nWidth, int nHeight, const CBitmapEx& src, int srcX, int srcY);
    // The same, blended: nAlphaPercent (0..100) of the source over the rest of the destination; source
    // pixels equal to dwTransparent are skipped.
    void DrawBlended(int dstX, int dstY, int nWidth, int nHeight, const CBitmapEx& src, int srcX, int srcY,
                     int nAlphaPercent, std::uint32_t dwTransparent);
    // The srcW x srcH rectangle of src scaled into dstW x dstH at (dstX, dstY) by the resample mode,
    // blended as DrawBlended.
    void DrawScaled(int dstX, int dstY, int dstW, int dstH, const CBitmapEx& src, int srcX, int srcY,
                    int srcW, int srcH, int nAlphaPercent, std::uint32_t dwTransparent);
    // Resamples the whole bitmap to w x h (each at least 1) by the resample mode.
    void Resize(int nWidth, int nHeight);

    // Adds nDelta (kept within -255..255) to every channel, each kept within 0..255.
    void AdjustBrightness(int nDelta);
    // Moves every pixel towards dwColor, the more the brighter dwColor is; black changes nothing.
    void Colorize(std::uint32_t dwColor);
    // 3 x 3 smoothing with weights 4 (centre), 2 (edges), 1 (corners); the border repeats.
    void Blur();

    bool IsEmpty() const { return m_pData == nullptr; }
    int GetWidth() const { return m_pData ? m_bih.biWidth : 0; }
    int GetHeight() const { return m_pData ? m_bih.biHeight : 0; }
    int GetSize() const { return m_nSize; }
    int GetPitch() const { return m_nPitch; }
    const FileHeader& GetFileHeader() const { return m_bfh; }
    const InfoHeader& GetInfoHeader() const { return m_bih; }
    // Stored rows, bottom row first.
    const std::uint32_t* GetData() const { return m_pData; }
    // The pixel at column x of picture line y (from the top); 0 outside.
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t dwColor);

    int m_nResampleMode = kNaechster;

private:
    void Free();
    // A buffer of nBytes, null when it cannot be had.
    static std::uint32_t* Allocate(long long nBytes);
    void SetHeaders(int nWidth, int nHeight, int nBitCount);
    std::uint32_t* Zeile(int y) const
    {
        return m_pData + static_cast<long long>(m_bih.biHeight - 1 - y) * m_bih.biWidth;
    }
    // One pixel of the w x h rectangle (x, y) mapped into the source rectangle by the resample mode.
    std::uint32_t Abtasten(const CBitmapEx& src, int srcX, int srcY, int srcW, int srcH, int fx, int fy,
                           int x, int y) const;

    FileHeader m_bfh;
    InfoHeader m_bih;
    int m_nPaletteEntries = 0;
    std::uint32_t m_palette[256] = {};
    int m_nPitch = 0;
    int m_nBpp = 0;
    int m_nSize = 0;
    std::uint32_t* m_pData = nullptr;
};
