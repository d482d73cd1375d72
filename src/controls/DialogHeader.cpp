#include "DialogHeader.h"

#include <QFontMetrics>
#include <QWidget>

#include "WindowHelpers.h"

namespace {

constexpr int kHeaderTitleMargin = 10;

Rect ClientRect(const QWidget& dialog) { return Rect(0, 0, dialog.width(), dialog.height()); }

}  // namespace

void PaintDialogHeaderBackground(const QWidget& dialog, Dc& dc) {
    dc.FillSolidRect(ClientRect(dialog), RGB(255, 255, 255));
    dc.DrawBitmap(kHeaderBandBitmap, 0, 0);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
}

void PaintDialogHeaderTitle(const QWidget& dialog, Dc& dc, const QString& title, int inset,
                            qsizetype ringEnd) {
    const QFont font = Font(QStringLiteral("Tahoma"), 28, FW_BOLD);
    const QFont old = dc.SelectFont(font);
    const Rect client = ClientRect(dialog);
    // A title too long for the window (bird names) ends in "…" short of the right edge.
    Rect titleRect(client.left + inset, client.top, client.right - kHeaderTitleMargin,
                   kHeaderTitleBottom);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    const QString shown =
        ringEnd < 0 ? title
                    : ElideKeepingRing(title, ringEnd, QFontMetrics(font), titleRect.Width());
    // Titles carry bird names and other typed text: an '&' in them is shown as it is.
    dc.DrawText(shown, titleRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc.SelectFont(old);
}

bool PaintDialogHeader(const QWidget& dialog, Dc& dc, const QString& title, int inset,
                       qsizetype ringEnd) {
    PaintDialogHeaderBackground(dialog, dc);
    PaintDialogHeaderTitle(dialog, dc, title, inset, ringEnd);
    return true;
}

bool PaintDialogHeader(const QWidget& dialog, Dc& dc, const std::u16string& title, int inset,
                       qsizetype ringEnd) {
    return PaintDialogHeader(dialog, dc, QString::fromStdU16String(title), inset, ringEnd);
}
