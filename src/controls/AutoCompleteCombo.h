#pragma once
// A combo box with an edit field that completes what is typed with the first entry beginning
// with it (spaces before the typed text aside), unless an entry is the typed text itself
// (letter case and blanks around it aside): that one is taken. The completed tail is selected,
// so the next typed character replaces it. Backspace and Delete switch completion off until the
// next other key, so deleting characters never brings them back. The entry the typing completes
// to is the chosen entry, exactly as if picked from the list (see ComboBox).
//
// Dialogs put it in place of a combo box of their template (Dialog::ReplaceItemWith) and fill
// it as any other combo box.

#include "StandardControls.h"

class CAutoCompleteCombo : public ComboBox {
    Q_OBJECT
public:
    explicit CAutoCompleteCombo(QWidget* parent = nullptr);

    bool CompletionEnabled() const { return completionEnabled_; }

    // Completes the edit field's text; runs on every change the user makes to it.
    void OnEditUpdate() override;

protected:
    void OnEditKey(const QKeyEvent& event) override;

private:
    bool completionEnabled_ = true;
};
