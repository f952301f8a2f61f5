// What is made from the job for paper and other programs: 打印… and 导出PDF…
// (the printed sheet of every sheet that exists), 复制本页数据 and 导出表格…
// (one sheet as a table), and the sketch's three exports. Names are suggested
// after the job file, beside it.
#pragma once

#include <QString>
#include <optional>

#include "core/workbook.h"
#include "report/page.h"

class QWidget;

namespace lc::app {

class JobDocument;
class SketchWindow;

class ReportOutput {
public:
    // Dialogs stand over `owner`.
    ReportOutput(JobDocument& doc, QWidget* owner) : doc_(doc), owner_(owner) {}

    // 打印…: the print dialog; 当前页 is the first page of the `active` sheet.
    void print(std::optional<SheetId> active);
    // 导出PDF…: the PDF into a file chosen in the save dialog.
    void exportPdf();
    // The PDF written to that path; a failure is told in a message.
    bool exportPdfTo(const QString& path);
    // 复制本页数据: the sheet as tab-separated lines on the clipboard.
    void copySheet(std::optional<SheetId> active);
    // 导出表格…: the same table as a CSV file named after the job and the sheet.
    void exportTable(std::optional<SheetId> active);
    // 导出示意图PDF…, 导出示意图PNG… and 导出示意图DXF… (`suffix` "pdf", "png"
    // or "dxf"): the sketch alone into a file chosen in the save dialog.
    void exportSketch(SketchWindow* sketch, const QString& suffix);
    // The sketch written to that path: a picture for a name ending in .png,
    // the drawing for CAD for .dxf (none when the sketch shows its line
    // instead: that line is the message), else a one-page PDF. A failure is
    // told in a message.
    bool exportSketchTo(const SketchWindow* sketch, const QString& path);

private:
    report::PageOptions pageOptions() const;
    // The path suggested for a file made from the job: beside the job file,
    // its name the job's followed by `after`; untitled, `untitled` in the
    // folder used last.
    QString besideJob(const QString& after, const QString& untitled) const;

    JobDocument& doc_;
    QWidget* owner_;
};

}  // namespace lc::app
