// Placeholder until the class is written: the descriptor exists so that the
// generic loader and class query can name it.
#include "splinipl.h"
extern "C" {
const interpolation_funktionen spline_interpolationFunktionen = {};
klasse spline_interpolation = {&spline_interpolationFunktionen, nullptr};
}
