#include "diagrams/tabellendiagramm.h"

#include <QGridLayout>
#include <QLabel>
#include <QTableWidget>

#include "core/zahltext.h"

TabellenDiagramm::TabellenDiagramm(QWidget* parent)
    : Diagram(parent)
{
    auto* grid = new QGridLayout(this);
    titleLabel = new QLabel(title, this);
    titleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // A title wider than the view wraps instead of being cut off at both ends.
    titleLabel->setWordWrap(true);
    table = new QTableWidget(this);
    grid->addWidget(titleLabel, 0, 0);
    grid->addWidget(table, 1, 0);
    captionLabel = new QLabel(this);
    captionLabel->setWordWrap(true);
    captionLabel->hide();
    grid->addWidget(captionLabel, 2, 0);
}

void TabellenDiagramm::setCaption(const QStringList& lines)
{
    Diagram::setCaption(lines);
    captionLabel->setText(lines.join(QLatin1Char('\n')));
    captionLabel->setVisible(!lines.isEmpty());
}

void TabellenDiagramm::setData(const QVector<double>& d)
{
    data = d;
    updateData();
}

void TabellenDiagramm::updateData()
{
    titleLabel->setText(title);
    const int columns = valuesPerRow();
    const int rows = rowCount();
    // Start from no items, so that headers of labels that are gone do not linger.
    table->clear();
    table->setRowCount(rows);
    table->setColumnCount(columns);
    // Labels beyond the table's size have no section to name (the table would not
    // take the item).
    for (int i = 0; i < labels.size() && i < columns; ++i)
        table->setHorizontalHeaderItem(i, new QTableWidgetItem(labels.at(i)));
    for (int j = 0; j < colLabels.size() && j < rows; ++j)
        table->setVerticalHeaderItem(j, new QTableWidgetItem(colLabels.at(j)));

    int row = 0;
    int column = 0;
    for (double v : data) {
        if (row >= rows)
            break; // values beyond rows x columns are not shown
        auto* item = new QTableWidgetItem(zahlText(v) + valuePostfix);
        item->setData(Qt::TextAlignmentRole, int(Qt::AlignRight));
        table->setItem(row, column, item);
        if (++column >= columns) {
            column = 0;
            ++row;
        }
    }
    // Columns as wide as their headers and cells, so that no label is cut.
    table->resizeColumnsToContents();
}

QString TabellenDiagramm::headerText(int column) const
{
    const QTableWidgetItem* it = table->horizontalHeaderItem(column);
    return it ? it->text() : QString();
}

QString TabellenDiagramm::rowHeaderText(int row) const
{
    const QTableWidgetItem* it = table->verticalHeaderItem(row);
    return it ? it->text() : QString();
}

QString TabellenDiagramm::cellText(int row, int column) const
{
    const QTableWidgetItem* it = table->item(row, column);
    return it ? it->text() : QString();
}

QString TabellenDiagramm::toText()
{
    QString s;
    for (int c = 0; c < table->columnCount(); ++c)
        s += QLatin1Char('\t') + headerText(c);
    s += QLatin1Char('\n');
    for (int r = 0; r < table->rowCount(); ++r) {
        s += rowHeaderText(r);
        for (int c = 0; c < table->columnCount(); ++c)
            s += QLatin1Char('\t') + cellText(r, c);
        s += QLatin1Char('\n');
    }
    return s;
}

QString TabellenDiagramm::toHTML()
{
    QString s = QStringLiteral("<TABLE><TR><TD></TD>");
    for (int c = 0; c < table->columnCount(); ++c)
        s += QStringLiteral("<TD>") + headerText(c) + QStringLiteral("</TD>");
    s += QStringLiteral("</TR>");
    for (int r = 0; r < table->rowCount(); ++r) {
        s += QStringLiteral("<TR><TD>") + rowHeaderText(r) + QStringLiteral("</TD>");
        for (int c = 0; c < table->columnCount(); ++c)
            s += QStringLiteral("<TD>") + cellText(r, c) + QStringLiteral("</TD>");
        s += QStringLiteral("</TR>");
    }
    s += QStringLiteral("</TABLE>");
    return s;
}

void TabellenDiagramm::paintEvent(QPaintEvent*)
{
    // The title label and the table paint themselves.
}
