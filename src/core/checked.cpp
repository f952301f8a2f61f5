#include "core/checked.h"

#include <mpfr.h>

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

// The elementary functions come from MPFR, correctly rounded: the double
// nearest to the exact result, whatever the machine's own maths library gives.
constexpr mpfr_prec_t kBits = std::numeric_limits<double>::digits;

// MPFR's exponent range narrowed to a double's while it lives, so that a
// result near the top overflows and a subnormal one is rounded once, to the
// bits a subnormal double has, rather than first to 53 bits.
class DoubleRange {
public:
    DoubleRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        mpfr_set_emin(std::numeric_limits<double>::min_exponent - kBits + 1);
        mpfr_set_emax(std::numeric_limits<double>::max_exponent);
    }
    ~DoubleRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    DoubleRange(const DoubleRange&) = delete;
    DoubleRange& operator=(const DoubleRange&) = delete;

private:
    mpfr_exp_t emin_, emax_;
};

// The double of a result MPFR rounded to 53 bits with the ternary value
// `inexact`, within a DoubleRange.
double toDouble(mpfr_ptr r, int inexact) {
    inexact = mpfr_check_range(r, inexact, MPFR_RNDN);
    mpfr_subnormalize(r, inexact, MPFR_RNDN);
    return mpfr_get_d(r, MPFR_RNDN);
}

double rounded(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x) {
    const DoubleRange range;
    MPFR_DECL_INIT(a, kBits);
    MPFR_DECL_INIT(r, kBits);
    mpfr_set_d(a, x, MPFR_RNDN);
    return toDouble(r, f(r, a, MPFR_RNDN));
}

double rounded(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t), double x, double y) {
    const DoubleRange range;
    MPFR_DECL_INIT(a, kBits);
    MPFR_DECL_INIT(b, kBits);
    MPFR_DECL_INIT(r, kBits);
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, y, MPFR_RNDN);
    return toDouble(r, f(r, a, b, MPFR_RNDN));
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
    return checkResult(rounded(mpfr_pow, x.value(), y.value()));
}

Num sqrt(Num x) {
    if (x.value() < 0.0) raise(FaultKind::Invalid);
    return checkResult(std::sqrt(x.value()));
}

Num sin(Num x) { return checkResult(rounded(mpfr_sin, x.value())); }
Num cos(Num x) { return checkResult(rounded(mpfr_cos, x.value())); }
Num tan(Num x) { return checkResult(rounded(mpfr_tan, x.value())); }
Num atan(Num x) { return checkResult(rounded(mpfr_atan, x.value())); }
Num exp(Num x) { return checkResult(rounded(mpfr_exp, x.value())); }

Num log(Num x) {
    if (x.value() == 0.0) raise(FaultKind::DivisionByZero);
    if (x.value() < 0.0) raise(FaultKind::Invalid);
    return checkResult(rounded(mpfr_log, x.value()));
}

Num abs(Num x) { return Num(std::fabs(x.value())); }

}  // namespace lc
