// The 32-bit pixel bitmap: creation, conversion, clipped copies and blends, resampling and filters.
#include "draw2d/core/CBitmapEx.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int Kanal(std::uint32_t p, int k)
{
    return static_cast<int>((p >> (8 * k)) & 0xFF);
}

std::uint32_t Pixel(const int c[3])
{
    return static_cast<std::uint32_t>(c[2] & 0xFF) << 16 | static_cast<std::uint32_t>(c[1] & 0xFF) << 8 |
           static_cast<std::uint32_t>(c[0] & 0xFF);
}

// The blend weights of a percentage: a = trunc(p / 100 x 256) in 4-byte reals, b = 256 - a.
void Gewichte(int nAlphaPercent, long long* a, long long* b)
{
    const float f = static_cast<float>(std::clamp(nAlphaPercent, 0, 100)) / 100.0f * 256.0f;
    *a = static_cast<long long>(f);
    *b = 256 - *a;
}

std::uint32_t Mischen(std::uint32_t s, std::uint32_t d, long long a, long long b)
{
    int c[3];
    for (int k = 0; k < 3; ++k) {
        const long long sc = Kanal(s, k), dc = Kanal(d, k);
        c[k] = static_cast<int>(((((sc << 8) * a) >> 8) + (((dc << 8) * b) >> 8)) >> 8) & 0xFF;
    }
    return Pixel(c);
}

// Cube of max(t, 0) in 8.8 fixed point.
long long P3(long long t)
{
    if (t <= 0)
        return 0;
    return (((t * t) >> 8) * t) >> 8;
}

// The cubic B-spline kernel in 8.8 fixed point; the division by 6 as a multiplication by 2^32 / 6.
long long BSpline(long long t)
{
    const long long s = P3(t + 512) - 4 * P3(t + 256) + 6 * P3(t) - 4 * P3(t - 256);
    return (s * 715827883LL) >> 32;
}

int Skala(int nQuelle, int nZiel)
{
    const float f = static_cast<float>(nQuelle) / static_cast<float>(nZiel);
    return static_cast<int>(f * 256.0f);
}

} // namespace

CBitmapEx::~CBitmapEx()
{
    Free();
}

void CBitmapEx::Free()
{
    std::free(m_pData);
    m_pData = nullptr;
    m_nSize = 0;
}

std::uint32_t* CBitmapEx::Allocate(long long nBytes)
{
    if (nBytes < 0 || nBytes > INT_MAX)
        return nullptr;
    // A zero-size bitmap still gets a buffer, so that it is a bitmap of no pixels rather than none.
    return static_cast<std::uint32_t*>(std::malloc(static_cast<size_t>(std::max<long long>(nBytes, 4))));
}

void CBitmapEx::SetHeaders(int nWidth, int nHeight, int nBitCount)
{
    m_bih = InfoHeader{};
    m_bih.biSize = 40;
    m_bih.biPlanes = 1;
    m_bih.biBitCount = static_cast<std::uint16_t>(nBitCount);
    m_bih.biWidth = nWidth;
    m_bih.biHeight = nHeight;
    m_nPaletteEntries = 0;
    m_nBpp = 4;
    m_nPitch = 4 * nWidth;
    m_bfh = FileHeader{0x4D42, static_cast<std::uint32_t>(m_nSize) + 54, 0, 0, 54};
}

void CBitmapEx::Create(int nWidth, int nHeight)
{
    Free();
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);
    const long long nBytes = 4LL * nWidth * nHeight;
    m_pData = Allocate(nBytes);
    m_nSize = m_pData ? static_cast<int>(nBytes) : 0;
    SetHeaders(m_pData ? nWidth : 0, m_pData ? nHeight : 0, 32);
}

void CBitmapEx::CreateCopy(const CBitmapEx& src)
{
    if (&src == this || !src.m_pData)
        return;
    std::uint32_t* p = Allocate(src.m_nSize);
    if (!p)
        return;
    Free();
    m_pData = p;
    if (src.m_nSize > 0)
        std::memcpy(m_pData, src.m_pData, static_cast<size_t>(src.m_nSize));
    m_bfh = src.m_bfh;
    m_bih = src.m_bih;
    m_nPaletteEntries = src.m_nPaletteEntries;
    std::memcpy(m_palette, src.m_palette, sizeof m_palette);
    m_nPitch = src.m_nPitch;
    m_nBpp = src.m_nBpp;
    m_nSize = src.m_nSize;
    m_nResampleMode = src.m_nResampleMode;
}

void CBitmapEx::LoadFromPixels(const void* pBits, int nWidth, int nHeight, int nBitsPerPixel, int nPitch,
                               const std::uint32_t* pPalette, int nPalette)
{
    Free();
    SetHeaders(0, 0, 32);
    const bool bTiefe = nBitsPerPixel == 16 || nBitsPerPixel == 24 || nBitsPerPixel == 32 ||
                        (nBitsPerPixel == 8 && pPalette && nPalette > 0);
    if (!pBits || !bTiefe || nWidth < 0 || nHeight < 0 || nPitch < nWidth * (nBitsPerPixel / 8))
        return;
    Create(nWidth, nHeight);
    if (!m_pData)
        return;
    if (nBitsPerPixel == 8) {
        m_nPaletteEntries = std::min(nPalette, 256);
        std::copy(pPalette, pPalette + m_nPaletteEntries, m_palette);
    }
    const auto* bytes = static_cast<const unsigned char*>(pBits);
    for (int y = 0; y < nHeight; ++y) {
        // The source's top row first; stored rows are bottom-up.
        const unsigned char* s = bytes + static_cast<long long>(y) * nPitch;
        std::uint32_t* d = Zeile(y);
        for (int x = 0; x < nWidth; ++x) {
            std::uint32_t p = 0;
            switch (nBitsPerPixel) {
            case 8: {
                const int i = s[x];
                p = i < m_nPaletteEntries ? m_palette[i] & 0xFFFFFF : 0;
                break;
            }
            case 16: {
                const unsigned v = s[2 * x] | s[2 * x + 1] << 8;
                // The 5-bit fields go into the channels as they are (0..31).
                const int c[3] = {static_cast<int>(v & 0x1F), static_cast<int>((v >> 5) & 0x1F),
                                  static_cast<int>((v >> 10) & 0x1F)};
                p = Pixel(c);
                break;
            }
            case 24: {
                const int c[3] = {s[3 * x], s[3 * x + 1], s[3 * x + 2]};
                p = Pixel(c);
                break;
            }
            default: {
                const int c[3] = {s[4 * x], s[4 * x + 1], s[4 * x + 2]};
                p = Pixel(c);
                break;
            }
            }
            d[x] = p;
        }
    }
}

std::uint32_t CBitmapEx::Clear(std::uint32_t dwColor)
{
    if (m_pData)
        std::fill(m_pData, m_pData + m_nSize / 4, dwColor);
    return dwColor;
}

std::uint32_t CBitmapEx::GetPixel(int x, int y) const
{
    if (!m_pData || x < 0 || y < 0 || x >= m_bih.biWidth || y >= m_bih.biHeight)
        return 0;
    return Zeile(y)[x];
}

void CBitmapEx::SetPixel(int x, int y, std::uint32_t dwColor)
{
    if (m_pData && x >= 0 && y >= 0 && x < m_bih.biWidth && y < m_bih.biHeight)
        Zeile(y)[x] = dwColor;
}

namespace {

// Clips a copy of w x h from (sx, sy) in a source of sw x sh to (dx, dy) in a destination of dw x dh.
// False when nothing is left.
bool Clip(int& dx, int& dy, int& w, int& h, int& sx, int& sy, int dw, int dh, int sw, int sh)
{
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    w = std::min({w, dw - dx, sw - sx});
    h = std::min({h, dh - dy, sh - sy});
    return w > 0 && h > 0;
}

} // namespace

void CBitmapEx::DrawBitmap(int dstX, int dstY, int nWidth, int nHeight, const CBitmapEx& src, int srcX,
                           int srcY)
{
    if (!m_pData || !src.m_pData)
        return;
    if (&src == this) {
        CBitmapEx kopie;
        kopie.CreateCopy(*this);
        DrawBitmap(dstX, dstY, nWidth, nHeight, kopie, srcX, srcY);
        return;
    }
    if (!Clip(dstX, dstY, nWidth, nHeight, srcX, srcY, GetWidth(), GetHeight(), src.GetWidth(),
              src.GetHeight()))
        return;
    for (int y = 0; y < nHeight; ++y)
        std::memcpy(Zeile(dstY + y) + dstX, src.Zeile(srcY + y) + srcX, 4 * static_cast<size_t>(nWidth));
}

void CBitmapEx::DrawBlended(int dstX, int dstY, int nWidth, int nHeight, const CBitmapEx& src, int srcX,
                            int srcY, int nAlphaPercent, std::uint32_t dwTransparent)
{
    if (!m_pData || !src.m_pData)
        return;
    if (&src == this) {
        CBitmapEx kopie;
        kopie.CreateCopy(*this);
        DrawBlended(dstX, dstY, nWidth, nHeight, kopie, srcX, srcY, nAlphaPercent, dwTransparent);
        return;
    }
    if (!Clip(dstX, dstY, nWidth, nHeight, srcX, srcY, GetWidth(), GetHeight(), src.GetWidth(),
              src.GetHeight()))
        return;
    long long a, b;
    Gewichte(nAlphaPercent, &a, &b);
    for (int y = 0; y < nHeight; ++y) {
        const std::uint32_t* s = src.Zeile(srcY + y) + srcX;
        std::uint32_t* d = Zeile(dstY + y) + dstX;
        for (int x = 0; x < nWidth; ++x)
            if (s[x] != dwTransparent)
                d[x] = Mischen(s[x], d[x], a, b);
    }
}

std::uint32_t CBitmapEx::Abtasten(const CBitmapEx& src, int srcX, int srcY, int srcW, int srcH, int fx,
                                  int fy, int x, int y) const
{
    const int sw = src.GetWidth(), sh = src.GetHeight();
    const long long px = (static_cast<long long>(x) << 8) * fx;
    const long long py = (static_cast<long long>(y) << 8) * fy;
    const int col = srcX + static_cast<int>(px >> 16);
    const int lin = srcY + static_cast<int>(py >> 16);
    const auto at = [&](int c, int l) {
        return src.Zeile(std::clamp(l, 0, sh - 1))[std::clamp(c, 0, sw - 1)];
    };
    switch (m_nResampleMode) {
    case kBilinear: {
        const long long u = (px >> 8) - (px >> 16) * 256;
        const long long v = (py >> 8) - (py >> 16) * 256;
        // A neighbour beyond the last column or line is the pixel itself.
        const int c1 = col + 1 < std::min(sw, srcX + srcW) ? col + 1 : col;
        const int l1 = lin + 1 < std::min(sh, srcY + srcH) ? lin + 1 : lin;
        const std::uint32_t p00 = at(col, lin), p10 = at(c1, lin), p01 = at(col, l1), p11 = at(c1, l1);
        const long long w00 = ((256 - u) * (256 - v)) >> 8, w10 = (u * (256 - v)) >> 8,
                        w01 = ((256 - u) * v) >> 8, w11 = (u * v) >> 8;
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = static_cast<int>(
                (Kanal(p00, k) * w00 + Kanal(p10, k) * w10 + Kanal(p01, k) * w01 + Kanal(p11, k) * w11) >> 8);
        return Pixel(c);
    }
    case kBikubisch: {
        const long long u = (px >> 8) - (px >> 16) * 256;
        const long long v = (py >> 8) - (py >> 16) * 256;
        long long sum[3] = {0, 0, 0};
        for (int m = -1; m <= 2; ++m) {
            const long long ry = BSpline((static_cast<long long>(m) << 8) - v);
            for (int n = -1; n <= 2; ++n) {
                const long long w = (BSpline((static_cast<long long>(n) << 8) - u) * ry) >> 8;
                const std::uint32_t p = at(col + n, lin + m);
                for (int k = 0; k < 3; ++k)
                    sum[k] += ((static_cast<long long>(Kanal(p, k)) << 8) * w) >> 8;
            }
        }
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = static_cast<int>(std::clamp<long long>((sum[k] * 266) >> 16, 0, 255));
        return Pixel(c);
    }
    default:
        return at(col, lin);
    }
}

void CBitmapEx::DrawScaled(int dstX, int dstY, int dstW, int dstH, const CBitmapEx& src, int srcX, int srcY,
                           int srcW, int srcH, int nAlphaPercent, std::uint32_t dwTransparent)
{
    if (!m_pData || !src.m_pData || dstW <= 0 || dstH <= 0 || srcW <= 0 || srcH <= 0)
        return;
    if (&src == this) {
        CBitmapEx kopie;
        kopie.CreateCopy(*this);
        DrawScaled(dstX, dstY, dstW, dstH, kopie, srcX, srcY, srcW, srcH, nAlphaPercent, dwTransparent);
        return;
    }
    const int fx = Skala(srcW, dstW), fy = Skala(srcH, dstH);
    long long a, b;
    Gewichte(nAlphaPercent, &a, &b);
    const int w = GetWidth(), h = GetHeight(), sw = src.GetWidth(), sh = src.GetHeight();
    for (int y = std::max(0, -dstY); y < dstH && dstY + y < h; ++y) {
        std::uint32_t* d = Zeile(dstY + y);
        for (int x = std::max(0, -dstX); x < dstW && dstX + x < w; ++x) {
            const int col = srcX + static_cast<int>(((static_cast<long long>(x) << 8) * fx) >> 16);
            const int lin = srcY + static_cast<int>(((static_cast<long long>(y) << 8) * fy) >> 16);
            if (col < 0 || lin < 0 || col >= sw || lin >= sh)
                continue;
            const std::uint32_t s = Abtasten(src, srcX, srcY, srcW, srcH, fx, fy, x, y);
            if (s != dwTransparent)
                d[dstX + x] = Mischen(s, d[dstX + x], a, b);
        }
    }
}

void CBitmapEx::Resize(int nWidth, int nHeight)
{
    if (!m_pData)
        return;
    nWidth = std::max(nWidth, 1);
    nHeight = std::max(nHeight, 1);
    const int W = GetWidth(), H = GetHeight();
    const long long nBytes = ((static_cast<long long>(m_nBpp) * nWidth + 3) / 4 * 4) * nHeight;
    std::uint32_t* neu = Allocate(nBytes);
    if (!neu || W == 0 || H == 0) {
        // No pixels to sample from, or no room: there is no bitmap afterwards.
        std::free(neu);
        Free();
        SetHeaders(0, 0, 32);
        return;
    }
    const int fx = Skala(W, nWidth), fy = Skala(H, nHeight);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            neu[static_cast<long long>(nHeight - 1 - y) * nWidth + x] =
                Abtasten(*this, 0, 0, W, H, fx, fy, x, y);
    std::free(m_pData);
    m_pData = neu;
    m_nSize = static_cast<int>(nBytes);
    m_nPitch = static_cast<int>((static_cast<long long>(m_nBpp) * nWidth + 3) / 4 * 4);
    m_bih.biWidth = nWidth;
    m_bih.biHeight = nHeight;
    m_bfh.bfSize = static_cast<std::uint32_t>(m_nSize) + 54;
}

void CBitmapEx::AdjustBrightness(int nDelta)
{
    if (!m_pData)
        return;
    nDelta = std::clamp(nDelta, -255, 255);
    for (int i = 0; i < m_nSize / 4; ++i) {
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = std::clamp(Kanal(m_pData[i], k) + nDelta, 0, 255);
        m_pData[i] = Pixel(c);
    }
}

void CBitmapEx::Colorize(std::uint32_t dwColor)
{
    if (!m_pData)
        return;
    // The intensity of the colour (its hue and saturation do not count here), in 4-byte reals.
    const float fMittel =
        static_cast<float>(Kanal(dwColor, 0) + Kanal(dwColor, 1) + Kanal(dwColor, 2)) / 3.0f;
    const int nIntensitaet = static_cast<int>(fMittel / 2.55f / 100.0f * 255.0f);
    const long long w = static_cast<long long>(nIntensitaet) * 65536 / 65280;
    for (int i = 0; i < m_nSize / 4; ++i) {
        int c[3];
        for (int k = 0; k < 3; ++k) {
            const long long p = Kanal(m_pData[i], k), z = Kanal(dwColor, k);
            c[k] = static_cast<int>((((((z << 8) - (p << 8)) * w) >> 8) + (p << 8)) >> 8);
        }
        m_pData[i] = Pixel(c);
    }
}

void CBitmapEx::Blur()
{
    if (!m_pData)
        return;
    const int w = GetWidth(), h = GetHeight();
    std::uint32_t* neu = Allocate(m_nSize);
    if (!neu)
        return;
    static const int kGewicht[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    for (int y = 0; y < h; ++y) {
        std::uint32_t* d = neu + static_cast<long long>(h - 1 - y) * w;
        for (int x = 0; x < w; ++x) {
            long long sum[3] = {0, 0, 0};
            for (int dy = -1; dy <= 1; ++dy) {
                const std::uint32_t* s = Zeile(std::clamp(y + dy, 0, h - 1));
                for (int dx = -1; dx <= 1; ++dx) {
                    const std::uint32_t p = s[std::clamp(x + dx, 0, w - 1)];
                    for (int k = 0; k < 3; ++k)
                        sum[k] += (static_cast<long long>(Kanal(p, k)) << 8) * kGewicht[dy + 1][dx + 1];
                }
            }
            int c[3];
            for (int k = 0; k < 3; ++k)
                c[k] = static_cast<int>(std::clamp<long long>(sum[k] >> 12, 0, 255));
            d[x] = Pixel(c);
        }
    }
    std::free(m_pData);
    m_pData = neu;
}
