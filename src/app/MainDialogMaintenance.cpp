// The main window's database maintenance commands: backup and restore of the `db` folder, the
// SQL console, the pigeon-database management window and the import of the previous version's
// files. After anything that changed the files behind the data store's back, the lofts and the
// current loft are loaded again, so the windows never show, or write back, what the files no
// longer hold.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DataStore.h"
#include "FolderChooser.h"
#include "Globals.h"
#include "ImportujDaneZWersji5.h"
#include "KonsolaSQL.h"
#include "MainDialog.h"
#include "Seams.h"
#include "Settings.h"
#include "SharedRoutines.h"
#include "Sqlite.h"
#include "Shell.h"
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

Text FolderText(const Text& path) { return Q(path).toStdU16String(); }

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

// The backup's way of copying: each database file as it stood at its last commit, even while
// a write is under way, and without the files SQLite keeps beside it during a write. A file not
// replaced at the user's word leaves the backup a mix of old and new files, so it counts as not
// copied.
shell::CopyOptions BackupCopyOptions() {
    shell::CopyOptions options;
    options.leaveOut = IsDatabaseCompanion;
    options.copyFile = [](const QString& from, const QString& part) {
        if (!IsDatabaseFile(QFileInfo(from).fileName()) ||
            QFileInfo(from).absolutePath() != Canonical(Q(DbFolder()))) {
            return QFile::copy(from, part);
        }
        return SqlSnapshotFile(from.toStdU16String(), part.toStdU16String());
    };
    options.declinedIsIncomplete = true;
    return options;
}

// The restore's way of copying: a journal found in the copy is left out, and a database file
// that is about to be replaced loses the journal it had, since neither belongs to the file
// that is being restored.
shell::CopyOptions RestoreCopyOptions() {
    shell::CopyOptions options;
    options.leaveOut = IsDatabaseCompanion;
    options.copyFile = [](const QString& from, const QString& part) {
        const QString name = QFileInfo(from).fileName();
        if (IsDatabaseFile(name) && QFileInfo(part).absolutePath() == Canonical(Q(DbFolder()))) {
            for (const char* suffix : {"-journal", "-wal", "-shm"}) {
                const QString companion =
                    QFileInfo(part).absolutePath() + u'/' + name + QLatin1String(suffix);
                if (QFile::exists(companion) && !QFile::remove(companion)) return false;
            }
        }
        return QFile::copy(from, part);
    };
    return options;
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
    if (!shell::CopyFolderTree(Q(DbFolder()), Q(destination), this, BackupCopyOptions())) {
        MessageBox(this,
                   u"Nie wszystkie pliki zostały skopiowane do folderu " + FolderText(destination) +
                       u" (kopiowanie przerwano albo pliku nie dało się zapisać). Kopia bazy "
                       u"danych może być niepełna.",
                   u"", MB_OK | MB_ICONWARNING);
        return;
    }
    MessageBox(this, u"Kopia bazy danych została zapisana w folderze " + FolderText(destination) +
                         u".");
}

void CMainDialog::RestoreDatabase() {
    Text chosen;
    if (!BrowseForFolder(chosen, kRestorePrompt, this)) return;
    if (InsideDbFolder(chosen)) {
        MessageBox(this, u"Kopii bazy danych nie można wczytać z folderu bazy danych ani z jego "
                         u"podfolderu. Wskaż katalog o nazwie OXKopiaDanych.");
        return;
    }
    const QDir source(Q(chosen));
    if (!source.exists(QStringLiteral("pigeons.db")) &&
        !source.exists(QStringLiteral("dodatkowe_informacje.db"))) {
        MessageBox(this, u"W wybranym folderze nie ma kopii bazy danych (plików pigeons.db ani "
                         u"dodatkowe_informacje.db). Wskaż katalog o nazwie OXKopiaDanych.");
        return;
    }
    const Place place = CurrentPlace();
    // The note being edited is written now, into the data being replaced, and then let go, so
    // that nothing writes it over the restored note afterwards.
    NotebookPage()->SaveCurrentNote();
    NotebookPage()->FillNoteList();
    const bool copied = shell::CopyFolderTree(Q(chosen), Q(DbFolder()), this, RestoreCopyOptions());
    ReloadAfterFilesChanged(place);
    if (!copied) {
        MessageBox(this,
                   u"Nie wszystkie pliki kopii zostały wczytane (kopiowanie przerwano albo pliku "
                   u"nie dało się zapisać). Program pokazuje to, co teraz zawierają pliki bazy "
                   u"danych.",
                   u"", MB_OK | MB_ICONWARNING);
    }
}

// ---- the SQL console and the pigeon-database management --------------------------------------

void CMainDialog::OpenSqlConsole() {
    CKonsolaSQL console(this);
    console.DoModal();
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
