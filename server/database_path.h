#pragma once

#include <string>

namespace line_service {

// trevalo/line-service.db in the user's data folder: $XDG_DATA_HOME when it is an absolute path,
// else ~/.local/share. Empty when neither that variable nor HOME is usable.
std::string DefaultDatabasePath();

// Creates the missing folders above a file, readable by the user alone (the database keeps
// passwords). False with a message on failure.
bool CreateFoldersFor(const std::string& file, std::string& error);

}  // namespace line_service
