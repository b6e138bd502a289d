#include "reservation/AdrSuchenLogik.h"

#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "reservation/LikeMuster.h"
#include "store/Parameter.h"

namespace tav {

namespace {
const QString kNachname = QStringLiteral("Such_Nachname");
const QString kVorname = QStringLiteral("Such_Vorname");
const QString kStrasse = QStringLiteral("Such_Strasse");
const QString kOrt = QStringLiteral("Such_Ort");

// Days between today and the arrival, in either direction.
const QString kAbstand =
    QStringLiteral("IIf(DateDiff('d', Now(), [Von]) < 0,  (DateDiff('d', Now(), [Von])) * -1, DateDiff('d', Now(), [Von]))");
}  // namespace

SuchFelder AdrSuchenLogik::vorgaben() const {
    const Parameter p(db_);
    return {p.readYesNo(kNachname), p.readYesNo(kVorname), p.readYesNo(kStrasse), p.readYesNo(kOrt)};
}

void AdrSuchenLogik::vorgabenSpeichern(const SuchFelder& felder) {
    Parameter p(db_);
    p.saveYesNo(kNachname, felder.nachname ? 1 : 0);
    p.saveYesNo(kVorname, felder.vorname ? 1 : 0);
    p.saveYesNo(kStrasse, felder.strasse ? 1 : 0);
    p.saveYesNo(kOrt, felder.ort ? 1 : 0);
}

QList<AdrTreffer> AdrSuchenLogik::suchen(const QString& wort, const SuchFelder& felder) const {
    QList<AdrTreffer> out;
    if (wort.size() < kMindestLaenge) return out;
    QString sql = QStringLiteral(" SELECT Address.ID, Address.LastName, Address.FirstName, Address.Address, Address.City") +
                  QStringLiteral(" From Address ") + QStringLiteral(" WHERE ((Address.ID Is Null)) ");
    QVariantList params;
    const QString muster = like::anfang(wort);
    // Each field is first held against the range of texts that can start with the word (a
    // plain comparison, and an index where the field has one); only those rows meet the Like.
    const auto oder = [&](bool an, const char* feld) {
        if (!an) return;
        sql += QStringLiteral(" OR (Address.%1 >= ? And Address.%1 < ? And Address.%1 Like ?) ").arg(QString::fromUtf8(feld));
        params << wort << like::obergrenze(wort) << muster;
    };
    oder(felder.vorname, "FirstName");
    oder(felder.nachname, "Lastname");
    oder(felder.strasse, "Address");
    oder(felder.ort, "City");
    if (params.isEmpty()) return out;
    sql += QStringLiteral(" ORDER BY Address.LastName");
    for (Recordset rs = db_.openRecordset(sql, params); !rs.eof(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("ID")), rs.text(QStringLiteral("LastName")), rs.text(QStringLiteral("FirstName")),
                       rs.text(QStringLiteral("Address")), rs.text(QStringLiteral("City"))});
    return out;
}

QList<int> AdrSuchenLogik::buchungenNahe(int adressId) const {
    QList<int> out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tblBelegung.ID") + QStringLiteral(" From tblBelegung ") +
                                              QStringLiteral(" Where (((") + kAbstand + QStringLiteral(") < 32) ") +
                                              QStringLiteral(" And ((tblBelegung.GastID) = ?)) ") + QStringLiteral(" Or (((") + kAbstand +
                                              QStringLiteral(") < 32) ") + QStringLiteral(" And ((tblBelegung.IDAdressRechnung) = ?))"),
                                          {adressId, adressId});
         !rs.eof(); rs.moveNext())
        out << rs.integer(QStringLiteral("ID"));
    return out;
}

bool AdrSuchenLogik::hatBuchungen(int adressId) const {
    return !db_.openRecordset(QStringLiteral("SELECT tblBelegung.ID From tblBelegung WHERE tblBelegung.GastID = ? Or "
                                             "tblBelegung.IDAdressRechnung = ?"),
                              {adressId, adressId})
                .eof();
}

ResOeffnen AdrSuchenLogik::resOeffnen(int adressId, bool uebersichtDa) {
    if (adressId == 0) {
        keineAdresseGewaehlt();
        return {};
    }
    const QList<int> nahe = buchungenNahe(adressId);
    if (nahe.size() == 1 || (!uebersichtDa && !nahe.isEmpty())) return {ResOeffnen::Ziel::Reservierung, nahe.first()};
    if (!uebersichtDa) {
        dialogs_.message(QStringLiteral("Für diese Adresse gibt es keine Reservierung, deren Anreise weniger als einen Monat "
                                        "zurückliegt oder bevorsteht."),
                         {}, Buttons::Ok, Icon::Information);
        return {};
    }
    if (nahe.size() > 1 || hatBuchungen(adressId)) return {ResOeffnen::Ziel::Uebersicht, 0};
    if (dialogs_.message(QStringLiteral("Für diese Adresse existieren keine Reservierungen. Möchten Sie Übersicht für die Adresse "
                                        "öffnen?"),
                         {}, Buttons::YesNo, Icon::Question) == Answer::Yes)
        return {ResOeffnen::Ziel::Uebersicht, 0};
    return {};
}

QDate AdrSuchenLogik::neueAnreise() { return Clock::current().today(); }
QDate AdrSuchenLogik::neueAbreise() { return Clock::current().today().addDays(1); }

void AdrSuchenLogik::keineAdresseGewaehlt() {
    dialogs_.message(QStringLiteral("Wählen Sie zunächst eine Adresse aus."), {}, Buttons::Ok, Icon::Information);
}

}  // namespace tav
