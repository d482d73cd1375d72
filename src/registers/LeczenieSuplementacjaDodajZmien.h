#pragma once
// The editor of one treatment, vaccination or supplement, of a bird or of the whole flock. On OK
// it writes the row itself (a new row, or the update of the row it was opened on); the caller
// then puts `treatment` into its own list.
//
// The day of giving is typed as day, month and year; the time of day is kept from the opening
// (the current time for a new treatment, the stored time for an edited one), so editing a
// treatment never moves it to another hour, in summer or in winter.

#include <string>

#include "Dialog.h"
#include "Records.h"
#include "WindowHelpers.h"

class CLeczenieSuplementacjaDodajZmien : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 214;
    static constexpr int kDay = 1049;
    static constexpr int kMonth = 1050;
    static constexpr int kYear = 1051;
    static constexpr int kPickDate = 1030;
    static constexpr int kName = 1052;
    static constexpr int kKind = 1062;
    static constexpr int kDose = 1053;
    static constexpr int kEffect = 1055;
    static constexpr int kNotes = 1054;

    explicit CLeczenieSuplementacjaDodajZmien(QWidget* parent = nullptr);

    // The treatment edited. The caller fills it before the run: a copy of the stored one when
    // editing; for a new one at least `id_golebia` (the bird, or -2 for the flock). After OK it
    // holds what was stored, with the new id after an insert.
    TreatmentRecord treatment;
    // A new treatment, or a change to `treatment`.
    EditorMode mode = EditorMode::Add;

    // The date as shown when the window opened and the time of day kept from then.
    int day = 0, month = 0, year = 0;
    int hour = 0, minute = 0, second = 0;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnPickDate();
};
