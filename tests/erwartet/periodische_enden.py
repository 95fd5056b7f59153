#!/usr/bin/python3
"""The constants of the end terms of the verdicts, and the errors of the
trigonometric interpolant and the natural spline of 1/(1+x^2) on [-9, 9]
far beyond the study's n, without the library (numpy's FFT, scipy's
CubicSpline).

    /usr/bin/python3 tests/erwartet/periodische_enden.py

1. A jump J_m of f^(m) in the periodic continuation: the periodic
   Bernoulli functions B(t) = (t^2 - t + 1/6)/2 (f' jumps by 1 at t = 0)
   and (t^3 - 3t^2/2 + t/2)/6 (f'' jumps by 1), interpolated at n
   equidistant points of [0, 1), give max |p - B| n^m -> c_m:
   trigonometric 0.0950 (m = 1), 0.0191 (m = 2); periodic cubic spline
   0.0850, 0.0245.  So the max norm falls like n^-1 for a kink, n^-2 for a
   jump in f''.
2. The natural spline of x^2/2 (f'' = 1 at both ends, f'''' = 0) on
   [0, 1]: max |s - f| n^2 -> 0.0491.
3. 1/(1+x^2) on [-9, 9]: max |p - f| of the trigonometric interpolant at
   n points and of the natural spline at n + 1 nodes, on 20001 points.
"""
import numpy as np
from scipy.interpolate import CubicSpline


def trig(y, t):
    """The trigonometric interpolant of y at t_j = j/n (period 1) at t;
    for even n the term of frequency n/2 as a cosine."""
    n = len(y)
    c = np.fft.fft(y) / n
    k = np.fft.fftfreq(n, 1.0 / n)
    p = np.zeros_like(t, dtype=complex)
    for kk, ck in zip(k, c):
        if n % 2 == 0 and abs(kk) == n // 2:
            p += ck * np.cos(2 * np.pi * kk * t)
        else:
            p += ck * np.exp(2j * np.pi * kk * t)
    return p.real


def b2(t):
    t = t % 1.0
    return (t * t - t + 1 / 6) / 2


def b3(t):
    t = t % 1.0
    return (t ** 3 - 1.5 * t * t + 0.5 * t) / 6


def main():
    tt = np.linspace(0, 1, 20001)
    for name, g, m in [("Knick", b2, 1), ("Sprung f''", b3, 2)]:
        for n in [64, 256]:
            tn = np.arange(n) / n
            et = np.max(np.abs(trig(g(tn), tt) - g(tt)))
            xs = np.arange(n + 1) / n
            es = np.max(np.abs(CubicSpline(xs, g(xs), bc_type="periodic")(tt) - g(tt)))
            print("%-10s n = %4d  trigonometrisch c = %.4f  periodischer Spline c = %.4f"
                  % (name, n, et * n ** m, es * n ** m))
    for n in [64, 256]:
        x = np.linspace(0, 1, n + 1)
        e = np.max(np.abs(CubicSpline(x, x * x / 2, bc_type="natural")(tt) - tt * tt / 2))
        print("natuerliches Ende n = %4d  c = %.4f" % (n, e * n * n))
    f = lambda x: 1.0 / (1.0 + x * x)
    xx = np.linspace(-9, 9, 20001)
    for n in [32, 64, 128, 256, 512]:
        tn = np.arange(n) / n
        p = trig(f(-9 + 18 * tn), (xx + 9) / 18)
        print("Runge Trig-a   n = %4d  %.6g" % (n, np.max(np.abs(p - f(xx)))))
    for n in [64, 128, 256, 512, 1024, 2048, 4096]:
        x = np.linspace(-9, 9, n + 1)
        s = CubicSpline(x, f(x), bc_type="natural")
        print("Runge nat.Sp-a n = %4d  %.6g" % (n, np.max(np.abs(s(xx) - f(xx)))))


main()
