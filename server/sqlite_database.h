#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace line_service {

// Any failure of the store; the service answers it with an internal error.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One open SQLite connection. Not safe for use by two threads at once: its owner serialises.
class SqliteDatabase {
 public:
  // ":memory:" opens a private in-memory database.
  explicit SqliteDatabase(const std::string& path);
  ~SqliteDatabase();
  SqliteDatabase(const SqliteDatabase&) = delete;
  SqliteDatabase& operator=(const SqliteDatabase&) = delete;

  // Runs fixed statements that take no parameters (schema, transaction control).
  void Execute(const char* sql);
  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement; values only ever reach SQL through Bind.
class SqliteStatement {
 public:
  SqliteStatement(SqliteDatabase& db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters are numbered from 1, as in SQL.
  SqliteStatement& Bind(int index, std::string_view text);
  SqliteStatement& Bind(int index, std::int64_t value);
  // True while a result row is available; false once the statement is done.
  bool Step();
  // Runs the statement to its end and rewinds it for new values; returns the rows it changed.
  int Run();
  // Columns are numbered from 0.
  std::string TextAt(int column) const;
  std::int64_t NumberAt(int column) const;

 private:
  SqliteDatabase& db_;
  sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE; rolled back when the scope ends without Commit.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDatabase& db);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;

  void Commit();

 private:
  SqliteDatabase& db_;
  bool done_ = false;
};

}  // namespace line_service
