/** \file
 * A function on an interval as the programs, the study and the page take
 * it: its values, its interval, its name and its first and second
 * derivatives, each evaluated with a context.  The example problems
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
    beispielfunktion_wert abl2; /**< f'', for exact end conditions; may be null */
    beispielfunktion_wert abl1; /**< f', for clamped ends; may be null */
    /** first argument of f, abl1 and abl2 (null for the example problems);
     * a problem with a context is evaluated by one thread at a time */
    const void *kontext;
    const char *formel; /**< f as a formula in x (numerik/formel.h), or null */
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

#ifdef __cplusplus
}
#endif

#endif
