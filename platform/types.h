#pragma once
// Value types shared by the portable logic and the platform layers.

#include <cstdint>

namespace tarnwick {

// A window handle as the window system hands it out: a signed 32-bit value.
using Hwnd = std::int32_t;
// Device contexts and GDI objects: opaque to the logic, only passed back.
using GdiHandle = std::intptr_t;
// 0x00BBGGRR.
using ColorRef = std::int32_t;
// Kernel objects such as an opened process: opaque to the logic, only passed back; 0 is none.
using KernelHandle = std::intptr_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tarnwick
