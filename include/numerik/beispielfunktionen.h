/** \file
 * The numbered example problems of the programs, the study and the page:
 * a function, its interval, its name and its first and second derivatives.
 *
 * Problem m (counted from 1) is row m-1 of ::funktion.  The table and the
 * functions it points to are constant; nothing needs releasing.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_BEISPIELFUNKTIONEN_H
#define NUMERIK_BEISPIELFUNKTIONEN_H

#ifdef __cplusplus
extern "C" {
#endif

/** One example problem: f on [a, b]. */
typedef struct beispielfunktion {
    double (*f)(double);    /**< the function */
    double a;               /**< left end of the interval */
    double b;               /**< right end of the interval */
    const char *name;       /**< ASCII name, part of the names of files and objects */
    double (*abl2)(double); /**< the second derivative of f, for exact end conditions */
    double (*abl1)(double); /**< the first derivative of f, for clamped ends */
} beispielfunktion;

/** The example problems; problem m is row m-1. */
extern const beispielfunktion funktion[];
/** The number of rows of ::funktion. */
extern const int funktion_anzahl;

#ifdef __cplusplus
}
#endif

#endif
