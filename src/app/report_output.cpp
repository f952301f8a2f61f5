#include "app/report_output.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "app/job_document.h"
#include "app/print_setup.h"
#include "app/sketch_window.h"
#include "core/sheet_table.h"
#include "report/blank_dxf.h"
#include "report/file_write.h"
#include "report/sketch.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace lc::app {
namespace {

const char* const kNothingToPrint = "没有打开的计算单，无可打印的内容。";
const char* const kNoPrinter = "没有安装打印机，无法打印。\n要把计算单导出为PDF文件吗？";

}  // namespace

report::PageOptions ReportOutput::pageOptions() const {
    report::PageOptions options;
    options.jobName = doc_.path().isEmpty() ? QString() : QFileInfo(doc_.path()).fileName();
    options.a2Sketch = [](QPainter& p, const QRectF& area, const Workbook& wb) { report::paintBlankSketch(p, area, wb); };
    return options;
}

QString ReportOutput::besideJob(const QString& after, const QString& untitled) const {
    if (doc_.path().isEmpty()) return QDir(doc_.lastFolder()).filePath(untitled);
    const QFileInfo job(doc_.path());
    return QDir(job.absolutePath()).filePath(job.completeBaseName() + after);
}

void ReportOutput::print(std::optional<SheetId> active) {
    Workbook& wb = doc_.workbook();
    if (!wb.hasSheets()) {
        doc_.messages().show(QString::fromUtf8(kNothingToPrint));
        return;
    }
    if (!printerAvailable()) {
        if (doc_.messages().ask(QString::fromUtf8(kNoPrinter))) exportPdf();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    report::setUpA4(printer);
    prepareForPrintDialog(printer, besideJob(".pdf", "计算单.pdf"));
    report::PageOptions options = pageOptions();
    QPrintDialog dialog(&printer, owner_);
    dialog.setWindowTitle(QString::fromUtf8("打印"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, report::pageCount(printer, wb, options));
    // 当前页: the first page of the active sheet, after the pages of the
    // sheets printed before it.
    int currentPage = 1;
    if (active) {
        Workbook before(wb);
        bool after = false;
        for (SheetId id : kAllSheets) {
            after = after || id == *active;
            if (after) before.close(id);
        }
        currentPage += report::pageCount(printer, before, options);
    }
    if (dialog.exec() != QDialog::Accepted) return;
    switch (printer.printRange()) {
        case QPrinter::PageRange:
            options.firstPage = printer.fromPage();
            options.lastPage = printer.toPage();
            break;
        case QPrinter::CurrentPage:
            options.firstPage = options.lastPage = currentPage;
            break;
        default: break;
    }
    // A printer that cannot make copies itself gets the pages as often.
    if (!printer.supportsMultipleCopies()) options.copies = printer.copyCount();
    if (report::paintWorkbook(printer, wb, options) == 0)
        doc_.messages().show(QString::fromUtf8("无法打印：打印机不能使用。"));
}

void ReportOutput::exportPdf() {
    if (!doc_.workbook().hasSheets()) {
        doc_.messages().show(QString::fromUtf8(kNothingToPrint));
        return;
    }
    const QString path = doc_.files().saveFile(QString::fromUtf8("导出PDF"), besideJob(".pdf", "计算单.pdf"),
                                               QString::fromUtf8("PDF 文件 (*.pdf)"), "pdf");
    if (path.isEmpty()) return;
    doc_.rememberFolder(path);
    exportPdfTo(path);
}

bool ReportOutput::exportPdfTo(const QString& path) {
    QString error;
    if (!report::writePdf(path, doc_.workbook(), pageOptions(), &error)) {
        doc_.messages().show(QString::fromUtf8("导出PDF失败。") + error);
        return false;
    }
    return true;
}

void ReportOutput::copySheet(std::optional<SheetId> active) {
    if (active && doc_.workbook().exists(*active))
        QApplication::clipboard()->setText(QString::fromStdString(tabSeparated(doc_.workbook(), *active)));
}

void ReportOutput::exportTable(std::optional<SheetId> active) {
    if (!active || !doc_.workbook().exists(*active)) return;
    const QString title = QString::fromUtf8(sheetTitle(*active));
    const QString path = doc_.files().saveFile("导出表格", besideJob("-" + title + ".csv", title + ".csv"),
                                               "CSV 表格 (*.csv)", "csv");
    if (path.isEmpty()) return;
    const std::string bytes = commaSeparated(doc_.workbook(), *active);
    const report::WriteResult r = report::writeFileWhole(path, bytes);
    if (!r.written) doc_.messages().show("无法导出表格“" + report::shownPath(path) + "”：" + r.explanation());
}

void ReportOutput::exportSketch(SketchWindow* sketch, const QString& suffix) {
    if (!sketch) return;
    const QString name = "齿坯示意图." + suffix;
    const QString filter = suffix == "png" ? "PNG 图片 (*.png)" : suffix == "dxf" ? "DXF 图纸 (*.dxf)" : "PDF 文件 (*.pdf)";
    const QString path =
        doc_.files().saveFile("导出示意图" + suffix.toUpper(), besideJob("-" + name, name), filter, suffix, sketch);
    if (path.isEmpty()) return;
    doc_.rememberFolder(path);
    exportSketchTo(sketch, path);
}

bool ReportOutput::exportSketchTo(const SketchWindow* sketch, const QString& path) {
    if (!sketch) return false;
    if (QFileInfo(path).suffix().compare("dxf", Qt::CaseInsensitive) == 0) {
        // No drawing: the sketch's own line, and nothing written.
        const report::DxfOutcome dxf = report::blankDxf(doc_.workbook());
        if (dxf.bytes.empty()) {
            doc_.messages().show(QString::fromStdString(dxf.stop));
            return false;
        }
        const report::WriteResult r = report::writeFileWhole(path, QByteArray::fromStdString(dxf.bytes));
        if (!r.written) doc_.messages().show("无法导出示意图“" + report::shownPath(path) + "”：" + r.explanation());
        return r.written;
    }
    // Made whole in memory, then written whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const bool made = QFileInfo(path).suffix().compare("png", Qt::CaseInsensitive) == 0
                          // Twice the window's pixels each way: sharp when printed or enlarged.
                          ? sketch->picture(2 * std::max<qreal>(1, sketch->devicePixelRatioF())).save(&buffer, "PNG")
                          : sketch->writePdf(buffer);
    const report::WriteResult r =
        made ? report::writeFileWhole(path, buffer.data()) : report::WriteResult{false, true, false, "无法生成图形"};
    if (!r.written) doc_.messages().show("无法导出示意图“" + report::shownPath(path) + "”：" + r.explanation());
    return r.written;
}

}  // namespace lc::app
