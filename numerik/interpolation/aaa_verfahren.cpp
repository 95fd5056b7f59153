// AAA: the greedy rational approximation on a sample (aaa_intern.h), with
// Eigen for the singular value decompositions, the QR factorisations and the
// generalized eigenvalue problems.
//
// Step m has m support points; the Loewner matrix A has a row for every
// sample point (zero for the support points) and the column
// (F(k) - f(j)) / (Z(k) - z(j)) for support point j.  A = Q R is kept with
// Q explicit (M x m, orthonormal columns, zero in the rows of support
// points): a new support point removes its row (Givens rotations against a
// completing column, O(M m)) and adds its column (Gram-Schmidt, twice,
// O(M m)).  The singular values and right singular vectors of A are those
// of the m x m factor R, so each step decomposes R alone, O(m^3) instead of
// O(M m^2).
#include "interpolation/aaa_intern.h"

#include <Eigen/Dense>
#include <Eigen/Eigenvalues>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Matrix = Eigen::MatrixXd;
using Vektor = Eigen::VectorXd;

// Poles whose residue is smaller than this times max |F| are Froissart
// doublets (a pole and a zero that nearly cancel), not features of f.
constexpr double FROISSART = 1e-13;

// The sample as the loop sees it.
struct stichprobe {
    const double *Z;
    const double *F;
    int M;
    std::vector<char> stuetz; // 1: a support point (its row of A is zero)
    double skala;             // max |F|
};

// The column of support point (zj, fj): zero in the rows of support points.
void spalte_fuellen(const stichprobe &s, double zj, double fj, double *a) {
    for (int k = 0; k < s.M; ++k)
        a[k] = s.stuetz[static_cast<std::size_t>(k)] ? 0.0 : (s.F[k] - fj) / (s.Z[k] - zj);
}

// The Loewner matrix of the support points of r on the sample.
Matrix loewner(const stichprobe &s, const aaa_form &r) {
    const int m = static_cast<int>(r.z.size());
    Matrix A(s.M, m);
    for (int j = 0; j < m; ++j)
        spalte_fuellen(s, r.z[static_cast<std::size_t>(j)], r.f[static_cast<std::size_t>(j)],
                       A.col(j).data());
    return A;
}

// The right singular vector of the smallest singular value of a square R.
std::vector<double> kleinster_vektor(const Matrix &R) {
    Eigen::JacobiSVD<Matrix> svd(R, Eigen::ComputeFullV);
    Vektor v = svd.matrixV().col(R.cols() - 1);
    return {v.data(), v.data() + v.size()};
}

// The weights of the support points of r by least squares over the whole
// sample: the factor R of a Householder QR, then its decomposition.
std::vector<double> gewichte_neu(const stichprobe &s, const aaa_form &r) {
    Matrix A = loewner(s, r);
    const Eigen::Index m = A.cols();
    if (A.rows() < m) return kleinster_vektor(A.transpose() * A);
    Eigen::HouseholderQR<Matrix> qr(A);
    Matrix R = qr.matrixQR().topLeftCorner(m, m).triangularView<Eigen::Upper>();
    return kleinster_vektor(R);
}

// r at every sample point (F itself at the support points).
void auswerten(const stichprobe &s, const aaa_form &r, std::vector<double> &werte) {
    const std::size_t m = r.z.size();
    for (int k = 0; k < s.M; ++k) {
        if (s.stuetz[static_cast<std::size_t>(k)]) {
            werte[static_cast<std::size_t>(k)] = s.F[k];
            continue;
        }
        double zaehler = 0.0;
        double nenner = 0.0;
        for (std::size_t j = 0; j < m; ++j) {
            const double t = r.w[j] / (s.Z[k] - r.z[j]);
            zaehler += t * r.f[j];
            nenner += t;
        }
        werte[static_cast<std::size_t>(k)] = zaehler / nenner;
    }
}

// The sample point (not a support point) where r is worst, and its error; a
// value that is not a number counts as infinitely wrong.  -1 when every
// point is a support point.
int schlechtester(const stichprobe &s, const std::vector<double> &werte, double &fehler) {
    int i = -1;
    fehler = 0.0;
    for (int k = 0; k < s.M; ++k) {
        if (s.stuetz[static_cast<std::size_t>(k)]) continue;
        double e = std::fabs(s.F[k] - werte[static_cast<std::size_t>(k)]);
        if (std::isnan(e)) e = std::numeric_limits<double>::infinity();
        if (i < 0 || e > fehler) {
            i = k;
            fehler = e;
        }
    }
    return i;
}

// Removes row i from A = Q R (Q: the first m columns).  The column u
// completes Q's columns with e_i; rotations of each column j with u, from
// the last, move row i of Q into u, and the rows of R with R's extra row,
// keeping R triangular.  Then row i of Q is zero, and A without row i is
// Q R.  False where e_i lies in Q's columns (rank lost): the caller builds
// the factorisation anew.
bool zeile_entfernen(Matrix &Q, Matrix &R, int m, int i) {
    if (m == 0) return true;
    const Vektor q = Q.row(i).head(m).transpose();
    Vektor u = -(Q.leftCols(m) * q);
    u(i) += 1.0;
    for (int durchgang = 0; durchgang < 2; ++durchgang) {
        const Vektor c = Q.leftCols(m).transpose() * u;
        u.noalias() -= Q.leftCols(m) * c;
    }
    const double laenge = u.norm();
    if (!(laenge > 1e-10)) return false;
    u /= laenge;
    Eigen::RowVectorXd extra = Eigen::RowVectorXd::Zero(m);
    for (int j = m - 1; j >= 0; --j) {
        const double a = Q(i, j);
        const double b = u(i);
        const double r = std::hypot(a, b);
        if (r == 0.0) continue;
        const double c = b / r;
        const double s = a / r;
        const Vektor qj = Q.col(j);
        Q.col(j) = c * qj - s * u;
        u = s * qj + c * u;
        const Eigen::RowVectorXd rj = R.row(j).head(m);
        R.row(j).head(m) = c * rj - s * extra;
        extra = s * rj + c * extra;
    }
    Q.row(i).head(m).setZero();
    return true;
}

// Q and R anew from the Loewner matrix of the first m support points.
void neu_zerlegen(const stichprobe &s, const aaa_form &r, int m, Matrix &Q, Matrix &R) {
    aaa_form erste = r;
    erste.z.resize(static_cast<std::size_t>(m));
    erste.f.resize(static_cast<std::size_t>(m));
    Matrix A = loewner(s, erste);
    Eigen::HouseholderQR<Matrix> qr(A);
    Q.leftCols(m) = qr.householderQ() * Matrix::Identity(s.M, m);
    R.topLeftCorner(m, m) = qr.matrixQR().topLeftCorner(m, m).triangularView<Eigen::Upper>();
    for (int k = 0; k < s.M; ++k)
        if (s.stuetz[static_cast<std::size_t>(k)]) Q.row(k).head(m).setZero();
}

stichprobe stichprobe_von(const double *Z, const double *F, int M) {
    stichprobe s{Z, F, M, std::vector<char>(static_cast<std::size_t>(M), 0), 0.0};
    for (int k = 0; k < M; ++k)
        s.skala = std::max(s.skala, std::fabs(F[k]));
    return s;
}

double mittelwert(const double *F, int M) {
    double summe = 0.0;
    for (int k = 0; k < M; ++k)
        summe += F[k];
    return summe / M;
}

// Removes the support point nearest to each pole with a tiny residue and
// fits the weights again; nothing where there is none, or where every
// support point would go.
void aufraeumen(stichprobe &s, aaa_form &r) {
    if (r.z.size() < 2) return;
    const std::vector<std::complex<double>> pole = aaa_pole(r);
    const std::vector<std::complex<double>> res = aaa_residuen(r, pole);
    std::vector<char> weg(r.z.size(), 0);
    std::size_t anzahl = 0;
    for (std::size_t k = 0; k < pole.size(); ++k) {
        if (!(std::abs(res[k]) < FROISSART * s.skala)) continue;
        std::size_t naechster = 0;
        for (std::size_t j = 1; j < r.z.size(); ++j)
            if (std::abs(pole[k] - r.z[j]) < std::abs(pole[k] - r.z[naechster])) naechster = j;
        if (!weg[naechster]) ++anzahl;
        weg[naechster] = 1;
    }
    if (anzahl == 0 || anzahl >= r.z.size()) return;
    aaa_form bleibt;
    for (std::size_t j = 0; j < r.z.size(); ++j) {
        if (!weg[j]) {
            bleibt.z.push_back(r.z[j]);
            bleibt.f.push_back(r.f[j]);
            continue;
        }
        for (int k = 0; k < s.M; ++k)
            if (s.Z[k] == r.z[j]) s.stuetz[static_cast<std::size_t>(k)] = 0;
    }
    bleibt.w = gewichte_neu(s, bleibt);
    r = bleibt;
}

// The finite eigenvalues of the arrowhead pencil (E, B): E has the first
// row (0, a), the first column (0, 1, ..., 1) and diag(z) below; B is the
// identity with B(0, 0) = 0.  Its finite eigenvalues are the zeros of
// sum a(j) / (x - z(j)); at most m-1 of them.
std::vector<std::complex<double>> buendel(const aaa_form &r, const std::vector<double> &a) {
    const int m = static_cast<int>(r.z.size());
    if (m < 2) return {};
    Matrix E = Matrix::Zero(m + 1, m + 1);
    Matrix B = Matrix::Identity(m + 1, m + 1);
    B(0, 0) = 0.0;
    double groesse = 1.0;
    for (int j = 0; j < m; ++j) {
        E(0, j + 1) = a[static_cast<std::size_t>(j)];
        E(j + 1, 0) = 1.0;
        E(j + 1, j + 1) = r.z[static_cast<std::size_t>(j)];
        groesse = std::max(groesse, std::fabs(r.z[static_cast<std::size_t>(j)]));
    }
    Eigen::GeneralizedEigenSolver<Matrix> loeser(E, B, false);
    std::vector<std::complex<double>> werte;
    for (Eigen::Index k = 0; k < loeser.alphas().size(); ++k) {
        const double beta = loeser.betas()(k);
        if (beta == 0.0) continue;
        const std::complex<double> wert = loeser.alphas()(k) / beta;
        if (std::isfinite(wert.real()) && std::isfinite(wert.imag()) &&
            std::abs(wert) < 1e12 * groesse)
            werte.push_back(wert);
    }
    auto nach_betrag = [](const std::complex<double> &l, const std::complex<double> &rr) {
        return std::abs(l) < std::abs(rr);
    };
    if (werte.size() > static_cast<std::size_t>(m - 1)) {
        std::sort(werte.begin(), werte.end(), nach_betrag);
        werte.resize(static_cast<std::size_t>(m - 1));
    }
    std::sort(werte.begin(), werte.end(),
              [](const std::complex<double> &l, const std::complex<double> &rr) {
                  return l.real() != rr.real() ? l.real() < rr.real() : l.imag() < rr.imag();
              });
    return werte;
}

} // namespace

aaa_form aaa_rechnen(const double *Z, const double *F, int M, double toleranz, int grad) {
    stichprobe s = stichprobe_von(Z, F, M);
    const int hoechstens = std::min(grad + 1, M);
    std::vector<double> werte(static_cast<std::size_t>(M), mittelwert(F, M));
    Matrix Q = Matrix::Zero(M, std::max(hoechstens, 1));
    Matrix R = Matrix::Zero(std::max(hoechstens, 1), std::max(hoechstens, 1));
    aaa_form r;
    int m = 0;
    for (;;) {
        double fehler = 0.0;
        const int i = schlechtester(s, werte, fehler);
        if (i < 0 || (m > 0 && fehler <= toleranz * s.skala) || m >= hoechstens) break;
        s.stuetz[static_cast<std::size_t>(i)] = 1;
        r.z.push_back(Z[i]);
        r.f.push_back(F[i]);
        if (!zeile_entfernen(Q, R, m, i)) neu_zerlegen(s, r, m, Q, R);
        Vektor a(M);
        spalte_fuellen(s, Z[i], F[i], a.data());
        Vektor koeffizienten = Vektor::Zero(m);
        for (int durchgang = 0; durchgang < 2 && m > 0; ++durchgang) {
            const Vektor c = Q.leftCols(m).transpose() * a;
            a.noalias() -= Q.leftCols(m) * c;
            koeffizienten += c;
        }
        const double rho = a.norm();
        // A column in the span of the others: A has a null vector, which
        // the decomposition of R finds, and r meets the sample.
        if (rho > 0.0)
            Q.col(m) = a / rho;
        else
            Q.col(m).setZero();
        R.col(m).head(m) = koeffizienten;
        R(m, m) = rho;
        ++m;
        r.w = kleinster_vektor(R.topLeftCorner(m, m));
        auswerten(s, r, werte);
        if (!(rho > 0.0)) break;
    }
    aufraeumen(s, r);
    return r;
}

std::vector<std::complex<double>> aaa_pole(const aaa_form &r) {
    return buendel(r, r.w);
}

std::vector<std::complex<double>> aaa_residuen(const aaa_form &r,
                                               const std::vector<std::complex<double>> &pole) {
    std::vector<std::complex<double>> res;
    for (const std::complex<double> &p : pole) {
        std::complex<double> zaehler = 0.0;
        std::complex<double> ableitung = 0.0;
        for (std::size_t j = 0; j < r.z.size(); ++j) {
            const std::complex<double> d = p - r.z[j];
            zaehler += r.w[j] * r.f[j] / d;
            ableitung -= r.w[j] / (d * d);
        }
        res.push_back(zaehler / ableitung);
    }
    return res;
}

std::vector<std::complex<double>> aaa_nullstellen(const aaa_form &r) {
    std::vector<double> a(r.z.size());
    for (std::size_t j = 0; j < r.z.size(); ++j)
        a[j] = r.w[j] * r.f[j];
    return buendel(r, a);
}
