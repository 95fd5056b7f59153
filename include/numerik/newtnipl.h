/** \file
 * NEWTON_INTERPOLATION: the interpolating polynomial in Newton form, its
 * coefficients the divided differences computed at creation.
 *
 * For the nodes x(1..n+1) and values y(1..n+1) the polynomial of degree at
 * most n is p(x) = c(1) + c(2)(x - x(1)) + ... + c(n+1)(x - x(1))...(x - x(n)).
 * Given nodes keep their order and need not ascend; equal nodes give
 * coefficients inf or NaN, without a message.  Text form:
 * "NEWTON_INTERPOLATION: name", "art = " node kind, for kind 0 the nodes as
 * an NM_MATRIX text, for kinds 1 and 2 "a = " and "b = "; then the values as
 * an NM_MATRIX text.  Index base, ownership, zusatz and failures as for
 * every interpolation (numerik/interplt.h). */
#ifndef NUMERIK_NEWTNIPL_H
#define NUMERIK_NEWTNIPL_H

#include "interplt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Creation record: the six fields common to both interpolation classes.
 * The vectors may be of any matrix class; creation copies column 1 of them. */
typedef struct newtoninterpolation_parameter {
    const char *name;      /**< null gives "unbenannt"; copied */
    int art;               /**< node kind 0, 1 or 2 */
    objekt *stuetzstellen; /**< node kind 0 only: n+1 rows */
    double a;              /**< node kinds 1 and 2 only: the interval [a, b] */
    double b;              /**< node kinds 1 and 2 only */
    objekt *stuetzwerte;   /**< its row count is n+1 (at least 1); column 1 is used */
} newtoninterpolation_parameter;

/** The NEWTON_INTERPOLATION class descriptor. */
extern klasse newton_interpolation;
/** The NEWTON_INTERPOLATION table. */
extern const interpolation_funktionen newton_interpolationFunktionen;

/** Writes the text form (the problem, not the coefficients); returns 0. */
int newtoninterpolation_speichern(objekt *ip, FILE *aus);
/** Reads a NEWTON_INTERPOLATION text and creates the object from it through
 * kreieren, handing on zusatz; the caller owns the result.  A node kind
 * other than 0, 1 or 2 ends through the fatal path. */
objekt *newtoninterpolation_laden(FILE *ein, void *zusatz);
/** Releases the interpolation with its three vectors and its name;
 * returns 0. */
int newtoninterpolation_freigeben(objekt *ip);
/** A new interpolation from a newtoninterpolation_parameter, its nodes
 * placed by kind and its coefficients computed; the caller owns it and
 * keeps the record's vectors.  zusatz is not read.  Missing values or nodes,
 * a node count other than the value count, an invalid kind or interval end
 * through the fatal path. */
objekt *newtoninterpolation_kreieren(const void *parameter, void *zusatz);
/** p(x) by nested multiplication, for every x (no interval check). */
double newtoninterpolation_funktionswert(objekt *ip, double x);
/** The name, owned by ip; "NEWTON_INTERPOLATION" for the descriptor. */
const char *newtoninterpolation_name(objekt *ip);
/** 0: nodes "Stuetzstellen", 1: values "Stuetzwerte", 2: "Koeffizienten"
 * c(1..n+1); each (n+1) x 1, the stored vectors themselves, owned by ip.
 * Another index ends through the fatal path. */
objekt *newtoninterpolation_imVektor(objekt *ip, int index);
/** a for node kinds 1 and 2, the smallest node for kind 0. */
double newtoninterpolation_linkeGrenze(objekt *ip);
/** b for node kinds 1 and 2, the largest node for kind 0. */
double newtoninterpolation_rechteGrenze(objekt *ip);

#ifdef __cplusplus
}
#endif

#endif
