#include "DodajGolebiaTab5.h"

#include "DataStore.h"
#include "LeczenieSuplementacjaDodajZmien.h"
#include "ListView.h"
#include "TreatmentList.h"

CDodajGolebiaTab5::CDodajGolebiaTab5(PigeonRecord& record, QWidget* parent)
    : CDodajGolebiaPage(kTemplateId, record, parent) {
    // The chosen treatment follows the list by mouse and by keys.
    OnClicked(kTreatmentList, [this] { OnSelectTreatment(); });
    OnItemChanged(kTreatmentList, [this] { OnSelectTreatment(); });
    OnClicked(kAdd, [this] { OnAddTreatment(); });
    OnClicked(kEdit, [this] { OnEditTreatment(); });
    OnClicked(kDelete, [this] { OnDeleteTreatment(); });
}

ListView* CDodajGolebiaTab5::TreatmentList() const { return List(kTreatmentList); }

bool CDodajGolebiaTab5::OnInitDialog() {
    CDodajGolebiaPage::OnInitDialog();
    if (ListView* list = TreatmentList()) {
        SetUpTreatmentList(*list);
        FillTreatmentList(*list, record_.treatments);
    }
    selectedTreatment = -1;
    return true;
}

void CDodajGolebiaTab5::RecordReplaced() {
    if (ListView* list = TreatmentList()) FillTreatmentList(*list, record_.treatments);
    selectedTreatment = -1;
}

void CDodajGolebiaTab5::SetTreatmentRow(int row, const TreatmentRecord& treatment) {
    if (ListView* list = TreatmentList()) ::SetTreatmentRow(*list, row, treatment);
}

void CDodajGolebiaTab5::OnSelectTreatment() {
    const ListView* list = TreatmentList();
    const int row = list ? list->FirstSelectedRow() : -1;
    selectedTreatment = row >= 0 && row < static_cast<int>(record_.treatments.size()) ? row : -1;
}

void CDodajGolebiaTab5::OnAddTreatment() {
    // A bird not saved yet has no row for the treatment to belong to.
    if (record_.id <= 0) return;
    CLeczenieSuplementacjaDodajZmien editor;
    editor.mode = EditorMode::Add;
    editor.treatment.id_golebia = record_.id;
    editor.treatment.id_hodowli = AttachmentLoftId();
    if (editor.DoModal() != IDOK || editor.treatment.id <= 0) return;
    record_.treatments.push_back(editor.treatment);
    SetTreatmentRow(-1, editor.treatment);
}

void CDodajGolebiaTab5::OnEditTreatment() {
    if (selectedTreatment < 0 || selectedTreatment >= static_cast<int>(record_.treatments.size()))
        return;
    const int row = selectedTreatment;
    CLeczenieSuplementacjaDodajZmien editor;
    editor.mode = EditorMode::Edit;
    editor.treatment = record_.treatments[row];
    if (editor.DoModal() != IDOK) return;
    record_.treatments[row] = editor.treatment;
    SetTreatmentRow(row, editor.treatment);
}

void CDodajGolebiaTab5::OnDeleteTreatment() {
    if (selectedTreatment < 0 || selectedTreatment >= static_cast<int>(record_.treatments.size()))
        return;
    const int row = selectedTreatment;
    if (!TheDataStore().WriteTreatment(WriteMode::Delete, record_.treatments[row])) {
        MessageBox(this, u"Nie udało się usunąć leczenia.", u"", MB_OK | MB_ICONERROR);
        return;
    }
    record_.treatments.erase(record_.treatments.begin() + row);
    if (ListView* list = TreatmentList()) {
        list->DeleteItem(row);
        list->ClearRowSelection();
    }
    selectedTreatment = -1;
}
