#include "reservation/AdressLogik.h"
#include "store/Datenbankfehler.h"

#include <QDir>
#include <QFile>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/SqlText.h"
#include "platform/Clock.h"
#include "platform/DataFile.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/UserName.h"
#include "reservation/LikeMuster.h"
#include "store/Adressmarken.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"

namespace tav {

namespace {

const QString kTitelSpeichern = QStringLiteral("Adresse speichern");
const QString kTitelKorrektur = QStringLiteral("Korrektur vorhandener Reservierungsdaten");
const QString kTitelListe = QStringLiteral("Listeneinträge löschen");
const QString kFrageEntfernen = QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?");
const QString kNochBenutzt = QStringLiteral("Der Eintrag wird noch benutzt, und kann deshalb nicht entfernt werden.");

// The address with its country and salutation.
const QString kAdresseLaden = QStringLiteral(
    "SELECT Address.*, tbLänder.Länder, tbAnreden.Anrede AS Anreden "
    "FROM (Address LEFT JOIN tbLänder ON Address.IDLand = tbLänder.ID) "
    "LEFT JOIN tbAnreden ON Address.IDAnrede = tbAnreden.IDAnrede WHERE Address.ID = ?");

QVariant textOderNull(const QString& s) {
    const QString t = s.trimmed();
    return t.isEmpty() ? QVariant() : QVariant(t);
}

}  // namespace

AdressUmgebung AdressUmgebung::ausVariablen() {
    const Variablen& v = variablen();
    AdressUmgebung u;
    u.instanz = v.instanz;
    u.programmName = v.titel;
    u.programmordner = v.programmordner.isEmpty() ? files::programFolder() : v.programmordner;
    u.plzDatei = files::join(u.programmordner, dbfiles::kHolidayFile);
    u.stammkundenVorgabe = v.stammkunden;
    return u;
}

AdressLogik::AdressLogik(Database& db, Dialogs& dialogs, AdressUmgebung umgebung, QObject* parent)
    : QObject(parent), db_(db), dialogs_(dialogs), umgebung_(std::move(umgebung)) {
    felder_.land = kDeutschland;
}

// ---- fields ---------------------------------------------------------------------------

QString& AdressLogik::ref(AdressFeld f) {
    switch (f) {
        case AdressFeld::Nachname: return felder_.nachname;
        case AdressFeld::Vorname: return felder_.vorname;
        case AdressFeld::Strasse: return felder_.strasse;
        case AdressFeld::Plz: return felder_.plz;
        case AdressFeld::Ort: return felder_.ort;
        case AdressFeld::Land: return felder_.land;
        case AdressFeld::Telefon: return felder_.telefon;
        case AdressFeld::Fax: return felder_.fax;
        case AdressFeld::Email: return felder_.email;
        case AdressFeld::Anrede: return felder_.anrede;
        case AdressFeld::Firma: return felder_.firma;
        case AdressFeld::Bemerkung: return felder_.bemerkung;
    }
    return felder_.bemerkung;
}

QString AdressLogik::feld(AdressFeld f) const { return const_cast<AdressLogik*>(this)->ref(f); }

void AdressLogik::setFeld(AdressFeld f, const QString& text) {
    QString& r = ref(f);
    if (r == text) return;
    r = text;
    felder_.geaendert = true;
}

void AdressLogik::setStammkunde(bool ja) {
    if (felder_.stammkunde == ja) return;
    felder_.stammkunde = ja;
    felder_.geaendert = true;
}

void AdressLogik::leeren() {
    const AdressModus modus = felder_.modus;
    felder_ = AdressFelder{};
    felder_.modus = modus;
    felder_.land = kDeutschland;
}

// ---- lists ----------------------------------------------------------------------------

QList<AdressEintrag> AdressLogik::adressListe(Database& db) {
    QList<AdressEintrag> out;
    Recordset rs =
        db.openRecordset(QStringLiteral("SELECT Address.ID, address.LastName, (address.LastName & ', ' & address.Firstname  & ', ' & "
                                        "address.PostalCode & ' ' & address.city) as sName   FROM Address") +
                         QStringLiteral(" ORDER BY Address.LastName;"));
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("ID")), rs.text(QStringLiteral("LastName")), rs.text(QStringLiteral("sName"))});
    return out;
}

QList<ListenEintrag> AdressLogik::laender() const {
    QList<ListenEintrag> out;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT tbLänder.Länder ,tbLänder.ID From tbLänder ORDER BY tbLänder.Länder"));
         !rs.eof(); rs.moveNext())
        if (!rs.text(QStringLiteral("Länder")).trimmed().isEmpty())  // an empty entry names no country
            out.push_back({rs.integer(QStringLiteral("ID")), rs.text(QStringLiteral("Länder"))});
    return out;
}

QStringList AdressLogik::anreden() const {
    QStringList out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tbAnreden.Anrede  From tbAnreden ORDER BY tbAnreden.Anrede; "));
         !rs.eof(); rs.moveNext())
        if (!rs.text(QStringLiteral("Anrede")).trimmed().isEmpty()) out << rs.text(QStringLiteral("Anrede"));
    return out;
}

int AdressLogik::listenId(const QString& sql, const QString& text) const {
    if (text.trimmed().isEmpty()) return 0;
    const QVariant id = db_.scalar(sql, {text.trimmed()});
    return id.isNull() ? 0 : id.toInt();
}

// ---- finding ----------------------------------------------------------------------------

bool AdressLogik::tasteErlaubt(QChar c) { return c != QLatin1Char('~') && c != QLatin1Char('\'') && c != QLatin1Char(';'); }

namespace {
// The addresses whose last name starts with the text, compared in lower case. The Like
// decides; the range on the indexed last name keeps the engine from reading every address:
// a name that starts with the text sorts between the text itself and the text followed by
// the highest character. The index also gives the order, so the first hit is found without
// reading the others.
const QString kNamensanfang = QStringLiteral(
    "Select ID, Lastname from Address Where format(lastname,'<') like ? "
    "And Lastname >= ? And Lastname < ? order by lastname, ID");

QVariantList namensanfang(const QString& text) { return {like::anfang(text.toLower()), text, like::obergrenze(text)}; }
}  // namespace

QList<int> AdressLogik::alleTreffer(const QString& sName) const {
    QList<int> out;
    if (sName.isEmpty()) return out;
    for (Recordset rs = db_.openRecordset(kNamensanfang, namensanfang(sName)); !rs.eof(); rs.moveNext())
        out << rs.integer(QStringLiteral("ID"));
    return out;
}

int AdressLogik::AdrSuchen(const QString& sName) const {
    if (sName.isEmpty()) return 0;
    const QVariant id = db_.scalar(kNamensanfang, namensanfang(sName));
    return id.isNull() ? 0 : id.toInt();
}

bool AdressLogik::AdrSuchenID(int id) const {
    return !db_.openRecordset(QStringLiteral("Select ID, Lastname from Address Where ID = ?"), {id}).eof();
}

int AdressLogik::tippen(const QString& text) {
    if (felder_.modus != AdressModus::Anzeigen) {
        // A new or changed address is being typed: the box holds its last name.
        setFeld(AdressFeld::Nachname, text);
        return 0;
    }
    suchtext_ = text;
    treffer_.reset();
    const int erster = AdrSuchen(text);
    if (erster != 0) {
        abgelehnterName_.clear();
        laden(erster);
        return erster;
    }
    if (text.isEmpty()) {
        abgelehnterName_.clear();
        return 0;
    }
    leeren();
    felder_.nachname = text;
    emit felderGeaendert();
    // Asked once per name: after Cancel, typing on (or back) in the same name asks no more.
    if (!abgelehnterName_.isEmpty() &&
        (text.startsWith(abgelehnterName_, Qt::CaseInsensitive) || abgelehnterName_.startsWith(text, Qt::CaseInsensitive)))
        return 0;
    if (dialogs_.message(QStringLiteral("Neue Adresse anlegen?"), {}, Buttons::OkCancel, Icon::Question) == Answer::Ok) {
        abgelehnterName_.clear();
        cmdNeuAdress(text);
    } else {
        abgelehnterName_ = text;
    }
    return 0;
}

const QList<int>& AdressLogik::treffer() const {
    // Only the arrow keys need every hit; typing reads just the first.
    if (!treffer_) treffer_ = alleTreffer(suchtext_);
    return *treffer_;
}

int AdressLogik::blaettern(int schritt) {
    const QList<int>& alle = treffer();
    if (alle.isEmpty()) return 0;
    const qsizetype jetzt = alle.indexOf(felder_.id);
    const qsizetype ziel = jetzt < 0 ? 0 : qBound<qsizetype>(0, jetzt + schritt, alle.size() - 1);
    laden(alle[ziel]);
    return alle[ziel];
}

int AdressLogik::naechsterTreffer() { return blaettern(1); }
int AdressLogik::vorigerTreffer() { return blaettern(-1); }

bool AdressLogik::laden(int id) {
    Recordset rs = db_.openRecordset(kAdresseLaden, {id});
    if (rs.eof()) return false;
    AdressFelder f;
    f.id = id;
    f.nachname = rs.text(QStringLiteral("Lastname"));
    f.vorname = rs.text(QStringLiteral("Firstname"));
    f.strasse = rs.text(QStringLiteral("Address"));
    f.plz = rs.text(QStringLiteral("postalcode"));
    f.ort = rs.text(QStringLiteral("city"));
    const QString liste = rs.text(QStringLiteral("Länder"));
    f.land = liste.isEmpty() ? rs.text(QStringLiteral("Country")) : liste;
    f.telefon = rs.text(QStringLiteral("phone"));
    f.fax = rs.text(QStringLiteral("Tele-Fax"));
    f.email = rs.text(QStringLiteral("EMAIL"));
    const QString anrede = rs.text(QStringLiteral("Anreden"));
    f.anrede = anrede.isEmpty() ? rs.text(QStringLiteral("Address.Anrede")) : anrede;
    f.firma = rs.text(QStringLiteral("CompanyName"));
    f.bemerkung = rs.text(QStringLiteral("BemerkAdr"));
    f.stammkunde = rs.integer(QStringLiteral("OwnerID")) == 1;
    f.modus = AdressModus::Anzeigen;
    f.geaendert = false;
    felder_ = f;
    emit felderGeaendert();
    return true;
}

int AdressLogik::rechnungsadresseTippen(const QString& text) {
    rechnungId_ = AdrSuchen(text);
    return rechnungId_;
}

void AdressLogik::setRechnungsadresse(int addressId) { rechnungId_ = addressId; }

bool AdressLogik::adresseUebernehmen(int id, bool rechnungsadresseHatFokus) {
    if (id == 0 || id == (rechnungsadresseHatFokus ? rechnungId_ : felder_.id) || !AdrSuchenID(id)) return false;
    if (dialogs_.message(QStringLiteral("Adresse übernehmen?"), QStringLiteral("Adresse übernehmen"), Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    if (rechnungsadresseHatFokus) {
        rechnungId_ = id;
        return true;
    }
    return laden(id);
}

bool AdressLogik::rechnungsadresseAlsGast() {
    if (rechnungId_ == 0) return false;
    return laden(rechnungId_);
}

// ---- modes and saving -------------------------------------------------------------------

bool AdressLogik::cmdEditAdress() {
    if (felder_.id == 0) {
        dialogs_.message(QStringLiteral("Es ist keine Adresse zum Ändern ausgewählt."), {}, Buttons::Ok, Icon::Information);
        return false;
    }
    felder_.modus = AdressModus::Aendern;
    emit felderGeaendert();
    return true;
}

void AdressLogik::cmdNeuAdress(const QString& nachname) {
    felder_ = AdressFelder{};
    felder_.nachname = nachname;
    felder_.land = kDeutschland;
    felder_.stammkunde = umgebung_.stammkundenVorgabe;
    felder_.modus = AdressModus::Neu;
    suchtext_.clear();
    treffer_.reset();
    emit felderGeaendert();
}

bool AdressLogik::AdressSpeichern() {
    if (felder_.nachname.trimmed().size() < 3) {
        dialogs_.message(QStringLiteral("Bitte den Namen des Gastes eingeben. Der Name muss mindestens drei Zeichen lang sein."),
                         kTitelSpeichern, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (felder_.land.trimmed().isEmpty()) {
        dialogs_.message(QStringLiteral("Bitte das Herkunftsland  des Gastes eingeben"), kTitelSpeichern, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    bool neu = felder_.modus == AdressModus::Neu;
    if (!neu && felder_.id == 0) {
        if (felder_.modus != AdressModus::Aendern &&
            dialogs_.message(QStringLiteral("Möchten Sie eine neue Adresse mit diesen Daten anlegen?"), kTitelSpeichern, Buttons::OkCancel,
                             Icon::Question) != Answer::Ok)
            return false;
        neu = true;
    }
    int id = 0;
    try {
        Recordset rs;
        if (!neu) {
            rs = db_.openRecordset(QStringLiteral("SELECT Address.*, Address.ID as AdID From Address WHERE (((Address.ID)=?));"),
                                   {felder_.id});
            // Deleted by another program in the meantime: the typed data are kept as a new row.
            neu = rs.eof();
        }
        const QDateTime jetzt = Clock::current().now();
        if (neu) {
            rs = db_.openRecordset(QStringLiteral("SELECT Address.* , Address.ID as AdID FROM Address"));
            rs.addNew();
            rs.setValue(QStringLiteral("WerErstellt"), userName());
            rs.setValue(QStringLiteral("WannErstellt"), jetzt);
        } else {
            rs.edit();
        }
        const int landId = listenId(QStringLiteral("SELECT tbLänder.ID From tbLänder WHERE tbLänder.Länder = ?"), felder_.land);
        const int anredeId =
            listenId(QStringLiteral("SELECT tbAnreden.IDAnrede From tbAnreden WHERE tbAnreden.Anrede = ?"), felder_.anrede);
        rs.setValue(QStringLiteral("OwnerID"), felder_.stammkunde ? 1 : 0);
        rs.setValue(QStringLiteral("Lastname"), felder_.nachname.trimmed());
        rs.setValue(QStringLiteral("Firstname"), textOderNull(felder_.vorname));
        rs.setValue(QStringLiteral("phone"), textOderNull(felder_.telefon));
        rs.setValue(QStringLiteral("Tele-Fax"), textOderNull(felder_.fax));
        rs.setValue(QStringLiteral("Address"), textOderNull(felder_.strasse));
        rs.setValue(QStringLiteral("postalcode"), textOderNull(felder_.plz));
        rs.setValue(QStringLiteral("city"), textOderNull(felder_.ort));
        rs.setValue(QStringLiteral("Country"), felder_.land.trimmed());
        rs.setValue(QStringLiteral("IDLand"), landId == 0 ? QVariant() : QVariant(landId));
        rs.setValue(QStringLiteral("BemerkAdr"), textOderNull(felder_.bemerkung));
        rs.setValue(QStringLiteral("EMAIL"), textOderNull(felder_.email));
        rs.setValue(QStringLiteral("Anrede"), textOderNull(felder_.anrede));
        // The salutation's key follows its text, so that other programs show the same one.
        rs.setValue(QStringLiteral("IDAnrede"), anredeId == 0 ? QVariant() : QVariant(anredeId));
        rs.setValue(QStringLiteral("CompanyName"), textOderNull(felder_.firma));
        rs.setValue(QStringLiteral("WerGeändert"), userName());
        rs.setValue(QStringLiteral("WannGeändert"), jetzt);
        rs.update();
        id = rs.lastModified(QStringLiteral("ID")).toInt();
    } catch (const DatabaseError& e) {
        dialogs_.message(datenbankFehlertext(QStringLiteral("Die Adresse konnte nicht gespeichert werden."), e), kTitelSpeichern,
                         Buttons::Ok, Icon::Critical);
        return false;
    }
    felder_.id = id;
    felder_.modus = AdressModus::Anzeigen;
    felder_.geaendert = false;
    // The word processor's data source; a failed write does not undo the saved address.
    Adress_Export(id, umgebung_.programmordner);
    emit adressenGeaendert();
    emit felderGeaendert();
    return true;
}

QString AdressLogik::anfuehrungszeichenAusgleichen(const QString& text) {
    return text.count(QLatin1Char('"')) % 2 == 1 ? text + QLatin1Char('"') : text;
}

void AdressLogik::feldVerlassen(AdressFeld f) {
    if (f == AdressFeld::Plz || f == AdressFeld::Land) return;
    QString& r = ref(f);
    const QString ausgeglichen = anfuehrungszeichenAusgleichen(r);
    if (ausgeglichen == r) return;
    r = ausgeglichen;
    felder_.geaendert = true;
    emit felderGeaendert();
}

// ---- postcode lookup ----------------------------------------------------------------------

QList<PlzOrt> AdressLogik::orteFuerPlz(const QString& plz) const {
    QList<PlzOrt> out;
    if (plz.trimmed().isEmpty() || !QFile::exists(umgebung_.plzDatei)) return out;
    try {
        std::unique_ptr<Database> plzDb = Database::open(umgebung_.plzDatei);
        for (Recordset rs =
                 plzDb->openRecordset(QStringLiteral("SELECT tbPLZ.Ort, tbPLZ.PLZ From tbPLZ WHERE (((tbPLZ.PLZ) Like ?)) Order by Ort"),
                                      {like::anfang(plz.trimmed())});
             !rs.eof(); rs.moveNext())
            out.push_back({rs.text(QStringLiteral("Ort")), rs.text(QStringLiteral("PLZ"))});
    } catch (const DatabaseError&) {
        // Without the postcode table the place is simply typed.
    }
    return out;
}

QList<PlzOrt> AdressLogik::plzVerlassen() {
    if (felder_.plz.trimmed().isEmpty() || !felder_.ort.trimmed().isEmpty()) return {};
    plzOrte_ = orteFuerPlz(felder_.plz);
    if (plzOrte_.size() == 1) ortGewaehlt(plzOrte_.first().ort);
    return plzOrte_;
}

void AdressLogik::ortGewaehlt(const QString& ort) {
    setFeld(AdressFeld::Ort, ort);
    for (const PlzOrt& p : plzOrte_) {
        if (p.ort != ort) continue;
        const QString plz = felder_.plz.trimmed();
        if (plz.size() < p.plz.size() && p.plz.startsWith(plz)) setFeld(AdressFeld::Plz, p.plz);
        break;
    }
    emit felderGeaendert();
}

// ---- pick lists -------------------------------------------------------------------------------

int AdressLogik::landEnter(const QString& text) {
    const QString name = text.trimmed();
    if (name.isEmpty()) return 0;
    int id = listenId(QStringLiteral("SELECT tbLänder.ID From tbLänder WHERE tbLänder.Länder = ?"), name);
    if (id == 0) {
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT tbLänder.ID, tbLänder.Länder From tbLänder "));
        rs.addNew();
        rs.setValue(QStringLiteral("Länder"), name);
        rs.update();
        id = rs.lastModified(QStringLiteral("ID")).toInt();
        emit laenderGeaendert();
    }
    setFeld(AdressFeld::Land, name);
    emit felderGeaendert();
    return id;
}

bool AdressLogik::landEntfernen(int landId) {
    if (landId == 0) return false;
    if (dialogs_.message(kFrageEntfernen, kTitelListe, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    if (!db_.openRecordset(QStringLiteral("SELECT Address.ID From Address WHERE Address.IDLand = ?"), {landId}).eof()) {
        dialogs_.message(kNochBenutzt, QStringLiteral("Ländereinträge löschen"), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    db_.execute(QStringLiteral(" delete tbLänder.*, tbLänder.Länder From tbLänder WHERE (((tbLänder.ID)= ? )); "), {landId});
    emit laenderGeaendert();
    return true;
}

void AdressLogik::anredeEnter(const QString& text) {
    const QString anrede = text.trimmed();
    if (anrede.isEmpty()) return;
    if (listenId(QStringLiteral("SELECT tbAnreden.IDAnrede From tbAnreden WHERE tbAnreden.Anrede = ?"), anrede) == 0)
        db_.execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES (?)"), {anrede});
    setFeld(AdressFeld::Anrede, anrede);
    emit felderGeaendert();
}

bool AdressLogik::anredeEntfernen(const QString& text) {
    const int id = listenId(QStringLiteral("SELECT tbAnreden.IDAnrede From tbAnreden WHERE tbAnreden.Anrede = ?"), text);
    if (id == 0) return false;
    if (dialogs_.message(kFrageEntfernen, kTitelListe, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    if (!db_.openRecordset(QStringLiteral("SELECT Address.ID From Address WHERE Address.IDAnrede = ?"), {id}).eof()) {
        dialogs_.message(kNochBenutzt, kTitelListe, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    db_.execute(QStringLiteral("DELETE * FROM tbAnreden WHERE IDAnrede = ?"), {id});
    return true;
}

// ---- deleting and usage marks ---------------------------------------------------------------

QString AdressLogik::benutztFeld(int instanz) { return adressmarken::feld(instanz); }

QString AdressLogik::herkunftFeld(int instanz) {
    switch (instanz) {
        case 1: return QStringLiteral("Herkunft3");
        case 2: return QStringLiteral("Herkunft4");
        default: return QStringLiteral("Herkunft1");
    }
}

void AdressLogik::AdresseBenutzt(int id, bool setzen) {
    if (id == 0) return;
    try {
        if (!setzen &&
            !db_.openRecordset(QStringLiteral("SELECT tblBelegung.GastID From tblBelegung WHERE (((tblBelegung.GastID)=?));"), {id}).eof())
            return;
        Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT Address.BenutztVon1 ,Address.BenutztVon3 ,Address.BenutztVon4 , ") +
                QStringLiteral(" Address.Herkunft1, Address.Herkunft3, Address.Herkunft4 From Address WHERE (((Address.ID)=?));"),
            {id});
        if (rs.eof()) return;
        rs.edit();
        if (setzen) {
            rs.setValue(benutztFeld(umgebung_.instanz), umgebung_.programmName);
            if (rs.value(herkunftFeld(umgebung_.instanz)).isNull()) rs.setValue(herkunftFeld(umgebung_.instanz), umgebung_.programmName);
        } else {
            rs.setValue(benutztFeld(umgebung_.instanz), QVariant());
        }
        rs.update();
    } catch (const DatabaseError&) {
        // The marks only inform other programs; a failure must not stop the booking.
    }
}

int AdressLogik::AdressenOhneBelegung() { return AdressenOhneBelegung(db_, umgebung_.instanz); }

int AdressLogik::AdressenOhneBelegung(Database& db, int instanz) { return adressmarken::ohneBelegungLoeschen(db, instanz); }

bool AdressLogik::AdresseInGebrauch(int id) const {
    static const QList<QPair<const char*, const char*>> verweise = {{"tblBelegung", "GastID"},
                                                                    {"tblBelegung", "IDAdressRechnung"},
                                                                    {"tbRechnungen", "IDAdresseRe"},
                                                                    {"tbAdress_zu_Adress", "IDAdresseOber"},
                                                                    {"tbAdress_zu_Adress", "idAdresseUnter"},
                                                                    {"tbRePosten", "IDAdressePo"},
                                                                    {"WeitereGäste", "ID_Adresse"}};
    for (const auto& [tabelle, feld] : verweise) {
        const QString sql = QStringLiteral("Select * from %1 where %2 = ?").arg(QString::fromUtf8(tabelle), QString::fromUtf8(feld));
        if (!db_.openRecordset(sql, {id}).eof()) return false;
    }
    return true;
}

bool AdressLogik::adresseLoeschen(int id) {
    if (id == 0) return false;
    AdressenOhneBelegung();
    if (dialogs_.message(QStringLiteral("Soll die ausgewählte Adresse gelöscht werden?"), {}, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    if (!AdresseInGebrauch(id)) {
        QStringList programme;
        Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT BenutztVon1, BenutztVon2, BenutztVon3, BenutztVon4, BenutztVon5 FROM Address WHERE ID = ?"), {id});
        if (!rs.eof())
            for (int i = 1; i <= 5; ++i) {
                const QString name = rs.text(QStringLiteral("BenutztVon%1").arg(i)).trimmed();
                if (!name.isEmpty() && !programme.contains(name)) programme << name;
            }
        dialogs_.message(programme.isEmpty()
                             ? QStringLiteral("Die ausgewählte Adresse wird noch  benutzt und kann deswegen nicht gelöscht werden.")
                             : QStringLiteral("Die ausgewählte Adresse wird noch von folgenden Programmen benutzt: ") +
                                   programme.join(QStringLiteral(", ")),
                         {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    db_.execute(QStringLiteral("  DELETE Address.ID, Address.* From Address WHERE (((Address.ID)=?));"), {id});
    felder_ = AdressFelder{};
    felder_.land = kDeutschland;
    rechnungId_ = 0;
    suchtext_.clear();
    treffer_.reset();
    emit adressenGeaendert();
    emit felderGeaendert();
    return true;
}

// ---- the address data file ------------------------------------------------------------------

QString AdressLogik::Adress_Export(int id, const QString& sPfad) const {
    if (id == 0 || sPfad.isEmpty()) return {};
    try {
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM Address WHERE Address.ID = ?"), {id});
        if (rs.eof()) return {};
        // Every value a plain field: ";" becomes "," and a line break a blank, so that the file
        // keeps its two lines of twelve fields.
        DataFile::Record werte;
        for (const char* feld : {"Lastname", "Firstname", "phone", "Tele-Fax", "Address", "postalcode", "city", "Country", "BemerkAdr",
                                 "EMAIL", "Anrede", "CompanyName"})
            werte.plain(rs.text(QString::fromUtf8(feld)));
        const QString pfad = files::join(sPfad, kDateiname);
        DataFile datei;
        datei.addLine(kKopfzeile).add(werte);
        if (!datei.save(pfad)) return {};
        return QDir::toNativeSeparators(pfad);
    } catch (const DatabaseError&) {
        return {};
    }
}

// ---- correcting old bookings ------------------------------------------------------------------

void AdressLogik::AlteReservierungenAendern(int id) {
    if (id == 0) {
        dialogs_.message(QStringLiteral("Wählen Sie zunächst eine Adresse aus."), kTitelKorrektur, Buttons::Ok, Icon::Information);
        return;
    }
    dialogs_.message(QStringLiteral("Die Korrekturen sind nötig, um Daten aus früheren Versionen des Tavomeras anzupassen.") +
                         QStringLiteral("\n\n") +
                         QStringLiteral("Mit diesem Vorgang erhalten Reservierungen und Zusatzposten mit dieser Adresse den Status "
                                        "'Abgerechnet', damit die Kontrollanzeige für 'Abgerechnet' im Übersichtsformular korrekt "
                                        "arbeitet. "),
                     kTitelKorrektur, Buttons::Ok, Icon::Information);
    const QString antwort =
        dialogs_
            .input(QStringLiteral("Sollen alle Reservierungen und deren Zusatzposten, deren Anfangsdatum mehr als (Angabe in Tagen) "
                                  "zurückliegt, auf 'Abgerechnet' gesetzt werden?"),
                   kTitelKorrektur)
            .trimmed();
    bool zahl = false;
    const int tage = antwort.toInt(&zahl);
    if (antwort.isEmpty() || !zahl || tage < 0) {
        dialogs_.message(QStringLiteral("Geben Sie eine Anzahl Tage ein."), kTitelKorrektur, Buttons::Ok, Icon::Exclamation);
        return;
    }
    const QString stichtag = sqltext::cdate(Clock::current().today().addDays(-tage));
    int buchungen = 0, posten = 0;
    try {
        Transaction t(db_);
        buchungen = db_.execute(QStringLiteral(" UPDATE tblBelegung SET tblBelegung.Abgerechnet = 1") +
                                    QStringLiteral(" WHERE (((tblBelegung.Von)< ") + stichtag + QStringLiteral(") ") +
                                    QStringLiteral(" AND ((tblBelegung.GastID)=?))"),
                                {id});
        posten = db_.execute(QStringLiteral("UPDATE tbRePosten ") + QStringLiteral(" INNER JOIN tblBelegung ") +
                                 QStringLiteral(" ON tbRePosten.IDBelegung = tblBelegung.ID ") +
                                 QStringLiteral(" SET tbRePosten.AbgerechnetPo = 'Ja'") +
                                 QStringLiteral(" WHERE (((tbRePosten.IDAdressePo)=?) ") + QStringLiteral(" AND ((tblBelegung.Von)< ") +
                                 stichtag + QStringLiteral("))"),
                             {id});
        t.commit();
    } catch (const DatabaseError& e) {
        dialogs_.message(datenbankFehlertext(QStringLiteral("Die Reservierungen der Adresse konnten nicht korrigiert werden."), e),
                         kTitelKorrektur, Buttons::Ok, Icon::Critical);
        return;
    }
    if (buchungen == 0 && posten == 0)
        dialogs_.message(QStringLiteral("Vor dem angegbenen Datum gab es keine nicht abgerechneten Daten."), kTitelKorrektur, Buttons::Ok,
                         Icon::Information);
    else
        dialogs_.message(QStringLiteral(" Es wurden ") + QString::number(buchungen) + QStringLiteral(" Reservierungen und ") +
                             QString::number(posten) + QStringLiteral(" Zusatzposten geändert."),
                         kTitelKorrektur, Buttons::Ok, Icon::Information);
}

}  // namespace tav
