#pragma once

#include <QString>
#include <QStringView>

namespace tav::jettext {

// Text is compared and sorted without regard to case, as the Jet engine did, in German order:
// umlauts sort with their base letter (Äpfel before Birne), ß sorts as "ss".
// Equal means equal but for case: "Müller" = "MÜLLER", but "Muller" < "Müller".
int compare(QStringView a, QStringView b);
// The same on UTF-8 bytes, as the SQLite collation receives them.
int compareUtf8(const char* a, int na, const char* b, int nb);

// Case folding for pattern matching (Like): umlauts fold to their lower case, ß stays ß.
QString fold(QStringView s);

// Upper case as UCase and Format(…, ">") give it: letter by letter, so ß stays ß ("STRAßE").
QString upper(QStringView s);

// The collation's name in SQL.
inline constexpr const char* kCollation = "JETTEXT";

}  // namespace tav::jettext
