#pragma once
// The loft manager: every loft, and the categories of the loft chosen in the list, with
// commands to add, edit and delete both. Row i of the loft list is loft i of the data store's
// lofts, and row i of the category list is category i of the chosen loft; every command keeps
// rows and vectors in step, and the row a list draws chosen is the one the commands act on (after
// a delete, the row that took the deleted one's place). The window has no OK button; the caller
// reloads the lofts from the database when it closes.

#include "Dialog.h"

class ListBoxControl;

class CZarzadzajHodowlami : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 154;
    static constexpr int kLoftList = 1006;
    static constexpr int kCategoryList = 1007;
    static constexpr int kAddLoftButton = 1065;
    static constexpr int kEditLoftButton = 1101;
    static constexpr int kDeleteLoftButton = 1100;
    static constexpr int kAddCategoryButton = 1102;
    static constexpr int kEditCategoryButton = 1104;
    static constexpr int kDeleteCategoryButton = 1103;

    explicit CZarzadzajHodowlami(QWidget* parent = nullptr);

    int selectedLoft = -1;      // index into the data store's lofts, -1 none
    int selectedCategory = -1;  // index into that loft's categories, -1 none

    bool OnInitDialog() override;
    void OnSelectLoft();
    void OnSelectCategory();
    void OnAddLoft();
    void OnEditLoft();
    void OnDeleteLoft();
    void OnAddCategory();
    void OnEditCategory();
    void OnDeleteCategory();

    ListBoxControl* LoftList() const;
    ListBoxControl* CategoryList() const;

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    bool HasLoft() const;
    bool HasCategory() const;
};
