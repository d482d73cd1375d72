// Start of the program.
#include <QApplication>

#include <unistd.h>

#include "Browser.h"
#include "Fonts.h"
#include "MainApp.h"

int main(int argc, char* argv[]) {
    // Before the application exists: Qt and the web engine read the font configuration once.
    fonts::InstallAliases();
    PrepareWebEngine(geteuid() == 0);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ornivex6"));
    fonts::LoadPolishTranslations(app);
    CMainApp theApp;
    const int result = theApp.InitInstance();
    EndedNormally();
    return result;
}
