/* Creates a natural cubic spline of sin on [0, pi] with eleven equidistant
 * nodes through the descriptor spline_interpolation, evaluates it and
 * releases it.  Written in C: the library's interface is C-compatible. */
#include <numerik/nmmatrix.h>
#include <numerik/splinipl.h>

#include <math.h>
#include <stdio.h>

int main(void) {
    const int n = 10;
    const double pi = 4.0 * atan(1.0);
    nmmatrix_parameter vektor = {n + 1, 1, "Werte von sin", 1};
    objekt *werte = matrix_tabelle(&nm_matrix)->kreieren(&vektor, NULL);
    for (int i = 0; i <= n; ++i)
        matrix_tabelle(werte)->setzen(werte, i + 1, 1, sin(i * pi / n));

    splineinterpolation_parameter p = {0};
    p.name = "sin auf [0,pi]";
    p.stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    p.a = 0.0;
    p.b = pi;
    p.stuetzwerte = werte;
    p.splineart = SPLINE_NATUERLICH;
    objekt *spline = interpolation_tabelle(&spline_interpolation)->kreieren(&p, NULL);
    matrix_tabelle(werte)->freigeben(werte);

    const interpolation_funktionen *f = interpolation_tabelle(spline);
    printf("%s: [%f, %f]\n", f->name(spline), f->linkeGrenze(spline), f->rechteGrenze(spline));
    for (int k = 0; k <= 4; ++k) {
        double x = k * pi / 4.0;
        printf("s(%f) = %f, sin = %f\n", x, f->funktionswert(spline, x), sin(x));
    }
    f->freigeben(spline);
    return 0;
}
