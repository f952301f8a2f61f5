// The road through the three sheets as the user walks it: sheet A2 typed and
// calculated from the keyboard, 下一步 to sheet B1, its calculation, 下一步 to
// sheet C, its calculation and 结  束.
//
// Sheet A2's texts are the worked example of its calculation. Sheet B1's item
// 55 is cosβe × s1 = 0.9 × 3.49748956554454, written with 15 digits:
//   Decimal(0.9 * 3.49748956554454).quantize(Decimal('1e-14'), ROUND_HALF_UP)
//   -> 3.14774060899009
// Sheet C's items 1 and 15 are those worked out by tests/core/sheet_bc_reference.py
// for the same road (angles 25, 20, 28, 22).
#include "support.h"
#include "../common/a2_worked_example.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

class SheetChain : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        menu("A1");
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    // Sheet A2's worked example, typed along the Enter chain and started with Enter.
    void calculateA2() {
        for (const char* keys : {"10", "41", "2", "", "0.4", "44.45"}) {
            QTest::keyClicks(QApplication::focusWidget(), keys);
            key(Qt::Key_Return);
        }
        ASSERT_EQ(focusName(), "Command1");
        key(Qt::Key_Return);
        ASSERT_EQ(wb().flags.a2Done, kTrue);
    }
    void typeAngles() {
        type(SheetId::C, "Text52", "25");
        type(SheetId::C, "Text53", "20");
        type(SheetId::C, "Text54", "28");
        type(SheetId::C, "Text55", "22");
    }
};

}  // namespace

TEST_F(SheetChain, A2ThenB1ThenCWithMouseAndKeyboard) {
    ASSERT_NO_FATAL_FAILURE(calculateA2());

    click(SheetId::A2, "Command2");
    ASSERT_NE(main->windowOf(SheetId::B1), nullptr);
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), main->windowOf(SheetId::B1));
    EXPECT_EQ(focusName(), "Text1(0)");
    EXPECT_EQ(text(SheetId::B1, "Text1(0)"), "3.5");
    EXPECT_EQ(text(SheetId::B1, "Text1(1)"), "44.45");
    EXPECT_EQ(text(SheetId::B1, "Text2"), "12.8811819285765");
    EXPECT_EQ(text(SheetId::B1, "Text3"), "0.8888738");

    // Tab runs Text1(0), Text2, Text3, Text16, Text1(1), Command1, Command3.
    for (int i = 0; i < 3; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "Text16");
    QTest::keyClicks(QApplication::focusWidget(), "0.9");
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "Command1");
    key(Qt::Key_Space);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(text(SheetId::B1, "Text17"), "3.14774060899009");
    EXPECT_EQ(text(SheetId::B1, "Text19"), "2.517444") << "A2's item 33 copied";
    EXPECT_EQ(text(SheetId::B1, "Text10"), "0");
    EXPECT_EQ(text(SheetId::B1, "Text15"), text(SheetId::B1, "Text9"));
    EXPECT_TRUE(field(SheetId::B1, "Text17")->isReadOnly());
    EXPECT_EQ(wb().flags.b1Done, kTrue);

    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "Command3");
    key(Qt::Key_Return);
    ASSERT_NE(main->windowOf(SheetId::C), nullptr);
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), main->windowOf(SheetId::C));
    for (const auto& [name, expected] : example::cImportedFromA2())
        EXPECT_EQ(text(SheetId::C, name.c_str()), QString::fromStdString(expected)) << name;
    const std::pair<const char*, QString> imported[] = {
        {"Text56", text(SheetId::B1, "Text15")},
        {"Text57", text(SheetId::B1, "Text15")},
        {"Text13", "20"},
    };
    for (const auto& [name, expected] : imported) EXPECT_EQ(text(SheetId::C, name), expected) << name;
    EXPECT_FALSE(field(SheetId::C, "Text1")->isReadOnly()) << "every field of sheet C takes input";

    typeAngles();
    click(SheetId::C, "Command1");
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(text(SheetId::C, "Text1"), "11.4033799079867");
    EXPECT_EQ(text(SheetId::C, "Text15"), "20.5862905814724");

    click(SheetId::C, "Command3");
    EXPECT_FALSE(main->windowOf(SheetId::C)->isVisible());
    EXPECT_TRUE(wb().exists(SheetId::C));
    menu("C");
    EXPECT_TRUE(main->windowOf(SheetId::C)->isVisible());
    EXPECT_EQ(text(SheetId::C, "Text1"), "11.4033799079867") << "hidden, not closed";
}

TEST_F(SheetChain, B1WithoutCosBetaAsksForItAndTheMenuImportsAgain) {
    ASSERT_NO_FATAL_FAILURE(calculateA2());
    menu("B1");
    type(SheetId::B1, "Text2", "7");
    click(SheetId::B1, "Command1");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "请输入COSβe值");
    EXPECT_EQ(focusName(), "Text16");
    EXPECT_NE(text(SheetId::B1, "Text4"), "") << "items 4 to 9 came before the check";
    EXPECT_EQ(text(SheetId::B1, "Text17"), "");

    menu("B1");
    EXPECT_EQ(text(SheetId::B1, "Text2"), "12.8811819285765") << "the menu imports over what was typed";
}

TEST_F(SheetChain, SheetCReadingAClosedSheetA2BringsItBackEmpty) {
    ASSERT_NO_FATAL_FAILURE(calculateA2());
    click(SheetId::A2, "Command2");
    type(SheetId::B1, "Text16", "0.9");
    click(SheetId::B1, "Command1");
    click(SheetId::B1, "Command3");
    typeAngles();

    main->windowOf(SheetId::A2)->close();
    settle();
    ASSERT_EQ(main->windowOf(SheetId::A2), nullptr);
    click(SheetId::C, "Command1");
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(messages.entries[0].text.contains("Text35(0)")) << messages.entries[0].text.toStdString();
    QMdiSubWindow* a2 = main->windowOf(SheetId::A2);
    ASSERT_NE(a2, nullptr) << "the calculation created sheet A2 and its window";
    EXPECT_TRUE(a2->isVisible());
    EXPECT_EQ(text(SheetId::A2, "Text5"), "35");
    EXPECT_EQ(text(SheetId::A2, "Text1"), "");
    EXPECT_EQ(wb().flags.a2Done, kFalse);
}
