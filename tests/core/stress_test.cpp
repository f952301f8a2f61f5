// Pressing every start button ten thousand times in a row, with random valid
// and invalid inputs: memory stays flat and the same inputs always give the
// same outcome and the same texts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/change_gears.h"
#include "core/sheet_a2.h"
#include "core/sheet_b1.h"
#include "core/sheet_c.h"

using namespace lc;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Case {
    std::map<std::string, std::string> a2, b1, c;
    std::string target;
    int checks = 0;  // bit k ticks the k-th check box of sheets A2 and C
    bool rightHand = false;
};

// What one press of every start button left behind.
struct Result {
    std::vector<int> kinds;
    std::vector<std::string> messages;
    std::map<std::string, std::string> texts;
    bool operator==(const Result&) const = default;
};

std::vector<Case> makeCases(std::mt19937& rng) {
    const std::vector<std::string> good{"10", "41", "2", "35", "0.4", "44.45", "13", "40", "0.9", "20", "0.25"};
    const std::vector<std::string> bad{"", " ", "abc", "0", "-1", "1E+39", "1E+308", "wr ", "90", "1.2.3"};
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
    };
    std::vector<Case> cases;
    for (int i = 0; i < 40; ++i) {
        // Half the cases are the worked example with one field spoiled or
        // varied; the other half draw every input at random.
        const bool spoil = i % 2 == 0;
        auto value = [&](const std::string& usual) {
            if (spoil) return std::uniform_int_distribution<int>(0, 7)(rng) == 0 ? pick(bad) : usual;
            return std::uniform_int_distribution<int>(0, 2)(rng) == 0 ? pick(bad) : pick(good);
        };
        Case k;
        k.a2 = {{"Text1", value("10")}, {"Text2", value("41")}, {"Text3", value("2")},
                {"Text5", value("35")}, {"Text12", value("0.4")}, {"Text17", value("44.45")}};
        k.b1 = {{"Text16", value("0.9")}};
        k.c = {{"Text52", value("25")}, {"Text53", value("20")}, {"Text54", value("28")}, {"Text55", value("22")}};
        k.target = value("0.5");
        k.checks = std::uniform_int_distribution<int>(0, 31)(rng) & (spoil ? 0 : 31);
        k.rightHand = i % 3 == 0;
        cases.push_back(k);
    }
    return cases;
}

Result press(Workbook& wb, const Case& k) {
    Sheet& a2 = wb.sheet(SheetId::A2);
    for (const auto& [f, t] : k.a2) a2.setText(f, t);
    a2.setCheck("Check1", k.checks & 1);
    a2.setCheck("Check2", (k.checks >> 1) & 1);
    a2.setCheck("Check3", (k.checks >> 2) & 1);
    (k.rightHand ? a2Option2Click : a2Option1Click)(wb);
    Sheet& b1 = wb.sheet(SheetId::B1);
    for (const auto& [f, t] : k.b1) b1.setText(f, t);
    Sheet& c = wb.sheet(SheetId::C);
    for (const auto& [f, t] : k.c) c.setText(f, t);
    c.setCheck("Check2", (k.checks >> 3) & 1);
    c.setCheck("Check3", (k.checks >> 4) & 1);
    wb.sheet(SheetId::Gears).setText("Text1", k.target);

    Result r;
    for (const Outcome& o : {a2Command1(wb), b1Command1(wb), cCommand1(wb), gearsCommand1(wb)}) {
        r.kinds.push_back(static_cast<int>(o.kind));
        r.messages.push_back(o.message);
    }
    for (SheetId id : {SheetId::A2, SheetId::B1, SheetId::C, SheetId::Gears}) {
        const Sheet& s = wb.sheet(id);
        for (const auto& f : s.fieldNames()) r.texts[std::string(sheetKey(id)) + "." + f] = s.text(f);
        for (std::size_t i = 0; i < s.list.size(); ++i) r.texts["list" + std::to_string(i)] = s.list[i];
    }
    return r;
}

// Each case starts from sheets in a known state, so that its outcome depends
// on its own inputs only.
void reset(Workbook& wb) {
    for (SheetId id : {SheetId::A2, SheetId::B1, SheetId::C, SheetId::Gears}) wb.close(id);
    wb.flags = Flags{};
}

}  // namespace

TEST(Stress, TenThousandPressesStayConsistentAndKeepMemoryFlat) {
    std::mt19937 rng(20261207);
    const std::vector<Case> cases = makeCases(rng);
    std::vector<std::optional<Result>> first(cases.size());
    Workbook wb;

    long warm = 0;
    int kindsSeen[3] = {0, 0, 0};
    for (int i = 0; i < 10000; ++i) {
        const std::size_t n = std::uniform_int_distribution<std::size_t>(0, cases.size() - 1)(rng);
        reset(wb);
        const Result r = press(wb, cases[n]);
        for (int k : r.kinds) ++kindsSeen[k];
        if (!first[n]) {
            first[n] = r;
        } else {
            ASSERT_EQ(r, *first[n]) << "case " << n << " gave another outcome at press " << i;
        }
        if (i == 999) warm = residentKiB();
    }
    // The inputs reach every kind of outcome.
    EXPECT_GT(kindsSeen[static_cast<int>(Outcome::Kind::Done)], 0);
    EXPECT_GT(kindsSeen[static_cast<int>(Outcome::Kind::Message)], 0);
    EXPECT_GT(kindsSeen[static_cast<int>(Outcome::Kind::Fault)], 0);
    if (!kSanitized) {
        const long growth = residentKiB() - warm;
        EXPECT_LT(growth, 2048) << "resident memory grew by " << growth << " KiB over 9000 presses";
    }
}
