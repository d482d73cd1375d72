#pragma once
// The pedigree print window ("Wydruk Rodowodu"): the user picks one of the seven layouts (with
// its thumbnail), the breeder whose address heads the page, a logo, a background and the number
// of note lines per generation, then prints the pedigree through the preview window or saves
// the page as a file.
//
// The opener puts the bird into ancestors[0] before running the window.

#include <array>
#include <vector>

#include "Dialog.h"
#include "Pedigree.h"

class CDrukujRodowodGolebia : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 221;
    static constexpr int kThumbnail = 1060;
    static constexpr int kLayoutCombo = 1168;
    static constexpr int kSaveButton = 1169;
    static constexpr int kPrintButton = 1167;
    static constexpr int kNoteChecks[kPedigreeGenerations] = {1193, 1189, 1190, 1191, 1192};
    static constexpr int kBreederCombo = 1194;
    static constexpr int kLogoEdit = 1205;
    static constexpr int kLogoButton = 1206;
    static constexpr int kBackgroundCombo = 1224;
    static constexpr int kBackgroundEdit = 1208;
    static constexpr int kBackgroundButton = 1207;
    static constexpr int kFirstLineEdit = 1231;   // generations 0..4: 1231..1235

    explicit CDrukujRodowodGolebia(QWidget* parent = nullptr);

    PedigreeAncestors ancestors;
    std::vector<PersonRecord> breeders;   // the store's breeders when the window opened
    int breederIndex = -1;                // -1: no breeder
    Text logoPath;
    std::array<int, kPedigreeGenerations> noteLines{12, 8, 6, 4, 2};

    bool OnInitDialog() override;
    void OnEraseBkgnd(Dc& dc) override;
    // Enter in a field closes nothing: the window has no OK, only its commands.
    void OnOK() override {}

    void ShowPedigreeThumbnail();
    void PrintPedigree();
    void SavePedigree();
    void ChooseLogo();
    void ChooseBackground();

    // The chosen layout's name as the closed layout box shows it.
    QString ShownLayoutText() const;

    void FillPedigreeAncestors();
    // Writes the page with the window's choices; tells the user and returns false when the
    // template cannot be read or the page cannot be written.
    bool RenderPedigreeHtml(const Text& path);

private:
    void ReadChoices();
    PedigreeChoices Choices() const;
};
