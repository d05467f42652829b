#include <QLocale>
#include <QTableView>
#include <QTest>
#include <functional>

#include "commands/cchangesets.h"
#include "commands/csetmissing.h"
#include "commands/csetweight.h"
#include "commands/gewichtsanpassungsbefehl.h"
#include "commands/spaltenableitung.h"
#include "commands/spaltenbearbeitung.h"
#include "commands/spaltenzahlen.h"
#include "commands/umkodierbefehl.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"
#include "core/roles.h"
#include "scriptedanswerer.h"
#include "tablefixture.h"

using UI = UserInput;

namespace {
// A value with its type, so that 3 and "3", or a null and an empty text, differ.
QString ident(const QVariant& v)
{
    return QStringLiteral("%1:%2:%3")
        .arg(QString::fromLatin1(v.typeName()), v.toString().isNull() ? "null" : "set",
             v.toString());
}

// Everything the table holds: each cell's roles, each header's title and the roles
// its commands keep (missing codes, recode rule, weight targets), hidden columns, the
// weight column and the sets. What a derivation marks on its new column beside the
// command (tool tip, derivation) is not kept: a redone column comes back with its title
// only, as before.
QStringList snapshot(TableFixture& f)
{
    SpaltenSpeicher* m = f.model.get();
    QStringList out;
    out << QStringLiteral("%1x%2").arg(m->rowCount()).arg(m->columnCount());
    const QList<int> headerRoles{Qt::DisplayRole, Roles::MissingCodes, Roles::RecodeRule,
                                 Roles::WeightTargets};
    for (int c = 0; c < m->columnCount(); ++c) {
        QString h = f.table.table()->isColumnHidden(c) ? "hidden " : "";
        for (int role : headerRoles)
            h += ident(m->headerData(c, Qt::Horizontal, role)) + '|';
        out << h;
    }
    for (int r = 0; r < m->rowCount(); ++r) {
        for (int c = 0; c < m->columnCount(); ++c) {
            const QMap<int, QVariant> roles = m->itemData(m->index(r, c));
            QString cell;
            for (auto it = roles.cbegin(); it != roles.cend(); ++it)
                cell += QString::number(it.key()) + '=' + ident(it.value()) + '|';
            out << cell;
        }
    }
    out << QStringLiteral("weight %1").arg(Gewichtung::spalteVon(m));
    for (const MehrfachSet& s : MehrfachSets::von(m)) {
        QStringList cols;
        for (int c : s.spalten)
            cols << QString::number(c);
        out << QStringLiteral("set %1 %2 %3").arg(s.name, s.wert, cols.join(','));
    }
    return out;
}
}

// Every column command over the column store: undo gives back the table as it was,
// cell for cell and role for role, and redo the table the command made.
class TstSpaltenUndo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void undoRedoOfEveryCommand_data();
    void undoRedoOfEveryCommand();
};

using Befehl = std::function<void(TableFixture&, ScriptedAnswerer&)>;
Q_DECLARE_METATYPE(Befehl)

void TstSpaltenUndo::undoRedoOfEveryCommand_data()
{
    QTest::addColumn<Befehl>("befehl");
    QTest::addColumn<Befehl>("vorher"); // what the command finds done before it
    QTest::newRow("rename") << Befehl([](TableFixture& f, ScriptedAnswerer& s) {
        s.accept(UI::Text, "Neu");
        SpaltenBearbeitung::renameColumn(f.context({1}));
    }) << Befehl();
    QTest::newRow("replace values") << Befehl([](TableFixture& f, ScriptedAnswerer& s) {
        s.accept(UI::Text, "ja").accept(UI::Text, "Nein");
        SpaltenBearbeitung::replaceValues(f.context({0, 2}));
    }) << Befehl();
    QTest::newRow("copy") << Befehl([](TableFixture& f, ScriptedAnswerer&) {
        SpaltenBearbeitung::copyColumns(f.context({3, 0}));
    }) << Befehl();
    QTest::newRow("hide") << Befehl([](TableFixture& f, ScriptedAnswerer&) {
        f.undo.beginMacro("hide");
        SpaltenBearbeitung::hideColumns(f.context({1, 2}));
        f.undo.endMacro();
    }) << Befehl();
    QTest::newRow("combine") << Befehl([](TableFixture& f, ScriptedAnswerer& s) {
        s.accept(UI::Text, "Alle").accept(UI::Question, QMessageBox::Yes);
        SpaltenAbleitung::combineColumns(f.context({1, 2, 3}));
    }) << Befehl();
    QTest::newRow("weight") << Befehl([](TableFixture& f, ScriptedAnswerer& s) {
        s.accept(UI::Text, "W").accept(UI::Text, "0.5,2");
        SpaltenAbleitung::weightColumns(f.context({2, 4}));
    }) << Befehl();
    QTest::newRow("reweight")
        << Befehl([](TableFixture& f, ScriptedAnswerer& s) {
               s.accept(UI::Text, "1,3");
               SpaltenAbleitung::weightColumns(f.context({f.model->columnCount() - 1}));
           })
        << Befehl([](TableFixture& f, ScriptedAnswerer& s) {
               s.accept(UI::Text, "W").accept(UI::Text, "0.5,2");
               SpaltenAbleitung::weightColumns(f.context({2, 4}));
           });
    QTest::newRow("numbers") << Befehl([](TableFixture& f, ScriptedAnswerer&) {
        SpaltenZahlen::numericColumns(f.context({4, 0}));
    }) << Befehl();
    QTest::newRow("percent") << Befehl([](TableFixture& f, ScriptedAnswerer&) {
        SpaltenZahlen::normalizeColumns(f.context({2, 4}));
    }) << Befehl();
    QTest::newRow("recode") << Befehl([](TableFixture& f, ScriptedAnswerer&) {
        Umkodierung u;
        u.art = Umkodierung::Grenzen;
        u.grenzen = {2, 4};
        u.quelle = "Zahl";
        u.quellSpalte = 4;
        UmkodierBefehl::anhaengen(f.context({4}), 4, u, "Bänder");
    }) << Befehl();
    QTest::newRow("fitted weight") << Befehl([](TableFixture& f, ScriptedAnswerer&) {
        Gewichtsanpassung::Vorgabe v;
        v.titel = "Gewicht";
        QVector<double> w;
        for (int r = 0; r < f.model->rowCount(); ++r)
            w << 0.5 + r * 0.25;
        GewichtsanpassungsBefehl::anhaengen(f.context({0}), v, w);
    }) << Befehl();
    QTest::newRow("weighting, missing codes, sets")
        << Befehl([](TableFixture& f, ScriptedAnswerer&) {
               f.undo.beginMacro("Einstellungen");
               f.undo.push(new cSetWeight(f.model.get(), -1, 4));
               f.undo.push(new cSetMissing(f.model.get(), 0, {}, {"x"}));
               f.undo.push(new cChangeSets(f.model.get(), {}, {MehrfachSet{"S", {1, 3}, ""}},
                                           "Set"));
               f.undo.endMacro();
           }) << Befehl();
}

void TstSpaltenUndo::undoRedoOfEveryCommand()
{
    QFETCH(Befehl, befehl);
    QFETCH(Befehl, vorher);
    // Texts, an empty and a missing cell, numbers, a restored cell with its roles, a
    // row shorter than the header.
    TableFixture f({"A", "B", "C", "D", "Zahl"},
                   {{"ja", "1", "ja", "x", "3"},
                    {"nein", "", "ja", "y", "1.5"},
                    {"ja", "2", "", "x", "wort"},
                    {"x", "3"},
                    {"", "1", "nein", "z", "5"}});
    f.model->zelle(0, 3).setData(QVariant(QString("x")), Roles::RestoredValue);
    f.model->zelle(0, 3).setData(QVariant(QString("x")), Qt::ToolTipRole);
    // Titles as tool tips, as the readers give them.
    for (int c = 0; c < f.model->columnCount(); ++c)
        f.model->setHeaderData(c, Qt::Horizontal, f.header(c), Qt::ToolTipRole);
    ScriptedAnswerer script;
    if (vorher)
        vorher(f, script);
    f.undo.clear();
    const QStringList before = snapshot(f);
    befehl(f, script);
    QCOMPARE(script.pending(), 0);
    QVERIFY(f.undo.canUndo());
    const QStringList after = snapshot(f);
    QVERIFY(after != before);
    f.undo.undo();
    QCOMPARE(snapshot(f), before);
    f.undo.redo();
    QCOMPARE(snapshot(f), after);
    f.undo.undo();
    QCOMPARE(snapshot(f), before);
}

QTEST_MAIN(TstSpaltenUndo)
#include "tst_spaltenundo.moc"
