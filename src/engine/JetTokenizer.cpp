#include "engine/JetTokenizer.h"

#include "engine/DatabaseError.h"

namespace tav::jetsql {

QString Token::name() const {
    if (kind == TokenKind::Bracketed) return text.mid(1, text.size() - 2);
    return text;
}

QString Token::stringValue() const {
    const QChar quote = text.front();
    QString inner = text.mid(1, text.size() - 2);
    inner.replace(QString(2, quote), QString(quote));
    return inner;
}

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNamePart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

[[noreturn]] void fail(const QString& what, const QString& sql) { throw DatabaseError(what + QStringLiteral(" in der Abfrage: ") + sql); }

}  // namespace

QList<Token> tokenize(const QString& sql) {
    QList<Token> out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace()) ++i;
            out.push_back({TokenKind::Space, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            ++i;
            for (;;) {
                if (i >= n) fail(QStringLiteral("Zeichenfolge ohne Ende"), sql);
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            out.push_back({TokenKind::String, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('[')) {
            while (i < n && sql[i] != QLatin1Char(']')) ++i;
            if (i >= n) fail(QStringLiteral("Klammer '[' ohne Ende"), sql);
            ++i;
            out.push_back({TokenKind::Bracketed, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('#')) {
            ++i;
            while (i < n && sql[i] != QLatin1Char('#')) ++i;
            if (i >= n) fail(QStringLiteral("Datumsangabe ohne schließendes '#'"), sql);
            ++i;
            out.push_back({TokenKind::DateLiteral, sql.mid(start, i - start)});
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit() && (out.isEmpty() || !out.back().isName()))) {
            while (i < n && sql[i].isDigit()) ++i;
            if (i < n && sql[i] == QLatin1Char('.')) {
                ++i;
                while (i < n && sql[i].isDigit()) ++i;
            }
            if (i < n && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (sql[j] == QLatin1Char('+') || sql[j] == QLatin1Char('-'))) ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit()) ++i;
                }
            }
            out.push_back({TokenKind::Number, sql.mid(start, i - start)});
        } else if (isNameStart(c)) {
            while (i < n && isNamePart(sql[i])) ++i;
            out.push_back({TokenKind::Word, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('?')) {
            ++i;
            out.push_back({TokenKind::Parameter, QStringLiteral("?")});
        } else {
            ++i;
            if (i < n) {
                const QChar d = sql[i];
                if ((c == QLatin1Char('<') && (d == QLatin1Char('>') || d == QLatin1Char('='))) ||
                    (c == QLatin1Char('>') && d == QLatin1Char('=')) || (c == QLatin1Char('!') && d == QLatin1Char('=')))
                    ++i;
            }
            out.push_back({TokenKind::Symbol, sql.mid(start, i - start)});
        }
    }
    return out;
}

QString join(const QList<Token>& tokens) {
    QString s;
    for (const Token& t : tokens) s += t.text;
    return s;
}

}  // namespace tav::jetsql
