#include "store/clsSpalten.h"

#include <QStringList>

#include "engine/Database.h"

namespace tav {

bool clsSpalten::BreitenSpeichern(const QString& formular, const QString& steuerelement, const QList<int>& breiten, bool nurKopfzeile) {
    if (nurKopfzeile || breiten.isEmpty()) return false;
    QStringList teile;
    for (int b : breiten) teile << QString::number(b);
    Transaction t(db_, QStringLiteral("tbSpaltenbreiten"));
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbSpaltenbreiten WHERE Formular = ? AND Steuerelement = ?"),
                                     {formular, steuerelement});
    if (rs.eof()) {
        rs.addNew();
        rs.setValue(QStringLiteral("Formular"), formular);
        rs.setValue(QStringLiteral("Steuerelement"), steuerelement);
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("Breiten"), teile.join(kTrenner));
    rs.setValue(QStringLiteral("AnzSpalten"), static_cast<int>(breiten.size()));
    rs.update();
    t.commit();
    return true;
}

std::optional<QList<int>> clsSpalten::BreitenAbrufen(const QString& formular, const QString& steuerelement, int spalten) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbSpaltenbreiten WHERE Formular = ? AND Steuerelement = ?"),
                                     {formular, steuerelement});
    if (rs.eof()) return std::nullopt;
    const QStringList teile = rs.text(QStringLiteral("Breiten")).split(kTrenner);
    bool passt = rs.integer(QStringLiteral("AnzSpalten"), -1) == spalten && teile.size() == spalten;
    QList<int> breiten;
    for (const QString& teil : teile) {
        bool ok = false;
        const int b = teil.trimmed().toInt(&ok);
        if (!ok || b < 0) passt = false;
        breiten << b;
    }
    if (passt) return breiten;
    db_.execute(QStringLiteral(" delete *  From tbSpaltenbreiten WHERE Formular = ? AND Steuerelement = ?"), {formular, steuerelement});
    return std::nullopt;
}

}  // namespace tav
