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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 4},
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
     .bezugsordnung = 4},
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
     .bezugsordnung = 4},
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
     .bezugsordnung = 4}, // Shown only with all columns (-p -s): the overview and either group
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
     .bezugsordnung = 4},
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
     .bezugsordnung = 4},
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
     .bezugsordnung = 4},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
     .bezugsordnung = 0},
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
    return interpolation_erzeugen(&p, nullptr);
}
}
