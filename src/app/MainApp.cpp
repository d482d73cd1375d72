#include "MainApp.h"

#include <QTextStream>

#include "BundledFiles.h"
#include "ControlKinds.h"
#include "DatabaseRestore.h"
#include "Dialog.h"
#include "MainDialog.h"
#include "Places.h"
#include "ResourceInit.h"
#include "Seams.h"
#include "SharedRoutines.h"
#include "StartupSplash.h"

namespace {

QString Q(const Text& text) { return QString::fromStdU16String(text); }

// A restore cut short (a crash, a power cut) must not leave one restored database file beside
// one of before: the copies it kept go back before anything opens the files. False when a file
// could not be put back; the program must not run on such a mix, and the next start tries
// again with the copy left in place.
bool FinishInterruptedRestoreOrSay() {
    const InterruptedRestore interrupted = FinishInterruptedRestore();
    if (interrupted.outcome == InterruptedRestore::Nothing) return true;
    const QString cutShort =
        QStringLiteral("Wczytywanie kopii bazy danych zostało przerwane, zanim się zakończyło.");
    if (interrupted.outcome == InterruptedRestore::PutBack) {
        MessageBox(nullptr,
                   cutShort + QStringLiteral(" Baza danych jest taka, jak przed wczytywaniem kopii."),
                   QString(), MB_OK | MB_ICONWARNING);
        return true;
    }
    QString text = cutShort;
    if (interrupted.keptCopyMissing) {
        text += QStringLiteral(" Pliku %1 nie dało się przywrócić do stanu sprzed wczytywania: "
                               "brakuje jego kopii %2.")
                    .arg(Q(interrupted.file), Q(interrupted.keptCopy));
    } else if (!interrupted.keptCopy.empty()) {
        text += QStringLiteral(" Pliku %1 nie dało się przywrócić do stanu sprzed wczytywania (%2). "
                               "Jego kopia sprzed wczytywania została zachowana jako %3.")
                    .arg(Q(interrupted.file), QString::fromStdString(interrupted.detail),
                         Q(interrupted.keptCopy));
    } else {
        text += QStringLiteral(" Bazę danych przywrócono do stanu sprzed wczytywania, ale pliku %1 "
                               "nie dało się usunąć (%2).")
                    .arg(Q(interrupted.file), QString::fromStdString(interrupted.detail));
    }
    text += QStringLiteral(" Program zostanie zamknięty. Sprawdź, czy folder %1 można zapisać, i "
                           "uruchom program ponownie.")
                .arg(Q(DbFolder()));
    QTextStream(stderr) << text << "\n";
    MessageBox(nullptr, text, QString(), MB_OK | MB_ICONERROR);
    return false;
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
    if (!instance_.TryAcquire()) return refuseSecondCopy(instance_);

    places::ConnectDataStore();
    if (!places::LayOutInstallFolder()) {
        const QString text =
            QStringLiteral("Nie można utworzyć folderu danych: ") + places::InstallFolder();
        QTextStream(stderr) << text << "\n";
        MessageBox(nullptr, text, QString(), MB_OK | MB_ICONERROR);
        return 1;
    }
    // Another user or session whose settings name the same install folder has a runtime folder
    // of its own: the lock on the data itself keeps two copies from writing one database.
    dataFolderLock_ = std::make_unique<SingleInstance>(
        QString::fromStdU16String(DbFolder()), QString::fromLatin1(kDataFolderLockFile));
    if (!dataFolderLock_->TryAcquire()) return refuseSecondCopy(*dataFolderLock_);
    // Only the copy that holds the data may finish what a restore cut short left in it.
    if (!FinishInterruptedRestoreOrSay()) return 1;
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
