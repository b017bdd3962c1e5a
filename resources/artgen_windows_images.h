#pragma once
// artgen's Windows images: device-independent bitmaps in a palette, as icon and cursor images,
// the .ico and .cur files that hold them, and a .bmp file.

#include <map>
#include <string_view>
#include <vector>

#include "artgen_pixel_art.h"

namespace artgen {

// How one image is stored: its bit depth and palette, and which pixel value each art colour gets.
struct Encoding {
    int bitsPerPixel;
    std::vector<Colour> palette;
    std::map<int, int> pixelValues;  // art colour -> pixel value, for the colours it can show
    std::string_view description;
};

// The 16-colour palette at 4 or 8 bits per pixel.
Encoding PaletteEncoding(int bitsPerPixel);
Encoding MonochromeEncoding();

// One icon or cursor image: header and palette, colour (XOR) bits, then the transparency (AND)
// mask.
Bytes IconImage(const PixelArt& art, const Encoding& encoding);

struct DirectoryEntry {
    const PixelArt* art;
    Bytes image;
    int colourCount;  // 0 when the image has 256 colours or more
    int field1;       // icon: colour planes; cursor: hot spot x
    int field2;       // icon: bits per pixel; cursor: hot spot y
};

// The .ico (type 1) or .cur (type 2) file of the images.
Bytes IconFile(int type, const std::vector<DirectoryEntry>& entries);

// A 4-bit BMP file with the dialog face grey where the art is transparent.
Bytes BitmapFile(const PixelArt& art);

}  // namespace artgen
