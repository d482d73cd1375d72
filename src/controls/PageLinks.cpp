#include "PageLinks.h"

#include <string>

void PaintPageLinks(Dc& dc, std::span<const PageLink> links, std::span<const Rect> placed) {
    const QFont previous = dc.SelectFont(Font(QStringLiteral("Tahoma"), 14, FW_BOLD));
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    for (size_t link = 0; link < links.size() && link < placed.size(); ++link) {
        Rect rect = placed[link];
        if (rect.IsEmpty()) continue;
        dc.SetTextColor(links[link].color);
        Rect text = rect;
        text.Offset(30, 0);
        dc.DrawText(std::u16string(links[link].text), text, DT_SINGLELINE | DT_VCENTER);
        dc.DrawEdge(rect, BDR_RAISEDINNER, BF_BOTTOM);
    }
    dc.SetBkMode(previousMode);
    dc.SelectFont(previous);
}

int LinkAt(std::span<const Rect> placed, const QPoint& point) {
    for (size_t link = 0; link < placed.size(); ++link) {
        if (placed[link].Contains(point)) return static_cast<int>(link);
    }
    return -1;
}
