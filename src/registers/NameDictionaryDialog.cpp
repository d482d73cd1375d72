#include "NameDictionaryDialog.h"

#include <iterator>
#include <set>

#include "DialogHeader.h"
#include "Globals.h"
#include "StandardControls.h"

namespace {

// The title starts right of the picture in the top left corner.
constexpr int kTitleInset = 75;

}  // namespace

NameDictionaryDialog::NameDictionaryDialog(int templateId, Ids ids, std::u16string headerTitle,
                                           QWidget* parent)
    : Dialog(templateId, parent), ids_(ids), headerTitle_(std::move(headerTitle)) {
    OnClicked(ids_.add, [this] { OnAdd(); });
    OnClicked(ids_.remove, [this] { OnRemove(); });
    // The field beside "Dodaj" is the window's only typing field: Enter adds what it holds, as
    // the button does, and the window stays open for the next name (it has no OK to close with).
    SetDefID(ids_.add);
}

ListBoxControl* NameDictionaryDialog::NameList() const { return ListBox(ids_.list); }

bool NameDictionaryDialog::OnInitDialog() {
    Dialog::OnInitDialog();
    SetItemText(ids_.edit, newName);
    FillList();
    return true;
}

void NameDictionaryDialog::FillList() {
    ListBoxControl* list = NameList();
    list->ResetContent();
    for (const auto& [id, name] : Names()) list->AddString(name);
}

int NameDictionaryDialog::EntryIdAtRow(int row) const {
    const NameMap& names = Names();
    if (row < 0 || row >= static_cast<int>(names.size())) return -1;
    return std::next(names.begin(), row)->first;
}

void NameDictionaryDialog::OnAdd() {
    newName = ItemText(ids_.edit);
    if (newName.empty()) return;
    // A new name is stored with the current loft; without one nothing is added, and the user
    // is told so as by every other command that needs a loft.
    const LoftRecord* loft = CurrentLoftOrSay(this);
    if (!loft) return;

    std::set<int> before;
    bool listed = false;
    for (const auto& entry : Names()) {
        before.insert(entry.first);
        listed = listed || entry.second == newName;
    }
    // The file holds each name once: a name on the list is not added again, and a name the file
    // refused is not shown as if added. Either way the user is told, the name still typed.
    if (listed) {
        MessageBox(this, u"Ta nazwa jest już na liście.");
        return;
    }
    if (!AddName(loft->id, newName)) {
        MessageBox(this, u"Nie udało się dodać nazwy do listy.");
        return;
    }

    // The new entry takes the row of its place in id order (the last one, as ids only grow),
    // so that row i stays the i-th entry of the map.
    int row = 0;
    for (const auto& [id, name] : Names()) {
        if (!before.count(id)) {
            NameList()->InsertString(row, name);
            return;
        }
        ++row;
    }
}

void NameDictionaryDialog::OnRemove() {
    ListBoxControl* list = NameList();
    const int row = list->GetCurSel();
    // Row 0 is the blank entry every bird without this value points to.
    if (row < 1) return;
    const int id = EntryIdAtRow(row);
    if (id <= 0) return;
    if (!DeleteName(id)) return;
    list->DeleteString(row);
}

void NameDictionaryDialog::OnEraseBkgnd(Dc& dc) {
    PaintDialogHeader(*this, dc, headerTitle_, kTitleInset);
}
