#include "fuzzreaders.h"

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include "core/spaltenspeicher.h"

#include "analyses/modeldiagramadapter.h"
#include "analyses/modelmultidiagramadapter.h"
#include "core/rowfilter.h"
#include "core/spaltensicht.h"
#include "io/csvimport.h"
#include "core/csvreader.h"
#include "io/statistikdatei.h"
#include "diagrams/tabelle1.h"
#include "core/userinput.h"
#include "io/umfragedokument.h"
#include "analyses/viewtypes.h"
#include "diagrams/diagram.h"
#include "diagrams/viewpicture.h"
#include "io/limesurveyimport.h"
#include "io/plattformimport.h"
#include "io/plattformumfrage.h"
#include "io/spssimport.h"
#include "io/spsssyntax.h"
#include "io/triplesimport.h"
#include "io/surveymonkeyimport.h"
#include "io/pptxexport.h"
#include "io/officepaket.h"
#include "io/viewscsv.h"

namespace {
// Nobody is there to answer: every question is cancelled, as a user closing each
// dialog would.
class CancelAll : public UserInput::Answerer
{
public:
    UserInput::Reply answer(const UserInput::Ask&) override { return {}; }
};

// Long-lived objects shared by all inputs of one process: making a survey document per
// input would cost more than reading it.
struct Fixture {
    SpaltenSpeicher* csvModel = nullptr;
    SpaltenSicht* csvTable = nullptr;
    UmfrageDokument* document = nullptr;
    SpaltenSpeicher* recordModel = nullptr;
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

const QSize pictureSize(160, 120);
// Pictures taken per input: enough to paint every kind of view a short input can make.
const int picturesPerInput = 12;

UmfrageDokument& document()
{
    Fixture& f = fixture();
    if (!f.document) {
        f.document = new UmfrageDokument;
        f.document->createDemo();
    }
    return *f.document;
}

// What was read must show as the program would show it.
void showViews(UmfrageDokument& w)
{
    for (int i = 1; i < w.viewCount() && i <= picturesPerInput; ++i)
        ViewPicture::of(w.viewPage(i), pictureSize);
}

// Runs what the input left queued (recomputations, deferred deletions), so that it is
// part of this input's run and not of the next one's.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A platform's survey as the import shows it: the table, its sets, its views painted.
void zeige(const PlattformUmfrage& u)
{
    UmfrageDokument& w = document();
    w.clearViews();
    w.startNewTable();
    u.fill(w.dataModel());
    w.applyPlan(u.ansichten(w.dataModel()));
    showViews(w);
    settle();
}

QWidget* makeSettingsObject(const QString& key, SpaltenSpeicher* model, RowFilter** filter)
{
    const QString name = key.section(QLatin1Char(':'), 1);
    if (key.startsWith(QLatin1String("Diagram:")))
        return ViewTypes::makeDiagram(name);
    if (key.startsWith(QLatin1String("Single:"))) {
        ModelDiagramAdapter* a = ViewTypes::makeSingleAdapter(name);
        if (a) {
            a->setModelColumn(0);
            a->setModel(model);
            a->setDiagram(ViewTypes::makeDiagram(ViewTypes::diagramNames().first()));
        }
        return a;
    }
    if (key.startsWith(QLatin1String("Multi:"))) {
        ModelMultiDiagramAdapter* a = ViewTypes::makeMultiAdapter(name);
        if (a) {
            a->setSpalten({0, 1, 2});
            a->setModel(model);
            a->setDiagram(ViewTypes::makeDiagram(ViewTypes::diagramNames().first()));
        }
        return a;
    }
    *filter = new RowFilter;
    return nullptr;
}
}

QStringList FuzzReaders::names()
{
    return {QStringLiteral("csvimport"), QStringLiteral("statistikdatei"),
            QStringLiteral("settingsrecord"), QStringLiteral("surveymonkey"),
            QStringLiteral("viewscsv"), QStringLiteral("spss"), QStringLiteral("qualtrics"),
            QStringLiteral("googleforms"), QStringLiteral("limesurvey"), QStringLiteral("kobo"),
            QStringLiteral("xlsx"), QStringLiteral("lss"), QStringLiteral("sps"),
            QStringLiteral("triples"), QStringLiteral("pptx")};
}

FuzzReaders::Reader FuzzReaders::reader(const QString& name)
{
    if (name == QLatin1String("csvimport"))
        return &csvImport;
    if (name == QLatin1String("statistikdatei"))
        return &statistikDatei;
    if (name == QLatin1String("settingsrecord"))
        return &settingsRecord;
    if (name == QLatin1String("surveymonkey"))
        return &surveyMonkeyImport;
    if (name == QLatin1String("viewscsv"))
        return &viewsCsv;
    if (name == QLatin1String("spss"))
        return &spssImport;
    if (name == QLatin1String("pptx"))
        return &pptx;
    if (name == QLatin1String("qualtrics") || name == QLatin1String("googleforms")
        || name == QLatin1String("limesurvey") || name == QLatin1String("kobo")
        || name == QLatin1String("xlsx"))
        return &plattformExport;
    if (name == QLatin1String("lss"))
        return &limeSurveyStruktur;
    if (name == QLatin1String("sps"))
        return &spssSyntax;
    if (name == QLatin1String("triples"))
        return &tripleS;
    return nullptr;
}

QStringList FuzzReaders::settingsClasses()
{
    QStringList out;
    for (const ViewTypes::DiagramType& t : ViewTypes::diagramTypes())
        if (t.make)
            out << QStringLiteral("Diagram:") + t.name;
    for (const ViewTypes::SingleAdapterType& t : ViewTypes::singleAdapterTypes())
        if (t.make)
            out << QStringLiteral("Single:") + t.name;
    for (const ViewTypes::MultiAdapterType& t : ViewTypes::multiAdapterTypes())
        if (t.make)
            out << QStringLiteral("Multi:") + t.name;
    out << QStringLiteral("RowFilter");
    return out;
}

void FuzzReaders::setUp()
{
    if (!qApp) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char arg0[] = "fuzz";
        static char* argv[] = {arg0, nullptr};
        new QApplication(argc, argv);
    }
    static CancelAll cancel;
    UserInput::setAnswerer(&cancel);
}

void FuzzReaders::tearDown()
{
    Fixture& f = fixture();
    delete f.document;
    delete f.csvTable;
    delete f.csvModel;
    delete f.recordModel;
    f = Fixture();
}

void FuzzReaders::csvImport(const QByteArray& input)
{
    Fixture& f = fixture();
    if (!f.csvModel) {
        f.csvModel = new SpaltenSpeicher;
        f.csvTable = new SpaltenSicht(f.csvModel);
    }
    f.csvModel->clear();
    CsvImport::fill(CsvReader::decode(input), f.csvModel);
    settle();
}

void FuzzReaders::statistikDatei(const QByteArray& input)
{
    UmfrageDokument& w = document();
    QBuffer in;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    quint16 version = 0;
    if (StatistikDatei::checkHeader(&in, &version) != StatistikDatei::Ok)
        return;
    w.clearViews();
    w.dataModel()->clear();
    w.readStatFile(&in, version);
    // What was read must show and save again as the program would after opening it.
    showViews(w);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    StatistikDatei::write(w.dataModel(), w.hiddenColumns(), w, &out);
    settle();
}

void FuzzReaders::settingsRecord(const QByteArray& input)
{
    if (input.size() < 2)
        return;
    Fixture& f = fixture();
    if (!f.recordModel) {
        // A few answers with gaps, numbers and a repeated value, so that every analysis
        // has something to count, bin and filter on.
        f.recordModel = new SpaltenSpeicher(5, 3);
        const char* cells[5][3] = {{"a", "1", "x"}, {"b", "2.5", ""}, {"a", "", "x"},
                                   {"", "-3", "y"}, {"c", "1e3", "x"}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                f.recordModel->zelle(r, c).setData(QVariant(QString::fromLatin1(cells[r][c])));
    }
    const QStringList classes = settingsClasses();
    const QString key = classes.at(quint8(input.at(0)) % classes.size());
    // Every record version there is (the seeds' 1 and 5 read as they always did).
    const int version = quint8(input.at(1)) % (StatistikDatei::NewestVersion + 1);
    QDataStream s(input.mid(2));
    s.setVersion(QDataStream::Qt_4_6);

    RowFilter* filter = nullptr;
    QWidget* object = makeSettingsObject(key, f.recordModel, &filter);
    if (filter) {
        filter->read(s);
        for (int r = 0; r < f.recordModel->rowCount(); ++r)
            filter->admits(f.recordModel, r, 0);
        delete filter;
    } else if (auto* d = qobject_cast<Diagram*>(object)) {
        d->loadData(s, version);
        ViewPicture::of(d, pictureSize);
    } else if (auto* mc = qobject_cast<ModelClient*>(object)) {
        mc->loadData(s, version);
        ViewPicture::of(mc, pictureSize);
        QByteArray again;
        QDataStream back(&again, QIODevice::WriteOnly);
        back.setVersion(QDataStream::Qt_4_6);
        mc->saveData(back, version);
    }
    delete object;
    settle();
}

void FuzzReaders::surveyMonkeyImport(const QByteArray& input)
{
    UmfrageDokument& w = document();
    w.clearViews();
    w.dataModel()->clear();
    QStringList subHeaders;
    QStringList questions;
    SurveyMonkeyImport::fill(CsvReader::decode(input), w.dataModel(), &subHeaders,
                             nullptr, &questions);
    w.applyPlan(SurveyMonkeyImport::ansichten(w.dataModel(), subHeaders, questions));
    showViews(w);
    settle();
}

void FuzzReaders::spssImport(const QByteArray& input)
{
    QByteArray bytes = input;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    SpssImport::Tabelle t;
    if (!SpssImport::read(in, &t))
        return;
    UmfrageDokument& w = document();
    w.clearViews();
    w.startNewTable();
    SpssImport::fill(t, w.dataModel());
    w.createColumnViews(QStringLiteral("Häufigkeit"), QStringLiteral("TortenDiagram"));
    showViews(w);
    settle();
}

void FuzzReaders::pptx(const QByteArray& input)
{
    OfficePaket deck;
    if (!deck.lesenAus(input))
        return;
    UmfrageDokument& w = document();
    // Charts and tables only: pictures would take the time from the reader.
    if (w.viewCount() != 3) {
        w.clearViews();
        w.createView(QStringLiteral("Häufigkeit"), QStringLiteral("BalkenDiagram(V)"), {0},
                     QStringLiteral("Balken"), QStringLiteral("<p>Notiz</p>"));
        w.createView(QStringLiteral("Häufigkeit"), QStringLiteral("Tabelle"), {1},
                     QStringLiteral("Tabelle"), QString());
    }
    OfficePaket asTemplate = deck;
    if (PptxExport::einfuegen(deck, w, nullptr))
        deck.zip();
    PptxExport::alsVorlage(asTemplate);
    if (PptxExport::einfuegen(asTemplate, w, nullptr))
        asTemplate.zip();
    settle();
}

void FuzzReaders::viewsCsv(const QByteArray& input)
{
    // The views go onto the demonstration table the fixture starts with; only the
    // statistic file and SurveyMonkey targets replace it, and each process runs one.
    UmfrageDokument& w = document();
    w.clearViews();
    w.addViewsCsv(CsvReader::decode(input));
    showViews(w);
    ViewsCsv::toCsv(w);
    settle();
}

void FuzzReaders::plattformExport(const QByteArray& input)
{
    PlattformUmfrage u;
    // A workbook of several sheets: the last one, to reach past the first.
    if (PlattformImport::lesenBytes(input, QString(), &u,
                                    [](const QStringList& b) { return int(b.size()) - 1; })
        == PlattformImport::Gelesen)
        zeige(u);
}

void FuzzReaders::limeSurveyStruktur(const QByteArray& input)
{
    QBuffer in;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    LimeSurveyImport::Struktur s;
    if (!LimeSurveyImport::leseStruktur(in, &s))
        return;
    // An export of the structure's codes: each question, each of its sub-questions.
    QStringList kopf{QStringLiteral("id"), QStringLiteral("submitdate")};
    QStringList zeile{QStringLiteral("1"), QString()};
    for (auto f = s.fragen.cbegin(); f != s.fragen.cend() && kopf.size() < 200; ++f) {
        kopf << f.key();
        zeile << (f->antworten.isEmpty() ? QString() : f->antworten.cbegin().key());
        for (auto t = f->teilfragen.cbegin(); t != f->teilfragen.cend() && kopf.size() < 200; ++t) {
            kopf << f.key() + QLatin1Char('[') + t.key() + QLatin1Char(']');
            zeile << QStringLiteral("Y");
        }
    }
    PlattformUmfrage u;
    LimeSurveyImport::lesen(kopf, {zeile, zeile}, s, &u);
    zeige(u);
}

void FuzzReaders::spssSyntax(const QByteArray& input)
{
    SpssSyntax s;
    if (!SpssSyntax::lesen(CsvReader::decode(input), &s))
        return;
    if (s.variablen.isEmpty())
        s.variablen = s.variablenLabels.keys();
    s.variablen = s.variablen.mid(0, 200);
    // Every variable's first labelled code, then codes none has.
    QStringList erste, zweite;
    for (const QString& v : s.variablen) {
        const QHash<QString, QString> l = s.wertLabels.value(v);
        erste << (l.isEmpty() ? QStringLiteral("1") : l.cbegin().key());
        zweite << QStringLiteral("-1");
    }
    const QString daten = erste.join(s.trenner) + QLatin1Char('\n') + zweite.join(s.trenner);
    PlattformUmfrage u;
    LimeSurveyImport::lesenSpss(s, daten, &u);
    zeige(u);
}

void FuzzReaders::tripleS(const QByteArray& input)
{
    const QByteArray marke("\n--DATA--\n");
    const qsizetype at = input.indexOf(marke);
    QBuffer in;
    in.setData(at < 0 ? input : input.left(at));
    in.open(QIODevice::ReadOnly);
    TripleSImport::Metadaten m;
    if (!TripleSImport::leseMetadaten(in, &m))
        return;
    PlattformUmfrage u;
    if (TripleSImport::lesen(m, at < 0 ? QString() : CsvReader::decode(input.mid(at + marke.size())),
                             &u))
        zeige(u);
}
