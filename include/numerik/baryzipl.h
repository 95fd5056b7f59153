/* BARYZENTRISCHE_INTERPOLATION: the interpolating polynomial in barycentric
 * form.  The same problem as NEWTON_INTERPOLATION (the same creation record,
 * the same text form under its own type text), held as nodes, values and
 * weights w(j) = 1 / prod_{k != j} (x(j) - x(k)), scaled so that the largest
 * |w(j)| is 1.  Evaluation by the second barycentric formula
 *
 *     p(x) = sum w(j) y(j) / (x - x(j))  /  sum w(j) / (x - x(j)),
 *
 * O(n) a point and stable for nodes of small Lebesgue constant (Chebyshev
 * points), where the Newton form loses digits as n grows.  At a node it
 * returns that node's value exactly. */
#ifndef NUMERIK_BARYZIPL_H
#define NUMERIK_BARYZIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Creation record: the six fields common to the interpolation classes, as
 * newtoninterpolation_parameter. */
typedef struct baryzentrischeinterpolation_parameter {
    const char *name;      /* null gives "unbenannt" */
    int art;               /* node kind 0, 1 or 2 */
    objekt *stuetzstellen; /* node kind 0 only; distinct and finite */
    double a;              /* node kinds 1 and 2 only */
    double b;
    objekt *stuetzwerte; /* its row count is n+1; column 1 is used */
} baryzentrischeinterpolation_parameter;

extern klasse baryzentrische_interpolation;
extern const interpolation_funktionen baryzentrische_interpolationFunktionen;

int baryzentrischeinterpolation_speichern(objekt *ip, FILE *aus);
objekt *baryzentrischeinterpolation_laden(FILE *ein, void *zusatz);
int baryzentrischeinterpolation_freigeben(objekt *ip);
/* Weights in closed form for node kinds 1 and 2 (O(n)), by the product
 * formula for given nodes (O(n^2)); given nodes that are equal or not finite
 * end with a message. */
objekt *baryzentrischeinterpolation_kreieren(const void *parameter, void *zusatz);
double baryzentrischeinterpolation_funktionswert(objekt *ip, double x);
const char *baryzentrischeinterpolation_name(objekt *ip);
/* 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", 2: weights
 * "Gewichte"; the stored vectors themselves, owned by ip. */
objekt *baryzentrischeinterpolation_imVektor(objekt *ip, int index);
double baryzentrischeinterpolation_linkeGrenze(objekt *ip);
double baryzentrischeinterpolation_rechteGrenze(objekt *ip);

#ifdef __cplusplus
}
#endif

#endif
