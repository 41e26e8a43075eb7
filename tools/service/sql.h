#pragma once

// A thin layer over SQLite prepared statements.

#include <QString>

#include <sqlite3.h>

#include <stdexcept>

class SqlError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Statement
{
public:
    Statement(sqlite3 *db, const char *sql) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw SqlError(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(int i, qint64 v)
    {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    Statement &bind(int i, int v) { return bind(i, qint64(v)); }
    Statement &bind(int i, const QString &v)
    {
        const QByteArray utf8 = v.toUtf8();
        sqlite3_bind_text(m_stmt, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // True while there is a row.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw SqlError(sqlite3_errmsg(m_db));
        return false;
    }
    void run()
    {
        step();
        reset();
    }
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    qint64 integer(int col) const { return sqlite3_column_int64(m_stmt, col); }
    QString text(int col) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, col)) : QString();
    }
    qint64 lastId() const { return sqlite3_last_insert_rowid(m_db); }

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};
