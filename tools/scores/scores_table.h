#pragma once

#include "store/play_record.h"

#include <iosfwd>
#include <vector>

namespace scores {

// The plays as CSV (RFC 4180: a header line, fields quoted where they hold
// a comma, a quote or a line break), one line per play with every column
// the store keeps of it.
void writeCsv(const std::vector<store::PlayRecord>& plays, std::ostream& out);

// The plays as a table for reading: one line each, columns aligned.
void writeTable(const std::vector<store::PlayRecord>& plays, std::ostream& out);

} // namespace scores
