#include "NowaNazwa.h"

CNowaNazwa::CNowaNazwa(QWidget* parent) : Dialog(kTemplateId, parent) {}

bool CNowaNazwa::OnInitDialog() {
    Dialog::OnInitDialog();
    SetItemText(kNameEdit, name);
    return true;
}

void CNowaNazwa::OnOK() {
    name = ItemText(kNameEdit);
    // A blank name would list the note as an empty row that cannot be told from the others.
    if (QString::fromStdU16String(name).trimmed().isEmpty()) {
        MessageBox(this, std::u16string(u"Wprowadź nazwę notatki."), std::u16string(u"Błąd"),
                   MB_ICONWARNING | MB_OK);
        return;
    }
    Dialog::OnOK();
}
