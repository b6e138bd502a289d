#include "invoice/MwStLogik.h"

#include <QSet>

#include "engine/Database.h"
#include "invoice/clsMWST.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"

namespace tav {

QList<StammZeile> MwStLogik::zeilen() {
    static const QStringList ordnung = {QStringLiteral("tbSteuerschluessel.IDSteuerschluessel"),
                                        QStringLiteral("tbSteuerschluessel.Steuersatz"), QStringLiteral("tbSteuerschluessel.GUeltigBis"),
                                        QStringLiteral("tbSteuerschluessel.Standard"), QStringLiteral("Nachfolger.Steuersatz")};
    const QString sql = QStringLiteral(
                            "SELECT tbSteuerschluessel.IDSteuerschluessel, tbSteuerschluessel.Steuersatz, tbSteuerschluessel.GUeltigBis AS "
                            "[Gültig bis], IIf([tbSteuerschluessel].[Standard]=True,'Ja','Nein') AS Standardsteuersatz, "
                            "Nachfolger.Steuersatz AS [Steuersatz nach Ablauf] FROM tbSteuerschluessel LEFT JOIN tbSteuerschluessel AS "
                            "Nachfolger ON tbSteuerschluessel.IDNachfolger = Nachfolger.IDSteuerschluessel ORDER BY ") +
                        ordnung.value(sortierung_.spalte(), ordnung.first()) +
                        (sortierung_.absteigend() ? QStringLiteral(" desc") : QString()) +
                        QStringLiteral(", tbSteuerschluessel.IDSteuerschluessel");
    QList<StammZeile> z;
    Recordset rs = db_.openRecordset(sql);
    for (; !rs.eof(); rs.moveNext()) {
        const QVariant bis = rs.value(QStringLiteral("Gültig bis"));
        const QVariant nach = rs.value(QStringLiteral("Steuersatz nach Ablauf"));
        const int id = rs.integer(QStringLiteral("IDSteuerschluessel"));
        z << StammZeile{id,
                        {QString::number(id), MwStEintrag{0, rs.number(QStringLiteral("Steuersatz"))}.text(),
                         bis.isNull() ? QString() : dates::longDate(bis.toDate()), rs.text(QStringLiteral("Standardsteuersatz")),
                         nach.isNull() ? QString() : MwStEintrag{0, nach.toDouble()}.text()}};
    }
    return z;
}

bool MwStLogik::aenderungenSichern() {
    if (!felder_.geaendert) return true;
    const Answer a = dialogs_.message(QStringLiteral("Änderungen oder neue Daten speichern?"), QStringLiteral("Änderungen speichern"),
                                      Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) return speichern();
    return true;
}

bool MwStLogik::laden(int id) {
    if (!aenderungenSichern()) return false;
    Recordset rs = db_.openRecordset(
        QStringLiteral(
            "SELECT tbSteuerschluessel.*, Nachfolger.Steuersatz AS NachSatz FROM tbSteuerschluessel LEFT JOIN tbSteuerschluessel "
            "AS Nachfolger ON tbSteuerschluessel.IDNachfolger = Nachfolger.IDSteuerschluessel "
            "WHERE tbSteuerschluessel.IDSteuerschluessel = ?"),
        {id});
    if (rs.eof()) return false;
    felder_ = MwStFelder{};
    felder_.id = id;
    felder_.satz = MwStEintrag{0, rs.number(QStringLiteral("Steuersatz"))}.text();
    const QVariant bis = rs.value(QStringLiteral("GUeltigBis"));
    felder_.gueltigBis = bis.isNull() ? QString() : dates::longDate(bis.toDate());
    const QVariant nach = rs.value(QStringLiteral("NachSatz"));
    felder_.nachfolger = nach.isNull() ? QString() : MwStEintrag{0, nach.toDouble()}.text();
    felder_.standard = rs.yes(QStringLiteral("Standard"));
    return true;
}

bool MwStLogik::neu() {
    if (!aenderungenSichern()) return false;
    felder_ = MwStFelder{};
    return true;
}

bool MwStLogik::datumPruefen(const QString& text) {
    if (text.trimmed().isEmpty() || dates::isDate(text.trimmed())) return true;
    dialogs_.message(kDatumFalsch, kTitel);
    return false;
}

bool MwStLogik::speichern() {
    if (felder_.satz.trimmed().isEmpty()) {
        dialogs_.message(kSatzLeer, kTitel);
        return false;
    }
    const std::optional<double> satz = MwStAuswahl::satzLesen(felder_.satz);
    if (!satz) {
        dialogs_.message(MwStAuswahl::kSatzUngueltig, kTitel);
        return false;
    }
    std::optional<QDate> bis;
    if (!felder_.gueltigBis.trimmed().isEmpty()) {
        bis = dates::parse(felder_.gueltigBis.trimmed());
        if (!bis) {
            dialogs_.message(kDatumFalsch, kTitel);
            return false;
        }
    }
    bool gewaehlt = false;
    const std::optional<int> nachfolger = auswahl_.pruefen(felder_.nachfolger, &gewaehlt);
    if (!felder_.nachfolger.trimmed().isEmpty() && !gewaehlt) return false;
    if (bis && !nachfolger) {
        dialogs_.message(kOhneNachfolger, kTitel);
        return false;
    }
    if (bis && felder_.id != 0) {
        const QVariant seit =
            db_.scalar(QStringLiteral("SELECT GUeltigseit FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?"), {felder_.id});
        if (!seit.isNull() && seit.toDate() > *bis) {
            dialogs_.message(kEndeVorBeginn, kTitel);
            return false;
        }
    }
    if (nachfolger && felder_.id != 0) {
        if (*nachfolger == felder_.id) {
            dialogs_.message(kSelbstNachfolger, kTitel);
            return false;
        }
        // The successor's own chain must not lead back to this key.
        QSet<int> besucht;
        for (QVariant n = *nachfolger; !n.isNull() && n.toInt() != 0 && !besucht.contains(n.toInt());) {
            if (n.toInt() == felder_.id) {
                dialogs_.message(kNachfolgerKreis, kTitel);
                return false;
            }
            besucht.insert(n.toInt());
            n = db_.scalar(QStringLiteral("SELECT IDNachfolger FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?"), {n.toInt()});
        }
    }

    Transaction t(db_, QStringLiteral("tbSteuerschluessel"));
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?"), {felder_.id});
    int id = felder_.id;
    if (rs.eof()) {
        id = db_.scalar(QStringLiteral("SELECT Max(IDSteuerschluessel) FROM tbSteuerschluessel")).toInt() + 1;
        rs.addNew();
        rs.setValue(QStringLiteral("IDSteuerschluessel"), id);
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("Steuersatz"), *satz);
    rs.setValue(QStringLiteral("GUeltigBis"), bis ? QVariant(*bis) : QVariant());
    rs.setValue(QStringLiteral("Standard"), felder_.standard);
    rs.setValue(QStringLiteral("IDNachfolger"), nachfolger ? QVariant(*nachfolger) : QVariant());
    rs.update();
    if (nachfolger) {
        // The successor takes over the standard mark and is valid from the day after.
        db_.execute(QStringLiteral("Update tbSteuerschluessel set Standard = ") +
                        (felder_.standard ? QStringLiteral("true") : QStringLiteral("false")) +
                        QStringLiteral(" Where IDSteuerschluessel = ?"),
                    {*nachfolger});
        if (bis)
            db_.execute(QStringLiteral("Update tbSteuerschluessel set GueltigSeit  = ? Where IDSteuerschluessel = ?"),
                        {bis->addDays(1), *nachfolger});
    }
    t.commit();
    felder_.id = id;
    felder_.geaendert = false;
    return true;
}

bool MwStLogik::loeschen() {
    if (felder_.id == 0) return false;
    if (clsMWST(db_, dialogs_).MWSTInGebrauch(felder_.id)) {
        dialogs_.message(kInGebrauch, kTitel);
        return false;
    }
    if (dialogs_.message(kLoeschenFrage, kTitel, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    db_.execute(QStringLiteral("DELETE * FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?"), {felder_.id});
    felder_ = MwStFelder{};
    return true;
}

bool MwStLogik::schliessen() { return aenderungenSichern(); }

}  // namespace tav
