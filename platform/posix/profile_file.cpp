// The private-profile file of Windows, kept by our own reader and writer. The settings file holds
// the password, so it is only ever read from and written to a regular file of the user's own: a
// symbolic link or somebody else's file at the path reads as no file and is never written.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile_file.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The C interface ends a text at its first zero byte; so do we.
std::string_view AsCString(std::string_view text) { return text.substr(0, text.find('\0')); }

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// ASCII letters match in either case; a double-byte character matches only itself, so a GBK trail
// byte that happens to be a letter is never folded.
bool NamesMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x81 && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

struct Line {
  std::size_t begin;  // offset of the line in the file
  std::size_t end;    // offset of its terminator (or of the file's end)
  std::size_t next;   // offset of the following line
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  while (begin < content.size()) {
    std::size_t newline = content.find('\n', begin);
    std::size_t next = newline == std::string_view::npos ? content.size() : newline + 1;
    std::size_t end = newline == std::string_view::npos ? content.size() : newline;
    if (end > begin && content[end - 1] == '\r') --end;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string_view LineText(std::string_view content, const Line& line) {
  return content.substr(line.begin, line.end - line.begin);
}

// The section a line opens, if it is a section header.
std::optional<std::string_view> SectionName(std::string_view text) {
  text = Trim(text);
  if (text.empty() || text.front() != '[') return std::nullopt;
  text.remove_prefix(1);
  return Trim(text.substr(0, text.find(']')));
}

// Where a key and its section stand in the file.
struct Location {
  std::optional<std::size_t> sectionLine;
  std::optional<std::size_t> keyLine;
  std::size_t lastContentLine = 0;  // last non-blank line of the section, the header at least
};

Location Find(std::string_view content, const std::vector<Line>& lines, std::string_view section,
              std::string_view key) {
  Location location;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view text = LineText(content, lines[i]);
    if (std::optional<std::string_view> name = SectionName(text)) {
      if (location.sectionLine) break;  // the first matching section ends here
      if (NamesMatch(*name, section)) location.sectionLine = location.lastContentLine = i;
      continue;
    }
    if (!location.sectionLine) continue;
    if (!Trim(text).empty()) location.lastContentLine = i;
    std::size_t equals = text.find('=');
    if (equals != std::string_view::npos && NamesMatch(Trim(text.substr(0, equals)), key)) {
      location.keyLine = i;
      return location;
    }
  }
  return location;
}

// The file's bytes when it is a regular file of this user's; nothing otherwise.
std::optional<std::string> ReadOwnFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  std::optional<std::string> content;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == geteuid()) {
    content.emplace();
    char buffer[4096];
    for (;;) {
      ssize_t count = read(fd, buffer, sizeof buffer);
      if (count > 0) {
        content->append(buffer, static_cast<std::size_t>(count));
      } else if (count == 0) {
        break;
      } else if (errno != EINTR) {
        content.reset();
        break;
      }
    }
  }
  close(fd);
  return content;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t count = write(fd, data.data(), data.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// Replaces the file as a whole: a new file (mode 0600, as mkstemp makes it) renamed over the old
// one, so a reader never sees half a file and a link at the path is never followed.
bool ReplaceFile(const std::string& path, std::string_view content) {
  std::string temporary = path + ".XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool written = WriteAll(fd, content);
  written = close(fd) == 0 && written;
  if (written && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

bool HoldsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key) {
  std::optional<std::string> content = ReadOwnFile(path);
  if (!content) return {};
  std::vector<Line> lines = SplitLines(*content);
  Location location = Find(*content, lines, AsCString(section), AsCString(key));
  if (!location.keyLine) return {};
  std::string_view text = LineText(*content, lines[*location.keyLine]);
  std::string_view value = Trim(text.substr(text.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  section = AsCString(section);
  key = AsCString(key);
  value = AsCString(value);
  // A line break in any part would add lines of its own to the file.
  if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) return false;

  struct stat status {};
  std::string content;
  if (lstat(path.c_str(), &status) == 0) {
    std::optional<std::string> existing = ReadOwnFile(path);
    if (!existing) return false;  // a link, or not a file of ours: leave it alone
    content = std::move(*existing);
  } else if (errno != ENOENT) {
    return false;
  }

  std::string entry = std::string(key) + "=" + std::string(value);
  std::vector<Line> lines = SplitLines(content);
  Location location = Find(content, lines, section, key);
  if (location.keyLine) {
    const Line& line = lines[*location.keyLine];
    content.replace(line.begin, line.end - line.begin, entry);
  } else if (location.sectionLine) {
    const Line& after = lines[location.lastContentLine];
    std::string insertion = entry + "\r\n";
    if (after.next == after.end) insertion.insert(0, "\r\n");  // the file's last line had no terminator
    content.insert(after.next, insertion);
  } else {
    if (!content.empty() && content.back() != '\n') content += "\r\n";
    content += "[" + std::string(section) + "]\r\n" + entry + "\r\n";
  }
  return ReplaceFile(path, content);
}

}  // namespace platform
