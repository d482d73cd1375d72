#pragma once
// Colours in hue/lightness/saturation form, for the lighter and paler shades that buttons and
// menus derive from a base colour.
//
// A packed HLS value holds the hue in bits 0-7 (0..255 standing for 0..360 degrees), the
// lightness in bits 8-15 and the saturation in bits 16-23, each 0..255.

#include <cstdint>

#include "Dc.h"

using HlsValue = std::uint32_t;

constexpr int HlsHue(HlsValue hls) { return static_cast<int>(hls & 0xFF); }
constexpr int HlsLightness(HlsValue hls) { return static_cast<int>((hls >> 8) & 0xFF); }
constexpr int HlsSaturation(HlsValue hls) { return static_cast<int>((hls >> 16) & 0xFF); }
constexpr HlsValue MakeHls(int hue, int lightness, int saturation) {
    return static_cast<HlsValue>((hue & 0xFF) | ((lightness & 0xFF) << 8) |
                                 ((saturation & 0xFF) << 16));
}

HlsValue RgbToHls(COLORREF color);
// One colour component 0..255 from the two HLS helper values and a hue in degrees.
int HlsToRgbComponent(double m1, double m2, double hue);
COLORREF HlsToRgb(HlsValue hls);

// Moves the colour's lightness and saturation by percentages from -100 to 100: a positive
// amount goes that share of the way to 255, a negative one takes that share away, 0 leaves the
// component as it is.
COLORREF AdjustColorHls(COLORREF color, int lightnessPercent, int saturationPercent);
