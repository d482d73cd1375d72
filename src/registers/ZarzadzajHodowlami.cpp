#include "ZarzadzajHodowlami.h"

#include "DataStore.h"
#include "DialogHeader.h"
#include "LoftAndCategoryEdits.h"
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
    return selectedLoft >= 0 && selectedLoft < static_cast<int>(Store().Lofts().size());
}

bool CZarzadzajHodowlami::HasCategory() const {
    return HasLoft() && selectedCategory >= 0 &&
           selectedCategory < static_cast<int>(Store().Lofts()[selectedLoft].categories.size());
}

bool CZarzadzajHodowlami::OnInitDialog() {
    Dialog::OnInitDialog();
    selectedLoft = selectedCategory = -1;
    LoftList()->ResetContent();
    CategoryList()->ResetContent();
    for (const LoftRecord& loft : Store().Lofts()) LoftList()->AddString(loft.nazwahodowli);
    return true;
}

void CZarzadzajHodowlami::OnSelectLoft() {
    selectedLoft = LoftList()->GetCurSel();
    if (selectedLoft < 0) return;
    selectedCategory = -1;
    CategoryList()->ResetContent();
    if (!HasLoft()) return;
    for (const CategoryRecord& category : Store().Lofts()[selectedLoft].categories)
        CategoryList()->AddString(category.nazwakategorii);
}

void CZarzadzajHodowlami::OnSelectCategory() { selectedCategory = CategoryList()->GetCurSel(); }

void CZarzadzajHodowlami::OnAddLoft() {
    LoftRecord loft;
    if (AddLoftWithEditor(this, u"Dodaj nowy gołębnik", loft)) LoftList()->AddString(loft.nazwahodowli);
}

void CZarzadzajHodowlami::OnEditLoft() {
    if (!HasLoft()) return;
    const int index = selectedLoft;
    if (!EditLoftWithEditor(this, u"Edycja gołębnika", index)) return;
    ReplaceRow(LoftList(), index, Store().Lofts()[index].nazwahodowli);
    selectedLoft = -1;
}

void CZarzadzajHodowlami::OnDeleteLoft() {
    if (!HasLoft() || !ConfirmLoftDelete(this, selectedLoft)) return;
    LoftRecord loft = Store().Lofts()[selectedLoft];
    // The writer removes the loft from the data store's lofts.
    if (!Store().WriteLoft(WriteMode::Delete, loft)) return;
    LoftList()->DeleteString(selectedLoft);
    selectedLoft = -1;
    // The loft's categories were deleted with it; none of them stays on show.
    selectedCategory = -1;
    CategoryList()->ResetContent();
}

void CZarzadzajHodowlami::OnAddCategory() {
    if (!HasLoft()) return;
    CategoryRecord category;
    if (AddCategoryWithEditor(this, u"Dodaj nową kategorię", selectedLoft, category)) {
        CategoryList()->AddString(category.nazwakategorii);
    }
}

void CZarzadzajHodowlami::OnEditCategory() {
    if (!HasCategory()) return;
    const int loftIndex = selectedLoft;
    const int index = selectedCategory;
    if (!EditCategoryWithEditor(this, u"Edytuj kategorię", loftIndex, index)) return;
    ReplaceRow(CategoryList(), index, Store().Lofts()[loftIndex].categories[index].nazwakategorii);
    // The category stays chosen, and shows so.
    CategoryList()->SetCurSel(index);
}

void CZarzadzajHodowlami::OnDeleteCategory() {
    if (!HasCategory() || !ConfirmCategoryDelete(this, selectedLoft, selectedCategory)) return;
    if (!DeleteCategoryAt(selectedLoft, selectedCategory)) return;
    CategoryList()->DeleteString(selectedCategory);
    selectedCategory = -1;
}

void CZarzadzajHodowlami::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Gołębniki i Kategorie"));
}
