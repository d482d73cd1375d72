#include "PersonManager.h"

#include "DialogHeader.h"
#include "ListView.h"
#include "PersonEditor.h"

namespace {

// The title starts right of the picture in the top left corner.
constexpr int kTitleInset = 70;

}  // namespace

PersonManager::PersonManager(int templateId, Ids ids, std::u16string headerTitle,
                             QWidget* parent)
    : Dialog(templateId, parent), ids_(ids), headerTitle_(std::move(headerTitle)) {
    OnClicked(ids_.list, [this] { OnListClick(); });
    OnClicked(ids_.add, [this] { AddPerson(); });
    OnClicked(kChangeButton, [this] { EditPerson(); });
    OnClicked(ids_.remove, [this] { DeletePerson(); });
    OnClicked(kCloseButton, [this] { OnOK(); });
}

ListView* PersonManager::PersonList() const { return List(ids_.list); }

bool PersonManager::OnInitDialog() {
    Dialog::OnInitDialog();
    ListView* list = PersonList();
    list->SetGridLines(true);
    list->SetCheckBoxes(true);
    list->SetFullRowSelect(true);
    list->InsertColumn(0, std::u16string(u"..."), ListView::AlignLeft, 30);
    list->InsertColumn(1, std::u16string(u"Imię"), ListView::AlignLeft, 110);
    list->InsertColumn(2, std::u16string(u"Nazwisko"), ListView::AlignLeft, 110);
    list->InsertColumn(3, std::u16string(u"Kod pocztowy"), ListView::AlignLeft, 80);
    list->InsertColumn(4, std::u16string(u"Miejscowość"), ListView::AlignLeft, 100);
    list->InsertColumn(5, std::u16string(u"Ulica"), ListView::AlignLeft, 210);
    FillList();
    return true;
}

// Rows in ascending id order. An unsaved record (id 0) is no person and gets no row: "Zmień" on
// it could never store anything.
void PersonManager::FillList() {
    rowMap.clear();
    PersonList()->DeleteAllItems();
    for (const auto& [id, person] : Persons()) {
        if (id <= 0) continue;
        rowMap[PersonList()->GetItemCount()] = id;
        SetPersonRow(-1, person);
    }
    selectedRow = -1;
}

void PersonManager::SetPersonRow(int row, const PersonRecord& person) {
    ListView* list = PersonList();
    if (row == -1) {
        row = list->InsertItem(list->GetItemCount(), std::u16string(u" "));
    } else {
        list->SetItemText(row, 0, std::u16string(u" "));
    }
    list->SetItemText(row, 1, person.imie);
    list->SetItemText(row, 2, person.nazwisko);
    list->SetItemText(row, 3, person.kodpocztowy);
    list->SetItemText(row, 4, person.miejscowosc);
    list->SetItemText(row, 5, person.ulica);
}

void PersonManager::OnListClick() {
    selectedRow = PersonList()->FirstSelectedRow();
    if (selectedRow >= 0) PersonList()->SelectRow(selectedRow);
}

void PersonManager::AddPerson() {
    std::unique_ptr<PersonEditor> editor = MakeEditor();
    editor->mode = EditorMode::Add;
    if (editor->DoModal() != IDOK || editor->record.id <= 0) return;
    rowMap[PersonList()->GetItemCount()] = editor->record.id;
    SetPersonRow(-1, editor->record);
}

void PersonManager::EditPerson() {
    if (selectedRow < 0) return;
    const auto row = rowMap.find(selectedRow);
    if (row == rowMap.end()) return;
    // Looked up without adding anything to the data store's map.
    const auto person = Persons().find(row->second);
    if (person == Persons().end()) return;
    std::unique_ptr<PersonEditor> editor = MakeEditor();
    editor->mode = EditorMode::Edit;
    editor->record = person->second;
    if (editor->DoModal() != IDOK) return;
    SetPersonRow(selectedRow, editor->record);
}

void PersonManager::DeletePerson() {
    if (selectedRow < 0) return;
    const auto row = rowMap.find(selectedRow);
    if (row == rowMap.end()) return;
    const auto found = Persons().find(row->second);
    if (found != Persons().end()) {
        PersonRecord person = found->second;
        // The writer takes the person out of the data store's map once the row is deleted.
        WritePerson(WriteMode::Delete, person);
    }
    FillList();
}

void PersonManager::OnEraseBkgnd(Dc& dc) { PaintDialogHeader(*this, dc, headerTitle_, kTitleInset); }
