#pragma once
// Everything through which the program talks to the user outside its own windows: message
// boxes, modal runs of dialogs, file and folder choosers, opening documents and programs, and
// printing. In the running program these show the real thing; in tests they are scripted and
// recorded, so a test never waits on a window.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QWidget;
class QPrinter;
class Dialog;

// Results of message boxes and dialogs.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDYESTOALL = 100;  // "Tak dla wszystkich" of the file-replace question

// Buttons of a message box (one of these) ...
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_YESTOALLNOCANCEL = 0xF;  // Yes / Yes to all / No / Cancel
// ... its icon (one of these) ...
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// ... and which button is the default.
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;

// The program's name, the caption of message boxes that have none of their own.
QString ApplicationName();

// Shows a message box and returns the button chosen (IDOK, IDYES, ...). Closing the box counts
// as its Cancel, or as No / OK where there is no Cancel.
int MessageBox(QWidget* parent, const QString& text, const QString& caption = {},
               unsigned flags = MB_OK);
int MessageBox(QWidget* parent, const std::u16string& text, const std::u16string& caption = {},
               unsigned flags = MB_OK);

// File choosers. `filter` is a list of pairs "text|patterns|text|patterns||" with patterns
// separated by ';' ("Plik HTML" alone is a text without patterns). Empty when cancelled.
QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& caption = {},
                        const QString& folder = {});
QString GetSaveFileName(QWidget* parent, const QString& filter,
                        const QString& defaultExtension = {}, const QString& fileName = {},
                        const QString& caption = {});
// The filter in the form of Qt's file dialogs ("JPEG (*.jpg *.jpeg);;Plik HTML (*)").
QString FileFilterForQt(const QString& filter);
// A folder chooser; false when cancelled.
bool BrowseForFolder(QString& folder, const QString& title, QWidget* parent = nullptr);

// Opens a document or address with the desktop's program for it; false when that failed.
bool OpenDocument(const QString& pathOrUrl);
// What OpenDocument does outside tests: the desktop's opener, false when it reports that no
// program could open the file.
bool OpenWithDesktopProgram(const QString& pathOrUrl);
// Starts a program without waiting for it; false when it could not be started.
bool StartProgram(const QString& program, const QStringList& arguments = {});

// Makes a printer ready: in tests, PDF output to the path set below; otherwise the default
// printer when there is one and no prompt is wanted, else the print dialog. False when the user
// cancelled the dialog.
bool PreparePrinter(QPrinter& printer, QWidget* parent, bool prompt);

// The time it is now, in seconds since 1970: the system clock's, unless a test stopped it.
long long CurrentTime();

namespace seams {

// Stops the clock CurrentTime reads at `time` (seconds since 1970); a negative time lets it run
// again, as Reset does.
void SetCurrentTime(long long time);

// Switches every seam to its scripted form. The window tests switch it on once at start.
void SetTestMode(bool on);
bool TestMode();

// Message boxes: every call is recorded; the answer is the next scripted one, else the box's
// most cautious button (OK, Cancel where there is one, else No).
struct MessageBoxCall {
    QString text;
    QString caption;
    unsigned flags = 0;
    int answer = 0;
};
void ScriptMessageBoxAnswers(std::vector<int> answers);
const std::vector<MessageBoxCall>& MessageBoxCalls();
// Called with each message box's text while it would be on screen, before it is answered.
void WatchMessageBoxes(std::function<void(const QString& text)> watcher);

// Modal dialogs: when a handler is set, DoModal calls it with the dialog (initialised and shown,
// but without a nested event loop) instead of running the window. The handler sets fields and
// clicks buttons; DoModal returns the code of EndDialog when the dialog ended, otherwise the
// handler's result. Without a handler in test mode, a modal run ends at once with IDCANCEL.
using ModalHandler = std::function<int(Dialog&)>;
void SetModalHandler(ModalHandler handler);
// Handlers used one after another for the next modal runs, before the general handler.
void QueueModalHandler(ModalHandler handler);
struct ModalRun {
    int templateId = 0;
    QString caption;
    int result = 0;
};
const std::vector<ModalRun>& ModalRuns();

// File and folder choosers take the next scripted path; an empty path or none left cancels.
void ScriptPaths(std::vector<QString> paths);
struct ChooserCall {
    enum Kind { Open, Save, Folder } kind = Open;
    QString filter;      // the filter as the program passed it
    QString title;
    QString answer;
};
const std::vector<ChooserCall>& ChooserCalls();

// Documents opened and programs started are recorded instead of being run.
const std::vector<QString>& OpenedDocuments();
const std::vector<QString>& StartedPrograms();   // program and arguments joined by spaces
// While on, each document opened and program started is recorded and then fails, as on a
// desktop with no program for it.
void FailLaunches(bool on);

// Printing goes to this PDF file while it is set (also outside test mode).
void SetPrintToPdf(const QString& path);
QString PrintToPdf();

// File copies of the backup and the restore: while set, the copy of a file the function
// accepts (by its source or destination path) fails (as on a full disk for the database files;
// a plain failure with no reason for the others). So does the removal of the restore's marker
// at start when it accepts the marker's path, and the flush of everything a backup wrote
// before its mark goes when it accepts the backup's folder. Tests run as root, where file modes
// cannot make a write fail.
void FailFileCopies(std::function<bool(const QString& path)> fails);

// Forgets scripts, handlers, records and a stopped clock (not the test mode and not the PDF
// path).
void Reset();

namespace detail {
// For Dialog::DoModal: the handler for the next modal run (queued first, then the general one);
// empty when the window is to run for real.
ModalHandler NextModalHandler();
void RecordModalRun(const ModalRun& run);
// For the backup and the restore: whether the copy of `from` to `to` is to fail.
bool FileCopyFails(const QString& from, const QString& to);
}  // namespace detail

}  // namespace seams
