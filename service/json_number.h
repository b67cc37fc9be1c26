#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers of JSON documents are doubles and read and print the way the service's script clients
// see them, so a status of 0 reads "0" and a code of 200 reads "200", never "200.0".

// The script form of a number: the fewest digits that read back as the same double; integers
// without a fraction; plain decimals from 1e-6 up to below 1e21, an exponent outside that range
// ("1.5", "0.000001", "1e-7", "1e+21"); "NaN", "Infinity" and "-Infinity"; negative zero as "0".
std::string NumberToText(double value);

// A whole text in decimal number syntax (an optional minus, digits with an optional fraction and
// exponent) as the nearest double. Anything else gives no number: white space, a sign "+", "inf",
// and a magnitude beyond the range of doubles (too large or too small to be told from zero).
std::optional<double> TextToDouble(std::string_view text);
