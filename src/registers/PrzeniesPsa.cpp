#include "PrzeniesPsa.h"

#include <QCheckBox>

#include "DataStore.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

CPrzeniesPsa::CPrzeniesPsa(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnSelChange(kTargetCombo, [this] { targetIndex = Combo(kTargetCombo)->GetCurSel(); });
    SetChoiceName(kTargetCombo, u"Wybierz kategorie");
}

bool CPrzeniesPsa::OnInitDialog() {
    Dialog::OnInitDialog();
    targetIndex = -1;
    ComboBox* combo = Combo(kTargetCombo);
    combo->ResetContent();
    for (const LoftRecord& loft : TheDataStore().Lofts()) {
        for (const CategoryRecord& category : loft.categories) {
            combo->AddString(loft.nazwahodowli + u" :: " + category.nazwakategorii);
        }
    }
    CheckDlgButton(kKeepCopyCheck, keepCopy ? 1 : 0);
    return true;
}

void CPrzeniesPsa::OnOK() {
    if (!CheckTypedChoices()) return;
    targetIndex = Combo(kTargetCombo)->GetCurSel();
    // An emptied field chooses nothing: the window says so and waits for a choice, rather than
    // closing as if the bird had gone somewhere.
    if (targetIndex < 0) {
        RefuseField(kTargetCombo, u"Nie wybrano kategorii. Wybierz kategorię z listy.");
        return;
    }
    keepCopy = IsDlgButtonChecked(kKeepCopyCheck) == 1;
    EndDialog(IDOK);
}

MoveTarget FindMoveTarget(int targetIndex) {
    MoveTarget target;
    if (targetIndex < 0) return target;
    const std::vector<LoftRecord>& lofts = TheDataStore().Lofts();
    int number = 0;
    for (size_t i = 0; i < lofts.size(); ++i) {
        for (size_t j = 0; j < lofts[i].categories.size(); ++j, ++number) {
            if (number != targetIndex) continue;
            target.loftIndex = static_cast<int>(i);
            target.categoryIndex = static_cast<int>(j);
            target.loftId = lofts[i].id;
            target.categoryId = lofts[i].categories[j].id;
            return target;
        }
    }
    return target;
}

MoveOutcome MovePigeonToCategory(int pigeonId, int currentCategoryId, int targetIndex,
                                 bool keepCopy) {
    const MoveTarget target = FindMoveTarget(targetIndex);
    // Into the category the bird is listed in: a move would take it out of the very category
    // it was put into, and a copy would list it there twice.
    if (!target.valid() || target.categoryId == currentCategoryId) return MoveOutcome::Nothing;

    if (!TheDataStore().MovePigeonToCategory(pigeonId, currentCategoryId, target.categoryId,
                                             target.loftId, keepCopy)) {
        return MoveOutcome::Failed;
    }
    return keepCopy ? MoveOutcome::Copied : MoveOutcome::Moved;
}
