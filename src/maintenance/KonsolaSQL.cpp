#include "KonsolaSQL.h"

#include "DataStore.h"
#include "SharedRoutines.h"
#include "StandardControls.h"

CKonsolaSQL::CKonsolaSQL(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kRunButton, [this] { OnRunQuery(); });
}

bool CKonsolaSQL::OnInitDialog() {
    Dialog::OnInitDialog();
    Combo(kFileCombo)->SetCurSel(-1);
    return true;
}

void CKonsolaSQL::OnRunQuery() {
    sql = ItemText(kSqlEdit);
    Text file;
    switch (Combo(kFileCombo)->GetCurSel()) {
        case 0: file = PigeonsDbPath(); break;
        case 1: file = ExtraDbPath(); break;
        default: return;  // no file chosen: nothing to run it on
    }
    const CDataStore::ConsoleResult result = TheDataStore().RunConsoleStatement(file, sql);
    if (result.changed) changedFiles = true;
    if (!result.ok) {
        MessageBox(this,
                   QStringLiteral("Polecenie nie zostało wykonane. SQLite zgłasza:\n%1")
                       .arg(QString::fromStdString(result.error)),
                   QStringLiteral("Konsola SQL"), MB_OK | MB_ICONERROR);
    } else if (result.restIgnored) {
        MessageBox(this,
                   QStringLiteral("Wykonano tylko pierwsze polecenie; dalszy tekst pominięto."),
                   QStringLiteral("Konsola SQL"), MB_OK | MB_ICONWARNING);
    }
}
