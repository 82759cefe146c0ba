#pragma once
// Tfrmtozi, 投资模式分析: a list of bet codes tested against the draws of the
// trend view shown, the back-test of the betting mode over them (分析), the
// search for its best settings on a worker thread (搜索), and the codes and
// settings saved, loaded and printed. The computations are the core's; the
// window reads its controls, calls them and shows what they give.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/background_work.h"
#include "app/prompts.h"
#include "mode/backtest.h"
#include "mode/bet_codes.h"
#include "mode/draw_marks.h"
#include "mode/mode_files.h"
#include "mode/mode_settings.h"
#include "mode/settings_search.h"
#include "mode/u_tozithread.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;

namespace tavrin {

class ModeGridModel;

class Tfrmtozi final : public QWidget, public BackgroundWork {
  Q_OBJECT
 public:
  explicit Tfrmtozi(QWidget* parent = nullptr);
  ~Tfrmtozi() override;

  // The settings group grptozi.
  QGroupBox* grptozi = nullptr;
  QComboBox *comsepindex = nullptr, *comsepnum = nullptr, *comtozisep = nullptr, *comtozirep = nullptr;
  QLineEdit *edtsinmax = nullptr, *edtallmax = nullptr, *edtjushu = nullptr, *edtoutofsin = nullptr,
            *edtlirun = nullptr, *edtallwin = nullptr;
  QCheckBox *chkyuji = nullptr, *chksepmode = nullptr;
  // The bet form: a group of four radio buttons, ids 0..3.
  QGroupBox* optzhuzhi = nullptr;
  QButtonGroup* optzhuzhiItems = nullptr;

  QTableView *grdsep = nullptr, *grdcode = nullptr, *grdtozi = nullptr, *grdsepmode = nullptr;
  QPushButton *btnfilt = nullptr, *btnclear = nullptr, *btnala = nullptr, *btnyouhua = nullptr, *btnclose = nullptr;
  QPushButton *tlbtnsave = nullptr, *tlbtnload = nullptr, *tlbtnprint = nullptr;
  QProgressBar* pb = nullptr;

  QMenu *mnusave = nullptr, *mnuload = nullptr, *mnuprint = nullptr;
  QAction *mnucodesave = nullptr, *mnusetsave = nullptr, *mnubothsave = nullptr;
  QAction *mnucodeload = nullptr, *mnusetload = nullptr, *mnubothload = nullptr;
  QAction *mnucodeprint = nullptr, *mnusetprint = nullptr;

  void FormCreate();
  void btnfiltClick();
  void btnclearClick();
  void chksepmodeClick();
  void optzhuzhiClick();
  void btnalaClick();
  void btnyouhuaClick();
  void btncloseClick() { close(); }
  void mnucodesaveClick() { save(mode::ModeFile::Codes); }
  void mnusetsaveClick() { save(mode::ModeFile::Settings); }
  void mnubothsaveClick() { save(mode::ModeFile::Combined); }
  void mnucodeloadClick() { load(mode::ModeFile::Codes); }
  void mnusetloadClick() { load(mode::ModeFile::Settings); }
  void mnubothloadClick() { load(mode::ModeFile::Combined); }
  void mnucodeprintClick();
  void mnusetprintClick();

  // The settings as the controls hold them, and written into them.
  mode::ModeSettings settings() const;
  void showSettings(const mode::ModeSettings& s);
  int betForm() const;

  const std::vector<mode::BetCode>& codes() const { return codes_; }
  const std::vector<mode::DrawMark>& marks() const { return *marks_; }
  bool searching() const;
  // The choice of the last search that ended.
  const std::optional<mode::SearchResult>& lastSearch() const { return lastSearch_; }

  // 随机生成 draws from this seed instead of the clock, so that a test can
  // repeat a generation.
  void useSeed(std::uint64_t seed) { seed_ = seed; }
  // The cores a search uses; 0 (the default) is all of them.
  void useSearchThreads(unsigned threads) { threads_ = threads; }
  // Called on the search's worker thread for every combination tried.
  void watchSearchSteps(std::function<void(const mode::SearchStep&)> onWorker) {
    tozithread_.watch(std::move(onWorker));
  }

  void stopBackgroundWork() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void connectHandlers();
  QMenu* buttonMenu(QPushButton* button);

  // Refusals told in a box; true when the form can be played.
  bool betFormPlayable();
  void tell(const std::string& text, PromptIcon icon);

  // A new code list: its draw marks against the history shown, and the
  // three grids that show them.
  void setCodes(std::vector<mode::BetCode> codes, std::vector<mode::DrawMark> marks);
  void refreshCodeGrid();
  void refreshMarkGrids();
  void showBacktest(const mode::BacktestResult& result);
  void clearRunGrid();
  void sizeColumns();
  void sizeRunColumns();

  bool startSearch();
  void setSearching(bool on);
  void showSearchStep(const Ttozithread::Progress& p);
  void searchFinished(const Ttozithread::Outcome& o);
  void selectItems(int countIndex, int waitIndex, int planIndex);

  void save(mode::ModeFile kind);
  void load(mode::ModeFile kind);
  QString proposedPath(mode::ModeFile kind) const;

  ModeGridModel *sepModel_ = nullptr, *codeModel_ = nullptr, *runModel_ = nullptr, *runStatsModel_ = nullptr;

  std::vector<mode::BetCode> codes_;
  std::shared_ptr<const std::vector<mode::DrawMark>> marks_;
  std::shared_ptr<const mode::MarkIndex> markIndex_;
  std::optional<mode::SearchResult> lastSearch_;
  // Whether the search in progress varies the observation count.
  bool searchVariesCount_ = false;
  std::optional<std::uint64_t> seed_;
  unsigned threads_ = 0;

  // Last: destroyed first, it stops the search and waits for it before any
  // control goes.
  Ttozithread tozithread_;
};

}  // namespace tavrin
