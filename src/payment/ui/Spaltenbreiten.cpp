#include "payment/ui/Spaltenbreiten.h"

#include <QHeaderView>
#include <QTableView>

#include "engine/DatabaseError.h"
#include "store/clsSpalten.h"

namespace tav::spaltenbreiten {

void laden(Database& db, const QString& formular, QTableView* grid) {
    try {
        const auto breiten = clsSpalten(db).BreitenAbrufen(formular, grid->objectName(), grid->model()->columnCount());
        if (!breiten) return;
        for (int i = 0; i < breiten->size(); ++i) {
            const int b = breiten->at(i);
            if (b > 0 && b < 2000 && !grid->isColumnHidden(i)) grid->setColumnWidth(i, b);
        }
    } catch (const DatabaseError&) {
        // the grid keeps its default widths
    }
}

void speichern(Database& db, const QString& formular, QTableView* grid) {
    QList<int> breiten;
    for (int i = 0; i < grid->model()->columnCount(); ++i) breiten << grid->columnWidth(i);
    try {
        clsSpalten(db).BreitenSpeichern(formular, grid->objectName(), breiten, grid->model()->rowCount() == 0);
    } catch (const DatabaseError&) {
        // widths are a convenience: a locked file keeps the stored ones
    }
}

}  // namespace tav::spaltenbreiten
