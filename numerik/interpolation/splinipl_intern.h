// The spline's private record, shared by the modules of the class: the
// object and its text form (splinipl.cpp, splinipl_text.cpp), the coefficient
// systems (splinipl_koeff.cpp) and evaluation with its interval search
// (splinipl_wert.cpp).
#ifndef NUMERIK_SPLINIPL_INTERN_H
#define NUMERIK_SPLINIPL_INTERN_H

#include "grund/fehler_intern.h"
#include "numerik/knotenarten.h"
#include "numerik/splinipl.h"

#include "interpolation/interplt_intern.h"

#include <cmath>

// The shared base (interplt_intern.h): n the number of intervals, art the
// node kind with the flag OHNE_KOEFFIZIENTEN, the third vector the n x 4
// "Koeffizienten", zeroed, in an object made without coefficients,
// "Koeffizientenmatrix" after the step, null only while creation has not
// reached the step.
struct splineinterpolationsdaten : interpolationsbasis {
    double a_benutzer; // the user's interval of a continued spline (kind 3)
    double b_benutzer;
    int splineart;
    double abl2links;
    double abl2rechts;
    double abl1links; // kind 5: the given end slopes
    double abl1rechts;
    // The bounds that evaluation wraps with, taken at its first call.  They
    // live in the object, so two splines in one process each wrap with their
    // own interval.
    double grenze_links;
    double grenze_rechts;
    int a_b_berechnet;
    // The scaled form (interplt_intern.h) where the plain coefficients
    // over- or underflow: n x 4, malloc'd; null otherwise.
    double *skaliert;
    int ex;
    int ey;
};

inline kubikskala skala_von(const splineinterpolationsdaten *d) {
    return {d->skaliert, d->ex, d->ey};
}

// The record; the fatal path without a message for a handle without one.
inline splineinterpolationsdaten *get_splineinterpolationsdaten(objekt *ip) {
    return static_cast<splineinterpolationsdaten *>(basis_von(ip));
}

// The row of the node kind with the flag cleared; null for an unknown kind.
inline const knotenart *art_ohne_flag(int stuetzstellenart) {
    return knotenart_nummer(stuetzstellenart & ~OHNE_KOEFFIZIENTEN);
}

// One row of coefficients for an interval of length h from yL to yR with the
// second derivatives ML and MR at its ends, given the slope (yR - yL)/h:
// (MR - ML)/(6h), ML/2, (yR - yL)/h - h(2ML + MR)/6, yL.  True when every
// coefficient is finite.
static inline bool zeile_fuellen(double *zeile, double ml, double mr, double h, double steigung,
                                 double yl) {
    zeile[0] = (mr - ml) / (h * 6);
    zeile[1] = ml / 2;
    // 2*ML is formed as ML + ML; the sum is multiplied by h, then divided.
    double summe = ml + ml;
    summe = summe + mr;
    zeile[2] = steigung - h * summe / 6;
    zeile[3] = yl;
    return std::isfinite(zeile[0]) && std::isfinite(zeile[1]) && std::isfinite(zeile[2]) &&
           std::isfinite(zeile[3]);
}

// The coefficient matrix of kinds 0 and 1 (spline_direkt_nichtperiodisch),
// 2 and 3 (spline_direkt_periodisch) or 4 (spline_direkt_notaknot), n >= 3,
// or of kind 5 (spline_direkt_eingespannt), n >= 1, in two sweeps over the
// nodes without the solver's vectors (splinipl_direkt.cpp): every
// coefficient the double the general way gives, and every one finite.
// False, with the record as it was, where the general way must run to raise
// its own messages or give its own NaNs, or where some coefficient is not
// finite (the general way gives the same doubles there).
bool spline_direkt_nichtperiodisch(splineinterpolationsdaten *d);
bool spline_direkt_periodisch(splineinterpolationsdaten *d);
bool spline_direkt_notaknot(splineinterpolationsdaten *d);
bool spline_direkt_eingespannt(splineinterpolationsdaten *d);

#endif
