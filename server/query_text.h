#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

namespace line_service {

using QueryValues = std::map<std::string, std::string, std::less<>>;

// The values of the named parameters in the query part of a request target (the text after "?").
// The client puts values into its query as they were typed, without percent-encoding, so a value
// may hold "&": a value runs up to the next "&" that starts another of the named parameters, or to
// the end. Escapes of the form %XX are resolved for clients that do encode; "+" stays a plus sign.
// A name that does not occur is absent from the result.
QueryValues ReadQuery(std::string_view query, std::initializer_list<std::string_view> names);

}  // namespace line_service
