#include "tests/support/test_support.h"

#include <QDir>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include "app/u_public.h"
#include "store/lottery_session.h"

namespace tavrin::test {

void ScriptedPrompts::message(QWidget*, const QString& title, const QString& text, PromptIcon icon) {
  messages.push_back({title, text, icon});
}

bool ScriptedPrompts::question(QWidget*, const QString& title, const QString& text, PromptIcon icon) {
  questions.push_back({title, text, icon});
  if (answers.empty()) return false;
  const bool a = answers.front();
  answers.pop_front();
  return a;
}

QString ScriptedPrompts::openFileName(QWidget*, const QString&, const QString& dir, const QString&) {
  fileDialogPaths << dir;
  if (fileNames.empty()) return {};
  QString f = fileNames.front();
  fileNames.pop_front();
  return f;
}

QString ScriptedPrompts::saveFileName(QWidget*, const QString&, const QString& path, const QString&) {
  fileDialogPaths << path;
  if (fileNames.empty()) return {};
  QString f = fileNames.front();
  fileNames.pop_front();
  return f;
}

bool ScriptedPrompts::printDialog(QWidget*, QPrinter& printer) {
  if (printAnswers.empty()) return false;
  const bool a = printAnswers.front();
  printAnswers.pop_front();
  if (a && onPrint) onPrint(printer);
  return a;
}

QStringList ScriptedPrompts::texts() const {
  QStringList t;
  for (const auto& m : messages) t << m.text;
  return t;
}

QStringList ClippedTitles(const QTableView& view) {
  QStringList clipped;
  const QHeaderView* header = view.horizontalHeader();
  if (header->isHidden()) return clipped;  // a grid without titles
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  for (int c = 0; c < header->count(); ++c) {
    if (header->isSectionHidden(c)) continue;
    const QString title = view.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    const QRect room(0, 0, header->sectionSize(c) - 2 * margin, header->height() - 2 * margin);
    const int flags = int(header->defaultAlignment()) | Qt::TextWordWrap;
    const QRect text = header->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000), flags, title);
    // Word wrap only where the header itself wraps.
    const QRect single = header->fontMetrics().boundingRect(title);
    const bool wraps = header->defaultAlignment() & Qt::TextWordWrap;
    if ((wraps ? text.height() : single.height()) > room.height() || (!wraps && single.width() > room.width()) ||
        (wraps && text.width() > room.width()))
      clipped << title;
  }
  return clipped;
}

void ResetLotterySession() {
  lotterySession().close();
  detail::WritableCurrentLottery() = {};
}

PromptsScope::PromptsScope() {
  auto p = std::make_unique<ScriptedPrompts>();
  p_ = p.get();
  previous_ = setPrompts(std::move(p));
}

PromptsScope::~PromptsScope() { setPrompts(std::move(previous_)); }

TempAppDir::TempAppDir(bool withDefaultDatabase) {
  previous_ = AppDir();
  SetAppDir(dir_.path());
  for (const char* d : kDataFolders) QDir().mkpath(path() + QString::fromUtf8(d));
  if (withDefaultDatabase) store::EnsureDefaultDatabase(databaseFile());
}

TempAppDir::~TempAppDir() { SetAppDir(previous_); }

QString TempAppDir::path() const { return dir_.path() + QLatin1Char('/'); }

QString TempAppDir::databaseFile() const { return path() + QStringLiteral("数据库/彩票数据.mdb"); }

void TempAppDir::addDraws(const QString& lottery, const std::vector<int>& numbers, int firstIssue) {
  store::Database db(databaseFile());
  db.appendDraws(lottery, MakeDraws(numbers, firstIssue, db.numberColumns(lottery)));
}

}  // namespace tavrin::test
