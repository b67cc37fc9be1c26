#pragma once

#include <httplib.h>

#include "server/line_store.h"

namespace line_service {

// Puts the five endpoints on the server, answered from the store, and makes its listening socket
// exclusive to this process. The store must outlive the server.
void PrepareServer(httplib::Server& server, LineStore& store);

}  // namespace line_service
