#pragma once
// The move/copy target of a bird: one entry per category of every loft ("loft :: category"),
// and whether the bird stays in its present category too. The bird list page runs it and then
// carries the move out with MovePigeonToCategory. OK without a category chosen says so and
// keeps the window open.

#include "Dialog.h"

class CPrzeniesPsa : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 170;
    static constexpr int kTargetCombo = 1007;
    static constexpr int kKeepCopyCheck = 1106;

    explicit CPrzeniesPsa(QWidget* parent = nullptr);

    // Position of the chosen entry, counted over every loft's categories; -1 when none.
    int targetIndex = -1;
    // Ticked: the bird stays in its present category as well (a copy).
    bool keepCopy = false;

    bool OnInitDialog() override;
    void OnOK() override;
};

// The category that the entry `targetIndex` of CPrzeniesPsa names: lofts in the data store's
// order, each loft's categories in order.
struct MoveTarget {
    int loftIndex = -1;
    int categoryIndex = -1;
    int loftId = 0;
    int categoryId = 0;
    bool valid() const { return loftIndex >= 0; }
};
MoveTarget FindMoveTarget(int targetIndex);

enum class MoveOutcome {
    Nothing,  // no such target, or the target is the category the bird is listed in
    Moved,
    Copied,
    Failed,   // the database refused; nothing changed
};

// Places the bird in the target category (unless it is there already) and in the target's loft,
// and, for a move, takes it out of `currentCategoryId`; all in one transaction. The bird's
// record in memory follows its new loft, and so do the lofts' bird counts.
MoveOutcome MovePigeonToCategory(int pigeonId, int currentCategoryId, int targetIndex,
                                 bool keepCopy);
