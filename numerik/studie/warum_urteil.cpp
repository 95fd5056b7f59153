// The theory's verdict on each column of a study (numerik/warum.h): the
// rate or order it predicts, the singularity or property that explains
// it, where rounding takes over, and the cheapest method for a tolerance.
#include "warum_intern.h"

#include "studie_intern.h"

#include "numerik/interplt.h"
#include "numerik/knotenarten.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>

namespace {

int erste_marke(const studie &s, const befund &b, std::size_t j, char m) {
    for (std::size_t k = 0; k < s.n.size(); ++k)
        if (b.zellen[k][j].marke == m) return s.n[k];
    return 0;
}

double kosten_je_punkt(const methode &me, int n) {
    return ueber_alle_knoten(me) ? n + 1.0 : 20.0 + std::log2(n + 1.0);
}

// The kind's Lebesgue constant, cheaply where it has a large-n form.
double lebesgue_guenstig(int art, int n) {
    const knotenart *k = knotenart_nummer(art);
    if (k != nullptr && k->lebesgue_gross != nullptr && n > LEBESGUE_ABGETASTET_BIS)
        return k->lebesgue_gross(n);
    return lebesgue_schnell(art, n);
}

void polynom_urteil(const studie &s, const befund &b, const warum_analyse &a, std::size_t j,
                    warum_spalte &w) {
    const methode &me = *s.spalten[j];
    const bool tscheb = bezugsart_von(me) == BEZUG_GEOMETRISCH;
    const singularitaet *nah = a.singularitaeten.empty() ? nullptr : &a.singularitaeten.front();
    if (tscheb) {
        if (a.abfall == ABFALL_ALGEBRAISCH) {
            const double p = a.alpha - 1.0;
            vorhersagen(
                s, b, j, [p](double n) { return std::pow(n, -p); }, w);
            w.urteil = text("konvergiert algebraisch wie n^-%.2f: f hat eine Singularitaet auf "
                            "[a, b] (|a_k| ~ k^-%.2f)",
                            p, a.alpha);
        } else if (nah == nullptr) {
            w.urteil = "konvergiert schneller als geometrisch: keine Singularitaet von f nahe "
                       "[a, b] (f wie ganz)";
        } else {
            const double rho = a.rho;
            vorhersagen(
                s, b, j, [rho](double n) { return std::pow(rho, -n); }, w);
            w.urteil = text("konvergiert geometrisch wie rho^-n, rho = %.4g: Singularitaet bei "
                            "%s (Bernstein-Ellipse)",
                            rho, stelle(*nah).c_str());
        }
    } else {
        // Equidistant or given nodes: the Runge region decides.
        const int r = a.runge_singularitaet;
        if (a.runge_abstand < 0.0) {
            const double d = a.runge_abstand;
            vorhersagen(
                s, b, j, [d](double n) { return std::exp(-n * d); }, w);
            w.divergiert = true;
            w.schluessel = "divergiert (Runge)";
            w.urteil = r >= 0 ? text("divergiert (Runge): die Singularitaet bei %s liegt im "
                                     "Runge-Gebiet der aequidistanten Stuetzstellen",
                                     stelle(a.singularitaeten[static_cast<std::size_t>(r)]).c_str())
                              : std::string("divergiert (Runge): f hat eine Singularitaet auf "
                                            "[a, b], im Runge-Gebiet der aequidistanten "
                                            "Stuetzstellen");
            return;
        }
        std::function<double(double)> g;
        if (r >= 0) {
            const double d = a.runge_abstand;
            g = [d](double n) { return std::exp(-n * d); };
        } else {
            // Without a singularity near: as fast as the Chebyshev
            // coefficients fall.
            const std::vector<double> &h = a.koeffizienten;
            g = [&h](double n) {
                const std::size_t i = std::min(h.size() - 1, static_cast<std::size_t>(n) + 1);
                double m = 0.0;
                for (std::size_t k = i; k < h.size(); ++k)
                    m = std::max(m, h[k]);
                return std::max(m, 1e-300);
            };
        }
        vorhersagen(s, b, j, g, w);
        const int k0 = erste_gueltige(s, b, j);
        const double c = k0 >= 0 ? s.werte[static_cast<std::size_t>(k0)][j].fehler /
                                       g(s.n[static_cast<std::size_t>(k0)])
                                 : s.f_groesste / g(s.n.front());
        const int art = me.stuetzstellenart;
        for (int n = 2; n <= 2000; ++n) {
            const double boden = std::ldexp(1.0, -53) * lebesgue_guenstig(art, n) * s.f_groesste *
                                 rundungsfaktor(art, n);
            if (boden >= c * g(n)) {
                w.rundung_ab = n;
                break;
            }
        }
        if (w.rundung_ab > 0)
            w.urteil = text("konvergiert, aber Rundung ab n \u2248 %d: exakt gerechnet konvergiert "
                            "es (%s), doch Lambda_n waechst wie 2^n",
                            w.rundung_ab,
                            r >= 0 ? "Singularitaeten ausserhalb des Runge-Gebiets"
                                   : "keine Singularitaet nahe [a, b]");
        else
            w.urteil = "konvergiert: keine Singularitaet im Runge-Gebiet";
    }
}

} // namespace

warum warum_erklaeren(const studie &s, const befund &b, const warum_analyse &a, double toleranz,
                      const toleranzsuche *suche) {
    warum e;
    e.analyse = a;
    e.toleranz = toleranz;
    for (std::size_t j = 0; j < s.spalten.size(); ++j) {
        const methode &me = *s.spalten[j];
        warum_spalte w;
        const interpolationstyp *t = interpolationstyp_von(me.art);
        if (!a.beurteilbar) {
            w.urteil = "nicht beurteilbar: " + a.grund;
        } else if (s.ableitung != 0) {
            w.urteil = "nicht beurteilbar: die Theorie hier gilt dem Fehler der Funktion";
        } else if (me.probe == PROBE_GITTER) {
            w.urteil = "rational (AAA): ihre Pole legen sich an die Singularitaeten von f; kein "
                       "Konvergenzsatz";
        } else if (me.probe == PROBE_PERIODE) {
            periodisch_urteil(s, b, a, j, toleranz, w);
        } else if (t != nullptr && t->polynom != 0) {
            polynom_urteil(s, b, a, j, w);
        } else if (me.ordnung > 0) {
            ordnung_urteil(s, b, a, j, toleranz, w);
        }
        const int boden = erste_marke(s, b, j, MARKE_BODEN);
        const int stabil = erste_marke(s, b, j, MARKE_STABIL);
        const int nicht_endlich = erste_marke(s, b, j, MARKE_NICHT_ENDLICH);
        if (boden > 0) w.urteil += text("; ab n = %d Rundung (#)", boden);
        if (stabil > 0) w.urteil += text("; die Newton-Form rundet ab n = %d staerker (*)", stabil);
        if (nicht_endlich > 0) w.urteil += text("; ab n = %d nicht endlich (!)", nicht_endlich);
        if (w.vorhersage.empty()) w.vorhersage.assign(s.n.size(), NAN);
        e.spalten.push_back(w);
    }
    // The recommendation: the cheapest column per point that meets the
    // tolerance, from the search, the study's figures or the prediction.
    double beste = INFINITY;
    const char *woher = "";
    for (std::size_t j = 0; j < s.spalten.size(); ++j) {
        const methode &me = *s.spalten[j];
        int n = 0;
        const char *quelle = "gemessen";
        if (suche != nullptr) {
            const auto it = std::find(suche->spalten.begin(), suche->spalten.end(), &me);
            if (it != suche->spalten.end())
                n = suche->n[static_cast<std::size_t>(it - suche->spalten.begin())];
            if (n > 0) quelle = "Suche";
        }
        // A figure counts where rounding cannot have carried it there: its
        // floor within the tolerance, and not a Newton form that left the
        // stable one's value (a figure below the tolerance that rounding
        // may equally put above it is luck, not a result).
        for (std::size_t k = 0; k < s.n.size() && n == 0; ++k) {
            const befund_zelle &z = b.zellen[k][j];
            if (s.werte[k][j].berechnet && s.werte[k][j].fehler <= toleranz &&
                !(z.rundungsboden > toleranz) && z.marke != MARKE_STABIL &&
                z.marke != MARKE_NICHT_ENDLICH)
                n = s.n[k];
        }
        const warum_spalte &w = e.spalten[j];
        // A modelled column: where its model meets the tolerance.
        if (n == 0 && w.toleranz_n > 0 && !(b.zellen.back()[j].rundungsboden > toleranz)) {
            n = w.toleranz_n;
            quelle = "vorhergesagt";
        }
        if (n == 0 && w.toleranz_n == 0 && a.beurteilbar && !w.divergiert &&
            !std::isnan(w.vorhersage.back()) && w.vorhersage.back() < w.vorhersage.front()) {
            // The model through the last two n of the study, continued.
            const double n1 = s.n.front(), n2 = s.n.back();
            const double e1 = w.vorhersage.front(), e2 = w.vorhersage.back();
            const bool geometrisch = me.ordnung == 0;
            for (int m = s.n.back() + 1; m <= hoechstes_n(me); m = m + std::max(1, m / 16)) {
                const double v = geometrisch
                                     ? e2 * std::pow(e2 / e1, (m - n2) / (n2 - n1))
                                     : e2 * std::pow(m / n2, std::log(e2 / e1) / std::log(n2 / n1));
                const double boden = b.zellen.back()[j].rundungsboden;
                if (v <= toleranz && !(boden > toleranz)) {
                    n = m;
                    quelle = "vorhergesagt";
                    break;
                }
            }
        }
        if (n == 0) continue;
        const double k = kosten_je_punkt(me, n);
        if (k < beste) {
            beste = k;
            e.empfohlen = static_cast<int>(j);
            e.empfohlen_n = n;
            woher = quelle;
        }
    }
    if (e.empfohlen < 0)
        e.empfehlung = text("Empfehlung fuer Toleranz %g: keine Spalte erreicht sie", toleranz);
    else
        e.empfehlung =
            text("Empfehlung fuer Toleranz %g: %s mit n = %d (%s), etwa %.0f Operationen je Punkt",
                 toleranz, s.spalten[static_cast<std::size_t>(e.empfohlen)]->spalte, e.empfohlen_n,
                 woher, beste);
    return e;
}

std::string warum_text(const std::vector<std::string> &spalten, const warum &w) {
    std::string t = "\nWarum\n";
    const warum_analyse &a = w.analyse;
    if (!a.beurteilbar) {
        t += "f: nicht beurteilbar: " + a.grund + "\n";
    } else {
        if (a.singularitaeten.empty() && a.abfall != ABFALL_ALGEBRAISCH)
            t += "f: keine Singularitaet nahe [a, b]";
        else if (a.singularitaeten.empty())
            t += "f: Singularitaet auf [a, b]";
        else
            t += text("f: naechste Singularitaet bei %s, rho = %.4g%s",
                      stelle(a.singularitaeten.front()).c_str(), a.rho,
                      a.singularitaeten.front().runge ? ", im Runge-Gebiet" : "");
        if (a.abfall == ABFALL_ALGEBRAISCH)
            t += text("; |a_k| faellt algebraisch wie k^-%.2f\n", a.alpha);
        else if (a.abfall == ABFALL_GEOMETRISCH)
            t += text("; |a_k| faellt geometrisch wie %.4g^-k\n", a.rho_koeffizienten);
        else
            t += "; |a_k| sofort auf Rundungsniveau\n";
    }
    for (std::size_t j = 0; j < spalten.size() && j < w.spalten.size(); ++j)
        t += text("%-9s %s\n", spalten[j].c_str(), w.spalten[j].urteil.c_str());
    t += w.empfehlung + "\n";
    return t;
}
