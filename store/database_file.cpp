#include "store/database_file.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "store/jet4_import.h"
#include "store/lottery_store.h"

namespace tavrin::store {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

std::filesystem::path fsPath(const QString& path) {
  const QByteArray u = path.toUtf8();
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(u.constData()), u.size()));
}

// The engine's companions of a database file.
const char* const kSidecars[] = {"-journal", "-wal", "-shm"};

// A fresh name beside a file, for what is to replace it; removed again
// unless it was renamed into place.
class StagedFile {
 public:
  explicit StagedFile(const QString& beside)
      : path_(beside + QLatin1Char('.') + QUuid::createUuid().toString(QUuid::Id128).left(12) +
              QStringLiteral(".tmp")) {}
  ~StagedFile() {
    if (!placed_) {
      QFile::remove(path_);
      for (const char* s : kSidecars) QFile::remove(path_ + QLatin1String(s));
    }
  }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  const QString& path() const { return path_; }

  // Renames the file over target in one step: target is either the old file
  // or the new one, never missing or half written.
  void placeAt(const QString& target) {
    std::error_code ec;
    std::filesystem::rename(fsPath(path_), fsPath(target), ec);
    if (ec) fail(QStringLiteral("无法写入“%1”：%2").arg(native(target), QString::fromLocal8Bit(ec.message())));
    placed_ = true;
  }

 private:
  QString path_;
  bool placed_ = false;
};

struct Connection {
  sqlite3* db = nullptr;
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { sqlite3_close(db); }
  QString error() const { return QString::fromUtf8(sqlite3_errmsg(db)); }
};

void open(Connection& c, const QString& path, int flags, const QString& what) {
  if (sqlite3_open_v2(path.toUtf8().constData(), &c.db, flags, nullptr) != SQLITE_OK)
    fail(QStringLiteral("%1“%2”：%3").arg(what, native(path), c.error()));
}

// Copies a database into a new file through the engine's backup, which reads
// one consistent state of the source. A writer committing at that moment is
// waited for, a few seconds at most.
void copyDatabase(const QString& from, const QString& to, int sourceFlags) {
  Connection src, dst;
  open(src, from, sourceFlags, QStringLiteral("无法打开"));
  open(dst, to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, QStringLiteral("无法写入"));
  sqlite3_backup* backup = sqlite3_backup_init(dst.db, "main", src.db, "main");
  if (!backup) fail(QStringLiteral("无法写入“%1”：%2").arg(native(to), dst.error()));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int rc;
  while (true) {
    rc = sqlite3_backup_step(backup, -1);
    if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && std::chrono::steady_clock::now() < deadline) {
      sqlite3_sleep(20);
      continue;
    }
    break;
  }
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE) {
    // The engine reports a bad source on the destination's connection.
    const QString why = sqlite3_errcode(dst.db) != SQLITE_OK ? dst.error() : QString::fromUtf8(sqlite3_errstr(rc));
    fail(QStringLiteral("无法复制“%1”：%2").arg(native(from), why));
  }
}

QString notOurs(const QString& source, const QString& why = {}) {
  return QStringLiteral("“%1”不是本程序的数据库文件%2，数据库未作任何改动。")
      .arg(native(source), why.isEmpty() ? QString() : QStringLiteral("（") + why + QStringLiteral("）"));
}

// Opens an SQLite file read-only and checks that it is one of ours: intact,
// with at least one lottery, every draw table with its options table.
// Returns the lotteries.
QStringList checkOurs(const QString& source) {
  Connection c;
  open(c, source, SQLITE_OPEN_READONLY, QStringLiteral("无法打开"));
  sqlite3_stmt* st = nullptr;
  auto prepare = [&](const char* sql) {
    if (sqlite3_prepare_v2(c.db, sql, -1, &st, nullptr) != SQLITE_OK) fail(notOurs(source, c.error()));
  };
  prepare("PRAGMA quick_check");
  QString verdict;
  if (sqlite3_step(st) == SQLITE_ROW)
    verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  else
    verdict = c.error();
  sqlite3_finalize(st);
  if (verdict != QLatin1String("ok")) fail(notOurs(source, QStringLiteral("文件已损坏：") + verdict));

  prepare("SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid");
  QStringList tables;
  while (sqlite3_step(st) == SQLITE_ROW)
    tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  sqlite3_finalize(st);

  const QString suffix = DrawTableName(QString());
  QStringList lotteries;
  for (const QString& t : tables) {
    if (!t.endsWith(suffix)) continue;
    const QString lottery = t.left(t.size() - suffix.size());
    if (!tables.contains(OptionsTableName(lottery), Qt::CaseInsensitive))
      fail(notOurs(source, QStringLiteral("表“%1”没有对应的“%2”").arg(t, OptionsTableName(lottery))));
    lotteries << lottery;
  }
  if (lotteries.isEmpty()) fail(notOurs(source, QStringLiteral("其中没有彩票数据")));
  return lotteries;
}

bool sameFile(const QString& a, const QString& b) {
  const QFileInfo fa(a), fb(b);
  return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

}  // namespace

QString PreviousDatabaseFile(const QString& databaseFile) { return databaseFile + QStringLiteral(".bak"); }

void BackupDatabase(const QString& databaseFile, const QString& target) {
  if (!QFileInfo::exists(databaseFile)) fail(QStringLiteral("找不到数据库文件：") + native(databaseFile));
  if (sameFile(databaseFile, target)) fail(QStringLiteral("不能备份到数据库文件本身，请另选一个文件。"));
  StagedFile staged(target);
  copyDatabase(databaseFile, staged.path(), SQLITE_OPEN_READONLY);
  // A journal left beside a file being replaced would be replayed into the copy.
  for (const char* s : kSidecars) QFile::remove(target + QLatin1String(s));
  staged.placeAt(target);
}

QString RestoreResult::message() const {
  QString m = QStringLiteral("成功恢复！");
  if (!ignoredTables.isEmpty())
    m += QStringLiteral("\n以下表不属于任何彩票，未转换：") + ignoredTables.join(QStringLiteral("、"));
  if (!ignoredColumns.isEmpty()) m += QStringLiteral("\n以下字段未转换：") + ignoredColumns.join(QStringLiteral("、"));
  return m;
}

RestoreResult RestoreDatabase(const QString& source, const QString& databaseFile) {
  const QFileInfo info(source);
  if (!info.exists())
    fail(QStringLiteral("找不到要恢复的文件：") + native(source) + QStringLiteral("，数据库未作任何改动。"));
  if (!info.isFile()) fail(notOurs(source));
  QFile f(source);
  if (!f.open(QIODevice::ReadOnly)) fail(QStringLiteral("无法读取“%1”：%2").arg(native(source), f.errorString()));
  const QByteArray head = f.read(100);
  f.close();

  QDir().mkpath(QFileInfo(databaseFile).absolutePath());
  RestoreResult result;
  StagedFile staged(databaseFile);
  if (head.startsWith(QByteArrayView("SQLite format 3\0", 16))) {
    result.lotteries = checkOurs(source);
    copyDatabase(source, staged.path(), SQLITE_OPEN_READONLY);
  } else if (IsJet4Header(head)) {
    try {
      const Jet4Conversion c = ConvertJet4(source, staged.path());
      result.fromJet4 = true;
      result.lotteries = c.lotteries;
      result.ignoredTables = c.ignoredTables;
      result.ignoredColumns = c.ignoredColumns;
    } catch (const std::exception& e) {
      fail(QStringLiteral("无法转换“%1”：%2，数据库未作任何改动。").arg(native(source), QString::fromUtf8(e.what())));
    }
  } else {
    fail(notOurs(source));
  }

  if (QFileInfo::exists(databaseFile)) {
    // Through the engine when the current file is a database, so that the
    // copy holds what its journal still had; a byte copy otherwise, which is
    // just as good for a file nothing has open.
    StagedFile previous(databaseFile);
    try {
      copyDatabase(databaseFile, previous.path(), SQLITE_OPEN_READWRITE);
    } catch (const std::exception&) {
      QFile::remove(previous.path());
      if (!QFile::copy(databaseFile, previous.path()))
        fail(QStringLiteral("无法保留原数据库“%1”，数据库未作任何改动。").arg(native(databaseFile)));
    }
    previous.placeAt(PreviousDatabaseFile(databaseFile));
    result.previousFile = PreviousDatabaseFile(databaseFile);
  }
  // A journal left beside the old file would be replayed into the new one.
  for (const char* s : kSidecars) QFile::remove(databaseFile + QLatin1String(s));
  staged.placeAt(databaseFile);
  return result;
}

}  // namespace tavrin::store
