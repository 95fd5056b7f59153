/** \file
 * The library's fatal path and the hook that lets a caller take it over.
 *
 * Every failure of the library (bad input, an index out of range, memory that
 * cannot be had) ends in one place.  There the message is formatted in full
 * and handed to the handler that the caller has set.  Without a handler, or
 * when the handler returns, the message goes to standard error, every stream
 * is flushed and the process ends with the status (always 1).  A handle
 * without its data record takes the same path with an empty message.
 *
 * Not failures: the solver entries of numerik/lgs.h return 0 for an unfit
 * record or a failed decomposition, and a warning (numerik_warnung, and the
 * library's own) goes to its own handler or to standard error while the work
 * goes on.
 *
 * A handler that must not end the process leaves the failing call through
 * longjmp (C) or by throwing an exception (C++).  What is left afterwards:
 *  - objects that existed before the failing call stay valid: they may be
 *    used further and must still be released;
 *  - an object whose creation, loading or product failed is lost, and so are
 *    the temporaries of a failing solve or coefficient step: their memory is
 *    not given back (C++ callers that throw get most temporaries back, as
 *    the library holds them in objects that release them on unwinding);
 *  - the header-line readers of both clusters are reset before the handler
 *    is called, so that the next load starts afresh; a stream that was being
 *    read stands wherever the failure left it;
 *  - a gleichungssystem record may hold some of its result vectors: those
 *    set are valid objects that the caller releases.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_FEHLER_H
#define NUMERIK_FEHLER_H

#ifdef __cplusplus
extern "C" {
#endif

/** A handler of the fatal path.  meldung: the whole message as the library
 * would print it (empty for a handle without its data record); valid only
 * during the call.  status: the exit status the process would end with
 * (always 1).  When the handler returns, the message goes to standard error
 * and the process ends all the same; a handler that must not end the process
 * leaves by longjmp or throw. */
typedef void (*numerik_fehlerbehandlung)(const char *meldung, int status);

/** Sets the handler (null: none) and returns the previous one.  The library
 * keeps one handler for the whole process; it is not thread-safe. */
numerik_fehlerbehandlung numerik_fehlerbehandlung_setzen(numerik_fehlerbehandlung behandlung);

/** The fatal path for callers of the library (the programs use it for their
 * own messages): formats like printf, then goes on as above: the handler, or
 * the message on standard error and exit status 1.  Never returns. */
#if defined(__GNUC__)
__attribute__((noreturn, format(printf, 1, 2)))
#endif
void numerik_fehler(const char *format, ...);

/** A handler of warnings: meldung is the whole warning as the library would
 * print it (it begins with "Warnung" and ends with a line break), valid only
 * during the call.  The work goes on when it returns.  A handler may also
 * leave by throwing (C++), which then ends the call that warned as a failure
 * would. */
typedef void (*numerik_warnungsbehandlung)(const char *meldung);

/** Sets the handler of warnings (null: none, the warnings go to standard
 * error) and returns the previous one.  One handler for the whole process;
 * it is not thread-safe. */
numerik_warnungsbehandlung numerik_warnungsbehandlung_setzen(numerik_warnungsbehandlung behandlung);

/** A warning: formats like printf and hands the text to the handler of
 * warnings, or without one writes it to standard error; the work goes on. */
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void numerik_warnung(const char *format, ...);

#ifdef __cplusplus
}
#endif

#endif
