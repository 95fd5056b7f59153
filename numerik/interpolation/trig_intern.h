// The sums of the barycentric trigonometric formula (trig_summe.cpp), for
// TRIGONOMETRISCHE_INTERPOLATION (trigipl.cpp).
#ifndef NUMERIK_TRIG_INTERN_H
#define NUMERIK_TRIG_INTERN_H

// The quotient sum g(k) y(k) / sum g(k) over the anzahl nodes with half
// angles phi(k) = pi k / anzahl, at the half angle theta of the point given
// as S = sin(theta), C = cos(theta):
//     g(k) = v(k) / sin(theta - phi(k))                   (anzahl odd),
//     g(k) = v(k) cos(theta - phi(k)) / sin(theta - phi(k)) (anzahl even),
// v(k) = (-1)^k, sin(theta - phi(k)) = S c(k) - C s(k) and cos(theta -
// phi(k)) = C c(k) + S s(k) with c(k) = cos(phi(k)), s(k) = sin(phi(k)).
// Eight nodes at a time in lanes, as the barycentric sum; a term that is not
// finite (theta on a node) makes it return false, and the caller takes the
// node's value.
bool trig_summe(const double *c, const double *s, const double *v, const double *y, int anzahl,
                bool gerade, double S, double C, double &wert);

#endif
