// The window tests share one QApplication. Without a display they run on the
// offscreen platform; a platform named in QT_QPA_PLATFORM (xcb under
// xvfb-run) is kept. Settings go to a directory of their own that is removed
// at the end, never to the user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "ui/formkit.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("lingchuan");
    QCoreApplication::setApplicationName("lingchuan-tests");
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid()) return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    lc::ui::installFontSubstitutions();
    app.setFont(lc::ui::formFont("宋体", 9));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
