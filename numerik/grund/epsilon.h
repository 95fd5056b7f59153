// The numerical zero of the library: a magnitude is compared with 2^-120
// (7.52316384526264e-37), computed at each test.  Every module states the
// sense of its comparison where it makes one.
#ifndef NUMERIK_EPSILON_H
#define NUMERIK_EPSILON_H

#include <cmath>

inline double epsilon() {
    return std::pow(2.0, -120.0);
}

#endif
