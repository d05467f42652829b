#include "core/gewichtsanpassung.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>
#include <cmath>

#include "core/zellenzahl.h"

double Gewichtsanpassung::effektiveBasis(const QVector<double>& w)
{
    double s = 0, q = 0;
    for (double x : w) {
        s += x;
        q += x * x;
    }
    return q > 0 ? s * s / q : 0.0;
}

bool Gewichtsanpassung::leseGrenzen(const QString& text, double* minimum, double* maximum)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *minimum = *maximum = 0;
        return true;
    }
    // The dash between the numbers: en dash, hyphen or ";" (a hyphen after a digit).
    static const QRegularExpression split(QStringLiteral("^\\s*([^–;]+?)\\s*(?:–|;|(?<=\\d)-)\\s*(.+?)\\s*$"));
    const QRegularExpressionMatch m = split.match(t);
    if (!m.hasMatch())
        return false;
    double lo = 0, hi = 0;
    if (!ZellenZahl::read(m.captured(1), &lo) || !ZellenZahl::read(m.captured(2), &hi))
        return false;
    if (!(lo >= 0 && lo < 1 && hi > 1 && std::isfinite(hi)))
        return false;
    *minimum = lo;
    *maximum = hi;
    return true;
}

Gewichtsanpassung::Ergebnis Gewichtsanpassung::rechne(const QVector<QVector<int>>& antwort,
                                                      const QVector<QVector<double>>& anteile,
                                                      double minimum, double maximum,
                                                      int maxIterationen)
{
    Ergebnis e;
    const int fragen = int(qMin(antwort.size(), anteile.size()));
    const int n = fragen > 0 ? int(antwort.first().size()) : 0;
    QVector<double> w(n, 1.0);
    QVector<QVector<double>> summe(fragen);
    // Question q's weighted counts per answer into summe[q]; returns their total.
    const auto zaehle = [&](int q) {
        QVector<double>& s = summe[q];
        s.fill(0.0, anteile.at(q).size());
        double total = 0;
        const int* a = antwort.at(q).constData();
        for (int r = 0; r < n; ++r)
            if (a[r] >= 0 && a[r] < s.size()) {
                s[a[r]] += w.at(r);
                total += w.at(r);
            }
        return total;
    };
    // The largest deviation of any margin from its target, as a fraction.
    const auto abweichung = [&]() {
        double worst = 0;
        for (int q = 0; q < fragen; ++q) {
            const double total = zaehle(q);
            const QVector<double>& s = summe.at(q);
            for (int k = 0; k < s.size(); ++k) {
                const double share = total > 0 ? s.at(k) / total : 0.0;
                worst = qMax(worst, std::fabs(share - anteile.at(q).at(k)));
            }
        }
        return worst;
    };
    double dev = abweichung();
    int it = 0;
    while (dev > 1e-9 && it < maxIterationen) {
        ++it;
        for (int q = 0; q < fragen; ++q) {
            const double total = zaehle(q);
            const QVector<double>& s = summe.at(q);
            const int* a = antwort.at(q).constData();
            QVector<double> faktor(s.size(), 1.0);
            for (int k = 0; k < s.size(); ++k)
                faktor[k] = s.at(k) > 0 ? anteile.at(q).at(k) * total / s.at(k) : 1.0;
            for (int r = 0; r < n; ++r)
                if (a[r] >= 0 && a[r] < s.size())
                    w[r] *= faktor.at(a[r]);
        }
        if (maximum > 0) {
            // Bounds relative to mean 1: scaled and cut until both hold together.
            for (int t = 0; t < 50; ++t) {
                double sum = 0;
                for (double x : std::as_const(w))
                    sum += x;
                if (sum <= 0)
                    break;
                bool cut = false;
                for (double& x : w) {
                    x *= n / sum;
                    const double b = qBound(minimum, x, maximum);
                    cut = cut || b != x;
                    x = b;
                }
                if (!cut)
                    break;
            }
        }
        const double before = dev;
        dev = abweichung();
        // A fit that no longer moves has reached what it can.
        if (std::fabs(before - dev) < 1e-15)
            break;
    }
    // Mean 1 over the rows: the weighted base equals the number of respondents (trimmed
    // weights are so already, as nearly as their bounds allow).
    double s = 0;
    for (double x : std::as_const(w))
        s += x;
    if (s > 0 && maximum <= 0)
        for (double& x : w)
            x *= n / s;
    e.gewichte = w;
    e.iterationen = it;
    e.abweichung = dev * 100.0;
    e.konvergiert = e.abweichung <= 0.1;
    e.effektiv = effektiveBasis(w);
    e.effizienz = n > 0 ? e.effektiv / n : 0.0;
    return e;
}

QByteArray Gewichtsanpassung::Vorgabe::speichern() const
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    s << qint32(1) << titel << minimum << maximum << qint32(ziele.size());
    for (const Ziel& z : ziele) {
        s << z.frage << qint32(z.antworten.size());
        for (int i = 0; i < z.antworten.size(); ++i)
            s << z.antworten.at(i) << z.prozent.value(i);
    }
    return bytes;
}

bool Gewichtsanpassung::Vorgabe::laden(const QByteArray& bytes, Vorgabe* out)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_4_6);
    const auto left = [&s] { return s.device()->bytesAvailable(); };
    Vorgabe v;
    qint32 tag = 0, fragen = 0;
    s >> tag >> v.titel >> v.minimum >> v.maximum >> fragen;
    if (s.status() != QDataStream::Ok || tag != 1 || fragen < 0 || qint64(fragen) * 8 > left())
        return false;
    for (qint32 q = 0; q < fragen; ++q) {
        Ziel z;
        qint32 k = 0;
        s >> z.frage >> k;
        if (s.status() != QDataStream::Ok || k < 0 || qint64(k) * 12 > left())
            return false;
        for (qint32 i = 0; i < k; ++i) {
            QString a;
            double p = 0;
            s >> a >> p;
            z.antworten << a;
            z.prozent << p;
        }
        if (s.status() != QDataStream::Ok)
            return false;
        v.ziele << z;
    }
    *out = v;
    return true;
}
