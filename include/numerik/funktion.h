/** \file
 * A function on an interval as the programs, the study and the page take
 * it: its values, its interval, its name and its first and second
 * derivatives, each evaluated with a context, and where a call costs more
 * than a value (a Python callable) a hook that gives many values in one
 * call.  The example problems
 * (numerik/beispielfunktionen.h) are functions of this shape; so is a
 * function given by a formula (numerik/formel.h), with its formula object
 * as context, and a function a caller brings (a Python callable).
 *
 * The record holds no memory of its own: what its pointers name belongs to
 * whoever filled it.  The header only declares; nothing here needs
 * linking.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_FUNKTION_H
#define NUMERIK_FUNKTION_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/** A function of x evaluated with a context (beispielfunktion::kontext). */
typedef double (*beispielfunktion_wert)(const void *kontext, double x);

/** f at anzahl points x, written to y, with a context
 * (beispielfunktion::kontext): many values in one call.  It may end
 * through the library's fatal path (numerik/fehler.h), or throw in C++. */
typedef void (*beispielfunktion_werte)(const void *kontext, const double *x, double *y,
                                       size_t anzahl);

/** One problem: f on [a, b]. */
typedef struct beispielfunktion {
    beispielfunktion_wert f;    /**< the function */
    double a;                   /**< left end of the interval */
    double b;                   /**< right end of the interval */
    const char *name;           /**< ASCII name, part of the names of files and objects */
    beispielfunktion_wert abl2; /**< f'', for exact end conditions; may be null */
    beispielfunktion_wert abl1; /**< f', for clamped ends; may be null */
    /** first argument of f, abl1, abl2 and werte (null for the example
     * problems); a problem with a context is evaluated by one thread at a
     * time */
    const void *kontext;
    const char *formel; /**< f as a formula in x (numerik/formel.h), or null */
    /** null, or the values of f at many points in one call; f is still
     * needed.  The study's measuring loop asks it for every value of f it
     * needs (the nodes of each kind and the grid of each n, one call each),
     * from the calling thread only, and never shares such a problem
     * between threads. */
    beispielfunktion_werte werte;
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

/** f at anzahl points x into y: through the hook werte in one call where p
 * has one, else point by point through f. */
static inline void beispiel_werte(const beispielfunktion *p, const double *x, double *y,
                                  size_t anzahl) {
    if (p->werte != NULL) {
        p->werte(p->kontext, x, y, anzahl);
        return;
    }
    for (size_t i = 0; i < anzahl; ++i)
        y[i] = p->f(p->kontext, x[i]);
}

#ifdef __cplusplus
}
#endif

#endif
