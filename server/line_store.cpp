#include "server/line_store.h"

namespace line_service {

namespace {

constexpr const char* kSchema = R"sql(
PRAGMA foreign_keys = ON;
CREATE TABLE IF NOT EXISTS accounts (
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE,
  password TEXT NOT NULL,
  expiryTime TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS lines (
  id INTEGER PRIMARY KEY,
  kind TEXT NOT NULL CHECK (kind IN ('dynamic', 'static')),
  province TEXT NOT NULL,
  city TEXT NOT NULL,
  domain TEXT NOT NULL,
  isp TEXT NOT NULL,
  status INTEGER NOT NULL,
  exitIp TEXT UNIQUE,
  CHECK ((kind = 'static') = (exitIp IS NOT NULL))
);
CREATE TABLE IF NOT EXISTS reservations (
  account INTEGER PRIMARY KEY REFERENCES accounts (id) ON DELETE CASCADE,
  line INTEGER NOT NULL UNIQUE REFERENCES lines (id) ON DELETE CASCADE
);
)sql";

const char* KindName(LineKind kind) { return kind == LineKind::kStatic ? "static" : "dynamic"; }

LineRecord ReadLine(const SqliteStatement& row) {
  return LineRecord{row.TextAt(0), row.TextAt(1), row.TextAt(2), row.TextAt(3), static_cast<int>(row.NumberAt(4)),
                    row.TextAt(5)};
}

void InsertLines(SqliteDatabase& db, LineKind kind, const std::vector<LineRecord>& lines) {
  SqliteStatement insert(db,
                         "INSERT INTO lines (kind, province, city, domain, isp, status, exitIp) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  for (const LineRecord& line : lines) {
    insert.Bind(1, KindName(kind))
        .Bind(2, line.province)
        .Bind(3, line.city)
        .Bind(4, line.domain)
        .Bind(5, line.isp)
        .Bind(6, std::int64_t{line.status});
    // Left unbound, ?7 is NULL: a dynamic line has no exit address of its own.
    if (kind == LineKind::kStatic) insert.Bind(7, line.ip);
    insert.Run();
  }
}

// The id and the second column of the one row a lookup by a unique key finds. The statement is
// finished on return, so that a transaction around the lookup can commit.
struct KeyedRow {
  std::int64_t id;
  std::string text;
};

std::optional<KeyedRow> FindRow(SqliteDatabase& db, const char* sql, std::string_view key) {
  SqliteStatement find(db, sql);
  find.Bind(1, key);
  if (!find.Step()) return std::nullopt;
  return KeyedRow{find.NumberAt(0), find.TextAt(1)};
}

}  // namespace

LineStore::LineStore(const std::string& path) : db_(path) {
  // The first statement is where a file that is no database shows.
  try {
    db_.Execute(kSchema);
  } catch (const StoreError& failure) {
    throw StoreError(path + ": " + failure.what());
  }
}

bool LineStore::IsEmpty() {
  std::lock_guard lock(mutex_);
  SqliteStatement count(db_, "SELECT (SELECT COUNT(*) FROM accounts) + (SELECT COUNT(*) FROM lines)");
  count.Step();
  return count.NumberAt(0) == 0;
}

void LineStore::Fill(const StoreContent& content) {
  std::lock_guard lock(mutex_);
  SqliteTransaction transaction(db_);
  SqliteStatement insertAccount(db_, "INSERT INTO accounts (name, password, expiryTime) VALUES (?1, ?2, ?3)");
  for (const AccountRecord& account : content.accounts)
    insertAccount.Bind(1, account.name).Bind(2, account.password).Bind(3, account.expiryTime).Run();
  InsertLines(db_, LineKind::kDynamic, content.dynamicLines);
  InsertLines(db_, LineKind::kStatic, content.staticLines);
  SqliteStatement reserve(db_,
                          "INSERT INTO reservations (account, line) "
                          "SELECT accounts.id, lines.id FROM accounts, lines "
                          "WHERE accounts.name = ?1 AND lines.exitIp = ?2");
  for (const StaticReservation& reservation : content.reservations) {
    if (reserve.Bind(1, reservation.account).Bind(2, reservation.ip).Run() != 1)
      throw StoreError("reservation of an unknown account or line: " + reservation.account + " " + reservation.ip);
  }
  transaction.Commit();
}

std::optional<AccountRecord> LineStore::FindAccount(std::string_view name) {
  std::lock_guard lock(mutex_);
  SqliteStatement find(db_, "SELECT name, password, expiryTime FROM accounts WHERE name = ?1");
  find.Bind(1, name);
  if (!find.Step()) return std::nullopt;
  return AccountRecord{find.TextAt(0), find.TextAt(1), find.TextAt(2)};
}

std::vector<LineRecord> LineStore::ListLines(LineKind kind) {
  std::lock_guard lock(mutex_);
  // A province's lines stay together even when one was added long after the others.
  SqliteStatement list(db_,
                       "SELECT province, city, domain, isp, status, COALESCE(exitIp, '') FROM lines AS line "
                       "WHERE kind = ?1 "
                       "ORDER BY (SELECT MIN(id) FROM lines WHERE kind = ?1 AND province = line.province), id");
  list.Bind(1, KindName(kind));
  std::vector<LineRecord> lines;
  while (list.Step()) lines.push_back(ReadLine(list));
  return lines;
}

ReservationResult LineStore::ReserveStaticLine(std::string_view account, std::string_view ip, std::string_view now) {
  std::lock_guard lock(mutex_);
  SqliteTransaction transaction(db_);
  const auto accountRow = FindRow(db_, "SELECT id, expiryTime FROM accounts WHERE name = ?1", account);
  if (!accountRow) return ReservationResult::kUnknownAccount;
  if (accountRow->text <= now) return ReservationResult::kExpiredAccount;
  const auto lineRow = FindRow(db_, "SELECT id, status FROM lines WHERE kind = 'static' AND exitIp = ?1", ip);
  if (!lineRow) return ReservationResult::kUnknownLine;
  if (lineRow->text != "0") return ReservationResult::kLineUnavailable;
  const auto holderRow = FindRow(db_,
                                 "SELECT accounts.id, accounts.expiryTime FROM reservations "
                                 "JOIN accounts ON accounts.id = reservations.account "
                                 "JOIN lines ON lines.id = reservations.line WHERE lines.exitIp = ?1",
                                 ip);
  if (holderRow && holderRow->id != accountRow->id && holderRow->text > now) return ReservationResult::kHeldByOther;

  SqliteStatement release(db_, "DELETE FROM reservations WHERE account = ?1 OR line = ?2");
  release.Bind(1, accountRow->id).Bind(2, lineRow->id).Run();
  SqliteStatement reserve(db_, "INSERT INTO reservations (account, line) VALUES (?1, ?2)");
  reserve.Bind(1, accountRow->id).Bind(2, lineRow->id).Run();
  transaction.Commit();
  return ReservationResult::kReserved;
}

std::optional<std::string> LineStore::ReservationHolder(std::string_view ip) {
  std::lock_guard lock(mutex_);
  SqliteStatement find(db_,
                       "SELECT accounts.name FROM reservations "
                       "JOIN accounts ON accounts.id = reservations.account "
                       "JOIN lines ON lines.id = reservations.line WHERE lines.exitIp = ?1");
  find.Bind(1, ip);
  if (!find.Step()) return std::nullopt;
  return find.TextAt(0);
}

std::optional<LineRecord> LineStore::FindLineByAddress(std::string_view address) {
  std::lock_guard lock(mutex_);
  SqliteStatement find(db_,
                       "SELECT province, city, domain, isp, status, COALESCE(exitIp, '') FROM lines "
                       "WHERE exitIp = ?1 OR domain = ?1 ORDER BY exitIp = ?1 DESC, id LIMIT 1");
  find.Bind(1, address);
  if (!find.Step()) return std::nullopt;
  return ReadLine(find);
}

}  // namespace line_service
