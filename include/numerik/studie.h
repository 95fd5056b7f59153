/** \file
 * The convergence study: for an example problem (numerik/beispielfunktionen.h)
 * or a function given by a formula (numerik/formel.h), in one shape, and
 * the methods of numerik/methoden.h, the largest error of each method
 * over n, the observed orders, the mark on figures that are rounding rather
 * than interpolation error, the search for the smallest n that meets a
 * tolerance, and the pointwise values of one n for plots.  What the
 * figures show (the plot's keys and range, reference lines, fitted rates)
 * is concluded in numerik/befund.h.
 *
 * It returns numbers in structures and texts as strings and prints nothing;
 * it never ends the process itself: every failure goes through the
 * library's fatal path (numerik/fehler.h), which a caller may take over.
 * The classes still write their own warnings (averaged end values,
 * continued periodic splines).  The program fehlerstudie prints and plots
 * what it computes; the page shows the same figures.
 *
 * C++ only: everything it declares itself is under __cplusplus; a C
 * compiler sees only the C headers it includes. */
#ifndef NUMERIK_STUDIE_H
#define NUMERIK_STUDIE_H

#include "beispielfunktionen.h"
#include "interplt.h"
#include "lebesgue.h"
#include "methoden.h"

#ifdef __cplusplus

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/** The least number of grid points of a study: its default up to n = 100. */
constexpr int STUDIE_MIN_PUNKTE = 1001;

/** The study's speed for its cost estimate, in operations (studie_kosten)
 * per second on one thread: a barycentric step at one grid point and one
 * node, eight nodes at a time, takes some 0.67 ns in 16-byte registers
 * (the baseline of x86-64), about half a study step with AVX2.  A second free core
 * makes a long study faster still; the estimate does not count on it. */
constexpr double STUDIE_OPERATIONEN_JE_SEKUNDE = 1.5e9;

/** Progress of a long computation of the study: melden is called now and
 * then with kontext, what is being computed ("Beispielfunktion 4, Bary-t,
 * n = 100000") and the share of the whole computation done, from 0 to 1,
 * weighted by the cost model (studie_kosten).  The study itself prints
 * nothing; a program shows it, a page may. */
struct studie_fortschritt {
    void (*melden)(void *kontext, const char *was, double anteil); /**< the callback */
    void *kontext;                                                 /**< its first argument */
};

/** The problem number of a function given by a formula, where the study's
 * functions take a problem number m beside the problem. */
constexpr int FORMEL_PROBLEM = 0;

/** The problem a study works on: p when its f is set, else row m-1 of
 * ::funktion (a study put together by hand names only m). */
const beispielfunktion &studie_problem(const beispielfunktion &p, int m);

/** The short name of problem m in messages and names of objects:
 * "Beispielfunktion 4", for FORMEL_PROBLEM "Formel". */
std::string problem_kurzname(int m);

/** The title of a problem: "Beispielfunktion 4: Ableitung zu arctan auf
 * [-9,9]", for FORMEL_PROBLEM "Formel: " and the formula, or the problem's
 * name where it has no formula (a caller's own function). */
std::string problem_titel(const beispielfunktion &problem, int m);

/** The part of file names that names problem m: "4", for FORMEL_PROBLEM
 * "formel" (a formula may hold '/' and other characters no file name
 * should). */
std::string problem_stamm(int m);

/** Checks the next n of a study's list against the ones before it: at least
 * 2, at most STUDIE_MAX_N, and above the one before (orders compare
 * successive n); else ends through the fatal path with
 * "n muss mindestens 2 sein!\n", "n darf hoechstens 100000 sein!\n" or
 * "Die Werte von n muessen aufsteigend sein!\n". */
void studie_n_pruefen(int n, const std::vector<int> &vorher);

/** Warns (numerik_warnung) once when a grid of punkte points has fewer
 * than ten steps per node interval for some n of n_liste, naming the first
 * such n and the grid that the last n needs.  Nothing for punkte 0 (the
 * grid that follows n, studie_punkte). */
void studie_gitter_pruefen(int punkte, const std::vector<int> &n_liste);

/** The grid of a study at n: punkte when the caller fixed it (punkte > 0),
 * else (punkte 0) the default max(STUDIE_MIN_PUNKTE, gitterpunkte_fuer(n)),
 * ten steps per node interval for every n. */
int studie_punkte(int punkte, int n);

/** The cost of a computation in operations, the estimate of its time. */
struct studie_kosten {
    double operationen = 0.0;          /**< all columns together */
    const methode *teuerste = nullptr; /**< the column that costs most */
    double teuerste_operationen = 0.0; /**< its share */
};

/** The cost of measuring method me with n+1 nodes on punkte points: for the
 * polynomial forms n per point (each evaluation runs over all nodes) and
 * n^2/2 to create, for the splines a search and a cubic per point. */
double methode_kosten(const methode &me, int n, int punkte);

/** The cost of studie_durchfuehren(problem, n_liste, punkte, wahl). */
studie_kosten studie_kosten_schaetzen(const beispielfunktion &problem,
                                      const std::vector<int> &n_liste, int punkte, int wahl);

/** The same for example problem m. */
studie_kosten studie_kosten_schaetzen(int m, const std::vector<int> &n_liste, int punkte, int wahl);

/** The cost of measuring the columns spalten at each n of n_liste on
 * studie_punkte(punkte, n) points. */
studie_kosten studie_kosten_schaetzen(const std::vector<const methode *> &spalten,
                                      const std::vector<int> &n_liste, int punkte);

/** Warns (numerik_warnung) once when k will take more than a minute at
 * STUDIE_OPERATIONEN_JE_SEKUNDE, naming the estimate and the costliest
 * column: "Warnung: Die Studie dauert geschaetzt etwa 8 min, vor allem die
 * Spalte Bary-t (Aufwand n mal Punkte).\n". */
void studie_dauer_pruefen(const studie_kosten &k);

/** The time of a run on this machine, in seconds, from short probes of
 * the work itself: the cost model's operations times the time of one on a
 * study of the same columns (513 nodes, 20481 points, a few milliseconds,
 * on one thread where problem keeps the study on one; not run for less
 * than half a second at STUDIE_OPERATIONEN_JE_SEKUNDE), plus the values of
 * f the columns ask for times the time of one, measured on f itself where
 * f is no closed form (a formula). */
struct studie_zeit {
    double sekunden = 0.0;        /**< the whole run, f's values included */
    double formel_sekunden = 0.0; /**< f's values alone */
};

/** The probes above for problem with the columns of wahl; operationen
 * counts the whole run (the study, the picture, the Lebesgue constants),
 * n_liste with punkte the grids on which f is asked (an n twice where it
 * is measured twice). */
studie_zeit studie_zeit_schaetzen(const beispielfunktion &problem, int wahl, int ableitung,
                                  double operationen, const std::vector<int> &n_liste, int punkte);

/** Above this many seconds for f's values, a formula that takes more than
 * the rest of the run is named as slow. */
constexpr double STUDIE_FORMEL_WARNSCHWELLE = 2.0;

/** Warns once: for a formula that takes more than
 * STUDIE_FORMEL_WARNSCHWELLE seconds and more than the rest ("Warnung: Die
 * Formel ist langsam: die Studie dauert geschaetzt etwa 7 s, davon 96% fuer
 * die Werte der Formel (ohne sie etwa 0 s).\n"), else for a run of more
 * than a minute, as studie_dauer_pruefen(k) says it, with the time z. */
void studie_dauer_pruefen(const studie_kosten &k, const studie_zeit &z);

/** The largest n the study computes for a method (methode::hoechstes_n). */
int hoechstes_n(const methode &me);

/** True when the problem's function takes the same value at both ends (to
 * 1e-6), so that a method that needs a periodic f fits it. */
bool periodisch(const beispielfunktion &problem);

/** The methods of the choice (a spaltenwahl) that fit the problem, in
 * column order. */
std::vector<const methode *> spalten_waehlen(const beispielfunktion &problem, int wahl);

/** The n+1 nodes of a node kind on the problem's interval, bit for bit
 * those that creation places. */
std::vector<double> stuetzstellen(const beispielfunktion &problem, int art, int n);

/** The interpolant of a method with n+1 nodes of its kind, named after
 * problem number m and the method.  endwerte_mitteln: a method that needs a
 * periodic f gets the mean of f(a) and f(b) at both ends from the study, as
 * the library would make it, instead of the library's warning at each
 * creation. */
interpolation_zeiger erzeugen(const methode &me, const beispielfunktion &problem, int m, int n,
                              bool endwerte_mitteln = false);

/** max |p(x) - f(x)| over the punkte points x(i) = (i*b + (N-i)*a)/N,
 * i = 0..N = punkte-1 (the points of beispielwerte and kurvenpunkte).  Not
 * a number as soon as one difference is not a number. */
double groesster_fehler(objekt *ip, const beispielfunktion &problem, int punkte);

/** log(e0/e1) / log(n1/n0); not a number where an error is 0, inf or nan. */
double ordnung(double e0, int n0, double e1, int n1);

/** The smallest grid that has ten steps per node interval at n, so that a
 * smooth error bump between two nodes shows at 95 percent of its height
 * (and grid points and nodes do not fall together, which would measure 0). */
int gitterpunkte_fuer(int n);

/** One figure of the study. */
struct messwert {
    double fehler = 0.0;    /**< the largest error */
    bool berechnet = false; /**< false: n beyond hoechstes_n of the method */
};

/** The figures of one problem: a row per n, a column per method. */
struct studie {
    int m = 0;                                /**< problem number, from 1; FORMEL_PROBLEM */
    beispielfunktion problem = {};            /**< the problem (studie_problem) */
    int punkte = 0;                           /**< the fixed grid, 0: following n */
    std::vector<int> gitter;                  /**< grid points at each n (studie_punkte) */
    std::vector<const methode *> spalten;     /**< the columns */
    std::vector<int> n;                       /**< the rows, ascending */
    std::vector<std::vector<messwert>> werte; /**< [n index][column] */
    double f_groesste = 0.0;                  /**< max |f(x)| on the grid */
    /** 0: the figures are max |p(x) - f(x)|; 1: max |p'(x) - f'(x)|, the
     * error of the first derivative (f' the problem's abl1) */
    int ableitung = 0;
};

/** The study of problem (number m, or FORMEL_PROBLEM) at each n of n_liste
 * on studie_punkte(punkte, n) points, with the columns of the choice wahl;
 * fortschritt, when given, hears of the progress.  ableitung 1 measures the
 * error of the first derivative instead of the value's; a problem without
 * abl1 then ends through the fatal path with "Beispielfunktion %d hat keine
 * 1. Ableitung.\n", an ableitung other than 0 and 1 with "Ableitung %d nicht
 * messbar (0 oder 1).\n". */
studie studie_durchfuehren(const beispielfunktion &problem, int m, const std::vector<int> &n_liste,
                           int punkte, int wahl, const studie_fortschritt *fortschritt = nullptr,
                           int ableitung = 0);

/** The same with the columns spalten, rows of ::methoden in any order (a
 * method that needs a periodic f is measured whatever f is). */
studie studie_durchfuehren(const beispielfunktion &problem, int m, const std::vector<int> &n_liste,
                           int punkte, const std::vector<const methode *> &spalten,
                           const studie_fortschritt *fortschritt = nullptr, int ableitung = 0);

/** The study of example problem m. */
studie studie_durchfuehren(int m, const std::vector<int> &n_liste, int punkte, int wahl,
                           const studie_fortschritt *fortschritt = nullptr, int ableitung = 0);

/** The grid of row k is too coarse to measure: fewer than ten steps per
 * node interval (a -g below gitterpunkte_fuer(n)).  Its figures are only
 * lower bounds of the error; where the grid points fall on the nodes they
 * are 0 whatever the interpolant does between them. */
bool gitter_zu_grob(const studie &s, std::size_t k);

/** The grid of the study as its texts name it: the one count of points
 * when every row has it ("1001"), else "max(1001, 10 n + 1)". */
std::string studie_gitter_text(const studie &s);

/** The figure at (n index k, column j) is dominated by rounding: it
 * differs from the figure of the same polynomial in its stable form (the
 * column methode::stabil of the study) by more than that figure.  False for
 * a column without a stable form among the columns, and where the stable
 * figure is not finite. */
bool rundung_ueberwiegt(const studie &s, std::size_t k, std::size_t j);

/** The error table and the table of orders, as fehlerstudie prints them for
 * one problem; for a study of the first derivative the title says so.  A figure of a row whose grid
 * is too coarse (gitter_zu_grob) carries the mark ~ behind it, or is the mark alone where it is 0,
 * and a legend under the table says what the mark means; so does an order formed with such a
 * figure. */
std::string studie_text(const studie &s);

/** For the convergence plot: column j converges when all its figures are
 * finite, the last is not above the first and below max |f| (an error
 * larger than the function itself says only that the interpolant is of no
 * use). */
bool konvergiert(const studie &s, std::size_t j);
/** The plot's ceiling: the decade above the largest figure of the
 * converging columns. */
double diagramm_decke(const studie &s);
/** The plot's floor: the decade below the smallest positive figure under
 * the ceiling. */
double diagramm_boden(const studie &s);

/** The smallest n in [n_min, n_max] with fehler(n) <= toleranz: n doubled
 * from n_min until it meets it (the last step to n_max), then bisected
 * between the last n that failed and the first that met it.  0 when n_max
 * fails.  Where the error does not fall with n it finds one such n, not
 * always the smallest. */
int kleinstes_n(const std::function<double(int)> &fehler, double toleranz, int n_min, int n_max);

/** The first n a search tries for a method (methode::suchanfang). */
int suchanfang(const methode &me);
/** The last n a search tries for a method (methode::suchgrenze). */
int suchgrenze(const methode &me);

/** The result of a tolerance search for one problem. */
struct toleranzsuche {
    int m = 0;                            /**< problem number, from 1; FORMEL_PROBLEM */
    beispielfunktion problem = {};        /**< the problem (studie_problem) */
    double toleranz = 0.0;                /**< the tolerance */
    int punkte = 0;                       /**< the least grid of each measurement */
    std::vector<const methode *> spalten; /**< the columns */
    std::vector<int> n;                   /**< per column; 0: not met up to suchgrenze */
};

/** For each method of the choice wahl that fits problem (number m, or
 * FORMEL_PROBLEM), the smallest n whose largest error, on max(punkte,
 * gitterpunkte_fuer(n)) points, is at most toleranz. */
toleranzsuche toleranz_suchen(const beispielfunktion &problem, int m, double toleranz, int punkte,
                              int wahl, const studie_fortschritt *fortschritt = nullptr);

/** The same for example problem m. */
toleranzsuche toleranz_suchen(int m, double toleranz, int punkte, int wahl,
                              const studie_fortschritt *fortschritt = nullptr);

/** One table for the searches of one or more problems (same tolerance and
 * grid): a row per problem, a column per method. */
std::string toleranz_text(const std::vector<toleranzsuche> &suchen);

/** The values of f and of each method's interpolant with n+1 nodes at the
 * grid points, for the picture of one n. */
struct verlauf {
    int m = 0;                            /**< problem number, from 1; FORMEL_PROBLEM */
    beispielfunktion problem = {};        /**< the problem (studie_problem) */
    int n = 0;                            /**< n+1 nodes */
    std::vector<const methode *> spalten; /**< the methods */
    std::vector<double> x;                /**< the grid points */
    std::vector<double> f;                /**< f at the grid points */
    double f_groesste = 0.0;              /**< max |f(x)| on the grid */
    std::vector<std::vector<double>> p;   /**< [column][point]; empty: not computed */
};

/** The values of the problem's f (number m, or FORMEL_PROBLEM) and of the
 * interpolants of the choice wahl with n+1 nodes at punkte grid points. */
verlauf verlauf_berechnen(const beispielfunktion &problem, int m, int n, int punkte, int wahl,
                          const studie_fortschritt *fortschritt = nullptr);

/** The same for example problem m. */
verlauf verlauf_berechnen(int m, int n, int punkte, int wahl,
                          const studie_fortschritt *fortschritt = nullptr);

/** The node kinds (with a placement on [a, b]) that the columns use, in
 * the order of the node-kind table. */
std::vector<int> lebesgue_arten(const std::vector<const methode *> &spalten);

/** The cost in operations (studie_kosten) of the Lebesgue constants of the
 * study studie_durchfuehren(problem, m, n_liste, punkte, wahl): per node
 * kind and n, the grid and the midpoints of the node intervals, n
 * operations each. */
double lebesgue_kosten(const beispielfunktion &problem, const std::vector<int> &n_liste, int punkte,
                       int wahl);

/** The same for example problem m. */
double lebesgue_kosten(int m, const std::vector<int> &n_liste, int punkte, int wahl);

/** The Lebesgue constants of a study's node sets: a row per n, a column
 * per node kind its columns use, in the order of the node-kind table. */
struct lebesgue_tabelle {
    int m = 0;                              /**< problem number, from 1 */
    std::vector<int> arten;                 /**< the node kinds, the columns */
    std::vector<int> n;                     /**< the rows */
    std::vector<std::vector<double>> werte; /**< [n index][kind index] */
};

/** The Lebesgue constants of the nodes of study s on its problem's
 * interval, each measured on the study's grid of its n. */
lebesgue_tabelle lebesgue_berechnen(const studie &s);

/** The table as fehlerstudie -l prints it after the table of orders: a
 * title line, a column per kind titled by its short form ("Knoten-a"),
 * the figures "%9.4g". */
std::string lebesgue_text(const lebesgue_tabelle &t);

#endif

#endif
