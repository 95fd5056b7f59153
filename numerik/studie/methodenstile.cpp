// How each method of the table is drawn, in every plot: fehlerstudie's,
// the page's and Python's.  One line per method, found by its column title;
// a method without a line is drawn in grey.
//
// Lines that often lie on one another differ in dash and point.  The
// barycentric form (dashed, large open points) lies on the Newton form of
// the same nodes wherever that is still exact, the periodic spline (thin,
// dotted, large open triangles) on the natural one of the same nodes, which
// is drawn wide beneath it.  Every colour stands at least 3:1 against a
// white background, so that a thin line shows on a projector, and two
// methods of one node kind in the same dash stay apart in colour for the
// common colour blindnesses (tests/unit/studie_methoden_test.cpp): where
// colours would meet, the dash differs.
#include "numerik/methoden.h"

#include <cstring>

namespace {

const methode_stil stile[] = {
    {"Newton-a", "#d55e00", 2, 1, 5, 1.2},  {"Newton-t", "#0072b2", 2, 1, 7, 1.3},
    {"Bary-a", "#b27a00", 2, 2, 4, 2.0},    {"Bary-t", "#3d8fd1", 2, 2, 6, 2.2},
    {"nat.Sp-a", "#009e73", 4, 1, 9, 1.6},  {"nat.Sp-t", "#cc79a7", 2, 1, 11, 1.6},
    {"abl.Sp-a", "#000000", 2, 1, 13, 1.6}, {"per.Sp-a", "#8c8c8c", 1.5, 3, 8, 2.4},
    {"nak.Sp-a", "#882255", 2, 2, 10, 1.6}, {"nak.Sp-t", "#2e8a7c", 2, 3, 12, 1.6},
    {"ein.Sp-a", "#5c5c5c", 2, 1, 14, 1.6}, {"Rat-a", "#aa4499", 2, 1, 15, 1.6},
    {"Rat-t", "#117733", 2, 2, 14, 1.6},    {"Leja-t", "#332288", 2, 3, 12, 1.6},
    {"Bary-t1", "#9c8a2e", 2, 2, 10, 2.0},  {"FC-a", "#661100", 2, 1, 9, 1.6},
    {"Akima-a", "#5a8ac0", 2, 2, 11, 1.6},  {"Trig-a", "#3a8f37", 2, 3, 8, 1.6},
    {"AAA", "#e41a1c", 2, 3, 6, 1.6},
};

const methode_stil grau = {"", "#808080", 2, 1, 1, 1.6};

} // namespace

extern "C" const methode_stil *methode_stil_von(const methode *me) {
    for (const methode_stil &s : stile)
        if (std::strcmp(s.spalte, me->spalte) == 0) return &s;
    return &grau;
}
