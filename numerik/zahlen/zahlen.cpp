// zahlen/: numbers as text, below the object model: reading and writing one
// double or int exactly as the C library's scanf and printf do in the "C"
// locale (zahlen.cpp, zahlen_format.cpp), and long blocks of numbers written
// by one or two threads (zahlenbloecke.cpp).  Stands on grund/ alone.
#include "numerik/zahlen.h"

#include "zahlen/bitmuster.h"

#include <array>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

bool ziffer(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// isspace of the C locale, the one this library runs in (it never calls
// setlocale).  Every locale counts these as white space, so a character
// outside them sends the text to sscanf and is still read as scanf reads it.
bool leerzeichen(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// 10^0 .. 10^22, all exact doubles.
constexpr std::array<double, 23> ZEHNERPOTENZEN = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The division in double_lesen is one correctly rounded operation only where
// doubles are evaluated as doubles (and in the default rounding mode, which
// this library never changes).
static_assert(FLT_EVAL_METHOD == 0);

// "00" "01" ... "99": two decimals per table look-up.
constexpr auto ZIFFERNPAARE = [] {
    std::array<char, 200> paare{};
    for (int i = 0; i < 100; ++i) {
        paare[2 * i] = static_cast<char>('0' + i / 10);
        paare[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return paare;
}();

// The form of zahl_schreiben, for the whole process.
int aktuelle_form = ZAHL_FORM_F;

char *paar(char *ziel, unsigned wert) {
    std::memcpy(ziel, ZIFFERNPAARE.data() + 2 * wert, 2);
    return ziel + 2;
}

} // namespace

extern "C" {

int zahl_int_lesen(const char *text, int *ziel) {
    return zahl_int_lesen_bis(text, ziel, nullptr);
}

int zahl_int_lesen_bis(const char *text, int *ziel, const char **ende) {
    // scanf's "%d" skips white space, then takes an optional sign and decimal
    // digits; strtol with base 10 reads the same text.
    while (*text != '\0' && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    const char *ziffern = text;
    if (*ziffern == '+' || *ziffern == '-') ++ziffern;
    if (!std::isdigit(static_cast<unsigned char>(*ziffern))) return ZAHL_KEINE_ZAHL;
    errno = 0;
    char *hinten = nullptr;
    long wert = std::strtol(text, &hinten, 10);
    if (errno == ERANGE || wert < INT_MIN || wert > INT_MAX) return ZAHL_AUSSERHALB;
    *ziel = static_cast<int>(wert);
    if (ende != nullptr) *ende = hinten;
    return ZAHL_OK;
}

int zahl_double_lesen(const char *text, double *ziel) {
    return zahl_double_lesen_bis(text, ziel, nullptr);
}

int zahl_double_lesen_bis(const char *text, double *ziel, const char **ende) {
    // Fast path for the text this library writes: "[-]digits[.digits]", with
    // an optional exponent, ending in white space or at the end of the text.
    // There scanf converts exactly this text with correct rounding, and so do
    // the two conversions below.  A leading '+', hex, inf/nan, trailing
    // characters of any other kind, and results out of range (scanf yields
    // inf or 0 for them) go to sscanf itself, so that odd input reads as
    // scanf reads it.
    const char *p = text;
    while (leerzeichen(*p))
        ++p;
    const char *anfang = p;
    const bool negativ = *p == '-';
    if (negativ) ++p;
    // The digits as one integer; it wraps beyond 19 digits and is then not
    // used.
    std::uint64_t mantisse = 0;
    std::size_t anzahl = 0;
    std::size_t nachkomma = 0;
    for (; ziffer(*p); ++p, ++anzahl)
        mantisse = mantisse * 10 + static_cast<unsigned>(*p - '0');
    if (*p == '.') {
        for (++p; ziffer(*p); ++p, ++anzahl, ++nachkomma)
            mantisse = mantisse * 10 + static_cast<unsigned>(*p - '0');
    }
    bool exponent = false;
    if (anzahl > 0 && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (ziffer(*q)) {
            while (ziffer(*q))
                ++q;
            p = q;
            exponent = true;
        }
    }
    if (anzahl > 0 && (*p == '\0' || leerzeichen(*p))) {
        if (!exponent && anzahl <= 19 && mantisse <= (std::uint64_t{1} << 53) &&
            nachkomma < ZEHNERPOTENZEN.size()) {
            // The integer and the power of ten are exact doubles, and one
            // IEEE division rounds their quotient correctly.
            double wert = static_cast<double>(mantisse) / ZEHNERPOTENZEN[nachkomma];
            *ziel = negativ ? -wert : wert;
            if (ende != nullptr) *ende = p;
            return 1;
        }
        // Without floating-point from_chars in the C++ library, sscanf below
        // reads this text to the same value.
#if defined(__cpp_lib_to_chars)
        double wert = 0.0;
        auto [bis, fehlercode] = std::from_chars(anfang, p, wert);
        if (fehlercode == std::errc() && bis == p) {
            *ziel = wert;
            if (ende != nullptr) *ende = p;
            return 1;
        }
#endif
    }
    double wert = 0.0;
    if (std::sscanf(text, "%lf", &wert) != 1) return 0;
    *ziel = wert;
    if (ende != nullptr) {
        // The end of the number as strtod sees it: scanf may take characters
        // that belong to no number ("1e" is read as 1 behind an 'e'), and
        // a caller who checks what follows the number must see them.
        char *hinten = nullptr;
        double verworfen = std::strtod(text, &hinten);
        (void)verworfen;
        *ende = hinten == text ? anfang : hinten;
    }
    return 1;
}

char *zahl_f_schreiben(char *ziel, double x) {
    const std::uint64_t bits = bitmuster(x);
    const bool negativ = (bits >> 63) != 0;
    const int feld = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t bruch = bits & ((std::uint64_t{1} << 52) - 1);
    if (feld == 0x7ff) {
        // printf writes the sign bit of a NaN too: "-nan".
        if (negativ) *ziel++ = '-';
        std::memcpy(ziel, bruch != 0 ? "nan" : "inf", 3);
        return ziel + 3;
    }
    // |x| = mantisse * 2^exponent exactly.
    const std::uint64_t mantisse = feld == 0 ? bruch : bruch | (std::uint64_t{1} << 52);
    const int exponent = (feld == 0 ? 1 : feld) - 1075;
    if (exponent > 11) {
        // |x| >= 2^64: all integer digits, printed exactly by to_chars.
#if defined(__cpp_lib_to_chars)
        return std::to_chars(ziel, ziel + ZAHL_F_MAXLAENGE, x, std::chars_format::fixed, 6).ptr;
#else
        // Without floating-point to_chars in the C++ library: the C
        // library's "%.6f", which prints the same exact digits.
        char text[ZAHL_F_MAXLAENGE + 1];
        const int laenge = std::snprintf(text, sizeof text, "%.6f", x);
        std::memcpy(ziel, text, static_cast<std::size_t>(laenge));
        return ziel + laenge;
#endif
    }
    // N = |x| * 10^6 rounded to an integer = mantisse * 5^6 * 2^(exponent+6),
    // computed exactly in 128 bits (mantisse * 5^6 < 2^67).  A tie rounds to
    // even, as printf does in the default rounding mode, which this library
    // never changes.
    using u128 = unsigned __int128;
    const u128 produkt = static_cast<u128>(mantisse) * 15625;
    const int schieben = -(exponent + 6);
    u128 n = 0;
    if (schieben <= 0) {
        n = produkt << -schieben;
    } else if (schieben < 68) {
        // From 68 on the value is below 2^67 / 2^68 = 0.5 and rounds to 0;
        // it is never exactly 0.5, since 5^6 does not divide a power of two.
        n = produkt >> schieben;
        const u128 rest = produkt & ((u128{1} << schieben) - 1);
        const u128 haelfte = u128{1} << (schieben - 1);
        if (rest > haelfte || (rest == haelfte && (n & 1) != 0)) ++n;
    }
    if (negativ) *ziel++ = '-';
    std::uint64_t ganz = 0;
    unsigned dezimalen = 0;
    if ((n >> 64) == 0) {
        const auto n64 = static_cast<std::uint64_t>(n);
        ganz = n64 / 1000000;
        dezimalen = static_cast<unsigned>(n64 - ganz * 1000000);
    } else {
        ganz = static_cast<std::uint64_t>(n / 1000000);
        dezimalen = static_cast<unsigned>(n % 1000000);
    }
    ziel = std::to_chars(ziel, ziel + 20, ganz).ptr;
    *ziel++ = '.';
    ziel = paar(ziel, dezimalen / 10000);
    ziel = paar(ziel, dezimalen / 100 % 100);
    return paar(ziel, dezimalen % 100);
}

int zahl_form_setzen(int form) {
    int vorher = aktuelle_form;
    aktuelle_form = form == ZAHL_FORM_VOLL ? ZAHL_FORM_VOLL : ZAHL_FORM_F;
    return vorher;
}

int zahl_form(void) {
    return aktuelle_form;
}

char *zahl_schreiben(char *ziel, double x) {
    if (aktuelle_form == ZAHL_FORM_F) return zahl_f_schreiben(ziel, x);
    // Seventeen significant digits identify every double: reading the text
    // with "%lf" gives x back bit for bit.
    return zahl_formatiert_schreiben(ziel, x, 'g', 0, 17);
}

} // extern "C"

void textschreiber::text(std::string_view s) {
    if (static_cast<std::size_t>(ende_ - frei_) < s.size()) {
        leeren();
        if (s.size() > GROESSE) {
            std::fwrite(s.data(), 1, s.size(), aus_);
            return;
        }
    }
    std::memcpy(frei_, s.data(), s.size());
    frei_ += s.size();
}

void textschreiber::leeren() {
    if (frei_ != puffer_) std::fwrite(puffer_, 1, frei_ - puffer_, aus_);
    frei_ = puffer_;
}
