#pragma once
// Links a bird of the register to a breeding pair as one of its young ("Dodaj młodego do
// pary"), or edits such a link. A new link also makes the pair's male and female the bird's
// father and mother, in the file and in memory, in one write.
//
// The caller sets `mode`, the pair's id and birds and, to edit, `young`; after OK `young`
// holds what was stored (with its new id after an add).

#include <QFont>
#include <QPixmap>

#include "DataStore.h"
#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

class CDodajPsaDoPary : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 148;

    static constexpr int kBirdHeading = 1270;
    static constexpr int kNotesHeading = 1251;
    static constexpr int kDateHeading = 1252;
    static constexpr int kBirdName = 1191;
    static constexpr int kBirdDetails = 1044;
    static constexpr int kFirstPhoto = 1125;   // 1125 to 1127
    static constexpr int kChooseBird = 1099;
    static constexpr int kSave = 1027;
    static constexpr int kNotes = 1043;
    static constexpr int kHatchDate = 1175;

    explicit CDodajPsaDoPary(QWidget* parent = nullptr);

    int fatherId = 0;
    int motherId = 0;
    int pairId = 0;
    EditorMode mode = EditorMode::Add;
    YoungRecord young;

    bool OnInitDialog() override;
    // Enter in the notes makes a new line; elsewhere it does not save.
    void OnOK() override {}
    void OnEraseBkgnd(Dc& dc) override;

    void ChooseYoungBird();
    void SaveYoung();
    void ShowYoungBird(int id);
    void ShowYoungPhotos(int id);
    void ShowHatchDate(int id);

private:
    // What the window says when the data store refuses the young by one of its rules.
    Text YoungRuleMessage(const RuleCheck& rule) const;

    // The bird the young named when the window opened (0 for a new young).
    int openedBirdId_ = 0;
    QPixmap defaultPhoto_;
    QFont headingFont_;
    QFont detailFont_;
};
