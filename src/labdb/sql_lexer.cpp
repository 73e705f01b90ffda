#include "labdb/sql_lexer.h"

#include "labdb/server_errors.h"

namespace labdb {

namespace {

bool wordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('#'); }
bool wordPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c == QLatin1Char('$'); }

// Reads a string delimited by quote, starting after the opening quote.
// Returns false when the text ends before the closing quote.
bool readQuoted(const QString& s, qsizetype& i, QChar quote, QString& out)
{
    while (i < s.size()) {
        const QChar c = s[i++];
        if (c == quote) {
            if (i < s.size() && s[i] == quote) {
                out += quote;
                ++i;
                continue;
            }
            return true;
        }
        out += c;
    }
    return false;
}

}  // namespace

Tokens tokenize(const QString& s)
{
    Tokens out;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto add = [&](Token::Kind k, const QString& text, qsizetype pos) { out.list.push_back(Token{k, text, pos}); };

    while (i < n) {
        const QChar c = s[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            while (i < n && s[i] != QLatin1Char('\n')) ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            const qsizetype close = s.indexOf(QLatin1String("*/"), i + 2);
            if (close < 0) {
                out.error = errors::make(113, QStringLiteral("42000"), QStringLiteral("Missing end comment mark '*/'."));
                break;
            }
            i = close + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') ||
                   ((c == QLatin1Char('N') || c == QLatin1Char('n')) && i + 1 < n && s[i + 1] == QLatin1Char('\''))) {
            if (c != QLatin1Char('\'') && c != QLatin1Char('"')) ++i;
            const QChar quote = s[i++];
            QString value;
            if (!readQuoted(s, i, quote, value)) {
                out.error = errors::unclosedQuote(value);
                break;
            }
            add(Token::Text, value, start);
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = s.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                out.error = errors::make(105, QStringLiteral("42000"),
                                         QStringLiteral("Unclosed quotation mark after the character string '%1'.").arg(s.mid(i + 1)));
                break;
            }
            add(Token::QuotedName, s.mid(i + 1, close - i - 1), start);
            i = close + 1;
        } else if (c == QLatin1Char('@')) {
            ++i;
            while (i < n && wordPart(s[i])) ++i;
            if (i == start + 1) {
                out.error = errors::incorrectSyntax(QStringLiteral("@"));
                break;
            }
            add(Token::Variable, s.mid(start, i - start), start);
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            while (i < n && s[i].isDigit()) ++i;
            if (i < n && s[i] == QLatin1Char('.')) {
                ++i;
                while (i < n && s[i].isDigit()) ++i;
            }
            if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-'))) ++j;
                if (j < n && s[j].isDigit()) {
                    i = j;
                    while (i < n && s[i].isDigit()) ++i;
                }
            }
            if (i < n && wordStart(s[i])) {
                // 12abc is neither a number nor a name.
                while (i < n && wordPart(s[i])) ++i;
                out.error = errors::incorrectSyntax(s.mid(start, i - start));
                break;
            }
            add(Token::Number, s.mid(start, i - start), start);
        } else if (wordStart(c)) {
            while (i < n && wordPart(s[i])) ++i;
            add(Token::Word, s.mid(start, i - start), start);
        } else {
            static const QString two[] = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"), QStringLiteral("!=")};
            QString symbol;
            for (const QString& t : two)
                if (s.mid(i, 2) == t) symbol = t;
            if (symbol.isEmpty() && QStringLiteral(",()=<>.*;+-/").contains(c)) symbol = c;
            if (symbol.isEmpty()) {
                out.error = errors::incorrectSyntax(QString(c));
                break;
            }
            i += symbol.size();
            add(Token::Symbol, symbol, start);
        }
    }
    add(Token::End, QString(), n);
    return out;
}

}  // namespace labdb
