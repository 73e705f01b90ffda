#pragma once

#include "common/db_module.h"
#include "labdb/embedded_connection.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>

// Stands between the gateway and the embedded laboratory: statements reach the
// real database, except those a test makes fail, and a test may alter the
// answers that come back (rows the embedded database would never hold).
class LaboratoryTap {
public:
    using Alteration = std::function<void(const QString& sql, db::Recordset& answer)>;

    LaboratoryTap()
    {
        dbModule::Set_Connection_Maker([this] { return std::make_unique<Tapped>(this); });
    }
    ~LaboratoryTap() { dbModule::Set_Connection_Maker({}); }
    LaboratoryTap(const LaboratoryTap&) = delete;
    LaboratoryTap& operator=(const LaboratoryTap&) = delete;

    // Statements containing this text fail at the database with an error, which
    // gives that reason.
    void failWhen(const QString& text, const QString& reason = QStringLiteral("Statement refused by the test."))
    {
        failing_ << text;
        reason_ = reason;
    }
    // Statements containing this text get no answer: they time out at every try.
    void timeOutWhen(const QString& text) { timingOut_ << text; }
    void alter(Alteration alteration) { alteration_ = std::move(alteration); }
    const QStringList& statements() const { return statements_; }

    // Every row of an answer, to be changed and put back as a new answer.
    static QList<QVariantList> rowsOf(db::Recordset& answer)
    {
        QList<QVariantList> rows;
        for (answer.moveFirst(); !answer.eof(); answer.moveNext()) {
            QVariantList row;
            for (int c = 0; c < answer.columnCount(); ++c) row << answer.value(c);
            rows << row;
        }
        return rows;
    }

private:
    class Tapped final : public db::Connection {
    public:
        explicit Tapped(LaboratoryTap* tap) : tap_(tap) {}
        void setCommandTimeout(int s) override { real_.setCommandTimeout(s); }
        void setConnectionTimeout(int s) override { real_.setConnectionTimeout(s); }
        bool open(const QString& cs, const QString& u, const QString& p) override { return real_.open(cs, u, p); }
        bool isOpen() const override { return real_.isOpen(); }
        bool execute(const QString& sql, db::Recordset* result) override
        {
            tap_->statements_ << sql;
            errors_.clear();
            const auto matches = [&sql](const QStringList& texts) {
                return std::any_of(texts.begin(), texts.end(), [&sql](const QString& t) { return sql.contains(t, Qt::CaseInsensitive); });
            };
            if (matches(tap_->timingOut_))
                errors_ << db::DbError{db::kQueryTimeoutNumber, 0, QStringLiteral("HYT00"), QStringLiteral("Query timeout expired")};
            else if (matches(tap_->failing_))
                errors_ << db::DbError{50000, 50000, QStringLiteral("42000"), tap_->reason_};
            if (!errors_.isEmpty()) {
                *result = db::Recordset();
                return false;
            }
            const bool ok = real_.execute(sql, result);
            errors_ = real_.errors();
            if (ok && tap_->alteration_) tap_->alteration_(sql, *result);
            return ok;
        }
        const db::ErrorList& errors() const override { return errors_; }
        void close() override { real_.close(); }

    private:
        LaboratoryTap* tap_;
        labdb::EmbeddedConnection real_;
        db::ErrorList errors_;
    };

    QStringList failing_;
    QString reason_;
    QStringList timingOut_;
    Alteration alteration_;
    QStringList statements_;
};
