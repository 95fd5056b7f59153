// Helpers for library tests: text in through fmemopen, text out through
// open_memstream, no temporary files; a column vector from numbers.
#ifndef TESTS_HILFEN_H
#define TESTS_HILFEN_H

#include "numerik/nmmatrix.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// An NM_MATRIX of one column holding werte.
inline matrix_zeiger spaltenvektor(const std::vector<double> &werte) {
    nmmatrix_parameter p = {static_cast<int>(werte.size()), 1, "v", 1};
    matrix_zeiger v(matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr));
    for (std::size_t i = 0; i < werte.size(); ++i)
        nmmatrix_setzen(v.get(), static_cast<int>(i) + 1, 1, werte[i]);
    return v;
}

// A read stream over a copy of text.
class textquelle {
  public:
    explicit textquelle(std::string text) : text_(std::move(text)) {
        // fmemopen of a zero-length buffer is not portable; an empty text
        // still needs a stream that reports end of input at once.
        datei_ = fmemopen(text_.empty() ? leer_ : text_.data(), text_.size(), "r");
    }
    ~textquelle() { std::fclose(datei_); }
    textquelle(const textquelle &) = delete;
    textquelle &operator=(const textquelle &) = delete;
    FILE *datei() const { return datei_; }
    operator FILE *() const { return datei_; }

  private:
    std::string text_;
    char leer_[1] = {0};
    FILE *datei_;
};

// A write stream whose text is collected.
class textsenke {
  public:
    textsenke() { datei_ = open_memstream(&puffer_, &groesse_); }
    ~textsenke() {
        std::fclose(datei_);
        std::free(puffer_);
    }
    textsenke(const textsenke &) = delete;
    textsenke &operator=(const textsenke &) = delete;
    FILE *datei() const { return datei_; }
    operator FILE *() const { return datei_; }
    std::string text() {
        std::fflush(datei_);
        return std::string(puffer_, groesse_);
    }

  private:
    char *puffer_ = nullptr;
    std::size_t groesse_ = 0;
    FILE *datei_;
};

#endif
