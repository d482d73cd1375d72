#pragma once
// A small device-independent bitmap of palette indices (1, 4 or 8 bits) or 24-bit pixels, kept
// bottom row first with its header values and palette, into which the texture fills paint one
// byte per pixel before the picture is copied to a drawing surface.

#include <QImage>
#include <cstdint>
#include <vector>

class Dc;

class CDibSurface {
public:
    virtual ~CDibSurface() = default;

    // Destroys what was there and makes a zeroed image; returns the pixel buffer or null when
    // the size or depth cannot be made.
    std::uint8_t* Create(int width, int height, int bits);
    void Destroy();

    // The first stored row, that is the bottom row of the picture; null without an image.
    std::uint8_t* GetBits() { return pixels_.empty() ? nullptr : pixels_.data(); }
    int GetStride() const { return stride_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Bits() const { return bits_; }
    int PaletteEntries() const { return static_cast<int>(palette_.size()); }
    // Palette entry as 0x00RRGGBB.
    std::uint32_t PaletteEntry(int index) const;

    // Ignored without an image or for an index (its low byte) past the palette.
    void SetPaletteEntry(int index, int red, int green, int blue);
    // Moves every entry `percent` (at most 100) of the way towards `color` (0x00BBGGRR).
    void BlendPalette(std::uint32_t color, int percent);
    // y counted from the top; ignored outside the image or without a palette.
    void SetPixelIndex(int x, int y, int index);
    // Every pixel byte becomes `value`.
    void Clear(std::uint8_t value);
    // Palette index at (x, y), y from the top; 0 outside.
    int PixelIndex(int x, int y) const;

    // The picture in 32-bit colour; a null image without one.
    QImage ToImage() const;
    // Copies the picture to (x, y); false when there is nothing to copy.
    bool Draw(Dc& dc, int x, int y);

private:
    int width_ = 0, height_ = 0, bits_ = 0, stride_ = 0;
    std::vector<std::uint32_t> palette_;  // 0x00RRGGBB
    std::vector<std::uint8_t> pixels_;    // rows bottom first
};
