// Helpers shared by the spline tests: vectors from lists, creation with a
// filled record, access to the coefficient rows.
#ifndef TESTS_SPLINE_HILFEN_H
#define TESTS_SPLINE_HILFEN_H

#include "hilfen.h"
#include "numerik/interplt.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"

#include <array>
#include <string>
#include <vector>

inline objekt *vektor_aus(const std::vector<double> &werte, const char *name = "v") {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, name, 1};
    objekt *v = nmmatrix_kreieren(&p, nullptr);
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v, static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

struct splineauftrag {
    int stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT;
    std::vector<double> knoten; // node kind 0 only
    double a = 0.0;
    double b = 1.0;
    std::vector<double> werte;
    int splineart = SPLINE_NATUERLICH;
    double abl2links = 0.0;
    double abl2rechts = 0.0;
    double abl1links = 0.0;
    double abl1rechts = 0.0;
    const char *name = "s";
};

// Creates through the class table; the record's vectors are released again.
inline objekt *spline_aus(const splineauftrag &auftrag) {
    objekt *knoten = auftrag.knoten.empty() ? nullptr : vektor_aus(auftrag.knoten);
    objekt *werte = vektor_aus(auftrag.werte);
    splineinterpolation_parameter p = {auftrag.name,
                                       auftrag.stuetzstellenart,
                                       knoten,
                                       auftrag.a,
                                       auftrag.b,
                                       werte,
                                       auftrag.splineart,
                                       auftrag.abl2links,
                                       auftrag.abl2rechts,
                                       auftrag.abl1links,
                                       auftrag.abl1rechts};
    objekt *s = interpolation_tabelle(&spline_interpolation)->kreieren(&p, nullptr);
    if (knoten != nullptr) nmmatrix_freigeben(knoten);
    nmmatrix_freigeben(werte);
    return s;
}

inline void spline_frei(objekt *s) {
    interpolation_tabelle(s)->freigeben(s);
}

inline double wert(objekt *s, double x) {
    return interpolation_tabelle(s)->funktionswert(s, x);
}

inline std::vector<double> spalte(objekt *s, int index) {
    objekt *v = interpolation_tabelle(s)->imVektor(s, index);
    std::vector<double> ergebnis;
    for (int i = 1; i <= nmmatrix_hoehe(v); ++i)
        ergebnis.push_back(nmmatrix_amIndex(v, i, 1));
    return ergebnis;
}

// Row i (from 1) of the coefficient matrix: t^3, t^2, t, 1.
inline std::array<double, 4> zeile(objekt *s, int i) {
    objekt *c = interpolation_tabelle(s)->imVektor(s, 2);
    return {nmmatrix_amIndex(c, i, 1), nmmatrix_amIndex(c, i, 2), nmmatrix_amIndex(c, i, 3),
            nmmatrix_amIndex(c, i, 4)};
}

inline std::string gespeichert(objekt *s) {
    textsenke aus;
    interpolation_tabelle(s)->speichern(s, aus);
    return aus.text();
}

#endif
