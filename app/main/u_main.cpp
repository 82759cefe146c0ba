#include "app/main/u_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/background_work.h"
#include "app/floating.h"
#include "app/guard.h"
#include "app/u_public.h"
#include "app/windows.h"
#include "base/atomic_file.h"
#include "base/http_client.h"
#include "store/database_file.h"
#include "store/lottery_session.h"
#include "store/u_index.h"

namespace tavrin {

namespace {

constexpr int kBannerTimeoutMs = 4000;

// The client area paints the background picture stretched over it.
class BackgroundArea final : public QMdiArea {
 public:
  using QMdiArea::QMdiArea;
  void setPicture(const QPixmap& p) {
    picture_ = p;
    viewport()->update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), QColor(192, 192, 192));
    if (!picture_.isNull()) p.drawPixmap(viewport()->rect(), picture_);
  }

 private:
  QPixmap picture_;
};

// A label that reports clicks (the banner picture and its close box).
class ClickLabel final : public QLabel {
 public:
  explicit ClickLabel(QWidget* parent, std::function<void()> onClick) : QLabel(parent), onClick_(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) onClick_();
  }

 private:
  std::function<void()> onClick_;
};

const char* const kTabs[] = {"开奖号码走势", "开奖生肖走势", "开奖季节走势", "开奖方位走势"};

}  // namespace

Tfrmmain::Tfrmmain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Tavrin"));
  auto* area = new BackgroundArea(this);
  mdi = area;
  mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi);
  buildMenus();
  buildToolbar();
  buildBanner();

  LotterySession& session = lotterySession();
  connect(&session, &LotterySession::opened, this, guarded<QString>([this](const QString& n) { lotteryOpened(n); }));
  connect(&session, &LotterySession::aboutToClose, this, guarded([this] { lotteryAboutToClose(); }));
  connect(&session, &LotterySession::closed, this, guarded([this] { lotteryClosed(); }));
  UpdateMenuState();

  // Left over from an earlier run; a fresh one is fetched below.
  QFile::remove(AppPath(QStringLiteral("guanggao.gif")));
  startBanner();

  const QString back = AppPath(QStringLiteral("图片/back.bmp"));
  QPixmap pix(back);
  if (pix.isNull())
    ShowErrorBox(QStringLiteral("无法打开背景图片：") + back);
  else
    area->setPicture(pix);
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::buildMenus() {
  auto act = [this](QMenu* m, const QString& text, auto handler) {
    QAction* a = m->addAction(text);
    connect(a, &QAction::triggered, this, guarded([this, handler] { (this->*handler)(); }));
    return a;
  };
  auto actFn = [this](QMenu* m, const QString& text, std::function<void()> fn) {
    QAction* a = m->addAction(text);
    connect(a, &QAction::triggered, this, guarded([fn] { fn(); }));
    return a;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  mnuopen = act(file, QStringLiteral("打开彩票(&O)"), &Tfrmmain::mnuopenClick);
  mnuclose = act(file, QStringLiteral("关闭彩票(&G)"), &Tfrmmain::mnucloseClick);
  file->addSeparator();
  mnuexit = actFn(file, QStringLiteral("退出(&X)"), [this] { close(); });

  QMenu* data = menuBar()->addMenu(QStringLiteral("彩票数据(&D)"));
  mnumoddata = act(data, QStringLiteral("数据添加(&M)"), &Tfrmmain::mnumoddataClick);
  mnudownload = act(data, QStringLiteral("数据下载(&D)"), &Tfrmmain::mnudownloadClick);
  data->addSeparator();
  mnubackupdata = act(data, QStringLiteral("数据备份(&B)"), &Tfrmmain::mnubackupdataClick);
  mnustoredata = act(data, QStringLiteral("数据恢复(&C)"), &Tfrmmain::mnustoredataClick);

  QMenu* ana = menuBar()->addMenu(QStringLiteral("数据分析(&A)"));
  const char* const trendEntries[] = {"开奖号码走势(&C)", "开奖生肖走势(&S)", "开奖季节走势(&J)", "开奖方位走势(&F)"};
  QAction** trendActs[] = {&mnucode, &mnushengxiao, &mnujijie, &mnufangwei};
  for (int i = 0; i < 4; ++i)
    *trendActs[i] = actFn(ana, QString::fromUtf8(trendEntries[i]), [this, i] {
      {
        const QSignalBlocker block(tabmain);
        tabmain->setCurrentIndex(i);
      }
      tabmainChange();
    });

  auto addSingles = [this, &actFn](QMenu* m, SingleMenu which) {
    for (const SingleWindowEntry& e : SingleWindows())
      if (e.menu == which)
        this->*e.action = actFn(m, QString::fromUtf8(e.entry), [this, id = e.id] { showSingle(id); });
  };
  QMenu* sel = menuBar()->addMenu(QStringLiteral("选号过滤(&S)"));
  addSingles(sel, SingleMenu::Selection);

  QMenu* inv = menuBar()->addMenu(QStringLiteral("投资管理(&M)"));
  addSingles(inv, SingleMenu::Investment);

  QMenu* web = menuBar()->addMenu(QStringLiteral("彩票网站(&W)"));
  mnuweb1 = actFn(web, QStringLiteral("Orlek彩票信息网"), [this] { openUrl(VendorUrl() + QStringLiteral("/")); });
  mnuweb2 =
      actFn(web, QStringLiteral("中国体育彩票网"), [this] { openUrl(QStringLiteral("https://www.lottery.gov.cn/")); });
  mnuweb3 =
      actFn(web, QStringLiteral("中国福利彩票网"), [this] { openUrl(QStringLiteral("https://www.cwl.gov.cn/")); });
  mnuweb4 = actFn(web, QStringLiteral("中国时时彩官网"),
                  [this] { openUrl(VendorUrl() + QStringLiteral("/assist/bonusvideo.aspx?lt=4")); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  mnuhelpcotent = actFn(help, QStringLiteral("使用帮助(&C)"), [this] {
    // The compiled help when the user has one, else the guide we ship.
    const QString chm = AppPath(QStringLiteral("帮助/Tavrin帮助.chm"));
    openUrl(QUrl::fromLocalFile(QFileInfo::exists(chm) ? chm : AppPath(QStringLiteral("帮助/index.html"))).toString());
  });
  mnumyname =
      actFn(help, QStringLiteral("官方网站(&G)"), [this] { openUrl(VendorUrl() + QStringLiteral("/index.asp")); });
  // The maker's instant-messenger contact, the address the splash shows, in
  // the desktop's browser.
  mnumail =
      actFn(help, QStringLiteral("有事Q我(&M)"), [this] { openUrl(QStringLiteral("http://chat.orlek.example")); });
  addSingles(help, SingleMenu::Help);
}

void Tfrmmain::buildToolbar() {
  tlbmain = addToolBar(QStringLiteral("tlbmain"));
  tlbmain->setMovable(false);
  tlbmain->setFloatable(false);
  tlbmain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tlbmain->setIconSize(QSize(16, 16));
  auto button = [this](const char* name, const QString& caption, const QString& hint, std::function<void()> fn,
                       QStyle::StandardPixmap fallback) {
    auto* b = new QToolButton(tlbmain);
    b->setObjectName(QString::fromLatin1(name));
    const QString iconFile = AppPath(QStringLiteral("图片/toolbar/%1.png").arg(QString::fromLatin1(name)));
    b->setIcon(QFileInfo::exists(iconFile) ? QIcon(iconFile) : style()->standardIcon(fallback));
    b->setText(caption);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumSize(55, 36);
    b->setIconSize(QSize(16, 16));
    connect(b, &QToolButton::clicked, this, guarded([fn] { fn(); }));
    tlbmain->addWidget(b);
    return b;
  };
  tlbopen = button(
      "tlbopen", QStringLiteral("打开彩票"), QStringLiteral("打开彩票"), [this] { mnuopenClick(); },
      QStyle::SP_DialogOpenButton);
  tlbdata = button(
      "tlbdata", QStringLiteral("彩票数据"), QStringLiteral("彩票数据"), [this] { mnumoddataClick(); },
      QStyle::SP_FileDialogDetailedView);
  tlbpiantai = button(
      "tlbpiantai", QStringLiteral("偏态选号"), QStringLiteral("中奖偏态分析选号"),
      [this] { showSingle(SingleWindow::piantai); }, QStyle::SP_FileDialogContentsView);
  tlbyilou = button(
      "tlbyilou", QStringLiteral("回补选号"), QStringLiteral("中奖回补分析选号"),
      [this] { showSingle(SingleWindow::yilou); }, QStyle::SP_BrowserReload);
  tlblunhuan = button(
      "tlblunhuan", QStringLiteral("亲密选号"), QStringLiteral("最优亲爱数字选号"),
      [this] { showSingle(SingleWindow::qingmi); }, QStyle::SP_DialogYesButton);
  tlbgudingjihua = button(
      "tlbgudingjihua", QStringLiteral("投资计划"), QStringLiteral("投资计划"),
      [this] { showSingle(SingleWindow::gudingjihua); }, QStyle::SP_DriveHDIcon);
  tlbexit = button(
      "tlbexit", QStringLiteral("退出"), QStringLiteral("退出系统"), [this] { close(); }, QStyle::SP_DialogCloseButton);

  tabmain = new QTabBar(tlbmain);
  tabmain->setObjectName(QStringLiteral("tabmain"));
  for (const char* t : kTabs) tabmain->addTab(QString::fromUtf8(t));
  tabmain->setCurrentIndex(0);
  tabmain->setExpanding(false);
  tabmain->setDrawBase(false);
  // Choosing another tab replaces the trend window; a click on the tab
  // already shown keeps it, with the user's place in it. The trend entries
  // set the index without this signal and rebuild the window themselves.
  connect(tabmain, &QTabBar::currentChanged, this, guarded<int>([this](int index) {
            if (index >= 0) tabmainChange();
          }));
  tabAction_ = tlbmain->addWidget(tabmain);
  tabAction_->setVisible(false);
}

void Tfrmmain::buildBanner() {
  pan = new QWidget(this);
  pan->setObjectName(QStringLiteral("pan"));
  pan->setFixedSize(900, 120);
  imggif = new ClickLabel(pan, [this] {
    openUrl(QStringLiteral("http://ad.orlek.example/click.asp?key=5f2b9c0e7a4d41c3b8e6d0a19f3c7e25"));
  });
  imggif->setGeometry(0, 0, 900, 120);
  imggif->setScaledContents(true);
  imggif->setCursor(Qt::PointingHandCursor);
  panclose = new ClickLabel(pan, [this] { pan->hide(); });
  panclose->setText(QStringLiteral("×"));
  panclose->setGeometry(840, 10, 25, 25);
  panclose->setAlignment(Qt::AlignCenter);
  panclose->setStyleSheet(QStringLiteral("background:#404040; color:white; font-size:24px;"));
  panclose->setCursor(Qt::PointingHandCursor);
  pan->hide();  // shown once a banner has actually arrived
}

void Tfrmmain::startBanner() {
  // The banner is fetched in the background with a short timeout: a start
  // without network neither waits nor shows anything. The picture and its
  // text must both arrive.
  const QString base = VendorUrl();
  httpClient().get(QUrl(base + QStringLiteral("/guanggao.gif")), kBannerTimeoutMs, this,
                   [this, base](const HttpResponse& gif) {
                     if (!gif.ok()) return;
                     const QString file = AppPath(QStringLiteral("guanggao.gif"));
                     if (WriteFileAtomically(file, gif.body)) return;
                     httpClient().get(QUrl(base + QStringLiteral("/ggurl.txt")), kBannerTimeoutMs, this,
                                      [this, file](const HttpResponse& txt) {
                                        if (txt.ok()) showBanner(file);
                                      });
                   });
}

void Tfrmmain::showBanner(const QString& file) {
  auto* movie = new QMovie(file, "GIF", imggif);
  if (!movie->isValid()) {  // not a picture after all: no banner
    delete movie;
    return;
  }
  imggif->setMovie(movie);
  movie->start();
  pan->move((width() - pan->width()) / 2, 200);
  pan->show();
  pan->raise();
}

void Tfrmmain::closeEvent(QCloseEvent* e) {
  QMainWindow::closeEvent(e);
  if (!e->isAccepted()) return;
  // The program ends: background work stops before any window goes.
  for (const QPointer<QWidget>& w : singles_) StopBackgroundWork(w.data());
  emit closed();
}

void Tfrmmain::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  layoutTabs();
}

void Tfrmmain::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  pan->move((width() - pan->width()) / 2, 200);
}

void Tfrmmain::layoutTabs() {
  // The tabs start right after 退出 and end 10 pixels before the toolbar's edge.
  if (!tabmain || !tlbexit) return;
  const int left = tlbexit->geometry().right() + 1;
  const int w = tlbmain->contentsRect().width() - left - 10;
  tabmain->setFixedWidth(std::max(w, 100));
}

QAction* Tfrmmain::trendAction(int index) const {
  const std::array<QAction*, 4> a = {mnucode, mnushengxiao, mnujijie, mnufangwei};
  return index >= 0 && index < 4 ? a[static_cast<std::size_t>(index)] : nullptr;
}

void Tfrmmain::destroyChildren() {
  const QList<QMdiSubWindow*> subs = mdi->subWindowList(QMdiArea::CreationOrder);
  for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
    QMdiSubWindow* s = *it;
    mdi->removeSubWindow(s);
    s->close();
    delete s;
  }
}

QWidget* Tfrmmain::trendWindow() const {
  const QList<QMdiSubWindow*> subs = mdi->subWindowList();
  return subs.isEmpty() ? nullptr : subs.first()->widget();
}

void Tfrmmain::tabmainChange() {
  destroyChildren();
  const int index = tabmain->currentIndex();
  if (index < 0 || index > 3) return;
  QWidget* w = CreateTrendWindow(index, nullptr);
  if (!w) {
    ShowMessage(NotBuiltText(QString::fromUtf8(kTabs[index])), this);
    return;
  }
  QMdiSubWindow* sub = mdi->addSubWindow(w, Qt::FramelessWindowHint);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->showMaximized();
  w->setFocus();
}

void Tfrmmain::UpdateMenuState() {
  const bool open = CurrentLottery().open;
  for (QAction* a : {mnupiantai, mnuyilou, mnusep, mnuqingmi}) a->setEnabled(open);
  for (QToolButton* b : {tlbpiantai, tlbyilou, tlblunhuan, tlbgudingjihua}) b->setEnabled(open);
}

void Tfrmmain::lotteryOpened(const QString& name) {
  layoutTabs();
  {
    const QSignalBlocker block(tabmain);
    tabmain->setCurrentIndex(0);
  }
  tabAction_->setVisible(true);
  setWindowTitle(QStringLiteral("Tavrin《") + name + QStringLiteral("》"));
  UpdateMenuState();
  tabmainChange();
}

void Tfrmmain::lotteryAboutToClose() {
  // Work on other threads ends first: nothing may use a window after it goes.
  for (QMdiSubWindow* s : mdi->subWindowList()) StopBackgroundWork(s->widget());
  for (const QPointer<QWidget>& w : singles_) StopBackgroundWork(w.data());
  destroyChildren();
  for (const SingleWindowEntry& e : SingleWindows()) {
    if (e.keptForTheRun) continue;
    QPointer<QWidget>& w = singles_[static_cast<std::size_t>(e.id)];
    if (w) {
      w->close();
      w->deleteLater();
    }
    w = nullptr;
  }
}

void Tfrmmain::lotteryClosed() {
  tabAction_->setVisible(false);
  setWindowTitle(QStringLiteral("Tavrin"));
  UpdateMenuState();
}

void Tfrmmain::mnuopenClick() {
  lotterySession().close();
  if (!frmindex_) frmindex_ = new Tfrmindex(this);
  frmindex_->exec();
}

void Tfrmmain::mnucloseClick() { lotterySession().close(); }

bool Tfrmmain::busyCheck() {
  if (mdi->subWindowList().isEmpty()) return true;
  if (!prompts().question(this, QStringLiteral("数据管理"), QStringLiteral("正在进行数据分析，是否关闭？"),
                          PromptIcon::Question))
    return false;
  mnucloseClick();
  return true;
}

void Tfrmmain::showModal(QWidget* (*factory)(QWidget*), const QString& caption) {
  QWidget* w = factory(this);
  if (!w) {
    ShowMessage(NotBuiltText(caption), this);
    return;
  }
  std::unique_ptr<QWidget> owner(w);
  w->setWindowModality(Qt::ApplicationModal);
  if (auto* d = qobject_cast<QDialog*>(w))
    d->exec();
  else
    w->show();
  if (!qobject_cast<QDialog*>(w)) owner.release()->setAttribute(Qt::WA_DeleteOnClose);
}

void Tfrmmain::mnumoddataClick() {
  if (!busyCheck()) return;
  showModal(&CreateTfrmdata, QStringLiteral("彩票数据"));
}

void Tfrmmain::mnudownloadClick() {
  if (!busyCheck()) return;
  showModal(&CreateTfrmdownload2, QStringLiteral("数据下载"));
}

namespace {

const char* const kDatabaseFilter = "数据库(*.mdb)|*.mdb";

// The folder the backup and restore dialogs open in, with the file name
// after it when there is one; the dialog's own folder when there is no
// desktop.
QString inDesktop(const QString& fileName) {
  const QString desktop = ShellFolderPath(QStringLiteral("Desktop"));
  if (desktop.isEmpty()) return fileName;
  return fileName.isEmpty() ? desktop : desktop + QLatin1Char('/') + fileName;
}

}  // namespace

void Tfrmmain::mnubackupdataClick() {
  QString target = prompts().saveFileNameReplacing(
      this, QStringLiteral("数据备份"), inDesktop(QStringLiteral("彩票数据")), QString::fromUtf8(kDatabaseFilter));
  if (target.isEmpty()) return;
  if (QFileInfo(target).suffix().isEmpty()) target += QStringLiteral(".mdb");
  // A consistent copy even while the lottery is open, which it stays; an
  // existing backup is replaced only by a complete one.
  store::BackupDatabase(DatabaseFile(), target);
  ShowMessage(QStringLiteral("成功备份！"), this);
}

void Tfrmmain::mnustoredataClick() {
  // Before the dialog, so also when the user then cancels: nothing may hold
  // the file that is about to be replaced.
  mnucloseClick();
  QString source = prompts().openFileName(this, QStringLiteral("数据恢复"), inDesktop(QString()),
                                          QString::fromUtf8(kDatabaseFilter));
  if (source.isEmpty()) return;
  if (!QFileInfo::exists(source) && QFileInfo(source).suffix().isEmpty()) source += QStringLiteral(".mdb");
  // Checked, converted when it is an Access file, and put in place whole;
  // on any failure the database stays exactly as it was.
  const store::RestoreResult result = store::RestoreDatabase(source, DatabaseFile());
  ShowMessage(result.message(), this);
}

QWidget* Tfrmmain::showSingle(SingleWindow which) {
  const SingleWindowEntry& e = SingleWindowOf(which);
  QPointer<QWidget>& w = singles_[static_cast<std::size_t>(which)];
  if (!w) {
    QWidget* made = e.make ? e.make(this) : nullptr;
    if (!made) {
      ShowMessage(NotBuiltText(QString::fromUtf8(e.caption)), this);
      return nullptr;
    }
    if (e.floating) MakeFloating(made);
    w = made;
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

void Tfrmmain::openUrl(const QString& url) {
  // A missing handler or an address that cannot be opened is not reported.
  QDesktopServices::openUrl(QUrl(url));
}

}  // namespace tavrin
