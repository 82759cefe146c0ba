#include "store/u_data.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>

#include "app/floating.h"
#include "app/guard.h"
#include "app/title_header.h"
#include "app/u_public.h"
#include "store/data_layout.h"
#include "store/draw_table_model.h"
#include "store/draw_transfer.h"
#include "store/lottery_store.h"

namespace tavrin {

namespace {

using store::DrawTableModel;

const char* const kStartAdding = "开始添加";
const char* const kFinishAdding = "完成添加";

constexpr QAbstractItemView::EditTriggers kTyping =
    QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

QLabel* label(QWidget* parent, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->adjustSize();
  return l;
}

}  // namespace

void DataGrid::commitOpenEditor() {
  if (state() != QAbstractItemView::EditingState) return;
  // The field editor lives on the viewport; what it holds goes to the
  // model before a button posts, cancels or moves the row.
  const QList<QWidget*> editors = viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* editor : editors) {
    if (!editor->isVisible()) continue;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

DataNavigator::DataNavigator(QWidget* parent) : QWidget(parent) {
  struct Face {
    const char* glyph;
    const char* hint;
  };
  static const Face kFaces[Count] = {
      {"|◀", "首条记录"}, {"◀", "前面一条"}, {"▶", "下面一条"}, {"▶|", "最末记录"}, {"+", "添加记录"},
      {"−", "删除记录"},  {"▲", "修改记录"}, {"✔", "保存修改"}, {"✘", "取消修改"},  {"↻", "刷新记录"},
  };
  for (int i = 0; i < Count; ++i) {
    auto* b = new QToolButton(this);
    b->setText(QString::fromUtf8(kFaces[i].glyph));
    b->setToolTip(QString::fromUtf8(kFaces[i].hint));
    // The grid keeps the focus, and with it any field being typed.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    connect(b, &QToolButton::clicked, this, [this, i] { emit clicked(i); });
    buttons_[static_cast<std::size_t>(i)] = b;
  }
}

void DataNavigator::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  // Ten equal buttons; the last takes what the division leaves over.
  const int w = width() / Count;
  for (int i = 0; i < Count; ++i)
    buttons_[static_cast<std::size_t>(i)]->setGeometry(width() * i / Count, 0,
                                                       i + 1 < Count ? w : width() - width() * i / Count, height());
}

void DataNavigator::updateButtons(int currentRow, int rowCount, bool editing) {
  const bool up = currentRow > 0;
  const bool down = currentRow >= 0 && currentRow < rowCount - 1;
  button(First)->setEnabled(up);
  button(Prior)->setEnabled(up);
  button(Next)->setEnabled(down);
  button(Last)->setEnabled(down);
  button(Insert)->setEnabled(true);
  button(Delete)->setEnabled(rowCount > 0);
  button(Edit)->setEnabled(!editing);
  button(Post)->setEnabled(editing);
  button(Cancel)->setEnabled(editing);
  button(Refresh)->setEnabled(true);
}

Tfrmdata::Tfrmdata(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("彩票数据"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  MakeFloating(this);
  setSizeGripEnabled(true);
  setMinimumSize(500, 300);

  lbltishi = label(this, QStringLiteral("选择彩票："));
  lstcaipiao = new QListWidget(this);
  lblshuju = label(this, QStringLiteral("彩票数据："));

  grdcaipiao = new DataGrid(this);
  UseTitleHeader(grdcaipiao);
  grdcaipiao->setSelectionMode(QAbstractItemView::SingleSelection);
  grdcaipiao->setSelectionBehavior(QAbstractItemView::SelectItems);
  grdcaipiao->setEditTriggers(kTyping);
  // Every row the same height: the grid never measures 20000 rows.
  QHeaderView* rows = grdcaipiao->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(grdcaipiao->fontMetrics().height() + 6);
  rows->setFixedWidth(18);
  grdcaipiao->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

  dbv_caipiao = new DataNavigator(this);
  dbv_caipiao->setEnabled(false);
  dbv_caipiao->updateButtons(-1, 0, false);

  btnadd = new QPushButton(QStringLiteral("+"), this);
  btnadd->setToolTip(QStringLiteral("添加记录"));
  btnadd->setEnabled(false);
  btnedit = new QPushButton(QString::fromUtf8(kStartAdding), this);
  btnedit->setEnabled(false);
  btnsave = new QPushButton(QStringLiteral("导出"), this);
  btnext = new QPushButton(QStringLiteral("关闭"), this);
  btnext->setAutoDefault(false);
  btnsave->setAutoDefault(false);
  btnedit->setAutoDefault(false);
  btnadd->setAutoDefault(false);

  connect(lstcaipiao, &QListWidget::itemSelectionChanged, this, guarded([this] { lstcaipiaoClick(); }));
  connect(btnedit, &QPushButton::clicked, this, guarded([this] { btneditClick(); }));
  connect(btnadd, &QPushButton::clicked, this, guarded([this] { btnaddClick(); }));
  connect(btnsave, &QPushButton::clicked, this, guarded([this] { btnsaveClick(); }));
  connect(btnext, &QPushButton::clicked, this, [this] { close(); });
  connect(dbv_caipiao, &DataNavigator::clicked, this, guarded<int>([this](int b) { dbv_caipiaoClick(b); }));

  resize(551, 465);
  layoutControls();

  con_ = std::make_unique<store::Database>(DatabaseFile());
  const QSignalBlocker block(lstcaipiao);
  lstcaipiao->addItems(con_->lotteries());
  // No lottery looks chosen before the user picks one: the list would make
  // its first row current when it takes the focus.
  lstcaipiao->setCurrentRow(-1);
  btnext->setFocus();
}

Tfrmdata::~Tfrmdata() {
  // The grid lets go of the rows before they go (unposted changes with them).
  grdcaipiao->setModel(nullptr);
}

bool Tfrmdata::adding() const { return btnedit->text() == QString::fromUtf8(kFinishAdding); }

int Tfrmdata::currentRow() const {
  const QModelIndex i = grdcaipiao->currentIndex();
  return i.isValid() ? i.row() : -1;
}

void Tfrmdata::setCurrentRow(int row) {
  if (!rst_ || row < 0 || row >= rst_->rowCount()) return;
  const int column = std::max(grdcaipiao->currentIndex().column(), 0);
  const QModelIndex i = rst_->index(row, column);
  grdcaipiao->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
  grdcaipiao->scrollTo(i);
}

void Tfrmdata::layoutControls() {
  const int w = width(), h = height();
  const int gridLeft = 156;
  lbltishi->move(8, 8);
  lstcaipiao->setGeometry(8, 28, gridLeft - 16, h - 36);
  lblshuju->move(gridLeft, 8);
  grdcaipiao->setGeometry(gridLeft, 28, w - gridLeft - 8, h - 28 - 84);
  dbv_caipiao->setGeometry(gridLeft, h - 78, 330, 28);
  const int bw = 80, bh = 28, by = h - 38;
  btnext->setGeometry(w - 8 - bw, by, bw, bh);
  btnsave->setGeometry(w - 8 - 2 * bw - 8, by, bw, bh);
  btnedit->setGeometry(w - 8 - 3 * bw - 16, by, bw, bh);
  FormResize();
}

void Tfrmdata::FormResize() {
  const QRect nav = dbv_caipiao->geometry();
  const store::ButtonPlace p = store::AddButtonPlace(nav.left(), nav.top(), nav.width());
  btnadd->setGeometry(p.left, p.top, p.width, nav.height());
  btnadd->raise();
  sizeColumns();
}

void Tfrmdata::sizeColumns() {
  if (!rst_) return;
  const int zero = grdcaipiao->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  // The grid's client area: the rows and their marker column, without the
  // frame and, when the rows overflow, the scroll bar (which the view may
  // not have laid out yet).
  const QHeaderView* rows = grdcaipiao->verticalHeader();
  int rowsWidth = grdcaipiao->contentsRect().width() - rows->width();
  const int rowsHeight = grdcaipiao->contentsRect().height() - grdcaipiao->horizontalHeader()->height();
  if (rst_->rowCount() * rows->defaultSectionSize() > rowsHeight)
    rowsWidth -= grdcaipiao->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grdcaipiao);
  const std::vector<int> widths = store::ColumnWidths(rowsWidth + rows->width(), rowsWidth, zero, rst_->columnCount());
  for (int c = 0; c < rst_->columnCount(); ++c) grdcaipiao->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
}

void Tfrmdata::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  layoutControls();
}

void Tfrmdata::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  layoutControls();
}

void Tfrmdata::lstcaipiaoClick() {
  QListWidgetItem* item = lstcaipiao->currentItem();
  if (!item || !item->isSelected()) return;
  // The rows of the lottery shown before go, with whatever was not posted.
  QItemSelectionModel* oldSelection = grdcaipiao->selectionModel();
  grdcaipiao->setModel(nullptr);
  delete oldSelection;
  rst_.reset();
  updateNavigator();

  auto model = std::make_unique<DrawTableModel>(*con_, item->text());
  QItemSelectionModel* emptySelection = grdcaipiao->selectionModel();
  grdcaipiao->setModel(model.get());
  delete emptySelection;
  rst_ = std::move(model);
  rst_->setStateListener([this] { updateNavigator(); });
  connect(grdcaipiao->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { currentRowChanged(current.isValid() ? current.row() : -1); });
  // The newest issue.
  setCurrentRow(rst_->rowCount() - 1);
  sizeColumns();
  btnedit->setEnabled(true);
  updateNavigator();
}

void Tfrmdata::currentRowChanged(int row) {
  if (rst_ && !reverting_ && rst_->state() != DrawTableModel::State::Browse && row != rst_->editRow()) {
    // Leaving the row being edited posts it. When the database refuses, the
    // row stays in edit and becomes the current row again once the click
    // or key that moved away is done.
    try {
      rst_->checkBrowseMode();
    } catch (const std::exception& e) {
      const QString message = QString::fromUtf8(e.what());
      QMetaObject::invokeMethod(
          this,
          [this, message] {
            if (rst_ && rst_->editRow() >= 0) {
              reverting_ = true;
              setCurrentRow(rst_->editRow());
              reverting_ = false;
            }
            ShowErrorBox(message, this);
          },
          Qt::QueuedConnection);
    }
  }
  updateNavigator();
}

void Tfrmdata::updateNavigator() {
  const int count = rst_ ? rst_->rowCount() : 0;
  const bool editing = rst_ && rst_->state() != DrawTableModel::State::Browse;
  dbv_caipiao->updateButtons(rst_ ? currentRow() : -1, count, editing);
}

void Tfrmdata::btneditClick() {
  grdcaipiao->commitOpenEditor();
  if (!adding()) {
    if (rst_) {
      rst_->edit(currentRow());
      // An empty table begins with a new row.
      if (rst_->editRow() >= 0 && rst_->editRow() != currentRow()) setCurrentRow(rst_->editRow());
    }
    grdcaipiao->setEditTriggers(kTyping);
    btnext->setEnabled(false);
    dbv_caipiao->setEnabled(true);
    btnadd->setEnabled(true);
    btnedit->setText(QString::fromUtf8(kFinishAdding));
    grdcaipiao->setFocus();
  } else {
    if (rst_ && rst_->state() != DrawTableModel::State::Browse) rst_->post();
    grdcaipiao->setEditTriggers(QAbstractItemView::NoEditTriggers);
    btnext->setEnabled(true);
    dbv_caipiao->setEnabled(false);
    btnadd->setEnabled(false);
    btnedit->setText(QString::fromUtf8(kStartAdding));
  }
  updateNavigator();
}

void Tfrmdata::btnaddClick() {
  if (!rst_) return;
  grdcaipiao->commitOpenEditor();
  setCurrentRow(rst_->append());
  grdcaipiao->setFocus();
}

void Tfrmdata::dbv_caipiaoClick(int button) {
  if (!rst_) return;
  grdcaipiao->commitOpenEditor();
  const int row = currentRow();
  switch (button) {
    case DataNavigator::First:
      setCurrentRow(0);
      break;
    case DataNavigator::Prior:
      setCurrentRow(row - 1);
      break;
    case DataNavigator::Next:
      setCurrentRow(row + 1);
      break;
    case DataNavigator::Last:
      setCurrentRow(rst_->rowCount() - 1);
      break;
    case DataNavigator::Insert:
      setCurrentRow(rst_->insert(std::max(row, 0)));
      break;
    case DataNavigator::Delete:
      // Without asking, as the navigator always has.
      rst_->remove(row);
      break;
    case DataNavigator::Edit:
      rst_->edit(row);
      if (rst_->editRow() >= 0 && rst_->editRow() != currentRow()) setCurrentRow(rst_->editRow());
      break;
    case DataNavigator::Post:
      rst_->post();
      break;
    case DataNavigator::Cancel:
      rst_->cancel();
      break;
    case DataNavigator::Refresh:
      setCurrentRow(rst_->refresh(row));
      break;
    default:
      break;
  }
  grdcaipiao->setFocus();
  updateNavigator();
}

void Tfrmdata::btnsaveClick() {
  QListWidgetItem* item = lstcaipiao->currentItem();
  if (!item || !item->isSelected()) {
    prompts().message(this, QStringLiteral("错误"), QStringLiteral("请选择要导出的彩票！"), PromptIcon::Error);
    return;
  }
  const QString name = item->text();
  const QString folder = AppPath(QStringLiteral("附属/"));
  QString path = prompts().saveFileName(this, QStringLiteral("导出"), folder + name + QStringLiteral("历史号码.txt"),
                                        QStringLiteral("文本文件(*.txt)|*.txt"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  // A row typed but not posted is part of the lottery's draws: it is posted
  // first, as going through the rows would.
  grdcaipiao->commitOpenEditor();
  if (rst_ && rst_->lottery() == name) rst_->checkBrowseMode();
  // Written whole or not at all: a row that cannot be exported leaves an
  // earlier file as it was, and the message names its issue.
  store::ExportLotteryToFile(*con_, name, path);
  ShowMessage(QStringLiteral("成功保存！"), this);
}

bool Tfrmdata::mayClose() {
  if (!adding()) return true;
  prompts().message(this, QStringLiteral("警告"), QStringLiteral("请单击《完成添加》按钮保存添加"),
                    PromptIcon::Warning);
  return false;
}

void Tfrmdata::reject() {
  if (!mayClose()) return;
  QDialog::reject();
}

}  // namespace tavrin
