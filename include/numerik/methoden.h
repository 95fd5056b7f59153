/** \file
 * The methods that the study and the page offer, as one table: each row is
 * an interpolation class with its creation options on one node kind, with
 * its titles, what it needs of a problem, its place in the column choices
 * and its plot style.  The columns of fehlerstudie, its -p and -s groups,
 * the page's list of methods and the colours of every plot are read from
 * this table; a new method is a new row (and, for a new class, the class).
 *
 * Rows are constant and live as long as the program; pointers to them
 * (const methode *) identify a method.  Titles and keys are ASCII.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_METHODEN_H
#define NUMERIK_METHODEN_H

#include "beispielfunktionen.h"
#include "interplt.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Which columns a study shows: the overview, or any union of the groups.
 * A row shows when every group of its methode::gruppe is chosen, so the
 * rows of gruppe SPALTEN_ALLE only with both.  The overview is 78
 * characters wide, the two groups alone are narrower; the tables of both
 * together (SPALTEN_ALLE) wrap into blocks of at most 80. */
enum spaltenwahl {
    SPALTEN_UEBERSICHT = 0, /**< the rows marked uebersicht */
    SPALTEN_POLYNOME = 1,   /**< the group of the interpolating polynomial (-p) */
    SPALTEN_SPLINES = 2,    /**< the group of the cubic splines (-s) */
    SPALTEN_ALLE = 3        /**< both groups */
};

/** Bounds of n in the study.  The Newton form costs n^2 / 2 divisions to
 * create (seconds at n = 10^5) and is nothing but rounding long before
 * n = 10^4, so its columns stop there; a tolerance search measures each n
 * on 10 n + 1 points, which costs the polynomial forms 10 n^2 operations,
 * so they are searched up to n = 2000. */
enum {
    STUDIE_MAX_N = 100000,    /**< the largest n of a study */
    NEWTON_MAX_N = 10000,     /**< the largest n of the Newton columns */
    POLYNOM_SUCHGRENZE = 2000 /**< where a search for the polynomial forms stops */
};

/** The bit of node kind art in methode::arten. */
#define STUETZSTELLENART_BIT(art) (1u << (art))

/** The most options a row sets. */
enum { METHODE_OPTIONEN_MAX = 3 };

/** What the study hands the class of a row for its n (methode::probe). */
enum methode_probe {
    /** the values of f at the n+1 nodes of the row's kind */
    PROBE_KNOTEN = 0,
    /** f at max(1001, 10 n + 1) equidistant points of [a, b] (the study's
     * grid at n), n being the class's option "grad": a method that fits a
     * sample rather than interpolating at n+1 nodes (AAA) */
    PROBE_GITTER = 1,
    /** the values at the first n of the n+1 nodes, those of the period
     * [a, b) without b, the value at a the mean of f(a) and f(b); f must be
     * periodic (trigonometric interpolation) */
    PROBE_PERIODE = 2
};

/** One option a row sets, by the key of its class's record
 * (interpolation_option::schluessel); a null key ends the list. */
typedef struct methode_option {
    const char *schluessel; /**< the option's key ("ende", "d") */
    double wert;            /**< its value */
} methode_option;

/** One method: a class with its creation options on one node kind, in the
 * order of the columns.  What it is and what it needs; how it is drawn is
 * the style table's (methode_stil). */
typedef struct methode {
    const char *spalte; /**< column title, at most 9 characters ("nat.Sp-a") */
    const char *titel;  /**< long title: plot keys, part of the object names */
    /** the page's key of the class with its options, the same in every row
     * that differs only in the node kind ("natuerlich") */
    const char *schluessel;
    const char *verfahren; /**< the title of that key on the page */
    klasse *art;           /**< class descriptor (its record: interpolationstyp_von) */
    int stuetzstellenart;  /**< node kind of the study's column */
    /** the options the row sets; the others keep their class's default */
    methode_option optionen[METHODE_OPTIONEN_MAX];
    /** the node kinds the method takes (STUETZSTELLENART_BIT of each),
     * stuetzstellenart among them */
    unsigned arten;
    bool periodisch; /**< needs f(a) = f(b): shown only for such a problem */
    /** needs f's derivative of this order at the ends (1: f', 2: f''), given
     * to its class as the options "links" and "rechts"; 0: nothing.  Not for
     * data without a function */
    int abl2;
    /** SPALTEN_POLYNOME or SPALTEN_SPLINES, or SPALTEN_ALLE for a row
     * shown only when both groups are chosen (the further spline ends, the
     * rational and Hermite forms, Leja order, the first-kind points) */
    int gruppe;
    bool uebersicht; /**< shown in the overview (SPALTEN_UEBERSICHT) */
    int hoechstes_n; /**< the largest n the study computes */
    int suchanfang;  /**< the first n of a tolerance search */
    int suchgrenze;  /**< the last n of a tolerance search */
    /** the column title of the same polynomial in a stable form on the same
     * nodes, against which a figure of this column is marked as rounding;
     * null: never marked */
    const char *stabil;
    /** the power p of the convergence plot's reference lines C n^-2 and
     * C n^-p through the column's figures (4 for the cubic splines); 0 for
     * none */
    int bezugsordnung;
    /** what the class is handed for n (methode_probe); PROBE_KNOTEN for the
     * interpolations at n+1 nodes */
    int probe;
    /** the order p of the method's error C n^-p for a smooth f (4 for a
     * cubic spline with exact or not-a-knot ends, 2 for the natural spline,
     * whose ends miss f'', and for the Hermite forms with slopes from
     * divided differences, d + 1 for the rational form); 0 for a global
     * form that converges geometrically */
    int ordnung;
} methode;

/** How a method is drawn in every plot (fehlerstudie's, the page's, Python's). */
typedef struct methode_stil {
    const char *spalte;  /**< the method's column title */
    const char *farbe;   /**< plot colour, "#rrggbb" */
    double breite;       /**< line width (gnuplot lw, pixels on the page) */
    int strich;          /**< dash type: 1 solid, 2 dashed, 3 dotted */
    int punkt;           /**< gnuplot point type */
    double punktgroesse; /**< gnuplot point size */
} methode_stil;

/** The style of method me (its row of the style table, by column title). */
const methode_stil *methode_stil_von(const methode *me);

/** The value of option schluessel that row me sets, or the default of its
 * class where the row sets none (0 for a key the class does not have). */
double methode_option_wert(const methode *me, const char *schluessel);

/** Every method, in column order. */
extern const methode methoden[];
/** The number of rows of ::methoden. */
extern const int methoden_anzahl;

/** The row of column title spalte, or null. */
const methode *methode_suchen(const char *spalte);

/** Creates method me on node kind art (STUETZSTELLEN_GEGEBEN with knoten, else placed on [a, b];
 * a class that makes objects without coefficients may take its flag on the kind,
 * interpolationstyp::ohne_koeffizienten) over werte, named name, with the row's options; the caller
 * owns the result.  problem gives f'' or f' at the ends where the method needs them
 * (methode::abl2); a null problem there ends through the fatal path with "Fuer eigene Daten ist f''
 * an den Enden nicht bekannt.\n" (f' for order 1).  On a placed kind with a problem, a row of
 * PROBE_GITTER takes f at the study's grid for n = rows of werte - 1 (and that n as its degree),
 * one of PROBE_PERIODE the first n values, the first the mean of the first and the last; a problem
 * whose f is not periodic ends there with "%s braucht ein periodisches f: f(a) = %g, f(b) =
 * %g.\n" (the method's title).  Given nodes go to the class as they are.  Every other failure is
 * the class's own. */
objekt *methode_erzeugen(const methode *me, const char *name, int art, objekt *knoten, double a,
                         double b, objekt *werte, const beispielfunktion *problem);

#ifdef __cplusplus
}
#endif

#endif
