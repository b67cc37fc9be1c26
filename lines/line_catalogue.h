#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// The two line modes, as the user sees and the settings file stores them.
inline constexpr const char* kDynamicLineMode = "动态线路";
inline constexpr const char* kStaticLineMode = "静态线路";

// One VPN line.
struct LineRecord {
  std::string province;  // equals the name of the group that holds the line
  std::string city;
  std::string domain;  // host name, lower-cased; tells lines of one province apart
  std::string isp;
  std::int32_t status = 0;      // 0 normal, -1 abandoned, anything else a fault
  std::uint32_t seenStamp = 0;  // tick count of the last merge that found the line in a download
  std::string ip;               // exit address of a static line
};

struct ProvinceGroup {
  std::string name;
  std::vector<LineRecord> lines;
};

// The lines of one list, grouped by province. Groups and lines are never removed: a line the
// service stops sending stays in its place as abandoned. Whoever reads or merges holds the lock.
struct LineCatalogue {
  // A fresh catalogue holds one placeholder group with an empty name and one empty line, shown
  // until the first download replaces it.
  LineCatalogue() : groups{{.name = "", .lines = {LineRecord{}}}} {}

  std::mutex lock;
  std::vector<ProvinceGroup> groups;
};
