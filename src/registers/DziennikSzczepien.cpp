#include "DziennikSzczepien.h"

#include "DataStore.h"
#include "Globals.h"
#include "LeczenieSuplementacjaDodajZmien.h"
#include "ListView.h"
#include "TreatmentList.h"

CDziennikSzczepien::CDziennikSzczepien(QWidget* parent) : Dialog(kTemplateId, parent) {
    // The selection follows the list by mouse and by keys, so a command always acts on the row
    // the user sees highlighted.
    OnClicked(kList, [this] { OnSelectRow(); });
    OnItemChanged(kList, [this] { OnSelectRow(); });
    OnClicked(kAdd, [this] { OnAdd(); });
    OnClicked(kEdit, [this] { OnEdit(); });
    OnClicked(kDelete, [this] { OnDelete(); });
}

ListView* CDziennikSzczepien::TreatmentList() const { return List(kList); }

bool CDziennikSzczepien::OnInitDialog() {
    Dialog::OnInitDialog();
    if (ListView* list = TreatmentList()) {
        SetUpTreatmentList(*list);
        FillTreatmentList(*list, TheDataStore().FlockTreatments());
    }
    selectedRow = -1;
    return true;
}

void CDziennikSzczepien::OnSelectRow() {
    const ListView* list = TreatmentList();
    selectedRow = list ? list->FirstSelectedRow() : -1;
}

void CDziennikSzczepien::OnAdd() {
    CLeczenieSuplementacjaDodajZmien editor;
    editor.mode = EditorMode::Add;
    editor.treatment.id_golebia = TreatmentRecord::kFlock;
    if (const LoftRecord* loft = CurrentLoft()) editor.treatment.id_hodowli = loft->id;
    if (editor.DoModal() != IDOK || editor.treatment.id <= 0) return;
    if (ListView* list = TreatmentList()) SetTreatmentRow(*list, -1, editor.treatment);
}

void CDziennikSzczepien::OnEdit() {
    const std::vector<TreatmentRecord>& treatments = TheDataStore().FlockTreatments();
    if (selectedRow < 0 || selectedRow >= static_cast<int>(treatments.size())) return;
    const int row = selectedRow;
    CLeczenieSuplementacjaDodajZmien editor;
    editor.mode = EditorMode::Edit;
    editor.treatment = treatments[row];
    if (editor.DoModal() != IDOK) return;
    if (ListView* list = TreatmentList()) SetTreatmentRow(*list, row, editor.treatment);
}

void CDziennikSzczepien::OnDelete() {
    const std::vector<TreatmentRecord>& treatments = TheDataStore().FlockTreatments();
    if (selectedRow < 0 || selectedRow >= static_cast<int>(treatments.size())) return;
    const int row = selectedRow;
    TreatmentRecord treatment = treatments[row];
    if (!TheDataStore().WriteTreatment(WriteMode::Delete, treatment)) {
        MessageBox(this, u"Nie udało się usunąć wpisu z dziennika.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    if (ListView* list = TreatmentList()) {
        list->DeleteItem(row);
        list->ClearRowSelection();
    }
    selectedRow = -1;
}
