#pragma once

#include <ctime>
#include <string>

namespace line_service {

// The service's time texts: local time written as 2022-11-25 10:28:17, the form the client shows
// unchanged as the expiry time. Texts of this form compare in time order.
std::string FormatLocalTime(std::time_t time);

}  // namespace line_service
