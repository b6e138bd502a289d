#include "store/clsDatenaufbereitung.h"

#include <QSet>

#include "engine/Database.h"
#include "platform/Dialogs.h"

namespace tav {

namespace {

QStringList markenFelder() {
    QStringList out;
    for (int i = 1; i <= 5; ++i) out << QStringLiteral("BenutztVon%1").arg(i);
    for (int i = 1; i <= 5; ++i) out << QStringLiteral("Herkunft%1").arg(i);
    return out;
}

QString bereinigt(QString s) {
    s.replace(QLatin1Char(';'), QLatin1Char(','));
    s.replace(QLatin1Char('~'), QLatin1Char(','));
    return s;
}

}  // namespace

int clsDatenaufbereitung::DatenNeu() {
    int geaendert = 0;
    for (const TableDef& def : db_.tableDefs()) {
        if (def.name.startsWith(QLatin1String("msys"), Qt::CaseInsensitive)) continue;
        QStringList textFelder, bedingung;
        for (const FieldDef& f : def.fields) {
            if (f.type != JetType::Text && f.type != JetType::Memo) continue;
            textFelder << f.name;
            const QString feld = QLatin1Char('[') + f.name + QLatin1Char(']');
            bedingung << feld + QStringLiteral(" Like '*;*'") << feld + QStringLiteral(" Like '*~*'");
        }
        if (textFelder.isEmpty()) continue;
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM [") + def.name + QStringLiteral("] WHERE ") +
                                         bedingung.join(QStringLiteral(" Or ")));
        for (; !rs.eof(); rs.moveNext()) {
            rs.edit();
            for (const QString& f : textFelder) {
                const QVariant wert = rs.value(f);
                if (wert.isNull()) continue;
                const QString neu = bereinigt(wert.toString());
                if (neu == wert.toString()) continue;
                rs.setValue(f, neu);
                ++geaendert;
            }
            rs.update();
        }
    }
    dialogs_.message(QStringLiteral("Die Daten wurden überprüft und Fehler wurden behoben."));
    return geaendert;
}

void clsDatenaufbereitung::AdressZuAdressFüllen() {
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT ID, IDÜberAdresse FROM Address WHERE IDÜberAdresse Is Not Null AND IDÜberAdresse <> 0"));
    for (; !rs.eof(); rs.moveNext())
        db_.execute(QStringLiteral("Insert into tbAdress_zu_Adress (IDAdresseOber, IDAdresseUnter) ") + QStringLiteral(" values ( ") +
                    QString::number(rs.integer(QStringLiteral("IDÜberAdresse"))) + QLatin1Char(',') +
                    QString::number(rs.integer(QStringLiteral("ID"))) + QStringLiteral(");"));
    db_.execute(
        QStringLiteral("DELETE * FROM tbAdress_zu_Adress WHERE IDAdresseOber NOT IN (SELECT ID FROM Address) "
                       "OR IDAdresseUnter NOT IN (SELECT ID FROM Address)"));
}

void clsDatenaufbereitung::ÜberAdresseLöschen() { db_.execute(QStringLiteral("Update address set IDÜberAdresse = Null;")); }

void clsDatenaufbereitung::VorhandeneKategorienEinrichten() {
    QSet<QString> vorhanden;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT AdressKatName FROM tbAdresskategorie")); !rs.eof(); rs.moveNext())
        vorhanden.insert(rs.text(QStringLiteral("AdressKatName")).toCaseFolded());
    for (const QString& feld : markenFelder()) {
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT DISTINCT [") + feld + QStringLiteral("] AS Marke FROM Address WHERE [") +
                                         feld + QStringLiteral("] Is Not Null"));
        for (; !rs.eof(); rs.moveNext()) {
            const QString name = rs.text(QStringLiteral("Marke")).trimmed();
            if (name.isEmpty() || vorhanden.contains(name.toCaseFolded())) continue;
            db_.execute(QStringLiteral(" INSERT INTO tbAdresskategorie ( AdressKatName, AdressKatBemerkung )values ") +
                            QStringLiteral(" (?,'importiert' )"),
                        {name});
            vorhanden.insert(name.toCaseFolded());
        }
    }
}

void clsDatenaufbereitung::UpdateKategorien() {
    for (const QString& feld : markenFelder()) {
        db_.execute(QStringLiteral("INSERT INTO tbAdress_zu_Adresskategorie (IDAdresse, IDAdressKategorie) "
                                   "SELECT DISTINCT Address.ID, tbAdresskategorie.IDAdresskategorie FROM Address INNER JOIN "
                                   "tbAdresskategorie ON Address.[") +
                    feld +
                    QStringLiteral("] = tbAdresskategorie.AdressKatName WHERE NOT EXISTS (SELECT * FROM tbAdress_zu_Adresskategorie AS z "
                                   "WHERE z.IDAdresse = Address.ID AND z.IDAdressKategorie = tbAdresskategorie.IDAdresskategorie)"));
    }
}

void clsDatenaufbereitung::NichtVorhandeneKategorienZuordnungLöschen() {
    db_.execute(QStringLiteral("DELETE * FROM tbAdress_zu_Adresskategorie WHERE IDAdresse NOT IN (SELECT ID FROM Address)"));
}

void clsDatenaufbereitung::NichtVorhandeneAuswahlZuordnungLöschen() {
    db_.execute(QStringLiteral("DELETE * FROM tbAdress_zu_Ergebnis WHERE IDAdresse NOT IN (SELECT ID FROM Address)"));
}

void clsDatenaufbereitung::NichtVorhandeneAnsprechpartnerZuordnungLöschen() {
    db_.execute(QStringLiteral("DELETE * FROM tbAnsprechpartner WHERE IDAdresse NOT IN (SELECT ID FROM Address)"));
}

void clsDatenaufbereitung::VorhandeneAnredenEinrichten() {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT DISTINCT Anrede FROM Address WHERE Anrede Is Not Null AND Anrede <> ''"));
    for (; !rs.eof(); rs.moveNext()) {
        const QString anrede = rs.text(QStringLiteral("Anrede")).trimmed();
        if (anrede.isEmpty()) continue;
        if (db_.scalar(QStringLiteral("SELECT IDAnrede FROM tbAnreden WHERE Anrede = ?"), {anrede}).isNull())
            db_.execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES (?)"), {anrede});
    }
}

void clsDatenaufbereitung::UpdateAnreden() {
    db_.execute(
        QStringLiteral("UPDATE Address INNER JOIN tbAnreden ON Address.Anrede = tbAnreden.Anrede "
                       "SET Address.IDAnrede = tbAnreden.IDAnrede, Address.Anrede = Null"));
}

}  // namespace tav
