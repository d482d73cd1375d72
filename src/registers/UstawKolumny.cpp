#include "UstawKolumny.h"

#include <utility>

#include "ColumnLayout.h"
#include "DialogHeader.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

CUstawKolumny::CUstawKolumny(QWidget* parent) : CUstawKolumny(kTemplateId, parent) {}

CUstawKolumny::CUstawKolumny(int templateId, QWidget* parent) : Dialog(templateId, parent) {
    Bindings();
}

void CUstawKolumny::Bindings() {
    OnClicked(kAddButton, [this] { OnAdd(); });
    OnClicked(kRemoveButton, [this] { OnRemove(); });
    OnClicked(kMoveUpButton, [this] { OnMoveUp(); });
    OnClicked(kMoveDownButton, [this] { OnMoveDown(); });
    OnSelChange(kChosenList, [this] { OnShowWidth(); });
    OnClicked(kSetWidthButton, [this] { OnSetWidth(); });
    OnClicked(kSaveButton, [this] { OnSave(); });
    OnClicked(kCancelButton, [this] { EndDialog(IDCANCEL); });
}

bool CUstawKolumny::OnInitDialog() {
    Dialog::OnInitDialog();
    InitialiseLists();
    return true;
}

void CUstawKolumny::InitialiseLists() {
    SetItemText(kFontNameEdit, u"Tahoma");
    SetItemText(kFontSizeEdit, u"12");
    widthValue = 125;
    SetDlgItemInt(kWidthEdit, widthValue);
    availableCodes = OfferedCodes();
    RefillChosen(-1);
    ListBoxControl* available = ListBox(kAvailableList);
    available->ResetContent();
    for (const std::int32_t code : availableCodes) available->AddString(CodeText(code));
    setWindowTitle(QString::fromStdU16String(dialogTitle));
    setFocus();
}

std::vector<std::int32_t> CUstawKolumny::OfferedCodes() const {
    // LP. and Przydomek show nothing and are not offered.
    return {14, 15, 17, 16, 1, 3, 11, 2, 4, 5, 6, 7, 8, 9, 12, 13, 18, 19};
}

Text CUstawKolumny::CodeText(std::int32_t code) const { return ListColumnSetupTitle(code); }

Text CUstawKolumny::LayoutPath() const { return ListLayoutPath(); }

void CUstawKolumny::OnEraseBkgnd(Dc& dc) { PaintDialogHeader(*this, dc, windowTitle()); }

void CUstawKolumny::RefillChosen(int select) {
    ListBoxControl* chosen = ListBox(kChosenList);
    chosen->ResetContent();
    for (const std::int32_t code : columnCodes) chosen->AddString(CodeText(code));
    if (select >= 0) chosen->SetCurSel(select);
}

void CUstawKolumny::OnAdd() {
    const int s = ListBox(kAvailableList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(availableCodes.size())) return;
    const std::int32_t code = availableCodes[static_cast<size_t>(s)];
    columnCodes.push_back(code);
    ListBox(kChosenList)->AddString(CodeText(code));
    columnWidths[code] = DefaultWidth();
}

void CUstawKolumny::OnRemove() {
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(columnCodes.size())) return;
    columnCodes.erase(columnCodes.begin() + s);
    ListBox(kChosenList)->DeleteString(s);
}

void CUstawKolumny::OnMoveUp() {
    ReadInt(kWidthEdit, widthValue);   // a refused width keeps the last valid one
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s <= 0 || s >= static_cast<int>(columnCodes.size())) return;
    std::swap(columnCodes[static_cast<size_t>(s) - 1], columnCodes[static_cast<size_t>(s)]);
    RefillChosen(s - 1);
}

void CUstawKolumny::OnMoveDown() {
    ReadInt(kWidthEdit, widthValue);
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s + 1 >= static_cast<int>(columnCodes.size())) return;
    std::swap(columnCodes[static_cast<size_t>(s)], columnCodes[static_cast<size_t>(s) + 1]);
    RefillChosen(s + 1);
}

void CUstawKolumny::OnShowWidth() {
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(columnCodes.size())) return;
    const auto it = columnWidths.find(columnCodes[static_cast<size_t>(s)]);
    SetDlgItemInt(kWidthEdit, it != columnWidths.end() ? it->second : 0);
}

void CUstawKolumny::OnSetWidth() {
    // A refused width keeps the last valid one.
    ReadInt(kWidthEdit, widthValue);
    const int s = ListBox(kChosenList)->GetCurSel();
    if (s < 0 || s >= static_cast<int>(columnCodes.size())) return;
    columnWidths[columnCodes[static_cast<size_t>(s)]] = widthValue;
}

void CUstawKolumny::OnSave() {
    ColumnLayoutFile layout;
    layout.codes = columnCodes;
    layout.widths = columnWidths;
    const Text path = LayoutPath();
    if (!layout.Write(path)) {
        MessageBox(this,
                   u"Nie można zapisać układu kolumn do pliku:\n" + path +
                       u"\nZmiany nie zostały zapisane.",
                   std::u16string(u"Błąd zapisu"), MB_OK | MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}
