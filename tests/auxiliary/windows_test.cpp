#include "app/windows.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

#include "app/main/u_main.h"
#include "auxiliary/Des.h"
#include "auxiliary/info_text.h"
#include "auxiliary/u_about.h"
#include "auxiliary/u_flash.h"
#include "tests/support/test_support.h"

using namespace tavrin;
using tavrin::test::PromptsScope;
using tavrin::test::TempAppDir;

namespace {

// Writes 附属/<name> under the temporary program folder, each text
// enciphered as the windows read it; raw lines go in as they are.
void WriteInfo(const TempAppDir& dir, const QString& name, const QStringList& texts,
               const QList<QByteArray>& raw = {}) {
  QDir().mkpath(dir.path() + QStringLiteral("附属"));
  QFile f(dir.path() + QStringLiteral("附属/") + name);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  for (const QString& t : texts) f.write(EncipherInfoLine(t) + "\r\n");
  for (const QByteArray& r : raw) f.write(r + "\r\n");
}

void WriteFlashPicture(const TempAppDir& dir) {
  QDir().mkpath(dir.path() + QStringLiteral("图片"));
  QImage img(551, 337, QImage::Format_RGB888);
  img.fill(Qt::darkBlue);
  ASSERT_TRUE(img.save(dir.path() + QStringLiteral("图片/flash.jpg"), "JPG"));
}

// The folder the program is built into, with its installed data.
QString BuiltProgramDir() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/"); }

QStringList SourceLines(const QString& name) {
  QFile f(QStringLiteral(TAVRIN_INFO_TEXTS "/") + name);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList lines;
  for (const QString& l : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
    if (!l.startsWith(QLatin1Char('#')) && !l.isEmpty()) lines << l;
  return lines;
}

const QStringList kFlash = {QStringLiteral("出品：测试工作室"),
                            QStringLiteral("适用：别的彩票"),
                            QStringLiteral("网址：http://www.orlek.example"),
                            QStringLiteral("在线咨询：chat.orlek.example"),
                            QStringLiteral("邮箱：service@orlek.example"),
                            QStringLiteral("服务电话：见网站")};

}  // namespace

TEST(InfoText, SystemKeyIsFixed) {
  // The installed files were written under this key; changing it would make
  // every delivered file unreadable.
  EXPECT_EQ(EncipherInfoLine(QStringLiteral("ABC")), QByteArray::fromStdString(des::EncipherHex("ABC", "Tv")));
  EXPECT_EQ(DecipherInfoLine(QByteArray::fromStdString(des::EncipherHex("ABC", "Tv"))), QStringLiteral("ABC"));
  // GBK bytes, not UTF-8: two bytes per Chinese character.
  EXPECT_EQ(EncipherInfoLine(QStringLiteral("网址：南粤风采")).size(), 32);
  EXPECT_EQ(DecipherInfoLine(EncipherInfoLine(QStringLiteral("网址：南粤风采"))), QStringLiteral("网址：南粤风采"));
  // A character that GBK cannot hold is refused rather than written as "?".
  EXPECT_THROW(EncipherInfoLine(QStringLiteral("出品 \U0001F600")), std::exception);
}

TEST(Splash, CaptionsFromTheFile) {
  TempAppDir dir;
  PromptsScope prompts;
  WriteFlashPicture(dir);
  // Line 2 is never deciphered, so anything may stand there.
  QStringList texts = kFlash;
  texts.removeAt(1);
  WriteInfo(dir, QStringLiteral("flash.txt"), {texts[0]});
  {
    QFile f(dir.path() + QStringLiteral("附属/flash.txt"));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("this is no hex at all\r\n");
    for (int i = 1; i < texts.size(); ++i) f.write(EncipherInfoLine(texts[i]) + "\r\n");
  }
  Tfrmflash f;
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  EXPECT_EQ(f.Label1->text(), QStringLiteral("Tavrin"));
  EXPECT_EQ(f.lblchuping->text(), kFlash[0]);
  EXPECT_EQ(f.lblshiyong->text(), QStringLiteral("适用：广东福彩南粤风采好彩1"));
  EXPECT_EQ(f.lblweb->text(), kFlash[2]);
  EXPECT_EQ(f.lblqq->text(), kFlash[3]);
  EXPECT_EQ(f.lblmail->text(), kFlash[4]);
  EXPECT_EQ(f.lblphone->text(), kFlash[5]);
  EXPECT_FALSE(f.Image1->pixmap().isNull());
  EXPECT_EQ(f.size(), QSize(551, 337));
  EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(Splash, BadFilesReportOnceAndKeepWhatWasRead) {
  struct Case {
    const char* what;
    bool writeFile;
    int goodLines;        // enciphered lines before the bad one
    const char* badLine;  // nullptr: the file just ends
    const char* error;    // part of the one error shown, or nullptr for none
    int captionsSet;      // of lblchuping, lblweb, lblqq, lblmail, lblphone
  };
  const Case cases[] = {
      {"missing file", false, 0, nullptr, "flash.txt", 0},
      {"bad hex on line 4", true, 3, "12G4", "Error: not a Hex String", 2},
      {"bad hex on line 1", true, 0, "XYZW", "Error: not a Hex String", 0},
      {"only two lines", true, 2, nullptr, nullptr, 1},
      {"empty file", true, 0, nullptr, nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempAppDir dir;
    PromptsScope prompts;
    WriteFlashPicture(dir);
    if (c.writeFile) {
      QList<QByteArray> raw;
      if (c.badLine) raw << QByteArray(c.badLine);
      WriteInfo(dir, QStringLiteral("flash.txt"), kFlash.mid(0, c.goodLines), raw);
    }
    Tfrmflash f;
    if (c.error) {
      ASSERT_EQ(prompts->messages.size(), 1u);
      EXPECT_TRUE(prompts->messages[0].text.contains(QString::fromUtf8(c.error))) << prompts->lastText().toStdString();
    } else {
      EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
    }
    const QLabel* labels[] = {f.lblchuping, f.lblweb, f.lblqq, f.lblmail, f.lblphone};
    const int lineOf[] = {0, 2, 3, 4, 5};
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(labels[i]->text(), i < c.captionsSet ? kFlash[lineOf[i]] : QString()) << "label " << i;
    EXPECT_EQ(f.lblshiyong->text(), QStringLiteral("适用：广东福彩南粤风采好彩1"));
    // The picture does not depend on the text file.
    EXPECT_FALSE(f.Image1->pixmap().isNull());
  }
}

TEST(Splash, MissingPictureIsReportedAndTheTextsStay) {
  TempAppDir dir;
  PromptsScope prompts;
  WriteInfo(dir, QStringLiteral("flash.txt"), kFlash);
  Tfrmflash f;
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_TRUE(prompts->messages[0].text.contains(QStringLiteral("flash.jpg")));
  EXPECT_EQ(f.lblphone->text(), kFlash[5]);
  EXPECT_TRUE(f.Image1->pixmap().isNull());
}

TEST(Splash, ClosesOnTheFifthTick) {
  TempAppDir dir;
  PromptsScope prompts;
  Tfrmflash f;
  f.open();
  EXPECT_TRUE(f.Timer1->isActive());
  EXPECT_EQ(f.Timer1->interval(), 1000);
  for (int i = 1; i <= 4; ++i) {
    f.Timer1Timer();
    EXPECT_TRUE(f.isVisible()) << "tick " << i;
  }
  f.Timer1Timer();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_FALSE(f.Timer1->isActive());
}

TEST(Splash, RunSplashShowsFiveSecondsEvenWithoutFiles) {
  TempAppDir dir;
  PromptsScope prompts;
  WriteFlashPicture(dir);
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(RunSplash());
  EXPECT_GE(clock.elapsed(), 4500);
  // Start-up goes on after one report of the missing file.
  ASSERT_EQ(prompts->messages.size(), 1u);
  EXPECT_TRUE(prompts->messages[0].text.contains(QStringLiteral("flash.txt")));
}

TEST(About, CaptionsFromTheFileInTheirOrder) {
  TempAppDir dir;
  PromptsScope prompts;
  const QStringList lines = {QStringLiteral("作者：甲"),     QStringLiteral("版权所有：乙"),
                             QStringLiteral("网址：丙"),     QStringLiteral("在线咨询：丁"),
                             QStringLiteral("服务电话：戊"), QStringLiteral("手机短信：己"),
                             QStringLiteral("邮箱：庚")};
  WriteInfo(dir, QStringLiteral("about.txt"), lines);
  Tfrmabout a;
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  const QLabel* labels[] = {a.lblauthor, a.lblbanquan, a.lblweb, a.lblqq, a.lblphone1, a.lblphone2, a.lblmail};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(labels[i]->text(), lines[i]) << "line " << i + 1;
  // The mobile line stands above the service line.
  EXPECT_LT(a.lblphone2->y(), a.lblphone1->y());
  EXPECT_EQ(a.windowTitle(), QStringLiteral("关于本程序"));
  EXPECT_EQ(a.Label1->text(), QStringLiteral("Tavrin12.0版"));
  EXPECT_FALSE(a.Image1->pixmap().isNull()) << "the about picture is built into the window";
  EXPECT_TRUE(a.btnclose->isDefault());

  a.show();
  a.btnclose->click();
  EXPECT_FALSE(a.isVisible());
}

TEST(About, BadFileStillMakesTheWindow) {
  TempAppDir dir;
  PromptsScope prompts;
  {
    Tfrmabout a;
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_TRUE(prompts->messages[0].text.contains(QStringLiteral("about.txt")));
    EXPECT_EQ(a.lblauthor->text(), QString());
  }
  WriteInfo(dir, QStringLiteral("about.txt"), {QStringLiteral("作者：甲"), QStringLiteral("版权所有：乙")}, {"ZZ"});
  Tfrmabout a;
  ASSERT_EQ(prompts->messages.size(), 2u);
  EXPECT_EQ(prompts->messages[1].text, QStringLiteral("Error: not a Hex String"));
  EXPECT_EQ(a.lblbanquan->text(), QStringLiteral("版权所有：乙"));
  EXPECT_EQ(a.lblweb->text(), QString());
}

TEST(About, MainWindowKeepsOneAboutWindow) {
  qputenv("TAVRIN_VENDOR_URL", "http://127.0.0.1:9");
  TempAppDir dir;
  PromptsScope prompts;
  Tfrmmain main;
  QWidget* first = main.showSingle(SingleWindow::about);
  ASSERT_NE(first, nullptr);
  EXPECT_NE(qobject_cast<Tfrmabout*>(first), nullptr);
  first->close();
  main.mnucloseClick();
  EXPECT_EQ(main.showSingle(SingleWindow::about), first);
  EXPECT_TRUE(first->isVisible());
  first->close();
}

// What the build installs beside the program.
TEST(Installed, InformationFilesReadAsTheirSources) {
  struct File {
    const char* name;
    int lines;
  };
  for (const File& file : {File{"flash.txt", 6}, File{"about.txt", 7}}) {
    SCOPED_TRACE(file.name);
    const QStringList expected = SourceLines(QString::fromUtf8(file.name));
    ASSERT_EQ(expected.size(), file.lines);
    InfoFile info(BuiltProgramDir() + QStringLiteral("附属/") + QString::fromUtf8(file.name));
    for (const QString& e : expected) EXPECT_EQ(info.next(), e);
    EXPECT_EQ(info.next(), QString()) << "no lines past the source's";
  }
  // The windows show them as they stand.
  TempAppDir dir;
  PromptsScope prompts;
  for (const char* name : {"flash.txt", "about.txt"})
    ASSERT_TRUE(QFile::copy(BuiltProgramDir() + QStringLiteral("附属/") + QString::fromUtf8(name),
                            dir.path() + QStringLiteral("附属/") + QString::fromUtf8(name)));
  ASSERT_TRUE(
      QFile::copy(BuiltProgramDir() + QStringLiteral("图片/flash.jpg"), dir.path() + QStringLiteral("图片/flash.jpg")));
  Tfrmflash f;
  Tfrmabout a;
  EXPECT_TRUE(prompts->messages.empty()) << prompts->lastText().toStdString();
  EXPECT_EQ(f.lblweb->text(), QStringLiteral("网址：http://www.orlek.example"));
  EXPECT_EQ(a.lblweb->text(), QStringLiteral("网址：http://www.orlek.example"));
  for (const QLabel* l : {f.lblchuping, f.lblqq, f.lblmail, f.lblphone, a.lblauthor, a.lblbanquan, a.lblqq, a.lblphone1,
                          a.lblphone2, a.lblmail})
    EXPECT_FALSE(l->text().isEmpty());
}

TEST(Installed, Pictures) {
  const QString pics = BuiltProgramDir() + QStringLiteral("图片/");
  EXPECT_EQ(QImage(pics + QStringLiteral("flash.jpg")).size(), QSize(551, 337));
  EXPECT_FALSE(QImage(pics + QStringLiteral("back.bmp")).isNull());
  for (const char* name : {"tlbopen", "tlbdata", "tlbpiantai", "tlbyilou", "tlblunhuan", "tlbgudingjihua", "tlbexit"}) {
    const QImage icon(pics + QStringLiteral("toolbar/") + QString::fromUtf8(name) + QStringLiteral(".png"));
    EXPECT_EQ(icon.size(), QSize(24, 24)) << name;
    EXPECT_TRUE(icon.hasAlphaChannel()) << name;
  }
}

// Every link of the help pages leads somewhere: a page, a picture or an
// anchor that exists.
TEST(Installed, HelpLinksResolve) {
  const QDir help(BuiltProgramDir() + QStringLiteral("帮助"));
  const QStringList pages = help.entryList({QStringLiteral("*.html")}, QDir::Files);
  ASSERT_TRUE(pages.contains(QStringLiteral("index.html")));
  ASSERT_GE(pages.size(), 2);
  QHash<QString, QString> text;
  for (const QString& p : pages) {
    QFile f(help.filePath(p));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    text[p] = QString::fromUtf8(f.readAll());
  }
  const QRegularExpression link(QStringLiteral(R"((?:href|src)="([^"]+)\")"));
  int checked = 0;
  for (const QString& p : pages) {
    for (auto m = link.globalMatch(text[p]); m.hasNext();) {
      const QString target = m.next().captured(1);
      if (target.startsWith(QLatin1String("http")) || target.startsWith(QLatin1String("mailto:"))) continue;
      const QString file = target.section(QLatin1Char('#'), 0, 0);
      const QString anchor = target.section(QLatin1Char('#'), 1);
      const QString page = file.isEmpty() ? p : file;
      EXPECT_TRUE(help.exists(page)) << p.toStdString() << " -> " << target.toStdString();
      if (!anchor.isEmpty() && text.contains(page)) {
        EXPECT_TRUE(text[page].contains(QStringLiteral("id=\"%1\"").arg(anchor)))
            << p.toStdString() << " -> " << target.toStdString();
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 20);
}
