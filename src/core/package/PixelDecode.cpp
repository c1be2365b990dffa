#include "package/PixelDecode.h"

#include "package/UnrealPackage.h"

#include <QtEndian>
#include <array>
#include <cstring>

namespace {

using Rgba = std::array<quint8, 4>;

qint64 Blocks(qint32 width, qint32 height) {
    return ((qint64(width) + 3) / 4) * ((qint64(height) + 3) / 4);
}

// Writes one decoded 4 × 4 block, clipped at the image's right and bottom edges.
void PutBlock(uchar* out, qint32 width, qint32 height, qint64 bx, qint64 by,
              const std::array<Rgba, 16>& texels) {
    for (int y = 0; y < 4 && by * 4 + y < height; ++y)
        for (int x = 0; x < 4 && bx * 4 + x < width; ++x)
            std::copy_n(texels[y * 4 + x].begin(), 4,
                        out + ((by * 4 + y) * width + bx * 4 + x) * 4);
}

Rgba From565(quint16 c) {
    const int r = (c >> 11) & 0x1F, g = (c >> 5) & 0x3F, b = c & 0x1F;
    return {quint8((r * 255 + 15) / 31), quint8((g * 255 + 31) / 63), quint8((b * 255 + 15) / 31),
            255};
}

Rgba Mix(const Rgba& a, const Rgba& b, int wa, int wb) {
    Rgba m{};
    for (int i = 0; i < 3; ++i)
        m[i] = quint8((a[i] * wa + b[i] * wb) / (wa + wb));
    m[3] = 255;
    return m;
}

// The colour half of a DXT block. DXT1 alone gives a block whose first colour
// is not above the second three colours and a transparent black.
std::array<Rgba, 16> ColourBlock(const uchar* block, bool fourColoursOnly) {
    const quint16 c0 = qFromLittleEndian<quint16>(block),
                  c1 = qFromLittleEndian<quint16>(block + 2);
    std::array<Rgba, 4> colours{From565(c0), From565(c1)};
    if (c0 > c1 || fourColoursOnly) {
        colours[2] = Mix(colours[0], colours[1], 2, 1);
        colours[3] = Mix(colours[0], colours[1], 1, 2);
    } else {
        colours[2] = Mix(colours[0], colours[1], 1, 1);
        colours[3] = {0, 0, 0, 0};
    }
    const quint32 indexes = qFromLittleEndian<quint32>(block + 4);
    std::array<Rgba, 16> texels;
    for (int i = 0; i < 16; ++i)
        texels[i] = colours[(indexes >> (2 * i)) & 3];
    return texels;
}

// DXT3: sixteen explicit four-bit alphas.
void ExplicitAlpha(const uchar* block, std::array<Rgba, 16>& texels) {
    const quint64 bits = qFromLittleEndian<quint64>(block);
    for (int i = 0; i < 16; ++i)
        texels[i][3] = quint8(((bits >> (4 * i)) & 0xF) * 17);
}

// DXT5: two alphas and sixteen three-bit choices among them and their blends.
void InterpolatedAlpha(const uchar* block, std::array<Rgba, 16>& texels) {
    const int a0 = block[0], a1 = block[1];
    std::array<int, 8> alphas{a0, a1};
    if (a0 > a1) {
        for (int i = 1; i < 7; ++i)
            alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (int i = 1; i < 5; ++i)
            alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
    quint64 bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= quint64(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i)
        texels[i][3] = quint8(alphas[(bits >> (3 * i)) & 7]);
}

void DecodeDxt(int format, const uchar* in, uchar* out, qint32 width, qint32 height) {
    const qint64 across = (qint64(width) + 3) / 4, down = (qint64(height) + 3) / 4;
    const int blockBytes = format == int(TextureFormat::DXT1) ? 8 : 16;
    const int colourAt = blockBytes - 8;
    for (qint64 by = 0; by < down; ++by)
        for (qint64 bx = 0; bx < across; ++bx, in += blockBytes) {
            std::array<Rgba, 16> texels =
                ColourBlock(in + colourAt, format != int(TextureFormat::DXT1));
            if (format == int(TextureFormat::DXT3))
                ExplicitAlpha(in, texels);
            if (format == int(TextureFormat::DXT5))
                InterpolatedAlpha(in, texels);
            PutBlock(out, width, height, bx, by, texels);
        }
}

// Through a table of the 256 colours as they are written out, four bytes at a time.
void DecodePalettised(const uchar* in, uchar* out, qint64 pixels, QByteArrayView palette,
                      bool masked) {
    std::array<quint32, 256> colours;
    for (int i = 0; i < 256; ++i) {
        uchar rgba[4] = {uchar(palette[i * 4]), uchar(palette[i * 4 + 1]),
                         uchar(palette[i * 4 + 2]), uchar(masked && i == 0 ? 0 : 255)};
        std::memcpy(&colours[i], rgba, 4);
    }
    for (qint64 i = 0; i < pixels; ++i)
        std::memcpy(out + i * 4, &colours[in[i]], 4);
}

// RGB8 is stored R, G, B; RGBA8 B, G, R, A.
void DecodeDirect(int format, const uchar* in, uchar* out, qint64 pixels) {
    const bool bgra = format == int(TextureFormat::RGBA8);
    for (qint64 i = 0; i < pixels; ++i, out += 4) {
        if (bgra) {
            out[0] = in[2], out[1] = in[1], out[2] = in[0], out[3] = in[3];
            in += 4;
        } else {
            out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = 255;
            in += 3;
        }
    }
}

} // namespace

qint64 MipBytesNeeded(int format, qint32 width, qint32 height) {
    // No engine texture is wider or taller than 2^16; larger claims would
    // only overflow the byte count.
    constexpr qint32 LargestSide = 1 << 16;
    if (width <= 0 || height <= 0 || width > LargestSide || height > LargestSide)
        return -1;
    const qint64 pixels = qint64(width) * height;
    switch (TextureFormat(format)) {
    case TextureFormat::P8:
        return pixels;
    case TextureFormat::RGB8:
        return pixels * 3;
    case TextureFormat::RGBA8:
        return pixels * 4;
    case TextureFormat::DXT1:
        return Blocks(width, height) * 8;
    case TextureFormat::DXT3:
    case TextureFormat::DXT5:
        return Blocks(width, height) * 16;
    default:
        return -1;
    }
}

QByteArray DecodePixels(int format, QByteArrayView data, qint32 width, qint32 height,
                        QByteArrayView palette, bool masked) {
    const qint64 pixels = qint64(width) * height;
    QByteArray rgba(pixels * 4, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const uchar*>(data.data());
    auto* out = reinterpret_cast<uchar*>(rgba.data());
    if (format == int(TextureFormat::P8))
        DecodePalettised(in, out, pixels, palette, masked);
    else if (format == int(TextureFormat::RGB8) || format == int(TextureFormat::RGBA8))
        DecodeDirect(format, in, out, pixels);
    else
        DecodeDxt(format, in, out, width, height);
    return rgba;
}
