#pragma once

#include <QList>
#include <QString>

namespace tav::jetsql {

enum class TokenKind {
    Space,
    Word,         // bare name or keyword: SELECT, tblBelegung, Gelöscht
    Bracketed,    // [Tele-Fax] ; text holds the brackets, name() the inside
    String,       // 'x' or "x" ; text holds the quotes
    DateLiteral,  // #12-31-2024# ; text holds the hashes
    Number,       // 12, 1.5, 1e3
    Parameter,    // ?
    Symbol,       // ( ) , . ; = <> < > <= >= + - * / \ & ^ and any other single character
};

struct Token {
    TokenKind kind;
    QString text;  // exactly as in the statement

    bool is(TokenKind k) const { return kind == k; }
    bool isSymbol(QStringView s) const { return kind == TokenKind::Symbol && text == s; }
    bool isSymbol(QLatin1String s) const { return kind == TokenKind::Symbol && text == s; }
    // A keyword or name, compared without regard to case; brackets are not keywords.
    bool isWord(QStringView w) const { return kind == TokenKind::Word && text.compare(w, Qt::CaseInsensitive) == 0; }
    bool isWord(QLatin1String w) const { return kind == TokenKind::Word && text.compare(w, Qt::CaseInsensitive) == 0; }
    bool isName() const { return kind == TokenKind::Word || kind == TokenKind::Bracketed; }
    // The name without brackets.
    QString name() const;
    // The value of a string literal, quotes removed and doubled quotes undone.
    QString stringValue() const;
};

// Splits a Jet statement into tokens; joining the texts gives the statement back unchanged.
// Throws DatabaseError for an unterminated string, bracket or date literal.
QList<Token> tokenize(const QString& sql);

QString join(const QList<Token>& tokens);

}  // namespace tav::jetsql
