#include "io/surveymonkeyimport.h"

#include <QCoreApplication>
#include <QStandardItemModel>
#include <QTableView>

#include "core/csvreader.h"
#include "core/fortschritt.h"
#include "core/tabelle1.h"
#include "core/tablecontext.h"
#include "core/viewhost.h"

void SurveyMonkeyImport::fill(const QString& text, QStandardItemModel* model, Tabelle1* table,
                              QStringList* subHeaders, Fortschritt* progress)
{
    subHeaders->clear();
    // Lines, not records (a field may hold line breaks): enough for the bar.
    if (progress)
        progress->stage(progress->text(), text.count(QLatin1Char('\n')) + 1);
    CsvReader reader(text, QLatin1Char(','));
    QStringList fields;
    int record = 0;
    Tabelle1::BulkFill bulk(table);
    while (reader.next(&fields)) {
        ++record;
        if (progress)
            progress->step(record);
        if (record == 1) {
            model->setColumnCount(fields.size());
            model->setHorizontalHeaderLabels(fields);
        } else if (record == 2) {
            *subHeaders = fields;
        } else {
            QList<QStandardItem*> row;
            row.reserve(fields.size());
            for (const QString& field : fields)
                row << new QStandardItem(field);
            model->appendRow(row);
        }
    }
}

bool SurveyMonkeyImport::isUsable(const QStringList& subHeaders, int column)
{
    return column >= 0 && column < subHeaders.size() && !subHeaders.at(column).isEmpty();
}

bool SurveyMonkeyImport::isFreeText(const QString& subHeader)
{
    return subHeader.left(19) == QLatin1String("Open-Ended Response");
}

void SurveyMonkeyImport::createViews(const TableContext& context, ViewHost& views,
                                     const QStringList& subHeaders, Fortschritt* progress)
{
    QStandardItemModel* model = context.model;
    const int n = model->columnCount();
    QTableView* table = context.table->table();
    QList<int> charted;
    for (int c = 0; c < n; ++c) {
        const bool usable = isUsable(subHeaders, c);
        table->setColumnHidden(c, !usable);
        if (usable && !isFreeText(subHeaders.at(c)))
            charted << c;
    }

    auto titleOf = [model](int c) {
        const QString t = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return t.isEmpty() ? QString::number(c + 1) : t;
    };
    if (progress)
        progress->stage(progress->text(), 2 * charted.size());
    int made = 0;
    auto make = [&](const QString& viewType, int c, const QString& title) {
        ViewRecord r;
        r.adapterType = QStringLiteral("Häufigkeit");
        r.viewType = viewType;
        r.columns = {c};
        r.title = title;
        r.notes = QLatin1String("");
        views.createFromRecord(r, 5);
        if (progress)
            progress->step(++made);
    };
    for (int c : charted)
        make(QStringLiteral("BalkenDiagram(H)"), c,
             QCoreApplication::translate("View", "Balken: %1").arg(titleOf(c)));
    for (int c : charted)
        make(QStringLiteral("TortenDiagram"), c, QStringLiteral("Torten:%1").arg(titleOf(c)));
}
