// The example problems: sin, |x| and the derivative of arctan (Runge's
// function) on their intervals, with their first and second derivatives in
// closed form (the context, null, is not used) and each as the formula that
// numerik/formel.h reads to the same doubles.
#include "numerik/beispielfunktionen.h"

#include <cmath>

namespace {

double sinus(const void *, double x) {
    return std::sin(x);
}

double betrag(const void *, double x) {
    return std::fabs(x);
}

// 1 / (x*x + 1), the derivative of arctan.
double runge(const void *, double x) {
    return 1.0 / (x * x + 1.0);
}

double sinus_abl1(const void *, double x) {
    return std::cos(x);
}

// The problem's ends lie away from the kink at 0, where |x| has no
// derivative: the sign of x.
double betrag_abl1(const void *, double x) {
    return x < 0.0 ? -1.0 : 1.0;
}

// -2x / (x^2 + 1)^2.
double runge_abl1(const void *, double x) {
    double q = x * x + 1.0;
    return -2.0 * x / (q * q);
}

double sinus_abl2(const void *, double x) {
    return -std::sin(x);
}

// |x| has no second derivative at 0 (a kink); everywhere else it is 0, and
// the problem's ends lie away from 0.
double betrag_abl2(const void *, double) {
    return 0.0;
}

// (6x^2 - 2) / (x^2 + 1)^3.
double runge_abl2(const void *, double x) {
    double q = x * x + 1.0;
    return (6.0 * x * x - 2.0) / (q * q * q);
}

} // namespace

extern "C" {

// The bounds of problem 1 are the decimal 3.14159265, not pi to full precision.
const beispielfunktion funktion[] = {
    {.f = sinus,
     .a = -3.14159265,
     .b = 3.14159265,
     .name = "Sinus auf [-pi,pi]",
     .abl2 = sinus_abl2,
     .abl1 = sinus_abl1,
     .kontext = nullptr,
     .formel = "sin(x)",
     .werte = nullptr},
    {.f = sinus,
     .a = -9.0,
     .b = 9.0,
     .name = "Sinus auf [-9,9]",
     .abl2 = sinus_abl2,
     .abl1 = sinus_abl1,
     .kontext = nullptr,
     .formel = "sin(x)",
     .werte = nullptr},
    {.f = betrag,
     .a = -0.3,
     .b = 0.3,
     .name = "Betrag auf [-0.3,0.3]",
     .abl2 = betrag_abl2,
     .abl1 = betrag_abl1,
     .kontext = nullptr,
     .formel = "abs(x)",
     .werte = nullptr},
    // Runge's function; the formula's x^2 is x*x in muparser, so that it
    // gives the doubles of runge.
    {.f = runge,
     .a = -9.0,
     .b = 9.0,
     .name = "Ableitung zu arctan auf [-9,9]",
     .abl2 = runge_abl2,
     .abl1 = runge_abl1,
     .kontext = nullptr,
     .formel = "1/(1+x^2)",
     .werte = nullptr},
};

const int funktion_anzahl = sizeof(funktion) / sizeof(funktion[0]);
static_assert(sizeof(funktion) / sizeof(funktion[0]) == 4, "four example problems");
}
