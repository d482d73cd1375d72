#include "WyborKoloru.h"

#include <string>

#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WprowadzKodKoloru.h"

namespace {

std::u16string Decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

CWyborKoloru::CWyborKoloru(QWidget* parent)
    : NameDictionaryDialog(kTemplateId, {kNameEdit, kNameList, kAddButton, kRemoveButton},
                           u"Wybierz kolory", parent) {
    OnClicked(kColourCodeButton, [this] { OnSetColourCode(); });
}

bool CWyborKoloru::OnInitDialog() {
    NameDictionaryDialog::OnInitDialog();
    const bool colours = kind == DictionaryColours;
    // The header says "Wybierz kolory" whatever the dictionary; the title bar says which one.
    switch (kind) {
    case DictionaryBreeds: setWindowTitle(QStringLiteral("Rasy")); break;
    case DictionaryEyeColours: setWindowTitle(QStringLiteral("Kolory oczu")); break;
    case DictionaryLines: setWindowTitle(QStringLiteral("Linie")); break;
    default: setWindowTitle(QStringLiteral("Kolory")); break;
    }
    ShowItem(kColourCodeButton, colours);
    EnableItem(kColourCodeButton, colours);
    return true;
}

const NameMap& CWyborKoloru::Names() const {
    CDataStore& store = TheDataStore();
    switch (kind) {
    case DictionaryBreeds: return store.BreedNames();
    case DictionaryEyeColours: return store.EyeColourNames();
    case DictionaryLines: return store.LineNames();
    default: return store.ColourNames();
    }
}

bool CWyborKoloru::AddName(int loftId, const Text& name) {
    CDataStore& store = TheDataStore();
    switch (kind) {
    case DictionaryBreeds: return store.AddBreed(loftId, name);
    case DictionaryEyeColours: return store.AddEyeColour(loftId, name);
    case DictionaryLines: return store.AddLine(loftId, name);
    default: return store.AddColour(loftId, name);
    }
}

bool CWyborKoloru::DeleteName(int id) {
    CDataStore& store = TheDataStore();
    switch (kind) {
    case DictionaryBreeds: return store.DeleteBreed(id);
    case DictionaryEyeColours: return store.DeleteEyeColour(id);
    case DictionaryLines: return store.DeleteLine(id);
    default: return store.DeleteColour(id);
    }
}

void CWyborKoloru::OnSetColourCode() {
    if (kind != DictionaryColours) return;
    const int row = NameList()->GetCurSel();
    if (row < 1) {
        MessageBox(this, std::u16string(u"Wybierz kolor z listy."));
        return;
    }
    CWprowadzKodKoloru prompt;
    if (prompt.DoModal() != IDOK) return;
    const int id = EntryIdAtRow(row);
    if (id <= 0) return;
    // The statement is shown as text; the store writes it with bound values and keeps its
    // colour values in step.
    const Text sql = u"UPDATE kolory SET f1 = " + Decimal(prompt.colourCode) + u" WHERE id = " +
                     Decimal(id) + u";";
    MessageBox(this, sql);
    TheDataStore().WriteColourValue(id, prompt.colourCode);
}
