#include "ColorHls.h"

#include <algorithm>

// Every conversion to an integer truncates toward zero; shades computed here must come out the
// same on every machine, so the order of operations below is deliberate.

HlsValue RgbToHls(COLORREF color) {
    const double r = GetR(color), g = GetG(color), b = GetB(color);
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double lightness = (max + min) / 510.0;
    double hue = 0.0, saturation = 0.0;
    if (max != min) {
        const double delta = max - min;
        saturation = lightness <= 0.5 ? delta / (max + min) : delta / (510.0 - max - min);
        if (b == max) hue = (4.0 + (r - g) / delta) * 60.0;
        else if (g == max) hue = (2.0 + (b - r) / delta) * 60.0;
        else hue = (6.0 + (g - b) / delta) * 60.0;
        if (hue > 360.0) hue -= 360.0;  // exactly 360 stays: pure red packs as hue 255
    }
    return MakeHls(static_cast<int>(hue * 255.0 / 360.0), static_cast<int>(lightness * 255.0),
                   static_cast<int>(saturation * 255.0));
}

int HlsToRgbComponent(double m1, double m2, double hue) {
    if (hue > 360.0) hue -= 360.0;
    else if (hue < 0.0) hue += 360.0;
    double value;
    if (hue < 60.0) value = (m1 + (m2 - m1) * hue / 60.0) * 255.0;
    else if (hue < 180.0) value = m2 * 255.0;
    else if (hue < 240.0) value = (m1 + (m2 - m1) * (240.0 - hue) / 60.0) * 255.0;
    else value = m1 * 255.0;
    return static_cast<int>(value) & 0xFF;
}

COLORREF HlsToRgb(HlsValue hls) {
    const int lightnessByte = HlsLightness(hls);
    const double lightness = lightnessByte / 255.0;
    const double saturation = HlsSaturation(hls) / 255.0;
    const double hue = HlsHue(hls) * 360.0 / 255.0;
    if (HlsSaturation(hls) == 0) return RGB(lightnessByte, lightnessByte, lightnessByte);
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    return RGB(HlsToRgbComponent(m1, m2, hue + 120.0), HlsToRgbComponent(m1, m2, hue),
               HlsToRgbComponent(m1, m2, hue - 120.0));
}

namespace {

// Amounts beyond ±100 would push the byte past 0..255 and wrap round; they are held at the ends.
int AdjustByPercent(int value, int percent) {
    percent = std::clamp(percent, -100, 100);
    if (percent > 0) return value + (255 - value) * percent / 100;
    if (percent < 0) return value * (100 + percent) / 100;
    return value;
}

}  // namespace

COLORREF AdjustColorHls(COLORREF color, int lightnessPercent, int saturationPercent) {
    const HlsValue hls = RgbToHls(color);
    return HlsToRgb(MakeHls(HlsHue(hls), AdjustByPercent(HlsLightness(hls), lightnessPercent),
                            AdjustByPercent(HlsSaturation(hls), saturationPercent)));
}
