#include "core/checked.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace lc;

namespace {

FaultKind faultOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Fault& e) {
        return e.kind;
    }
    ADD_FAILURE() << "no fault raised";
    return FaultKind::Conversion;
}

}  // namespace

TEST(Checked, ArithmeticFaultsAreTyped) {
    EXPECT_EQ(faultOf([] { (void)(Num(1) / Num(0)); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { (void)(Num(-1) / Num(-0.0)); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { (void)(Num(0) / Num(0)); }), FaultKind::Invalid);
    EXPECT_EQ(faultOf([] { (void)(Num(1e308) * Num(10)); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { (void)(Num(1e308) + Num(1e308)); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { (void)(Num(-1e308) - Num(1e308)); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { (void)(Num(1) / Num(1e-320)); }), FaultKind::Overflow);
}

TEST(Checked, MathFunctionFaults) {
    EXPECT_EQ(faultOf([] { (void)sqrt(Num(-1)); }), FaultKind::Invalid);
    EXPECT_EQ(faultOf([] { (void)pow(Num(-1.37), Num(0.5)); }), FaultKind::Invalid);
    EXPECT_EQ(faultOf([] { (void)pow(Num(0), Num(-1)); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { (void)pow(Num(10), Num(400)); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { (void)log(Num(0)); }), FaultKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { (void)log(Num(-2)); }), FaultKind::Invalid);
    EXPECT_EQ(faultOf([] { (void)exp(Num(1000)); }), FaultKind::Overflow);
}

TEST(Checked, SingleRoundingBeyondTheFloatRangeIsAnOverflow) {
    EXPECT_EQ(faultOf([] { (void)single(Num(1e39)); }), FaultKind::Overflow);
    EXPECT_EQ(faultOf([] { (void)single(Num(-3.5e38)); }), FaultKind::Overflow);
    EXPECT_EQ(single(Num(0.35)).value(), static_cast<double>(0.35f));
}

TEST(Checked, OrdinaryResultsAndUnderflowPass) {
    EXPECT_EQ((Num(1e-300) * Num(1e-300)).value(), 0.0);
    EXPECT_EQ(pow(Num(-2), Num(2)).value(), 4.0);
    EXPECT_EQ(pow(Num(16), Num(1) / Num(2)).value(), 4.0);
    EXPECT_EQ((Num(7) - Num(2) * Num(3)).value(), 1.0);
    EXPECT_EQ(atan(Num(1e308)).value(), std::atan(1e308));
    EXPECT_EQ(single(Num(1e-50)).value(), 0.0);
}
