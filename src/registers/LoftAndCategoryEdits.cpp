#include "LoftAndCategoryEdits.h"

#include "DataStore.h"
#include "Dialog.h"
#include "DodajEdytujHodowle.h"
#include "DodajEdytujKategorie.h"

bool AddLoftWithEditor(QWidget* parent, const std::u16string& title, LoftRecord& added) {
    CDodajEdytujHodowle editor(parent);
    editor.title = title;
    if (editor.DoModal() != IDOK) return false;
    LoftRecord loft;
    loft.nazwahodowli = editor.name;
    loft.opishodowli = editor.description;
    // A name already taken is refused by the database.
    if (!TheDataStore().WriteLoft(kModeInsert, loft) || loft.id <= 0) return false;
    added = loft;
    return true;
}

bool EditLoftWithEditor(QWidget* parent, const std::u16string& title, int loftIndex) {
    CDataStore& store = TheDataStore();
    CDodajEdytujHodowle editor(parent);
    editor.title = title;
    editor.name = store.lofts[loftIndex].nazwahodowli;
    editor.description = store.lofts[loftIndex].opishodowli;
    if (editor.DoModal() != IDOK) return false;
    LoftRecord changed = store.lofts[loftIndex];
    changed.nazwahodowli = editor.name;
    changed.opishodowli = editor.description;
    if (!store.WriteLoft(changed.id, changed)) return false;
    store.lofts[loftIndex] = changed;
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
    category.id_hodowli = store.lofts[loftIndex].id;
    if (!store.WriteCategory(kModeInsert, category) || category.id <= 0) return false;
    store.lofts[loftIndex].categories.push_back(category);
    added = category;
    return true;
}

bool EditCategoryWithEditor(QWidget* parent, const std::u16string& title, int loftIndex,
                            int categoryIndex) {
    CDataStore& store = TheDataStore();
    CategoryRecord changed = store.lofts[loftIndex].categories[categoryIndex];
    CDodajEdytujKategorie editor(parent);
    editor.title = title;
    editor.name = changed.nazwakategorii;
    editor.description = changed.opiskategorii;
    if (editor.DoModal() != IDOK) return false;
    changed.nazwakategorii = editor.name;
    changed.opiskategorii = editor.description;
    changed.id_hodowli = store.lofts[loftIndex].id;
    if (!store.WriteCategory(changed.id, changed)) return false;
    store.lofts[loftIndex].categories[categoryIndex] = changed;
    return true;
}

bool DeleteCategoryAt(int loftIndex, int categoryIndex) {
    std::vector<CategoryRecord>& categories = TheDataStore().lofts[loftIndex].categories;
    CategoryRecord category = categories[categoryIndex];
    if (!TheDataStore().WriteCategory(kModeDelete, category)) return false;
    categories.erase(categories.begin() + categoryIndex);
    return true;
}
