#include <QApplication>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <cstdio>

#include "app/roles.h"
#include "app/view.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvinsk"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("orvinsk.de"));
    QCoreApplication::setApplicationName(QStringLiteral("quorvandel7"));

    auto* window = new View;
    // Exactly one argument names a statistic file; the decoded argument keeps
    // non-ASCII paths intact.
    if (argc == 2)
        window->load(QCoreApplication::arguments().at(1));
    window->show();

    // Start-up check for scripts and the test suite: once the event loop runs, print
    // what came up and quit through the normal shutdown path.
    if (qEnvironmentVariableIsSet("QUORVANDEL7_STARTUP_REPORT")) {
        QMetaObject::invokeMethod(
            &app,
            [window] {
                std::printf("title=%s\nrows=%d\ncolumns=%d\nviews=%d\n",
                            qPrintable(window->windowTitle().remove(QStringLiteral("[*]"))), window->dataModel()->rowCount(),
                            window->dataModel()->columnCount(), window->viewArea()->count());
                const QStandardItemModel* list = window->viewListModel();
                for (int i = 1; i < list->rowCount(); ++i) {
                    const QStandardItem* it = list->item(i);
                    std::printf("view=%s|%s|%s|%s\n", qPrintable(it->text()),
                                qPrintable(it->data(Roles::ViewAdapterType).toString()),
                                qPrintable(it->data(Roles::ViewType).toString()),
                                qPrintable(it->data(Roles::ViewColumns).toStringList().join(',')));
                }
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    }

    const int rc = app.exec();
    delete window;
    return rc;
}
