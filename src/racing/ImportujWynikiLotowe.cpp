#include "ImportujWynikiLotowe.h"

#include "ListView.h"

namespace {
const QString kFileFilter =
    QStringLiteral("Pliki tekstowe (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*||");
}  // namespace

CImportujWynikiLotowe::CImportujWynikiLotowe(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kChooseFileButton, [this] { OnChooseFile(); });
}

bool CImportujWynikiLotowe::OnInitDialog() {
    Dialog::OnInitDialog();
    if (ListView* list = List(kResultList)) {
        list->SetGridLines(true);
        list->SetCheckBoxes(true);
        list->SetFullRowSelect(true);
        const std::pair<const char16_t*, int> columns[] = {
            {u"...", 30},           {u"Obrączka gołębia", 140}, {u"Czas przylotu", 140},
            {u"Nr. konkursu", 110}, {u"Coefficent", 90},        {u"Punkty", 90},
            {u"Prędkość [m/min]", 130}};
        int column = 0;
        for (const auto& [heading, width] : columns)
            list->InsertColumn(column++, heading, ListView::AlignLeft, width);
    }
    return true;
}

void CImportujWynikiLotowe::OnChooseFile() {
    if (GetOpenFileName(this, kFileFilter).isEmpty()) return;
    MessageBox(this,
               u"Wczytywany plik nie jest zapisany w formacie UNICODE. Zapisz plik jako UNICODE i "
               u"wczytaj ponownie.");
}
