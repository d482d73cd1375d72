#include "ZarzadzajHodowlami.h"

#include "DataStore.h"
#include "DialogHeader.h"
#include "DodajEdytujHodowle.h"
#include "DodajEdytujKategorie.h"
#include "StandardControls.h"

namespace {

CDataStore& Store() { return TheDataStore(); }

// Puts `text` in place of the row's text, at the same position.
void ReplaceRow(ListBoxControl* list, int row, const Text& text) {
    list->DeleteString(row);
    list->InsertString(row, text);
}

}  // namespace

CZarzadzajHodowlami::CZarzadzajHodowlami(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnSelChange(kLoftList, [this] { OnSelectLoft(); });
    OnSelChange(kCategoryList, [this] { OnSelectCategory(); });
    OnClicked(kAddLoftButton, [this] { OnAddLoft(); });
    OnClicked(kEditLoftButton, [this] { OnEditLoft(); });
    OnClicked(kDeleteLoftButton, [this] { OnDeleteLoft(); });
    OnClicked(kAddCategoryButton, [this] { OnAddCategory(); });
    OnClicked(kEditCategoryButton, [this] { OnEditCategory(); });
    OnClicked(kDeleteCategoryButton, [this] { OnDeleteCategory(); });
}

ListBoxControl* CZarzadzajHodowlami::LoftList() const { return ListBox(kLoftList); }
ListBoxControl* CZarzadzajHodowlami::CategoryList() const { return ListBox(kCategoryList); }

bool CZarzadzajHodowlami::HasLoft() const {
    return selectedLoft >= 0 && selectedLoft < static_cast<int>(Store().lofts.size());
}

bool CZarzadzajHodowlami::HasCategory() const {
    return HasLoft() && selectedCategory >= 0 &&
           selectedCategory < static_cast<int>(Store().lofts[selectedLoft].categories.size());
}

bool CZarzadzajHodowlami::OnInitDialog() {
    Dialog::OnInitDialog();
    selectedLoft = selectedCategory = -1;
    LoftList()->ResetContent();
    CategoryList()->ResetContent();
    for (const LoftRecord& loft : Store().lofts) LoftList()->AddString(loft.nazwahodowli);
    return true;
}

void CZarzadzajHodowlami::OnSelectLoft() {
    selectedLoft = LoftList()->GetCurSel();
    if (selectedLoft < 0) return;
    selectedCategory = -1;
    CategoryList()->ResetContent();
    if (!HasLoft()) return;
    for (const CategoryRecord& category : Store().lofts[selectedLoft].categories)
        CategoryList()->AddString(category.nazwakategorii);
}

void CZarzadzajHodowlami::OnSelectCategory() { selectedCategory = CategoryList()->GetCurSel(); }

void CZarzadzajHodowlami::OnAddLoft() {
    CDodajEdytujHodowle editor(this);
    editor.title = u"Dodaj nowy gołębnik";
    if (editor.DoModal() != IDOK) return;
    LoftRecord loft;
    loft.nazwahodowli = editor.name;
    loft.opishodowli = editor.description;
    // The writer appends the loft to the data store's lofts; a name already taken is refused.
    if (Store().WriteLoft(kModeInsert, loft) && loft.id > 0) LoftList()->AddString(loft.nazwahodowli);
}

void CZarzadzajHodowlami::OnEditLoft() {
    if (!HasLoft()) return;
    const int index = selectedLoft;
    CDodajEdytujHodowle editor(this);
    editor.title = u"Edycja gołębnika";
    editor.name = Store().lofts[index].nazwahodowli;
    editor.description = Store().lofts[index].opishodowli;
    if (editor.DoModal() != IDOK) return;

    // Memory and the list change only when the database took the new name.
    LoftRecord changed = Store().lofts[index];
    changed.nazwahodowli = editor.name;
    changed.opishodowli = editor.description;
    if (!Store().WriteLoft(changed.id, changed)) return;
    Store().lofts[index] = changed;
    ReplaceRow(LoftList(), index, changed.nazwahodowli);
    selectedLoft = -1;
}

void CZarzadzajHodowlami::OnDeleteLoft() {
    if (!HasLoft()) return;
    LoftRecord loft = Store().lofts[selectedLoft];
    // The writer removes the loft from the data store's lofts.
    if (!Store().WriteLoft(kModeDelete, loft)) return;
    LoftList()->DeleteString(selectedLoft);
    selectedLoft = -1;
    // The loft's categories were deleted with it; none of them stays on show.
    selectedCategory = -1;
    CategoryList()->ResetContent();
}

void CZarzadzajHodowlami::OnAddCategory() {
    if (!HasLoft()) return;
    const int loftIndex = selectedLoft;
    CDodajEdytujKategorie editor(this);
    editor.title = u"Dodaj nową kategorię";
    if (editor.DoModal() != IDOK) return;
    CategoryRecord category;
    category.nazwakategorii = editor.name;
    category.opiskategorii = editor.description;
    category.id_hodowli = Store().lofts[loftIndex].id;
    if (!Store().WriteCategory(kModeInsert, category) || category.id <= 0) return;
    CategoryList()->AddString(category.nazwakategorii);
    Store().lofts[loftIndex].categories.push_back(category);
}

void CZarzadzajHodowlami::OnEditCategory() {
    if (!HasCategory()) return;
    const int loftIndex = selectedLoft;
    const int index = selectedCategory;
    CDodajEdytujKategorie editor(this);
    editor.title = u"Edytuj kategorię";
    editor.name = Store().lofts[loftIndex].categories[index].nazwakategorii;
    editor.description = Store().lofts[loftIndex].categories[index].opiskategorii;
    if (editor.DoModal() != IDOK) return;

    CategoryRecord changed = Store().lofts[loftIndex].categories[index];
    changed.nazwakategorii = editor.name;
    changed.opiskategorii = editor.description;
    changed.id_hodowli = Store().lofts[loftIndex].id;
    if (!Store().WriteCategory(changed.id, changed)) return;
    Store().lofts[loftIndex].categories[index] = changed;
    ReplaceRow(CategoryList(), index, changed.nazwakategorii);
    // The category stays chosen, and shows so.
    CategoryList()->SetCurSel(index);
}

void CZarzadzajHodowlami::OnDeleteCategory() {
    if (!HasCategory()) return;
    std::vector<CategoryRecord>& categories = Store().lofts[selectedLoft].categories;
    CategoryRecord category = categories[selectedCategory];
    if (!Store().WriteCategory(kModeDelete, category)) return;
    categories.erase(categories.begin() + selectedCategory);
    CategoryList()->DeleteString(selectedCategory);
    selectedCategory = -1;
}

void CZarzadzajHodowlami::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Gołębniki i Kategorie"));
}
