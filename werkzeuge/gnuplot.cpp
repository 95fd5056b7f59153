// Plots of the convergence study with gnuplot: data files with the
// figures, scripts that draw them (the style of each line from the method's
// row of the table), and gnuplot started on them.
#include "gnuplot.h"

#include "ausgabedatei.h"
#include "numerik/fehler.h"
#include "numerik/knotenarten.h"
#include "numerik/zahlen.h"
#include "rahmen.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// gnuplot's single-quoted strings know one escape: '' for a quote.
std::string gnuplot_text(const std::string &text) {
    std::string ergebnis = "'";
    for (char c : text) {
        if (c == '\'') ergebnis += '\'';
        ergebnis += c;
    }
    return ergebnis + "'";
}

// Line with points (the convergence plot) or line alone (the picture of one
// n, whose curves are too dense for points).  Widths as "%g" ("2", "1.5"),
// point sizes with one decimal ("2.0").
std::string gnuplot_stil(const methode &me, bool punkte) {
    const methode_stil &stil = *methode_stil_von(&me);
    char text[128];
    int laenge = std::snprintf(text, sizeof text, "lw %g dt %d", stil.breite, stil.strich);
    std::string s(text, static_cast<std::size_t>(laenge));
    if (punkte) {
        laenge = std::snprintf(text, sizeof text, " pt %d ps %.1f", stil.punkt, stil.punktgroesse);
        s.append(text, static_cast<std::size_t>(laenge));
    }
    return s + " lc rgb '" + stil.farbe + "'";
}

namespace {

// The node kinds of the columns shown, in the order of the node-kind table:
// the rows of marks under the picture of one n and their blocks in its data
// file.
std::vector<const knotenart *> gezeigte_knotenarten(const verlauf &v) {
    std::vector<const knotenart *> arten;
    for (int i = 0; i < knotenarten_anzahl(); ++i) {
        const knotenart *art = knotenart_an(i);
        for (const methode *me : v.spalten)
            if (me->stuetzstellenart == art->nummer) {
                arten.push_back(art);
                break;
            }
    }
    return arten;
}

// The picture's file: the variable bild, which fehlerstudie sets to a
// temporary file when it runs gnuplot, or the picture's own name.
void bild_setzen(FILE *aus, const std::string &bild) {
    std::fprintf(aus, "if (!exists(\"bild\")) bild = %s\nset output bild\n",
                 gnuplot_text(bild).c_str());
}

std::string problemtitel(const beispielfunktion &problem, int m) {
    return problem_titel(studie_problem(problem, m), m);
}

// The program names each file it has written, on standard error, so that
// the tables on standard output stay as they are for pipes.
void geschrieben(const std::string &name) {
    std::fprintf(stderr, "Datei %s geschrieben\n", name.c_str());
}

// vor, then x as printf's "%.<stellen>e", at the end of zeile: the numbers
// of the data files without printf.
void e_anhaengen(std::string &zeile, const char *vor, double x, int stellen) {
    char zahl[ZAHL_FORMAT_MAXLAENGE];
    zeile += vor;
    zeile.append(zahl, zahl_formatiert_schreiben(zahl, x, 'e', 0, stellen));
}

void datendatei_schreiben(const studie &s, const std::string &name) {
    FILE *aus = ausgabe_oeffnen(name.c_str());
    std::fprintf(aus, "# %s\n", problemtitel(s.problem, s.m).c_str());
    std::fprintf(aus, "# groesster Fehler an %s Punkten\n# n", studie_gitter_text(s).c_str());
    for (const methode *me : s.spalten)
        std::fprintf(aus, " %s", me->spalte);
    std::fprintf(aus, "\n");
    std::string zeile;
    for (std::size_t k = 0; k < s.n.size(); ++k) {
        zeile = std::to_string(s.n[k]);
        for (const messwert &mw : s.werte[k])
            e_anhaengen(zeile, " ", mw.berechnet ? mw.fehler : NAN, 9);
        zeile += '\n';
        std::fputs(zeile.c_str(), aus);
    }
    ausgabe_abschliessen(aus, name.c_str());
    geschrieben(name);
}

// Error against n on logarithmic axes, in the range the befund gives; a
// column that does not converge is drawn up to the ceiling, flat along it
// where it is larger (or not a number), and its key says why in the
// befund's words.
void skript_schreiben(const studie &s, const befund &b, const std::string &name,
                      const std::string &daten, const std::string &bild) {
    FILE *aus = ausgabe_oeffnen(name.c_str());
    const double decke = b.decke;
    const double boden = b.boden;
    std::fprintf(aus, "# Fehler gegen n, doppelt logarithmisch; zeichnen mit: gnuplot %s\n",
                 name.c_str());
    // The key below the plot, one line of 22 pixels for each column: the
    // picture grows with it, and the plot ends above it.
    // The rounding floor of each node kind of the polynomial columns, once
    // per kind, from the befund: a datablock of n and the floor each.
    std::vector<int> boeden;
    for (std::size_t j = 0; j < s.spalten.size(); ++j) {
        const methode *me = s.spalten[j];
        const interpolationstyp *t = interpolationstyp_von(me->art);
        if (t == nullptr || t->polynom == 0 || me->probe != PROBE_KNOTEN) continue;
        if (s.n.empty() || std::isnan(b.zellen.front()[j].rundungsboden)) continue;
        bool schon = false;
        for (int i : boeden)
            schon = schon || s.spalten[static_cast<std::size_t>(i)]->stuetzstellenart ==
                                 me->stuetzstellenart;
        if (!schon) boeden.push_back(static_cast<int>(j));
    }
    const int zeilen = static_cast<int>(s.spalten.size() + boeden.size());
    const int hoehe = 620 + 22 * zeilen;
    const int legende = 22 * zeilen + 12;
    std::fprintf(aus, "set encoding utf8\n");
    std::fprintf(aus, "set terminal pngcairo noenhanced size 1000,%d font ',11'\n", hoehe);
    bild_setzen(aus, bild);
    // The ceiling is named in the title's second line, where no line can
    // hide it.
    char deckentext[96];
    std::snprintf(deckentext, sizeof deckentext,
                  "Decke %.0e (gepunktet): groessere Fehler, auch inf und nan, liegen auf ihr",
                  decke);
    std::fprintf(aus, "set title %s . \"\\n\" . %s\n",
                 gnuplot_text(problemtitel(s.problem, s.m)).c_str(),
                 gnuplot_text(deckentext).c_str());
    std::fprintf(aus, "set logscale xy\nset format y '%%.0e'\nset xtics (");
    for (std::size_t k = 0; k < s.n.size(); ++k)
        std::fprintf(aus, "%s%d", k == 0 ? "" : ", ", s.n[k]);
    std::fprintf(aus, ")\nset xlabel 'n'\n");
    std::fprintf(aus, "set ylabel 'groesster Fehler max |p(x) - f(x)|'\n");
    std::fprintf(aus, "set grid\n");
    // Some room left and right of the outer n on the logarithmic axis, and
    // above the ceiling for the line that marks it.
    std::fprintf(aus, "set xrange [%g:%g]\n", s.n.front() / 1.5, s.n.back() * 1.5);
    std::fprintf(aus, "decke = %g\n", decke);
    std::fprintf(aus, "set yrange [%g:%g]\n", boden, decke * 3);
    std::fprintf(aus, "set bmargin at screen %.4f\n", (legende + 70.0) / hoehe);
    std::fprintf(aus, "set key at screen 0.5, screen %.4f center top box spacing 1.2 width 1\n",
                 (legende + 8.0) / hoehe);
    std::fprintf(aus, "set arrow from graph 0, first decke to graph 1, first decke nohead dt 3 "
                      "lw 1.5 lc rgb '#606060'\n");
    // At most the ceiling; a figure that is not a number on it, as 0 (which
    // a logarithmic axis cannot show) left out.
    std::fprintf(aus, "gekappt(y) = (y != y || y > decke) ? decke : (y > 0 ? y : NaN)\n");
    for (std::size_t i = 0; i < boeden.size(); ++i) {
        const std::size_t j = static_cast<std::size_t>(boeden[i]);
        std::fprintf(aus, "$boden%zu << EOD\n", i);
        for (std::size_t k = 0; k < s.n.size(); ++k)
            std::fprintf(aus, "%d %.6e\n", s.n[k], b.zellen[k][j].rundungsboden);
        std::fprintf(aus, "EOD\n");
    }
    for (std::size_t j = 0; j < s.spalten.size(); ++j) {
        const methode *me = s.spalten[j];
        const std::string &worte = b.spalten[j].legende;
        std::string titel = me->titel;
        if (!worte.empty()) titel += " (" + worte + ")";
        std::fprintf(aus, "%s %s using 1:(gekappt($%zu)) with linespoints %s title %s%s\n",
                     j == 0 ? "plot" : "    ", j == 0 ? gnuplot_text(daten).c_str() : "''", j + 2,
                     gnuplot_stil(*me, true).c_str(), gnuplot_text(titel).c_str(),
                     j + 1 < s.spalten.size() || !boeden.empty() ? ", \\" : "");
    }
    for (std::size_t i = 0; i < boeden.size(); ++i) {
        const methode *me = s.spalten[static_cast<std::size_t>(boeden[i])];
        const std::string titel = std::string("Rundungsboden K u \u039b_n max|f|, Knoten-") +
                                  knotenart_nummer(me->stuetzstellenart)->kuerzel;
        std::fprintf(aus,
                     "     $boden%zu using 1:(gekappt($2)) with lines dt 2 lw 1 lc rgb '#909090' "
                     "title %s%s\n",
                     i, gnuplot_text(titel).c_str(), i + 1 < boeden.size() ? ", \\" : "");
    }
    ausgabe_abschliessen(aus, name.c_str());
    geschrieben(name);
}

// The values over [a, b] at the grid points (block 0: x, f, the value of
// each interpolant, then its error p - f, formed here before any rounding to
// text), then the nodes of each kind with f there (blocks 1 and 2), for the
// picture of one n.
void verlaufsdaten_schreiben(const verlauf &v, const std::string &name) {
    FILE *aus = ausgabe_oeffnen(name.c_str());
    std::fprintf(aus, "# %s, n = %d\n# x f", problemtitel(v.problem, v.m).c_str(), v.n);
    for (const methode *me : v.spalten)
        std::fprintf(aus, " %s", me->spalte);
    for (const methode *me : v.spalten)
        std::fprintf(aus, " Fehler_%s", me->spalte);
    std::fprintf(aus, "\n");
    std::string zeile;
    for (std::size_t i = 0; i < v.x.size(); ++i) {
        zeile.clear();
        e_anhaengen(zeile, "", v.x[i], 9);
        e_anhaengen(zeile, " ", v.f[i], 9);
        for (const std::vector<double> &p : v.p)
            e_anhaengen(zeile, " ", p.empty() ? NAN : p[i], 9);
        for (const std::vector<double> &p : v.p)
            e_anhaengen(zeile, " ", p.empty() ? NAN : p[i] - v.f[i], 3);
        zeile += '\n';
        std::fputs(zeile.c_str(), aus);
    }
    const beispielfunktion &problem = studie_problem(v.problem, v.m);
    for (const knotenart *art : gezeigte_knotenarten(v)) {
        std::fprintf(aus, "\n\n# Stuetzstellen %s: x f(x)\n", art->titel);
        for (double x : stuetzstellen(problem, art->nummer, v.n)) {
            zeile.clear();
            e_anhaengen(zeile, "", x, 9);
            e_anhaengen(zeile, " ", beispiel_f(&problem, x), 9);
            zeile += '\n';
            std::fputs(zeile.c_str(), aus);
        }
    }
    ausgabe_abschliessen(aus, name.c_str());
    geschrieben(name);
}

// Above: f, the interpolants and their nodes (two rows of marks at the foot
// of the panel); the y range is that of f with half its span added on either
// side, so that a polynomial that swings out leaves the panel.  Below: the
// pointwise error on a logarithmic axis (0 at the nodes is left out), up to
// ten times the decade of max |f|: larger errors, which say only that the
// interpolant is of no use, run along that ceiling.  The floor lies four
// decades below the smallest largest error of a column, so that the dips
// where an interpolant crosses f do not squeeze the curves together, and
// not below 1e-17 times max |f|, where rounding is all there is to see.
// Both panels span the width; the key below them serves both.
void verlaufsskript_schreiben(const verlauf &v, const std::string &name, const std::string &daten,
                              const std::string &bild) {
    FILE *aus = ausgabe_oeffnen(name.c_str());
    const beispielfunktion &problem = studie_problem(v.problem, v.m);
    double unten = v.f.front();
    double oben = v.f.front();
    for (double y : v.f) {
        unten = std::fmin(unten, y);
        oben = std::fmax(oben, y);
    }
    double spanne = oben > unten ? oben - unten : 1.0;
    unten -= spanne / 2;
    oben += spanne / 2;
    double f_groesste = v.f_groesste > 0.0 ? v.f_groesste : 1.0;
    double decke = 10.0 * std::pow(10.0, std::ceil(std::log10(f_groesste)));
    double kleinster = decke;
    for (const std::vector<double> &p : v.p) {
        double groesster = 0.0;
        for (std::size_t i = 0; i < p.size(); ++i)
            groesster = std::fmax(groesster, std::fabs(p[i] - v.f[i]));
        if (!p.empty() && groesster > 0.0) kleinster = std::fmin(kleinster, groesster);
    }
    double boden = std::pow(10.0, std::floor(std::log10(kleinster)) - 4);
    boden = std::fmax(boden, std::pow(10.0, std::floor(std::log10(1e-17 * f_groesste))));

    std::fprintf(aus, "# f und Interpolierende fuer n = %d; zeichnen mit: gnuplot %s\n", v.n,
                 name.c_str());
    std::fprintf(aus, "set terminal pngcairo noenhanced size 1100,1100 font ',11'\n");
    bild_setzen(aus, bild);
    std::string titel = problemtitel(v.problem, v.m) + ", n = " + std::to_string(v.n);
    std::fprintf(aus, "set multiplot title %s\n", gnuplot_text(titel).c_str());
    std::fprintf(aus, "set xrange [%.17g:%.17g]\nset grid\n", problem.a, problem.b);
    // Both panels with the same margins, so that their x axes line up.
    std::fprintf(aus, "set lmargin at screen 0.09\nset rmargin at screen 0.97\n");
    std::fprintf(aus, "set tmargin at screen 0.94\nset bmargin at screen 0.61\n");
    std::fprintf(aus, "set key at screen 0.5, screen 0.015 center bottom box maxrows 5 "
                      "width 1 spacing 1.1\n");
    std::fprintf(aus, "set yrange [%.17g:%.17g]\nset ylabel 'f(x), p(x)'\nset format x ''\n", unten,
                 oben);
    std::fprintf(aus, "plot %s index 0 using 1:2 with lines lw 4 lc rgb '#000000' title 'f', \\\n",
                 gnuplot_text(daten).c_str());
    for (std::size_t j = 0; j < v.spalten.size(); ++j)
        std::fprintf(aus, "     '' index 0 using 1:%zu with lines %s title %s, \\\n", j + 3,
                     gnuplot_stil(*v.spalten[j], false).c_str(),
                     gnuplot_text(v.spalten[j]->titel).c_str());
    // Many nodes are drawn small: their rows then show density, not marks.
    const char *groesse = v.n <= 100 ? "0.7" : "0.3";
    // One row of marks for each node kind, from the foot upwards: index k+1
    // of the data file, point types 5, 7, 9, ... (filled square, circle,
    // triangle).
    const std::vector<const knotenart *> arten = gezeigte_knotenarten(v);
    for (std::size_t k = 0; k < arten.size(); ++k) {
        std::string marken = std::string("Stuetzstellen ") + arten[k]->titel;
        std::fprintf(aus,
                     "     '' index %zu using 1:(%.17g) with points pt %zu ps %s lc rgb '#404040' "
                     "title %s%s\n",
                     k + 1, unten + (5.0 + 6.0 * static_cast<double>(k)) / 100.0 * (oben - unten),
                     5 + 2 * k, groesse, gnuplot_text(marken).c_str(),
                     k + 1 < arten.size() ? ", \\" : "");
    }
    std::fprintf(aus, "set tmargin at screen 0.58\nset bmargin at screen 0.175\n");
    std::fprintf(aus, "decke = %g\n", decke);
    std::fprintf(aus, "set logscale y\nset format y '%%.0e'\nset format x '%%g'\n");
    std::fprintf(aus, "set yrange [%g:decke]\n", boden);
    std::fprintf(aus, "set ylabel '|p(x) - f(x)|, hoechstens %.0e'\nset xlabel 'x'\n", decke);
    std::fprintf(aus, "betrag(d) = (d != d || abs(d) > decke) ? decke : (d != 0 ? abs(d) : NaN)\n");
    for (std::size_t j = 0; j < v.spalten.size(); ++j)
        std::fprintf(aus, "%s %s index 0 using 1:(betrag($%zu)) with lines %s notitle%s\n",
                     j == 0 ? "plot" : "    ", j == 0 ? gnuplot_text(daten).c_str() : "''",
                     j + 3 + v.spalten.size(), gnuplot_stil(*v.spalten[j], false).c_str(),
                     j + 1 < v.spalten.size() ? ", \\" : "");
    std::fprintf(aus, "unset multiplot\n");
    ausgabe_abschliessen(aus, name.c_str());
    geschrieben(name);
}

// The gnuplot that the shells would start: the first file "gnuplot" in a
// directory of PATH (an empty entry is the current directory) that is a
// regular file and executable; empty when there is none.
std::string gnuplot_suchen() {
    const char *suchpfad = std::getenv("PATH");
    std::string_view rest = suchpfad != nullptr ? suchpfad : "/bin:/usr/bin";
    for (;;) {
        std::size_t doppelpunkt = rest.find(':');
        std::string verzeichnis(rest.substr(0, doppelpunkt));
        std::string kandidat = (verzeichnis.empty() ? "." : verzeichnis) + "/gnuplot";
        struct stat status {};
        if (stat(kandidat.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            access(kandidat.c_str(), X_OK) == 0)
            return kandidat;
        if (doppelpunkt == std::string_view::npos) return {};
        rest.remove_prefix(doppelpunkt + 1);
    }
}

// Runs gnuplot on the script, which draws into the file that its variable
// bild names, here a temporary file beside the picture: only a gnuplot that
// ends with status 0 replaces the picture, and an interrupted one leaves
// the picture of an earlier run as it was.  gnuplot runs in a process group
// of its own, with standard input from /dev/null: a Ctrl-C at the terminal
// reaches the program alone, whose signal handling ends gnuplot and waits
// for it, and a caller that ignores SIGINT has it ignored for gnuplot too.
// Without gnuplot in PATH the files stay for later and the study still
// succeeds (false); a gnuplot that cannot be started or does not end with
// status 0 is a failure.
bool zeichnen(const std::string &skript, const std::string &bild) {
    std::fflush(stdout);
    std::string pfad = gnuplot_suchen();
    if (pfad.empty()) {
        std::fprintf(stderr, "gnuplot nicht gefunden; Bild spaeter zeichnen mit: gnuplot %s\n",
                     skript.c_str());
        return false;
    }
    // Where no temporary file can be had beside it, the picture is drawn
    // in place, as the script alone would draw it.
    FILE *platzhalter = ausgabedatei_ersatz_oeffnen(bild.c_str());
    const char *zwischen = ausgabedatei_zwischenname(platzhalter);
    const std::string bildvariable =
        "bild = " + gnuplot_text(zwischen != nullptr ? zwischen : bild);
    // A caller that ignores SIGCHLD has its children reaped unseen, and
    // waitpid would find none.
    std::signal(SIGCHLD, SIG_DFL);
    // A failed exec sends its errno through a pipe that a successful one
    // closes: the start is told apart from gnuplot's own failure (also
    // under valgrind, where posix_spawn cannot tell).
    int rohr[2];
    if (pipe2(rohr, O_CLOEXEC) != 0)
        numerik_fehler("gnuplot konnte nicht gestartet werden: %s.\n", std::strerror(errno));
    const char *argumente[] = {"gnuplot", "-e", bildvariable.c_str(), skript.c_str(), nullptr};
    pid_t prozess = 0;
    {
        abbruchsperre sperre;
        prozess = fork();
        if (prozess == 0) {
            close(rohr[0]);
            setpgid(0, 0);
            int leer = open("/dev/null", O_RDONLY);
            if (leer > STDIN_FILENO) {
                dup2(leer, STDIN_FILENO);
                close(leer);
            }
            sigprocmask(SIG_SETMASK, &sperre.alt(), nullptr);
            execv(pfad.c_str(), const_cast<char *const *>(argumente));
            int grund = errno;
            [[maybe_unused]] ssize_t gemeldet = write(rohr[1], &grund, sizeof grund);
            _exit(127);
        }
        if (prozess > 0) {
            // Both sides set the group, so that it stands before either
            // goes on.
            setpgid(prozess, prozess);
            ausgabedatei_kind_setzen(prozess);
        }
    }
    if (prozess < 0)
        numerik_fehler("gnuplot konnte nicht gestartet werden: %s.\n", std::strerror(errno));
    close(rohr[1]);
    int grund = 0;
    ssize_t gelesen = 0;
    while ((gelesen = read(rohr[0], &grund, sizeof grund)) < 0 && errno == EINTR) {
    }
    close(rohr[0]);
    // Waited for without reaping it: until the child is taken off the
    // signal handling, its process id stays its own.
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(prozess), &info, WEXITED | WNOWAIT) < 0)
        if (errno != EINTR) numerik_fehler("Auf gnuplot konnte nicht gewartet werden.\n");
    int status = 0;
    {
        abbruchsperre sperre;
        ausgabedatei_kind_setzen(0);
        while (waitpid(prozess, &status, 0) < 0)
            if (errno != EINTR) numerik_fehler("Auf gnuplot konnte nicht gewartet werden.\n");
    }
    if (gelesen == static_cast<ssize_t>(sizeof grund))
        numerik_fehler("gnuplot (%s) konnte nicht gestartet werden: %s.\n", pfad.c_str(),
                       std::strerror(grund));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        if (platzhalter != nullptr && !ausgabedatei_schliessen(platzhalter, false))
            numerik_fehler("Das Bild %s konnte nicht an seinen Platz gelegt werden: %s.\n",
                           bild.c_str(), std::strerror(errno));
        return true;
    }
    if (WIFEXITED(status))
        numerik_fehler("gnuplot konnte %s nicht zeichnen: Status %d.\n", skript.c_str(),
                       WEXITSTATUS(status));
    numerik_fehler("gnuplot konnte %s nicht zeichnen: Signal %d (%s).\n", skript.c_str(),
                   WTERMSIG(status), strsignal(WTERMSIG(status)));
}

// Draws a script's plot and names the picture when gnuplot has drawn it
// (without gnuplot the picture stays undrawn, and zeichnen says so).
void zeichnen_und_melden(const std::string &skript, const std::string &bild) {
    if (zeichnen(skript, bild)) geschrieben(bild);
}

} // namespace

void diagrammdateien_pruefen(int m, int n) {
    const std::string stamm = "fehlerstudie_" + problem_stamm(m);
    for (const std::string &teil : {stamm, stamm + "_n" + std::to_string(n)})
        for (const char *endung : {".dat", ".gp", ".png"}) {
            const std::string name = teil + endung;
            int fd = open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            if (fd < 0 && errno == ENOENT) {
                fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                if (fd >= 0) {
                    close(fd);
                    unlink(name.c_str());
                    continue;
                }
                // A dangling symbolic link: the file it names is made
                // when it is written.
                if (errno == EEXIST) continue;
            }
            // A named pipe without a reader is no file that cannot be
            // written.
            if (fd < 0 && errno != ENXIO)
                numerik_fehler("Die Datei %s kann nicht geschrieben werden: %s.\n", name.c_str(),
                               std::strerror(errno));
            if (fd >= 0) close(fd);
        }
}

void konvergenzdiagramm_zeichnen(const studie &s, const befund &b) {
    std::string stamm = "fehlerstudie_" + problem_stamm(s.m);
    datendatei_schreiben(s, stamm + ".dat");
    skript_schreiben(s, b, stamm + ".gp", stamm + ".dat", stamm + ".png");
    zeichnen_und_melden(stamm + ".gp", stamm + ".png");
}

void verlaufsdiagramm_zeichnen(const verlauf &v) {
    std::string stamm = "fehlerstudie_" + problem_stamm(v.m) + "_n" + std::to_string(v.n);
    verlaufsdaten_schreiben(v, stamm + ".dat");
    verlaufsskript_schreiben(v, stamm + ".gp", stamm + ".dat", stamm + ".png");
    zeichnen_und_melden(stamm + ".gp", stamm + ".png");
}
