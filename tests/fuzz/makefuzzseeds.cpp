// Writes the fuzzers' seed corpora: files the program writes itself, small enough that a
// fuzzer mutates them quickly. Usage: makefuzzseeds <folder> (gets corpus/<target>/).
#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include "core/spaltenspeicher.h"
#include <QTableView>
#include <QTextStream>
#include <cstdio>
#include <functional>

#include "analyses/haeufigkeitsdiagramadapter.h"
#include "analyses/kreuztabelle.h"
#include "analyses/modeldiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "core/rowfilter.h"
#include "core/spaltensicht.h"
#include "core/diagramadapter.h"
#include "core/gewichtung.h"
#include "core/mehrfachsets.h"
#include "io/statistikdatei.h"
#include "diagrams/tabelle1.h"
#include "io/umfragedokument.h"
#include "analyses/viewtypes.h"
#include "diagrams/diagram.h"
#include "fuzzreaders.h"
#include "io/demodaten.h"
#include "io/pptxexport.h"
#include "io/officepaket.h"
#include "io/viewscsv.h"
#include "plattformexporte.h"
#include <QTemporaryDir>

namespace {
QString outDir;
int written = 0;

void put(const QString& target, const QString& name, const QByteArray& bytes)
{
    const QString dir = outDir + QStringLiteral("/corpus/") + target;
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    ++written;
}

// The first rows of the demonstration data: what a new window shows.
void smallDemoTable(SpaltenSpeicher* m, int rows)
{
    DemoDaten::fillTable(m);
    if (m->rowCount() > rows)
        m->removeRows(rows, m->rowCount() - rows);
}

QString quoted(const QString& field)
{
    return QLatin1Char('"') + field + QLatin1Char('"');
}

// The data CSV as the program exports it: a comment line, quoted ";" fields.
QByteArray exportCsv(const SpaltenSpeicher* m)
{
    QString text;
    QTextStream out(&text);
    out << "#Erstellt mit quorvandel7\n";
    QStringList fields;
    for (int c = 0; c < m->columnCount(); ++c)
        fields << quoted(m->headerData(c, Qt::Horizontal).toString());
    out << fields.join(QLatin1Char(';')) << '\n';
    for (int r = 0; r < m->rowCount(); ++r) {
        fields.clear();
        for (int c = 0; c < m->columnCount(); ++c)
            fields << quoted(m->index(r, c).data().toString());
        out << fields.join(QLatin1Char(';')) << '\n';
    }
    out.flush();
    return text.toUtf8();
}

void csvSeeds()
{
    SpaltenSpeicher m;
    smallDemoTable(&m, 8);
    put("csvimport", "export-demo.csv", exportCsv(&m));
    // The dialect's corners: quoted separators, an unclosed quote, empty fields and
    // lines, umlauts in UTF-8, Latin-1 and UTF-16 with a byte-order mark, CRLF lines.
    const QString dialect = QStringLiteral(
        "# Kommentar\n"
        "Frage 1;\"Frage; 2\";Größe;\n"
        "\"ja\";nein;\"a;b\";\n"
        "\n"
        "\"offen;bis zum Ende\n"
        "  \"nicht entquotet\";\"\";\"\n");
    put("csvimport", "dialect-utf8.csv", dialect.toUtf8());
    put("csvimport", "dialect-latin1.csv", dialect.toLatin1());
    QByteArray utf16("\xff\xfe", 2);
    QString crlf = dialect;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    for (QChar ch : crlf)
        utf16.append(char(ch.unicode() & 0xff)).append(char(ch.unicode() >> 8));
    put("csvimport", "dialect-utf16-crlf.csv", utf16);
}

QByteArray statOf(UmfrageDokument& w)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    StatistikDatei::write(w.dataModel(), w.hiddenColumns(), w, &b);
    return b.data();
}

void statSeeds()
{
    UmfrageDokument w;
    w.clearViews();
    w.dataModel()->clear();
    smallDemoTable(w.dataModel(), 6);
    put("statistikdatei", "table-only.stat", statOf(w));

    // Every single-column adapter with every diagram, the first ones filtered, one
    // hidden column and a derived column's header data.
    w.spalten()->setHidden(2, true);
    w.dataModel()->setHeaderData(1, Qt::Horizontal, QStringLiteral("weight"), Qt::UserRole);
    const QStringList diagrams = ViewTypes::diagramNames();
    int d = 0;
    for (const ViewTypes::SingleAdapterType& t : ViewTypes::singleAdapterTypes()) {
        if (!t.make)
            continue;
        ModelClient* v = w.createView(t.name, diagrams.at(d % diagrams.size()), {d % 4},
                                      t.name, QStringLiteral("<p>Notiz</p>"));
        ++d;
        if (auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(v))
            h->setDepFilter(QStringLiteral("1"), 3);
    }
    put("statistikdatei", "single-views.stat", statOf(w));
    put("viewscsv", "single-views.csv", ViewsCsv::toCsv(w));

    w.clearViews();
    for (const ViewTypes::MultiAdapterType& t : ViewTypes::multiAdapterTypes()) {
        if (t.make)
            w.createView(t.name, diagrams.at(d++ % diagrams.size()), {0, 3, 1}, t.name,
                         QString());
    }
    put("statistikdatei", "multi-views.stat", statOf(w));
    put("viewscsv", "multi-views.csv", ViewsCsv::toCsv(w));

    // Version 6: a weight and a crosstab of three questions in percent of the rows.
    w.clearViews();
    Gewichtung::of(w.dataModel())->setSpalte(2);
    if (auto* k = qobject_cast<Kreuztabelle*>(w.createView(
            QString(), QStringLiteral("Kreuztabelle"), {0, 3, 1}, QStringLiteral("Kreuz"),
            QString())))
        k->setProzente(KreuztabellenRechnung::Zeilen);
    put("statistikdatei", "crosstab-weighted.stat", statOf(w));

    // Version 9: a set as the rows and another as a block of a crosstab.
    w.clearViews();
    const MehrfachSet eins{QStringLiteral("Eins"), {1, 2}, QString()};
    const MehrfachSet zwei{QStringLiteral("Zwei"), {3, 4}, QStringLiteral("1")};
    MehrfachSets::of(w.dataModel())->setSets({eins, zwei});
    using E = Kreuztabelle::Eintrag;
    if (auto* k = qobject_cast<Kreuztabelle*>(w.createView(
            QString(), QStringLiteral("Kreuztabelle"), {1, 2, 0, 3, 4},
            QStringLiteral("Kreuz"), QString())))
        k->setEintraege({E::ausSet(eins), E::spalte(0), E::ausSet(zwei)});
    put("statistikdatei", "crosstab-sets.stat", statOf(w));

    // Version 13: a crosstab with NETs, means and the NPS, a frequency chart with NETs
    // and a battery of rating items.
    w.clearViews();
    MehrfachSets::of(w.dataModel())->setSets({});
    if (auto* k = qobject_cast<Kreuztabelle*>(w.createView(
            QString(), QStringLiteral("Kreuztabelle"), {0, 3}, QStringLiteral("Skalen"),
            QString()))) {
        KreuztabellenRechnung::Optionen o;
        o.zusammenfassungen = {{QStringLiteral("NET"), {QStringLiteral("1"), QStringLiteral("2")}}};
        o.mittelwerte = true;
        o.nps = true;
        o.korrektur = SkalenRechnung::Holm;
        k->setOptionen(o);
    }
    if (auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(w.createView(
            QStringLiteral("Häufigkeit"), QStringLiteral("Tabelle"), {1}, QStringLiteral("NETs"),
            QString())))
        h->antwortAnzeige().setZusammenfassungen(
            {{QStringLiteral("Oben"), {QStringLiteral("5"), QStringLiteral("4")}}});
    w.createView(QString(), QStringLiteral("Batterie"), {1, 2}, QStringLiteral("Batterie"),
                 QString());
    put("statistikdatei", "scales.stat", statOf(w));
    put("viewscsv", "scales.csv", ViewsCsv::toCsv(w));
}

// A SurveyMonkey export in miniature: question row (a multi-column question names only
// its first column), sub-header row with a free-text and an empty entry, quoted commas,
// doubled quotes, a line break inside an answer, CRLF and a byte-order mark.
void surveyMonkeySeeds()
{
    const QByteArray text =
        "\xef\xbb\xbf"
        "Respondent ID,Wie alt?,Welche Farben?,,Kommentar,Leer\r\n"
        ",Response,Rot,Blau,Open-Ended Response,\r\n"
        "101,20-29,Rot,,\"gut, sehr gut\",\r\n"
        "102,30-39,,Blau,\"er sagte \"\"ja\"\"\",x\r\n"
        "103,20-29,Rot,Blau,\"zwei\r\nZeilen\",\r\n";
    put("surveymonkey", "export-small.csv", text);
    put("surveymonkey", "header-only.csv", "ID,Frage\n,Response\n");
}

QByteArray recordOf(int classIndex, int version, const std::function<void(QDataStream&)>& save)
{
    QByteArray bytes;
    bytes.append(char(classIndex)).append(char(version));
    QByteArray record;
    QDataStream s(&record, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_4_6);
    save(s);
    return bytes + record;
}

void settingsSeeds()
{
    SpaltenSpeicher model(3, 3);
    const QStringList classes = FuzzReaders::settingsClasses();
    for (int i = 0; i < classes.size(); ++i) {
        const QString key = classes.at(i);
        const QString name = key.section(QLatin1Char(':'), 1);
        QString file = key;
        file.replace(QStringLiteral("ä"), QStringLiteral("ae"))
            .replace(QLatin1Char('%'), QStringLiteral("Prozent"))
            .replace(QRegularExpression(QStringLiteral("[^A-Za-z]+")), QStringLiteral("-"));
        for (int version : {1, 5, int(StatistikDatei::SkalenVersion)}) {
            QByteArray seed;
            if (key.startsWith(QLatin1String("Diagram:"))) {
                Diagram* d = ViewTypes::makeDiagram(name);
                d->setColors({Qt::darkCyan, QColor(10, 20, 30, 40)});
                seed = recordOf(i, version, [&](QDataStream& s) { d->saveData(s, version); });
                delete d;
            } else if (key == QLatin1String("RowFilter")) {
                if (version != 5)
                    continue;
                RowFilter f;
                f.setDependency(QStringLiteral("ja"), 2);
                seed = recordOf(i, version, [&](QDataStream& s) { f.write(s); });
            } else {
                ModelClient* v = key.startsWith(QLatin1String("Single:"))
                    ? static_cast<ModelClient*>(ViewTypes::makeSingleAdapter(name))
                    : ViewTypes::makeMultiAdapter(name);
                v->setModel(&model);
                if (auto* a = dynamic_cast<DiagramAdapter*>(v))
                    a->setDiagram(ViewTypes::makeDiagram(ViewTypes::diagramNames().first()));
                if (auto* h = qobject_cast<HaeufigkeitsDiagramAdapter*>(v)) {
                    h->setDepFilter(QStringLiteral("ja"), 1);
                    h->antwortAnzeige().setZusammenfassungen(
                        {{QStringLiteral("Top"), {QStringLiteral("a"), QStringLiteral("b")}}});
                }
                seed = recordOf(i, version, [&](QDataStream& s) { v->saveData(s, version); });
                delete v;
            }
            put("settingsrecord", QStringLiteral("%1-v%2.rec").arg(file).arg(version), seed);
        }
    }
}
}

// Decks: our own plain one, one updated after the user added a slide, and a bare
// package without slides.
void pptxSeeds()
{
    UmfrageDokument w;
    w.clearViews();
    w.dataModel()->clear();
    smallDemoTable(w.dataModel(), 6);
    w.createView(QStringLiteral("Häufigkeit"), QStringLiteral("TortenDiagram"), {0},
                 QStringLiteral("Torte"), QStringLiteral("<p>Notiz</p>"));
    w.createView(QStringLiteral("Häufigkeit"), QStringLiteral("ExcelBalkenDiagram"), {0, 3},
                 QStringLiteral("Stapel"), QString());
    w.createView(QStringLiteral("Häufigkeit"), QStringLiteral("Tabelle"), {1},
                 QStringLiteral("Tabelle"), QString());
    OfficePaket bare;
    PptxTeile::eigeneBasis(bare);
    bare.aufraeumen();
    put("pptx", "bare.pptx", bare.zip());
    OfficePaket deck = bare;
    PptxExport::einfuegen(deck, w, nullptr);
    put("pptx", "deck.pptx", deck.zip());
}

// The platforms' example exports of the tests, and a damaged one of each kind.
void plattformSeeds()
{
    QTemporaryDir tmp;
    auto datei = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    auto beide = [&](const QString& target, const QString& name, const QByteArray& bytes) {
        put(target, name, bytes);
        put(target, QStringLiteral("cut-") + name, bytes.left(bytes.size() * 2 / 3));
    };
    const QString d = tmp.path();
    beide("qualtrics", "qualtrics.csv", datei(PlattformExporte::qualtricsCsv(d, true)));
    beide("qualtrics", "legacy.csv", datei(PlattformExporte::qualtricsCsv(d, false)));
    beide("googleforms", "formular.csv", datei(PlattformExporte::googleForms(d, true)));
    beide("limesurvey", "codes.csv", datei(PlattformExporte::limeSurveyCsv(d, true)));
    beide("limesurvey", "texte.csv", datei(PlattformExporte::limeSurveyCsv(d, false)));
    beide("lss", "struktur.lss", datei(d + "/limesurvey_survey_123.lss"));
    beide("sps", "limesurvey.sps", datei(PlattformExporte::limeSurveySps(d)));
    PlattformExporte::koboCsv(d, true);
    beide("sps", "kobo.sps", datei(d + "/mit/kobo_daten.sps"));
    beide("kobo", "kobo.csv", datei(PlattformExporte::koboCsv(d, false)));
    beide("xlsx", "umfrage.xlsx", datei(PlattformExporte::excel(d)));
    beide("xlsx", "kobo.xlsx", datei(PlattformExporte::koboXlsx(d)));
    const QString sss = PlattformExporte::tripleS(d, false);
    beide("triples", "fest.sss", datei(sss) + "\n--DATA--\n" + datei(d + "/umfrage.asc"));
    const QString sssCsv = PlattformExporte::tripleS(d, true);
    beide("triples", "csv.sss",
          datei(sssCsv) + "\n--DATA--\n" + datei(d + "/umfrage_csv.csv"));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    outDir = QString::fromLocal8Bit(argv[1]);
    csvSeeds();
    statSeeds();
    surveyMonkeySeeds();
    settingsSeeds();
    pptxSeeds();
    plattformSeeds();
    std::printf("%d seed files written under %s/corpus\n", written, qPrintable(outDir));
    return 0;
}
