#include "NameAndDescriptionDialog.h"

#include "DialogHeader.h"

NameAndDescriptionDialog::NameAndDescriptionDialog(int templateId, std::u16string nameCaption,
                                                   std::u16string refusal, QWidget* parent)
    : Dialog(templateId, parent),
      nameCaption_(std::move(nameCaption)),
      refusal_(std::move(refusal)) {}

bool NameAndDescriptionDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    setWindowTitle(QString::fromStdU16String(title));
    SetItemText(kNameLabel, nameCaption_);
    // Both editors label the description so.
    SetItemText(kDescriptionLabel, u"Opis hodowli");
    SetItemText(IDOK, u"OK");
    SetItemText(IDCANCEL, u"Anuluj");
    SetItemText(kNameEdit, name);
    SetItemText(kDescriptionEdit, description);
    return true;
}

void NameAndDescriptionDialog::OnOK() {
    name = ItemText(kNameEdit);
    description = ItemText(kDescriptionEdit);
    if (name.size() <= 3) {
        MessageBox(this, refusal_, u"Błąd", MB_ICONWARNING | MB_OK);
        return;
    }
    if (refuseName) {
        const std::u16string refusal = refuseName(name);
        if (!refusal.empty()) {
            MessageBox(this, refusal, u"Błąd", MB_ICONWARNING | MB_OK);
            return;
        }
    }
    EndDialog(IDOK);
}

void NameAndDescriptionDialog::OnEraseBkgnd(Dc& dc) { PaintDialogHeader(*this, dc, title); }
