#ifndef EXPORTABLAUF_H
#define EXPORTABLAUF_H

#include <QCoreApplication>

class QWidget;
class UmfrageDokument;

// The window's export commands past the HTML report: ask for the file, write it through
// the document, and say so where it could not be written.
class ExportAblauf
{
    Q_DECLARE_TR_FUNCTIONS(View)

public:
    // "Ansicht speichern als...": the view of row (>= 1) as PNG, SVG or PDF.
    static void saveView(QWidget* parent, UmfrageDokument& doc, int row);
    // "Export › PDF": the report of all views.
    static void reportPdf(QWidget* parent, UmfrageDokument& doc);
    // "Export › Excel (XLSX)": the data and every view as a workbook.
    static void workbook(QWidget* parent, UmfrageDokument& doc);
    // "Export › PowerPoint (PPTX)...": every view on a slide of its own, into a new deck
    // or updating one written earlier.
    static void deck(QWidget* parent, UmfrageDokument& doc);
    // "Export › Vorlage...": the deck whose master new decks take (kept in the settings);
    // a cancel goes back to the plain master.
    static void deckTemplate(QWidget* parent);
    // The template chosen; empty for none.
    static QString deckTemplateName();
};

#endif
