#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/sqlite_database.h"

namespace line_service {

enum class LineKind { kDynamic, kStatic };

// One line as the lists serve it. Times in the store are texts of the form 2022-11-25 10:28:17 in
// the service's local time, so that they compare as texts.
struct LineRecord {
  std::string province;
  std::string city;
  std::string domain;  // the host the client dials
  std::string isp;
  int status = 0;  // 0 normal, -1 abandoned, anything else a fault
  std::string ip;  // static lines only: the fixed exit address, the key of a reservation
  bool operator==(const LineRecord&) const = default;
};

struct AccountRecord {
  std::string name;
  std::string password;
  std::string expiryTime;
};

struct StaticReservation {
  std::string account;
  std::string ip;
};

// Everything a store can be filled with at once: the demo seed, or a test's fixture.
struct StoreContent {
  std::vector<AccountRecord> accounts;
  std::vector<LineRecord> dynamicLines;
  std::vector<LineRecord> staticLines;
  std::vector<StaticReservation> reservations;
};

enum class ReservationResult {
  kReserved,
  kUnknownAccount,
  kExpiredAccount,
  kUnknownLine,
  kLineUnavailable,  // the line is abandoned or faulty
  kHeldByOther,
};

// The accounts, the lines and the reservations, in one SQLite database. Every call is one
// serialised step, so handlers on several threads may share one store.
class LineStore {
 public:
  // Opens or creates the database and its tables; ":memory:" gives a private in-memory store.
  // Throws StoreError.
  explicit LineStore(const std::string& path);

  bool IsEmpty();
  // Adds everything in one transaction: all of it or, on a failure, nothing.
  void Fill(const StoreContent& content);

  std::optional<AccountRecord> FindAccount(std::string_view name);
  // The lines of one kind, province by province in the order each province was first added.
  std::vector<LineRecord> ListLines(LineKind kind);
  // Reserves the static line with this exit address for the account, giving up the account's
  // earlier reservation: an account holds one static line at a time. A line held by another account
  // is refused unless that account has expired; the lapsed reservation then passes over.
  ReservationResult ReserveStaticLine(std::string_view account, std::string_view ip, std::string_view now);
  // The account holding the static line with this exit address.
  std::optional<std::string> ReservationHolder(std::string_view ip);
  // The line whose exit address, or failing that whose host, is the address.
  std::optional<LineRecord> FindLineByAddress(std::string_view address);

 private:
  std::mutex mutex_;
  SqliteDatabase db_;
};

}  // namespace line_service
