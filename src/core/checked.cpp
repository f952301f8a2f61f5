#include "core/checked.h"

#include <cmath>
#include <limits>

namespace lc {
namespace {

const char* kindName(FaultKind k) {
    switch (k) {
        case FaultKind::Conversion: return "conversion";
        case FaultKind::DivisionByZero: return "division by zero";
        case FaultKind::Overflow: return "overflow";
        case FaultKind::Invalid: return "invalid operation";
    }
    return "fault";
}

// A result that is not finite came from finite operands: NaN is an invalid
// operation, an infinity an overflow.
Num checkResult(double r) {
    if (std::isnan(r)) raise(FaultKind::Invalid);
    if (std::isinf(r)) raise(FaultKind::Overflow);
    return Num(r);
}

}  // namespace

Fault::Fault(FaultKind k, std::string sh, std::string f, std::string t)
    : std::runtime_error(kindName(k)), kind(k), sheet(std::move(sh)), field(std::move(f)), text(std::move(t)) {}

void raise(FaultKind kind) { throw Fault(kind); }

Num operator+(Num a, Num b) { return checkResult(a.v_ + b.v_); }
Num operator-(Num a, Num b) { return checkResult(a.v_ - b.v_); }
Num operator*(Num a, Num b) { return checkResult(a.v_ * b.v_); }

Num operator/(Num a, Num b) {
    if (b.v_ == 0.0) raise(a.v_ == 0.0 ? FaultKind::Invalid : FaultKind::DivisionByZero);
    return checkResult(a.v_ / b.v_);
}

Num single(Num x) { return Num(static_cast<double>(toFloat(x))); }

float toFloat(Num x) {
    const float f = static_cast<float>(x.value());
    if (std::isinf(f)) raise(FaultKind::Overflow);
    return f;
}

Num pow(Num x, Num y) {
    // A zero base with a negative exponent is a division by zero; a negative
    // base with a fractional exponent has no real value.
    if (x.value() == 0.0 && y.value() < 0.0) raise(FaultKind::DivisionByZero);
    if (x.value() < 0.0 && std::trunc(y.value()) != y.value()) raise(FaultKind::Invalid);
    return checkResult(std::pow(x.value(), y.value()));
}

Num sqrt(Num x) {
    if (x.value() < 0.0) raise(FaultKind::Invalid);
    return checkResult(std::sqrt(x.value()));
}

Num sin(Num x) { return checkResult(std::sin(x.value())); }
Num cos(Num x) { return checkResult(std::cos(x.value())); }
Num tan(Num x) { return checkResult(std::tan(x.value())); }
Num atan(Num x) { return checkResult(std::atan(x.value())); }
Num exp(Num x) { return checkResult(std::exp(x.value())); }

Num log(Num x) {
    if (x.value() == 0.0) raise(FaultKind::DivisionByZero);
    if (x.value() < 0.0) raise(FaultKind::Invalid);
    return checkResult(std::log(x.value()));
}

Num abs(Num x) { return Num(std::fabs(x.value())); }

}  // namespace lc
