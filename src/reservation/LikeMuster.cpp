#include "reservation/LikeMuster.h"

namespace tav::like {

QString woertlich(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (QChar c : text) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#') || c == QLatin1Char('['))
            out += QLatin1Char('[') + c + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

QString obergrenze(const QString& text) {
    constexpr char32_t hoechstes = 0x10FFFF;
    return text + QChar(QChar::highSurrogate(hoechstes)) + QChar(QChar::lowSurrogate(hoechstes));
}

}  // namespace tav::like
