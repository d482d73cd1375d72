#pragma once
// What the user is working on, shared by the main window, its pages and the editors they open.
// Each is an index, -1 when there is none.

// Index of the current loft in CDataStore::Lofts().
extern int g_currentLoftIndex;
// Index of the current category in that loft's category vector.
extern int g_currentCategoryIndex;
// Selected row of the bird list page.
extern int g_selectedPigeonRow;

class QWidget;
struct CategoryRecord;
struct LoftRecord;

// The current loft of the data store and the current category of that loft, null when none is
// current (or the index names none any more).
const LoftRecord* CurrentLoft();
const CategoryRecord* CurrentCategory();

// What a command that needs a current loft or category says when there is none.
inline constexpr char16_t kNoLoftText[] = u"Najpierw dodaj lub wybierz hodowlę.";
inline constexpr char16_t kNoCategoryText[] = u"Musisz wybrać kategorię z listy";

// The current loft for a command that needs one; without one the user is told so
// (kNoLoftText) and null comes back.
const LoftRecord* CurrentLoftOrSay(QWidget* parent);

// Tells the user that a database file could not be read (another program holds it, or it is
// damaged), naming the file; the records in memory stay as they were.
void TellFileUnreadable(QWidget* parent, const char16_t* path);
// The same question at start-up: true when the user wants to try again, false to end.
bool AskRetryUnreadableFile(QWidget* parent, const char16_t* path);
