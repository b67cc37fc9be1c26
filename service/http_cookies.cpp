#include "service/http_cookies.h"

#include <algorithm>
#include <vector>

#include "service/http_text.h"
#include "service/text_decoding.h"

namespace {

constexpr std::string_view kItemSeparator = "; ";

std::string JoinItems(const std::vector<std::string_view>& items) {
  std::string joined;
  for (std::string_view item : items) {
    if (!joined.empty()) joined += kItemSeparator;
    joined += item;
  }
  return joined;
}

// A text that ends in ";" gets a space, so that its last item splits off without the ";".
std::string PrepareCookieText(std::string_view text) {
  std::string prepared(TrimBlanks(text));
  if (prepared.ends_with(';')) prepared += ' ';
  return prepared;
}

std::string_view CookieName(std::string_view item) { return TrimBlanks(item.substr(0, item.find('='))); }

}  // namespace

std::string ExtractResponseCookies(std::string_view responseHeaders) {
  std::string cookies;
  for (std::string_view line : SplitText(responseHeaders, "\r\n")) {
    std::size_t nameEnd = line.find(": ");
    if (nameEnd == std::string_view::npos || line.substr(0, nameEnd) != "Set-Cookie") continue;
    std::string cookie = line.find(';') == std::string_view::npos ? RemoveIgnoringCase(line, "Set-Cookie:")
                                                                  : TextBetween(line, "Set-Cookie:", ";");
    cookies += TrimBlanks(cookie);
    cookies += kItemSeparator;
  }
  if (cookies.ends_with(kItemSeparator)) cookies.resize(cookies.size() - kItemSeparator.size());
  return cookies;
}

std::string MergeCookies(std::string_view sent, std::string_view received) {
  std::string sentText = PrepareCookieText(sent);
  std::string receivedText = PrepareCookieText(received);
  const std::vector<std::string_view> receivedItems = SplitText(receivedText, kItemSeparator);
  std::vector<std::string_view> merged = receivedItems;
  for (std::string_view item : SplitText(sentText, kItemSeparator)) {
    bool renewed = std::any_of(receivedItems.begin(), receivedItems.end(),
                               [&](std::string_view fresh) { return CookieName(fresh) == CookieName(item); });
    if (!renewed) merged.push_back(item);
  }
  std::erase_if(merged, [](std::string_view item) { return item.ends_with("=deleted"); });
  return RemoveDuplicateItems(JoinItems(merged));
}

std::string RemoveDuplicateItems(std::string_view items) {
  std::vector<std::string_view> kept;
  for (std::string_view item : SplitText(items, kItemSeparator)) {
    if (std::find(kept.begin(), kept.end(), item) == kept.end()) kept.push_back(item);
  }
  return JoinItems(kept);
}
