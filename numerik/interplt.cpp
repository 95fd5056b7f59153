#include "interplt.h"

#include "fehler.h"
#include "interplt_intern.h"
#include "kopfzeile.h"
#include "newtnipl.h"
#include "nmmatrix_intern.h"
#include "splinipl.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

const kopfzeilen_meldungen interpolation_meldungen = {
    "Keine Daten fuer neue interpolation gefunden - EOF.\n",
    "Fehler in der Eingabe: <interpolationtyp>:[interpolationname] erwartet.\n",
    "Dies ist keine %s interpolation!\n",
    "interpolation %s vom interpolationtyp %s kann nicht eingelesen werden, da dieser Typ "
    "nicht im Klassenkluster registriert.n",
};

// The interpolation cluster's own header reader state, apart from the matrix
// cluster's: a header line waiting here does not disturb the loading of the
// NM_MATRIX vectors inside an interpolation text, and the reverse.
kopfzeilen_leser interpolation_leser{interpolation_meldungen};

// The registered classes, in the order in which the loader and the class
// query compare them.
struct registrierung {
    const char *typ;
    klasse *beschreibung;
};
const registrierung interpolationsklassen[] = {
    {"NEWTON_INTERPOLATION", &newton_interpolation},
    {"SPLINE_INTERPOLATION", &spline_interpolation},
};

double epsilon() {
    return std::pow(2.0, -120.0);
}

double knoten_wert(objekt *knoten, int i) {
    return matrix_tabelle(knoten)->amIndex(knoten, i, 1);
}

// Node i (from 0) of the n+1 placed into the vector knoten: into its array
// when it is of the NM_MATRIX class itself, else through setzen.
class knoten_schreiber {
  public:
    explicit knoten_schreiber(objekt *knoten) : knoten_(knoten) {
        if (ist_nmmatrix(knoten) && nmmatrix_daten(knoten)->m >= 1) {
            werte_ = nmmatrix_werte(knoten);
            spalten_ = nmmatrix_daten(knoten)->m;
        }
    }
    void operator()(int i, double x) const {
        if (werte_ != nullptr)
            werte_[i * spalten_] = x;
        else
            matrix_tabelle(knoten_)->setzen(knoten_, i + 1, 1, x);
    }

  private:
    objekt *knoten_;
    double *werte_ = nullptr;
    long long spalten_ = 0;
};

// The first and then each strictly smaller (kleiner) or strictly larger
// entry of column 1.
template <bool kleiner> double extremum(objekt *knoten) {
    int zeilen = matrix_tabelle(knoten)->hoehe(knoten);
    double bester = knoten_wert(knoten, 1);
    auto besser = [](double x, double b) { return kleiner ? x < b : x > b; };
    if (ist_nmmatrix(knoten)) {
        // Element (1, 1) exists, or knoten_wert has ended the process.
        const double *werte = nmmatrix_eintraege(knoten);
        long long spalten = nmmatrix_daten(knoten)->m;
        for (long long i = 1; i < zeilen; ++i)
            if (besser(werte[i * spalten], bester)) bester = werte[i * spalten];
        return bester;
    }
    // (i + 1 rather than i <= zeilen: no overflow at INT_MAX rows.)
    for (int i = 1; i < zeilen; ++i) {
        double x = knoten_wert(knoten, i + 1);
        if (besser(x, bester)) bester = x;
    }
    return bester;
}

} // namespace

// Callers index the table: ten slots, rechteGrenze last.
static_assert(sizeof(interpolation_funktionen) == 10 * sizeof(void *));
static_assert(offsetof(interpolation_funktionen, rechteGrenze) == 9 * sizeof(void *));

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
};
klasse allg_interpolation = {&allg_interpolationFunktionen, nullptr};

const char *interpolation_kopfzeile(FILE *ein, char *typ) {
    return kopfzeile_lesen(interpolation_leser, ein, typ);
}

objekt *interpolation_laden(FILE *ein, void *zusatz) {
    char typ[TYPPUFFER] = "";
    interpolation_kopfzeile(ein, typ);
    // A class whose table is not filled in yet cannot load: it counts as
    // not registered instead of calling through an empty slot.
    for (const registrierung &r : interpolationsklassen)
        if (std::strcmp(typ, r.typ) == 0 && interpolation_tabelle(r.beschreibung)->laden != nullptr)
            return interpolation_tabelle(r.beschreibung)->laden(ein, zusatz);
    kopfzeile_unregistriert(interpolation_leser);
}

klasse *interpolation_klasse(objekt *ip) {
    for (const registrierung &r : interpolationsklassen)
        if (ip->funktionen == r.beschreibung->funktionen) return r.beschreibung;
    fehler("Fehler: undefiniertes Objekt %s\n", interpolation_tabelle(ip)->name(ip));
}

} // extern "C"

void intervall_pruefen(double a, double b) {
    // Written as "smaller than" so that a NaN difference passes, as does a
    // difference of exactly 2^-120.
    if (b - a < epsilon()) fehler("Intervall [%lf,%lf] numerisch zu klein oder ungueltig.\n", a, b);
}

void stuetzstellen_platzieren(objekt *knoten, int art, int n, double a, double b,
                              const char *name) {
    if (art != STUETZSTELLEN_AEQUIDISTANT && art != STUETZSTELLEN_TSCHEBYSCHEFF)
        fehler("Ungueltige Stuetzstellenart fuer Interpolationsproblem %s: (%i)\n", name, art);
    intervall_pruefen(a, b);
    knoten_schreiber setzen(knoten);
    // The order of evaluation is part of the result (stored files carry a
    // and b, not the nodes, and loading must place the same nodes again):
    // equidistant nodes form i*b + (n-i)*a and then divide by n.  x(1) is
    // n*a/n, which may differ from a in the last bit.  With n = 0 the single
    // node is 0/0, not a number; no caller reads it.
    if (art == STUETZSTELLEN_AEQUIDISTANT) {
        for (int i = 0; i <= n; ++i) {
            double x = (i * b + (n - i) * a) / n;
            setzen(i, x);
        }
        return;
    }
    // Chebyshev extreme points: midpoint plus cos(i*pi/n) * (a-b) / 2, dense
    // towards both ends, ascending from a to b.
    const double pi = 4.0 * std::atan(1.0);
    double mitte = (a + b) / 2.0;
    double differenz = a - b;
    for (int i = 0; i <= n; ++i) {
        double x = mitte + std::cos(i * pi / n) * differenz / 2.0;
        setzen(i, x);
    }
}

void spalte_kopieren(objekt *quelle, int anzahl, double *ziel) {
    if (ist_nmmatrix(quelle) && nmmatrix_daten(quelle)->m >= 1) {
        const double *werte = nmmatrix_eintraege(quelle);
        long long spalten = nmmatrix_daten(quelle)->m;
        for (long long i = 0; i < anzahl; ++i)
            ziel[i] = werte[i * spalten];
        return;
    }
    for (int i = 0; i < anzahl; ++i)
        ziel[i] = knoten_wert(quelle, i + 1);
}

// A NaN node compares false and so never replaces the current value.
double kleinste_stuetzstelle(objekt *knoten) {
    return extremum<true>(knoten);
}

double groesste_stuetzstelle(objekt *knoten) {
    return extremum<false>(knoten);
}
