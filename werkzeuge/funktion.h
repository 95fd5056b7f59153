/* The numbered example problems: function, interval and name. */
#ifndef WERKZEUGE_FUNKTION_H
#define WERKZEUGE_FUNKTION_H

#ifdef __cplusplus
extern "C" {
#endif

double f1(double x); /* sin(x) */
double f3(double x); /* |x| */
double f4(double x); /* 1 / (x*x + 1), the derivative of arctan */

/* Their second derivatives, for splines with exact end conditions. */
double f1_abl2(double x); /* -sin(x) */
double f3_abl2(double x); /* 0: |x| is linear away from 0 */
double f4_abl2(double x); /* (6x^2 - 2) / (x^2 + 1)^3 */

typedef struct beispielfunktion {
    double (*f)(double);
    double a;
    double b;
    const char *name;
    double (*abl2)(double); /* the second derivative of f */
} beispielfunktion;

/* Problem m is row m-1. */
extern const beispielfunktion funktion[];
extern const int funktion_anzahl;

#ifdef __cplusplus
}
#endif

#endif
