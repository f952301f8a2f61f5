// The printed calculation sheet: one page (more when a table or the change-gear
// list runs long) for every sheet of the workbook that exists, in the order A2,
// B1, C, change gears. The same painting serves the printer and the PDF file,
// so that paper and file cannot drift apart.
#pragma once

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
};

// The heading of a sheet's page: "翎川齿轮计算单A2" ... "翎川挂轮计算单".
QString pageTitle(SheetId id);

// A4 portrait with the margins of the printed sheet.
void setUpA4(QPagedPaintDevice& device);

// Paints the pages of every existing sheet onto the device, which must not be
// painted on yet (its page size and margins as set up; see setUpA4). Returns
// the number of pages, 0 when there was nothing to print or the device could
// not be painted on.
int paintWorkbook(QPagedPaintDevice& device, const Workbook& wb, const PageOptions& options);

// The pages as a PDF file written to `path`, with the fonts embedded. On failure
// returns false and says why in `error` (Chinese).
bool writePdf(const QString& path, const Workbook& wb, const PageOptions& options, QString* error);

}  // namespace lc::report
