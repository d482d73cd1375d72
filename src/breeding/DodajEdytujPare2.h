#pragma once
// The pair editor ("Parowanie ptaków"): the male and the female with their photos and three
// switchable panels each (summary, pedigree, results), the pairing date, the laying and
// hatching dates, the eggs laid and three notes (of the pair, of the father, of the mother).
//
// The caller sets `mode` and `pair` (its loft; in edit mode the whole stored pair). On OK the
// pair has been written through the data store and `pair` holds what was stored, with its new
// id after an insert.

#include <QFont>
#include <QPixmap>
#include <array>

#include "DataStore.h"
#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

// Whether the pair editor or photo pairing may store `pair`: both birds chosen (an id of 0 or
// below is none: a new pair starts with 0, a pair read from older files may hold -1) and the
// data store's rules kept. Otherwise `window` says why and false is returned.
bool PairMayBeStoredOrSay(Dialog& window, WriteMode mode, const PairRecord& pair);

class CDodajPareTab1;
class CDodajPareTab2;
class CDodajPareTab3;

class CDodajEdytujPare2 : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 251;

    static constexpr int kMaleName = 1270;
    static constexpr int kFemaleName = 1251;
    static constexpr int kNoteTitle = 1252;
    static constexpr int kDateTitle = 1253;
    static constexpr int kMaleHint = 1193;
    static constexpr int kFemaleHint = 1194;
    static constexpr int kFirstMalePhoto = 1099;    // 1099 to 1101
    static constexpr int kFirstFemalePhoto = 1102;  // 1102 to 1104
    static constexpr int kChooseMale = 1039;
    static constexpr int kChooseFemale = 1040;
    static constexpr int kSave = 1027;
    static constexpr int kPickDate = 1025;
    static constexpr int kDay = 1053;
    static constexpr int kMonth = 1054;
    static constexpr int kYear = 1055;
    static constexpr int kNotes = 1043;
    static constexpr int kPreviousNote = 1106;
    static constexpr int kNextNote = 1107;
    static constexpr int kFatherTree = 1108;
    static constexpr int kMotherTree = 1110;
    static constexpr int kEggsLaid = 1203;
    static constexpr int kLayingDate = 1204;
    static constexpr int kHatchingDate = 1205;

    // The two birds and their three panels.
    enum Bird { kMale = 0, kFemale = 1 };
    enum Panel { kSummary = 0, kPedigree = 1, kResults = 2 };

    explicit CDodajEdytujPare2(QWidget* parent = nullptr);

    PairRecord pair;
    EditorMode mode = EditorMode::Add;
    // Which note the notes field shows: 0 the pair's, 1 the father's, 2 the mother's.
    int noteIndex = 0;
    // The pairing time of day: the opening's for a new pair, the stored one for an edited pair.
    int hour = 0, minute = 0, second = 0;

    bool OnInitDialog() override;
    // Enter does not save: the pair is saved only by its button.
    void OnOK() override {}

    void ChooseMale() { ChooseBird(kMale); }
    void ChooseFemale() { ChooseBird(kFemale); }
    void SavePair();
    void PickPairingDate();
    void NextNote() { SwitchNote(+1); }
    void PreviousNote() { SwitchNote(-1); }
    void ShowFatherTree();
    void ShowMotherTree();
    // Shows the panel under the point when it lies on one of the two tab strips.
    void OnTabClick(const QPoint& point);
    void ShowPanel(Bird bird, Panel panel);
    // The panel of that bird shown now.
    Panel ShownPanel(Bird bird) const;

    CDodajPareTab1* SummaryPanel(Bird bird) const { return summary_[bird]; }
    CDodajPareTab2* PedigreePanel(Bird bird) const { return pedigree_[bird]; }
    CDodajPareTab3* ResultsPanel(Bird bird) const { return results_[bird]; }

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnLButtonDown(const QPoint& point) override;

private:
    int& BirdId(Bird bird) { return bird == kMale ? pair.id_samca : pair.id_samicy; }
    void ChooseBird(Bird bird);
    void ShowBirdName(Bird bird, int id);
    void ShowBirdPhotos(Bird bird, int id);
    void StoreNote();
    void SwitchNote(int step);

    std::array<CDodajPareTab1*, 2> summary_{};
    std::array<CDodajPareTab2*, 2> pedigree_{};
    std::array<CDodajPareTab3*, 2> results_{};
    QPixmap defaultPhoto_;
    QFont headingFont_;
    QFont hintFont_;
};
