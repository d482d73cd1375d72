#include "ZakladkaListaPsow.h"

#include <QLabel>

#include "DataStore.h"
#include "Globals.h"
#include "ListView.h"

CZakladkaListaPsow::CZakladkaListaPsow(QWidget* parent) : Dialog(kTemplateId, parent) {}

ListView* CZakladkaListaPsow::PigeonList() const { return List(kPigeonList); }

bool CZakladkaListaPsow::OnInitDialog() {
    Dialog::OnInitDialog();
    if (ListView* list = PigeonList()) {
        list->SetTextColor(RGB(0, 0, 255));
        list->InsertColumn(0, QStringLiteral("..."), ListView::AlignLeft, 30);
        list->InsertColumn(1, QStringLiteral("Obrączka"), ListView::AlignLeft, 260);
    }
    return true;
}

void CZakladkaListaPsow::EmptyList() {
    g_selectedPigeonRow = -1;
    rowPigeonIds.clear();
    rowMembershipIds.clear();
    if (ListView* list = PigeonList()) list->DeleteAllItems();
}

int CZakladkaListaPsow::ShowCategory(int loftIndex, int categoryId) {
    EmptyList();
    if (loftIndex == -1 && categoryId == -1) return -1;

    const CDataStore& store = TheDataStore();
    int n = 0;
    for (const CategoryMember& member : store.LoadCategoryMembers(categoryId)) {
        rowPigeonIds[n] = member.pigeonId;
        rowMembershipIds[n] = member.rowId;
        SetPigeonRow(-1, store.FindPigeon(member.pigeonId));
        ++n;
    }
    if (categoryCountLabel) categoryCountLabel->setText(QStringLiteral("(%1)").arg(n));
    return -1;
}

int CZakladkaListaPsow::SetPigeonRow(int row, const PigeonRecord& pigeon) {
    ListView* list = PigeonList();
    if (!list) return -1;
    if (row == -1) {
        row = list->InsertItem(list->GetItemCount(), QStringLiteral(" "));
    } else {
        list->SetItemText(row, 0, QStringLiteral(" "));
    }
    list->SetItemText(row, 1, pigeon.GetDisplayName());
    return row;
}

void CZakladkaListaPsow::ComputeLayout() {
    const Rect client = GetClientRect();
    listRect_ = Rect(240, 0, client.right - 45, client.bottom - 160);
}

void CZakladkaListaPsow::MoveControls() {
    if (ListView* list = PigeonList()) list->setGeometry(listRect_.ToQRect());
}
