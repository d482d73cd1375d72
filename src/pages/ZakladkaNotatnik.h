#pragma once
// The notebook page ("Notatnik"): the loaded loft's notes by name. This first form carries the
// note list and the calls the main window makes; the editor and its buttons come with the
// notebook itself.

#include <string>

#include "Dialog.h"

class ListView;

class CZakladkaNotatnik : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 155;
    static constexpr int kNoteList = 1080;

    explicit CZakladkaNotatnik(QWidget* parent = nullptr);

    void OnOK() override {}
    void OnCancel() override {}

    ListView* NoteList() const;

    // Index -1 appends a note name to the list; any other index renames that item.
    void AddNoteToList(int index, const std::u16string& name);
    // Lists every note of the loaded loft again (item i is CDataStore::notes[i]).
    void FillNoteList();
    // Where the editor goes, from the main window's page area.
    void PlaceEditor(int left, int top, int right, int bottom);

    // Index of the note shown in the editor within CDataStore::notes, -1 for none.
    int currentNote = -1;

private:
    Rect editorRect_;
};
