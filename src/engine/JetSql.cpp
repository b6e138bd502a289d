#include "engine/JetSql.h"

#include <QList>
#include <QSet>
#include <algorithm>

#include "engine/DatabaseError.h"
#include "engine/JetDate.h"
#include "engine/JetText.h"
#include "engine/JetTokenizer.h"
#include "engine/JetTypes.h"
#include "engine/SqlFunctions.h"

namespace tav {

using jetsql::Token;
using jetsql::TokenKind;

namespace {

constexpr qsizetype kCacheLimit = 4000;
const QString kRowIdMarker = QStringLiteral("\x01rowid\x01");

// Words that end an operand when an operator's operand is searched for.
const QSet<QString>& boundaryWords() {
    static const QSet<QString> words = {
        QStringLiteral("and"),    QStringLiteral("or"),       QStringLiteral("not"),    QStringLiteral("xor"),    QStringLiteral("eqv"),
        QStringLiteral("imp"),    QStringLiteral("like"),     QStringLiteral("is"),     QStringLiteral("in"),     QStringLiteral("between"),
        QStringLiteral("select"), QStringLiteral("from"),     QStringLiteral("where"),  QStringLiteral("as"),     QStringLiteral("on"),
        QStringLiteral("then"),   QStringLiteral("else"),     QStringLiteral("when"),   QStringLiteral("case"),   QStringLiteral("end"),
        QStringLiteral("set"),    QStringLiteral("values"),   QStringLiteral("order"),  QStringLiteral("by"),     QStringLiteral("group"),
        QStringLiteral("having"), QStringLiteral("asc"),      QStringLiteral("desc"),   QStringLiteral("union"),  QStringLiteral("join"),
        QStringLiteral("inner"),  QStringLiteral("left"),     QStringLiteral("right"),  QStringLiteral("outer"),  QStringLiteral("full"),
        QStringLiteral("cross"),  QStringLiteral("distinct"), QStringLiteral("top"),    QStringLiteral("into"),   QStringLiteral("escape"),
        QStringLiteral("limit"),  QStringLiteral("regexp"),   QStringLiteral("glob"),   QStringLiteral("mod"),    QStringLiteral("all"),
        QStringLiteral("exists"), QStringLiteral("update"),   QStringLiteral("delete"), QStringLiteral("insert"), QStringLiteral("collate"),
    };
    return words;
}

const QSet<QString>& clauseWords() {
    static const QSet<QString> words = {
        QStringLiteral("where"),  QStringLiteral("on"),     QStringLiteral("set"),    QStringLiteral("group"), QStringLiteral("order"),
        QStringLiteral("having"), QStringLiteral("values"), QStringLiteral("select"), QStringLiteral("union"), QStringLiteral("limit"),
    };
    return words;
}

const QSet<QString>& aggregateNames() {
    static const QSet<QString> names = {
        QStringLiteral("count"), QStringLiteral("sum"),       QStringLiteral("avg"),      QStringLiteral("min"),
        QStringLiteral("max"),   QStringLiteral("jet_first"), QStringLiteral("jet_last"), QStringLiteral("first"),
        QStringLiteral("last"),  QStringLiteral("stdev"),     QStringLiteral("var"),      QStringLiteral("group_concat"),
        QStringLiteral("total"),
    };
    return names;
}

// What an operand is known to hold before the statement runs. Only Date and Text change how
// an operator is translated; Unknown leaves SQLite's own operator in place.
enum class Sort { Unknown, Number, Text, Date };

const QSet<QString>& dateFunctions() {
    static const QSet<QString> names = {
        QStringLiteral("jet_cdate"), QStringLiteral("jet_datevalue"), QStringLiteral("jet_dateadd"),   QStringLiteral("jet_dateserial"),
        QStringLiteral("jet_now"),   QStringLiteral("jet_date"),      QStringLiteral("jet_plus_date"), QStringLiteral("jet_minus_date"),
    };
    return names;
}

const QSet<QString>& textFunctions() {
    static const QSet<QString> names = {
        QStringLiteral("jet_format"),      QStringLiteral("jet_cstr"),      QStringLiteral("jet_left"),   QStringLiteral("jet_right"),
        QStringLiteral("jet_mid"),         QStringLiteral("jet_trim"),      QStringLiteral("jet_ltrim"),  QStringLiteral("jet_rtrim"),
        QStringLiteral("jet_ucase"),       QStringLiteral("jet_lcase"),     QStringLiteral("jet_concat"), QStringLiteral("jet_space"),
        QStringLiteral("jet_str"),         QStringLiteral("jet_chr"),       QStringLiteral("jet_time"),   QStringLiteral("jet_monthname"),
        QStringLiteral("jet_weekdayname"), QStringLiteral("jet_plus_text"),
    };
    return names;
}

bool isIdentifierText(const QString& s) {
    if (s.isEmpty() || !(s[0].isLetter() || s[0] == QLatin1Char('_'))) return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_'))) return false;
    return true;
}

// A name as SQLite should read it: bare when it is a plain identifier, else in double quotes.
QString sqlName(const QString& name) {
    static const QSet<QString> reserved = {
        QStringLiteral("order"),    QStringLiteral("group"),      QStringLiteral("select"),      QStringLiteral("from"),
        QStringLiteral("where"),    QStringLiteral("table"),      QStringLiteral("index"),       QStringLiteral("key"),
        QStringLiteral("default"),  QStringLiteral("check"),      QStringLiteral("values"),      QStringLiteral("set"),
        QStringLiteral("to"),       QStringLiteral("as"),         QStringLiteral("by"),          QStringLiteral("in"),
        QStringLiteral("is"),       QStringLiteral("on"),         QStringLiteral("or"),          QStringLiteral("and"),
        QStringLiteral("not"),      QStringLiteral("null"),       QStringLiteral("case"),        QStringLiteral("end"),
        QStringLiteral("when"),     QStringLiteral("then"),       QStringLiteral("else"),        QStringLiteral("limit"),
        QStringLiteral("like"),     QStringLiteral("join"),       QStringLiteral("left"),        QStringLiteral("right"),
        QStringLiteral("inner"),    QStringLiteral("outer"),      QStringLiteral("union"),       QStringLiteral("all"),
        QStringLiteral("distinct"), QStringLiteral("references"), QStringLiteral("transaction"), QStringLiteral("primary"),
        QStringLiteral("unique"),   QStringLiteral("add"),        QStringLiteral("collate"),     QStringLiteral("escape"),
        QStringLiteral("exists"),   QStringLiteral("between"),
    };
    if (isIdentifierText(name) && !reserved.contains(name.toLower())) return name;
    return jettypes::quoteIdentifier(name);
}

bool sameIgnoringAsciiCase(const QString& a, const QString& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        QChar x = a[i], y = b[i];
        if (x == y) continue;
        if (x.unicode() < 128 && y.unicode() < 128 && x.toLower() == y.toLower()) continue;
        return false;
    }
    return true;
}

Token word(const QString& text) { return {TokenKind::Word, text}; }
Token symbol(const QString& text) { return {TokenKind::Symbol, text}; }
Token space() { return {TokenKind::Space, QStringLiteral(" ")}; }
Token stringToken(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return {TokenKind::String, QLatin1Char('\'') + v + QLatin1Char('\'')};
}
// A date as SQLite compares it: ISO text. The kind stays DateLiteral so that later passes
// know the operand is a date.
Token dateToken(const QDateTime& dt) { return {TokenKind::DateLiteral, QLatin1Char('\'') + jettypes::isoDate(dt) + QLatin1Char('\'')}; }

const QString kDivide = QStringLiteral("* 1.0 /");  // Jet's / never truncates

// Binding strength of the arithmetic operators, strongest first as Jet evaluates them:
// ^, (unary minus), * /, \, Mod, + -, &. Comparisons and everything else bind weaker (0).
int strength(const Token& t) {
    if (t.kind != TokenKind::Symbol) return 0;
    const QString& s = t.text;
    if (s == QLatin1String("^")) return 7;
    if (s == QLatin1String("*") || s == kDivide) return 5;
    if (s == QLatin1String("\\")) return 4;
    if (s == QLatin1String("%")) return 3;
    if (s == QLatin1String("+") || s == QLatin1String("-")) return 2;
    if (s == QLatin1String("&")) return 1;
    return 0;
}

bool isComparison(const Token& t) {
    if (t.kind != TokenKind::Symbol) return false;
    const QString& s = t.text;
    return s == QLatin1String("=") || s == QLatin1String("<>") || s == QLatin1String("<") || s == QLatin1String(">") ||
           s == QLatin1String("<=") || s == QLatin1String(">=") || s == QLatin1String("!=");
}

// The statement being rewritten: tokens plus helpers that skip blanks.
class Rewriter {
public:
    Rewriter(const QString& jet, const NameResolver* names, LikeMode mode) : names_(names), mode_(mode), t_(jetsql::tokenize(jet)) {}

    Translation run() {
        Translation out;
        out.kind = statementKind();
        // The statement shapes first, on the Jet tokens as written.
        if (out.kind == Translation::Kind::Delete) deleteStatement();
        if (out.kind == Translation::Kind::Update) updateStatement();
        // EXPLAIN QUERY PLAN shows the plan of the statement as it runs.
        if (out.kind == Translation::Kind::Select || isWord(first(), "explain")) distributeOverOr();
        literals();
        counterIsNull();
        names();
        if (out.kind == Translation::Kind::Select) out.editableTable = editable();
        // Operators, strongest binding first, so that each finds its operands already grouped.
        binaryCalls(QStringLiteral("^"), QStringLiteral("jet_pow"));
        binaryCalls(QStringLiteral("\\"), QStringLiteral("jet_intdiv"));
        binaryCalls(QStringLiteral("%"), QStringLiteral("jet_mod"));
        plusMinus();
        concatenation();
        comparisons();
        booleanResults();
        if (mode_ == LikeMode::Ado) adoLike();
        top();
        out.sql = render(false);
        if (out.editableTable) out.editSql = render(true);
        return out;
    }

private:
    const NameResolver* names_;
    LikeMode mode_;
    QList<Token> t_;
    QHash<qsizetype, TableLocation> resolved_;  // token index -> table, filled by names()

    // ---- navigation ---------------------------------------------------------------------

    bool significant(qsizetype i) const { return t_[i].kind != TokenKind::Space && !t_[i].text.isEmpty(); }
    qsizetype next(qsizetype i) const {
        for (++i; i < t_.size(); ++i)
            if (significant(i)) return i;
        return -1;
    }
    qsizetype prev(qsizetype i) const {
        for (--i; i >= 0; --i)
            if (significant(i)) return i;
        return -1;
    }
    qsizetype first() const { return next(-1); }
    bool isSym(qsizetype i, const char* s) const { return i >= 0 && t_[i].isSymbol(QLatin1String(s)); }
    bool isWord(qsizetype i, const char* w) const { return i >= 0 && t_[i].isWord(QLatin1String(w)); }
    bool isName(qsizetype i) const { return i >= 0 && t_[i].isName(); }

    // Index of the parenthesis matching the one at i (either direction); -1 when unbalanced.
    qsizetype match(qsizetype i) const {
        const bool open = t_[i].isSymbol(u"(");
        int depth = 0;
        for (qsizetype j = i; j >= 0 && j < t_.size(); j += open ? 1 : -1) {
            if (t_[j].isSymbol(u"("))
                depth += open ? 1 : -1;
            else if (t_[j].isSymbol(u")"))
                depth += open ? -1 : 1;
            if (depth == 0) return j;
        }
        return -1;
    }

    void erase(qsizetype from, qsizetype to) {  // inclusive range, keeps one blank
        for (qsizetype i = from; i <= to; ++i) t_[i] = {TokenKind::Space, QString()};
        t_[from] = space();
    }

    // Top-level index of the first word w after position from; -1 when absent.
    qsizetype topLevel(const char* w, qsizetype from = 0) const {
        int depth = 0;
        for (qsizetype i = qMax<qsizetype>(from, 0); i < t_.size(); ++i) {
            if (t_[i].isSymbol(u"("))
                ++depth;
            else if (t_[i].isSymbol(u")"))
                --depth;
            else if (depth == 0 && t_[i].isWord(QLatin1String(w)))
                return i;
        }
        return -1;
    }

    QString textOf(qsizetype from, qsizetype to) const {  // inclusive, trimmed
        QString s;
        for (qsizetype i = qMax<qsizetype>(from, 0); i <= to && i < t_.size(); ++i) s += t_[i].text;
        return s.trimmed();
    }

    // ---- statement kinds and shapes -----------------------------------------------------

    Translation::Kind statementKind() const {
        const qsizetype f = first();
        if (isWord(f, "select") || isSym(f, "(")) return Translation::Kind::Select;
        if (isWord(f, "insert")) return Translation::Kind::Insert;
        if (isWord(f, "update")) return Translation::Kind::Update;
        if (isWord(f, "delete")) return Translation::Kind::Delete;
        return Translation::Kind::Other;
    }

    // DELETE t.*, t.f FROM t WHERE … -> DELETE FROM t WHERE …;
    // with a join: DELETE FROM t WHERE rowid IN (SELECT t.rowid FROM t JOIN … WHERE …).
    void deleteStatement() {
        const qsizetype del = first();
        const qsizetype from = topLevel("from", del + 1);
        if (from < 0) return;
        // The table named before FROM (t.* or t.f); a bare field name names no table.
        QString target;
        if (const qsizetype n = next(del); n != from && isName(n) && isSym(next(n), ".")) target = t_[n].name();
        if (next(del) != from) erase(del + 1, from - 1);
        // A join after FROM: keep the rows of the target table that the join finds.
        const qsizetype where = topLevel("where", from);
        const qsizetype end = where < 0 ? t_.size() - 1 : where - 1;
        bool joined = false;
        for (qsizetype i = from; i <= end; ++i)
            if (t_[i].isWord(u"join") || t_[i].isSymbol(u",")) joined = true;
        if (!joined) return;
        if (target.isEmpty()) {
            const qsizetype firstTable = next(from);
            if (!isName(firstTable)) return;
            target = t_[firstTable].name();
        }
        const QString bracketed = QLatin1Char('[') + target + QLatin1Char(']');
        const QString rest = textOf(from, t_.size() - 1);
        t_ = jetsql::tokenize(QStringLiteral("DELETE FROM ") + bracketed + QStringLiteral(" WHERE rowid IN (SELECT ") + bracketed +
                              QStringLiteral(".rowid ") + rest + QStringLiteral(")"));
    }

    // UPDATE a INNER JOIN b ON c SET b.x = v WHERE w
    //   -> UPDATE b SET x = v FROM a WHERE (c) AND (w)
    // and SET t.x = … -> SET x = … in every UPDATE.
    void updateStatement() {
        const qsizetype upd = first();
        const qsizetype set = topLevel("set", upd + 1);
        if (set < 0) return;
        const qsizetype where = topLevel("where", set + 1);
        const qsizetype setEnd = where < 0 ? t_.size() - 1 : where - 1;

        // The assignments, their target qualifier removed.
        QString target;
        QStringList assignments;
        {
            int depth = 0;
            qsizetype start = set + 1;
            for (qsizetype i = set + 1; i <= setEnd + 1; ++i) {
                const bool atEnd = i > setEnd;
                if (!atEnd && t_[i].isSymbol(u"(")) ++depth;
                if (!atEnd && t_[i].isSymbol(u")")) --depth;
                if (atEnd || (depth == 0 && t_[i].isSymbol(u","))) {
                    qsizetype a = (start < t_.size() && significant(start)) ? start : next(start - 1);
                    if (a >= 0 && isName(a) && isSym(next(a), ".") && isName(next(next(a)))) {
                        if (target.isEmpty()) target = t_[a].name();
                        a = next(next(a));
                    }
                    if (a >= 0 && a <= i - 1) assignments << textOf(a, i - 1);
                    start = i + 1;
                }
            }
        }
        if (assignments.isEmpty()) return;

        bool joined = false;
        for (qsizetype i = upd; i < set; ++i)
            if (t_[i].isWord(u"join")) joined = true;
        const QString whereText = where < 0 ? QString() : textOf(where + 1, t_.size() - 1);
        if (!joined) {
            const QString head = textOf(upd, set - 1);
            QString sql = head + QStringLiteral(" SET ") + assignments.join(QStringLiteral(", "));
            if (where >= 0) sql += QStringLiteral(" WHERE ") + whereText;
            t_ = jetsql::tokenize(sql);
            return;
        }

        QStringList tables, conditions;
        flattenJoin(next(upd), set - 1, tables, conditions);
        if (tables.isEmpty()) return;
        qsizetype targetIndex = 0;
        for (qsizetype k = 0; k < tables.size(); ++k) {
            const QList<Token> tt = jetsql::tokenize(tables[k]);
            QStringList words;
            for (const Token& x : tt)
                if (x.isName()) words << x.name();
            if (!target.isEmpty() &&
                std::any_of(words.begin(), words.end(), [&](const QString& w) { return w.compare(target, Qt::CaseInsensitive) == 0; }))
                targetIndex = k;
        }
        const QString targetTable = tables.takeAt(targetIndex);
        QString sql = QStringLiteral("UPDATE ") + targetTable + QStringLiteral(" SET ") + assignments.join(QStringLiteral(", "));
        if (!tables.isEmpty()) sql += QStringLiteral(" FROM ") + tables.join(QStringLiteral(", "));
        QStringList where2;
        for (const QString& c : conditions) where2 << QLatin1Char('(') + c + QLatin1Char(')');
        if (!whereText.isEmpty()) where2 << QLatin1Char('(') + whereText + QLatin1Char(')');
        if (!where2.isEmpty()) sql += QStringLiteral(" WHERE ") + where2.join(QStringLiteral(" AND "));
        t_ = jetsql::tokenize(sql);
    }

    // Splits a join expression (with any nesting of parentheses) into its tables and ON conditions.
    void flattenJoin(qsizetype from, qsizetype to, QStringList& tables, QStringList& conditions) const {
        qsizetype i = from;
        while (i >= 0 && i <= to) {
            if (!significant(i)) {
                ++i;
                continue;
            }
            if (t_[i].isSymbol(u"(")) {
                const qsizetype close = match(i);
                if (close < 0 || close > to) return;
                flattenJoin(i + 1, close - 1, tables, conditions);
                i = close + 1;
                continue;
            }
            if (t_[i].isWord(u"inner") || t_[i].isWord(u"left") || t_[i].isWord(u"right") || t_[i].isWord(u"outer") ||
                t_[i].isWord(u"join") || t_[i].isWord(u"full") || t_[i].isWord(u"cross")) {
                ++i;
                continue;
            }
            if (t_[i].isWord(u"on")) {
                // The condition runs to the next join word or the end of this group.
                qsizetype j = i + 1;
                int depth = 0;
                for (; j <= to; ++j) {
                    if (t_[j].isSymbol(u"("))
                        ++depth;
                    else if (t_[j].isSymbol(u")"))
                        --depth;
                    if (depth < 0) break;
                    if (depth == 0 && (t_[j].isWord(u"inner") || t_[j].isWord(u"left") || t_[j].isWord(u"right") || t_[j].isWord(u"join") ||
                                       t_[j].isWord(u"full") || t_[j].isWord(u"cross")))
                        break;
                }
                conditions << textOf(i + 1, j - 1);
                i = j;
                continue;
            }
            // A table with an optional alias.
            QString item = t_[i].text;
            qsizetype k = next(i);
            if (k >= 0 && k <= to && isWord(k, "as")) {
                item += QStringLiteral(" AS ");
                k = next(k);
                if (k >= 0 && k <= to) {
                    item += t_[k].text;
                    k = next(k);
                }
            } else if (k >= 0 && k <= to && isName(k) && !boundaryWords().contains(t_[k].text.toLower())) {
                item += QLatin1Char(' ') + t_[k].text;
                k = next(k);
            }
            tables << item;
            i = (k < 0 || k > to) ? to + 1 : k;
        }
    }

    // ---- conditions -----------------------------------------------------------------------

    // A range of significant tokens, both ends inclusive.
    struct Span {
        qsizetype from, to;
    };

    // The span without the parentheses that enclose all of it.
    Span inner(Span s) const {
        while (s.from >= 0 && s.from < s.to && isSym(s.from, "(") && match(s.from) == s.to) s = {next(s.from), prev(s.to)};
        return s;
    }

    // The parts of a span between the top-level words w (And, Or).
    QList<Span> split(Span s, const char* w) const {
        if (s.from < 0 || s.to < s.from) return {s};
        QList<Span> parts;
        int depth = 0;
        qsizetype start = s.from;
        for (qsizetype i = s.from; i <= s.to; ++i) {
            if (t_[i].isSymbol(u"("))
                ++depth;
            else if (t_[i].isSymbol(u")"))
                --depth;
            else if (depth == 0 && t_[i].isWord(QLatin1String(w))) {
                parts << Span{start, prev(i)};
                start = next(i);
            }
        }
        parts << Span{start, s.to};
        return parts;
    }

    // The conjuncts of a condition, nested parentheses around And-groups opened. A part with
    // an Or at its top level is one conjunct: And binds closer than Or.
    void conjuncts(Span s, QList<Span>& out) const {
        const Span in = inner(s);
        const QList<Span> parts = split(in, "and");
        if (split(in, "or").size() > 1 || parts.size() == 1) {
            out << s;
            return;
        }
        for (const Span& p : parts) conjuncts(p, out);
    }

    // name = literal, in parentheses or not: a comparison every index on the name can seek.
    bool isEquality(Span s) const {
        const Span in = inner(s);
        qsizetype i = in.from;
        if (!isName(i)) return false;
        if (isSym(next(i), ".")) i = next(next(i));
        if (!isName(i) || !isSym(next(i), "=")) return false;
        const qsizetype v = next(next(i));
        if (v != in.to) return false;
        const Token& t = t_[v];
        return t.is(TokenKind::Number) || t.is(TokenKind::String) || t.is(TokenKind::DateLiteral) || t.isWord(u"true") ||
               t.isWord(u"false");
    }

    // c1 And … And cn And (o1 Or … Or om) -> (c1 And … And cn And (o1)) Or … Or (c1 And … And cn And (om)):
    // the same rows. SQLite reads the first form through one index for c1 … cn and tests the Or
    // on every row that index finds (all bookings of a room, over the whole history); the second
    // it reads branch by branch, each through the index that fits it with c1 … cn, so that a
    // range condition inside a branch bounds the rows read. Only a Where with one Or-group and a
    // comparison of a field with a literal among the other conjuncts is rewritten; none with a
    // parameter (the copies would shift the values), a subquery, Between, Xor, Eqv or Imp.
    void distributeOverOr() {
        const qsizetype where = topLevel("where", first() + 1);
        if (where < 0) return;
        qsizetype end = prev(static_cast<qsizetype>(t_.size()));
        for (const char* w : {"order", "group", "having", "union"})
            if (const qsizetype i = topLevel(w, where + 1); i >= 0) end = qMin(end, prev(i));
        int depth = 0;
        for (qsizetype i = where + 1; i <= end; ++i) {
            // Xor, Eqv and Imp bind weaker than And: their conditions are not split at And.
            for (const char16_t* w : {u"select", u"between", u"xor", u"eqv", u"imp"})
                if (t_[i].isWord(QStringView(w))) return;
            if (t_[i].is(TokenKind::Parameter)) return;
            if (t_[i].isSymbol(u";")) end = qMin(end, prev(i));
            depth += t_[i].isSymbol(u"(") ? 1 : t_[i].isSymbol(u")") ? -1 : 0;
            // Deeper than any condition the program writes: finding its parts would cost more
            // than reading it as written.
            if (depth < 0 || depth > 32) return;
        }
        const Span condition{next(where), end};
        // An unbalanced statement is left to SQLite's own message.
        if (depth != 0 || condition.from < 0 || condition.from > end || split(condition, "or").size() > 1) return;
        QList<Span> parts;
        conjuncts(condition, parts);
        qsizetype orGroup = -1;
        bool equality = false;
        for (qsizetype p = 0; p < parts.size(); ++p) {
            if (split(inner(parts[p]), "or").size() > 1) {
                if (orGroup >= 0) return;
                orGroup = p;
            } else if (isEquality(parts[p])) {
                equality = true;
            }
        }
        if (orGroup < 0 || !equality) return;
        const QList<Span> branches = split(inner(parts[orGroup]), "or");
        if (branches.size() > 8) return;
        for (const Span& p : parts + branches)
            if (p.from < 0 || p.to < p.from) return;  // "And Or", "( )": nothing to copy
        QStringList common;
        for (qsizetype p = 0; p < parts.size(); ++p)
            if (p != orGroup) common << QLatin1Char('(') + textOf(parts[p].from, parts[p].to) + QLatin1Char(')');
        QStringList rewritten;
        for (const Span& b : branches)
            rewritten << QLatin1Char('(') + common.join(QStringLiteral(" AND ")) + QStringLiteral(" AND (") + textOf(b.from, b.to) +
                             QStringLiteral("))");
        t_ = jetsql::tokenize(textOf(0, where) + QLatin1Char(' ') + rewritten.join(QStringLiteral(" OR ")) + QLatin1Char(' ') +
                              textOf(end + 1, t_.size() - 1));
    }

    // ---- literals and single-token rewrites ---------------------------------------------

    void literals() {
        for (qsizetype i = 0; i < t_.size(); ++i) {
            Token& tok = t_[i];
            switch (tok.kind) {
                case TokenKind::String:
                    if (tok.text.startsWith(QLatin1Char('"'))) tok = stringToken(tok.stringValue());
                    break;
                case TokenKind::DateLiteral: {
                    const QString inner = tok.text.mid(1, tok.text.size() - 2);
                    const auto dt = jetdate::parseLiteral(inner);
                    if (!dt) throw DatabaseError(QStringLiteral("Syntaxfehler in Datum in der Abfrage: #%1#").arg(inner));
                    tok = dateToken(*dt);
                    break;
                }
                case TokenKind::Symbol:
                    if (tok.text == QLatin1String(";"))
                        tok = space();
                    else if (tok.text == QLatin1String("/"))
                        tok.text = kDivide;
                    break;
                case TokenKind::Word: rewriteWord(i); break;
                default: break;
            }
        }
    }

    void rewriteWord(qsizetype i) {
        const QString lower = t_[i].text.toLower();
        const qsizetype p = prev(i), n = next(i);
        const bool qualified = isSym(p, ".") || isSym(n, ".");
        if (qualified) return;
        if (lower == QLatin1String("true") || lower == QLatin1String("false")) {
            if (!isSym(n, "(")) t_[i] = {TokenKind::Number, lower == QLatin1String("true") ? QStringLiteral("-1") : QStringLiteral("0")};
        } else if (lower == QLatin1String("null")) {
            // "= Null" and "<> Null" mean IS NULL / IS NOT NULL in Jet, except in SET x = Null.
            if (isSym(p, "=") && !isAssignment(p))
                t_[p] = word(QStringLiteral("IS"));
            else if (isSym(p, "<>") || isSym(p, "!="))
                t_[p] = word(QStringLiteral("IS NOT"));
        } else if (lower == QLatin1String("mod")) {
            t_[i] = symbol(QStringLiteral("%"));
        } else if (lower == QLatin1String("distinctrow")) {
            t_[i] = space();
        } else if ((lower == QLatin1String("now") || lower == QLatin1String("date") || lower == QLatin1String("time")) && !isSym(n, "(") &&
                   !(names_ && !names_->column(t_[i].text).isEmpty())) {
            // Now, Date and Time may be written without parentheses.
            t_[i] = word(QStringLiteral("jet_") + lower);
            t_.insert(i + 1, symbol(QStringLiteral(")")));
            t_.insert(i + 1, symbol(QStringLiteral("(")));
        }
    }

    // "Address.ID Is Null" -> "(Address.ID = 0 AND Address.ID = 1)" when Address.ID is the
    // table's counter. Every row has its key, a whole number, so both are False (never Null)
    // in every row; but SQLite reads the whole table for an Is Null on the key, and an Or
    // that holds one can use no index at all, while two lookups of the key cost nothing and
    // leave the Or's remaining terms their indexes (a plain 0 would not: SQLite keeps it as
    // a term that no index serves). Only the table's own name before the field counts, and
    // only in a statement without outer joins and without names given with As, where nothing
    // else can stand for a row of that table or leave its fields empty.
    void counterIsNull() {
        if (!names_) return;
        for (qsizetype i = 0; i < t_.size(); ++i) {
            if (!significant(i) || t_[i].kind != TokenKind::Word) continue;
            const QString lower = t_[i].text.toLower();
            if (lower == QLatin1String("as") || lower == QLatin1String("outer") || lower == QLatin1String("full")) return;
            if ((lower == QLatin1String("left") || lower == QLatin1String("right")) && isWord(next(i), "join")) return;
        }
        for (qsizetype is = 0; is < t_.size(); ++is) {
            if (!t_[is].isWord(u"is")) continue;
            const qsizetype null = next(is);
            if (!isWord(null, "null")) continue;
            const qsizetype field = prev(is), dot = prev(field), table = prev(dot);
            if (!isName(field) || !isSym(dot, ".") || !isName(table) || isSym(prev(table), ".")) continue;
            if (!names_->isCounter(t_[table].name(), t_[field].name())) continue;
            // Parentheses around the field alone ("(T.ID) Is Null") are left as they are.
            const QString key = t_[table].text + QLatin1Char('.') + t_[field].text;
            const QList<Token> never =
                jetsql::tokenize(QStringLiteral("(") + key + QStringLiteral(" = 0 AND ") + key + QStringLiteral(" = 1)"));
            erase(table, null);
            t_.remove(table);
            for (qsizetype k = 0; k < never.size(); ++k) t_.insert(table + k, never[k]);
            is = table + never.size();
        }
    }

    // Is the "=" at eq the assignment of an UPDATE's SET clause?
    bool isAssignment(qsizetype eq) const {
        qsizetype q = prev(eq);
        if (!isName(q)) return false;
        qsizetype before = prev(q);
        if (isSym(before, ".")) before = prev(prev(before));
        if (isWord(before, "set")) return true;
        if (!isSym(before, ",")) return false;
        int depth = 0;
        for (qsizetype i = prev(before); i >= 0; i = prev(i)) {
            if (t_[i].isSymbol(u")"))
                ++depth;
            else if (t_[i].isSymbol(u"(")) {
                if (--depth < 0) return false;
            } else if (depth == 0) {
                if (t_[i].isWord(u"set")) return true;
                if (t_[i].isWord(u"where") || t_[i].isWord(u"select") || t_[i].isWord(u"from") || t_[i].isWord(u"values")) return false;
            }
        }
        return false;
    }

    // ---- names --------------------------------------------------------------------------

    void names() {
        struct Level {
            bool from = false;
            bool expectTable = false;
        };
        QList<Level> levels{Level{}};
        for (qsizetype i = 0; i < t_.size(); ++i) {
            if (!significant(i)) continue;
            Token& tok = t_[i];
            Level& level = levels.back();
            if (tok.isSymbol(u"(")) {
                Level inner;
                if (level.expectTable && !isWord(next(i), "select")) {
                    inner.from = true;
                    inner.expectTable = true;
                }
                level.expectTable = false;
                levels.push_back(inner);
                continue;
            }
            if (tok.isSymbol(u")")) {
                if (levels.size() > 1) levels.pop_back();
                continue;
            }
            if (tok.kind == TokenKind::Word) {
                const QString lower = tok.text.toLower();
                if (lower == QLatin1String("from")) {
                    level.from = true;
                    level.expectTable = true;
                    continue;
                }
                if (lower == QLatin1String("join") || lower == QLatin1String("into") || lower == QLatin1String("update")) {
                    level.from = lower != QLatin1String("into");
                    level.expectTable = true;
                    continue;
                }
                if (clauseWords().contains(lower)) {
                    level.from = false;
                    level.expectTable = false;
                    continue;
                }
                // Left( and Right( are the text functions, LEFT JOIN and RIGHT JOIN the joins.
                const bool call = isSym(next(i), "(");
                if (((lower == QLatin1String("left") || lower == QLatin1String("right")) && !call) || lower == QLatin1String("inner") ||
                    lower == QLatin1String("outer") || lower == QLatin1String("full") || lower == QLatin1String("cross") ||
                    lower == QLatin1String("as"))
                    continue;
            }
            if (tok.isSymbol(u",")) {
                if (level.from) level.expectTable = true;
                continue;
            }
            if (tok.isName()) {
                const qsizetype n = next(i), p = prev(i);
                if (level.expectTable && !isSym(n, ".")) {
                    tableName(i);
                    level.expectTable = false;
                    continue;
                }
                level.expectTable = false;
                if (isSym(n, ".") && !isSym(p, ".")) {
                    qualifierName(i);
                } else if (isSym(n, "(") && tok.kind == TokenKind::Word && !isSym(p, ".")) {
                    const QString renamed = sqlfunctions::sqlName(tok.text);
                    if (!renamed.isEmpty()) tok.text = renamed;
                } else {
                    columnName(i);
                }
                continue;
            }
            level.expectTable = false;
        }
    }

    void tableName(qsizetype i) {
        Token& tok = t_[i];
        const QString name = tok.name();
        if (!names_) {
            tok = word(sqlName(name));
            return;
        }
        const auto loc = names_->table(name);
        if (!loc) {
            tok = word(sqlName(name));
            return;
        }
        resolved_.insert(i, *loc);
        if (!loc->unavailable.isEmpty()) throw DatabaseError(loc->unavailable, loc->unavailableCode);
        if (loc->schema.isEmpty()) {
            tok = word(sqlName(loc->sourceTable));
        } else {
            // Keep the program's table name as alias so that "tblBelegung.ID" still resolves.
            QString text = jettypes::quoteIdentifier(loc->schema) + QLatin1Char('.') + sqlName(loc->sourceTable);
            const qsizetype n = next(i);
            const bool hasAlias = isWord(n, "as") || (isName(n) && !boundaryWords().contains(t_[n].text.toLower()) && !isWord(n, "set") &&
                                                      !isWord(n, "where"));
            if (loc->sourceTable.compare(loc->name, Qt::CaseInsensitive) != 0 && !hasAlias)
                text += QStringLiteral(" AS ") + sqlName(loc->name);
            tok = word(text);
        }
    }

    void qualifierName(qsizetype i) {
        Token& tok = t_[i];
        if (names_) {
            if (const auto loc = names_->table(tok.name())) {
                tok = word(sqlName(loc->name));
                return;
            }
        }
        if (tok.kind == TokenKind::Bracketed) tok = word(sqlName(tok.name()));
    }

    void columnName(qsizetype i) {
        Token& tok = t_[i];
        if (names_) {
            // SQLite matches names without regard to ASCII case only: "GELÖSCHT" needs the
            // schema's spelling, "gelöscht" or "BelegungsArt" do not.
            const QString canonical = names_->column(tok.name());
            if (!canonical.isEmpty() && !sameIgnoringAsciiCase(canonical, tok.name())) {
                tok = word(sqlName(canonical));
                return;
            }
        }
        if (tok.kind == TokenKind::Bracketed) tok = word(sqlName(tok.name()));
    }

    // ---- operands -----------------------------------------------------------------------

    bool isOperandToken(qsizetype i) const {
        const Token& tok = t_[i];
        switch (tok.kind) {
            case TokenKind::Word: return !boundaryWords().contains(tok.text.toLower());
            case TokenKind::Bracketed:
            case TokenKind::String:
            case TokenKind::Number:
            case TokenKind::Parameter:
            case TokenKind::DateLiteral: return true;
            default: return tok.isSymbol(u".");
        }
    }

    bool isSign(qsizetype i) const { return t_[i].isSymbol(u"-") || t_[i].isSymbol(u"+"); }

    bool isUnary(qsizetype i) const {
        if (!isSign(i)) return false;
        const qsizetype p = prev(i);
        if (p < 0) return true;
        if (t_[p].isSymbol(u")")) return false;
        return !isOperandToken(p);
    }

    // Does the symbol at i belong to an operand of an operator of the given strength?
    bool inside(qsizetype i, int ofStrength) const {
        if (t_[i].kind != TokenKind::Symbol) return false;
        if (isUnary(i)) return ofStrength < 7;
        return strength(t_[i]) > ofStrength;
    }

    // First token of the left operand of the operator at op; op itself when there is none.
    qsizetype operandStart(qsizetype op, int ofStrength) const {
        qsizetype start = op;
        for (qsizetype j = prev(op); j >= 0; j = prev(j)) {
            if (t_[j].isSymbol(u")")) {
                const qsizetype open = match(j);
                if (open < 0) break;
                start = open;
                j = open;
                if (const qsizetype fn = prev(open);
                    fn >= 0 && t_[fn].kind == TokenKind::Word && !boundaryWords().contains(t_[fn].text.toLower())) {
                    start = fn;
                    j = fn;
                }
                continue;
            }
            if (isOperandToken(j) || inside(j, ofStrength)) {
                start = j;
                continue;
            }
            break;
        }
        return start;
    }

    // Last token of the right operand of the operator at op; op itself when there is none.
    qsizetype operandEnd(qsizetype op, int ofStrength) const {
        qsizetype end = op;
        for (qsizetype j = next(op); j >= 0; j = next(j)) {
            if (t_[j].isSymbol(u"(")) {
                const qsizetype close = match(j);
                if (close < 0) break;
                end = close;
                j = close;
                continue;
            }
            // A sign right after the operator belongs to its operand: 2 ^ -1.
            if (isOperandToken(j) || inside(j, ofStrength) || (j == next(op) && isSign(j))) {
                end = j;
                continue;
            }
            break;
        }
        return end;
    }

    // What the tokens from..to (inclusive) are known to hold.
    Sort sortOf(qsizetype from, qsizetype to) const {
        if (from < 0 || to < from) return Sort::Unknown;
        // Surrounding parentheses change nothing.
        while (t_[from].isSymbol(u"(") && match(from) == to) {
            from = next(from);
            to = prev(to);
            if (from < 0 || to < from) return Sort::Unknown;
        }
        const Token& f = t_[from];
        if (from == to) {
            switch (f.kind) {
                case TokenKind::DateLiteral: return Sort::Date;
                case TokenKind::String: return Sort::Text;
                case TokenKind::Number: return Sort::Number;
                case TokenKind::Word:
                case TokenKind::Bracketed: return columnSort(f.name());
                default: return Sort::Unknown;
            }
        }
        // t.f
        if (isName(from) && isSym(next(from), ".") && next(next(from)) == to && isName(to)) return columnSort(t_[to].name());
        // f(…)
        if (f.kind == TokenKind::Word && isSym(next(from), "(") && match(next(from)) == to) {
            const QString fn = f.text.toLower();
            if (dateFunctions().contains(fn)) return Sort::Date;
            if (textFunctions().contains(fn)) return Sort::Text;
            // Max(Bis), First(Von), Nz(Von, Date()), IIf(c, Von, Bis): what the arguments are.
            const QList<QPair<qsizetype, qsizetype>> args = arguments(next(from));
            if ((fn == QLatin1String("max") || fn == QLatin1String("min") || fn == QLatin1String("jet_first") ||
                 fn == QLatin1String("jet_last") || fn == QLatin1String("jet_nz")) &&
                !args.isEmpty())
                return sortOf(args[0].first, args[0].second);
            if (fn == QLatin1String("jet_iif") && args.size() == 3) {
                const Sort a = sortOf(args[1].first, args[1].second);
                return a == sortOf(args[2].first, args[2].second) ? a : Sort::Unknown;
            }
            if (fn == QLatin1String("jet_cdbl") || fn == QLatin1String("jet_cint") || fn == QLatin1String("jet_clng") ||
                fn == QLatin1String("jet_val") || fn == QLatin1String("jet_datediff") || fn == QLatin1String("jet_len") ||
                fn == QLatin1String("jet_instr") || fn == QLatin1String("count"))
                return Sort::Number;
        }
        return Sort::Unknown;
    }

    // The arguments of the call whose parenthesis opens at open, as token ranges.
    QList<QPair<qsizetype, qsizetype>> arguments(qsizetype open) const {
        QList<QPair<qsizetype, qsizetype>> out;
        const qsizetype close = match(open);
        if (close < 0) return out;
        qsizetype start = next(open);
        int depth = 0;
        for (qsizetype j = start; j >= 0 && j <= close; j = next(j)) {
            if (j < close && t_[j].isSymbol(u"("))
                ++depth;
            else if (j < close && t_[j].isSymbol(u")"))
                --depth;
            else if (j == close || (depth == 0 && t_[j].isSymbol(u","))) {
                if (start >= 0 && start < j) out << qMakePair(start, prev(j));
                start = next(j);
            }
        }
        return out;
    }

    Sort columnSort(QString name) const {
        if (!names_) return Sort::Unknown;
        if (name.size() > 1 && name.front() == QLatin1Char('"') && name.back() == QLatin1Char('"'))
            name = name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        const auto type = names_->columnType(name);
        if (!type) return Sort::Unknown;
        switch (*type) {
            case JetType::Date: return Sort::Date;
            case JetType::Text:
            case JetType::Memo: return Sort::Text;
            case JetType::LongBinary: return Sort::Unknown;
            default: return Sort::Number;
        }
    }

    // Replaces "a op b" by "fn(a, b)"; returns the index of the new function name.
    qsizetype toCall(qsizetype op, const QString& fn, int ofStrength) {
        const qsizetype s = operandStart(op, ofStrength);
        const qsizetype e = operandEnd(op, ofStrength);
        if (s == op || e == op) throw DatabaseError(QStringLiteral("Syntaxfehler: Operand fehlt beim Operator '%1'.").arg(t_[op].text));
        t_[op] = symbol(QStringLiteral(","));
        t_.insert(e + 1, symbol(QStringLiteral(")")));
        t_.insert(s, symbol(QStringLiteral("(")));
        t_.insert(s, word(fn));
        return s;
    }

    // a ^ b -> jet_pow(a, b); a \ b -> jet_intdiv(a, b); a Mod b -> jet_mod(a, b)
    void binaryCalls(const QString& op, const QString& fn) {
        for (qsizetype i = 0; i < t_.size(); ++i) {
            if (t_[i].kind != TokenKind::Symbol || t_[i].text != op) continue;
            toCall(i, fn, strength(t_[i]));
        }
    }

    // + and - keep SQLite's arithmetic on numbers. On dates they are Jet's date arithmetic
    // (date + days, date - days, date - date), and + on two texts joins them. The function's
    // name tells later operators what the result is.
    void plusMinus() {
        for (qsizetype i = 0; i < t_.size(); ++i) {
            if (!isSign(i) || isUnary(i)) continue;
            const bool plus = t_[i].isSymbol(u"+");
            const qsizetype s = operandStart(i, 2), e = operandEnd(i, 2);
            if (s == i || e == i) throw DatabaseError(QStringLiteral("Syntaxfehler: Operand fehlt beim Operator '%1'.").arg(t_[i].text));
            const Sort a = sortOf(s, prev(i)), b = sortOf(next(i), e);
            QString fn;
            if (plus && (a == Sort::Date || b == Sort::Date))
                fn = QStringLiteral("jet_plus_date");
            else if (plus && a == Sort::Text && b == Sort::Text)
                fn = QStringLiteral("jet_plus_text");
            else if (plus && (a == Sort::Text || b == Sort::Text))
                fn = QStringLiteral("jet_plus");
            else if (!plus && a == Sort::Date && b == Sort::Date)
                fn = QStringLiteral("jet_minus_days");
            else if (!plus && a == Sort::Date && b == Sort::Number)
                fn = QStringLiteral("jet_minus_date");
            else if (!plus && (a == Sort::Date || b == Sort::Date))
                fn = QStringLiteral("jet_minus");
            else
                continue;
            toCall(i, fn, 2);
        }
    }

    // a & b & c -> jet_concat(a, b, c): Null counts as empty text, numbers as Jet writes them.
    void concatenation() {
        for (qsizetype amp = 0; amp < t_.size(); ++amp) {
            if (!t_[amp].isSymbol(u"&")) continue;
            const qsizetype start = operandStart(amp, 1);
            qsizetype end = amp;
            // Follow the chain of & at this level.
            for (qsizetype op = amp;;) {
                end = operandEnd(op, 1);
                if (end == op) throw DatabaseError(QStringLiteral("Syntaxfehler: Operand fehlt beim Operator '&'."));
                const qsizetype n = next(end);
                if (n >= 0 && t_[n].isSymbol(u"&")) {
                    t_[n] = symbol(QStringLiteral(","));
                    op = n;
                    continue;
                }
                break;
            }
            if (start == amp) throw DatabaseError(QStringLiteral("Syntaxfehler: Operand fehlt beim Operator '&'."));
            t_[amp] = symbol(QStringLiteral(","));
            t_.insert(end + 1, symbol(QStringLiteral(")")));
            t_.insert(start, symbol(QStringLiteral("(")));
            t_.insert(start, word(QStringLiteral("jet_concat")));
        }
    }

    // Jet compares text without regard to case everywhere, and reads a text compared with a
    // date as a date: "Von >= '05.01.2024'". Text fields carry that collation already; a
    // literal or a computed text gets it here. Dates keep the binary order (and their indexes).
    void comparisons() {
        for (qsizetype op = 0; op < t_.size(); ++op) {
            if (!isComparison(t_[op]) || isAssignment(op)) continue;
            const qsizetype s = operandStart(op, 0), e = operandEnd(op, 0);
            if (s == op || e == op) continue;  // SQLite reports what is missing
            const qsizetype leftEnd = prev(op), rightStart = next(op);
            const Sort a = sortOf(s, leftEnd), b = sortOf(rightStart, e);
            if (a == Sort::Date && b == Sort::Text && asDate(rightStart, e)) continue;
            if (b == Sort::Date && a == Sort::Text && asDate(s, leftEnd)) continue;
            if ((a == Sort::Text && b != Sort::Date) || (b == Sort::Text && a != Sort::Date)) {
                t_.insert(e + 1, word(QLatin1String(jettext::kCollation)));
                t_.insert(e + 1, space());
                t_.insert(e + 1, word(QStringLiteral("COLLATE")));
                t_.insert(e + 1, space());
                op = e + 4;
            }
        }
    }

    // A single string literal (in any parentheses) that reads as a date becomes a date.
    bool asDate(qsizetype from, qsizetype to) {
        while (t_[from].isSymbol(u"(") && match(from) == to) {
            from = next(from);
            to = prev(to);
            if (from < 0 || to < from) return false;
        }
        if (from != to || t_[from].kind != TokenKind::String) return false;
        const auto dt = jetdate::fromText(t_[from].stringValue());
        if (!dt) return false;
        t_[from] = dateToken(*dt);
        return true;
    }

    void negate(qsizetype from, qsizetype to) {
        t_.insert(to + 1, symbol(QStringLiteral(")")));
        t_.insert(from, symbol(QStringLiteral("(")));
        t_.insert(from, symbol(QStringLiteral("-")));
    }

    // A comparison in the select list gives Jet's True, -1, not SQLite's 1: "SELECT Von > #1/6/2024#".
    void booleanResults() {
        for (qsizetype sel = 0; sel < t_.size(); ++sel) {
            if (!t_[sel].isWord(u"select")) continue;
            qsizetype i = next(sel);
            if (isWord(i, "distinct") || isWord(i, "all")) i = next(i);
            if (isWord(i, "top") && next(i) >= 0 && t_[next(i)].kind == TokenKind::Number) i = next(next(i));
            // The items, separated by commas at their own depth, up to the end of the list.
            qsizetype itemStart = i;
            int depth = 0;
            bool logical = false;
            bool caseExpression = false;  // SQLite's CASE: its comparisons are not the result
            qsizetype alias = -1;
            for (qsizetype j = i; j >= 0; j = next(j)) {
                const Token& tok = t_[j];
                const bool endOfList =
                    depth == 0 && (tok.isSymbol(u")") || tok.isWord(u"from") || tok.isWord(u"where") || tok.isWord(u"union") ||
                                   tok.isWord(u"group") || tok.isWord(u"order") || tok.isWord(u"having") || tok.isWord(u"into"));
                if (endOfList || (depth == 0 && tok.isSymbol(u","))) {
                    const qsizetype itemEnd = alias >= 0 ? prev(alias) : prev(j);
                    if (logical && itemEnd >= itemStart) {
                        negate(itemStart, itemEnd);
                        j += 3;
                    }
                    if (endOfList) break;
                    itemStart = next(j);
                    logical = false;
                    caseExpression = false;
                    alias = -1;
                    continue;
                }
                if (tok.isSymbol(u"("))
                    ++depth;
                else if (tok.isSymbol(u")"))
                    --depth;
                else if (depth == 0 && tok.isWord(u"as"))
                    alias = j;
                else if (depth == 0 && tok.isWord(u"case"))
                    caseExpression = true;
                else if (depth == 0 && alias < 0 && !caseExpression &&
                         (isComparison(tok) || tok.isWord(u"not") || tok.isWord(u"like") || tok.isWord(u"is") || tok.isWord(u"in") ||
                          tok.isWord(u"between") || tok.isWord(u"and") || tok.isWord(u"or") || tok.isWord(u"exists")))
                    logical = true;
                if (next(j) < 0) {  // the statement ends inside the list
                    const qsizetype itemEnd = alias >= 0 ? prev(alias) : j;
                    if (logical && itemEnd >= itemStart) negate(itemStart, itemEnd);
                    break;
                }
            }
        }
    }

    // X Like '%a_' -> X Like '*a?' (the pattern converted once when it is a literal).
    void adoLike() {
        for (qsizetype i = 0; i < t_.size(); ++i) {
            if (!t_[i].isWord(u"like")) continue;
            const qsizetype begin = next(i);
            if (begin < 0) return;
            const qsizetype end = operandEnd(i, 0);
            if (end == i) continue;
            if (begin == end && t_[begin].kind == TokenKind::String) {
                t_[begin] = stringToken(sqlfunctions::adoPattern(t_[begin].stringValue()));
                continue;
            }
            t_.insert(end + 1, symbol(QStringLiteral(")")));
            t_.insert(begin, symbol(QStringLiteral("(")));
            t_.insert(begin, word(QStringLiteral("jet_adopattern")));
        }
    }

    // SELECT TOP n … -> SELECT … LIMIT n
    void top() {
        for (qsizetype i = 0; i < t_.size(); ++i) {
            if (!t_[i].isWord(u"top")) continue;
            const qsizetype p = prev(i);
            if (!(isWord(p, "select") || isWord(p, "distinct"))) continue;
            const qsizetype n = next(i);
            if (n < 0 || t_[n].kind != TokenKind::Number) continue;
            const QString count = t_[n].text;
            qsizetype after = next(n);
            if (isWord(after, "percent")) t_[after] = space();
            t_[i] = space();
            t_[n] = space();
            // End of the SELECT: the parenthesis that closes its level, or the end.
            qsizetype end = t_.size();
            int depth = 0;
            for (qsizetype j = i; j < t_.size(); ++j) {
                if (t_[j].isSymbol(u"("))
                    ++depth;
                else if (t_[j].isSymbol(u")")) {
                    if (depth == 0) {
                        end = j;
                        break;
                    }
                    --depth;
                }
            }
            t_.insert(end, word(QStringLiteral(" LIMIT ") + count + QLatin1Char(' ')));
        }
    }

    // ---- editable recordsets ------------------------------------------------------------

    // Leaves a marker before the top-level FROM where the edit statement gets its row id column.
    std::optional<TableLocation> editable() {
        const qsizetype sel = first();
        if (!isWord(sel, "select")) return std::nullopt;
        const qsizetype after = next(sel);
        if (isWord(after, "distinct") || isWord(after, "all")) return std::nullopt;
        if (topLevel("group") >= 0 || topLevel("having") >= 0 || topLevel("union") >= 0) return std::nullopt;
        const qsizetype from = topLevel("from", sel + 1);
        if (from < 0) return std::nullopt;
        for (qsizetype i = sel; i < from; ++i)
            if (t_[i].kind == TokenKind::Word && aggregateNames().contains(t_[i].text.toLower()) && isSym(next(i), "("))
                return std::nullopt;
        // Exactly one table: no join, no comma list, no sub-select.
        const qsizetype table = next(from);
        if (table < 0 || t_[table].isSymbol(u"(") || t_[table].kind != TokenKind::Word) return std::nullopt;
        const qsizetype clauseEnd = [&] {
            for (const char* w : {"where", "order", "limit"})
                if (const qsizetype k = topLevel(w, from); k >= 0) return k;
            return qsizetype(t_.size());
        }();
        for (qsizetype i = from; i < clauseEnd; ++i)
            if (t_[i].isWord(u"join") || t_[i].isSymbol(u",")) return std::nullopt;
        std::optional<TableLocation> loc;
        if (const auto it = resolved_.constFind(table); it != resolved_.cend())
            loc = it.value();
        else
            loc = TableLocation{t_[table].name(), {}, t_[table].name(), {}};
        t_.insert(from, Token{TokenKind::Space, kRowIdMarker});
        // resolved_ indexes after the marker moved by one; nothing reads them any more.
        return loc;
    }

    QString render(bool withRowId) const {
        QString s;
        for (const Token& tok : t_) {
            if (tok.kind == TokenKind::Bracketed)
                s += sqlName(tok.name());
            else if (tok.text == kRowIdMarker)
                s += withRowId ? QStringLiteral(", rowid AS ") + JetSql::rowIdColumn() + QLatin1Char(' ') : QString();
            else
                s += tok.text;
        }
        return s.trimmed();
    }
};

}  // namespace

Translation JetSql::translateUncached(const QString& jet, LikeMode mode) const {
    Rewriter r(jet, names_, mode);
    return r.run();
}

std::shared_ptr<const Translation> JetSql::translate(const QString& jet, LikeMode mode) {
    auto& cache = mode == LikeMode::Ado ? ado_ : dao_;
    if (auto it = cache.constFind(jet); it != cache.cend()) return it.value();
    auto t = std::make_shared<const Translation>(translateUncached(jet, mode));
    if (cache.size() >= kCacheLimit) cache.clear();
    cache.insert(jet, t);
    return t;
}

}  // namespace tav
