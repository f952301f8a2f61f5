// Saving and opening job files, and copying a sheet: the main window's side of
// the workbook document (the document itself is the core's).
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <exception>
#include <new>

#include "app/main_window.h"
#include "app/placement.h"
#include "app/sketch_window.h"
#include "core/jobfile.h"
#include "core/sheet_table.h"
#include "ui/formkit.h"
#include "ui/sheet_form.h"

namespace lc::app {
namespace {

// Jobs are saved as *.lcjob, the type the package registers with the desktop;
// jobs saved earlier as *.json open as well.
const char* const kFilter = "翎川计算文件 (*.lcjob *.json);;所有文件 (*)";

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

const char* const kRecentKey = "jobs/recent";
constexpr qsizetype kRecentCount = 8;

// Why a file could not be written or read, in the program's words, with the
// system's own reason after it.
QString whyNot(const QFileDevice& file) {
    QString why;
    switch (file.error()) {
        case QFileDevice::PermissionsError: why = "没有写入这个文件夹或文件的权限"; break;
        case QFileDevice::OpenError: why = "无法打开或建立文件（文件夹不存在或没有权限）"; break;
        case QFileDevice::WriteError: why = "写入失败（磁盘可能已满）"; break;
        case QFileDevice::ReadError: why = "读取失败"; break;
        case QFileDevice::ResourceError: why = "磁盘空间或系统资源不足"; break;
        case QFileDevice::RenameError:
        case QFileDevice::CopyError:
        case QFileDevice::RemoveError: why = "无法用新文件替换原来的文件"; break;
        default: why = "文件操作失败"; break;
    }
    const QString system = file.errorString();
    return system.isEmpty() ? why : why + "：" + system;
}

// Why `path` could not be saved: the state of the file system says which of
// the usual reasons it is, the system's own message follows.
QString whyNotSaved(const QString& path, const QFileDevice& file) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    QString why;
    if (!folder.isDir())
        why = "文件夹“" + shown(folder.absoluteFilePath()) + "”不存在";
    else if (target.isDir())
        why = "这是一个文件夹，不是文件";
    else if (target.exists() ? !target.isWritable() : !folder.isWritable())
        why = target.exists() ? "没有写入这个文件的权限" : "没有在这个文件夹中建立文件的权限";
    else if (file.error() == QFileDevice::WriteError || file.error() == QFileDevice::ResourceError)
        why = "写入失败，磁盘可能已满";
    else
        why = "无法写入";
    const QString system = file.errorString();
    return system.isEmpty() ? why : why + "（" + system + "）";
}

}  // namespace

QString MainWindow::lastFolder() const {
    const QString folder = QSettings().value("jobs/lastFolder").toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

void MainWindow::rememberFolder(const QString& path) {
    QSettings().setValue("jobs/lastFolder", QFileInfo(path).absolutePath());
}

QStringList MainWindow::recentJobs() const { return QSettings().value(kRecentKey).toStringList(); }

void MainWindow::setRecentJobs(const QStringList& paths) { QSettings().setValue(kRecentKey, paths); }

void MainWindow::rememberRecentJob(const QString& path) {
    // One entry a file, however it was named.
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList paths = recentJobs();
    paths.removeIf([&](const QString& p) { return QFileInfo(p) == QFileInfo(absolute); });
    paths.prepend(absolute);
    setRecentJobs(paths.mid(0, kRecentCount));
}

bool MainWindow::openRecentJob(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        QStringList paths = recentJobs();
        paths.removeAll(path);
        setRecentJobs(paths);
        session_.messages().show("文件“" + shown(path) + "”已不存在（已被移动、改名或删除），已从“最近打开”中去掉。");
        return false;
    }
    return openJobFrom(path);
}

void MainWindow::fillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList paths = recentJobs();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        // "&" in a file name is a letter, not a key mark.
        const QString name = QFileInfo(paths[i]).fileName().replace("&", "&&");
        QAction* a = menu->addAction(QString("&%1 %2").arg(i + 1).arg(name));
        a->setToolTip(shown(paths[i]));
        a->setStatusTip(shown(paths[i]));
        const QString path = paths[i];
        connect(a, &QAction::triggered, this, [this, path] { openRecentJob(path); });
    }
    if (paths.isEmpty()) menu->addAction("（无）")->setEnabled(false);
}

bool MainWindow::saveJob() { return jobPath_.isEmpty() ? saveJobAs() : saveJobTo(jobPath_); }

bool MainWindow::saveJobAs() {
    const QString start = jobPath_.isEmpty() ? QDir(lastFolder()).filePath("计算单.lcjob")
                                             : QDir(lastFolder()).filePath(QFileInfo(jobPath_).fileName());
    QString path;
    if (jobPathChooser_) {
        // A name without extension gets it, as from the dialog.
        path = jobPathChooser_(start);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".lcjob";
    } else {
        // The extension is the dialog's own default, so its question before
        // overwriting covers a name typed without it.
        QFileDialog dialog(this, "另存为", start, kFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("lcjob");
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().front();
    }
    if (path.isEmpty()) return false;
    rememberFolder(path);
    return saveJobTo(path);
}

void MainWindow::openJob() {
    const QString path = QFileDialog::getOpenFileName(this, "打开", lastFolder(), kFilter);
    if (path.isEmpty()) return;
    rememberFolder(path);
    openJobFrom(path);
}

bool MainWindow::saveJobTo(const QString& path) {
    bool anySheet = false;
    for (SheetId id : kAllSheets) anySheet = anySheet || wb_.exists(id);
    if (!anySheet) {
        session_.messages().show("没有打开的计算单，无可保存的内容。");
        return false;
    }
    std::string bytes;
    try {
        bytes = writeJobFile(wb_);
    } catch (const DocumentError& e) {
        // What could not be opened again is not written.
        session_.messages().show("无法保存文件“" + shown(path) + "”：\n" + QString::fromStdString(documentErrorMessage(e)) +
                                 "\n这样的文件将无法再打开。" +
                                 (QFileInfo::exists(path) ? "原来的文件没有改动。" : ""));
        return false;
    } catch (const std::exception& e) {
        session_.messages().show("无法保存文件“" + shown(path) + "”：" + QString::fromStdString(e.what()));
        return false;
    }
    // Written beside the target and renamed over it only when complete, so
    // that a failure never leaves half a file in its place. Where the folder
    // may not be written (a shared drive) but the file may, the file is
    // written directly.
    const bool existed = QFileInfo(path).isFile();
    const bool besideIt = QFileInfo(QFileInfo(path).absolutePath()).isWritable();
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const bool opened = file.open(QIODevice::WriteOnly);
    const bool done = opened &&
                      file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                      file.commit();
    if (!done) {
        const QString why = whyNotSaved(path, file);
        file.cancelWriting();
        QString after;
        if (existed) after = opened && !besideIt ? "\n原来的文件可能已不完整。" : "\n原来的文件没有改动。";
        session_.messages().show("无法保存文件“" + shown(path) + "”：" + why + "。" + after);
        return false;
    }
    jobPath_ = path;
    rememberRecentJob(path);
    markSaved();
    return true;
}

bool MainWindow::openJobFrom(const QString& path) {
    const auto refuse = [&](const QString& why) {
        session_.messages().show("无法打开文件“" + shown(path) + "”：\n" + why + "\n当前的计算单没有改动。");
        return false;
    };
    // Only a regular file is read: a device never ends, a pipe may never
    // open. However large a file says it is, no more than the limit is read.
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        return refuse("这不是普通文件（而是文件夹、设备或管道），不是翎川的计算文件。");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(whyNot(file) + "。");
    const QByteArray bytes = file.read(static_cast<qint64>(kJobFileLimits.bytes) + 1);
    if (file.error() != QFileDevice::NoError) return refuse(whyNot(file) + "。");
    if (bytes.trimmed().isEmpty()) return refuse("文件是空的。");

    Document doc;
    try {
        doc = readJobFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const DocumentError& e) {
        return refuse(QString::fromStdString(documentErrorMessage(e)));
    } catch (const std::bad_alloc&) {
        return refuse("内存不足，无法读入。");
    }
    if (!doc.actions.empty())
        return refuse("位置：actions\n这是批处理工具的输入文档，含有待执行的操作；请先用 lingchuan-calc run 执行，再打开其结果。");

    // The file is read and checked: the work in hand is saved or let go.
    if (!settleUnsavedWork()) return false;
    jobPath_ = path;
    rememberRecentJob(path);
    replaceWorkbook(std::move(doc.workbook));
    return true;
}

void MainWindow::newJob() {
    if (!settleUnsavedWork()) return;
    jobPath_.clear();
    replaceWorkbook(Workbook());
}

void MainWindow::replaceWorkbook(Workbook&& wb) {
    // The workbook is replaced as a whole, its windows made anew, hidden ones
    // hidden, without creation steps.
    wb_.setListener(nullptr);
    for (SheetId id : kAllSheets) removeWindow(id);
    wb_ = std::move(wb);
    wb_.setListener([this](SheetId id, SheetEvent e) { onSheetEvent(id, e); });
    for (SheetId id : kAllSheets)
        if (wb_.exists(id)) createWindow(id);
    cascade(*mdiArea());
    session_.refreshAll();
    updateCommands();
    markSaved();
}

bool MainWindow::settleUnsavedWork() {
    // With no sheet left there is nothing that could be saved.
    bool anySheet = false;
    for (SheetId id : kAllSheets) anySheet = anySheet || wb_.exists(id);
    if (!modified_ || !anySheet) return true;
    const QString name = jobPath_.isEmpty() ? QString("计算单") : "“" + QFileInfo(jobPath_).fileName() + "”";
    switch (session_.messages().askToSave(name + "有未保存的改动。\n是否先保存？")) {
        case ui::SaveAnswer::Save: return saveJob();
        case ui::SaveAnswer::Discard: return true;
        case ui::SaveAnswer::Cancel: break;
    }
    return false;
}

void MainWindow::markSaved() {
    try {
        savedState_ = writeDocument(wb_);
    } catch (const std::exception&) {
        savedState_.clear();
    }
    noteChanges();
}

void MainWindow::noteChanges() {
    try {
        modified_ = writeDocument(wb_) != savedState_;
    } catch (const std::exception&) {
        modified_ = true;
    }
    // The desktop's way: file name, mark, program; the program's name alone
    // while no job file is in use. "[*]" in a file name is doubled to stay text.
    const QString program = QString::fromUtf8(ui::kProgramTitle);
    if (jobPath_.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(program);
        return;
    }
    setWindowTitle(QFileInfo(jobPath_).fileName().replace("[*]", "[*][*]") + "[*] - " + program);
    setWindowModified(modified_);
}

void MainWindow::copySheet() {
    const std::optional<SheetId> id = activeSheet();
    if (!id) return;
    if (wb_.exists(*id)) QApplication::clipboard()->setText(QString::fromStdString(tabSeparated(wb_, *id)));
}

void MainWindow::exportTable() {
    const std::optional<SheetId> id = activeSheet();
    if (!id || !wb_.exists(*id)) return;
    const QFileInfo job(jobPath_);
    const QString folder = jobPath_.isEmpty() ? lastFolder() : job.absolutePath();
    const QString base = jobPath_.isEmpty() ? QString() : job.completeBaseName() + "-";
    QFileDialog dialog(this, "导出表格", QDir(folder).filePath(base + QString::fromUtf8(sheetTitle(*id)) + ".csv"),
                       "CSV 表格 (*.csv)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("csv");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().front();
    const std::string bytes = commaSeparated(wb_, *id);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const bool done = file.open(QIODevice::WriteOnly) &&
                      file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                      file.commit();
    if (!done) {
        const QString why = whyNotSaved(path, file);
        file.cancelWriting();
        session_.messages().show("无法导出表格“" + shown(path) + "”：" + why + "。");
    }
}

void MainWindow::exportSketch(const QString& suffix) {
    if (!sketch_) return;
    const QFileInfo job(jobPath_);
    const QString folder = jobPath_.isEmpty() ? lastFolder() : job.absolutePath();
    const QString base = jobPath_.isEmpty() ? QString() : job.completeBaseName() + "-";
    const bool png = suffix == "png";
    QFileDialog dialog(sketch_, QString(png ? "导出示意图PNG" : "导出示意图PDF"),
                       QDir(folder).filePath(base + "齿坯示意图." + suffix), QString(png ? "PNG 图片 (*.png)" : "PDF 文件 (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The suffix is the dialog's, so its question before overwriting covers
    // a name typed without it.
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().front();
    rememberFolder(path);
    exportSketchTo(path);
}

bool MainWindow::exportSketchTo(const QString& path) {
    if (!sketch_) return false;
    QSaveFile file(path);
    bool done = file.open(QIODevice::WriteOnly);
    if (done && QFileInfo(path).suffix().compare("png", Qt::CaseInsensitive) == 0) {
        // Twice the window's pixels each way: sharp when printed or enlarged.
        done = sketch_->picture(2 * std::max<qreal>(1, sketch_->devicePixelRatioF())).save(&file, "PNG");
    } else if (done) {
        done = sketch_->writePdf(file);
    }
    if (done && file.commit()) return true;
    const QString why = whyNotSaved(path, file);
    file.cancelWriting();
    session_.messages().show("无法导出示意图“" + shown(path) + "”：" + why + "。");
    return false;
}

}  // namespace lc::app
