// The spline's coefficient step for its commonest kinds the direct way.
#include "grund/epsilon.h"
#include "matrizen/feld.h"
#include "interpolation/splinipl_intern.h"

#include <cmath>

namespace {

// ---------------------------------------------------------------------------
// The direct way: the systems below and their solve (tgauss_loesen and
// chol06_loesen with their arrays), fused into two sweeps over the nodes
// that perform the same operations on the same operands in the same order,
// so that every coefficient is the same double.  Nothing but the coefficient
// matrix is allocated, and that matrix is its own scratch space: the forward
// sweep (h, right-hand side, decomposition and forward substitution in one)
// parks what the backward substitution needs in the row of its node, and the
// backward sweep reads it back and overwrites the row with the row's
// coefficients.
//
// Each direct way gives up (false) when a step h is below 2^-120 or not
// finite, a value difference is not finite (so every node and value is
// finite), an end value is not finite, a pivot fails, or a coefficient comes
// out not finite (finite input can overflow): which of two NaN operands an
// operation passes on is the compiler's choice of operand order, so only the
// general way gives the general way's NaNs.  A success thus also tells the
// caller that every coefficient is finite.  Then the general way runs from the start
// and raises its messages itself: the fatal ones of the node check and of the
// solver.

// Kinds 0 and 1 for n >= 3 (order n-1 >= 2).  Unknown i = 1..n-1 is M at
// node i; row i parks the eliminated diagonal element, c(i) and the slope
// (y(i+1) - y(i))/h(i), which the right-hand sides of i and i+1 and the row's
// coefficients all divide out (the same operands, so the same quotient).
bool nichtperiodisch_direkt(const splineinterpolationsdaten *d, double *c) {
    const int n = d->n;
    const int m = n - 1;
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double links = d->abl2links;
    const double rechts = d->abl2rechts;
    const double eps = epsilon();
    double h_vor = x[1] - x[0]; // h(i-1)
    double diff = y[1] - y[0];
    bool gut = std::isfinite(links) && std::isfinite(rechts) && !(h_vor < eps) &&
               std::isfinite(h_vor) && std::isfinite(diff);
    double steigung_vor = diff / h_vor; // (y(i) - y(i-1))/h(i-1)
    c[2] = steigung_vor;
    double haupt_vor = 0.0; // the eliminated diagonal element of i-1
    double c_vor = 0.0;
    for (int i = 1; i <= m; ++i) {
        double h = x[i + 1] - x[i];
        double naechste = y[i + 1] - y[i];
        gut = gut && !(h < eps) && std::isfinite(h) && std::isfinite(naechste);
        double steigung = naechste / h;
        double s = h_vor + h;
        double haupt = s + s;
        double b = 6 * (steigung_vor - steigung);
        if (i == 1) b = b + h_vor * links;
        if (i == m) b = b + h * rechts;
        double ci = b;
        if (i > 1) {
            // Both side diagonals of row i-1 are h(i-1).
            double faktor = h_vor / haupt_vor;
            haupt = haupt - h_vor * faktor;
            ci = b - c_vor * faktor;
        }
        double *zeile = c + 4 * static_cast<long long>(i);
        zeile[0] = haupt;
        zeile[1] = ci;
        zeile[2] = steigung;
        haupt_vor = haupt;
        c_vor = ci;
        h_vor = h;
        steigung_vor = steigung;
    }
    if (!gut) return false;
    // M at node i+1 (at node n the given end value).
    double m_nach = rechts;
    for (int i = m; i >= 1; --i) {
        double *zeile = c + 4 * static_cast<long long>(i);
        double h = x[i + 1] - x[i];
        double t = zeile[1];
        if (i < m) t = t + h * m_nach;
        t = t / zeile[0];
        double mi = -t;
        gut &= zeile_fuellen(zeile, mi, m_nach, h, zeile[2], y[i]);
        m_nach = mi;
    }
    gut &= zeile_fuellen(c, links, m_nach, x[1] - x[0], c[2], y[0]);
    return gut;
}

// Kinds 2 and 3 for n >= 3.  Unknown k = 1..n is M at node k-1; row k-1
// parks the factor's diagonal, sub-diagonal and last-row elements of column
// k and c(k) (for k = n-1 the last-row element stands in both middle slots,
// as it is also L(n, n-1); row n-1 is not needed).  The right-hand side of k
// divides the slopes of intervals k-1 and p(k-1); -d/h is -(d/h) exactly,
// so each slope is divided once and serves both equations it enters.
bool periodisch_direkt(const splineinterpolationsdaten *d, double *c) {
    const int n = d->n;
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double eps = epsilon();
    const double h_letzt = x[n] - x[n - 1];
    const double h_vorletzt = x[n - 1] - x[n - 2];
    const double di_letzt = y[n] - y[n - 1];
    bool gut = !(h_letzt < eps) && std::isfinite(h_letzt) && std::isfinite(di_letzt);
    const double steigung_letzt = di_letzt / h_letzt;
    // The last equation's right-hand side, its diagonal element and the
    // running value of its forward substitution.
    double b_n = (-steigung_letzt + (y[n - 1] - y[n - 2]) / h_vorletzt) * 6;
    double s = h_vorletzt + h_letzt;
    double d_n = s + s;
    double t_n = b_n;
    double gamma = h_letzt; // the corner element, then the last row's running value
    double h_vor = h_letzt; // h(p(k-1))
    double h = x[1] - x[0]; // h(k-1)
    s = h_vor + h;
    double dk = s + s;
    // Node 0 takes y(0) - y(n-1) as the difference before it (y(n) stands for
    // y(0)), over the last interval.
    double dp = y[0] - y[n - 1];
    gut = gut && std::isfinite(dp);
    double steigung_vor = dp / h_vor;
    double l_vor = 0.0;
    double c_vor = 0.0;
    for (int k = 1; k <= n - 2; ++k) {
        double di = y[k] - y[k - 1];
        gut = gut && !(h < eps) && std::isfinite(h) && std::isfinite(di);
        if (dk < eps) return false;
        double r = std::sqrt(dk);
        double l = h / r;
        double g = gamma;
        double mk = g / r;
        double h_nach = x[k + 1] - x[k];
        s = h + h_nach;
        double d_nach = s + s;
        d_nach = d_nach - l * l;
        double t = (-g * h) / (r * r);
        if (k == n - 2) t = t + h_nach; // A(n, n-1) joins the running value
        gamma = t;
        d_n = d_n - mk * mk;
        double steigung = di / h;
        double b = (-steigung + steigung_vor) * 6;
        if (k > 1) b = b - l_vor * c_vor;
        double ck = b / r;
        t_n = t_n - mk * ck;
        double *zeile = c + 4 * static_cast<long long>(k - 1);
        zeile[0] = r;
        zeile[1] = l;
        zeile[2] = mk;
        zeile[3] = ck;
        l_vor = l;
        c_vor = ck;
        steigung_vor = steigung;
        h = h_nach;
        dk = d_nach;
    }
    // Column n-1: its sub-diagonal and last-row elements are the same
    // quotient (A's element (n, n-1) was made the running value above).
    double di = y[n - 1] - y[n - 2];
    gut = gut && !(h < eps) && std::isfinite(h) && std::isfinite(di);
    if (dk < eps) return false;
    double r = std::sqrt(dk);
    double mk = gamma / r;
    d_n = d_n - mk * mk;
    double b = (-(di / h) + steigung_vor) * 6;
    b = b - l_vor * c_vor;
    double ck = b / r;
    t_n = t_n - mk * ck;
    double *zeile = c + 4 * static_cast<long long>(n - 2);
    zeile[0] = r;
    zeile[1] = mk;
    zeile[2] = mk;
    zeile[3] = ck;
    if (d_n < eps) return false;
    if (!gut) return false;
    // Column n, and the backward substitution.
    double r_n = std::sqrt(d_n);
    double m_n = -((t_n / r_n) / r_n);
    double m_nach = m_n; // M at node k
    for (int k = n - 1; k >= 1; --k) {
        zeile = c + 4 * static_cast<long long>(k - 1);
        double t = zeile[3];
        t = t + zeile[1] * m_nach;
        if (k + 1 < n) t = t + zeile[2] * m_n;
        t = t / zeile[0];
        double mk_neu = -t;
        double hk = x[k] - x[k - 1];
        gut &= zeile_fuellen(zeile, mk_neu, m_nach, hk, (y[k] - y[k - 1]) / hk, y[k - 1]);
        m_nach = mk_neu;
    }
    gut &= zeile_fuellen(c + 4 * static_cast<long long>(n - 1), m_n, m_nach, h_letzt,
                         steigung_letzt, y[n - 1]);
    return gut;
}

// Kind 4 for n >= 3: the tridiagonal system of order n-1 that
// splineinterpolation_notaknot builds (its first and last rows carry the
// conditions at x(1) and x(n-1)), eliminated as tgauss_loesen does it.
// Unknown k = 0..n-2 is M at node k+1; row k+1 parks the eliminated diagonal
// element, c(k) and the slope of interval k+1, row 0 the slope of interval
// 0.  The backward sweep fills row k+1 once M at nodes k+1 and k+2 are
// known; row n-1 waits for M at node n, which takes M at nodes n-1 and n-2,
// and row 0 for M at node 0.
bool notaknot_direkt(const splineinterpolationsdaten *d, double *c) {
    const int n = d->n;
    const int m = n - 1;
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double eps = epsilon();
    double h = x[1] - x[0]; // h(k)
    double diff = y[1] - y[0];
    bool gut = !(h < eps) && std::isfinite(h) && std::isfinite(diff);
    double steigung_vor = diff / h; // the slope of interval k
    c[2] = steigung_vor;
    double h_vor = 0.0;     // h(k-1)
    double haupt_vor = 0.0; // the eliminated diagonal element of row k-1
    double c_vor = 0.0;
    for (int k = 0; k < m; ++k) {
        const double h_nach = x[k + 2] - x[k + 1]; // h(k+1)
        const double naechste = y[k + 2] - y[k + 1];
        gut = gut && !(h_nach < eps) && std::isfinite(h_nach) && std::isfinite(naechste);
        const double steigung = naechste / h_nach;
        double haupt = 2 * (h + h_nach);
        double b = 6 * (steigung_vor - steigung);
        if (k == 0) {
            haupt = h + 2 * h_nach;
            b = h_nach * b / (h + h_nach);
        }
        if (k == m - 1) {
            haupt = h_nach + 2 * h;
            b = h * b / (h + h_nach);
        }
        double ck = b;
        if (k > 0) {
            // Row k-1's upper element is h(k) (h(1) - h(0) in the first
            // row), its lower one h(k) (h(n-2) - h(n-1) in the last pair).
            const double oben = k == 1 ? h - h_vor : h;
            const double unten = k == m - 1 ? h - h_nach : h;
            const double faktor = unten / haupt_vor;
            haupt = haupt - oben * faktor;
            ck = b - c_vor * faktor;
        }
        double *zeile = c + 4 * static_cast<long long>(k + 1);
        zeile[0] = haupt;
        zeile[1] = ck;
        zeile[2] = steigung;
        haupt_vor = haupt;
        c_vor = ck;
        h_vor = h;
        h = h_nach;
        steigung_vor = steigung;
    }
    if (!gut) return false;
    // u(k), the solution, is M at node k+1; u(k+1) and u(k+2) are kept.
    double u_nach = 0.0;
    double u_danach = 0.0;
    for (int k = m - 1; k >= 0; --k) {
        double *zeile = c + 4 * static_cast<long long>(k + 1);
        const double h_nach = x[k + 2] - x[k + 1];
        double t = zeile[1];
        if (k < m - 1) t = t + (k == 0 ? h_nach - (x[1] - x[0]) : h_nach) * u_nach;
        t = t / zeile[0];
        const double u = -t;
        if (k == m - 2) {
            const double h_letzt = x[n] - x[n - 1];
            const double m_rechts = u_nach + h_letzt * (u_nach - u) / h_nach;
            double *letzte = c + 4 * static_cast<long long>(n - 1);
            gut &= zeile_fuellen(letzte, u_nach, m_rechts, h_letzt, letzte[2], y[n - 1]);
        }
        if (k < m - 1) gut &= zeile_fuellen(zeile, u, u_nach, h_nach, zeile[2], y[k + 1]);
        u_danach = u_nach;
        u_nach = u;
    }
    const double h0 = x[1] - x[0];
    const double m_links = u_nach + h0 * (u_nach - u_danach) / (x[2] - x[1]);
    gut &= zeile_fuellen(c, m_links, u_nach, h0, c[2], y[0]);
    return gut;
}

// Kind 5 for n >= 1: the tridiagonal system of order n+1 that
// splineinterpolation_eingespannt builds, eliminated as tgauss_loesen does
// it.  Unknown k = 0..n is M at node k; row k (k < n) parks the eliminated
// diagonal element, c(k) and the slope of interval k, the last unknown's
// stay in variables.
bool eingespannt_direkt(const splineinterpolationsdaten *d, double *c) {
    const int n = d->n;
    const double *x = eintraege(d->stuetzstellen);
    const double *y = eintraege(d->stuetzwerte);
    const double eps = epsilon();
    bool gut = std::isfinite(d->abl1links) && std::isfinite(d->abl1rechts);
    double haupt_vor = 0.0;
    double c_vor = 0.0;
    double h_vor = 0.0;
    double steigung_vor = 0.0;
    for (int k = 0; k < n; ++k) {
        const double h = x[k + 1] - x[k];
        const double diff = y[k + 1] - y[k];
        gut = gut && !(h < eps) && std::isfinite(h) && std::isfinite(diff);
        const double steigung = diff / h;
        double haupt;
        double b;
        if (k == 0) {
            haupt = 2 * h;
            b = 6 * (d->abl1links - steigung);
        } else {
            haupt = 2 * (h_vor + h);
            b = 6 * (steigung_vor - steigung);
            const double faktor = h_vor / haupt_vor;
            haupt = haupt - h_vor * faktor;
            b = b - c_vor * faktor;
        }
        double *zeile = c + 4 * static_cast<long long>(k);
        zeile[0] = haupt;
        zeile[1] = b;
        zeile[2] = steigung;
        haupt_vor = haupt;
        c_vor = b;
        h_vor = h;
        steigung_vor = steigung;
    }
    if (!gut) return false;
    const double faktor = h_vor / haupt_vor;
    const double haupt = 2 * h_vor - h_vor * faktor;
    const double b = 6 * (steigung_vor - d->abl1rechts) - c_vor * faktor;
    double u_nach = -(b / haupt); // M at node k+1
    for (int k = n - 1; k >= 0; --k) {
        double *zeile = c + 4 * static_cast<long long>(k);
        const double h = x[k + 1] - x[k];
        double t = zeile[1];
        t = t + h * u_nach;
        t = t / zeile[0];
        const double u = -t;
        gut &= zeile_fuellen(zeile, u, u_nach, h, zeile[2], y[k]);
        u_nach = u;
    }
    return gut;
}

// The direct way into a new matrix, which replaces the old one only when the
// way succeeds; false leaves the record as it was.
template <typename Weg> bool direkt_fuellen(splineinterpolationsdaten *d, Weg weg) {
    matrix_zeiger neu(nm_anlegen_ungesetzt(d->n, 4, "Koeffizientenmatrix"));
    {
        schreibfeld c(neu.get());
        if (!weg(d, c.werte())) return false;
    }
    if (d->koeffizienten != nullptr) nm_tabelle()->freigeben(d->koeffizienten);
    d->koeffizienten = neu.release();
    return true;
}

} // namespace

bool spline_direkt_nichtperiodisch(splineinterpolationsdaten *d) {
    return direkt_fuellen(d, nichtperiodisch_direkt);
}

bool spline_direkt_periodisch(splineinterpolationsdaten *d) {
    return direkt_fuellen(d, periodisch_direkt);
}

bool spline_direkt_notaknot(splineinterpolationsdaten *d) {
    return direkt_fuellen(d, notaknot_direkt);
}

bool spline_direkt_eingespannt(splineinterpolationsdaten *d) {
    return direkt_fuellen(d, eingespannt_direkt);
}
