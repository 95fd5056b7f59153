// A study and its befund as one JSON text (numerik/befund.h), for a front
// end that takes one structure: ASCII, each double in 17 significant
// digits (so that it reads back to itself), not a number and infinity as
// null.
#include "numerik/befund.h"

#include "studie_intern.h"

#include "numerik/fehler.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class json_schreiber {
  public:
    std::string text;

    void zahl(double x) {
        if (!std::isfinite(x)) {
            text += "null";
            return;
        }
        char puffer[32];
        const int laenge = std::snprintf(puffer, sizeof puffer, "%.17g", x);
        text.append(puffer, static_cast<std::size_t>(laenge));
    }

    void ganz(long long i) { text += std::to_string(i); }

    void wahr(bool w) { text += w ? "true" : "false"; }

    // A UTF-8 text in quotes, everything outside printable ASCII as \uXXXX
    // (a byte that starts no valid sequence as U+FFFD).
    void zeichenkette(const std::string &s) {
        text += '"';
        for (std::size_t i = 0; i < s.size();) {
            const auto c = static_cast<unsigned char>(s[i]);
            if (c == '"' || c == '\\') {
                text += '\\';
                text += static_cast<char>(c);
                ++i;
            } else if (c >= 0x20 && c < 0x7f) {
                text += static_cast<char>(c);
                ++i;
            } else {
                i += zeichen(s, i);
            }
        }
        text += '"';
    }

    // The indices as numbers, -1 as null.
    void index(int i) {
        if (i < 0)
            text += "null";
        else
            ganz(i);
    }

    template <class T, class F> void liste(const std::vector<T> &werte, F schreiben) {
        text += '[';
        for (std::size_t i = 0; i < werte.size(); ++i) {
            if (i > 0) text += ',';
            schreiben(werte[i]);
        }
        text += ']';
    }

    // "name": as a member's start, after a comma unless it is the first.
    void name(const char *n, bool erster = false) {
        if (!erster) text += ',';
        text += '"';
        text += n;
        text += "\":";
    }

  private:
    void escape(unsigned code) {
        char puffer[8];
        std::snprintf(puffer, sizeof puffer, "\\u%04x", code);
        text += puffer;
    }

    // The character at s[i] (a control character or a UTF-8 sequence),
    // escaped; returns the bytes it took.
    std::size_t zeichen(const std::string &s, std::size_t i) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t laenge = 0;
        unsigned code = 0;
        unsigned kleinster = 0;
        if (c < 0x80) {
            escape(c);
            return 1;
        }
        if ((c & 0xe0) == 0xc0) {
            laenge = 2;
            code = c & 0x1f;
            kleinster = 0x80;
        } else if ((c & 0xf0) == 0xe0) {
            laenge = 3;
            code = c & 0x0f;
            kleinster = 0x800;
        } else if ((c & 0xf8) == 0xf0) {
            laenge = 4;
            code = c & 0x07;
            kleinster = 0x10000;
        }
        bool gueltig = laenge > 0 && i + laenge <= s.size();
        for (std::size_t k = 1; gueltig && k < laenge; ++k) {
            const auto f = static_cast<unsigned char>(s[i + k]);
            gueltig = (f & 0xc0) == 0x80;
            code = code << 6 | (f & 0x3f);
        }
        // Overlong forms, surrogates and what lies beyond Unicode are no
        // characters.
        gueltig =
            gueltig && code >= kleinster && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
        if (!gueltig) {
            escape(0xfffd);
            return 1;
        }
        if (code > 0xffff) {
            code -= 0x10000;
            escape(0xd800 + (code >> 10));
            escape(0xdc00 + (code & 0x3ff));
        } else {
            escape(code);
        }
        return laenge;
    }
};

// The texts of fehlerstudie's cells ("%.3g", "-" where not computed) and
// orders ("%.2f", "-" where there is none).
std::string formatiert(const char *format, double x) {
    char puffer[32];
    const int laenge = std::snprintf(puffer, sizeof puffer, format, x);
    return {puffer, static_cast<std::size_t>(laenge)};
}

void spalte_schreiben(json_schreiber &j, const studie &s, const befund &b, std::size_t sp) {
    const methode *me = s.spalten[sp];
    const befund_spalte &bs = b.spalten[sp];
    const std::size_t zeilen = s.n.size();
    std::vector<std::size_t> k(zeilen);
    for (std::size_t i = 0; i < zeilen; ++i)
        k[i] = i;
    j.text += '{';
    j.name("spalte", true);
    j.zeichenkette(me->spalte);
    j.name("titel");
    j.zeichenkette(me->titel);
    j.name("methode");
    j.ganz(me - methoden);
    j.name("fehler");
    j.liste(k,
            [&](std::size_t i) { j.zahl(s.werte[i][sp].berechnet ? s.werte[i][sp].fehler : NAN); });
    j.name("berechnet");
    j.liste(k, [&](std::size_t i) { j.wahr(s.werte[i][sp].berechnet); });
    j.name("zellen");
    j.liste(k, [&](std::size_t i) {
        const messwert &mw = s.werte[i][sp];
        j.zeichenkette(mw.berechnet ? formatiert("%.3g", mw.fehler) : "-");
    });
    j.name("ordnung");
    j.liste(k, [&](std::size_t i) { j.zahl(b.zellen[i][sp].ordnung); });
    j.name("ordnungen");
    j.liste(k, [&](std::size_t i) {
        const double p = b.zellen[i][sp].ordnung;
        j.zeichenkette(i == 0 ? "" : std::isnan(p) ? "-" : formatiert("%.2f", p));
    });
    j.name("rundung");
    j.liste(k, [&](std::size_t i) { j.wahr(b.zellen[i][sp].rundung); });
    j.name("rundungsboden");
    j.liste(k, [&](std::size_t i) { j.zahl(b.zellen[i][sp].rundungsboden); });
    j.name("konvergiert");
    j.wahr(bs.konvergiert);
    j.name("legende");
    j.zeichenkette(bs.legende);
    j.name("bezugsart");
    if (bs.bezugsart == BEZUG_POTENZ)
        j.zeichenkette("potenz");
    else if (bs.bezugsart == BEZUG_GEOMETRISCH)
        j.zeichenkette("geometrisch");
    else
        j.text += "null";
    j.name("bezugszeilen");
    j.liste(bs.bezugszeilen, [&](std::size_t i) { j.ganz(static_cast<long long>(i)); });
    j.name("rho");
    j.zahl(bs.rho);
    j.name("c");
    j.zahl(bs.c);
    j.name("bezug");
    j.liste(bs.bezug, [&](const bezugslinie &l) {
        j.text += '{';
        j.name("p", true);
        j.ganz(l.p);
        j.name("c");
        j.zahl(l.c);
        j.name("rho");
        j.zahl(l.p == 0 ? l.rho : NAN);
        j.name("werte");
        j.liste(l.werte, [&](double w) { j.zahl(w); });
        j.text += '}';
    });
    j.text += '}';
}

} // namespace

std::string befund_json(const studie &s, const befund &b) {
    if (b.spalten.size() != s.spalten.size() || b.zellen.size() != s.n.size())
        numerik_fehler("Der Befund gehoert nicht zu dieser Studie.\n");
    json_schreiber j;
    j.text += '{';
    j.name("m", true);
    j.ganz(s.m);
    j.name("titel");
    j.zeichenkette(problem_titel(studie_problem(s.problem, s.m), s.m));
    j.name("ableitung");
    j.ganz(s.ableitung);
    j.name("gitter_text");
    j.zeichenkette(studie_gitter_text(s));
    j.name("f_groesste");
    j.zahl(s.f_groesste);
    j.name("n");
    j.liste(s.n, [&](int n) { j.ganz(n); });
    j.name("gitter");
    std::vector<int> gitter;
    for (std::size_t k = 0; k < s.n.size(); ++k)
        gitter.push_back(gitter_bei(s, k));
    j.liste(gitter, [&](int g) { j.ganz(g); });
    j.name("grob");
    j.liste(b.gitter_zu_grob, [&](bool g) { j.wahr(g); });
    j.name("decke");
    j.zahl(b.decke);
    j.name("boden");
    j.zahl(b.boden);
    j.name("rundungsfaktor");
    j.zahl(RUNDUNGSFAKTOR);
    j.name("kosten");
    j.text += '{';
    j.name("operationen", true);
    j.zahl(b.kosten.operationen);
    j.name("sekunden");
    j.zahl(b.kosten.operationen / STUDIE_OPERATIONEN_JE_SEKUNDE);
    j.name("teuerste");
    if (b.kosten.teuerste != nullptr)
        j.zeichenkette(b.kosten.teuerste->spalte);
    else
        j.text += "null";
    j.name("teuerste_operationen");
    j.zahl(b.kosten.teuerste_operationen);
    j.text += '}';
    j.name("bezug_potenz");
    j.index(b.bezug_potenz);
    j.name("bezug_geometrisch");
    j.index(b.bezug_geometrisch);
    j.name("spalten");
    std::vector<std::size_t> spalten(s.spalten.size());
    for (std::size_t i = 0; i < spalten.size(); ++i)
        spalten[i] = i;
    j.liste(spalten, [&](std::size_t sp) { spalte_schreiben(j, s, b, sp); });
    j.text += '}';
    return j.text;
}
