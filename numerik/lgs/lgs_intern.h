// What the modules of the solver share: the ways of access to the system's
// matrices and vectors, and its methods.
//
// The solver reads and writes every element through the matrix operations.
// For an object that is a plain NM_MATRIX the same entries are read and
// written directly in its array (feldsicht), which gives the same doubles in
// the same order (bit-identical results) at a fraction of the cost; every
// index outside the array, and every object of another table, goes through
// the object's own table, so index messages (a loaded diagonal shorter than
// its diagonal, a strategy's row out of range) stay exactly those of the
// matrix classes.
//
// Every test of a pivot is written as "too small when |a| < 2^-120", so that
// a value equal to it passes and so does a NaN: no comparison holds for NaN.
#ifndef NUMERIK_LGS_INTERN_H
#define NUMERIK_LGS_INTERN_H

#include "grund/epsilon.h"
#include "matrizen/feld.h"
#include "numerik/bandmtrx.h"
#include "numerik/lgs.h"

#include <optional>

// The three diagonals of a band matrix of band width 1: A(k,k), A(k,k+1)
// and A(k+1,k).  For an object of the BAND_MATRIX class itself, an element
// inside the matrix is its diagonal vector's entry, read through that
// vector's view; everything else goes through A's table.
class tridiagonale {
  public:
    tridiagonale(objekt *a, int n) : a_(a), f_(matrix_tabelle(a)), n_(n) {
        if (a->funktionen == &band_matrixFunktionen) {
            haupt_.emplace(f_->imVektor(a, 0));
            oben_.emplace(f_->imVektor(a, 1));
            unten_.emplace(f_->imVektor(a, 2));
        }
    }
    double haupt(int k) const { return innen(k, k) ? (*haupt_)(k) : f_->amIndex(a_, k, k); }
    double oben(int k) const { return innen(k, k + 1LL) ? (*oben_)(k) : f_->amIndex(a_, k, k + 1); }
    double unten(int k) const {
        return innen(k + 1LL, k) ? (*unten_)(k) : f_->amIndex(a_, k + 1, k);
    }
    void haupt_setzen(int k, double wert) const {
        if (innen(k, k))
            haupt_->setzen(k, wert);
        else
            f_->setzen(a_, k, k, wert);
    }
    void unten_setzen(int k, double wert) const {
        if (innen(k + 1LL, k))
            unten_->setzen(k, wert);
        else
            f_->setzen(a_, k + 1, k, wert);
    }
    // Any element, for the factor extraction; outside the band 0.0.
    double operator()(int i, int j) const {
        if (!haupt_ || !innen(i, j)) return f_->amIndex(a_, i, j);
        if (i == j) return haupt(i);
        if (j - i == 1) return oben(i);
        if (i - j == 1) return unten(j);
        return 0.0;
    }

  private:
    // Inside the matrix and known to be the class's own mapping.
    bool innen(long long i, long long j) const {
        return haupt_.has_value() && i >= 1 && j >= 1 && i <= n_ && j <= n_;
    }
    objekt *a_;
    const matrix_funktionen *f_;
    int n_;
    std::optional<feldsicht> haupt_, oben_, unten_;
};

// The same accesses on plain arrays, for the solves of the O(n) methods
// when every object is of its class and long enough (direkt_moeglich):
// then each element the classes above would read or write is exactly the
// array entry used here, and no index message can arise.
class feld {
  public:
    explicit feld(objekt *v) : werte_(v) {}
    double operator()(int i) const { return werte_[i - 1]; }
    void setzen(int i, double wert) const { werte_[i - 1] = wert; }

  private:
    schreibfeld werte_;
};

class tridiagonal_feld {
  public:
    tridiagonal_feld(objekt *a, int)
        : haupt_(matrix_tabelle(a)->imVektor(a, 0)), oben_(matrix_tabelle(a)->imVektor(a, 1)),
          unten_(matrix_tabelle(a)->imVektor(a, 2)) {}
    double haupt(int k) const { return haupt_[k - 1]; }
    double oben(int k) const { return oben_[k - 1]; }
    double unten(int k) const { return unten_[k - 1]; }
    void haupt_setzen(int k, double wert) const { haupt_[k - 1] = wert; }
    void unten_setzen(int k, double wert) const { unten_[k - 1] = wert; }

  private:
    schreibfeld haupt_;
    schreibfeld oben_;
    schreibfeld unten_;
};

// The two ways of access, chosen once per solve.
struct ueber_klassen {
    using band = tridiagonale;
};
struct direkt {
    using band = tridiagonal_feld;
};
inline feldsicht vektor_von(ueber_klassen, objekt *v) {
    return feldsicht(v);
}
inline feld vektor_von(direkt, objekt *v) {
    return feld(v);
}

// A of the class with the table tabelle, with the diagonal vectors (imVektor 0, 1, 2) of at
// least the given lengths, and b an NM_MATRIX column; c and x are made by
// the solver itself as NM_MATRIX columns of n rows.
bool direkt_moeglich(const gleichungssystem *lgs, const matrix_funktionen *tabelle, int n,
                     int laenge0, int laenge1, int laenge2);

// The methods.  Each decomposes A in place, sets determinante, and creates
// c and x (and p for dense Gauss) as NM_MATRIX columns.
//
// Dense Gaussian elimination with the strategy's interchanges: 0 when the
// strategy finds no pivot or the last pivot is numerically zero (p set, A
// partly overwritten), else 1.
int gauss_loesen(gleichungssystem *lgs, pivotstrategie strategie);
// Tridiagonal elimination without interchanges; never fails (a zero pivot
// runs into IEEE infinities and NaNs).
void tgauss_loesen(gleichungssystem *lgs, int n);
// The cyclic Cholesky-type decomposition; dicht: also the entry's dense "L".
// 0 when a pivot is below 2^-120.
int chol06_loesen(gleichungssystem *lgs, int n, bool dicht);

#endif
