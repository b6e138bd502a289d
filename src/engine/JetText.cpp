#include "engine/JetText.h"

#include <QChar>

namespace tav::jettext {

namespace {

// One code point turned into up to two primary units (ß -> s s) and one secondary weight
// (0 for a plain letter, the accented letter itself otherwise).
struct Weight {
    char32_t primary[2];
    int count;
    char32_t secondary;
};

char32_t baseOfLatin1(char32_t c) {
    // Lower-case base letters for U+00C0 .. U+00FF.
    static const char* const table =
        "aaaaaaaceeeeiiii"   // C0-CF
        "dnooooo*ouuuuyts"   // D0-DF (D7 multiplication sign kept, DE thorn, DF sharp s handled)
        "aaaaaaaceeeeiiii"   // E0-EF
        "dnooooo/ouuuuyty";  // F0-FF
    const char b = table[c - 0xC0];
    if (b == '*' || b == '/') return 0;
    return char32_t(b);
}

Weight weightOf(char32_t c) {
    if (c < 0x80) {
        const char32_t lower = (c >= 'A' && c <= 'Z') ? c + 32 : c;
        return {{lower, 0}, 1, 0};
    }
    if (c == 0xDF || c == 0x1E9E) return {{'s', 's'}, 2, 0xDF};  // ß and capital ẞ
    if (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7 && c != 0xDE && c != 0xFE) {
        const char32_t base = baseOfLatin1(c);
        const char32_t lower = QChar::toLower(c);
        if (base) return {{base, 0}, 1, lower};
    }
    const char32_t lower = QChar::toLower(c);
    // Other accented Latin letters sort with their base letter where Unicode tells one.
    const QString decomposed = QChar::decomposition(lower);
    if (!decomposed.isEmpty() && decomposed.at(0).unicode() < 0x80 && decomposed.at(0).isLetter())
        return {{char32_t(decomposed.at(0).toLower().unicode()), 0}, 1, lower};
    return {{lower, 0}, 1, 0};
}

// Walks code points of UTF-8 or UTF-16 text.
struct Utf8Reader {
    const unsigned char* p;
    const unsigned char* end;
    bool atEnd() const { return p >= end; }
    char32_t next() {
        const unsigned char c = *p++;
        if (c < 0x80) return c;
        int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
        char32_t cp = c & (0x3F >> extra);
        while (extra-- > 0 && p < end) cp = (cp << 6) | (*p++ & 0x3F);
        return cp;
    }
};

struct Utf16Reader {
    const QChar* p;
    const QChar* end;
    bool atEnd() const { return p >= end; }
    char32_t next() {
        const QChar c = *p++;
        if (c.isHighSurrogate() && p < end && p->isLowSurrogate()) return QChar::surrogateToUcs4(c, *p++);
        return c.unicode();
    }
};

// Streams primary units; records secondary weights for the tie-break.
template <class Reader>
struct PrimaryStream {
    Reader r;
    char32_t pending = 0;
    bool hasPending = false;
    char32_t lastSecondary = 0;
    bool next(char32_t& out) {
        if (hasPending) {
            hasPending = false;
            out = pending;
            lastSecondary = 0;
            return true;
        }
        if (r.atEnd()) return false;
        const Weight w = weightOf(r.next());
        out = w.primary[0];
        lastSecondary = w.secondary;
        if (w.count == 2) {
            pending = w.primary[1];
            hasPending = true;
        }
        return true;
    }
};

template <class Reader>
int compareStreams(Reader ra, Reader rb) {
    PrimaryStream<Reader> a{ra}, b{rb};
    int secondaryResult = 0;
    for (;;) {
        char32_t pa = 0, pb = 0;
        const bool ha = a.next(pa);
        const bool hb = b.next(pb);
        if (!ha || !hb) {
            if (ha != hb) return ha ? 1 : -1;
            return secondaryResult;
        }
        if (pa != pb) return pa < pb ? -1 : 1;
        if (secondaryResult == 0 && a.lastSecondary != b.lastSecondary) secondaryResult = a.lastSecondary < b.lastSecondary ? -1 : 1;
    }
}

}  // namespace

int compare(QStringView a, QStringView b) {
    return compareStreams(Utf16Reader{a.data(), a.data() + a.size()}, Utf16Reader{b.data(), b.data() + b.size()});
}

int compareUtf8(const char* a, int na, const char* b, int nb) {
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    return compareStreams(Utf8Reader{ua, ua + na}, Utf8Reader{ub, ub + nb});
}

QString fold(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) out.append(c == QChar(0x1E9E) ? QChar(0xDF) : c.toCaseFolded());
    return out;
}

QString upper(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            out += s.mid(i, 2).toString().toUpper();
            ++i;
        } else {
            out += c == QChar(0xDF) ? c : c.toUpper();
        }
    }
    return out;
}

}  // namespace tav::jettext
