#include "lists/Allgdat.h"

#include "platform/DataFile.h"

namespace tav::allgdat {

namespace {

const QString kA = QStringLiteral(
    "ZimBemerkung;Check;Abgerechnet;Gästezahl;Frühstück;Zimmer;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;BelegArt;"
    "Von;Bis;Z1;Z2;AdressBemerkung;ResBemerkung;Kürzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorläufig;Zahlart;ID;WasDrucken;VonWann;"
    "BisWann;Anz_Kinder~");
const QString kB = QStringLiteral(
    "ZimBemerkung;Check;Abgerechnet;Gästezahl;Frühstück;Zimmer;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;BelegArt;"
    "Von;Bis;Z1;Z2;AdressBemerkung;ResBemerkung;Kürzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorläufig;Zahlart;ID;WasDrucken;VonWann;"
    "BisWann;Anz_Kinder;Mittag;Abendessen~");
const QString kC = QStringLiteral(
    "ZimBemerkung;Check;Abgerechnet;Gästezahl;Frühstück;Vorname;Nachname;Firma;Strasse;PLZ;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;"
    "Bis;Zimmer;Z1;Z2;AdressBemerkung;ResBemerkung;Kürzel;Einzelpreis;Gesamtpreis;TageAnzahl;Vorläufig;Zahlart;ID;WasDrucken;VonWann;"
    "BisWann;Anz_Kinder~");
const QString kW = QStringLiteral(
    "ZimBemerkung;Check;Vorname;Nachname;Firma;Strasse;Ort;Land;EMail;Telefon;Fax;BelegArt;Von;Bis;Zimmer;Z1;Z2;ResBemerkung;Kürzel;"
    "Einzelpreis;Gesamtpreis;TageAnzahl;Vorläufig;ID;Adressbemerkung;Gästezahl;WasDrucken;VonWann;BisWann;Wäsche1;Wäsche2;Frühstück~");

QString layoutText(Layout l) {
    switch (l) {
        case Layout::A: return kA;
        case Layout::B: return kB;
        case Layout::C: return kC;
        case Layout::W: return kW;
    }
    return kA;
}

// A value inside a record: it may not end the field, the line or the record.
QString einzeilig(QString v) {
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    v.replace(QChar(0x2028), QLatin1Char(' '));
    // "~" ends a record when the file is split into lines; inside a value it becomes "-".
    v.replace(QLatin1Char('~'), QLatin1Char('-'));
    return v;
}

}  // namespace

Kopf kopfFuerTitel(const QString& titel) {
    if (titel == QStringLiteral("Frühstücksliste") || titel == QLatin1String("Halbpension") || titel == QLatin1String("Vollpension"))
        return Kopf::Mahlzeit;
    if (titel == QLatin1String("Tagesliste")) return Kopf::Tagesliste;
    if (titel == QLatin1String("Abendessen")) return Kopf::Abendessen;
    return Kopf::Sonstige;
}

Layout layoutVon(Kopf kopf) {
    switch (kopf) {
        case Kopf::Tagesliste: return Layout::B;
        case Kopf::Abendessen: return Layout::C;
        case Kopf::Waesche: return Layout::W;
        default: return Layout::A;
    }
}

QStringList feldnamen(Layout layout) {
    QString t = layoutText(layout);
    t.chop(1);
    return t.split(QLatin1Char(';'));
}

QString zeile1(Kopf kopf) { return layoutText(layoutVon(kopf)); }

QString zeile2(Kopf kopf, const QString& zimmer, const QString& art, const QString& titel, const QString& vonWann, const QString& bisWann) {
    const QString datum = einzeilig(titel) + QLatin1Char(';') + einzeilig(vonWann) + QLatin1Char(';') + einzeilig(bisWann);
    const QString mitte =
        QStringLiteral(";Von;Bis;Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;Vorläufig;Zahlart;ID;");
    switch (kopf) {
        case Kopf::Mahlzeit:
            return QStringLiteral("Zimmerbemerkung;Status;Abgerechnet;G;Frühstück;") + zimmer +
                   QStringLiteral(";Vorname;Nachname;Name 2;Straße;PLZ;Ort;Land;e-Mail;Telefon;Fax;") + art + mitte + datum +
                   QStringLiteral(";K~");
        case Kopf::Tagesliste:
            return QStringLiteral("Zimmerbemerkung;Status;Abgerechnet;G;F;") + zimmer +
                   QStringLiteral(";Vorname;Nachname;Name 2;Straße;PLZ;Ort;Land;e-Mail;Telefon;Fax;") + art + mitte + datum +
                   QStringLiteral(";K;M;A~");
        case Kopf::Abendessen:
            return QStringLiteral(
                       "Reservierungsnummer;Status;Abgerechnet;G;Frühstück;Vorname;Nachname;Rechnungsanschrift;Straße;PLZ;Ort;"
                       "Land;e-Mail;Telefon;Fax;") +
                   art + QStringLiteral(";Von;Bis;") + zimmer +
                   QStringLiteral(";Z1;Z2;Adressbemerkung;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;Vorläufig;Zahlart;ID;") +
                   datum + QStringLiteral(";K~");
        case Kopf::Sonstige:
            return QStringLiteral("Reservierungsnummer;Status;Abgerechnet;G;Frühstück;") + zimmer +
                   QStringLiteral(";Vorname;Nachname;Rechnungsanschrift;Straße;PLZ;Ort;Land;e-Mail;Telefon;Fax;") + art + mitte + datum +
                   QStringLiteral(";K~");
        case Kopf::Waesche:
            return QStringLiteral("Zimmerbemerkung;Status;Vorname;Nachname;Name 2;Straße;Ort;Land;e-Mail;Telefon;Fax;") + art +
                   QStringLiteral(";Von;Bis;") + zimmer +
                   QStringLiteral(";Z1;Z2;Reservierungsbem.;Kurzinfo;Einzelpreis;Gesamtpreis;Tage;Vorläufig;ID;Adressbemerkung;G;") +
                   datum + QStringLiteral(";F~");
    }
    return {};
}

bool freitext(const QString& feld) {
    return feld == QLatin1String("ZimBemerkung") || feld == QLatin1String("AdressBemerkung") || feld == QLatin1String("Adressbemerkung") ||
           feld == QLatin1String("ResBemerkung");
}

QString datensatz(Layout layout, const QHash<QString, QString>& werte) {
    QStringList teile;
    for (const QString& feld : feldnamen(layout)) {
        const QString v = einzeilig(werte.value(feld));
        teile << (freitext(feld) ? DataFile::quotedValue(v) : DataFile::plainValue(v));
    }
    return teile.join(QLatin1Char(';')) + QLatin1Char('~');
}

DataFile datei(const QString& aufgebaut) {
    DataFile d;
    for (const QString& stueck : aufgebaut.split(QLatin1Char('~')))
        if (!stueck.isEmpty()) d.addLine(stueck);
    return d;
}

QByteArray inhalt(const QString& aufgebaut) { return datei(aufgebaut).bytes(); }

bool schreiben(const QString& pfad, const DataFile& datei) { return datei.save(pfad); }

}  // namespace tav::allgdat
