// The main window (MDIForm1): the menu, one child window for every sheet that
// exists in the job's workbook, created, shown, hidden and removed as the
// workbook says, and the actions that reach the job document (files, undo) and
// its outputs (printing, exports).
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "app/job_document.h"
#include "app/report_output.h"
#include "core/workbook.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"
#include "ui/session.h"
#include "ui/sheet_form.h"

class QAction;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace lc::app {
class SketchWindow;
}

namespace lc::app {

class GuideWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    JobDocument& document() { return doc_; }
    ReportOutput& output() { return output_; }
    Workbook& workbook() { return doc_.workbook(); }
    ui::Session& session() { return session_; }
    // Messages go to message boxes and files are chosen in the file dialogs
    // unless something else is put in their place.
    void setMessageService(ui::MessageService& messages);
    void setFileDialogs(ui::FileDialogService& files);

    QMdiArea* mdiArea() const { return area_; }
    // The child window of a sheet and the form inside it, or null.
    QMdiSubWindow* windowOf(SheetId id) const { return windows_[static_cast<std::size_t>(id)]; }
    ui::SheetForm* formOf(SheetId id) const;
    // Where a child of that outer size (twips) goes: centred on this window's
    // outer size, measured from the top-left of the client area, in pixels.
    QPoint centredPosition(int childWidthTwips, int childHeightTwips) const;
    // F1: the user guide in its own window beside this one; one window, brought
    // to the front again by every further call.
    void showGuide();
    GuideWindow* guideWindow() const { return guide_.get(); }

    // The sheet of the active child window, if one is active.
    std::optional<SheetId> activeSheet() const;
    // The context menu of a sheet window, opened at `globalPos`; it closes
    // itself when done. Over a field it begins with the field's own edit
    // actions (undo, cut, copy, paste, select all), then 撤销 and 重做 of the
    // workbook, then the commands.
    QMenu* popUpSheetMenu(SheetId id, const QPoint& globalPos, QLineEdit* field = nullptr);
    // 重新取值 (sheets B1 and C): the active sheet's import run again, as one
    // step; its results stay as they are, marked until it is calculated again.
    void reimport();
    // This window's own menu, from the right mouse button on the empty area
    // behind the sheets: the file commands, 最近打开 with each job's folder.
    QMenu* popUpBackgroundMenu(const QPoint& globalPos);
    // 示意图 (sheet A2): the blank sketch window, beside this one.
    void showSketch();
    SketchWindow* sketchWindow() const { return sketch_; }
    // 属性…: the job's properties in their dialog; a change is one step of the
    // job's history.
    void editProperties();
    // 关于翎川: version, build, licence and the third-party parts.
    void showAbout();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void onSheetEvent(SheetId id, SheetEvent e);
    void createWindow(SheetId id);
    void hideWindow(QMdiSubWindow* w);
    void removeWindow(SheetId id);
    // Windows for the sheets that exist, shown or hidden as they are, after
    // the workbook was put in place as a whole.
    void followWorkbook();
    void updateCommands();
    void updateHistoryActions();
    // The file's name with the modified mark, else the program's name alone.
    void updateTitle();
    QAction* commandAction(const char* name) const;
    // 最近打开 filled afresh from the settings.
    void addRecentMenu(QMenu* menu);

    ui::MessageBoxService boxes_;
    ui::FileDialogService dialogs_;
    JobDocument doc_;
    ui::Session session_;
    ReportOutput output_;
    std::vector<QAction*> commandActions_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QMdiArea* area_ = nullptr;
    std::array<QMdiSubWindow*, 4> windows_{};
    SketchWindow* sketch_ = nullptr;
    std::unique_ptr<GuideWindow> guide_;
};

}  // namespace lc::app
