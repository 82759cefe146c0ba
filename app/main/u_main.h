#pragma once
// The main window: the multi-document frame with the menus, the toolbar and
// its trend tabs, the background picture and the banner. It opens every other
// window and nothing else.

#include <QMainWindow>
#include <QPointer>
#include <array>

#include "app/main/single_windows.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTabBar;
class QToolBar;
class QToolButton;

namespace tavrin {

class Tfrmindex;

class Tfrmmain : public QMainWindow {
  Q_OBJECT
 public:
  explicit Tfrmmain(QWidget* parent = nullptr);
  ~Tfrmmain() override;

  // Menus and toolbar, named as the rest of the program speaks of them.
  QAction *mnuopen, *mnuclose, *mnuexit;
  QAction *mnumoddata, *mnudownload, *mnubackupdata, *mnustoredata;
  QAction *mnucode, *mnushengxiao, *mnujijie, *mnufangwei;
  QAction *mnupiantai, *mnuyilou, *mnusep, *mnuqingmi;
  QAction *mnugudingjihua, *mnujieduanjihua, *mnukeibianjihua, *mnutozi;
  QAction *mnuweb1, *mnuweb2, *mnuweb3, *mnuweb4;
  QAction *mnuhelpcotent, *mnumyname, *mnumail, *mnuhelpabout;
  QToolBar* tlbmain;
  QToolButton *tlbopen, *tlbdata, *tlbpiantai, *tlbyilou, *tlblunhuan, *tlbgudingjihua, *tlbexit;
  QTabBar* tabmain;
  QMdiArea* mdi;
  QWidget* pan;  // the banner
  QLabel* imggif;
  QLabel* panclose;

  void mnuopenClick();
  void mnucloseClick();
  void mnumoddataClick();
  void mnudownloadClick();
  // Backup and restore of the whole database file.
  void mnubackupdataClick();
  void mnustoredataClick();
  void tabmainChange();
  void UpdateMenuState();
  // What the session's signals do to this window. Opened: places and shows
  // the tabs, selects tab 0, sets the caption and creates the number trend
  // window. About to close: stops the background work of every window, then
  // destroys the trend window and lets go of the single windows. Closed:
  // hides the tabs and resets the caption and the menus.
  void lotteryOpened(const QString& name);
  void lotteryAboutToClose();
  void lotteryClosed();

  // The single window of this kind, made on first use; nullptr while it is
  // not built.
  QWidget* showSingle(SingleWindow which);
  QWidget* single(SingleWindow which) const { return singles_[static_cast<std::size_t>(which)]; }
  Tfrmindex* lotteryManager() const { return frmindex_; }
  // The trend child in the client area, or nullptr.
  QWidget* trendWindow() const;
  // The busy check of the data and download entries: true to go on.
  bool busyCheck();

 signals:
  // The main window was closed: the program ends, whatever floats above it.
  void closed();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void buildMenus();
  void buildToolbar();
  void buildBanner();
  void startBanner();
  void showBanner(const QString& file);
  void layoutTabs();
  void destroyChildren();
  void openUrl(const QString& url);
  void showModal(QWidget* (*factory)(QWidget*), const QString& caption);
  QAction* trendAction(int index) const;

  std::array<QPointer<QWidget>, kSingleWindowCount> singles_{};
  Tfrmindex* frmindex_ = nullptr;
  QAction* tabAction_ = nullptr;
};

}  // namespace tavrin
