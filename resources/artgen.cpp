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
// made 8x8) as a PNG, compressed here with a small deflate encoder of its own.
//
// An art file is a legend followed by the pixel rows, one character per pixel:
//
//   # comment lines and blank lines are ignored
//   . = transparent
//   K = black
//   ........KK......
//
// Colours are the names of the standard 16-colour Windows palette (see kPalette).

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

struct Colour {
    std::string_view name;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The standard 16-colour Windows palette in its usual order, so that a 4-bit pixel value is the
// colour's position in this table.
constexpr std::array<Colour, 16> kPalette{{
    {"black", 0, 0, 0},
    {"maroon", 128, 0, 0},
    {"green", 0, 128, 0},
    {"olive", 128, 128, 0},
    {"navy", 0, 0, 128},
    {"purple", 128, 0, 128},
    {"teal", 0, 128, 128},
    {"silver", 192, 192, 192},
    {"grey", 128, 128, 128},
    {"red", 255, 0, 0},
    {"lime", 0, 255, 0},
    {"yellow", 255, 255, 0},
    {"blue", 0, 0, 255},
    {"fuchsia", 255, 0, 255},
    {"aqua", 0, 255, 255},
    {"white", 255, 255, 255},
}};

constexpr int kTransparent = -1;
constexpr int kUnknownColour = -2;
constexpr int kBlack = 0;
constexpr int kSilver = 7;
constexpr int kWhite = 15;

// The cursor's hot spot: the pixel where the crosshair lines in cursor.txt cross.
constexpr int kHotSpotX = 16;
constexpr int kHotSpotY = 16;

class ArtError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Pixels as positions in kPalette (or kTransparent), top row first.
struct PixelArt {
    std::string source;  // the art file, for messages
    int width = 0;
    int height = 0;
    std::vector<int> pixels;

    int At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

int ColourIndex(std::string_view name) {
    if (name == "transparent") {
        return kTransparent;
    }
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        if (kPalette[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return kUnknownColour;
}

bool IsLegendLine(std::string_view line) {
    return line.size() >= 5 && line[0] != ' ' && line.substr(1, 3) == " = ";
}

std::string TrimRight(std::string line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.pop_back();
    }
    return line;
}

PixelArt LoadArt(const fs::path& file, int width, int height) {
    std::ifstream in(file);
    if (!in) {
        throw ArtError(file.string() + ": cannot open");
    }
    std::map<char, int> legend;
    PixelArt art{file.string(), width, height, {}};
    int rows = 0;
    int lineNumber = 0;
    std::string raw;
    while (std::getline(in, raw)) {
        ++lineNumber;
        const std::string line = TrimRight(raw);
        const std::string where = file.string() + ":" + std::to_string(lineNumber) + ": ";
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (rows == 0 && IsLegendLine(line)) {
            const std::string name = line.substr(4);
            const int index = ColourIndex(name);
            if (index == kUnknownColour) {
                throw ArtError(where + "unknown colour \"" + name + "\"");
            }
            if (!legend.emplace(line[0], index).second) {
                throw ArtError(where + "character '" + line[0] + "' is defined twice");
            }
            continue;
        }
        if (++rows > height) {
            throw ArtError(where + "more than " + std::to_string(height) + " pixel rows");
        }
        if (line.size() != static_cast<std::size_t>(width)) {
            throw ArtError(where + "row is " + std::to_string(line.size()) +
                           " pixels wide, expected " + std::to_string(width));
        }
        for (const char pixel : line) {
            const auto entry = legend.find(pixel);
            if (entry == legend.end()) {
                throw ArtError(where + "character '" + pixel + "' is not in the legend");
            }
            art.pixels.push_back(entry->second);
        }
    }
    if (rows != height) {
        throw ArtError(file.string() + ": " + std::to_string(rows) + " pixel rows, expected " +
                       std::to_string(height));
    }
    return art;
}

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

// How one image is stored: its bit depth and palette, and which pixel value each art colour gets.
struct Encoding {
    int bitsPerPixel;
    std::vector<Colour> palette;
    std::map<int, int> pixelValues;  // art colour -> pixel value, for the colours it can show
    std::string_view description;
};

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

struct DirectoryEntry {
    const PixelArt* art;
    Bytes image;
    int colourCount;  // 0 when the image has 256 colours or more
    int field1;       // icon: colour planes; cursor: hot spot x
    int field2;       // icon: bits per pixel; cursor: hot spot y
};

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

// The art with each pixel made a square of factor x factor pixels.
PixelArt Scaled(const PixelArt& art, int factor) {
    PixelArt scaled{art.source + " (scaled " + std::to_string(factor) + "x)",
                    art.width * factor,
                    art.height * factor,
                    {}};
    for (int y = 0; y < scaled.height; ++y) {
        for (int x = 0; x < scaled.width; ++x) {
            scaled.pixels.push_back(art.At(x / factor, y / factor));
        }
    }
    return scaled;
}

// --- PNG -----------------------------------------------------------------------------------------

void PutBig32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t Crc32(const Bytes& bytes, std::size_t first) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = first; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return ~crc;
}

std::uint32_t Adler32(const Bytes& bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// Writes bits to a deflate stream, least significant bit first.
class BitWriter {
  public:
    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            Bit((value >> i) & 1);
        }
    }
    // A Huffman code goes out from its most significant bit.
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            Bit((code >> i) & 1);
        }
    }
    Bytes Finish() {
        if (used_ > 0) {
            bytes_.push_back(current_);
        }
        return bytes_;
    }

  private:
    void Bit(std::uint32_t bit) {
        current_ = static_cast<std::uint8_t>(current_ | (bit << used_));
        if (++used_ == 8) {
            bytes_.push_back(current_);
            current_ = 0;
            used_ = 0;
        }
    }

    Bytes bytes_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// A literal or length symbol in the fixed Huffman code of deflate.
void FixedSymbol(BitWriter& out, int symbol) {
    if (symbol < 144) {
        out.Code(static_cast<std::uint32_t>(0x30 + symbol), 8);
    } else if (symbol < 256) {
        out.Code(static_cast<std::uint32_t>(0x190 + symbol - 144), 9);
    } else if (symbol < 280) {
        out.Code(static_cast<std::uint32_t>(symbol - 256), 7);
    } else {
        out.Code(static_cast<std::uint32_t>(0xC0 + symbol - 280), 8);
    }
}

constexpr int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                   33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                   1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& out, int length, int distance) {
    int code = 28;
    while (kLengthBase[code] > length) {
        --code;
    }
    FixedSymbol(out, 257 + code);
    out.Bits(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
    code = 29;
    while (kDistanceBase[code] > distance) {
        --code;
    }
    out.Code(static_cast<std::uint32_t>(code), 5);
    out.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[code]), kDistanceExtra[code]);
}

// A zlib stream of one deflate block with the fixed Huffman code, the repeats found by a greedy
// search of the last 32 KiB: enough for pixel art, whose rows and runs repeat.
Bytes Deflate(const Bytes& data) {
    constexpr int kWindow = 32768;
    constexpr int kMaxLength = 258;
    constexpr int kChain = 256;
    std::vector<int> head(1 << 16, -1);
    std::vector<int> previous(data.size(), -1);
    const auto hash = [&](std::size_t at) {
        return ((data[at] << 8) ^ (data[at + 1] << 4) ^ data[at + 2]) & 0xFFFF;
    };
    const auto remember = [&](std::size_t at) {
        if (at + 2 < data.size()) {
            const int key = hash(at);
            previous[at] = head[static_cast<std::size_t>(key)];
            head[static_cast<std::size_t>(key)] = static_cast<int>(at);
        }
    };
    BitWriter out;
    out.Bits(1, 1);  // the last block
    out.Bits(1, 2);  // fixed Huffman code
    std::size_t at = 0;
    while (at < data.size()) {
        int bestLength = 0;
        int bestDistance = 0;
        if (at + 2 < data.size()) {
            int candidate = head[static_cast<std::size_t>(hash(at))];
            for (int tries = 0; candidate >= 0 && tries < kChain; ++tries) {
                const int distance = static_cast<int>(at) - candidate;
                if (distance > kWindow) {
                    break;
                }
                int length = 0;
                while (length < kMaxLength && at + static_cast<std::size_t>(length) < data.size() &&
                       data[static_cast<std::size_t>(candidate + length)] ==
                           data[at + static_cast<std::size_t>(length)]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                }
                candidate = previous[static_cast<std::size_t>(candidate)];
            }
        }
        if (bestLength >= 3) {
            Match(out, bestLength, bestDistance);
            for (int i = 0; i < bestLength; ++i) {
                remember(at++);
            }
        } else {
            FixedSymbol(out, data[at]);
            remember(at++);
        }
    }
    FixedSymbol(out, 256);  // end of block
    Bytes stream{0x78, 0x01};
    const Bytes compressed = out.Finish();
    stream.insert(stream.end(), compressed.begin(), compressed.end());
    PutBig32(stream, Adler32(data));
    return stream;
}

void PutChunk(Bytes& png, const char* type, const Bytes& contents) {
    PutBig32(png, static_cast<std::uint32_t>(contents.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), contents.begin(), contents.end());
    PutBig32(png, Crc32(png, typeAt));
}

// A 32-bit RGBA PNG of the art, transparent where the art is; each row filtered against the one
// above ("Up"), so that repeated rows become runs of zeros.
Bytes PngImage(const PixelArt& art) {
    Bytes raw;
    Bytes above(static_cast<std::size_t>(art.width) * 4, 0);
    for (int y = 0; y < art.height; ++y) {
        Bytes row;
        for (int x = 0; x < art.width; ++x) {
            const int pixel = art.At(x, y);
            if (pixel == kTransparent) {
                row.insert(row.end(), {0, 0, 0, 0});
            } else {
                const Colour& colour = kPalette[static_cast<std::size_t>(pixel)];
                row.insert(row.end(), {colour.red, colour.green, colour.blue, 255});
            }
        }
        raw.push_back(2);
        for (std::size_t i = 0; i < row.size(); ++i) {
            raw.push_back(static_cast<std::uint8_t>(row[i] - above[i]));
        }
        above = row;
    }
    Bytes header;
    PutBig32(header, static_cast<std::uint32_t>(art.width));
    PutBig32(header, static_cast<std::uint32_t>(art.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", Deflate(raw));
    PutChunk(png, "IEND", {});
    return png;
}

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

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: artgen <art-folder> <out-folder>\n";
        return 2;
    }
    try {
        Generate(argv[1], argv[2]);
    } catch (const ArtError& e) {
        std::cerr << "artgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
