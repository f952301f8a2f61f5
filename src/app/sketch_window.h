// The blank sketch window (翎川 齿坯示意图): a top-level window beside the
// main window that shows sheet A2's blank sketch as the sheet's texts stand,
// scaled to its size, or the line that says why there is none.
#pragma once

#include <QWidget>

#include "core/workbook.h"

namespace lc::app {

class SketchWindow : public QWidget {
    Q_OBJECT
public:
    SketchWindow(const Workbook& wb, QWidget* parent);

    // The line shown instead of a drawing, empty while there is a drawing.
    QString stopLine() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const Workbook& wb_;
};

}  // namespace lc::app
