#include "analyses/skalenrechnung.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <algorithm>
#include <numeric>

#include "analyses/signifikanz.h"

namespace {
using Policy = Signifikanz::Policy;

double normalP(double z)
{
    if (!std::isfinite(z))
        return SkalenRechnung::NaN;
    const boost::math::normal_distribution<double, Policy> normal;
    return 2.0 * boost::math::cdf(boost::math::complement(normal, std::fabs(z)));
}
}

double SkalenRechnung::Summen::varianz() const
{
    const double n = neff();
    if (!(n > 1) || !(w > 0))
        return NaN;
    const double m = wx / w;
    // Rounding can leave a tiny negative spread where every value is equal.
    const double biased = std::max(0.0, wxx / w - m * m);
    return biased * n / (n - 1);
}

double SkalenRechnung::welchP(const Summen& a, const Summen& b)
{
    const double na = a.neff();
    const double nb = b.neff();
    const double va = a.varianz();
    const double vb = b.varianz();
    if (!(na > 1) || !(nb > 1) || !std::isfinite(va) || !std::isfinite(vb))
        return NaN;
    const double qa = va / na;
    const double qb = vb / nb;
    const double se2 = qa + qb;
    if (!(se2 > 0))
        return NaN;
    const double t = (a.mittel() - b.mittel()) / std::sqrt(se2);
    const double df = se2 * se2 / (qa * qa / (na - 1) + qb * qb / (nb - 1));
    if (!std::isfinite(t) || !(df > 0))
        return NaN;
    const boost::math::students_t_distribution<double, Policy> dist(df);
    return 2.0 * boost::math::cdf(boost::math::complement(dist, std::fabs(t)));
}

SkalenRechnung::Anova SkalenRechnung::anova(const QVector<Summen>& gruppen)
{
    Anova out;
    int k = 0;
    double N = 0, summe = 0;
    for (const Summen& g : gruppen)
        if (g.w > 0 && g.neff() > 0) {
            ++k;
            N += g.neff();
            summe += g.neff() * g.mittel();
        }
    if (k < 2 || !(N - k > 0))
        return out;
    const double gesamt = summe / N;
    double zwischen = 0, innen = 0;
    for (const Summen& g : gruppen) {
        if (!(g.w > 0 && g.neff() > 0))
            continue;
        const double n = g.neff();
        const double m = g.mittel();
        zwischen += n * (m - gesamt) * (m - gesamt);
        innen += n * std::max(0.0, g.wxx / g.w - m * m);
    }
    out.df1 = k - 1;
    out.df2 = N - k;
    if (!(innen > 0) || !std::isfinite(zwischen))
        return out;
    out.f = (zwischen / out.df1) / (innen / out.df2);
    const boost::math::fisher_f_distribution<double, Policy> dist(out.df1, out.df2);
    out.p = boost::math::cdf(boost::math::complement(dist, out.f));
    out.berechnet = std::isfinite(out.f);
    return out;
}

QVector<double> SkalenRechnung::korrigiere(const QVector<double>& p, Korrektur k)
{
    QVector<double> out = p;
    QVector<int> tests;
    for (int i = 0; i < p.size(); ++i)
        if (!std::isnan(p.at(i)))
            tests << i;
    const int m = int(tests.size());
    if (k == Bonferroni) {
        for (int i : std::as_const(tests))
            out[i] = std::min(1.0, p.at(i) * m);
    } else if (k == Holm) {
        // Step down from the smallest p; an adjusted p never falls below the one before.
        std::stable_sort(tests.begin(), tests.end(),
                         [&p](int a, int b) { return p.at(a) < p.at(b); });
        double hoechster = 0;
        for (int r = 0; r < m; ++r) {
            const int i = tests.at(r);
            hoechster = std::max(hoechster, std::min(1.0, p.at(i) * (m - r)));
            out[i] = hoechster;
        }
    }
    return out;
}

QVector<QString> SkalenRechnung::buchstaben(const QVector<double>& werte,
                                            const QVector<double>& pPaare, Korrektur k)
{
    const int n = int(werte.size());
    QVector<QString> out(n);
    if (pPaare.size() < qsizetype(n) * n)
        return out;
    QVector<double> p;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            p << pPaare.at(i * n + j);
    p = korrigiere(p, k);
    int at = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j, ++at) {
            const double q = p.at(at);
            if (!(q < 0.05) || !(werte.at(i) != werte.at(j)))
                continue;
            const int hoeher = werte.at(i) > werte.at(j) ? i : j;
            const int tiefer = hoeher == i ? j : i;
            const QString b = Signifikanz::buchstabe(tiefer);
            out[hoeher] += q < 0.01 ? b : b.toLower();
        }
    // The pairs run in column order, so each cell's letters come out in it.
    return out;
}

SkalenRechnung::Nps SkalenRechnung::NpsSummen::ergebnis() const
{
    Nps out;
    out.basis = w;
    out.n = n;
    out.neff = ww > 0 ? w * w / ww : 0.0;
    if (!(w > 0))
        return out;
    out.promotoren = p / w;
    out.detraktoren = d / w;
    out.passive = std::max(0.0, 1.0 - out.promotoren - out.detraktoren);
    const double diff = out.promotoren - out.detraktoren;
    out.wert = 100.0 * diff;
    // Promoters and detractors come from one sample: Var(P - D) = (P + D - (P - D)^2) / n.
    const double var = std::max(0.0, out.promotoren + out.detraktoren - diff * diff);
    out.se = 100.0 * std::sqrt(var / out.neff);
    const boost::math::normal_distribution<double, Policy> normal;
    const double z = boost::math::quantile(normal, 0.975);
    out.unten = out.wert - z * out.se;
    out.oben = out.wert + z * out.se;
    return out;
}

double SkalenRechnung::npsP(const Nps& a, const Nps& b)
{
    if (!a.berechnet() || !b.berechnet())
        return NaN;
    const double se2 = a.se * a.se + b.se * b.se;
    if (!(se2 > 0))
        return NaN;
    return normalP((a.wert - b.wert) / std::sqrt(se2));
}
