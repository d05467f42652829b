// The progress display for long work: when it appears, that it cannot be dismissed half-way,
// that the window keeps handling its events, and that nested work shows one dialog.
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/fortschritt.h"

class TestFortschritt : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Fortschritt::setShowDelay(200); }

    void shortWorkShowsNothing()
    {
        QMainWindow window;
        Fortschritt::setShowDelay(60 * 60 * 1000);
        Fortschritt work(&window, QStringLiteral("Import"), 10);
        for (int i = 0; i <= 10; ++i)
            work.step(i);
        QVERIFY(!work.dialog());
        QVERIFY(!window.findChild<QProgressDialog*>());
    }

    void longWorkShowsModalDialogWithoutCancel()
    {
        QMainWindow window;
        window.show();
        Fortschritt::setShowDelay(0);
        bool delivered = false;
        QTimer::singleShot(0, &window, [&] { delivered = true; });
        {
            Fortschritt work(&window, QStringLiteral("Daten werden gelesen"), 200);
            work.step(100);
            QProgressDialog* dialog = work.dialog();
            QVERIFY(dialog);
            QVERIFY(dialog->isVisible());
            QVERIFY(dialog->isModal());
            QCOMPARE(dialog->labelText(), QStringLiteral("Daten werden gelesen"));
            QCOMPARE(dialog->value(), dialog->maximum() / 2);
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                QVERIFY(!b->isVisible());
            // The window's events are handled while the work goes on.
            QVERIFY(delivered);

            // Neither Esc nor closing hides it before the work is done.
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dialog, &esc);
            dialog->close();
            QVERIFY(dialog->isVisible());

            work.stage(QStringLiteral("Ansichten werden berechnet"), 4);
            QCOMPARE(dialog->labelText(), QStringLiteral("Ansichten werden berechnet"));
        }
        QVERIFY(!window.findChild<QProgressDialog*>());
    }

    void nestedWorkShowsOneDialog()
    {
        QMainWindow window;
        window.show();
        Fortschritt::setShowDelay(0);
        Fortschritt outer(&window, QStringLiteral("außen"), 2);
        outer.step(1);
        {
            Fortschritt inner(&window, QStringLiteral("innen"), 10);
            inner.step(5);
            QVERIFY(!inner.dialog());
            QCOMPARE(window.findChildren<QProgressDialog*>().size(), 1);
            QCOMPARE(outer.dialog()->labelText(), QStringLiteral("außen"));
        }
        QVERIFY(outer.dialog());
    }

    void outOfRangeStepsStayOnTheBar()
    {
        QMainWindow window;
        Fortschritt::setShowDelay(0);
        Fortschritt work(&window, QString(), 0);
        work.step(5);
        QCOMPARE(work.dialog()->value(), 0);
        work.stage(QString(), 10);
        QTest::qWait(110);
        work.step(50);
        QCOMPARE(work.dialog()->value(), work.dialog()->maximum());
        QTest::qWait(110);
        work.step(-3);
        QCOMPARE(work.dialog()->value(), 0);
    }
};

QTEST_MAIN(TestFortschritt)
#include "tst_fortschritt.moc"
