// The table of methods: every row creates its interpolant on every node
// kind it claims, and the interpolant takes f's values at its nodes; the
// fields of a row agree with each other and with the rows of the same key;
// the column choices of fehlerstudie (-p, -s, the overview) are the
// table's groups; and the gnuplot style of a row is the one the plots have
// always had.
#include "gnuplot.h"
#include "numerik/baryzipl.h"
#include "numerik/knotenarten.h"
#include "numerik/methoden.h"
#include "numerik/newtnipl.h"
#include "numerik/nmmatrix.h"
#include "numerik/splinipl.h"
#include "numerik/studie.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// Every node kind the library knows, from its table.
std::vector<int> bekannte_arten() {
    std::vector<int> arten;
    for (int i = 0; i < knotenarten_anzahl(); ++i)
        arten.push_back(knotenart_an(i)->nummer);
    return arten;
}
const std::vector<int> BEKANNTE_ARTEN = bekannte_arten();

// Runge's function on [-9, 9]: even, so every row fits it, also one that
// needs a periodic f.
const beispielfunktion &runge = funktion[3];

matrix_zeiger spalte(const std::vector<double> &werte, const char *name) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, name, 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

TEST(Methodentabelle, EveryRowCreatesOnEveryKindItTakesAndInterpolates) {
    const int n = 12;
    for (int r = 0; r < methoden_anzahl; ++r) {
        const methode &me = methoden[r];
        const beispielfunktion &problem = runge;
        for (int art : BEKANNTE_ARTEN) {
            if ((me.arten & STUETZSTELLENART_BIT(art)) == 0) continue;
            // Given nodes: the Chebyshev points, ascending, as a caller's
            // own data would come; for a method of the period the
            // equidistant nodes without b (Runge's f is periodic on [-9, 9],
            // so b still takes f(b) = f(a)).
            const bool periode = art == STUETZSTELLEN_GEGEBEN && me.probe == PROBE_PERIODE;
            std::vector<double> x = stuetzstellen(problem,
                                                  art != STUETZSTELLEN_GEGEBEN ? art
                                                  : periode ? STUETZSTELLEN_AEQUIDISTANT
                                                            : STUETZSTELLEN_TSCHEBYSCHEFF,
                                                  n);
            std::vector<double> y;
            for (double xi : x)
                y.push_back(beispiel_f(&problem, xi));
            const std::size_t gegeben = periode ? x.size() - 1 : x.size();
            matrix_zeiger knoten = spalte({x.begin(), x.begin() + gegeben}, "Stuetzstellen");
            matrix_zeiger werte = spalte({y.begin(), y.begin() + gegeben}, "Stuetzwerte");
            interpolation_zeiger ip(methode_erzeugen(
                &me, me.titel, art, art == STUETZSTELLEN_GEGEBEN ? knoten.get() : nullptr,
                problem.a, problem.b, werte.get(), &problem));
            ASSERT_NE(ip, nullptr) << me.spalte << " art " << art;
            const interpolation_funktionen *fi = interpolation_tabelle(ip.get());
            EXPECT_EQ(interpolation_klasse(ip.get()), me.art) << me.spalte;
            for (int i = 0; i <= n; ++i)
                EXPECT_NEAR(fi->funktionswert(ip.get(), x[i]), y[i], 1e-12)
                    << me.spalte << " art " << art << " Knoten " << i;
            // Between the nodes a number.
            for (int i = 0; i < n; ++i)
                EXPECT_TRUE(std::isfinite(fi->funktionswert(ip.get(), (x[i] + x[i + 1]) / 2)))
                    << me.spalte << " art " << art;
            // Its text loads back through the generic loader as the same
            // interpolant, bit for bit (full precision: -v's form).
            char *text = nullptr;
            std::size_t laenge = 0;
            FILE *aus = open_memstream(&text, &laenge);
            int vorher = zahl_form_setzen(ZAHL_FORM_VOLL);
            fi->speichern(ip.get(), aus);
            zahl_form_setzen(vorher);
            std::fclose(aus);
            FILE *ein = fmemopen(text, laenge, "rb");
            interpolation_zeiger geladen(interpolation_laden(ein, nullptr));
            std::fclose(ein);
            std::free(text);
            ASSERT_EQ(interpolation_klasse(geladen.get()), me.art) << me.spalte;
            for (int i = 0; i < n; ++i) {
                double xm = (x[i] + x[i + 1]) / 2;
                EXPECT_EQ(interpolation_tabelle(geladen.get())->funktionswert(geladen.get(), xm),
                          fi->funktionswert(ip.get(), xm))
                    << me.spalte << " art " << art;
            }
        }
    }
}

TEST(Methodentabelle, ARowThatNeedsFSecondDerivativesRefusesDataWithoutAFunction) {
    for (int r = 0; r < methoden_anzahl; ++r) {
        const methode &me = methoden[r];
        if (!me.abl2) continue;
        matrix_zeiger knoten = spalte({0.0, 1.0, 2.0, 3.0}, "Stuetzstellen");
        matrix_zeiger werte = spalte({1.0, 0.0, 1.0, 0.0}, "Stuetzwerte");
        // The clamped spline needs f', the others f''.
        std::string meldung = me.abl2 == 1
                                  ? "^Fuer eigene Daten ist f' an den Enden nicht bekannt.\n$"
                                  : "^Fuer eigene Daten ist f'' an den Enden nicht bekannt.\n$";
        EXPECT_EXIT(methode_erzeugen(&me, "Daten", STUETZSTELLEN_GEGEBEN, knoten.get(), 0.0, 0.0,
                                     werte.get(), nullptr),
                    testing::ExitedWithCode(1), meldung);
    }
}

// A colour as CIELAB after a colour-vision simulation m (Machado, Oliveira
// and Fernandes 2009, full severity) in linear sRGB.
std::array<double, 3> lab_gesehen(const char *farbe, const double (&m)[3][3]) {
    double rgb[3];
    for (int i = 0; i < 3; ++i) {
        const double c = std::stoi(std::string(farbe + 1 + 2 * i, 2), nullptr, 16) / 255.0;
        rgb[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    double sim[3];
    for (int i = 0; i < 3; ++i)
        sim[i] = std::clamp(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2], 0.0, 1.0);
    const double xyz[3] = {(0.4124 * sim[0] + 0.3576 * sim[1] + 0.1805 * sim[2]) / 0.9505,
                           0.2126 * sim[0] + 0.7152 * sim[1] + 0.0722 * sim[2],
                           (0.0193 * sim[0] + 0.1192 * sim[1] + 0.9505 * sim[2]) / 1.089};
    double f[3];
    for (int i = 0; i < 3; ++i)
        f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116.0;
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

// Two methods drawn on the same node kind in the same dash differ in colour
// for normal vision and each of the common colour blindnesses (a distance of
// at least 15 in CIELAB): the dash tells the others apart.
TEST(Methodentabelle, SameDashMeansColoursApartForColourBlindness) {
    const double sicht[4][3][3] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{0.152286, 1.052583, -0.204868},
         {0.114503, 0.786281, 0.099216},
         {-0.003882, -0.048116, 1.051998}},
        {{0.367322, 0.860646, -0.227968},
         {0.280085, 0.672501, 0.047413},
         {-0.011820, 0.042940, 0.968881}},
        {{1.255528, -0.076749, -0.178779},
         {-0.078411, 0.930809, 0.147602},
         {0.004733, 0.691367, 0.303900}},
    };
    for (int i = 0; i < methoden_anzahl; ++i)
        for (int j = i + 1; j < methoden_anzahl; ++j) {
            const methode &a = methoden[i], &b = methoden[j];
            const methode_stil &sa = *methode_stil_von(&a), &sb = *methode_stil_von(&b);
            // Rows of one column, or of kinds never drawn together.
            if (std::strcmp(sa.spalte, sb.spalte) == 0 || (a.arten & b.arten) == 0 ||
                a.stuetzstellenart != b.stuetzstellenart || sa.strich != sb.strich)
                continue;
            for (const auto &m : sicht) {
                const std::array<double, 3> la = lab_gesehen(sa.farbe, m),
                                            lb = lab_gesehen(sb.farbe, m);
                const double d = std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
                EXPECT_GE(d, 15.0)
                    << sa.spalte << " " << sa.farbe << " / " << sb.spalte << " " << sb.farbe;
            }
        }
}

TEST(Methodentabelle, FieldsOfEachRowAgree) {
    std::set<std::string> spalten;
    std::set<std::string> titel;
    std::set<std::string> farben;
    for (int r = 0; r < methoden_anzahl; ++r) {
        const methode &me = methoden[r];
        SCOPED_TRACE(me.spalte);
        // Titles: the column fits its 9 places, no two rows alike.
        EXPECT_LE(std::strlen(me.spalte), 9u);
        EXPECT_TRUE(spalten.insert(me.spalte).second);
        EXPECT_TRUE(titel.insert(me.titel).second);
        for (const char *t : {me.spalte, me.titel, me.schluessel, me.verfahren})
            for (const char *c = t; *c != '\0'; ++c)
                EXPECT_TRUE(*c >= 0x20 && *c < 0x7f) << t;
        // The node kind of its column is among those it takes, and it
        // takes no kind the library does not know.
        EXPECT_NE(me.arten & STUETZSTELLENART_BIT(me.stuetzstellenart), 0u);
        unsigned alle = 0;
        for (int art : BEKANNTE_ARTEN)
            alle |= STUETZSTELLENART_BIT(art);
        EXPECT_EQ(me.arten & ~alle, 0u);
        // Group, class and spline kind say the same: a spline kind only for
        // the spline class, which has one in every row and whose kind alone
        // says whether it needs a periodic f or f'' at the ends.
        // A row of gruppe SPALTEN_ALLE shows only with both groups and is
        // not in the overview.
        EXPECT_TRUE(me.gruppe == SPALTEN_POLYNOME || me.gruppe == SPALTEN_SPLINES ||
                    me.gruppe == SPALTEN_ALLE);
        if (me.gruppe == SPALTEN_ALLE) {
            EXPECT_FALSE(me.uebersicht);
        }
        // Every option the row sets is one of its class's record.
        const interpolationstyp *t = interpolationstyp_von(me.art);
        ASSERT_NE(t, nullptr);
        for (const methode_option &o : me.optionen) {
            if (o.schluessel != nullptr) {
                EXPECT_GE(interpolation_option_nummer(t, o.schluessel), 0);
            }
        }
        bool spline = me.art == &spline_interpolation;
        if (spline) {
            const int ende = static_cast<int>(methode_option_wert(&me, "ende"));
            EXPECT_NE(me.gruppe, SPALTEN_POLYNOME);
            EXPECT_EQ(me.periodisch, ende == SPLINE_PERIODISCH);
            EXPECT_EQ(me.abl2, ende == SPLINE_ABL2_GEGEBEN  ? 2
                               : ende == SPLINE_EINGESPANNT ? 1
                                                            : 0);
        } else {
            EXPECT_EQ(me.abl2, 0);
        }
        if (me.art == &newton_interpolation || me.art == &baryzentrische_interpolation) {
            EXPECT_NE(me.gruppe, SPALTEN_SPLINES);
        }
        // Search range inside the study's range; a periodic spline from
        // n = 3: with three nodes (n = 2) the library continues it to five.
        EXPECT_GE(me.suchanfang, me.periodisch && me.art == &spline_interpolation ? 3 : 2);
        EXPECT_LT(me.suchanfang, me.suchgrenze);
        EXPECT_LE(me.suchgrenze, me.hoechstes_n);
        EXPECT_LE(me.hoechstes_n, STUDIE_MAX_N);
        // The stable form of the same polynomial: a row of the polynomial
        // group on the same nodes, itself never marked.
        if (me.stabil != nullptr) {
            const methode *stabil = methode_suchen(me.stabil);
            ASSERT_NE(stabil, nullptr);
            EXPECT_NE(stabil, &me);
            EXPECT_EQ(stabil->gruppe, SPALTEN_POLYNOME);
            EXPECT_NE(me.gruppe, SPALTEN_SPLINES);
            EXPECT_EQ(stabil->stuetzstellenart, me.stuetzstellenart);
            EXPECT_EQ(stabil->stabil, nullptr);
        }
        // Style: a line of its own in the style table, a colour of its own
        // in "#rrggbb", dash 1 to 3, widths and point sizes that gnuplot's
        // "%g" and "%.1f" write as they are.
        const methode_stil &stil = *methode_stil_von(&me);
        EXPECT_STREQ(stil.spalte, me.spalte);
        ASSERT_EQ(std::strlen(stil.farbe), 7u);
        EXPECT_EQ(stil.farbe[0], '#');
        EXPECT_EQ(std::strspn(stil.farbe + 1, "0123456789abcdef"), 6u);
        EXPECT_TRUE(farben.insert(stil.farbe).second);
        // At least 3:1 against white (relative luminance as WCAG defines it).
        auto anteil = [&](int i) {
            const double c = std::stoi(std::string(stil.farbe + 1 + 2 * i, 2), nullptr, 16) / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        const double leuchtdichte = 0.2126 * anteil(0) + 0.7152 * anteil(1) + 0.0722 * anteil(2);
        EXPECT_GE(1.05 / (leuchtdichte + 0.05), 3.0) << stil.farbe;
        EXPECT_GE(stil.strich, 1);
        EXPECT_LE(stil.strich, 3);
        EXPECT_GT(stil.punkt, 0);
        EXPECT_GT(stil.breite, 0.0);
        EXPECT_EQ(std::round(stil.breite * 2) / 2, stil.breite);
        EXPECT_GT(stil.punktgroesse, 0.0);
        EXPECT_NEAR(std::round(stil.punktgroesse * 10) / 10, stil.punktgroesse, 1e-12);
    }
    EXPECT_EQ(methode_suchen("keine"), nullptr);
}

TEST(Methodentabelle, RowsOfOneKeyDifferOnlyInTheNodeKind) {
    for (int r = 0; r < methoden_anzahl; ++r)
        for (int s = r + 1; s < methoden_anzahl; ++s) {
            const methode &a = methoden[r];
            const methode &b = methoden[s];
            bool gleiches_verfahren = a.art == b.art;
            const interpolationstyp *t = interpolationstyp_von(a.art);
            for (int k = 0; gleiches_verfahren && k < t->optionen_anzahl; ++k) {
                const double wa = methode_option_wert(&a, t->optionen[k].schluessel);
                const double wb = methode_option_wert(&b, t->optionen[k].schluessel);
                gleiches_verfahren = wa == wb || (std::isnan(wa) && std::isnan(wb));
            }
            EXPECT_EQ(std::strcmp(a.schluessel, b.schluessel) == 0, gleiches_verfahren)
                << a.spalte << " / " << b.spalte;
            if (!gleiches_verfahren) continue;
            EXPECT_STREQ(a.verfahren, b.verfahren);
            EXPECT_EQ(a.arten, b.arten);
            EXPECT_NE(a.stuetzstellenart, b.stuetzstellenart) << a.spalte << " / " << b.spalte;
        }
}

TEST(Methodentabelle, ColumnChoicesAreTheTablesGroups) {
    // The sine on [-9, 9] has different end values, Runge's function on
    // [-9, 9] equal ones.
    for (int m : {2, 4}) {
        const beispielfunktion &problem = funktion[m - 1];
        std::vector<const methode *> p = spalten_waehlen(problem, SPALTEN_POLYNOME);
        std::vector<const methode *> s = spalten_waehlen(problem, SPALTEN_SPLINES);
        std::vector<const methode *> alle = spalten_waehlen(problem, SPALTEN_ALLE);
        std::vector<const methode *> uebersicht = spalten_waehlen(problem, SPALTEN_UEBERSICHT);
        // -p and -s split the columns of their groups; together they are
        // those and the rows of both groups, in table order.
        std::size_t ip = 0;
        std::size_t is = 0;
        std::size_t ib = 0;
        for (const methode *me : alle) {
            if (ip < p.size() && p[ip] == me)
                ++ip;
            else if (is < s.size() && s[is] == me)
                ++is;
            else if (me->gruppe == SPALTEN_ALLE)
                ++ib;
            else
                ADD_FAILURE() << me->spalte << " in keiner Gruppe";
        }
        EXPECT_EQ(ip + is + ib, alle.size());
        EXPECT_EQ(ip, p.size());
        EXPECT_EQ(is, s.size());
        for (const methode *me : p)
            EXPECT_EQ(me->gruppe, SPALTEN_POLYNOME) << me->spalte;
        for (const methode *me : s)
            EXPECT_EQ(me->gruppe, SPALTEN_SPLINES) << me->spalte;
        // Every row shows in the union of all groups unless it needs a
        // periodic f the problem does not have; the overview is the marked
        // rows among them.
        std::size_t erwartet = 0;
        std::size_t markiert = 0;
        for (int r = 0; r < methoden_anzahl; ++r) {
            bool passt = !methoden[r].periodisch || periodisch(problem);
            erwartet += passt ? 1 : 0;
            markiert += passt && methoden[r].uebersicht ? 1 : 0;
        }
        EXPECT_EQ(alle.size(), erwartet) << "m=" << m;
        EXPECT_EQ(uebersicht.size(), markiert) << "m=" << m;
        for (const methode *me : uebersicht)
            EXPECT_TRUE(me->uebersicht) << me->spalte;
    }
    EXPECT_FALSE(periodisch(funktion[1]));
    EXPECT_TRUE(periodisch(funktion[3]));
}

TEST(Methodentabelle, GnuplotStyleOfARow) {
    // As the scripts of fehlerstudie -d have always drawn them.
    EXPECT_EQ(gnuplot_stil(*methode_suchen("Newton-a"), true),
              "lw 2 dt 1 pt 5 ps 1.2 lc rgb '#d55e00'");
    EXPECT_EQ(gnuplot_stil(*methode_suchen("Bary-a"), true),
              "lw 2 dt 2 pt 4 ps 2.0 lc rgb '#b27a00'");
    EXPECT_EQ(gnuplot_stil(*methode_suchen("per.Sp-a"), true),
              "lw 1.5 dt 3 pt 8 ps 2.4 lc rgb '#8c8c8c'");
    EXPECT_EQ(gnuplot_stil(*methode_suchen("nat.Sp-a"), false), "lw 4 dt 1 lc rgb '#009e73'");
    EXPECT_EQ(gnuplot_text("it's"), "'it''s'");
}

} // namespace
