#include "reservation/SaisonpreiseLogik.h"

#include "engine/Database.h"
#include "platform/Amounts.h"
#include "platform/Dialogs.h"

namespace tav {

namespace {
// The fields of the four boxes, in the order of SaisonpreiseLogik::Feld.
const std::array<QString, 4> kFelder = {QStringLiteral("PreisHauptsaison"), QStringLiteral("PreisZwischensaison"),
                                        QStringLiteral("PreisNebensaison"), QStringLiteral("PreisSondersaison")};

const QString kAbfrage = QStringLiteral(" SELECT Zimmernummer, PreisDefault, PreisNebensaison, PreisZwischensaison, ") +
                         QStringLiteral(" PreisHauptsaison, PreisSondersaison From tbZimmernummern") +
                         QStringLiteral(" WHERE Zimmernummer = ?");
}  // namespace

QList<ZimmerWahl> SaisonpreiseLogik::zimmer() const {
    QList<ZimmerWahl> out;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Zimmernummer, NeueNummer FROM tbZimmernummern ORDER BY Zimmernummer"));
         !rs.eof(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("Zimmernummer")), rs.text(QStringLiteral("NeueNummer"))});
    return out;
}

bool SaisonpreiseLogik::aenderungenSichern() {
    if (!geaendert_) return true;
    switch (dialogs_.message(QStringLiteral("Änderungen oder neue Daten speichern?"), QStringLiteral("Änderungen speichern"),
                             Buttons::YesNoCancel, Icon::Question)) {
        case Answer::Yes: return speichern();
        case Answer::No: geaendert_ = false; return true;
        default: return false;
    }
}

bool SaisonpreiseLogik::laden(int zimmer) {
    if (zimmer == zimmer_ && zimmer != 0) return true;
    if (!aenderungenSichern()) return false;
    zimmer_ = 0;
    standard_ = 0;
    texte_ = {};
    geaendert_ = false;
    Recordset rs = db_.openRecordset(kAbfrage, {zimmer});
    if (rs.eof()) return true;
    zimmer_ = zimmer;
    standard_ = rs.number(QStringLiteral("PreisDefault"));
    for (size_t i = 0; i < kFelder.size(); ++i) {
        const QVariant preis = rs.value(kFelder[i]);
        texte_[i] = preis.isNull() ? QString() : amounts::format(preis.toDouble());
    }
    return true;
}

void SaisonpreiseLogik::setText(Feld f, const QString& text) {
    if (texte_[size_t(f)] == text) return;
    texte_[size_t(f)] = text;
    geaendert_ = true;
}

bool SaisonpreiseLogik::tasteErlaubt(QChar c) { return c.isDigit() || c == QLatin1Char(',') || c == QChar(0x08); }

bool SaisonpreiseLogik::pruefen(Feld f) {
    const QString t = texte_[size_t(f)].trimmed();
    if (t.isEmpty() || amounts::parse(t)) return true;
    dialogs_.message(QStringLiteral("Bitte überprüfen Sie die Eingabe"), {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool SaisonpreiseLogik::speichern() {
    if (zimmer_ == 0) return false;
    for (int f = Haupt; f <= Sonder; ++f)
        if (!pruefen(Feld(f))) return false;
    Recordset rs = db_.openRecordset(kAbfrage, {zimmer_});
    if (rs.eof()) return false;
    rs.edit();
    for (size_t i = 0; i < kFelder.size(); ++i) {
        const QString t = texte_[i].trimmed();
        rs.setValue(kFelder[i], t.isEmpty() ? QVariant() : QVariant(*amounts::parse(t)));
        if (!t.isEmpty()) texte_[i] = amounts::format(*amounts::parse(t));
    }
    rs.update();
    geaendert_ = false;
    return true;
}

bool SaisonpreiseLogik::schliessen() { return aenderungenSichern(); }

}  // namespace tav
