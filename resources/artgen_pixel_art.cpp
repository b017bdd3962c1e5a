#include "artgen_pixel_art.h"

#include <fstream>
#include <map>

namespace artgen {

namespace {

constexpr int kUnknownColour = -2;

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

}  // namespace

PixelArt LoadArt(const std::filesystem::path& file, int width, int height) {
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

}  // namespace artgen
