#pragma once

#include <QByteArray>
#include <QString>

namespace labdb {

class Database;

// Passwords are stored as keyed BLAKE2b hashes (libsodium crypto_generichash)
// under a random 32-byte key made when the database is created and kept in it.
//
// Why not a slow, salted password hash (Argon2): the login sends only a password,
// no user name, so the database must find the employee BY the password. With a
// per-employee salt that means hashing the typed password once per employee on
// every login; a keyed hash gives one value per password that an index finds at
// once. The key keeps precomputed tables useless and the hashes differ from one
// database file to the next; nothing stores or logs the plain password.
QByteArray newPasswordKey();
QByteArray passwordHash(const QByteArray& key, const QString& password);
QByteArray passwordKeyOf(Database& db);

}  // namespace labdb
