// What the classes of the barycentric kind share: the Newton form
// (newtnipl.cpp), the barycentric form (baryzipl.cpp) and the rational form
// (rationalipl.cpp) hold the same problem (nodes, values, node kind,
// interval, one option of the class) and differ only in the third vector
// (divided differences or weights) and in evaluation.  Their record,
// creation up to that vector, text form, bounds, vectors and release are
// written once here; each class passes its type text, which every message
// and the header line carry, and the key line of its option.
#ifndef NUMERIK_POLYNOM_INTERN_H
#define NUMERIK_POLYNOM_INTERN_H

#include "numerik/interplt.h"

#include "interpolation/interplt_intern.h"

#include <cstddef>
#include <cstdio>
#include <vector>

// The private record of either class: the shared base (interplt_intern.h,
// at the record's start) and what the forms add.
struct polynomdaten : interpolationsbasis {
    int option; // the class's option: Leja order 0/1, blending degree d
    // Null while the vectors hold the problem's order; else row k+1 of
    // nodes and values is row reihenfolge[k]+1 of the problem (n+1 entries,
    // malloc'd), and the text form writes the problem's order.
    int *reihenfolge;
    // The Newton form in Leja order is written in t = (x - mitte) / skala;
    // 0 and 1 otherwise.
    double mitte;
    double skala;
};

// The six fields that open the creation record of each class, and the
// class's option.
struct polynomproblem {
    const char *name;
    int art;
    objekt *stuetzstellen;
    double a;
    double b;
    objekt *stuetzwerte;
    int option;
};

// The common part of a class's creation record P (null gives the empty
// problem, which creation rejects for its missing values).
template <class P> polynomproblem polynomproblem_aus(const void *parameter) {
    const auto *p = static_cast<const P *>(parameter);
    if (p == nullptr) return {nullptr, STUETZSTELLEN_GEGEBEN, nullptr, 0.0, 0.0, nullptr, 0};
    return {p->name, p->art, p->stuetzstellen, p->a, p->b, p->stuetzwerte, 0};
}

// One class: its record and the name of its third vector.
struct polynomklasse {
    const interpolationstyp *typ;
    const char *vektorname;
};

// The record; the fatal path without a message for a handle without one.
polynomdaten *polynom_daten(objekt *ip);

// Creation up to the third vector: handle, record and name, the three
// vectors (the third zeroed, or left unset with ungesetzt for a class that
// writes every entry), the nodes (copied in the given order, or placed by
// kind), the values, the option.  Each failure ends with the class's
// message; the object is held until the class has finished it.
interpolation_zeiger polynom_kreieren(const polynomproblem &p, const polynomklasse &k,
                                      bool ungesetzt = false);

// Puts nodes and values into the order reihenfolge (n+1 distinct row
// indices from 0: stored row k+1 becomes the problem's row
// reihenfolge[k]+1) and keeps it for the text form.
void polynom_umordnen(polynomdaten *d, const int *reihenfolge);

// The common text form (interplt_intern.h), nodes and values in the
// problem's order.
int polynom_speichern(objekt *ip, FILE *aus, const polynomklasse &k);

// The option of the forms, as their records hand it out.
double polynom_option(objekt *ip, int k);

// The weights of the rational form of blending degree grad (0 <= grad <=
// n) on the record's nodes into w[0..n], in the nodes' order, after the
// checks of callers that did not come through the generic entry: finite
// and distinct nodes (rational_gewichte.cpp).
void rationale_gewichte(const polynomdaten *d, double *w, int grad);

// The second barycentric formula with the third vector as weights (in
// baryzipl.cpp): the value of the barycentric and of the rational class.
double baryzentrische_formel(const polynomdaten *d, double x);

// p'(x) (ordnung 1) or p''(x) (ordnung 2) of the barycentric or rational
// interpolant with the third vector as weights (in baryzipl.cpp).
double baryzentrische_ableitung(const polynomdaten *d, double x, int ordnung);

// The m nodes (ascending, in (-1, 1)) and weights of Gauss-Legendre
// quadrature, exact for polynomials of degree up to 2m-1.
void gauss_legendre(int m, std::vector<double> &knoten, std::vector<double> &gewichte);

// The Gauss-Legendre sum of f over [lo, hi] on the nodes and weights of
// gauss_legendre.
template <class F>
double gauss_summe(const std::vector<double> &knoten, const std::vector<double> &gewichte,
                   double lo, double hi, F f) {
    double mitte = lo / 2 + hi / 2;
    double halb = hi / 2 - lo / 2;
    double summe = 0.0;
    for (std::size_t k = 0; k < knoten.size(); ++k)
        summe += gewichte[k] * f(mitte + halb * knoten[k]);
    return summe * halb;
}

// The integral of a polynomial of degree at most d->n from x1 to x2 whose
// value wert gives: Gauss-Legendre on ceil((n+1)/2) points, exact for that
// degree but for the rounding of the values.
// With aussen_umformen, outside the nodes through the outside form of the
// polynomial (g = n) instead of wert.  A result that is not finite ends
// through integral_endlich.
double polynom_integral(objekt *ip, double x1, double x2, double (*wert)(objekt *, double),
                        bool aussen_umformen);

// The widest registers this processor has for the lanes of the global
// forms, in bytes, asked once: 64 (AVX-512), 32 (AVX2) or 16 (the SSE2 of
// any x86-64, and the 128-bit lanes of WebAssembly).  NUMERIK_SIMD=0 in the
// environment keeps 16, for comparing: every width gives the same bits.
int register_breite();

// The quotient sum w(j) y(j) / (x - x(j)) over sum w(j) / (x - x(j)) of
// anzahl nodes, eight at a time (baryzentrische_summe.cpp); y(j) where x is
// a node or so close to one that its term is not finite.
double baryzentrische_summe(const double *knoten, const double *y, const double *w, int anzahl,
                            double x);

// The Newton form's nested multiplication over the coefficients c(1..n+1)
// and nodes knoten (x(n+1) takes no part) at the points x into y, sixteen
// points at a time, each value that of the one-point slot to the bit
// (newton_horner.cpp); with skaliert in t = (x - mitte) / skala against
// nodes so moved and scaled.  Returns how many leading points it did (a
// multiple of sixteen); the rest is the caller's.
std::size_t newton_horner(const double *c, const double *knoten, int n, bool skaliert, double mitte,
                          double skala, const double *x, double *y, std::size_t anzahl);

// The Leja order of the nodes x[0..n] (newtnipl.cpp): the first node
// farthest from the middle, then each the one of largest product of
// distances to those before.
std::vector<int> polynom_leja(const double *x, int n);

// The interpolant of the barycentric kind outside its nodes, where the
// second barycentric formula loses its denominator to cancellation (its
// terms are of size 1/x, their sum of size x^-(g+1) for a denominator of
// degree n - g): numerator and denominator each multiplied by the node
// polynomial are polynomials of degree n and n - g, whose values at the
// nodes are y(j) v(j) and v(j), v(j) = w(j) / lambda(j), lambda the
// polynomial weights.  Each is kept in Newton's form over the nodes in Leja
// order, the denominator on its first n - g + 1 nodes only (it is of that
// degree), in t = (x - mitte) / skala; their quotient has no cancellation
// however far out x is.  g = n is the polynomial (the denominator a
// constant).
struct aussenform {
    std::vector<double> knoten; // t of the nodes in Leja order
    std::vector<double> zaehler;
    std::vector<double> nenner;
    double mitte = 0.0;
    double skala = 1.0;
    bool gueltig = false;
    double wert(double x) const;
};

// Whether the second barycentric formula keeps at least 8 digits of its
// denominator at x (the sum of the magnitudes of its terms at most 10^8
// times that of their sum): there it is the better form, beyond it the
// outside form.
bool formel_genau(const polynomdaten *d, double x);

// The form of d's nodes, values and weights (the third vector) for a
// denominator of degree n - g; gueltig false where the quotients v do not
// fit in doubles (thousands of nodes).
aussenform aussenform_machen(const polynomdaten *d, int g);

// The release: the order kept for the text form, then the base.
int polynom_freigeben(objekt *ip);

#endif
