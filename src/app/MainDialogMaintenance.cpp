// The main window's database maintenance commands: backup and restore of the `db` folder, the
// SQL console, the pigeon-database management window and the import of the previous version's
// files. After anything that changed the files behind the data store's back, the lofts and the
// current loft are loaded again, so the windows never show, or write back, what the files no
// longer hold.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "DataStore.h"
#include "DatabaseRestore.h"
#include "FolderChooser.h"
#include "Globals.h"
#include "ImportujDaneZWersji5.h"
#include "KonsolaSQL.h"
#include "MainDialog.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "SingleInstance.h"
#include "Sqlite.h"
#include "Shell.h"
#include "SystemErrors.h"
#include "V5Data.h"
#include "V5Import.h"
#include "ZakladkaNotatnik.h"
#include "ZarzadzajBazaGolebi.h"

namespace {

const char16_t kBackupPrompt[] =
    u"Wybierz folder docelowy dla bazy danych programu Ornivex\r\n W wybranej lokalizacji "
    u"stworzony zostanie katalog o nazwie OXKopiaDanych, który musisz zabezpieczyć - np. zapisać "
    u"na płytę CD lub pendrive.";
const char16_t kRestorePrompt[] =
    u"Wybierz folder w którym zapisano kopię bazy danych programu Ornivex. Wskaż katalog o nazwie "
    u"OXKopiaDanych.";
const char16_t kVersion5Prompt[] =
    u"Wskaż folder, w którym zainstalowano program Ornivex 5 (zawiera on katalog database).";

QString Q(const Text& text) { return QString::fromStdU16String(text); }

// The folder's path with links resolved where it exists, so two spellings of one folder compare
// equal.
QString Canonical(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// True when `path` is the database folder or lies inside it.
bool InsideDbFolder(const Text& path) {
    const QString folder = Canonical(Q(path));
    const QString db = Canonical(Q(DbFolder()));
    return folder == db || folder.startsWith(db + QLatin1Char('/'));
}

// The database files of the db folder, copied through SQLite rather than byte by byte.
bool IsDatabaseFile(const QString& relative) {
    return relative == QLatin1String("pigeons.db") ||
           relative == QLatin1String("dodatkowe_informacje.db");
}

// A file SQLite keeps beside a database file during a write (its journal, write-ahead log or
// shared memory). Such a file belongs to the database file it lies beside as it stood then: next
// to any other copy of that file it would be taken for an unfinished write and played back
// into it.
bool IsDatabaseCompanion(const QString& relative) {
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        if (relative.endsWith(QLatin1String(suffix)) &&
            IsDatabaseFile(relative.chopped(static_cast<qsizetype>(qstrlen(suffix))))) {
            return true;
        }
    }
    return false;
}

// Files of the db folder that are no part of the data: the lock a running copy holds on the
// folder, and the marker and copies a restore keeps until both database files are in. A backup
// leaves them out, and a restore never brings them in.
bool IsWorkingFile(const QString& relative) {
    // The lock file, and what an earlier version's lock left beside it.
    return relative.startsWith(QLatin1String(kDataFolderLockFile)) ||
           IsRestoreWorkingFile(relative.toStdU16String());
}

// The backup's way of copying: each database file as it stood at its last commit, even while
// a write is under way, and without the files SQLite keeps beside it during a write. A file not
// replaced at the user's word leaves the backup a mix of old and new files, so it counts as not
// copied.
shell::CopyOptions BackupCopyOptions() {
    shell::CopyOptions options;
    options.leaveOut = [](const QString& relative) {
        return IsDatabaseCompanion(relative) || IsWorkingFile(relative) ||
               shell::IsCopyLeftover(relative);
    };
    options.copyFile = [](const QString& from, const QString& part, int& error) {
        if (seams::detail::FileCopyFails(from, part)) return false;
        if (!IsDatabaseFile(QFileInfo(from).fileName()) ||
            QFileInfo(from).absolutePath() != Canonical(Q(DbFolder()))) {
            return shell::CopyFileBytes(from, part, error);
        }
        return SqlSnapshotFile(from.toStdU16String(), part.toStdU16String(), &error);
    };
    options.declinedIsIncomplete = true;
    options.flushEachFile = true;
    return options;
}

// The restore's way of copying the files beside the database files (pictures, documents,
// notes): the database files are restored on their own, both or neither, and nothing SQLite
// keeps beside them is brought in.
shell::CopyOptions RestoreCopyOptions(bool replaceAll) {
    shell::CopyOptions options;
    options.leaveOut = [](const QString& relative) {
        return IsDatabaseFile(relative) || IsDatabaseCompanion(relative) ||
               IsWorkingFile(relative) || shell::IsCopyLeftover(relative);
    };
    options.copyFile = [](const QString& from, const QString& part, int& error) {
        return !seams::detail::FileCopyFails(from, part) && shell::CopyFileBytes(from, part, error);
    };
    options.replaceAll = replaceAll;
    return options;
}

// Why the chosen folder holds no backup that can be restored; empty when it holds one.
QString NotABackupText(const BackupFolderCheck& check, const Text& folder) {
    const QString hint = QStringLiteral(" Wskaż katalog o nazwie OXKopiaDanych.");
    if (check.cutShort) {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(check.mark.began);
        const QString began =
            check.mark.began == kNoDate
                ? QString()
                : QStringLiteral(", rozpoczęte %1 o %2,")
                      .arg(when.toString(QStringLiteral("dd.MM.yyyy")),
                           when.toString(QStringLiteral("HH:mm")));
        return QStringLiteral("Kopii bazy danych z folderu %1 nie można wczytać: jej zapisywanie%2 "
                              "zostało przerwane, zanim się zakończyło (w folderze pozostał plik "
                              "%3), więc jej pliki mogą pochodzić z różnych kopii. Nic nie zostało "
                              "zmienione. Wskaż inną kopię bazy danych.")
            .arg(Q(folder), began, Q(JoinPath(folder, BackupMarkName())));
    }
    if (check.missing.size() > 1) {
        return QStringLiteral("W wybranym folderze nie ma kopii bazy danych (plików pigeons.db "
                              "ani dodatkowe_informacje.db).") + hint;
    }
    if (check.missing.size() == 1) {
        return QStringLiteral("W wybranym folderze nie ma pełnej kopii bazy danych: brakuje pliku "
                              "%1, a bez niego kopii nie można wczytać. Nic nie zostało "
                              "zmienione.").arg(Q(check.missing.front())) + hint;
    }
    const DbFileCheck& damaged = check.damaged;
    if (damaged.ok()) return {};
    const QString reason =
        damaged.fault == DbFileCheck::NotOurs
            ? QStringLiteral("nie ma w nim tabeli %1").arg(QString::fromStdString(damaged.detail))
            : QString::fromStdString(damaged.detail);
    return QStringLiteral("Kopii bazy danych nie można wczytać: plik %1 jest uszkodzony albo nie "
                          "jest plikiem bazy danych programu (%2). Nic nie zostało zmienione.")
        .arg(Q(damaged.file), reason);
}

// What a restore that failed tells the user: why, and what the files in use now are.
QString RestoreFailureText(const DbRestoreResult& restored, const Text& folder) {
    if (restored.fault == DbRestoreResult::NotABackup) return NotABackupText(restored.check, folder);
    if (restored.fault == DbRestoreResult::Unfinished) {
        return QStringLiteral("Kopii bazy danych nie można teraz wczytać: poprzednie wczytywanie "
                              "kopii nie zostało dokończone (plik %1). Zamknij program i uruchom "
                              "go ponownie: przy uruchomieniu przywróci bazę danych sprzed "
                              "tamtego wczytywania. Nic nie zostało zmienione.")
            .arg(Q(restored.file));
    }
    const QString reason = restored.diskFull ? QStringLiteral("na dysku zabrakło miejsca")
                                             : QString::fromStdString(restored.detail);
    const QString what =
        restored.file == DbFolder()
            ? QStringLiteral("zmian w folderze %1 nie dało się zapisać na dysku (%2)")
                  .arg(Q(restored.file), reason)
            : QStringLiteral("pliku %1 nie dało się zapisać (%2)").arg(Q(restored.file), reason);
    QString text = QStringLiteral("Kopii bazy danych nie można wczytać: ") + what;
    if (!restored.notPutBack.empty()) {
        // The files in use are a restored file beside one of before. The copy of before and the
        // marker stay, so the next start puts it back.
        return text + QStringLiteral(", a pliku %1 nie dało się przywrócić do stanu sprzed "
                                     "wczytywania. Jego kopia sprzed wczytywania została "
                                     "zachowana jako %2. Program zostanie zamknięty; przy "
                                     "następnym uruchomieniu przywróci bazę danych sprzed "
                                     "wczytywania.")
                          .arg(Q(restored.notPutBack), Q(restored.keptCopy));
    }
    if (!restored.endProgram) return text + QStringLiteral(". Nic nie zostało zmienione.");
    if (restored.unchanged) {
        return text + QStringLiteral(". Baza danych jest taka, jak przed wczytywaniem kopii, ale "
                                     "folderu bazy danych nie dało się do końca uporządkować. "
                                     "Program zostanie zamknięty; przy następnym uruchomieniu "
                                     "dokończy porządkowanie.");
    }
    return text + QStringLiteral(". Program zostanie zamknięty; przy następnym uruchomieniu "
                                 "sprawdzi folder bazy danych i powie, w jakim stanie jest baza "
                                 "danych.");
}

// The question before the database files are replaced, in the form of the copy's question for
// a single file: both files go in together, so they are asked about together.
int AskToReplaceDatabaseFiles(QWidget* parent) {
    QStringList existing;
    for (const Text& name : DatabaseFileNames()) {
        const QString path = Q(JoinPath(DbFolder(), name));
        if (QFileInfo::exists(path)) existing << path;
    }
    if (existing.isEmpty()) return IDYES;
    const QString question =
        existing.size() == 1
            ? QStringLiteral("Plik \u201E%1\u201D już istnieje w folderze docelowym.\n"
                             "Czy zastąpić go plikiem z kopiowanego folderu?")
                  .arg(existing[0])
            : QStringLiteral("Pliki \u201E%1\u201D i \u201E%2\u201D już istnieją w folderze "
                             "docelowym.\nCzy zastąpić je plikami z kopiowanego folderu?")
                  .arg(existing[0], existing[1]);
    return MessageBox(parent, question, QStringLiteral("Zastępowanie pliku"),
                      MB_YESTOALLNOCANCEL | MB_ICONQUESTION);
}

// What a backup made while a restore's pictures, documents and notes are still to come lacks:
// the db folder does not hold them all, so neither does the backup.
QString FoldersPendingBackupText(const FoldersNote& note) {
    const QString from = note.backupFolder.empty()
                             ? QString()
                             : QStringLiteral(" z folderu %1").arg(Q(note.backupFolder));
    const QString which = note.databaseLoaded
                              ? QStringLiteral("wczytywanie kopii bazy danych")
                              : QStringLiteral("wczytywanie zdjęć, dokumentów i notatek z kopii "
                                               "bazy danych");
    QString text = QStringLiteral(", ale może w niej nie być wszystkich zdjęć, dokumentów i "
                                  "notatek: %1%2 nie zostało dokończone, więc nie ma ich "
                                  "wszystkich w folderze bazy danych.")
                       .arg(which, from);
    if (!note.fullFolder.empty()) text += QStringLiteral(" Zwolnij miejsce na dysku, a potem");
    text += note.fullFolder.empty() ? QStringLiteral(" Wczytaj") : QStringLiteral(" wczytaj");
    text += QStringLiteral(" kopię bazy danych%1 ponownie, a następnie zapisz kopię bazy danych "
                           "jeszcze raz.")
                .arg(from);
    return text;
}

}  // namespace

// ---- reloading after the files changed --------------------------------------------------------

namespace {

// What the main window shows, by ids, to show it again after the lofts were loaded anew.
CMainDialog::Place CurrentPlace() {
    CMainDialog::Place place;
    const LoftRecord* loft = CurrentLoft();
    if (!loft) return place;
    place.loftId = loft->id;
    if (const CategoryRecord* category = CurrentCategory()) place.categoryId = category->id;
    return place;
}

}  // namespace

void CMainDialog::ReloadAfterFilesChanged(const Place& place) {
    ReloadLoftsAndCategories();
    const CDataStore& store = TheDataStore();
    const int loftIndex = store.FindLoftIndex(place.loftId);
    if (loftIndex < 0) return;  // gone: the first loft stays chosen
    const std::vector<CategoryRecord>& categories =
        store.Lofts()[static_cast<size_t>(loftIndex)].categories;
    int categoryIndex = categories.empty() ? -1 : 0;
    for (size_t i = 0; i < categories.size(); ++i) {
        if (categories[i].id == place.categoryId) categoryIndex = static_cast<int>(i);
    }
    if (loftIndex > 0 || categoryIndex > 0) SelectLoftAndCategory(categoryIndex, loftIndex);
}

// ---- backup and restore -------------------------------------------------------------------------

void CMainDialog::BackupDatabase() {
    Text chosen;
    if (!BrowseForFolder(chosen, kBackupPrompt, this)) return;
    if (InsideDbFolder(chosen)) {
        MessageBox(this, u"Kopii bazy danych nie można zapisać w folderze bazy danych ani w jego "
                         u"podfolderze. Wybierz inny folder.");
        return;
    }
    const Text destination = JoinPath(chosen, u"OXKopiaDanych");
    MessageBox(this, GetInstallPathEscaped() + u"db/*");
    // The note being edited is part of the data: it goes into the copy too.
    NotebookPage()->SaveCurrentNote();
    // Nothing of the backup reached the folder: `why` says what could not be written and why,
    // or what may have stopped the copy where it knows no file.
    const auto nothingCopied = [&](const QString& why) {
        MessageBox(this,
                   QStringLiteral("Do folderu %1 nie skopiowano żadnego pliku%2. Kopia bazy danych "
                                  "nie została zapisana.")
                       .arg(Q(destination), why),
                   QString(), MB_OK | MB_ICONWARNING);
    };
    const auto because = [](int error) {
        return error == 0 ? QString()
                          : QStringLiteral(" (%1)").arg(
                                QString::fromStdString(SystemErrorReason(error)));
    };
    // The first file, or the folder for files, that the copy could not write, and why.
    const auto notWritten = [&](const shell::CopyFailure& failure) {
        return (failure.folder ? QStringLiteral(": folderu %1 nie dało się utworzyć")
                               : QStringLiteral(": pliku %1 nie dało się zapisać"))
                   .arg(failure.file) +
               because(failure.diskFull ? ENOSPC : failure.error);
    };
    // The folder is marked as holding a backup being written before anything else is written
    // there, so that no cut leaves it holding files of two backups without a sign.
    BackupMark earlier;
    const bool markedBefore = ReadBackupMark(destination, earlier);
    std::error_code made;
    std::filesystem::create_directories(ToFsPath(destination), made);
    if (made) {
        // A disk that takes no new folder is full, and said to be.
        nothingCopied(QStringLiteral(": folderu nie dało się utworzyć") + because(made.value()));
        return;
    }
    std::string error;
    bool diskFull = false;
    if (!BeginBackup(destination, static_cast<Time64>(std::time(nullptr)), error, diskFull)) {
        nothingCopied(QStringLiteral(": pliku %1 nie dało się zapisać (%2)")
                          .arg(Q(JoinPath(destination, BackupMarkName())),
                               diskFull ? QStringLiteral("na dysku zabrakło miejsca")
                                        : QString::fromStdString(error)));
        return;
    }
    int copied = 0;
    shell::CopyFailure failure;
    if (!shell::CopyFolderTree(Q(DbFolder()), Q(destination), this, BackupCopyOptions(), &copied,
                               &failure)) {
        if (copied == 0) {
            // Nothing was swapped in: the folder holds what it held, so it keeps the mark it
            // had, if any (a whole backup there stays loadable, one cut short stays refused).
            UndoBackupMark(destination, markedBefore ? &earlier : nullptr);
            nothingCopied(failure.file.isEmpty()
                              ? QStringLiteral(" (folderu nie dało się utworzyć ani zapisać albo "
                                               "kopiowanie przerwano)")
                              : notWritten(failure));
            return;
        }
        // The file that was not written, and why, where the copy knows it (a "Nie" to a
        // replaced file names none).
        QString why = QStringLiteral(" (kopiowanie przerwano albo pliku nie dało się zapisać)");
        if (!failure.file.isEmpty()) why = notWritten(failure);
        MessageBox(this,
                   QStringLiteral("Nie wszystkie pliki zostały skopiowane do folderu %1%2. Kopia "
                                  "bazy danych w tym folderze jest niepełna i nie będzie można "
                                  "jej wczytać. Zapisz kopię bazy danych ponownie.")
                       .arg(Q(destination), why),
                   QString(), MB_OK | MB_ICONWARNING);
        return;
    }
    // What a copy cut short earlier left in the folder is no part of this backup.
    shell::RemoveCopyLeftovers(Q(destination));
    // A test makes the flush of everything written fail by naming the folder among the
    // copies that fail.
    const auto flushFails = [](const Text& folder) {
        return seams::detail::FileCopyFails(Q(folder), Q(folder));
    };
    bool notOnDisk = false;
    if (!FinishBackup(destination, error, notOnDisk, flushFails)) {
        MessageBox(this,
                   notOnDisk
                       ? QStringLiteral("Pliki skopiowano do folderu %1, ale nie dało się ich na "
                                        "pewno zapisać na dysku (%2). Kopia bazy danych w tym "
                                        "folderze jest oznaczona jako niepełna i nie będzie można "
                                        "jej wczytać. Zapisz kopię bazy danych ponownie.")
                             .arg(Q(destination), QString::fromStdString(error))
                       : QStringLiteral("Pliki skopiowano do folderu %1, ale zapisu kopii bazy "
                                        "danych nie dało się zakończyć: pliku %2 nie dało się "
                                        "usunąć z tego folderu (%3). Nie będzie można wczytać "
                                        "tej kopii. Zapisz kopię bazy danych ponownie.")
                             .arg(Q(destination), Q(JoinPath(destination, BackupMarkName())),
                                  QString::fromStdString(error)),
                   QString(), MB_OK | MB_ICONWARNING);
        return;
    }
    const QString saved = QStringLiteral("Kopia bazy danych została zapisana w folderze %1")
                              .arg(Q(destination));
    FoldersNote pending;
    if (ReadFoldersNote(pending)) {
        MessageBox(this, saved + FoldersPendingBackupText(pending), QString(),
                   MB_OK | MB_ICONWARNING);
        return;
    }
    MessageBox(this, saved + QLatin1Char('.'));
}

void CMainDialog::RestoreDatabase() {
    Text chosen;
    if (!BrowseForFolder(chosen, kRestorePrompt, this)) return;
    if (InsideDbFolder(chosen)) {
        MessageBox(this, u"Kopii bazy danych nie można wczytać z folderu bazy danych ani z jego "
                         u"podfolderu. Wskaż katalog o nazwie OXKopiaDanych.");
        return;
    }
    // A folder without both database files, or with a file that is damaged or not the
    // program's, replaces nothing: the files in use stay as they are.
    const QString refusal = NotABackupText(CheckBackupFolder(chosen), chosen);
    if (!refusal.isEmpty()) {
        MessageBox(this, refusal, QString(), MB_OK | MB_ICONWARNING);
        return;
    }
    const int answer = AskToReplaceDatabaseFiles(this);
    if (answer == IDCANCEL) return;

    const Place place = CurrentPlace();
    // The note being edited is written now, into the data being replaced, and then let go, so
    // that nothing writes it over the restored note afterwards.
    NotebookPage()->SaveCurrentNote();
    NotebookPage()->FillNoteList();
    if (answer != IDNO) {
        DbRestoreOptions options;
        options.failWrite = [](const Text& live) {
            return seams::detail::FileCopyFails(Q(live), Q(live));
        };
        // A put-back is a copy of the kept file: a test fails it by naming that file.
        options.failPutBack = [](const Text& live) {
            const QString keep = Q(KeptCopyPath(live));
            return seams::detail::FileCopyFails(keep, keep);
        };
        const DbRestoreResult restored = RestoreDatabaseFiles(chosen, options);
        if (!restored.ok()) {
            MessageBox(this, RestoreFailureText(restored, chosen), QString(), MB_OK | MB_ICONERROR);
            // The db folder holds what the next start must finish before the files are used:
            // nothing may be shown or written from them until then, so the program ends.
            if (restored.endProgram) EndDialog(IDCANCEL);
            return;
        }
    } else {
        // The database files stay; the pictures, documents and notes are copied all the same,
        // and until they are all in, the next start must know they may not match.
        std::string error;
        if (!BeginRestoreFolders(chosen, error)) {
            MessageBox(this,
                       QStringLiteral("Kopii bazy danych nie można wczytać: w folderze %1 nie dało "
                                      "się zapisać (%2). Nic nie zostało zmienione.")
                           .arg(Q(DbFolder()), QString::fromStdString(error)),
                       QString(), MB_OK | MB_ICONERROR);
            return;
        }
    }
    shell::CopyFailure failure;
    const bool copied = shell::CopyFolderTree(Q(chosen), Q(DbFolder()), this,
                                              RestoreCopyOptions(answer == IDYESTOALL), nullptr,
                                              &failure);
    // Not all copied: the note stays, and every start asks for the backup again (after making
    // room, when that is what stopped the copy). All copied: what copies cut short earlier
    // left in the folders goes before the note does.
    const QString fullFolder =
        failure.diskFull ? QFileInfo(failure.file).absolutePath() : QString();
    if (copied) {
        shell::RemoveCopyLeftovers(Q(DbFolder()));
        FinishRestoreFolders();
    } else if (failure.diskFull) {
        NoteRestoreFoldersFull(fullFolder.toStdU16String());
    }
    ReloadAfterFilesChanged(place);
    if (!copied) {
        const QString shows =
            QStringLiteral(" Program pokazuje to, co teraz zawierają pliki bazy danych.");
        // A folder that could not be made is named, not a file that was to go into it.
        const QString name = QFileInfo(failure.file).fileName();
        if (failure.diskFull) {
            MessageBox(this,
                       QStringLiteral("Nie wszystkie pliki kopii zostały wczytane: na dysku "
                                      "zabrakło miejsca, więc w folderze %1 nie dało się %2. "
                                      "Zwolnij miejsce na dysku, a potem wczytaj kopię bazy danych "
                                      "z folderu %3 ponownie.")
                               .arg(fullFolder,
                                    (failure.folder ? QStringLiteral("utworzyć folderu %1")
                                                    : QStringLiteral("zapisać pliku %1"))
                                        .arg(name),
                                    Q(chosen)) +
                           shows,
                       QString(), MB_OK | MB_ICONWARNING);
        } else if (!failure.file.isEmpty()) {
            // The folder and the file, and why, so that the user can set it right; the note
            // stays, and loading the backup again completes it.
            const QString reason =
                failure.error == 0
                    ? QString()
                    : QStringLiteral(" (%1)").arg(
                          QString::fromStdString(SystemErrorReason(failure.error)));
            MessageBox(this,
                       (failure.folder
                            ? QStringLiteral("Nie wszystkie pliki kopii zostały wczytane: w "
                                             "folderze %1 nie dało się utworzyć folderu %2%3. Gdy "
                                             "ten folder da się utworzyć, wczytaj kopię bazy "
                                             "danych z folderu %4 ponownie.")
                            : QStringLiteral("Nie wszystkie pliki kopii zostały wczytane: w "
                                             "folderze %1 nie dało się skopiować pliku %2%3. Gdy "
                                             "ten plik da się skopiować, wczytaj kopię bazy "
                                             "danych z folderu %4 ponownie."))
                               .arg(QFileInfo(failure.file).absolutePath(), name, reason,
                                    Q(chosen)) +
                           shows,
                       QString(), MB_OK | MB_ICONWARNING);
        } else {
            MessageBox(this,
                       QStringLiteral("Nie wszystkie pliki kopii zostały wczytane (kopiowanie "
                                      "przerwano albo pliku nie dało się zapisać).") +
                           shows,
                       QString(), MB_OK | MB_ICONWARNING);
        }
    }
}

// ---- the SQL console and the pigeon-database management --------------------------------------

void CMainDialog::OpenSqlConsole() {
    const Place place = CurrentPlace();
    // The note being edited goes to its file first, so the console works on what the user sees.
    NotebookPage()->SaveCurrentNote();
    CKonsolaSQL console(this);
    console.DoModal();
    if (!console.changedFiles) return;
    // The console wrote to the files behind the data store: what memory holds would otherwise
    // be shown, and written back over the console's change by the next edit. The note is let
    // go first, so its old text is not written over what the console left in the file.
    NotebookPage()->FillNoteList();
    ReloadAfterFilesChanged(place);
}

void CMainDialog::ManagePigeonDatabase() {
    const Place place = CurrentPlace();
    CZarzadzajBazaGolebi window(this);
    window.DoModal();
    // Birds may have left the list's category or joined it.
    ReloadAfterFilesChanged(place);
}

// ---- the import of the previous version's files -----------------------------------------------

namespace {

bool HoldsVersion5Data(const QString& folder) {
    return !folder.isEmpty() &&
           QFileInfo::exists(QDir(folder).filePath(QStringLiteral("database/lofts.dat")));
}

QString ReadErrorText(const V5ReadError& error) {
    QString reason;
    switch (error.kind) {
        case V5ReadError::Unreadable: reason = QStringLiteral("pliku nie można odczytać"); break;
        case V5ReadError::Truncated: reason = QStringLiteral("plik kończy się przed końcem danych"); break;
        case V5ReadError::BadCount:
            reason = QStringLiteral("liczba pozycji nie zgadza się z wielkością pliku");
            break;
        case V5ReadError::NameTooLong:
            reason = QStringLiteral("nazwa gołębnika jest dłuższa niż 31 znaków");
            break;
        case V5ReadError::BadName: reason = QStringLiteral("nazwa nie może być nazwą pliku"); break;
        case V5ReadError::None: break;
    }
    return QStringLiteral("Nie można zaimportować danych: plik %1 jest uszkodzony lub niepełny "
                          "(%2). Nic nie zostało zapisane.")
        .arg(QString::fromStdString(error.file.string()), reason);
}

// The count of the birds left out, followed by their ids, so the user can look for their files;
// a long list is cut after the first twenty.
QString SkippedBirdsText(const V5ImportSummary& s) {
    constexpr int kShown = 20;
    QStringList ids;
    for (const Text& id : s.skippedPigeonIds) {
        if (ids.size() == kShown) break;
        ids << (id.empty() ? QStringLiteral("(bez numeru)") : Q(id));
    }
    QString text = QString::number(s.skippedPigeons);
    if (!ids.isEmpty()) {
        text += QStringLiteral(" (") + ids.join(QStringLiteral(", "));
        const qsizetype more = static_cast<qsizetype>(s.skippedPigeonIds.size()) - ids.size();
        if (more > 0) text += QStringLiteral(" i %1 innych").arg(more);
        text += QLatin1Char(')');
    }
    return text;
}

// A record left out because it could not be true, by the ids of the old files.
QString LeftOutRecordText(const V5LeftOutRecord& r) {
    const auto id = [](const Text& v5Id) {
        return v5Id.empty() ? QStringLiteral("(bez numeru)") : Q(v5Id);
    };
    const QString pair = QStringLiteral("%1 × %2").arg(id(r.cockId), id(r.henId));
    switch (r.rule) {
        case RecordRule::PairOfOneBird: {
            QString text = QStringLiteral("para %1 (ten sam gołąb jako samiec i samica").arg(pair);
            if (r.youngAlong > 0) text += QStringLiteral(", z nią jej młode: %1").arg(r.youngAlong);
            return text + QLatin1Char(')');
        }
        case RecordRule::YoungOfAnotherPair:
            return QStringLiteral("młode %1 pary %2 (już zapisane jako młode)").arg(id(r.pigeonId), pair);
        case RecordRule::BirdTwiceInFlight: {
            QString flight = Q(r.flightPlace);
            const Text day = FormatTime(r.flightRelease, "%d.%m.%Y");
            if (!day.empty()) flight += QLatin1Char(' ') + Q(day);
            return QStringLiteral("drugi wynik gołębia %1 w locie %2").arg(id(r.pigeonId), flight.trimmed());
        }
        default:
            return QStringLiteral("młode %1 pary %2 (samiec lub samica tej pary albo ich przodek)")
                .arg(id(r.pigeonId), pair);
    }
}

// The records left out, a long list cut after the first twenty.
QString LeftOutText(const V5ImportSummary& s) {
    constexpr int kShown = 20;
    QStringList texts;
    for (const V5LeftOutRecord& record : s.leftOut) {
        if (texts.size() == kShown) break;
        texts << LeftOutRecordText(record);
    }
    QString text = QStringLiteral("\n\nPominięto zapisy, które nie mogą być prawdziwe: ") +
                   texts.join(QStringLiteral("; "));
    const qsizetype more = static_cast<qsizetype>(s.leftOut.size()) - texts.size();
    if (more > 0) text += QStringLiteral(" i %1 innych").arg(more);
    return text + QLatin1Char('.');
}

QString SummaryText(const V5ImportSummary& s) {
    QString text = QStringLiteral(
                       "Zakończono importowanie.\n\nZaimportowano: gołębniki: %1, kategorie: %2, "
                       "gołębie: %3, miejsca w kategoriach: %4, pary: %5, młode: %6, loty: %7, "
                       "wyniki lotów: %8.")
                       .arg(s.lofts)
                       .arg(s.categories)
                       .arg(s.pigeons)
                       .arg(s.memberships)
                       .arg(s.pairs)
                       .arg(s.young)
                       .arg(s.flights)
                       .arg(s.results);
    if (s.skippedPigeons + s.skippedMemberships + s.skippedYoung + s.skippedResults > 0) {
        text += QStringLiteral(
                    "\n\nPominięto: gołębie bez pliku danych: %1; miejsca w kategoriach, młode "
                    "i wyniki lotów gołębi, których nie zaimportowano: %2, %3, %4.")
                    .arg(SkippedBirdsText(s))
                    .arg(s.skippedMemberships)
                    .arg(s.skippedYoung)
                    .arg(s.skippedResults);
    }
    if (!s.leftOut.empty()) text += LeftOutText(s);
    return text;
}

}  // namespace

void CMainDialog::ImportVersion5() {
    CImportujDaneZWersji5 choice(this);
    if (choice.DoModal() != IDOK) return;

    QString folder = settings::Version5InstallPath();
    if (!HoldsVersion5Data(folder)) {
        Text chosen;
        if (!BrowseForFolder(chosen, kVersion5Prompt, this)) return;
        folder = Q(chosen);
    }

    V5Data data;
    const V5ReadError error = data.LoadAll(ToFsPath(folder.toStdU16String()));
    if (error) {
        MessageBox(this, ReadErrorText(error), QString(), MB_OK | MB_ICONERROR);
        return;
    }
    if (data.lofts.empty() && data.pigeons.empty()) {
        MessageBox(this, QStringLiteral("W folderze %1 nie ma danych programu Ornivex 5. Nic nie "
                                        "zostało zaimportowane.")
                             .arg(folder));
        return;
    }

    NotebookPage()->SaveCurrentNote();
    const Place place = CurrentPlace();
    V5ImportOptions options;
    options.pairs = choice.importPairs != 0;
    options.flights = choice.importFlights != 0;
    const V5ImportSummary summary = ImportV5Data(data, options);
    if (!summary.ok) {
        MessageBox(this,
                   QStringLiteral("Baza danych odrzuciła zapis importowanych danych. Nic nie "
                                  "zostało zaimportowane."),
                   QString(), MB_OK | MB_ICONERROR);
        return;
    }
    ReloadAfterFilesChanged(place);
    MessageBox(this, SummaryText(summary));
}
