#include "mode/u_tozi.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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
#include "base/integer_text.h"
#include "mode/mode_grid_model.h"
#include "mode/mode_printout.h"
#include "print/print_job.h"
#include "trend/shared_history.h"

namespace tavrin {

using namespace mode;

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 567;

const QString kSearch = QStringLiteral("搜索");
const QString kStopSearch = QStringLiteral("停止搜索");
const QString kFilter = QStringLiteral("文本文件(*.txt)|*.txt");

QString Text(const std::string& s) { return QString::fromStdString(s); }
std::string Utf8(const QString& s) { return s.toStdString(); }

QString AppTitle() {
  const QString t = QApplication::applicationName();
  return t.isEmpty() ? QStringLiteral("Tavrin") : t;
}

void FillCombo(QComboBox* box, ComboList list) {
  for (int i = 0; i < list.count; ++i) box->addItem(Text(ItemText(list, i)));
  box->setCurrentIndex(0);
}

// A combo box takes a text as the item of that text when there is one, and
// as typed text otherwise.
void SetComboText(QComboBox* box, const std::string& text) {
  const QString t = Text(text);
  if (box->currentText() == t) return;
  const int i = box->findText(t, Qt::MatchExactly);
  if (i >= 0)
    box->setCurrentIndex(i);
  else
    box->setEditText(t);
}

void SetEditText(QLineEdit* edit, const std::string& text) {
  if (edit->text() != Text(text)) edit->setText(Text(text));
}

[[noreturn]] void FileError(const QString& what, const QString& path, const QString& reason) {
  throw std::runtime_error(Utf8(what + QDir::toNativeSeparators(path) + QStringLiteral("：") + reason));
}

QTableView* MakeGrid(QWidget* parent, const char* name, ModeGridModel* model) {
  auto* grid = new QTableView(parent);
  grid->setObjectName(QString::fromLatin1(name));
  grid->setModel(model);
  UseTitleHeader(grid);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->hide();
  // Fixed rows: a grid of 20000 rows never measures them.
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(18);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->setWordWrap(false);
  return grid;
}

std::vector<std::string> Titles(const auto& titles) { return {titles.begin(), titles.end()}; }

}  // namespace

Tfrmtozi::Tfrmtozi(QWidget* parent) : QWidget(parent), marks_(std::make_shared<const std::vector<DrawMark>>()) {
  setObjectName(QStringLiteral("frmtozi"));
  setWindowTitle(QStringLiteral("投资模式分析"));
  MakeFloating(this);
  buildControls();
  FormCreate();
  connectHandlers();
  resize(kWidth, kHeight);
}

Tfrmtozi::~Tfrmtozi() {
  // The search ends before any control goes; what it would report is dropped.
  tozithread_.stop();
}

void Tfrmtozi::buildControls() {
  sepModel_ = new ModeGridModel(Titles(kMarkTitles), this);
  codeModel_ = new ModeGridModel(CodeGridTitles(), this);
  runModel_ = new ModeGridModel(Titles(kRunTitles), this);
  runStatsModel_ = new ModeGridModel(Titles(kIntervalRunTitles), this);
  grdsep = MakeGrid(this, "grdsep", sepModel_);
  grdcode = MakeGrid(this, "grdcode", codeModel_);
  grdtozi = MakeGrid(this, "grdtozi", runModel_);
  grdsepmode = MakeGrid(this, "grdsepmode", runStatsModel_);

  auto label = [this](const QString& text, QWidget* buddy = nullptr) {
    auto* l = new QLabel(text, this);
    if (buddy) l->setBuddy(buddy);
    return l;
  };
  auto button = [this](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };

  grptozi = new QGroupBox(this);
  grptozi->setObjectName(QStringLiteral("grptozi"));
  auto combo = [this](const char* name) {
    auto* c = new QComboBox(grptozi);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(20);
    c->setFixedWidth(70);
    return c;
  };
  auto edit = [this](const char* name) {
    auto* e = new QLineEdit(grptozi);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedWidth(92);
    return e;
  };
  auto check = [this](const char* name) {
    auto* c = new QCheckBox(grptozi);
    c->setObjectName(QString::fromLatin1(name));
    return c;
  };
  comsepindex = combo("comsepindex");
  comsepnum = combo("comsepnum");
  comtozisep = combo("comtozisep");
  comtozirep = combo("comtozirep");
  chkyuji = check("chkyuji");
  chksepmode = check("chksepmode");
  edtsinmax = edit("edtsinmax");
  edtallmax = edit("edtallmax");
  edtjushu = edit("edtjushu");
  edtoutofsin = edit("edtoutofsin");
  edtlirun = edit("edtlirun");
  edtallwin = edit("edtallwin");
  // The back-test's output, not a setting.
  edtallwin->setReadOnly(true);

  auto* settingsGrid = new QGridLayout(grptozi);
  settingsGrid->setContentsMargins(8, 6, 8, 6);
  settingsGrid->setHorizontalSpacing(4);
  settingsGrid->setVerticalSpacing(3);
  const std::pair<QString, QWidget*> left[] = {
      {QStringLiteral("观察间隔数："), comsepindex},    {QStringLiteral("观察间隔连续次数："), comsepnum},
      {QStringLiteral("中出后间隔期数："), comtozisep}, {QStringLiteral("连续投入期数："), comtozirep},
      {QStringLiteral("预计亏损："), chkyuji},          {QStringLiteral("间隔模式："), chksepmode}};
  const std::pair<QString, QWidget*> right[] = {
      {QStringLiteral("单期最大投入："), edtsinmax}, {QStringLiteral("累计最大投入："), edtallmax},
      {QStringLiteral("单倍注数："), edtjushu},      {QStringLiteral("单注奖金："), edtoutofsin},
      {QStringLiteral("预期利润(%)："), edtlirun},   {QStringLiteral("总体赢余："), edtallwin}};
  for (int r = 0; r < 6; ++r) {
    settingsGrid->addWidget(label(left[r].first, left[r].second), r, 0, Qt::AlignRight);
    settingsGrid->addWidget(left[r].second, r, 1);
    settingsGrid->addWidget(label(right[r].first, right[r].second), r, 3, Qt::AlignRight);
    settingsGrid->addWidget(right[r].second, r, 4);
  }
  settingsGrid->setColumnMinimumWidth(2, 12);
  settingsGrid->setColumnStretch(2, 1);

  optzhuzhi = new QGroupBox(this);
  optzhuzhi->setObjectName(QStringLiteral("optzhuzhi"));
  optzhuzhiItems = new QButtonGroup(optzhuzhi);
  auto* forms = new QHBoxLayout(optzhuzhi);
  forms->setContentsMargins(8, 4, 8, 4);
  for (int i = 0; i < kBetFormCount; ++i) {
    auto* r = new QRadioButton(Text(BetFormText(i)), optzhuzhi);
    optzhuzhiItems->addButton(r, i);
    forms->addWidget(r);
  }

  btnfilt = button("btnfilt", QStringLiteral("随机生成"));
  btnclear = button("btnclear", QStringLiteral("清空"));
  btnala = button("btnala", QStringLiteral("分析"));
  btnyouhua = button("btnyouhua", kSearch);
  tlbtnsave = button("tlbtnsave", QStringLiteral("保存"));
  tlbtnload = button("tlbtnload", QStringLiteral("载入"));
  tlbtnprint = button("tlbtnprint", QStringLiteral("打印"));
  btnclose = button("btnclose", QStringLiteral("关闭"));
  pb = new QProgressBar(this);
  pb->setObjectName(QStringLiteral("pb"));
  pb->setRange(0, 100);
  pb->setTextVisible(true);
  pb->hide();

  mnusave = buttonMenu(tlbtnsave);
  mnusave->setObjectName(QStringLiteral("mnusave"));
  mnucodesave = mnusave->addAction(QStringLiteral("保存号码(&C)"));
  mnusetsave = mnusave->addAction(QStringLiteral("保存设置(&S)"));
  mnubothsave = mnusave->addAction(QStringLiteral("保存号码和设置(&B)"));
  mnuload = buttonMenu(tlbtnload);
  mnuload->setObjectName(QStringLiteral("mnuload"));
  mnucodeload = mnuload->addAction(QStringLiteral("载入号码(&C)"));
  mnusetload = mnuload->addAction(QStringLiteral("载入设置(&S)"));
  mnubothload = mnuload->addAction(QStringLiteral("载入号码和设置(&B)"));
  mnuprint = buttonMenu(tlbtnprint);
  mnuprint->setObjectName(QStringLiteral("mnuprint"));
  mnucodeprint = mnuprint->addAction(QStringLiteral("打印号码(&C)"));
  mnusetprint = mnuprint->addAction(QStringLiteral("打印设置(&S)"));

  // Left: the draw marks over their interval statistics. Middle: the codes.
  // Right: settings, bet form and actions over the run table.
  grdsep->setFixedWidth(170);
  grdsepmode->setFixedWidth(170);
  grdcode->setFixedWidth(118);
  auto* marksColumn = new QVBoxLayout;
  marksColumn->addWidget(label(QStringLiteral("历史中奖："), grdsep));
  marksColumn->addWidget(grdsep, 3);
  marksColumn->addWidget(label(QStringLiteral("间隔统计："), grdsepmode));
  marksColumn->addWidget(grdsepmode, 2);

  auto* codesColumn = new QVBoxLayout;
  codesColumn->addWidget(label(QStringLiteral("投注号码："), grdcode));
  codesColumn->addWidget(grdcode, 1);

  auto* actions = new QHBoxLayout;
  for (QPushButton* b : {btnfilt, btnclear, btnala, btnyouhua}) actions->addWidget(b);
  auto* settingsColumn = new QVBoxLayout;
  settingsColumn->addWidget(grptozi);
  settingsColumn->addWidget(optzhuzhi);
  settingsColumn->addLayout(actions);
  settingsColumn->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addLayout(codesColumn);
  top->addLayout(settingsColumn, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(pb, 1);
  bottom->addStretch(0);
  for (QPushButton* b : {tlbtnsave, tlbtnload, tlbtnprint, btnclose}) bottom->addWidget(b);

  auto* rightColumn = new QVBoxLayout;
  rightColumn->addLayout(top);
  rightColumn->addWidget(label(QStringLiteral("投资和赢亏："), grdtozi));
  rightColumn->addWidget(grdtozi, 1);
  rightColumn->addLayout(bottom);

  auto* main = new QHBoxLayout(this);
  main->setContentsMargins(8, 6, 8, 8);
  main->addLayout(marksColumn);
  main->addLayout(rightColumn, 1);
}

QMenu* Tfrmtozi::buttonMenu(QPushButton* button) {
  auto* menu = new QMenu(this);
  // A press on the button, with any mouse button, pops the menu up where
  // the mouse is; the keyboard's click and context menu key at its centre.
  button->installEventFilter(this);
  button->setContextMenuPolicy(Qt::DefaultContextMenu);
  connect(button, &QPushButton::clicked, this, [button, menu] {
    if (!menu->isVisible()) menu->popup(button->mapToGlobal(button->rect().center()));
  });
  return menu;
}

bool Tfrmtozi::eventFilter(QObject* watched, QEvent* event) {
  QMenu* menu = watched == tlbtnsave    ? mnusave
                : watched == tlbtnload  ? mnuload
                : watched == tlbtnprint ? mnuprint
                                        : nullptr;
  if (menu) {
    auto* button = static_cast<QPushButton*>(watched);
    if (event->type() == QEvent::MouseButtonPress && button->isEnabled()) {
      const auto* e = static_cast<QMouseEvent*>(event);
      menu->popup(button->mapToGlobal(e->position().toPoint()));
      return true;
    }
    if (event->type() == QEvent::ContextMenu) {
      const auto* e = static_cast<QContextMenuEvent*>(event);
      // A mouse's context menu was opened by its press already.
      if (e->reason() != QContextMenuEvent::Mouse && button->isEnabled())
        menu->popup(button->mapToGlobal(button->rect().center()));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Tfrmtozi::FormCreate() {
  FillCombo(comtozisep, kWaitList);
  FillCombo(comtozirep, kPlanList);
  FillCombo(comsepindex, kIntervalList);
  FillCombo(comsepnum, kCountList);
  const ModeSettings defaults;
  edtsinmax->setText(Text(defaults.stakeLimit));
  edtallmax->setText(Text(defaults.outlayLimit));
  edtjushu->setText(Text(defaults.codeCount));
  edtoutofsin->setText(Text(defaults.prize));
  edtlirun->setText(Text(defaults.rate));
  edtallwin->setText(Text(defaults.allWin));
  chkyuji->setChecked(defaults.carriedLoss);
  chksepmode->setChecked(defaults.intervalMode);
  optzhuzhiItems->button(defaults.betForm)->setChecked(true);
}

void Tfrmtozi::connectHandlers() {
  connect(btnfilt, &QPushButton::clicked, this, guarded([this] { btnfiltClick(); }));
  connect(btnclear, &QPushButton::clicked, this, guarded([this] { btnclearClick(); }));
  connect(btnala, &QPushButton::clicked, this, guarded([this] { btnalaClick(); }));
  connect(btnyouhua, &QPushButton::clicked, this, guarded([this] { btnyouhuaClick(); }));
  connect(btnclose, &QPushButton::clicked, this, guarded([this] { btncloseClick(); }));
  // Also when a load or 清空 changes them, as a user's change would.
  connect(chksepmode, &QCheckBox::toggled, this, guarded<bool>([this](bool) { chksepmodeClick(); }));
  connect(optzhuzhiItems, &QButtonGroup::idToggled, this, guarded<int, bool>([this](int, bool on) {
            if (on) optzhuzhiClick();
          }));
  connect(mnucodesave, &QAction::triggered, this, guarded([this] { mnucodesaveClick(); }));
  connect(mnusetsave, &QAction::triggered, this, guarded([this] { mnusetsaveClick(); }));
  connect(mnubothsave, &QAction::triggered, this, guarded([this] { mnubothsaveClick(); }));
  connect(mnucodeload, &QAction::triggered, this, guarded([this] { mnucodeloadClick(); }));
  connect(mnusetload, &QAction::triggered, this, guarded([this] { mnusetloadClick(); }));
  connect(mnubothload, &QAction::triggered, this, guarded([this] { mnubothloadClick(); }));
  connect(mnucodeprint, &QAction::triggered, this, guarded([this] { mnucodeprintClick(); }));
  connect(mnusetprint, &QAction::triggered, this, guarded([this] { mnusetprintClick(); }));
}

// ---- settings ---------------------------------------------------------------

int Tfrmtozi::betForm() const { return std::max(optzhuzhiItems->checkedId(), 0); }

ModeSettings Tfrmtozi::settings() const {
  ModeSettings s;
  s.betForm = betForm();
  s.interval = Utf8(comsepindex->currentText());
  s.count = Utf8(comsepnum->currentText());
  s.wait = Utf8(comtozisep->currentText());
  s.plan = Utf8(comtozirep->currentText());
  s.stakeLimit = Utf8(edtsinmax->text());
  s.outlayLimit = Utf8(edtallmax->text());
  s.codeCount = Utf8(edtjushu->text());
  s.prize = Utf8(edtoutofsin->text());
  s.rate = Utf8(edtlirun->text());
  s.allWin = Utf8(edtallwin->text());
  s.carriedLoss = chkyuji->isChecked();
  s.intervalMode = chksepmode->isChecked();
  return s;
}

void Tfrmtozi::showSettings(const ModeSettings& s) {
  if (QAbstractButton* form = optzhuzhiItems->button(s.betForm); form && s.betForm != betForm()) form->setChecked(true);
  SetComboText(comtozisep, s.wait);
  SetComboText(comtozirep, s.plan);
  SetComboText(comsepindex, s.interval);
  SetComboText(comsepnum, s.count);
  SetEditText(edtsinmax, s.stakeLimit);
  SetEditText(edtallmax, s.outlayLimit);
  SetEditText(edtjushu, s.codeCount);
  SetEditText(edtoutofsin, s.prize);
  SetEditText(edtlirun, s.rate);
  SetEditText(edtallwin, s.allWin);
  chkyuji->setChecked(s.carriedLoss);
  chksepmode->setChecked(s.intervalMode);
  // The observation settings follow interval mode also when its check did
  // not change; their texts came with s.
  comsepindex->setEnabled(s.intervalMode);
  comsepnum->setEnabled(s.intervalMode);
}

void Tfrmtozi::btnclearClick() {
  ModeSettings s = settings();
  ClearSettings(s);
  showSettings(s);
}

void Tfrmtozi::chksepmodeClick() {
  ModeSettings s = settings();
  SetIntervalMode(s, chksepmode->isChecked());
  // Unchecked: interval 1 and count 1, so any hit starts a run.
  SetComboText(comsepindex, s.interval);
  SetComboText(comsepnum, s.count);
  comsepindex->setEnabled(s.intervalMode);
  comsepnum->setEnabled(s.intervalMode);
}

void Tfrmtozi::optzhuzhiClick() { clearRunGrid(); }

// ---- messages ---------------------------------------------------------------

void Tfrmtozi::tell(const std::string& text, PromptIcon icon) { prompts().message(this, AppTitle(), Text(text), icon); }

bool Tfrmtozi::betFormPlayable() {
  if (const auto refusal = BetFormRefusal(betForm())) {
    tell(*refusal, PromptIcon::Warning);
    return false;
  }
  return true;
}

// ---- codes and marks ----------------------------------------------------------

void Tfrmtozi::btnfiltClick() {
  const int form = betForm();
  const Money n = ToInteger(Utf8(edtjushu->text()));
  if (const auto refusal = CodeCountRefusal(form, n)) {
    tell(*refusal, PromptIcon::Error);
    return;
  }
  if (!betFormPlayable()) return;
  std::vector<BetCode> codes = GenerateCodes(form, n, seed_ ? *seed_ : ClockSeed());
  // The draws of the trend view shown, in the values of its grouping.
  const std::shared_ptr<const DrawHistory> history = SharedDrawHistory();
  std::vector<DrawMark> marks = BuildMarks(*history, codes, form);
  setCodes(std::move(codes), std::move(marks));
}

void Tfrmtozi::setCodes(std::vector<BetCode> codes, std::vector<DrawMark> marks) {
  codes_ = std::move(codes);
  marks_ = std::make_shared<const std::vector<DrawMark>>(std::move(marks));
  markIndex_ = std::make_shared<const MarkIndex>(*marks_);
  refreshCodeGrid();
  refreshMarkGrids();
}

void Tfrmtozi::refreshCodeGrid() {
  auto codes = std::make_shared<const std::vector<BetCode>>(codes_);
  codeModel_->setRows(static_cast<int>(codes->size()), [codes](int row, int column) {
    return CodeGridRow((*codes)[static_cast<std::size_t>(row)])[static_cast<std::size_t>(column)];
  });
  sizeColumns();
}

void Tfrmtozi::refreshMarkGrids() {
  const std::shared_ptr<const std::vector<DrawMark>> marks = marks_;
  sepModel_->setRows(static_cast<int>(marks->size()), [marks](int row, int column) {
    const DrawMark& m = (*marks)[static_cast<std::size_t>(row)];
    return column == 0 ? std::to_string(m.issue) : MarkText(m);
  });
  // Without a hit there are no intervals: the grid keeps its titles only,
  // rather than the statistics of an earlier list.
  auto runs = std::make_shared<const std::vector<IntervalRun>>(
      IntervalRunStatistics(*marks).value_or(std::vector<IntervalRun>{}));
  runStatsModel_->setRows(static_cast<int>(runs->size()), [runs](int row, int column) {
    const IntervalRun& r = (*runs)[static_cast<std::size_t>(row)];
    return std::to_string(column == 0 ? r.interval : column == 1 ? r.length : r.times);
  });
  sizeColumns();
}

// ---- back-test ----------------------------------------------------------------

void Tfrmtozi::btnalaClick() {
  if (!betFormPlayable()) return;
  if (marks_->empty()) {
    tell(kGenerateCodesFirst, PromptIcon::Warning);
    return;
  }
  ModeInputs in;
  try {
    in = ReadInputs(settings());
  } catch (const ModeRefused& e) {
    tell(e.what(), PromptIcon::Warning);
    return;
  }
  const BacktestResult result = RunBacktest(in, *markIndex_);
  sizeRunColumns();
  showBacktest(result);
  if (!result.message.empty()) tell(result.message, PromptIcon::None);
}

void Tfrmtozi::showBacktest(const BacktestResult& result) {
  auto rows = std::make_shared<const std::vector<RunRow>>(result.rows);
  runModel_->setRows(static_cast<int>(rows->size()), [rows](int row, int column) {
    return RunRowTexts((*rows)[static_cast<std::size_t>(row)])[static_cast<std::size_t>(column)];
  });
  edtallwin->setText(Text(TotalText(result.total)));
}

void Tfrmtozi::clearRunGrid() { runModel_->clear(); }

void Tfrmtozi::sizeColumns() {
  // The widths the grids had in their first version: grdsep two thirds for
  // the issue; the others shared alike, leaving room for a scroll bar.
  const int sep = grdsep->width() - 30;
  grdsep->setColumnWidth(0, std::max(sep * 2 / 3 + 5, 20));
  grdsep->setColumnWidth(1, std::max(sep / 3 - 5, 20));
  const int codeColumns = codeModel_->columnCount();
  for (int c = 0; c < codeColumns; ++c) grdcode->setColumnWidth(c, std::max((grdcode->width() - 30) / codeColumns, 20));
  for (int c = 0; c < 3; ++c)
    grdsepmode->setColumnWidth(c, std::max((grdsepmode->contentsRect().width() - 20) / 3, 20));
}

void Tfrmtozi::sizeRunColumns() {
  for (int c = 0; c < static_cast<int>(kRunTitles.size()); ++c)
    grdtozi->setColumnWidth(c, std::max((grdtozi->contentsRect().width() - 20) / 7, 20));
}

void Tfrmtozi::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  sizeColumns();
  sizeRunColumns();
}

// ---- search -------------------------------------------------------------------

bool Tfrmtozi::searching() const { return btnyouhua->text() != kSearch; }

void Tfrmtozi::btnyouhuaClick() {
  if (searching()) {
    tozithread_.requestStop();
    return;
  }
  btnyouhua->setText(kStopSearch);
  bool started = false;
  try {
    started = startSearch();
  } catch (...) {
    btnyouhua->setText(kSearch);
    throw;
  }
  // Whatever refused the search leaves the window idle.
  if (!started) btnyouhua->setText(kSearch);
}

bool Tfrmtozi::startSearch() {
  if (marks_->empty()) {
    tell(kGenerateCodesFirst, PromptIcon::Warning);
    return false;
  }
  if (!betFormPlayable()) return false;
  // The settings it does not vary are read once, here, so that a refusal
  // comes now rather than from the worker.
  const ModeSettings s = settings();
  try {
    ModeSettings fixed = s;
    fixed.count = ItemText(kCountList, 0);
    fixed.wait = ItemText(kWaitList, 0);
    fixed.plan = ItemText(kPlanList, 0);
    ReadInputs(fixed);
  } catch (const ModeRefused& e) {
    tell(e.what(), PromptIcon::Warning);
    return false;
  }
  sizeRunColumns();
  searchVariesCount_ = s.intervalMode;
  pb->setMaximum(SearchSize(s));
  pb->setValue(0);
  setSearching(true);
  const bool started = tozithread_.start(
      s, marks_, this, [this](const Ttozithread::Progress& p) { showSearchStep(p); },
      [this](const Ttozithread::Outcome& o) { searchFinished(o); }, threads_);
  if (!started) setSearching(false);
  return started;
}

void Tfrmtozi::setSearching(bool on) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{btnala, btnfilt, btnclear, btnclose, tlbtnsave, tlbtnload, tlbtnprint, grptozi})
    w->setEnabled(!on);
  pb->setVisible(on);
  btnyouhua->setText(on ? kStopSearch : kSearch);
}

void Tfrmtozi::selectItems(int countIndex, int waitIndex, int planIndex) {
  if (searchVariesCount_) comsepnum->setCurrentIndex(countIndex);
  comtozisep->setCurrentIndex(waitIndex);
  comtozirep->setCurrentIndex(planIndex);
}

void Tfrmtozi::showSearchStep(const Ttozithread::Progress& p) {
  if (!searching()) return;
  selectItems(p.step.countIndex, p.step.waitIndex, p.step.planIndex);
  showBacktest(p.backtest);
  pb->setValue(p.step.step);
}

void Tfrmtozi::searchFinished(const Ttozithread::Outcome& o) {
  if (o.result) {
    // Stopped or not: the best combination found, with its back-test.
    const SearchResult& r = *o.result;
    selectItems(r.countIndex, r.waitIndex, r.planIndex);
    showBacktest(r.backtest);
    lastSearch_ = r;
  }
  setSearching(false);
  if (!o.error.empty()) ShowErrorBox(Text(o.error), this);
}

void Tfrmtozi::stopBackgroundWork() { tozithread_.stop(); }

void Tfrmtozi::closeEvent(QCloseEvent* event) {
  // Closing hides the window; a search ends first and its best is shown
  // when the window comes back.
  if (tozithread_.running()) tozithread_.stop();
  QWidget::closeEvent(event);
}

// ---- files --------------------------------------------------------------------

QString Tfrmtozi::proposedPath(ModeFile kind) const {
  return AppPath(QStringLiteral("附属/") + Text(ProposedFileName(Utf8(CurrentLottery().name), betForm(), kind)));
}

void Tfrmtozi::save(ModeFile kind) {
  if (kind != ModeFile::Settings && codes_.empty()) {
    tell(kGenerateCodesFirst, PromptIcon::Warning);
    return;
  }
  std::vector<std::string> lines;
  try {
    switch (kind) {
      case ModeFile::Codes:
        lines = CodesFileLines(betForm(), codes_);
        break;
      case ModeFile::Settings:
        lines = SettingsFileLines(settings());
        break;
      case ModeFile::Combined:
        lines = CombinedFileLines(settings(), codes_);
        break;
    }
  } catch (const ModeRefused& e) {
    tell(e.what(), PromptIcon::Warning);
    return;
  }
  QString path = prompts().saveFileName(this, QStringLiteral("保存"), proposedPath(kind), kFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  // In the system's code page; a failed save leaves the previous file whole.
  SaveFileAtomically(path, QByteArray::fromStdString(Utf8ToGbk(JoinLines(lines))));
  ShowMessage(Text(kSaved), this);
}

void Tfrmtozi::load(ModeFile kind) {
  const QString path = prompts().openFileName(this, QStringLiteral("载入"), proposedPath(kind), kFilter);
  if (path.isEmpty()) return;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) FileError(QStringLiteral("无法打开文件 "), path, f.errorString());
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) FileError(QStringLiteral("无法读取文件 "), path, f.errorString());
  const std::vector<std::string> lines =
      SplitLines(GbkToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));

  const LoadedModeFile loaded = LoadModeFile(kind, settings(), lines);
  // The lines before a bad one stay applied, their handlers run.
  showSettings(loaded.settings);
  if (loaded.formChanged) clearRunGrid();
  bool playable = true;
  if (loaded.codes) {
    std::vector<DrawMark> marks;
    playable = !BetFormRefusal(loaded.settings.betForm);
    if (playable) marks = BuildMarks(*SharedDrawHistory(), *loaded.codes, loaded.settings.betForm);
    setCodes(*loaded.codes, std::move(marks));
  }
  if (loaded.error) {
    ShowErrorBox(Text(LoadErrorText(*loaded.error, Utf8(QDir::toNativeSeparators(path)))), this);
    return;
  }
  for (const std::string& note : loaded.notes) tell(note, PromptIcon::Information);
  if (loaded.runBacktest)
    btnalaClick();
  else if (!playable)
    betFormPlayable();
}

// ---- print-outs -----------------------------------------------------------------

namespace {
// The newest issue of the draws shown, for the title.
std::string NewestIssue() {
  const std::shared_ptr<const DrawHistory> history = SharedDrawHistory();
  return history->entries.empty() ? std::string() : std::to_string(history->entries.back().issue);
}
}  // namespace

void Tfrmtozi::mnucodeprintClick() {
  if (codes_.empty()) {
    ShowMessage(Text(kPrintTableFirst), this);
    return;
  }
  const std::string lottery = Utf8(CurrentLottery().name);
  const std::string issue = NewestIssue();
  const int form = betForm();
  print::RunPrintJob(
      this, [&](print::PageWriter& out) { PrintCodes(out, lottery, issue, form, codes_, print::TodayText()); });
}

void Tfrmtozi::mnusetprintClick() {
  const std::string lottery = Utf8(CurrentLottery().name);
  const std::string issue = NewestIssue();
  const ModeSettings s = settings();
  print::RunPrintJob(this, [&](print::PageWriter& out) { PrintSettings(out, lottery, issue, s, print::TodayText()); });
}

}  // namespace tavrin
