// What the theory says about f on [a, b] (numerik/warum.h): its
// singularities from AAA, their Bernstein parameters, the Runge region of
// equidistant nodes and the decay of f's Chebyshev coefficients.
#include "numerik/warum.h"

#include "numerik/aaaipl.h"
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/nmmatrix.h"
#include "numerik/studie.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <string>
#include <utility>
#include <cstdio>
#include <vector>

namespace {

using komplex = std::complex<double>;

// The samples of the two AAA fits and the Chebyshev series.
constexpr int PROBE_AEQUIDISTANT = 2000;
constexpr int PROBE_TSCHEBYSCHEFF = 1000;
constexpr int CHEB_N = 512;
// The largest degree of the analysis' fits and the tolerance at which one
// counts as settled: singularities are located long before 1e-13.
constexpr int AAA_GRAD = 60;
constexpr double AAA_TOLERANZ = 1e-12;
constexpr double AAA_GESETZT = 1e-9;
// Two poles of the two fits are the same singularity when they lie this
// close in the scaled variable, relative to their distance from [-1, 1]
// (poles close to the interval are fixed more sharply by the sample).
constexpr double POL_ABSTAND = 1e-3;

// The scaled variable of x in [a, b].
komplex skaliert(komplex x, double a, double b) {
    return (2.0 * x - a - b) / (b - a);
}

// Re(w log w), 0 at w = 0.
double wlogw(komplex w) {
    const double r = std::abs(w);
    if (r == 0.0) return 0.0;
    return w.real() * std::log(r) - w.imag() * std::arg(w);
}

struct anpassung {
    bool gesetzt = false;
    std::vector<komplex> pole;
    std::vector<komplex> residuen;
};

// AAA on the values y at the n+1 nodes of kind art; every precondition of
// creation is checked before, so that it cannot fail.
anpassung aaa_anpassen(int art, int n, double a, double b, const std::vector<double> &x,
                       const std::vector<double> &y) {
    anpassung e;
    nmmatrix_parameter p = {n + 1, 1, "Stuetzwerte", 1};
    matrix_zeiger werte(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (int i = 0; i <= n; ++i)
        nmmatrix_setzen(werte.get(), i + 1, 1, y[static_cast<std::size_t>(i)]);
    aaainterpolation_parameter q = {"warum", art,         nullptr,      a,
                                    b,       werte.get(), AAA_TOLERANZ, AAA_GRAD};
    interpolation_zeiger r(aaainterpolation_kreieren(&q, nullptr));
    double groesster = 0.0;
    double fehler = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        groesster = std::max(groesster, std::fabs(y[i]));
        fehler = std::max(fehler, std::fabs(aaainterpolation_funktionswert(r.get(), x[i]) - y[i]));
    }
    e.gesetzt = fehler <= AAA_GESETZT * groesster;
    const int anzahl = aaainterpolation_pole(r.get(), nullptr, nullptr, 0);
    std::vector<double> re(static_cast<std::size_t>(anzahl)), im(re.size()), rre(re.size()),
        rim(re.size());
    aaainterpolation_pole(r.get(), re.data(), im.data(), anzahl);
    aaainterpolation_residuen(r.get(), rre.data(), rim.data(), anzahl);
    for (std::size_t i = 0; i < re.size(); ++i) {
        e.pole.emplace_back(re[i], im[i]);
        e.residuen.emplace_back(rre[i], rim[i]);
    }
    return e;
}

// |a_k| of the Chebyshev series of f from its values at the CHEB_N+1
// points cos(pi j / N), by the sums of the discrete cosine transform
// (O(N^2) with a table of the cosines, some 3e5 operations).
std::vector<double> tschebyscheff_koeffizienten(const std::vector<double> &f) {
    const int n = CHEB_N;
    std::vector<double> tafel(2 * static_cast<std::size_t>(n));
    for (int i = 0; i < 2 * n; ++i)
        tafel[static_cast<std::size_t>(i)] = std::cos(M_PI * i / n);
    std::vector<double> a(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        double s = 0.5 * (f[0] + ((k % 2) ? -f[static_cast<std::size_t>(n)]
                                          : f[static_cast<std::size_t>(n)]));
        for (int j = 1; j < n; ++j)
            s +=
                f[static_cast<std::size_t>(j)] * tafel[static_cast<std::size_t>((j * k) % (2 * n))];
        s *= 2.0 / n;
        if (k == 0 || k == n) s *= 0.5;
        a[static_cast<std::size_t>(k)] = std::fabs(s);
    }
    return a;
}

// Least squares y = c + m t; the slope and the root mean square residual.
void gerade(const std::vector<double> &t, const std::vector<double> &y, double &steigung,
            double &rest) {
    const double n = static_cast<double>(t.size());
    double tm = 0.0, ym = 0.0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        tm += t[i];
        ym += y[i];
    }
    tm /= n;
    ym /= n;
    double stt = 0.0, sty = 0.0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        stt += (t[i] - tm) * (t[i] - tm);
        sty += (t[i] - tm) * (y[i] - ym);
    }
    steigung = stt > 0.0 ? sty / stt : 0.0;
    double q = 0.0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double d = y[i] - ym - steigung * (t[i] - tm);
        q += d * d;
    }
    rest = std::sqrt(q / n);
}

// The decay of the coefficients: the envelope max_{i >= k} |a_i| above the
// rounding plateau, fitted once as log e = c - k log rho and once as
// log e = c - alpha log k over the upper three quarters of the resolved
// range; the kind whose line fits better.
void abfall_bestimmen(warum_analyse &w) {
    const std::vector<double> &a = w.koeffizienten;
    std::vector<double> huelle(a.size());
    double m = 0.0;
    for (std::size_t k = a.size(); k-- > 0;) {
        m = std::max(m, a[k]);
        huelle[k] = m;
    }
    w.plateau = std::max(1e3 * std::ldexp(1.0, -53) * w.f_groesste, a.back());
    std::size_t ende = 0;
    while (ende + 1 < huelle.size() && huelle[ende + 1] > 10.0 * w.plateau)
        ++ende;
    if (ende < 8) {
        w.abfall = ABFALL_SOFORT;
        return;
    }
    std::vector<double> k, logk, loge;
    for (std::size_t i = std::max<std::size_t>(2, ende / 4); i <= ende; ++i) {
        k.push_back(static_cast<double>(i));
        logk.push_back(std::log(static_cast<double>(i)));
        loge.push_back(std::log(huelle[i]));
    }
    double sg = 0.0, rg = 0.0, sa = 0.0, ra = 0.0;
    gerade(k, loge, sg, rg);
    gerade(logk, loge, sa, ra);
    if (rg <= ra) {
        w.abfall = ABFALL_GEOMETRISCH;
        w.rho_koeffizienten = std::exp(-sg);
    } else {
        w.abfall = ABFALL_ALGEBRAISCH;
        w.alpha = -sa;
    }
}

// Fornberg's weights c[m][j] of the m-th derivative at 0 from the values
// at the points j (j = 0..PUNKTE-1), m <= 2.
constexpr int PUNKTE = 7;
using gewichte = std::array<std::array<double, PUNKTE>, 3>;

gewichte einseitige_gewichte() {
    gewichte c{};
    c[0][0] = 1.0;
    double c1 = 1.0;
    for (int i = 1; i < PUNKTE; ++i) {
        double c2 = 1.0;
        for (int j = 0; j < i; ++j) {
            const double c3 = i - j;
            c2 *= c3;
            for (int m = std::min(i, 2); m >= 0; --m) {
                const double alt = c[static_cast<std::size_t>(m)][static_cast<std::size_t>(i - 1)];
                const double vor =
                    m > 0 ? c[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(i - 1)]
                          : 0.0;
                if (j == i - 1)
                    c[static_cast<std::size_t>(m)][static_cast<std::size_t>(i)] =
                        c1 * (m * vor - (i - 1) * alt) / c2;
                c[static_cast<std::size_t>(m)][static_cast<std::size_t>(j)] =
                    (i * c[static_cast<std::size_t>(m)][static_cast<std::size_t>(j)] -
                     m * (m > 0 ? c[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(j)]
                                : 0.0)) /
                    c3;
            }
        }
        c1 = c2;
    }
    return c;
}

// f, f' and f'' at both ends from one-sided differences at the step s and
// 2 s (s = (b - a) / 256): the finer is the value, their difference plus
// the rounding of the finer its error bound.  Then max |f''''| from
// fourth differences on 401 points, whose rounding (16 u max|f| / s^4
// with s = (b - a) / 400) stays below 1e-4 max|f| / (b - a)^4.
void ableitungen_bestimmen(const beispielfunktion &problem, warum_analyse &w) {
    const gewichte c = einseitige_gewichte();
    const double u = std::ldexp(1.0, -53);
    for (int seite = 0; seite < 2; ++seite) {
        const double x0 = seite == 0 ? w.a : w.b;
        const double richtung = seite == 0 ? 1.0 : -1.0;
        double wert[2][3] = {};
        double rundung[3] = {};
        for (int grob = 0; grob < 2; ++grob) {
            const double s = (w.b - w.a) / 256.0 * (grob + 1);
            double x[PUNKTE], y[PUNKTE];
            for (int j = 0; j < PUNKTE; ++j)
                x[j] = x0 + richtung * j * s;
            beispiel_werte(&problem, x, y, PUNKTE);
            for (int m = 0; m < 3; ++m) {
                double summe = 0.0, betrag = 0.0;
                for (int j = 0; j < PUNKTE; ++j) {
                    summe += c[static_cast<std::size_t>(m)][static_cast<std::size_t>(j)] * y[j];
                    betrag += std::fabs(
                        c[static_cast<std::size_t>(m)][static_cast<std::size_t>(j)] * y[j]);
                }
                // Towards -x the m-th derivative changes sign m times.
                wert[grob][m] = m == 0 ? y[0] : summe * std::pow(richtung / s, m);
                if (grob == 0) rundung[m] = 16.0 * u * betrag / std::pow(s, m);
            }
        }
        for (int m = 0; m < 3; ++m) {
            w.ende_abl[m][seite] = wert[0][m];
            w.ende_abl_fehler[m][seite] =
                m == 0 ? 0.0 : std::fabs(wert[0][m] - wert[1][m]) + rundung[m];
        }
    }
    constexpr int N4 = 400;
    const double s = (w.b - w.a) / N4;
    std::vector<double> x(N4 + 1), y(N4 + 1);
    for (int i = 0; i <= N4; ++i)
        x[static_cast<std::size_t>(i)] = (i * w.b + (N4 - i) * w.a) / N4;
    beispiel_werte(&problem, x.data(), y.data(), x.size());
    double m4 = 0.0, m4t = 0.0;
    for (std::size_t i = 2; i + 2 < x.size(); ++i) {
        const double d =
            std::fabs(y[i - 2] - 4.0 * y[i - 1] + 6.0 * y[i] - 4.0 * y[i + 1] + y[i + 2]) /
            std::pow(s, 4);
        const double z = (2.0 * x[i] - w.a - w.b) / (w.b - w.a);
        if (!std::isfinite(d)) m4 = INFINITY;
        m4 = std::max(m4, d);
        m4t = std::max(m4t, (1.0 - z * z) * (1.0 - z * z) * d);
    }
    w.abl4 = std::isfinite(m4) ? m4 : NAN;
    w.abl4_tscheb = std::isfinite(m4) ? m4t : NAN;
    // A value that is not finite near an end judges nothing there: no
    // jump and no end term can count against an infinite error bound.
    for (const auto &m : w.ende_abl)
        for (const double v : m)
            if (!std::isfinite(v)) {
                w.abl4 = NAN;
                for (auto &f : w.ende_abl_fehler)
                    f[0] = f[1] = INFINITY;
            }
}

// The verdict without judgement, and why.
warum_analyse unbeurteilbar(warum_analyse w, std::string grund) {
    w.beurteilbar = false;
    w.grund = std::move(grund);
    return w;
}

} // namespace

double bernstein_rho(double re, double im) {
    const komplex z(re, im);
    komplex s = z + std::sqrt(z * z - 1.0);
    double r = std::abs(s);
    if (r < 1.0) r = 1.0 / r;
    return std::max(r, 1.0);
}

double runge_potential(double re, double im) {
    const komplex z(re, im);
    return 0.5 * (wlogw(z + 1.0) - wlogw(z - 1.0)) - std::log(2.0);
}

warum_analyse warum_analysieren(const beispielfunktion &problem) {
    warum_analyse w;
    w.a = problem.a;
    w.b = problem.b;
    // The level curve phi = phi(1) along rays from 0, where phi grows with
    // the distance: bisection between 0 (inside) and 2 (outside).
    for (int i = 0; i < 72; ++i) {
        const double winkel = 2.0 * M_PI * i / 72.0;
        double innen = 0.0, aussen = 2.0;
        for (int schritt = 0; schritt < 50; ++schritt) {
            const double r = 0.5 * (innen + aussen);
            (runge_potential(r * std::cos(winkel), r * std::sin(winkel)) < 0.0 ? innen : aussen) =
                r;
        }
        const double r = 0.5 * (innen + aussen);
        w.runge_rand.push_back(0.5 * (w.a + w.b) + 0.5 * (w.b - w.a) * r * std::cos(winkel));
        w.runge_rand.push_back(0.5 * (w.b - w.a) * r * std::sin(winkel));
    }
    if (problem.f == nullptr && problem.werte == nullptr)
        return unbeurteilbar(w, "keine Funktion, nur Werte");
    // f at the three samples; a value that is not finite stops the analysis.
    struct probe {
        int art;
        int n;
        std::vector<double> x, y;
    };
    probe proben[] = {{STUETZSTELLEN_AEQUIDISTANT, PROBE_AEQUIDISTANT, {}, {}},
                      {STUETZSTELLEN_TSCHEBYSCHEFF, PROBE_TSCHEBYSCHEFF, {}, {}},
                      {STUETZSTELLEN_TSCHEBYSCHEFF, CHEB_N, {}, {}}};
    for (probe &p : proben) {
        p.x = stuetzstellen(problem, p.art, p.n);
        p.y.resize(p.x.size());
        beispiel_werte(&problem, p.x.data(), p.y.data(), p.x.size());
        for (std::size_t i = 0; i < p.y.size(); ++i) {
            if (!std::isfinite(p.y[i])) {
                char puffer[64];
                std::snprintf(puffer, sizeof puffer, "f ist bei x = %g nicht endlich", p.x[i]);
                return unbeurteilbar(w, puffer);
            }
            w.f_groesste = std::max(w.f_groesste, std::fabs(p.y[i]));
        }
    }
    // The Chebyshev points ascend; the series wants them from x = b down.
    std::vector<double> absteigend(proben[2].y.rbegin(), proben[2].y.rend());
    w.koeffizienten = tschebyscheff_koeffizienten(absteigend);
    w.beurteilbar = true;
    if (w.f_groesste == 0.0 || std::all_of(proben[0].y.begin(), proben[0].y.end(),
                                           [&](double v) { return v == proben[0].y[0]; })) {
        w.abfall = ABFALL_SOFORT;
        return w;
    }
    abfall_bestimmen(w);
    ableitungen_bestimmen(problem, w);
    const anpassung e1 =
        aaa_anpassen(proben[0].art, proben[0].n, w.a, w.b, proben[0].x, proben[0].y);
    const anpassung e2 =
        aaa_anpassen(proben[1].art, proben[1].n, w.a, w.b, proben[1].x, proben[1].y);
    if (!e1.gesetzt || !e2.gesetzt) {
        // Without a settled fit nothing is said of singularities; an
        // algebraic decay still places one on [a, b].
        w.beurteilbar = w.abfall == ABFALL_ALGEBRAISCH;
        w.grund = "die AAA-Naeherung von f erreicht ihre Toleranz nicht";
        if (w.beurteilbar) {
            w.grund.clear();
            w.rho = 1.0;
            w.runge_abstand = -std::log(2.0);
        }
        return w;
    }
    for (std::size_t i = 0; i < e1.pole.size(); ++i) {
        const komplex z = skaliert(e1.pole[i], w.a, w.b);
        const double rho = bernstein_rho(z.real(), z.imag());
        if (!(rho < WARUM_RHO_GROSS)) continue;
        bool bestaetigt = false;
        for (const komplex &q : e2.pole)
            if (std::abs(skaliert(q, w.a, w.b) - z) <= POL_ABSTAND * std::max(rho - 1.0, 1e-3))
                bestaetigt = true;
        if (!bestaetigt) continue;
        singularitaet s;
        s.re = e1.pole[i].real();
        s.im = e1.pole[i].imag();
        s.rho = rho;
        s.res_re = e1.residuen[i].real();
        s.res_im = e1.residuen[i].imag();
        s.runge = runge_potential(z.real(), z.imag()) < 0.0;
        w.singularitaeten.push_back(s);
    }
    std::stable_sort(w.singularitaeten.begin(), w.singularitaeten.end(),
                     [](const singularitaet &p, const singularitaet &q) { return p.rho < q.rho; });
    if (!w.singularitaeten.empty()) w.rho = w.singularitaeten.front().rho;
    for (std::size_t i = 0; i < w.singularitaeten.size(); ++i) {
        const komplex z = skaliert({w.singularitaeten[i].re, w.singularitaeten[i].im}, w.a, w.b);
        const double d = runge_potential(z.real(), z.imag());
        if (d < w.runge_abstand) {
            w.runge_abstand = d;
            w.runge_singularitaet = static_cast<int>(i);
        }
    }
    // Algebraic decay: a singularity on [a, b], where it lies inside the
    // Runge region but at the ends; without a pole found, its potential
    // is taken at the centre, -log 2, the growth 2^n of |x|.
    if (w.abfall == ABFALL_ALGEBRAISCH) {
        w.rho = 1.0;
        if (w.runge_singularitaet < 0) w.runge_abstand = -std::log(2.0);
    }
    return w;
}
