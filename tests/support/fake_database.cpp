#include "fake_database.h"

#include "common/db_module.h"

FakeDatabase::FakeDatabase()
{
    dbModule::Set_Connection_Maker([this] { return std::make_unique<FakeConnection>(this); });
}

FakeDatabase::~FakeDatabase() { dbModule::Set_Connection_Maker({}); }

FakeDatabase::Reply FakeDatabase::rows(const QStringList& columns, const QList<QVariantList>& rows)
{
    return Reply{true, db::Recordset(columns, rows), {}};
}

FakeDatabase::Reply FakeDatabase::noRows(const QStringList& columns) { return rows(columns, {}); }

FakeDatabase::Reply FakeDatabase::timeOut()
{
    return Reply{false, {}, {{db::kQueryTimeoutNumber, 0, QStringLiteral("HYT00"), QStringLiteral("Query timeout expired")}}};
}

FakeDatabase::Reply FakeDatabase::failure(long number, const QString& text, const QString& state)
{
    return Reply{false, {}, {{number, number, state, text}}};
}

FakeDatabase::Reply FakeDatabase::withErrors(const db::ErrorList& errors) { return Reply{true, {}, errors}; }

bool FakeConnection::open(const QString& connectionString, const QString&, const QString&)
{
    database_->connectionStrings_ << connectionString;
    errors_.clear();
    if (database_->refuse_) {
        errors_.push_back({-1, -1, QStringLiteral("08001"), database_->refusal_});
        return false;
    }
    open_ = true;
    return true;
}

bool FakeConnection::execute(const QString& sql, db::Recordset* result)
{
    database_->statements_ << sql;
    const FakeDatabase::Reply reply = database_->replies_.isEmpty() ? database_->default_ : database_->replies_.takeFirst();
    errors_ = reply.errors;
    if (result) *result = reply.ok ? reply.answer : db::Recordset();
    return reply.ok;
}
