// What the interpolation classes share besides the table and the public
// node placement: reading the vectors of a creation record, the bounds of
// given nodes, and the checks before creation.
#ifndef NUMERIK_INTERPLT_INTERN_H
#define NUMERIK_INTERPLT_INTERN_H

#include "numerik/interplt.h"

// Elements (1..anzahl, 1) of a vector handed in by a caller, copied into
// ziel: from the entry array when the vector is of the NM_MATRIX class
// itself (the same doubles), else through its table, which also reports a
// vector without columns.
void spalte_kopieren(objekt *quelle, int anzahl, double *ziel);

// The smallest / largest entry of the node vector, scanning from x(1) and
// replacing only on a strictly smaller / larger value (a NaN never replaces).
double kleinste_stuetzstelle(objekt *knoten);
double groesste_stuetzstelle(objekt *knoten);

// The problem part of a creation record, as every class holds it.
struct interpolationsproblem {
    const char *name;
    int art;
    objekt *stuetzstellen;
    double a;
    double b;
    objekt *stuetzwerte;
};

// The checks of interpolation_erzeugen (numerik/interplt.h) for a problem
// of class methode, run by it and by every class's laden before kreieren:
// each failure ends through the fatal path naming the problem and the row.
// Defects that kreieren reports itself pass here unreported.
void interpolationsproblem_pruefen(const klasse *methode, const interpolationsproblem &p);

#endif
