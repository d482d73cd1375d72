#include "ZakladkaTransakcje.h"

#include "ListView.h"

CZakladkaTransakcje::CZakladkaTransakcje(QWidget* parent) : Dialog(kTemplateId, parent) {}

ListView* CZakladkaTransakcje::TransactionList() const { return List(kTransactionList); }

void CZakladkaTransakcje::FillTransactionList() {
    if (ListView* list = TransactionList()) list->DeleteAllItems();
}
