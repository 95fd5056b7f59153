// Plots of the convergence study with gnuplot: the data files and scripts
// that fehlerstudie -d writes, and gnuplot started on them.  Each file
// written is named on standard error; every failure (a file that cannot be
// written, a gnuplot that cannot start or fails) ends through the library's
// fatal path.  Without gnuplot in PATH the files stay for later.
#ifndef WERKZEUGE_GNUPLOT_H
#define WERKZEUGE_GNUPLOT_H

#include "numerik/befund.h"

#include <string>

// gnuplot's single-quoted string of text ('' for a quote).
std::string gnuplot_text(const std::string &text);

// The line style of a method from its row of the table: width, dash, with
// punkte also point type and size, and colour.
std::string gnuplot_stil(const methode &me, bool punkte);

// The convergence plot of s as b concludes it (its range, the words of
// each key): fehlerstudie_<m>.dat and .gp written, and fehlerstudie_<m>.png
// drawn when gnuplot is there.
void konvergenzdiagramm_zeichnen(const studie &s, const befund &b);

// The picture of one n: f, the interpolants and their nodes above their
// pointwise error, as fehlerstudie_<m>_n<n>.dat, .gp and .png.
void verlaufsdiagramm_zeichnen(const verlauf &v);

// Checks before a study that every file -d will write for problem m and
// largest n can be written (an existing one opened for writing without
// being changed, a new one made and removed again); a file that cannot
// ends with "Die Datei <name> kann nicht geschrieben werden: <strerror>.\n".
void diagrammdateien_pruefen(int m, int n);

#endif
