#include "core/gewichtung.h"

#include <QCoreApplication>
#include "core/spaltenspeicher.h"
#include <QVariant>
#include <cmath>

#include "core/spaltencodes.h"
#include "core/zellenzahl.h"

int Gewichte::ungueltigUnter(const QVector<char>& counted) const
{
    if (!aktiv())
        return 0;
    int n = 0;
    for (int r = 0; r < counted.size(); ++r)
        if (counted.at(r) && !gueltigAt(r))
            ++n;
    return n;
}

Gewichte Gewichte::ausWerten(const QVector<double>& roh, const QString& titel, int spalte)
{
    Gewichte g;
    g.spalte = spalte;
    g.titel = titel;
    g.werte.resize(roh.size());
    g.gueltig.resize(roh.size());
    for (int r = 0; r < roh.size(); ++r) {
        const double w = roh.at(r);
        const bool ok = std::isfinite(w) && w >= 0;
        g.werte[r] = ok ? w : 0.0;
        g.gueltig[r] = ok;
    }
    return g;
}

bool Gewichte::zahl(const QVariant& cell, double* value)
{
    // Weights are read as every other number: "0,5" is a half on any desktop.
    double w = 0;
    const bool ok = ZellenZahl::read(cell.toString(), &w);
    // An infinite weight would turn every share into 0 / 0: it is no valid weight.
    if (!ok || !std::isfinite(w) || w < 0)
        return false;
    *value = w;
    return true;
}

Gewichtung::Gewichtung(QAbstractItemModel* model)
    : QObject(model)
    , m_model(model)
{
    // A new data table starts unweighted; a load sets the weight after emptying.
    connect(model, &QAbstractItemModel::modelReset, this, [this] { setSpalte(-1); });
}

Gewichtung* Gewichtung::of(QAbstractItemModel* model)
{
    if (!model)
        return nullptr;
    if (auto* g = model->findChild<Gewichtung*>(QString(), Qt::FindDirectChildrenOnly))
        return g;
    return new Gewichtung(model);
}

int Gewichtung::spalteVon(const QAbstractItemModel* model)
{
    if (!model)
        return -1;
    const auto* g = model->findChild<Gewichtung*>(QString(), Qt::FindDirectChildrenOnly);
    return g ? g->spalte() : -1;
}

int Gewichtung::spalte() const
{
    if (!m_model || m_spalte < 0 || m_spalte >= m_model->columnCount())
        return -1;
    return m_spalte;
}

void Gewichtung::setSpalte(int column)
{
    const int c = column < 0 ? -1 : column;
    if (c == m_spalte)
        return;
    m_spalte = c;
    emit changed();
}

Gewichte Gewichtung::gewichte(const SpaltenSpeicher* model)
{
    Gewichte g;
    const int column = spalteVon(model);
    if (column < 0)
        return g;
    g.spalte = column;
    g.titel = model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    // Each distinct cell is read as a number once.
    const std::shared_ptr<const SpaltenCodes> cells = SpaltenCodes::of(model, column);
    const int codes = int(cells->values.size());
    QVector<double> perCode(codes, 0.0);
    QVector<char> validPerCode(codes, 0);
    for (int i = 0; i < codes; ++i) {
        double w = 0;
        if (Gewichte::zahl(cells->values.at(i), &w)) {
            perCode[i] = w;
            validPerCode[i] = 1;
        }
    }
    const int rows = int(cells->codes.size());
    g.werte.resize(rows);
    g.gueltig.resize(rows);
    const int* code = cells->codes.constData();
    for (int r = 0; r < rows; ++r) {
        g.werte[r] = perCode.at(code[r]);
        g.gueltig[r] = validPerCode.at(code[r]);
    }
    return g;
}

QString Gewichtung::ohneGewichtText(int ohneGewicht)
{
    return QCoreApplication::translate("Gewichtung", "%1 Befragte ohne gültiges Gewicht")
        .arg(ohneGewicht);
}

QString Gewichtung::hinweis(const QString& titel, int ohneGewicht)
{
    QString text = QCoreApplication::translate("Gewichtung", "gewichtet mit %1").arg(titel);
    if (ohneGewicht > 0)
        text += QStringLiteral("; ") + ohneGewichtText(ohneGewicht);
    return text;
}

QString Gewichtung::titelZusatz(const QString& titel, int ohneGewicht)
{
    return QStringLiteral(" (") + hinweis(titel, ohneGewicht) + QLatin1Char(')');
}

QString Gewichtung::ungewichtetZusatz()
{
    return QStringLiteral(" (") + QCoreApplication::translate("Gewichtung", "ungewichtet")
        + QLatin1Char(')');
}
