#include "db/jetdialect.h"

#include "db/engine.h"

#include <QList>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// The statement cut into pieces: words, string literals, bracketed names and
// single other characters. Literals are kept whole so nothing inside them is touched.
struct Token
{
    enum Kind
    {
        Word,
        Literal,
        Bracketed,
        Other
    } kind;
    QString text;
};

QList<Token> tokenize(const QString &sql)
{
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const QString literal = sql.mid(i, j - i + 1);
            // A double-quoted text is an identifier for both engines.
            tokens.append({c == u'"' ? Token::Bracketed : Token::Literal,
                           c == u'"' ? literal.mid(1, literal.size() - 2) : literal});
            i = j + 1;
        } else if (c == u'[') {
            qsizetype j = sql.indexOf(u']', i + 1);
            if (j < 0)
                j = n;
            tokens.append({Token::Bracketed, sql.mid(i + 1, j - i - 1)});
            i = j + 1;
        } else if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(sql.at(j)))
                ++j;
            tokens.append({Token::Word, sql.mid(i, j - i)});
            i = j;
        } else {
            tokens.append({Token::Other, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isKeyword(const Token &t, QStringView word)
{
    return t.kind == Token::Word && t.text.compare(word, Qt::CaseInsensitive) == 0;
}

// "json_records(?) as alias (name text, name number, …)": the records of a JSON
// array bound to the "?", as the engine reads them.
QString withJsonRecords(const QString &jetSql, const Engine &engine)
{
    static const QRegularExpression records(
        uR"(\bjson_records\s*\(\s*\?\s*\)\s+as\s+(\w+)\s*\(([^)]*)\))"_s,
        QRegularExpression::CaseInsensitiveOption);
    QString sql = jetSql;
    for (QRegularExpressionMatch m = records.match(sql); m.hasMatch(); m = records.match(sql)) {
        QList<std::pair<QString, bool>> columns;
        for (const QString &column : m.captured(2).split(u',')) {
            const QStringList words = column.simplified().split(u' ');
            columns.append(
                {words.first(), words.value(1).compare(u"number"_s, Qt::CaseInsensitive) == 0});
        }
        sql.replace(m.capturedStart(), m.capturedLength(),
                    engine.jsonRecords(m.captured(1), columns));
    }
    return sql;
}

} // namespace

QString TranslateJet(const QString &jetSql, const Engine &engine)
{
    QList<Token> tokens = tokenize(withJsonRecords(jetSql, engine));
    // "server_time()" becomes the engine's expression, which is not read again.
    for (qsizetype i = 0; i + 2 < tokens.size(); ++i)
        if (isKeyword(tokens[i], u"server_time") && tokens[i + 1].text == u"(" &&
            tokens[i + 2].text == u")") {
            tokens[i] = {Token::Other, engine.serverTime()};
            tokens.remove(i + 1, 2);
        }
    QString limit;
    // "select top N": drop "top N" and end the statement with the engine's limit.
    for (qsizetype i = 0; i + 1 < tokens.size(); ++i) {
        if (!isKeyword(tokens[i], u"select"))
            continue;
        qsizetype j = i + 1;
        while (j < tokens.size() && tokens[j].kind == Token::Other &&
               tokens[j].text.trimmed().isEmpty())
            ++j;
        if (j + 2 < tokens.size() && isKeyword(tokens[j], u"top")) {
            qsizetype k = j + 1;
            while (k < tokens.size() && tokens[k].kind == Token::Other &&
                   tokens[k].text.trimmed().isEmpty())
                ++k;
            if (k < tokens.size() && tokens[k].kind == Token::Word && tokens[k].text.toInt() > 0) {
                limit = tokens[k].text;
                qsizetype end = k + 1; // the blank after the number goes too
                if (end < tokens.size() && tokens[end].kind == Token::Other &&
                    tokens[end].text.trimmed().isEmpty())
                    ++end;
                tokens.remove(j, end - j);
            }
        }
        break;
    }

    QString out;
    out.reserve(jetSql.size() + 32);
    const QString likeEscape = engine.likeEscape();
    // The pattern of the last "like": -1 none pending, 0 waiting for it, more
    // while inside its parentheses. Its escape clause follows it.
    int pattern = -1;
    for (const Token &t : std::as_const(tokens)) {
        switch (t.kind) {
        case Token::Bracketed:
            out += engine.quoteIdentifier(t.text);
            break;
        case Token::Word:
            out += isKeyword(t, u"like") ? engine.likeOperator() : t.text;
            break;
        default:
            out += t.text;
        }
        if (isKeyword(t, u"like")) {
            pattern = likeEscape.isEmpty() ? -1 : 0;
        } else if (pattern >= 0 && !(pattern == 0 && t.text.trimmed().isEmpty())) {
            pattern += t.text == u"(" ? 1 : t.text == u")" ? -1 : 0;
            if (pattern <= 0) {
                out += likeEscape;
                pattern = -1;
            }
        }
    }
    if (!limit.isEmpty()) {
        while (out.endsWith(u' ') || out.endsWith(u';'))
            out.chop(1);
        out += u' ' + engine.limitClause(limit);
    }
    return out;
}
