// The JSON writer (numerik/json.h).
#include "numerik/json.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

void hex4(std::string &aus, unsigned wert) {
    char puffer[8];
    std::snprintf(puffer, sizeof puffer, "\\u%04x", wert & 0xffffu);
    aus += puffer;
}

void zeichen_schreiben(std::string &aus, std::uint32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        hex4(aus, 0xd800 + (c >> 10));
        hex4(aus, 0xdc00 + (c & 0x3ff));
    } else {
        hex4(aus, c);
    }
}

constexpr std::uint32_t ERSATZ = 0xfffd;

// The range of the second byte after lead byte b (UTF-8's table of
// well-formed sequences: no overlong forms, no surrogates, nothing beyond
// U+10FFFF); the later bytes are always 0x80..0xbf.
void zweites_byte(unsigned char b, unsigned char &von, unsigned char &bis) {
    von = 0x80;
    bis = 0xbf;
    if (b == 0xe0) von = 0xa0;
    if (b == 0xed) bis = 0x9f;
    if (b == 0xf0) von = 0x90;
    if (b == 0xf4) bis = 0x8f;
}

// Decodes t as UTF-8 and writes every character outside printable ASCII as
// an escape.  A sequence broken off is one U+FFFD, and the byte that broke
// it is read again as the start of the next: one replacement for each
// maximal part of a sequence, as the decoders of the browsers count them.
void text_schreiben(std::string &aus, std::string_view t) {
    std::size_t i = 0;
    while (i < t.size()) {
        const auto b = static_cast<unsigned char>(t[i]);
        if (b < 0x80) {
            if (b == '"')
                aus += "\\\"";
            else if (b == '\\')
                aus += "\\\\";
            else if (b == '\n')
                aus += "\\n";
            else if (b == '\t')
                aus += "\\t";
            else if (b < 0x20 || b == 0x7f)
                hex4(aus, b);
            else
                aus += static_cast<char>(b);
            ++i;
            continue;
        }
        int folge = 0;
        std::uint32_t c = 0;
        if (b >= 0xc2 && b <= 0xdf) {
            folge = 1;
            c = b & 0x1fu;
        } else if (b >= 0xe0 && b <= 0xef) {
            folge = 2;
            c = b & 0x0fu;
        } else if (b >= 0xf0 && b <= 0xf4) {
            folge = 3;
            c = b & 0x07u;
        } else {
            zeichen_schreiben(aus, ERSATZ);
            ++i;
            continue;
        }
        unsigned char von = 0;
        unsigned char bis = 0;
        zweites_byte(b, von, bis);
        std::size_t j = i + 1;
        bool ganz = true;
        for (int k = 0; k < folge; ++k, ++j) {
            if (j >= t.size()) {
                ganz = false;
                break;
            }
            const auto f = static_cast<unsigned char>(t[j]);
            if (f < von || f > bis) {
                ganz = false;
                break;
            }
            c = (c << 6) | (f & 0x3fu);
            von = 0x80;
            bis = 0xbf;
        }
        zeichen_schreiben(aus, ganz ? c : ERSATZ);
        i = j;
    }
}

} // namespace

void json_schreiber::trennen() {
    if (nach_wert_) text_ += ',';
    nach_wert_ = false;
}

json_schreiber &json_schreiber::objekt_auf() {
    trennen();
    text_ += '{';
    return *this;
}

json_schreiber &json_schreiber::objekt_zu() {
    text_ += '}';
    nach_wert_ = true;
    return *this;
}

json_schreiber &json_schreiber::liste_auf() {
    trennen();
    text_ += '[';
    return *this;
}

json_schreiber &json_schreiber::liste_zu() {
    text_ += ']';
    nach_wert_ = true;
    return *this;
}

json_schreiber &json_schreiber::schluessel(std::string_view name) {
    trennen();
    text_ += '"';
    text_schreiben(text_, name);
    text_ += "\":";
    return *this;
}

json_schreiber &json_schreiber::zahl(double x) {
    trennen();
    if (!std::isfinite(x)) {
        text_ += "null";
    } else {
        char puffer[32];
        std::snprintf(puffer, sizeof puffer, "%.17g", x);
        text_ += puffer;
    }
    nach_wert_ = true;
    return *this;
}

json_schreiber &json_schreiber::ganz(long long x) {
    trennen();
    text_ += std::to_string(x);
    nach_wert_ = true;
    return *this;
}

json_schreiber &json_schreiber::wahrheit(bool b) {
    trennen();
    text_ += b ? "true" : "false";
    nach_wert_ = true;
    return *this;
}

json_schreiber &json_schreiber::text(std::string_view t) {
    trennen();
    text_ += '"';
    text_schreiben(text_, t);
    text_ += '"';
    nach_wert_ = true;
    return *this;
}

json_schreiber &json_schreiber::null() {
    trennen();
    text_ += "null";
    nach_wert_ = true;
    return *this;
}

void json_schreiber::leeren() {
    text_.clear();
    nach_wert_ = false;
}

json_schreiber &json_schreiber::roh(std::string_view json) {
    trennen();
    text_.append(json);
    nach_wert_ = true;
    return *this;
}
