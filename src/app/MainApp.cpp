#include "MainApp.h"

#include <QTextStream>

#include "BundledFiles.h"
#include "ControlKinds.h"
#include "Dialog.h"
#include "MainDialog.h"
#include "Places.h"
#include "ResourceInit.h"
#include "Seams.h"
#include "SharedRoutines.h"
#include "StartupSplash.h"

int CMainApp::InitInstance() {
    // With ORNIVEX_TEST_SEAMS set, message boxes and modal windows answer by themselves: a
    // test starts the real program without anyone to click.
    if (qEnvironmentVariableIsSet("ORNIVEX_TEST_SEAMS")) seams::SetTestMode(true);

    InitResources();
    RegisterProgramControls();

    const auto refuseSecondCopy = [] {
        const QString text = QStringLiteral("Nie można uruchomić jednocześnie dwóch kopii programu");
        const QString caption = QStringLiteral("Błąd uruchomienia");
        QTextStream(stderr) << caption << ": " << text << "\n";
        MessageBox(nullptr, text, caption, MB_OK);
        return 0;
    };
    if (!instance_.TryAcquire()) return refuseSecondCopy();

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
    if (!dataFolderLock_->TryAcquire()) return refuseSecondCopy();
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
