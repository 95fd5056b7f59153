// What the files of the study share and nobody else sees: progress within
// a computation, the measurement of one interpolant on a grid, the
// measurements of a row, and the questions of the cost model.
#ifndef NUMERIK_STUDIE_STUDIE_INTERN_H
#define NUMERIK_STUDIE_STUDIE_INTERN_H

#include "numerik/studie.h"

#include <cstddef>
#include <string>
#include <vector>

// Progress within a computation: the share done before the current step
// (basis) and the share of the whole that one grid point of it is worth.
struct fortschrittsstand {
    const studie_fortschritt *rueckruf = nullptr;
    std::string was;
    double basis = 0.0;
    double je_punkt = 0.0;

    void melden(double anteil) const {
        if (rueckruf != nullptr) rueckruf->melden(rueckruf->kontext, was.c_str(), anteil);
    }
};

// The measurement of groesster_fehler over the grid points von..bis-1 of
// a grid of punkte points, telling fs of its progress every so many
// points; with ableitung 1 that of the first derivative, p' against the
// problem's f'.  f_werte, where given, holds f at every point of the grid.
// NaN as soon as a point's error is not a number.
double fehler_messen(objekt *ip, const beispielfunktion &problem, int punkte,
                     const fortschrittsstand *fs, int ableitung = 0, int von = 0, int bis = -1,
                     const double *f_werte = nullptr);

// One measurement of a row: its object, made beforehand, and its share.
// A global form (every node at every point) that only reads its object
// may be measured in pieces of its grid at once.
struct messauftrag {
    interpolation_zeiger ip;
    std::size_t spalte = 0;
    int punkte = 0;
    double kosten = 0.0;
    bool teilbar = false;
    std::string was;
};

// The measurements of one row into zeile, each column's object alone: on
// two threads where they pay (studie_kosten.cpp).  f_werte: f on the row's
// grid, or null; gesamt is the cost of the whole study, fs the progress so
// far, which grows by the row's share; melden: tell of progress.
void zeile_messen(std::vector<messauftrag> &auftraege, const beispielfunktion &problem,
                  const double *f_werte, double gesamt, fortschrittsstand &fs, bool melden,
                  int ableitung, std::vector<messwert> &zeile);

// The method sums over every node at every point (the polynomial and
// rational forms), rather than evaluating one local piece (the splines and
// Hermite forms): its cost grows with n at each point, and its grid may be
// measured in pieces at once.
bool ueber_alle_knoten(const methode &me);

// The grid of row k; a study put together by hand, without its gitter, has
// the grid its punkte give.
int gitter_bei(const studie &s, std::size_t k);

// printf-formatted text as a string, of any length.
__attribute__((format(printf, 1, 2))) std::string text(const char *format, ...);

#endif
