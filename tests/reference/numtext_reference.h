// Catches a fault in the shipped writers' own digits (expansion, shortcut,
// rounding, carries, layout); cannot catch one in MPFR, or in the rules as
// written here (half away from zero, the exponent thresholds). The Double and
// Single texts take their digits, rounded, from MPFR's decimal output; the
// eight-decimal text rounds MPFR's exact digits with roundDigits below. The
// shipped writers must give the same bytes; the benchmark and the number
// fuzzer compare against these.
#pragma once

#include <mpfr.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace lc::reference {

// A decimal expansion: its digits without leading zeros and the decimal
// exponent of the first digit. Zero gives "0", 0.
struct Exact {
    std::string digits;
    int exponent = 0;
};

// The first `count` significant digits of a positive finite value from MPFR,
// rounded by `mode`; trailing zeros are kept.
inline Exact mpfrDigits(double magnitude, std::size_t count, mpfr_rnd_t mode) {
    mpfr_t x;
    mpfr_init2(x, 53);
    mpfr_set_d(x, magnitude, MPFR_RNDN);  // exact: a double has 53 bits
    mpfr_exp_t exp = 0;
    char* s = mpfr_get_str(nullptr, &exp, 10, count, x, mode);
    Exact e{s, static_cast<int>(exp) - 1};  // MPFR's value is 0.ddd times 10^exp
    mpfr_free_str(s);
    mpfr_clear(x);
    return e;
}

// The exact value: 800 digits hold every double's expansion (767 at most).
inline Exact exactDigits(double magnitude) {
    if (magnitude == 0) return Exact{"0", 0};
    Exact e = mpfrDigits(magnitude, 800, MPFR_RNDN);
    while (e.digits.size() > 1 && e.digits.back() == '0') e.digits.pop_back();
    return e;
}

// `keep` significant digits rounded half away from zero (MPFR to nearest, or
// away from zero at an exact tie: a final 5 just after them), or cut off.
inline Exact significantDigits(double magnitude, int keep, bool truncate) {
    const Exact x = exactDigits(magnitude);
    const bool tie = x.digits.size() == static_cast<std::size_t>(keep) + 1 && x.digits.back() == '5';
    return mpfrDigits(magnitude, static_cast<std::size_t>(keep),
                      truncate ? MPFR_RNDZ : (tie ? MPFR_RNDA : MPFR_RNDN));
}

// Keeps the first `keep` digits of an exact expansion (keep may be 0 or
// negative: everything is dropped), rounding half away from zero. Returns the
// kept digits and the exponent of the first one (a carry can add a digit).
inline Exact roundDigits(const Exact& x, long long keep) {
    Exact out;
    out.exponent = x.exponent;
    if (keep >= static_cast<long long>(x.digits.size())) {
        out.digits = x.digits;
        return out;
    }
    bool up = false;
    if (keep >= 0) {
        up = x.digits[static_cast<std::size_t>(keep)] >= '5';
        out.digits = x.digits.substr(0, static_cast<std::size_t>(keep));
    } else {
        out.digits.clear();
    }
    if (up) {
        int i = static_cast<int>(out.digits.size()) - 1;
        while (i >= 0 && out.digits[static_cast<std::size_t>(i)] == '9') {
            out.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++out.digits[static_cast<std::size_t>(i)];
        } else {
            out.digits.insert(out.digits.begin(), '1');
            ++out.exponent;
        }
    }
    return out;
}

inline void appendExponent(std::string& out, int exponent) {
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    const int a = exponent < 0 ? -exponent : exponent;
    if (a < 10) out.push_back('0');
    char buf[8];
    const auto r = std::to_chars(buf, buf + sizeof buf, a);
    out.append(buf, r.ptr);
}

// Significant-digit form shared by the Double and Single writers.
inline std::string writeSignificant(double value, int significant, int exponentFrom, bool truncate = false) {
    if (value == 0 || !std::isfinite(value)) {
        // Calculations never write infinities or NaNs (the checked arithmetic
        // stops first); zero of either sign is plain "0".
        if (value == 0) return "0";
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    }
    Exact r = significantDigits(std::fabs(value), significant, truncate);
    while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
    std::string out;
    if (value < 0) out.push_back('-');
    if (r.exponent >= exponentFrom || r.exponent < -4) {
        out.push_back(r.digits[0]);
        if (r.digits.size() > 1) {
            out.push_back('.');
            out.append(r.digits, 1, std::string::npos);
        }
        appendExponent(out, r.exponent);
    } else if (r.exponent < 0) {
        out.append("0.");
        out.append(static_cast<std::size_t>(-r.exponent - 1), '0');
        out.append(r.digits);
    } else {
        const std::size_t intLen = static_cast<std::size_t>(r.exponent) + 1;
        if (r.digits.size() <= intLen) {
            out.append(r.digits);
            out.append(intLen - r.digits.size(), '0');
        } else {
            out.append(r.digits, 0, intLen);
            out.push_back('.');
            out.append(r.digits, intLen, std::string::npos);
        }
    }
    return out;
}

inline std::string writeDouble(double value) {
    std::string text = writeSignificant(value, 15, 15);
    // Next to the largest double (1.7976931348623157E+308), rounding up gives
    // a text beyond the range that no longer reads; those few values are cut
    // off instead.
    if (text.ends_with("1.79769313486232E+308")) text = writeSignificant(value, 15, 15, true);
    return text;
}

inline std::string writeSingle(float value) { return writeSignificant(static_cast<double>(value), 7, 7); }

inline std::string writeFixed8(double value) {
    if (!std::isfinite(value)) return writeSignificant(value, 15, 15);
    const Exact x = exactDigits(std::fabs(value));
    // Digits kept: those before the period plus eight after it.
    Exact r = roundDigits(x, static_cast<long long>(x.exponent) + 1 + 8);
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

}  // namespace lc::reference
