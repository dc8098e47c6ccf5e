#include "store/sqlite_db.h"

#include <sqlite3.h>

namespace store {

namespace {

[[noreturn]] void fail(sqlite3* db, int result) {
    const int code = result & 0xff;
    std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(result);
    throw SqliteError(code, message);
}

} // namespace

bool SqliteError::fileIsBroken() const {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

Database::Database(const std::filesystem::path& file, bool writable, int busyTimeoutMs) {
    const int flags = writable ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
    const int result = sqlite3_open_v2(file.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result != SQLITE_OK) {
        // Even a failed open gives a handle, which holds the message.
        const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(result);
        sqlite3_close_v2(db);
        db = nullptr;
        throw SqliteError(result & 0xff, message);
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, busyTimeoutMs);
}

Database::~Database() {
    sqlite3_close_v2(db);
}

void Database::exec(const char* sql) {
    const int result = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK) {
        fail(db, result);
    }
}

long long Database::queryInteger(const char* sql) {
    Statement query(*this, sql);
    return query.step() ? query.integer(0) : 0;
}

long long Database::lastInsertId() const {
    return sqlite3_last_insert_rowid(db);
}

Statement::Statement(Database& owner, std::string_view sql) : database(owner) {
    check(sqlite3_prepare_v2(database.handle(), sql.data(), static_cast<int>(sql.size()),
                             &statement, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(statement);
}

void Statement::check(int result) const {
    if (result != SQLITE_OK) {
        fail(database.handle(), result);
    }
}

Statement& Statement::bind(int index, int value) {
    check(sqlite3_bind_int(statement, index, value));
    return *this;
}

Statement& Statement::bind(int index, long long value) {
    check(sqlite3_bind_int64(statement, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value) {
    check(sqlite3_bind_double(statement, index, value));
    return *this;
}

Statement& Statement::bind(int index, const std::string& value) {
    check(sqlite3_bind_text(statement, index, value.data(), static_cast<int>(value.size()),
                            SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindNull(int index) {
    check(sqlite3_bind_null(statement, index));
    return *this;
}

bool Statement::step() {
    const int result = sqlite3_step(statement);
    if (result == SQLITE_ROW) {
        return true;
    }
    if (result != SQLITE_DONE) {
        fail(database.handle(), result);
    }
    return false;
}

void Statement::reset() {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
}

long long Statement::integer(int column) const {
    return sqlite3_column_int64(statement, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(statement, column);
}

std::string Statement::text(int column) const {
    const unsigned char* value = sqlite3_column_text(statement, column);
    const int length = sqlite3_column_bytes(statement, column);
    return value != nullptr
               ? std::string(reinterpret_cast<const char*>(value), static_cast<std::size_t>(length))
               : std::string();
}

std::optional<double> Statement::optionalReal(int column) const {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
        return std::nullopt;
    }
    return real(column);
}

WriteTransaction::WriteTransaction(Database& owner) : database(owner) {
    database.exec("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (open) {
        sqlite3_exec(database.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void WriteTransaction::commit() {
    database.exec("COMMIT");
    open = false;
}

} // namespace store
