#pragma once
// Every message box, question, file dialog and print dialog of the program goes
// through the one Prompts object, so that tests can script the answers and
// read back what the user was told.

#include <QString>
#include <memory>

class QWidget;
class QPrinter;

namespace tavrin {

enum class PromptIcon { None, Information, Warning, Error, Question };

class Prompts {
 public:
  virtual ~Prompts() = default;
  // An OK-only box.
  virtual void message(QWidget* owner, const QString& title, const QString& text, PromptIcon icon) = 0;
  // A Yes/No box; true for Yes.
  virtual bool question(QWidget* owner, const QString& title, const QString& text, PromptIcon icon) = 0;
  // Empty when the user cancels.
  virtual QString openFileName(QWidget* owner, const QString& title, const QString& dir, const QString& filter) = 0;
  virtual QString saveFileName(QWidget* owner, const QString& title, const QString& path, const QString& filter) = 0;
  // The same for a file that is replaced without a question when it exists
  // (the database backup).
  virtual QString saveFileNameReplacing(QWidget* owner, const QString& title, const QString& path,
                                        const QString& filter) {
    return saveFileName(owner, title, path, filter);
  }
  // The print dialog on printer; false when cancelled.
  virtual bool printDialog(QWidget* owner, QPrinter& printer) = 0;
};

// The installed prompts (the real dialogs unless a test installed others).
Prompts& prompts();
// Installs p and returns the previous one.
std::unique_ptr<Prompts> setPrompts(std::unique_ptr<Prompts> p);

// The plain message box with the application's title, as windows use for
// their fixed input messages ("请先生成表格！").
void ShowMessage(const QString& text, QWidget* owner = nullptr);

// The standard error box: every error that ends a handler is shown here.
void ShowErrorBox(const QString& text, QWidget* owner = nullptr);

}  // namespace tavrin
