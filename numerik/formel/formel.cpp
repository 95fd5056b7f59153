// formel/: a function given by a formula in x, read and evaluated by
// muparser, with its derivatives by differences of eighth order.  It uses
// the library only through its public headers and stands on grund (the
// fatal path); the study and the programs take it in the shape of an
// example problem.
#include "numerik/formel.h"

#include "numerik/fehler.h"
#include "numerik/interplt.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <muParser.h>
#include <new>
#include <string>

struct formelfunktion {
    std::string text;
    double a = 0.0;
    double b = 0.0;
    // muparser reads x through this address; Eval changes the parser's
    // state, so a const formula evaluates through mutable members.
    mutable double x = 0.0;
    mutable mu::Parser parser;
};

namespace {

// A text for a message: printable ASCII kept, every other byte '?', so that
// the message stays ASCII whatever the formula holds.
std::string ascii(const std::string &text) {
    std::string s;
    for (unsigned char c : text)
        s += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    return s;
}

// A formula as a message quotes it: ascii, and no more than its first
// ZITAT_LAENGE characters, then "..." (a formula may be 100 kB long).
constexpr std::size_t ZITAT_LAENGE = 60;
std::string zitat(const std::string &text) {
    if (text.size() <= ZITAT_LAENGE) return ascii(text);
    return ascii(text.substr(0, ZITAT_LAENGE)) + "...";
}

bool namenszeichen(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// What muparser would read other than written, refused before it reads:
// - a byte other than printable ASCII, space and tab (muparser skips every
//   byte from 0x01 to 0x20 as a space, so "x\x01*2" would be 2x);
// - an operator that changes a variable: "=" and "+=", "-=", "*=", "/="
//   (muparser's assignment, so "x=1" would be 1 everywhere); "==", "<=",
//   ">=" and "!=" compare;
// - a number beyond the range of a double, which muparser takes as a name
//   and would call 1e309 an unknown name, and one that is not 0 but below
//   the smallest subnormal, which it would read as 0.
void vorpruefen(const std::string &text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!((c >= 0x20 && c < 0x7f) || c == '\t'))
            numerik_fehler("Formel \"%s\": Zeichen 0x%02X nicht erlaubt, nur druckbare "
                           "ASCII-Zeichen, Leerzeichen und Tabulator (Position %zu).\n",
                           zitat(text).c_str(), c, i + 1);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char vor = i > 0 ? text[i - 1] : '\0';
        if (c == '=' && text.compare(i, 2, "==") == 0) {
            ++i;
            continue;
        }
        if (c == '=' && vor != '<' && vor != '>' && vor != '!') {
            const bool zusammengesetzt = vor == '+' || vor == '-' || vor == '*' || vor == '/';
            const std::size_t anfang = zusammengesetzt ? i - 1 : i;
            numerik_fehler("Formel \"%s\": Zuweisung \"%s\" nicht erlaubt, die Formel darf x "
                           "nicht aendern (Position %zu).\n",
                           zitat(text).c_str(), text.substr(anfang, i + 1 - anfang).c_str(),
                           anfang + 1);
        }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool ziffer = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        const bool punkt_ziffer = text[i] == '.' && i + 1 < text.size() &&
                                  std::isdigit(static_cast<unsigned char>(text[i + 1])) != 0;
        if (!(ziffer || punkt_ziffer) ||
            (i > 0 && (namenszeichen(text[i - 1]) || text[i - 1] == '.')))
            continue;
        // The decimal number that starts here: digits, a point, digits,
        // an exponent with its sign.
        std::size_t ende = i;
        while (ende < text.size() && std::isdigit(static_cast<unsigned char>(text[ende])))
            ++ende;
        if (ende < text.size() && text[ende] == '.') ++ende;
        while (ende < text.size() && std::isdigit(static_cast<unsigned char>(text[ende])))
            ++ende;
        if (ende < text.size() && (text[ende] == 'e' || text[ende] == 'E')) {
            std::size_t e = ende + 1;
            if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
            if (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) {
                while (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e])))
                    ++e;
                ende = e;
            }
        }
        const std::string zahl = text.substr(i, ende - i);
        errno = 0;
        const double wert = std::strtod(zahl.c_str(), nullptr);
        if (std::isinf(wert))
            numerik_fehler("Formel \"%s\": Zahl \"%s\" zu gross, groesser als %g (Position "
                           "%zu).\n",
                           zitat(text).c_str(), zitat(zahl).c_str(), DBL_MAX, i + 1);
        // Digits other than 0 before the exponent that come out as 0.
        if (wert == 0.0 && zahl.find_first_of("123456789") < zahl.find_first_of("eE"))
            numerik_fehler("Formel \"%s\": Zahl \"%s\" zu klein, ungleich 0 und kleiner als "
                           "%g (Position %zu).\n",
                           zitat(text).c_str(), zitat(zahl).c_str(), 4.9406564584124654e-324,
                           i + 1);
        i = ende - 1;
    }
}

// The German text of muparser's error codes; the codes the parser raises
// only for a faulty definition (of names, operators, callbacks) or for
// features not used here fall to the last line.
const char *fehlertext(mu::EErrorCodes code) {
    switch (code) {
    case mu::ecUNEXPECTED_OPERATOR:
        return "unerwarteter Operator";
    case mu::ecUNASSIGNABLE_TOKEN:
        return "unbekannter Name";
    case mu::ecUNEXPECTED_EOF:
        return "Zeile endet nach";
    case mu::ecUNEXPECTED_ARG_SEP:
        return "unerwartetes Komma";
    case mu::ecUNEXPECTED_ARG:
        return "unerwartetes Argument";
    case mu::ecUNEXPECTED_VAL:
        return "unerwartete Zahl";
    case mu::ecUNEXPECTED_VAR:
        return "unerwartete Variable";
    case mu::ecUNEXPECTED_PARENS:
        return "unerwartete Klammer";
    case mu::ecUNEXPECTED_STR:
    case mu::ecSTR_RESULT:
    case mu::ecUNTERMINATED_STRING:
    case mu::ecSTRING_EXPECTED:
        return "Zeichenketten sind nicht erlaubt";
    case mu::ecVAL_EXPECTED:
        return "Zahl erwartet";
    case mu::ecMISSING_PARENS:
        return "Klammer nicht geschlossen";
    case mu::ecUNEXPECTED_FUN:
        return "unerwartete Funktion";
    case mu::ecTOO_MANY_PARAMS:
        return "zu viele Argumente fuer";
    case mu::ecTOO_FEW_PARAMS:
        return "zu wenige Argumente fuer";
    case mu::ecEMPTY_EXPRESSION:
        return "Formel ist leer";
    case mu::ecUNEXPECTED_CONDITIONAL:
        return "unerwartetes ?";
    case mu::ecMISSING_ELSE_CLAUSE:
        return "zu ? fehlt der Teil nach :";
    case mu::ecMISPLACED_COLON:
        return "unerwarteter :";
    case mu::ecIDENTIFIER_TOO_LONG:
        return "Name zu lang";
    case mu::ecEXPRESSION_TOO_LONG:
        return "Formel zu lang";
    case mu::ecINVALID_CHARACTERS_FOUND:
        return "ungueltige Zeichen";
    default:
        return "nicht lesbar";
    }
}

[[noreturn]] void formelfehler(const std::string &text, const mu::Parser::exception_type &e) {
    const std::string formel = zitat(text);
    const mu::EErrorCodes code = e.GetCode();
    if (code == mu::ecEMPTY_EXPRESSION)
        numerik_fehler("Formel \"%s\": Formel ist leer.\n", formel.c_str());
    if (code == mu::ecUNEXPECTED_EOF || code == mu::ecMISSING_PARENS) {
        // At the end muparser names no token: the last character before
        // the end is, counted from 1.
        std::size_t ende = text.find_last_not_of(" \t\r\n");
        if (ende == std::string::npos)
            numerik_fehler("Formel \"%s\": Formel ist leer.\n", formel.c_str());
        if (code == mu::ecUNEXPECTED_EOF)
            numerik_fehler("Formel \"%s\": Zeile endet nach \"%s\" (Position %zu).\n",
                           formel.c_str(), ascii(text.substr(ende, 1)).c_str(), ende + 1);
        numerik_fehler("Formel \"%s\": Klammer nicht geschlossen bis zum Ende (Position %zu).\n",
                       formel.c_str(), ende + 1);
    }
    std::string token = e.GetToken();
    while (!token.empty() && token.back() == ' ')
        token.pop_back();
    // muparser counts positions from 0, the message from 1; after a call
    // with too few arguments it points past the closing bracket, which is
    // named instead.
    const int position = std::min(e.GetPos() + 1, static_cast<int>(text.size()));
    if (position > 0 && !token.empty())
        numerik_fehler("Formel \"%s\": %s \"%s\" (Position %d).\n", formel.c_str(),
                       fehlertext(code), zitat(token).c_str(), position);
    if (position > 0)
        numerik_fehler("Formel \"%s\": %s (Position %d).\n", formel.c_str(), fehlertext(code),
                       position);
    numerik_fehler("Formel \"%s\": %s.\n", formel.c_str(), fehlertext(code));
}

// Central differences of eighth order: f'(x) ~ sum_k D1[k] (f(x+kh) -
// f(x-kh)) / h and f''(x) ~ (D2_0 f(x) + sum_k D2[k] (f(x+kh) + f(x-kh))) /
// h^2, k = 1..4; the truncation error is O(h^8) f^(9) resp. f^(10).
constexpr double D1[4] = {4.0 / 5.0, -1.0 / 5.0, 4.0 / 105.0, -1.0 / 280.0};
constexpr double D2_0 = -205.0 / 72.0;
constexpr double D2[4] = {8.0 / 5.0, -1.0 / 5.0, 8.0 / 315.0, -1.0 / 560.0};
constexpr int SCHRITTE = 12;

// The estimate of derivative ordnung (1 or 2) at x: at each step, halved
// from H = max(b - a, |x|) / 8, the difference; the one taken is the one
// whose change against the step before plus its rounding bound is least.
// In the range where the truncation error rules, the change is about that
// error times 2^8; below it the rounding grows as 1/h^ordnung.
double ableitung(const formelfunktion *f, double x, int ordnung) {
    double h = std::fmax(f->b - f->a, std::fabs(x)) / 8.0;
    double vorher = NAN;
    double bester = NAN;
    double bestes_mass = INFINITY;
    const double mitte = ordnung == 2 ? formel_wert(f, x) : 0.0;
    for (int s = 0; s < SCHRITTE; ++s, h /= 2.0) {
        double summe = ordnung == 2 ? D2_0 * mitte : 0.0;
        double groesster = std::fabs(mitte);
        double gewichte = ordnung == 2 ? -D2_0 : 0.0;
        double rechts_werte[4];
        double links_werte[4];
        for (int k = 1; k <= 4; ++k) {
            const double rechts = rechts_werte[k - 1] = formel_wert(f, x + k * h);
            const double links = links_werte[k - 1] = formel_wert(f, x - k * h);
            groesster = std::fmax(groesster, std::fmax(std::fabs(rechts), std::fabs(links)));
            if (ordnung == 1) {
                summe += D1[k - 1] * (rechts - links);
                gewichte += 2.0 * std::fabs(D1[k - 1]);
            } else {
                summe += D2[k - 1] * (rechts + links);
                gewichte += 2.0 * std::fabs(D2[k - 1]);
            }
        }
        double schaetzung = ordnung == 1 ? summe / h : summe / (h * h);
        double rundung = DBL_EPSILON * gewichte * groesster / (ordnung == 1 ? h : h * h);
        if (!std::isfinite(schaetzung) && std::isfinite(groesster)) {
            // Finite values near DBL_MAX: their sums, or h^2, overflow.
            // The same in units of 2^4 (exact), divided by h one step at a
            // time, scaled back; only a derivative that is itself too
            // large stays infinite.
            constexpr double E = 0x1p-4;
            double skaliert = ordnung == 2 ? D2_0 * (mitte * E) : 0.0;
            for (int k = 0; k < 4; ++k)
                skaliert += ordnung == 1 ? D1[k] * (rechts_werte[k] * E - links_werte[k] * E)
                                         : D2[k] * (rechts_werte[k] * E + links_werte[k] * E);
            schaetzung = (ordnung == 1 ? skaliert / h : skaliert / h / h) / E;
            rundung = DBL_EPSILON * gewichte * (groesster * E) / h / (ordnung == 1 ? 1.0 : h) / E;
        }
        const double mass = std::fabs(schaetzung - vorher) + rundung;
        // Written so that a change that is not a number is never taken.
        if (mass < bestes_mass && std::isfinite(schaetzung)) {
            bestes_mass = mass;
            bester = schaetzung;
        }
        vorher = schaetzung;
    }
    return bester;
}

const formelfunktion *als_formel(const void *kontext) {
    return static_cast<const formelfunktion *>(kontext);
}

double endlich(const formelfunktion *f, double x, double wert, const char *was) {
    if (!std::isfinite(wert))
        numerik_fehler("Formel \"%s\": kein endlicher Wert%s bei x = %.17g.\n",
                       zitat(f->text).c_str(), was, x);
    return wert;
}

double wert_geprueft(const void *kontext, double x) {
    return endlich(als_formel(kontext), x, formel_wert(als_formel(kontext), x), "");
}

double abl1_geprueft(const void *kontext, double x) {
    return endlich(als_formel(kontext), x, formel_abl1(als_formel(kontext), x), " f'(x)");
}

double abl2_geprueft(const void *kontext, double x) {
    return endlich(als_formel(kontext), x, formel_abl2(als_formel(kontext), x), " f''(x)");
}

} // namespace

extern "C" {

formelfunktion *formel_erzeugen(const char *text, double a, double b) {
    // b <= a as every interval of the library; a bound that is not finite
    // would pass that check (its difference is not a number or infinite).
    interpolation_intervall_pruefen(a, b);
    if (!std::isfinite(a) || !std::isfinite(b))
        numerik_fehler("Intervall [%g,%g] nicht endlich.\n", a, b);
    vorpruefen(text);
    formelfunktion *f = new (std::nothrow) formelfunktion;
    if (f == nullptr) numerik_fehler("Kein Speicher fuer die Formel!\n");
    f->text = text;
    f->a = a;
    f->b = b;
    try {
        f->parser.DefineVar("x", &f->x);
        // muparser 2.3.3 holds _pi as 3.141592653589, 8e-13 short of pi:
        // both names get the double nearest to pi.
        f->parser.DefineConst("pi", M_PI);
        f->parser.DefineConst("_pi", M_PI);
        f->parser.SetExpr(f->text);
        // muparser reads the formula at its first evaluation.
        f->x = a;
        f->parser.Eval();
        if (f->parser.GetNumResults() != 1) {
            std::string formel = zitat(f->text);
            delete f;
            numerik_fehler("Formel \"%s\": mehrere durch Komma getrennte Ausdruecke.\n",
                           formel.c_str());
        }
    } catch (const mu::Parser::exception_type &e) {
        std::string kopie = f->text;
        delete f;
        formelfehler(kopie, e);
    }
    return f;
}

void formel_freigeben(formelfunktion *f) {
    delete f;
}

const char *formel_text(const formelfunktion *f) {
    return f->text.c_str();
}

double formel_wert(const formelfunktion *f, double x) {
    f->x = x;
    // Evaluation raises nothing once the formula has been read; a caught
    // error would be a defect of muparser, shown as not a number.
    try {
        return f->parser.Eval();
    } catch (const mu::Parser::exception_type &) {
        return NAN;
    }
}

double formel_abl1(const formelfunktion *f, double x) {
    return ableitung(f, x, 1);
}

double formel_abl2(const formelfunktion *f, double x) {
    return ableitung(f, x, 2);
}

beispielfunktion formel_als_funktion(const formelfunktion *f) {
    beispielfunktion p = {};
    p.f = wert_geprueft;
    p.a = f->a;
    p.b = f->b;
    p.name = "Formel";
    p.abl2 = abl2_geprueft;
    p.abl1 = abl1_geprueft;
    p.kontext = f;
    p.formel = f->text.c_str();
    return p;
}
}
