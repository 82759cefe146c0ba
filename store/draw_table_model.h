#pragma once
// The draw table of one lottery as the data window shows and edits it.
//
// The rows stand in the text order of 记录期号 as it was when the table was
// loaded; a row added since stays where it was added until the next load.
// Loading reads only the order of the rows (their rowids); their fields are
// read a block at a time when the grid first asks for them, so a table of
// 20000 draws opens as quickly as one of twenty.
//
// One row at a time is edited, as a data set does it: edit() or typing into
// a field starts editing the row, insert() and append() add an empty row in
// the inserting state, post() writes the row to the database and cancel()
// drops what was typed. A post the database refuses throws with the
// database's message and leaves the row as it was, still being edited.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <unordered_map>
#include <vector>

namespace tavrin::store {

class Database;

class DrawTableModel final : public QAbstractTableModel {
 public:
  enum class State { Browse, Edit, Insert };

  // Reads the order of the lottery's rows; throws with the database's
  // message. db must outlive the model.
  DrawTableModel(Database& db, const QString& lottery, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  // Display and edit roles give the field as text; an empty field is empty.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // Typing into a field: starts editing the row when nothing is being
  // edited; refused for any row but the one being edited.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Columns are titled by their field names; the row being edited is marked.
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  const QString& lottery() const { return lottery_; }
  const QStringList& fieldNames() const { return fields_; }
  State state() const { return state_; }
  // The row being edited or inserted; -1 while browsing.
  int editRow() const { return editRow_; }
  // Whether anything was typed into the row being edited.
  bool modified() const;
  // Rows whose fields have been read from the database so far.
  int rowsRead() const { return static_cast<int>(cache_.size()); }

  // Starts editing row; on an empty table inserts the first row instead.
  // Nothing happens while a row is being edited.
  void edit(int row);
  // Ends any editing as moving to another row does, then adds an empty row
  // before row (clamped to the end) and returns where it stands.
  int insert(int row);
  // The same at the end of the table.
  int append();
  // Writes the row being edited. A new row nothing was typed into is
  // dropped instead of being stored empty. Throws with the database's
  // message (or the integer conversion's, for a number too large for a draw)
  // and keeps the row being edited.
  void post();
  // Drops what was typed; an inserted row goes away.
  void cancel();
  // What moving to another row does: post when something was typed, else
  // cancel.
  void checkBrowseMode();
  // Deletes row from the database at once; a row not yet posted is just
  // dropped.
  void remove(int row);
  // Ends any editing, reads the order again (rows added meanwhile take their
  // issue order) and returns where the row that stood at keepRow is now.
  int refresh(int keepRow);

  // Called after every change of state() or editRow().
  void setStateListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  using Fields = std::vector<QVariant>;
  void loadOrder();
  const Fields* fieldsOf(int row) const;
  void readBlock(int row) const;
  Fields readRow(qint64 rowid) const;
  QVariant bindValue(int column) const;
  void setState(State s, int row);
  void rowChanged(int row);

  Database& db_;
  QString lottery_;
  QString table_;  // quoted
  QStringList fields_;
  std::vector<bool> integerField_;
  std::vector<qint64> order_;  // rowid of each row; -1 for a row not yet posted
  mutable std::unordered_map<qint64, Fields> cache_;
  State state_ = State::Browse;
  int editRow_ = -1;
  Fields buffer_;
  std::vector<bool> typed_;
  std::function<void()> listener_;
};

}  // namespace tavrin::store
