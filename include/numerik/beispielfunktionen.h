/** \file
 * A function on an interval as the programs, the study and the page take
 * it: its values, its interval, its name and its first and second
 * derivatives, each evaluated with a context.  The numbered example
 * problems are the rows of ::funktion, whose functions are closed forms
 * that ignore the context; a function given by a formula
 * (numerik/formel.h) has the same shape, its formula object as context.
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

/** A function of x evaluated with a context (beispielfunktion::kontext). */
typedef double (*beispielfunktion_wert)(const void *kontext, double x);

/** One problem: f on [a, b]. */
typedef struct beispielfunktion {
    beispielfunktion_wert f;    /**< the function */
    double a;                   /**< left end of the interval */
    double b;                   /**< right end of the interval */
    const char *name;           /**< ASCII name, part of the names of files and objects */
    beispielfunktion_wert abl2; /**< the second derivative of f, for exact end conditions */
    beispielfunktion_wert abl1; /**< the first derivative of f, for clamped ends */
    const void
        *kontext;       /**< first argument of f, abl1 and abl2 (null for the rows of ::funktion) */
    const char *formel; /**< f as a formula in x (numerik/formel.h) */
} beispielfunktion;

/** f(x) of problem p. */
static inline double beispiel_f(const beispielfunktion *p, double x) {
    return p->f(p->kontext, x);
}

/** f'(x) of problem p. */
static inline double beispiel_abl1(const beispielfunktion *p, double x) {
    return p->abl1(p->kontext, x);
}

/** f''(x) of problem p. */
static inline double beispiel_abl2(const beispielfunktion *p, double x) {
    return p->abl2(p->kontext, x);
}

/** The example problems; problem m is row m-1. */
extern const beispielfunktion funktion[];
/** The number of rows of ::funktion. */
extern const int funktion_anzahl;

#ifdef __cplusplus
}
#endif

#endif
