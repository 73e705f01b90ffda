#pragma once

#include "platform/db/connection.h"

#include <QList>
#include <QStringList>
#include <memory>

// A stand-in for the laboratory database behind the gateway: it records every
// statement and answers each with the next scripted reply (or the default one).
// install() makes the gateway open FakeConnections on it; the destructor puts the
// station's own connections back.
class FakeDatabase {
public:
    struct Reply {
        bool ok = true;        // false: the statement raised an error
        db::Recordset answer;  // rows of a successful statement
        db::ErrorList errors;  // left in the connection's list
    };

    FakeDatabase();
    ~FakeDatabase();

    static Reply rows(const QStringList& columns, const QList<QVariantList>& rows);
    static Reply noRows(const QStringList& columns);
    static Reply timeOut();
    static Reply failure(long number, const QString& text, const QString& state = QStringLiteral("42000"));
    static Reply withErrors(const db::ErrorList& errors);

    void script(const Reply& reply) { replies_.push_back(reply); }
    void setDefault(const Reply& reply) { default_ = reply; }
    void refuseConnections(const QString& why)
    {
        refuse_ = true;
        refusal_ = why;
    }

    const QStringList& statements() const { return statements_; }
    const QStringList& connectionStrings() const { return connectionStrings_; }
    int opened() const { return connectionStrings_.size(); }
    QString last() const { return statements_.isEmpty() ? QString() : statements_.last(); }
    void clear()
    {
        statements_.clear();
        connectionStrings_.clear();
    }

private:
    friend class FakeConnection;
    QList<Reply> replies_;
    Reply default_;
    QStringList statements_;
    QStringList connectionStrings_;
    bool refuse_ = false;
    QString refusal_;
};

class FakeConnection final : public db::Connection {
public:
    explicit FakeConnection(FakeDatabase* database) : database_(database) {}
    void setCommandTimeout(int) override {}
    void setConnectionTimeout(int) override {}
    bool open(const QString& connectionString, const QString&, const QString&) override;
    bool isOpen() const override { return open_; }
    bool execute(const QString& sql, db::Recordset* result) override;
    const db::ErrorList& errors() const override { return errors_; }
    void close() override { open_ = false; }

private:
    FakeDatabase* database_;
    bool open_ = false;
    db::ErrorList errors_;
};
