#include "artgen_windows_images.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace artgen {

namespace {

void Put8(Bytes& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void Put16(Bytes& out, int value) {
    Put8(out, value);
    Put8(out, value >> 8);
}

void Put32(Bytes& out, int value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Packs one value per pixel into DIB rows: bottom row first, each row padded to 4 bytes.
Bytes PackRows(int width, int height, int bitsPerPixel, const std::vector<int>& values) {
    const int stride = (width * bitsPerPixel + 31) / 32 * 4;
    Bytes rows(static_cast<std::size_t>(stride * height), 0);
    for (int y = 0; y < height; ++y) {
        const int rowStart = (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const int value = values[static_cast<std::size_t>(y * width + x)];
            const int bit = x * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bit % 8;
            auto& byte = rows[static_cast<std::size_t>(rowStart + bit / 8)];
            byte = static_cast<std::uint8_t>(byte | (value << shift));
        }
    }
    return rows;
}

// Pixel values for the colour bits; transparent pixels become 0 there, so that with their mask
// bit set they leave the screen untouched.
std::vector<int> ColourValues(const PixelArt& art, const Encoding& encoding, int transparentAs) {
    std::vector<int> values;
    for (const int pixel : art.pixels) {
        if (pixel == kTransparent) {
            values.push_back(transparentAs);
            continue;
        }
        const auto entry = encoding.pixelValues.find(pixel);
        if (entry == encoding.pixelValues.end()) {
            throw ArtError(art.source + ": colour \"" +
                           std::string(kPalette[static_cast<std::size_t>(pixel)].name) +
                           "\" cannot be used here, only " + std::string(encoding.description));
        }
        values.push_back(entry->second);
    }
    return values;
}

std::vector<int> MaskValues(const PixelArt& art) {
    std::vector<int> values;
    for (const int pixel : art.pixels) {
        values.push_back(pixel == kTransparent ? 1 : 0);
    }
    return values;
}

// BITMAPINFOHEADER followed by the palette.
void PutInfoHeader(Bytes& out, int width, int storedHeight, const Encoding& encoding,
                   int imageSize) {
    Put32(out, 40);
    Put32(out, width);
    Put32(out, storedHeight);
    Put16(out, 1);  // planes
    Put16(out, encoding.bitsPerPixel);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0);  // horizontal resolution: unspecified
    Put32(out, 0);  // vertical resolution: unspecified
    Put32(out, 0);  // colours used: all of the palette
    Put32(out, 0);  // important colours: all
    for (const Colour& colour : encoding.palette) {
        Put8(out, colour.blue);
        Put8(out, colour.green);
        Put8(out, colour.red);
        Put8(out, 0);
    }
}

}  // namespace

Encoding PaletteEncoding(int bitsPerPixel) {
    Encoding encoding{bitsPerPixel, {}, {}, "the 16-colour palette"};
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        encoding.palette.push_back(kPalette[i]);
        encoding.pixelValues.emplace(static_cast<int>(i), static_cast<int>(i));
    }
    // An 8-bit image still gets a full 256-entry palette: some loaders ignore biClrUsed.
    encoding.palette.resize(std::size_t{1} << bitsPerPixel, Colour{"unused", 0, 0, 0});
    return encoding;
}

Encoding MonochromeEncoding() {
    return {1, {kPalette[kBlack], kPalette[kWhite]}, {{kBlack, 0}, {kWhite, 1}}, "black and white"};
}

// One icon or cursor image: header and palette, colour (XOR) bits, then the transparency (AND)
// mask. The header's height counts both bitmaps.
Bytes IconImage(const PixelArt& art, const Encoding& encoding) {
    const Bytes colours =
        PackRows(art.width, art.height, encoding.bitsPerPixel, ColourValues(art, encoding, 0));
    const Bytes mask = PackRows(art.width, art.height, 1, MaskValues(art));
    Bytes image;
    PutInfoHeader(image, art.width, art.height * 2, encoding,
                  static_cast<int>(colours.size() + mask.size()));
    image.insert(image.end(), colours.begin(), colours.end());
    image.insert(image.end(), mask.begin(), mask.end());
    return image;
}

// The .ico/.cur container: ICONDIR, one ICONDIRENTRY per image, then the images.
Bytes IconFile(int type, const std::vector<DirectoryEntry>& entries) {
    Bytes file;
    Put16(file, 0);
    Put16(file, type);
    Put16(file, static_cast<int>(entries.size()));
    int offset = 6 + 16 * static_cast<int>(entries.size());
    for (const DirectoryEntry& entry : entries) {
        Put8(file, entry.art->width);
        Put8(file, entry.art->height);
        Put8(file, entry.colourCount);
        Put8(file, 0);
        Put16(file, entry.field1);
        Put16(file, entry.field2);
        Put32(file, static_cast<int>(entry.image.size()));
        Put32(file, offset);
        offset += static_cast<int>(entry.image.size());
    }
    for (const DirectoryEntry& entry : entries) {
        file.insert(file.end(), entry.image.begin(), entry.image.end());
    }
    return file;
}

// A 4-bit BMP file with the dialog face grey where the art is transparent.
Bytes BitmapFile(const PixelArt& art) {
    const Encoding encoding = PaletteEncoding(4);
    const Bytes pixels = PackRows(art.width, art.height, encoding.bitsPerPixel,
                                  ColourValues(art, encoding, kSilver));
    Bytes info;
    PutInfoHeader(info, art.width, art.height, encoding, static_cast<int>(pixels.size()));
    const int pixelOffset = 14 + static_cast<int>(info.size());
    Bytes file;
    Put8(file, 'B');
    Put8(file, 'M');
    Put32(file, pixelOffset + static_cast<int>(pixels.size()));
    Put32(file, 0);  // reserved
    Put32(file, pixelOffset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

}  // namespace artgen
