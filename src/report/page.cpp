#include "report/page.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/chain_state.h"
#include "core/items.h"
#include "report/file_write.h"

namespace lc::report {

namespace {

// Millimetres of the printed sheet.
constexpr qreal kMarginSide = 15;
constexpr qreal kMarginTopBottom = 12;
constexpr qreal kPadX = 1.2;
constexpr qreal kPadY = 0.45;
constexpr qreal kHeadingGap = 3;
constexpr qreal kFootGap = 2;          // between the table and the title block
constexpr qreal kMostTitleShare = 0.3;  // of the page's height; longer remarks go to pages of their own
constexpr qreal kMinSketchHeight = 50;

constexpr qreal kTitlePoints = 15;
constexpr qreal kTextPoints = 8;
constexpr qreal kSmallPoints = 6.5;

const QColor kInputFill(0xDF, 0xF7, 0xDF);
const QColor kResultFill(0xFF, 0xE6, 0xC8);
const QColor kHeaderFill(0xE4, 0xE4, 0xE4);
const QColor kRule(0x70, 0x70, 0x70);
const QColor kWarning(0xC0, 0x00, 0x00);

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont sheetFont(qreal points, bool bold = false) {
    QFont f;
    // SimSun's proportions where it is installed, otherwise a TrueType Ming
    // face: both are embedded into the PDF with their text.
    f.setFamilies({"AR PL UMing CN", "SimSun", "Noto Serif CJK SC", "Noto Sans CJK SC"});
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setKerning(false);
    // Unhinted: the glyphs advance by the font's own widths, not widths
    // rounded to the device's pixels, so that a page is laid out alike
    // whatever measures the font.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// One cell of a table row: its text already broken into the lines it is
// printed in, never shortened.
struct Cell {
    QStringList lines;
    QFont font;
    qreal lineHeight = 0;
    qreal ascent = 0;
    bool centred = false;
};

struct Row {
    std::vector<Cell> cells;
    std::vector<int> spans;  // columns each cell covers
    QColor fill = Qt::white;
    int lineCount() const {
        int n = 0;
        for (const Cell& c : cells) n = std::max<int>(n, static_cast<int>(c.lines.size()));
        return n;
    }
};

struct Table {
    std::vector<qreal> widths;  // device units
    Row header;
    std::vector<Row> rows;
};

// A piece of a row placed on a page: lines [first, first + count) of its cells.
struct Placed {
    const Row* row;
    const std::vector<qreal>* widths;
    int first;
    int count;
    QPointF at;
    qreal height;
};

struct Page {
    SheetId sheet;
    bool continued = false;
    std::vector<Placed> rows;
    std::vector<std::pair<QPointF, QString>> notes;  // headings inside the page
    QRectF sketch;
    bool remarks = false;  // a page of the job's remarks, too long for the title block
};

class Layout {
public:
    explicit Layout(QPagedPaintDevice& device) : device_(device) {
        mm_ = device.logicalDpiX() / 25.4;
        width_ = device.width();
        height_ = device.height();
        const QFontMetricsF title(sheetFont(kTitlePoints, true), &device_);
        const QFontMetricsF text(sheetFont(kTextPoints), &device_);
        // Title, job line, a line's room below them.
        top_ = title.lineSpacing() + 2 * text.lineSpacing() + mm(kHeadingGap) + mm(1);
        bottom_ = height_;
    }

    qreal mm(qreal v) const { return v * mm_; }
    // Keeps `foot` free at the bottom of every page (the title block).
    void reserveFoot(qreal foot) { bottom_ = height_ - foot; }
    qreal width() const { return width_; }
    qreal height() const { return height_; }

    Cell cell(const QString& text, qreal width, bool mayShrink, bool bold = false, bool centred = false,
              qreal points = kTextPoints) const {
        Cell c;
        c.centred = centred;
        const qreal room = std::max(width - 2 * mm(kPadX), mm(2));
        c.font = sheetFont(points, bold);
        QFontMetricsF fm(c.font, &device_);
        if (mayShrink && fm.horizontalAdvance(text) > room) {
            c.font = sheetFont(kSmallPoints, bold);
            fm = QFontMetricsF(c.font, &device_);
        }
        c.lineHeight = fm.lineSpacing();
        c.ascent = fm.ascent();
        c.lines = breakLines(text, c.font, room);
        return c;
    }

    Row row(const std::vector<QString>& texts, const std::vector<int>& spans, const std::vector<qreal>& widths,
            QColor fill, bool bold, const std::vector<bool>& shrink) const {
        Row r;
        r.spans = spans;
        r.fill = fill;
        std::size_t col = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            qreal w = 0;
            for (int k = 0; k < spans[i]; ++k) w += widths[col++];
            r.cells.push_back(cell(texts[i], w, shrink[i], bold, bold));
        }
        return r;
    }

    qreal rowHeight(const Row& r, int first, int count) const {
        qreal h = 0;
        for (const Cell& c : r.cells) {
            const int n = std::clamp(static_cast<int>(c.lines.size()) - first, 0, count);
            h = std::max(h, n * c.lineHeight);
        }
        return h + 2 * mm(kPadY);
    }

    // Flows the table's rows down from `at`, its header first; when the room
    // below runs out, `next` moves `at` to the top of a fresh column or page
    // and the header is repeated there. A row taller than a whole page is
    // carried over line by line. Returns where the table ends.
    qreal flow(std::vector<Page>& pages, const Table& t, QPointF at, const std::function<QPointF()>& next) const {
        const qreal headerHeight = rowHeight(t.header, 0, t.header.lineCount());
        auto place = [&](const Row& r, int first, int count, qreal h) {
            pages.back().rows.push_back(Placed{&r, &t.widths, first, count, at, h});
            at.ry() += h;
        };
        bool fresh = true;  // nothing but the header in this column yet
        auto fresher = [&]() {
            at = next();
            place(t.header, 0, t.header.lineCount(), headerHeight);
            fresh = true;
        };
        place(t.header, 0, t.header.lineCount(), headerHeight);
        for (const Row& r : t.rows) {
            const int lines = std::max(r.lineCount(), 1);
            int first = 0;
            while (first < lines) {
                int count = lines - first;
                qreal h = rowHeight(r, first, count);
                if (at.y() + h > bottom_) {
                    // Whole in the next column when it fits in one; else as
                    // many lines as fit here, the rest carried over.
                    if (!fresh && h <= bottom_ - top_ - headerHeight) {
                        fresher();
                        continue;
                    }
                    count = std::max(linesThatFit(r, first, bottom_ - at.y()), fresh ? 1 : 0);
                    if (count == 0) {
                        fresher();
                        continue;
                    }
                    h = rowHeight(r, first, count);
                }
                place(r, first, count, h);
                first += count;
                fresh = false;
                if (first < lines) fresher();
            }
        }
        return at.y();
    }

    QPagedPaintDevice* device() const { return &device_; }
    qreal top() const { return top_; }
    qreal bottom() const { return bottom_; }

private:
    // The text in the lines of a column `room` wide, broken between words
    // where it can and anywhere else where it must. A long text is laid out a
    // piece at a time, each piece starting with the last, unfinished line of
    // the one before: Qt's line breaking slows down with the square of a
    // text that has no place to break.
    QStringList breakLines(const QString& text, const QFont& font, qreal room) const {
        constexpr qsizetype kPiece = 2048;
        QStringList out;
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        qsizetype pos = 0;
        do {
            qsizetype size = std::min(kPiece, text.size() - pos);
            if (pos + size < text.size() && text[pos + size - 1].isHighSurrogate()) --size;
            const bool last = pos + size == text.size();
            const QString piece = text.mid(pos, size);
            QTextLayout layout(piece, font, &device_);
            layout.setTextOption(option);
            layout.beginLayout();
            std::vector<std::pair<int, int>> lines;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(room);
                lines.emplace_back(line.textStart(), line.textLength());
            }
            layout.endLayout();
            const std::size_t keep = last || lines.size() < 2 ? lines.size() : lines.size() - 1;
            for (std::size_t i = 0; i < keep; ++i) out << piece.mid(lines[i].first, lines[i].second);
            pos += keep == lines.size() ? size : lines.back().first;
        } while (pos < text.size());
        if (out.isEmpty()) out << QString();
        return out;
    }

    int linesThatFit(const Row& r, int first, qreal room) const {
        int n = 0;
        while (first + n < r.lineCount() && rowHeight(r, first, n + 1) <= room) ++n;
        return n;
    }

    void placeHeader(Page& page, const Table& t, qreal x, qreal& y) const {
        const qreal h = rowHeight(t.header, 0, t.header.lineCount());
        page.rows.push_back(Placed{&t.header, &t.widths, 0, t.header.lineCount(), QPointF(x, y), h});
        y += h;
    }

    QPagedPaintDevice& device_;
    qreal mm_ = 1, width_ = 0, height_ = 0, top_ = 0, bottom_ = 0;
};

// The columns of a sheet's table: caption (it carries the item's number as on
// the form), kind, pinion (or the single value, spanning the gear column too),
// gear, unit; widths in millimetres of the 180 mm of an A4 page, scaled to the
// device's width.
std::vector<qreal> itemColumns(qreal width) {
    const qreal parts[] = {62, 10, 49, 49, 10};
    std::vector<qreal> w;
    for (qreal p : parts) w.push_back(width * p / 180.0);
    return w;
}

// The sheet's items; for the change gears only its fields, the list flows
// separately in columns.
Table itemTable(const Layout& lay, const std::vector<TableRow>& rows, std::size_t count) {
    Table t;
    t.widths = itemColumns(lay.width());
    const bool anyPaired = std::any_of(rows.begin(), rows.end(), [](const TableRow& r) { return r.paired; });
    if (anyPaired)
        t.header = lay.row({"项目", "类别", "小轮 / 数值", "大轮", "单位"}, {1, 1, 1, 1, 1}, t.widths, kHeaderFill,
                           true, std::vector<bool>(5, false));
    else
        t.header = lay.row({"项目", "类别", "数值", "单位"}, {1, 1, 2, 1}, t.widths, kHeaderFill, true,
                           std::vector<bool>(4, false));
    for (std::size_t i = 0; i < count; ++i) {
        const TableRow& r = rows[i];
        // A row no step computes says so in its value cell, on white.
        const QColor fill = r.uncomputed ? QColor(Qt::white) : r.input ? kInputFill : kResultFill;
        const QString kind = r.uncomputed ? "" : r.input ? "输入" : "计算";
        const QString first = r.uncomputed ? "（本项不计算）" : qs(r.first);
        const QString unit = qs(unitText(r.unit));
        if (r.paired)
            t.rows.push_back(lay.row({qs(r.caption), kind, first, qs(r.second), unit}, {1, 1, 1, 1, 1},
                                     t.widths, fill, false, {false, false, true, true, false}));
        else
            t.rows.push_back(lay.row({qs(r.caption), kind, first, unit}, {1, 1, 2, 1}, t.widths, fill, false,
                                     {false, false, true, false}));
    }
    return t;
}

// The change-gear list in three columns side by side, each of them a table of
// its own: running number and the combination.
constexpr int kListColumns = 3;

Table listTable(const Layout& lay, const std::vector<TableRow>& rows, std::size_t from, qreal columnWidth) {
    Table t;
    t.widths = {columnWidth * 0.2, columnWidth * 0.8};
    t.header = lay.row({"序号", "挂轮组合"}, {1, 1}, t.widths, kHeaderFill, true, {false, false});
    for (std::size_t i = from; i < rows.size(); ++i)
        t.rows.push_back(lay.row({QString::number(i - from + 1), qs(rows[i].first)}, {1, 1}, t.widths,
                                 kResultFill, false, {false, true}));
    return t;
}

void paintRow(QPainter& p, const Layout& lay, const Placed& pl) {
    const Row& r = *pl.row;
    qreal total = 0;
    for (qreal w : *pl.widths) total += w;
    const QRectF box(pl.at, QSizeF(total, pl.height));
    p.fillRect(box, r.fill);
    p.setPen(QPen(kRule, lay.mm(0.15)));
    p.drawRect(box);
    qreal x = pl.at.x();
    std::size_t col = 0;
    for (std::size_t i = 0; i < r.cells.size(); ++i) {
        qreal w = 0;
        for (int k = 0; k < r.spans[i]; ++k) w += (*pl.widths)[col++];
        if (x > pl.at.x()) p.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        const Cell& c = r.cells[i];
        p.setFont(c.font);
        p.setPen(Qt::black);
        const QFontMetricsF fm(c.font, p.device());
        qreal baseline = pl.at.y() + lay.mm(kPadY) + c.ascent;
        const int last = std::min<int>(static_cast<int>(c.lines.size()), pl.first + pl.count);
        for (int k = pl.first; k < last; ++k) {
            const QString& line = c.lines[k];
            qreal tx = x + lay.mm(kPadX);
            if (c.centred) tx = x + (w - fm.horizontalAdvance(line)) / 2;
            p.drawText(QPointF(tx, baseline), line);
            baseline += c.lineHeight;
        }
        p.setPen(QPen(kRule, lay.mm(0.15)));
        x += w;
    }
}

// The notice of a sheet that is not current: a bold frame at the top of its
// page, headed 注意, one line a reason with its items (a continued page: one
// line pointing back); plain text, wrapped inside the frame. Reads as a
// warning on a grey printer too: bold, framed, a heavy rule.
namespace notice {

constexpr qreal kPad = 1.5;     // mm inside the frame
constexpr qreal kFrame = 0.6;   // mm, the frame's width
constexpr qreal kHeadingPoints = 11;
constexpr int kFlags = Qt::TextWordWrap | Qt::TextWrapAnywhere;

// Where the box starts: below the job line.
qreal top(const Layout& lay) {
    const QFontMetricsF tm(sheetFont(kTitlePoints, true), lay.device());
    const QFontMetricsF fm(sheetFont(kTextPoints), lay.device());
    return tm.lineSpacing() + fm.lineSpacing() + lay.mm(1);
}

QStringList linesOf(const ChainState& chain, SheetId id, bool continued) {
    const SheetState* state = chain.of(id);
    if (!state || state->current()) return {};
    if (continued) return {QString("%1不是最新的，见本计算单第一页的注意事项").arg(qs(sheetTitle(id)))};
    QStringList lines;
    for (const Reason& r : state->reasons) lines << "• " + qs(reasonText(id, r));
    return lines;
}

qreal textWidth(const Layout& lay) { return lay.width() - 2 * lay.mm(kPad + kFrame); }

qreal height(const Layout& lay, const QStringList& lines) {
    if (lines.isEmpty()) return 0;
    const QFontMetricsF head(sheetFont(kHeadingPoints, true), lay.device());
    const QFontMetricsF body(sheetFont(kTextPoints, true), lay.device());
    qreal h = head.lineSpacing();
    for (const QString& line : lines) h += body.boundingRect(QRectF(0, 0, textWidth(lay), 1e9), kFlags, line).height();
    return h + 2 * lay.mm(kPad + kFrame);
}

// Where the table starts on a page with this notice.
qreal tableTop(const Layout& lay, const QStringList& lines) {
    return lines.isEmpty() ? lay.top() : std::max(lay.top(), top(lay) + height(lay, lines) + lay.mm(2));
}

void paint(QPainter& p, const Layout& lay, const QStringList& lines) {
    if (lines.isEmpty()) return;
    p.save();
    const qreal frame = lay.mm(kFrame);
    const QRectF box(frame / 2, top(lay) + frame / 2, lay.width() - frame, height(lay, lines) - frame);
    p.fillRect(box, QColor(0xFF, 0xF0, 0xF0));
    p.setPen(QPen(kWarning, frame));
    p.drawRect(box);
    const QFont headFont = sheetFont(kHeadingPoints, true);
    const QFont bodyFont = sheetFont(kTextPoints, true);
    const QFontMetricsF head(headFont, p.device());
    qreal y = top(lay) + lay.mm(kPad + kFrame);
    const qreal x = lay.mm(kPad + kFrame);
    p.setFont(headFont);
    p.drawText(QPointF(x, y + head.ascent()), "注意");
    y += head.lineSpacing();
    p.setFont(bodyFont);
    p.setPen(Qt::black);
    for (const QString& line : lines) {
        const QRectF room(x, y, textWidth(lay), 1e9);
        const QRectF used = QFontMetricsF(bodyFont, p.device()).boundingRect(room, kFlags, line);
        p.drawText(QRectF(x, y, textWidth(lay), used.height()), kFlags, line);
        y += used.height();
    }
    p.restore();
}

}  // namespace notice

void paintHeading(QPainter& p, const Layout& lay, const Page& page, const PageOptions& options,
                  const QStringList& notice) {
    const QFont title = sheetFont(kTitlePoints, true);
    const QFont text = sheetFont(kTextPoints);
    const QFontMetricsF tm(title, p.device());
    const QFontMetricsF fm(text, p.device());
    QString heading = page.remarks ? QString("备注") : pageTitle(page.sheet);
    if (page.continued) heading += "（续）";
    p.setPen(Qt::black);
    p.setFont(title);
    p.drawText(QPointF((lay.width() - tm.horizontalAdvance(heading)) / 2, tm.ascent()), heading);

    p.setFont(text);
    const QString job = "计算文件：" + (options.jobName.isEmpty() ? QString("（未保存）") : options.jobName);
    const QString when = "打印时间：" + options.printedAt.toString("yyyy-MM-dd HH:mm:ss");
    const qreal y = tm.lineSpacing() + fm.ascent();
    const qreal whenWidth = fm.horizontalAdvance(when);
    // A file name too long for its place keeps its beginning and its end.
    p.drawText(QPointF(0, y), fm.elidedText(job, Qt::ElideMiddle, lay.width() - whenWidth - lay.mm(4)));
    p.drawText(QPointF(lay.width() - whenWidth, y), when);
    notice::paint(p, lay, notice);
}

// The title block at the foot of every page, as a workshop drawing has it: a
// framed table of the job's properties (an empty one leaves its cell empty),
// the sheet, the page's number, the job file, the time of printing and what
// the colours of the table mean. Each text is printed whole, in small type and
// wrapped in its cell; remarks too long for the block stand on pages of their
// own at the end, the block saying where.
class TitleBlock {
public:
    TitleBlock(const Layout& lay, const Properties& properties, const PageOptions& options)
        : lay_(lay), properties_(properties), options_(options) {
        const qreal parts[] = {16, 44, 20, 40, 20, 40};
        for (qreal part : parts) widths_.push_back(lay.width() * part / 180.0);
        // The sheet and the page's number take one line whatever they say.
        const auto whole = [&](const QString& remarks) { return height(rows(pageTitle(SheetId::A2), folio(99, 99), remarks)); };
        height_ = whole(qs(properties[Property::Remarks]));
        if (height_ > lay.height() * kMostTitleShare) {
            overflow_ = true;
            height_ = whole(remarksElsewhere(999));
        }
    }

    // The room the block takes at the bottom of a page, a gap above it included.
    qreal foot() const { return height_ + lay_.mm(kFootGap); }
    // Whether the remarks stand on pages of their own.
    bool overflow() const { return overflow_; }

    void paint(QPainter& p, const QString& sheet, int number, int count, int remarksPage) const {
        const qreal top = lay_.height() - height_;
        const std::vector<Row> block = rows(sheet, folio(number, count),
                                            overflow_ ? remarksElsewhere(remarksPage) : qs(properties_[Property::Remarks]));
        qreal y = top;
        for (const Row& r : block) {
            const qreal h = lay_.rowHeight(r, 0, r.lineCount());
            paintRow(p, lay_, Placed{&r, &widths_, 0, r.lineCount(), QPointF(0, y), h});
            y += h;
        }
        p.setPen(QPen(Qt::black, lay_.mm(0.5)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0, top, lay_.width(), y - top));
    }

private:
    static QString folio(int number, int count) { return QString("第 %1 页  共 %2 页").arg(number).arg(count); }
    static QString remarksElsewhere(int page) { return QString("（备注较长，全文见第 %1 页）").arg(page); }

    // Label and text by turns; a text spans the columns given.
    Row row(const std::vector<std::pair<QString, int>>& cells) const {
        Row r;
        std::size_t col = 0;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            qreal w = 0;
            for (int k = 0; k < cells[i].second; ++k) w += widths_[col++];
            const bool label = i % 2 == 0;
            // A line break in a text starts a new line in its cell.
            Cell c;
            for (const QString& paragraph : cells[i].first.split('\n')) {
                Cell part = lay_.cell(paragraph, w, false, label, false, kSmallPoints);
                if (c.lines.isEmpty()) c = part; else c.lines += part.lines;
            }
            r.cells.push_back(c);
            r.spans.push_back(cells[i].second);
        }
        return r;
    }

    std::vector<Row> rows(const QString& sheet, const QString& folio, const QString& remarks) const {
        const auto prop = [&](Property p) { return qs(properties_[p]); };
        const auto label = [](Property p) { return QString::fromUtf8(propertyLabel(p)); };
        return {
            row({{label(Property::Name), 1}, {prop(Property::Name), 1}, {label(Property::PinionDrawing), 1},
                 {prop(Property::PinionDrawing), 1}, {label(Property::GearDrawing), 1}, {prop(Property::GearDrawing), 1}}),
            row({{label(Property::Material), 1}, {prop(Property::Material), 1}, {label(Property::Designer), 1},
                 {prop(Property::Designer), 1}, {label(Property::Checker), 1}, {prop(Property::Checker), 1}}),
            row({{label(Property::Date), 1}, {prop(Property::Date), 1}, {"计算单", 1}, {sheet, 1}, {"页次", 1}, {folio, 1}}),
            row({{"计算文件", 1}, {options_.jobName.isEmpty() ? QString("（未保存）") : options_.jobName, 3}, {"打印时间", 1},
                 {options_.printedAt.toString("yyyy-MM-dd HH:mm"), 1}}),
            row({{label(Property::Remarks), 1}, {remarks, 3}, {"图例", 1}, {"绿底“输入”：输入的数据\n橙底“计算”：计算结果", 1}}),
        };
    }

    qreal height(const std::vector<Row>& rows) const {
        qreal h = 0;
        for (const Row& r : rows) h += lay_.rowHeight(r, 0, r.lineCount());
        return h;
    }

    const Layout& lay_;
    const Properties& properties_;
    const PageOptions& options_;
    std::vector<qreal> widths_;
    qreal height_ = 0;
    bool overflow_ = false;
};

// The pages of one sheet, added to `pages`; the tables they show go to
// `tables`, which must outlive the pages.
void layOutSheet(const Layout& lay, const ChainState& chain, const Sheet& sheet, const PageOptions& options,
                 std::vector<Page>& pages, std::deque<Table>& tables) {
    const SheetId id = sheet.id();
    // Below the notice of a sheet that is not current, on its first page and
    // on the pages that continue it.
    const qreal firstTop = notice::tableTop(lay, notice::linesOf(chain, id, false));
    const qreal top = notice::tableTop(lay, notice::linesOf(chain, id, true));
    pages.push_back(Page{id, false, {}, {}, {}});
    std::vector<TableRow> rows = tableOf(sheet);
    // The change-gear list follows the window's fields in the rows; the
    // window's caption, which tells how the last search ended, joins them.
    std::size_t fields = rows.size();
    if (id == SheetId::Gears) {
        fields -= sheet.list.size();
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(fields),
                    TableRow{"", "计算状态", sheet.caption, "", Unit::None, false, false});
        ++fields;
    }
    tables.push_back(itemTable(lay, rows, fields));
    auto newPage = [&]() {
        pages.push_back(Page{id, true, {}, {}, {}});
        return QPointF(0, top);
    };
    qreal y = lay.flow(pages, tables.back(), QPointF(0, firstTop), newPage);
    if (id == SheetId::A2 && options.a2Sketch) {
        // The sketch takes the room below the table, or a page of its own
        // when a long text has left too little.
        const qreal gap = lay.mm(4);
        if (lay.bottom() - (y + gap) < lay.mm(kMinSketchHeight)) {
            pages.push_back(Page{id, true, {}, {}, {}});
            y = top - gap;
        }
        pages.back().sketch = QRectF(0, y + gap, lay.width(), lay.bottom() - y - gap);
    }
    if (id == SheetId::Gears) {
        const QFontMetricsF fm(sheetFont(kTextPoints, true), lay.device());
        y += lay.mm(4);
        if (y + fm.lineSpacing() * 3 > lay.bottom()) {
            pages.push_back(Page{id, true, {}, {}, {}});
            y = top;
        }
        const QString heading = sheet.list.empty() ? QString("挂轮组合：无")
                                                    : QString("挂轮组合：共 %1 组").arg(sheet.list.size());
        pages.back().notes.emplace_back(QPointF(0, y + fm.ascent()), heading);
        y += fm.lineSpacing() + lay.mm(1);
        const qreal columnWidth = (lay.width() - lay.mm(3) * (kListColumns - 1)) / kListColumns;
        tables.push_back(listTable(lay, rows, fields, columnWidth));
        // Down the first column, then the next, then onto a new page.
        int column = 0;
        qreal columnTop = y;
        auto nextColumn = [&]() {
            if (++column == kListColumns) {
                column = 0;
                columnTop = newPage().y();
            }
            return QPointF(column * (columnWidth + lay.mm(3)), columnTop);
        };
        lay.flow(pages, tables.back(), QPointF(0, y), nextColumn);
    }
}

}  // namespace

QString pageTitle(SheetId id) {
    switch (id) {
    case SheetId::A2: return "翎川齿轮计算单A2";
    case SheetId::B1: return "翎川齿轮计算单B1";
    case SheetId::C: return "翎川齿轮计算单C";
    case SheetId::Gears: return "翎川挂轮计算单";
    }
    return {};
}

void setUpA4(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginSide, kMarginTopBottom, kMarginSide, kMarginTopBottom),
                                     QPageLayout::Millimeter));
}

namespace {

// The pages of every sheet, the room of the title block kept free on each;
// remarks too long for the block follow on pages of their own. Returns the
// first of these (0: none).
int layOutWorkbook(Layout& lay, const TitleBlock& title, const Workbook& wb, const PageOptions& options,
                   std::vector<Page>& pages, std::deque<Table>& tables) {
    lay.reserveFoot(title.foot());
    const ChainState chain = chainState(wb);
    for (SheetId id : kAllSheets)
        if (const Sheet* sheet = wb.find(id)) layOutSheet(lay, chain, *sheet, options, pages, tables);
    if (pages.empty() || !title.overflow()) return 0;
    const int first = static_cast<int>(pages.size()) + 1;
    Table& t = tables.emplace_back();
    t.widths = {lay.width()};
    t.header = lay.row({"备注"}, {1}, t.widths, kHeaderFill, true, {false});
    for (const QString& paragraph : qs(wb.properties[Property::Remarks]).split('\n'))
        t.rows.push_back(lay.row({paragraph}, {1}, t.widths, Qt::white, false, {false}));
    const auto newPage = [&]() {
        pages.push_back(Page{pages.back().sheet, pages.size() + 1 > static_cast<std::size_t>(first), {}, {}, {}, true});
        return QPointF(0, lay.top());
    };
    lay.flow(pages, t, newPage(), newPage);
    return first;
}

}  // namespace

int pageCount(QPagedPaintDevice& device, const Workbook& wb, const PageOptions& options) {
    std::deque<Table> tables;
    std::vector<Page> pages;
    Layout lay(device);
    layOutWorkbook(lay, TitleBlock(lay, wb.properties, options), wb, options, pages, tables);
    return static_cast<int>(pages.size());
}

int paintWorkbook(QPagedPaintDevice& device, const Workbook& wb, const PageOptions& options) {
    Layout lay(device);
    const TitleBlock title(lay, wb.properties, options);
    // The tables live until the pages are painted: the pages point into them.
    std::deque<Table> tables;
    std::vector<Page> pages;
    const int remarksPage = layOutWorkbook(lay, title, wb, options, pages, tables);
    const int count = static_cast<int>(pages.size());
    const int first = std::max(options.firstPage, 1);
    const int last = options.lastPage > 0 ? std::min(options.lastPage, count) : count;
    if (first > last) return 0;
    std::array<QStringList, kAllSheets.size()> notices, continued;
    const ChainState chain = chainState(wb);
    for (SheetId id : kAllSheets) {
        notices[static_cast<std::size_t>(id)] = notice::linesOf(chain, id, false);
        continued[static_cast<std::size_t>(id)] = notice::linesOf(chain, id, true);
    }

    QPainter p;
    if (!p.begin(&device)) return 0;
    p.setRenderHint(QPainter::Antialiasing);
    int painted = 0;
    for (int copy = 0; copy < std::max(options.copies, 1); ++copy) {
        for (int i = first - 1; i < last; ++i) {
            if (painted++ > 0) device.newPage();
            const Page& page = pages[static_cast<std::size_t>(i)];
            const std::size_t sheet = static_cast<std::size_t>(page.sheet);
            paintHeading(p, lay, page, options,
                         page.remarks ? QStringList() : page.continued ? continued[sheet] : notices[sheet]);
            title.paint(p, page.remarks ? QString("备注") : pageTitle(page.sheet), i + 1, count, remarksPage);
            for (const Placed& pl : page.rows) paintRow(p, lay, pl);
            p.setFont(sheetFont(kTextPoints, true));
            p.setPen(Qt::black);
            for (const auto& [at, text] : page.notes) p.drawText(at, text);
            if (!page.sketch.isNull() && options.a2Sketch) {
                p.save();
                p.setClipRect(page.sketch);
                options.a2Sketch(p, page.sketch, wb);
                p.restore();
            }
        }
    }
    p.end();
    return painted;
}

QByteArray pdfDocument(const Workbook& wb, const PageOptions& options) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle("翎川齿轮计算单");
        pdf.setCreator("翎川");
        setUpA4(pdf);
        pages = paintWorkbook(pdf, wb, options);
    }
    return pages == 0 ? QByteArray() : buffer.data();
}

bool writePdf(const QString& path, const Workbook& wb, const PageOptions& options, QString* error) {
    const QByteArray pdf = pdfDocument(wb, options);
    const WriteResult written = pdf.isEmpty() ? WriteResult{false, true, false, "没有可以输出的计算单"} : writeFileWhole(path, pdf);
    if (!written.written && error)
        *error = QString("无法写入文件“%1”：%2").arg(shownPath(QFileInfo(path).absoluteFilePath()), written.explanation());
    return written.written;
}

}  // namespace lc::report
