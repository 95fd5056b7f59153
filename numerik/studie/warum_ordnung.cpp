// The theory's verdicts on the columns of an order: the cubic splines
// with the theory's constants (interior h^4 f''''/384, the natural ends,
// the jumps of the periodic continuation), the trigonometric interpolant,
// and the steps that are not yet small against the nearest singularity.
#include "warum_intern.h"

#include "numerik/hermiteipl.h"
#include "numerik/knotenarten.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"
#include "numerik/studie.h"

namespace {

// Two observed orders within this count as the same: the local orders of
// a method settled at its order scatter by up to 0.1 (tests/erwartet/
// vorasymptotik.py), a model's constants by a factor 1.2 between the n.
constexpr double ORDNUNG_SPIELRAUM = 0.3;

// The constants of the end terms (tests/erwartet/end_konstanten.py): a
// jump J_m in f^(m) of the periodic continuation costs the trigonometric
// interpolant c_m |J_m| h^m in the maximum norm (m = 0: the mean at a,
// |J_0| / 2 for every n), the periodic spline its own c_m |J_m| h^m; the
// natural spline's missing f'' at an end costs NATUERLICH_ENDE |f''| h^2;
// a cubic spline's interior h^4 |f''''| / 384.
constexpr double TRIG_SPRUNG[3] = {0.5, 0.0950, 0.0191};
constexpr double SPLINE_SPRUNG[3] = {0.5, 0.0850, 0.0245};
constexpr double NATUERLICH_ENDE = 0.0491;
constexpr double SPLINE_INNEN = 1.0 / 384.0;

// The step of the node kind of me at n, from its table: at the centre,
// where the Chebyshev points' is the largest, or at the end.
double schritt(const methode &me, const warum_analyse &a, double n, bool ende) {
    const knotenart *k = knotenart_nummer(me.stuetzstellenart);
    const int m = std::max(1, static_cast<int>(std::lround(n)));
    if (k == nullptr || k->punkt == nullptr) return (a.b - a.a) / m;
    const int i = ende ? 0 : std::min(m / 2, m - 1);
    return std::fabs(k->punkt(i + 1, m, a.a, a.b) - k->punkt(i, m, a.a, a.b));
}

// Nodes that cluster at the ends (the Chebyshev points): at n = 64 the end
// step less than half the centre's.  A cubic spline's interior term then
// follows the local step (b - a) pi / (2 n) sqrt(1 - z^2).
bool gehaeuft(const methode &me, const warum_analyse &a) {
    return schritt(me, a, 64, true) < 0.5 * schritt(me, a, 64, false);
}

// From this step on, h <= distance / kappa, the local orders of a method
// on a function with a pole at that distance from [a, b] lie within 0.1
// of the method's order, the blends' within 0.15 (tests/erwartet/
// vorasymptotik.py): kappa 6 for cubic pieces, 25 for the Floater-Hormann
// blends, whose error falls faster than h^(d+1) before.
double vorasymptotik_kappa(const methode &me) {
    return me.art == &rationale_interpolation ? 25.0 : 6.0;
}

// The distance of the nearest singularity from [a, b], +inf for none.
double abstand(const warum_analyse &a, const singularitaet **naechste) {
    double d = INFINITY;
    for (const singularitaet &p : a.singularitaeten) {
        const double dx = std::max({a.a - p.re, p.re - a.b, 0.0});
        const double e = std::hypot(dx, p.im);
        if (e < d) {
            d = e;
            *naechste = &p;
        }
    }
    return d;
}

// The jump of f^(m) between b and a; 0 where it is not above ten times the
// error bound of the one-sided differences (for f itself, where half of it
// is not above the rounding level of the coefficients): nothing then tells
// it from a smooth continuation.
double sprung(const warum_analyse &a, int m) {
    const double j = a.ende_abl[m][1] - a.ende_abl[m][0];
    if (m == 0) return std::fabs(j) / 2.0 > a.plateau ? j : 0.0;
    return std::fabs(j) > 10.0 * (a.ende_abl_fehler[m][0] + a.ende_abl_fehler[m][1]) ? j : 0.0;
}

// The smallest m with a jump, -1 for none.
int erster_sprung(const warum_analyse &a) {
    for (int m = 0; m < 3; ++m)
        if (sprung(a, m) != 0.0) return m;
    return -1;
}

std::string sprung_text(const warum_analyse &a, int m) {
    if (m == 0)
        return text("f(a) != f(b): die periodische Fortsetzung springt um %.2g, an a steht das "
                    "Mittel",
                    sprung(a, 0));
    if (m == 1)
        return text("f'(a) != f'(b): die periodische Fortsetzung hat einen Knick (Sprung %.2g)",
                    sprung(a, 1));
    return text("f''(a) != f''(b): die periodische Fortsetzung springt in f'' (um %.2g)",
                sprung(a, 2));
}

// The end terms of a periodic form at step h: sum c_m |J_m| h^m.
double sprung_terme(const warum_analyse &a, const double *c, double h) {
    double e = 0.0;
    for (int m = 0; m < 3; ++m)
        e += c[m] * std::fabs(sprung(a, m)) * std::pow(h, m);
    return e;
}

// The local order of a model between n1 and n2.
double lokale_ordnung(const std::function<double(double)> &g, double n1, double n2) {
    return std::log(g(n1) / g(n2)) / std::log(n2 / n1);
}

// The first n >= von (scanned in steps of 2 %) where langsam reaches
// schnell; 0 for none before 10^8.
int uebergang(const std::function<double(double)> &langsam,
              const std::function<double(double)> &schnell, double von) {
    for (double n = von; n < 1e8; n *= 1.02)
        if (langsam(n) >= schnell(n)) return static_cast<int>(std::lround(n));
    return 0;
}

// The row k of the observed order: the last whose figure and the one
// before are unmarked, on a fine enough grid, with an order; -1 for none.
int ordnungszeile(const studie &s, const befund &b, std::size_t j) {
    for (std::size_t k = s.n.size(); k-- > 1;) {
        if (b.zellen[k][j].marke != MARKE_KEINE || b.zellen[k - 1][j].marke != MARKE_KEINE)
            continue;
        if (b.gitter_zu_grob[k] || b.gitter_zu_grob[k - 1]) continue;
        if (!std::isnan(b.zellen[k][j].ordnung)) return static_cast<int>(k);
    }
    return -1;
}

// What the theory says of a cubic spline's error: its interior term and
// the end terms of the natural spline's missing f'' or of the periodic
// spline's jumps.
struct spline_modell {
    std::function<double(double)> innen; // h^4 |f''''| / 384
    std::function<double(double)> ende;  // the end terms
    std::string ende_grund;              // what they come from
    int ende_ordnung = -1;               // their order, -1 for none
};

spline_modell spline_modellieren(const methode &me, const warum_analyse &a) {
    spline_modell m;
    const double l = a.b - a.a;
    const bool tscheb = gehaeuft(me, a);
    const double k4 = SPLINE_INNEN * (tscheb ? a.abl4_tscheb * std::pow(l * M_PI / 2.0, 4)
                                             : a.abl4 * std::pow(l, 4));
    m.innen = [k4](double n) { return k4 * std::pow(n, -4.0); };
    m.ende = [](double) { return 0.0; };
    const int ende = static_cast<int>(methode_option_wert(&me, "ende"));
    if (ende == SPLINE_NATUERLICH) {
        const double f2 = std::max(std::fabs(a.ende_abl[2][0]), std::fabs(a.ende_abl[2][1]));
        const double fehler = a.ende_abl_fehler[2][0] + a.ende_abl_fehler[2][1];
        if (!std::isfinite(fehler)) {
            m.ende_grund = "f'' an den Enden nicht bestimmbar";
        } else if (f2 > 10.0 * fehler) {
            // On nodes that cluster at the ends the end step falls like n^-2.
            m.ende = [&me, &a, f2](double n) {
                const double h = schritt(me, a, n, true);
                return NATUERLICH_ENDE * f2 * h * h;
            };
            m.ende_ordnung = tscheb ? 4 : 2;
            m.ende_grund = text("natuerliche Enden: f''(a) = %.2g, f''(b) = %.2g statt 0",
                                a.ende_abl[2][0], a.ende_abl[2][1]);
        } else {
            m.ende_grund = "f''(a) = f''(b) = 0: die natuerlichen Enden sind exakt";
        }
    } else if (me.periodisch) {
        const int s = erster_sprung(a);
        if (s >= 0) {
            m.ende = [&a, l](double n) { return sprung_terme(a, SPLINE_SPRUNG, l / n); };
            m.ende_ordnung = s;
            m.ende_grund = sprung_text(a, s);
        }
    }
    return m;
}

// Where a model of the error meets the tolerance beyond the study's last
// n, in the steps of the recommendation's search; -1 for nowhere.
int toleranz_erreicht(const std::function<double(double)> &g, const studie &s, const methode &me,
                      double toleranz) {
    for (int m = s.n.back() + 1; m <= hoechstes_n(me); m = m + std::max(1, m / 16))
        if (g(m) <= toleranz) return m;
    return -1;
}

} // namespace

void ordnung_urteil(const studie &s, const befund &b, const warum_analyse &a, std::size_t j,
                    double toleranz, warum_spalte &w) {
    const methode &me = *s.spalten[j];
    const int k = ordnungszeile(s, b, j);
    w.ordnung_beobachtet = k > 0 ? b.zellen[static_cast<std::size_t>(k)][j].ordnung : NAN;
    const double n1 = k > 0 ? s.n[static_cast<std::size_t>(k - 1)] : s.n.front();
    const double n2 = k > 0 ? s.n[static_cast<std::size_t>(k)] : s.n.back();
    double p = me.ordnung;
    std::string grund = text("Ordnung %d der Methode", me.ordnung);
    std::string spaeter;
    double innen_term = 0.0;
    const int s0 = me.periodisch || me.probe == PROBE_PERIODE ? erster_sprung(a) : -1;
    if (a.abfall == ABFALL_ALGEBRAISCH && (p == 0.0 || a.alpha - 1.0 < p)) {
        // A method of geometric rate meets f's algebraic smoothness alone.
        p = a.alpha - 1.0;
        grund = text("f nur so glatt: |a_k| ~ k^-%.2f", a.alpha);
        if (s0 >= 0 && s0 < p) {
            p = s0;
            grund = sprung_text(a, s0);
        }
        vorhersagen(
            s, b, j, [p](double n) { return std::pow(n, -p); }, w);
    } else if (me.art == &spline_interpolation && std::isfinite(a.abl4) && a.abl4 > 0.0) {
        // The spline's error from the theory's constants, no fit.
        const spline_modell m = spline_modellieren(me, a);
        innen_term = m.innen(n2);
        // The interior term peaks inside, the end terms at the ends: the
        // maximum norm sees the larger.
        const std::function<double(double)> g = [m](double n) {
            return std::max(m.innen(n), m.ende(n));
        };
        w.vorhersage.clear();
        for (int n : s.n)
            w.vorhersage.push_back(g(n));
        w.toleranz_n = toleranz_erreicht(g, s, me, toleranz);
        p = lokale_ordnung(g, n1, n2);
        if (m.ende_ordnung < 0 || m.ende_ordnung == 4) {
            grund = m.ende_grund.empty() ? "innen h^4 f''''/384" : m.ende_grund;
            if (m.ende_ordnung == 4) grund += "; an den gehaeuften Enden faellt das wie n^-4";
        } else if (m.ende(n2) >= m.innen(n2)) {
            grund = m.ende_grund;
        } else {
            grund = "innen h^4 f''''/384";
            const int n = uebergang(m.ende, m.innen, n2);
            if (n > 0)
                spaeter = text("; ab n \u2248 %d %s: %s", n,
                               m.ende_ordnung == 0 ? "nicht kleiner"
                                                   : text("n^-%d", m.ende_ordnung).c_str(),
                               m.ende_grund.c_str());
        }
    } else {
        if (s0 >= 0 && s0 < p) {
            p = s0;
            grund = sprung_text(a, s0);
        }
        // Without the theory's constant: C n^-p through the last figure
        // with an order, the one nearest the asymptotic regime.
        const double c =
            k > 0 ? s.werte[static_cast<std::size_t>(k)][j].fehler * std::pow(n2, p) : NAN;
        w.vorhersage.clear();
        for (int n : s.n)
            w.vorhersage.push_back(c * std::pow(n, -p));
    }
    w.ordnung_vorhergesagt = p;
    const double o = w.ordnung_beobachtet;
    if (std::isnan(o)) {
        w.urteil = text("erwartet n^-%.2f (%s); beobachtet: keine Ordnung", p, grund.c_str());
        return;
    }
    // A figure at the rounding level has no order to compare: the method
    // gives f itself (a spline with a knot at the kink of |x|^3, a
    // Floater-Hormann blend of a cubic); within ten times its cell's floor
    // where it has one.
    const double e2 = s.werte[static_cast<std::size_t>(k)][j].fehler;
    const double boden = b.zellen[static_cast<std::size_t>(k)][j].rundungsboden;
    if (e2 <= std::max(1e3 * std::ldexp(1.0, -53) * s.f_groesste,
                       std::isfinite(boden) ? 10.0 * boden : 0.0)) {
        w.urteil =
            text("exakt bis auf Rundung (%.2g): die Methode gibt f auf diesen Knoten wieder", e2);
        return;
    }
    const std::string beobachtet =
        o >= 0.0 ? text("konvergiert wie n^-%.2f", o) : text("waechst wie n^%.2f", -o);
    w.urteil = beobachtet + text(", erwartet n^-%.2f (%s)", p, grund.c_str()) + spaeter;
    if (std::fabs(o - p) <= ORDNUNG_SPIELRAUM) return;
    // The figures contradict the order: where the step is not small
    // against the distance of a singularity, they are not yet asymptotic.
    const singularitaet *nah = nullptr;
    const double d = abstand(a, &nah);
    const double kappa = vorasymptotik_kappa(me);
    const double h = schritt(me, a, n2, false);
    if (nah != nullptr && h > d / kappa) {
        double ab = n2;
        while (schritt(me, a, ab, false) > d / kappa && ab < 1e8)
            ab = std::ceil(ab * 1.02);
        w.urteil = beobachtet +
                   text(", erwartet n^-%.2f (%s) erst ab n \u2248 %.0f: vorasymptotisch, h = "
                        "%.2g nicht klein gegen den Abstand %.2g der Singularitaet bei %s von "
                        "[a, b]",
                        p, grund.c_str(), ab, h, d, stelle(*nah).c_str()) +
                   spaeter;
        return;
    }
    // A spline whose figure lies above its interior term carries an end
    // term; one that falls faster than n^-4 leaves the order above 4 until
    // the interior term takes over.
    if (innen_term > 0.0 && o > p && s.werte[static_cast<std::size_t>(k)][j].fehler > innen_term) {
        w.urteil += "; schneller, weil der Anteil der Enden ueber h^4 f''''/384 hinaus noch "
                    "schneller faellt";
        return;
    }
    // A cubic Hermite form whose slopes are O(h^2) accurate errs by O(h^3):
    // the three-point slopes on a smooth piece without an extremum, where
    // no limiter acts; order 2 is what extrema and kinks leave.
    if (me.art == &hermite_interpolation && o > p && o <= 3.0 + ORDNUNG_SPIELRAUM) {
        w.urteil += "; schneller, weil die Steigungen auf glatten Stuecken ohne Extremum bis "
                    "O(h^2) genau sind: dort bis n^-3";
        return;
    }
    w.urteil += text("; die Messung ist %s, was die Theorie hier nicht erklaert",
                     o > p ? "schneller" : "langsamer");
}

void periodisch_urteil(const studie &s, const befund &b, const warum_analyse &a, std::size_t j,
                       double toleranz, warum_spalte &w) {
    // The trigonometric interpolant with n nodes of the period T = b - a
    // converges like exp(-pi sigma n / T), sigma the distance of the
    // nearest singularity from the real axis, where the periodic
    // continuation of f is smooth; a jump of f^(m) at a adds
    // TRIG_SPRUNG[m] |J_m| (T/n)^m.
    double sigma = INFINITY;
    for (const singularitaet &p : a.singularitaeten)
        sigma = std::min(sigma, std::fabs(p.im));
    if (a.abfall == ABFALL_ALGEBRAISCH || sigma == 0.0) {
        ordnung_urteil(s, b, a, j, toleranz, w);
        return;
    }
    const int m = erster_sprung(a);
    const double l = a.b - a.a;
    const double rate = M_PI * sigma / l;
    const std::string streifen = text("periodisch, analytisch im Streifen |Im x| < %.4g", sigma);
    if (m < 0) {
        if (std::isinf(sigma)) {
            w.urteil =
                "konvergiert schneller als geometrisch: periodisch, keine Singularitaet nahe";
            return;
        }
        vorhersagen(
            s, b, j, [rate](double n) { return std::exp(-rate * n); }, w);
        w.urteil = text("konvergiert geometrisch wie exp(-%.4g n): %s", rate, streifen.c_str());
        return;
    }
    const std::function<double(double)> sprung_teil = [&a, l](double n) {
        return sprung_terme(a, TRIG_SPRUNG, l / n);
    };
    // The geometric part through the first figure, where the jumps do not
    // explain it already; the larger of the two is the maximum norm's.
    double c = 0.0;
    const int k0 = erste_gueltige(s, b, j);
    if (k0 >= 0 && std::isfinite(sigma)) {
        const double n0 = s.n[static_cast<std::size_t>(k0)];
        const double e0 = s.werte[static_cast<std::size_t>(k0)][j].fehler;
        c = e0 > sprung_teil(n0) ? e0 / std::exp(-rate * n0) : 0.0;
    }
    const std::function<double(double)> geometrisch = [c, rate](double n) {
        return c * std::exp(-rate * n);
    };
    const std::function<double(double)> modell = [&](double n) {
        return std::max(geometrisch(n), sprung_teil(n));
    };
    w.vorhersage.clear();
    for (int n : s.n)
        w.vorhersage.push_back(modell(n));
    w.toleranz_n = toleranz_erreicht(modell, s, *s.spalten[j], toleranz);
    const int k = ordnungszeile(s, b, j);
    if (k > 0) {
        w.ordnung_beobachtet = b.zellen[static_cast<std::size_t>(k)][j].ordnung;
        w.ordnung_vorhergesagt = std::log(w.vorhersage[static_cast<std::size_t>(k - 1)] /
                                          w.vorhersage[static_cast<std::size_t>(k)]) /
                                 std::log(static_cast<double>(s.n[static_cast<std::size_t>(k)]) /
                                          s.n[static_cast<std::size_t>(k - 1)]);
    }
    const std::string grenze =
        m == 0 ? text("nicht unter |f(b) - f(a)|/2 = %.2g", std::fabs(sprung(a, 0)) / 2.0)
               : text("algebraisch wie n^-%d", m);
    const int ab = c > 0.0 ? uebergang(sprung_teil, geometrisch, s.n.front()) : s.n.front();
    const std::string grund = sprung_text(a, m);
    if (ab <= s.n.front())
        w.urteil = "konvergiert " + grenze + ": " + grund;
    else if (ab > s.n.back())
        w.urteil = text("konvergiert geometrisch wie exp(-%.4g n) (%s), ab n \u2248 %d %s: %s",
                        rate, streifen.c_str(), ab, grenze.c_str(), grund.c_str());
    else
        w.urteil = text("zuerst geometrisch wie exp(-%.4g n), ab n \u2248 %d %s: %s", rate, ab,
                        grenze.c_str(), grund.c_str());
}
