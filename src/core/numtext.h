// Number texts: the one place where field texts become numbers and numbers
// become field texts. Locale-independent (built on <charconv>), correctly
// rounded, and deterministic: the same value always gives the same text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lc {

enum class ReadStatus {
    Ok,
    NotANumber,  // empty, blanks only, letters, two periods, inf, nan, hex, commas ...
    Overflow,    // a number, but beyond the range of the target type
};

struct DoubleRead {
    ReadStatus status;
    double value;  // meaningful only when status is Ok
};

struct SingleRead {
    ReadStatus status;
    float value;  // meaningful only when status is Ok
};

// Blanks around are ignored; the accepted form is an optional sign, digits with
// at most one period (at least one digit in all), and an optional exponent:
// E or e, an optional sign and digits. A value too small for the type reads as
// zero of the same sign (underflow is no fault).
DoubleRead readDouble(std::string_view text);
// Rounds the decimal text straight to the nearest float (never via a double).
SingleRead readSingle(std::string_view text);

// Up to 15 significant digits, shortest form; exponent form ("1E+15",
// "1.5E-05") below 0.0001 and from 1E+15 upward. Ties round away from zero.
std::string writeDouble(double value);
// Up to 7 significant digits of the float; exponent form below 0.0001 and from
// 1E+07 upward.
std::string writeSingle(float value);
// Plain decimal digits, a minus sign for negatives.
std::string writeInteger(std::int64_t value);
// writeDouble's text appended to `out`: a long list of lines is built
// without a string for every number in it.
void appendDouble(std::string& out, double value);
// The pattern "0.00000000": exactly eight decimals, rounded half away from zero.
std::string writeFixed8(double value);

}  // namespace lc
