// Start of the program.
#include <QApplication>

#include "MainApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ornivex6"));
    CMainApp theApp;
    return theApp.InitInstance();
}
