// Fuzz target for the workbook: random field texts and random sequences of user
// actions. Every action must end as done, a message or a fault; it may change
// only the sheets its steps name; a fault changes no flag; and a completed
// calculation leaves numbers in its result fields.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/actions.h"
#include "core/blank_sketch.h"
#include "core/numtext.h"
#include "core/workbook.h"

using namespace lc;

namespace {

[[noreturn]] void fail(const std::string& what, std::string_view action) {
    std::fprintf(stderr, "property broken after %.*s: %s\n", static_cast<int>(action.size()), action.data(),
                 what.c_str());
    std::abort();
}

// Everything of a sheet the user can see, apart from whether it is shown, as
// one 64-bit hash: cheap to take around every action (a change-gear list can
// hold ten thousand lines), and two states that differ give the same hash
// only by a 2^-64 chance. Each text is hashed by the standard library's
// string hash, then the hashes are chained.
using Snapshot = std::uint64_t;

struct Hasher {
    std::uint64_t h = 1469598103934665603ull;
    void number(std::uint64_t v) { h = (h ^ v) * 1099511628211ull + (h >> 29); }
    void bytes(std::string_view s) { number(std::hash<std::string_view>{}(s)); }
};

Snapshot snap(const Sheet& s) {
    Hasher h;
    for (const auto& [name, text] : s.texts()) h.bytes(text);
    for (const auto& [name, tick] : s.checks()) h.number(static_cast<std::uint64_t>(tick));
    h.bytes(s.option1Caption);
    h.bytes(s.option2Caption);
    h.number(static_cast<std::uint64_t>(s.selectedOption));
    h.number(s.list.size());
    for (const auto& line : s.list) h.bytes(line);
    h.bytes(s.caption);
    return h.h;
}

// Texts a user might type, and texts that probe the edges of the reader and
// of the formulas.
const char* const kTexts[] = {
    "",        " ",        "0",      "-0",        "1",         "2",          "10",       "41",
    "35",      "0.4",      "44.45",  "25.4",      " 25.4",     "25.40",      "6.35",     "13.97",
    "19.05",   "0.9",      "20",     "22",        "25",        "28",         "70",       "90",
    "64",      "-64",      "64.5",   "-35",       "1E+308",    "-1E+308",    "1E+39",    "3.5E+38",
    "1E-320",  "1e-400",   "abc",    "wr ",       "1.2.3",     "1,5",        "inf",      "nan",
    "0x10",    "三十五",   "３５",   "1E999999",  "0.5",       "1.225",      "1.25",     "2.5",
    "0.8",     "12",       "3.5",    "30",        "69.9999999999998",       "123456789012345678901234567890",
    "-1",      "1E-05",    "0.000001", "100",     "22.96",     "\xff\xfe",   "1e",       ".",
};

std::string chooseText(FuzzedDataProvider& in) {
    if (in.ConsumeBool()) return kTexts[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kTexts) - 1)];
    return in.ConsumeRandomLengthString(48);
}

// The sheets whose own contents an action may change; creating a sheet that
// did not exist is always allowed (any read may create one).
std::set<SheetId> mayChange(const ActionDef& a) {
    const std::string_view n = a.name;
    if (n == "B1") return {SheetId::B1};
    if (a.reach == ActionReach::Control) {
        if (n == "A2.Command2" || n == "B1.Command3" || n == "C.Command3" || n == "gears.Command2") return {};
        return {a.sheet};
    }
    return {};
}

// After a completed A2 calculation every result field it writes reads as a number.
void checkA2Results(const Workbook& wb, std::string_view action) {
    const Sheet* a2 = wb.find(SheetId::A2);
    if (!a2) fail("sheet A2 vanished", action);
    for (const auto& f : a2->fieldNames()) {
        if (f == "Text18" || f == "Text20(0)" || f == "Text20(1)") continue;
        if (readDouble(a2->text(f)).status != ReadStatus::Ok)
            fail("A2 field " + f + " holds no number after a completed calculation: [" + a2->text(f) + "]", action);
    }
}

}  // namespace

// The blank sketch of whatever sheet A2 holds: a drawing whose every point
// is finite, or else the one line that says why there is none.
void checkSketch(const Sheet& a2, std::string_view action) {
    const SketchOutcome out = blankSketch(a2);
    if (out.sketch.has_value() == !out.stop.empty()) fail("the sketch is neither drawn nor stopped", action);
    if (!out.sketch) return;
    for (const SketchMember* m : {&out.sketch->pinion, &out.sketch->gear})
        for (SketchPoint p : {m->pitchOuter, m->pitchInner, m->faceOuter, m->faceInner, m->rootOuter, m->rootInner,
                              m->faceApex, m->rootApex, m->pitchDiameterPoint, m->outsideDiameterPoint,
                              m->crownDistancePoint})
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) fail("a sketch point is not finite", action);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Workbook wb;
    const auto actions = allActions();
    // The sketch is a function of sheet A2 alone: it is checked after every
    // action that leaves A2 other than it was when last checked.
    std::optional<Snapshot> sketched;
    // The change-gear search goes through every combination of four gears and
    // costs more than all the other actions of an input together; its lists
    // are checked against a reference elsewhere. Here one search an input
    // shows what a search does to the workbook, and the time goes to more
    // sequences instead.
    bool searched = false;

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        const int kind = in.ConsumeIntegralInRange(0, 3);
        const SheetId target = kAllSheets[in.ConsumeIntegralInRange<std::size_t>(0, kAllSheets.size() - 1)];
        if (kind == 0 || kind == 1) {
            // Typing or ticking needs the window to be there.
            Sheet* s = wb.find(target);
            if (!s) continue;
            if (kind == 0 && !s->fieldNames().empty()) {
                const auto& names = s->fieldNames();
                s->setText(names[in.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)], chooseText(in));
            } else if (!s->checkNames().empty()) {
                const auto& names = s->checkNames();
                s->setCheck(names[in.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)], in.ConsumeBool());
            }
            continue;
        }

        const ActionDef& a = actions[in.ConsumeIntegralInRange<std::size_t>(0, actions.size() - 1)];
        if (a.reach == ActionReach::Control && !wb.exists(a.sheet)) continue;
        if (a.name == "gears.Command1") {
            if (searched) continue;
            searched = true;
        }

        // Only the sheets the action must leave alone are taken.
        const std::set<SheetId> changeable = mayChange(a);
        std::array<std::optional<Snapshot>, kAllSheets.size()> before;
        std::array<bool, kAllSheets.size()> existed{};
        for (SheetId id : kAllSheets) {
            const Sheet* s = wb.find(id);
            existed[static_cast<std::size_t>(id)] = s != nullptr;
            if (s && !changeable.count(id)) before[static_cast<std::size_t>(id)] = snap(*s);
        }
        const Flags flags = wb.flags;

        const Outcome out = a.run(wb);

        bool created = false;
        for (SheetId id : kAllSheets) {
            const Sheet* s = wb.find(id);
            const auto k = static_cast<std::size_t>(id);
            if (!existed[k]) {
                created = created || s != nullptr;
                continue;
            }
            if (!s) {
                if (a.reach != ActionReach::Close || a.sheet != id)
                    fail(std::string("sheet ") + sheetKey(id) + " was closed", a.name);
                continue;
            }
            if (before[k] && snap(*s) != *before[k]) fail(std::string("sheet ") + sheetKey(id) + " changed", a.name);
        }
        for (Flag f : {wb.flags.a2Done, wb.flags.b1Done, wb.flags.pinionRightHand})
            if (f != kTrue && f != kFalse) fail("a flag is neither True nor False", a.name);

        switch (out.kind) {
            case Outcome::Kind::Done:
                if (a.name == "A2.Command1") checkA2Results(wb, a.name);
                break;
            case Outcome::Kind::Message:
                if (out.message.empty()) fail("a message without text", a.name);
                break;
            case Outcome::Kind::Fault:
                if (!out.fault || out.message.empty()) fail("a fault without its record", a.name);
                if (!created && (wb.flags.a2Done != flags.a2Done || wb.flags.b1Done != flags.b1Done ||
                                 wb.flags.pinionRightHand != flags.pinionRightHand))
                    fail("a fault changed a flag", a.name);
                break;
            default:
                fail("an outcome of no kind", a.name);
        }
        if (const Sheet* a2 = wb.find(SheetId::A2)) {
            const Snapshot now = snap(*a2);
            if (now != sketched) checkSketch(*a2, a.name);
            sketched = now;
        }
    }
    return 0;
}
