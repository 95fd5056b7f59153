// Placeholder until the class is written: the descriptor exists so that the
// generic loader and class query can name it.
#include "a06_mtrx.h"
extern "C" {
const matrix_funktionen a06__matrixFunktionen = {};
klasse a06__matrix = {&a06__matrixFunktionen, nullptr};
}
