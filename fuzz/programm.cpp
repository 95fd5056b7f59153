// Fuzz target: one program's whole command line, its files and its standard
// input.  The program's main is compiled in under the name programm_main
// (NUMERIK_PROGRAMM names the program) and runs unchanged in a child process.
//
// An input is a small container of text:
//
//   arguments, one per line
//   %%soll
//   content of the file "soll", up to the next line beginning with %%
//   %%-
//   standard input
//
// File names and arguments must not contain '/': the program runs in a
// private directory and can neither read nor write anything outside it.
// Inputs that break these rules are not run.
#include "kind.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

int programm_main(int argc, char **argv);

namespace {

constexpr std::size_t MAX_ARGUMENTE = 16;
constexpr std::size_t MAX_DATEIEN = 4;

struct aufruf {
    std::vector<std::string> argumente;
    std::vector<std::pair<std::string, std::string>> dateien;
    std::string eingabe;
};

bool sicherer_name(std::string_view name) {
    return !name.empty() && name.size() <= NAME_MAX && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

// A count argument asks for that much work (fehlerstudie's Newton steps grow
// with its square), and a program that is given a hundred million is busy,
// not hung: inputs with an argument that reads (like atoi) as a count above
// GROESSTE_ANZAHL are not run.  Larger numbers that do not fit an int, and
// negative ones, are, for the programs' range checks.
constexpr long long GROESSTE_ANZAHL = 2000;

bool zu_grosse_anzahl(std::string_view argument) {
    std::size_t p = 0;
    while (p < argument.size() && std::isspace(static_cast<unsigned char>(argument[p])))
        ++p;
    if (p < argument.size() && (argument[p] == '+' || argument[p] == '-')) {
        if (argument[p] == '-') return false;
        ++p;
    }
    long long wert = 0;
    for (; p < argument.size() && std::isdigit(static_cast<unsigned char>(argument[p])); ++p) {
        wert = wert * 10 + (argument[p] - '0');
        if (wert > INT_MAX) return false;
    }
    return wert > GROESSTE_ANZAHL;
}

// A band or cyclic matrix text declares its order n and need not store that
// many values (the vector sizes are not compared with n): a matrix of order
// 2147483647 costs three lines, and a pass over its rows is long work, not a
// hang.  Files that declare such an order above GROESSTE_ORDNUNG are not run.
constexpr long long GROESSTE_ORDNUNG = 1000000;

bool zu_grosse_ordnung(std::string_view inhalt) {
    for (std::string_view typ : {"BAND_MATRIX:", "A06__MATRIX:"}) {
        for (std::size_t p = 0; (p = inhalt.find(typ, p)) != std::string_view::npos; ++p) {
            std::size_t zeile = inhalt.find('\n', p);
            if (zeile == std::string_view::npos || inhalt.substr(zeile + 1, 3) != "n =") continue;
            std::string_view rest = inhalt.substr(zeile + 4);
            std::size_t q = 0;
            while (q < rest.size() && (rest[q] == ' ' || rest[q] == '\t'))
                ++q;
            long long wert = 0;
            for (; q < rest.size() && std::isdigit(static_cast<unsigned char>(rest[q])); ++q)
                if ((wert = wert * 10 + (rest[q] - '0')) > INT_MAX) break;
            if (wert > GROESSTE_ORDNUNG && wert <= INT_MAX) return true;
        }
    }
    return false;
}

// Splits the container; false for an input that cannot be run safely.
bool zerlegen(std::string_view text, aufruf &a) {
    std::vector<std::size_t> marken;
    for (std::size_t p = 0; (p = text.find("%%", p)) != std::string_view::npos; p += 2)
        if (p == 0 || text[p - 1] == '\n') marken.push_back(p);
    std::string_view kopf = text.substr(0, marken.empty() ? text.size() : marken[0]);
    while (!kopf.empty()) {
        std::size_t ende = kopf.find('\n');
        std::string_view argument = kopf.substr(0, ende);
        if (argument.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos ||
            zu_grosse_anzahl(argument))
            return false;
        a.argumente.emplace_back(argument);
        kopf = ende == std::string_view::npos ? std::string_view() : kopf.substr(ende + 1);
    }
    if (a.argumente.size() > MAX_ARGUMENTE || marken.size() > MAX_DATEIEN) return false;
    for (std::size_t k = 0; k < marken.size(); ++k) {
        std::size_t ende = k + 1 < marken.size() ? marken[k + 1] : text.size();
        std::string_view abschnitt = text.substr(marken[k] + 2, ende - marken[k] - 2);
        std::size_t zeilenende = abschnitt.find('\n');
        std::string_view name = abschnitt.substr(0, zeilenende);
        std::string_view inhalt = zeilenende == std::string_view::npos
                                      ? std::string_view()
                                      : abschnitt.substr(zeilenende + 1);
        if (zu_grosse_ordnung(inhalt)) return false;
        if (name == "-")
            a.eingabe = inhalt;
        else if (sicherer_name(name))
            a.dateien.emplace_back(name, inhalt);
        else
            return false;
    }
    return true;
}

void datei_anlegen(const std::string &name, const std::string &inhalt) {
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) kind_befund("Datei nicht anlegbar");
    std::size_t geschrieben = 0;
    while (geschrieben < inhalt.size()) {
        ssize_t n = write(fd, inhalt.data() + geschrieben, inhalt.size() - geschrieben);
        if (n <= 0 && errno != EINTR) kind_befund("Datei nicht schreibbar");
        if (n > 0) geschrieben += n;
    }
    close(fd);
}

// What a successful run of a program must have produced, where that can be
// told without computing the result again.
bool ist_benutzungstext(const kindergebnis &e) {
    return e.ausgabe.empty() && e.fehlertext.rfind("\nBenutzung: ", 0) == 0;
}

// "Fehler = <number>\n" of a maximum of absolute values, six decimals or
// (with -v) 17 significant digits: never negative, never NaN (a NaN
// difference fails); on standard error at most the warning about different
// points.
void fehlervergleich_pruefen(const kindergebnis &e) {
    if (e.status != 0 || ist_benutzungstext(e)) return;
    const std::string &s = e.ausgabe;
    const std::string &w = e.fehlertext;
    bool warnung =
        w.empty() || (w.rfind("Warnung: Die Punkte von ", 0) == 0 && w.find('\n') == w.size() - 1);
    bool gut = warnung && s.rfind("Fehler = ", 0) == 0 && s.size() > 10 && s.back() == '\n' &&
               s.find('\n') == s.size() - 1;
    if (gut) {
        std::string zahl = s.substr(9, s.size() - 10);
        char *ende = nullptr;
        double x = std::strtod(zahl.c_str(), &ende);
        gut = *ende == '\0' &&
              (std::isdigit(static_cast<unsigned char>(zahl[0])) || zahl == "inf") &&
              !std::isnan(x) && x >= 0.0;
    }
    if (!gut) befund_melden("fehlervergleich: Status 0 ohne \"Fehler = <Zahl>\"", e);
}

// The output path: no run leaves a temporary file behind (a dot file that
// neither the container nor an argument names), and a failed run leaves
// every given file as it was and adds none (except fehlerstudie, whose
// files of the problems before the failure are complete).
void dateien_pruefen(const aufruf &a, const kindergebnis &e) {
    std::map<std::string, std::string> gegeben;
    for (const auto &[name, inhalt] : a.dateien)
        gegeben[name] = inhalt;
    const bool studie = std::strcmp(NUMERIK_PROGRAMM, "fehlerstudie") == 0;
    char grund[NAME_MAX + 64];
    DIR *d = opendir(kind_verzeichnis());
    if (d == nullptr) return;
    while (dirent *eintrag = readdir(d)) {
        std::string name = eintrag->d_name;
        if (name == "." || name == ".." || gegeben.count(name) != 0) continue;
        bool argument = false;
        for (const std::string &arg : a.argumente)
            argument = argument || arg == name;
        const char *was = nullptr;
        if (name[0] == '.' && !argument)
            was = "Zwischendatei %s geblieben";
        else if (e.status == 1 && !studie)
            was = "Datei %s nach einem Fehlschlag angelegt";
        if (was != nullptr) {
            closedir(d);
            std::snprintf(grund, sizeof grund, was, name.c_str());
            befund_melden(grund, e);
        }
    }
    closedir(d);
    if (e.status != 1) return;
    for (const auto &[name, inhalt] : gegeben) {
        std::ifstream datei(std::string(kind_verzeichnis()) + "/" + name, std::ios::binary);
        std::ostringstream jetzt;
        jetzt << datei.rdbuf();
        if (jetzt.str() != inhalt) {
            std::snprintf(grund, sizeof grund, "Datei %s nach einem Fehlschlag veraendert",
                          name.c_str());
            befund_melden(grund, e);
        }
    }
}

struct ausgabepruefung {
    const char *programm;
    void (*pruefen)(const kindergebnis &);
};
const ausgabepruefung pruefungen[] = {
    {"fehlervergleich", fehlervergleich_pruefen},
};

} // namespace

// In the child, in its private directory: the files, then the program.
int kind_arbeit(const uint8_t *daten, std::size_t groesse) {
    // No external program is started (fehlerstudie's gnuplot): the search
    // finds none.
    setenv("PATH", "/nonexistent", 1);
    static aufruf a;
    zerlegen(std::string_view(reinterpret_cast<const char *>(daten), groesse), a);
    for (const auto &[name, inhalt] : a.dateien)
        datei_anlegen(name, inhalt);
    static std::vector<char *> argv;
    argv.push_back(const_cast<char *>(NUMERIK_PROGRAMM));
    for (std::string &argument : a.argumente)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return programm_main(static_cast<int>(argv.size() - 1), argv.data());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, std::size_t groesse) {
    aufruf a;
    if (!zerlegen(std::string_view(reinterpret_cast<const char *>(daten), groesse), a)) return 0;
    kindergebnis e = im_kind_ausfuehren(daten, groesse, a.eingabe);
    dateien_pruefen(a, e);
    for (const ausgabepruefung &p : pruefungen)
        if (std::strcmp(p.programm, NUMERIK_PROGRAMM) == 0) p.pruefen(e);
    return 0;
}
