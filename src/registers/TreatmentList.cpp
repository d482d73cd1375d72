#include "TreatmentList.h"

#include <QFontMetrics>
#include <algorithm>
#include <iterator>

#include "ListView.h"
#include "SharedRoutines.h"

namespace {

struct Column {
    const char16_t* heading;
    int width;
};
constexpr Column kColumns[] = {{u"...", 30},          {u"Nazwa", 130}, {u"Data", 85},
                               {u"Rodzaj leku", 100}, {u"Dawka", 100}, {u"Uwagi", 130}};

constexpr int kDateColumn = 2;
constexpr int kCellPadding = 14;  // the cell's margins on both sides, with a little room

constexpr const char16_t* kKinds[] = {u" ", u"Szczepionka", u"Lek", u"Suplement"};

}  // namespace

const char16_t* TreatmentKindText(int kind) {
    if (kind < 0 || kind >= static_cast<int>(std::size(kKinds))) return nullptr;
    return kKinds[kind];
}

void SetUpTreatmentList(ListView& list) {
    list.SetGridLines(true);
    list.SetFullRowSelect(true);
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
        int width = kColumns[column].width;
        // The date and time of a treatment must show whole in their column.
        if (column == kDateColumn) {
            width = std::max(width, list.fontMetrics().horizontalAdvance(QStringLiteral("00/00/00, 00:00")) +
                                        kCellPadding);
        }
        list.InsertColumn(column, std::u16string(kColumns[column].heading), ListView::AlignLeft, width);
    }
}

void SetTreatmentRow(ListView& list, int row, const TreatmentRecord& treatment) {
    if (row < 0) {
        row = list.InsertItem(list.GetItemCount(), std::u16string(u" "));
    } else {
        list.SetItemText(row, 0, std::u16string(u" "));
    }
    list.SetItemText(row, 1, treatment.nazwa);
    list.SetItemText(row, 2, FormatTime(treatment.data_podania, "%d/%m/%y, %H:%M"));
    // A kind without a name (none chosen) shows an empty cell, also when the row showed a kind
    // before the change.
    const char16_t* kind = TreatmentKindText(treatment.kategoria);
    list.SetItemText(row, 3, std::u16string(kind ? kind : u""));
    list.SetItemText(row, 4, treatment.dawka);
    list.SetItemText(row, 5, treatment.uwagi);
}

void FillTreatmentList(ListView& list, const std::vector<TreatmentRecord>& treatments) {
    list.DeleteAllItems();
    for (const TreatmentRecord& treatment : treatments) SetTreatmentRow(list, -1, treatment);
}
