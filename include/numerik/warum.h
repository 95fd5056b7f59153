/** \file
 * Why the study's columns converge as they do, from the theory of
 * interpolation, concluded once in the library beside the figures
 * (numerik/befund.h) and rendered by every front end:
 *
 * - the singularities of f near [a, b], found as the poles of two AAA
 *   approximations of f on different samples that agree (a pole that moves
 *   between them belongs to the fit, not to f), each with its Bernstein
 *   parameter rho = |z + sqrt(z^2 - 1)| in z = (2x - a - b)/(b - a);
 * - the Runge region of equidistant nodes: the set where the potential
 *   phi(z) = 1/2 int_{-1}^{1} log|z - t| dt lies below phi(1) = log 2 - 1;
 *   a singularity inside it makes the exact interpolants diverge;
 * - the decay of f's Chebyshev coefficients |a_k| (from f at 513
 *   Chebyshev points): geometric, or algebraic like k^-alpha;
 * - a verdict per column of a study, its predicted error at each n and,
 *   for a piecewise or rational form, its predicted order;
 * - the cheapest method that meets a tolerance.
 *
 * Nothing here prints; every failure of f (not finite, an AAA fit that does
 * not settle) becomes a verdict that says what could not be judged.
 *
 * C++ only: everything it declares itself is under __cplusplus. */
#ifndef NUMERIK_WARUM_H
#define NUMERIK_WARUM_H

#include "beispielfunktionen.h"
#include "methoden.h"

#ifdef __cplusplus

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

/** The tolerance of a recommendation where the caller gives none. */
constexpr double WARUM_TOLERANZ_STANDARD = 1e-8;

/** Beyond this Bernstein parameter a singularity does not count: its
 * rate rho^-n passes the rounding unit before n = 12. */
constexpr double WARUM_RHO_GROSS = 20.0;

/** One singularity of f found near [a, b]. */
struct singularitaet {
    double re = 0.0;     /**< position */
    double im = 0.0;     /**< position, imaginary part */
    double rho = 0.0;    /**< its Bernstein parameter, >= 1 */
    double res_re = 0.0; /**< the residue of the AAA pole there */
    double res_im = 0.0; /**< its imaginary part */
    /** inside the Runge region of equidistant nodes */
    bool runge = false;
};

/** The kinds of decay of the Chebyshev coefficients. */
enum abfallart {
    ABFALL_UNBEKANNT = 0,   /**< not judged */
    ABFALL_GEOMETRISCH = 1, /**< like rho^-k */
    ABFALL_ALGEBRAISCH = 2, /**< like k^-alpha */
    ABFALL_SOFORT = 3 /**< the coefficients reach rounding at once: a polynomial of low degree */
};

/** What the theory says about f on [a, b], independent of any method. */
struct warum_analyse {
    bool beurteilbar = false; /**< false: grund says why nothing is judged */
    std::string grund;        /**< why not (German, ASCII) */
    double a = 0.0;           /**< the interval */
    double b = 0.0;           /**< the interval */
    double f_groesste = 0.0;  /**< max |f| on the Chebyshev sample */
    /** the singularities with rho < WARUM_RHO_GROSS, nearest first */
    std::vector<singularitaet> singularitaeten;
    /** rho of the nearest; +inf where there is none (f treated as entire) */
    double rho = INFINITY;
    /** the least phi(s) - phi(1) over the singularities in the scaled
     * variable: < 0 inside the Runge region (divergence of equidistant
     * interpolation like exp(-n d)), > 0 outside (convergence like
     * exp(-n d)); +inf without a singularity */
    double runge_abstand = INFINITY;
    /** the singularity that decides runge_abstand, -1 for none */
    int runge_singularitaet = -1;
    /** the boundary of the Runge region mapped to [a, b]: x + i y at 72
     * angles around the interval's centre, re and im in turn */
    std::vector<double> runge_rand;
    /** |a_k| of f's Chebyshev series, k = 0..512 */
    std::vector<double> koeffizienten;
    double plateau = 0.0;          /**< the rounding level of the coefficients */
    int abfall = ABFALL_UNBEKANNT; /**< the kind of decay (abfallart) */
    /** ABFALL_ALGEBRAISCH: |a_k| ~ k^-alpha; NaN otherwise */
    double alpha = NAN;
    /** ABFALL_GEOMETRISCH: the rate fitted to the coefficients */
    double rho_koeffizienten = NAN;
    /** f, f' and f'' at the ends: ende_abl[m][0] at a, [m][1] at b, from
     * one-sided differences on 7 points (f itself exact) */
    double ende_abl[3][2] = {};
    /** a bound of each one's error: the difference to the same formula
     * at twice the step, plus its rounding */
    double ende_abl_fehler[3][2] = {};
    /** max |f''''| on [a, b] from fourth differences on 401 points; NaN
     * where not judged */
    double abl4 = NAN;
    /** max (1 - z^2)^2 |f''''(x)| with z the scaled variable of x: the
     * interior error of a cubic spline on Chebyshev nodes, whose step
     * there is (b - a) pi / (2 n) sqrt(1 - z^2) */
    double abl4_tscheb = NAN;
};

/** The verdict of one column. */
struct warum_spalte {
    std::string urteil; /**< one line: what it does, the rate or order, why */
    /** the key words of its plot ("divergiert (Runge)", "Rundung (Kondition
     * \u039b_n)"), empty where it converges or nothing is known */
    std::string schluessel;
    /** the predicted error at each n of the study; NaN where none */
    std::vector<double> vorhersage;
    double ordnung_vorhergesagt = NAN; /**< a piecewise or rational form */
    double ordnung_beobachtet = NAN;   /**< its observed order at the last n */
    /** the exact interpolants diverge (Runge) */
    bool divergiert = false;
    /** equidistant and converging in exact arithmetic: the n where the
     * rounding floor meets the predicted error; 0 none */
    int rundung_ab = 0;
    /** a column whose error the theory models beyond the study's n (a
     * cubic spline, a periodic form with jumps): the first n where the
     * model meets the recommendation's tolerance; -1 where it does not
     * before the column's largest n; 0 for a column without such a model */
    int toleranz_n = 0;
};

/** Everything the theory explains about a study. */
struct warum {
    warum_analyse analyse;                     /**< the analysis of f */
    std::vector<warum_spalte> spalten;         /**< per column of the study */
    double toleranz = WARUM_TOLERANZ_STANDARD; /**< of the recommendation */
    std::string empfehlung;                    /**< "Empfehlung fuer Toleranz 1e-08: ..." */
    int empfohlen = -1;                        /**< the recommended column, -1 for none */
    int empfohlen_n = 0;                       /**< its n */
};

/** The analysis of f on [a, b] of problem: AAA on two samples of 2001
 * equidistant and 1001 Chebyshev points, the Runge region and the
 * Chebyshev coefficients.  f not finite somewhere on a sample, or AAA
 * without a settled fit, gives beurteilbar false and the reason. */
warum_analyse warum_analysieren(const beispielfunktion &problem);

/** phi(z) - phi(1) for the potential of equidistant nodes on [-1, 1]:
 * negative inside the Runge region. */
double runge_potential(double re, double im);

/** The Bernstein parameter of the point z = re + i im (scaled to [-1, 1]). */
double bernstein_rho(double re, double im);

/** Text of the "Warum" block, as fehlerstudie -w prints it after the tables
 * (one line per column of titles, the recommendation last). */
std::string warum_text(const std::vector<std::string> &spalten, const warum &w);

/** The fewest points of data that warum_daten_anpassen judges. */
constexpr int WARUM_DATEN_MIN_PUNKTE = 8;

/** The fit behind a warum_daten (private to the library). */
struct daten_naeherung;

/** The user's data (x, y) as a function: their AAA fit, where it
 * reproduces the data and settles, stands in for the unknown f on
 * [min x, max x], so that the analysis (warum_analysieren) and the study
 * can take it as they take a formula. */
struct warum_daten {
    bool beurteilbar = false; /**< false: grund says why the data are not judged */
    std::string grund;        /**< why not (German, ASCII) */
    std::size_t punkte = 0;   /**< the number of points given */
    double a = 0.0;           /**< min x */
    double b = 0.0;           /**< max x */
    double f_groesste = 0.0;  /**< max |y| */
    /** the relative tolerance the fit meets: 1e-10, or the data's last
     * decimal digit relative to max |y| where every y is a multiple of it
     * and that is at most 1e-5 */
    double toleranz = NAN;
    int grad = 0;            /**< the degree of the fit; 0 for constant data */
    double abweichung = NAN; /**< max |r(x) - y| / max |y| over the data */
    /** max |r2 - r| / max |y| of the fit r2 to every other point, at the
     * points left out and between all points: how well the fit settles */
    double vorhersage = NAN;
    /** f (the fit), f' and f'' on [a, b], named "AAA-Naeherung der Daten";
     * evaluated from one thread at a time; valid while naeherung lives */
    beispielfunktion problem = {};
    std::shared_ptr<const daten_naeherung> naeherung; /**< what problem evaluates */
};

/** The AAA fit of anzahl points (x, y), in any order: at most 2000 of
 * them (every k-th) fitted with the tolerance toleranz and a degree of at
 * most a third of the points (and 60), and again from every other one
 * of those; beurteilbar where the first fit meets toleranz max |y| at
 * every point and the second stays within 10 toleranz max |y| of the data
 * it left out and of the first on 2001 points of [a, b].  Fewer than
 * WARUM_DATEN_MIN_PUNKTE points, a value that is not finite, two equal x,
 * a fit that misses the data or does not settle give beurteilbar false
 * and the reason; nothing here ends through the fatal path.  Constant
 * data stand for the constant. */
warum_daten warum_daten_anpassen(const double *x, const double *y, std::size_t anzahl);

/** One line on the data: what stands in for f, or why nothing does
 * ("Daten: nicht beurteilbar: ..."). */
std::string warum_daten_text(const warum_daten &d);

#endif

#endif
