#pragma once
// The history export file: one line per draw, the issue and every number
// written as an integer with at least two digits ("%.2d": 7 is "07"), each
// followed by one space, lines ended by CR LF. The draw date is not written.

#include <stdexcept>
#include <string>
#include <vector>

#include "base/draw_snapshot.h"

namespace tavrin::store {

// A row that cannot be written: an empty number, an issue that is not an
// integer. issue() is the row's issue as stored.
class ExportError : public std::runtime_error {
 public:
  ExportError(std::string issue, const std::string& message);
  const std::string& issue() const { return issue_; }

 private:
  std::string issue_;
};

// The line of one row, CR LF included.
std::string ExportLine(const DrawRecord& row, int numberColumns);

// The whole file for the rows in the order given (the store hands them over
// in ascending issue order); empty for no rows. Throws ExportError for the
// first row that does not convert, so the caller never writes part of a file.
std::string ExportFile(const std::vector<DrawRecord>& rows, int numberColumns);

}  // namespace tavrin::store
