#include "server/sqlite_database.h"

#include <sqlite3.h>

namespace line_service {

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw StoreError(what + ": " + (db != nullptr ? sqlite3_errmsg(db) : "out of memory"));
}

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path) {
  const int result = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (result != SQLITE_OK) {
    const std::string message = "cannot open the database " + path + ": " + sqlite3_errstr(result);
    sqlite3_close(db_);
    throw StoreError(message);
  }
  // Another process (an operator's sqlite3 shell) may hold the file for a moment.
  sqlite3_busy_timeout(db_, 5000);
  sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close(db_); }

void SqliteDatabase::Execute(const char* sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(db_, "statement failed");
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const char* sql) : db_(db) {
  if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK)
    Fail(db.handle(), "cannot prepare a statement");
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
  if (sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) != SQLITE_OK)
    Fail(db_.handle(), "cannot bind a value");
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
  if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) Fail(db_.handle(), "cannot bind a value");
  return *this;
}

bool SqliteStatement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  Fail(db_.handle(), "statement failed");
}

int SqliteStatement::Run() {
  while (Step()) {
  }
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  return sqlite3_changes(db_.handle());
}

std::string SqliteStatement::TextAt(int column) const {
  const auto* text = sqlite3_column_text(statement_, column);
  if (text == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(statement_, column));
}

std::int64_t SqliteStatement::NumberAt(int column) const { return sqlite3_column_int64(statement_, column); }

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db) { db_.Execute("BEGIN IMMEDIATE"); }

SqliteTransaction::~SqliteTransaction() {
  if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit() {
  db_.Execute("COMMIT");
  done_ = true;
}

}  // namespace line_service
