// Fuzz target for the number texts: the reader never crashes, every text a
// writer produces reads back, Double texts are stable under a second trip,
// and a Single read is the float nearest to the decimal text itself.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "../reference/numtext_reference.h"
#include "core/numtext.h"

using namespace lc;

namespace {

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "property broken: %s [%.*s]\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

// The writers give the same bytes as the plain exact expansion.
void checkAgainstReference(double v) {
    if (writeDouble(v) != reference::writeDouble(v)) fail("written as Double differs from the exact expansion", writeDouble(v));
    if (writeFixed8(v) != reference::writeFixed8(v)) fail("eight decimals differ from the exact expansion", writeFixed8(v));
    const float f = static_cast<float>(v);
    if (std::isfinite(f) && writeSingle(f) != reference::writeSingle(f))
        fail("written as Single differs from the exact expansion", writeSingle(f));
}

// An exact decimal: sign, digits without leading or trailing zeros, and the
// decimal exponent of the first digit. Zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

Decimal normalise(bool negative, std::string digits, long long exponentOfFirst) {
    Decimal d;
    std::size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0') ++lead;
    digits.erase(0, lead);
    exponentOfFirst -= static_cast<long long>(lead);
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    d.negative = negative && !digits.empty();
    d.digits = digits;
    d.exponent = digits.empty() ? 0 : exponentOfFirst;
    return d;
}

// The exact value of an accepted number text (the reader said Ok).
Decimal ofText(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    std::string digits;
    long long intDigits = 0;
    bool period = false;
    std::size_t i = 0;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') {
            digits.push_back(t[i]);
            if (!period) ++intDigits;
        } else if (t[i] == '.') {
            period = true;
        } else {
            break;
        }
    }
    long long exp = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool en = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) en = t[i++] == '-';
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
            if (exp < 100000000) exp = exp * 10 + (t[i] - '0');
        if (en) exp = -exp;
    }
    return normalise(negative, digits, intDigits - 1 + exp);
}

Decimal ofDouble(double v) {
    if (v == 0) return Decimal{};
    char buf[1100];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 767);
    std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const auto e = s.find('e');
    std::string digits;
    for (char c : s.substr(0, e))
        if (c != '.') digits.push_back(c);
    long long exp = std::atoll(std::string(s.substr(e + 1)).c_str());
    return normalise(v < 0, digits, exp);
}

// -1, 0, 1 as a < b, a == b, a > b.
int compare(const Decimal& a, const Decimal& b) {
    const bool az = a.digits.empty(), bz = b.digits.empty();
    const int as = az ? 0 : (a.negative ? -1 : 1);
    const int bs = bz ? 0 : (b.negative ? -1 : 1);
    if (as != bs) return as < bs ? -1 : 1;
    if (as == 0) return 0;
    int mag = 0;
    if (a.exponent != b.exponent) {
        mag = a.exponent < b.exponent ? -1 : 1;
    } else {
        const int c = a.digits.compare(b.digits);
        mag = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return as > 0 ? mag : -mag;
}

// The float read from the text must be nearest to its exact decimal value:
// the text lies between the midpoints to the neighbouring floats (a tie goes
// to the even float). Midpoints of floats are exact doubles.
void checkNearestFloat(std::string_view text, float f) {
    const Decimal x = ofText(text);
    if (std::isinf(f)) fail("single read gave infinity", text);
    const float up = std::nextafter(f, std::numeric_limits<float>::infinity());
    const float down = std::nextafter(f, -std::numeric_limits<float>::infinity());
    const bool even = (std::bit_cast<std::uint32_t>(f) & 1u) == 0;
    if (!std::isinf(up)) {
        const int c = compare(x, ofDouble((static_cast<double>(f) + static_cast<double>(up)) / 2));
        if (c > 0 || (c == 0 && !even)) fail("single read is not the nearest float (too low)", text);
    }
    if (!std::isinf(down)) {
        const int c = compare(x, ofDouble((static_cast<double>(f) + static_cast<double>(down)) / 2));
        if (c < 0 || (c == 0 && !even)) fail("single read is not the nearest float (too high)", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const DoubleRead d = readDouble(text);
    const SingleRead s = readSingle(text);
    if ((d.status == ReadStatus::NotANumber) != (s.status == ReadStatus::NotANumber))
        fail("the two readers disagree on what is a number", text);

    if (d.status == ReadStatus::Ok) {
        checkAgainstReference(d.value);
        const std::string w = writeDouble(d.value);
        const DoubleRead back = readDouble(w);
        if (back.status != ReadStatus::Ok) fail("written as Double does not read back", w);
        if (writeDouble(back.value) != w) fail("written as Double changes on a second trip", w);
        const std::string f8 = writeFixed8(d.value);
        if (readDouble(f8).status != ReadStatus::Ok) fail("eight decimals do not read back", f8);
        if (f8.size() < 10 || f8[f8.size() - 9] != '.') fail("eight decimals without eight decimals", f8);
        if (std::fabs(d.value) < 1e15) {
            const double diff = std::fabs(back.value - d.value);
            if (diff > std::fabs(d.value) * 1e-14) fail("written as Double lost more than 15 digits", w);
        }
    }
    if (s.status == ReadStatus::Ok) {
        checkNearestFloat(text, s.value);
        const std::string w = writeSingle(s.value);
        const SingleRead back = readSingle(w);
        // Seven digits do not always single out a float, so a second trip may
        // move to a neighbour; the text must still read.
        if (back.status != ReadStatus::Ok) fail("written as Single does not read back", w);
    }
    if (s.status == ReadStatus::Overflow && d.status == ReadStatus::Ok && std::fabs(d.value) < 3.4e38)
        fail("single overflow below the float range", text);

    // The writers on the raw bytes taken as a double.
    if (size >= 8) {
        double raw;
        std::memcpy(&raw, data, 8);
        if (std::isfinite(raw)) {
            checkAgainstReference(raw);
            const std::string w = writeDouble(raw);
            if (readDouble(w).status != ReadStatus::Ok) fail("written as Double does not read back", w);
            const float rf = static_cast<float>(raw);
            if (std::isfinite(rf)) {
                const std::string ws = writeSingle(rf);
                const SingleRead b = readSingle(ws);
                if (b.status != ReadStatus::Ok) fail("written as Single does not read back", ws);
            }
        }
    }
    return 0;
}
