#include "PersonEditor.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <algorithm>
#include <utility>

#include "Globals.h"
#include "PersonLists.h"
#include "StandardControls.h"

namespace {

// The edits and the fields of the person they stand for.
constexpr std::pair<int, Text PersonRecord::*> kTextFields[] = {
    {1025, &PersonRecord::imie},        {1026, &PersonRecord::nazwisko},
    {1028, &PersonRecord::miejscowosc}, {1081, &PersonRecord::ulica},
    {1082, &PersonRecord::nrdomu},      {1083, &PersonRecord::kodpocztowy},
    {1084, &PersonRecord::nip},         {1085, &PersonRecord::teldom},
    {1086, &PersonRecord::teldom2},     {1087, &PersonRecord::telkom},
    {1088, &PersonRecord::telkom2},     {1089, &PersonRecord::email},
    {1090, &PersonRecord::adreswww},    {1091, &PersonRecord::uwagi},
};

}  // namespace

PersonEditor::PersonEditor(int templateId, int saveButtonId, QWidget* parent)
    : Dialog(templateId, parent), saveId_(saveButtonId) {
    OnClicked(saveId_, [this] { Save(); });
    // Enter saves, as the button does: it never closes the window as if saved without saving.
    SetDefID(saveId_);
    SetKeyPolicy({.swallowEnter = false, .swallowEscape = false, .enterCommand = saveId_});
    SetChoiceName(kCountryCombo, u"Kraj");
    SetChoiceName(kVoivodeshipCombo, u"Województwo");
}

ComboBox* PersonEditor::CountryCombo() const { return Combo(kCountryCombo); }
ComboBox* PersonEditor::VoivodeshipCombo() const { return Combo(kVoivodeshipCombo); }

bool PersonEditor::PreTranslateKey(QWidget* target, QKeyEvent* event) {
    // The notes field of several lines takes Enter as a new line.
    if (qobject_cast<QPlainTextEdit*>(target) && (event->key() == Qt::Key_Return ||
                                                  event->key() == Qt::Key_Enter))
        return false;
    return Dialog::PreTranslateKey(target, event);
}

void PersonEditor::FillCombo(int id, const std::vector<std::u16string>& texts) {
    ComboBox* combo = Combo(id);
    if (!combo) return;
    // The template says whether the combo sorts its entries, and so where each one lands.
    bool sorted = false;
    for (const ControlTemplate& control : Template()->controls)
        if (control.id == id) sorted = control.style & style::Sort;
    FillFixedList(*combo, texts, sorted);
    combo->SetCurSel(-1);
}

bool PersonEditor::OnInitDialog() {
    Dialog::OnInitDialog();
    if (mode == EditorMode::Edit) {
        for (const auto& [id, field] : kTextFields) SetItemText(id, record.*field);
    }
    FillCombo(kCountryCombo, CountryNames());
    FillCombo(kVoivodeshipCombo, VoivodeshipNames());
    if (mode == EditorMode::Edit) {
        // A position past the end (or -1) leaves the combo without a choice.
        CountryCombo()->SetCurSel(record.kraj);
        VoivodeshipCombo()->SetCurSel(record.wojewodztwo);
        SetItemText(saveId_, u"Zapisz Zmiany");
    }
    return true;
}

void PersonEditor::Save() {
    // Enter saves before a list's field loses the focus: what each one shows is taken now.
    if (!CheckTypedChoices()) return;
    PersonRecord person = record;
    if (mode == EditorMode::Add) {
        // A person is added for the current loft; with no loft at all it belongs to none (0).
        const LoftRecord* loft = CurrentLoft();
        person.hodowla = loft ? loft->id : 0;
        person.kategoria = person.subkategoria = person.typ = 0;
    }
    // The entry each list shows (none for a blank field).
    person.wojewodztwo = VoivodeshipCombo()->GetCurSel();
    person.kraj = CountryCombo()->GetCurSel();
    for (const auto& [id, field] : kTextFields) person.*field = ItemText(id);
    // A person without first name and surname would be a blank row of the register and of
    // every list that names people.
    if (QString::fromStdU16String(person.imie).trimmed().isEmpty() &&
        QString::fromStdU16String(person.nazwisko).trimmed().isEmpty()) {
        MessageBox(this, std::u16string(u"Wprowadź imię lub nazwisko."), std::u16string(u"Błąd"),
                   MB_ICONWARNING | MB_OK);
        return;
    }

    const WriteMode write = mode == EditorMode::Edit ? WriteMode::Update : WriteMode::Insert;
    if (!WritePerson(write, person)) {
        // The window stays open with everything typed, so nothing is lost.
        MessageBox(this, std::u16string(u"Nie udało się zapisać danych."), std::u16string(u"Błąd"),
                   MB_ICONWARNING | MB_OK);
        return;
    }
    record = person;
    EndDialog(IDOK);
}
