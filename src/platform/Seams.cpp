#include "Seams.h"

#include <QDebug>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <ctime>

namespace {

struct SeamState {
    bool testMode = false;
    std::deque<int> answers;
    std::vector<seams::MessageBoxCall> messageBoxes;
    seams::ModalHandler modalHandler;
    std::deque<seams::ModalHandler> queuedHandlers;
    std::vector<seams::ModalRun> modalRuns;
    std::deque<QString> paths;
    std::vector<seams::ChooserCall> choosers;
    std::vector<QString> opened;
    std::vector<QString> started;
    bool launchesFail = false;
    QString pdf;
    std::function<bool(const QString&)> failingCopies;
    std::function<void(const QString&)> messageBoxWatcher;
    long long stoppedClock = -1;
};

SeamState& State() {
    static SeamState state;
    return state;
}

unsigned ButtonSet(unsigned flags) { return flags & 0xF; }

// The answer of a box that the user closed or that nobody answered: its most cautious button.
int CautiousAnswer(unsigned flags) {
    switch (ButtonSet(flags)) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_YESTOALLNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    // Messages quote what the user typed (a bird's name, a file name): shown as typed, never
    // taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice {
        const char* text;
        int result;
        QMessageBox::ButtonRole role;
    };
    std::vector<Choice> choices;
    switch (ButtonSet(flags)) {
    case MB_OKCANCEL:
        choices = {{"OK", IDOK, QMessageBox::AcceptRole}, {"Anuluj", IDCANCEL, QMessageBox::RejectRole}};
        break;
    case MB_YESNO:
        choices = {{"Tak", IDYES, QMessageBox::YesRole}, {"Nie", IDNO, QMessageBox::NoRole}};
        break;
    case MB_YESNOCANCEL:
        choices = {{"Tak", IDYES, QMessageBox::YesRole},
                   {"Nie", IDNO, QMessageBox::NoRole},
                   {"Anuluj", IDCANCEL, QMessageBox::RejectRole}};
        break;
    case MB_YESTOALLNOCANCEL:
        choices = {{"Tak", IDYES, QMessageBox::YesRole},
                   {"Tak dla wszystkich", IDYESTOALL, QMessageBox::YesRole},
                   {"Nie", IDNO, QMessageBox::NoRole},
                   {"Anuluj", IDCANCEL, QMessageBox::RejectRole}};
        break;
    default:
        choices = {{"OK", IDOK, QMessageBox::AcceptRole}};
        break;
    }
    std::vector<QPushButton*> buttons;
    for (const Choice& choice : choices)
        buttons.push_back(box.addButton(QString::fromUtf8(choice.text), choice.role));
    const std::size_t defaultIndex = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
    box.setDefaultButton(buttons[std::min(defaultIndex, buttons.size() - 1)]);
    const int cautious = CautiousAnswer(flags);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].result == cautious) box.setEscapeButton(buttons[i]);
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return choices[i].result;
    return cautious;
}

QString NextScriptedPath() {
    auto& paths = State().paths;
    if (paths.empty()) return {};
    QString path = paths.front();
    paths.pop_front();
    return path;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + extension;
}

}  // namespace

QString ApplicationName() { return QStringLiteral("Ornivex 6"); }

int MessageBox(QWidget* parent, const QString& text, const QString& caption, unsigned flags) {
    const QString shownCaption = caption.isEmpty() ? ApplicationName() : caption;
    SeamState& state = State();
    if (!state.testMode) return ShowMessageBox(parent, text, shownCaption, flags);
    if (state.messageBoxWatcher) state.messageBoxWatcher(text);
    int answer = CautiousAnswer(flags);
    if (!state.answers.empty()) {
        answer = state.answers.front();
        state.answers.pop_front();
    }
    state.messageBoxes.push_back({text, shownCaption, flags, answer});
    return answer;
}

int MessageBox(QWidget* parent, const std::u16string& text, const std::u16string& caption,
               unsigned flags) {
    return MessageBox(parent, QString::fromStdU16String(text), QString::fromStdU16String(caption),
                      flags);
}

QString FileFilterForQt(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    while (!parts.isEmpty() && parts.back().trimmed().isEmpty()) parts.removeLast();
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& p : parts[i + 1].split(QLatin1Char(';'))) {
                if (!p.trimmed().isEmpty()) patterns << p.trimmed();
            }
        }
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        // Most texts already end with their patterns in brackets ("Pliki tekstowe (*.txt)"):
        // those brackets are rewritten the way the file dialog reads them (separated by spaces)
        // instead of being followed by the same patterns again. A text whose brackets name other
        // patterns keeps them, and the real ones follow.
        QString text = parts[i].trimmed();
        const qsizetype open = text.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && text.endsWith(QLatin1Char(')'))) {
            QStringList shown;
            const QString inside = text.mid(open + 1, text.size() - open - 2);
            for (const QString& p : inside.split(QRegularExpression(QStringLiteral("[;\\s]+")))) {
                if (!p.isEmpty()) shown << p;
            }
            if (QSet<QString>(shown.begin(), shown.end()) ==
                QSet<QString>(patterns.begin(), patterns.end())) {
                text.truncate(open);
                text = text.trimmed();
            }
        }
        entries << text + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& caption,
                        const QString& folder) {
    SeamState& state = State();
    QString path;
    if (state.testMode) {
        path = NextScriptedPath();
        state.choosers.push_back({seams::ChooserCall::Open, filter, caption, path});
        return path;
    }
    return QFileDialog::getOpenFileName(parent, caption, folder, FileFilterForQt(filter));
}

QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultExtension,
                        const QString& fileName, const QString& caption) {
    SeamState& state = State();
    QString path;
    if (state.testMode) {
        path = WithDefaultExtension(NextScriptedPath(), defaultExtension);
        state.choosers.push_back({seams::ChooserCall::Save, filter, caption, path});
        return path;
    }
    const QString start = fileName.contains(QLatin1Char('*')) ? QString() : fileName;
    // The dialog adds the default extension itself, so the overwrite question is asked about
    // the file that will really be written.
    QFileDialog dialog(parent, caption, start, FileFilterForQt(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QString suffix = defaultExtension;
    while (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}

bool BrowseForFolder(QString& folder, const QString& title, QWidget* parent) {
    SeamState& state = State();
    QString chosen;
    if (state.testMode) {
        chosen = NextScriptedPath();
        state.choosers.push_back({seams::ChooserCall::Folder, QString(), title, chosen});
    } else {
        chosen = QFileDialog::getExistingDirectory(parent, title);
    }
    if (chosen.isEmpty()) return false;
    folder = chosen;
    return true;
}

bool OpenDocument(const QString& pathOrUrl) {
    SeamState& state = State();
    if (state.testMode) {
        state.opened.push_back(pathOrUrl);
        return !state.launchesFail;
    }
    return OpenWithDesktopProgram(pathOrUrl);
}

bool OpenWithDesktopProgram(const QString& pathOrUrl) {
    const bool isUrl = pathOrUrl.contains(QLatin1String("://")) ||
                       pathOrUrl.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(isUrl ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl));
    // The opener fails at once when no program takes the file; one that is still running after
    // a moment is running that program in its place and is left to finish on its own.
    auto* process = new QProcess;
    process->start(opener, {pathOrUrl});
    if (!process->waitForStarted(3000)) {
        delete process;
        return false;
    }
    if (process->waitForFinished(2000)) {
        const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return opened;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

bool StartProgram(const QString& program, const QStringList& arguments) {
    SeamState& state = State();
    if (state.testMode) {
        state.started.push_back((QStringList{program} + arguments).join(QLatin1Char(' ')));
        return !state.launchesFail;
    }
    return QProcess::startDetached(program, arguments);
}

bool PreparePrinter(QPrinter& printer, QWidget* parent, bool prompt) {
    SeamState& state = State();
    if (!state.pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(state.pdf);
        return true;
    }
    if (state.testMode) return false;  // tests never reach a real printer
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!prompt && !defaultPrinter.isNull()) {
        printer.setPrinterName(defaultPrinter.printerName());
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

long long CurrentTime() {
    const long long stopped = State().stoppedClock;
    return stopped >= 0 ? stopped : static_cast<long long>(std::time(nullptr));
}

namespace seams {

void SetCurrentTime(long long time) { State().stoppedClock = time < 0 ? -1 : time; }

void SetTestMode(bool on) { State().testMode = on; }
bool TestMode() { return State().testMode; }

void ScriptMessageBoxAnswers(std::vector<int> answers) {
    State().answers.assign(answers.begin(), answers.end());
}
const std::vector<MessageBoxCall>& MessageBoxCalls() { return State().messageBoxes; }

void SetModalHandler(ModalHandler handler) { State().modalHandler = std::move(handler); }
void QueueModalHandler(ModalHandler handler) { State().queuedHandlers.push_back(std::move(handler)); }
const std::vector<ModalRun>& ModalRuns() { return State().modalRuns; }

void ScriptPaths(std::vector<QString> paths) { State().paths.assign(paths.begin(), paths.end()); }
const std::vector<ChooserCall>& ChooserCalls() { return State().choosers; }

const std::vector<QString>& OpenedDocuments() { return State().opened; }
const std::vector<QString>& StartedPrograms() { return State().started; }
void FailLaunches(bool on) { State().launchesFail = on; }

void SetPrintToPdf(const QString& path) { State().pdf = path; }
QString PrintToPdf() { return State().pdf; }

void WatchMessageBoxes(std::function<void(const QString& text)> watcher) {
    State().messageBoxWatcher = std::move(watcher);
}

void FailFileCopies(std::function<bool(const QString& path)> fails) {
    State().failingCopies = std::move(fails);
}

void Reset() {
    SeamState& state = State();
    state.failingCopies = nullptr;
    state.launchesFail = false;
    state.messageBoxWatcher = nullptr;
    state.stoppedClock = -1;
    state.answers.clear();
    state.messageBoxes.clear();
    state.modalHandler = nullptr;
    state.queuedHandlers.clear();
    state.modalRuns.clear();
    state.paths.clear();
    state.choosers.clear();
    state.opened.clear();
    state.started.clear();
}

namespace detail {

ModalHandler NextModalHandler() {
    SeamState& state = State();
    if (!state.queuedHandlers.empty()) {
        ModalHandler handler = std::move(state.queuedHandlers.front());
        state.queuedHandlers.pop_front();
        return handler;
    }
    return state.modalHandler;
}

void RecordModalRun(const ModalRun& run) { State().modalRuns.push_back(run); }

bool FileCopyFails(const QString& from, const QString& to) {
    const auto& fails = State().failingCopies;
    return fails && (fails(from) || fails(to));
}

}  // namespace detail
}  // namespace seams
