#include "store/jet4_import.h"

#include <mdbtools.h>

#include <QFile>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/integer_text.h"
#include "store/lottery_store.h"
#include "store/transaction.h"

namespace tavrin::store {

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

const QString kDrawSuffix = QStringLiteral("彩票号码表");
const QString kOptionsSuffix = QStringLiteral("彩票选项表");

struct HandleCloser {
  void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

// One field of a row: nothing for NULL (libmdb gives an empty value for it,
// and Jet stores empty texts as NULL unless told otherwise).
using Field = std::optional<std::string_view>;

// Reads one user table: its column names, then every row with the chosen
// columns bound. The row count is checked against the table's own, so a
// damaged file fails instead of converting part of a table.
class JetTable {
 public:
  JetTable(MdbHandle* mdb, MdbCatalogEntry* entry) : mdb_(mdb), name_(QString::fromUtf8(entry->object_name)) {
    table_.reset(mdb_read_table(entry));
    if (!table_ || !mdb_read_columns(table_.get())) fail(QStringLiteral("无法读取表“%1”").arg(name_));
    for (unsigned c = 0; c < table_->num_cols; ++c) {
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, c));
      columns_ << QString::fromUtf8(col->name);
    }
  }

  const QString& name() const { return name_; }
  const QStringList& columns() const { return columns_; }

  // Calls row with the fields of the wanted columns (-1: a column the table
  // lacks, always NULL), in that order.
  void forEachRow(const std::vector<int>& wanted, const std::function<void(const std::vector<Field>&)>& row) {
    const std::size_t size = mdb_->bind_size;
    std::vector<std::vector<char>> buffers(wanted.size(), std::vector<char>(size + 1));
    std::vector<int> lengths(wanted.size(), 0);
    for (std::size_t i = 0; i < wanted.size(); ++i)
      if (wanted[i] >= 0 && mdb_bind_column(table_.get(), wanted[i] + 1, buffers[i].data(), &lengths[i]) < 0)
        fail(QStringLiteral("无法读取表“%1”的字段“%2”").arg(name_, columns_[wanted[i]]));
    mdb_rewind_table(table_.get());
    std::vector<Field> fields(wanted.size());
    unsigned rows = 0;
    while (mdb_fetch_row(table_.get())) {
      for (std::size_t i = 0; i < wanted.size(); ++i) {
        fields[i] = std::nullopt;
        if (wanted[i] >= 0 && lengths[i] > 0)
          fields[i] = std::string_view(buffers[i].data(), static_cast<std::size_t>(lengths[i]));
      }
      row(fields);
      ++rows;
    }
    if (rows != table_->num_rows)
      fail(QStringLiteral("表“%1”只读出%2行，应有%3行：文件可能已损坏")
               .arg(name_, QString::number(rows), QString::number(table_->num_rows)));
  }

 private:
  MdbHandle* mdb_;
  QString name_;
  Table table_;
  QStringList columns_;
};

QVariant text(const Field& f) {
  return f ? QVariant(QString::fromUtf8(f->data(), static_cast<qsizetype>(f->size()))) : QVariant();
}

// Numbers arrive as text; a whole number held in a real column is taken as
// the integer it is.
QVariant integer(const Field& f, const QString& table, const QString& column) {
  if (!f) return QVariant(QMetaType(QMetaType::LongLong));
  const QString t = QString::fromUtf8(f->data(), static_cast<qsizetype>(f->size())).trimmed();
  if (const auto v = ParseInteger(t.toStdString())) return static_cast<qlonglong>(*v);
  bool ok = false;
  const double d = t.toDouble(&ok);
  if (ok && std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18) return static_cast<qlonglong>(d);
  fail(QStringLiteral("表“%1”字段“%2”的值“%3”不是整数").arg(table, column, t));
}

int indexOf(const QStringList& columns, const QString& name) {
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

struct Pair {
  QString lottery;
  MdbCatalogEntry* draws = nullptr;
  MdbCatalogEntry* options = nullptr;
};

void copyDraws(Database& out, JetTable& in, const QString& lottery, Jet4Conversion& result) {
  const QStringList& cols = in.columns();
  std::vector<int> wanted{indexOf(cols, QStringLiteral("记录期号"))};
  if (wanted[0] < 0) fail(QStringLiteral("表“%1”没有字段“记录期号”").arg(in.name()));
  while (true) {
    const int c = indexOf(cols, QString::number(wanted.size()));
    if (c < 0) break;
    wanted.push_back(c);
  }
  const int picks = static_cast<int>(wanted.size()) - 1;
  wanted.push_back(indexOf(cols, QStringLiteral("开奖日期")));
  for (int c = 0; c < cols.size(); ++c)
    if (std::find(wanted.begin(), wanted.end(), c) == wanted.end())
      result.ignoredColumns << in.name() + QLatin1Char('.') + cols[c];

  out.createLotteryTables(lottery, picks);
  QString sql = QStringLiteral("INSERT INTO ") + QuoteIdentifier(DrawTableName(lottery)) + QStringLiteral(" VALUES(?");
  for (int k = 0; k <= picks; ++k) sql += QStringLiteral(",?");
  sql += QLatin1Char(')');
  QSqlQuery q(out.connection());
  Database::check(q.prepare(sql), q);
  in.forEachRow(wanted, [&](const std::vector<Field>& f) {
    q.bindValue(0, text(f[0]));
    for (int k = 1; k <= picks; ++k)
      q.bindValue(k, integer(f[static_cast<std::size_t>(k)], in.name(), QString::number(k)));
    q.bindValue(picks + 1, text(f.back()));
    Database::check(q.exec(), q);
  });
}

void copyOptions(Database& out, JetTable& in, const QString& lottery, Jet4Conversion& result) {
  struct Column {
    const char* name;
    bool number;
  };
  static const Column kColumns[] = {{"彩票名称", false},  {"彩票类型", true},  {"号码总数", true},
                                    {"选择号码数", true}, {"开奖时间", false}, {"开奖星期", false}};
  const QStringList& cols = in.columns();
  std::vector<int> wanted;
  for (const Column& c : kColumns) wanted.push_back(indexOf(cols, QString::fromUtf8(c.name)));
  for (int c = 0; c < cols.size(); ++c)
    if (std::find(wanted.begin(), wanted.end(), c) == wanted.end())
      result.ignoredColumns << in.name() + QLatin1Char('.') + cols[c];
  QSqlQuery q(out.connection());
  Database::check(q.prepare(QStringLiteral("INSERT INTO ") + QuoteIdentifier(OptionsTableName(lottery)) +
                            QStringLiteral(" VALUES(?,?,?,?,?,?)")),
                  q);
  in.forEachRow(wanted, [&](const std::vector<Field>& f) {
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
      q.bindValue(static_cast<int>(i),
                  kColumns[i].number ? integer(f[i], in.name(), QString::fromUtf8(kColumns[i].name)) : text(f[i]));
    Database::check(q.exec(), q);
  });
}

}  // namespace

bool IsJet4Header(const QByteArray& head) {
  static const char kMagic[] = "\x00\x01\x00\x00Standard Jet DB";  // and the terminating zero
  return head.size() > 0x14 && std::equal(kMagic, kMagic + sizeof kMagic, head.constData()) &&
         static_cast<unsigned char>(head[0x14]) == MDB_VER_JET4;
}

Jet4Conversion ConvertJet4(const QString& jetFile, const QString& target) {
  Handle mdb(mdb_open(QFile::encodeName(jetFile).constData(), MDB_NOFLAGS));
  if (!mdb) fail(QStringLiteral("无法打开文件“%1”").arg(jetFile));
  if (mdb->f->jet_version != MDB_VER_JET4) fail(QStringLiteral("“%1”不是 Jet 4 格式的数据库").arg(jetFile));
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
    fail(QStringLiteral("无法读取“%1”的表目录：文件可能已损坏").arg(jetFile));

  std::vector<MdbCatalogEntry*> tables;
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (e->object_type == MDB_TABLE && mdb_is_user_table(e)) tables.push_back(e);
  }
  auto find = [&](const QString& name) -> MdbCatalogEntry* {
    for (MdbCatalogEntry* e : tables)
      if (QString::fromUtf8(e->object_name).compare(name, Qt::CaseInsensitive) == 0) return e;
    return nullptr;
  };

  Jet4Conversion result;
  std::vector<Pair> pairs;
  for (MdbCatalogEntry* e : tables) {
    const QString name = QString::fromUtf8(e->object_name);
    if (!name.endsWith(kDrawSuffix)) continue;
    const QString lottery = name.left(name.size() - kDrawSuffix.size());
    if (MdbCatalogEntry* options = find(OptionsTableName(lottery))) pairs.push_back({lottery, e, options});
  }
  for (MdbCatalogEntry* e : tables) {
    bool used = false;
    for (const Pair& p : pairs) used = used || p.draws == e || p.options == e;
    if (!used) result.ignoredTables << QString::fromUtf8(e->object_name);
  }
  if (pairs.empty()) fail(QStringLiteral("“%1”中没有彩票数据").arg(jetFile));

  if (QFile::exists(target)) fail(QStringLiteral("文件“%1”已存在").arg(target));
  Database out(target, true);
  Transaction t(out.connection());
  for (const Pair& p : pairs) {
    JetTable draws(mdb.get(), p.draws);
    copyDraws(out, draws, p.lottery, result);
    JetTable options(mdb.get(), p.options);
    copyOptions(out, options, p.lottery, result);
    result.lotteries << p.lottery;
  }
  t.commit();
  return result;
}

}  // namespace tavrin::store
