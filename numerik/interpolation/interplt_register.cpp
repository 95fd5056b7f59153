// The registered interpolation classes, in the order in which the generic
// loader and the class query compare them.
#include "kern/kluster.h"

#include <iterator>

#include "numerik/baryzipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/newtnipl.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"

namespace {
const registrierung interpolationsklassen[] = {
    {"NEWTON_INTERPOLATION", &newton_interpolation},
    {"SPLINE_INTERPOLATION", &spline_interpolation},
    {"BARYZENTRISCHE_INTERPOLATION", &baryzentrische_interpolation},
    {"RATIONALE_INTERPOLATION", &rationale_interpolation},
    {"HERMITE_INTERPOLATION", &hermite_interpolation},
};
} // namespace

extern const klassenregister interpolation_register = {interpolationsklassen,
                                                       std::size(interpolationsklassen)};
