#include "app/guide_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace lc::app {
namespace {

// The guide as the resource file of src/app/CMakeLists.txt places it; its
// pictures lie beside it and are found by their relative names.
const char* const kGuideUrl = "qrc:/guide/guide.md";
constexpr int kGuideWidth = 760;
constexpr int kGuideMinWidth = 480;

}  // namespace

GuideWindow::GuideWindow() : QWidget(nullptr, Qt::Window) {
    setObjectName("GuideWindow");
    setWindowTitle(QString::fromUtf8("翎川 用户指南"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("GuideText");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(QString::fromLatin1(kGuideUrl)), QTextDocument::MarkdownResource);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(kGuideWidth, 700);
}

void GuideWindow::present(const QWidget& beside) {
    if (!placed_) {
        placed_ = true;
        const QRect main = beside.frameGeometry();
        const QScreen* screen = beside.screen() ? beside.screen() : QGuiApplication::primaryScreen();
        const QRect avail = screen ? screen->availableGeometry() : main.adjusted(0, 0, kGuideWidth, 0);
        // Beside the main window on the side with more room, narrowed to that
        // room; where neither side has enough, against the screen's right
        // edge, over part of the main window.
        const int roomRight = avail.right() - main.right();
        const int roomLeft = main.left() - avail.left();
        const int height = std::min(std::max(main.height(), 600), avail.height());
        int left = 0, width = kGuideWidth;
        if (std::max(roomRight, roomLeft) >= kGuideMinWidth) {
            width = std::min(kGuideWidth, std::max(roomRight, roomLeft));
            left = roomRight >= roomLeft ? main.right() + 1 : main.left() - width;
        } else {
            width = std::min(kGuideWidth, avail.width());
            left = avail.right() + 1 - width;
        }
        const int top = std::clamp(main.top(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - height));
        // The frame's own width and height are small beside these; the place
        // is the frame's.
        resize(width, height);
        move(left, top);
    }
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace lc::app
