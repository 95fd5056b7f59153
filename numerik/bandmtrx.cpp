// Placeholder until the class is written: the descriptor exists so that the
// generic loader and class query can name it.
#include "bandmtrx.h"
extern "C" {
const matrix_funktionen band_matrixFunktionen = {};
klasse band_matrix = {&band_matrixFunktionen, nullptr};
}
