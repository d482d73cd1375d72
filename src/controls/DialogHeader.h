#pragma once
// The painted header of the program's dialogs: a white window with the header band (bitmap
// 133) across the top and the window's title on it in white bold Tahoma, 28 pixels high.
//
// Dialogs paint it from their background handler (Dialog::OnEraseBkgnd). Most put the title
// 40 pixels in from the left; some use 70 or 75.

#include <QString>
#include <string>

#include "Dc.h"

class QWidget;

inline constexpr int kHeaderBandBitmap = 133;
inline constexpr int kHeaderTitleBottom = 58;
inline constexpr int kHeaderInset = 40;

// The whole header: background, band and title. Returns true (the background is painted).
// A title too long for the window ends in "…"; when `ringEnd` is given, the title's first
// `ringEnd` characters end in a bird's ring and a cut keeps the ring's end, which tells birds
// apart.
bool PaintDialogHeader(const QWidget& dialog, Dc& dc, const QString& title,
                       int inset = kHeaderInset, qsizetype ringEnd = -1);
bool PaintDialogHeader(const QWidget& dialog, Dc& dc, const std::u16string& title,
                       int inset = kHeaderInset, qsizetype ringEnd = -1);

// The header in two steps, for dialogs that paint the title with the rest of their face:
// the white background and the band, leaving transparent text in white selected ...
void PaintDialogHeaderBackground(const QWidget& dialog, Dc& dc);
// ... and the title over it.
void PaintDialogHeaderTitle(const QWidget& dialog, Dc& dc, const QString& title,
                            int inset = kHeaderInset, qsizetype ringEnd = -1);
