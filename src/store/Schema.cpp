#include "store/Schema.h"

#include "engine/JetText.h"

namespace tav::schema {

namespace {

FieldDef text(const QString& n, int size = 50) { return FieldDef::text(n, size); }
FieldDef memo(const QString& n) { return FieldDef::of(n, JetType::Memo); }
FieldDef lng(const QString& n) { return FieldDef::of(n, JetType::Long); }
FieldDef integer(const QString& n) { return FieldDef::of(n, JetType::Integer); }
FieldDef dbl(const QString& n) { return FieldDef::of(n, JetType::Double); }
FieldDef date(const QString& n) { return FieldDef::of(n, JetType::Date); }
FieldDef yesno(const QString& n) { return FieldDef::of(n, JetType::Boolean); }
FieldDef counter(const QString& n) { return FieldDef::autoNumber(n); }

IndexDef index(const QString& name, QStringList fields, bool unique = false) { return {name, std::move(fields), unique}; }

TableEntry table(Home home, const QString& name, QList<FieldDef> fields, QStringList key = {}, QList<IndexDef> indexes = {}) {
    TableDef def;
    def.name = name;
    def.fields = std::move(fields);
    def.primaryKey = std::move(key);
    def.indexes = std::move(indexes);
    for (const FieldDef& f : def.fields)
        if (f.counter) def.primaryKey = {f.name};
    return {def, home};
}

QList<TableEntry> build() {
    QList<TableEntry> t;
    const Home C = Home::Central, W = Home::Working, H = Home::Holiday;

    // ---- bookings --------------------------------------------------------------------
    t << table(
        C, QStringLiteral("tblBelegung"),
        {counter(QStringLiteral("ID")),
         lng(QStringLiteral("Zimmernummer")),
         date(QStringLiteral("Von")),
         date(QStringLiteral("Bis")),
         lng(QStringLiteral("AnzahlÜbernachtungen")),
         lng(QStringLiteral("GastID")),
         lng(QStringLiteral("IDAdressRechnung")),
         integer(QStringLiteral("Belegungsart")),
         text(QStringLiteral("Kürzel")),
         integer(QStringLiteral("AnzahlGäste")),
         integer(QStringLiteral("Anz_Kinder")),
         text(QStringLiteral("Alter_Kinder")),
         yesno(QStringLiteral("Frühstück")),
         yesno(QStringLiteral("Mittag")),
         yesno(QStringLiteral("Abendessen")),
         integer(QStringLiteral("Wäsche1")),
         integer(QStringLiteral("Wäsche2")),
         dbl(QStringLiteral("PreisProNacht")),
         dbl(QStringLiteral("Preis")),
         yesno(QStringLiteral("Fix")),
         text(QStringLiteral("Info"), 255),
         lng(QStringLiteral("BelegNummer")),
         text(QStringLiteral("BelegNummer_eigen")),
         yesno(QStringLiteral("Checked")),
         yesno(QStringLiteral("Gelöscht")),
         integer(QStringLiteral("Abgerechnet")),
         text(QStringLiteral("Abg_Temp")),
         text(QStringLiteral("IST_Geteilt")),
         text(QStringLiteral("Re_text"), 255),
         text(QStringLiteral("Zahlart")),
         text(QStringLiteral("WerErstellt")),
         date(QStringLiteral("WannErstellt")),
         text(QStringLiteral("WerGeändert")),
         date(QStringLiteral("WannGeändert"))},
        {},
        {index(QStringLiteral("ZimmerVon"), {QStringLiteral("Zimmernummer"), QStringLiteral("Von")}),
         index(QStringLiteral("Von"), {QStringLiteral("Von")}),
         // The plan asks for the bookings of a date window, of one night of a room and of
         // one night of the waiting row; with the arrival beside the departure these are
         // answered from the index alone.
         index(QStringLiteral("Bis"), {QStringLiteral("Bis"), QStringLiteral("Von")}),
         index(QStringLiteral("GelöschtZimmer"),
               {QStringLiteral("Gelöscht"), QStringLiteral("Zimmernummer"), QStringLiteral("Bis"), QStringLiteral("Von")}),
         // The free rooms of a range ask for the rooms of the bookings that arrive in it or
         // leave in it, among the bookings not deleted: with the deleted flag first and the
         // room last, each part of that question reads only the bookings around the range
         // from the index alone, however long the history. Each of the two holds every
         // field of that question, or SQLite prefers reading all bookings not deleted
         // from the one that does.
         index(QStringLiteral("GelöschtVon"),
               {QStringLiteral("Gelöscht"), QStringLiteral("Von"), QStringLiteral("Bis"), QStringLiteral("Zimmernummer")}),
         index(QStringLiteral("GelöschtBis"),
               {QStringLiteral("Gelöscht"), QStringLiteral("Bis"), QStringLiteral("Von"), QStringLiteral("Zimmernummer")}),
         index(QStringLiteral("GastID"), {QStringLiteral("GastID")}),
         index(QStringLiteral("IDAdressRechnung"), {QStringLiteral("IDAdressRechnung")}),
         index(QStringLiteral("Kürzel"), {QStringLiteral("Kürzel")}), index(QStringLiteral("BelegNummer"), {QStringLiteral("BelegNummer")}),
         // The save tests that no other booking carries the printed number.
         index(QStringLiteral("BelegNummer_eigen"), {QStringLiteral("BelegNummer_eigen")}),
         // The booking list recomputes Abg_Temp from the bookings still to settle and the
         // bookings whose flag is not "Ja": both are few in a long history, and these two
         // find them without reading the settled years.
         index(QStringLiteral("Abgerechnet"), {QStringLiteral("Abgerechnet"), QStringLiteral("Gelöscht")}),
         index(QStringLiteral("Abg_Temp"), {QStringLiteral("Abg_Temp"), QStringLiteral("Von")})});

    // How far the booking numbers and the document keys run from 1 without a gap, kept in
    // step by triggers on their tables (Nummernstand.h): the next free number is found without
    // reading every number of the history.
    t << table(C, QStringLiteral("tbBelegNummernStand"), {lng(QStringLiteral("Lueckenlos"))});
    t << table(W, QStringLiteral("tbReNummernStand"), {lng(QStringLiteral("Lueckenlos"))});

    t << table(W, QStringLiteral("tbBelegArten"), {integer(QStringLiteral("BelegungsID")), text(QStringLiteral("BelegungsArt"))},
               {QStringLiteral("BelegungsID")});

    t << table(W, QStringLiteral("tbBlockbuchung"),
               {integer(QStringLiteral("IDBlockbuchung")), integer(QStringLiteral("IDBelegung")), date(QStringLiteral("WannAngelegt")),
                text(QStringLiteral("BlVorname")), text(QStringLiteral("BlNachname")), yesno(QStringLiteral("Master"))},
               {},
               {index(QStringLiteral("IDBelegung"), {QStringLiteral("IDBelegung")}),
                index(QStringLiteral("IDBlockbuchung"), {QStringLiteral("IDBlockbuchung")})});

    t << table(C, QStringLiteral("WeitereGäste"),
               {counter(QStringLiteral("ID_Gast")), lng(QStringLiteral("ID_Belegung")), lng(QStringLiteral("ID_Adresse")),
                text(QStringLiteral("Anrede")), text(QStringLiteral("Name")), text(QStringLiteral("Vorname")),
                text(QStringLiteral("Strasse")), text(QStringLiteral("PLZ")), text(QStringLiteral("Ort")), text(QStringLiteral("Land"))},
               {},
               {index(QStringLiteral("ID_Belegung"), {QStringLiteral("ID_Belegung")}),
                index(QStringLiteral("ID_Adresse"), {QStringLiteral("ID_Adresse")})});

    // ---- rooms and prices -------------------------------------------------------------
    t << table(W, QStringLiteral("tbZimmernummern"),
               {lng(QStringLiteral("Zimmernummer")), text(QStringLiteral("NeueNummer")), text(QStringLiteral("Bemerkungen"), 255),
                yesno(QStringLiteral("Raucher")), integer(QStringLiteral("Zusatz1")), integer(QStringLiteral("Zusatz2")),
                integer(QStringLiteral("AnzahlGästeDefault")), dbl(QStringLiteral("PreisDefault")), dbl(QStringLiteral("PreisHauptsaison")),
                dbl(QStringLiteral("PreisZwischensaison")), dbl(QStringLiteral("PreisNebensaison")),
                dbl(QStringLiteral("PreisSondersaison")), text(QStringLiteral("KatBlockbuchung")), lng(QStringLiteral("Reihenfolge_Hilf"))},
               {QStringLiteral("Zimmernummer")}, {index(QStringLiteral("NeueNummer"), {QStringLiteral("NeueNummer")})});

    t << table(W, QStringLiteral("tbZusätze"),
               {integer(QStringLiteral("ZusatzFeld")), text(QStringLiteral("Beschriftung")), text(QStringLiteral("Bedeutung"), 255),
                lng(QStringLiteral("Farbe")), integer(QStringLiteral("Spalte"))},
               {QStringLiteral("ZusatzFeld")});

    t << table(W, QStringLiteral("tblTarife"), {text(QStringLiteral("Tarif"))});

    t << table(W, QStringLiteral("tbSaisonzeiten"),
               {counter(QStringLiteral("idSaisonzeiten")), text(QStringLiteral("Saisonbezeichnung")), date(QStringLiteral("Start")),
                date(QStringLiteral("Ende"))},
               {}, {index(QStringLiteral("Start"), {QStringLiteral("Start")})});

    t << table(W, QStringLiteral("tbFeiertage"),
               {lng(QStringLiteral("IDFeiertage")), text(QStringLiteral("FTBezeichnung")), date(QStringLiteral("FTDatum"))},
               {QStringLiteral("IDFeiertage")}, {index(QStringLiteral("FTDatum"), {QStringLiteral("FTDatum")})});

    // ---- addresses --------------------------------------------------------------------
    QList<FieldDef> address = {
        counter(QStringLiteral("ID")),       text(QStringLiteral("Lastname")),     text(QStringLiteral("Firstname")),
        text(QStringLiteral("CompanyName")), text(QStringLiteral("Address")),      text(QStringLiteral("postalcode")),
        text(QStringLiteral("city")),        text(QStringLiteral("Country")),      lng(QStringLiteral("IDLand")),
        text(QStringLiteral("phone")),       text(QStringLiteral("Tele-Fax")),     text(QStringLiteral("EMAIL")),
        text(QStringLiteral("Anrede")),      lng(QStringLiteral("IDAnrede")),      text(QStringLiteral("BemerkAdr"), 255),
        integer(QStringLiteral("OwnerID")),  text(QStringLiteral("WerErstellt")),  date(QStringLiteral("WannErstellt")),
        text(QStringLiteral("WerGeändert")), date(QStringLiteral("WannGeändert")),
    };
    for (int i = 1; i <= 5; ++i) address << text(QStringLiteral("BenutztVon%1").arg(i));
    for (int i = 1; i <= 5; ++i) address << text(QStringLiteral("Herkunft%1").arg(i));
    address << lng(QStringLiteral("IDÜberAdresse")) << text(QStringLiteral("KKNummer")) << date(QStringLiteral("KKGültigBis"))
            << lng(QStringLiteral("IDKreditkarte")) << text(QStringLiteral("PLZPostfach")) << text(QStringLiteral("Postfach"))
            << text(QStringLiteral("Adressnummer")) << text(QStringLiteral("Region")) << memo(QStringLiteral("Data"))
            << text(QStringLiteral("Matchcode")) << text(QStringLiteral("Branche")) << text(QStringLiteral("Hilfsfeld"))
            << yesno(QStringLiteral("NeuAngelegt")) << yesno(QStringLiteral("GelöschtAdr")) << lng(QStringLiteral("IDKategorie"))
            << text(QStringLiteral("Beruf")) << lng(QStringLiteral("IDStatus")) << lng(QStringLiteral("IDBewertung"))
            << lng(QStringLiteral("IDKlasse")) << text(QStringLiteral("Internet"), 255) << text(QStringLiteral("EMailGeschäft"))
            << text(QStringLiteral("FaxGeschäft")) << text(QStringLiteral("Handy")) << text(QStringLiteral("HandyGeschäft"))
            << date(QStringLiteral("Geburtstag")) << text(QStringLiteral("TelGeschäft"));
    t << table(
        C, QStringLiteral("Address"), address, {},
        {index(QStringLiteral("Lastname"), {QStringLiteral("Lastname")}), index(QStringLiteral("IDLand"), {QStringLiteral("IDLand")}),
         index(QStringLiteral("city"), {QStringLiteral("city")}),
         // The quick search holds each of its four fields against the range of texts that
         // start with the typed word: every field needs its index for that.
         index(QStringLiteral("Firstname"), {QStringLiteral("Firstname")}), index(QStringLiteral("Address"), {QStringLiteral("Address")})});

    t << table(C, QStringLiteral("tbLänder"),
               {counter(QStringLiteral("ID")), text(QStringLiteral("Länder")), text(QStringLiteral("LänderSchlüssel"), 10)});
    t << table(C, QStringLiteral("tbAnreden"), {counter(QStringLiteral("IDAnrede")), text(QStringLiteral("Anrede"))});
    t << table(C, QStringLiteral("tbKreditkarte"), {counter(QStringLiteral("IDKreditkarte")), text(QStringLiteral("Kreditkarte"))});
    t << table(C, QStringLiteral("tbAdress_zu_Adress"), {lng(QStringLiteral("IDAdresseOber")), lng(QStringLiteral("idAdresseUnter"))});
    t << table(C, QStringLiteral("tbAdresskategorie"),
               {counter(QStringLiteral("IDAdresskategorie")), text(QStringLiteral("AdressKatName")),
                text(QStringLiteral("AdressKatBemerkung"), 255)});
    t << table(C, QStringLiteral("tbAdress_zu_Adresskategorie"),
               {lng(QStringLiteral("IDAdresse")), lng(QStringLiteral("IDAdressKategorie"))});
    t << table(C, QStringLiteral("tbAdress_zu_Ergebnis"), {lng(QStringLiteral("IDAdresse"))});
    t << table(C, QStringLiteral("tbAnsprechpartner"),
               {counter(QStringLiteral("IDAnsprechpartner")), lng(QStringLiteral("IDAdresse")), text(QStringLiteral("Name")),
                text(QStringLiteral("Vorname"))});
    t << table(H, QStringLiteral("tbPLZ"), {text(QStringLiteral("PLZ"), 10), text(QStringLiteral("Ort"))}, {},
               {index(QStringLiteral("PLZ"), {QStringLiteral("PLZ")})});

    // ---- documents, items, VAT, articles ---------------------------------------------
    t << table(W, QStringLiteral("tbRechnungen"),
               {lng(QStringLiteral("ReNummer")), text(QStringLiteral("Renummer_eigen")), lng(QStringLiteral("ReZaehler")),
                lng(QStringLiteral("Beszaehler")), text(QStringLiteral("IST_Rechnung"), 1), date(QStringLiteral("DatumRe")),
                lng(QStringLiteral("IDAdresseRe")), text(QStringLiteral("Zahlart")), date(QStringLiteral("BezahltDatumRe")),
                text(QStringLiteral("Anzahlung"), 1), text(QStringLiteral("Anz_Vor_Reise"), 1), dbl(QStringLiteral("Rabatt_Proz")),
                dbl(QStringLiteral("Rabatt_Betrag")), text(QStringLiteral("Rabatt_Bezeichnung")), dbl(QStringLiteral("Skonto_Proz")),
                dbl(QStringLiteral("BetragBrutto")), dbl(QStringLiteral("BetragMWST")), text(QStringLiteral("RE_TEXT1"), 255),
                text(QStringLiteral("RE_TEXT2"), 255)},
               {QStringLiteral("ReNummer")},
               {index(QStringLiteral("Renummer_eigen"), {QStringLiteral("Renummer_eigen")}),
                index(QStringLiteral("IDAdresseRe"), {QStringLiteral("IDAdresseRe")}),
                // The next counter reads the highest and the 51 values below it.
                index(QStringLiteral("ReZaehler"), {QStringLiteral("ReZaehler")}),
                index(QStringLiteral("Beszaehler"), {QStringLiteral("Beszaehler")})});
    t << table(W, QStringLiteral("tbRechnungen_zu_Posten"),
               {lng(QStringLiteral("IDRechnung")), lng(QStringLiteral("IDBelegung")), lng(QStringLiteral("IDPostenRe")),
                lng(QStringLiteral("Reihenfolge"))},
               {},
               {index(QStringLiteral("IDRechnung"), {QStringLiteral("IDRechnung")}),
                index(QStringLiteral("IDBelegung"), {QStringLiteral("IDBelegung")}),
                index(QStringLiteral("IDPostenRe"), {QStringLiteral("IDPostenRe")})});
    t << table(W, QStringLiteral("tbRePosten"),
               {counter(QStringLiteral("IDRePosten")), lng(QStringLiteral("IDBelegung")), text(QStringLiteral("ArtikelPo"), 255),
                dbl(QStringLiteral("MengePo")), dbl(QStringLiteral("PreisPo")), lng(QStringLiteral("IDSteuerschlüssel")),
                text(QStringLiteral("BemerkungPo"), 255), date(QStringLiteral("DatumPo")), date(QStringLiteral("DatumPoBis")),
                yesno(QStringLiteral("KeinDatum")), integer(QStringLiteral("AnzGästePo")), lng(QStringLiteral("IDAdressePo")),
                text(QStringLiteral("AbgerechnetPo")), text(QStringLiteral("IST_Belegung"), 1)},
               {},
               {index(QStringLiteral("IDBelegung"), {QStringLiteral("IDBelegung")}),
                index(QStringLiteral("IDAdressePo"), {QStringLiteral("IDAdressePo")}),
                // The items not yet settled, for the recompute of the booking list's Abg_Temp.
                index(QStringLiteral("AbgerechnetPo"), {QStringLiteral("AbgerechnetPo"), QStringLiteral("IDBelegung")})});
    t << table(W, QStringLiteral("tbSteuerschluessel"),
               {lng(QStringLiteral("IDSteuerschluessel")), dbl(QStringLiteral("Steuersatz")), date(QStringLiteral("GUeltigseit")),
                date(QStringLiteral("GUeltigBis")), yesno(QStringLiteral("Standard")), lng(QStringLiteral("IDNachfolger"))},
               {QStringLiteral("IDSteuerschluessel")});
    t << table(W, QStringLiteral("tbArtKategorie"),
               {lng(QStringLiteral("IDArtKategorie")), text(QStringLiteral("ArtKategorie")), dbl(QStringLiteral("Preis")),
                lng(QStringLiteral("MWST_SL")), text(QStringLiteral("Bem_ArtKategorie"), 255), yesno(QStringLiteral("KeinDatum"))},
               {QStringLiteral("IDArtKategorie")});
    t << table(W, QStringLiteral("tbRabatt_text"), {text(QStringLiteral("Rabatt_Text"))});
    t << table(W, QStringLiteral("tbRabatt_betrag"), {dbl(QStringLiteral("Rabatt_betrag"))});

    // ---- payments ---------------------------------------------------------------------
    t << table(W, QStringLiteral("tbZahlung"),
               {counter(QStringLiteral("IDZahlung")), lng(QStringLiteral("IdRechnung")), lng(QStringLiteral("IDBelegung")),
                date(QStringLiteral("ZahlDatum")), dbl(QStringLiteral("Betrag")), text(QStringLiteral("Zahlart")),
                text(QStringLiteral("WasBezahlt")), text(QStringLiteral("Zahlung_Bem"), 255)},
               {},
               {index(QStringLiteral("IdRechnung"), {QStringLiteral("IdRechnung")}),
                index(QStringLiteral("IDBelegung"), {QStringLiteral("IDBelegung")})});
    t << table(W, QStringLiteral("tbZahlart"), {counter(QStringLiteral("IDZahlart")), text(QStringLiteral("Zahlarten"))});
    t << table(W, QStringLiteral("tbKategorie"), {counter(QStringLiteral("IDKategorie")), text(QStringLiteral("blKategorie"))});

    // ---- settings -----------------------------------------------------------------------
    QList<FieldDef> parameter = {text(QStringLiteral("Satz"))};
    for (int i = 1; i <= 28; ++i) parameter << text(QStringLiteral("F%1").arg(i), 255);
    t << table(W, QStringLiteral("tblParameter"), parameter, {QStringLiteral("Satz")});
    t << table(W, QStringLiteral("tblTexte"),
               {counter(QStringLiteral("ID")), text(QStringLiteral("Textbaustein")), memo(QStringLiteral("Inhalt"))}, {},
               {index(QStringLiteral("Textbaustein"), {QStringLiteral("Textbaustein")}, true)});
    t << table(W, QStringLiteral("TblHilfeDarstellung"), {yesno(QStringLiteral("WahrNichtWahr")), text(QStringLiteral("Beschreibung"))});
    t << table(W, QStringLiteral("tbSpaltenbreiten"),
               {text(QStringLiteral("Formular")), text(QStringLiteral("Steuerelement")), integer(QStringLiteral("AnzSpalten")),
                text(QStringLiteral("Breiten"), 255)},
               {QStringLiteral("Formular"), QStringLiteral("Steuerelement")});
    return t;
}

}  // namespace

const QList<TableEntry>& tables() {
    static const QList<TableEntry> all = build();
    return all;
}

QList<TableDef> tablesOf(Home home) {
    QList<TableDef> out;
    for (const TableEntry& s : tables())
        if (s.home == home) out << s.def;
    return out;
}

const TableEntry* find(const QString& name) {
    for (const TableEntry& s : tables())
        if (jettext::compare(s.def.name, name) == 0) return &s;
    return nullptr;
}

QStringList centralTablesLinkedIntoWorking() { return {QStringLiteral("tblBelegung"), QStringLiteral("Address")}; }

}  // namespace tav::schema
