// The printed calculation sheet: one page (more when a table or the change-gear
// list runs long) for every sheet of the workbook that exists, in the order A2,
// B1, C, change gears. The same painting serves the printer and the PDF file,
// so that paper and file cannot drift apart.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QRectF>
#include <QString>
#include <functional>

#include "core/workbook.h"

class QPagedPaintDevice;
class QPainter;

namespace lc::report {

// Draws into the room kept free on sheet A2's page below its table
// (device units of the painter's device). Empty: the room stays blank.
using SketchPainter = std::function<void(QPainter&, const QRectF& area, const Workbook&)>;

struct PageOptions {
    // The job file's name as the heading shows it ("" for a job never saved).
    QString jobName;
    // When the sheet was printed; shown in every heading.
    QDateTime printedAt = QDateTime::currentDateTime();
    // The sketch of sheet A2's page.
    SketchPainter a2Sketch;
    // The pages painted, counted from 1 over the whole workbook (0: from the
    // first, to the last); each keeps its own number. A range beyond the
    // last page paints nothing.
    int firstPage = 0;
    int lastPage = 0;
    // The pages painted this many times, one whole set after another, for a
    // printer that does not make copies itself.
    int copies = 1;
};

// The heading of a sheet's page: "翎川齿轮计算单A2" ... "翎川挂轮计算单".
QString pageTitle(SheetId id);

// A4 portrait with the margins of the printed sheet.
void setUpA4(QPagedPaintDevice& device);

// How many pages the workbook's sheets take on the device.
int pageCount(QPagedPaintDevice& device, const Workbook& wb, const PageOptions& options);

// Paints the pages of every existing sheet onto the device, which must not be
// painted on yet (its page size and margins as set up; see setUpA4). A sheet
// that is not current says why at the top of its first page, in a framed box
// headed 注意 listing the items (core/chain_state.h), and points back to it on
// the pages that continue it. Returns the number of pages painted, 0 when there was nothing
// to print or the device could not be painted on.
int paintWorkbook(QPagedPaintDevice& device, const Workbook& wb, const PageOptions& options);

// The pages as a PDF document in memory, with the fonts embedded; empty when
// there was nothing to print.
QByteArray pdfDocument(const Workbook& wb, const PageOptions& options);

// The pages as a PDF file written to `path` whole or not at all (see
// file_write.h). On failure returns false and says why in `error` (Chinese:
// the path, the reason, what became of an old file).
bool writePdf(const QString& path, const Workbook& wb, const PageOptions& options, QString* error);

}  // namespace lc::report
