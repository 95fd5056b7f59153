/* NEWTON_INTERPOLATION: the interpolating polynomial in Newton form, its
 * coefficients the divided differences computed at creation. */
#ifndef NUMERIK_NEWTNIPL_H
#define NUMERIK_NEWTNIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Creation record: the six fields common to both interpolation classes. */
typedef struct newtoninterpolation_parameter {
    const char *name;      /* null gives "unbenannt" */
    int art;               /* node kind 0, 1 or 2 */
    objekt *stuetzstellen; /* node kind 0 only */
    double a;              /* node kinds 1 and 2 only */
    double b;
    objekt *stuetzwerte; /* its row count is n+1; column 1 is used */
} newtoninterpolation_parameter;

extern klasse newton_interpolation;
extern const interpolation_funktionen newton_interpolationFunktionen;

int newtoninterpolation_speichern(objekt *ip, FILE *aus);
objekt *newtoninterpolation_laden(FILE *ein, void *zusatz);
int newtoninterpolation_freigeben(objekt *ip);
objekt *newtoninterpolation_kreieren(const void *parameter, void *zusatz);
double newtoninterpolation_funktionswert(objekt *ip, double x);
const char *newtoninterpolation_name(objekt *ip);
/* 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", 2: "Koeffizienten";
 * the stored vectors themselves, owned by ip. */
objekt *newtoninterpolation_imVektor(objekt *ip, int index);
double newtoninterpolation_linkeGrenze(objekt *ip);
double newtoninterpolation_rechteGrenze(objekt *ip);

#ifdef __cplusplus
}
#endif

#endif
