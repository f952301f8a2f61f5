// The main window (MDIForm1): the menu, the workbook, and one child window for
// every sheet that exists in the workbook, created, shown, hidden and removed
// as the workbook says.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/workbook.h"
#include "report/page.h"
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
    // F1: the user guide in its own window beside this one; one window, brought
    // to the front again by every further call.
    void showGuide();
    GuideWindow* guideWindow() const { return guide_.get(); }

    // The sheet of the active child window, if one is active.
    std::optional<SheetId> activeSheet() const;
    // The context menu of a sheet window, opened at `globalPos`; it closes
    // itself when done. Over a field it begins with the field's own edit
    // actions (undo, cut, copy, paste, select all), the commands below them.
    QMenu* popUpSheetMenu(SheetId id, const QPoint& globalPos, QLineEdit* field = nullptr);

    // Job files. The workbook's current file ("" until it is saved or opened).
    const QString& jobPath() const { return jobPath_; }
    // Whether the workbook differs from its job file (untitled: from a fresh
    // start). The title names the file with a mark for it.
    bool isModified() const { return modified_; }
    // Save: to the current file, else as 另存为; Save as and Open ask for a
    // file, starting in the last folder used. True when saved.
    bool saveJob();
    bool saveJobAs();
    void openJob();
    // 新建: after asking about unsaved work, an untitled workbook as at start.
    void newJob();
    // The same without the file dialogs. A failed save or a refused file is
    // told in a message and changes nothing; true when done.
    bool saveJobTo(const QString& path);
    bool openJobFrom(const QString& path);
    // 最近打开: the jobs last opened or saved, newest first, at most eight,
    // kept in the settings. Opening one that is gone drops it with a message.
    QStringList recentJobs() const;
    bool openRecentJob(const QString& path);
    // Where 另存为 saves, in place of the save dialog (tests): given the
    // suggested path, the chosen one or "" to cancel.
    void setJobPathChooser(std::function<QString(const QString&)> chooser) { jobPathChooser_ = std::move(chooser); }
    // 复制本页数据: the active sheet as tab-separated lines on the clipboard.
    void copySheet();
    // 导出表格…: the same table as a CSV file beside the job, named after it
    // and the sheet.
    void exportTable();
    // 重新取值 (sheets B1 and C): the active sheet's import run again, as one
    // step; its results stay as they are, marked until it is calculated again.
    void reimport();
    // 示意图 (sheet A2): the blank sketch window, beside this one.
    void showSketch();
    SketchWindow* sketchWindow() const { return sketch_; }
    // 导出示意图PDF… and 导出示意图PNG… (the sketch window's menu): the sketch
    // alone into a file chosen in the save dialog, beside the job and named
    // after it; `suffix` is "pdf" or "png".
    void exportSketch(const QString& suffix);
    // The sketch written to that path: a picture for a name ending in .png,
    // else a one-page PDF. A failure is told in a message.
    bool exportSketchTo(const QString& path);

    // 打印… and 导出PDF…: the printed page of every sheet that exists, through
    // the print dialog or into a PDF file chosen in the save dialog.
    void printSheets();
    void exportPdf();
    // The PDF written to that path; a failure is told in a message.
    bool exportPdfTo(const QString& path);
    // Where 导出PDF… writes, in place of the save dialog (tests): given the
    // suggested path, the chosen one or "" to cancel.
    void setPdfPathChooser(std::function<QString(const QString&)> chooser) { pdfPathChooser_ = std::move(chooser); }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void onSheetEvent(SheetId id, SheetEvent e);
    void createWindow(SheetId id);
    void hideWindow(QMdiSubWindow* w);
    void removeWindow(SheetId id);
    void updateCommands();
    QString lastFolder() const;
    void rememberFolder(const QString& path);
    void rememberRecentJob(const QString& path);
    void setRecentJobs(const QStringList& paths);
    // The submenu of the sheet menu, filled afresh from the settings.
    void fillRecentMenu(QMenu* menu);
    report::PageOptions pageOptions() const;
    // The PDF named after the job file, beside it; else in the folder used last.
    QString suggestedPdfPath() const;
    // Unsaved work before it is set aside: true when saved, or the user lets
    // it go, or there is none; false when it must stay.
    bool settleUnsavedWork();
    // The workbook's present state as the one its job file holds.
    void markSaved();
    // Compares the workbook with its saved state and shows the result in the
    // title.
    void noteChanges();
    void replaceWorkbook(Workbook&& wb);

    Workbook wb_;
    QString jobPath_;
    // The job file's document as saved or opened (a fresh start's when untitled).
    std::string savedState_;
    bool modified_ = false;
    std::function<QString(const QString&)> jobPathChooser_;
    std::vector<QAction*> commandActions_;
    std::function<QString(const QString&)> pdfPathChooser_;
    ui::MessageBoxService boxes_;
    ui::Session session_;
    QMdiArea* area_ = nullptr;
    std::array<QMdiSubWindow*, 4> windows_{};
    SketchWindow* sketch_ = nullptr;
    std::unique_ptr<GuideWindow> guide_;
};

}  // namespace lc::app
