// The registered interpolation classes: their records, in the order in which
// the generic loader and the class query compare them.  A new class is one
// line here (its record lives in its own file).
#include "kern/kluster.h"

#include "numerik/aaaipl.h"
#include "numerik/baryzipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/newtnipl.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"
#include "numerik/trigipl.h"

#include <cstring>
#include <iterator>

namespace {

const interpolationstyp *const interpolationstypen[] = {
    &newton_typ, &spline_typ, &baryzentrisch_typ, &rational_typ, &hermite_typ, &aaa_typ, &trig_typ,
};

std::size_t anzahl() {
    return std::size(interpolationstypen);
}

registrierung eintrag(std::size_t k) {
    return {interpolationstypen[k]->typtext, interpolationstypen[k]->beschreibung};
}

} // namespace

extern const klassenregister interpolation_register = {anzahl, eintrag};

extern "C" {

int interpolationstypen_anzahl(void) {
    return static_cast<int>(std::size(interpolationstypen));
}

const interpolationstyp *interpolationstyp_an(int i) {
    if (i < 0 || i >= interpolationstypen_anzahl()) return nullptr;
    return interpolationstypen[i];
}

const interpolationstyp *interpolationstyp_von(const objekt *k) {
    if (k == nullptr) return nullptr;
    for (const interpolationstyp *t : interpolationstypen)
        if (t->beschreibung->funktionen == k->funktionen) return t;
    return nullptr;
}

const interpolationstyp *interpolationstyp_name(const char *name) {
    if (name == nullptr) return nullptr;
    for (const interpolationstyp *t : interpolationstypen)
        if (std::strcmp(t->kurzname, name) == 0) return t;
    return nullptr;
}

int interpolation_option_nummer(const interpolationstyp *t, const char *schluessel) {
    if (t == nullptr || schluessel == nullptr) return -1;
    for (int k = 0; k < t->optionen_anzahl; ++k)
        if (std::strcmp(t->optionen[k].schluessel, schluessel) == 0) return k;
    return -1;
}

} // extern "C"
