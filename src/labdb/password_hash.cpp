#include "labdb/password_hash.h"

#include "labdb/sqlite_db.h"

#include <sodium.h>
#include <stdexcept>

namespace labdb {

namespace {

void ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("libsodium could not be initialised");
}

}  // namespace

QByteArray newPasswordKey()
{
    ensureSodium();
    QByteArray key(crypto_generichash_KEYBYTES, Qt::Uninitialized);
    randombytes_buf(key.data(), size_t(key.size()));
    return key;
}

QByteArray passwordHash(const QByteArray& key, const QString& password)
{
    ensureSodium();
    const QByteArray text = password.toUtf8();
    QByteArray out(crypto_generichash_BYTES, Qt::Uninitialized);
    crypto_generichash(reinterpret_cast<unsigned char*>(out.data()), size_t(out.size()),
                       reinterpret_cast<const unsigned char*>(text.constData()), size_t(text.size()),
                       reinterpret_cast<const unsigned char*>(key.constData()), size_t(key.size()));
    return out;
}

QByteArray passwordKeyOf(Database& db) { return db.scalar("SELECT VALUE FROM labdb_meta WHERE KEY = 'password_key'").toByteArray(); }

}  // namespace labdb
