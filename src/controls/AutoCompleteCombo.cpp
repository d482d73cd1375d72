#include "AutoCompleteCombo.h"

#include <QKeyEvent>
#include <QLineEdit>

CAutoCompleteCombo::CAutoCompleteCombo(QWidget* parent) : ComboBox(parent) {
    setEditable(true);
    // Completion is this control's own; the combo box's built-in completer would fight it.
    setCompleter(nullptr);
    QLineEdit* edit = lineEdit();
    edit->installEventFilter(this);
    // Complete before the owner hears of the change, so the owner sees the completed text.
    disconnect(edit, &QLineEdit::textEdited, this, &ComboBox::EditChange);
    connect(edit, &QLineEdit::textEdited, this, [this] { OnEditUpdate(); });
    connect(edit, &QLineEdit::textEdited, this, &ComboBox::EditChange);
    // The edit field puts the caret after a text it is given, scrolling a long entry to its end;
    // a chosen entry is read from its beginning.
    connect(this, &QComboBox::currentIndexChanged, this, [this] { ChoiceChangedQuietly(); });
    connect(this, &QComboBox::activated, this, [this] { ChoiceChangedQuietly(); });
}

void CAutoCompleteCombo::ChoiceChangedQuietly() {
    if (QLineEdit* edit = lineEdit()) edit->setCursorPosition(0);
}

bool CAutoCompleteCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        completionEnabled_ = (key == Qt::Key_Delete || key == Qt::Key_Backspace) ? 0 : 1;
    }
    return ComboBox::eventFilter(watched, event);
}

namespace {

// Selects from `start` to `end`, or puts the caret at `start` when they are equal.
void SetEditSelection(QLineEdit* edit, int start, int end) {
    if (end > start) edit->setSelection(start, end - start);
    else edit->setCursorPosition(start);
}

}  // namespace

void CAutoCompleteCombo::OnEditUpdate() {
    if (!completionEnabled_) return;
    QLineEdit* edit = lineEdit();
    if (!edit) return;
    const QString text = edit->text();
    const int n = static_cast<int>(text.size());
    // An emptied field is left empty rather than filled with the first entry.
    if (n == 0) return;
    int start = edit->cursorPosition(), end = start;
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        end = start + static_cast<int>(edit->selectedText().size());
    }

    const int found = SelectString(-1, text);
    {
        const QSignalBlocker quiet(this);
        if (found >= 0) {
            // The whole entry is shown (in the entry's own letter case).
            edit->setText(itemText(found));
        } else {
            // No entry begins with the text: keep what was typed, where it was typed.
            setCurrentIndex(-1);
            edit->setText(text);
            SetEditSelection(edit, start, end);
        }
    }
    if (end < n) {
        SetEditSelection(edit, start, end);
    } else {
        // The completed tail is selected, the caret after the typed text stays put.
        const int length = static_cast<int>(edit->text().size());
        edit->setCursorPosition(length);
        edit->cursorBackward(true, length - n);
    }
}
