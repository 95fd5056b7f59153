// The numerics of AAA_INTERPOLATION (aaa_verfahren.cpp): the greedy choice
// of support points with its least-squares weights, and the poles, residues
// and zeros of the barycentric form.  Plain data in and out; the class file
// (aaaipl.cpp) holds the object and its text form.
#ifndef NUMERIK_AAA_INTERN_H
#define NUMERIK_AAA_INTERN_H

#include <complex>
#include <vector>

// The support points z, their values f and the weights w of a barycentric
// rational function r(x) = sum w f / (x - z) / sum w / (x - z).
struct aaa_form {
    std::vector<double> z;
    std::vector<double> f;
    std::vector<double> w;
};

// AAA on the M sample points Z with values F (Z pairwise distinct, F not
// constant, both finite): support points added one at a time where the
// current r is worst, until max |F - r| <= toleranz max |F| on the sample
// or the degree (support points minus one) reaches grad.  The weights of
// each step are the right singular vector of the smallest singular value
// of the Loewner matrix, taken from the triangular factor of its QR
// decomposition, which each step updates (a row removed, a column added)
// in O(M m).  Then Froissart doublets (poles whose residue is below 1e-13
// max |F|) are removed with the support point nearest to each, and the
// weights fitted once more.
aaa_form aaa_rechnen(const double *Z, const double *F, int M, double toleranz, int grad);

// The finite poles of r (eigenvalues of the arrowhead pencil whose first
// row holds the weights), ordered by real then imaginary part; at most m-1.
std::vector<std::complex<double>> aaa_pole(const aaa_form &r);

// The residue of r at each of the poles: n(p) / d'(p).
std::vector<std::complex<double>> aaa_residuen(const aaa_form &r,
                                               const std::vector<std::complex<double>> &pole);

// The finite zeros of r (the pencil with the weights times the values).
std::vector<std::complex<double>> aaa_nullstellen(const aaa_form &r);

#endif
