// Data as people have them: two columns x and y, separated by whitespace,
// a comma or a semicolon, with an optional header line and comment lines
// (#), read into the two vectors of a value file.  Every number goes
// through the library's number reader; what is not a number is refused
// naming its line, a decimal comma with the hint to write a point.
#include "schnittstelle_intern.h"

#include "numerik/fehler.h"
#include "numerik/zahlen.h"

#include <cctype>
#include <string>
#include <vector>

namespace web {

namespace {

std::string getrimmt(const std::string &t) {
    std::size_t von = 0, bis = t.size();
    while (von < bis && std::isspace(static_cast<unsigned char>(t[von])))
        ++von;
    while (bis > von && std::isspace(static_cast<unsigned char>(t[bis - 1])))
        --bis;
    return t.substr(von, bis - von);
}

// The fields of a line split at trenner (' ': at runs of whitespace).
std::vector<std::string> teilen(const std::string &zeile, char trenner) {
    std::vector<std::string> f;
    if (trenner != ' ') {
        std::size_t von = 0;
        for (;;) {
            const std::size_t bis = zeile.find(trenner, von);
            f.push_back(getrimmt(zeile.substr(von, bis - von)));
            if (bis == std::string::npos) break;
            von = bis + 1;
        }
        return f;
    }
    std::size_t i = 0;
    while (i < zeile.size()) {
        while (i < zeile.size() && std::isspace(static_cast<unsigned char>(zeile[i])))
            ++i;
        const std::size_t von = i;
        while (i < zeile.size() && !std::isspace(static_cast<unsigned char>(zeile[i])))
            ++i;
        if (i > von) f.push_back(zeile.substr(von, i - von));
    }
    return f;
}

// The separator of a line: ';' where it has one, else ',', else
// whitespace.
char trenner_von(const std::string &zeile) {
    if (zeile.find(';') != std::string::npos) return ';';
    if (zeile.find(',') != std::string::npos) return ',';
    return ' ';
}

// The whole field as a number, or false.
bool zahl(const std::string &feld, double &x) {
    const char *ende = nullptr;
    return !feld.empty() && zahl_double_lesen_bis(feld.c_str(), &x, &ende) == 1 && *ende == '\0';
}

// A field that is a number written with a decimal comma between digits:
// "0,5", "-1,25e3".
bool dezimalkomma(const std::string &feld) {
    const std::size_t k = feld.find(',');
    if (k == std::string::npos || k == 0 || k + 1 >= feld.size() ||
        !std::isdigit(static_cast<unsigned char>(feld[k - 1])) ||
        !std::isdigit(static_cast<unsigned char>(feld[k + 1])))
        return false;
    std::string mit_punkt = feld;
    mit_punkt[k] = '.';
    double x = 0.0;
    return zahl(mit_punkt, x);
}

} // namespace

void spalten_lesen(const char *text, int laenge, std::vector<double> &x, std::vector<double> &y) {
    x.clear();
    y.clear();
    std::size_t pos = 0;
    const std::size_t gesamt = static_cast<std::size_t>(laenge);
    int nummer = 0;
    bool erste = true;
    while (pos < gesamt) {
        std::size_t ende = pos;
        while (ende < gesamt && text[ende] != '\n')
            ++ende;
        const std::string zeile = getrimmt(std::string(text + pos, ende - pos));
        pos = ende + 1;
        ++nummer;
        if (zeile.empty() || zeile[0] == '#') continue;
        const char trenner = trenner_von(zeile);
        std::vector<std::string> f = teilen(zeile, trenner);
        double a = 0.0, b = 0.0;
        // The first line whose first field is no number may be a header.
        if (erste && !zahl(f[0], a) && !dezimalkomma(f[0])) {
            erste = false;
            continue;
        }
        // "0,5 1,25" or "0,5,1,25": numbers with decimal commas, split at
        // their commas.
        if (trenner == ',') {
            const std::vector<std::string> woerter = teilen(zeile, ' ');
            if (woerter.size() == 2 && (dezimalkomma(woerter[0]) || dezimalkomma(woerter[1])))
                f = woerter;
        }
        erste = false;
        for (const std::string &feld : f)
            if (dezimalkomma(feld))
                numerik_fehler("Zeile %d: \"%s\" hat ein Dezimalkomma: Zahlen mit Punkt schreiben "
                               "(0.5 statt 0,5).\n",
                               nummer, feld.substr(0, 40).c_str());
        if (trenner == ',' && f.size() != 2)
            numerik_fehler("Zeile %d: %zu Werte statt zwei, durch Kommas getrennt (Dezimalkomma? "
                           "Zahlen mit Punkt schreiben: 0.5).\n",
                           nummer, f.size());
        if (f.size() != 2)
            numerik_fehler("Zeile %d: %zu Werte statt zwei (x und y).\n", nummer, f.size());
        for (const std::string &feld : f) {
            double z = 0.0;
            if (!zahl(feld, z))
                numerik_fehler("Zeile %d: \"%s\" ist keine Zahl.\n", nummer,
                               feld.substr(0, 40).c_str());
        }
        zahl(f[0], a);
        zahl(f[1], b);
        x.push_back(a);
        y.push_back(b);
    }
    if (x.empty())
        numerik_fehler("Keine Datenzeilen: erwartet zwei Spalten x und y oder einen Text, der mit "
                       "seinem Typ beginnt (NM_MATRIX: ...).\n");
}

} // namespace web
