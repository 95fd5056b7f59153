// The table of methods, and the one place that turns a row into the
// creation record of its class.
#include "numerik/methoden.h"

#include "numerik/baryzipl.h"
#include "numerik/fehler.h"
#include "numerik/hermiteipl.h"
#include "numerik/newtnipl.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"

#include <cstring>

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

} // namespace

extern "C" {

// Styles: lines that often lie on one another differ in dash and point.  The
// barycentric form (dashed, large open points) lies on the Newton form of
// the same nodes wherever that is still exact, the periodic spline (thin,
// dotted, large open triangles) on the natural one of the same nodes, which
// is drawn wide beneath it.
const methode methoden[] = {
    {.spalte = "Newton-a",
     .titel = "Newton, aequidistant",
     .schluessel = "newton",
     .verfahren = "Newton-Form",
     .art = &newton_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = KEINE_SPLINEART,
     .option = 0,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = true,
     .hoechstes_n = NEWTON_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = "Bary-a",
     .farbe = "#d55e00",
     .breite = 2,
     .strich = 1,
     .punkt = 5,
     .punktgroesse = 1.2},
    {.spalte = "Newton-t",
     .titel = "Newton, Tschebyscheff",
     .schluessel = "newton",
     .verfahren = "Newton-Form",
     .art = &newton_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .splineart = KEINE_SPLINEART,
     .option = 0,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = true,
     .hoechstes_n = NEWTON_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = "Bary-t",
     .farbe = "#0072b2",
     .breite = 2,
     .strich = 1,
     .punkt = 7,
     .punktgroesse = 1.3},
    // Not in the overview: on equidistant nodes the second barycentric
    // formula loses about Lebesgue constant (2^n / (e n ln n)) times the
    // rounding unit relative to the value, more than the Newton form there.
    {.spalte = "Bary-a",
     .titel = "baryzentrisch, aequidistant",
     .schluessel = "baryzentrisch",
     .verfahren = "baryzentrische Form",
     .art = &baryzentrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = KEINE_SPLINEART,
     .option = 0,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .farbe = "#e69f00",
     .breite = 2,
     .strich = 2,
     .punkt = 4,
     .punktgroesse = 2.0},
    {.spalte = "Bary-t",
     .titel = "baryzentrisch, Tschebyscheff",
     .schluessel = "baryzentrisch",
     .verfahren = "baryzentrische Form",
     .art = &baryzentrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .splineart = KEINE_SPLINEART,
     .option = 0,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_POLYNOME,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .farbe = "#56b4e9",
     .breite = 2,
     .strich = 2,
     .punkt = 6,
     .punktgroesse = 2.2},
    {.spalte = "nat.Sp-a",
     .titel = "natuerlicher Spline, aequidistant",
     .schluessel = "natuerlich",
     .verfahren = "natuerlicher Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = SPLINE_NATUERLICH,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#009e73",
     .breite = 4,
     .strich = 1,
     .punkt = 9,
     .punktgroesse = 1.6},
    {.spalte = "nat.Sp-t",
     .titel = "natuerlicher Spline, Tschebyscheff",
     .schluessel = "natuerlich",
     .verfahren = "natuerlicher Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .splineart = SPLINE_NATUERLICH,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#cc79a7",
     .breite = 2,
     .strich = 1,
     .punkt = 11,
     .punktgroesse = 1.6},
    // The end second derivatives of the problem's f: for data without a
    // function there are none.
    {.spalte = "abl.Sp-a",
     .titel = "Spline, 2. Ableitung exakt an den Enden, aequidistant",
     .schluessel = "abl2",
     .verfahren = "Spline mit exaktem f'' an den Enden",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = SPLINE_ABL2_GEGEBEN,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = true,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#000000",
     .breite = 2,
     .strich = 1,
     .punkt = 13,
     .punktgroesse = 1.6},
    // From n = 3: with three nodes the library continues it to five.
    {.spalte = "per.Sp-a",
     .titel = "periodischer Spline, aequidistant",
     .schluessel = "periodisch",
     .verfahren = "periodischer Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = SPLINE_PERIODISCH,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = true,
     .abl2 = false,
     .gruppe = SPALTEN_SPLINES,
     .uebersicht = true,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 3,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#8c8c8c",
     .breite = 1.5,
     .strich = 3,
     .punkt = 8,
     .punktgroesse = 2.4}, // Shown only with all columns (-p -s): the overview and either group
    // alone print what they always printed.  Not-a-knot from n = 2, where
    // it is the parabola through the three nodes.
    {.spalte = "nak.Sp-a",
     .titel = "not-a-knot-Spline, aequidistant",
     .schluessel = "notaknot",
     .verfahren = "not-a-knot-Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = SPLINE_NOT_A_KNOT,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#882255",
     .breite = 2,
     .strich = 2,
     .punkt = 10,
     .punktgroesse = 1.6},
    {.spalte = "nak.Sp-t",
     .titel = "not-a-knot-Spline, Tschebyscheff",
     .schluessel = "notaknot",
     .verfahren = "not-a-knot-Spline",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .splineart = SPLINE_NOT_A_KNOT,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#44aa99",
     .breite = 2,
     .strich = 2,
     .punkt = 12,
     .punktgroesse = 1.6},
    // The end slopes of the problem's f: for data without a function there
    // are none (abl2 marks a row that needs f's derivatives at the ends).
    {.spalte = "ein.Sp-a",
     .titel = "eingespannter Spline, 1. Ableitung exakt an den Enden, aequidistant",
     .schluessel = "eingespannt",
     .verfahren = "eingespannter Spline (exaktes f' an den Enden)",
     .art = &spline_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = SPLINE_EINGESPANNT,
     .option = 0,
     .arten = ALLE_ARTEN,
     .periodisch = false,
     .abl2 = true,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#999933",
     .breite = 2,
     .strich = 3,
     .punkt = 14,
     .punktgroesse = 1.6},
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
     .splineart = KEINE_SPLINEART,
     .option = RATIONAL_GRAD_STANDARD,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .farbe = "#aa4499",
     .breite = 2,
     .strich = 1,
     .punkt = 15,
     .punktgroesse = 1.6},
    {.spalte = "Rat-t",
     .titel = "rational (d = 3), Tschebyscheff",
     .schluessel = "rational",
     .verfahren = "rationale Form (Floater-Hormann, d = 3)",
     .art = &rationale_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .splineart = KEINE_SPLINEART,
     .option = RATIONAL_GRAD_STANDARD,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .farbe = "#117733",
     .breite = 2,
     .strich = 2,
     .punkt = 14,
     .punktgroesse = 1.6},
    // The Newton form over the same Chebyshev points as Newton-t, in Leja
    // order: the polynomial of Bary-t, with its rounding.
    {.spalte = "Leja-t",
     .titel = "Newton in Leja-Ordnung, Tschebyscheff",
     .schluessel = "newton-leja",
     .verfahren = "Newton-Form in Leja-Ordnung",
     .art = &newton_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF,
     .splineart = KEINE_SPLINEART,
     .option = 1,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = NEWTON_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = "Bary-t",
     .farbe = "#332288",
     .breite = 2,
     .strich = 3,
     .punkt = 12,
     .punktgroesse = 1.6},
    {.spalte = "Bary-t1",
     .titel = "baryzentrisch, Tschebyscheff 1. Art",
     .schluessel = "baryzentrisch",
     .verfahren = "baryzentrische Form",
     .art = &baryzentrische_interpolation,
     .stuetzstellenart = STUETZSTELLEN_TSCHEBYSCHEFF1,
     .splineart = KEINE_SPLINEART,
     .option = 0,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = POLYNOM_SUCHGRENZE,
     .stabil = nullptr,
     .farbe = "#ddcc77",
     .breite = 2,
     .strich = 2,
     .punkt = 10,
     .punktgroesse = 2.0},
    // The shape-preserving piecewise cubic Hermite forms: local slopes, no
    // system, so O(n) like the spline; their nodes only need to ascend.
    {.spalte = "FC-a",
     .titel = "Hermite (Fritsch-Carlson), aequidistant",
     .schluessel = "fritsch-carlson",
     .verfahren = "monotone kubische Hermite-Interpolation (Fritsch-Carlson)",
     .art = &hermite_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = KEINE_SPLINEART,
     .option = HERMITE_FRITSCH_CARLSON,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#661100",
     .breite = 2,
     .strich = 1,
     .punkt = 9,
     .punktgroesse = 1.6},
    {.spalte = "Akima-a",
     .titel = "Hermite (modifizierter Akima), aequidistant",
     .schluessel = "akima-modifiziert",
     .verfahren = "kubische Hermite-Interpolation (modifizierter Akima)",
     .art = &hermite_interpolation,
     .stuetzstellenart = STUETZSTELLEN_AEQUIDISTANT,
     .splineart = KEINE_SPLINEART,
     .option = HERMITE_AKIMA_MODIFIZIERT,
     .arten = POLYNOM_ARTEN,
     .periodisch = false,
     .abl2 = false,
     .gruppe = SPALTEN_ALLE,
     .uebersicht = false,
     .hoechstes_n = STUDIE_MAX_N,
     .suchanfang = 2,
     .suchgrenze = STUDIE_MAX_N,
     .stabil = nullptr,
     .farbe = "#6699cc",
     .breite = 2,
     .strich = 2,
     .punkt = 11,
     .punktgroesse = 1.6},
};
const int methoden_anzahl = sizeof(methoden) / sizeof(methoden[0]);

const methode *methode_suchen(const char *spalte) {
    for (const methode &me : methoden)
        if (std::strcmp(me.spalte, spalte) == 0) return &me;
    return nullptr;
}

objekt *methode_erzeugen(const methode *me, const char *name, int art, objekt *knoten, double a,
                         double b, objekt *werte, const beispielfunktion *problem) {
    // Through the library's one creation entry, which checks the data
    // (finite, distinct nodes, enough of them) before the class computes:
    // own data reaches the study too.
    interpolation_problem p = {};
    p.methode = me->art;
    p.name = name;
    p.art = art;
    p.stuetzstellen = knoten;
    p.a = a;
    p.b = b;
    p.stuetzwerte = werte;
    if (me->art == &spline_interpolation) {
        p.optionen.spline.splineart = me->splineart;
        if (me->abl2 && me->splineart == SPLINE_EINGESPANNT) {
            if (problem == nullptr)
                numerik_fehler("Fuer eigene Daten ist f' an den Enden nicht bekannt.\n");
            p.optionen.spline.abl1links = beispiel_abl1(problem, problem->a);
            p.optionen.spline.abl1rechts = beispiel_abl1(problem, problem->b);
        } else if (me->abl2) {
            if (problem == nullptr)
                numerik_fehler("Fuer eigene Daten ist f'' an den Enden nicht bekannt.\n");
            p.optionen.spline.abl2links = beispiel_abl2(problem, problem->a);
            p.optionen.spline.abl2rechts = beispiel_abl2(problem, problem->b);
        }
    } else if (me->art == &newton_interpolation) {
        p.optionen.newton.leja = me->option;
    } else if (me->art == &rationale_interpolation) {
        p.optionen.rational.grad = me->option;
    } else if (me->art == &hermite_interpolation) {
        p.optionen.hermite.steigungen = me->option;
    }
    return interpolation_erzeugen(&p, nullptr);
}
}
