#pragma once
// The painted links of the main window's pages (transactions, pairing): blue or green bold text
// 30 pixels in from the left of each link's rectangle, with a raised line along its bottom.

#include <span>

#include "Dc.h"

struct PageLink {
    const char16_t* text;
    Rect rect;       // where the link lies on the page
    COLORREF color;
};

// Paints each link at its place in `placed` (a link whose place is empty is not painted).
void PaintPageLinks(Dc& dc, std::span<const PageLink> links, std::span<const Rect> placed);

// The link whose place holds the point (page coordinates), -1 when none does.
int LinkAt(std::span<const Rect> placed, const QPoint& point);
