// The entries of matrices as arrays, for the library's own loops: the one
// place outside the NM_MATRIX class that knows its record, and the one that
// keeps its write count.
//
// An NM_MATRIX counts every write to its entries (setzen, and every write
// through the accessors below).  Whoever has proved something about the
// entries (the spline's interval search proves its nodes ordered) sees by an
// unchanged count that nothing can have been written since.
#ifndef NUMERIK_FELD_H
#define NUMERIK_FELD_H

#include "grund/fehler_intern.h"
#include "numerik/nmmatrix.h"

struct nmmatrixdaten {
    int n;                     // rows
    int m;                     // columns
    char *name;                // own copy
    double *werte;             // n * m entries, row by row
    unsigned long long stand;  // the write count
    unsigned long long belegt; // the bytes of werte counted against the memory (nmmatrix.cpp)
};

// True for a handle of the NM_MATRIX class itself (not a copy of its table).
inline bool ist_nmmatrix(const objekt *m) {
    return m->funktionen == &nm_matrixFunktionen;
}

// The record; the fatal path without a message for a handle without one.
inline nmmatrixdaten *nmmatrix_daten(objekt *m) {
    if (m->daten == nullptr) still_beenden();
    return static_cast<nmmatrixdaten *>(m->daten);
}

// The table of the NM_MATRIX class.
inline const matrix_funktionen *nm_tabelle() {
    return matrix_tabelle(&nm_matrix);
}

// A new NM_MATRIX made through nm_matrix's kreieren slot.  Its entries start
// at 0.0: creation always zeroes them.
inline objekt *nm_anlegen(int zeilen, int spalten, const char *name, void *zusatz) {
    nmmatrix_parameter p = {zeilen, spalten, name, 1};
    return nm_tabelle()->kreieren(&p, zusatz);
}

// A new NM_MATRIX whose entries are not set, for the library's own objects
// of which every entry is written before anyone can read one: the zeroing of
// nm_anlegen would be a second pass over fresh memory.  The messages are
// those of nm_anlegen.
objekt *nm_anlegen_ungesetzt(int zeilen, int spalten, const char *name);

// The entries of an NM_MATRIX, row by row, for reading.
inline const double *eintraege(objekt *m) {
    return nmmatrix_daten(m)->werte;
}

// The write count of an NM_MATRIX: while it stays the same, the entries
// have not been written.
inline unsigned long long schreibstand(objekt *m) {
    return nmmatrix_daten(m)->stand;
}

// The entries of an NM_MATRIX, row by row, for writing in one stretch of
// work: the write count rises when the access begins and again when it
// ends, so nothing proved about the entries before or during it outlives
// it.  (Nothing in the library evaluates an object while it writes that
// object's entries.)
class schreibfeld {
  public:
    explicit schreibfeld(objekt *m) : d_(nmmatrix_daten(m)) { ++d_->stand; }
    ~schreibfeld() { ++d_->stand; }
    schreibfeld(const schreibfeld &) = delete;
    schreibfeld &operator=(const schreibfeld &) = delete;
    double *werte() const { return d_->werte; }
    double &operator[](long long k) const { return d_->werte[k]; }

  private:
    nmmatrixdaten *d_;
};

// A view of the elements of a matrix of any class.  For an object of the
// NM_MATRIX class itself, an element inside the matrix is read and written in
// its array: the same doubles that amIndex and setzen give, in the same
// order, at a fraction of the cost.  Every other element, and every element
// of another class, goes through the object's table, so that index messages
// stay exactly those of the class.  Each write counts as setzen counts it,
// so a view may be kept as long as its matrix lives.
class feldsicht {
  public:
    explicit feldsicht(objekt *m) : m_(m), f_(matrix_tabelle(m)) {
        if (ist_nmmatrix(m)) {
            d_ = nmmatrix_daten(m);
            zeilen_ = d_->n;
            spalten_ = d_->m;
        }
    }
    // Element (i, j), counted from 1.
    double operator()(int i, int j) const {
        if (innen(i, j)) return d_->werte[stelle(i, j)];
        return f_->amIndex(m_, i, j);
    }
    void setzen(int i, int j, double wert) const {
        if (innen(i, j)) {
            d_->werte[stelle(i, j)] = wert;
            ++d_->stand;
        } else {
            f_->setzen(m_, i, j, wert);
        }
    }
    // Column vectors: element (i, 1).
    double operator()(int i) const { return (*this)(i, 1); }
    void setzen(int i, double wert) const { setzen(i, 1, wert); }

  private:
    bool innen(int i, int j) const {
        return d_ != nullptr && i >= 1 && i <= zeilen_ && j >= 1 && j <= spalten_;
    }
    long long stelle(int i, int j) const {
        return static_cast<long long>(i - 1) * spalten_ + (j - 1);
    }
    objekt *m_;
    const matrix_funktionen *f_;
    nmmatrixdaten *d_ = nullptr;
    int zeilen_ = 0;
    int spalten_ = 0;
};

#endif
