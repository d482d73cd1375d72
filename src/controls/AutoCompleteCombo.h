#pragma once
// A combo box with an edit field that completes what is typed with the first entry beginning
// with it; the completed tail is selected, so the next typed character replaces it.
// Backspace and Delete switch completion off until the next other key, so deleting characters
// never brings them back. An entry chosen from the list or by the program shows from its
// beginning, however long it is.
//
// Dialogs put it in place of a combo box of their template (Dialog::ReplaceItemWith) and fill
// it as any other combo box.

#include "StandardControls.h"

class CAutoCompleteCombo : public ComboBox {
    Q_OBJECT
public:
    explicit CAutoCompleteCombo(QWidget* parent = nullptr);

    bool CompletionEnabled() const { return completionEnabled_ != 0; }

    // Completes the edit field's text; runs on every change the user makes to it.
    void OnEditUpdate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ChoiceChangedQuietly() override;

private:
    int completionEnabled_ = 1;
};
