#pragma once
// The editor of one bird's result in a flight ("Gołąb lotowy"): which bird (chosen with the bird
// chooser, shown with its name, colour, short description and first three photos), its arrival
// date and time, its positions in the branch and section contests, points, coefficients and
// notes. Leaving a position field fills in the coefficient from the flight's number of contests.
//
// The caller sets `mode`, the entry's `id_lotu` and `id_hodowli` (in edit mode the whole entry)
// and the flight's two contest numbers, runs the window modally and after OK reads the entry,
// a new result's id included. OK means the result was written.

#include <QFont>
#include <QPixmap>

#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

// A coefficient from a position: position × 1000 ÷ contests in six significant digits, as the
// field shows it ("428.571" for 3 of 7); "0" when the number of contests is not positive.
Text CoefficientText(int position, int contests);

class CDodajGolebiaDoLotu : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 107;
    static constexpr int kBirdName = 1191;
    static constexpr int kBirdInfo = 1044;
    static constexpr int kBirdHeading = 1270;
    static constexpr int kPhoto1 = 1129;
    static constexpr int kPhoto2 = 1130;
    static constexpr int kPhoto3 = 1131;
    static constexpr int kChooseBird = 1099;
    static constexpr int kArrivalDate = 1161;
    static constexpr int kArrivalTime = 1162;
    static constexpr int kBranchPosition = 1126;
    static constexpr int kSectionPosition = 1127;
    static constexpr int kBranchPoints = 1128;
    static constexpr int kSectionPoints = 1132;
    static constexpr int kBranchCoefficient = 1122;
    static constexpr int kSectionCoefficient = 1125;
    static constexpr int kNotes = 1091;


    explicit CDodajGolebiaDoLotu(QWidget* parent = nullptr);

    EditorMode mode = EditorMode::Add;
    FlightResultEntry entry;
    // The flight's numbers of contests in the branch and in the section.
    int konkursow_oddzial = 0;
    int konkursow_sekcja = 0;

    bool OnInitDialog() override;
    // Reads the fields, writes the result and closes with OK.
    void OnOK() override;

    void OnChooseBird();
    void OnLeaveBranchPosition();
    void OnLeaveSectionPosition();
    // The bird's name and information (-1: none chosen yet) and its photos.
    void ShowBird(int birdId);
    void ShowPhotos(int birdId);

protected:
    void OnEraseBkgnd(Dc& dc) override;

private:
    void FillCoefficient(int positionId, int contests, int coefficientId);

    QFont nameFont_;
    QFont infoFont_;
    QPixmap defaultPhoto_;
    // An arrival the result has not got stays so unless the pickers are changed.
    bool keepUnsetArrival_ = false;
    bool saving_ = false;
};
