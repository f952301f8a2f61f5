#include "core/change_gears.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <utility>

#include "core/numtext.h"

namespace lc {
namespace {

// z1·z2 and z3·z4 are 16-bit products in the loops; the largest one fits.
static_assert(kGearLoopLast * kGearLoopLast <= INT16_MAX);

constexpr int kLoopCount = kGearLoopLast - kGearLoopFirst + 1;  // 92 values of z1: the countdown
constexpr const char* kProgress = "计算中，请稍后！ ";
constexpr const char* kFoundMark = "  ^v^";
constexpr const char* kEndPick = "计算结束，请挑选数据！";
constexpr const char* kEndNone = "计算结束，无合格数据！请降低精度再开始！";

// The products a·b of two stock gears. Every z1·z2 and every z3·z4 that can
// be listed is one of them.
struct ProductTable {
    std::vector<int> gears;               // the stock gears, ascending
    std::vector<int> values;              // the distinct products, ascending
    std::vector<std::uint16_t> pairs;     // i·n + j for gears[i]·gears[j], grouped by product
    std::vector<std::size_t> start;       // pairs of values[k]: from start[k] to start[k + 1]
    std::vector<std::size_t> indexOf;     // product -> k
};

ProductTable buildProductTable() {
    ProductTable t;
    for (int z = kGearLoopFirst; z <= kGearLoopLast; ++z)
        if (isStockGear(z)) t.gears.push_back(z);
    const std::size_t n = t.gears.size();
    auto product = [&](std::uint16_t key) { return t.gears[key / n] * t.gears[key % n]; };

    t.pairs.resize(n * n);
    std::iota(t.pairs.begin(), t.pairs.end(), std::uint16_t{0});
    std::stable_sort(t.pairs.begin(), t.pairs.end(),
                     [&](std::uint16_t a, std::uint16_t b) { return product(a) < product(b); });

    t.indexOf.assign(kGearLoopLast * kGearLoopLast + 1, 0);
    for (std::size_t i = 0; i < t.pairs.size(); ++i) {
        const int p = product(t.pairs[i]);
        if (t.values.empty() || t.values.back() != p) {
            t.indexOf[p] = t.values.size();
            t.values.push_back(p);
            t.start.push_back(i);
        }
    }
    t.start.push_back(t.pairs.size());
    return t;
}

const ProductTable& productTable() {
    static const ProductTable table = buildProductTable();
    return table;
}

// "41X53/29X97=0.772451213...": a search lists up to ten thousand of them,
// each tooth count written once for all.
std::string lineText(int z1, int z2, int z3, int z4, double ratio) {
    static const auto teethText = [] {
        std::array<std::string, kGearLoopLast + 1> texts;
        for (int z = kGearLoopFirst; z <= kGearLoopLast; ++z) texts[static_cast<std::size_t>(z)] = writeInteger(z);
        return texts;
    }();
    char head[24];  // "115X115/115X115=" at the most
    std::size_t n = 0;
    const std::pair<int, char> parts[] = {{z1, 'X'}, {z2, '/'}, {z3, 'X'}, {z4, '='}};
    for (const auto& [teeth, after] : parts) {
        const std::string& t = teethText[static_cast<std::size_t>(teeth)];
        std::memcpy(head + n, t.data(), t.size());
        n += t.size();
        head[n++] = after;
    }
    std::string line;
    line.reserve(40);
    line.append(head, n);
    appendDouble(line, ratio);
    return line;
}

// The ratios listed so far: positive, finite doubles kept by their bits in
// an open-addressed table (a search meets up to ten thousand hits, most of
// them ratios already listed; a node-based set spent half the search on them).
class RatioSet {
public:
    // True when the ratio was not there before.
    bool insert(double ratio) {
        std::uint64_t key;
        std::memcpy(&key, &ratio, sizeof key);
        if (2 * (size_ + 1) > slots_.size()) grow();
        if (!place(slots_, key)) return false;
        ++size_;
        return true;
    }

private:
    // Zero is the empty slot: no positive double has those bits.
    static bool place(std::vector<std::uint64_t>& slots, std::uint64_t key) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = (key * 0x9E3779B97F4A7C15ull) >> 20 & mask;; i = (i + 1) & mask) {
            if (slots[i] == key) return false;
            if (slots[i] == 0) {
                slots[i] = key;
                return true;
            }
        }
    }

    void grow() {
        std::vector<std::uint64_t> bigger(slots_.empty() ? 64 : 2 * slots_.size());
        for (std::uint64_t key : slots_)
            if (key != 0) place(bigger, key);
        slots_ = std::move(bigger);
    }

    std::vector<std::uint64_t> slots_;
    std::size_t size_ = 0;
};

}  // namespace

bool isStockGear(int teeth) {
    return teeth == 24 || (teeth >= 29 && teeth <= 100) || teeth == 105 || teeth == 111 || teeth == 115;
}

GearSearchResult searchChangeGears(double target, double tolerance) {
    const ProductTable& t = productTable();
    const std::size_t n = t.gears.size();
    const Num aim(target);
    const Num tol(tolerance);
    const Num minusTol = -tol;
    auto offset = [&](int p, int q) { return Num(p) / Num(q) - aim; };

    // The rounded quotient p/q never falls as p grows or as q shrinks, and the
    // rounded difference r − target never falls as r rises. So for one p the q
    // that pass −tol ≤ r − target ≤ tol form one run of the ascending products,
    // from the first q with r − target ≤ tol up to the first q with
    // r − target < −tol, and both ends move only upwards as p grows. One sweep
    // finds every run's ends with the test itself, so no combination is lost or
    // gained at the edges. A negative tolerance gives empty runs.
    struct Run {
        std::size_t from, to;  // indices into t.values
    };
    const std::size_t m = t.values.size();
    std::vector<Run> runs(m);
    std::size_t from = 0;
    std::size_t to = 0;
    for (std::size_t k = 0; k < m; ++k) {
        const int p = t.values[k];
        while (from < m && offset(p, t.values[from]) > tol) ++from;
        to = std::max(to, from);
        while (to < m && offset(p, t.values[to]) >= minusTol) ++to;
        runs[k] = {from, to};
    }

    GearSearchResult out;
    RatioSet listed;  // the ratio of every line so far
    std::vector<std::uint16_t> candidates;
    out.progress.reserve(2 * kLoopCount);
    bool found = false;
    int countdown = kLoopCount;
    for (int z1 = kGearLoopFirst; z1 <= kGearLoopLast; ++z1) {
        // Once the table is full the loops collect nothing more; they only count down.
        if (isStockGear(z1) && out.hits < kGearHitCapacity) {
            for (int z2 : t.gears) {
                const int p = z1 * z2;
                const Run run = runs[t.indexOf[p]];
                if (run.from >= run.to) continue;
                // The pairs of the run, back in the order of the z3 and z4 loops.
                candidates.assign(t.pairs.begin() + t.start[run.from], t.pairs.begin() + t.start[run.to]);
                std::sort(candidates.begin(), candidates.end());
                for (std::uint16_t key : candidates) {
                    const int z3 = t.gears[key / n];
                    const int z4 = t.gears[key % n];
                    const Num r = Num(p) / Num(z3 * z4);
                    if (!(abs(r - aim) <= tol)) continue;
                    ++out.hits;
                    found = true;
                    // One line per ratio value: the first combination found for
                    // it stays (equal fractions always give the same Double).
                    if (listed.insert(r.value())) out.lines.push_back(lineText(z1, z2, z3, z4, r.value()));
                    if (out.hits == kGearHitCapacity) break;
                }
                if (out.hits == kGearHitCapacity) break;
            }
        }
        --countdown;
        std::string caption = kProgress + writeInteger(countdown);
        out.progress.push_back(caption);
        if (found) out.progress.push_back(caption + kFoundMark);
    }

    out.closing.push_back(kEndPick);
    if (!found) out.closing.push_back(kEndNone);
    return out;
}

Outcome gearsCommand1(Workbook& wb, const std::function<void(const std::string&)>& onCaption) {
    Sheet& sheet = wb.sheet(SheetId::Gears);
    if (sheet.text("Text1").empty()) return Outcome::msg("请输入结果！");

    auto setCaption = [&](std::string caption) {
        sheet.caption = std::move(caption);
        if (onCaption) onCaption(sheet.caption);
    };
    sheet.list.clear();
    setCaption(kProgress + writeInteger(kLoopCount));
    return runGuarded(wb, SheetId::Gears, [&](Calc& c) {
        const Num target = c.D("Text1");
        const Num tolerance = c.D("Text2");
        GearSearchResult result = searchChangeGears(target.value(), tolerance.value());
        for (std::string& caption : result.progress) setCaption(std::move(caption));
        sheet.list = std::move(result.lines);
        for (std::string& caption : result.closing) setCaption(std::move(caption));
        return Outcome::done();
    });
}

Outcome gearsCommand2(Workbook& wb) {
    wb.hide(SheetId::Gears);
    return Outcome::done();
}

}  // namespace lc
