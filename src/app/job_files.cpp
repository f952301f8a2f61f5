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
#include <QSaveFile>
#include <QSettings>
#include <exception>
#include <new>

#include "app/main_window.h"
#include "core/jobfile.h"
#include "core/sheet_table.h"
#include "ui/sheet_form.h"

namespace lc::app {
namespace {

const char* const kFilter = "翎川计算文件 (*.json);;所有文件 (*)";

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

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

}  // namespace

QString MainWindow::lastFolder() const {
    const QString folder = QSettings().value("jobs/lastFolder").toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

void MainWindow::rememberFolder(const QString& path) {
    QSettings().setValue("jobs/lastFolder", QFileInfo(path).absolutePath());
}

void MainWindow::saveJob() {
    if (jobPath_.isEmpty())
        saveJobAs();
    else
        saveJobTo(jobPath_);
}

void MainWindow::saveJobAs() {
    const QString start = jobPath_.isEmpty() ? QDir(lastFolder()).filePath("计算单.json")
                                             : QDir(lastFolder()).filePath(QFileInfo(jobPath_).fileName());
    QString path = QFileDialog::getSaveFileName(this, "另存为", start, kFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".json";
    rememberFolder(path);
    saveJobTo(path);
}

void MainWindow::openJob() {
    const QString path = QFileDialog::getOpenFileName(this, "打开", lastFolder(), kFilter);
    if (path.isEmpty()) return;
    rememberFolder(path);
    openJobFrom(path);
}

bool MainWindow::saveJobTo(const QString& path) {
    std::string bytes;
    try {
        bytes = writeJobFile(wb_);
    } catch (const DocumentError& e) {
        // What could not be opened again is not written.
        session_.messages().show("无法保存文件“" + shown(path) + "”：\n" + QString::fromStdString(documentErrorMessage(e)) +
                                 "\n这样的文件将无法再打开。原来的文件没有改动。");
        return false;
    } catch (const std::exception& e) {
        session_.messages().show("无法保存文件“" + shown(path) + "”：" + QString::fromStdString(e.what()));
        return false;
    }
    // Written beside the target and renamed over it only when complete, so
    // that a failure never leaves half a file in its place.
    QSaveFile file(path);
    const bool done = file.open(QIODevice::WriteOnly) &&
                      file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                      file.commit();
    if (!done) {
        const QString why = whyNot(file);
        file.cancelWriting();
        session_.messages().show("无法保存文件“" + shown(path) + "”：" + why + "。\n原来的文件没有改动。");
        return false;
    }
    jobPath_ = path;
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

    bool anyOpen = false;
    for (SheetId id : kAllSheets) anyOpen = anyOpen || wb_.exists(id);
    if (anyOpen && !session_.messages().ask("打开“" + shown(path) + "”将关闭现有的计算单，其中未保存的内容将丢失。\n是否继续？"))
        return false;

    // The file is read and checked: now the workbook is replaced as a whole,
    // its windows made anew, hidden ones hidden, without creation steps.
    wb_.setListener(nullptr);
    for (SheetId id : kAllSheets) removeWindow(id);
    wb_ = std::move(doc.workbook);
    wb_.setListener([this](SheetId id, SheetEvent e) { onSheetEvent(id, e); });
    for (SheetId id : kAllSheets)
        if (wb_.exists(id)) createWindow(id);
    session_.refreshAll();
    updateCommands();
    jobPath_ = path;
    return true;
}

void MainWindow::copySheet() {
    const std::optional<SheetId> id = activeSheet();
    if (!id) return;
    if (const Sheet* s = wb_.find(*id)) QApplication::clipboard()->setText(QString::fromStdString(tabSeparated(*s)));
}

}  // namespace lc::app
