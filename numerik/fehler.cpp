#include "fehler.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void fehler(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::exit(1);
}

void still_beenden() { std::exit(1); }

void warnung(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}
