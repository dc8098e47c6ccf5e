#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace scores {

// cueflight-scores [--song FILE] [--csv] [--store FILE]: every saved play,
// oldest first, as a table (or CSV); only the plays of FILE's song with
// --song. The store is scores.db in the player's data folder unless --store
// names another. 0 when the history was printed, 1 when it could not be
// read, 2 for a command line it does not take.
int runScoresTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace scores
