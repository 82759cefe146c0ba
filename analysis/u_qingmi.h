#pragma once
// 最优亲密数字选号: bets on the values drawn most often in the stretch of
// history that the earlier draws of the last drawn value delimit.

#include "analysis/affinity.h"
#include "analysis/selection_window.h"

class QTableWidget;

namespace tavrin {

class Tfrmqingmi final : public analysis::SelectionWindow {
  Q_OBJECT
 public:
  explicit Tfrmqingmi(QWidget* parent = nullptr);

  QComboBox* comselnum;
  QComboBox* comjieduanqi;
  QTableWidget* tabcode;

  void FormCreate();
  void btngenClick() override;
  void comselnumChange();
  void comjieduanqiChange();

  int stageCount() const { return S_; }
  analysis::AffinitySettings settings() const;
  // The one cell of tabcode.
  QString tabcodeText() const;

 protected:
  analysis::SelectionHistory computeStatistics() const override;
  std::vector<std::string> pickItems(AttributeKind kind) const override;
  std::optional<std::string> pickError(int picks) const override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void setTabcodeText(const QString& text);
  void fitTabcodeRow();

  int S_ = 7;
};

}  // namespace tavrin
