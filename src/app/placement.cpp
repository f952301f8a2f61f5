#include "app/placement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <vector>

#include "ui/sheet_form.h"

namespace lc::app {
namespace {

// The height of a sheet window's title bar with the frame above it: where
// its form begins.
int titleBarHeight(const QMdiSubWindow& w) {
    const int shown = w.widget() ? w.widget()->geometry().top() : 0;
    return shown > 0 ? shown : w.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &w);
}

// The outer size of the largest sheet window, in pixels.
QSize largestSheet() {
    QSize largest;
    for (SheetId id : kAllSheets) {
        const ui::FormFacts& f = ui::formFacts(id);
        largest = largest.expandedTo(ui::twipsSize(f.widthTwips, f.heightTwips));
    }
    return largest;
}

}  // namespace

QSize designWorkArea() { return ui::twipsSize(9795, 6510); }

void placeMainWindow(QMainWindow& main, const QByteArray& remembered) {
    const QScreen* screen = main.screen() ? main.screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    // The window system's frame is not known before the window is shown: the
    // style's title bar height and a thin border stand for it.
    const int titleBar = main.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &main);
    const QMargins frame(4, titleBar + 4, 4, 4);
    const QSize framed(frame.left() + frame.right(), frame.top() + frame.bottom());
    if (!remembered.isEmpty() && main.restoreGeometry(remembered)) {
        if (room.isEmpty() || main.isMaximized() || main.isFullScreen()) return;
        // Smaller than the screen, frame included, and wholly on it; move()
        // places the frame's corner.
        main.resize(main.size().boundedTo(room.size() - framed));
        const QRect outer = main.geometry().marginsAdded(frame);
        if (!room.contains(outer))
            main.move(std::clamp(outer.left(), room.left(), room.right() + 1 - outer.width()),
                      std::clamp(outer.top(), room.top(), room.bottom() + 1 - outer.height()));
        return;
    }
    // The first start: the design size grown towards room for the largest
    // sheet and a cascade of the others, as far as the screen has room.
    const int menu = main.menuBar()->sizeHint().height();
    const int step = main.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QSize wanted = largestSheet() + QSize(2 * step, 4 * step);
    if (!room.isEmpty()) wanted = wanted.boundedTo(room.size() - framed - QSize(0, menu));
    const QSize client = designWorkArea().expandedTo(wanted);
    main.resize(client + QSize(0, menu));
    if (room.isEmpty()) return;
    // move() places the frame's corner; a window larger than the screen
    // starts at its top left corner.
    const QSize outer = main.size() + framed;
    main.move(room.left() + std::max(0, (room.width() - outer.width()) / 2),
              room.top() + std::max(0, (room.height() - outer.height()) / 2));
}

void moveInside(QMdiSubWindow& w, bool titleBarOnly) {
    const QMdiArea* area = w.mdiArea();
    if (!area) return;
    const QSize room = area->viewport()->size();
    const int high = titleBarOnly || w.height() > room.height() ? titleBarHeight(w) : w.height();
    w.move(std::clamp(w.x(), 0, std::max(0, room.width() - w.width())),
           std::clamp(w.y(), 0, std::max(0, room.height() - high)));
}

void keepTitleBarsInside(QMdiArea& area) {
    for (QMdiSubWindow* w : area.subWindowList()) moveInside(*w, true);
}

void cascade(QMdiArea& area) {
    std::vector<QMdiSubWindow*> behind;
    for (QMdiSubWindow* w : area.subWindowList(QMdiArea::StackingOrder)) {
        if (w->isHidden()) continue;
        // Down below every title bar it would cover, again after each move.
        for (bool moved = true; moved;) {
            moved = false;
            for (const QMdiSubWindow* b : behind) {
                const QRect bar(b->pos(), QSize(b->width(), titleBarHeight(*b)));
                if (!bar.intersects(w->geometry())) continue;
                w->move(w->x(), bar.bottom() + 1);
                moved = true;
            }
        }
        moveInside(*w, true);
        behind.push_back(w);
    }
    // The cascade lifted as a whole where its front runs out below the area
    // and there is room above it.
    int top = INT_MAX, overflow = 0;
    for (const QMdiSubWindow* w : behind) {
        top = std::min(top, w->y());
        overflow = std::max(overflow, w->geometry().bottom() + 1 - area.viewport()->height());
    }
    const int lift = std::min(top, overflow);
    if (lift > 0)
        for (QMdiSubWindow* w : behind) w->move(w->x(), w->y() - lift);
}

}  // namespace lc::app
