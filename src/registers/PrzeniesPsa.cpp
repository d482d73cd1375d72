#include "PrzeniesPsa.h"

#include <QCheckBox>

#include "DataStore.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

CPrzeniesPsa::CPrzeniesPsa(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnSelChange(kTargetCombo, [this] { targetIndex = Combo(kTargetCombo)->GetCurSel(); });
}

bool CPrzeniesPsa::OnInitDialog() {
    Dialog::OnInitDialog();
    targetIndex = -1;
    ComboBox* combo = Combo(kTargetCombo);
    combo->ResetContent();
    for (const LoftRecord& loft : TheDataStore().lofts) {
        for (const CategoryRecord& category : loft.categories) {
            combo->AddString(loft.nazwahodowli + u" :: " + category.nazwakategorii);
        }
    }
    CheckDlgButton(kKeepCopyCheck, keepCopy ? 1 : 0);
    return true;
}

void CPrzeniesPsa::OnOK() {
    if (Combo(kTargetCombo)->GetCurSel() >= 0) targetIndex = Combo(kTargetCombo)->GetCurSel();
    keepCopy = IsDlgButtonChecked(kKeepCopyCheck) == 1;
    EndDialog(IDOK);
}

MoveTarget FindMoveTarget(int targetIndex) {
    MoveTarget target;
    if (targetIndex < 0) return target;
    const std::vector<LoftRecord>& lofts = TheDataStore().lofts;
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

    CDataStore& store = TheDataStore();
    SqlDatabase db(PigeonsDbPath());
    if (!db.ok()) return MoveOutcome::Failed;
    {
        SqlTransaction tx(db);
        if (!tx.ok()) return MoveOutcome::Failed;
        const bool alreadyThere =
            db.QueryInt64(u"SELECT count(*) FROM kategoria_id WHERE id_kategorii = ?1 AND "
                          u"id_golebia = ?2;",
                          {SqlInt(target.categoryId), SqlInt(pigeonId)}) > 0;
        if (!alreadyThere &&
            !db.Exec(u"INSERT INTO kategoria_id (id_kategorii, id_golebia) VALUES ( ?1, ?2 );",
                     {SqlInt(target.categoryId), SqlInt(pigeonId)})) {
            return MoveOutcome::Failed;
        }
        if (!db.Exec(u"UPDATE pigeons SET id_hodowli = ?1 WHERE id = ?2;",
                     {SqlInt(target.loftId), SqlInt(pigeonId)})) {
            return MoveOutcome::Failed;
        }
        if (!keepCopy &&
            !db.Exec(u"DELETE FROM kategoria_id WHERE id_kategorii = ?1 AND id_golebia = ?2 ;",
                     {SqlInt(currentCategoryId), SqlInt(pigeonId)})) {
            return MoveOutcome::Failed;
        }
        if (!tx.Commit()) return MoveOutcome::Failed;
    }

    const auto bird = store.pigeons.find(pigeonId);
    if (bird != store.pigeons.end() && bird->second.id_hodowli != target.loftId) {
        const int from = store.FindLoftIndex(bird->second.id_hodowli);
        if (from >= 0 && store.lofts[from].pigeonCount > 0) --store.lofts[from].pigeonCount;
        ++store.lofts[target.loftIndex].pigeonCount;
        bird->second.id_hodowli = target.loftId;
    }
    return keepCopy ? MoveOutcome::Copied : MoveOutcome::Moved;
}
