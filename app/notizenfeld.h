#ifndef NOTIZENFELD_H
#define NOTIZENFELD_H

#include <QPointer>
#include <QTextEdit>

class ModelClient;
class UmfrageDokument;

// The notes pane: shows the notes of the page on screen and writes what is typed into
// that page's notes as it is typed, following the page across moves and removals
// (unlike a row number would). The document thus always holds the notes.
class NotizenFeld : public QTextEdit
{
    Q_OBJECT
public:
    NotizenFeld(UmfrageDokument* document, QWidget* parent);

    // Shows the notes of row.
    void showNotesOf(int row);
    // Writes the pane into the notes of the page it shows, if that page still exists
    // and something was typed.
    void store();
    // The row of the page whose notes are shown; -1 when that page is gone.
    int row() const;
private:
    UmfrageDokument* m_doc;
    QPointer<ModelClient> m_page;
    bool m_showing = false;
    // Typed into since the notes were shown.
    bool m_edited = false;
};

#endif
