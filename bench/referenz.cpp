// referenz: the baselines of the pipeline script.  Each task does the work of
// one program of the workbench on the same files, without the library: plain
// stdio (fgets with strtod or sscanf for reading, fprintf "%f" for writing)
// and, for the spline, GSL.
//
//   referenz kurvenpunkte N EINGABE AUSGABE [beschleuniger]
//       Reads a stored natural or periodic spline of node kind 0, 1 or 2
//       (fgets + strtod), builds it with gsl_spline_init on the same nodes,
//       evaluates it at the points (i*R + (N-i)*L)/N, i = 0..N, into two
//       arrays and writes them as the two vectors kurvenpunkte writes.  GSL
//       searches by plain bisection, or with its accelerator when the fifth
//       argument is given.
//   referenz beispielwerte N M AUSGABE
//       Writes with fprintf the bytes that beispielwerte N M writes.
//   referenz fehlervergleich SOLL IST
//       Reads both value files with fgets + sscanf and prints the line that
//       fehlervergleich prints.
//
// Exit status 0, 1 on bad input, 77 for the spline task of a build without
// GSL.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef NUMERIK_MIT_GSL
#include <gsl/gsl_errno.h>
#include <gsl/gsl_spline.h>
#endif

namespace {

[[noreturn]] void abbrechen(const char *text, const char *was = "") {
    std::fprintf(stderr, "referenz: %s%s\n", text, was);
    std::exit(1);
}

FILE *oeffnen(const char *name, const char *modus) {
    FILE *datei = std::fopen(name, modus);
    if (datei == nullptr) abbrechen("kann nicht oeffnen: ", name);
    return datei;
}

struct leser {
    FILE *ein;
    char zeile[8192];

    const char *naechste() {
        if (std::fgets(zeile, sizeof zeile, ein) == nullptr) abbrechen("Eingabe zu kurz");
        return zeile;
    }
    // The text behind a key such as "n =".
    const char *nach(const char *schluessel) {
        naechste();
        std::size_t laenge = std::strlen(schluessel);
        if (std::strncmp(zeile, schluessel, laenge) != 0) abbrechen("erwartet: ", schluessel);
        return zeile + laenge;
    }
    // The name of a header line "TYP: name".
    std::string kopf(const char *typ) {
        naechste();
        std::size_t laenge = std::strlen(typ);
        if (std::strncmp(zeile, typ, laenge) != 0 || zeile[laenge] != ':')
            abbrechen("erwartet: ", typ);
        const char *name = zeile + laenge + 1;
        while (*name == ' ' || *name == '\t')
            ++name;
        std::string ergebnis(name);
        if (!ergebnis.empty() && ergebnis.back() == '\n') ergebnis.pop_back();
        return ergebnis;
    }
};

// ---------------------------------------------------------------------------
// kurvenpunkte with GSL, reading with fgets + strtod.

#ifdef NUMERIK_MIT_GSL
// An NM_MATRIX text: its entries, row by row.
std::vector<double> matrix_strtod(leser &l) {
    l.kopf("NM_MATRIX");
    long n = std::strtol(l.nach("n ="), nullptr, 10);
    long m = std::strtol(l.nach("m ="), nullptr, 10);
    std::vector<double> werte(static_cast<std::size_t>(n * m));
    for (double &w : werte)
        w = std::strtod(l.naechste(), nullptr);
    return werte;
}

void vektor_schreiben(FILE *aus, const char *name, const std::vector<double> &werte) {
    std::fprintf(aus, "NM_MATRIX: %s\n", name);
    std::fprintf(aus, "n = %d\n", static_cast<int>(werte.size()));
    std::fprintf(aus, "m = %d\n", 1);
    for (double w : werte)
        std::fprintf(aus, "%f\n", w);
}

int kurvenpunkte(int n, const char *eingabe, const char *ausgabe, bool beschleunigt) {
    leser l{oeffnen(eingabe, "rb"), {}};
    std::string name = l.kopf("SPLINE_INTERPOLATION");
    long knotenart = std::strtol(l.nach("stuetzstellenart ="), nullptr, 10);
    std::vector<double> x;
    double a = 0.0;
    double b = 0.0;
    if (knotenart == 0) {
        x = matrix_strtod(l);
    } else if (knotenart == 1 || knotenart == 2) {
        a = std::strtod(l.nach("a ="), nullptr);
        b = std::strtod(l.nach("b ="), nullptr);
    } else {
        abbrechen("Stuetzstellenart nicht 0, 1 oder 2");
    }
    long splineart = std::strtol(l.nach("splineart ="), nullptr, 10);
    if (splineart != 1 && splineart != 2) abbrechen("nur natuerliche und periodische Splines");
    std::vector<double> y = matrix_strtod(l);
    std::fclose(l.ein);
    int k = static_cast<int>(y.size()) - 1;
    if (k < 2) abbrechen("zu wenig Stuetzstellen");

    // The nodes and the interval as the library places them.
    double links = a;
    double rechts = b;
    if (knotenart == 1) {
        x.resize(y.size());
        for (int i = 0; i <= k; ++i)
            x[i] = (i * b + (k - i) * a) / k;
    } else if (knotenart == 2) {
        x.resize(y.size());
        const double pi = 4.0 * std::atan(1.0);
        for (int i = 0; i <= k; ++i)
            x[i] = (a + b) / 2.0 + std::cos(i * pi / k) * (a - b) / 2.0;
    } else {
        links = rechts = x[0];
        for (double xi : x) {
            links = std::fmin(links, xi);
            rechts = std::fmax(rechts, xi);
        }
    }
    // Periodic: equal end values, as the library averages them.
    if (splineart == 2) y.front() = y.back() = (y.front() + y.back()) / 2;

    gsl_spline *s = gsl_spline_alloc(
        splineart == 2 ? gsl_interp_cspline_periodic : gsl_interp_cspline, y.size());
    gsl_spline_init(s, x.data(), y.data(), y.size());
    gsl_interp_accel *acc = beschleunigt ? gsl_interp_accel_alloc() : nullptr;
    std::vector<double> punkte(static_cast<std::size_t>(n) + 1);
    std::vector<double> werte(punkte.size());
    for (int i = 0; i <= n; ++i) {
        double xi = (i * rechts + (n - i) * links) / n;
        punkte[i] = xi;
        // GSL reports a domain error a rounding step outside its nodes.
        werte[i] = gsl_spline_eval(s, std::fmin(std::fmax(xi, x.front()), x.back()), acc);
    }
    if (acc != nullptr) gsl_interp_accel_free(acc);
    gsl_spline_free(s);

    FILE *aus = oeffnen(ausgabe, "wb");
    vektor_schreiben(aus, "X-Werte", punkte);
    vektor_schreiben(aus, ("Y-Werte zum Polynom " + name).c_str(), werte);
    std::fclose(aus);
    return 0;
}
#else
int kurvenpunkte(int, const char *, const char *, bool) {
    std::fprintf(stderr, "referenz: ohne GSL gebaut\n");
    return 77;
}
#endif

// ---------------------------------------------------------------------------
// beispielwerte with fprintf.

struct beispielfunktion {
    double (*f)(double);
    double a;
    double b;
    const char *name;
};

double sinus(double x) {
    return std::sin(x);
}
double betrag(double x) {
    return std::fabs(x);
}
double arctan_ableitung(double x) {
    return 1.0 / (x * x + 1.0);
}

const beispielfunktion funktionen[] = {
    {sinus, -3.14159265, 3.14159265, "Sinus auf [-pi,pi]"},
    {sinus, -9.0, 9.0, "Sinus auf [-9,9]"},
    {betrag, -0.3, 0.3, "Betrag auf [-0.3,0.3]"},
    {arctan_ableitung, -9.0, 9.0, "Ableitung zu arctan auf [-9,9]"},
};

int beispielwerte(int n, int m, const char *ausgabe) {
    if (n < 1 || m < 1 || m > 4) abbrechen("n oder m ungueltig");
    const beispielfunktion &p = funktionen[m - 1];
    FILE *aus = oeffnen(ausgabe, "wb");
    std::fprintf(aus, "NM_MATRIX: %s\n", "X-Werte");
    std::fprintf(aus, "n = %d\n", n + 1);
    std::fprintf(aus, "m = %d\n", 1);
    for (int i = 0; i <= n; ++i)
        std::fprintf(aus, "%f\n", (i * p.b + (n - i) * p.a) / n);
    std::fprintf(aus, "NM_MATRIX: Y-Werte der Beispielfunktion %s\n", p.name);
    std::fprintf(aus, "n = %d\n", n + 1);
    std::fprintf(aus, "m = %d\n", 1);
    for (int i = 0; i <= n; ++i)
        std::fprintf(aus, "%f\n", p.f((i * p.b + (n - i) * p.a) / n));
    std::fclose(aus);
    return 0;
}

// ---------------------------------------------------------------------------
// fehlervergleich with fgets + sscanf.

std::vector<double> matrix_sscanf(leser &l) {
    l.kopf("NM_MATRIX");
    int n = 0;
    int m = 0;
    std::sscanf(l.nach("n ="), "%d", &n);
    std::sscanf(l.nach("m ="), "%d", &m);
    std::vector<double> werte(static_cast<std::size_t>(n) * m);
    for (double &w : werte)
        std::sscanf(l.naechste(), "%lf", &w);
    return werte;
}

// The second of the two matrices of a value file: the function values.
std::vector<double> funktionswerte(const char *name) {
    leser l{oeffnen(name, "rb"), {}};
    matrix_sscanf(l);
    std::vector<double> werte = matrix_sscanf(l);
    std::fclose(l.ein);
    return werte;
}

int fehlervergleich(const char *soll_name, const char *ist_name) {
    std::vector<double> soll = funktionswerte(soll_name);
    std::vector<double> ist = funktionswerte(ist_name);
    if (soll.size() != ist.size()) abbrechen("Anzahl der Funktionswerte verschieden");
    double groesster = 0.0;
    for (std::size_t i = 0; i < soll.size(); ++i) {
        double abstand = std::fabs(soll[i] - ist[i]);
        if (abstand > groesster) groesster = abstand;
    }
    std::printf("Fehler = %lf\n", groesster);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    std::string aufgabe = argc > 1 ? argv[1] : "";
    if (aufgabe == "kurvenpunkte" && (argc == 5 || argc == 6))
        return kurvenpunkte(std::atoi(argv[2]), argv[3], argv[4], argc == 6);
    if (aufgabe == "beispielwerte" && argc == 5)
        return beispielwerte(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    if (aufgabe == "fehlervergleich" && argc == 4) return fehlervergleich(argv[2], argv[3]);
    std::fprintf(stderr,
                 "Benutzung: %s kurvenpunkte N EINGABE AUSGABE [beschleuniger]\n"
                 "           %s beispielwerte N M AUSGABE\n"
                 "           %s fehlervergleich SOLL IST\n",
                 argv[0], argv[0], argv[0]);
    return 1;
}
