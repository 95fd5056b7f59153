#!/usr/bin/env python3
"""Expected figures of the AAA approximation and of the trigonometric
interpolation, computed without the library (numpy):

    /usr/bin/python3 tests/erwartet/aaa_trig.py

prints
  - for |x| on [-1, 1], sampled at 2001 equidistant points: the largest
    error on the sample of the AAA approximation of degree 8, 16 and 32
    (the greedy choice with a full singular value decomposition of the
    Loewner matrix at every step, tolerance 0), and the fitted constants of
    err ~ C exp(-s sqrt(degree)), the root-exponential rate;
  - for exp(sin(x)) on [-pi, pi): the largest error on 1001 equidistant
    points of the trigonometric interpolant on N = 5, 8, 15, 16 nodes, from
    numpy's FFT of the node values.
"""
import numpy as np


def aaa(Z, F, grad):
    """AAA to degree grad with a full SVD at every step; the sample's max
    error of each degree."""
    M = len(Z)
    stuetz = np.zeros(M, dtype=bool)
    R = np.full(M, F.mean())
    z, f, fehler = [], [], {}
    for m in range(1, grad + 2):
        e = np.abs(F - R)
        e[stuetz] = -1
        i = int(np.argmax(e))
        stuetz[i] = True
        z.append(Z[i])
        f.append(F[i])
        zz, ff = np.array(z), np.array(f)
        rest = ~stuetz
        C = 1.0 / (Z[rest, None] - zz[None, :])
        A = F[rest, None] * C - C * ff[None, :]
        w = np.linalg.svd(A, full_matrices=False)[2][-1, :]
        R = F.copy()
        R[rest] = (C @ (w * ff)) / (C @ w)
        fehler[m - 1] = np.max(np.abs(F - R))
    return fehler


def trig(y, a, b, x):
    N = len(y)
    c = np.fft.fft(y) / N
    t = 2 * np.pi * (x - a) / (b - a)
    p = np.full_like(t, c[0].real)
    for j in range(1, (N + 1) // 2):
        p += 2 * (c[j] * np.exp(1j * j * t)).real
    if N % 2 == 0:
        p += c[N // 2].real * np.cos(N // 2 * t)
    return p


def main():
    M = 2001
    Z = np.array([(i * 1.0 + (M - 1 - i) * -1.0) / (M - 1) for i in range(M)])
    F = np.abs(Z)
    fehler = aaa(Z, F, 32)
    grade = [8, 16, 32]
    for g in grade:
        print(f"|x| AAA Grad {g}: {fehler[g]:.6e}")
    s = np.sqrt(np.array(grade, dtype=float))
    steigung, achse = np.polyfit(s, np.log([fehler[g] for g in grade]), 1)
    print(f"|x| err ~ {np.exp(achse):.4f} exp(-{-steigung:.4f} sqrt(n))")
    a, b = -np.pi, np.pi
    x = np.array([(i * b + (1000 - i) * a) / 1000 for i in range(1001)])
    for N in (5, 8, 15, 16):
        knoten = np.array([(k * b + (N - k) * a) / N for k in range(N)])
        p = trig(np.exp(np.sin(knoten)), a, b, x)
        print(f"exp(sin x) N = {N}: {np.max(np.abs(p - np.exp(np.sin(x)))):.6e}")


main()
