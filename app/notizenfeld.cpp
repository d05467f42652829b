#include "app/notizenfeld.h"

#include <QScopedValueRollback>
#include <QTextDocument>

#include "diagrams/modelclient.h"
#include "io/umfragedokument.h"

NotizenFeld::NotizenFeld(UmfrageDokument* document, QWidget* parent)
    : QTextEdit(parent), m_doc(document), m_page(nullptr)
{
    setAcceptRichText(true);
    connect(m_doc, &UmfrageDokument::viewAboutToBeRemoved, this, [this](QWidget* page) {
        if (page == m_page)
            m_page = nullptr; // its notes go with it, never into another view
    });
    connect(this->document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_showing)
            return;
        m_edited = true;
        store();
    });
}

int NotizenFeld::row() const
{
    return m_doc->viewIndex(m_page);
}

void NotizenFeld::store()
{
    // Notes only shown stay as the document has them (the pane's HTML would differ).
    if (!m_edited)
        return;
    const int r = row();
    if (r >= 0)
        m_doc->setNotes(r, document()->toHtml());
}

void NotizenFeld::showNotesOf(int r)
{
    {
        const QScopedValueRollback<bool> showing(m_showing, true);
        setHtml(m_doc->notes(r));
        document()->setModified(false);
    }
    m_edited = false;
    m_page = qobject_cast<ModelClient*>(m_doc->viewPage(r));
}
