// The progress display for long work: when it appears, that it cannot be dismissed half-way,
// that the window keeps handling its events, and that nested work shows one dialog.
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/fortschrittsdialog.h"
#include "core/recomputescheduler.h"
#include "core/fortschritt.h"

namespace {
// The dialog a Fortschritt shows, null while it shows none.
QProgressDialog* dialogOf(const Fortschritt& work)
{
    auto* shown = dynamic_cast<FortschrittsDialog*>(work.anzeige());
    return shown ? shown->dialog() : nullptr;
}
}

class TestFortschritt : public QObject
{
    Q_OBJECT
private slots:
    void init() { FortschrittsDialog::install(); }
    void cleanup()
    {
        Fortschritt::setShowDelay(200);
        Fortschritt::setRepaintInterval(100);
    }

    void shortWorkShowsNothing()
    {
        QMainWindow window;
        Fortschritt::setShowDelay(60 * 60 * 1000);
        Fortschritt work(&window, QStringLiteral("Import"), 10);
        for (int i = 0; i <= 10; ++i)
            work.step(i);
        QVERIFY(!dialogOf(work));
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
            QProgressDialog* dialog = dialogOf(work);
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
            QVERIFY(!dialogOf(inner));
            QCOMPARE(window.findChildren<QProgressDialog*>().size(), 1);
            QCOMPARE(dialogOf(outer)->labelText(), QStringLiteral("außen"));
        }
        QVERIFY(dialogOf(outer));
    }

    void nestedWorkMovesTheOuterBar()
    {
        QMainWindow window;
        Fortschritt::setShowDelay(0);
        Fortschritt::setRepaintInterval(0);
        Fortschritt outer(&window, QStringLiteral("Datei wird geladen"), 4);
        outer.step(3);
        QProgressDialog* dialog = dialogOf(outer);
        QCOMPARE(dialog->value(), dialog->maximum() * 3 / 4);
        {
            Fortschritt inner(nullptr, QStringLiteral("Ansichten werden berechnet"), 10);
            inner.stage(inner.text(), 10);
            QCOMPARE(dialog->value(), 0);
            inner.step(5);
            QCOMPARE(dialog->value(), dialog->maximum() / 2);
            QCOMPARE(dialog->labelText(), QStringLiteral("Datei wird geladen"));
        }
        outer.step(4);
        QCOMPARE(dialog->value(), dialog->maximum());
    }

    void quietWorkShowsNothingAndLetsNothingThrough()
    {
        QMainWindow window;
        window.show();
        Fortschritt::setShowDelay(0);
        bool delivered = false;
        QTimer::singleShot(0, &window, [&] { delivered = true; });
        {
            Fortschritt::Quiet quiet;
            Fortschritt work(&window, QStringLiteral("Bericht wird geschrieben"), 2);
            work.step(1);
            work.stage(QString(), 1);
            QVERIFY(!dialogOf(work));
            QVERIFY(!delivered);
        }
        Fortschritt work(&window, QString(), 2);
        work.step(1);
        QVERIFY(dialogOf(work));
    }

    // What must not see half-made state waits for the end of the outermost work, and
    // comes after whatever finishes it.
    void afterWorkWaitsForTheOutermostEnd()
    {
        QObject context;
        QStringList order;
        {
            Fortschritt outer(nullptr, QString(), 1);
            {
                Fortschritt inner(nullptr, QString(), 1);
                Fortschritt::afterWork(&context, [&] { order << "danach"; });
                QVERIFY(Fortschritt::working());
            }
            QCoreApplication::processEvents();
            QVERIFY(order.isEmpty());
            order << "Ende";
        }
        QVERIFY(!Fortschritt::working());
        order << "zurück";
        QCoreApplication::processEvents();
        QCOMPARE(order, (QStringList{"Ende", "zurück", "danach"}));

        // Without work: queued at once; dropped with its context.
        auto* gone = new QObject;
        int runs = 0;
        Fortschritt::afterWork(&context, [&] { ++runs; });
        Fortschritt::afterWork(gone, [&] { runs += 10; });
        delete gone;
        QCOMPARE(runs, 0);
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    // The end of a hold computes every postponed view with the display up: events get
    // through between two of them, and none is computed twice for it.
    void holdEndStepsTheWork()
    {
        QMainWindow window;
        window.show();
        Fortschritt::setShowDelay(0);
        QVector<int> runs(3, 0);
        bool delivered = false;
        bool deliveredBeforeSecond = false;
        RecomputeScheduler first(nullptr, [&] {
            ++runs[0];
            QTimer::singleShot(0, &window, [&] { delivered = true; });
        });
        RecomputeScheduler second(nullptr, [&] {
            ++runs[1];
            deliveredBeforeSecond = delivered;
        });
        RecomputeScheduler third(nullptr, [&] { ++runs[2]; });
        // A request queued before the hold, answered by the hold's end.
        first.schedule();
        Fortschritt work(&window, QStringLiteral("Ansichten werden berechnet"), 1);
        RecomputeScheduler::hold(true);
        QVERIFY(first.postpone());
        QVERIFY(second.postpone());
        QVERIFY(third.postpone());
        RecomputeScheduler::hold(false);
        QVERIFY(dialogOf(work));
        QVERIFY(deliveredBeforeSecond);
        QCoreApplication::processEvents();
        QCOMPARE(runs, (QVector<int>{1, 1, 1}));
    }

    void outOfRangeStepsStayOnTheBar()
    {
        QMainWindow window;
        Fortschritt::setShowDelay(0);
        Fortschritt::setRepaintInterval(0);
        Fortschritt work(&window, QString(), 0);
        work.step(5);
        QCOMPARE(dialogOf(work)->value(), 0);
        work.stage(QString(), 10);
        work.step(50);
        QCOMPARE(dialogOf(work)->value(), dialogOf(work)->maximum());
        work.step(-3);
        QCOMPARE(dialogOf(work)->value(), 0);
    }

    // Within the interval steps leave the bar alone; a new stage shows at once.
    void stepsWithinTheIntervalWait()
    {
        QMainWindow window;
        Fortschritt::setShowDelay(0);
        Fortschritt::setRepaintInterval(60 * 60 * 1000);
        Fortschritt work(&window, QStringLiteral("Daten werden gelesen"), 10);
        work.step(2);
        QProgressDialog* dialog = dialogOf(work);
        QVERIFY(dialog);
        QCOMPARE(dialog->value(), dialog->maximum() / 5);
        work.step(8);
        QCOMPARE(dialog->value(), dialog->maximum() / 5);
        work.stage(QStringLiteral("Ansichten werden berechnet"), 4);
        QCOMPARE(dialog->value(), 0);
        work.step(3);
        QCOMPARE(dialog->value(), 0);
    }

    // Without a display installed (a program without windows) nothing is shown and no
    // events get through in the middle of the work.
    void withoutDisplayNothingShowsAndNothingGetsThrough()
    {
        QMainWindow window;
        window.show();
        Fortschritt::setAnzeige(nullptr);
        Fortschritt::setShowDelay(0);
        bool delivered = false;
        QTimer::singleShot(0, &window, [&] { delivered = true; });
        {
            Fortschritt work(&window, QStringLiteral("Daten werden gelesen"), 2);
            work.step(1);
            QVERIFY(!work.anzeige());
            QVERIFY(!window.findChild<QProgressDialog*>());
            QVERIFY(!delivered);
        }
        FortschrittsDialog::install();
    }
};

QTEST_MAIN(TestFortschritt)
#include "tst_fortschritt.moc"
