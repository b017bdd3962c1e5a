#pragma once
// artgen's PNG images, compressed with a small deflate encoder of its own.

#include "artgen_pixel_art.h"

namespace artgen {

// A 32-bit RGBA PNG of the art, transparent where the art is.
Bytes PngImage(const PixelArt& art);

}  // namespace artgen
