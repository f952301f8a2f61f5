// The window tests share one QApplication. Without a display they run on the
// offscreen platform; a platform named in QT_QPA_PLATFORM (xcb under
// xvfb-run) is kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "ui/formkit.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Settings the tests leave go to a test location, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    lc::ui::installFontSubstitutions();
    app.setFont(lc::ui::formFont("宋体", 9));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
