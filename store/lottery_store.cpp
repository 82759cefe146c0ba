#include "store/lottery_store.h"

#include <fcntl.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "base/integer_text.h"
#include "store/transaction.h"

namespace tavrin::store {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

QString dbMessage(const QSqlError& e) {
  QString t = e.databaseText();
  if (t.isEmpty()) t = e.text();
  return t;
}

const QString kDrawSuffix = QStringLiteral("彩票号码表");
const QString kOptionsSuffix = QStringLiteral("彩票选项表");

}  // namespace

QString QuoteIdentifier(const QString& identifier) {
  QString q = identifier;
  q.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + q + QLatin1Char('"');
}

QString DrawTableName(const QString& lottery) { return lottery + kDrawSuffix; }
QString OptionsTableName(const QString& lottery) { return lottery + kOptionsSuffix; }

std::optional<QString> LotteryNameProblem(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("请输入彩票名称！");
  // Characters, not UTF-16 units: a character outside the basic plane is one.
  if (name.toUcs4().size() > 20) return QStringLiteral("彩票名称不能超过20个字符！");
  for (char32_t c : name.toUcs4()) {
    const bool ok = QChar::isLetterOrNumber(c) || c == U'_';
    if (!ok || QChar::isSpace(c)) return QStringLiteral("彩票名称只能由汉字、字母、数字和下划线组成！");
  }
  return std::nullopt;
}

QString WeekdaysText(const std::vector<bool>& ticked) {
  QString s;
  for (std::size_t k = 0; k < ticked.size() && k < 7; ++k)
    if (ticked[k]) s += QString::number(k + 1);
  return s;
}

LotteryOptions DefaultLottery() {
  LotteryOptions o;
  o.name = QStringLiteral("南粤风采36选7");
  o.type = 0;
  o.numberTotal = 36;
  o.picks = 7;
  o.drawTime = QStringLiteral("21:30");
  o.weekdays = QStringLiteral("1234567");
  return o;
}

void Database::check(bool ok, const QSqlQuery& query) {
  if (!ok) fail(dbMessage(query.lastError()));
}

Database::Database(const QString& file, bool create) : file_(file) {
  if (!create && !QFileInfo::exists(file)) fail(QStringLiteral("找不到数据库文件：") + QDir::toNativeSeparators(file));
  if (create) QDir().mkpath(QFileInfo(file).absolutePath());
  name_ = QStringLiteral("tavrin-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
  db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
  db_.setDatabaseName(file);
  if (!db_.open()) {
    const QString m = dbMessage(db_.lastError()) + QStringLiteral("：") + QDir::toNativeSeparators(file);
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    fail(m);
  }
  // A file that is not a database fails here, not at the first statement.
  QSqlQuery q(db_);
  if (!q.exec(QStringLiteral("PRAGMA schema_version"))) {
    const QString m = dbMessage(q.lastError()) + QStringLiteral("：") + QDir::toNativeSeparators(file);
    q = QSqlQuery();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    fail(m);
  }
}

Database::~Database() {
  db_.close();
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(name_);
}

QStringList Database::lotteries() {
  QStringList out;
  QSqlQuery q(db_);
  check(q.exec(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type='table' AND substr(name, 1, 7) <> 'sqlite_' ORDER BY rowid")),
        q);
  while (q.next()) {
    const QString t = q.value(0).toString();
    if (t.endsWith(kDrawSuffix)) out << t.left(t.size() - kDrawSuffix.size());
  }
  return out;
}

void Database::requireLottery(const QString& lottery) {
  if (!lotteries().contains(lottery)) fail(QStringLiteral("彩票“%1”不存在").arg(lottery));
}

LotteryOptions Database::options(const QString& lottery) {
  QSqlQuery q(db_);
  check(q.exec(QStringLiteral("SELECT * FROM ") + QuoteIdentifier(OptionsTableName(lottery))), q);
  if (!q.next()) fail(QStringLiteral("彩票选项表中没有记录：") + OptionsTableName(lottery));
  auto asInt = [&](const char* field) { return ToInt32(q.value(QString::fromUtf8(field)).toString().toStdString()); };
  LotteryOptions o;
  o.name = q.value(QStringLiteral("彩票名称")).toString();
  o.type = asInt("彩票类型");
  o.numberTotal = asInt("号码总数");
  o.picks = asInt("选择号码数");
  o.drawTime = q.value(QStringLiteral("开奖时间")).toString();
  o.weekdays = q.value(QStringLiteral("开奖星期")).toString();
  for (QChar c : o.weekdays)
    if (c < QLatin1Char('1') || c > QLatin1Char('7')) fail(QStringLiteral("'%1' 不是有效的开奖星期").arg(o.weekdays));
  return o;
}

void Database::createLotteryTables(const QString& lottery, int picks) {
  // Integer columns refuse anything but integers, and the issue its 8th
  // character: the engine does not enforce declared types on its own.
  QString sql = QStringLiteral("CREATE TABLE ") + QuoteIdentifier(DrawTableName(lottery)) +
                QStringLiteral("(记录期号 varchar(7) CHECK(length(记录期号)<=7),");
  for (int k = 1; k <= picks; ++k) {
    const QString c = QuoteIdentifier(QString::number(k));
    sql += c + QStringLiteral(" integer CHECK(typeof(") + c + QStringLiteral(") IN ('integer','null')),");
  }
  sql += QStringLiteral("开奖日期 varchar(10) CHECK(length(开奖日期)<=10))");
  QSqlQuery q(db_);
  check(q.exec(sql), q);
  // Opening reads the newest draws by issue; the index spares it a sort of
  // the whole table. It goes with the table when that is dropped.
  check(q.exec(QStringLiteral("CREATE INDEX ") + QuoteIdentifier(DrawTableName(lottery) + QStringLiteral("_期号")) +
               QStringLiteral(" ON ") + QuoteIdentifier(DrawTableName(lottery)) + QStringLiteral("(记录期号)")),
        q);
  check(q.exec(QStringLiteral("CREATE TABLE ") + QuoteIdentifier(OptionsTableName(lottery)) +
               QStringLiteral("(彩票名称 varchar(20), 彩票类型 Integer, 号码总数 integer, 选择号码数 integer, "
                              "开奖时间 varchar(10), 开奖星期 varchar(7))")),
        q);
}

void Database::createLottery(const LotteryOptions& o) {
  if (auto problem = LotteryNameProblem(o.name)) fail(*problem);
  if (o.numberTotal < 1 || o.numberTotal > 99) fail(QStringLiteral("号码总数必须在1到99之间！"));
  if (o.picks < 1 || o.picks > o.numberTotal) fail(QStringLiteral("选择号码数必须在1到号码总数之间！"));
  Transaction t(db_);
  {
    createLotteryTables(o.name, o.picks);
    QSqlQuery q(db_);
    check(q.prepare(QStringLiteral("INSERT INTO ") + QuoteIdentifier(OptionsTableName(o.name)) +
                    QStringLiteral(" VALUES(?,?,?,?,?,?)")),
          q);
    q.addBindValue(o.name);
    q.addBindValue(o.type);
    q.addBindValue(o.numberTotal);
    q.addBindValue(o.picks);
    q.addBindValue(o.drawTime);
    q.addBindValue(o.weekdays);
    check(q.exec(), q);
  }
  t.commit();
}

void Database::dropLottery(const QString& lottery) {
  Transaction t(db_);
  {
    QSqlQuery q(db_);
    check(q.exec(QStringLiteral("DROP TABLE ") + QuoteIdentifier(DrawTableName(lottery))), q);
    check(q.exec(QStringLiteral("DROP TABLE ") + QuoteIdentifier(OptionsTableName(lottery))), q);
  }
  t.commit();
}

namespace {

// The number columns are "1".."S" without a gap: a table missing "3" is not
// a lottery of two numbers, and is refused rather than read as one.
int NumberColumnCount(const QStringList& names, const QString& lottery) {
  int count = 0, highest = 0;
  for (const QString& n : names) {
    const auto v = ParseInteger(n.toStdString());
    if (v && *v > 0 && *v < 1000 && n == QString::number(*v)) {
      ++count;
      highest = std::max(highest, static_cast<int>(*v));
    }
  }
  if (highest != count) {
    int missing = 1;
    while (names.contains(QString::number(missing))) ++missing;
    fail(QStringLiteral("彩票“%1”的号码表缺少号码列“%2”").arg(lottery, QString::number(missing)));
  }
  return count;
}

}  // namespace

int Database::numberColumns(const QString& lottery) {
  QSqlQuery q(db_);
  check(q.exec(QStringLiteral("SELECT * FROM ") + QuoteIdentifier(DrawTableName(lottery)) + QStringLiteral(" LIMIT 0")),
        q);
  const QSqlRecord rec = q.record();
  QStringList names;
  for (int c = 0; c < rec.count(); ++c) names << rec.fieldName(c);
  return NumberColumnCount(names, lottery);
}

int Database::drawCount(const QString& lottery) {
  QSqlQuery q(db_);
  check(q.exec(QStringLiteral("SELECT count(*) FROM ") + QuoteIdentifier(DrawTableName(lottery))), q);
  q.next();
  return q.value(0).toInt();
}

namespace {

// A number field as the windows read it: integers as they are, digits stored
// as text converted, anything else (and NULL) empty.
std::string textField(sqlite3_stmt* st, int col) {
  const unsigned char* t = sqlite3_column_text(st, col);
  return t ? std::string(reinterpret_cast<const char*>(t), static_cast<std::size_t>(sqlite3_column_bytes(st, col)))
           : std::string();
}

// A number field through the one integer conversion: a value that is not a
// 32-bit whole number is not cut down to one (1e20, 4294967303 and "abc" are
// errors, not 0, 7 and empty). NULL and blank text are an empty field. Sets
// bad and leaves the value empty for a field that does not convert; opening
// a lottery reads every field, so nothing is built for the good ones.
std::optional<int> numberField(sqlite3_stmt* st, int col, bool& bad) {
  switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 v = sqlite3_column_int64(st, col);
      if (v >= INT32_MIN && v <= INT32_MAX) return static_cast<int>(v);
      break;
    }
    case SQLITE_FLOAT: {
      const double v = sqlite3_column_double(st, col);
      if (v >= INT32_MIN && v <= INT32_MAX && v == static_cast<double>(static_cast<int>(v))) return static_cast<int>(v);
      break;
    }
    case SQLITE_TEXT: {
      const std::string text = textField(st, col);
      if (text.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
      const auto v = ParseInteger(text);
      if (v && *v >= INT32_MIN && *v <= INT32_MAX) return static_cast<int>(*v);
      break;
    }
    case SQLITE_NULL:
      return std::nullopt;
    default:
      break;
  }
  bad = true;
  return std::nullopt;
}

}  // namespace

DrawSnapshot Database::snapshot(const QString& lottery, int cap) {
  DrawSnapshot s;
  s.lottery = lottery.toStdString();
  // Opening a lottery waits for this read, so it goes to the engine directly
  // rather than through a QVariant per field.
  const QVariant h = db_.driver()->handle();
  if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) fail(QStringLiteral("数据库未打开"));
  sqlite3* handle = *static_cast<sqlite3* const*>(h.constData());
  if (!handle) fail(QStringLiteral("数据库未打开"));
  // The newest cap rows, read newest first and turned round below; older
  // rows stay in the file. All rows are read oldest first, which is quicker.
  const QString table = QuoteIdentifier(DrawTableName(lottery));
  const bool all = cap < 0;
  const QByteArray sql =
      (all ? QStringLiteral("SELECT * FROM %1 ORDER BY 记录期号").arg(table)
           : QStringLiteral("SELECT * FROM %1 ORDER BY 记录期号 DESC LIMIT %2").arg(table, QString::number(cap)))
          .toUtf8();
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &st, nullptr) != SQLITE_OK)
    fail(QString::fromUtf8(sqlite3_errmsg(handle)));
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(st, &sqlite3_finalize);
  int issueCol = -1, dateCol = -1;
  std::vector<int> numberCols;
  const int columns = sqlite3_column_count(st);
  std::vector<QString> names;
  for (int c = 0; c < columns; ++c) names.push_back(QString::fromUtf8(sqlite3_column_name(st, c)));
  auto indexOf = [&](const QString& name) {
    for (int c = 0; c < columns; ++c)
      if (names[static_cast<std::size_t>(c)].compare(name, Qt::CaseInsensitive) == 0) return c;
    return -1;
  };
  issueCol = indexOf(QStringLiteral("记录期号"));
  dateCol = indexOf(QStringLiteral("开奖日期"));
  if (issueCol < 0) fail(QStringLiteral("字段 '记录期号' 不存在"));
  const int count = NumberColumnCount(QStringList(names.begin(), names.end()), lottery);
  for (int k = 1; k <= count; ++k) numberCols.push_back(indexOf(QString::number(k)));
  s.numberColumns = count;
  s.rows.reserve(static_cast<std::size_t>(std::max(cap, 0)));
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    DrawRecord r;
    r.issue = textField(st, issueCol);
    r.numbers.reserve(numberCols.size());
    for (std::size_t k = 0; k < numberCols.size(); ++k) {
      bool bad = false;
      r.numbers.push_back(numberField(st, numberCols[k], bad));
      if (bad && !r.numberProblem) {
        const std::string stored = sqlite3_column_type(st, numberCols[k]) == SQLITE_BLOB ? std::string("(二进制数据)")
                                                                                         : textField(st, numberCols[k]);
        r.numberProblem = std::make_shared<const NumberProblem>(NumberProblem{
            ConversionMessage(stored) + "（期号 " + r.issue + " 的第" + std::to_string(k + 1) + "个号码）",
            static_cast<int>(k + 1)});
      }
    }
    if (dateCol >= 0) r.date = textField(st, dateCol);
    s.rows.push_back(std::move(r));
  }
  if (rc != SQLITE_DONE) fail(QString::fromUtf8(sqlite3_errmsg(handle)));
  if (!all) std::reverse(s.rows.begin(), s.rows.end());
  return s;
}

void Database::appendDraws(const QString& lottery, const std::vector<DrawRecord>& draws) {
  const int cols = numberColumns(lottery);
  QString sql = QStringLiteral("INSERT INTO ") + QuoteIdentifier(DrawTableName(lottery)) + QStringLiteral("(记录期号");
  for (int k = 1; k <= cols; ++k) sql += QLatin1Char(',') + QuoteIdentifier(QString::number(k));
  sql += QStringLiteral(",开奖日期) VALUES(?");
  for (int k = 0; k <= cols; ++k) sql += QStringLiteral(",?");
  sql += QLatin1Char(')');
  Transaction t(db_);
  {
    QSqlQuery q(db_);
    check(q.prepare(sql), q);
    for (const DrawRecord& r : draws) {
      q.addBindValue(QString::fromStdString(r.issue));
      for (int k = 0; k < cols; ++k) {
        const auto idx = static_cast<std::size_t>(k);
        if (idx < r.numbers.size() && r.numbers[idx])
          q.addBindValue(*r.numbers[idx]);
        else
          q.addBindValue(QVariant(QMetaType(QMetaType::Int)));
      }
      q.addBindValue(QString::fromStdString(r.date));
      check(q.exec(), q);
    }
  }
  t.commit();
}

namespace {

// An existing file that holds no table at all (an interrupted first start
// left it empty) counts as missing; anything else is the user's and is left.
bool NeedsDefaultDatabase(const QString& file) {
  const QFileInfo info(file);
  if (!info.exists()) return true;
  if (info.size() == 0) return true;
  sqlite3* db = nullptr;
  const QByteArray path = QFile::encodeName(file);
  bool empty = false;
  if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      empty = sqlite3_column_int(st, 0) == 0;
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return empty;
}

}  // namespace

void EnsureDefaultDatabase(const QString& file) {
  if (!NeedsDefaultDatabase(file)) return;
  const bool existed = QFileInfo::exists(file);
  // Made whole under another name and renamed into place, so a start that is
  // killed half-way never leaves a file without the default lottery.
  QDir().mkpath(QFileInfo(file).absolutePath());
  const QString temp =
      file + QStringLiteral(".") + QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".new");
  try {
    {
      Database db(temp, true);
      db.createLottery(DefaultLottery());
    }
    const QByteArray from = QFile::encodeName(temp), to = QFile::encodeName(file);
    // Where there was no file, another start at the same moment may have put
    // its own in place (and filled it) since: that one stays.
    int rc = existed ? -1 : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (rc != 0 && !existed && errno == EEXIST && !NeedsDefaultDatabase(file)) {
      QFile::remove(temp);
      return;
    }
    // A file system without the exclusive rename, or an empty file to replace.
    if (rc != 0) rc = std::rename(from.constData(), to.constData());
    if (rc != 0) fail(QStringLiteral("无法建立数据库文件：") + QDir::toNativeSeparators(file));
  } catch (...) {
    QFile::remove(temp);
    QFile::remove(temp + QStringLiteral("-journal"));
    throw;
  }
}

}  // namespace tavrin::store
