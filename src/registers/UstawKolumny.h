#pragma once
// Column setup of the bird list: the offered columns on the left, the chosen ones in display
// order on the right, with a width per column code. "Zapisz zmiany" writes rows.dat and closes
// with OK; a file that cannot be written is reported and the window stays open.
//
// The caller copies its column codes and widths into the window, sets dialogTitle, runs it
// and, after OK, reads rows.dat again. CUstawKolumnyWynikiLotowe is the twin for the flight
// results printout.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Dialog.h"
#include "Records.h"

class CUstawKolumny : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 248;
    static constexpr int kAvailableList = 1069;
    static constexpr int kChosenList = 1070;
    static constexpr int kAddButton = 1013;
    static constexpr int kRemoveButton = 1024;
    static constexpr int kMoveUpButton = 1199;
    static constexpr int kMoveDownButton = 1200;
    static constexpr int kWidthEdit = 1081;
    static constexpr int kSetWidthButton = 1197;
    static constexpr int kSaveButton = 1071;
    static constexpr int kCancelButton = 1072;
    static constexpr int kFontNameEdit = 1075;
    static constexpr int kFontSizeEdit = 1076;

    explicit CUstawKolumny(QWidget* parent = nullptr);

    std::vector<std::int32_t> availableCodes;
    std::vector<std::int32_t> columnCodes;
    std::map<std::int32_t, std::int32_t> columnWidths;
    std::u16string dialogTitle;
    int widthValue = 125;

    bool OnInitDialog() override;
    void OnOK() override {}   // Enter saves nothing; only "Zapisz zmiany" does

    void OnAdd();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();
    void OnShowWidth();
    void OnSetWidth();
    void OnSave();

protected:
    CUstawKolumny(int templateId, QWidget* parent);
    void OnEraseBkgnd(Dc& dc) override;

    // What differs between the twins.
    virtual std::vector<std::int32_t> OfferedCodes() const;
    virtual Text CodeText(std::int32_t code) const;
    virtual std::int32_t DefaultWidth() const { return 125; }
    virtual Text LayoutPath() const;

    // Fills the two lists from availableCodes and columnCodes.
    void InitialiseLists();

private:
    void Bindings();
    void RefillChosen(int select);
};
