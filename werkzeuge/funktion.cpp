#include "funktion.h"

#include <cmath>

extern "C" {

double f1(double x) {
    return std::sin(x);
}

double f3(double x) {
    return std::fabs(x);
}

double f4(double x) {
    return 1.0 / (x * x + 1.0);
}

double f1_abl2(double x) {
    return -std::sin(x);
}

// |x| has no second derivative at 0 (a kink); everywhere else it is 0, and
// the problem's ends lie away from 0.
double f3_abl2(double) {
    return 0.0;
}

double f4_abl2(double x) {
    double q = x * x + 1.0;
    return (6.0 * x * x - 2.0) / (q * q * q);
}

// The bounds of problem 1 are the decimal 3.14159265, not pi to full precision.
const beispielfunktion funktion[] = {
    {f1, -3.14159265, 3.14159265, "Sinus auf [-pi,pi]", f1_abl2},
    {f1, -9.0, 9.0, "Sinus auf [-9,9]", f1_abl2},
    {f3, -0.3, 0.3, "Betrag auf [-0.3,0.3]", f3_abl2},
    {f4, -9.0, 9.0, "Ableitung zu arctan auf [-9,9]", f4_abl2},
};

const int funktion_anzahl = sizeof(funktion) / sizeof(funktion[0]);
}
