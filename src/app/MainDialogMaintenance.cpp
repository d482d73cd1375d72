// Backup, restore and the import of the previous version's files are commands of the main
// window that the database maintenance supplies. Until it does, they do nothing.
#include "MainDialog.h"

void CMainDialog::BackupDatabase() {}
void CMainDialog::RestoreDatabase() {}
void CMainDialog::ImportVersion5() {}
