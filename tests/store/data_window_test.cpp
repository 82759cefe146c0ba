#include <gtest/gtest.h>

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolButton>

#include "store/draw_table_model.h"
#include "store/lottery_store.h"
#include "store/u_data.h"
#include "tests/support/http_fakes.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using namespace tavrin::test;
using State = store::DrawTableModel::State;

namespace {

const QString kDefault = QStringLiteral("南粤风采36选7");

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class DataWindowTest : public ::testing::Test {
 protected:
  TempAppDir app;
  PromptsScope prompts;
  std::unique_ptr<Tfrmdata> w;

  void SetUp() override {
    app.addDraws(kDefault, {1, 2, 3, 4, 5});
    w = std::make_unique<Tfrmdata>();
    w->show();
  }
  void choose() { w->lstcaipiao->setCurrentRow(0); }
  void type(int row, int column, const QString& text) {
    ASSERT_TRUE(w->rst()->setData(w->rst()->index(row, column), text));
  }
  void click(DataNavigator::Button b) { w->dbv_caipiao->button(b)->click(); }
  // The navigator's buttons as ten '1' (usable) and '0' (not), first to refresh.
  QString navigator() const {
    QString s;
    for (int b = 0; b < DataNavigator::Count; ++b)
      s += w->dbv_caipiao->button(static_cast<DataNavigator::Button>(b))->isEnabled() ? '1' : '0';
    return s;
  }
  QStringList issues() {
    store::Database db(app.databaseFile());
    QStringList out;
    for (const DrawRecord& r : db.snapshot(kDefault, -1).rows) out << QString::fromStdString(r.issue);
    return out;
  }
};

}  // namespace

TEST_F(DataWindowTest, StartsWithNothingChosen) {
  EXPECT_EQ(w->windowTitle(), QStringLiteral("彩票数据"));
  EXPECT_EQ(w->size(), QSize(551, 465));
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  ASSERT_EQ(w->lstcaipiao->count(), 1);
  EXPECT_EQ(w->lstcaipiao->item(0)->text(), kDefault);
  EXPECT_EQ(w->rst(), nullptr);
  EXPECT_FALSE(w->btnedit->isEnabled());
  EXPECT_FALSE(w->btnadd->isEnabled());
  EXPECT_FALSE(w->dbv_caipiao->isEnabled());
  EXPECT_TRUE(w->btnsave->isEnabled());
  EXPECT_TRUE(w->btnext->isEnabled());
  QStringList hints;
  for (int b = 0; b < DataNavigator::Count; ++b)
    hints << w->dbv_caipiao->button(static_cast<DataNavigator::Button>(b))->toolTip();
  EXPECT_EQ(
      hints.join(','),
      QStringLiteral("首条记录,前面一条,下面一条,最末记录,添加记录,删除记录,修改记录,保存修改,取消修改,刷新记录"));
  EXPECT_EQ(w->btnadd->toolTip(), QStringLiteral("添加记录"));
}

TEST_F(DataWindowTest, ChoosingALotteryShowsItsNewestRowWithoutReadingTheRest) {
  app.addDraws(kDefault, std::vector<int>(20000, 7), 3000001);
  choose();
  ASSERT_NE(w->rst(), nullptr);
  EXPECT_EQ(w->rst()->rowCount(), 20005);
  EXPECT_EQ(w->currentRow(), 20004);
  WaitFor([] { return false; }, 50);  // let the grid paint
  EXPECT_EQ(w->rst()->data(w->rst()->index(w->currentRow(), 0)).toString(), QStringLiteral("3020000"));
  EXPECT_LT(w->rst()->rowsRead(), 200);
  EXPECT_TRUE(w->btnedit->isEnabled());
  EXPECT_FALSE(w->dbv_caipiao->isEnabled());
  EXPECT_GE(w->grdcaipiao->columnWidth(0), 70);
  EXPECT_EQ(w->grdcaipiao->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("记录期号"));
}

TEST_F(DataWindowTest, ButtonsFollowTheAddingState) {
  choose();
  // Viewing: the grid takes typing until the first 完成添加.
  EXPECT_NE(w->grdcaipiao->editTriggers(), QAbstractItemView::NoEditTriggers);

  w->btnedit->click();
  EXPECT_EQ(w->btnedit->text(), QStringLiteral("完成添加"));
  EXPECT_FALSE(w->btnext->isEnabled());
  EXPECT_TRUE(w->btnadd->isEnabled());
  EXPECT_TRUE(w->dbv_caipiao->isEnabled());
  EXPECT_EQ(w->rst()->state(), State::Edit);
  EXPECT_EQ(w->rst()->editRow(), 4);
  // On the newest row, editing: back yes, forward no, post and cancel yes.
  EXPECT_EQ(navigator(), QStringLiteral("1100110111"));

  click(DataNavigator::Post);
  EXPECT_EQ(w->rst()->state(), State::Browse);
  EXPECT_EQ(navigator(), QStringLiteral("1100111001"));
  click(DataNavigator::First);
  EXPECT_EQ(w->currentRow(), 0);
  EXPECT_EQ(navigator(), QStringLiteral("0011111001"));
  click(DataNavigator::Next);
  EXPECT_EQ(w->currentRow(), 1);
  EXPECT_EQ(navigator(), QStringLiteral("1111111001"));

  w->btnedit->click();
  EXPECT_EQ(w->btnedit->text(), QStringLiteral("开始添加"));
  EXPECT_TRUE(w->btnext->isEnabled());
  EXPECT_FALSE(w->btnadd->isEnabled());
  EXPECT_FALSE(w->dbv_caipiao->isEnabled());
  EXPECT_EQ(w->grdcaipiao->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(DataWindowTest, PlusSitsOverTheInsertButton) {
  w->dbv_caipiao->setGeometry(184, 300, 330, 28);
  w->FormResize();
  EXPECT_EQ(w->btnadd->geometry(), QRect(316, 300, 33, 28));
  // Wherever the window's size puts the navigator.
  for (const QSize size : {QSize(700, 520), QSize(551, 465), QSize(900, 700)}) {
    w->resize(size);
    QToolButton* insert = w->dbv_caipiao->button(DataNavigator::Insert);
    const QRect under(insert->mapTo(w.get(), QPoint(0, 0)), insert->size());
    EXPECT_EQ(w->btnadd->geometry(), under) << size.width();
  }
}

TEST_F(DataWindowTest, ClosingWhileAddingIsRefused) {
  choose();
  w->btnedit->click();
  w->close();
  EXPECT_TRUE(w->isVisible());
  w->reject();  // Escape
  EXPECT_TRUE(w->isVisible());
  ASSERT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(prompts->messages[0].title, QStringLiteral("警告"));
  EXPECT_EQ(prompts->messages[0].text, QStringLiteral("请单击《完成添加》按钮保存添加"));
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Warning);
  w->btnedit->click();
  w->close();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(prompts->messages.size(), 2u);
}

TEST_F(DataWindowTest, ARefusedPostShowsTheDatabasesMessageAndKeepsTheRow) {
  choose();
  w->btnedit->click();
  type(4, 0, QStringLiteral("20010051"));  // eight characters
  click(DataNavigator::First);             // leaving the row posts it
  ASSERT_TRUE(WaitFor([&] { return !prompts->messages.empty(); }));
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Error);
  EXPECT_TRUE(prompts->messages[0].text.contains(QStringLiteral("CHECK constraint failed")))
      << prompts->messages[0].text.toStdString();
  EXPECT_EQ(w->rst()->state(), State::Edit);
  EXPECT_EQ(w->rst()->editRow(), 4);
  EXPECT_EQ(w->currentRow(), 4);
  EXPECT_EQ(w->rst()->data(w->rst()->index(4, 0)).toString(), QStringLiteral("20010051"));

  // 完成添加 posts too: refused, the window stays adding.
  w->btnedit->click();
  EXPECT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(w->btnedit->text(), QStringLiteral("完成添加"));
  EXPECT_EQ(issues().last(), QStringLiteral("2001005"));

  type(4, 0, QStringLiteral("2001009"));
  w->btnedit->click();
  EXPECT_EQ(w->btnedit->text(), QStringLiteral("开始添加"));
  EXPECT_EQ(issues().last(), QStringLiteral("2001009"));
}

TEST_F(DataWindowTest, AppendedRowsArePostedAndTakeTheirOrderOnTheNextLoad) {
  choose();
  w->btnedit->click();
  w->btnadd->click();
  EXPECT_EQ(w->rst()->state(), State::Insert);
  EXPECT_EQ(w->currentRow(), 5);
  // Typed through the grid's own field editor, left open when 完成添加 is clicked.
  const QModelIndex issueCell = w->rst()->index(5, 0);
  w->grdcaipiao->edit(issueCell);
  auto* editor = w->grdcaipiao->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("2000001"));
  for (int c = 1; c <= 7; ++c) type(5, c, QString::number(c + 10));
  // "+" again posts the row and begins another; nothing typed there, it goes.
  w->btnadd->click();
  EXPECT_EQ(w->rst()->rowCount(), 7);
  w->btnedit->click();
  EXPECT_EQ(w->rst()->rowCount(), 6);
  EXPECT_EQ(w->rst()->data(w->rst()->index(5, 0)).toString(), QStringLiteral("2000001"));
  EXPECT_EQ(issues().size(), 6);

  w->lstcaipiaoClick();
  EXPECT_EQ(w->rst()->data(w->rst()->index(0, 0)).toString(), QStringLiteral("2000001"));
  EXPECT_EQ(w->rst()->data(w->rst()->index(0, 7)).toString(), QStringLiteral("17"));
}

TEST_F(DataWindowTest, ExportWithoutALotteryAsksForOne) {
  prompts->fileNames.push_back(app.path() + QStringLiteral("x.txt"));
  w->btnsave->click();
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].title, QStringLiteral("错误"));
  EXPECT_EQ(prompts->messages[0].text, QStringLiteral("请选择要导出的彩票！"));
  EXPECT_TRUE(prompts->fileDialogPaths.isEmpty());
}

TEST_F(DataWindowTest, ExportWritesTheFileChosenWithTheTypedRowPostedFirst) {
  choose();
  w->btnedit->click();
  w->btnadd->click();
  type(5, 0, QStringLiteral("2001006"));
  for (int c = 1; c <= 7; ++c) type(5, c, QString::number(c));
  prompts->fileNames.push_back(app.path() + QStringLiteral("附属/导出"));  // no extension typed
  w->btnsave->click();
  EXPECT_EQ(prompts->fileDialogPaths.value(0), app.path() + QStringLiteral("附属/南粤风采36选7历史号码.txt"));
  EXPECT_EQ(prompts->lastText(), QStringLiteral("成功保存！"));
  const QByteArray bytes = readAll(app.path() + QStringLiteral("附属/导出.txt"));
  EXPECT_TRUE(bytes.startsWith("2001001 02 03 04 05 06 07 01 \r\n2001002 ")) << bytes.toStdString();
  EXPECT_TRUE(bytes.endsWith("2001005 02 03 04 05 06 07 05 \r\n2001006 01 02 03 04 05 06 07 \r\n"))
      << bytes.toStdString();
  EXPECT_EQ(w->rst()->state(), State::Browse);
}

TEST_F(DataWindowTest, AFailedExportLeavesTheOldFileAndNamesTheIssue) {
  {
    store::Database db(app.databaseFile());
    QSqlQuery q(db.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE \"南粤风采36选7彩票号码表\" SET \"3\"=NULL WHERE 记录期号='2001004'")));
  }
  const QString target = app.path() + QStringLiteral("附属/旧.txt");
  {
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("earlier export\r\n");
  }
  choose();
  prompts->fileNames.push_back(target);
  w->btnsave->click();
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_EQ(prompts->messages[0].icon, PromptIcon::Error);
  EXPECT_TRUE(prompts->messages[0].text.contains(QStringLiteral("2001004"))) << prompts->lastText().toStdString();
  EXPECT_EQ(readAll(target), QByteArray("earlier export\r\n"));
}
