#pragma once
// Preview tab 2: a three-generation pedigree of seven buttons (the bird, its parents, its four
// grandparents) and, when the tab is wide enough, a photo panel with the first two photographs,
// ring text, colour and short description of the bird whose button was pressed last.

#include <QFont>
#include <QPixmap>
#include <array>

#include "Dialog.h"
#include "Records.h"

class CPanelPodgladuTab2 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 194;
    // The slots in pedigree order: the bird, its mother, its father, the mother's mother, the
    // mother's father, the father's mother, the father's father.
    enum Slot { kBird, kMother, kFather, kMothersMother, kMothersFather, kFathersMother,
                kFathersFather, kSlotCount };
    static constexpr std::array<int, kSlotCount> kSlotButtons{1148, 1100, 1101, 1102,
                                                             1103, 1104, 1105};
    static constexpr int kFirstPhoto = 1125;
    static constexpr int kSecondPhoto = 1126;
    static constexpr int kHiddenPhoto = 1146;
    static constexpr int kPhotoHeading = 1270;
    static constexpr int kInfoHeading = 1251;
    static constexpr int kRingLabel = 1252;
    static constexpr int kColourLabel = 1192;
    static constexpr int kDescriptionLabel = 1130;
    static constexpr int kEditButton = 1127;
    // Below this width the photo panel does not fit beside the pedigree and is hidden.
    static constexpr int kPhotoPanelWidth = 1000;

    explicit CPanelPodgladuTab2(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Shows the pedigree of the bird of that id; -1 keeps what is shown but leaves no bird to
    // edit.
    void ShowPigeon(int id);
    // Shows an empty pedigree and photo panel, with no bird to edit.
    void ShowNoPigeon() { ShowPigeon(0); }
    // The photo panel for the bird of that id (0: an empty record).
    void ShowPhotoPanel(int id);
    void OnSlotClicked(int slot);
    void OnEditPigeon();

    const std::array<PigeonRecord, kSlotCount>& PedigreeSlots() const { return pedigreeSlots_; }
    // The bird whose photos the panel shows and which "Edycja ptaka" edits (-1 or 0: none).
    int SelectedPigeonId() const { return selectedPigeonId_; }

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnSize(int type, int width, int height) override;

private:
    QPixmap defaultPhoto_;
    QFont headingFont_;
    QFont ringFont_;
    std::array<PigeonRecord, kSlotCount> pedigreeSlots_;
    int selectedPigeonId_ = -1;
};
