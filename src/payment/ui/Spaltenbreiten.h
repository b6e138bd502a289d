#pragma once

#include <QString>

class QTableView;

namespace tav {

class Database;

// The column widths of a grid, kept per form and grid through clsSpalten: restored when a
// window opens, stored when it closes. A failing read or write keeps the widths as they are.
namespace spaltenbreiten {

void laden(Database& db, const QString& formular, QTableView* grid);
void speichern(Database& db, const QString& formular, QTableView* grid);

}  // namespace spaltenbreiten
}  // namespace tav
