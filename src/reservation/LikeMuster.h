#pragma once

#include <QString>

namespace tav::like {

// Typed text inside a Like pattern: the pattern characters * ? # [ are put in brackets, so
// that they match only themselves.
QString woertlich(const QString& text);

// "text*": every value that starts with the typed text.
inline QString anfang(const QString& text) { return woertlich(text) + QLatin1Char('*'); }

// A text that sorts after every value starting with the given text (the text followed by the
// highest character), so that "field >= text And field < obergrenze(text)" can use the
// field's index before a Like tests each row.
QString obergrenze(const QString& text);

}  // namespace tav::like
