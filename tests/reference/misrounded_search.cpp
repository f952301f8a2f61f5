// Finds arguments where the C library's tangent, power, sine, cosine or
// arctangent is not correctly rounded, by comparing it with MPFR at 256 bits
// rounded once to a double. Not part of the build; it found the cases of the
// test "Checked.ElementaryFunctionsAreCorrectlyRounded":
//   g++ -O2 -o /tmp/misrounded tests/reference/misrounded_search.cpp -lmpfr -lgmp && /tmp/misrounded
// Arguments are the ones the sheets produce: angles of a tenth of a degree in
// radians (as x * π / 180 in doubles), ratios near the gear ratios, and the
// squares and square roots the sheets take with pow.
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

// The correctly rounded double of f(x) (or f(x, y)), worked at 256 bits.
double exact1(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x) {
    mpfr_t a, r;
    mpfr_inits2(256, a, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    f(r, a, MPFR_RNDN);
    const double d = mpfr_get_d(r, MPFR_RNDN);
    mpfr_clears(a, r, static_cast<mpfr_ptr>(nullptr));
    return d;
}

double exact2(double x, double y) {
    mpfr_t a, b, r;
    mpfr_inits2(256, a, b, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, y, MPFR_RNDN);
    mpfr_pow(r, a, b, MPFR_RNDN);
    const double d = mpfr_get_d(r, MPFR_RNDN);
    mpfr_clears(a, b, r, static_cast<mpfr_ptr>(nullptr));
    return d;
}

void report(const char* f, double x, double libc, double exact) {
    std::printf("%-5s x = %a (%.17g): C library %a, correctly rounded %a\n", f, x, x, libc, exact);
}

void report2(double x, double y, double libc, double exact) {
    std::printf("pow   x = %a (%.17g), y = %a (%.17g): C library %a, correctly rounded %a\n", x, x, y, y, libc,
                exact);
}

}  // namespace

int main() {
    const double pi = 3.14159265358979;
    int found = 0;
    for (int tenth = 1; tenth < 900 && found < 40; ++tenth) {
        const double x = tenth / 10.0 * pi / 180.0;
        struct {
            const char* name;
            double (*libc)(double);
            int (*mp)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
        } fs[] = {{"tan", std::tan, mpfr_tan}, {"sin", std::sin, mpfr_sin}, {"cos", std::cos, mpfr_cos}};
        for (const auto& f : fs) {
            const double l = f.libc(x), e = exact1(f.mp, x);
            if (l != e) report(f.name, x, l, e), ++found;
        }
    }
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> ratio(0.05, 20.0), base(0.5, 200.0);
    for (int i = 0; i < 2000000 && found < 80; ++i) {
        const double x = ratio(rng);
        if (const double l = std::atan(x), e = exact1(mpfr_atan, x); l != e) report("atan", x, l, e), ++found;
        const double b = base(rng);
        for (double y : {2.0, 0.5, 1.0 / 3.0, 1.5}) {
            const double l = std::pow(b, y), e = exact2(b, y);
            if (l != e) report2(b, y, l, e), ++found;
        }
    }
    std::printf("%d found\n", found);
    return 0;
}
