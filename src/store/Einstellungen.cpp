#include "store/Einstellungen.h"

#include "engine/Database.h"
#include "engine/JetFormat.h"
#include "store/Parameter.h"
#include "store/Variablen.h"

namespace tav::einstellungen {

namespace {

void schreiben(Database& db, const QString& satz, const QString& f1) { Parameter(db).write(satz, {qMakePair(1, QVariant(f1))}); }

// F1 of a row as a number; the default when the row or the field is missing.
int zahl(Database& db, const QString& satz, int standard) {
    const auto row = Parameter(db).read(satz);
    return row ? row->integer(1, standard) : standard;
}

QStringList felder(Database& db, const QString& satz, int anzahl) {
    QStringList out;
    const auto row = Parameter(db).read(satz);
    for (int i = 1; i <= anzahl; ++i) out << (row ? row->text(i) : QString());
    return out;
}

}  // namespace

const QStringList& dokumentOptionNamen() {
    static const QStringList names = {
        QStringLiteral("MitGästezahlA"),      QStringLiteral("MitGästezahlB"),      QStringLiteral("MitGästezahlR"),
        QStringLiteral("GastnameA"),          QStringLiteral("GastnameB"),          QStringLiteral("GastnameR"),
        QStringLiteral("BlockbezB"),          QStringLiteral("BlockbezR"),          QStringLiteral("ZwischenA"),
        QStringLiteral("ZwischenB"),          QStringLiteral("ZwischenR"),          QStringLiteral("ZimmerbemerkungA"),
        QStringLiteral("ZimmerbemerkungB"),   QStringLiteral("ZimmerbemerkungR"),   QStringLiteral("TextMitFrühstückA"),
        QStringLiteral("TextMitFrühstückB"),  QStringLiteral("TextMitFrühstückR"),  QStringLiteral("SaisonaufteilungA"),
        QStringLiteral("SaisonaufteilungB"),  QStringLiteral("SaisonaufteilungR"),  QStringLiteral("TextZimmerNummerA"),
        QStringLiteral("TextZimmerNummerB"),  QStringLiteral("TextZimmerNummerR"),  QStringLiteral("Artikel_BemerkungA"),
        QStringLiteral("Artikel_BemerkungB"), QStringLiteral("Artikel_BemerkungR"), QStringLiteral("Keine_MWSTA"),
        QStringLiteral("Keine_MWSTB"),        QStringLiteral("TextÜbernachtung"),   QStringLiteral("TextÜbernachtungMZ"),
        QStringLiteral("ZahlungB"),           QStringLiteral("ZahlungR"),           QStringLiteral("DatumZusatzpostenA"),
        QStringLiteral("DatumZusatzpostenB"), QStringLiteral("DatumZusatzpostenR"),
    };
    return names;
}

const QStringList& suchFeldNamen() {
    static const QStringList names = {QStringLiteral("Such_Nachname"), QStringLiteral("Such_Vorname"), QStringLiteral("Such_Strasse"),
                                      QStringLiteral("Such_Ort")};
    return names;
}

quint32 standardFarbe(int feld) {
    // free, the two sample kinds, "Tresen", "Angebot"; light grey for kinds without a colour
    static const quint32 farben[] = {9399613u, 16742405u, 16762112u, 16773888u, 16056285u, 12632256u, 12632256u, 12632256u, 12632256u};
    return feld >= 1 && feld <= 9 ? farben[feld - 1] : 0u;
}

void titel(Database& db, Variablen& v) {
    const auto row = Parameter(db).read(QStringLiteral("titel"));
    if (!row) {
        schreiben(db, QStringLiteral("titel"), QStringLiteral("Tavomera"));
        v.titel = QStringLiteral("Tavomera");
        return;
    }
    v.titel = row->text(1, QStringLiteral("Tavomera"));
}

void druckenHardcopy(Database& db, Variablen& v) {
    const auto row = Parameter(db).read(QStringLiteral("DruckenHardcopy"));
    // Missing row or empty field: the default, printing the plan as a picture.
    v.druckenHardcopy = !row || row->isNull(1) || row->text(1).isEmpty() || row->text(1) == QLatin1String("Wahr");
}

void hilfeDarstellung(Database& db, Variablen& v) {
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM TblHilfeDarstellung"));
    if (rs.eof()) {
        rs.addNew();
        rs.setValue(QStringLiteral("WahrNichtWahr"), false);
        rs.setValue(QStringLiteral("Beschreibung"), QStringLiteral("Nein"));
        rs.update();
        rs.addNew();
        rs.setValue(QStringLiteral("WahrNichtWahr"), true);
        rs.setValue(QStringLiteral("Beschreibung"), QStringLiteral("Ja"));
        rs.update();
    }
    Recordset all = db.openRecordset(QStringLiteral("SELECT WahrNichtWahr, Beschreibung FROM TblHilfeDarstellung"));
    for (; !all.eof(); all.moveNext()) {
        if (all.yes(QStringLiteral("WahrNichtWahr")))
            v.textWahr = all.text(QStringLiteral("Beschreibung"));
        else
            v.textFalsch = all.text(QStringLiteral("Beschreibung"));
    }
}

void druckAnzahl(Database& db, Variablen& v) {
    Parameter p(db);
    if (!p.hasText(QStringLiteral("DruckAnzahl"))) p.writeText(QStringLiteral("DruckAnzahl"), QStringLiteral("2"));
    const QString inhalt = p.text(QStringLiteral("DruckAnzahl"));
    ParameterRow row;  // read as the program reads numbers: the leading digits
    row.fields << QVariant(inhalt);
    v.druckAnzahl = inhalt.isEmpty() ? 2 : row.integer(1, 2);
}

void vorgabeDatum(Database& db, Variablen& v) {
    if (!Parameter(db).read(QStringLiteral("VorgabeDatum"))) schreiben(db, QStringLiteral("VorgabeDatum"), QStringLiteral("0"));
    v.vorgabeDatum = zahl(db, QStringLiteral("VorgabeDatum"), 0);
}

void zahlungsziele(Database& db, Variablen& v) { v.zahlungsziele = felder(db, QStringLiteral("Zahlungsziele"), 8); }

void dokumentOptionen(Database& db, Variablen& v) {
    Parameter p(db);
    v.dokumentOptionen.clear();
    for (const QString& name : dokumentOptionNamen()) v.dokumentOptionen.insert(name, p.readYesNo(name));
}

void suchFelder(Database& db, Variablen& v) {
    Parameter p(db);
    v.suchFelder.clear();
    for (const QString& name : suchFeldNamen()) v.suchFelder.insert(name, p.readYesNo(name));
}

void anzeigeSuchen(Database& db, Variablen& v) { v.anzeigeSuchen = zahl(db, QStringLiteral("AnzeigeSuchen"), 0); }

void aktualisieren(Database& db, Variablen& v) {
    if (!Parameter(db).read(QStringLiteral("Aktualisieren"))) schreiben(db, QStringLiteral("Aktualisieren"), QStringLiteral("0"));
    v.aktualisieren = zahl(db, QStringLiteral("Aktualisieren"), 0);
}

void ersterTag(Database& db, Variablen& v) { v.ersterTag = zahl(db, QStringLiteral("ErsterTag"), 60); }

void waehrung(Database& db, Variablen& v) {
    const auto row = Parameter(db).read(QStringLiteral("Währung"));
    if (!row) schreiben(db, QStringLiteral("Währung"), QStringLiteral("€"));
    v.waehrung = row ? row->text(1, QStringLiteral("€")) : QStringLiteral("€");
}

void tarife(Database& db, Variablen& v) {
    v.tarife.clear();
    Recordset rs =
        db.openRecordset(QStringLiteral(" SELECT CDbl([tblTarife].[Tarif]) AS dTarif From tblTarife  ORDER BY CDbl([tblTarife].[Tarif])"));
    for (; !rs.eof(); rs.moveNext())
        v.tarife << jetformat::format(rs.value(QStringLiteral("dTarif")), QStringLiteral("###,##0.00")).toString();
}

void stammkunden(Database& db, Variablen& v) { v.stammkunden = Parameter(db).readYesNo(QStringLiteral("Stammkunden")); }
void alleFreien(Database& db, Variablen& v) { v.alleFreien = Parameter(db).readYesNo(QStringLiteral("AlleFreien")); }

bool istNeueDatenbank(Database& db) { return !Parameter(db).read(QStringLiteral("Räumlichkeiten")); }

bool zeitDarstellung(Database& beispiel, Variablen& v) {
    const auto row = Parameter(beispiel).read(QStringLiteral("ZeitDarstellung"));
    if (!row) return false;
    v.tage = row->integer(1, v.tage);
    v.startWochentag = row->integer(2, v.startWochentag);
    return true;
}

void raeumlichkeiten(Database& db, Database& beispiel, Variablen& v) {
    if (const auto row = Parameter(db).read(QStringLiteral("Räumlichkeiten"))) v.raeume = row->integer(1, v.raeume);
    const auto anzeige = Parameter(beispiel).read(QStringLiteral("Räumlichkeiten"));
    v.sichtbareZeilen = anzeige ? anzeige->integer(2, 10) : 10;
    v.zeilenHoehe = anzeige ? anzeige->integer(3, 320) : 320;
}

void resGroesse(Database& beispiel, Variablen& v) {
    const auto row = Parameter(beispiel).read(QStringLiteral("Res_Groesse"));
    v.resGroesse = row ? row->text(1, QStringLiteral("gross")) : QStringLiteral("gross");
}

void waesche(Database& db, Variablen& v) {
    // What the running program uses for a field that is not set.
    const QStringList standard = {QStringLiteral("Handtücher"), QStringLiteral("7"),     QStringLiteral("Bettwäsche"),
                                  QStringLiteral("3"),          QStringLiteral("1"),     QStringLiteral("0"),
                                  QStringLiteral("0"),          QStringLiteral("false"), QStringLiteral("true")};
    Parameter p(db);
    const auto row = p.read(QStringLiteral("Wäsche"));
    if (!row) {
        p.write(QStringLiteral("Wäsche"),
                {qMakePair(1, QVariant(QStringLiteral("Wäsche 1"))), qMakePair(2, QVariant(QStringLiteral("7"))),
                 qMakePair(3, QVariant(QStringLiteral("Wäsche 2"))), qMakePair(4, QVariant(QStringLiteral("3")))});
        v.waesche = standard;
        return;
    }
    v.waesche.clear();
    for (int i = 1; i <= 9; ++i) v.waesche << row->text(i, standard[i - 1]);
}

bool farben(Database& db, Variablen& v) {
    const auto row = Parameter(db).read(QStringLiteral("Farben"));
    v.farben.clear();
    for (int i = 1; i <= 9; ++i) v.farben << (row && !row->isNull(i) ? quint32(row->number(i)) : standardFarbe(i));
    // The weekend nights: a little lighter than a free night, Sunday lighter still.
    v.farben << (row && !row->isNull(10) ? quint32(row->number(10)) : farbe::brighten(v.farben[0], farbe::kWochenendeHeller));
    v.farben << (row && !row->isNull(11) ? quint32(row->number(11)) : farbe::brighten(v.farben[0], farbe::kWochenendeHeller));
    return row.has_value();
}

void belegungsarten(Database& db, Variablen& v) {
    const auto row = Parameter(db).read(QStringLiteral("Belegungsarten"));
    v.belegungsartNamen.clear();
    v.hatTeilbelegt = false;
    v.teilbelegtFarbe = 0;
    for (int i = 1; i <= 9; ++i) {
        const QString name = row ? row->text(i).left(15).trimmed() : QString();
        v.belegungsartNamen << name;
        if (name.contains(QLatin1String("teilbelegt"), Qt::CaseInsensitive)) {
            v.hatTeilbelegt = true;
            v.teilbelegtFarbe = i - 1 < v.farben.size() ? v.farben[i - 1] : standardFarbe(i);
        }
    }
}

void belegArten(Database& db, Variablen& v) {
    v.belegArten.clear();
    v.angebotArt = -1;
    Recordset rs =
        db.openRecordset(QStringLiteral("SELECT BelegungsID, BelegungsArt FROM tbBelegArten WHERE BelegungsID <> 0 ORDER BY BelegungsID"));
    for (; !rs.eof(); rs.moveNext()) {
        BelegArt art{rs.integer(QStringLiteral("BelegungsID")), rs.text(QStringLiteral("BelegungsArt"))};
        if (art.name.compare(QLatin1String("angebot"), Qt::CaseInsensitive) == 0) v.angebotArt = art.id;
        v.belegArten << art;
    }
}

void reNummer(Database& db, Variablen& v) { v.reNummer = felder(db, QStringLiteral("ReNummer"), 5); }
void beNummer(Database& db, Variablen& v) { v.beNummer = felder(db, QStringLiteral("BeNummer"), 4); }

void zimVonBis(Database& db, Variablen& v) {
    if (const auto row = Parameter(db).read(QStringLiteral("ZimVonBis"))) {
        v.zimVon = row->integer(1, v.zimVon);
        v.zimBis = row->integer(2, v.zimBis);
    }
}

}  // namespace tav::einstellungen
