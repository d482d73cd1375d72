#include "MainApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>
#include <QTextStream>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "BundledFiles.h"
#include "ControlKinds.h"
#include "DatabaseRestore.h"
#include "Dialog.h"
#include "MainDialog.h"
#include "Places.h"
#include "ResourceInit.h"
#include "Seams.h"
#include "SharedRoutines.h"
#include "Shell.h"
#include "StartupSplash.h"
#include "SystemErrors.h"

namespace {

QString Q(const Text& text) { return QString::fromStdU16String(text); }

// Why a file could not be put back, as the user can act on it.
QString Reason(const InterruptedRestore& interrupted) {
    return interrupted.diskFull ? QStringLiteral("na dysku zabrakło miejsca")
                                : QString::fromStdString(interrupted.detail);
}

QString ReasonFor(int error) { return QString::fromStdString(SystemErrorReason(error)); }
// " (reason)" for a known system error number; nothing for none.
QString Because(int error) {
    return error == 0 ? QString() : QStringLiteral(" (%1)").arg(ReasonFor(error));
}

// The room the db folder's disk must have for the program to start: the database's first
// writes (SQLite's journal beside each file), a new lock file and laid-out help pages. Below
// it every change the user makes would fail for room.
constexpr qint64 kRoomToStart = 1 << 20;

// An amount of room as the messages give it: what is asked for rounded up, what is left
// rounded down, so that freeing what a message asks for is always enough.
QString RoomText(qint64 bytes, bool roundUp) {
    const auto inUnits = [&](qint64 unit, int parts) {
        const qint64 scaled = bytes * parts;
        return roundUp ? (scaled + unit - 1) / unit : scaled / unit;
    };
    constexpr qint64 kMega = 1 << 20;
    if (bytes >= kMega) {
        const qint64 tenths = inUnits(kMega, 10);
        return tenths % 10 == 0
                   ? QStringLiteral("%1 MB").arg(tenths / 10)
                   : QStringLiteral("%1,%2 MB").arg(tenths / 10).arg(tenths % 10);
    }
    if (bytes >= 1024) return QStringLiteral("%1 KB").arg(inUnits(1024, 1));
    return QStringLiteral("%1 B").arg(bytes);
}

// The room left on the disk of `folder`; -1 when it cannot be told.
qint64 FreeRoom(const QString& folder) {
    const QStorageInfo disk(folder);
    return disk.isValid() ? disk.bytesAvailable() : -1;
}

// The system's error number of making `folder` and the folders above it that are missing;
// 0 when they could all be made.
int WhyNoFolder(const QString& folder) {
    QStringList missing;
    QString path = QDir::cleanPath(folder);
    while (!QFileInfo::exists(path) && QFileInfo(path).absolutePath() != path) {
        missing.prepend(path);
        path = QFileInfo(path).absolutePath();
    }
    if (QFileInfo::exists(path) && !QFileInfo(path).isDir()) return ENOTDIR;
    for (const QString& step : missing) {
        if (::mkdir(QFile::encodeName(step).constData(), 0777) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

// The system's error number of making a new file in `folder`; 0 when one can be made. Its name
// is the lock file's with a suffix, so a backup leaves it out should a crash leave it behind.
int WhyNoNewFile(const QString& folder) {
    const QByteArray path =
        QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(kDataFolderLockFile) +
                          QStringLiteral("-test"));
    // One left behind needs no new room to be opened again: only a file made now tells.
    ::unlink(path.constData());
    return WhyFileCannotBeMade(path.toStdString());
}

// What a restore cut short left in the db folder, for a start that cannot act on it now;
// `when` says at which start it will.
QString UnfinishedRestoreText(const QString& when) {
    const std::vector<Text> unfinished = UnfinishedRestoreFiles();
    if (unfinished.empty()) return {};
    QStringList copies;
    for (size_t i = 1; i < unfinished.size(); ++i) copies << Q(unfinished[i]);
    QString text = QStringLiteral(" Leży w nim plik %1: wczytywanie kopii bazy danych zostało "
                                  "przerwane, zanim się zakończyło.")
                       .arg(Q(unfinished[0]));
    if (!copies.isEmpty()) {
        text += QStringLiteral(" Kopie plików bazy danych sprzed wczytywania: %1.")
                    .arg(copies.join(QStringLiteral(", ")));
    }
    return text + QStringLiteral(" Program przywróci bazę danych sprzed wczytywania przy "
                                 "pierwszym uruchomieniu, w którym ") +
           when + QLatin1Char('.');
}

// The start on a disk without the room it needs: the disk named as full, and the room asked
// for, never the folder's permissions.
QString DiskFullText(const QString& folder, qint64 free, const QString& unfinished) {
    QString text = QStringLiteral("Na dysku z folderem danych %1 zabrakło miejsca, więc nie można "
                                  "uruchomić programu.")
                       .arg(folder);
    if (free >= kRoomToStart) {
        // Room in bytes, but none for one more file or folder.
        text += QStringLiteral(" Na dysku nie można utworzyć już żadnego pliku ani folderu.");
    } else if (free >= 0) {
        text += QStringLiteral(" Na dysku zostało %1 wolnego miejsca, a do uruchomienia programu "
                               "potrzeba co najmniej %2.")
                    .arg(RoomText(free, false), RoomText(kRoomToStart, true));
    } else {
        text += QStringLiteral(" Do uruchomienia programu potrzeba co najmniej %1 wolnego miejsca.")
                    .arg(RoomText(kRoomToStart, true));
    }
    return text + unfinished +
           QStringLiteral(" Zwolnij miejsce na dysku i uruchom program ponownie.");
}

bool SayCannotFinish(const QString& text) {
    QTextStream(stderr) << text << "\n";
    MessageBox(nullptr, text, QString(), MB_OK | MB_ICONERROR);
    return false;
}

// Pictures, documents and notes of a backup that were not all copied: said at every start
// until the backup is loaded again, which completes it. `earlier` when it follows the message
// of a later restore that was undone, so that the backup meant is not taken for that one's.
QString FoldersPendingText(const FoldersNote& note, bool earlier) {
    const QString from = note.backupFolder.empty()
                             ? QString()
                             : QStringLiteral(" z folderu %1").arg(Q(note.backupFolder));
    QString text;
    if (note.databaseLoaded) {
        text = (earlier ? QStringLiteral("Wcześniejsze wczytywanie kopii bazy danych")
                        : QStringLiteral("Wczytywanie kopii bazy danych")) +
               from +
               QStringLiteral(" zostało przerwane po wczytaniu bazy danych, a przed wczytaniem "
                              "wszystkich zdjęć, dokumentów i notatek z kopii, więc mogą one nie "
                              "pasować do bazy danych.");
    } else {
        text = (earlier ? QStringLiteral("Wcześniejsze wczytywanie zdjęć, dokumentów i notatek "
                                         "z kopii bazy danych")
                        : QStringLiteral("Wczytywanie zdjęć, dokumentów i notatek z kopii bazy "
                                         "danych")) +
               from +
               QStringLiteral(" (bez plików bazy danych, które pozostały bez zmian) zostało "
                              "przerwane, zanim wczytano je wszystkie, więc mogą one nie pasować "
                              "do bazy danych.");
    }
    QString again = note.backupFolder.empty()
                        ? QStringLiteral("wczytaj tę kopię bazy danych ponownie")
                        : QStringLiteral("wczytaj kopię bazy danych z folderu %1 ponownie")
                              .arg(Q(note.backupFolder));
    again += QStringLiteral(", aby dokończyć wczytywanie.");
    if (!note.fullFolder.empty()) {
        return text + QStringLiteral(" Na dysku zabrakło miejsca na pliki w folderze %1. Zwolnij "
                                     "miejsce na dysku, a potem ")
                          .arg(Q(note.fullFolder)) +
               again;
    }
    again[0] = again[0].toUpper();
    return text + QLatin1Char(' ') + again;
}

// A restore cut short (a crash, a power cut) must not leave one restored database file beside
// one of before: the copies it kept go back before anything opens the files. False when a file
// could not be put back; the program must not run on such a mix, and the next start tries
// again with the copy left in place.
bool FinishInterruptedRestoreOrSay() {
    // A test makes a put-back fail (as on a full disk) by naming the kept copy among the
    // copies that fail, and the marker's removal by naming the marker.
    DbRestoreOptions options;
    options.failPutBack = [](const Text& live) {
        const QString keep = Q(KeptCopyPath(live));
        return seams::detail::FileCopyFails(keep, keep);
    };
    options.failMarkerRemoval = [](const Text& marker) {
        return seams::detail::FileCopyFails(Q(marker), Q(marker));
    };
    const InterruptedRestore interrupted = FinishInterruptedRestore(options);
    // The copy of the folders was cut short: the files it was writing under names of their own
    // are no part of the data.
    if (interrupted.foldersPending) shell::RemoveCopyLeftovers(Q(DbFolder()));
    if (interrupted.outcome == InterruptedRestore::Nothing) {
        if (interrupted.foldersPending) {
            MessageBox(nullptr, FoldersPendingText(interrupted.folders, false), QString(),
                       MB_OK | MB_ICONWARNING);
        }
        return true;
    }
    const QString cutShort =
        QStringLiteral("Wczytywanie kopii bazy danych zostało przerwane, zanim się zakończyło.");
    const QString closing = QStringLiteral(" Program zostanie zamknięty.");
    if (interrupted.outcome == InterruptedRestore::PutBack) {
        QString text = cutShort + QStringLiteral(" Baza danych jest taka, jak przed wczytywaniem kopii.");
        if (interrupted.foldersPending) {
            text += QStringLiteral("\n\n") + FoldersPendingText(interrupted.folders, true);
        }
        MessageBox(nullptr, text, QString(), MB_OK | MB_ICONWARNING);
        // Told: only now may the marker go. A start cut short before this says it again.
        std::string error;
        if (CloseInterruptedRestore(error, options)) return true;
        return SayCannotFinish(
            QStringLiteral("Pliku %1 nie dało się usunąć z folderu bazy danych (%2).")
                .arg(Q(interrupted.marker), QString::fromStdString(error)) +
            closing +
            QStringLiteral(" Sprawdź, czy folder %1 można zapisać, i uruchom program ponownie.")
                .arg(Q(DbFolder())));
    }
    if (interrupted.keptCopyMissing) {
        // Writing to the folder cannot help: the copy of before is gone, and the file and what
        // lies beside it are left as they are.
        return SayCannotFinish(
            cutShort +
            QStringLiteral(" Pliku %1 nie dało się przywrócić do stanu sprzed wczytywania: "
                           "brakuje jego kopii %2. Jeśli masz tę kopię, umieść ją z powrotem pod "
                           "tą nazwą i uruchom program ponownie. Jeśli jej nie masz, usuń plik "
                           "%3, uruchom program i wczytaj kopię bazy danych jeszcze raz.")
                .arg(Q(interrupted.file), Q(interrupted.keptCopy), Q(interrupted.marker)) +
            closing);
    }
    QString text = cutShort;
    if (!interrupted.keptCopy.empty()) {
        text += QStringLiteral(" Pliku %1 nie dało się przywrócić do stanu sprzed wczytywania (%2). "
                               "Jego kopia sprzed wczytywania została zachowana jako %3.")
                    .arg(Q(interrupted.file), Reason(interrupted), Q(interrupted.keptCopy));
    } else {
        text += QStringLiteral(" Bazę danych przywrócono do stanu sprzed wczytywania, ale pliku %1 "
                               "nie dało się usunąć (%2).")
                    .arg(Q(interrupted.file), Reason(interrupted));
    }
    // The marker stays with the copies it names: the next start tries again from them.
    text += QStringLiteral(" Plik %1 pozostaje w folderze bazy danych, więc przy następnym "
                           "uruchomieniu program znowu spróbuje przywrócić bazę danych sprzed "
                           "wczytywania.")
                .arg(Q(interrupted.marker));
    const qint64 keptSize =
        interrupted.keptCopy.empty() ? -1 : QFileInfo(Q(interrupted.keptCopy)).size();
    if (interrupted.diskFull && keptSize > 0) {
        text += QStringLiteral(" Do przywrócenia pliku %1 potrzeba na dysku co najmniej %2 "
                               "wolnego miejsca.")
                    .arg(Q(interrupted.file), RoomText(keptSize, true));
    }
    text += closing;
    text += interrupted.diskFull
                ? QStringLiteral(" Zwolnij miejsce na dysku i uruchom program ponownie.")
                : QStringLiteral(" Sprawdź, czy folder %1 można zapisać, i uruchom program "
                                 "ponownie.")
                      .arg(Q(DbFolder()));
    return SayCannotFinish(text);
}

}  // namespace

int CMainApp::InitInstance() {
    // With ORNIVEX_TEST_SEAMS set, message boxes and modal windows answer by themselves: a
    // test starts the real program without anyone to click.
    if (qEnvironmentVariableIsSet("ORNIVEX_TEST_SEAMS")) seams::SetTestMode(true);

    InitResources();
    RegisterProgramControls();

    const auto refuseSecondCopy = [](const SingleInstance& lock) {
        QString text = QStringLiteral("Nie można uruchomić jednocześnie dwóch kopii programu");
        const QString otherMachine = lock.OtherMachineHolding();
        if (!otherMachine.isEmpty()) {
            text += QStringLiteral(
                        ".\nFolder danych jest zajęty przez program uruchomiony na komputerze %1 "
                        "(plik %2). Jeśli program na tamtym komputerze na pewno jest zamknięty, "
                        "usuń ten plik i uruchom program ponownie.")
                        .arg(otherMachine, lock.LockPath());
        }
        const QString caption = QStringLiteral("Błąd uruchomienia");
        QTextStream(stderr) << caption << ": " << text << "\n";
        MessageBox(nullptr, text, caption, MB_OK);
        return 0;
    };
    // A lock that cannot be made is no second copy: the folder cannot be written, and the
    // program cannot run on it.
    const auto refuseUnwritable = [](const QString& text) {
        const QString caption = QStringLiteral("Błąd uruchomienia");
        QTextStream(stderr) << caption << ": " << text << "\n";
        MessageBox(nullptr, text, caption, MB_OK | MB_ICONERROR);
        return 1;
    };
    const auto refuse = [&](const SingleInstance& lock, const QString& unwritable) {
        return lock.HeldByAnother() ? refuseSecondCopy(lock) : refuseUnwritable(unwritable);
    };
    if (!instance_.TryAcquire()) {
        return refuse(instance_,
                      QStringLiteral("Nie można uruchomić programu: w folderze %1 nie można "
                                     "zapisać pliku %2")
                              .arg(QFileInfo(instance_.LockPath()).absolutePath(),
                                   QFileInfo(instance_.LockPath()).fileName()) +
                          Because(instance_.Error()) + QLatin1Char('.'));
    }

    places::ConnectDataStore();
    if (!places::LayOutInstallFolder()) {
        // Why the folder could not be made: a disk without room for it is told as full, not as
        // a folder refused.
        const QString install = places::InstallFolder();
        const int error = WhyNoFolder(install + QStringLiteral("/db"));
        QString existing = install;
        while (!QFileInfo::exists(existing) && QFileInfo(existing).absolutePath() != existing) {
            existing = QFileInfo(existing).absolutePath();
        }
        const qint64 free = FreeRoom(existing);
        const QString text =
            IsDiskFullError(error) || (free >= 0 && free < kRoomToStart)
                ? DiskFullText(install, free, {})
                : QStringLiteral("Nie można utworzyć folderu danych: ") + install + Because(error);
        QTextStream(stderr) << text << "\n";
        MessageBox(nullptr, text, QString(), MB_OK | MB_ICONERROR);
        return 1;
    }
    // Another user or session whose settings name the same install folder has a runtime folder
    // of its own: the lock on the data itself keeps two copies from writing one database.
    dataFolderLock_ = std::make_unique<SingleInstance>(
        QString::fromStdU16String(DbFolder()), QString::fromLatin1(kDataFolderLockFile));
    const QString db = Q(DbFolder());
    // A folder that cannot be written (no permission, a read-only disk, an immutable folder):
    // the program cannot run on it, and a restore cut short cannot be finished in it.
    const auto unwritableText = [&](int error) {
        return QStringLiteral("Folderu danych %1 nie można zapisać").arg(db) + Because(error) +
               QStringLiteral(", więc nie można uruchomić programu.") +
               UnfinishedRestoreText(QStringLiteral("folder da się zapisać")) +
               QStringLiteral(" Zezwól na zapis w tym folderze i uruchom program ponownie.");
    };
    const QString roomCondition = QStringLiteral("na dysku będzie dość miejsca");
    if (!dataFolderLock_->TryAcquire()) {
        if (!dataFolderLock_->HeldByAnother() && IsDiskFullError(dataFolderLock_->Error())) {
            return refuseUnwritable(
                DiskFullText(db, FreeRoom(db), UnfinishedRestoreText(roomCondition)));
        }
        return refuse(*dataFolderLock_, unwritableText(dataFolderLock_->Error()));
    }
    // The lock is taken on a file that is there already, which says nothing of the folder.
    if (::access(QFile::encodeName(db).constData(), W_OK) != 0) {
        return refuseUnwritable(unwritableText(errno));
    }
    // Only the copy that holds the data may finish what a restore cut short left in it.
    // The put-back needs no room beyond what the restore's own write took: it comes first.
    if (!FinishInterruptedRestoreOrSay()) return 1;
    // The lock's words are the start's own, and go when it ends: the room they took is told
    // as free.
    qint64 free = FreeRoom(db);
    if (free >= 0) free += dataFolderLock_->RoomTaken();
    if (free >= 0 && free < kRoomToStart) return refuseUnwritable(DiskFullText(db, free, {}));
    // SQLite makes a journal beside a database file at its first write: on a disk that takes
    // no new file the user's first change would fail without saying why.
    if (const int error = WhyNoNewFile(db); error != 0) {
        return refuseUnwritable(IsDiskFullError(error) ? DiskFullText(db, free, {})
                                                       : unwritableText(error));
    }
    // Missing help pages are laid out again; the program runs without them all the same.
    if (!LayOutBundledFiles()) {
        QTextStream(stderr) << "Nie można zapisać plików pomocy w " << places::InstallFolder()
                            << "\n";
    }

    CStartupSplash::EnableSplash(1);
    CMainDialog dialog;
    Dialog::SetMainWindow(&dialog);
    dialog.DoModal();
    Dialog::SetMainWindow(nullptr);
    return 0;
}
