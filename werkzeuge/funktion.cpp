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

// The bounds of problem 1 are the decimal 3.14159265, not pi to full precision.
const beispielfunktion funktion[] = {
    {f1, -3.14159265, 3.14159265, "Sinus auf [-pi,pi]"},
    {f1, -9.0, 9.0, "Sinus auf [-9,9]"},
    {f3, -0.3, 0.3, "Betrag auf [-0.3,0.3]"},
    {f4, -9.0, 9.0, "Ableitung zu arctan auf [-9,9]"},
};

const int funktion_anzahl = sizeof(funktion) / sizeof(funktion[0]);
}
