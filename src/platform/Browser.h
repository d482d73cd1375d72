#pragma once
// The program's one web browser: a QWebEngineView wrapped with what the windows need of it —
// showing a file or URL, printing (without a prompt or with the print dialog), print preview,
// design mode, the editing commands of the notebook, an empty document and the document's HTML
// read back synchronously.
//
// Loading is asynchronous. Every operation that touches the document first waits (on a local
// event loop, with a timeout) until the last navigation asked for has finished, and refuses to act
// when it failed or did not finish: an edit or a read never reaches the document that was shown
// before, so one note's text can never be read back as another's.

#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>

// Readies the web engine before the application exists. The engine refuses to start as root
// with its sandbox on (the program then ended at once), so a process running as root turns the
// sandbox off itself and says so once on standard error. An end forced from inside the engine
// (one that could not start ends the process) is explained on standard error instead of passing
// without a word; the program calls EndedNormally() once its main window has closed.
void PrepareWebEngine(bool runningAsRoot);
void EndedNormally();

class QPrinter;
class QPrintPreviewDialog;
class QWebEngineLoadingInfo;
class QWebEngineView;

class Browser : public QWidget {
    Q_OBJECT
public:
    explicit Browser(QWidget* parent = nullptr);
    ~Browser() override;

    // How long an operation waits for the page to finish loading, and for a script to answer.
    static constexpr int kLoadTimeoutMs = 15000;
    static constexpr int kScriptTimeoutMs = 5000;
    static constexpr int kPrintTimeoutMs = 60000;

    // Shows a local file (absolute or relative path) or a URL with a scheme (file:, http:, ...).
    // An empty text does nothing.
    void Navigate(const QString& pathOrUrl);
    void Navigate(const QUrl& url);

    // Replaces the document with an empty one (design mode off, as for every new document).
    void NewDocument();

    // Waits until the last navigation has finished. True when it loaded; false when it failed, was
    // stopped or did not finish in time, and also when nothing was ever shown.
    bool WaitForDocument(int timeoutMs = kLoadTimeoutMs);

    // The URL of the last navigation asked for (empty before the first).
    QUrl RequestedUrl() const { return requested_; }

    // Design mode on or off for the document shown; true when it was switched.
    bool SetDesignMode(bool on);
    // Whether the document shown is in design mode (false when there is no document).
    bool DesignMode();

    // Editing commands on the selection of the document shown. A command runs only when the
    // document supports it and it is enabled there (so only in design mode or in editable
    // content); false when it did not run.
    enum class CommandStatus { Supported = 1, Enabled = 2 };
    int QueryCommandStatus(const QString& command);  // bits of CommandStatus, 0 without a document
    bool ExecCommand(const QString& command, const QVariant& value = {});
    bool ToggleBold() { return ExecCommand(QStringLiteral("bold")); }
    bool ToggleItalic() { return ExecCommand(QStringLiteral("italic")); }
    bool ToggleUnderline() { return ExecCommand(QStringLiteral("underline")); }
    bool SetFontSize(int size) { return ExecCommand(QStringLiteral("fontSize"), size); }
    bool InsertHorizontalLine() { return ExecCommand(QStringLiteral("insertHorizontalRule")); }

    // Text encoding assumed for documents that do not declare their own.
    void SetDefaultCharset(const QString& charset);

    // The HTML of the document shown, as it stands now (with the edits made in design mode),
    // including its document type line when it has one. False, with `html` untouched, when no
    // document finished loading or the script did not answer in time.
    bool GetHtml(QString& html, int timeoutMs = kScriptTimeoutMs);

    // Runs a script in the document shown and returns its result; an invalid QVariant when
    // there is no document or no answer in time.
    QVariant RunScript(const QString& script, int timeoutMs = kScriptTimeoutMs);

    // Prints the document shown. Without a prompt it goes to the default printer, or through the
    // print dialog when the machine has none; with a prompt the print dialog always comes first.
    // While the seam's PDF file is set the printout goes there instead. True when printed.
    bool Print(bool prompt = false);
    // Opens the print preview of the document shown.
    void PrintPreview();
    // Renders the document shown onto a printer set up by the caller; true when printed. Pages
    // get margins of kPrintMarginMm on every side unless the document gives its own in an @page
    // rule, in which case its sheets are printed edge to edge as laid out. A printer whose output
    // is a PDF file gets the engine's PDF written there, its text kept as text (only the pages
    // of the printer's page ranges); a file that cannot be written is reported in a message box.
    // Other printers and the print preview get the pages drawn as images.
    bool PrintTo(QPrinter& printer);
    static constexpr qreal kPrintMarginMm = 10.0;

    // Draws the pages of a PDF onto a printer as images at up to 300 dots per inch, sheet by
    // sheet one to one, each sheet turned as its page is; only the printer's page ranges.
    static bool DrawPdfPages(const QByteArray& bytes, QPrinter& printer);

    QWebEngineView* View() const { return view_; }

    // Whether `widget` is part of a browser (the engine's own widgets lie inside it). Windows
    // that swallow Enter or Escape let these keys through to a browser, where Enter in an
    // editable page starts a new line.
    static bool HoldsWidget(const QWidget* widget);

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    bool DocumentReady();
    bool PageSetsItsMargins();
    static bool WritesPdfFile(QPrinter& printer);
    bool SavePdf(const QByteArray& bytes, const QString& path);

    QWebEngineView* view_ = nullptr;
    QUrl requested_;
    bool awaitingLoad_ = false;  // a navigation was asked for and has not finished
    bool documentOk_ = false;    // the last finished navigation loaded its document
    bool followingPage_ = false; // the navigation awaited was started by the page itself
    bool printing_ = false;
};

// Test seam of the print preview (printing itself goes through PreparePrinter of Seams.h).
namespace browser_seams {

// When set, the print preview window is handed to the hook instead of being run modally. In
// test mode without a hook the preview is built but not shown.
void SetPrintPreviewHook(std::function<void(QPrintPreviewDialog&)> hook);

}  // namespace browser_seams
