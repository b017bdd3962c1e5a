#pragma once
// artgen's pixel art: the 16-colour palette, the art read from a text file, and the error that
// ends the run.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace artgen {

// An encoded image or file.
using Bytes = std::vector<std::uint8_t>;

struct Colour {
    std::string_view name;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The standard 16-colour Windows palette in its usual order, so that a 4-bit pixel value is the
// colour's position in this table.
inline constexpr std::array<Colour, 16> kPalette{{
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

inline constexpr int kTransparent = -1;
inline constexpr int kBlack = 0;
inline constexpr int kSilver = 7;
inline constexpr int kWhite = 15;

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

// Reads an art file of the given size; see artgen.cpp for its form.
PixelArt LoadArt(const std::filesystem::path& file, int width, int height);

// The art with each pixel made a square of factor x factor pixels.
PixelArt Scaled(const PixelArt& art, int factor);

}  // namespace artgen
