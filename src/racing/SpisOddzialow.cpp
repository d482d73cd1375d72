#include "SpisOddzialow.h"

#include <QPlainTextEdit>

#include "DialogHeader.h"
#include "UnionBranchTable.h"

namespace {
// The result box shows lines ended by "\r\n"; the edit control keeps line feeds only.
QString ForEdit(const Text& text) {
    QString shown = QString::fromStdU16String(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}
}  // namespace

CSpisOddzialow::CSpisOddzialow(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kSearchButton, [this] { Search(); });
    // Enter in the search field searches instead of closing the window.
    SetKeyPolicy({.swallowEnter = false, .swallowEscape = false, .enterCommand = kSearchButton});
}

void CSpisOddzialow::OnShowWindow(bool show) {
    Dialog::OnShowWindow(show);
    if (!show) return;
    if (QPlainTextEdit* result = MultiEdit(kResultEdit)) {
        result->setPlainText(QStringLiteral(
            "Wpisz nazwę szukanego oddziału lub jego numer i kliknij w przycisk 'Pokaż informacje'"));
    }
    FillUnionBranchTable();
    if (!presetSearch.empty()) {
        SetItemText(kSearchEdit, presetSearch);
        Search();
    }
}

void CSpisOddzialow::Search() {
    const Text found = SearchUnionBranches(ItemText(kSearchEdit));
    if (QPlainTextEdit* result = MultiEdit(kResultEdit)) result->setPlainText(ForEdit(found));
}

void CSpisOddzialow::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, QStringLiteral("Spis oddziałów PZHGP"));
}
