#include "invoice/clsMWST.h"

#include <QSet>
#include <algorithm>

#include "engine/Database.h"
#include "platform/Dialogs.h"

namespace tav {

QString clsMWST::gueltigeAbfrage(const QString& felder) const {
    return QStringLiteral("SELECT ") + felder + QStringLiteral(" FROM tbSteuerschluessel ") +
           QStringLiteral("WHERE (GUeltigBis Is Null Or GUeltigBis >= ?) AND (GUeltigseit Is Null Or GUeltigseit <= ?) ");
}

QString clsMWST::AktuelleMwStErmitteln(bool heutigesDatum, const QDate& datum) {
    const QString sql = gueltigeAbfrage(QStringLiteral("IDSteuerschluessel, Steuersatz, GUeltigBis, GUeltigseit, Standard")) +
                        QStringLiteral("Order by Steuersatz desc, IDSteuerschluessel");
    Recordset rs = db_.openRecordset(sql, {datum, datum});
    if (rs.eof()) {
        // No key valid on the date, also when the table holds keys outside their validity.
        MwStAnlegen();
        rs = db_.openRecordset(sql, {datum, datum});
        if (rs.eof()) {
            dialogs_.message(kKeinStandard);
            return {};
        }
    }
    if (heutigesDatum) {
        tabelle_.clear();
        standard_.reset();
    }
    QString ergebnis;
    for (; !rs.eof(); rs.moveNext()) {
        const int id = rs.integer(QStringLiteral("IDSteuerschluessel"));
        const double satz = rs.number(QStringLiteral("Steuersatz"));
        ergebnis += kSeparator + QString::number(id);
        if (heutigesDatum) {
            tabelle_.append(MwStZeile{id, satz, 0, 0});
            if (rs.yes(QStringLiteral("Standard")) && !standard_) standard_ = satz;
        }
    }
    return ergebnis.mid(kSeparator.size());
}

void clsMWST::MwStAnlegen() {
    db_.execute(QStringLiteral("INSERT INTO tbSteuerschluessel ( IDSteuerschluessel, Steuersatz, Standard ) values( ?, 16, True)"),
                {LetzteNummer() + 1});
}

bool clsMWST::MWSTInGebrauch(int idSteuer) {
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE IDSteuerschlüssel = ?"), {idSteuer}).toInt() > 0) return true;
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tbArtKategorie WHERE MWST_SL = ?"), {idSteuer}).toInt() > 0) return true;
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM tbSteuerschluessel WHERE IDNachfolger = ? AND IDSteuerschluessel <> ?"),
                      {idSteuer, idSteuer})
               .toInt() > 0;
}

int clsMWST::LetzteNummer() { return db_.scalar(QStringLiteral("SELECT Max(IDSteuerschluessel) FROM tbSteuerschluessel")).toInt(); }

std::optional<int> clsMWST::IDMwSTStandardVonDatum(const QDate& datum) {
    Recordset rs = db_.openRecordset(gueltigeAbfrage(QStringLiteral("IDSteuerschluessel")) +
                                         QStringLiteral("AND Standard = True Order by Steuersatz desc, IDSteuerschluessel"),
                                     {datum, datum});
    if (rs.eof()) return std::nullopt;
    return rs.integer(QStringLiteral("IDSteuerschluessel"));
}

std::optional<double> clsMWST::MwSTSSatztandardVonDatum(const QDate& datum) {
    Recordset rs = db_.openRecordset(
        gueltigeAbfrage(QStringLiteral("Steuersatz")) + QStringLiteral("AND Standard = True Order by Steuersatz desc, IDSteuerschluessel"),
        {datum, datum});
    if (rs.eof()) return std::nullopt;
    return rs.number(QStringLiteral("Steuersatz"));
}

std::optional<clsMWST::Schluessel> clsMWST::lesen(int id) {
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT Steuersatz, GUeltigseit, GUeltigBis, IDNachfolger FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?"),
        {id});
    if (rs.eof()) return std::nullopt;
    Schluessel s;
    s.id = id;
    s.satz = rs.number(QStringLiteral("Steuersatz"));
    s.seit = rs.value(QStringLiteral("GUeltigseit")).toDate();
    s.bis = rs.value(QStringLiteral("GUeltigBis")).toDate();
    const QVariant n = rs.value(QStringLiteral("IDNachfolger"));
    if (!n.isNull() && n.toInt() != 0) s.nachfolger = n.toInt();
    return s;
}

std::optional<int> clsMWST::vorgaenger(int id) {
    const QVariant v = db_.scalar(
        QStringLiteral("SELECT IDSteuerschluessel FROM tbSteuerschluessel WHERE IDNachfolger = ? ORDER BY IDSteuerschluessel"), {id});
    if (v.isNull()) return std::nullopt;
    return v.toInt();
}

bool clsMWST::GueltigerMwstSatzFinden(int idSteuerschluessel, const QDate& datum) {
    gefunden_.reset();
    QSet<int> besucht;
    std::optional<int> id = idSteuerschluessel;
    while (id) {
        // A key met a second time closes a loop of successors or predecessors.
        if (besucht.contains(*id)) {
            dialogs_.message(kKreis, {}, Buttons::Ok, Icon::Exclamation);
            return false;
        }
        besucht.insert(*id);
        const std::optional<Schluessel> s = lesen(*id);
        if (!s) return false;
        if (s->seit.isValid() && s->seit > datum) {
            id = vorgaenger(s->id);
            continue;
        }
        if (s->bis.isValid() && s->bis < datum) {
            id = s->nachfolger;
            continue;
        }
        gefunden_ = s->satz;
        return true;
    }
    return false;
}

MwStAnteil clsMWST::aufteilen(double brutto, double satz) {
    MwStAnteil a;
    a.netto = brutto / (100.0 + satz) * 100.0;
    a.mwst = brutto - a.netto;
    return a;
}

double clsMWST::bruttoRabattZuNetto(double betrag, double satz) { return betrag / (100.0 + satz) * 100.0; }

void clsMWST::zeileBuchen(double brutto, double satz) {
    const MwStAnteil a = aufteilen(brutto, satz);
    auto it = std::find_if(tabelle_.begin(), tabelle_.end(), [satz](const MwStZeile& z) { return z.satz == satz; });
    if (it == tabelle_.end()) {
        it = std::find_if(tabelle_.begin(), tabelle_.end(), [satz](const MwStZeile& z) { return z.satz < satz; });
        it = tabelle_.insert(it, MwStZeile{0, satz, 0, 0});
    }
    it->netto += a.netto;
    it->mwst += a.mwst;
}

void clsMWST::rabattAnwenden(double prozent) {
    const double faktor = (100.0 - prozent) / 100.0;
    for (MwStZeile& z : tabelle_) {
        z.netto *= faktor;
        z.mwst *= faktor;
    }
}

double clsMWST::mwstSumme() const {
    double s = 0;
    for (const MwStZeile& z : tabelle_) s += z.mwst;
    return s;
}

double clsMWST::nettoSumme() const {
    double s = 0;
    for (const MwStZeile& z : tabelle_) s += z.netto;
    return s;
}

}  // namespace tav
