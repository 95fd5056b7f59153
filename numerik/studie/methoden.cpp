// The table of methods, and the one place that turns a row into the
// creation record of its class.
#include "numerik/methoden.h"

#include "numerik/aaaipl.h"
#include "numerik/baryzipl.h"
#include "numerik/fehler.h"
#include "numerik/hermiteipl.h"
#include "numerik/knotenarten.h"
#include "numerik/newtnipl.h"
#include "numerik/rationalipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "numerik/studie.h"
#include "numerik/trigipl.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Every class takes given nodes and places the equidistant and the Chebyshev
// extreme points.
constexpr unsigned ALLE_ARTEN = STUETZSTELLENART_BIT(STUETZSTELLEN_GEGEBEN) |
                                STUETZSTELLENART_BIT(STUETZSTELLEN_AEQUIDISTANT) |
                                STUETZSTELLENART_BIT(STUETZSTELLEN_TSCHEBYSCHEFF);
// The barycentric kind (Newton, barycentric, rational) also the Chebyshev
// points of the first kind; the splines not, whose end conditions (f'' at
// the ends, the period) refer to nodes at a and b.
constexpr unsigned POLYNOM_ARTEN = ALLE_ARTEN | STUETZSTELLENART_BIT(STUETZSTELLEN_TSCHEBYSCHEFF1);
// AAA fits a sample, the trigonometric interpolation needs equal steps:
// the user's points or equidistant ones.
constexpr unsigned GLEICHE_ARTEN =
    STUETZSTELLENART_BIT(STUETZSTELLEN_GEGEBEN) | STUETZSTELLENART_BIT(STUETZSTELLEN_AEQUIDISTANT);

// A vector of the library with the values y.
matrix_zeiger als_vektor(const std::vector<double> &y) {
    nmmatrix_parameter p = {static_cast<int>(y.size()), 1, "Stuetzwerte", 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < y.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, y[i]);
    return v;
}

// Column 1 of werte.
std::vector<double> spalte(objekt *werte) {
    const matrix_funktionen *fw = matrix_tabelle(werte);
    std::vector<double> y(static_cast<std::size_t>(fw->hoehe(werte)));
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] = fw->amIndex(werte, static_cast<int>(i) + 1, 1);
    return y;
}

} // namespace

extern "C" {

const methode methoden[] = {
    {.spalte = "Newton-a",
     .titel = "Newton, aequidistant",
     .schluessel = "newton",
     .verfahren = "Newton-Form",
     .art = &newton_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = true,
     .hoechstes_n = NEWTON_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = "Bary-a",
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 0},
    {.spalte = "Newton-t",
     .titel = "Newton, Tschebyscheff",
     .schluessel = "newton",
     .verfahren = "Newton-Form",
     .art = &newton_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .optionen = {},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = true,
     .hoechstes_n = NEWTON_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = "Bary-t",
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 0},
    // Not in the overview: on equidistant nodes the second barycentric
    // formula loses about Lebesgue constant (2^n / (e n ln n)) times the
    // rounding unit relative to the value, more than the Newton form there.
    {.spalte = "Bary-a",
     .titel = "baryzentrisch, aequidistant",
     .schluessel = "baryzentrisch",
     .verfahren = "baryzentrische Form",
     .art = &baryzentrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 0},
    {.spalte = "Bary-t",
     .titel = "baryzentrisch, Tschebyscheff",
     .schluessel = "baryzentrisch",
     .verfahren = "baryzentrische Form",
     .art = &baryzentrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .optionen = {},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 0},
    {.spalte = "nat.Sp-a",
     .titel = "natuerlicher Spline, aequidistant",
     .schluessel = "natuerlich",
     .verfahren = "natuerlicher Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"ende", SPLINE_NATUERLICH}},
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 2},
    {.spalte = "nat.Sp-t",
     .titel = "natuerlicher Spline, Tschebyscheff",
     .schluessel = "natuerlich",
     .verfahren = "natuerlicher Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .optionen = {{"ende", SPLINE_NATUERLICH}},
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 2},
    // The end second derivatives of the problem's f: for data without a
    // function there are none.
    {.spalte = "abl.Sp-a",
     .titel = "Spline, 2. Ableitung exakt an den Enden, aequidistant",
     .schluessel = "abl2",
     .verfahren = "Spline mit exaktem f'' an den Enden",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"ende", SPLINE_ABL2_GEGEBEN}},
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = 2,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 4},
    // From n = 3: with three nodes the library continues it to five.
    {.spalte = "per.Sp-a",
     .titel = "periodischer Spline, aequidistant",
     .schluessel = "periodisch",
     .verfahren = "periodischer Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"ende", SPLINE_PERIODISCH}},
     .arten = ALLE_ARTEN,
     .periodisch = true,
     .abl2 = 0,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 3,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 4}, // Shown only with all columns (-p -s): the overview and either group
    // alone print what they always printed.  Not-a-knot from n = 2, where
    // it is the parabola through the three nodes.
    {.spalte = "nak.Sp-a",
     .titel = "not-a-knot-Spline, aequidistant",
     .schluessel = "notaknot",
     .verfahren = "not-a-knot-Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"ende", SPLINE_NOT_A_KNOT}},
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 4},
    {.spalte = "nak.Sp-t",
     .titel = "not-a-knot-Spline, Tschebyscheff",
     .schluessel = "notaknot",
     .verfahren = "not-a-knot-Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .optionen = {{"ende", SPLINE_NOT_A_KNOT}},
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 4},
    // The end slopes of the problem's f: for data without a function there
    // are none (abl2 marks a row that needs f's derivatives at the ends).
    {.spalte = "ein.Sp-a",
     .titel = "eingespannter Spline, 1. Ableitung exakt an den Enden, aequidistant",
     .schluessel = "eingespannt",
     .verfahren = "eingespannter Spline (exaktes f' an den Enden)",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"ende", SPLINE_EINGESPANNT}},
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = 1,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 4,
     .probe = PROBE_KNOTEN,
     .ordnung = 4},
    // The further methods, like the further spline ends shown only with all
    // columns, so that the overview and -p or -s alone show the columns they
    // always have.  The rational form of blending degree 3 converges on equidistant
    // nodes, where the polynomial diverges.
    {.spalte = "Rat-a",
     .titel = "rational (d = 3), aequidistant",
     .schluessel = "rational",
     .verfahren = "rationale Form (Floater-Hormann, d = 3)",
     .art = &rationale_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"d", RATIONAL_GRAD_STANDARD}},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 4},
    {.spalte = "Rat-t",
     .titel = "rational (d = 3), Tschebyscheff",
     .schluessel = "rational",
     .verfahren = "rationale Form (Floater-Hormann, d = 3)",
     .art = &rationale_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .optionen = {{"d", RATIONAL_GRAD_STANDARD}},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 4},
    // The Newton form over the same Chebyshev points as Newton-t, in Leja
    // order: the polynomial of Bary-t, with its rounding.
    {.spalte = "Leja-t",
     .titel = "Newton in Leja-Ordnung, Tschebyscheff",
     .schluessel = "newton-leja",
     .verfahren = "Newton-Form in Leja-Ordnung",
     .art = &newton_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .optionen = {{"leja", 1}},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = NEWTON_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = "Bary-t",
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 0},
    {.spalte = "Bary-t1",
     .titel = "baryzentrisch, Tschebyscheff 1. Art",
     .schluessel = "baryzentrisch",
     .verfahren = "baryzentrische Form",
     .art = &baryzentrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF1,
     .optionen = {},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 0},
    // The shape-preserving piecewise cubic Hermite forms: local slopes, no
    // system, so O(n) like the spline; their nodes only need to ascend.
    {.spalte = "FC-a",
     .titel = "Hermite (Fritsch-Carlson), aequidistant",
     .schluessel = "fritsch-carlson",
     .verfahren = "monotone kubische Hermite-Interpolation (Fritsch-Carlson)",
     .art = &hermite_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"steigungen", HERMITE_FRITSCH_CARLSON}},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 2},
    {.spalte = "Akima-a",
     .titel = "Hermite (modifizierter Akima), aequidistant",
     .schluessel = "akima-modifiziert",
     .verfahren = "kubische Hermite-Interpolation (modifizierter Akima)",
     .art = &hermite_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {{"steigungen", HERMITE_AKIMA_MODIFIZIERT}},
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_KNOTEN,
     .ordnung = 2},
    // Where f is periodic: the trigonometric polynomial through the n nodes
    // of the period (those of per.Sp-a without b), its error falling
    // geometrically where the periodic spline's falls like n^-4.
    {.spalte = "Trig-a",
     .titel = "trigonometrisch, aequidistant",
     .schluessel = "trigonometrisch",
     .verfahren = "trigonometrische Interpolation",
     .art = &trigonometrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {},
     .arten = GLEICHE_ARTEN,
     .periodisch = true,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_PERIODE,
     .ordnung = 0},
    // The rational approximation of f on the study's grid, n its largest
    // degree: it stops earlier where it meets its tolerance.
    {.spalte = "AAA",
     .titel = "AAA (rational, Stichprobe aequidistant)",
     .schluessel = "aaa",
     .verfahren = "AAA-Naeherung (rational)",
     .art = &aaa_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .optionen = {},
     .arten = GLEICHE_ARTEN,
     .periodisch = false,
     .abl2 = 0,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = AAA_GRAD_STANDARD,
     .suchanfang = 2,
     .suchgrenze = AAA_GRAD_STANDARD,
     .stabil = nullptr,
     .bezugsordnung = 0,
     .probe = PROBE_GITTER,
     .ordnung = 0},
};
const int methoden_anzahl = sizeof(methoden) / sizeof(methoden[0]);

const methode *methode_suchen(const char *spalte) {
    for (const methode &me : methoden)
        if (std::strcmp(me.spalte, spalte) == 0) return &me;
    return nullptr;
}

double methode_option_wert(const methode *me, const char *schluessel) {
    for (const methode_option &o : me->optionen)
        if (o.schluessel != nullptr && std::strcmp(o.schluessel, schluessel) == 0) return o.wert;
    const interpolationstyp *t = interpolationstyp_von(me->art);
    const int k = interpolation_option_nummer(t, schluessel);
    return k < 0 ? 0.0 : t->optionen[k].standard;
}

objekt *methode_erzeugen(const methode *me, const char *name, int art, objekt *knoten, double a,
                         double b, objekt *werte, const beispielfunktion *problem) {
    // Through the library's one creation entry, which checks the data
    // (finite, distinct nodes, enough of them) before the class computes:
    // own data reaches the study too.
    // What the row takes instead of the values at the n+1 nodes.
    matrix_zeiger probe;
    int grad = 0;
    const knotenart *platziert = knotenart_nummer(art);
    if (me->probe != PROBE_KNOTEN && platziert != nullptr && !platziert->gespeichert &&
        problem != nullptr && werte != nullptr) {
        std::vector<double> y = spalte(werte);
        const int n = static_cast<int>(y.size()) - 1;
        if (me->probe == PROBE_GITTER && n >= 1) {
            const int punkte = std::max(STUDIE_MIN_PUNKTE, gitterpunkte_fuer(n));
            std::vector<double> x(static_cast<std::size_t>(punkte));
            for (int i = 0; i < punkte; ++i)
                x[static_cast<std::size_t>(i)] = aequidistanter_punkt(i, punkte - 1, a, b);
            y.resize(x.size());
            beispiel_werte(problem, x.data(), y.data(), x.size());
            art = STUETZSTELLEN_AEQUIDISTANT;
            grad = n;
        } else if (me->probe == PROBE_PERIODE && n >= 1) {
            // The test of periodisch() on the values at the end nodes, so
            // that f is asked only for the values at hand.
            if (!(std::fabs(y.front() - y.back()) <= 1e-6))
                numerik_fehler("%s braucht ein periodisches f: f(a) = %g, f(b) = %g.\n", me->titel,
                               y.front(), y.back());
            y[0] = (y[0] + y.back()) / 2;
            y.pop_back();
        }
        probe = als_vektor(y);
        werte = probe.get();
    }
    interpolation_problem p;
    interpolation_problem_vorbelegen(&p, me->art);
    p.name = name;
    p.art = art;
    p.stuetzstellen = knoten;
    p.a = a;
    p.b = b;
    p.stuetzwerte = werte;
    for (const methode_option &o : me->optionen)
        if (o.schluessel != nullptr) interpolation_option_setzen(&p, o.schluessel, o.wert);
    if (me->abl2 != 0) {
        if (problem == nullptr)
            numerik_fehler("Fuer eigene Daten ist %s an den Enden nicht bekannt.\n",
                           me->abl2 == 1 ? "f'" : "f''");
        auto ableitung = me->abl2 == 1 ? beispiel_abl1 : beispiel_abl2;
        interpolation_option_setzen(&p, "links", ableitung(problem, problem->a));
        interpolation_option_setzen(&p, "rechts", ableitung(problem, problem->b));
    }
    if (grad > 0) interpolation_option_setzen(&p, "grad", grad);
    return interpolation_erzeugen(&p, nullptr);
}
}
