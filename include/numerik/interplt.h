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
 * RATIONALE_INTERPOLATION, HERMITE_INTERPOLATION) the next header line names and returns it; the
 * caller owns it.  zusatz goes to that class's laden.  End of input, a header line without ':' or a
 * type that is not registered end through the fatal path. */
objekt *interpolation_laden(FILE *ein, void *zusatz);

/** The twin of matrix_kopfzeile with its own state: an empty typ discovers
 * (typ must hold 80 characters), a non-empty typ expects that type.  The
 * name stays valid until the next interpolation header line is read. */
const char *interpolation_kopfzeile(FILE *ein, char *typ);

/** The descriptor of ip's class (newton_interpolation, spline_interpolation,
 * baryzentrische_interpolation, rationale_interpolation or
 * hermite_interpolation); any other table
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

/** Options of the spline class (numerik/splinipl.h) in an
 * interpolation_problem. */
typedef struct spline_optionen {
    /** SPLINE_ABL2_GEGEBEN, SPLINE_NATUERLICH, SPLINE_PERIODISCH,
     * SPLINE_NOT_A_KNOT or SPLINE_EINGESPANNT */
    int splineart;
    double abl2links;  /**< spline kind 0 only: s'' at x(1) */
    double abl2rechts; /**< spline kind 0 only: s'' at x(n+1) */
    double abl1links;  /**< spline kind 5 only: s' at x(1) */
    double abl1rechts; /**< spline kind 5 only: s' at x(n+1) */
} spline_optionen;

/** Options of the Newton form (numerik/newtnipl.h) in an
 * interpolation_problem. */
typedef struct newton_optionen {
    int leja; /**< 1: the nodes in Leja order (newtoninterpolation_parameter) */
} newton_optionen;

/** Options of the rational form (numerik/rationalipl.h) in an
 * interpolation_problem. */
typedef struct rational_optionen {
    int grad; /**< the blending degree d >= 0 (rationaleinterpolation_parameter) */
} rational_optionen;

/** Options of the piecewise cubic Hermite form (numerik/hermiteipl.h) in
 * an interpolation_problem. */
typedef struct hermite_optionen {
    /** the slopes: 0 Fritsch-Carlson, 1 Akima, 2 modified Akima
     * (hermiteinterpolation_parameter) */
    int steigungen;
} hermite_optionen;

/** The creation record of every interpolation class, for
 * interpolation_erzeugen: the class, the problem (nodes or interval,
 * values) and the class's options. */
typedef struct interpolation_problem {
    /** The class: newton_interpolation, baryzentrische_interpolation,
     * rationale_interpolation, spline_interpolation or
     * hermite_interpolation. */
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
    /** The options of the class, the member of its own name; a class
     * without options reads none. */
    union {
        /** spline_interpolation */
        spline_optionen spline;
        /** newton_interpolation */
        newton_optionen newton;
        /** rationale_interpolation */
        rational_optionen rational;
        /** hermite_interpolation */
        hermite_optionen hermite;
        /** Room for the record of a class with other options. */
        const void *weitere;
    } optionen;
} interpolation_problem;

/** Checks the problem and then creates an object of class p->methode
 * through that class's kreieren, to which zusatz goes; the caller owns the
 * result and keeps the record's vectors.  What the class itself rejects
 * (missing values or nodes, node and value counts that differ, an unknown
 * node kind, an interval of a placed kind that is too small, a spline kind
 * it does not know) ends with the class's own message.  Before the class
 * computes, this entry ends through the fatal path, naming the problem and
 * the row concerned, where:
 *  - fewer values than the class needs are given (the spline: 3, the
 *    Hermite form: 2),
 *  - a or b of a placed node kind is not finite,
 *  - a given node is not finite,
 *  - two given nodes are equal (classes that take any order), or given
 *    nodes do not ascend by at least 2^-120 (the spline and the Hermite form),
 *  - a value is not finite.
 * Loading an interpolation from its text runs the same checks. */
objekt *interpolation_erzeugen(const interpolation_problem *p, void *zusatz);

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
