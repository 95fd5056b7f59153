// The convergence study as a module: the methods (table columns), creating
// their interpolants for an example problem, measuring the largest error on
// a grid, observed orders, the mark on Newton figures dominated by rounding,
// the search for the smallest n that meets a tolerance, the pointwise
// values for plots, and the tables as text.
//
// It prints nothing and never ends the process itself: every failure goes
// through the library's fatal path (numerik_fehler, numerik/fehler.h), which
// a caller may take over with numerik_fehlerbehandlung_setzen.  The library
// itself still writes its warnings (averaged end values, continued periodic
// splines) to standard error.  The program fehlerstudie prints what this
// module computes; other front ends (a browser page) show the same figures.
#ifndef WERKZEUGE_STUDIE_H
#define WERKZEUGE_STUDIE_H

#include "funktion.h"
#include "numerik/interplt.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Which columns a study shows.  The overview is 78 characters wide; the two
// groups alone are narrower, both together (SPALTEN_ALLE) 88.
enum spaltenwahl {
    SPALTEN_UEBERSICHT = 0, // all but the barycentric form on equidistant nodes
    SPALTEN_POLYNOME = 1,   // the interpolating polynomial in both forms
    SPALTEN_SPLINES = 2,    // natural, exact end second derivatives, periodic
    SPALTEN_ALLE = 3,
};

// One method: an interpolation class on one node kind (and spline kind).
struct methode {
    const char *spalte; // column header, at most 9 characters
    const char *titel;  // line title in plots, part of the object names
    klasse *art;        // class descriptor
    int stuetzstellenart;
    int splineart;     // splines only; SPLINE_ABL2_GEGEBEN takes f'' at a and b
    int gruppe;        // SPALTEN_POLYNOME or SPALTEN_SPLINES
    bool uebersicht;   // shown in the overview
    const char *farbe; // "#rrggbb", the same in every plot
};

// Every method, in column order.
extern const methode methoden[];
extern const int methoden_anzahl;

// The largest n of a study.  The Newton form costs n^2 / 2 divisions to
// create (seconds at n = 10^5) and is nothing but rounding long before n =
// 10^4, so its columns stop there.
constexpr int STUDIE_MAX_N = 100000;
constexpr int NEWTON_MAX_N = 10000;
int hoechstes_n(const methode &me);

// True when the problem's function takes the same value at both ends (to
// 1e-6), so that a periodic spline fits it.
bool periodisch(const beispielfunktion &problem);

// The methods of the choice (a spaltenwahl) that fit the problem.
std::vector<const methode *> spalten_waehlen(const beispielfunktion &problem, int wahl);

// The n+1 nodes of a node kind on the problem's interval, bit for bit those
// that creation places.
std::vector<double> stuetzstellen(const beispielfunktion &problem, int art, int n);

// The interpolant of a method with n+1 nodes, named after problem number m
// and method.  endwerte_mitteln: a periodic spline gets the mean of f(a) and
// f(b) at both ends from the study, as the library would make it, instead
// of the library's warning at each creation.
interpolation_zeiger erzeugen(const methode &me, const beispielfunktion &problem, int m, int n,
                              bool endwerte_mitteln = false);

// max |p(x) - f(x)| over the punkte points x(i) = (i*b + (N-i)*a)/N,
// i = 0..N = punkte-1 (the points of beispielwerte and kurvenpunkte).  Not a
// number as soon as one difference is not a number.
double groesster_fehler(objekt *ip, const beispielfunktion &problem, int punkte);

// log(e0/e1) / log(n1/n0); not a number where an error is 0, inf or nan.
double ordnung(double e0, int n0, double e1, int n1);

// The smallest grid that has ten steps per node interval at n, so that a
// smooth error bump between two nodes shows at 95 percent of its height
// (and grid points and nodes do not fall together, which would measure 0).
int gitterpunkte_fuer(int n);

struct messwert {
    double fehler = 0.0;
    bool berechnet = false; // false: n beyond hoechstes_n of the method
};

struct studie {
    int m = 0; // problem number, from 1
    int punkte = 0;
    std::vector<const methode *> spalten;
    std::vector<int> n;
    std::vector<std::vector<messwert>> werte; // [n index][column]
    double f_groesste = 0.0;                  // max |f(x)| on the grid
};

studie studie_durchfuehren(int m, const std::vector<int> &n, int punkte, int wahl);

// The Newton figure at (n index k, column j) is dominated by rounding: it
// differs from the figure of the same polynomial in barycentric form (a
// column of the study on the same nodes) by more than that figure.  False
// for every other column, and where the barycentric figure is not finite.
bool rundung_ueberwiegt(const studie &s, std::size_t k, std::size_t j);

// The error table and the table of orders, as fehlerstudie prints them for
// one problem.
std::string studie_text(const studie &s);

// For the convergence plot: a column converges when all its figures are
// finite, the last is not above the first and below max |f| (an error
// larger than the function itself says only that the interpolant is of no
// use).  The ceiling is the decade above the largest figure of the
// converging columns; the floor the decade below the smallest positive
// figure under the ceiling.
bool konvergiert(const studie &s, std::size_t j);
double diagramm_decke(const studie &s);
double diagramm_boden(const studie &s);

// The smallest n in [n_min, n_max] with fehler(n) <= toleranz: n doubled
// from n_min until it meets it (the last step to n_max), then bisected
// between the last n that failed and the first that met it.  0 when n_max
// fails.  Where the error does not fall with n it finds one such n, not
// always the smallest.
int kleinstes_n(const std::function<double(int)> &fehler, double toleranz, int n_min, int n_max);

// The range of n a search covers for a method.  Each n is measured on a grid
// of max(punkte, 10 n + 1) points, which costs the polynomial forms 10 n^2
// operations: they are searched up to n = 2000 (a tolerance that Chebyshev
// points reach at all they reach far below), the splines up to 10^5.  The
// periodic spline starts at n = 3 (with three nodes the library continues
// it to five).
constexpr int POLYNOM_SUCHGRENZE = 2000;
int suchanfang(const methode &me);
int suchgrenze(const methode &me);

struct toleranzsuche {
    int m = 0;
    double toleranz = 0.0;
    int punkte = 0;
    std::vector<const methode *> spalten;
    std::vector<int> n; // per column; 0: not met up to suchgrenze
};

toleranzsuche toleranz_suchen(int m, double toleranz, int punkte, int wahl);

// One table for the searches of one or more problems (same tolerance and
// grid): a row per problem, a column per method.
std::string toleranz_text(const std::vector<toleranzsuche> &suchen);

// The values of f and of each method's interpolant with n+1 nodes at the
// grid points, for the picture of one n.
struct verlauf {
    int m = 0;
    int n = 0;
    std::vector<const methode *> spalten;
    std::vector<double> x;
    std::vector<double> f;
    double f_groesste = 0.0;            // max |f(x)| on the grid
    std::vector<std::vector<double>> p; // [column][point]; empty: not computed
};

verlauf verlauf_berechnen(int m, int n, int punkte, int wahl);

#endif
