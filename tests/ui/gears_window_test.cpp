// The change-gear window: its controls, the search as the user starts it, and
// 退    出 hiding it with its list and caption.
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>

#include "support.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

// Notes every caption the window takes.
class TitleLog : public QObject {
public:
    QStringList titles;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::WindowTitleChange) titles << static_cast<QWidget*>(o)->windowTitle();
        return false;
    }
};

class GearsWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        menu("Gljs");
    }
    QListWidget* list() { return form(SheetId::Gears)->findChild<QListWidget*>("List1"); }
    QStringList lines() {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i) out << list()->item(i)->text();
        return out;
    }
};

}  // namespace

TEST_F(GearsWindow, OpensWithItsControlsFocusAndTabOrder) {
    QMdiSubWindow* w = main->windowOf(SheetId::Gears);
    EXPECT_EQ(w->windowTitle(), "Form1");
    EXPECT_EQ(text(SheetId::Gears, "Text1"), "");
    EXPECT_EQ(text(SheetId::Gears, "Text2"), "0.000001");
    EXPECT_EQ(list()->count(), 0);
    auto* heading = form(SheetId::Gears)->findChild<QLabel*>("Label3");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), "挂轮计算公式");
    EXPECT_EQ(QFontInfo(heading->font()).family(), "AR PL UKai CN") << "隶书 maps to the brush font";
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(QFontInfo(field(SheetId::Gears, "Text1")->font()).family(), "AR PL UMing CN") << "宋体";
    EXPECT_EQ(button(SheetId::Gears, "Command3")->text(), "说    明");
    EXPECT_EQ(button(SheetId::Gears, "Command2")->text(), "退    出");

    QStringList seen{focusName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << focusName();
    }
    EXPECT_EQ(seen, QStringList({"Command1", "List1", "Text1", "Text2", "Command2", "Command3"}));
}

TEST_F(GearsWindow, SearchForOneHalfListsOneLineAndCountsDownInTheCaption) {
    TitleLog log;
    form(SheetId::Gears)->installEventFilter(&log);
    type(SheetId::Gears, "Text1", "0.5");
    click(SheetId::Gears, "Command1");
    EXPECT_EQ(lines(), QStringList({"24X24/24X48=0.5"}));
    EXPECT_EQ(main->windowOf(SheetId::Gears)->windowTitle(), "计算结束，请挑选数据！");
    ASSERT_GE(log.titles.size(), 3);
    EXPECT_EQ(log.titles.front(), "计算中，请稍后！ 92");
    EXPECT_TRUE(log.titles.contains("计算中，请稍后！ 0  ^v^"));
    EXPECT_TRUE(messages.entries.empty());

    click(SheetId::Gears, "Command3");  // 说    明 does nothing
    EXPECT_TRUE(main->windowOf(SheetId::Gears)->isVisible());

    click(SheetId::Gears, "Command2");
    EXPECT_FALSE(main->windowOf(SheetId::Gears)->isVisible());
    menu("Gljs");
    EXPECT_TRUE(main->windowOf(SheetId::Gears)->isVisible());
    EXPECT_EQ(lines(), QStringList({"24X24/24X48=0.5"}));
    EXPECT_EQ(main->windowOf(SheetId::Gears)->windowTitle(), "计算结束，请挑选数据！");
    EXPECT_EQ(text(SheetId::Gears, "Text1"), "0.5");
}

TEST_F(GearsWindow, AnEmptyTargetIsAskedFor) {
    click(SheetId::Gears, "Command1");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "请输入结果！");
    EXPECT_EQ(main->windowOf(SheetId::Gears)->windowTitle(), "Form1");
}
