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
    int stuetzstellenart;  /* node kind, optionally + OHNE_KOEFFIZIENTEN */
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
/* A stored spline of kind 3 is created through kind 2 and then comes back as
 * kind 3 with the stored a_benutzer and b_benutzer: the same bounds, no
 * wrapping, and the same text when it is stored again.  A node kind other
 * than 0, 1 or 2 in the text is rejected right after its key line. */
objekt *splineinterpolation_laden(FILE *ein, void *zusatz);
int splineinterpolation_freigeben(objekt *ip);
objekt *splineinterpolation_kreieren(const void *parameter, void *zusatz);
/* Kind 2 wraps x into [linkeGrenze, rechteGrenze], the bounds being taken at
 * the object's first evaluation and kept in the object.  An x that repeated
 * addition of the period would not bring up to the interval in 2^20 steps
 * (x = -inf included) is reduced by fmod alone; NaN and +-inf give NaN. */
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
