#pragma once
// Photo pairing ("Parowanie według oka"): every male and every female with an eye photo, the
// chosen male's photos on the left and the chosen female's on the right; "Dodaj Parę" makes a
// new pair of the two with the pairing date of the date picker.
//
// The caller sets `pair.id_hodowli`; after OK `pair` is the stored pair with its new id.

#include <QPixmap>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CFotoparowanie : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 256;
    static constexpr int kMaleEyePhoto = 1214;
    static constexpr int kFemaleEyePhoto = 1215;
    static constexpr int kMaleList = 1219;
    static constexpr int kFemaleList = 1150;
    static constexpr int kCreatePair = 1218;
    static constexpr int kDatePicker = 1222;
    static constexpr int kDateLabel = 1223;

    explicit CFotoparowanie(QWidget* parent = nullptr);

    PairRecord pair;
    // The candidates: row i of the male list is males[i], of the female list females[i].
    std::vector<PigeonRecord> males;
    std::vector<PigeonRecord> females;

    bool OnInitDialog() override;
    // Enter in the lists does not make a pair; the pair is made only by its button.
    void OnOK() override {}
    void OnEraseBkgnd(Dc& dc) override;

    void CollectEyePhotoBirds();
    void ShowMalePhotos(int id) { ShowPhotos(0, id); }
    void ShowFemalePhotos(int id) { ShowPhotos(1, id); }
    void OnMaleListClick() { OnListClick(0); }
    void OnFemaleListClick() { OnListClick(1); }
    void CreatePair();

private:
    // Side 0 is the male's, side 1 the female's.
    void ShowPhotos(int side, int id);
    void OnListClick(int side);
    void AddRow(int side, const PigeonRecord& bird);

    QPixmap defaultPhoto_;
};
