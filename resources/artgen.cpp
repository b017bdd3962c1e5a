// artgen: turns the text pixel art in resources/art into the binary images that the resource
// script embeds, so that the repository holds no binary artwork.
//
//   artgen <art-folder> <out-folder>
//
// reads icon16.txt, icon20.txt, icon24.txt, icon32.txt and cursor.txt from <art-folder> and writes
// Tarnwick.ico, target.bmp (the 32x32 picture in 16 colours on the dialog face grey) and
// target.cur (a 32x32 monochrome cursor) into <out-folder>. The icon has an image for each size
// that Windows asks for between 100 % and 200 %: 16, 20, 24 and 48 pixels in 16 colours (48 is
// the 24 art with each pixel doubled), 32 in 256 colours, and 256 (the 32 art with each pixel
// made 8x8) as a PNG, compressed with a small deflate encoder of its own.
//
// An art file is a legend followed by the pixel rows, one character per pixel:
//
//   # comment lines and blank lines are ignored
//   . = transparent
//   K = black
//   ........KK......
//
// Colours are the names of the standard 16-colour Windows palette (see kPalette).

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "artgen_pixel_art.h"
#include "artgen_png.h"
#include "artgen_windows_images.h"

namespace artgen {

namespace {

namespace fs = std::filesystem;

// The cursor's hot spot: the pixel where the crosshair lines in cursor.txt cross.
constexpr int kHotSpotX = 16;
constexpr int kHotSpotY = 16;

void WriteFile(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw ArtError(file.string() + ": cannot write");
    }
}

void Generate(const fs::path& artFolder, const fs::path& outFolder) {
    const PixelArt icon16 = LoadArt(artFolder / "icon16.txt", 16, 16);
    const PixelArt icon20 = LoadArt(artFolder / "icon20.txt", 20, 20);
    const PixelArt icon24 = LoadArt(artFolder / "icon24.txt", 24, 24);
    const PixelArt icon32 = LoadArt(artFolder / "icon32.txt", 32, 32);
    const PixelArt icon48 = Scaled(icon24, 2);
    const PixelArt icon256 = Scaled(icon32, 8);
    const PixelArt cursor = LoadArt(artFolder / "cursor.txt", 32, 32);
    if (cursor.At(kHotSpotX, kHotSpotY) == kTransparent) {
        throw ArtError(cursor.source + ": the hot spot pixel (" + std::to_string(kHotSpotX) + "," +
                       std::to_string(kHotSpotY) +
                       ") is transparent; the crosshair lines must cross there");
    }

    std::error_code error;
    fs::create_directories(outFolder, error);
    if (error) {
        throw ArtError(outFolder.string() + ": " + error.message());
    }

    WriteFile(outFolder / "Tarnwick.ico",
              IconFile(1, {
                              {&icon16, IconImage(icon16, PaletteEncoding(4)), 16, 1, 4},
                              {&icon20, IconImage(icon20, PaletteEncoding(4)), 16, 1, 4},
                              {&icon24, IconImage(icon24, PaletteEncoding(4)), 16, 1, 4},
                              {&icon32, IconImage(icon32, PaletteEncoding(8)), 0, 1, 8},
                              {&icon48, IconImage(icon48, PaletteEncoding(4)), 16, 1, 4},
                              {&icon256, PngImage(icon256), 0, 1, 32},
                          }));
    WriteFile(outFolder / "target.bmp", BitmapFile(icon32));
    WriteFile(
        outFolder / "target.cur",
        IconFile(2, {
                        {&cursor, IconImage(cursor, MonochromeEncoding()), 2, kHotSpotX, kHotSpotY},
                    }));
}

}  // namespace

}  // namespace artgen

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: artgen <art-folder> <out-folder>\n";
        return 2;
    }
    try {
        artgen::Generate(argv[1], argv[2]);
    } catch (const artgen::ArtError& e) {
        std::cerr << "artgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
