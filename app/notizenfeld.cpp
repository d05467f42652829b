#include "app/notizenfeld.h"

#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTextDocument>

#include "io/umfragedokument.h"

NotizenFeld::NotizenFeld(UmfrageDokument* document, QWidget* parent)
    : QTextEdit(parent), m_doc(document), m_page(document->viewPage(0))
{
    setAcceptRichText(true);
    connect(m_doc, &UmfrageDokument::notesWanted, this, &NotizenFeld::store);
    connect(m_doc, &UmfrageDokument::viewAboutToBeRemoved, this, [this](QWidget* page) {
        if (page == m_page)
            m_page = nullptr; // its notes go with it, never into another view
    });
    connect(this->document(), &QTextDocument::modificationChanged, this, [this](bool m) {
        if (m && !m_showing)
            m_typed = true;
        emit typedChanged();
    });
}

int NotizenFeld::row() const
{
    return m_page ? m_doc->viewArea()->indexOf(m_page) : -1;
}

void NotizenFeld::store()
{
    const int r = row();
    if (r >= 0)
        m_doc->setNotes(r, document()->toHtml());
}

void NotizenFeld::showNotesOf(int r)
{
    store();
    {
        const QScopedValueRollback<bool> showing(m_showing, true);
        setHtml(m_doc->notes(r));
        document()->setModified(false);
    }
    m_page = m_doc->viewPage(r);
}

void NotizenFeld::resetTyped()
{
    document()->setModified(false);
    m_typed = false;
}
