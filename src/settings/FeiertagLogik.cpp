#include "settings/FeiertagLogik.h"

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/Recordset.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"

namespace tav {

QList<Feiertag> FeiertagLogik::alle(Sortierung nach, bool absteigend) const {
    QString sql = QStringLiteral("SELECT tbFeiertage.IDFeiertage, tbFeiertage.FTBezeichnung as [Feiertag], ") +
                  QStringLiteral(" tbFeiertage.FTDatum as Datum ") + QStringLiteral(" FROM tbFeiertage  ");
    sql +=
        nach == Sortierung::Datum ? QStringLiteral(" ORDER BY tbFeiertage.FTDatum") : QStringLiteral(" ORDER BY tbFeiertage.FTBezeichnung");
    if (absteigend) sql += QStringLiteral(" desc");
    QList<Feiertag> liste;
    for (Recordset rs = db_.openRecordset(sql); !rs.eof(); rs.moveNext())
        liste.append(
            {rs.integer(QStringLiteral("IDFeiertage")), rs.text(QStringLiteral("Feiertag")), rs.value(QStringLiteral("Datum")).toDate()});
    return liste;
}

void FeiertagLogik::setName(const QString& name) {
    if (name == felder_.name) return;
    felder_.name = name;
    felder_.geaendert = true;
}

void FeiertagLogik::setDatum(const QString& datum) {
    if (datum == felder_.datum) return;
    felder_.datum = datum;
    felder_.geaendert = true;
}

bool FeiertagLogik::laden(const Feiertag& feiertag) {
    if (felder_.geaendert) {
        const Answer a =
            dialogs_.message(QStringLiteral("Änderung bzw. neue Daten speichern?"), kTitel, Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Cancel) return false;
        if (a == Answer::Yes && !speichern()) return false;
    }
    felder_ = {feiertag.name, dates::longDate(feiertag.datum), feiertag.id, false};
    return true;
}

void FeiertagLogik::neu() {
    if (felder_.geaendert) {
        const Answer a = dialogs_.message(QStringLiteral("Änderungen oder neue Daten speichern?"), QStringLiteral("Änderungen speichern"),
                                          Buttons::YesNo, Icon::Question);
        if (a == Answer::Yes && !speichern()) return;
    }
    felder_ = {};
}

bool FeiertagLogik::datumPruefen(const QString& text) {
    if (text.trimmed().isEmpty() || dates::isDate(text.trimmed())) return true;
    dialogs_.message(QStringLiteral("Bitte überprüfen Sie das Datum"), kTitel, Buttons::Ok, Icon::Exclamation);
    return false;
}

int FeiertagLogik::naechsteId() const {
    const QVariant max =
        db_.scalar(QStringLiteral("SELECT Max(tbFeiertage.IDFeiertage) AS [Max von IDFeiertage]") + QStringLiteral(" FROM tbFeiertage"));
    return max.isNull() ? 1 : max.toInt() + 1;
}

bool FeiertagLogik::speichern() {
    if (felder_.name.trimmed().isEmpty()) {
        dialogs_.message(QStringLiteral("Das Feld 'Bezeichnung' darf zum Speichern nicht leer sein"), kTitel, Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    if (felder_.datum.trimmed().isEmpty()) {
        dialogs_.message(QStringLiteral("Das Feld 'Datum' darf zum Speichern nicht leer sein"), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const std::optional<QDate> datum = dates::parse(felder_.datum.trimmed());
    if (!datum) {
        dialogs_.message(QStringLiteral("Bitte überprüfen Sie das Datum"), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    Transaction t(db_, QStringLiteral("tbFeiertage"));
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbFeiertage WHERE IDFeiertage = ?"), {felder_.id});
    int id = felder_.id;
    if (rs.eof()) {
        // The duplicate check holds for new holidays only; a changed date may meet another one.
        if (!db_.scalar(QStringLiteral("SELECT FTDatum From tbFeiertage WHERE FTDatum = ?"), {*datum}).isNull()) {
            dialogs_.message(QStringLiteral("Das Datum ist bereits vorhanden."), kTitel, Buttons::Ok, Icon::Exclamation);
            return false;
        }
        id = naechsteId();
        rs.addNew();
        rs.setValue(QStringLiteral("IDFeiertage"), id);
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("FTBezeichnung"), felder_.name.trimmed());
    rs.setValue(QStringLiteral("FTDatum"), *datum);
    rs.update();
    t.commit();
    felder_ = {felder_.name.trimmed(), dates::longDate(*datum), id, false};
    return true;
}

bool FeiertagLogik::loeschen() {
    if (felder_.id == 0) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden?"), kTitel, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    db_.execute(QStringLiteral(" DELETE ") + QStringLiteral(" From tbFeiertage WHERE (((IDFeiertage)=?))"), {felder_.id});
    felder_ = {};
    return true;
}

bool FeiertagLogik::schliessen() {
    if (!felder_.geaendert) return true;
    const Answer a = dialogs_.message(QStringLiteral("Änderungen speichern?"), kTitel, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) return speichern();
    return true;
}

int FeiertagLogik::importieren(const QString& quelle) {
    QList<Feiertag> quellListe;
    try {
        if (!db_.hasTableDef(QStringLiteral("tbFeiertage"))) throw DatabaseError(QStringLiteral("tbFeiertage"));
        auto q = Database::open(quelle);
        for (Recordset rs =
                 q->openRecordset(QStringLiteral("SELECT IDFeiertage, FTBezeichnung, FTDatum FROM tbFeiertage ORDER BY FTDatum"));
             !rs.eof(); rs.moveNext())
            quellListe.append({0, rs.text(QStringLiteral("FTBezeichnung")), rs.value(QStringLiteral("FTDatum")).toDate()});
    } catch (const DatabaseError&) {
        dialogs_.message(
            QStringLiteral("Die erforderliche Tabelle für die Feiertage konnte nicht angelegt werden. Stellen Sie sicher, dass ") +
                QStringLiteral("sich die Datenbank 'Feiertag.mdb' im Standardverzeichnis des Tavomeras befindet."),
            QStringLiteral("Tabelle tbFeiertage anlegen"), Buttons::Ok, Icon::Exclamation);
        return -1;
    }
    int anzahl = 0;
    {
        Transaction t(db_, QStringLiteral("tbFeiertage"));
        int id = naechsteId();
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbFeiertage WHERE IDFeiertage = 0"));
        for (const Feiertag& f : quellListe) {
            if (!f.datum.isValid() || f.name.isEmpty()) continue;
            if (!db_.scalar(QStringLiteral("SELECT FTDatum From tbFeiertage WHERE FTDatum = ?"), {f.datum}).isNull()) continue;
            rs.addNew();
            rs.setValue(QStringLiteral("IDFeiertage"), id++);
            rs.setValue(QStringLiteral("FTBezeichnung"), f.name);
            rs.setValue(QStringLiteral("FTDatum"), f.datum);
            rs.update();
            ++anzahl;
        }
        t.commit();
    }
    dialogs_.message(anzahl > 0 ? QStringLiteral("Es wurden ") + QString::number(anzahl) + QStringLiteral(" Feiertage importiert.")
                                : QStringLiteral("Alle Feiertage waren bereits vorhanden."),
                     kTitel, Buttons::Ok, Icon::Information);
    return anzahl;
}

}  // namespace tav
