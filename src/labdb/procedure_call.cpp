#include "labdb/procedure_call.h"

#include "labdb/server_errors.h"

namespace labdb {

QStringList readObjectName(const QList<Token>& t, qsizetype& at)
{
    QStringList parts;
    qsizetype i = at;
    if (!t[i].isName()) return {};
    parts << t[i++].text;
    while (t[i].isSymbol(".") && parts.size() < 3) {
        ++i;
        if (t[i].isName()) {
            parts << t[i++].text;
        } else if (t[i].isSymbol(".")) {
            parts << QString();  // lab..proc: the default schema
        } else {
            return {};
        }
    }
    at = i;
    return parts;
}

namespace {

QString keyOf(QStringList parts)
{
    for (qsizetype i = 0; i < parts.size(); ++i) {
        parts[i] = parts[i].toLower();
        if (parts[i].isEmpty() && i + 1 < parts.size()) parts[i] = QStringLiteral("dbo");
    }
    return parts.join(QLatin1Char('.'));
}

QString nameAsWritten(const QList<Token>& t, qsizetype from, qsizetype to)
{
    QString out;
    for (qsizetype i = from; i < to; ++i) out += t[i].text;
    return out;
}

}  // namespace

std::variant<ProcedureCall, db::DbError> parseCall(const QList<Token>& t, qsizetype at)
{
    ProcedureCall call;
    const qsizetype nameStart = at;
    const QStringList parts = readObjectName(t, at);
    if (parts.isEmpty()) return errors::incorrectSyntax(t[at].text);
    call.name = nameAsWritten(t, nameStart, at);
    call.key = keyOf(parts);

    bool expectArgument = !t[at].is(Token::End) && !t[at].isSymbol(";");
    while (expectArgument) {
        CallArgument a;
        if (t[at].is(Token::Variable)) {
            if (!t[at + 1].isSymbol("=")) return errors::incorrectSyntax(t[at + 1].is(Token::End) ? t[at].text : t[at + 1].text);
            a.name = t[at].text;
            at += 2;
        }
        const Token& v = t[at];
        if (v.is(Token::Text)) {
            a.value = v.text;
            ++at;
        } else if (v.is(Token::Number)) {
            a.value = v.text;
            a.isNumber = true;
            ++at;
        } else if ((v.isSymbol("-") || v.isSymbol("+")) && t[at + 1].is(Token::Number)) {
            a.value = (v.isSymbol("-") ? QStringLiteral("-") : QString()) + t[at + 1].text;
            a.isNumber = true;
            at += 2;
        } else if (v.isWord("null")) {
            ++at;
        } else if (v.isWord("default")) {
            a.useDefault = true;
            ++at;
        } else {
            return errors::incorrectSyntax(v.is(Token::End) ? t[at - 1].text : v.text);
        }
        call.arguments << a;
        if (t[at].isSymbol(",")) {
            ++at;
        } else {
            expectArgument = false;
        }
    }
    if (t[at].isSymbol(";")) ++at;
    if (!t[at].is(Token::End)) return errors::incorrectSyntax(t[at].text);
    return call;
}

}  // namespace labdb
