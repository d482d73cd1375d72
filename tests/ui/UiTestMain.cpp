// Entry of the window tests: a real application on the offscreen platform, in Warsaw time and the
// Polish locale, with every per-user folder in a fresh temporary folder and every seam scripted.
// The web engine is set up the way it runs headless, before the application exists.
//
// Started as "ui_tests --single-instance-child hold|crash" the binary is instead a second copy
// of the program for the single-instance tests (see SingleInstanceTest.cpp).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "Fonts.h"
#include "Seams.h"

int RunSingleInstanceChild(const char* mode);  // SingleInstanceTest.cpp

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], "--single-instance-child") == 0)
        return RunSingleInstanceChild(argv[2]);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    qputenv("TZ", "Europe/Warsaw");
    tzset();
    // The users' locale: the application sets the C library's locale from these, so decimal
    // fields are tested under a locale whose decimal separator is a comma.
    qputenv("LANG", "pl_PL.UTF-8");
    qputenv("LC_ALL", "pl_PL.UTF-8");

    QTemporaryDir home;
    if (!home.isValid()) return 2;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, QFile::encodeName(folder));
    }

    // The faces resolve as in the program, for the windows and for the pages alike.
    fonts::InstallAliases();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    seams::SetTestMode(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
