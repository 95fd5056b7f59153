"""Plots of the study with matplotlib: the convergence of the methods and
the Runge phenomenon.  Colours, line widths and dashes are those of the
method table (numerik.methoden()), as in fehlerstudie's plots and on the
page.  Each function draws into ax (a new figure when None), writes the
figure to datei when given, and returns the axes."""

import numpy as np

from . import _studie_werte, beispiel, beispielwerte, knoten, methoden as _methoden, Baryzentrisch

_STRICHE = {1: "-", 2: "--", 3: ":"}


def _achsen(ax):
    if ax is not None:
        return ax
    import matplotlib.pyplot as plt
    _, ax = plt.subplots(figsize=(8, 5))
    return ax


def _speichern(ax, datei):
    if datei is not None:
        ax.figure.savefig(datei, dpi=100, bbox_inches="tight")


def konvergenz(f=4, n=(8, 16, 32, 64, 128), methoden=None, punkte=None, a=None, b=None, *,
               ergebnis=None, ax=None, datei=None):
    """The largest error over n on logarithmic axes, a line per method.

    The study is that of numerik.studie(f, a, b, n, methoden, punkte), or
    ergebnis, a dict that numerik.studie returned.  Figures that are
    rounding rather than interpolation error (the mark * of fehlerstudie)
    are drawn as open circles; figures of 0 or not computed are left out.

    >>> import matplotlib
    >>> matplotlib.use("Agg")
    >>> import numerik.plot
    >>> ax = numerik.plot.konvergenz(4, n=[8, 16], methoden=["Bary-t", "nat.Sp-a"])
    >>> ax.get_xscale(), len(ax.get_lines())
    ('log', 2)
    """
    e = ergebnis if ergebnis is not None else _studie_werte(f, a, b, n, methoden, punkte)
    if not isinstance(e, dict):
        e = _aus_tabelle(e)
    tabelle = {m["spalte"]: m for m in _methoden()}
    ax = _achsen(ax)
    for j, name in enumerate(e["methoden"]):
        me = tabelle[name]
        fehler = e["fehler"][:, j]
        gut = np.isfinite(fehler) & (fehler > 0)
        ax.loglog(e["n"][gut], fehler[gut], label=f"{name} ({me['titel']})", color=me["farbe"],
                  linewidth=me["breite"], linestyle=_STRICHE.get(me["strich"], "-"), marker="o",
                  markersize=4)
        rund = gut & e["rundung"][:, j]
        if rund.any():
            ax.loglog(e["n"][rund], fehler[rund], linestyle="none", marker="o", markersize=9,
                      markerfacecolor="none", markeredgecolor=me["farbe"])
    m = e.get("m", 0)
    ax.set_title("Groesster Fehler ueber n" + (f": {beispiel(m)['name']}" if m > 0 else ""))
    ax.set_xlabel("n")
    ax.set_xticks(e["n"], [str(k) for k in e["n"]])
    ax.minorticks_off()
    ax.set_ylabel("max |p(x) - f(x)|")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend(fontsize="small")
    _speichern(ax, datei)
    return ax


def _aus_tabelle(t):
    """The dict of numerik.studie from its pandas form."""
    namen = list(dict.fromkeys(t["methode"]))
    def feld(spalte):
        return t.pivot(index="n", columns="methode", values=spalte)[namen].to_numpy()
    return {"n": np.array(sorted(set(t["n"]))), "methoden": namen, "fehler": feld("fehler").astype(float),
            "rundung": feld("rundung").astype(bool)}


def runge(f=4, n=(10, 20), arten=("aequidistant", "tschebyscheff"), a=None, b=None, punkte=1001, *,
          ax=None, datei=None):
    """f and its interpolating polynomials (barycentric form) of degree n on
    each node kind: on equidistant nodes the polynomial swings ever wider
    towards the ends as n grows, on Chebyshev nodes it converges.

    f: an example problem number or a callable on arrays (then a and b are
    needed).  The y axis is clipped to three times the range of f, so that
    the swings show without hiding f.

    >>> import matplotlib
    >>> matplotlib.use("Agg")
    >>> import numerik.plot
    >>> ax = numerik.plot.runge(4, n=[10], arten=["tschebyscheff"])
    >>> len(ax.get_lines()) >= 2
    True
    """
    if isinstance(f, (int, np.integer)):
        problem = beispiel(int(f))
        a = problem["a"] if a is None else a
        b = problem["b"] if b is None else b
        werte = lambda x: beispielwerte(int(f), x)  # noqa: E731
        titel = problem["name"]
    else:
        werte = lambda x: np.asarray(f(x), dtype=float)  # noqa: E731
        titel = "eigene Funktion"
    x = np.linspace(a, b, punkte)
    fx = werte(x)
    ax = _achsen(ax)
    ax.plot(x, fx, color="black", linewidth=2, label="f")
    for art in arten:
        for k in np.atleast_1d(n):
            k = int(k)
            xi = knoten(art, a, b, k)
            p = Baryzentrisch(art, werte(xi), a=a, b=b)
            linie, = ax.plot(x, p(x), linewidth=1.2, linestyle="-" if art == arten[0] else "--",
                             label=f"{art}, n = {k}")
            ax.plot(xi, werte(xi), linestyle="none", marker=".", color=linie.get_color())
    unten, oben = float(np.min(fx)), float(np.max(fx))
    rand = max(oben - unten, 1e-12)
    ax.set_ylim(unten - rand, oben + rand)
    ax.set_title(f"Interpolationspolynome: {titel}")
    ax.set_xlabel("x")
    ax.grid(True, alpha=0.3)
    ax.legend(fontsize="small")
    _speichern(ax, datei)
    return ax
