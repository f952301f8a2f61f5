// The program's icon comes from its resources at every size a desktop asks for.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "app/program_icon.h"

TEST(ProgramIcon, EverySizeFromSixteenToTwoHundredFiftySixIsDrawn) {
    const QIcon icon = lc::app::programIcon();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        // A picture, not a blank square: its middle row has opaque pixels and
        // its corners are clear.
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        int opaque = 0;
        for (int x = 0; x < size; ++x) opaque += qAlpha(image.pixel(x, size / 2)) > 200;
        EXPECT_GT(opaque, size / 2);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    }
}
