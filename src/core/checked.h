// Checked arithmetic: every operation and math function of a calculation goes
// through Num, so that a division by zero, an overflow or an invalid operation
// stops the calculation at the very operation where it happens.
#pragma once

#include <stdexcept>
#include <string>

namespace lc {

enum class FaultKind {
    Conversion,      // a text that is not a number
    DivisionByZero,
    Overflow,
    Invalid,         // 0/0, the root or logarithm of a negative number ...
};

// Thrown inside the core; a handler turns it into an outcome. `field` names the
// field whose text could not be read (conversion) or the field that was being
// computed (arithmetic); `text` is the unreadable text.
struct Fault : std::runtime_error {
    FaultKind kind;
    std::string sheet;
    std::string field;
    std::string text;
    bool empty = false;  // conversion of an empty text: the field has no value

    explicit Fault(FaultKind k, std::string sh = {}, std::string f = {}, std::string t = {});
};

[[noreturn]] void raise(FaultKind kind);

// A Double whose every operation is checked. Values are always finite.
class Num {
public:
    constexpr Num() = default;
    constexpr Num(double v) : v_(v) {}  // NOLINT: literals mix freely with Num
    constexpr double value() const { return v_; }

    friend Num operator+(Num a, Num b);
    friend Num operator-(Num a, Num b);
    friend Num operator*(Num a, Num b);
    friend Num operator/(Num a, Num b);
    friend Num operator-(Num a) { return Num(-a.v_); }

    friend bool operator==(Num a, Num b) { return a.v_ == b.v_; }
    friend auto operator<=>(Num a, Num b) { return a.v_ <=> b.v_; }

private:
    double v_ = 0.0;
};

// Rounds to single precision; a value beyond the float range is an overflow.
Num single(Num x);
float toFloat(Num x);

Num pow(Num x, Num y);
Num sqrt(Num x);
Num sin(Num x);
Num cos(Num x);
Num tan(Num x);
Num atan(Num x);
Num exp(Num x);
Num log(Num x);
Num abs(Num x);

}  // namespace lc
