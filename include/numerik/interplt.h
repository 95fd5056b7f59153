/** \file
 * Interpolation class cluster: the fourteen-slot function table, the node kinds,
 * the abstract loader, the header-line reader and the class query.
 *
 * An interpolation of n+1 values has the nodes x(1..n+1) and the values
 * y(1..n+1), counted from 1 as the rows of column vectors; imVektor counts
 * the object's vectors from 0 (0 the nodes, 1 the values, 2 the
 * coefficients).  Ownership: an interpolation from kreieren or laden belongs
 * to the caller, who releases it with its freigeben slot (C++: an
 * interpolation_zeiger).  Creation copies the record's name and vectors:
 * the caller keeps its vectors and releases them when it likes, also right
 * after creation.  The vectors from imVektor belong to the interpolation.
 * zusatz, the text format and failures are as for every object
 * (numerik/matrix.h): callers pass null for zusatz, and the vectors an
 * interpolation makes get its handle as their zusatz.  The text of an
 * interpolation holds its problem (nodes or interval, kinds, values), never
 * its coefficients, which loading computes again.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_INTERPLT_H
#define NUMERIK_INTERPLT_H

#include "matrix.h"

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/** Node kinds: how creation places the nodes x(i+1), i = 0..n. */
enum {
    STUETZSTELLEN_GEGEBEN = 0,       /**< copied from the creation record */
    STUETZSTELLEN_AEQUIDISTANT = 1,  /**< (i*b + (n-i)*a) / n */
    STUETZSTELLEN_TSCHEBYSCHEFF = 2, /**< (a+b)/2 + ((a-b)/2) * cos(i*pi/n) */
    /** the roots of T(n+1): (a+b)/2 + ((a-b)/2) * cos((2i+1)*pi/(2n+2)),
     * inside (a, b) */
    STUETZSTELLEN_TSCHEBYSCHEFF1 = 3
};

/** The fourteen slots of every interpolation class, in this order; callers
 * index the table, so the order is interface.  The last three (derivatives
 * and integral) extend the interpolant beyond its interval as funktionswert
 * does: a polynomial or rational form by its formula, a piecewise cubic by
 * its end pieces, a periodic spline by wrapping. */
typedef struct interpolation_funktionen {
    /** Writes the text form (the problem, no coefficients); returns 0. */
    int (*speichern)(objekt *ip, FILE *aus);
    /** Reads one object of the class from its text, computing its
     * coefficients, and returns it; the caller owns it.  zusatz goes to
     * kreieren; pass null. */
    objekt *(*laden)(FILE *ein, void *zusatz);
    /** Releases ip with its vectors and name; returns 0. */
    int (*freigeben)(objekt *ip);
    /** A new object from the class's creation record
     * (newtoninterpolation_parameter, splineinterpolation_parameter); the
     * caller owns it.  zusatz: pass null. */
    objekt *(*kreieren)(const void *parameter, void *zusatz);
    /** The interpolation's value at x. */
    double (*funktionswert)(objekt *ip, double x);
    /** The object's name, owned by it; for a descriptor the type text. */
    const char *(*name)(objekt *ip);
    /** Returns the class descriptor (a klasse*). */
    objekt *(*klasse)(objekt *ip);
    /** Vector number index, counted from 0 (0 nodes, 1 values, 2
     * coefficients), owned by ip. */
    objekt *(*imVektor)(objekt *ip, int index);
    /** The left end of the interpolation's interval. */
    double (*linkeGrenze)(objekt *ip);
    /** The right end of the interpolation's interval. */
    double (*rechteGrenze)(objekt *ip);
    /** The first derivative of the interpolant at x (at an interior node of
     * a piecewise cubic: its piece to the left, as funktionswert). */
    double (*ableitung1)(objekt *ip, double x);
    /** The second derivative of the interpolant at x (at an interior node
     * of a piecewise cubic: its piece to the left). */
    double (*ableitung2)(objekt *ip, double x);
    /** The definite integral of the interpolant from x1 to x2 (the negative
     * for x1 > x2, 0 for x1 = x2), inside or outside the interval. */
    double (*integral)(objekt *ip, double x1, double x2);
    /** The values at the anzahl points x[0..anzahl-1] into y[0..anzahl-1],
     * each bit for bit what funktionswert gives at that point; points in
     * ascending order are the fast case (a piecewise cubic steps from one
     * point's interval to the next).  x and y must not overlap.  A large
     * array may be shared by two threads (interpolation_werte). */
    void (*funktionswerte)(objekt *ip, const double *x, double *y, size_t anzahl);
} interpolation_funktionen;

/** The one place where a handle's table is seen as an interpolation table;
 * ip may be a handle or a descriptor. */
static inline const interpolation_funktionen *interpolation_tabelle(const objekt *ip) {
    return (const interpolation_funktionen *)ip->funktionen;
}

/** The abstract interpolation class: its table holds only laden
 * (interpolation_laden). */
extern klasse allg_interpolation;

/** Loads an interpolation of whichever registered class
 * (NEWTON_INTERPOLATION, SPLINE_INTERPOLATION, BARYZENTRISCHE_INTERPOLATION,
 * RATIONALE_INTERPOLATION, HERMITE_INTERPOLATION, AAA_INTERPOLATION,
 * TRIGONOMETRISCHE_INTERPOLATION) the next header line names and returns it; the
 * caller owns it.  zusatz goes to that class's laden.  End of input, a header line without ':' or a
 * type that is not registered end through the fatal path. */
objekt *interpolation_laden(FILE *ein, void *zusatz);

/** The twin of matrix_kopfzeile with its own state: an empty typ discovers
 * (typ must hold 80 characters), a non-empty typ expects that type.  The
 * name stays valid until the next interpolation header line is read. */
const char *interpolation_kopfzeile(FILE *ein, char *typ);

/** The descriptor of ip's class (newton_interpolation, spline_interpolation,
 * baryzentrische_interpolation, rationale_interpolation,
 * hermite_interpolation, aaa_interpolation or trigonometrische_interpolation); any other table
 * ends through the fatal path. */
klasse *interpolation_klasse(objekt *ip);

/** The interval check of the placed node kinds, also used for the interval on
 * which a program evaluates: ends through the fatal path with
 * "Intervall [%lf,%lf] numerisch zu klein oder ungueltig.\n" when
 * b - a < 2^-120.  A difference of exactly 2^-120 passes, and so does one
 * that is not a number. */
void interpolation_intervall_pruefen(double a, double b);

/** The derivative of order ordnung (0: the value, 1 or 2) of ip at x,
 * through its slot; not a number for an x that is not finite.  Another
 * order ends through the fatal path with "Ableitung %i. Ordnung nicht
 * vorhanden (0, 1 oder 2).\n", a class without the slot (the abstract
 * one) with "Diese interpolation kann nicht abgeleitet werden.\n". */
double interpolation_ableitung(objekt *ip, int ordnung, double x);

/** The integral of ip from x1 to x2 through its slot (the negative for
 * x1 > x2).  A bound that is not finite ends through the fatal path with
 * "Integrationsgrenze %s ist keine endliche Zahl.\n" (naming x1 or x2), a
 * class without the slot (the abstract one) with "Diese interpolation kann
 * nicht integriert werden.\n". */
double interpolation_integral(objekt *ip, double x1, double x2);

/** The values of ip at the anzahl points x into y through its
 * funktionswerte slot: bit for bit those of funktionswert, one point at a
 * time.  At least 65536 points are shared by two threads when the process
 * runs two (zahl_faeden, numerik/zahlen.h), with the same values.  A class
 * without the slot (the abstract one) ends through the fatal path with
 * "Diese interpolation kann nicht ausgewertet werden.\n", points or room
 * for the values missing (a null array and anzahl > 0) with "Keine Punkte
 * oder kein Platz fuer die Werte.\n". */
void interpolation_werte(objekt *ip, const double *x, double *y, size_t anzahl);

/** Point i (i = 0..n) of n+1 equidistant points of [a, b]: the nodes of kind
 * STUETZSTELLEN_AEQUIDISTANT, and the points at which the programs write
 * values.  Formed as (i*b + (n-i)*a) / n, so that point 0 is n*a/n (which may
 * differ from a in the last bit); stored files carry a and b, and loading
 * must place the very same nodes again.  Where that formula overflows (|a|
 * or |b| near DBL_MAX) it is evaluated on a and b scaled by 2^-64, so that
 * every point of finite a < b is finite and lies in [a, b]. */
double aequidistanter_punkt(int i, int n, double a, double b);

/** Places the n+1 nodes of a placed kind (STUETZSTELLEN_AEQUIDISTANT,
 * STUETZSTELLEN_TSCHEBYSCHEFF, STUETZSTELLEN_TSCHEBYSCHEFF1) on [a, b] into rows 1..n+1 of column 1
 * of knoten (a matrix of any class, at least n+1 rows), after the interval check; exactly the nodes
 * that creation places.  Any other kind ends through the fatal path with "Ungueltige
 * Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n" naming name and the kind. */
void stuetzstellen_platzieren(objekt *knoten, int art, int n, double a, double b, const char *name);

/** How given nodes must stand for a class (interpolationstyp::knotenordnung). */
enum {
    KNOTEN_VERSCHIEDEN = 0, /**< in any order, pairwise distinct */
    KNOTEN_AUFSTEIGEND = 1  /**< ascending, each step at least 2^-120 */
};

/** The most options a class has: the size of interpolation_problem::optionen. */
enum { INTERPOLATION_OPTIONEN_MAX = 6 };

/** A named value of an option: "natuerlich" for the spline's end condition
 * SPLINE_NATUERLICH.  A list of them ends with a null schluessel. */
typedef struct interpolation_wahl {
    const char *schluessel; /**< the name, ASCII */
    int wert;               /**< the option's value */
} interpolation_wahl;

/** How an option appears in the text form of its class. */
enum {
    OPTION_TEXT_IMMER = 0,       /**< a key line "zeile value" in every text */
    OPTION_TEXT_WENN_GESETZT = 1 /**< the key line only where the value is not the default */
};

/** One option of an interpolation class. */
typedef struct interpolation_option {
    /** The key by which callers name it: the keyword of the Python classes, the page's key. */
    const char *schluessel;
    /** Its key line in the class's text form ("d =", "splineart ="), without the value. */
    const char *zeile;
    /** OPTION_TEXT_IMMER or OPTION_TEXT_WENN_GESETZT (for the classes whose text form is the
     * generic one; the spline writes its own lines). */
    int im_text;
    /** 1: a whole number (a count, a switch or one of wahlen); 0: any finite number. */
    int ganzzahlig;
    /** The value where the caller gives none. */
    double standard;
    /** The named values, ending with a null schluessel; null for an option without names. */
    const interpolation_wahl *wahlen;
    /** What it means, one line of ASCII for help texts. */
    const char *titel;
} interpolation_option;

struct interpolation_problem;

/** The record of an interpolation class: everything the generic layer, the
 * study and the front ends know of it.  Nothing outside the class's own file
 * asks which class an object is; they ask its record.  Each class defines
 * its record in its own file (newton_typ, spline_typ, ...), and the registry
 * lists them. */
typedef struct interpolationstyp {
    /** The class descriptor; its table holds the math slots. */
    klasse *beschreibung;
    /** The type text of the header line ("SPLINE_INTERPOLATION"). */
    const char *typtext;
    /** The class's name in the front ends ("Spline"): the Python class. */
    const char *kurzname;
    /** The fewest values creation through interpolation_erzeugen takes (the
     *  spline: 2, for not-a-knot and clamped; its other ends refuse fewer
     *  than 3 themselves). */
    int mindestens;
    /** KNOTEN_VERSCHIEDEN or KNOTEN_AUFSTEIGEND: how given nodes must stand. */
    int knotenordnung;
    /** 1: every node enters every value (O(n) a point, O(n^2) or so to create, and the
     * rounding of a global form, amplified by the Lebesgue constant); 0: piecewise, local. */
    int global;
    /** 1: the interpolant is the polynomial of degree n through the n+1 nodes (its error falls
     * geometrically for analytic f on nodes whose Lebesgue constant grows slowly); 0: another form.
     */
    int polynom;
    /** The flag that, added to the node kind, makes an object of the problem alone, without
     * coefficients (the spline's OHNE_KOEFFIZIENTEN, written as splineerzeuger writes it); 0 for
     * a class without one. */
    int ohne_koeffizienten;
    /** The number of options, at most INTERPOLATION_OPTIONEN_MAX. */
    int optionen_anzahl;
    /** The options, in the order of interpolation_problem::optionen. */
    const interpolation_option *optionen;
    /** Creation from the generic problem: the class's own creation record filled from p
     * (problem and options), then its kreieren.  Called by interpolation_erzeugen after its
     * checks. */
    objekt *(*erzeugen)(const struct interpolation_problem *p, void *zusatz);
    /** The value of option k (0..optionen_anzahl-1) of an object of the class. */
    double (*option)(objekt *ip, int k);
} interpolationstyp;

/** The number of registered interpolation classes. */
int interpolationstypen_anzahl(void);

/** The record of registered class i (0..interpolationstypen_anzahl()-1), in the order in
 * which the loader compares type texts; null for any other i. */
const interpolationstyp *interpolationstyp_an(int i);

/** The record of the class whose descriptor is k (or of the object k, whose table is the
 * class's); null for none. */
const interpolationstyp *interpolationstyp_von(const objekt *k);

/** The record whose kurzname is name; null for none. */
const interpolationstyp *interpolationstyp_name(const char *name);

/** The index of option schluessel in t's list; -1 where t has none of that key. */
int interpolation_option_nummer(const interpolationstyp *t, const char *schluessel);

/** The creation record of every interpolation class, for
 * interpolation_erzeugen: the class, the problem (nodes or interval,
 * values) and the class's options. */
typedef struct interpolation_problem {
    /** The class: the descriptor of a registered class (newton_interpolation, ...). */
    klasse *methode;
    /** null gives "unbenannt"; copied */
    const char *name;
    /** The node kind (numerik/knotenarten.h). */
    int art;
    /** Node kinds that store their nodes (kind 0) only: n+1 rows. */
    objekt *stuetzstellen;
    /** Placed node kinds (1 to 3) only: the interval [a, b]. */
    double a;
    /** Placed node kinds only. */
    double b;
    /** n+1 rows; column 1 is used. */
    objekt *stuetzwerte;
    /** The class's options in the order of its record (interpolationstyp::optionen);
     * interpolation_problem_vorbelegen sets each to its default. */
    double optionen[INTERPOLATION_OPTIONEN_MAX];
} interpolation_problem;

/** Empties p and sets its class to methode and each option to the class's default;
 * another descriptor than a registered class's leaves the options 0. */
void interpolation_problem_vorbelegen(interpolation_problem *p, klasse *methode);

/** Sets option schluessel of p's class to wert; a key the class does not have ends through
 * the fatal path with "Option %s gibt es nicht fuer %s.\n". */
void interpolation_option_setzen(interpolation_problem *p, const char *schluessel, double wert);

/** Checks the problem and then creates an object of class p->methode
 * through that class's kreieren, to which zusatz goes; the caller owns the
 * result and keeps the record's vectors.  What the class itself rejects
 * (missing values or nodes, node and value counts that differ, an unknown
 * node kind, an interval of a placed kind that is too small, a spline kind
 * it does not know) ends with the class's own message.  Before the class
 * computes, this entry ends through the fatal path, naming the problem and
 * the row concerned, where:
 *  - fewer values than the class needs are given
 *    (interpolationstyp::mindestens),
 *  - a or b of a placed node kind is not finite,
 *  - a given node is not finite,
 *  - two given nodes are equal (classes that take any order), or given
 *    nodes do not ascend by at least 2^-120 (interpolationstyp::knotenordnung),
 *  - a value is not finite,
 *  - an option is not finite, or not a whole number of int's range where the
 *    class takes a whole one.
 * Loading an interpolation from its text runs the same checks. */
objekt *interpolation_erzeugen(const interpolation_problem *p, void *zusatz);

/** Checks p as interpolation_erzeugen does, without creating anything: the
 * checks listed there, then the counts the classes check (values given, as
 * many given nodes as values) and the spacing of given nodes, each ending
 * through the fatal path with creation's message.  O(n log n) in the number
 * of nodes: a caller can vouch for large data before it pays for a global
 * form.  What only the class's arithmetic finds (coefficients that overflow)
 * and its own options are left to creation. */
void interpolation_problem_pruefen(const interpolation_problem *p);

#ifdef __cplusplus
}

#include <memory>

/** C++: releases an interpolation through its own freigeben slot. */
struct interpolation_freigeber {
    /** Calls ip's freigeben slot. */
    void operator()(objekt *ip) const { interpolation_tabelle(ip)->freigeben(ip); }
};
/** C++: an interpolation held by an interpolation_zeiger is released through
 * its own freigeben slot when the holder goes, on every path (also when a
 * handler of numerik/fehler.h throws). */
using interpolation_zeiger = std::unique_ptr<objekt, interpolation_freigeber>;
#endif

#endif
