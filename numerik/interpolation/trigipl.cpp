// TRIGONOMETRISCHE_INTERPOLATION (numerik/trigipl.h): the periodic nodes,
// their half-angle tables for the barycentric formula (trig_summe.cpp), and
// the Fourier coefficients (Eigen's FFT) for derivatives and the integral.
#include "numerik/trigipl.h"
#include "numerik/knotenarten.h"

#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "interpolation/trig_intern.h"

#include <unsupported/Eigen/FFT>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

constexpr double PI = 3.14159265358979323846;

// The record: the base and the tables of the half angles phi(k) = pi k / N:
// cos, sin and the sign (-1)^k, 3 N doubles in one block.
struct trigdaten : interpolationsbasis {
    double *tafel;
};

trigdaten *trig_daten(objekt *ip) {
    return static_cast<trigdaten *>(basis_von(ip));
}

objekt *trig_erzeugen(const interpolation_problem *p, void *zusatz) {
    trigonometrischeinterpolation_parameter r = {p->name, p->art, p->stuetzstellen,
                                                 p->a,    p->b,   p->stuetzwerte};
    return trigonometrischeinterpolation_kreieren(&r, zusatz);
}

double ohne_option(objekt *, int) {
    return 0.0;
}

// Given nodes: ascending in equal steps h to 1e-10 of their span; the
// period is then [x(1), x(1) + N h).
void gegebene_pruefen(trigdaten *d) {
    const int N = d->n + 1;
    const double *x = eintraege(d->stuetzstellen);
    for (int k = 0; k < N; ++k)
        if (!std::isfinite(x[k]))
            fehler("Stuetzstelle x(%d) ist keine endliche Zahl fuer TRIGONOMETRISCHE_INTERPOLATION "
                   "%s.\n",
                   k + 1, d->name);
    const double spanne = x[N - 1] - x[0];
    if (!(spanne > 0.0))
        fehler("Stuetzstellen nicht aufsteigend fuer TRIGONOMETRISCHE_INTERPOLATION %s.\n",
               d->name);
    const double h = spanne / (N - 1);
    for (int k = 1; k < N - 1; ++k) {
        const double soll = x[0] + k * h;
        if (!(std::fabs(x[k] - soll) <= 1e-10 * spanne))
            fehler("Stuetzstellen nicht aequidistant fuer TRIGONOMETRISCHE_INTERPOLATION %s: "
                   "x(%d) = %.17g statt %.17g.\n",
                   d->name, k + 1, x[k], soll);
    }
    d->a = x[0];
    d->b = x[0] + N * h;
}

// The half-angle tables and the coefficients from the values.
void tafeln(objekt *ip) {
    trigdaten *d = trig_daten(ip);
    const int N = d->n + 1;
    const std::size_t groesse = 3 * static_cast<std::size_t>(N);
    d->tafel = static_cast<double *>(std::malloc(groesse * sizeof(double)));
    if (d->tafel == nullptr)
        fehler("Nicht genug Speicher fuer TRIGONOMETRISCHE_INTERPOLATION %s.\n", d->name);
    for (int k = 0; k < N; ++k) {
        const double phi = PI * k / N;
        d->tafel[k] = std::cos(phi);
        d->tafel[N + k] = std::sin(phi);
        d->tafel[2 * N + k] = k % 2 == 0 ? 1.0 : -1.0;
    }
    const double *y = eintraege(d->stuetzwerte);
    std::vector<double> werte(y, y + N);
    std::vector<std::complex<double>> spektrum;
    try {
        Eigen::FFT<double> fft;
        fft.fwd(spektrum, werte);
    } catch (const std::bad_alloc &) {
        fehler("Nicht genug Speicher fuer TRIGONOMETRISCHE_INTERPOLATION %s.\n", d->name);
    }
    d->koeffizienten = nm_anlegen(N, 1, "Fourierkoeffizienten", ip);
    schreibfeld c(d->koeffizienten);
    c[0] = spektrum[0].real() / N;
    for (int j = 1; 2 * j < N; ++j) {
        c[2 * j - 1] = 2 * spektrum[static_cast<std::size_t>(j)].real() / N;
        c[2 * j] = -2 * spektrum[static_cast<std::size_t>(j)].imag() / N;
    }
    if (N % 2 == 0) c[N - 1] = spektrum[static_cast<std::size_t>(N / 2)].real() / N;
}

// The place of x in the period, in [0, 1]; not a number for x not finite.
double anteil(const trigdaten *d, double x) {
    double u = (x - d->a) / (d->b - d->a);
    return u - std::floor(u);
}

// The sums over the coefficients of sin(j t), cos(j t), j = 1, 2, ...: the
// rotation by t, started afresh every 32 steps so that its rounding does not
// add up over many j.
template <class F> void reihe(int N, double t, F term) {
    const double c1 = std::cos(t);
    const double s1 = std::sin(t);
    double cj = 1.0;
    double sj = 0.0;
    for (int j = 1; 2 * j <= N; ++j) {
        if (j % 32 == 0) {
            cj = std::cos(j * t);
            sj = std::sin(j * t);
        } else {
            const double c = cj * c1 - sj * s1;
            sj = sj * c1 + cj * s1;
            cj = c;
        }
        term(j, cj, sj);
    }
}

// The coefficients (a_j, b_j) of order j, b_j = 0 for the cosine alone at
// j = N/2.
void koeffizient(const double *c, int N, int j, double &aj, double &bj) {
    if (2 * j == N) {
        aj = c[N - 1];
        bj = 0.0;
        return;
    }
    aj = c[2 * j - 1];
    bj = c[2 * j];
}

double ableitung(objekt *ip, double x, int ordnung) {
    const trigdaten *d = trig_daten(ip);
    const int N = d->n + 1;
    const double u = anteil(d, x);
    if (!std::isfinite(u)) return NAN;
    const double omega = 2 * PI / (d->b - d->a);
    const double *c = eintraege(d->koeffizienten);
    double summe = 0.0;
    reihe(N, 2 * PI * u, [&](int j, double cj, double sj) {
        double aj = 0.0;
        double bj = 0.0;
        koeffizient(c, N, j, aj, bj);
        if (ordnung == 1)
            summe += j * (bj * cj - aj * sj);
        else
            summe -= static_cast<double>(j) * j * (aj * cj + bj * sj);
    });
    return ordnung == 1 ? omega * summe : omega * omega * summe;
}

// The antiderivative without the constant term at x: sum (a_j sin(j t) -
// b_j cos(j t)) / (j omega).
double stammteil(const trigdaten *d, double x) {
    const int N = d->n + 1;
    const double omega = 2 * PI / (d->b - d->a);
    const double *c = eintraege(d->koeffizienten);
    double summe = 0.0;
    reihe(N, 2 * PI * anteil(d, x), [&](int j, double cj, double sj) {
        double aj = 0.0;
        double bj = 0.0;
        koeffizient(c, N, j, aj, bj);
        summe += (aj * sj - bj * cj) / j;
    });
    return summe / omega;
}

} // namespace

extern "C" {

const interpolation_funktionen trigonometrische_interpolationFunktionen = {
    .speichern = trigonometrischeinterpolation_speichern,
    .laden = trigonometrischeinterpolation_laden,
    .freigeben = trigonometrischeinterpolation_freigeben,
    .kreieren = trigonometrischeinterpolation_kreieren,
    .funktionswert = trigonometrischeinterpolation_funktionswert,
    .name = trigonometrischeinterpolation_name,
    .klasse = interpolation_klasse,
    .imVektor = trigonometrischeinterpolation_imVektor,
    .linkeGrenze = trigonometrischeinterpolation_linkeGrenze,
    .rechteGrenze = trigonometrischeinterpolation_rechteGrenze,
    .ableitung1 = trigonometrischeinterpolation_ableitung1,
    .ableitung2 = trigonometrischeinterpolation_ableitung2,
    .integral = trigonometrischeinterpolation_integral,
    .funktionswerte = trigonometrischeinterpolation_funktionswerte,
};
klasse trigonometrische_interpolation = {&trigonometrische_interpolationFunktionen, nullptr};

objekt *trigonometrischeinterpolation_kreieren(const void *parameter, void *) {
    static const trigonometrischeinterpolation_parameter leer = {
        nullptr, STUETZSTELLEN_GEGEBEN, nullptr, 0.0, 0.0, nullptr};
    const auto &p = parameter != nullptr
                        ? *static_cast<const trigonometrischeinterpolation_parameter *>(parameter)
                        : leer;
    interpolation_zeiger ip;
    trigdaten *d = basis_neu<trigdaten>(ip, trig_typ, p.name);
    const knotenart *art = knotenart_nummer(p.art);
    // Placed nodes must be those of equal steps.
    if (art != nullptr && !art->gespeichert && art->punkt != aequidistanter_punkt)
        fehler("TRIGONOMETRISCHE_INTERPOLATION %s braucht aequidistante Stuetzstellen, nicht "
               "%s.\n",
               d->name, art->titel);
    basis_problem(ip.get(), trig_typ, {p.name, p.art, p.stuetzstellen, p.a, p.b, p.stuetzwerte},
                  p.art, false);
    const int N = d->n + 1;
    if (N < 2)
        fehler("TRIGONOMETRISCHE_INTERPOLATION %s braucht mindestens 2 Stuetzwerte.\n", d->name);
    if (art != nullptr && art->gespeichert) {
        gegebene_pruefen(d);
    } else {
        // The nodes of the period [a, b): the N+1 points of [a, b] without b.
        schreibfeld x(d->stuetzstellen);
        for (int k = 0; k < N; ++k)
            x[k] = aequidistanter_punkt(k, N, d->a, d->b);
    }
    const double *y = eintraege(d->stuetzwerte);
    for (int k = 0; k < N; ++k)
        if (!std::isfinite(y[k]))
            fehler("Stuetzwert y(%d) ist keine endliche Zahl fuer TRIGONOMETRISCHE_INTERPOLATION "
                   "%s.\n",
                   k + 1, d->name);
    tafeln(ip.get());
    return ip.release();
}

objekt *trigonometrischeinterpolation_laden(FILE *ein, void *zusatz) {
    return basis_laden(ein, trig_typ, zusatz);
}

int trigonometrischeinterpolation_speichern(objekt *ip, FILE *aus) {
    return basis_speichern(ip, aus, trig_typ);
}

int trigonometrischeinterpolation_freigeben(objekt *ip) {
    trigdaten *d = trig_daten(ip);
    std::free(d->tafel);
    d->tafel = nullptr;
    return basis_freigeben(ip);
}

double trigonometrischeinterpolation_funktionswert(objekt *ip, double x) {
    const trigdaten *d = trig_daten(ip);
    const int N = d->n + 1;
    const double *y = eintraege(d->stuetzwerte);
    const double u = anteil(d, x);
    if (!std::isfinite(u)) return NAN;
    const double j = u * N;
    // On a node (also the end of the period, u = 1, which is node 0).
    if (j == std::floor(j)) return y[static_cast<int>(j) % N];
    const double theta = PI * u;
    double wert = 0.0;
    if (trig_summe(d->tafel, d->tafel + N, d->tafel + 2 * N, y, N, N % 2 == 0, std::sin(theta),
                   std::cos(theta), wert))
        return wert;
    return y[static_cast<int>(std::lround(j)) % N];
}

const char *trigonometrischeinterpolation_name(objekt *ip) {
    return basis_name(ip, trig_typ);
}

objekt *trigonometrischeinterpolation_imVektor(objekt *ip, int index) {
    return basis_vektor(ip, index);
}

double trigonometrischeinterpolation_linkeGrenze(objekt *ip) {
    return trig_daten(ip)->a;
}

double trigonometrischeinterpolation_rechteGrenze(objekt *ip) {
    return trig_daten(ip)->b;
}

double trigonometrischeinterpolation_ableitung1(objekt *ip, double x) {
    return ableitung(ip, x, 1);
}

double trigonometrischeinterpolation_ableitung2(objekt *ip, double x) {
    return ableitung(ip, x, 2);
}

double trigonometrischeinterpolation_integral(objekt *ip, double x1, double x2) {
    const trigdaten *d = trig_daten(ip);
    return gerichtetes_integral(x1, x2, [&](double lo, double hi) {
        const double a0 = eintraege(d->koeffizienten)[0];
        return a0 * (hi - lo) + (stammteil(d, hi) - stammteil(d, lo));
    });
}

// The one-point slot at each point: it reads the object only, so the two
// halves of a large array may run at once.
void trigonometrischeinterpolation_funktionswerte(objekt *ip, const double *x, double *y,
                                                  size_t anzahl) {
    bereiche_auswerten(anzahl, [=](size_t von, size_t bis) {
        for (size_t i = von; i < bis; ++i)
            y[i] = trigonometrischeinterpolation_funktionswert(ip, x[i]);
    });
}

const interpolationstyp trig_typ = {.beschreibung = &trigonometrische_interpolation,
                                    .typtext = "TRIGONOMETRISCHE_INTERPOLATION",
                                    .kurzname = "Trigonometrisch",
                                    .mindestens = 2,
                                    .knotenordnung = KNOTEN_AUFSTEIGEND,
                                    .global = 1,
                                    .polynom = 0,
                                    .ohne_koeffizienten = 0,
                                    .optionen_anzahl = 0,
                                    .optionen = nullptr,
                                    .erzeugen = trig_erzeugen,
                                    .option = ohne_option};

} // extern "C"
