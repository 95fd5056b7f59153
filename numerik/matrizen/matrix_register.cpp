// The registered matrix classes, in the order in which the generic loader
// and the class query compare them.
#include "kern/kluster.h"

#include <iterator>

#include "numerik/a06_mtrx.h"
#include "numerik/bandmtrx.h"
#include "numerik/nmmatrix.h"

namespace {
const registrierung matrixklassen[] = {
    {"NM_MATRIX", &nm_matrix},
    {"BAND_MATRIX", &band_matrix},
    {"A06__MATRIX", &a06__matrix},
};
std::size_t anzahl() {
    return std::size(matrixklassen);
}

registrierung eintrag(std::size_t k) {
    return matrixklassen[k];
}
} // namespace

extern const klassenregister matrix_register = {anzahl, eintrag};
