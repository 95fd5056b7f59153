/* SPLINE_INTERPOLATION: cubic splines with given end second derivatives,
 * natural, or periodic. */
#ifndef NUMERIK_SPLINIPL_H
#define NUMERIK_SPLINIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Spline kinds. */
enum {
    SPLINE_ABL2_GEGEBEN = 0,          /* end second derivatives given */
    SPLINE_NATUERLICH = 1,            /* second derivative 0 at both ends */
    SPLINE_PERIODISCH = 2,            /* periodic */
    SPLINE_PERIODISCH_FORTGESETZT = 3 /* periodic, three nodes continued to five */
};

/* Added to the node kind: no periodic continuation, no coefficients. */
enum { OHNE_KOEFFIZIENTEN = 64 };

typedef struct splineinterpolation_parameter {
    const char *name;
    int stuetzstellenart; /* node kind, optionally + OHNE_KOEFFIZIENTEN */
    objekt *stuetzstellen; /* node kind 0 only */
    double a;              /* node kinds 1 and 2 only */
    double b;
    objekt *stuetzwerte;
    int splineart;     /* 0, 1 or 2 */
    double abl2links;  /* spline kind 0 only */
    double abl2rechts; /* spline kind 0 only */
} splineinterpolation_parameter;

extern klasse spline_interpolation;
extern const interpolation_funktionen spline_interpolationFunktionen;

int splineinterpolation_speichern(objekt *ip, FILE *aus);
objekt *splineinterpolation_laden(FILE *ein, void *zusatz);
int splineinterpolation_freigeben(objekt *ip);
objekt *splineinterpolation_kreieren(const void *parameter, void *zusatz);
double splineinterpolation_funktionswert(objekt *ip, double x);
const char *splineinterpolation_name(objekt *ip);
objekt *splineinterpolation_imVektor(objekt *ip, int index);
double splineinterpolation_linkeGrenze(objekt *ip);
double splineinterpolation_rechteGrenze(objekt *ip);

/* The coefficient step, called by creation as its last action. */
int splineinterpolation_koeffizienten(objekt *ip, void *zusatz);

#ifdef __cplusplus
}
#endif

#endif
