#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace tav {

class Database;

// The stored column widths of a grid, per window and grid, in tbSpaltenbreiten: the widths of
// all columns joined by the character 186, with the number of columns when stored. Widths
// stored for another number of columns are stale: they are deleted so that the defaults apply.
class clsSpalten {
public:
    explicit clsSpalten(Database& db) : db_(db) {}

    static inline const QChar kTrenner = QChar(186);

    // Stores the widths of all columns of a grid (column 0 included). A grid with only its
    // header row stores nothing (and returns false), as does an empty width list.
    bool BreitenSpeichern(const QString& formular, const QString& steuerelement, const QList<int>& breiten, bool nurKopfzeile = false);

    // The stored widths when they were stored for `spalten` columns; otherwise the stored row
    // is deleted and nothing is returned.
    std::optional<QList<int>> BreitenAbrufen(const QString& formular, const QString& steuerelement, int spalten);

private:
    Database& db_;
};

}  // namespace tav
