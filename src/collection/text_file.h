#pragma once

#include <string>

namespace collection {

// Reads the whole file byte for byte into content. Returns 0, or the system
// error number when the file cannot be opened or read (content is then empty).
int readWholeFile(const std::string& path, std::string& content);

} // namespace collection
