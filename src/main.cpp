// Start of the program. Until the main window exists, start-up lays out the install folder,
// opens (and so creates) both database files, says where they are and ends.
#include <QCoreApplication>
#include <QTextStream>

#include "DataStore.h"
#include "Places.h"
#include "SharedRoutines.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ornivex6"));

    places::ConnectDataStore();
    QTextStream out(stdout);
    if (!places::LayOutInstallFolder()) {
        QTextStream(stderr) << "Nie można utworzyć folderu danych: " << places::InstallFolder()
                            << "\n";
        return 1;
    }

    CDataStore& store = TheDataStore();
    store.LoadLofts();
    const int firstLoft = store.lofts.empty() ? -1 : store.lofts.front().id;
    store.LoadPigeonsDb(firstLoft);
    store.LoadExtraDb(firstLoft);

    out << "Folder programu: " << places::InstallFolder() << "\n"
        << "Baza gołębi: " << QString::fromStdU16String(PigeonsDbPath()) << "\n"
        << "Baza dodatkowa: " << QString::fromStdU16String(ExtraDbPath()) << "\n"
        << "Hodowle: " << store.lofts.size() << ", gołębie: " << store.pigeons.size() << "\n";
    return 0;
}
