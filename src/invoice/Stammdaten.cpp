#include "invoice/Stammdaten.h"

#include <QLocale>

#include "engine/Database.h"
#include "invoice/clsMWST.h"
#include "platform/Dialogs.h"

namespace tav {

QString MwStEintrag::text() const { return QLocale(QLocale::German, QLocale::Germany).toString(satz, 'g', 6); }

QList<MwStEintrag> MwStAuswahl::liste() {
    QList<MwStEintrag> l;
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT IDSteuerschluessel, Steuersatz From tbSteuerschluessel") +
                                     QStringLiteral(" ORDER BY tbSteuerschluessel.Steuersatz DESC"));
    for (; !rs.eof(); rs.moveNext())
        l << MwStEintrag{rs.integer(QStringLiteral("IDSteuerschluessel")), rs.number(QStringLiteral("Steuersatz"))};
    return l;
}

std::optional<double> MwStAuswahl::satzLesen(const QString& text) {
    QString t = text.trimmed();
    if (t.endsWith(QLatin1Char('%'))) t.chop(1);
    t = t.trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (QChar c : t)
        if (!c.isDigit() && c != QLatin1Char(',') && c != QLatin1Char('.')) return std::nullopt;
    if (t.count(QLatin1Char(',')) + t.count(QLatin1Char('.')) > 1) return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double satz = t.toDouble(&ok);
    if (!ok || satz < 0 || satz > 100) return std::nullopt;
    return satz;
}

std::optional<int> MwStAuswahl::pruefen(const QString& text, bool* gewaehlt) {
    if (gewaehlt) *gewaehlt = false;
    if (text.trimmed().isEmpty()) return std::nullopt;
    const std::optional<double> satz = satzLesen(text);
    if (satz)
        for (const MwStEintrag& e : liste())
            if (e.satz == *satz) {
                if (gewaehlt) *gewaehlt = true;
                return e.id;
            }
    dialogs_.message(kNichtInListe);
    return std::nullopt;
}

bool MwStAuswahl::aendern(int id, const QString& neuerSatz) {
    const std::optional<double> satz = satzLesen(neuerSatz);
    if (!satz) {
        dialogs_.message(kSatzUngueltig);
        return false;
    }
    if (dialogs_.message(kAendernWarnung + kAendernFrage, kAendernTitel, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    return db_.execute(QStringLiteral("UPDATE tbSteuerschluessel SET Steuersatz = ? WHERE IDSteuerschluessel = ?"), {*satz, id}) == 1;
}

bool MwStAuswahl::entfernen(int id) {
    if (clsMWST(db_, dialogs_).MWSTInGebrauch(id)) {
        dialogs_.message(kInGebrauch);
        return false;
    }
    if (dialogs_.message(kEntfernenFrage, kEntfernenTitel, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    return db_.execute(QStringLiteral("DELETE * FROM tbSteuerschluessel WHERE IDSteuerschluessel = ?"), {id}) == 1;
}

}  // namespace tav
