#ifndef NOTIZENFELD_H
#define NOTIZENFELD_H

#include <QPointer>
#include <QTextEdit>

class UmfrageDokument;

// The notes pane: shows the notes of the page on screen and keeps what is typed with
// that page, following it across moves and removals (unlike a row number would).
class NotizenFeld : public QTextEdit
{
    Q_OBJECT
public:
    NotizenFeld(UmfrageDokument* document, QWidget* parent);

    // Shows the notes of row, after keeping those of the page shown before.
    void showNotesOf(int row);
    // Writes the pane into the notes of the page it shows, if that page still exists.
    void store();
    // The row of the page whose notes are shown; -1 when that page is gone.
    int row() const;
    // Whether notes were typed since the last resetTyped (showing them is not typing).
    bool typed() const { return m_typed; }
    void resetTyped();

signals:
    // The notes were typed into or the pane was reset.
    void typedChanged();

private:
    UmfrageDokument* m_doc;
    QPointer<QWidget> m_page;
    bool m_showing = false;
    bool m_typed = false;
};

#endif
