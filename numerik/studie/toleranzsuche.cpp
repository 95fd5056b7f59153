// The tolerance search: for each method the smallest n whose error meets a
// tolerance, n doubled and then bisected.
#include "numerik/studie.h"

#include "studie_intern.h"

#include <algorithm>
#include <cmath>
#include <string>

int kleinstes_n(const std::function<double(int)> &fehler, double toleranz, int n_min, int n_max) {
    auto erreicht = [&](int n) { return fehler(n) <= toleranz; };
    int verfehlt = 0; // the largest n known to fail (0: none yet)
    int n = n_min;
    while (!erreicht(n)) {
        if (n >= n_max) return 0;
        verfehlt = n;
        n = n > n_max / 2 ? n_max : 2 * n;
    }
    if (verfehlt == 0) return n;
    while (n - verfehlt > 1) {
        int mitte = verfehlt + (n - verfehlt) / 2;
        if (erreicht(mitte))
            n = mitte;
        else
            verfehlt = mitte;
    }
    return n;
}

int suchanfang(const methode &me) {
    return me.suchanfang;
}

int suchgrenze(const methode &me) {
    return me.suchgrenze;
}

toleranzsuche toleranz_suchen(int m, double toleranz, int punkte, int wahl,
                              const studie_fortschritt *fortschritt) {
    return toleranz_suchen(funktion[m - 1], m, toleranz, punkte, wahl, fortschritt);
}

toleranzsuche toleranz_suchen(const beispielfunktion &problem, int m, double toleranz, int punkte,
                              int wahl, const studie_fortschritt *fortschritt) {
    toleranzsuche t;
    t.m = m;
    t.problem = problem;
    t.toleranz = toleranz;
    t.punkte = punkte;
    t.spalten = spalten_waehlen(problem, wahl);
    // The share of a search is hard to know before it ends: each column
    // counts alike, and within one each measured n as much as the steps
    // a doubling and a bisection over the column's range take together.
    const double spalten = static_cast<double>(t.spalten.size());
    fortschrittsstand fs;
    fs.rueckruf = fortschritt;
    for (std::size_t j = 0; j < t.spalten.size(); ++j) {
        const methode *me = t.spalten[j];
        const double schritte =
            2.0 * std::log2(static_cast<double>(suchgrenze(*me)) / suchanfang(*me)) + 2.0;
        int gemessen = 0;
        auto fehler = [&](int n) {
            fs.was = problem_kurzname(m) + ", " + me->spalte + ", n = " + std::to_string(n);
            const int gitter = std::max(punkte, gitterpunkte_fuer(n));
            fs.basis = (j + std::min(0.95, gemessen / schritte)) / spalten;
            fs.je_punkt = 1.0 / spalten / schritte / gitter;
            ++gemessen;
            interpolation_zeiger ip = erzeugen(*me, problem, m, n, true);
            return fehler_messen(ip.get(), problem, gitter, fortschritt != nullptr ? &fs : nullptr);
        };
        t.n.push_back(kleinstes_n(fehler, toleranz, suchanfang(*me), suchgrenze(*me)));
    }
    return t;
}
