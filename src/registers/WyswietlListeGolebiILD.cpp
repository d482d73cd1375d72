#include "WyswietlListeGolebiILD.h"

#include "DataStore.h"
#include "SharedRoutines.h"
#include "StandardControls.h"
#include "WindowHelpers.h"

CWyswietlListeGolebiILD::CWyswietlListeGolebiILD(QWidget* parent) : Dialog(kTemplateId, parent) {
    OnClicked(kRemoveOneButton, [this] { OnRemoveOne(); });
    OnClicked(kRemoveAllButton, [this] { OnRemoveAll(); });
}

bool CWyswietlListeGolebiILD::OnInitDialog() {
    Dialog::OnInitDialog();
    FillList();
    return true;
}

void CWyswietlListeGolebiILD::FillList() {
    ListBoxControl* list = ListBox(kList);
    // Birds of one loft differ at their ring's end: a cut entry keeps it.
    list->SetElider(ElideBirdText);
    list->ResetContent();
    ildRowIds.clear();
    const CDataStore& store = TheDataStore();
    for (const IldEntry& entry : store.LoadIldEntries()) {
        // An entry whose bird is gone stays listed (with the blank text of a missing bird), so
        // it can still be removed.
        list->AddString(store.FindPigeon(entry.pigeonId).GetDisplayName());
        ildRowIds.push_back(entry.rowId);
    }
}

void CWyswietlListeGolebiILD::OnRemoveOne() {
    ListBoxControl* list = ListBox(kList);
    const int row = list->GetCurSel();
    if (row < 0 || row >= static_cast<int>(ildRowIds.size())) return;
    if (!TheDataStore().ExecSqlOnFile(ExtraDbPath(), u"DELETE FROM ild WHERE id = ?1;",
                                      {SqlInt(ildRowIds[static_cast<size_t>(row)])})) {
        MessageBox(this, u"Nie udało się usunąć gołębia z listy do druku.", u"",
                   MB_OK | MB_ICONERROR);
        return;
    }
    // The entry leaves the list with its row: left on show, it stood for nothing, and removing
    // it again did nothing. No other entry is taken as chosen in its place.
    ildRowIds.erase(ildRowIds.begin() + row);
    list->DeleteString(row);
    list->SetCurSel(-1);
}

void CWyswietlListeGolebiILD::OnRemoveAll() {
    if (AskYesNo(this, u"Czy napewno usunąć całą listę gołębi do druku?", u"Usuwanie listy")) {
        TheDataStore().ExecSqlOnFile(ExtraDbPath(), u"DELETE FROM ild;");
    }
    EndDialog(IDOK);
}
