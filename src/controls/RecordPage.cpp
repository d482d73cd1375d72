#include "RecordPage.h"

#include <QString>

#include "Globals.h"
#include "ListView.h"
#include "Seams.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowHelpers.h"

void SetUpRecordList(ListView* list, const QFont& font, std::span<const ListColumn> columns) {
    if (!list) return;
    list->setFont(font);
    list->SetTextColor(RGB(0, 0, 255));
    list->SetGridLines(true);
    list->SetCheckBoxes(true);
    list->SetFullRowSelect(true);
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        list->InsertColumn(column, std::u16string(columns[column].heading), ListView::AlignLeft,
                           columns[column].width);
        if (columns[column].text == ColumnText::Plain) continue;
        list->SetColumnFit(column, ListView::ColumnFit::WhenRoom);
        if (columns[column].text == ColumnText::Bird) list->SetColumnElider(column, ElideBirdText);
    }
}

int RecordRow(ListView* list, int row) {
    if (row == -1) return list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    list->SetItemText(row, 0, QStringLiteral(" "));
    return row;
}

void FillSeasonCombo(ComboBox* combo, const char16_t* allEntry,
                     const std::vector<SeasonRecord>& seasons, int selected) {
    if (!combo) return;
    combo->ResetContent();
    combo->AddString(std::u16string(allEntry));
    for (const SeasonRecord& season : seasons) combo->AddString(season.Nazwa);
    combo->SetCurSel(selected < combo->GetCount() ? selected : 0);
}

std::optional<int> ChosenSeasonIndex(const ComboBox* combo) {
    const int entry = combo ? combo->GetCurSel() : -1;
    if (entry < 0) return std::nullopt;
    return entry == 0 ? kAllSeasons : entry - 1;
}

void ChooseAllSeasons(ComboBox* combo) {
    if (combo && combo->GetCount() > 0) combo->SetCurSel(0);
}

bool PresentOrSay(QWidget* page, bool present, const char16_t* message) {
    if (!present) MessageBox(page, std::u16string(message));
    return present;
}

void DeleteChosenSeason(QWidget* page, ComboBox* combo, const std::vector<SeasonRecord>& seasons,
                        const char16_t* question, const std::function<bool(int index)>& remove) {
    // Seasons are added for the current loft only; they are deleted the same way.
    if (!combo || !CurrentLoftOrSay(page)) return;
    const int entry = combo->GetCurSel();
    if (!PresentOrSay(page, entry > 0 && entry <= static_cast<int>(seasons.size()),
                      u"Musisz wybrać sezon z listy sezonów") ||
        !AskYesNo(page, question, u"Usuwanie sezonu")) {
        return;
    }
    if (!remove(entry - 1)) {
        MessageBox(page, u"Nie udało się usunąć sezonu.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    // Entry k stands for season k - 1: both lose the same place.
    combo->DeleteString(entry);
    combo->SetCurSel(-1);
}
