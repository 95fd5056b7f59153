// The example problems: sin, |x| and the derivative of arctan (Runge's
// function) on their intervals, with their first and second derivatives.
#include "numerik/beispielfunktionen.h"

#include <cmath>

namespace {

double sinus(double x) {
    return std::sin(x);
}

double betrag(double x) {
    return std::fabs(x);
}

// 1 / (x*x + 1), the derivative of arctan.
double runge(double x) {
    return 1.0 / (x * x + 1.0);
}

double sinus_abl1(double x) {
    return std::cos(x);
}

// The problem's ends lie away from the kink at 0, where |x| has no
// derivative: the sign of x.
double betrag_abl1(double x) {
    return x < 0.0 ? -1.0 : 1.0;
}

// -2x / (x^2 + 1)^2.
double runge_abl1(double x) {
    double q = x * x + 1.0;
    return -2.0 * x / (q * q);
}

double sinus_abl2(double x) {
    return -std::sin(x);
}

// |x| has no second derivative at 0 (a kink); everywhere else it is 0, and
// the problem's ends lie away from 0.
double betrag_abl2(double) {
    return 0.0;
}

// (6x^2 - 2) / (x^2 + 1)^3.
double runge_abl2(double x) {
    double q = x * x + 1.0;
    return (6.0 * x * x - 2.0) / (q * q * q);
}

} // namespace

extern "C" {

// The bounds of problem 1 are the decimal 3.14159265, not pi to full precision.
const beispielfunktion funktion[] = {
    {sinus, -3.14159265, 3.14159265, "Sinus auf [-pi,pi]", sinus_abl2, sinus_abl1},
    {sinus, -9.0, 9.0, "Sinus auf [-9,9]", sinus_abl2, sinus_abl1},
    {betrag, -0.3, 0.3, "Betrag auf [-0.3,0.3]", betrag_abl2, betrag_abl1},
    {runge, -9.0, 9.0, "Ableitung zu arctan auf [-9,9]", runge_abl2, runge_abl1},
};

const int funktion_anzahl = sizeof(funktion) / sizeof(funktion[0]);
}
