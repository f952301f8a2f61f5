// What the engineer can read: every caption inside its room, long results
// readable from their beginning and in full from their tooltip, also over a
// disabled field. These tests run at scale 1 and again at a device pixel ratio
// of 2 (tests/CMakeLists.txt).
#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLabel>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QToolTip>

#include "support.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

class Readability : public WindowTest {
protected:
    std::vector<ui::SheetForm*> forms() {
        std::vector<ui::SheetForm*> out;
        for (SheetId id : kAllSheets)
            if (ui::SheetForm* f = form(id)) out.push_back(f);
        return out;
    }
};

}  // namespace

TEST_F(Readability, EveryCaptionFitsItsLabelAndEveryButton) {
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    ASSERT_EQ(forms().size(), 4u);
    int labels = 0;
    for (ui::SheetForm* f : forms()) {
        for (QLabel* l : f->findChildren<QLabel*>()) {
            SCOPED_TRACE(l->objectName().toStdString());
            EXPECT_LE(QFontMetricsF(l->font(), l).horizontalAdvance(l->text()), l->contentsRect().width())
                << l->text().toStdString();
            ++labels;
        }
        for (QPushButton* b : f->findChildren<QPushButton*>())
            EXPECT_LT(QFontMetricsF(b->font(), b).horizontalAdvance(b->text()), b->width())
                << b->objectName().toStdString();
    }
    EXPECT_EQ(labels, 39 + 21 + 58 + 3) << "A2, B1, C and the change-gear window";
}

TEST_F(Readability, AnOverlongCaptionKeepsItsFontSizeAndItsField) {
    menu("A1");
    // "23 齿 顶 高(初)h1'" at 10.5 points is wider than the room between its left
    // (3660 twips) and its field (5520 twips); it is fitted by its spacing.
    auto* caption = form(SheetId::A2)->findChild<QLabel*>("Label23");
    ASSERT_NE(caption, nullptr);
    QFont plain = caption->font();
    plain.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    EXPECT_GT(QFontMetricsF(plain, caption).horizontalAdvance(caption->text()), caption->width())
        << "the caption outgrows its room at its natural spacing";
    EXPECT_EQ(caption->font().pixelSize(), 14);
    EXPECT_LT(caption->font().letterSpacing(), 0);
    EXPECT_LE(caption->geometry().right(), field(SheetId::A2, "Text23(0)")->x());
    EXPECT_EQ(field(SheetId::A2, "Text23(0)")->x(), 368) << "5520 twips";
    // A caption with room to spare keeps its spacing.
    EXPECT_EQ(form(SheetId::A2)->findChild<QLabel*>("Label22")->font().letterSpacing(), 0);
}

TEST_F(Readability, FieldTextFitsTheFieldsHeight) {
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    for (ui::SheetForm* f : forms())
        for (QLineEdit* e : f->findChildren<QLineEdit*>()) {
            QStyleOptionFrame opt;
            opt.initFrom(e);
            opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
            const QRect inside = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
            EXPECT_LE(QFontMetricsF(e->font(), e).height(), inside.height()) << e->objectName().toStdString();
        }
}

TEST_F(Readability, EveryFieldCarriesItsWholeTextAsTooltip) {
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    int long_results = 0;
    for (ui::SheetForm* f : forms())
        for (QLineEdit* e : f->findChildren<QLineEdit*>()) {
            // The whole text first; below it, for a numbered item, what it is.
            if (!e->text().isEmpty()) {
                EXPECT_EQ(e->toolTip().section('\n', 0, 0), e->text()) << e->objectName().toStdString();
            }
            if (e->text().size() >= 15 && e->isReadOnly()) ++long_results;
        }
    EXPECT_GT(long_results, 10) << "the worked example has many 15-digit results";
    // The pinion's outside diameter, written with 15 digits, is wider than its
    // field: the field shows its beginning and the tooltip all of it.
    QLineEdit* de = field(SheetId::A2, "Text40(0)");
    EXPECT_EQ(de->toolTip().section('\n', 0, 0), "22.7541513438883");
    EXPECT_GT(de->fontMetrics().horizontalAdvance(de->text()), de->width());
    EXPECT_EQ(de->cursorPosition(), 0);

    // Typing and the program's own writes renew it; restart empties it.
    type(SheetId::A2, "Text12", "5");
    EXPECT_EQ(field(SheetId::A2, "Text12")->toolTip().section('\n', 0, 0), "0.45");
    click(SheetId::A2, "Command3");
    EXPECT_FALSE(de->toolTip().contains("22.75"));
    EXPECT_FALSE(field(SheetId::A2, "Text12")->toolTip().contains("0.45"));
}

TEST_F(Readability, HoveringADisabledResultShowsAllItsDigits) {
    calculateA2();
    // Item 6 lies near the top of the screen also at scale 2, where the
    // offscreen screen is only 400 x 300 device-independent pixels.
    QLineEdit* zc = field(SheetId::A2, "Text6");
    ASSERT_TRUE(zc->isReadOnly());
    ASSERT_EQ(zc->text(), "42.2018956920184");
    ASSERT_GT(zc->fontMetrics().horizontalAdvance(zc->text()), zc->width()) << "wider than its field";
    const QPoint centre = zc->mapToGlobal(zc->rect().center());
    ASSERT_TRUE(zc->screen()->geometry().contains(centre));
    // The pointer comes to rest over the field, as the engineer's would.
    QTest::mouseMove(zc, QPoint(5, 5));
    QTest::mouseMove(zc, zc->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000)) << "no tooltip appeared";
    EXPECT_EQ(QToolTip::text().section('\n', 0, 0), "42.2018956920184");
    QToolTip::hideText();
}

// A double-click selects the whole number, sign, point and exponent included,
// in a result field as in an input field; Ctrl+C copies all of it.
TEST_F(Readability, DoubleClickSelectsTheWholeNumber) {
    calculateA2();
    field(SheetId::A2, "Text12")->setText("-1.5E-07");
    for (QLineEdit* f : {field(SheetId::A2, "Text6"), field(SheetId::A2, "Text12")}) {
        QTest::mouseDClick(f, Qt::LeftButton, {}, QPoint(f->width() - 8, f->height() / 2));
        QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), f->text());
    }
}
