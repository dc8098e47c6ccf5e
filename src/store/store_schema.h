#pragma once

namespace store {

class Database;

// The schema's version, kept in the file as PRAGMA user_version. A store of
// an earlier version is brought up to this one when opened; a later one
// belongs to a newer game.
constexpr int kSchemaVersion = 1;

// The SQL that brings a store from version `version - 1` to `version`.
const char* migrationTo(int version);

// Brings an empty store or one of an earlier version to kSchemaVersion in
// one transaction. The version is read again under the write lock, so two
// games opening a new store at once create it once.
void migrate(Database& database);

// Throws unless every table and column the store reads and writes is there.
void checkSchema(Database& database);

} // namespace store
