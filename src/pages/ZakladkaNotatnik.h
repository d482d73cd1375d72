#pragma once
// The notebook page ("Notatnik"): the loaded loft's notes by name on the left and an HTML editor
// with formatting buttons on the right. A note's name is a row of `notatki`; its body is the file
// db/notes/<id>.html, UTF-16LE with a byte-order mark.
//
// The note being edited is written back to its own file whenever the user leaves it: choosing a
// note in the list, creating or deleting a note, going to another page, choosing another loft
// and closing the program (the main window calls SaveCurrentNote for the last three). Text can
// be typed only while a note is being edited, so nothing typed is ever without a file to go to.

#include <string>

#include "Dialog.h"
#include "HtmlEditBrowser.h"

class ListView;
struct NoteRecord;

class CZakladkaNotatnik : public Dialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 155;
    static constexpr int kNoteList = 1080;
    static constexpr int kNewNote = 1068;
    static constexpr int kDeleteNote = 1069;
    static constexpr int kBold = 1070;
    static constexpr int kItalic = 1071;
    static constexpr int kUnderline = 1073;
    static constexpr int kFontSize1 = 1074;  // "1" to "5": font sizes 6 down to 2
    static constexpr int kFontSize5 = 1078;
    static constexpr int kHorizontalLine = 1079;
    static constexpr int kPrint = 1231;
    static constexpr int kSave = 1232;

    // The text of a note just created.
    static constexpr const char16_t* kNewNoteText = u"<HTML><BODY>&nbsp;</BODY></HTML>";
    // What the editor shows while no note is open, and what "Usuń Notatkę" says then.
    static constexpr const char16_t* kNoNoteOpenText =
        u"Żadna notatka nie jest otwarta. Wybierz notatkę z listy albo dodaj nową.";
    static constexpr const char16_t* kChooseNoteText = u"Należy wybrać notatkę z listy.";

    explicit CZakladkaNotatnik(QWidget* parent = nullptr);

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    ListView* NoteList() const;
    CHtmlEditBrowser& Editor() { return editor_; }

    // Index -1 appends a note name to the list; any other index renames that item.
    void AddNoteToList(int index, const std::u16string& name);
    // Lists the notes now loaded (item i is CDataStore::notes[i]) with none being edited. The
    // main window calls it after loading a loft, having saved the note being edited first.
    void FillNoteList();
    // Where the editor goes, from the main window's page area.
    void PlaceEditor(int left, int top, int right, int bottom);

    void OnNoteClicked();
    void NewNote();
    void DeleteNote();
    // Shows a note's file in the editor, ready for typing.
    void LoadNote(const NoteRecord& note);
    // Writes the editor's document into the note's file; false when nothing was written.
    bool SaveNote(const NoteRecord& note);
    // Saves the note being edited, if any; false when there is none or it could not be saved.
    bool SaveCurrentNote();

    // Index of the note shown in the editor within CDataStore::notes, -1 for none.
    int currentNote = -1;

protected:
    void OnEraseBkgnd(Dc& dc) override;
    void OnShowWindow(bool show) override;

private:
    // The note being edited, found again by its id: its position in the vector may have moved.
    // -1 when it is no longer loaded.
    int CurrentNoteIndex() const;
    void ForgetCurrentNote();

    CHtmlEditBrowser editor_;
    Rect editorRect_;
    bool firstShow_ = false;
    int currentNoteId_ = 0;  // id of the note being edited; its file is the one saved to
};
