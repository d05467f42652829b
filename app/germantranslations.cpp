#include "app/germantranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool GermanTranslations::install(QCoreApplication* app)
{
    auto* t = new QTranslator(app);
    if (!t->load(QStringLiteral("qtbase_de"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    return QCoreApplication::installTranslator(t);
}
