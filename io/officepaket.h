#ifndef OFFICEPAKET_H
#define OFFICEPAKET_H

#include <QByteArray>
#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QVector>

// An Office package held in memory: its parts by name (without the leading slash), the
// content types and the relationships between the parts. Read from a deck or template,
// changed, and written back as a zip file.
class OfficePaket
{
    Q_DECLARE_TR_FUNCTIONS(OfficePaket)

public:
    // Bounds for a file that is read: a hostile zip must not make us allocate without end.
    static constexpr qint64 MaxDatei = 512LL * 1024 * 1024;
    static constexpr qint64 MaxInhalt = 512LL * 1024 * 1024;
    static constexpr int MaxTeile = 20000;

    struct Beziehung {
        QString id;
        QString typ;   // the type's URI
        QString ziel;  // a part name, or the target as written for an external one
        bool extern_ = false;
    };

    QMap<QString, QByteArray> teile;

    // Reads a package; false with one message naming the file where it cannot be read or
    // is no Office package.
    bool lesen(const QString& fileName, QString* fehler);
    // The same from bytes (the fuzz target's way in).
    bool lesenAus(const QByteArray& zip);
    // The package as a zip file's bytes.
    QByteArray zip() const;
    // Writes the package, replacing the file only once it is complete.
    bool schreiben(const QString& fileName) const;

    // The relationships of a part ("" for the package itself); targets as part names.
    QVector<Beziehung> beziehungen(const QString& teil) const;
    void setzeBeziehungen(const QString& teil, const QVector<Beziehung>& rels);
    // Name of the part holding a part's relationships.
    static QString relsName(const QString& teil);
    // A target relative to the part it is seen from, as a part name ("" where it leaves
    // the package).
    static QString aufloesen(const QString& von, const QString& ziel);
    // The target from one part to another, relative, as the relationships write it.
    static QString relativ(const QString& von, const QString& zu);

    // The content type of a part, and setting one for a part of its own.
    QString inhaltstyp(const QString& teil) const;
    void setzeInhaltstyp(const QString& teil, const QString& typ);
    void setzeStandardtyp(const QString& endung, const QString& typ);

    // The first part the package names by relationship type (of the package, or of
    // part); empty where there is none.
    QString ziel(const QString& teil, const QString& typ) const;

    // Drops every part no relationship reaches from the package, so that replaced
    // charts and pictures do not stay behind; and writes the content types.
    void aufraeumen();

private:
    void leseInhaltstypen();
    QByteArray inhaltstypenXml() const;

    QMap<QString, QString> m_standard;  // ending (lower case) -> type
    QMap<QString, QString> m_eigen;     // part -> type
};

#endif
