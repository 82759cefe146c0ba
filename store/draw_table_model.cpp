#include "store/draw_table_model.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <limits>
#include <stdexcept>

#include "base/integer_text.h"
#include "store/lottery_store.h"

namespace tavrin::store {

namespace {

// Rows read together when the grid first shows one of them: about two
// screens of the grid.
constexpr int kBlock = 64;

QString text(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

}  // namespace

DrawTableModel::DrawTableModel(Database& db, const QString& lottery, QObject* parent)
    : QAbstractTableModel(parent), db_(db), lottery_(lottery), table_(QuoteIdentifier(DrawTableName(lottery))) {
  QSqlQuery q(db_.connection());
  Database::check(q.exec(QStringLiteral("SELECT * FROM ") + table_ + QStringLiteral(" LIMIT 0")), q);
  const QSqlRecord rec = q.record();
  for (int c = 0; c < rec.count(); ++c) fields_ << rec.fieldName(c);
  integerField_.assign(static_cast<std::size_t>(fields_.size()), false);
  Database::check(q.exec(QStringLiteral("PRAGMA table_info(") + table_ + QLatin1Char(')')), q);
  while (q.next()) {
    const int c = fields_.indexOf(q.value(1).toString());
    if (c >= 0)
      integerField_[static_cast<std::size_t>(c)] =
          q.value(2).toString().contains(QLatin1String("INT"), Qt::CaseInsensitive);
  }
  loadOrder();
}

void DrawTableModel::loadOrder() {
  order_.clear();
  QSqlQuery q(db_.connection());
  q.setForwardOnly(true);
  // Rows with the same issue keep the order they were stored in.
  Database::check(q.exec(QStringLiteral("SELECT rowid FROM ") + table_ + QStringLiteral(" ORDER BY 记录期号, rowid")),
                  q);
  while (q.next()) order_.push_back(q.value(0).toLongLong());
}

int DrawTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int DrawTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : fields_.size(); }

DrawTableModel::Fields DrawTableModel::readRow(qint64 rowid) const {
  Fields f(static_cast<std::size_t>(fields_.size()));
  QSqlQuery q(db_.connection());
  q.prepare(QStringLiteral("SELECT * FROM ") + table_ + QStringLiteral(" WHERE rowid=?"));
  q.addBindValue(rowid);
  if (q.exec() && q.next())
    for (int c = 0; c < fields_.size(); ++c) f[static_cast<std::size_t>(c)] = q.value(c);
  return f;
}

void DrawTableModel::readBlock(int row) const {
  const int start = row - row % kBlock;
  const int end = std::min(start + kBlock, static_cast<int>(order_.size()));
  QStringList ids;
  for (int r = start; r < end; ++r) {
    const qint64 id = order_[static_cast<std::size_t>(r)];
    if (id >= 0 && !cache_.count(id)) ids << QString::number(id);
  }
  if (ids.isEmpty()) return;
  QSqlQuery q(db_.connection());
  q.setForwardOnly(true);
  // The grid asks while it paints, where nothing may throw: a row that
  // cannot be read shows empty.
  if (q.exec(QStringLiteral("SELECT rowid, * FROM ") + table_ + QStringLiteral(" WHERE rowid IN (") +
             ids.join(QLatin1Char(',')) + QLatin1Char(')'))) {
    while (q.next()) {
      Fields f(static_cast<std::size_t>(fields_.size()));
      for (int c = 0; c < fields_.size(); ++c) f[static_cast<std::size_t>(c)] = q.value(c + 1);
      cache_[q.value(0).toLongLong()] = std::move(f);
    }
  }
  for (const QString& id : ids) cache_.try_emplace(id.toLongLong(), Fields(static_cast<std::size_t>(fields_.size())));
}

const DrawTableModel::Fields* DrawTableModel::fieldsOf(int row) const {
  const qint64 id = order_[static_cast<std::size_t>(row)];
  if (id < 0) return nullptr;
  auto it = cache_.find(id);
  if (it == cache_.end()) {
    readBlock(row);
    it = cache_.find(id);
  }
  return it == cache_.end() ? nullptr : &it->second;
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const auto c = static_cast<std::size_t>(index.column());
  if (index.row() == editRow_ && typed_[c]) return text(buffer_[c]);
  const Fields* f = fieldsOf(index.row());
  return f ? text((*f)[c]) : QString();
}

bool DrawTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
    return false;
  const QString typed = value.toString();
  // An editor opened and left without a change does not start editing.
  if (typed == data(index, Qt::EditRole).toString()) return true;
  if (state_ == State::Browse) edit(index.row());
  if (index.row() != editRow_) return false;
  const auto c = static_cast<std::size_t>(index.column());
  buffer_[c] = typed;
  typed_[c] = true;
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags DrawTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (role == Qt::DisplayRole && section >= 0 && section < fields_.size()) return fields_[section];
    return {};
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return {};
  // The row being typed into: "*" for a new one, a pencil for a stored one.
  if (section == editRow_) return state_ == State::Insert ? QStringLiteral("*") : QStringLiteral("✎");
  return QString();
}

bool DrawTableModel::modified() const {
  for (bool t : typed_)
    if (t) return true;
  return false;
}

void DrawTableModel::setState(State s, int row) {
  const int old = editRow_;
  state_ = s;
  editRow_ = row;
  if (old >= 0 && old < rowCount()) emit headerDataChanged(Qt::Vertical, old, old);
  if (row >= 0) emit headerDataChanged(Qt::Vertical, row, row);
  if (listener_) listener_();
}

void DrawTableModel::rowChanged(int row) {
  if (row >= 0 && row < rowCount()) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DrawTableModel::edit(int row) {
  if (state_ != State::Browse) return;
  if (order_.empty()) {
    insert(0);
    return;
  }
  if (row < 0 || row >= rowCount()) return;
  buffer_.assign(static_cast<std::size_t>(fields_.size()), QVariant());
  typed_.assign(static_cast<std::size_t>(fields_.size()), false);
  setState(State::Edit, row);
}

int DrawTableModel::insert(int row) {
  const int pending = state_ == State::Insert ? editRow_ : -1;
  const int before = rowCount();
  checkBrowseMode();
  // A new row left empty went away and the rows after it moved up.
  if (pending >= 0 && rowCount() < before && pending < row) --row;
  row = std::clamp(row, 0, rowCount());
  beginInsertRows({}, row, row);
  order_.insert(order_.begin() + row, -1);
  endInsertRows();
  buffer_.assign(static_cast<std::size_t>(fields_.size()), QVariant());
  typed_.assign(static_cast<std::size_t>(fields_.size()), false);
  setState(State::Insert, row);
  return row;
}

int DrawTableModel::append() {
  checkBrowseMode();
  return insert(rowCount());
}

QVariant DrawTableModel::bindValue(int column) const {
  const QString t = text(buffer_[static_cast<std::size_t>(column)]);
  if (t.isEmpty()) return QVariant(QMetaType(QMetaType::QString));
  if (!integerField_[static_cast<std::size_t>(column)]) return t;
  const std::string s = t.toStdString();
  if (const auto n = ParseInteger(s)) {
    if (*n < std::numeric_limits<std::int32_t>::min() || *n > std::numeric_limits<std::int32_t>::max())
      throw ConversionError(ConversionMessage(s));
    return static_cast<qlonglong>(*n);
  }
  // The engine would quietly turn "1.0" or "1e3" into a number; the
  // program's conversion does not take them, so neither does the table.
  bool numeric = false;
  t.trimmed().toDouble(&numeric);
  if (numeric) throw ConversionError(ConversionMessage(s));
  // Anything else goes to the table as typed, whose check refuses it.
  return t;
}

void DrawTableModel::post() {
  if (state_ == State::Browse) return;
  if (!modified()) {
    if (state_ == State::Insert)
      cancel();
    else
      setState(State::Browse, -1);
    return;
  }
  QStringList columns;
  QVariantList values;
  for (int c = 0; c < fields_.size(); ++c) {
    if (!typed_[static_cast<std::size_t>(c)]) continue;
    columns << QuoteIdentifier(fields_[c]);
    values << bindValue(c);
  }
  const int row = editRow_;
  QSqlQuery q(db_.connection());
  QString sql;
  if (state_ == State::Edit) {
    sql = QStringLiteral("UPDATE ") + table_ + QStringLiteral(" SET ") + columns.join(QStringLiteral("=?,")) +
          QStringLiteral("=? WHERE rowid=?");
    values << order_[static_cast<std::size_t>(row)];
  } else {
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
    sql = QStringLiteral("INSERT INTO ") + table_ + QLatin1Char('(') + columns.join(QLatin1Char(',')) +
          QStringLiteral(") VALUES(") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
  }
  Database::check(q.prepare(sql), q);
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) {
    // The engine's own words, after a line the user can read.
    const QSqlError e = q.lastError();
    throw std::runtime_error(
        (QStringLiteral("数据库拒绝保存这条记录：") + (e.databaseText().isEmpty() ? e.text() : e.databaseText()))
            .toStdString());
  }

  qint64 id = order_[static_cast<std::size_t>(row)];
  if (state_ == State::Insert) {
    id = q.lastInsertId().toLongLong();
    order_[static_cast<std::size_t>(row)] = id;
  }
  // What the table holds now, as it converted and stored it.
  cache_[id] = readRow(id);
  typed_.assign(typed_.size(), false);
  setState(State::Browse, -1);
  rowChanged(row);
}

void DrawTableModel::cancel() {
  if (state_ == State::Browse) return;
  const int row = editRow_;
  const bool inserted = state_ == State::Insert;
  typed_.assign(typed_.size(), false);
  setState(State::Browse, -1);
  if (inserted) {
    beginRemoveRows({}, row, row);
    order_.erase(order_.begin() + row);
    endRemoveRows();
  } else {
    rowChanged(row);
  }
}

void DrawTableModel::checkBrowseMode() {
  if (state_ == State::Browse) return;
  if (modified())
    post();
  else
    cancel();
}

void DrawTableModel::remove(int row) {
  if (row < 0 || row >= rowCount()) return;
  if (state_ == State::Insert) {
    const int pending = editRow_;
    cancel();
    if (pending == row) return;
    if (pending < row) --row;
  } else if (state_ == State::Edit) {
    cancel();
  }
  const qint64 id = order_[static_cast<std::size_t>(row)];
  QSqlQuery q(db_.connection());
  Database::check(q.prepare(QStringLiteral("DELETE FROM ") + table_ + QStringLiteral(" WHERE rowid=?")), q);
  q.addBindValue(id);
  Database::check(q.exec(), q);
  beginRemoveRows({}, row, row);
  order_.erase(order_.begin() + row);
  cache_.erase(id);
  endRemoveRows();
}

int DrawTableModel::refresh(int keepRow) {
  checkBrowseMode();
  const qint64 kept = keepRow >= 0 && keepRow < rowCount() ? order_[static_cast<std::size_t>(keepRow)] : qint64(-1);
  beginResetModel();
  cache_.clear();
  try {
    loadOrder();
  } catch (...) {
    endResetModel();
    throw;
  }
  endResetModel();
  for (std::size_t r = 0; r < order_.size(); ++r)
    if (order_[r] == kept) return static_cast<int>(r);
  return std::min(keepRow, rowCount() - 1);
}

}  // namespace tavrin::store
