#pragma once
// Backup and restore of the whole database file.

#include <QString>
#include <QStringList>

namespace tavrin::store {

// Copies the database file to target through the engine, so that the copy
// holds every committed change and nothing half done, even while other
// connections have the file open or are inside a transaction. target is
// replaced whole and only once the copy is complete; target and the database
// file itself are refused. Throws std::runtime_error with the reason.
void BackupDatabase(const QString& databaseFile, const QString& target);

struct RestoreResult {
  bool fromJet4 = false;
  QStringList lotteries;       // the lotteries of the restored file
  QStringList ignoredTables;   // tables of a Jet 4 file left out
  QStringList ignoredColumns;  // "table.column" of a Jet 4 file left out
  QString previousFile;        // where the replaced database was kept; empty when there was none

  // "成功恢复！", followed by what a conversion left out.
  QString message() const;
};

// Puts source in place of the database file. source must exist and be a
// database of this program: an SQLite file holding at least one lottery,
// every …彩票号码表 with its …彩票选项表; or a Jet 4 file, whose lotteries
// are converted (tables that are not half of a lottery are left out and
// named). Everything is checked and copied beside the database file first;
// when anything fails, a std::runtime_error says why and the database file
// is exactly as it was. Then the current file is kept as databaseFile +
// ".bak" and the new one renamed into its place.
//
// Every connection to the database file must be closed before the call (the
// open lottery, the data and download windows, any Database object): a
// connection left open would go on writing to the replaced file.
RestoreResult RestoreDatabase(const QString& source, const QString& databaseFile);

// The name the previous database is kept under.
QString PreviousDatabaseFile(const QString& databaseFile);

}  // namespace tavrin::store
