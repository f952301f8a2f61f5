// The blank sketch window (翎川 齿坯示意图): a top-level window beside the
// main window that shows sheet A2's blank sketch as the sheet's texts stand,
// scaled to its size, or the line that says why there is none. The
// program's commands keep their keys in it; its right-click menu prints,
// exports and copies the picture. Its size and place are kept for the next
// start.
#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

#include "core/workbook.h"

class QAction;
class QIODevice;

namespace lc::app {

class SketchWindow : public QWidget {
    Q_OBJECT
public:
    // `commands`: the program's commands, whose keys work here as in the
    // sheet windows; `menuCommands`: those of them its own menu offers.
    SketchWindow(const Workbook& wb, QWidget* parent, const QList<QAction*>& commands,
                 const QList<QAction*>& menuCommands);

    // The line shown instead of a drawing, empty while there is a drawing.
    QString stopLine() const;
    // The drawing as the window shows it, at the screen's pixel density, or
    // `factor` times as many pixels each way (a sharp picture for a file).
    QImage picture(qreal factor = 0) const;
    // The drawing alone on one A4 page across, a vector PDF into `out`.
    bool writePdf(QIODevice& out) const;
    // 复制图片: the picture on the clipboard.
    void copyPicture() const;
    // Its place: the one it was left in, else beside `mainWindow` at a size
    // the screen has room for.
    void placeBeside(const QWidget& mainWindow);

protected:
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void paintOn(QPainter& p, const QRectF& area) const;

    const Workbook& wb_;
    QList<QAction*> menuCommands_;
    QAction* copy_ = nullptr;
};

}  // namespace lc::app
