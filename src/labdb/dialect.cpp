#include "labdb/dialect.h"

#include "labdb/server_errors.h"

namespace labdb {

namespace {

// Statement kinds the laboratory database refuses outright.
bool isRefusedVerb(const Token& t)
{
    for (const char* w :
         {"insert",     "delete",    "drop",    "create",      "alter",      "truncate", "merge",     "grant",      "revoke",  "deny",
          "use",        "declare",   "set",     "begin",       "commit",     "rollback", "save",      "with",       "attach",  "detach",
          "pragma",     "vacuum",    "reindex", "analyze",     "replace",    "shutdown", "kill",      "dbcc",       "bulk",    "backup",
          "restore",    "print",     "if",      "while",       "waitfor",    "goto",     "return",    "open",       "close",   "fetch",
          "deallocate", "raiserror", "throw",   "reconfigure", "checkpoint", "readtext", "writetext", "updatetext", "disable", "enable"})
        if (t.isWord(w)) return true;
    return false;
}

}  // namespace

std::variant<PreparedStatement, db::DbError> prepareStatement(const QString& text)
{
    const Tokens tokens = tokenize(text);
    if (tokens.error) return *tokens.error;
    const QList<Token>& t = tokens.list;
    PreparedStatement out;

    qsizetype at = 0;
    while (t[at].isSymbol(";")) ++at;
    if (t[at].is(Token::End)) return out;

    if (t[at].isWord("select") || t[at].isWord("update")) {
        if (at > 0) return errors::incorrectSyntax(QStringLiteral(";"));
        auto q = translateQuery(t);
        if (auto* e = std::get_if<db::DbError>(&q)) return *e;
        out.kind = PreparedStatement::Query;
        out.query = std::get<TranslatedQuery>(std::move(q));
        return out;
    }
    if (t[at].isWord("exec") || t[at].isWord("execute")) {
        ++at;
    } else if (isRefusedVerb(t[at])) {
        return errors::notPermitted(t[at].text.toUpper());
    } else if (!t[at].isName()) {
        return errors::incorrectSyntax(t[at].text);
    }

    auto parsed = parseCall(t, at);
    if (auto* e = std::get_if<db::DbError>(&parsed)) return *e;
    const ProcedureCall& call = std::get<ProcedureCall>(parsed);
    out.procedure = findProcedure(call.key);
    if (!out.procedure) return errors::procedureNotFound(call.name);
    try {
        out.args = bindArguments(*out.procedure, call);
    } catch (const ServerError& e) {
        return e.error;
    }
    out.kind = PreparedStatement::Call;
    return out;
}

}  // namespace labdb
