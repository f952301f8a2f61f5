#include "core/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace lc {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The text of a number, checked against the accepted grammar.
struct NumberText {
    bool ok = false;
    bool negative = false;
    std::string_view body;  // without the sign, as std::from_chars takes it
    bool zeroDigits = true;  // every digit of the significand is 0
    // Decimal exponent of the leading nonzero digit, saturated; tells an
    // overflow from an underflow when std::from_chars reports out of range.
    long long magnitude = 0;
};

NumberText scan(std::string_view text) {
    NumberText n;
    std::string_view s = trimBlanks(text);
    if (s.empty()) return n;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        n.negative = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    long long intDigitsAfterFirst = 0;  // digits from the first nonzero one up to the period
    long long leadingFractionZeros = 0;  // zeros after the period before the first nonzero digit
    bool seenNonzero = false;
    bool period = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            ++digits;
            if (c != '0') n.zeroDigits = false;
            if (!period) {
                if (seenNonzero || c != '0') {
                    seenNonzero = true;
                    if (intDigitsAfterFirst < 1000000) ++intDigitsAfterFirst;
                }
            } else if (!seenNonzero) {
                if (c == '0') {
                    if (leadingFractionZeros < 1000000) ++leadingFractionZeros;
                } else {
                    seenNonzero = true;
                }
            }
        } else if (c == '.' && !period) {
            period = true;
        } else {
            break;
        }
    }
    if (digits == 0) return n;
    long long exponent = 0;
    if (i < s.size()) {
        if (s[i] != 'e' && s[i] != 'E') return n;
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            ++i;
        }
        if (i >= s.size()) return n;
        for (; i < s.size(); ++i) {
            if (!isDigit(s[i])) return n;
            if (exponent < 100000000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (expNegative) exponent = -exponent;
    }
    n.magnitude = intDigitsAfterFirst > 0 ? intDigitsAfterFirst - 1 + exponent
                                          : -(leadingFractionZeros + 1) + exponent;
    n.body = s.substr(start);
    n.ok = true;
    return n;
}

template <typename T>
ReadStatus parse(std::string_view text, T& out) {
    const NumberText n = scan(text);
    if (!n.ok) return ReadStatus::NotANumber;
    T value{};
    const auto r = std::from_chars(n.body.data(), n.body.data() + n.body.size(), value,
                                   std::chars_format::general);
    if (r.ptr != n.body.data() + n.body.size()) return ReadStatus::NotANumber;
    if (r.ec == std::errc::result_out_of_range) {
        if (n.zeroDigits || n.magnitude < 0) {
            value = T(0);  // underflow: the nearest value is zero
        } else {
            return ReadStatus::Overflow;
        }
    } else if (r.ec != std::errc()) {
        return ReadStatus::NotANumber;
    }
    if (!std::isfinite(value)) return ReadStatus::Overflow;
    out = n.negative ? -value : value;
    return ReadStatus::Ok;
}

// The exact decimal expansion of a finite value: its digits without leading
// zeros and the decimal exponent of the first digit. Zero gives "0", 0.
struct Exact {
    std::string digits;
    int exponent = 0;
};

Exact exactDigits(double magnitude) {
    Exact e;
    if (magnitude == 0) {
        e.digits.assign(1, '0');
        return e;
    }
    // 767 significant digits are enough for the exact value of any double.
    char buf[1100];
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 767);
    std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t ePos = s.find('e');
    std::string_view mant = s.substr(0, ePos);
    int exp = 0;
    std::from_chars(s.data() + ePos + (s[ePos + 1] == '+' ? 2 : 1), s.data() + s.size(), exp);
    e.digits.reserve(mant.size());
    for (char c : mant)
        if (c != '.') e.digits.push_back(c);
    while (e.digits.size() > 1 && e.digits.back() == '0') e.digits.pop_back();
    e.exponent = exp;
    return e;
}

// Adds one unit in the last of `n` decimal digits; true when it carried past
// the first (99…9 became 00…0).
bool addOne(char* digits, std::size_t n) {
    while (n > 0 && digits[n - 1] == '9') digits[--n] = '0';
    if (n == 0) return true;
    ++digits[n - 1];
    return false;
}

// Keeps the first `keep` digits of an exact expansion (keep may be 0 or
// negative: everything is dropped), rounding half away from zero. Returns the
// kept digits and the exponent of the first one (a carry can add a digit).
Exact roundDigits(const Exact& x, long long keep, bool truncate = false) {
    Exact out;
    out.exponent = x.exponent;
    if (keep >= static_cast<long long>(x.digits.size())) {
        out.digits = x.digits;
        return out;
    }
    bool up = false;
    if (keep >= 0) {
        up = !truncate && x.digits[static_cast<std::size_t>(keep)] >= '5';
        out.digits = x.digits.substr(0, static_cast<std::size_t>(keep));
    } else {
        out.digits.clear();
    }
    if (up && addOne(out.digits.data(), out.digits.size())) {
        out.digits.insert(out.digits.begin(), '1');
        ++out.exponent;
    }
    return out;
}

// At most a few more than 17 significant digits and the exponent of the
// first: a rounding's kept digits, held without an allocation.
struct Kept {
    char digits[24];
    int size = 0;
    int exponent = 0;
};

Kept keptOf(const Exact& x) {
    Kept k;
    k.size = static_cast<int>(std::min(x.digits.size(), sizeof k.digits));
    std::copy_n(x.digits.data(), k.size, k.digits);
    k.exponent = x.exponent;
    return k;
}

// The first `keep` (at most 17) significant digits of a finite, nonzero
// value, rounded half away from zero, with bounded work: the value correctly
// rounded to three more digits decides, unless those three read "500", where
// the value may lie on the tie itself (or within half a unit of the third
// digit of it); only then is the exact expansion settled. Any other three
// digits are at least 0.001 units away from the tie, farther than the
// rounding moved them.
Kept roundSignificant(double magnitude, int keep) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, keep + 2);
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    // "d.ddd…e+XX": the first digit, then those after the point.
    const std::size_t ePos = s.find('e');
    char near[24];
    near[0] = s[0];
    std::memcpy(near + 1, s.data() + 2, ePos - 2);
    Kept k;
    std::from_chars(s.data() + ePos + (s[ePos + 1] == '+' ? 2 : 1), s.data() + s.size(), k.exponent);
    if (std::string_view(near + keep, 3) == "500") return keptOf(roundDigits(exactDigits(magnitude), keep));
    k.size = keep;
    std::copy_n(near, keep, k.digits);
    if (near[keep] >= '5' && addOne(k.digits, static_cast<std::size_t>(keep))) {
        k.digits[0] = '1';  // 99…9 carried into 100…0
        ++k.exponent;
    }
    return k;
}

// A number's text put together in place, then added to a string at once: a
// long list of lines takes no string operation per character.
struct Composed {
    char text[48];
    std::size_t size = 0;
    void put(char c) { text[size++] = c; }
    void put(std::string_view s) {
        std::memcpy(text + size, s.data(), s.size());
        size += s.size();
    }
    void fill(std::size_t count, char c) {
        std::memset(text + size, c, count);
        size += count;
    }
    void putExponent(int exponent) {
        put('E');
        put(exponent < 0 ? '-' : '+');
        const int a = exponent < 0 ? -exponent : exponent;
        if (a < 10) put('0');
        const auto r = std::to_chars(text + size, text + sizeof text, a);
        size = static_cast<std::size_t>(r.ptr - text);
    }
};

// Significant-digit form shared by the Double and Single writers, appended
// to `out`.
void appendSignificant(std::string& out, double value, int significant, int exponentFrom, bool truncate = false) {
    if (value == 0 || !std::isfinite(value)) {
        // Calculations never write infinities or NaNs (the checked arithmetic
        // stops first); zero of either sign is plain "0".
        if (value == 0) out.append("0");
        else out.append(std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf"));
        return;
    }
    Kept r = truncate ? keptOf(roundDigits(exactDigits(std::fabs(value)), significant, true))
                      : roundSignificant(std::fabs(value), significant);
    while (r.size > 1 && r.digits[r.size - 1] == '0') --r.size;
    const std::string_view digits(r.digits, static_cast<std::size_t>(r.size));
    Composed t;
    if (value < 0) t.put('-');
    if (r.exponent >= exponentFrom || r.exponent < -4) {
        t.put(digits[0]);
        if (digits.size() > 1) {
            t.put('.');
            t.put(digits.substr(1));
        }
        t.putExponent(r.exponent);
    } else if (r.exponent < 0) {
        t.put("0.");
        t.fill(static_cast<std::size_t>(-r.exponent - 1), '0');
        t.put(digits);
    } else {
        const std::size_t intLen = static_cast<std::size_t>(r.exponent) + 1;
        if (digits.size() <= intLen) {
            t.put(digits);
            t.fill(intLen - digits.size(), '0');
        } else {
            t.put(digits.substr(0, intLen));
            t.put('.');
            t.put(digits.substr(intLen));
        }
    }
    out.append(t.text, t.size);
}

std::string writeSignificant(double value, int significant, int exponentFrom) {
    std::string out;
    appendSignificant(out, value, significant, exponentFrom);
    return out;
}

}  // namespace

DoubleRead readDouble(std::string_view text) {
    DoubleRead r{ReadStatus::NotANumber, 0.0};
    r.status = parse(text, r.value);
    return r;
}

SingleRead readSingle(std::string_view text) {
    SingleRead r{ReadStatus::NotANumber, 0.0f};
    r.status = parse(text, r.value);
    return r;
}

void appendDouble(std::string& out, double value) {
    const std::size_t start = out.size();
    appendSignificant(out, value, 15, 15);
    // Next to the largest double, rounding up would give a text beyond the
    // range that no longer reads; those few values are cut off instead.
    if (std::fabs(value) > 1e308 && readDouble(std::string_view(out).substr(start)).status == ReadStatus::Overflow) {
        out.resize(start);
        appendSignificant(out, value, 15, 15, true);
    }
}

std::string writeDouble(double value) {
    std::string text;
    appendDouble(text, value);
    return text;
}

std::string writeSingle(float value) { return writeSignificant(static_cast<double>(value), 7, 7); }

std::string writeInteger(std::int64_t value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string writeFixed8(double value) {
    if (!std::isfinite(value)) return writeSignificant(value, 15, 15);
    // Digits kept: those before the period plus eight after it. As for the
    // significant digits, three more decimals decide unless they read "500".
    Exact r;
    char buf[400];
    const auto c = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, 11);
    const std::string_view s(buf, static_cast<std::size_t>(c.ptr - buf));
    if (s.substr(s.size() - 3) == "500") {
        const Exact x = exactDigits(std::fabs(value));
        r = roundDigits(x, static_cast<long long>(x.exponent) + 1 + 8);
    } else {
        // The digits from the first nonzero one, with its exponent.
        const std::size_t dot = s.find('.');
        std::string digits(s.substr(0, dot));
        digits.append(s.substr(dot + 1));
        const std::size_t lead = std::min(digits.find_first_not_of('0'), digits.size());
        Exact near{digits.substr(lead), static_cast<int>(dot) - 1 - static_cast<int>(lead)};
        r = roundDigits(near, static_cast<long long>(near.exponent) + 1 + 8);
        if (r.digits.empty()) r = Exact{"0", 0};
    }
    if (value == 0) r = Exact{"0", 0};
    std::string out;
    // Scale the kept digits into integer and fraction parts.
    std::string intPart;
    std::string frac;
    if (r.digits.empty() || r.digits == "0") {
        intPart = "0";
        frac = "00000000";
    } else if (r.exponent < 0) {
        intPart = "0";
        frac.assign(static_cast<std::size_t>(-r.exponent - 1), '0');
        frac += r.digits;
    } else {
        const std::size_t intLen = static_cast<std::size_t>(r.exponent) + 1;
        intPart = r.digits.substr(0, std::min(intLen, r.digits.size()));
        if (intPart.size() < intLen) intPart.append(intLen - intPart.size(), '0');
        if (r.digits.size() > intLen) frac = r.digits.substr(intLen);
    }
    if (frac.size() < 8) frac.append(8 - frac.size(), '0');
    frac.resize(8);
    const bool allZero = intPart.find_first_not_of('0') == std::string::npos &&
                         frac.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !allZero) out.push_back('-');
    out += intPart;
    out.push_back('.');
    out += frac;
    return out;
}

}  // namespace lc
