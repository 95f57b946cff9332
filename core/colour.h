#pragma once

#include <cstdint>

namespace tavenzo {

// Colours are 24-bit values written 0xBBGGRR, blue in the high byte.
using BgrColour = std::uint32_t;

// 0xBBGGRR to the usual 0xRRGGBB.
constexpr std::uint32_t bgrToRgb(BgrColour c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

} // namespace tavenzo
