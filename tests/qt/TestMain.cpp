// Runs the front-end tests inside one QApplication on the offscreen platform,
// so that they need no display. CTest sets QT_QPA_PLATFORM too; the default
// here covers the test listing at build time and runs by hand.
#include "qt/UiFont.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ルミタグ"));
    lumitag::qtfront::ensureUiFontLoaded();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
