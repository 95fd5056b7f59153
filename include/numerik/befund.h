/** \file
 * What a finished study (numerik/studie.h) shows, concluded once from its
 * figures, so that every front end (fehlerstudie's tables and plots, the
 * page, Python) renders the same conclusions and decides nothing itself:
 * the marks of each figure and row, whether each column converges, the
 * words of its plot key, the reference lines of the convergence plot (C
 * n^-2 and C n^-4 beside a spline, the geometric rate C rho^-n fitted to a
 * polynomial on Chebyshev nodes), the plot's range and the cost of the
 * study.  befund_json() writes all of it, with the figures, as one JSON
 * text.
 *
 * It prints nothing; a study with more rows or columns than figures ends
 * through the library's fatal path (numerik/fehler.h).
 *
 * C++ only: everything it declares itself is under __cplusplus; a C
 * compiler sees only the C headers it includes. */
#ifndef NUMERIK_BEFUND_H
#define NUMERIK_BEFUND_H

#include "studie.h"
#include "warum.h"

#ifdef __cplusplus

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

/** The factor K of the rounding floor (rundungsboden): u Lambda_n max|f| K.
 * The rounding a stable global form adds to its figure (the values rounded
 * to doubles and magnified by up to Lambda_n, the sums of the barycentric
 * form, f on the grid) grows like about sqrt(n) u Lambda_n max|f|.
 * Measured against the errors of exact arithmetic
 * (tests/erwartet/rundungsboden.py) on the Chebyshev points of both kinds
 * for the example problems 1, 2 and 4, it is at most 2.7 times
 * u Lambda_n max|f| up to n = 256, 4.3 at n = 1024, 8.7 at 4096, 12.5 at
 * 8192 and 29 at 65536.  64 keeps the floor above it at every n a study
 * takes (up to 10^5, where the trend gives about 36).  What it costs a fit
 * is the figures within a factor 64 of the rounding: log 64 / log rho in
 * n, 37 for Runge's function (rho = 1.117), less than one doubling of n. */
constexpr double RUNDUNGSFAKTOR = 64.0;

/** The factor K of the rounding floor on n+1 nodes of kind art:
 * RUNDUNGSFAKTOR on the kinds whose Lebesgue constant grows slowly (the
 * Chebyshev kinds), else 6 n + 6.  On equidistant nodes the sums of the
 * barycentric form cancel: terms of size Lambda_n max|f| add up to
 * max|f|, and each addition leaves its rounding, so that the rounding
 * grows like n u Lambda_n max|f|, up to the bound (3n+4) + (3n+2) of the
 * second barycentric formula.  Measured against exact arithmetic
 * (tests/erwartet/rundung_aequidistant.py): the sine on [-9, 9] is 0.6 u
 * Lambda_n at n = 32, 70 at 64, 306 at 96 and 372 at 128, at most 3.2 n. */
double rundungsfaktor(int art, int n);

/** What a figure of the study's tables carries behind it (befund_zelle::marke). */
enum zellmarke {
    MARKE_KEINE = 0, /**< none */
    /** the figure is not finite (inf or nan): befund_zelle::ursache says why */
    MARKE_NICHT_ENDLICH = '!',
    /** at or below the rounding floor of its column: rounding, magnified by
     * the Lebesgue constant, may make all of it */
    MARKE_BODEN = '#',
    /** above the floor, but the Newton form differs from the stable form of
     * the same polynomial by more than that one's figure (rundung_ueberwiegt) */
    MARKE_STABIL = '*'
};

/** Why a figure is not finite (befund_zelle::ursache). */
enum endlich_ursache {
    URSACHE_KEINE = 0, /**< the figure is finite */
    /** f itself is not finite at some grid point */
    URSACHE_F = 1,
    /** Lambda_n max|f| exceeds the doubles: the interpolant's sums overflow */
    URSACHE_KONDITION = 2,
    /** values, weights or coefficients overflow on the way, though
     * Lambda_n max|f| is finite */
    URSACHE_UEBERLAUF = 3
};

/** The reference lines of a column. */
enum bezugsart {
    BEZUG_KEINER = 0,     /**< none */
    BEZUG_POTENZ = 1,     /**< a spline: C n^-2 and C n^-4 through its last converging figure */
    BEZUG_GEOMETRISCH = 2 /**< a polynomial on Chebyshev nodes: C rho^-n fitted to its figures */
};

/** One reference line over the study's n. */
struct bezugslinie {
    int p = 0;                 /**< C n^-p; 0: C rho^-n */
    double c = 0.0;            /**< C */
    double rho = 0.0;          /**< rho where p is 0 */
    std::vector<double> werte; /**< its value at each n of the study */
};

/** What one figure shows. */
struct befund_zelle {
    /** rounding dominates it (rundung_ueberwiegt): the table's mark * */
    bool rundung = false;
    /** the observed order from the row before (ordnung); NaN in the first
     * row, where either figure is not computed, and where ordnung gives
     * none */
    double ordnung = NAN;
    /** the rounding floor at this n for a global form (rundungsboden), NaN
     * for a local one and in a study of the derivative */
    double rundungsboden = NAN;
    /** the table's mark (zellmarke): '!' not finite, '#' at the floor, '*'
     * the Newton form's rounding above it; 0 none */
    char marke = MARKE_KEINE;
    /** for a figure that is not finite, why (endlich_ursache) */
    int ursache = URSACHE_KEINE;
};

/** What one column shows. */
struct befund_spalte {
    bool konvergiert = false; /**< konvergiert() */
    /** the words the plot key adds to the column's title, between
     * brackets: empty where it converges, "Rundung; gekappt" where every
     * figure above the ceiling is marked as rounding, "Rundung" where
     * nothing is capped and the last figure lies below 1e-12 max |f|,
     * else "divergiert; gekappt" */
    std::string legende;
    int bezugsart = BEZUG_KEINER; /**< its kind of reference lines */
    /** BEZUG_POTENZ: the rows of its converging figures, the lines running
     * through the last; BEZUG_GEOMETRISCH: the rows rho is fitted over;
     * empty where there are none */
    std::vector<std::size_t> bezugszeilen;
    /** BEZUG_GEOMETRISCH: the fitted rate; NaN without a fit (fewer than
     * two rows, or a study of the derivative, whose rounding floor is not
     * known) */
    double rho = NAN;
    double c = NAN; /**< and its constant C */
    /** the lines: n^-2 and n^-4 for a spline, rho^-n for a fit; empty where
     * there is nothing to draw them through */
    std::vector<bezugslinie> bezug;
};

/** Everything concluded from a study's figures. */
struct befund {
    std::vector<std::vector<befund_zelle>> zellen; /**< [n index][column] */
    std::vector<bool> gitter_zu_grob;              /**< per row: gitter_zu_grob() */
    std::vector<befund_spalte> spalten;            /**< per column */
    double decke = 1.0;                            /**< the plot's ceiling: diagramm_decke() */
    double boden = 0.1;                            /**< the plot's floor: diagramm_boden() */
    studie_kosten kosten;                          /**< the cost of the study's figures */
    /** the column whose n^-2 and n^-4 lines the plot draws: the first
     * spline column, where it has lines; -1 for none */
    int bezug_potenz = -1;
    /** the column whose fitted rate the plot draws: of the columns with a
     * fit, the one fitted furthest in n (then over more rows, then the
     * first); -1 for none */
    int bezug_geometrisch = -1;
    /** why the columns behave as they do: the theory's verdicts
     * (numerik/warum.h), on the analysis of the study's f */
    warum erklaerung;
};

/** The rounding floor of a global form (every node enters every value: the
 * Newton, barycentric and rational forms) on the n+1 nodes of kind art:
 * u Lambda_n max|f| K, with u = 2^-53, Lambda_n = lebesgue_schnell(art, n)
 * and K = RUNDUNGSFAKTOR.  A figure below it may be rounding alone.  For
 * the rational form Lambda_n is the polynomial's, far more than it
 * magnifies on equidistant nodes. */
double rundungsboden(int art, int n, double f_groesste);

/** The rounding floor of column me at n, NaN for a local form: for the
 * polynomial forms rundungsboden(); for the rational form of blending
 * degree d u K L max|f| with its own Lebesgue constant bounded by
 * L = min(Lambda_n, 2^(d-1) (2 + ln n)); for the trigonometric form
 * L = (2/pi) ln(n+1) + 1, K = RUNDUNGSFAKTOR; for AAA, which stops at its
 * tolerance on the study's grid, max(1e-13, 64 u) max|f|. */
double rundungsboden_von(const methode &me, int n, double f_groesste);

/** The verdicts of the theory for study s with its befund b (marks,
 * floors), on the analysis a of its f, and the recommendation for
 * toleranz; suche, where given, is a tolerance search of the same
 * toleranz whose n the recommendation takes first. */
warum warum_erklaeren(const studie &s, const befund &b, const warum_analyse &a, double toleranz,
                      const toleranzsuche *suche = nullptr);

/** The kind of reference lines of method me: BEZUG_POTENZ for a spline,
 * BEZUG_GEOMETRISCH for the interpolating polynomial (Newton or
 * barycentric form) on a node kind whose Lebesgue constant grows slowly
 * (the Chebyshev kinds; on them it converges geometrically for a function
 * analytic about [a, b]), else BEZUG_KEINER (the rational and Hermite forms
 * converge with a power of n that is not the spline's). */
int bezugsart_von(const methode &me);

/** Everything concluded from the figures of study s.  Ends through the
 * fatal path with "Die Studie hat nicht fuer jedes n und jede Spalte eine
 * Zahl.\n" where s.werte does not match s.n and s.spalten. */
befund studie_befund(const studie &s, double toleranz = WARUM_TOLERANZ_STANDARD);

/** The befund of the figures alone: marks, floors, words and lines
 * without the theory's analysis of f (befund::erklaerung stays empty),
 * what the tables need.  Ends as studie_befund. */
befund studie_marken(const studie &s);

/** The lines under a table that say what the marks # and ! of b mean
 * (those that occur), as fehlerstudie prints them. */
std::string marken_legende(const studie &s, const befund &b);

/** The study s and what b concludes from it as one JSON text (ASCII; every
 * number written so that it reads back to the same double, not a number
 * and infinity as null; row and column indices from 0):
 *
 *     {"m", "titel", "ableitung", "gitter_text", "f_groesste", "n": [...],
 *      "gitter": [...], "grob": [...], "decke", "boden", "rundungsfaktor",
 *      "kosten": {"operationen", "sekunden", "teuerste", "teuerste_operationen"},
 *      "bezug_potenz", "bezug_geometrisch",
 *      "spalten": [{"spalte", "titel", "methode", "fehler": [...],
 *        "berechnet": [...], "zellen": [...], "ordnung": [...],
 *        "ordnungen": [...], "rundung": [...], "rundungsboden": [...],
 *        "konvergiert", "legende", "bezugsart", "bezugszeilen": [...],
 *        "rho", "c", "bezug": [{"p", "c", "rho", "werte": [...]}]}]}
 *
 * "methode" is the column's row in ::methoden, "zellen" and "ordnungen"
 * the texts of fehlerstudie's tables ("%.3g" and "%.2f", "-" where there is
 * none, "" before the first row), "bezugsart" "potenz", "geometrisch" or
 * null, "teuerste" a column title or null; bezug_potenz and
 * bezug_geometrisch are column indices or null.  A befund of another
 * study's shape ends through the fatal path with "Der Befund gehoert
 * nicht zu dieser Studie.\n". */
std::string befund_json(const studie &s, const befund &b);

#endif

#endif
