#include "store/u_index.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/guard.h"
#include "app/u_public.h"
#include "base/integer_text.h"
#include "store/lottery_session.h"
#include "store/lottery_store.h"

namespace tavrin {

namespace {
QLabel* label(QWidget* parent, const QString& text, int x, int y) {
  auto* l = new QLabel(text, parent);
  l->move(x, y);
  l->adjustSize();
  return l;
}
}  // namespace

Tfrmindex::Tfrmindex(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("彩票操作"));
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(295, 332);

  label(this, QStringLiteral("选择彩票："), 8, 8);
  lstcaipiao = new QListWidget(this);
  lstcaipiao->setGeometry(8, 26, 130, 258);

  const int x = 148;
  label(this, QStringLiteral("彩票名称："), x, 8);
  edtcainame = new QLineEdit(this);
  edtcainame->setGeometry(x, 26, 139, 22);

  optcaitype = new QGroupBox(QStringLiteral("彩票类型："), this);
  optcaitype->setGeometry(x, 52, 139, 44);
  optcaitypeItems = new QButtonGroup(this);
  const QStringList types = {QStringLiteral("乐透型"), QStringLiteral("数字型")};
  for (int i = 0; i < 2; ++i) {
    auto* r = new QRadioButton(types[i], optcaitype);
    r->setGeometry(6 + i * 66, 18, 64, 20);
    optcaitypeItems->addButton(r, i);
  }
  optcaitypeItems->button(1)->setChecked(true);

  label(this, QStringLiteral("号码总数："), x, 104);
  edtcaisum = new QLineEdit(QStringLiteral("10"), this);
  edtcaisum->setGeometry(x + 72, 100, 67, 22);
  label(this, QStringLiteral("选择号码数："), x, 132);
  edtcaisel = new QLineEdit(QStringLiteral("3"), this);
  edtcaisel->setGeometry(x + 72, 128, 67, 22);
  label(this, QStringLiteral("开奖时间："), x, 160);
  edtcaitime = new QLineEdit(this);
  edtcaitime->setGeometry(x + 72, 156, 67, 22);

  grpweek = new QGroupBox(QStringLiteral("开奖星期："), this);
  grpweek->setGeometry(x, 190, 121, 57);
  // The boxes are narrow; keep the caption next to the tick readable.
  grpweek->setStyleSheet(QStringLiteral("QCheckBox { spacing: 1px; }"));
  // Seven boxes in two rows, four on top and three below, sized from the
  // group's contents area so that they sit inside the frame, under its title.
  grpweek->ensurePolished();
  const QRect area = grpweek->contentsRect();
  const int w = area.width() / 4 - 6;
  const int h = area.height() / 2;
  for (int k = 1; k <= 7; ++k) {
    auto* c = new QCheckBox(QString::number(k), grpweek);
    c->setGeometry(area.left() + ((k - 1) % 4) * (w + 6) + 5, area.top() + (k <= 4 ? 0 : h), w, h);
    weekBoxes[static_cast<std::size_t>(k)] = c;
  }

  const QStringList captions = {QStringLiteral("添加彩票"), QStringLiteral("删除彩票"), QStringLiteral("打开彩票"),
                                QStringLiteral("退出")};
  std::array<QPushButton**, 4> buttons = {&btnadd, &btndel, &btnopen, &btnext};
  for (int i = 0; i < 4; ++i) {
    *buttons[static_cast<std::size_t>(i)] = new QPushButton(captions[i], this);
    (*buttons[static_cast<std::size_t>(i)])->setGeometry(8 + i * 70, 296, 66, 26);
  }
  btnadd->setEnabled(false);
  btndel->setEnabled(false);
  btnopen->setDefault(true);
  // The list would make its first row current when it takes the focus.
  btnopen->setFocus();

  connect(lstcaipiao, &QListWidget::itemSelectionChanged, this, guarded([this] { lstcaipiaoClick(); }));
  connect(lstcaipiao, &QListWidget::itemDoubleClicked, this, guarded([this] { btnopenClick(); }));
  connect(btnadd, &QPushButton::clicked, this, guarded([this] { btnaddClick(); }));
  connect(btndel, &QPushButton::clicked, this, guarded([this] { btndelClick(); }));
  connect(btnopen, &QPushButton::clicked, this, guarded([this] { btnopenClick(); }));
  connect(btnext, &QPushButton::clicked, this, &QDialog::reject);

  RunGuarded([this] { ListLotteries(); });
  setOptionsEnabled(false, false);
}

void Tfrmindex::setOptionsEnabled(bool nameTimeWeek, bool others) {
  edtcainame->setEnabled(nameTimeWeek);
  edtcaitime->setEnabled(nameTimeWeek);
  grpweek->setEnabled(nameTimeWeek);
  edtcaisum->setEnabled(others);
  edtcaisel->setEnabled(others);
  optcaitype->setEnabled(others);
}

int Tfrmindex::typeIndex() const { return optcaitypeItems->checkedId() < 0 ? 0 : optcaitypeItems->checkedId(); }

QString Tfrmindex::tickedWeekdays() const {
  std::vector<bool> ticked;
  for (int k = 1; k <= 7; ++k) ticked.push_back(weekBoxes[static_cast<std::size_t>(k)]->isChecked());
  return store::WeekdaysText(ticked);
}

void Tfrmindex::ListLotteries() {
  const QSignalBlocker block(lstcaipiao);
  lstcaipiao->clear();
  store::Database db(DatabaseFile());
  lstcaipiao->addItems(db.lotteries());
  // Nothing is chosen until the user picks a lottery: no current item, so no
  // faint highlight that looks like a choice 打开彩票 would not honour.
  lstcaipiao->setCurrentRow(-1);
}

void Tfrmindex::lstcaipiaoClick() {
  QListWidgetItem* item = lstcaipiao->currentItem();
  if (!item || !item->isSelected()) return;
  store::Database db(DatabaseFile());
  const store::LotteryOptions o = db.options(item->text());
  edtcainame->setText(o.name);
  if (QAbstractButton* b = optcaitypeItems->button(o.type)) b->setChecked(true);
  edtcaisum->setText(QString::number(o.numberTotal));
  edtcaisel->setText(QString::number(o.picks));
  edtcaitime->setText(o.drawTime);
  for (int k = 1; k <= 7; ++k)
    weekBoxes[static_cast<std::size_t>(k)]->setChecked(o.weekdays.contains(QString::number(k)));
}

void Tfrmindex::btnaddClick() {
  if (btnadd->text() == QStringLiteral("添加彩票")) {
    btndel->setEnabled(false);
    btnopen->setEnabled(false);
    btnext->setEnabled(false);
    edtcainame->clear();
    edtcaitime->clear();
    for (int k = 1; k <= 7; ++k) weekBoxes[static_cast<std::size_t>(k)]->setChecked(false);
    setOptionsEnabled(true, false);
    btnadd->setText(QStringLiteral("确定添加"));
    edtcainame->setFocus();
    return;
  }
  store::LotteryOptions o;
  o.name = edtcainame->text();
  if (auto problem = store::LotteryNameProblem(o.name)) {
    ShowMessage(*problem, this);
    return;
  }
  o.type = typeIndex();
  o.numberTotal = ToInt32(edtcaisum->text().toStdString());
  o.picks = ToInt32(edtcaisel->text().toStdString());
  o.drawTime = edtcaitime->text();
  o.weekdays = tickedWeekdays();
  {
    store::Database db(DatabaseFile());
    db.createLottery(o);
  }
  ListLotteries();
  btnadd->setText(QStringLiteral("添加彩票"));
  btndel->setEnabled(true);
  btnopen->setEnabled(true);
  btnext->setEnabled(true);
  setOptionsEnabled(false, false);
}

void Tfrmindex::btndelClick() {
  const QString n = edtcainame->text();
  if (n.isEmpty()) {
    ShowMessage(QStringLiteral("请选择你要删除的彩票名称!"), this);
    return;
  }
  if (!prompts().question(this, QStringLiteral("警告"),
                          QStringLiteral("警告：删除该彩票将删除删除所有与该彩票相关的文件，是否确定删除?"),
                          PromptIcon::Warning))
    return;
  {
    store::Database db(DatabaseFile());
    db.dropLottery(n);
  }
  ListLotteries();
}

void Tfrmindex::btnopenClick() {
  const QString n = edtcainame->text();
  if (n.isEmpty()) {
    prompts().message(this, QStringLiteral("错误"), QStringLiteral("请选择彩票！"), PromptIcon::None);
    return;
  }
  // A failure leaves nothing open and the manager up for another choice.
  lotterySession().open(n);
  accept();
}

}  // namespace tavrin
