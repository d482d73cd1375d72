#include "AutoCompleteCombo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

CAutoCompleteCombo::CAutoCompleteCombo(QWidget* parent) : ComboBox(parent) { SetEditable(true); }

void CAutoCompleteCombo::OnEditKey(const QKeyEvent& event) {
    completionEnabled_ = event.key() != Qt::Key_Delete && event.key() != Qt::Key_Backspace;
}

namespace {

// Selects from `start` to `end`, or puts the caret at `start` when they are equal.
void SetEditSelection(QLineEdit* edit, int start, int end) {
    if (end > start) edit->setSelection(start, end - start);
    else edit->setCursorPosition(start);
}

// The entry whose text is `typed` itself (letter case and blanks around the entry aside): the
// chosen one when it is such an entry, else the first; -1 when none is.
int EntryEqualTo(const QComboBox& combo, const QString& typed) {
    const auto same = [&](int i) {
        return QString::compare(combo.itemText(i).trimmed(), typed, Qt::CaseInsensitive) == 0;
    };
    if (combo.currentIndex() >= 0 && same(combo.currentIndex())) return combo.currentIndex();
    for (int i = 0; i < combo.count(); ++i) {
        if (same(i)) return i;
    }
    return -1;
}

}  // namespace

void CAutoCompleteCombo::OnEditUpdate() {
    QLineEdit* edit = lineEdit();
    if (!completionEnabled_ || !edit) return;
    QString text = edit->text();
    int start = edit->cursorPosition(), end = start;
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        end = start + static_cast<int>(edit->selectedText().size());
    }
    // Spaces around the name, other than those typed after it, are no part of it: a blank
    // entry shows as one space, and typing goes before or after it.
    if (text.mid(end).trimmed().isEmpty()) text.truncate(end);
    qsizetype lead = 0;
    while (lead < text.size() && text.at(lead).isSpace()) ++lead;
    const QString typed = text.mid(lead);
    const int n = static_cast<int>(typed.size());
    // An emptied field is left empty rather than filled with the first entry.
    if (n == 0) return;

    int found = -1;
    {
        const QSignalBlocker quiet(this);
        // An entry that is the typed text itself comes before longer ones that begin with it
        // ("Szary" typed whole is "Szary", not "Szary nakrapiany" listed first); those are
        // reached by typing on.
        found = EntryEqualTo(*this, typed);
        if (found >= 0) SetCurSel(found);
        else found = SelectString(-1, typed);
        // No entry begins with it: what was typed stays where it was typed.
        if (found < 0) return;
        // The whole entry is shown (in the entry's own letter case).
        edit->setText(itemText(found));
    }
    start = std::max(0, start - static_cast<int>(lead));
    end = std::max(0, end - static_cast<int>(lead));
    if (end < n) {
        SetEditSelection(edit, start, end);
    } else {
        // The completed tail is selected, the caret after the typed text stays put.
        const int length = static_cast<int>(edit->text().size());
        edit->setCursorPosition(length);
        edit->cursorBackward(true, length - n);
    }
}
