#include "plans/plan_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "app/floating.h"
#include "app/guard.h"
#include "app/prompts.h"
#include "app/title_header.h"
#include "app/u_public.h"
#include "base/atomic_file.h"
#include "base/gbk.h"
#include "plans/plan_printout.h"
#include "print/print_job.h"

namespace tavrin {

using namespace plans;

namespace {

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QString kFilter = QStringLiteral("文本文件(*.txt)|*.txt");

[[noreturn]] void FileError(const QString& what, const QString& path, const QString& reason) {
  throw std::runtime_error((what + QDir::toNativeSeparators(path) + QStringLiteral("：") + reason).toStdString());
}

}  // namespace

PlanGridModel::PlanGridModel(PlanKind kind, QObject* parent) : QAbstractTableModel(parent) { table_.kind = kind; }

void PlanGridModel::setTable(const PlanTable& table) {
  beginResetModel();
  const PlanKind kind = table_.kind;
  table_ = table;
  table_.kind = kind;
  endResetModel();
}

void PlanGridModel::appendRow(const PlanRow& row) {
  const int n = rowCount();
  beginInsertRows({}, n, n);
  table_.rows.push_back(row);
  endInsertRows();
}

int PlanGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int PlanGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount(table_.kind);
}

QVariant PlanGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const PlanRow& r = table_.rows[static_cast<std::size_t>(index.row())];
  return QString::number(RowCells(table_.kind, r)[static_cast<std::size_t>(index.column())]);
}

QVariant PlanGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return Utf8(ColumnTitles(table_.kind)[static_cast<std::size_t>(section)]);
}

PlanWindow::PlanWindow(PlanKind kind, const QString& caption, QWidget* parent) : QWidget(parent), kind_(kind) {
  MakeFloating(this);
  setWindowTitle(caption);
  resize(630, 480);

  model_ = new PlanGridModel(kind, this);
  grdjihua = new QTableView(this);
  grdjihua->setObjectName(QStringLiteral("grdjihua"));
  grdjihua->setModel(model_);
  UseTitleHeader(grdjihua);
  grdjihua->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdjihua->verticalHeader()->hide();
  grdjihua->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grdjihua->verticalHeader()->setDefaultSectionSize(20);
  grdjihua->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grdjihua->horizontalHeader()->setHighlightSections(false);

  inputs_ = new QGridLayout;
  inputs_->setHorizontalSpacing(4);
  buttons_ = new QVBoxLayout;
  edtprekui = addInput("edtprekui", QStringLiteral("前期亏损："), QStringLiteral("0"));
  edtlirun = addInput("edtlirun", QStringLiteral("预期利润："), QStringLiteral("10"));
  edtinofsin = addInput("edtinofsin", QStringLiteral("单倍投入："), QStringLiteral("16"));
  edtoutofsin = addInput("edtoutofsin", QStringLiteral("单注奖金："), QStringLiteral("1000"));
  edtdays = addInput("edtdays", QStringLiteral("投注期数："), QStringLiteral("80"));

  auto* side = new QVBoxLayout;
  side->addLayout(inputs_);
  side->addSpacing(12);
  side->addLayout(buttons_);
  side->addStretch(1);

  auto* main = new QHBoxLayout(this);
  main->setContentsMargins(6, 6, 6, 6);
  main->addWidget(grdjihua, 1);
  main->addLayout(side);
}

QLineEdit* PlanWindow::addInput(const char* objectName, const QString& label, const QString& text) {
  const int row = inputs_->rowCount();
  auto* l = new QLabel(label, this);
  auto* e = new QLineEdit(text, this);
  e->setObjectName(QString::fromLatin1(objectName));
  e->setFixedWidth(90);
  l->setBuddy(e);
  inputs_->addWidget(l, row, 0, Qt::AlignRight);
  inputs_->addWidget(e, row, 1);
  if (edtdays) extra_ = e;
  connect(e, &QLineEdit::returnPressed, this, [this] {
    if (default_ && default_->isEnabled()) default_->click();
  });
  return e;
}

QPushButton* PlanWindow::addButton(const char* objectName, const QString& caption) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(QString::fromLatin1(objectName));
  b->setMinimumWidth(120);
  buttons_->addWidget(b, 0, Qt::AlignHCenter);
  return b;
}

void PlanWindow::setDefaultButton(QPushButton* button) {
  default_ = button;
  button->setDefault(true);
}

void PlanWindow::finishLayout() {
  btnsave = addButton("btnsave", QStringLiteral("保存"));
  btnload = addButton("btnload", QStringLiteral("载入"));
  btnprint = addButton("btnprint", QStringLiteral("打印"));
  btnclose = addButton("btnclose", QStringLiteral("关闭"));
  connect(btnsave, &QPushButton::clicked, this, guarded([this] { btnsaveClick(); }));
  connect(btnload, &QPushButton::clicked, this, guarded([this] { btnloadClick(); }));
  connect(btnprint, &QPushButton::clicked, this, guarded([this] { btnprintClick(); }));
  connect(btnclose, &QPushButton::clicked, this, guarded([this] { btncloseClick(); }));
}

std::vector<QLineEdit*> PlanWindow::headerEdits() const {
  std::vector<QLineEdit*> edits = {edtprekui, edtlirun, edtinofsin, edtoutofsin, edtdays};
  if (extra_) edits.push_back(extra_);
  return edits;
}

namespace {
// Where the save and open dialogs start: the plan's own file under 附属.
QString ProposedPlanPath(PlanKind kind) {
  return AppPath(QStringLiteral("附属/") + QString::fromStdString(DefaultPlanFileName(kind)));
}
}  // namespace

Money PlanWindow::readInteger(QLineEdit* edit) const { return ToInteger(edit->text().toStdString()); }

PlanInputs PlanWindow::readInputs() const {
  PlanInputs in;
  in.draws = readInteger(edtdays);
  in.loss = readInteger(edtprekui);
  in.profit = readInteger(edtlirun);
  in.unit = readInteger(edtinofsin);
  in.prize = readInteger(edtoutofsin);
  return in;
}

void PlanWindow::showTable(const PlanTable& table) {
  model_->setTable(table);
  layoutColumns();
}

void PlanWindow::appendRow(const PlanRow& row) {
  model_->appendRow(row);
  layoutColumns();
  grdjihua->scrollToBottom();
}

void PlanWindow::showAverage(Money average) { tell(AverageText(average)); }

void PlanWindow::tell(const std::string& text) { ShowMessage(Utf8(text), this); }

void PlanWindow::layoutColumns() {
  // The 20 pixels leave room for the scroll bar.
  const int k = ColumnCount(kind_);
  const int w = std::max(20, (grdjihua->contentsRect().width() - 20) / k);
  for (int c = 0; c < k; ++c) grdjihua->setColumnWidth(c, w);
}

void PlanWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layoutColumns();
}

void PlanWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  layoutColumns();
}

void PlanWindow::btnsaveClick() {
  const QString proposed = ProposedPlanPath(kind_);
  QString path = prompts().saveFileName(this, QStringLiteral("保存"), proposed, kFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");

  // A file whose 投注期数 is smaller than its table could not be loaded back:
  // refuse it rather than write a plan the user cannot open again.
  if (!table().rows.empty()) {
    Money days = -1;
    try {
      days = readInteger(edtdays);
    } catch (const std::exception&) {
    }
    if (days < static_cast<Money>(table().rows.size())) {
      tell("投注期数与表格不一致，请重新生成计划后再保存！");
      return;
    }
  }

  std::vector<std::string> header;
  // Plan files are in the system's code page, GBK.
  for (QLineEdit* e : headerEdits()) header.push_back(ToGbk(e->text()).toStdString());
  const std::string bytes = FormatPlanFile(kind_, header, table());

  // A failed save leaves the previous plan as it was.
  SaveFileAtomically(path, QByteArray::fromStdString(bytes));
  saved();
  ShowMessage(QStringLiteral("成功保存！"), this);
}

void PlanWindow::btnloadClick() {
  const QString proposed = ProposedPlanPath(kind_);
  const QString path = prompts().openFileName(this, QStringLiteral("载入"), proposed, kFilter);
  if (path.isEmpty()) return;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) FileError(QStringLiteral("无法打开文件 "), path, f.errorString());
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) FileError(QStringLiteral("无法读取文件 "), path, f.errorString());

  // The whole file is read before anything is shown: a file that cannot be
  // loaded leaves the inputs and the table as they were.
  LoadedPlan plan;
  try {
    plan = ReadPlanFile(kind_, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const PlanRefused& e) {
    tell(e.what());
    return;
  }
  const std::vector<QLineEdit*> edits = headerEdits();
  for (std::size_t i = 0; i < edits.size() && i < plan.header.size(); ++i)
    edits[i]->setText(FromGbk(QByteArray::fromStdString(plan.header[i])));
  showTable(plan.table);
  loaded(plan);
}

void PlanWindow::btnprintClick() {
  if (table().rows.empty()) {
    ShowMessage(QStringLiteral("请先生成表格！"), this);
    return;
  }
  std::vector<std::string> inputs;
  for (QLineEdit* e : headerEdits()) inputs.push_back(e->text().toStdString());
  print::RunPrintJob(this, [&](print::PageWriter& out) { PrintPlan(out, kind_, inputs, table(), print::TodayText()); });
}

}  // namespace tavrin
