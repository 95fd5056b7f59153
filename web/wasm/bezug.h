// The reference lines of the study's plot, a conclusion the page draws
// from the study's figures: C n^-2 and C n^-4 through the last converging
// figure of the first spline column, and for the polynomial at Chebyshev
// nodes the geometric rate C rho^-n fitted to its converging figures.  All
// of it lives in bezug.cpp, and the study's result carries it as one field.
#ifndef NUMERIK_WEB_BEZUG_H
#define NUMERIK_WEB_BEZUG_H

#include "json.h"

#include "numerik/studie.h"

// Writes the field "bezug": a list of the lines, each
//   {"label", "p" (2 or 4; 0 for the geometric rate), "werte": [one value
//    for each n of the study]}
// and for the geometric rate also "rho" and "spalte" (the column fitted).
void bezug_schreiben(json_schreiber &j, const studie &s);

#endif
