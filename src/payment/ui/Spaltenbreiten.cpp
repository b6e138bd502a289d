#include "payment/ui/Spaltenbreiten.h"

#include <QHeaderView>
#include <QTableView>

#include "engine/Database.h"
#include "engine/DatabaseError.h"

namespace tav::spaltenbreiten {

void laden(Database& db, const QString& formular, QTableView* grid) {
    try {
        const QString breiten = db.scalar(QStringLiteral("SELECT Breiten FROM tbSpaltenbreiten WHERE Formular = ? AND Steuerelement = ?"),
                                          {formular, grid->objectName()})
                                    .toString();
        const QStringList teile = breiten.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (int i = 0; i < teile.size() && i < grid->model()->columnCount(); ++i) {
            bool ok = false;
            const int b = teile[i].toInt(&ok);
            if (ok && b > 0 && b < 2000 && !grid->isColumnHidden(i)) grid->setColumnWidth(i, b);
        }
    } catch (const DatabaseError&) {
        // the grid keeps its default widths
    }
}

void speichern(Database& db, const QString& formular, QTableView* grid) {
    QStringList teile;
    for (int i = 0; i < grid->model()->columnCount(); ++i) teile << QString::number(grid->columnWidth(i));
    try {
        Transaction t(db);
        db.execute(QStringLiteral("DELETE Formular FROM tbSpaltenbreiten WHERE Formular = ? AND Steuerelement = ?"),
                   {formular, grid->objectName()});
        db.execute(QStringLiteral("INSERT INTO tbSpaltenbreiten (Formular, Steuerelement, AnzSpalten, Breiten) VALUES (?, ?, ?, ?)"),
                   {formular, grid->objectName(), int(teile.size()), teile.join(QLatin1Char(';'))});
        t.commit();
    } catch (const DatabaseError&) {
        // widths are a convenience: a locked file keeps the stored ones
    }
}

}  // namespace tav::spaltenbreiten
