#pragma once
// What the suites share: a scripted Prompts that records every message and
// answers questions and file choices from a queue, and a temporary program
// folder with its own database.

#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <deque>
#include <memory>

#include "app/prompts.h"
#include "store/lottery_store.h"
#include "tests/support/core_support.h"

namespace tavrin::test {

struct ShownMessage {
  QString title;
  QString text;
  PromptIcon icon;
};

class ScriptedPrompts final : public Prompts {
 public:
  std::vector<ShownMessage> messages;
  std::vector<ShownMessage> questions;
  std::deque<bool> answers;       // for question(); No when empty
  std::deque<QString> fileNames;  // for open/save; cancel when empty
  std::deque<bool> printAnswers;  // for printDialog(); cancel when empty
  QStringList fileDialogPaths;    // the path or folder each file dialog was given
  // Called with the printer before the print dialog "returns OK", so a test
  // can point it at a PDF file.
  std::function<void(QPrinter&)> onPrint;

  void message(QWidget*, const QString& title, const QString& text, PromptIcon icon) override;
  bool question(QWidget*, const QString& title, const QString& text, PromptIcon icon) override;
  QString openFileName(QWidget*, const QString& title, const QString& dir, const QString& filter) override;
  QString saveFileName(QWidget*, const QString& title, const QString& path, const QString& filter) override;
  bool printDialog(QWidget*, QPrinter& printer) override;

  QStringList texts() const;
  QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
};

// Installs a ScriptedPrompts for the lifetime of the object.
class PromptsScope {
 public:
  PromptsScope();
  ~PromptsScope();
  ScriptedPrompts& operator*() { return *p_; }
  ScriptedPrompts* operator->() { return p_; }

 private:
  ScriptedPrompts* p_;
  std::unique_ptr<Prompts> previous_;
};

// Every column title of view is readable in full: as the header draws it
// (broken onto lines where it must), it fits in its section. Returns the
// titles that do not, empty when all fit.
QStringList ClippedTitles(const QTableView& view);

// Closes any open lottery and forgets everything CurrentLottery held, so
// that a test starts as the program does.
void ResetLotterySession();

// A temporary AppDir with 数据库/彩票数据.mdb holding the default lottery;
// AppDir points at it for the lifetime of the object.
class TempAppDir {
 public:
  explicit TempAppDir(bool withDefaultDatabase = true);
  ~TempAppDir();
  QString path() const;  // with trailing "/"
  QString databaseFile() const;
  // Appends draws "2001001".. with field 7 taken from numbers.
  void addDraws(const QString& lottery, const std::vector<int>& numbers, int firstIssue = 2001001);

 private:
  QTemporaryDir dir_;
  QString previous_;
};

}  // namespace tavrin::test
