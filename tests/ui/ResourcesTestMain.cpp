// One main for the resource tests: an offscreen application (menus and pixmaps need one) with
// the program's images registered.

#include <gtest/gtest.h>

#include <QApplication>

#include "ResourceInit.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "Europe/Warsaw");
    QApplication app(argc, argv);
    InitResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
