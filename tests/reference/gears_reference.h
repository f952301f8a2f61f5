// The change-gear search done the plain way: every one of the 92⁴ combinations
// divided and tested, in the order of the four loops, the hit table filled slot
// by slot and repeated ratios removed pair by pair. The yardstick for the
// shipped search in the tests and the benchmark; it shares no code with it,
// and its lines are written by numtext_reference.h (digits from MPFR) and
// std::to_string, not by the shipped number writer.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/change_gears.h"
#include "numtext_reference.h"

namespace lc::reference {

inline bool inStock(int z) { return z == 24 || (z >= 29 && z <= 100) || z == 105 || z == 111 || z == 115; }

// One pass of the loops serves several tolerances for the same target: each
// combination is divided once and its difference tested against each of them.
inline std::vector<GearSearchResult> gearSearch(double target, const std::vector<double>& tolerances) {
    constexpr int kSlots = 10001;
    struct Table {
        std::vector<double> ratio = std::vector<double>(kSlots, 0.0);
        std::vector<std::string> text = std::vector<std::string>(kSlots);
        int count = 0;
        bool found = false;
        GearSearchResult out;
    };
    std::vector<Table> tables(tolerances.size());
    const double widest = tolerances.empty() ? 0.0 : *std::max_element(tolerances.begin(), tolerances.end());

    std::int16_t countdown = 92;
    for (std::int16_t z1 = 24; z1 != 116; ++z1) {
        for (std::int16_t z2 = 24; z2 != 116; ++z2) {
            const std::int16_t p = static_cast<std::int16_t>(z1 * z2);
            for (std::int16_t z3 = 24; z3 != 116; ++z3) {
                for (std::int16_t z4 = 24; z4 != 116; ++z4) {
                    const std::int16_t q = static_cast<std::int16_t>(z3 * z4);
                    const double r = static_cast<double>(p) / static_cast<double>(q);
                    const double d = std::fabs(r - target);
                    if (!(d <= widest)) continue;  // passes none of the tolerances
                    for (std::size_t k = 0; k < tolerances.size(); ++k) {
                        if (d <= tolerances[k] && inStock(z1) && inStock(z2) && inStock(z3) && inStock(z4)) {
                            Table& t = tables[k];
                            if (t.count < kSlots) {
                                t.ratio[t.count] = r;
                                t.text[t.count] = std::to_string(z1) + "X" + std::to_string(z2) + "/" +
                                                  std::to_string(z3) + "X" + std::to_string(z4) + "=" +
                                                  reference::writeDouble(r);
                                ++t.count;
                            }
                            t.found = true;
                        }
                    }
                }
            }
        }
        --countdown;
        for (Table& t : tables) {
            const std::string caption = "计算中，请稍后！ " + std::to_string(countdown);
            t.out.progress.push_back(caption);
            if (t.found) t.out.progress.push_back(caption + "  ^v^");
        }
    }

    std::vector<GearSearchResult> results;
    for (Table& t : tables) {
        for (int j = 0; j < t.count; ++j)
            for (int k = j + 1; k < t.count; ++k)
                if (t.ratio[j] == t.ratio[k] && t.ratio[j] != 0) t.ratio[k] = 0;
        for (int i = 0; i < t.count; ++i)
            if (t.ratio[i] != 0) t.out.lines.push_back(t.text[i]);
        t.out.closing.push_back("计算结束，请挑选数据！");
        if (!t.found) t.out.closing.push_back("计算结束，无合格数据！请降低精度再开始！");
        t.out.hits = static_cast<std::size_t>(t.count);
        results.push_back(std::move(t.out));
    }
    return results;
}

}  // namespace lc::reference
