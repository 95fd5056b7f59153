// What the files of the page's interface share: the page's methods and
// problems by number, the user's formula and data, and the interpolation a
// request works on.
#ifndef NUMERIK_WEB_SCHNITTSTELLE_INTERN_H
#define NUMERIK_WEB_SCHNITTSTELLE_INTERN_H

#include "numerik/json.h"

#include "numerik/beispielfunktionen.h"
#include "numerik/interplt.h"
#include "numerik/matrix.h"
#include "numerik/methoden.h"

#include <string>
#include <vector>

namespace web {

// The page's method k: a class with its options, whatever node kind (the
// first row of its key in the table of methods).
const methode &verfahren_nr(int k);
// The row of the table whose style method k shows on node kind art: its
// row of that kind, else its first row.
const methode &stil_methode(int k, int art);
// The style of a row, as the page draws it: {"farbe", "strich", "breite"}.
void stil_schreiben(json_schreiber &j, const methode &me);

// Example m (1 ...), or the user's function for FORMEL_PROBLEM (0).
const beispielfunktion &problem_nr(int m);
// "Beispielfunktion <name> mit n = <n>", or "Formel mit n = <n>": the names
// splineerzeuger gives its problems.
std::string problemname(const beispielfunktion &problem, int n);
// "Beispielfunktion <name>" or "Formel".
std::string funktionsname(const beispielfunktion &problem);
// A vector of zeilen rows named name; the caller owns it.
objekt *vektor(int zeilen, const char *name);
// The values of f at the n+1 nodes of kind art, placed by the library's own
// placement; the caller owns the vector.
objekt *werte_an_stuetzstellen(const beispielfunktion &problem, int art, int n);
// x as printf("%.*g") writes it.
std::string zahl_text(double x, int stellen);

// What the page loaded last (web_laden): an interpolation, or the points
// and values of a value file; the other null.
struct eigene_daten {
    objekt *interpolation = nullptr;
    objekt *punkte = nullptr;
    objekt *werte = nullptr;
};
const eigene_daten &geladen();

// The interpolation a request works on: with daten the loaded
// interpolation (borrowed) or method k over the loaded value file, else
// method k over n+1 nodes of kind art for problem m.
class gewaehlte_interpolation {
  public:
    gewaehlte_interpolation(bool daten, int m, int k, int art, int n);
    objekt *get() const { return ip_; }

  private:
    interpolation_zeiger eigen_;
    objekt *ip_ = nullptr;
};

// Two columns x and y (whitespace, comma or semicolon between them, an
// optional header line, # comments) read into x and y; a line that is not
// a pair of numbers ends through the fatal path naming its line.
void spalten_lesen(const char *text, int laenge, std::vector<double> &x, std::vector<double> &y);

} // namespace web

#endif
