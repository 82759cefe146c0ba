#pragma once
// Databases that earlier Windows installations kept in the Access (Jet 4)
// format: recognised by their header, read through libmdb and converted into
// this program's own format.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavrin::store {

// Whether a file's first bytes (at least 21 of them) are those of a Jet 4
// database.
bool IsJet4Header(const QByteArray& head);

struct Jet4Conversion {
  QStringList lotteries;       // in the order of the file's catalogue
  QStringList ignoredTables;   // user tables that are not half of a lottery
  QStringList ignoredColumns;  // "table.column" of lottery tables we do not keep
};

// Converts every lottery whose draw and options tables are both present into
// a new database at target, which must not exist yet: the draw tables as
// createLotteryTables makes them, rows and options rows as they are. Throws
// std::runtime_error when the file cannot be read whole, holds no lottery,
// or a value does not fit; target may then be left half written and is the
// caller's to remove.
Jet4Conversion ConvertJet4(const QString& jetFile, const QString& target);

}  // namespace tavrin::store
