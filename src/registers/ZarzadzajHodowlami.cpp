#include "ZarzadzajHodowlami.h"

#include <algorithm>

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

// Deletes the chosen row and chooses the row that takes its place, or the new last row: the
// list draws that one chosen, so the window must take it as chosen too.
void DeleteChosenRow(ListBoxControl* list, int row) {
    list->DeleteString(row);
    list->SetCurSel(std::min(row, list->GetCount() - 1));
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
    // The loft stays chosen, and shows so: the list would draw the row after it chosen.
    LoftList()->SetCurSel(index);
}

void CZarzadzajHodowlami::OnDeleteLoft() {
    if (!HasLoft() || !ConfirmLoftDelete(this, selectedLoft)) return;
    LoftRecord loft = Store().Lofts()[selectedLoft];
    // The writer removes the loft from the data store's lofts.
    if (!Store().WriteLoft(WriteMode::Delete, loft)) return;
    // The loft's categories were deleted with it; none of them stays on show, and the loft now
    // chosen lists its own.
    selectedCategory = -1;
    CategoryList()->ResetContent();
    DeleteChosenRow(LoftList(), selectedLoft);
    OnSelectLoft();
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
    DeleteChosenRow(CategoryList(), selectedCategory);
    OnSelectCategory();
}

void CZarzadzajHodowlami::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, std::u16string(u"Gołębniki i Kategorie"));
}
