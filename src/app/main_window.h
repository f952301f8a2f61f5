// The main window (MDIForm1): the menu, the workbook, and one child window for
// every sheet that exists in the workbook, created, shown, hidden and removed
// as the workbook says.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <array>

#include "core/workbook.h"
#include "ui/messages.h"
#include "ui/session.h"
#include "ui/sheet_form.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace lc::app {

class SketchWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    Workbook& workbook() { return wb_; }
    ui::Session& session() { return session_; }
    // Messages go to message boxes unless something else is put in their place.
    void setMessageService(ui::MessageService& messages) { session_.setMessages(messages); }

    QMdiArea* mdiArea() const { return area_; }
    // The child window of a sheet and the form inside it, or null.
    QMdiSubWindow* windowOf(SheetId id) const { return windows_[static_cast<std::size_t>(id)]; }
    ui::SheetForm* formOf(SheetId id) const;
    // Where a child of that outer size (twips) goes: centred on this window's
    // outer size, measured from the top-left of the client area, in pixels.
    QPoint centredPosition(int childWidthTwips, int childHeightTwips) const;

    // 示意图 (Ctrl+D while sheet A2 is the active window): the blank sketch
    // window, beside this one.
    QAction* sketchAction() const { return sketchAction_; }
    void showSketch();
    SketchWindow* sketchWindow() const { return sketch_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void onSheetEvent(SheetId id, SheetEvent e);
    void createWindow(SheetId id);
    void removeWindow(SheetId id);

    Workbook wb_;
    ui::MessageBoxService boxes_;
    ui::Session session_;
    QMdiArea* area_ = nullptr;
    std::array<QMdiSubWindow*, 4> windows_{};
    QAction* sketchAction_ = nullptr;
    SketchWindow* sketch_ = nullptr;
};

}  // namespace lc::app
