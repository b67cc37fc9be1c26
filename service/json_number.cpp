#include "service/json_number.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string NumberToText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0) return "0";

  // The shortest round-trip digits d1.d2...dk and the exponent e: value = d1.d2...dk x 10^e.
  char buffer[40];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific).ptr;
  std::string_view scientific(buffer, end - buffer);
  std::size_t e = scientific.find('e');
  std::string digits(1, scientific[0]);
  if (e > 1) digits.append(scientific.substr(2, e - 2));
  int exponent = 0;
  std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), end, exponent);

  const int k = static_cast<int>(digits.size());
  const int n = exponent + 1;  // digits before the decimal point
  std::string text = value < 0 ? "-" : "";
  if (k <= n && n <= 21) {
    text += digits;
    text.append(n - k, '0');
  } else if (0 < n && n <= 21) {
    text += digits.substr(0, n);
    text += '.';
    text += digits.substr(n);
  } else if (-6 < n && n <= 0) {
    text += "0.";
    text.append(-n, '0');
    text += digits;
  } else {
    text += digits[0];
    if (k > 1) {
      text += '.';
      text += digits.substr(1);
    }
    text += n - 1 < 0 ? "e-" : "e+";
    text += std::to_string(std::abs(n - 1));
  }
  return text;
}

std::optional<double> TextToDouble(std::string_view text) {
  // The library's reader would also take "inf" and "nan"; a decimal starts with a digit or a point.
  std::string_view unsignedText = text.substr(!text.empty() && text[0] == '-' ? 1 : 0);
  if (unsignedText.empty() || !(IsDigit(unsignedText[0]) || unsignedText[0] == '.')) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}
