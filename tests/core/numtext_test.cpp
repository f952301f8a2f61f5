#include "core/numtext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>

using namespace lc;

namespace {

double readD(const char* t) {
    const DoubleRead r = readDouble(t);
    EXPECT_EQ(r.status, ReadStatus::Ok) << "text: [" << t << "]";
    return r.value;
}

float readS(const char* t) {
    const SingleRead r = readSingle(t);
    EXPECT_EQ(r.status, ReadStatus::Ok) << "text: [" << t << "]";
    return r.value;
}

}  // namespace

TEST(NumText, ReadsTheGrammarOfANumber) {
    EXPECT_EQ(readD(" 35 "), 35.0);
    EXPECT_EQ(readD("   35"), 35.0);
    EXPECT_EQ(readD("0.35"), 0.35);
    EXPECT_EQ(readD(".5"), 0.5);
    EXPECT_EQ(readD("-2"), -2.0);
    EXPECT_EQ(readD("+2"), 2.0);
    EXPECT_EQ(readD("1.5E-3"), 0.0015);
    EXPECT_EQ(readD("1.5e-3"), 0.0015);
    EXPECT_EQ(readD("2E+2"), 200.0);
    EXPECT_EQ(readD("3."), 3.0);
    EXPECT_EQ(readD("-0"), 0.0);
}

TEST(NumText, RejectsWhatIsNotANumber) {
    for (const char* t : {"", " ", "   ", "abc", "1.2.3", "wr ", "inf", "-inf", "nan", "NaN", "0x10", "1,5",
                          "1 000", "1e", "1e+", ".", "-", "+", "--1", "1-", "e5", "1.5E", "35a", "３５", "1e5.5",
                          "Infinity", "1d5"}) {
        EXPECT_EQ(readDouble(t).status, ReadStatus::NotANumber) << "text: [" << t << "]";
        EXPECT_EQ(readSingle(t).status, ReadStatus::NotANumber) << "text: [" << t << "]";
    }
}

TEST(NumText, SingleReadRoundsTheDecimalTextToTheNearestFloat) {
    // 0.35 is not exact in binary: the nearest float, not the nearest double.
    EXPECT_EQ(readS("0.35"), 0.35f);
    EXPECT_EQ(static_cast<double>(readS("0.35")), 0.3499999940395355224609375);
    // Just above the midpoint between 1 and 1 + 2^-23: straight from the text
    // it rounds up; through a double it would land on the midpoint itself and
    // round to even, that is to 1.
    EXPECT_EQ(readS("1.000000059604644775390625000000000000001"), 1.0000001192092896f);
    EXPECT_EQ(readS("1.00000005960464477539062"), 1.0f);
}

TEST(NumText, RangeLimits) {
    EXPECT_EQ(readSingle("1E+39").status, ReadStatus::Overflow);
    EXPECT_EQ(readSingle("-1E+39").status, ReadStatus::Overflow);
    EXPECT_EQ(readS("3.4028234E+38"), 3.4028234663852886e38f);
    EXPECT_EQ(readDouble("1E+39").status, ReadStatus::Ok);
    EXPECT_EQ(readDouble("1E+400").status, ReadStatus::Overflow);
    EXPECT_EQ(readDouble("1E999999999999999999999").status, ReadStatus::Overflow);
    // Underflow is no fault: the value becomes zero of the same sign.
    EXPECT_EQ(readS("1E-50"), 0.0f);
    EXPECT_TRUE(std::signbit(readS("-1E-50")));
    EXPECT_EQ(readD("1E-400"), 0.0);
    EXPECT_EQ(readD("0.000000000000000000000000000000000000000000000000001E-300"), 0.0);
    EXPECT_EQ(readD("0E+99999"), 0.0);
    // A long digit string is read exactly.
    EXPECT_EQ(readD("123456789012345678901234567890"), 1.2345678901234568e29);
}

TEST(NumText, DoubleTextsHaveFifteenSignificantDigits) {
    EXPECT_EQ(writeDouble(0.35), "0.35");
    EXPECT_EQ(writeDouble(1.0), "1");
    EXPECT_EQ(writeDouble(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(writeDouble(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(writeDouble(0.1 + 0.2), "0.3");
    EXPECT_EQ(writeDouble(-2.5), "-2.5");
    EXPECT_EQ(writeDouble(0.0), "0");
    EXPECT_EQ(writeDouble(-0.0), "0");
    EXPECT_EQ(writeDouble(123456789012345.0), "123456789012345");
    EXPECT_EQ(writeDouble(1e15), "1E+15");
    EXPECT_EQ(writeDouble(1234567890123456.0), "1.23456789012346E+15");
    // Rounding to 15 digits can reach the exponent form.
    EXPECT_EQ(writeDouble(999999999999999.9), "1E+15");
    EXPECT_EQ(writeDouble(1.5e-5), "1.5E-05");
    EXPECT_EQ(writeDouble(0.0001), "0.0001");
    EXPECT_EQ(writeDouble(0.00012346), "0.00012346");
    EXPECT_EQ(writeDouble(0.00009), "9E-05");
    EXPECT_EQ(writeDouble(1e100), "1E+100");
    EXPECT_EQ(writeDouble(-1.5e-300), "-1.5E-300");
    EXPECT_EQ(writeDouble(42.2018956920184), "42.2018956920184");
    // The largest double would round up beyond the range: its text is cut off
    // so that it still reads.
    EXPECT_EQ(writeDouble(-1.7976931348623157e308), "-1.79769313486231E+308");
    // A tie at the sixteenth digit rounds away from zero (the value is exact in binary).
    EXPECT_EQ(writeDouble(1234567890123.125), "1234567890123.13");
    EXPECT_EQ(writeDouble(-1234567890123.125), "-1234567890123.13");
}

TEST(NumText, SingleTextsHaveSevenSignificantDigits) {
    EXPECT_EQ(writeSingle(0.35f), "0.35");
    EXPECT_EQ(writeSingle(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(writeSingle(123.456789f), "123.4568");
    EXPECT_EQ(writeSingle(12345678.0f), "1.234568E+07");
    EXPECT_EQ(writeSingle(1234567.0f), "1234567");
    EXPECT_EQ(writeSingle(-0.5f), "-0.5");
    EXPECT_EQ(writeSingle(1.5e-5f), "1.5E-05");
}

TEST(NumText, TextsSurviveATripThroughTheField) {
    // 0.1 read as Single, written as Single, gives 0.1 again; written as Double
    // it shows the float's own digits.
    EXPECT_EQ(writeSingle(readS("0.1")), "0.1");
    EXPECT_EQ(writeDouble(readS("0.1")), "0.100000001490116");
    // A result written as Single and read back as Double carries its 7 digits only.
    EXPECT_EQ(readD(writeSingle(0.35f).c_str()), 0.35);
}

TEST(NumText, IntegersAndEightDecimals) {
    EXPECT_EQ(writeInteger(0), "0");
    EXPECT_EQ(writeInteger(92), "92");
    EXPECT_EQ(writeInteger(-7), "-7");
    EXPECT_EQ(writeFixed8(2.0), "2.00000000");
    EXPECT_EQ(writeFixed8(0.000123456789), "0.00012346");
    EXPECT_EQ(writeFixed8(0.5), "0.50000000");
    EXPECT_EQ(writeFixed8(12.3), "12.30000000");
    EXPECT_EQ(writeFixed8(-12.3), "-12.30000000");
    EXPECT_EQ(writeFixed8(0.0), "0.00000000");
    EXPECT_EQ(writeFixed8(0.000000004), "0.00000000");
    EXPECT_EQ(writeFixed8(0.000000006), "0.00000001");
    EXPECT_EQ(writeFixed8(9.999999999), "10.00000000");
    EXPECT_EQ(writeFixed8(123456789.0), "123456789.00000000");
    // 2^-9 = 0.001953125 exactly: the tie at the ninth decimal goes away from zero.
    EXPECT_EQ(writeFixed8(0.001953125), "0.00195313");
    EXPECT_EQ(writeFixed8(-0.001953125), "-0.00195313");
    EXPECT_EQ(writeFixed8(1e20), "100000000000000000000.00000000");
}

TEST(NumText, SameTextsUnderACommaLocale) {
    const char* names[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8"};
    const char* chosen = nullptr;
    for (const char* n : names)
        if (std::setlocale(LC_ALL, n)) {
            chosen = n;
            break;
        }
    ASSERT_NE(chosen, nullptr) << "the set-up generates de_DE.UTF-8 and fr_FR.UTF-8";
    std::locale::global(std::locale(chosen));
    EXPECT_EQ(writeDouble(0.35), "0.35");
    EXPECT_EQ(writeSingle(123.456789f), "123.4568");
    EXPECT_EQ(writeFixed8(12.3), "12.30000000");
    EXPECT_EQ(writeDouble(1.5e-5), "1.5E-05");
    EXPECT_EQ(readD("0.35"), 0.35);
    EXPECT_EQ(readS("0.35"), 0.35f);
    EXPECT_EQ(readDouble("0,35").status, ReadStatus::NotANumber);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
}
