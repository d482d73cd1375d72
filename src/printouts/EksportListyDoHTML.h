#pragma once
// The list export ("Eksport/Wydruk listy"): turns a list of birds handed over by its opener (a
// category, the individual print list, a bird's siblings) into one HTML table with the columns
// the user chooses, previews it for printing or saves it as a file. The chosen columns, their
// order and their widths in millimetres stay from run to run in rows2.dat.
//
// Adding, removing and resizing a column write rows2.dat at once; moving one changes the page at
// once and reaches the file with the next of those changes.

#include <cstdint>
#include <map>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CEksportListyDoHTML : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 159;
    static constexpr int kAvailableList = 1069;
    static constexpr int kChosenList = 1070;
    static constexpr int kFontNameEdit = 1075;
    static constexpr int kFontSizeEdit = 1076;
    static constexpr int kMarginEdit = 1081;
    static constexpr int kPreviewButton = 1072;
    static constexpr int kSaveButton = 1071;
    static constexpr int kAddButton = 1013;
    static constexpr int kRemoveButton = 1024;
    static constexpr int kNoteChecks[4] = {1077, 1078, 1079, 1080};
    static constexpr int kWidthEdit = 1201;
    static constexpr int kApplyWidthButton = 1197;
    static constexpr int kMoveUpButton = 1196;
    static constexpr int kMoveDownButton = 1200;
    static constexpr std::int32_t kNewColumnWidth = 25;   // millimetres

    explicit CEksportListyDoHTML(QWidget* parent = nullptr);

    // Filled by the opener before the window runs.
    std::vector<int> birdIds;
    Text title;
    PigeonRecord siblingBird;   // with an id above 0 the page is headed by its siblings' title

    // The page's columns in order, and a width per column code (a column chosen twice shares it).
    std::vector<std::int32_t> availableColumns;
    std::vector<std::int32_t> chosenColumns;
    std::map<std::int32_t, std::int32_t> widths;
    Text fontName, fontSize, bottomMargin;
    unsigned columnWidth = 0;
    int notes[4] = {0, 0, 0, 0};   // general, disease, appearance, problems

    bool OnInitDialog() override;
    void OnEraseBkgnd(Dc& dc) override;
    // Enter in a field closes nothing: the window has no OK, only its commands.
    void OnOK() override {}

    void AddColumn();
    void RemoveColumn();
    void MoveColumnUp();
    void MoveColumnDown();
    void ShowColumnWidth();
    void ApplyColumnWidth();
    void PreviewList();
    void SaveListToFile();

    void ReadColumnLayout();
    // Writes rows2.dat; tells the user and returns false when it cannot be written.
    bool WriteColumnLayout();
    // Writes the page for the birds, columns and settings; false when it could not be written.
    bool BuildListHtml(const Text& path) const;
    // Text of one cell; "&nbsp;" for an empty one. `rowNumber` counts the rows of this page.
    Text ExportCellText(int birdId, std::int32_t column, int rowNumber) const;

private:
    void ReadFields();
    void RefillChosen(int select);
};

// The page previewed by the list export, in data/pedigrees of the install folder.
Text ListPreviewPath();
