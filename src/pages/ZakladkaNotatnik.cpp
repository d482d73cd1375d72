#include "ZakladkaNotatnik.h"

#include "DataStore.h"
#include "ListView.h"

CZakladkaNotatnik::CZakladkaNotatnik(QWidget* parent) : Dialog(kTemplateId, parent) {}

ListView* CZakladkaNotatnik::NoteList() const { return List(kNoteList); }

void CZakladkaNotatnik::AddNoteToList(int index, const std::u16string& name) {
    ListView* list = NoteList();
    if (!list) return;
    if (index == -1) {
        list->InsertItem(list->GetItemCount(), name);
    } else {
        list->SetItemText(index, 0, name);
    }
}

// A list that still showed another loft's notes would open, and on saving overwrite, the wrong
// note files, so the list always follows the notes that are loaded.
void CZakladkaNotatnik::FillNoteList() {
    currentNote = -1;
    if (ListView* list = NoteList()) list->DeleteAllItems();
    for (const NoteRecord& note : TheDataStore().notes) AddNoteToList(-1, note.nazwa);
}

void CZakladkaNotatnik::PlaceEditor(int left, int top, int right, int bottom) {
    const int x = left + 240, y = top - 50;
    editorRect_ = Rect(x, y, x + (right - left - 250), y + (bottom - top - 100));
}
