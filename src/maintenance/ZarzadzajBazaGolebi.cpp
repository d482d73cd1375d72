#include "ZarzadzajBazaGolebi.h"

#include "DataStore.h"
#include "Globals.h"
#include "ListView.h"
#include "SharedRoutines.h"
#include "WindowHelpers.h"

namespace {

}  // namespace

CZarzadzajBazaGolebi::CZarzadzajBazaGolebi(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kDeleteButton, [this] { OnDeletePigeon(); });
    OnClicked(kAddToCategoryButton, [this] { OnAddToCategory(); });
    OnClicked(kPurgeButton, [this] { OnPurge(); });
    OnClicked(kList, [this] { OnListClick(); });
}

bool CZarzadzajBazaGolebi::OnInitDialog() {
    Dialog::OnInitDialog();
    ListView* list = List(kList);
    list->InsertColumn(0, QStringLiteral("..."), ListView::AlignLeft, 35);
    list->InsertColumn(1, QStringLiteral("Obrączka gołębia"), ListView::AlignLeft, 210);
    FillList();
    return true;
}

void CZarzadzajBazaGolebi::FillList() {
    ListView* list = List(kList);
    list->DeleteAllItems();
    rowPigeonIds.clear();
    for (const auto& [id, bird] : TheDataStore().Pigeons()) {
        const int row = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
        list->SetItemText(row, 1, bird.GetDisplayName());
        rowPigeonIds.push_back(id);
    }
    selectedRow = -1;
}

void CZarzadzajBazaGolebi::OnListClick() { selectedRow = List(kList)->FirstSelectedRow(); }

int CZarzadzajBazaGolebi::SelectedPigeonId() const {
    if (selectedRow < 0 || selectedRow >= static_cast<int>(rowPigeonIds.size())) return 0;
    return rowPigeonIds[static_cast<size_t>(selectedRow)];
}

void CZarzadzajBazaGolebi::OnDeletePigeon() {
    const int pigeonId = SelectedPigeonId();
    if (pigeonId == 0) return;
    if (!AskYesNo(this, u"Czy napewno usunąć wybranego gołębia?", u"Czy usunąć?")) return;
    // The bird goes with everything that is only its own (its places in every category
    // included), or nothing goes at all.
    if (!TheDataStore().DeletePigeonWithRows(pigeonId)) {
        MessageBox(this, u"Nie udało się usunąć gołębia; baza danych nie została zmieniona.", u"",
                   MB_OK | MB_ICONERROR);
        return;
    }
    FillList();
}

void CZarzadzajBazaGolebi::OnAddToCategory() {
    const int pigeonId = SelectedPigeonId();
    if (pigeonId == 0) {
        MessageBox(this, u"Należy wybrać gołębia z listy.");
        return;
    }
    const CategoryRecord* category = CurrentCategory();
    if (category == nullptr) {
        MessageBox(this, u"Nie można dodać gołębia do listy nie wybierając kategorii");
        return;
    }
    CDataStore& store = TheDataStore();
    for (const CategoryMember& member : store.LoadCategoryMembers(category->id)) {
        if (member.pigeonId == pigeonId) {
            MessageBox(this, u"Ten gołąb jest już w aktualnej kategorii.");
            return;
        }
    }
    if (!store.AddPigeonToCategory(category->id, pigeonId)) {
        MessageBox(this, u"Nie udało się dodać gołębia do kategorii.", u"", MB_OK | MB_ICONERROR);
    }
}

void CZarzadzajBazaGolebi::OnPurge() {
    CDataStore& store = TheDataStore();
    const std::vector<int> doomed = store.PigeonsNamedNowhere();
    const Text question = u"Wszystkie: " + NumberText(static_cast<long long>(store.Pigeons().size())) +
                          u", do usunięcia: " + NumberText(static_cast<long long>(doomed.size())) +
                          u". Czekaj cierpliwie aż proces się skończy.";
    if (doomed.empty()) {
        // Nothing to ask about: the count is all there is to tell, and the purge is over.
        MessageBox(this, question);
        EndDialog(IDOK);
        return;
    }
    if (!AskYesNo(this, question, u"", YesNoDefault::No, MB_ICONQUESTION)) return;
    if (!store.DeletePigeonsWithRows(doomed)) {
        MessageBox(this, u"Nie udało się usunąć gołębi; baza danych nie została zmieniona.", u"",
                   MB_OK | MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}
