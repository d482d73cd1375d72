#pragma once
// The pair editor's pedigree panel of one bird: its mother and father and their parents.

#include <array>

#include "Dialog.h"
#include "Records.h"

class CDodajPareTab2 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 253;
    // The boxes of mother, father, mother's mother, mother's father, father's mother and
    // father's father, in that order.
    static constexpr std::array<int, 6> kBoxes = {1209, 1039, 1210, 1038, 1040, 1041};

    explicit CDodajPareTab2(QWidget* parent = nullptr);

    void OnOK() override {}
    void OnCancel() override {}
    // Fills the boxes from the bird's ancestors; an ancestor that is not known shows empty.
    // -1 leaves the panel as it is.
    void ShowPigeon(int id);

    std::array<PigeonRecord, 6> ancestors;

protected:
    void OnEraseBkgnd(Dc&) override {}
};
