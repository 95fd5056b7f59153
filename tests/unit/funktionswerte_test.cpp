// The array slot of every class gives, at every point, the bits the
// one-point slot gives there: in random order and sorted, at the nodes and
// their neighbours, outside the interval (a periodic spline wraps), at NaN
// and the infinities, after the nodes were disordered behind the object's
// back, and on one thread or two.
#include "numerik/baryzipl.h"
#include "numerik/hermiteipl.h"
#include "numerik/interplt.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/rationalipl.h"
#include "numerik/splinipl.h"
#include "numerik/zahlen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

matrix_zeiger vektor(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "v", 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

// One object of each class and option, on unevenly spaced nodes of
// [-1, 2] with random values (the last equal to the first, so that the
// periodic kinds take them as they are).
struct fall {
    std::string was;
    interpolation_zeiger ip;
};

std::vector<fall> alle_klassen(int n) {
    std::mt19937_64 zufall(12345);
    std::uniform_real_distribution<double> gleich(0.2, 1.0);
    std::vector<double> x = {-1.0};
    for (int i = 1; i <= n; ++i)
        x.push_back(x.back() + gleich(zufall));
    for (double &xi : x)
        xi = -1.0 + 3.0 * (xi + 1.0) / (x.back() + 1.0);
    x.back() = 2.0;
    std::vector<double> y;
    for (int i = 0; i <= n; ++i)
        y.push_back(gleich(zufall) * 4.0 - 2.0);
    y.back() = y.front();
    matrix_zeiger knoten = vektor(x);
    matrix_zeiger werte = vektor(y);

    std::vector<fall> faelle;
    auto erzeugen = [&](const std::string &was, klasse *methode, auto optionen_setzen) {
        interpolation_problem p;
        interpolation_problem_vorbelegen(&p, methode);
        p.name = "w";
        p.art = STUETZSTELLEN_GEGEBEN;
        p.stuetzstellen = knoten.get();
        p.stuetzwerte = werte.get();
        optionen_setzen(p);
        faelle.push_back({was, interpolation_zeiger(interpolation_erzeugen(&p, nullptr))});
    };
    erzeugen("Newton", &newton_interpolation, [](interpolation_problem &) {});
    erzeugen("Newton Leja", &newton_interpolation,
             [](interpolation_problem &p) { interpolation_option_setzen(&p, "leja", 1); });
    erzeugen("baryzentrisch", &baryzentrische_interpolation, [](interpolation_problem &) {});
    erzeugen("rational d=3", &rationale_interpolation,
             [](interpolation_problem &p) { interpolation_option_setzen(&p, "d", 3); });
    for (int art : {SPLINE_ABL2_GEGEBEN, SPLINE_NATUERLICH, SPLINE_PERIODISCH, SPLINE_NOT_A_KNOT,
                    SPLINE_EINGESPANNT})
        erzeugen("Spline Art " + std::to_string(art), &spline_interpolation,
                 [art](interpolation_problem &p) {
                     interpolation_option_setzen(&p, "ende", art);
                     if (art == SPLINE_ABL2_GEGEBEN) {
                         interpolation_option_setzen(&p, "links", 0.5);
                         interpolation_option_setzen(&p, "rechts", -1.5);
                     } else if (art == SPLINE_EINGESPANNT) {
                         interpolation_option_setzen(&p, "links", 2.0);
                         interpolation_option_setzen(&p, "rechts", -0.25);
                     }
                 });
    for (int steigungen : {0, 1, 2})
        erzeugen("Hermite " + std::to_string(steigungen), &hermite_interpolation,
                 [steigungen](interpolation_problem &p) {
                     interpolation_option_setzen(&p, "steigungen", steigungen);
                 });
    return faelle;
}

// The points of one run: the nodes with both neighbours, random points on
// three times the interval, far outside it and the infinities (NaN is put
// in by the callers, after sorting).
std::vector<double> punkte_fuer(objekt *ip, std::size_t zufallszahl) {
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    objekt *knoten = fi->imVektor(ip, 0);
    std::vector<double> p;
    for (int i = 1; i <= nmmatrix_hoehe(knoten); ++i) {
        const double k = nmmatrix_amIndex(knoten, i, 1);
        p.insert(p.end(), {k, std::nextafter(k, -INFINITY), std::nextafter(k, INFINITY)});
    }
    std::mt19937_64 zufall(99);
    std::uniform_real_distribution<double> gleich(-4.0, 5.0);
    for (std::size_t i = 0; i < zufallszahl; ++i)
        p.push_back(gleich(zufall));
    p.insert(p.end(), {-1e7, -3e12, 1e9, INFINITY, -INFINITY});
    return p;
}

// The array slot through the checking entry, against the one-point slot
// called afterwards point by point, bit for bit.
void wie_einzeln(objekt *ip, const std::vector<double> &x, const std::string &was) {
    std::vector<double> y(x.size(), -7.0);
    interpolation_werte(ip, x.data(), y.data(), x.size());
    const interpolation_funktionen *fi = interpolation_tabelle(ip);
    for (std::size_t i = 0; i < x.size(); ++i)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(y[i]),
                  std::bit_cast<std::uint64_t>(fi->funktionswert(ip, x[i])))
            << was << ", Punkt " << i << ", x = " << x[i];
}

const double nan_wert = std::numeric_limits<double>::quiet_NaN();

TEST(Funktionswerte, EveryClassGivesTheOnePointBitsInAnyOrder) {
    for (const fall &f : alle_klassen(40)) {
        std::vector<double> x = punkte_fuer(f.ip.get(), 500);
        x.push_back(nan_wert);
        wie_einzeln(f.ip.get(), x, f.was + " zufaellig");
        x.pop_back();
        std::sort(x.begin(), x.end());
        // A NaN amid ascending points, and the stepping after it.
        x.insert(x.begin() + static_cast<long>(x.size() / 2), nan_wert);
        wie_einzeln(f.ip.get(), x, f.was + " aufsteigend");
        std::reverse(x.begin(), x.end());
        wie_einzeln(f.ip.get(), x, f.was + " absteigend");
        // Dense ascending points: many per interval, the stepping's case.
        std::vector<double> dicht;
        for (int i = 0; i <= 4000; ++i)
            dicht.push_back(-1.5 + 4.0 * i / 4000);
        wie_einzeln(f.ip.get(), dicht, f.was + " dicht");
    }
}

TEST(Funktionswerte, ShortArraysLeaveTheOrderUnexamined) {
    // Fewer points than nodes (the order is not examined for them), one
    // point, none.
    for (const fall &f : alle_klassen(300)) {
        std::vector<double> x = {-0.5, 0.25, 0.26, 1.75, 3.5};
        wie_einzeln(f.ip.get(), x, f.was + " kurz");
        wie_einzeln(f.ip.get(), {0.1}, f.was + " ein Punkt");
        interpolation_werte(f.ip.get(), nullptr, nullptr, 0);
    }
}

TEST(Funktionswerte, NodesDisorderedAfterCreationAreBisectedAsBefore) {
    for (const fall &f : alle_klassen(40)) {
        objekt *knoten = interpolation_tabelle(f.ip.get())->imVektor(f.ip.get(), 0);
        std::vector<double> x = punkte_fuer(f.ip.get(), 300);
        std::sort(x.begin(), x.end());
        wie_einzeln(f.ip.get(), x, f.was + " vorher"); // the spline records the order
        const double k5 = nmmatrix_amIndex(knoten, 5, 1);
        nmmatrix_setzen(knoten, 5, 1, nmmatrix_amIndex(knoten, 30, 1));
        nmmatrix_setzen(knoten, 30, 1, k5);
        wie_einzeln(f.ip.get(), x, f.was + " vertauscht");
        nmmatrix_setzen(knoten, 12, 1, nan_wert);
        wie_einzeln(f.ip.get(), x, f.was + " NaN-Knoten");
    }
}

TEST(Funktionswerte, AGridInBlocksShorterThanTheNodesGivesTheOnePointBits) {
    // A program goes through a long grid in blocks: from the first block on
    // a spline walks along them, and after its nodes were disordered it
    // bisects again, also while the blocks are too short to examine them.
    auto in_bloecken = [](objekt *ip, const std::vector<double> &x, const std::string &was) {
        std::vector<double> y(x.size());
        for (std::size_t von = 0; von < x.size(); von += 64)
            interpolation_werte(ip, x.data() + von, y.data() + von,
                                std::min<std::size_t>(64, x.size() - von));
        const interpolation_funktionen *fi = interpolation_tabelle(ip);
        for (std::size_t i = 0; i < x.size(); ++i)
            ASSERT_EQ(std::bit_cast<std::uint64_t>(y[i]),
                      std::bit_cast<std::uint64_t>(fi->funktionswert(ip, x[i])))
                << was << ", Punkt " << i << ", x = " << x[i];
    };
    std::vector<double> dicht;
    for (int i = 0; i <= 6000; ++i)
        dicht.push_back(-1.5 + 4.0 * i / 6000);
    for (const fall &f : alle_klassen(300)) {
        in_bloecken(f.ip.get(), dicht, f.was + " geordnet");
        objekt *knoten = interpolation_tabelle(f.ip.get())->imVektor(f.ip.get(), 0);
        const double k5 = nmmatrix_amIndex(knoten, 5, 1);
        nmmatrix_setzen(knoten, 5, 1, nmmatrix_amIndex(knoten, 200, 1));
        nmmatrix_setzen(knoten, 200, 1, k5);
        in_bloecken(f.ip.get(), dicht, f.was + " vertauscht");
    }
}

TEST(Funktionswerte, TwoThreadsGiveTheBitsOfOne) {
    // 2^17 + 3 ascending points and the same shuffled: above the size from
    // which two threads share an array.
    std::vector<double> x;
    const int anzahl = (1 << 17) + 3;
    for (int i = 0; i < anzahl; ++i)
        x.push_back(-2.0 + 5.0 * i / (anzahl - 1));
    std::vector<double> gemischt = x;
    std::shuffle(gemischt.begin(), gemischt.end(), std::mt19937_64(7));
    // Two threads first, on fresh objects: a periodic spline takes its wrap
    // bounds and the order of its nodes before the halves are shared out.
    const int vorher = zahl_faeden_setzen(2);
    for (const fall &f : alle_klassen(200)) {
        for (const std::vector<double> *punkte : {&x, &gemischt}) {
            std::vector<double> eins(punkte->size());
            std::vector<double> zwei(punkte->size());
            zahl_faeden_setzen(2);
            interpolation_werte(f.ip.get(), punkte->data(), zwei.data(), punkte->size());
            zahl_faeden_setzen(1);
            interpolation_werte(f.ip.get(), punkte->data(), eins.data(), punkte->size());
            ASSERT_EQ(0, std::memcmp(eins.data(), zwei.data(), eins.size() * sizeof(double)))
                << f.was;
        }
    }
    zahl_faeden_setzen(vorher);
}

TEST(FunktionswerteTod, TheAbstractClassAndMissingArraysEndWithAMessage) {
    double y = 0.0;
    EXPECT_EXIT(interpolation_werte(&allg_interpolation, &y, &y, 1), testing::ExitedWithCode(1),
                "^Diese interpolation kann nicht ausgewertet werden.\n$");
    fall f = std::move(alle_klassen(4).front());
    EXPECT_EXIT(interpolation_werte(f.ip.get(), nullptr, &y, 1), testing::ExitedWithCode(1),
                "^Keine Punkte oder kein Platz fuer die Werte.\n$");
}

} // namespace
