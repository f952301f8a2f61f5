#include "app/sketch_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QSettings>
#include <algorithm>

#include "core/blank_sketch.h"
#include "report/sketch.h"

namespace lc::app {
namespace {

const char* const kGeometryKey = "sketchWindow/geometry";
// The size it opens at the first time where the screen has room for it.
constexpr int kWidth = 960;
constexpr int kHeight = 680;

}  // namespace

SketchWindow::SketchWindow(const Workbook& wb, QWidget* parent, const QList<QAction*>& commands,
                           const QList<QAction*>& menuCommands)
    : QWidget(parent, Qt::Window), wb_(wb), menuCommands_(menuCommands) {
    setObjectName("SketchWindow");
    setWindowTitle(QString::fromUtf8("翎川 齿坯示意图"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
    resize(kWidth, kHeight);
    // The same actions as the main window's: a key works in whichever of the
    // two windows is active.
    addActions(commands);
    copy_ = new QAction(QString::fromUtf8("复制图片"), this);
    copy_->setObjectName("CopyPicture");
    copy_->setShortcut(QKeySequence::Copy);
    connect(copy_, &QAction::triggered, this, &SketchWindow::copyPicture);
    addAction(copy_);
}

QString SketchWindow::stopLine() const { return QString::fromStdString(blankSketch(wb_).stop); }

void SketchWindow::paintOn(QPainter& p, const QRectF& area) const {
    p.fillRect(area, Qt::white);
    const qreal margin = logicalDpiX() / 8.0;
    report::paintBlankSketch(p, area.adjusted(margin, margin, -margin, -margin), wb_);
}

void SketchWindow::paintEvent(QPaintEvent*) {
    // The sheet's texts are read afresh at every painting, so the window can
    // never show a drawing the sheet no longer holds.
    QPainter p(this);
    paintOn(p, QRectF(rect()));
}

QImage SketchWindow::picture(qreal factor) const {
    const qreal ratio = factor > 0 ? factor : devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    // The screen's resolution, so that the labels take the size they have in
    // the window (an image's own is 72 dpi).
    image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    QPainter p(&image);
    paintOn(p, QRectF(rect()));
    return image;
}

bool SketchWindow::writePdf(QIODevice& out) const {
    QPdfWriter pdf(&out);
    pdf.setTitle(windowTitle());
    pdf.setCreator(QString::fromUtf8("翎川"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    report::paintBlankSketch(p, QRectF(0, 0, pdf.width(), pdf.height()), wb_);
    return p.end();
}

void SketchWindow::copyPicture() const { QApplication::clipboard()->setImage(picture()); }

void SketchWindow::contextMenuEvent(QContextMenuEvent* e) {
    auto* menu = new QMenu(this);
    menu->setObjectName("SketchMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(menuCommands_);
    menu->addSeparator();
    menu->addAction(copy_);
    menu->popup(e->globalPos());
}

void SketchWindow::placeBeside(const QWidget& mainWindow) {
    if (restoreGeometry(QSettings().value(kGeometryKey).toByteArray())) return;
    const QScreen* s = mainWindow.screen() ? mainWindow.screen() : QGuiApplication::primaryScreen();
    QPoint at = mainWindow.frameGeometry().topRight() + QPoint(8, 0);
    if (s) {
        // Frame and title bar included, with a margin all round; at a large
        // scale factor the design size may be more than the screen has.
        const QRect room = s->availableGeometry();
        const int margin = std::max(16, room.height() / 30);
        const QSize frame = frameGeometry().size() - size();
        resize(std::max(minimumWidth(), std::min(kWidth, room.width() - 2 * margin - frame.width())),
               std::max(minimumHeight(), std::min(kHeight, room.height() - 2 * margin - std::max(frame.height(), 40))));
        const QSize outer = size() + QSize(frame.width(), std::max(frame.height(), 40));
        // On the main window's right while the screen has room, else as far
        // right as it goes.
        at.setX(std::max(room.left() + margin, std::min(at.x(), room.right() - margin - outer.width())));
        at.setY(std::max(room.top() + margin, std::min(at.y(), room.bottom() - margin - outer.height())));
    }
    move(at);
}

void SketchWindow::closeEvent(QCloseEvent* e) {
    QSettings().setValue(kGeometryKey, saveGeometry());
    QWidget::closeEvent(e);
}

}  // namespace lc::app
