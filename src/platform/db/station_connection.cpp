#include "platform/db/station_connection.h"

#include "platform/db/odbc_connection.h"

namespace db {
namespace {

BackendMaker& embeddedMaker()
{
    static BackendMaker maker;
    return maker;
}

}  // namespace

void registerEmbeddedBackend(BackendMaker maker) { embeddedMaker() = std::move(maker); }

Backend backendFor(const QString& connectionString)
{
    const QString s = connectionString.trimmed();
    if (s.startsWith(QLatin1String(kEmbeddedPrefix), Qt::CaseInsensitive)) return Backend::Embedded;
    if (s.contains(QLatin1String("DSN="), Qt::CaseInsensitive) || s.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive))
        return Backend::Odbc;
    return Backend::Unknown;
}

bool StationConnection::open(const QString& connectionString, const QString& user, const QString& password)
{
    close();
    errors_.clear();
    switch (backendFor(connectionString)) {
    case Backend::Odbc:
        backend_ = std::make_unique<OdbcConnection>();
        break;
    case Backend::Embedded:
        if (embeddedMaker()) backend_ = embeddedMaker()();
        if (!backend_) {
            errors_.push_back({-1, -1, QStringLiteral("IM002"), QStringLiteral("The embedded laboratory database is not available.")});
            return false;
        }
        break;
    case Backend::Unknown:
        errors_.push_back(
            {-1, -1, QStringLiteral("IM002"), QStringLiteral("The connection string names no data source: \"%1\".").arg(connectionString)});
        return false;
    }
    backend_->setCommandTimeout(commandTimeout_);
    backend_->setConnectionTimeout(connectionTimeout_);
    if (backend_->open(connectionString, user, password)) return true;
    errors_ = backend_->errors();
    backend_.reset();
    return false;
}

bool StationConnection::execute(const QString& sql, Recordset* result)
{
    if (!backend_) {
        errors_ = {{-1, -1, QStringLiteral("08003"), QStringLiteral("The connection is not open.")}};
        if (result) *result = Recordset();
        return false;
    }
    return backend_->execute(sql, result);
}

void StationConnection::close()
{
    if (backend_) backend_->close();
    backend_.reset();
}

}  // namespace db
