// What both interpolation classes share besides the table and the public
// node placement: reading the vectors of a creation record, and the bounds
// of given nodes.
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

#endif
