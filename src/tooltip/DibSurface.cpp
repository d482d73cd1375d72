#include "DibSurface.h"

#include <algorithm>

#include "Dc.h"

namespace {

int PaletteSize(int bits) {
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

}  // namespace

std::uint8_t* CDibSurface::Create(int width, int height, int bits) {
    Destroy();
    if (width <= 0 || height <= 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24)) {
        return nullptr;
    }
    // Rows are padded to whole 32-bit words, as device-independent bitmaps are.
    const long long stride = ((static_cast<long long>(width) * bits + 31) / 32) * 4;
    if (stride * height > 256LL * 1024 * 1024) return nullptr;
    width_ = width;
    height_ = height;
    bits_ = bits;
    stride_ = static_cast<int>(stride);
    palette_.assign(PaletteSize(bits), 0);
    pixels_.assign(static_cast<std::size_t>(stride * height), 0);
    return pixels_.data();
}

void CDibSurface::Destroy() {
    width_ = height_ = bits_ = stride_ = 0;
    palette_.clear();
    pixels_.clear();
}

std::uint32_t CDibSurface::PaletteEntry(int index) const {
    if (index < 0 || index >= PaletteEntries()) return 0;
    return palette_[index];
}

void CDibSurface::SetPaletteEntry(int index, int red, int green, int blue) {
    const int entry = index & 0xFF;
    if (pixels_.empty() || entry >= PaletteEntries()) return;
    palette_[entry] = (static_cast<std::uint32_t>(red & 0xFF) << 16) |
                      (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                      static_cast<std::uint32_t>(blue & 0xFF);
}

void CDibSurface::BlendPalette(std::uint32_t color, int percent) {
    const int p = std::clamp(percent, 0, 100);
    const int r = GetR(color), g = GetG(color), b = GetB(color);
    for (std::uint32_t& entry : palette_) {
        const int er = (entry >> 16) & 0xFF, eg = (entry >> 8) & 0xFF, eb = entry & 0xFF;
        const int nr = (r * p + er * (100 - p)) / 100;
        const int ng = (g * p + eg * (100 - p)) / 100;
        const int nb = (b * p + eb * (100 - p)) / 100;
        entry = (static_cast<std::uint32_t>(nr) << 16) | (static_cast<std::uint32_t>(ng) << 8) |
                static_cast<std::uint32_t>(nb);
    }
}

void CDibSurface::SetPixelIndex(int x, int y, int index) {
    if (palette_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(height_ - y - 1) * stride_;
    const int value = index & 0xFF;
    switch (bits_) {
    case 8:
        row[x] = static_cast<std::uint8_t>(value);
        break;
    case 4: {
        std::uint8_t& byte = row[x / 2];
        if (x % 2 == 0) byte = static_cast<std::uint8_t>((byte & 0x0F) | ((value & 0x0F) << 4));
        else byte = static_cast<std::uint8_t>((byte & 0xF0) | (value & 0x0F));
        break;
    }
    case 1: {
        std::uint8_t& byte = row[x / 8];
        const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
        byte = (value & 1) ? (byte | bit) : (byte & ~bit);
        break;
    }
    default:
        break;
    }
}

int CDibSurface::PixelIndex(int x, int y) const {
    if (palette_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(height_ - y - 1) * stride_;
    switch (bits_) {
    case 8: return row[x];
    case 4: return (x % 2 == 0) ? (row[x / 2] >> 4) : (row[x / 2] & 0x0F);
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    default: return 0;
    }
}

void CDibSurface::Clear(std::uint8_t value) {
    std::fill(pixels_.begin(), pixels_.end(), value);
}

QImage CDibSurface::ToImage() const {
    if (pixels_.empty()) return {};
    QImage image(width_, height_, QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* row =
            pixels_.data() + static_cast<std::size_t>(height_ - y - 1) * stride_;
        for (int x = 0; x < width_; ++x) {
            if (bits_ == 24) {
                line[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
            } else {
                line[x] = 0xFF000000u | palette_[PixelIndex(x, y)];
            }
        }
    }
    return image;
}

bool CDibSurface::Draw(Dc& dc, int x, int y) {
    const QImage image = ToImage();
    if (image.isNull()) return false;
    dc.Painter().drawImage(QPoint(x, y), image);
    return true;
}
