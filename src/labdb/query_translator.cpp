#include "labdb/query_translator.h"

#include "labdb/procedure_call.h"
#include "labdb/server_errors.h"
#include "platform/db/recordset.h"

#include <QRegularExpression>

namespace labdb {

namespace {

// Tables the station reads with plain SELECTs, by their laboratory names.
QString tableFor(const QString& key)
{
    static const QHash<QString, QString> tables = {
        {QStringLiteral("labrack.dbo.lab_software"), QStringLiteral("lab_software")},
        {QStringLiteral("labrack.dbo.lab_software_settings"), QStringLiteral("lab_software_settings")},
        {QStringLiteral("sop.dbo.documents"), QStringLiteral("documents")},
        {QStringLiteral("travomi.dbo.view_employees"), QStringLiteral("view_employees")},
    };
    return tables.value(key);
}

// The result tables of the weighing test groups, by the suffix of their name.
QString weighedTestGroupFor(const QString& suffix)
{
    static const QHash<QString, QString> groups = {
        {QStringLiteral("kf"), QStringLiteral("KF")},
        {QStringLiteral("tanman"), QStringLiteral("TAN MAN")},
        {QStringLiteral("tanauto"), QStringLiteral("TAN AUTO")},
        {QStringLiteral("tbn"), QStringLiteral("TBN")},
        {QStringLiteral("specgravity"), QStringLiteral("SPECGRAVITY")},
    };
    return groups.value(suffix);
}

// labrack.dbo.TBL_TestGroup_Count(lab code, test group): the outstanding tests,
// first all of them (isWeighed NULL: not asked), then those not weighed (isWeighed 0)
// and those weighed (1).
const char* const kCountOneGroup = "(WITH c AS MATERIALIZED (SELECT count(*) AS ALL_TESTS, total(isnumeric(t.WEIGHT)) AS WEIGHED"
                                   "   FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                                   "   WHERE t.STATUS = 'READY' AND t.TEST_GROUP = ? AND s.LAB_CODE = ?)"
                                   " SELECT ? AS LAB_CODE, ? AS TEST_GROUP, NULL AS isWeighed, ALL_TESTS AS COUNT FROM c"
                                   " UNION ALL SELECT ?, ?, 0, ALL_TESTS - CAST(WEIGHED AS INTEGER) FROM c"
                                   " UNION ALL SELECT ?, ?, 1, CAST(WEIGHED AS INTEGER) FROM c)";

// With no test group: all outstanding tests first, then a row per test group and
// weighed state that occurs.
const char* const kCountAllGroups = "(SELECT ? AS LAB_CODE, NULL AS TEST_GROUP, NULL AS isWeighed, count(*) AS COUNT"
                                    " FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID WHERE t.STATUS = 'READY' AND s.LAB_CODE = ?"
                                    " UNION ALL SELECT * FROM (SELECT ?, t.TEST_GROUP, isnumeric(t.WEIGHT) AS isWeighed, count(*)"
                                    " FROM lab_tracking t JOIN samples s ON s.LAB_ID = t.LAB_ID"
                                    " WHERE t.STATUS = 'READY' AND s.LAB_CODE = ? GROUP BY t.TEST_GROUP, isWeighed ORDER BY 2, 3))";

// Brackets, NOT, function calls and subqueries nest no deeper than this; a text
// nested deeper is refused before it can exhaust the stack of the reader.
constexpr int kMaxNesting = 100;

bool isPlainName(const QString& s)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}

bool isClauseWord(const Token& t)
{
    for (const char* w : {"where", "union", "order", "group", "with", "on", "join", "inner", "left", "right", "having", "and", "or", "set",
                          "from", "select"})
        if (t.isWord(w)) return true;
    return false;
}

class Translator {
public:
    explicit Translator(const QList<Token>& t) : t_(t) {}

    TranslatedQuery run()
    {
        TranslatedQuery q;
        if (t_[i_].isWord("select")) {
            select();
        } else {
            update();
            q.writes = true;
        }
        if (t_[i_].isSymbol(";")) ++i_;
        if (!t_[i_].is(Token::End)) fail();
        q.sql = out_.toUtf8();
        q.params = params_;
        return q;
    }

private:
    [[noreturn]] void fail() const
    {
        const Token& at = t_[i_].is(Token::End) && i_ > 0 ? t_[i_ - 1] : t_[i_];
        throw ServerError(errors::incorrectSyntax(at.text));
    }
    void expectWord(const char* w)
    {
        if (!t_[i_].isWord(w)) fail();
        ++i_;
    }
    void expectSymbol(const char* s)
    {
        if (!t_[i_].isSymbol(s)) fail();
        ++i_;
    }
    bool acceptWord(const char* w)
    {
        if (!t_[i_].isWord(w)) return false;
        ++i_;
        return true;
    }
    bool acceptSymbol(const char* s)
    {
        if (!t_[i_].isSymbol(s)) return false;
        ++i_;
        return true;
    }
    // One level deeper for as long as it lives.
    class Nesting {
    public:
        explicit Nesting(int& depth) : depth_(depth)
        {
            if (++depth_ > kMaxNesting) throw ServerError(errors::nestedTooDeeply());
        }
        ~Nesting() { --depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        int& depth_;
    };

    void put(const QString& s) { out_ += s; }
    void bind(const QVariant& v)
    {
        out_ += QLatin1Char('?');
        params_ << v;
    }

    QString quotedName(const Token& t) const
    {
        if (!t.isName() || !isPlainName(t.text)) throw ServerError(errors::incorrectSyntax(t.text));
        return QLatin1Char('"') + t.text + QLatin1Char('"');
    }

    void select()
    {
        int limit = -1;
        core(true, &limit);
        while (acceptWord("union")) {
            put(acceptWord("all") ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION "));
            if (limit >= 0) fail();
            core(false, nullptr);
        }
        if (acceptWord("order")) {
            expectWord("by");
            put(QStringLiteral(" ORDER BY "));
            do {
                operand();
                put(QStringLiteral(" COLLATE NOCASE"));
                if (acceptWord("desc"))
                    put(QStringLiteral(" DESC"));
                else
                    acceptWord("asc");
            } while (acceptSymbol(",") && (put(QStringLiteral(", ")), true));
        }
        if (limit >= 0) put(QStringLiteral(" LIMIT ") + QString::number(limit));
    }

    void core(bool allowTop, int* limit)
    {
        expectWord("select");
        put(QStringLiteral("SELECT "));
        if (acceptWord("distinct")) put(QStringLiteral("DISTINCT "));
        if (t_[i_].isWord("top")) {
            if (!allowTop || !t_[i_ + 1].is(Token::Number)) fail();
            bool ok = false;
            *limit = t_[i_ + 1].text.toInt(&ok);
            if (!ok) fail();
            i_ += 2;
        }
        do {
            if (acceptSymbol("*")) {
                put(QStringLiteral("*"));
            } else {
                operand();
                if (acceptWord("as") || (t_[i_].isName() && !isClauseWord(t_[i_]))) {
                    if (t_[i_ - 1].isWord("as") && !t_[i_].isName()) fail();
                    put(QStringLiteral(" AS ") + quotedName(t_[i_++]));
                }
            }
        } while (acceptSymbol(",") && (put(QStringLiteral(", ")), true));
        expectWord("from");
        put(QStringLiteral(" FROM "));
        source();
        if (acceptWord("where")) {
            put(QStringLiteral(" WHERE "));
            condition();
        }
    }

    void tableHints()
    {
        for (;;) {
            const qsizetype at = i_;
            const bool with = acceptWord("with");
            if (t_[i_].isSymbol("(") && t_[i_ + 1].isWord("nolock") && t_[i_ + 2].isSymbol(")")) {
                i_ += 3;
                continue;
            }
            if (with) fail();
            i_ = at;
            return;
        }
    }

    void source()
    {
        const qsizetype start = i_;
        const QStringList parts = readObjectName(t_, i_);
        if (parts.isEmpty()) fail();
        QStringList lowered;
        for (const QString& p : parts) lowered << (p.isEmpty() ? QStringLiteral("dbo") : p.toLower());
        const QString key = lowered.join(QLatin1Char('.'));
        QString written;
        for (qsizetype k = start; k < i_; ++k) written += t_[k].text;

        if (key == QLatin1String("labrack.dbo.tbl_testgroup_count")) {
            expectSymbol("(");
            const QVariant lab = literal();
            expectSymbol(",");
            const QVariant group = literal();
            expectSymbol(")");
            if (db::isNull(group)) {
                put(QString::fromLatin1(kCountAllGroups));
                params_ << lab << lab << lab << lab;
            } else {
                put(QString::fromLatin1(kCountOneGroup));
                params_ << group << lab << lab << group << lab << group << lab << group;
            }
        } else {
            const QString table = tableFor(key);
            if (table.isEmpty()) throw ServerError(errors::invalidObject(written));
            put(table);
        }
        tableHints();
        if (acceptWord("as") || (t_[i_].isName() && !isClauseWord(t_[i_]))) {
            put(QStringLiteral(" AS ") + quotedName(t_[i_++]));
            tableHints();
        } else if (key == QLatin1String("labrack.dbo.tbl_testgroup_count")) {
            put(QStringLiteral(" AS \"tbl_testgroup_count\""));
        }
    }

    QVariant literal()
    {
        const Token& v = t_[i_];
        if (v.is(Token::Text)) {
            ++i_;
            return v.text;
        }
        if (acceptWord("null")) return {};
        return number();
    }

    QVariant number()
    {
        QString sign;
        if (t_[i_].isSymbol("-") || t_[i_].isSymbol("+")) sign = t_[i_++].text;
        if (!t_[i_].is(Token::Number)) fail();
        const QString text = (sign == QLatin1String("-") ? sign : QString()) + t_[i_++].text;
        bool ok = false;
        const qlonglong whole = text.toLongLong(&ok);
        if (ok) return whole;
        return text.toDouble();
    }

    void condition()
    {
        conjunction();
        while (acceptWord("or")) {
            put(QStringLiteral(" OR "));
            conjunction();
        }
    }

    void conjunction()
    {
        negation();
        while (acceptWord("and")) {
            put(QStringLiteral(" AND "));
            negation();
        }
    }

    void negation()
    {
        const Nesting level(depth_);
        if (acceptWord("not")) {
            put(QStringLiteral("NOT "));
            negation();
        } else {
            predicate();
        }
    }

    void predicate()
    {
        if (t_[i_].isSymbol("(") && !t_[i_ + 1].isWord("select")) {
            ++i_;
            put(QStringLiteral("("));
            condition();
            expectSymbol(")");
            put(QStringLiteral(")"));
            return;
        }
        operand();
        if (acceptWord("is")) {
            put(acceptWord("not") ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
            expectWord("null");
            return;
        }
        const bool negated = acceptWord("not");
        if (acceptWord("in")) {
            put(negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN ("));
            expectSymbol("(");
            if (t_[i_].isWord("select")) {
                core(false, nullptr);
            } else {
                do {
                    const QVariant v = literal();
                    if (db::isNull(v))
                        put(QStringLiteral("NULL"));
                    else
                        bind(v);
                } while (acceptSymbol(",") && (put(QStringLiteral(", ")), true));
            }
            expectSymbol(")");
            put(QStringLiteral(")"));
            return;
        }
        if (acceptWord("like")) {
            put(negated ? QStringLiteral(" NOT LIKE ") : QStringLiteral(" LIKE "));
            operand();
            return;
        }
        if (negated) fail();
        static const char* const comparisons[] = {"=", "<>", "!=", "<", ">", "<=", ">="};
        for (const char* c : comparisons) {
            if (acceptSymbol(c)) {
                put(QLatin1Char(' ') + QString::fromLatin1(c) + QLatin1Char(' '));
                operand();
                put(QStringLiteral(" COLLATE NOCASE"));
                return;
            }
        }
        fail();
    }

    void operand()
    {
        const Nesting level(depth_);
        const Token& v = t_[i_];
        if (v.is(Token::Text)) {
            ++i_;
            bind(v.text);
        } else if (v.is(Token::Number) || v.isSymbol("-") || v.isSymbol("+")) {
            bind(number());
        } else if (v.isWord("null")) {
            ++i_;
            put(QStringLiteral("NULL"));
        } else if (v.is(Token::Word) && t_[i_ + 1].isSymbol("(")) {
            function();
        } else if (v.isName() && !isClauseWord(v)) {
            put(quotedName(v));
            ++i_;
            if (acceptSymbol(".")) {
                put(QStringLiteral("."));
                put(quotedName(t_[i_]));
                ++i_;
            }
        } else {
            fail();
        }
    }

    void function()
    {
        static const QHash<QString, QString> functions = {
            {QStringLiteral("charindex"), QStringLiteral("charindex")}, {QStringLiteral("isnumeric"), QStringLiteral("isnumeric")},
            {QStringLiteral("upper"), QStringLiteral("upper")},         {QStringLiteral("lower"), QStringLiteral("lower")},
            {QStringLiteral("ltrim"), QStringLiteral("ltrim")},         {QStringLiteral("rtrim"), QStringLiteral("rtrim")},
            {QStringLiteral("isnull"), QStringLiteral("ifnull")},       {QStringLiteral("coalesce"), QStringLiteral("coalesce")},
            {QStringLiteral("len"), QStringLiteral("sqlserver_len")},   {QStringLiteral("count"), QStringLiteral("count")},
        };
        const QString name = t_[i_].text.toLower();
        const auto it = functions.constFind(name);
        if (it == functions.cend())
            throw ServerError(errors::make(195, QStringLiteral("42000"),
                                           QStringLiteral("'%1' is not a recognized built-in function name.").arg(t_[i_].text)));
        i_ += 2;  // name and (
        put(it.value() == QLatin1String("sqlserver_len") ? QStringLiteral("length(rtrim(") : it.value() + QLatin1Char('('));
        if (name == QLatin1String("count") && acceptSymbol("*")) {
            put(QStringLiteral("*"));
        } else {
            do operand();
            while (acceptSymbol(",") && (put(QStringLiteral(", ")), true));
        }
        expectSymbol(")");
        put(it.value() == QLatin1String("sqlserver_len") ? QStringLiteral("))") : QStringLiteral(")"));
    }

    // "update lab.dbo.testgroup_<suffix> set weight = ..." and "update
    // lab.dbo.lab_tracking set weight = ...": both write the weight of tests.
    void update()
    {
        expectWord("update");
        const qsizetype start = i_;
        const QStringList parts = readObjectName(t_, i_);
        if (parts.size() != 3) fail();
        QString written;
        for (qsizetype k = start; k < i_; ++k) written += t_[k].text;
        const QString database = parts[0].toLower();
        const QString schema = parts[1].isEmpty() ? QStringLiteral("dbo") : parts[1].toLower();
        const QString table = parts[2].toLower();
        QString group;
        if (database != QLatin1String("lab") || schema != QLatin1String("dbo")) throw ServerError(errors::invalidObject(written));
        if (table.startsWith(QLatin1String("testgroup_"))) {
            group = weighedTestGroupFor(table.mid(10));
            if (group.isEmpty()) throw ServerError(errors::invalidObject(written));
        } else if (table != QLatin1String("lab_tracking")) {
            throw ServerError(errors::invalidObject(written));
        }
        tableHints();
        expectWord("set");
        put(QStringLiteral("UPDATE lab_tracking SET "));
        do {
            const Token& column = t_[i_];
            if (!column.isName()) fail();
            if (column.text.compare(QLatin1String("weight"), Qt::CaseInsensitive) != 0)
                throw ServerError(errors::columnNotWritable(column.text, written));
            ++i_;
            expectSymbol("=");
            put(QStringLiteral("WEIGHT = "));
            operand();
        } while (acceptSymbol(",") && (put(QStringLiteral(", ")), true));
        put(QStringLiteral(" WHERE "));
        if (!group.isEmpty()) {
            put(QStringLiteral("TEST_GROUP = "));
            bind(group);
            put(QStringLiteral(" AND "));
        }
        if (acceptWord("where")) {
            put(QStringLiteral("("));
            condition();
            put(QStringLiteral(")"));
        } else {
            put(QStringLiteral("1"));
        }
    }

    const QList<Token>& t_;
    qsizetype i_ = 0;
    int depth_ = 0;
    QString out_;
    Params params_;
};

}  // namespace

std::variant<TranslatedQuery, db::DbError> translateQuery(const QList<Token>& tokens)
{
    try {
        return Translator(tokens).run();
    } catch (const ServerError& e) {
        return e.error;
    }
}

}  // namespace labdb
