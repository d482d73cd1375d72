#pragma once
// The family tree ("Drzewo Genealogiczne ptaka"): one bird with its parents and grandparents as
// seven buttons, the bird's photograph at the top left and, on the right, the photographs, ring,
// name and colour of whichever bird of the tree was clicked last. It only shows: nothing is
// edited or printed, and the tree stays rooted at the bird it was opened for.

#include <QFont>
#include <QPixmap>
#include <array>

#include "Dialog.h"
#include "Records.h"

class CDrzewoGenealogicznePsa : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 172;
    static constexpr int kFirstPhoto = 1125;
    static constexpr int kSecondPhoto = 1126;
    static constexpr int kBirdPhoto = 1146;
    static constexpr int kRingLabel = 1252;
    static constexpr int kColourLabel = 1130;
    // The buttons of slots 0..6: the bird; its mother and father; the mother's mother and
    // father; the father's mother and father.
    static constexpr int kTreeButtons[7] = {1148, 1100, 1101, 1102, 1103, 1104, 1105};

    explicit CDrzewoGenealogicznePsa(QWidget* parent = nullptr);

    // Opens the tree of a bird modally.
    static void ShowFor(QWidget* parent, int pigeonId);

    // Slot 0 is set by the opener (its id is enough); the others are filled on opening.
    std::array<PigeonRecord, 7> birds;

    bool OnInitDialog() override;
    void OnEraseBkgnd(Dc& dc) override;
    // Shows the bird of a slot in the right panel.
    void ShowBird(int slot);

private:
    QPixmap defaultPhoto_;
    QFont headingFont_;
    QFont ringFont_;
};
