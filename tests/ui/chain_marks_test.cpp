// The chain's state on the real windows: a sheet whose results or copies are
// not current says so in its caption and frames each field concerned, as soon
// as a text changes, and stops once the user brings it up to date.
#include <QMenu>

#include "support.h"
#include "ui/formkit.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

class ChainMarks : public WindowTest {
protected:
    QString title(SheetId id) { return main->windowOf(id)->windowTitle(); }
    // The fields of the sheet that show the mark in their picture: dark red
    // along the top edge.
    QStringList marked(SheetId id) {
        QStringList out;
        for (ui::Field* f : form(id)->findChildren<ui::Field*>()) {
            const QImage image = f->grab().toImage();
            int red = 0;
            for (int x = 0; x < image.width(); ++x) red += image.pixelColor(x, 1) == QColor(0xC0, 0, 0);
            if (red > 5) out << f->objectName();
        }
        out.sort();
        return out;
    }
    // 重新取值 as the sheet menu offers it: its caption and whether it is enabled.
    QString reimportFrom(SheetId id) {
        QMenu* m = main->popUpSheetMenu(id, main->mapToGlobal(QPoint(10, 10)));
        auto* a = main->findChild<QAction*>("Reimport");
        const bool offered = m->actions().contains(a);
        m->close();
        if (!offered || !a->isEnabled()) return offered ? "disabled" : "absent";
        a->trigger();
        return a->text();
    }
};

}  // namespace

TEST_F(ChainMarks, ChangedModuleMarksTheChainUntilCopiedAndCalculatedAgain) {
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    for (SheetId id : {SheetId::A2, SheetId::B1, SheetId::C}) EXPECT_TRUE(marked(id).isEmpty()) << sheetKey(id);
    const QRect place = field(SheetId::C, "Text45")->geometry();

    // m typed, not calculated: the results of m 2 beside m 2.5 are framed at once.
    field(SheetId::A2, "Text3")->selectAll();
    type(SheetId::A2, "Text3", "2.5");
    EXPECT_EQ(title(SheetId::A2), "翎川齿轮计算单A2（结果需重新计算）");
    EXPECT_TRUE(marked(SheetId::A2).contains("Text9"));
    EXPECT_EQ(title(SheetId::B1), "翎川齿轮计算单B1（计算单A2不是最新的）");

    click(SheetId::A2, "Command1");
    click(SheetId::A2, "Command2");
    click(SheetId::B1, "Command1");
    click(SheetId::B1, "Command3");
    EXPECT_EQ(title(SheetId::A2), "翎川齿轮计算单A2");
    EXPECT_EQ(marked(SheetId::B1), (QStringList{"Text2", "Text3"}));
    EXPECT_EQ(title(SheetId::C), "翎川齿轮计算单C（与计算单A2、B1不一致；结果需重新计算；计算单B1不是最新的）");
    for (const char* f : {"Text45", "Text47", "Text48", "Text50", "Text56", "Text57"}) EXPECT_TRUE(marked(SheetId::C).contains(f)) << f;
    EXPECT_FALSE(marked(SheetId::C).contains("Text42"));
    EXPECT_TRUE(field(SheetId::C, "Text45")->toolTip().startsWith("注意：与计算单A2第3项不一致，其现值为“2.5”"));
    EXPECT_EQ(field(SheetId::C, "Text45")->geometry(), place);

    EXPECT_EQ(reimportFrom(SheetId::A2), "absent");
    EXPECT_EQ(reimportFrom(SheetId::B1), "从计算单A2重新取值");
    EXPECT_EQ(reimportFrom(SheetId::C), "从计算单A2、B1重新取值");
    menu("Undo");  // 撤销 brings the old copies back, and their marks
    EXPECT_TRUE(marked(SheetId::C).contains("Text45"));
    EXPECT_EQ(reimportFrom(SheetId::C), "从计算单A2、B1重新取值");
    // Copied, not calculated: the results still wait for 开  始.
    EXPECT_EQ(title(SheetId::C), "翎川齿轮计算单C（结果需重新计算）");
    EXPECT_FALSE(marked(SheetId::C).contains("Text45"));
    click(SheetId::C, "Command1");
    EXPECT_EQ(title(SheetId::C), "翎川齿轮计算单C");
    for (SheetId id : {SheetId::A2, SheetId::B1, SheetId::C}) EXPECT_TRUE(marked(id).isEmpty()) << sheetKey(id);

    // Restarted, A2 has nothing to mistrust: no mark, its own caption; B1
    // and C read it and say so, and A2 lets nothing be copied.
    click(SheetId::A2, "Command3");
    EXPECT_EQ(title(SheetId::A2), "翎川齿轮计算单A2");
    EXPECT_TRUE(marked(SheetId::A2).isEmpty());
    EXPECT_EQ(reimportFrom(SheetId::B1), "disabled");
    // Closed, A2 is gone from what B1 reads: the marks follow.
    main->windowOf(SheetId::A2)->close();
    settle();
    EXPECT_EQ(title(SheetId::B1), "翎川齿轮计算单B1（按当前输入计算会停止）");
}
