#pragma once
// The litter card: a breeding pair and its young as one printed page, a small table with the
// cock and the hen over a numbered table of the young with ring, colour and, as chosen, a notes
// column to write in and the young birds' photographs. The user sets the font, its size and the
// height after which a new sheet starts, then previews and prints the page or saves it.
//
// The opener sets the title ("Karta Parowania", "Wydruk listy potomków"), the cock, the hen and
// the young in the order of the pair's young before running the window.

#include <vector>

#include "Dialog.h"
#include "Records.h"

class CDrukujKarteMiotu : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 186;
    static constexpr int kParentPhotosCheck = 1077;
    static constexpr int kYoungPhotosCheck = 1078;
    static constexpr int kPairNotesCheck = 1079;   // kept as a choice; the page does not use it
    static constexpr int kYoungNotesCheck = 1080;
    static constexpr int kFontNameEdit = 1075;
    static constexpr int kFontSizeEdit = 1076;
    static constexpr int kMarginEdit = 1081;
    static constexpr int kPreviewButton = 1072;
    static constexpr int kSaveButton = 1071;

    explicit CDrukujKarteMiotu(QWidget* parent = nullptr);

    std::vector<int> youngIds;
    Text title;
    int maleId = 0;
    int femaleId = 0;
    int parentPhotos = 0, youngPhotos = 0, pairNotes = 0, youngNotes = 0;
    Text fontName, fontSize, bottomMargin;

    bool OnInitDialog() override;
    void OnEraseBkgnd(Dc& dc) override;
    // Enter in a field closes nothing: the window has no OK, only its commands.
    void OnOK() override {}

    void PreviewCard();
    void SaveCard();
    // Writes the page; false when it could not be written.
    bool WriteLitterCardHtml(const Text& path) const;

private:
    void ReadFields();
};

// The page previewed by the litter card, among the program's fixed output pages.
Text LitterCardPreviewPath();
