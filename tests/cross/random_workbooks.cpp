// lc_random_workbooks SEED COUNT DIR: writes the worked examples and COUNT
// workbooks for `lingchuan-calc run` into DIR, the same ones for the same SEED.
// Each generated workbook walks sheets A2, B1 and C (and now and then the
// change gears) with random but plausible inputs, either hand, check boxes,
// Enter keys and closed windows, and now and then a missing, unreadable or
// extreme text that stops a calculation at a message or a fault.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

class Generator {
public:
    explicit Generator(std::uint64_t seed) : rng_(seed) {}

    Json workbook() {
        actions_ = Json::array();
        add("A1");
        a2();
        if (chance(85)) b1();
        if (chance(75)) c();
        if (chance(15)) gears();
        return Json{{"actions", actions_}};
    }

private:
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return between(1, 100) <= percent; }

    // A decimal with `places` digits after the point, between lo and hi
    // (in units of the last place), written from integers alone.
    std::string decimal(int lo, int hi, int places) {
        std::string digits = std::to_string(between(lo, hi));
        if (places == 0) return digits;
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
        return digits;
    }

    // Texts that stop a calculation: nothing, not a number, a zero, a
    // negative, the edges of the double range and of a tangent.
    std::string spoiler() {
        static const char* const kTexts[] = {"",     "abc", "0",     "-3",   "1e308", "1e-320", "1,5",
                                             " 12 ", "90",  "-1e30", "1e30", "45.",   ".5",     "2e-5"};
        return kTexts[between(0, std::size(kTexts) - 1)];
    }

    void add(std::string action) { actions_.push_back(std::move(action)); }

    // Types the fields; when `spoil` is set, one of them is left out or
    // given a spoiler instead.
    void type(const std::string& sheet, std::vector<std::pair<std::string, std::string>> fields, bool spoil) {
        const int spoiled = spoil ? between(0, static_cast<int>(fields.size()) - 1) : -1;
        const bool leaveOut = chance(40);
        for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
            auto [field, text] = fields[static_cast<std::size_t>(i)];
            if (i == spoiled && leaveOut) continue;
            if (i == spoiled) text = spoiler();
            add(sheet + "." + field + "=" + text);
            if (sheet == "A2" && chance(30)) add("A2." + field + ".Enter");
        }
    }

    // The spiral angle: mostly one the tooth height table knows (0, 10° to
    // 25°, 30° to 40°), sometimes one in its gaps.
    std::string spiralAngle() {
        const int pick = between(1, 14);
        if (pick == 1) return "0";
        if (pick == 2) return decimal(0, 450, 1);
        return pick < 7 ? decimal(100, 250, 1) : decimal(300, 400, 1);
    }

    // Half the time a cutter of the table (its diameter goes into item 18).
    std::string cutterRadius() {
        static const char* const kRadii[] = {"6.35", "13.97", "19.05", "25.4", "44.45"};
        return chance(50) ? kRadii[between(0, 4)] : decimal(500, 6000, 2);
    }

    // A pair of sheet C's angles Фe, Фi, the first mostly the larger.
    std::pair<std::string, std::string> anglePair() {
        const int outer = between(150, 350);
        const int inner = chance(90) ? between(50, outer) : between(outer, 400);
        return {decimal(outer, outer, 1), decimal(inner, inner, 1)};
    }

    void a2() {
        const int z1 = between(5, 30);
        std::vector<std::pair<std::string, std::string>> fields{
            {"Text1", std::to_string(z1)},
            {"Text2", std::to_string(between(z1, 60))},
            {"Text3", decimal(30, 300, 2)},
            {"Text12", decimal(0, 70, 2)},
            {"Text17", cutterRadius()},
        };
        if (chance(70)) fields.emplace_back("Text5", spiralAngle());
        if (chance(50)) add(chance(50) ? "A2.Option2" : "A2.Option1");
        if (chance(10)) add("A2.Label1");
        if (chance(10)) add("A2.Check" + std::to_string(between(1, 3)) + "=1");
        type("A2", fields, chance(15));
        add("A2.Command1");
        // A second run over the results, some of them kept.
        if (chance(15)) {
            add("A2.Check" + std::to_string(between(1, 3)) + "=1");
            add("A2.Command1");
        }
    }

    void b1() {
        add(chance(80) ? "A2.Command2" : "B1");
        type("B1", {{"Text16", decimal(800, 1000, 3)}}, chance(10));
        add("B1.Command1");
        if (chance(10)) add("B1.close");
    }

    void c() {
        add(chance(80) ? "B1.Command3" : "C");
        const auto [e1, i1] = anglePair();
        const auto [e2, i2] = anglePair();
        type("C", {{"Text52", e1}, {"Text53", i1}, {"Text54", e2}, {"Text55", i2}}, chance(10));
        add("C.Command1");
    }

    void gears() {
        add("Gljs");
        add("gears.Text1=" + decimal(200, 4000, 3));
        add("gears.Text2=" + std::string(chance(50) ? "0.0001" : "0.000001"));
        add("gears.Command1");
    }

    std::mt19937_64 rng_;
    Json actions_;
};

// The worked examples: sheet A2 to sheet C, either hand, and the change gears.
std::vector<Json> examples() {
    std::vector<Json> out;
    for (const char* hand : {"A2.Option1", "A2.Option2"}) {
        out.push_back(Json{{"actions",
                            {"A1", "A2.Text1=10", "A2.Text2=41", "A2.Text3=2", "A2.Text5=35", "A2.Text12=0.4",
                             "A2.Text17=44.45", hand, "A2.Command1", "A2.Command2", "B1.Text16=0.9", "B1.Command1",
                             "B1.Command3", "C.Text52=25", "C.Text53=20", "C.Text54=28", "C.Text55=22",
                             "C.Command1"}}});
    }
    for (const auto& [target, tolerance] :
         {std::pair{"0.5", "0.000001"}, {"1.2345", "0.0001"}, {"3.7", "0.001"}, {"1", "0"}}) {
        out.push_back(Json{{"actions",
                            {"Gljs", std::string("gears.Text1=") + target, std::string("gears.Text2=") + tolerance,
                             "gears.Command1"}}});
    }
    return out;
}

void write(const std::string& path, const Json& doc) {
    std::ofstream out(path, std::ios::binary);
    out << doc.dump(2) << "\n";
    if (!out) {
        std::cerr << "lc_random_workbooks: cannot write " << path << "\n";
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: lc_random_workbooks SEED COUNT DIR\n";
        return 2;
    }
    const std::string dir = argv[3];
    int n = 0;
    for (const Json& doc : examples()) write(dir + "/example-" + std::to_string(++n) + ".json", doc);
    Generator gen(std::strtoull(argv[1], nullptr, 10));
    const long count = std::strtol(argv[2], nullptr, 10);
    for (long i = 0; i < count; ++i) write(dir + "/random-" + std::to_string(i + 1) + ".json", gen.workbook());
    return 0;
}
