/** \file
 * A function on [a, b] given by a formula in x, with its first and second
 * derivatives.
 *
 * The formula language is muparser's: the variable x, numbers, + - * / ^
 * with the usual precedence (^ binds tightest), brackets, the functions
 * sin cos tan asin acos atan sinh cosh tanh exp ln log10 sqrt abs sign min
 * max (and muparser's others: atan2 asinh acosh atanh log2 log rint sum
 * avg, comparisons, && || and the conditional c ? u : v), the constants
 * _pi and _e, and pi as a further name of _pi (both the double nearest to
 * pi; muparser's own _pi has 13 digits only).  No name reads a file, runs a
 * command or loops.
 *
 * A formula that cannot be read ends through the library's fatal path
 * (numerik/fehler.h) with a message naming the formula, the token and its
 * position, for example
 * "Formel \"1/(1+x^\": Zeile endet nach \"^\" (Position 7).\n".
 *
 * The derivatives are differences: the central difference of eighth order
 * at steps h = H, H/2, ..., H/2^11 with H = max(b - a, |x|) / 8, taking the
 * step where two successive estimates agree best (that difference plus
 * the rounding eps max|f| / h^k being smallest).  For f analytic near
 * the stencil the result is accurate to about 1e-13 (f') and 1e-11 (f'')
 * of the derivative's largest size on [a, b] (measured on the four example
 * problems: at most 4e-14 and 3e-12); near a kink (abs at 0) it is no
 * derivative at all, and where f has no finite value on the stencil (sqrt
 * at 0) the estimate is not a number.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_FORMEL_H
#define NUMERIK_FORMEL_H

#include "funktion.h"

#ifdef __cplusplus
extern "C" {
#endif

/** A formula with its interval; made by formel_erzeugen. */
typedef struct formelfunktion formelfunktion;

/** Reads formula text on [a, b]; the caller releases the result with
 * formel_freigeben.  An unreadable formula, b <= a (the check
 * interpolation_intervall_pruefen of numerik/interplt.h) or a bound that is
 * not finite ("Intervall [-inf,1] nicht endlich.\n") end through the fatal
 * path; so does a failed allocation. */
formelfunktion *formel_erzeugen(const char *text, double a, double b);

/** Releases a formula; null is allowed. */
void formel_freigeben(formelfunktion *f);

/** The formula's text as given. */
const char *formel_text(const formelfunktion *f);

/** The formula's value at x, whatever it is (a value that is not finite
 * included).  Not thread-safe: one formula is evaluated by one thread at a
 * time. */
double formel_wert(const formelfunktion *f, double x);

/** f'(x) by the difference above; not a number where no step gives a
 * finite estimate. */
double formel_abl1(const formelfunktion *f, double x);

/** f''(x) by the difference above; not a number where no step gives a
 * finite estimate. */
double formel_abl2(const formelfunktion *f, double x);

/** The formula as a problem: f, abl1 and abl2 of the formula with f as
 * context, the interval, the name "Formel" (safe in names of files and
 * objects) and the text.  Its f, abl1 and abl2 end through the fatal path
 * where the value is not finite, naming x:
 * "Formel \"1/x\": kein endlicher Wert bei x = 0.\n" (" f'(x)" or
 * " f''(x)" for the derivatives). Valid while f is. */
beispielfunktion formel_als_funktion(const formelfunktion *f);

#ifdef __cplusplus
}
#endif

#endif
