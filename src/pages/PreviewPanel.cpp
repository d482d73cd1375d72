#include "PreviewPanel.h"

#include "ListView.h"
#include "Sex.h"
#include "SharedRoutines.h"

namespace {
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBandColour = 0xFCF0E9;
constexpr COLORREF kListTextColour = 0xFF0000;
}  // namespace

void PaintPreviewTabBackground(Dc& dc, int windowWidth) {
    dc.FillSolidRect(Rect(0, 0, windowWidth + 100, 700), kWhite);
    DrawGradientLines(dc, Rect(0, 0, windowWidth + 100, 40), kWhite, kBandColour, 1);
    DrawGradientLines(dc, Rect(0, 40, windowWidth + 100, 80), kBandColour, kWhite, 1);
}

void SetUpBirdList(ListView* list, int birdWidth, int sexWidth) {
    if (!list) return;
    list->SetGridLines(true);
    list->SetFullRowSelect(true);
    list->SetTextColor(kListTextColour);
    list->InsertColumn(0, QStringLiteral("..."), ListView::AlignLeft, 30);
    list->InsertColumn(1, QStringLiteral("Gołąb"), ListView::AlignLeft, birdWidth);
    list->InsertColumn(2, QStringLiteral("Płeć"), ListView::AlignLeft, sexWidth);
    list->InsertColumn(3, QStringLiteral("Konkursy"), ListView::AlignLeft, 80);
    list->InsertColumn(4, QStringLiteral("Opis"), ListView::AlignLeft, 120);
}

void AppendBirdRow(ListView* list, const PigeonRecord& bird) {
    if (!list) return;
    const int row = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    list->SetItemText(row, 1, bird.GetDisplayName());
    list->SetItemText(row, 2, Text(SexText(SexOf(bird), u"")));
    list->SetItemText(row, 3, NumberText(bird.flightCount));
    list->SetItemText(row, 4, bird.krotkiopis);
}
