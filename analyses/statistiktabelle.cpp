#include "analyses/statistiktabelle.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include "core/spaltenspeicher.h"
#include <algorithm>
#include <utility>
#include <QTableWidget>

#include "core/gewichtung.h"
#include "core/recomputescheduler.h"
#include "core/zahltext.h"
#include "core/zellenzahl.h"
#include "analyses/spaltenstatistik.h"
#include "diagrams/menurunner.h"
#include "diagrams/viewdrag.h"

StatistikTabelle::StatistikTabelle(QWidget* parent)
    : ModelClient(parent)
    , m_table(new QTableWidget(this))
    , m_hinweisLabel(new QLabel(this))
    , m_recompute(new RecomputeScheduler(this, [this] { updateDiagram(); }))
{
    // A cell change elsewhere leaves this view as it is.
    m_recompute->setColumnTest([this](int first, int last) {
        return RecomputeScheduler::touchesAny(first, last, m_columns)
            || RecomputeScheduler::touches(first, last, m_filter.depColumn());
    });
    m_recompute->setFollowsWeight(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_table, 0, 0);
    m_hinweisLabel->setWordWrap(true);
    m_hinweisLabel->hide();
    layout->addWidget(m_hinweisLabel, 1, 0);
    const QList<QAction*> filterActions = RowFilter::createActions(this);
    m_linkAction = filterActions.at(0);
    m_unlinkAction = filterActions.at(1);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void StatistikTabelle::setModel(SpaltenSpeicher* m)
{
    m_model = m;
    m_recompute->setModel(m);
    updateDiagram();
}

void StatistikTabelle::saveData(QDataStream& s, int version)
{
    if (version >= 3)
        m_filter.write(s);
}

void StatistikTabelle::loadData(QDataStream& s, int version)
{
    if (version > 2 && m_filter.read(s))
        setDepFilter(m_filter.depValue(), m_filter.depColumn());
}

void StatistikTabelle::setSpalten(const QVector<int>& columns)
{
    m_columns = columns;
    updateDiagram();
}

void StatistikTabelle::setDepFilter(QString value, int column)
{
    m_filter.setDependency(value, column);
    updateDiagram();
}

void StatistikTabelle::setInputFilter(const QVariant& v)
{
    m_filter.setInputFilter(v);
    updateDiagram();
}

void StatistikTabelle::updateDiagram()
{
    if (!m_model || m_columns.isEmpty())
        return;
    // Views made or loaded together are computed once, when all are set up.
    if (m_recompute->postpone())
        return;
    const Gewichte gewichte = Gewichtung::gewichte(m_model);
    QStringList rowNames = SpaltenStatistik::rowNames();
    if (gewichte.aktiv())
        rowNames << tr("n effektiv");
    const int cols = int(m_columns.size());
    m_table->setRowCount(int(rowNames.size()));
    m_table->setColumnCount(cols);
    for (int r = 0; r < rowNames.size(); ++r)
        m_table->setVerticalHeaderItem(r, new QTableWidgetItem(rowNames.at(r)));
    const int rows = m_model->rowCount();
    m_kennzahlen.clear();
    int ohneGewicht = 0;
    for (int i = 0; i < cols; ++i) {
        const int c = m_columns.at(i);
        m_table->setHorizontalHeaderItem(
            i, new QTableWidgetItem(m_model->headerData(c, Qt::Horizontal).toString()));
        QVector<double> values;
        QVector<double> weights;
        values.reserve(rows);
        QVariant cell;
        int ohne = 0;
        for (int r = 0; r < rows; ++r) {
            if (!m_filter.admitsCell(m_model, r, c, &cell))
                continue;
            // A respondent without a valid weight is left out, as in every counting view.
            if (!gewichte.gueltigAt(r)) {
                ++ohne;
                continue;
            }
            values << ZellenZahl::toDouble(cell);
            if (gewichte.aktiv())
                weights << gewichte.at(r);
        }
        ohneGewicht = std::max(ohneGewicht, ohne);
        const SpaltenStatistik::Kennzahlen k = gewichte.aktiv()
            ? SpaltenStatistik::rechnen(values, rows, weights)
            : SpaltenStatistik::rechnen(values, rows);
        m_kennzahlen << k;
        QStringList texts = SpaltenStatistik::texts(k);
        if (gewichte.aktiv())
            texts << ZahlText::shown(k.nEffektiv, 'f', 1);
        for (int r = 0; r < texts.size(); ++r)
            m_table->setItem(r, i, new QTableWidgetItem(texts.at(r)));
    }
    m_hinweis = gewichte.aktiv() ? Gewichtung::hinweis(gewichte.titel, ohneGewicht) : QString();
    m_hinweisLabel->setText(m_hinweis);
    m_hinweisLabel->setVisible(!m_hinweis.isEmpty());
}

void StatistikTabelle::depAction()
{
    RowFilter::runDepAction(this);
    ModelClient::notifyChanged(this);
}

void StatistikTabelle::undepAction()
{
    RowFilter::runUndepAction(this);
    ModelClient::notifyChanged(this);
}

namespace {
QString itemText(const QTableWidgetItem* it)
{
    return it ? it->text() : QString();
}
}

QString StatistikTabelle::toText()
{
    QString out;
    for (int c = 0; c < m_table->columnCount(); ++c)
        out += QLatin1Char('\t') + itemText(m_table->horizontalHeaderItem(c));
    out += QLatin1Char('\n');
    for (int r = 0; r < m_table->rowCount(); ++r) {
        out += itemText(m_table->verticalHeaderItem(r));
        for (int c = 0; c < m_table->columnCount(); ++c)
            out += QLatin1Char('\t') + itemText(m_table->item(r, c));
        out += QLatin1Char('\n');
    }
    if (!m_hinweis.isEmpty())
        out += m_hinweis + QLatin1Char('\n');
    return out;
}

QString StatistikTabelle::toHTML()
{
    QString out = QStringLiteral("<TABLE width=90%><TR><TD></TD>");
    for (int c = 0; c < m_table->columnCount(); ++c)
        out += QStringLiteral("<TD>") + itemText(m_table->horizontalHeaderItem(c))
            + QStringLiteral("</TD>");
    out += QStringLiteral("</TR>");
    for (int r = 0; r < m_table->rowCount(); ++r) {
        out += QStringLiteral("<TR><TD>") + itemText(m_table->verticalHeaderItem(r))
            + QStringLiteral("</TD>");
        for (int c = 0; c < m_table->columnCount(); ++c)
            out += QStringLiteral("<TD>") + itemText(m_table->item(r, c)) + QStringLiteral("</TD>");
        out += QStringLiteral("</TR>");
    }
    out += QStringLiteral("</TABLE>");
    if (!m_hinweis.isEmpty())
        out += QStringLiteral("<P>") + m_hinweis.toHtmlEscaped() + QStringLiteral("</P>");
    return out;
}

QMimeData* StatistikTabelle::createMimeData()
{
    auto* md = new QMimeData;
    md->setHtml(toHTML());
    return md;
}

void StatistikTabelle::mousePressEvent(QMouseEvent* e)
{
    ViewDrag::press(e, &m_dragStartPosition);
}

void StatistikTabelle::mouseMoveEvent(QMouseEvent* e)
{
    ViewDrag::move(this, e, m_dragStartPosition, [this] { return createMimeData(); });
}

void StatistikTabelle::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu;
    menu.addAction(m_linkAction);
    menu.addAction(m_unlinkAction);
    MenuRunner::exec(&menu, e->globalPos());
}
