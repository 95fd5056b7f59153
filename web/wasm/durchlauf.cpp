// One pass of the page's main view (each method, f, the Lebesgue function)
// and the files in the programs' formats, each one call with one result.
#include "antwort.h"
#include "schnittstelle_intern.h"

#include <emscripten/emscripten.h>

#include "numerik/fehler.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "numerik/studie.h"
#include "numerik/zahlen.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace web;

namespace {

// x(i) = (i*b + (punkte-1-i)*a) / (punkte-1), i = 0..punkte-1: the points at
// which fehlerstudie measures and beispielwerte and kurvenpunkte write.
void gitter(std::vector<double> &x, int punkte, double a, double b) {
    if (punkte < 2) numerik_fehler("Es werden mindestens 2 Punkte benoetigt.\n");
    x.resize(static_cast<std::size_t>(punkte));
    for (int i = 0; i < punkte; ++i)
        x[static_cast<std::size_t>(i)] = aequidistanter_punkt(i, punkte - 1, a, b);
}

// Whether the figure fehler of method k for problem m over n+1 nodes of
// kind art, measured at punkte points, is rounding rather than
// interpolation error: the study's own test (rundung_ueberwiegt) on a study
// of this one n with the method's row and the row of its stable form.
// False for a method without a stable form.
bool rundung(int m, int k, int art, int n, int punkte, double fehler) {
    const beispielfunktion &problem = problem_nr(m);
    const methode &me = stil_methode(k, art);
    if (me.stabil == nullptr) return false;
    const methode *stabil = nullptr;
    for (int i = 0; i < methoden_anzahl; ++i)
        if (std::strcmp(methoden[i].spalte, me.stabil) == 0) stabil = &methoden[i];
    if (stabil == nullptr) return false;
    matrix_zeiger werte(werte_an_stuetzstellen(problem, art, n));
    const std::string name = problemname(problem, n);
    interpolation_zeiger ip(methode_erzeugen(stabil, name.c_str(), art, nullptr, problem.a,
                                             problem.b, werte.get(), &problem));
    studie s;
    s.m = m;
    s.problem = problem;
    s.punkte = punkte;
    s.spalten = {&me, stabil};
    s.n = {n};
    s.werte = {
        {messwert{fehler, true}, messwert{groesster_fehler(ip.get(), problem, punkte), true}}};
    return rundung_ueberwiegt(s, 0, 0);
}

// ---- Files in the programs' formats ---------------------------------------

struct text_freigeber {
    void operator()(char *t) const { std::free(t); }
};
struct datei_schliesser {
    void operator()(FILE *f) const { std::fclose(f); }
};

// What schreiben writes to a stream, as the bytes of the result.
template <typename F> void als_text(std::string &ziel, F schreiben) {
    char *roh = nullptr;
    std::size_t laenge = 0;
    FILE *aus = open_memstream(&roh, &laenge);
    if (aus == nullptr) numerik_fehler("Nicht genug Speicher fuer den Text.\n");
    // Closed (which settles the buffer) before the buffer is freed.
    std::unique_ptr<char, text_freigeber> text;
    {
        std::unique_ptr<FILE, datei_schliesser> strom(aus);
        schreiben(aus);
        const int fehler = std::fclose(strom.release());
        text.reset(roh);
        if (fehler != 0 || roh == nullptr) numerik_fehler("Nicht genug Speicher fuer den Text.\n");
    }
    ziel.assign(text.get(), laenge);
}

// A value file as beispielwerte and kurvenpunkte write it: the points, then
// the values named wertename.
template <typename F>
void wertedatei(FILE *aus, int n, double a, double b, const char *wertename, F wert) {
    nmvektor_schreiben(aus, "X-Werte", n + 1,
                       [&](int i) { return aequidistanter_punkt(i, n, a, b); });
    nmvektor_schreiben(aus, wertename, n + 1,
                       [&](int i) { return wert(aequidistanter_punkt(i, n, a, b)); });
}

void interpolationstext(std::string &ziel, objekt *ip) {
    als_text(ziel, [ip](FILE *aus) { interpolation_tabelle(ip)->speichern(ip, aus); });
}

// Stores the problem of method me over the given values: for splines as
// splineerzeuger writes it, the object made without coefficients and with
// zero values, the values then set at its nodes.  Creation would average the
// end values of a periodic problem; the file keeps them as they are.  Other
// classes store their problem as made.
void problemtext(std::string &ziel, const methode &me, const char *name, int art, objekt *knoten,
                 double a, double b, objekt *werte, const beispielfunktion *problem) {
    const int ohne_koeffizienten = interpolationstyp_von(me.art)->ohne_koeffizienten;
    if (ohne_koeffizienten == 0) {
        interpolation_zeiger ip(methode_erzeugen(&me, name, art, knoten, a, b, werte, problem));
        interpolationstext(ziel, ip.get());
        return;
    }
    const matrix_funktionen *fw = matrix_tabelle(werte);
    const int anzahl = fw->hoehe(werte);
    matrix_zeiger nullwerte(vektor(anzahl, "Stuetzwerte"));
    interpolation_zeiger ip(methode_erzeugen(&me, name, art + ohne_koeffizienten, knoten, a, b,
                                             nullwerte.get(), problem));
    objekt *eigene = interpolation_tabelle(ip.get())->imVektor(ip.get(), 1);
    for (int i = 1; i <= anzahl; ++i)
        matrix_tabelle(eigene)->setzen(eigene, i, 1, fw->amIndex(werte, i, 1));
    interpolationstext(ziel, ip.get());
}

// What kurvenpunkte n writes for ip: n+1 equidistant points of its interval.
void kurvenpunkte(std::string &ziel, objekt *ip, int n) {
    als_text(ziel, [ip, n](FILE *aus) {
        const interpolation_funktionen *fi = interpolation_tabelle(ip);
        const std::string wertename = std::string("Y-Werte zum Polynom ") + fi->name(ip);
        const double links = fi->linkeGrenze(ip);
        const double rechts = fi->rechteGrenze(ip);
        interpolation_intervall_pruefen(links, rechts);
        wertedatei(aus, n, links, rechts, wertename.c_str(),
                   [ip, fi](double x) { return fi->funktionswert(ip, x); });
    });
}

// What beispielwerte n m writes.
void beispielwerte(std::string &ziel, const beispielfunktion &problem, int n) {
    als_text(ziel, [&problem, n](FILE *aus) {
        const std::string wertename = "Y-Werte der " + funktionsname(problem);
        interpolation_intervall_pruefen(problem.a, problem.b);
        wertedatei(aus, n, problem.a, problem.b, wertename.c_str(),
                   [&problem](double x) { return beispiel_f(&problem, x); });
    });
}

// What beiwerte writes for ip: its coefficients stored, then printed.
void koeffizienten(std::string &ziel, objekt *ip) {
    als_text(ziel, [ip](FILE *aus) {
        objekt *k = interpolation_tabelle(ip)->imVektor(ip, 2);
        const matrix_funktionen *fk = matrix_tabelle(k);
        fk->speichern(k, aus);
        std::fputs("# --\n", aus);
        fk->ausgeben(k, aus);
    });
}

// The number form of the texts for the length of one call.
class zahlform {
  public:
    explicit zahlform(bool voll) : vorher_(zahl_form_setzen(voll ? ZAHL_FORM_VOLL : ZAHL_FORM_F)) {}
    ~zahlform() { zahl_form_setzen(vorher_); }
    zahlform(const zahlform &) = delete;
    zahlform &operator=(const zahlform &) = delete;

  private:
    int vorher_;
};

// The files of web_datei.
enum datei { PROBLEM = 0, KURVENPUNKTE = 1, KOEFFIZIENTEN = 2, BEISPIELWERTE = 3 };

} // namespace

extern "C" {

// One method of a pass: method k over n+1 nodes of kind art for problem m
// (daten 0), or with daten 1 the loaded interpolation or method k over the
// loaded value file, measured at punkte equidistant points of the problem's
// interval (of the interpolation's own for data):
//   {"name", "typ", "reihen": ["knoten_x", "knoten_y", "x", "y", "e"]}
// with, for a problem, its largest error as the study measures it:
//   "max", "maxText" (as fehlerstudie prints it, "%.3g") and "rundung"
//   (the study's mark: the figure is rounding of the Newton form).
// e is |p(x) - f(x)| at the points (not for data).
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_verfahren(int daten, int m, int k, int art, int n,
                                                       int punkte) {
    return aufrufen([=](antwort &a) {
        gewaehlte_interpolation gewaehlt(daten != 0, m, k, art, n);
        objekt *ip = gewaehlt.get();
        const interpolation_funktionen *fi = interpolation_tabelle(ip);
        klasse *kl = interpolation_klasse(ip);
        a.json.feld("name", fi->name(ip)).feld("typ", interpolation_tabelle(kl)->name(kl));

        objekt *knoten = fi->imVektor(ip, 0);
        objekt *werte = fi->imVektor(ip, 1);
        const matrix_funktionen *fk = matrix_tabelle(knoten);
        const matrix_funktionen *fw = matrix_tabelle(werte);
        const int anzahl = fk->hoehe(knoten);
        std::vector<double> &kx = a.reihe("knoten_x");
        std::vector<double> &ky = a.reihe("knoten_y");
        for (int i = 1; i <= anzahl; ++i) {
            kx.push_back(fk->amIndex(knoten, i, 1));
            ky.push_back(fw->amIndex(werte, i, 1));
        }

        const beispielfunktion *problem = daten != 0 ? nullptr : &problem_nr(m);
        std::vector<double> &x = a.reihe("x");
        if (problem == nullptr)
            gitter(x, punkte, fi->linkeGrenze(ip), fi->rechteGrenze(ip));
        else
            gitter(x, punkte, problem->a, problem->b);
        std::vector<double> &y = a.reihe("y");
        y.resize(x.size());
        interpolation_werte(ip, x.data(), y.data(), x.size());
        if (problem == nullptr) return;

        std::vector<double> &e = a.reihe("e");
        e.resize(x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            e[i] = std::fabs(y[i] - beispiel_f(problem, x[i]));
        // The figure itself from the study's own measurement.
        const double max = groesster_fehler(ip, *problem, punkte);
        a.json.feld("max", max)
            .feld("maxText", zahl_text(max, 3))
            .feld("rundung", rundung(m, k, art, n, punkte, max));
    });
}

// f of problem m at punkte equidistant points of its interval:
//   {"reihen": ["x", "y"]}.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_funktion(int m, int punkte) {
    return aufrufen([=](antwort &a) {
        const beispielfunktion &problem = problem_nr(m);
        std::vector<double> &x = a.reihe("x");
        gitter(x, punkte, problem.a, problem.b);
        std::vector<double> &y = a.reihe("y");
        y.resize(x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            y[i] = beispiel_f(&problem, x[i]);
    });
}

// The Lebesgue function sum |l_j(x)| of the n+1 nodes of the placed kind art
// on problem m's interval at punkte equidistant points, and the Lebesgue
// constant Lambda_n, its maximum refined between the points:
//   {"konstante", "konstanteText" ("%.4g"), "reihen": ["x", "l"]}.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_lebesgue(int m, int art, int n, int punkte) {
    return aufrufen([=](antwort &a) {
        const beispielfunktion &problem = problem_nr(m);
        gitter(a.reihe("x"), punkte, problem.a, problem.b);
        a.reihe("l") = lebesgue_funktion(art, n, problem.a, problem.b, punkte);
        const double konstante = lebesgue_konstante(art, n, problem.a, problem.b, punkte);
        a.json.feld("konstante", konstante).feld("konstanteText", zahl_text(konstante, 4));
    });
}

// A file as a program writes it, in the bytes of the result ({} beside
// them), with six decimals or (voll 1) 17 significant digits:
//   welche 0: the problem of method k (for a spline the bytes of
//     splineerzeuger; for data the loaded interpolation as stored, or the
//     problem over the value file);
//   1: the curve points of kurvenpunkte punkte;
//   2: the coefficients of beiwerte;
//   3: the exact values of beispielwerte punkte m.
// daten, m, k, art, n choose the interpolation as in web_verfahren.
EMSCRIPTEN_KEEPALIVE const antwort_kopf *web_datei(int welche, int daten, int m, int k, int art,
                                                   int n, int punkte, int voll) {
    return aufrufen([=](antwort &a) {
        const zahlform form(voll != 0);
        // As kurvenpunkte and beispielwerte check their n.
        if ((welche == KURVENPUNKTE || welche == BEISPIELWERTE) && punkte < 1)
            numerik_fehler("n muss mindestens 1 sein!\n");
        switch (welche) {
        case PROBLEM:
            if (daten != 0 && geladen().interpolation != nullptr) {
                interpolationstext(a.bytes, geladen().interpolation);
            } else if (daten != 0) {
                if (geladen().punkte == nullptr) numerik_fehler("Keine Wertedatei geladen.\n");
                const methode &me = verfahren_nr(k);
                const std::string name = std::string("Eigene Daten, ") + me.verfahren;
                problemtext(a.bytes, me, name.c_str(), STUETZSTELLEN_GEGEBEN, geladen().punkte, 0.0,
                            0.0, geladen().werte, nullptr);
            } else {
                const beispielfunktion &problem = problem_nr(m);
                matrix_zeiger werte(werte_an_stuetzstellen(problem, art, n));
                const std::string name = problemname(problem, n);
                problemtext(a.bytes, verfahren_nr(k), name.c_str(), art, nullptr, problem.a,
                            problem.b, werte.get(), &problem);
            }
            break;
        case KURVENPUNKTE:
            kurvenpunkte(a.bytes, gewaehlte_interpolation(daten != 0, m, k, art, n).get(), punkte);
            break;
        case KOEFFIZIENTEN:
            koeffizienten(a.bytes, gewaehlte_interpolation(daten != 0, m, k, art, n).get());
            break;
        case BEISPIELWERTE:
            beispielwerte(a.bytes, problem_nr(m), punkte);
            break;
        default:
            numerik_fehler("Datei Nr. %d nicht definiert.\n", welche);
        }
    });
}

} // extern "C"
