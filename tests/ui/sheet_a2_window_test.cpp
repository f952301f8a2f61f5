// Sheet A2's window: its controls as the form lays them out, and the editing
// behaviour through keys and clicks on the real main window.
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QRadioButton>

#include "../core/sheet_a2_support.h"
#include "support.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

class SheetA2Window : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        menu("A1");
    }
    QString t(const char* name) { return text(SheetId::A2, name); }
    template <typename W>
    W* get(const char* name) {
        W* w = form(SheetId::A2)->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Enter in the field that has the focus.
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    void typeHere(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
    // The colour in the middle of the right end of an empty field.
    static QColor backgroundOf(QWidget* w) {
        const QImage img = w->grab().toImage();
        return img.pixelColor(img.width() - 5, img.height() / 2);
    }
};

const std::pair<const char*, const char*> kCaptions[] = {
    {"Label1", "1  小 轮  齿 数Z1"},
    {"Label2", "2  大 轮  齿 数Z2"},
    {"Label3", "3  模        数m"},
    {"Label4", "4  传   动   比i"},
    {"Label5", "5  螺   旋   角β"},
    {"Label6", "6  平面齿轮齿数Zc"},
    {"Label7", "7  齿 高  系 数f"},
    {"Label8", "8  径向间隙系数Kc"},
    {"Label9", "9  工 作  高 度h3"},
    {"Label10", "10 径 向  间 隙C"},
    {"Label11", "11 周        节t"},
    {"Label12", "12 高度变位系数"},
    {"Label13", "13 外   锥   距Le"},
    {"Label14", "14 齿 宽  系 数Kb"},
    {"Label15", "15 齿        宽b"},
    {"Label16", "16 中 点  锥 距L"},
    {"Label17", "17 刀 盘  半 径"},
    {"Label18", "18 刀盘公称直径"},
    {"Label19", "19 螺   旋   角β"},
    {"Label20", "20 螺旋方向(小大)"},
    {"Label21", "21 计算 错 刀量W"},
    {"Label22", "22 触区长比齿长F"},
    {"Label23", "23 齿 顶 高(初)h1'"},
    {"Label24", "24 齿 根 高(初)"},
    {"Label25", "25 齿 根 角(初)"},
    {"Label26", "26 理 论  刀 号"},
    {"Label27", "27 齿根角修正量"},
    {"Label28", "28 顶根高修正量"},
    {"Label31", "31 齿   全   高"},
    {"Label32", "32 齿   根   角"},
    {"Label33", "33 齿   顶   高"},
    {"Label34", "34 齿   根   高"},
    {"Label35", "35 节 圆  直 径"},
    {"Label36", "36 节   锥   角"},
    {"Label38", "38 外   锥   角"},
    {"Label39", "39 内   锥   角"},
    {"Label40", "40 外 圆  直 径"},
    {"Label41", "41 锥顶外径距离"},
    {"Label42", "42 节圆上弦齿厚"},
};

}  // namespace

TEST_F(SheetA2Window, OpensWithItsDefaultsAndTheFocusInItem1) {
    const Sheet& s = wb().sheet(SheetId::A2);
    for (const auto& name : s.fieldNames()) {
        SCOPED_TRACE(name);
        EXPECT_EQ(t(name.c_str()), name == "Text5" ? "35" : "");
    }
    for (const char* c : {"Check1", "Check2", "Check3"}) EXPECT_FALSE(get<QCheckBox>(c)->isChecked()) << c;
    EXPECT_TRUE(get<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(get<QRadioButton>("Option1")->text(), "左");
    EXPECT_EQ(get<QRadioButton>("Option2")->text(), "右");
    EXPECT_EQ(get<QCheckBox>("Check2")->text(), "Check2");
    EXPECT_EQ(get<QPushButton>("Command1")->text(), "开始计算");
    EXPECT_EQ(get<QPushButton>("Command3")->text(), "重新开始");
    EXPECT_EQ(get<QPushButton>("Command2")->text(), "下一步");
    EXPECT_EQ(focusName(), "Text1");
}

TEST_F(SheetA2Window, EveryItemCaptionIsExact) {
    for (const auto& [label, caption] : kCaptions) EXPECT_EQ(get<QLabel>(label)->text(), caption) << label;
    EXPECT_EQ(get<QLabel>("Label20")->text(), "20 螺旋方向(小大)");
}

TEST_F(SheetA2Window, FieldsHaveTheirPlacesKindsColoursAndFonts) {
    // Twips / 15: Text6 at (2100, 2545), 1425 x 270; Text31 at (8910, 300), 915 x 255.
    EXPECT_EQ(field(SheetId::A2, "Text6")->geometry(), QRect(140, 170, 95, 18));
    EXPECT_EQ(field(SheetId::A2, "Text31")->geometry(), QRect(594, 20, 61, 17));
    EXPECT_EQ(field(SheetId::A2, "Text42(1)")->geometry(), QRect(594, 428, 61, 18));
    EXPECT_EQ(get<QLabel>("Label36")->x(), 478) << "items 36 and 40 start at 7170";
    EXPECT_EQ(get<QLabel>("Label35")->x(), 476);
    EXPECT_EQ(get<QCheckBox>("Check2")->geometry(), QRect(434, 139, 15, 18));
    EXPECT_EQ(get<QPushButton>("Command3")->geometry(), QRect(297, 450, 91, 25));

    const QColor green(0xC0, 0xFF, 0xC0), orange(0xFF, 0xC0, 0x80), grey(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(backgroundOf(field(SheetId::A2, "Text1")), green);
    EXPECT_EQ(backgroundOf(field(SheetId::A2, "Text4")), orange) << "disabled, still orange";
    EXPECT_EQ(backgroundOf(field(SheetId::A2, "Text20(0)")), orange);
    const QImage sheet = form(SheetId::A2)->grab().toImage();
    EXPECT_EQ(sheet.pixelColor(5, 5), grey);

    const QFont f = field(SheetId::A2, "Text1")->font();
    EXPECT_EQ(f.pixelSize(), 12) << "9 points at 96 dpi";
    EXPECT_TRUE(f.bold());
    EXPECT_EQ(get<QLabel>("Label1")->font().pixelSize(), 14) << "10.5 points";
}

// A click selects in a result field, so that its text can be copied; it
// still takes no typing and shows no caret.
TEST_F(SheetA2Window, ResultFieldsTakeNoTypingButCanBeSelectedAndCopied) {
    wb().sheet(SheetId::A2).setText("Text23(0)", "2.45363458305213");
    main->session().refreshAll();
    QLineEdit* r = field(SheetId::A2, "Text23(0)");
    QTest::mouseClick(r, Qt::LeftButton);
    EXPECT_EQ(focusName(), "Text23(0)");
    QTest::keyClicks(r, "12");
    QTest::keyClick(r, Qt::Key_Backspace);
    EXPECT_EQ(r->text(), "2.45363458305213");
    EXPECT_EQ(wb().sheet(SheetId::A2).text("Text23(0)"), "2.45363458305213");
    QTest::keyClick(r, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(r, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "2.45363458305213");
    // Read-only: a line edit draws no caret then.
    EXPECT_TRUE(r->isReadOnly());
    EXPECT_EQ(r->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
    EXPECT_FALSE(field(SheetId::A2, "Text20(1)")->isReadOnly()) << "the small item 20 fields take typing";
}

TEST_F(SheetA2Window, TabFollowsTheFormsOrder) {
    QStringList seen{focusName()};
    for (int i = 0; i < 17; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << focusName();
    }
    EXPECT_EQ(seen, QStringList({"Text1", "Text3", "Text5", "Text12", "Text17", "Text19", "Text20(0)", "Text26",
                                 "Command1", "Command2", "Text2", "Check1", "Check2", "Text15", "Text20(1)",
                                 "Option1", "Command3", "Check3"}));
}

TEST_F(SheetA2Window, AWrittenTextShowsItsBeginning) {
    wb().sheet(SheetId::A2).setText("Text13", "42.2018956920184");
    main->session().refreshAll();
    QLineEdit* f = field(SheetId::A2, "Text13");
    EXPECT_EQ(f->text(), "42.2018956920184");
    EXPECT_EQ(f->cursorPosition(), 0);
}

TEST_F(SheetA2Window, EnterWalksTheChainAndFillsTheDependentFields) {
    typeHere("20");
    enter();
    EXPECT_EQ(focusName(), "Text2");
    EXPECT_EQ(t("Text4"), "") << "Text2 still empty";
    typeHere("41");
    enter();
    EXPECT_EQ(focusName(), "Text3");
    EXPECT_EQ(t("Text4"), "2.05");
    typeHere("0.5");
    enter();
    EXPECT_EQ(focusName(), "Text5");
    EXPECT_EQ(t("Text8"), "0.35");
    EXPECT_EQ(t("Text14"), "0.2");
    enter();  // β keeps its 35
    EXPECT_EQ(focusName(), "Text12");
    EXPECT_EQ(t("Text7"), "0.82");
    enter();
    EXPECT_EQ(focusName(), "Text17");
    enter();
    EXPECT_EQ(focusName(), "Command1");
    EXPECT_EQ(t("Text18"), "") << "Enter in item 17 does not start the calculation";
    EXPECT_TRUE(messages.entries.empty());

    // Enter elsewhere (item 15) does nothing.
    type(SheetId::A2, "Text15", "3");
    enter();
    EXPECT_EQ(focusName(), "Text15");
}

TEST_F(SheetA2Window, AFaultInAnEnterHandlerIsReportedWithTheFocusAlreadyMoved) {
    typeHere("0");
    type(SheetId::A2, "Text2", "41");
    enter();
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(messages.entries[0].text.contains("Text4")) << messages.entries[0].text.toStdString();
    EXPECT_EQ(focusName(), "Text3");
    EXPECT_EQ(t("Text4"), "");
}

TEST_F(SheetA2Window, TheWorkedExampleTypedWithEnterAndStartedFromTheKeyboard) {
    for (const char* keys : {"10", "41", "2", "", "0.4", "44.45"}) {
        typeHere(keys);
        enter();
    }
    ASSERT_EQ(focusName(), "Command1");
    enter();  // Enter presses the focused start button
    EXPECT_TRUE(messages.entries.empty());
    // Every text of the worked example, both stretches.
    for (const a2test::Texts* stretch : {&a2test::example1FirstStretch(), &a2test::example1SecondStretch()})
        for (const auto& [name, expected] : *stretch) EXPECT_EQ(t(name.c_str()), QString::fromStdString(expected)) << name;
    EXPECT_EQ(wb().flags.a2Done, kTrue);
    EXPECT_EQ(wb().flags.pinionRightHand, kFalse);
    // The pinion's thickness, wider than its field, shows from its start.
    EXPECT_EQ(field(SheetId::A2, "Text42(0)")->cursorPosition(), 0);
    // A disabled result field draws its text in black.
    const QImage shown = field(SheetId::A2, "Text6")->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 3; x < shown.width() - 3; ++x) darkest = std::min(darkest, qGray(shown.pixel(x, y)));
    EXPECT_LT(darkest, 40);
}

TEST_F(SheetA2Window, AMissingInputIsReportedAndTheFocusGoesToIt) {
    type(SheetId::A2, "Text1", "10");
    click(SheetId::A2, "Command1");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "请输入必要的参数！");
    EXPECT_EQ(focusName(), "Text2");
    EXPECT_EQ(t("Text4"), "");
}

TEST_F(SheetA2Window, HandButtonsCaptionAndRestart) {
    QTest::mouseClick(get<QRadioButton>("Option2"), Qt::LeftButton);
    EXPECT_TRUE(get<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(get<QRadioButton>("Option1")->text(), "右");
    EXPECT_EQ(get<QRadioButton>("Option2")->text(), "左");
    EXPECT_EQ(wb().sheet(SheetId::A2).option1Caption, "右");

    QTest::mouseClick(get<QLabel>("Label1"), Qt::LeftButton);
    EXPECT_EQ(t("Text2"), "wr ");

    QTest::mouseClick(get<QCheckBox>("Check1"), Qt::LeftButton);
    EXPECT_EQ(wb().sheet(SheetId::A2).check("Check1"), 1) << "ticking reaches the workbook at once";
    type(SheetId::A2, "Text20(0)", "x");
    click(SheetId::A2, "Command3");
    EXPECT_EQ(t("Text2"), "");
    EXPECT_EQ(t("Text5"), "");
    EXPECT_EQ(t("Text20(0)"), "x");
    EXPECT_FALSE(get<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(get<QRadioButton>("Option1")->text(), "右") << "restart keeps the hand";
    EXPECT_EQ(focusName(), "Text1");

    QTest::mouseClick(get<QRadioButton>("Option1"), Qt::LeftButton);
    EXPECT_TRUE(get<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(get<QRadioButton>("Option1")->text(), "左");
    EXPECT_EQ(get<QRadioButton>("Option2")->text(), "右");
}

// A pasted text longer than the toolkit's default limit of 32 767 characters
// is kept whole, and the fault names it by its start and length.
TEST_F(SheetA2Window, ALongPasteIsKeptWholeAndQuotedShort) {
    for (const auto& [name, keys] : {std::pair{"Text2", "41"}, {"Text3", "2"}, {"Text12", "0.4"}, {"Text17", "44.45"}})
        type(SheetId::A2, name, keys);
    const QString pasted = QString(99999, '1') + "x";
    QApplication::clipboard()->setText(pasted);
    QLineEdit* item1 = field(SheetId::A2, "Text1");
    item1->setFocus();
    QTest::keyClick(item1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(item1->text(), pasted);
    click(SheetId::A2, "Command1");
    EXPECT_EQ(wb().sheet(SheetId::A2).text("Text1"), pasted.toStdString());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text,
              "计算单A2 第1项（Text1）的内容“" + QString(40, '1') + "…”（共100000个字符）不是数字，计算已停止。");
}
