// What both interpolation classes share besides the table: the interval
// check and the placement of nodes by node kind.
#ifndef NUMERIK_INTERPLT_INTERN_H
#define NUMERIK_INTERPLT_INTERN_H

#include "interplt.h"

// Ends with "Intervall [%lf,%lf] numerisch zu klein oder ungueltig.\n" when
// b - a < 2^-120; equality and a NaN difference pass.
void intervall_pruefen(double a, double b);

// Places the n+1 nodes of kind STUETZSTELLEN_AEQUIDISTANT or
// STUETZSTELLEN_TSCHEBYSCHEFF on [a, b] into the (n+1) x 1 vector knoten,
// after the interval check.  Any other kind ends with
// "Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n" naming
// the object name and the kind.
void stuetzstellen_platzieren(objekt *knoten, int art, int n, double a, double b, const char *name);

// Elements (1..anzahl, 1) of a vector handed in by a caller, copied into
// ziel: from the entry array when the vector is of the NM_MATRIX class
// itself (the same doubles), else through its table, which also reports a
// vector without columns.
void spalte_kopieren(objekt *quelle, int anzahl, double *ziel);

// The smallest / largest entry of the node vector, scanning from x(1) and
// replacing only on a strictly smaller / larger value (a NaN never replaces).
double kleinste_stuetzstelle(objekt *knoten);
double groesste_stuetzstelle(objekt *knoten);

#endif
