#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin hold on SQLite for the score store: a connection, prepared
// statements and a write transaction, each closed by its destructor, and
// every failure thrown as an SqliteError carrying SQLite's primary code.

namespace store {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code(code) {}
    // SQLite's primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...).
    const int code;
    // The file is damaged or no database at all: only moving it aside helps.
    bool fileIsBroken() const;
};

class Database {
public:
    // Opens (and for writing, creates) the file; throws when SQLite cannot.
    Database(const std::filesystem::path& file, bool writable, int busyTimeoutMs);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs one or more statements that return nothing wanted.
    void exec(const char* sql);
    // The first column of the first row of a one-value query.
    long long queryInteger(const char* sql);
    long long lastInsertId() const;

    sqlite3* handle() { return db; }

private:
    sqlite3* db = nullptr;
};

class Statement {
public:
    Statement(Database& database, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters count from 1, as in SQL.
    Statement& bind(int index, int value);
    Statement& bind(int index, long long value);
    Statement& bind(int index, double value);
    Statement& bind(int index, const std::string& value);
    Statement& bindNull(int index);
    // True while there is a row to read; false once the statement is done.
    bool step();
    // Ready to be bound and stepped again.
    void reset();

    long long integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    std::optional<double> optionalReal(int column) const;

private:
    void check(int result) const;

    Database& database;
    sqlite3_stmt* statement = nullptr;
};

// BEGIN IMMEDIATE: the write lock is taken at once (waiting out another
// game's write), so the transaction cannot fail half-way for a lock. Rolled
// back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(Database& database);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit();

private:
    Database& database;
    bool open = true;
};

} // namespace store
