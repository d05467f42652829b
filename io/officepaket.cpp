#include "io/officepaket.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <minizip/unzip.h>
#include <minizip/zip.h>

namespace {
const QString RelNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString TypNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString TypesName = QStringLiteral("[Content_Types].xml");

// The zip is read from and written into memory: a buffer stands in for the file.
voidpf ZCALLBACK memOpen(voidpf opaque, const void*, int)
{
    return opaque;
}
uLong ZCALLBACK memRead(voidpf, voidpf stream, void* buf, uLong size)
{
    const qint64 n = static_cast<QBuffer*>(stream)->read(static_cast<char*>(buf), qint64(size));
    return n < 0 ? 0 : uLong(n);
}
uLong ZCALLBACK memWrite(voidpf, voidpf stream, const void* buf, uLong size)
{
    const qint64 n =
        static_cast<QBuffer*>(stream)->write(static_cast<const char*>(buf), qint64(size));
    return n < 0 ? 0 : uLong(n);
}
ZPOS64_T ZCALLBACK memTell(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QBuffer*>(stream)->pos());
}
long ZCALLBACK memSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* b = static_cast<QBuffer*>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = b->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = b->size();
    const qint64 to = base + qint64(offset);
    // Reading never seeks past the end; writing may only where it fills the gap.
    if (to < 0 || (b->openMode() == QIODevice::ReadOnly && to > b->size()))
        return -1;
    return b->seek(to) ? 0 : -1;
}
int ZCALLBACK memClose(voidpf, voidpf)
{
    return 0;
}
int ZCALLBACK memError(voidpf, voidpf)
{
    return 0;
}

zlib_filefunc64_def memFuncs(QBuffer* b)
{
    zlib_filefunc64_def f;
    f.zopen64_file = memOpen;
    f.zread_file = memRead;
    f.zwrite_file = memWrite;
    f.ztell64_file = memTell;
    f.zseek64_file = memSeek;
    f.zclose_file = memClose;
    f.zerror_file = memError;
    f.opaque = b;
    return f;
}
}

bool OfficePaket::lesen(const QString& fileName, QString* fehler)
{
    const QString kaputt =
        tr("Die Datei %1 ist keine lesbare PowerPoint-Datei (PPTX).").arg(fileName);
    QFile f(fileName);
    bool ok = f.open(QIODevice::ReadOnly) && f.size() <= MaxDatei;
    if (ok)
        ok = lesenAus(f.readAll());
    // A package without its main part is as useless as a damaged one.
    if (ok)
        ok = teile.contains(ziel(QString(), QStringLiteral(
            "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument")));
    if (!ok && fehler)
        *fehler = kaputt;
    return ok;
}

bool OfficePaket::lesenAus(const QByteArray& bytes)
{
    teile.clear();
    m_standard.clear();
    m_eigen.clear();
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    zlib_filefunc64_def funcs = memFuncs(&buffer);
    unzFile zip = unzOpen2_64("", &funcs);
    if (!zip)
        return false;
    qint64 total = 0;
    int count = 0;
    bool ok = true;
    for (int e = unzGoToFirstFile(zip); e == UNZ_OK && ok; e = unzGoToNextFile(zip)) {
        if (++count > MaxTeile) {
            ok = false;
            break;
        }
        char raw[1024];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip, &info, raw, sizeof raw, nullptr, 0, nullptr, 0) != UNZ_OK) {
            ok = false;
            break;
        }
        const QString name = QString::fromUtf8(raw, int(qstrnlen(raw, sizeof raw)));
        if (name.isEmpty() || name.endsWith(QLatin1Char('/')))
            continue;
        if (unzOpenCurrentFile(zip) != UNZ_OK) {
            ok = false;
            break;
        }
        // The sizes the zip states are not trusted: reading stops at the bound.
        QByteArray data;
        char chunk[65536];
        for (;;) {
            const int n = unzReadCurrentFile(zip, chunk, sizeof chunk);
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            total += n;
            if (total > MaxInhalt) {
                ok = false;
                break;
            }
            data.append(chunk, n);
        }
        // A wrong checksum shows a damaged part.
        if (unzCloseCurrentFile(zip) != UNZ_OK)
            ok = false;
        // Part names compare without the leading slash.
        QString key = name;
        while (key.startsWith(QLatin1Char('/')))
            key.remove(0, 1);
        teile.insert(key, data);
    }
    unzClose(zip);
    if (!ok || !teile.contains(TypesName))
        return false;
    leseInhaltstypen();
    return true;
}

QByteArray OfficePaket::zip() const
{
    QByteArray out;
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::ReadWrite))
        return QByteArray();
    zlib_filefunc64_def funcs = memFuncs(&buffer);
    zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &funcs);
    if (!zip)
        return QByteArray();
    // The content types first, as Office itself writes them.
    QStringList names = teile.keys();
    names.removeAll(TypesName);
    names.prepend(TypesName);
    const QByteArray types = inhaltstypenXml();
    bool ok = true;
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString& name : names) {
        zip_fileinfo info{};
        info.tmz_date.tm_sec = uInt(now.time().second());
        info.tmz_date.tm_min = uInt(now.time().minute());
        info.tmz_date.tm_hour = uInt(now.time().hour());
        info.tmz_date.tm_mday = uInt(now.date().day());
        info.tmz_date.tm_mon = uInt(now.date().month() - 1);
        info.tmz_date.tm_year = uInt(now.date().year());
        // Pictures and workbooks are compressed already.
        const bool packed = name.endsWith(QLatin1String(".png"))
            || name.endsWith(QLatin1String(".xlsx")) || name.endsWith(QLatin1String(".jpeg"))
            || name.endsWith(QLatin1String(".jpg"));
        const QByteArray utf8 = name.toUtf8();
        // Bit 11: the name is UTF-8.
        if (zipOpenNewFileInZip4_64(zip, utf8.constData(), &info, nullptr, 0, nullptr, 0,
                                    nullptr, packed ? 0 : Z_DEFLATED, packed ? 0 : 6, 0,
                                    -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0,
                                    0, 1 << 11, 0)
            != ZIP_OK) {
            ok = false;
            break;
        }
        const QByteArray& data = name == TypesName ? types : teile.value(name);
        if (zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())) != ZIP_OK)
            ok = false;
        if (zipCloseFileInZip(zip) != ZIP_OK || !ok) {
            ok = false;
            break;
        }
    }
    if (zipClose(zip, nullptr) != ZIP_OK || !ok)
        return QByteArray();
    buffer.close();
    return out;
}

bool OfficePaket::schreiben(const QString& fileName) const
{
    const QByteArray bytes = zip();
    if (bytes.isEmpty())
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

QString OfficePaket::relsName(const QString& teil)
{
    const int slash = teil.lastIndexOf(QLatin1Char('/'));
    return teil.left(slash + 1) + QLatin1String("_rels/") + teil.mid(slash + 1)
        + QLatin1String(".rels");
}

QString OfficePaket::aufloesen(const QString& von, const QString& ziel)
{
    QString path = ziel.startsWith(QLatin1Char('/'))
        ? ziel.mid(1)
        : von.left(von.lastIndexOf(QLatin1Char('/')) + 1) + ziel;
    // ".." and "." resolved by hand: the name is a part, not a file on this disk.
    QStringList out;
    for (const QString& s : path.split(QLatin1Char('/'))) {
        if (s == QLatin1String(".."))
            if (out.isEmpty())
                return QString();
            else
                out.removeLast();
        else if (!s.isEmpty() && s != QLatin1String("."))
            out << s;
    }
    return out.join(QLatin1Char('/'));
}

QString OfficePaket::relativ(const QString& von, const QString& zu)
{
    QStringList a = von.split(QLatin1Char('/'));
    a.removeLast();
    QStringList b = zu.split(QLatin1Char('/'));
    int same = 0;
    while (same < a.size() && same < b.size() - 1 && a.at(same) == b.at(same))
        ++same;
    QStringList out;
    for (int i = same; i < a.size(); ++i)
        out << QStringLiteral("..");
    out << b.mid(same);
    return out.join(QLatin1Char('/'));
}

QVector<OfficePaket::Beziehung> OfficePaket::beziehungen(const QString& teil) const
{
    QVector<Beziehung> out;
    const QString name = teil.isEmpty() ? QStringLiteral("_rels/.rels") : relsName(teil);
    QXmlStreamReader r(teile.value(name));
    while (!r.atEnd() && !r.hasError()) {
        if (r.readNext() != QXmlStreamReader::StartElement
            || r.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes at = r.attributes();
        Beziehung b;
        b.id = at.value(QLatin1String("Id")).toString();
        b.typ = at.value(QLatin1String("Type")).toString();
        b.extern_ = at.value(QLatin1String("TargetMode")) == QLatin1String("External");
        const QString target = at.value(QLatin1String("Target")).toString();
        b.ziel = b.extern_ ? target : aufloesen(teil, target);
        out << b;
        if (out.size() > MaxTeile)
            break;
    }
    return out;
}

void OfficePaket::setzeBeziehungen(const QString& teil, const QVector<Beziehung>& rels)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeDefaultNamespace(RelNs);
    w.writeStartElement(RelNs, QStringLiteral("Relationships"));
    for (const Beziehung& b : rels) {
        w.writeEmptyElement(RelNs, QStringLiteral("Relationship"));
        w.writeAttribute(QStringLiteral("Id"), b.id);
        w.writeAttribute(QStringLiteral("Type"), b.typ);
        w.writeAttribute(QStringLiteral("Target"),
                         b.extern_ ? b.ziel
                                   : teil.isEmpty() ? b.ziel : relativ(teil, b.ziel));
        if (b.extern_)
            w.writeAttribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
    }
    w.writeEndDocument();
    teile.insert(teil.isEmpty() ? QStringLiteral("_rels/.rels") : relsName(teil), xml);
}

QString OfficePaket::ziel(const QString& teil, const QString& typ) const
{
    for (const Beziehung& b : beziehungen(teil))
        if (b.typ == typ && !b.extern_)
            return b.ziel;
    return QString();
}

QString OfficePaket::inhaltstyp(const QString& teil) const
{
    if (m_eigen.contains(teil))
        return m_eigen.value(teil);
    return m_standard.value(teil.mid(teil.lastIndexOf(QLatin1Char('.')) + 1).toLower());
}

void OfficePaket::setzeInhaltstyp(const QString& teil, const QString& typ)
{
    m_eigen.insert(teil, typ);
}

void OfficePaket::setzeStandardtyp(const QString& endung, const QString& typ)
{
    m_standard.insert(endung.toLower(), typ);
}

void OfficePaket::leseInhaltstypen()
{
    QXmlStreamReader r(teile.value(TypesName));
    while (!r.atEnd() && !r.hasError()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes at = r.attributes();
        const QString typ = at.value(QLatin1String("ContentType")).toString();
        if (r.name() == QLatin1String("Default"))
            m_standard.insert(at.value(QLatin1String("Extension")).toString().toLower(), typ);
        else if (r.name() == QLatin1String("Override"))
            m_eigen.insert(aufloesen(QString(), at.value(QLatin1String("PartName")).toString()), typ);
    }
}

QByteArray OfficePaket::inhaltstypenXml() const
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeDefaultNamespace(TypNs);
    w.writeStartElement(TypNs, QStringLiteral("Types"));
    for (auto it = m_standard.cbegin(); it != m_standard.cend(); ++it) {
        w.writeEmptyElement(TypNs, QStringLiteral("Default"));
        w.writeAttribute(QStringLiteral("Extension"), it.key());
        w.writeAttribute(QStringLiteral("ContentType"), it.value());
    }
    for (auto it = m_eigen.cbegin(); it != m_eigen.cend(); ++it) {
        if (!teile.contains(it.key()))
            continue;
        w.writeEmptyElement(TypNs, QStringLiteral("Override"));
        w.writeAttribute(QStringLiteral("PartName"), QLatin1Char('/') + it.key());
        w.writeAttribute(QStringLiteral("ContentType"), it.value());
    }
    w.writeEndDocument();
    return xml;
}

void OfficePaket::aufraeumen()
{
    QSet<QString> reached;
    QStringList todo{QString()};
    while (!todo.isEmpty()) {
        const QString teil = todo.takeLast();
        for (const Beziehung& b : beziehungen(teil))
            if (!b.extern_ && teile.contains(b.ziel) && !reached.contains(b.ziel)) {
                reached.insert(b.ziel);
                todo << b.ziel;
            }
    }
    for (auto it = teile.begin(); it != teile.end();) {
        const QString& name = it.key();
        bool keep = name == TypesName || name == QLatin1String("_rels/.rels")
            || reached.contains(name);
        if (!keep && name.contains(QLatin1String("_rels/")) && name.endsWith(QLatin1String(".rels"))) {
            // A relationships part stays with the part it belongs to.
            QString owner = name;
            owner.chop(5);
            owner.remove(owner.lastIndexOf(QLatin1String("_rels/")), 6);
            keep = reached.contains(owner);
        }
        it = keep ? std::next(it) : teile.erase(it);
    }
    teile.insert(TypesName, inhaltstypenXml());
}
