// The screenshot mode on the real main window: it walks the whole road by keys
// and clicks and writes one picture of each window, each of its window's size.
#include <QImage>
#include <QTemporaryDir>

#include "tools/screenshots.h"
#include "support.h"

using namespace lc;
using lc::test::WindowTest;

using Screenshots = WindowTest;

TEST_F(Screenshots, WritesEveryWindowAfterTheWorkedExample) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(app::takeScreenshots(*main, dir.path()), 0);

    const qreal ratio = main->devicePixelRatioF();
    auto sizeOf = [&](const char* file) { return QImage(dir.filePath(file)).size() / ratio; };
    // Outer sizes of the child windows in twips / 15.
    EXPECT_EQ(sizeOf("sheet-a2.png"), QSize(680, 507));
    EXPECT_EQ(sizeOf("sheet-b1.png"), QSize(551, 428));
    EXPECT_EQ(sizeOf("sheet-c.png"), QSize(729, 489));
    EXPECT_EQ(sizeOf("sheet-c-marked.png"), QSize(729, 489));
    EXPECT_EQ(sizeOf("change-gears.png"), QSize(390, 343));
    EXPECT_EQ(sizeOf("sketch-window.png"), QSize(960, 680));
    EXPECT_EQ(sizeOf("sketch-window-small.png"), QSize(400, 300));
    EXPECT_EQ(sizeOf("sketch-window-large.png"), QSize(1600, 1100));
    // The main window as it first opens, around sheet A2, and at its design size.
    EXPECT_EQ(sizeOf("main-window.png"), main->size());
    EXPECT_TRUE(sizeOf("main-window.png").width() > 680 && sizeOf("main-window.png").height() > 507);
    EXPECT_EQ(sizeOf("main-window-a2.png").width(), 653);

    // The road left every sheet calculated, without a message.
    EXPECT_EQ(wb().sheet(SheetId::A2).text("Text42(1)"), "2.785696");
    EXPECT_EQ(wb().sheet(SheetId::B1).text("Text17"), "3.14774060899009");
    EXPECT_EQ(wb().sheet(SheetId::C).text("Text1"), "11.4033799079867");
    EXPECT_EQ(wb().sheet(SheetId::Gears).caption, "计算结束，请挑选数据！");
}

TEST_F(Screenshots, AFolderThatCannotBeMadeIsAFailure) {
    EXPECT_EQ(app::takeScreenshots(*main, "/proc/lingchuan-screenshots"), 1);
}
