#include "core/spaltenspeicher.h"
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "commands/umkodierbefehl.h"
#include "core/fehlendewerte.h"
#include "core/umkodierung.h"
#include "tablefixture.h"
#include "tests/helpers/scriptedanswerer.h"

Q_DECLARE_METATYPE(Umkodierung)

// Recoding answers into categories and numbers into bands, against hand-worked examples.
class TstUmkodierung : public QObject
{
    Q_OBJECT
private slots:
    void regel_data();
    void regel();
    void grenzenLesen_data();
    void grenzenLesen();
    void speichernUndLaden();
    void befehlUndoRedoUndQuelle();
};

namespace {
Umkodierung baender(Umkodierung::Art art, int n, const QVector<double>& edges = {})
{
    Umkodierung u;
    u.art = art;
    u.baender = n;
    u.grenzen = edges;
    return u;
}

QStringList column(const TableFixture& f, int c)
{
    QStringList out;
    for (int r = 0; r < f.model->rowCount(); ++r)
        out << f.model->data(f.model->index(r, c)).toString();
    return out;
}
}

void TstUmkodierung::regel_data()
{
    QTest::addColumn<Umkodierung>("rule");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QStringList>("expected");

    Umkodierung groups;
    groups.antworten = QStringList{"sehr gut", "gut", "schlecht"};
    groups.kategorien = QStringList{"positiv", "positiv", "negativ"};
    QTest::newRow("groups keep the rest")
        << groups << QStringList{"gut", "sehr gut", "egal", "", "schlecht"}
        << QStringList{"positiv", "positiv", "egal", "", "negativ"};
    groups.uebrigeBehalten = false;
    QTest::newRow("groups drop the rest")
        << groups << QStringList{"gut", "egal", "schlecht"}
        << QStringList{"positiv", "", "negativ"};

    const QStringList ages{"17", "18", "29", "30", "44", "45", "64", "65", "90", "x", ""};
    QTest::newRow("own edges")
        << baender(Umkodierung::Grenzen, 0, {18, 30, 45, 65}) << ages
        << QStringList{"unter 18", "18–29", "18–29", "30–44", "30–44", "45–64", "45–64",
                       "65 und älter", "65 und älter", "", ""};
    QTest::newRow("own edges, decimals, German numbers")
        << baender(Umkodierung::Grenzen, 0, {1.5, 2.5}) << QStringList{"1", "1,5", "2.4", "3"}
        << QStringList{"unter 1,5", "1,5 bis unter 2,5", "1,5 bis unter 2,5", "2,5 und älter"};
    // 18..77 is 60 whole numbers: three bands of 20.
    QTest::newRow("equal width, whole")
        << baender(Umkodierung::GleicheBreite, 3) << QStringList{"18", "37", "38", "57", "58", "77"}
        << QStringList{"18–37", "18–37", "38–57", "38–57", "58 und älter", "58 und älter"};
    QTest::newRow("equal width, decimals")
        << baender(Umkodierung::GleicheBreite, 2) << QStringList{"0", "0,5", "1"}
        << QStringList{"0 bis unter 0,5", "0,5 und älter", "0,5 und älter"};
    // Eight values in four bands of two: edges at ranks 0, 2, 4, 6.
    QTest::newRow("quantiles")
        << baender(Umkodierung::GleicheAnzahl, 4)
        << QStringList{"8", "1", "2", "3", "4", "5", "6", "7"}
        << QStringList{"7 und älter", "1–2", "1–2", "3–4", "3–4", "5–6", "5–6", "7 und älter"};
    QTest::newRow("quantiles with ties")
        << baender(Umkodierung::GleicheAnzahl, 2) << QStringList{"1", "1", "1", "2"}
        << QStringList{"1 und älter", "1 und älter", "1 und älter", "1 und älter"};
}

void TstUmkodierung::regel()
{
    QFETCH(Umkodierung, rule);
    QFETCH(QStringList, cells);
    QFETCH(QStringList, expected);
    QCOMPARE(rule.anwendenAufZeilen(cells), expected);
}

void TstUmkodierung::grenzenLesen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QVector<double>>("edges");
    QTest::newRow("ages") << "18;30;45;65" << true << QVector<double>{18, 30, 45, 65};
    QTest::newRow("unsorted, repeated, blanks") << " 30 ; 18;30;" << true << QVector<double>{18, 30};
    QTest::newRow("German") << "1,5;2.5" << true << QVector<double>{1.5, 2.5};
    QTest::newRow("no number") << "18;dreißig" << false << QVector<double>{};
    QTest::newRow("nothing") << " ; " << false << QVector<double>{};
}

void TstUmkodierung::grenzenLesen()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QVector<double>, edges);
    QVector<double> got;
    QCOMPARE(Umkodierung::leseGrenzen(text, &got), ok);
    if (ok)
        QCOMPARE(got, edges);
}

void TstUmkodierung::speichernUndLaden()
{
    Umkodierung u = baender(Umkodierung::Grenzen, 0, {18, 30});
    u.quelle = "Alter";
    u.quellSpalte = 3;
    u.antworten = QStringList{"a"};
    u.kategorien = QStringList{"A"};
    Umkodierung back;
    QVERIFY(Umkodierung::laden(u.speichern(), &back));
    QVERIFY(back == u);
    // Every cut of the bytes, and a hostile count, is refused without harm.
    const QByteArray bytes = u.speichern();
    for (int n = 0; n < bytes.size(); ++n)
        QVERIFY(!Umkodierung::laden(bytes.left(n), &back));
    QByteArray hostile = bytes;
    hostile[26] = char(0x7f);   // the count of pairs, after tag, kind, title, column
    QVERIFY(!Umkodierung::laden(hostile, &back));
}

void TstUmkodierung::befehlUndoRedoUndQuelle()
{
    TableFixture f({"Name", "Alter"}, {{"a", "17"}, {"b", "30"}, {"c", "-99"}, {"d", "70"}});
    FehlendeWerte::setCodes(f.model.get(), 1, {"-99"});
    ScriptedAnswerer script;
    script.accept(UserInput::Item, QString("Eigene Grenzen"))
        .accept(UserInput::Text, QString("18;30;65"))
        .accept(UserInput::Text, QString("Altersgruppe"));
    UmkodierBefehl::umkodieren(f.context({1}));
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(f.model->columnCount(), 3);
    QCOMPARE(f.model->headerData(2, Qt::Horizontal).toString(), QString("Altersgruppe"));
    const QStringList expected{"unter 18", "30–64", "", "65 und älter"};
    QCOMPARE(column(f, 2), expected);

    // The rule follows the source's cells.
    f.model->zelle(0, 1).setText("20");
    QCOMPARE(f.model->zelle(0, 2).text(), QString("18–29"));
    f.model->zelle(0, 1).setText("17");
    QCOMPARE(column(f, 2), expected);

    f.undo.undo();
    QCOMPARE(f.model->columnCount(), 2);
    f.undo.redo();
    QCOMPARE(f.model->columnCount(), 3);
    QCOMPARE(column(f, 2), expected);
    Umkodierung rule;
    QVERIFY(Umkodierung::von(f.model.get(), 2, &rule));
    QCOMPARE(rule.quelle, QString("Alter"));
    QCOMPARE(rule.grenzen, QVector<double>({18, 30, 65}));

    // Grouping: the dialog lists the answers with their counts.
    script.accept(UserInput::Item, QString("Antworten gruppieren"))
        .accept(UserInput::Item, QString("jung"))
        .accept(UserInput::Item, QString(""))
        .accept(UserInput::Item, QString("alt"))
        .accept(UserInput::Question, int(QMessageBox::No))
        .accept(UserInput::Text, QString("Gruppe"));
    UmkodierBefehl::umkodieren(f.context({2}));
    QCOMPARE(script.unexpected, 0);
    QVERIFY(script.asked.at(4).label.contains("„30–64“ (1 Antworten)"));
    // Answers in code-unit order: "30–64", "65 und älter", "unter 18".
    QCOMPARE(column(f, 3), QStringList({"alt", "jung", "", ""}));
}

QTEST_MAIN(TstUmkodierung)
#include "tst_umkodierung.moc"
