#include "invoice/ArtikelLogik.h"

#include "engine/Database.h"
#include "platform/Amounts.h"
#include "platform/Dialogs.h"
#include "store/Geld.h"

namespace tav {

QList<StammZeile> ArtikelLogik::zeilen() {
    static const QStringList ordnung = {QStringLiteral("tbArtKategorie.ArtKategorie"), QStringLiteral("tbArtKategorie.Preis"),
                                        QStringLiteral("tbSteuerschluessel.Steuersatz"), QStringLiteral("tbArtKategorie.Bem_ArtKategorie"),
                                        QStringLiteral("tbArtKategorie.KeinDatum")};
    const QString sql = QStringLiteral("SELECT tbArtKategorie.IDArtKategorie, tbArtKategorie.ArtKategorie AS Bezeichnung, ") +
                        QStringLiteral("format(tbArtKategorie.Preis, '#,##0.00') as Preis, ") +
                        QStringLiteral("tbSteuerschluessel.Steuersatz as MwSt, tbArtKategorie.Bem_ArtKategorie AS Bemerkung , ") +
                        QStringLiteral("iif(KeinDatum = 0 ,'Nein', 'Ja') as [Ohne Datum]") +
                        QStringLiteral(" FROM tbArtKategorie  LEFT JOIN tbSteuerschluessel ") +
                        QStringLiteral(" ON tbArtKategorie.MWST_SL = tbSteuerschluessel.IDSteuerschluessel ") +
                        QStringLiteral(" ORDER BY ") + ordnung.value(sortierung_.spalte(), ordnung.first()) +
                        (sortierung_.absteigend() ? QStringLiteral(" desc") : QString()) +
                        QStringLiteral(", tbArtKategorie.IDArtKategorie");
    QList<StammZeile> z;
    Recordset rs = db_.openRecordset(sql);
    for (; !rs.eof(); rs.moveNext()) {
        const QVariant satz = rs.value(QStringLiteral("MwSt"));
        z << StammZeile{rs.integer(QStringLiteral("IDArtKategorie")),
                        {rs.text(QStringLiteral("Bezeichnung")), rs.text(QStringLiteral("Preis")),
                         satz.isNull() ? QString() : MwStEintrag{0, satz.toDouble()}.text(), rs.text(QStringLiteral("Bemerkung")),
                         rs.text(QStringLiteral("Ohne Datum"))}};
    }
    return z;
}

bool ArtikelLogik::aenderungenSichern() {
    if (!felder_.geaendert) return true;
    const Answer a = dialogs_.message(kSpeichernFrage, kSpeichernTitel, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::Yes) return speichern();
    return true;
}

bool ArtikelLogik::laden(int id) {
    if (!aenderungenSichern()) return false;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbArtKategorie.*, tbSteuerschluessel.Steuersatz FROM tbArtKategorie LEFT JOIN tbSteuerschluessel "
                       "ON tbArtKategorie.MWST_SL = tbSteuerschluessel.IDSteuerschluessel WHERE IDArtKategorie = ?"),
        {id});
    if (rs.eof()) return false;
    felder_ = ArtikelFelder{};
    felder_.id = id;
    felder_.name = rs.text(QStringLiteral("ArtKategorie"));
    felder_.preis = amounts::format(rs.number(QStringLiteral("Preis")));
    const QVariant satz = rs.value(QStringLiteral("Steuersatz"));
    felder_.mwst = satz.isNull() ? QString() : MwStEintrag{0, satz.toDouble()}.text();
    felder_.bemerkung = rs.text(QStringLiteral("Bem_ArtKategorie"));
    felder_.keinDatum = rs.yes(QStringLiteral("KeinDatum"));
    return true;
}

bool ArtikelLogik::neu() {
    if (!aenderungenSichern()) return false;
    felder_ = ArtikelFelder{};
    return true;
}

QString ArtikelLogik::preisAnzeigen(const QString& text) {
    if (text.trimmed().isEmpty()) return text;
    const auto b = amounts::parse(text.trimmed());
    return b ? geld::text(*b) : text;
}

bool ArtikelLogik::speichern() {
    if (felder_.name.trimmed().isEmpty()) {
        dialogs_.message(kNameLeer, kTitel);
        return false;
    }
    double preis = 0;
    if (!felder_.preis.trimmed().isEmpty()) {
        const auto b = amounts::parse(felder_.preis.trimmed());
        if (!b) {
            dialogs_.message(kPreisUngueltig, kTitel);
            return false;
        }
        preis = geld::runden(*b);
    }
    bool gewaehlt = false;
    const std::optional<int> mwst = auswahl_.pruefen(felder_.mwst, &gewaehlt);
    if (!felder_.mwst.trimmed().isEmpty() && !gewaehlt) return false;

    Transaction t(db_, QStringLiteral("tbArtKategorie"));
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbArtKategorie WHERE IDArtKategorie = ?"), {felder_.id});
    if (rs.eof()) {
        const int id = db_.scalar(QStringLiteral("SELECT Max(IDArtKategorie) FROM tbArtKategorie")).toInt() + 1;
        rs.addNew();
        rs.setValue(QStringLiteral("IDArtKategorie"), id);
        felder_.id = id;
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("ArtKategorie"), felder_.name.trimmed());
    rs.setValue(QStringLiteral("Preis"), preis);
    rs.setValue(QStringLiteral("MWST_SL"), mwst ? QVariant(*mwst) : QVariant());
    rs.setValue(QStringLiteral("Bem_ArtKategorie"), felder_.bemerkung);
    rs.setValue(QStringLiteral("KeinDatum"), felder_.keinDatum);
    rs.update();
    t.commit();
    felder_.preis = amounts::format(preis);
    felder_.geaendert = false;
    return true;
}

bool ArtikelLogik::loeschen() {
    if (felder_.id == 0) return false;
    if (dialogs_.message(kLoeschenFrage, kTitel, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    db_.execute(QStringLiteral("DELETE * FROM tbArtKategorie WHERE IDArtKategorie = ?"), {felder_.id});
    felder_ = ArtikelFelder{};
    return true;
}

bool ArtikelLogik::schliessen() { return aenderungenSichern(); }

std::optional<ArtikelVorgabe> ArtikelLogik::Preis_Bemerkung_emitteln(const QString& name) {
    Recordset rs =
        db_.openRecordset(QStringLiteral("Select * from tbArtKategorie  where ArtKategorie = ? ORDER BY IDArtKategorie"), {name});
    if (rs.eof()) return std::nullopt;
    return ArtikelVorgabe{rs.number(QStringLiteral("Preis")), rs.text(QStringLiteral("Bem_ArtKategorie")),
                          rs.integer(QStringLiteral("MWST_SL")), rs.yes(QStringLiteral("KeinDatum"))};
}

}  // namespace tav
