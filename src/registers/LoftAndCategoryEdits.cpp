#include "LoftAndCategoryEdits.h"

#include <QString>

#include "DataStore.h"
#include "Dialog.h"
#include "DodajEdytujHodowle.h"
#include "DodajEdytujKategorie.h"
#include "WindowHelpers.h"

namespace {

// A loft name is unique in the loft table: a taken one is refused in the editor, with a word,
// before the database refuses it silently. `except` is the index of the loft being renamed.
std::u16string LoftNameRefusal(const std::u16string& name, int except) {
    const std::vector<LoftRecord>& lofts = TheDataStore().Lofts();
    for (size_t i = 0; i < lofts.size(); ++i) {
        if (static_cast<int>(i) != except && lofts[i].nazwahodowli == name)
            return u"Gołębnik o tej nazwie już istnieje. Wpisz inną nazwę.";
    }
    return {};
}

void ReportLoftNotSaved(QWidget* parent) {
    MessageBox(parent, std::u16string(u"Nie udało się zapisać gołębnika."), std::u16string(u"Błąd"),
               MB_ICONWARNING | MB_OK);
}

bool AskBeforeDelete(QWidget* parent, const std::u16string& question) {
    return AskYesNo(parent, question, u"Czy usunąć?");
}

std::u16string Number(size_t n) { return QString::number(n).toStdU16String(); }

}  // namespace

bool AddLoftWithEditor(QWidget* parent, const std::u16string& title, LoftRecord& added) {
    CDodajEdytujHodowle editor(parent);
    editor.title = title;
    editor.refuseName = [](const std::u16string& name) { return LoftNameRefusal(name, -1); };
    if (editor.DoModal() != IDOK) return false;
    LoftRecord loft;
    loft.nazwahodowli = editor.name;
    loft.opishodowli = editor.description;
    if (!TheDataStore().WriteLoft(WriteMode::Insert, loft) || loft.id <= 0) {
        ReportLoftNotSaved(parent);
        return false;
    }
    added = loft;
    return true;
}

bool EditLoftWithEditor(QWidget* parent, const std::u16string& title, int loftIndex) {
    CDataStore& store = TheDataStore();
    CDodajEdytujHodowle editor(parent);
    editor.title = title;
    editor.name = store.Lofts()[loftIndex].nazwahodowli;
    editor.description = store.Lofts()[loftIndex].opishodowli;
    editor.refuseName = [loftIndex](const std::u16string& name) {
        return LoftNameRefusal(name, loftIndex);
    };
    if (editor.DoModal() != IDOK) return false;
    LoftRecord changed = store.Lofts()[loftIndex];
    changed.nazwahodowli = editor.name;
    changed.opishodowli = editor.description;
    if (!store.WriteLoft(WriteMode::Update, changed)) {
        ReportLoftNotSaved(parent);
        return false;
    }
    return true;
}

bool AddCategoryWithEditor(QWidget* parent, const std::u16string& title, int loftIndex,
                           CategoryRecord& added) {
    CDataStore& store = TheDataStore();
    CDodajEdytujKategorie editor(parent);
    editor.title = title;
    if (editor.DoModal() != IDOK) return false;
    CategoryRecord category;
    category.nazwakategorii = editor.name;
    category.opiskategorii = editor.description;
    category.id_hodowli = store.Lofts()[loftIndex].id;
    if (!store.WriteCategory(WriteMode::Insert, category) || category.id <= 0) return false;
    added = category;
    return true;
}

bool EditCategoryWithEditor(QWidget* parent, const std::u16string& title, int loftIndex,
                            int categoryIndex) {
    CDataStore& store = TheDataStore();
    CategoryRecord changed = store.Lofts()[loftIndex].categories[categoryIndex];
    CDodajEdytujKategorie editor(parent);
    editor.title = title;
    editor.name = changed.nazwakategorii;
    editor.description = changed.opiskategorii;
    if (editor.DoModal() != IDOK) return false;
    changed.nazwakategorii = editor.name;
    changed.opiskategorii = editor.description;
    changed.id_hodowli = store.Lofts()[loftIndex].id;
    return store.WriteCategory(WriteMode::Update, changed);
}

bool DeleteCategoryAt(int loftIndex, int categoryIndex) {
    CategoryRecord category = TheDataStore().Lofts()[loftIndex].categories[categoryIndex];
    return TheDataStore().WriteCategory(WriteMode::Delete, category);
}

int PigeonCountOfLoft(int loftId) {
    int count = 0;
    for (const auto& [id, bird] : TheDataStore().Pigeons())
        if (id > 0 && bird.id_hodowli == loftId) ++count;
    return count;
}

bool ConfirmLoftDelete(QWidget* parent, int loftIndex) {
    const LoftRecord& loft = TheDataStore().Lofts()[loftIndex];
    return AskBeforeDelete(
        parent, u"Czy napewno usunąć wybrany gołębnik \"" + loft.nazwahodowli +
                    u"\"?\nGołębi w gołębniku: " + Number(PigeonCountOfLoft(loft.id)) +
                    u". Razem z gołębnikiem zostaną usunięte wszystkie jego kategorie.");
}

bool ConfirmCategoryDelete(QWidget* parent, int loftIndex, int categoryIndex) {
    const CategoryRecord& category = TheDataStore().Lofts()[loftIndex].categories[categoryIndex];
    const size_t birds = TheDataStore().LoadCategoryMembers(category.id).size();
    return AskBeforeDelete(
        parent, u"Czy napewno usunąć wybraną kategorię \"" + category.nazwakategorii +
                    u"\"?\nGołębi w kategorii: " + Number(birds) +
                    u". Gołębie zostaną w hodowli, ale znikną z tej listy.");
}
