#include "reservation/SaisonLogik.h"

#include "engine/Database.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "reservation/clsSaisonpreis.h"

namespace tav {

namespace {

QDate alsDatum(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QString cvdate(const QDate& d) { return QStringLiteral("CVDATE('") + dates::longDate(d) + QStringLiteral("')"); }

}  // namespace

QList<Saison> SaisonLogik::alle() const {
    QList<Saison> out;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT idSaisonzeiten, Saisonbezeichnung, Start, Ende FROM tbSaisonzeiten "
                                                         "ORDER BY Start"));
         !rs.eof(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("idSaisonzeiten")), rs.text(QStringLiteral("Saisonbezeichnung")),
                       alsDatum(rs.value(QStringLiteral("Start"))), alsDatum(rs.value(QStringLiteral("Ende")))});
    return out;
}

void SaisonLogik::setName(const QString& name) {
    if (felder_.name == name) return;
    felder_.name = name;
    felder_.geaendert = true;
}

void SaisonLogik::setVon(const QString& text) {
    if (felder_.von == text) return;
    felder_.von = text;
    felder_.geaendert = true;
}

void SaisonLogik::setBis(const QString& text) {
    if (felder_.bis == text) return;
    felder_.bis = text;
    felder_.geaendert = true;
}

void SaisonLogik::meldung(const QString& text) { dialogs_.message(text, kTitel, Buttons::Ok, Icon::Exclamation); }

bool SaisonLogik::aenderungenSichern() {
    if (!felder_.geaendert) return true;
    switch (dialogs_.message(QStringLiteral("Änderungen oder neue Daten speichern?"), QStringLiteral("Änderungen speichern"),
                             Buttons::YesNoCancel, Icon::Question)) {
        case Answer::Yes: return speichern();
        case Answer::No: felder_.geaendert = false; return true;
        default: return false;
    }
}

bool SaisonLogik::laden(const Saison& saison) {
    if (!aenderungenSichern()) return false;
    felder_ = {saison.name, dates::longDate(saison.start), dates::longDate(saison.ende), saison.id, false};
    return true;
}

bool SaisonLogik::neu() {
    if (!aenderungenSichern()) return false;
    felder_ = {};
    const QDate letztesEnde = alsDatum(db_.scalar(QStringLiteral("SELECT Max(tbSaisonzeiten.Ende) FROM tbSaisonzeiten")));
    if (letztesEnde.isValid()) felder_.von = dates::longDate(letztesEnde);
    return true;
}

bool SaisonLogik::datumTasteErlaubt(QChar c) { return c.isDigit() || c == QLatin1Char('.') || c == QChar(0x08); }

bool SaisonLogik::namePruefen() {
    if (felder_.name.isEmpty() || clsSaisonpreis::kSaisons.contains(felder_.name)) return true;
    meldung(QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste."));
    return false;
}

bool SaisonLogik::datumPruefen(const QString& text) {
    if (text.trimmed().isEmpty() || dates::isDate(text)) return true;
    meldung(QStringLiteral("Bitte überprüfen Sie das Datum"));
    return false;
}

QList<int> SaisonLogik::ueberschneidungen(const QDate& start, const QDate& ende, int ausser) const {
    const QString s = cvdate(start), e = cvdate(ende);
    const QString s1 = cvdate(start.addDays(1));
    const QString sql = QStringLiteral("SELECT IDSaisonzeiten FROM tbSaisonzeiten WHERE ") + QStringLiteral("  (Start >= ") + s1 +
                        QStringLiteral(" AND Start <= CVDATE( ' ") + dates::longDate(ende.addDays(-1)) + QStringLiteral(" ' ) OR ") +
                        QStringLiteral(" Ende >= ") + s1 + QStringLiteral(" AND Ende <= ") + cvdate(ende.addDays(-1)) +
                        QStringLiteral(" OR ") + QStringLiteral(" (") + s + QStringLiteral(" > Start AND (") + s +
                        QStringLiteral(") < Ende) ") + QStringLiteral(" OR (") + e + QStringLiteral(" > Start AND (") + e +
                        QStringLiteral(" < Ende)))");
    QList<int> out;
    for (Recordset rs = db_.openRecordset(sql); !rs.eof(); rs.moveNext()) {
        const int id = rs.integer(QStringLiteral("IDSaisonzeiten"));
        if (id != ausser) out << id;
    }
    // A season beginning on the same day always overlaps, also when it ends on the same day,
    // which the conditions above leave out.
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT IDSaisonzeiten FROM tbSaisonzeiten WHERE Start = ") + s); !rs.eof();
         rs.moveNext()) {
        const int id = rs.integer(QStringLiteral("IDSaisonzeiten"));
        if (id != ausser && !out.contains(id)) out << id;
    }
    return out;
}

bool SaisonLogik::speichern() {
    const SaisonFelder& f = felder_;
    if (f.name.trimmed().isEmpty()) {
        meldung(QStringLiteral("Das Feld 'Saisonbezeichnung' darf zum Speichern nicht leer sein"));
        return false;
    }
    if (f.von.trimmed().isEmpty()) {
        meldung(QStringLiteral("Das Feld 'Saisonbeginn' darf zum Speichern nicht leer sein"));
        return false;
    }
    if (f.bis.trimmed().isEmpty()) {
        meldung(QStringLiteral("Das Feld 'Saisonende' darf zum Speichern nicht leer sein"));
        return false;
    }
    if (!namePruefen()) return false;
    const std::optional<QDate> start = dates::parse(f.von);
    const std::optional<QDate> ende = dates::parse(f.bis);
    if (!start || !ende) {
        meldung(QStringLiteral("Bitte überprüfen Sie das Datum"));
        return false;
    }
    if (*start == *ende) {
        meldung(QStringLiteral("Das Anfangs- und das Enddatum sind gleich. Bitte überprüfen Sie die Eingabe."));
        return false;
    }
    if (*ende < *start) {
        meldung(QStringLiteral("Bitte überprüfen Sie das Anfangs- und Enddatum."));
        return false;
    }
    if (!ueberschneidungen(*start, *ende, f.id).isEmpty()) {
        meldung(
            QStringLiteral("Die Saisonzeiten überschneiden sich mit einer bereits vorhandenen Saison. Bitte überprüfen Sie die "
                           "Eingabe."));
        return false;
    }
    Recordset rs;
    if (f.id != 0)
        rs = db_.openRecordset(QStringLiteral(" SELECT idSaisonzeiten, Saisonbezeichnung, Start, Ende  ") +
                                   QStringLiteral(" From tbSaisonzeiten ") + QStringLiteral(" WHERE idSaisonzeiten = ?"),
                               {f.id});
    if (f.id != 0 && !rs.eof()) {
        rs.edit();
    } else {
        rs = db_.openRecordset(QStringLiteral(" SELECT idSaisonzeiten, Saisonbezeichnung, Start, Ende  From tbSaisonzeiten "));
        rs.addNew();
    }
    rs.setValue(QStringLiteral("Saisonbezeichnung"), f.name);
    rs.setValue(QStringLiteral("Start"), *start);
    rs.setValue(QStringLiteral("Ende"), *ende);
    rs.update();
    felder_.id = rs.lastModified(QStringLiteral("idSaisonzeiten")).toInt();
    felder_.von = dates::longDate(*start);
    felder_.bis = dates::longDate(*ende);
    felder_.geaendert = false;
    return true;
}

bool SaisonLogik::loeschen() {
    if (felder_.id == 0) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden?"), kTitel, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    db_.execute(QStringLiteral(" DELETE ") + QStringLiteral(" From tbSaisonzeiten WHERE (((IDSaisonzeiten)=?))"), {felder_.id});
    felder_ = {};
    return true;
}

bool SaisonLogik::schliessen() { return aenderungenSichern(); }

}  // namespace tav
