#include "labdb/connection_pool.h"

#include <QElapsedTimer>
#include <QFile>
#include <mutex>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace labdb {

namespace {

constexpr int kMaxKept = 8;           // handles kept over all files
constexpr qint64 kMaxIdleMs = 60000;  // a handle unused this long is closed

struct Kept {
    QString file;
    std::unique_ptr<Database> db;
    QElapsedTimer idle;
};

std::mutex& lock()
{
    static std::mutex m;
    return m;
}

std::vector<Kept>& kept()
{
    static std::vector<Kept> k;
    return k;
}

// The file was renamed or deleted since the handle opened it (a new file may
// stand at the same path now).
bool fileHasMoved(Database& db)
{
    int moved = 0;
    if (sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK) return true;
    return moved != 0;
}

// The file can no longer be written (made read-only or immutable, or its disk
// mounted read-only since): a new handle tells why. One access() per reuse.
bool fileIsUnwritable(const QString& file) { return ::access(QFile::encodeName(file).constData(), W_OK) != 0; }

void dropStale(std::vector<Kept>& k)
{
    std::erase_if(k, [](const Kept& e) { return e.idle.elapsed() > kMaxIdleMs; });
}

}  // namespace

std::unique_ptr<Database> ConnectionPool::take(const QString& file)
{
    std::unique_ptr<Database> found;
    {
        std::lock_guard<std::mutex> guard(lock());
        std::vector<Kept>& k = kept();
        dropStale(k);
        for (auto it = k.rbegin(); it != k.rend(); ++it) {
            if (it->file == file) {
                found = std::move(it->db);
                k.erase(std::next(it).base());
                break;
            }
        }
    }
    if (found && (fileHasMoved(*found) || fileIsUnwritable(file))) found.reset();
    return found;
}

void ConnectionPool::give(const QString& file, std::unique_ptr<Database> db)
{
    if (!db || !db->isOpen() || !sqlite3_get_autocommit(db->handle()) || file.isEmpty()) return;
    std::lock_guard<std::mutex> guard(lock());
    std::vector<Kept>& k = kept();
    dropStale(k);
    if (k.size() >= kMaxKept) k.erase(k.begin());
    Kept e{file, std::move(db), {}};
    e.idle.start();
    k.push_back(std::move(e));
}

void ConnectionPool::clear()
{
    std::lock_guard<std::mutex> guard(lock());
    kept().clear();
}

}  // namespace labdb
