// interpolation/: the interpolation cluster: its generic layer
// (interplt.cpp: the header-line reader, the loader, the class query, node
// placement), the registry of its classes (interplt_register.cpp), what the
// two forms of the interpolating polynomial share (polynom.cpp), and the
// classes: the Newton form (newtnipl.cpp), the barycentric form
// (baryzipl.cpp) and the cubic spline (splinipl*.cpp: object, coefficient
// systems, text form, evaluation).  Stands on every folder below it.
#include "numerik/interplt.h"
#include "numerik/knotenarten.h"
#include "numerik/zahlen.h"

#include "grund/epsilon.h"
#include "grund/fehler_intern.h"
#include "matrizen/feld.h"
#include "interpolation/interplt_intern.h"
#include "kern/kluster.h"

#include <cmath>
#include <cstddef>
#include <cstring>

// The WebAssembly build has no threads.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define NUMERIK_MIT_FAEDEN 0
#else
#define NUMERIK_MIT_FAEDEN 1
#include <exception>
#include <thread>
#endif

namespace {

const kopfzeilen_meldungen interpolation_meldungen = {
    "Keine Daten fuer neue interpolation gefunden - EOF.\n",
    "Fehler in der Eingabe: <interpolationtyp>:[interpolationname] erwartet.\n",
    "Dies ist keine %s interpolation!\n",
    "interpolation %s vom interpolationtyp %s kann nicht eingelesen werden, da dieser Typ "
    "nicht im Klassenkluster registriert.n",
};

const tabellenart interpolationstabelle = {
    [](const klasse *k) -> lader { return interpolation_tabelle(k)->laden; },
    [](objekt *ip) { return interpolation_tabelle(ip)->name(ip); },
};

// The interpolation cluster, with its header reader state apart from the
// matrix cluster's: a header line waiting here does not disturb the loading
// of the NM_MATRIX vectors inside an interpolation text, and the reverse.
klassenkluster interpolationskluster(interpolation_meldungen, interpolation_register,
                                     interpolationstabelle);

// The first and then each strictly smaller (kleiner) or strictly larger
// entry of column 1.
template <bool kleiner> double extremum(objekt *knoten) {
    int zeilen = matrix_tabelle(knoten)->hoehe(knoten);
    feldsicht x(knoten);
    double bester = x(1);
    // (i + 1 rather than i <= zeilen: no overflow at INT_MAX rows.)
    for (int i = 1; i < zeilen; ++i) {
        double wert = x(i + 1);
        if (kleiner ? wert < bester : wert > bester) bester = wert;
    }
    return bester;
}

} // namespace

// Callers index the table: fourteen slots, the ten of old first (rechteGrenze
// tenth), then the derivatives, the integral and the values of an array.
static_assert(sizeof(interpolation_funktionen) == 14 * sizeof(void *));
static_assert(offsetof(interpolation_funktionen, rechteGrenze) == 9 * sizeof(void *));
static_assert(offsetof(interpolation_funktionen, integral) == 12 * sizeof(void *));
static_assert(offsetof(interpolation_funktionen, funktionswerte) == 13 * sizeof(void *));

extern "C" {

const interpolation_funktionen allg_interpolationFunktionen = {
    .speichern = nullptr,
    .laden = interpolation_laden,
    .freigeben = nullptr,
    .kreieren = nullptr,
    .funktionswert = nullptr,
    .name = nullptr,
    .klasse = nullptr,
    .imVektor = nullptr,
    .linkeGrenze = nullptr,
    .rechteGrenze = nullptr,
    .ableitung1 = nullptr,
    .ableitung2 = nullptr,
    .integral = nullptr,
    .funktionswerte = nullptr,
};
klasse allg_interpolation = {&allg_interpolationFunktionen, nullptr};

const char *interpolation_kopfzeile(FILE *ein, char *typ) {
    return kopfzeile_lesen(interpolationskluster, ein, typ);
}

objekt *interpolation_laden(FILE *ein, void *zusatz) {
    return kluster_laden(interpolationskluster, ein, zusatz);
}

klasse *interpolation_klasse(objekt *ip) {
    return kluster_klasse(interpolationskluster, ip);
}

double interpolation_ableitung(objekt *ip, int ordnung, double x) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    if (ordnung < 0 || ordnung > 2)
        fehler("Ableitung %i. Ordnung nicht vorhanden (0, 1 oder 2).\n", ordnung);
    double (*slot)(objekt *, double) = ordnung == 0   ? fi->funktionswert
                                       : ordnung == 1 ? fi->ableitung1
                                                      : fi->ableitung2;
    if (slot == nullptr) fehler("Diese interpolation kann nicht abgeleitet werden.\n");
    // The classes compute for finite x only; the value slot keeps its own
    // behaviour at inf (a wrapped periodic spline gives NaN there as well).
    if (ordnung > 0 && !std::isfinite(x)) return NAN;
    return slot(ip, x);
}

double interpolation_integral(objekt *ip, double x1, double x2) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    if (fi->integral == nullptr) fehler("Diese interpolation kann nicht integriert werden.\n");
    if (!std::isfinite(x1)) fehler("Integrationsgrenze %s ist keine endliche Zahl.\n", "x1");
    if (!std::isfinite(x2)) fehler("Integrationsgrenze %s ist keine endliche Zahl.\n", "x2");
    return fi->integral(ip, x1, x2);
}

void interpolation_werte(objekt *ip, const double *x, double *y, size_t anzahl) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    if (fi->funktionswerte == nullptr)
        fehler("Diese interpolation kann nicht ausgewertet werden.\n");
    if (anzahl == 0) return;
    if (x == nullptr || y == nullptr) fehler("Keine Punkte oder kein Platz fuer die Werte.\n");
    fi->funktionswerte(ip, x, y, anzahl);
}

void interpolation_intervall_pruefen(double a, double b) {
    // Written as "smaller than" so that a NaN difference passes, as does a
    // difference of exactly 2^-120.
    if (b - a < epsilon())
        fehler("Intervall [%s,%s] numerisch zu klein oder ungueltig.\n", meldezahl(a).c_str(),
               meldezahl(b).c_str());
}

double aequidistanter_punkt(int i, int n, double a, double b) {
    return aequidistante_formel(i, n, a, b);
}

void stuetzstellen_platzieren(objekt *knoten, int art, int n, double a, double b,
                              const char *name) {
    const knotenart *k = knotenart_nummer(art);
    if (k == nullptr || k->punkt == nullptr)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", name, art);
    interpolation_intervall_pruefen(a, b);
    // A column of the library's own class is written as the plain array it
    // is (the same doubles); any other matrix through its table, which also
    // reports a row it does not have.
    if (ist_nmmatrix(knoten) && nmmatrix_daten(knoten)->m == 1 && nmmatrix_daten(knoten)->n > n) {
        schreibfeld w(knoten);
        if (k->punkte != nullptr) {
            k->punkte(w.werte(), n, a, b);
            return;
        }
        for (int i = 0; i <= n; ++i)
            w[i] = k->punkt(i, n, a, b);
        return;
    }
    feldsicht x(knoten);
    for (int i = 0; i <= n; ++i)
        x.setzen(i + 1, k->punkt(i, n, a, b));
}

} // extern "C"

void bereiche_teilen(size_t anzahl, void (*bereich)(void *, size_t, size_t), void *kontext) {
#if NUMERIK_MIT_FAEDEN
    // Below this a thread costs more than half the work saves.
    constexpr size_t GETEILT_AB = size_t{1} << 16;
    if (anzahl >= GETEILT_AB && zahl_faeden() >= 2) {
        const size_t mitte = anzahl / 2;
        // A failure in the helper (a handler of the fatal path that throws)
        // is handed to the caller's thread, after the helper has ended.
        std::exception_ptr fehlschlag;
        std::thread helfer;
        try {
            helfer = std::thread([&] {
                try {
                    bereich(kontext, mitte, anzahl);
                } catch (...) {
                    fehlschlag = std::current_exception();
                }
            });
        } catch (const std::exception &) {
            // No thread to be had: the caller does the upper half as well.
        }
        struct warten {
            std::thread &t;
            ~warten() {
                if (t.joinable()) t.join();
            }
        } beim_verlassen{helfer};
        bereich(kontext, 0, mitte);
        if (helfer.joinable())
            helfer.join();
        else
            bereich(kontext, mitte, anzahl);
        if (fehlschlag) std::rethrow_exception(fehlschlag);
        return;
    }
#endif
    bereich(kontext, 0, anzahl);
}

void spalte_kopieren(objekt *quelle, int anzahl, double *ziel) {
    if (anzahl > 0 && ist_nmmatrix(quelle)) {
        const nmmatrixdaten *d = nmmatrix_daten(quelle);
        if (d->m == 1 && d->n >= anzahl) {
            std::memcpy(ziel, d->werte, static_cast<std::size_t>(anzahl) * sizeof(double));
            return;
        }
    }
    feldsicht v(quelle);
    for (int i = 0; i < anzahl; ++i)
        ziel[i] = v(i + 1);
}

// A NaN node compares false and so never replaces the current value.
double kleinste_stuetzstelle(objekt *knoten) {
    return extremum<true>(knoten);
}

double groesste_stuetzstelle(objekt *knoten) {
    return extremum<false>(knoten);
}
