#include "app/main/single_windows.h"

#include "app/main/u_main.h"
#include "app/windows.h"

namespace tavrin {

const std::array<SingleWindowEntry, kSingleWindowCount>& SingleWindows() {
  using S = SingleWindow;
  using M = SingleMenu;
  static const std::array<SingleWindowEntry, kSingleWindowCount> rows = {{
      {S::piantai, "piantai", "中奖偏态分析选号", M::Selection, "中奖偏态分析选号(&P)", &Tfrmmain::mnupiantai,
       &CreateTfrmpiantai, true, false},
      {S::yilou, "yilou", "中奖回补分析选号", M::Selection, "中奖回补分析选号(&H)", &Tfrmmain::mnuyilou,
       &CreateTfrmyilou, true, false},
      {S::sep, "sep", "最优间隔回补选号", M::Selection, "最优间隔回补选号(&L)", &Tfrmmain::mnusep, &CreateTfrmsep, true,
       false},
      {S::qingmi, "qingmi", "最优亲密数字选号", M::Selection, "最优亲密数字选号(&Q)", &Tfrmmain::mnuqingmi,
       &CreateTfrmqingmi, true, false},
      {S::gudingjihua, "gudingjihua", "固定投资计划", M::Investment, "固定投资计划(&D)", &Tfrmmain::mnugudingjihua,
       &CreateTfrmgudingjihua, true, false},
      {S::jieduanjihua, "jieduanjihua", "阶段投资计划", M::Investment, "阶段投资计划(&J)", &Tfrmmain::mnujieduanjihua,
       &CreateTfrmjieduanjihua, true, false},
      {S::keibianjihua, "keibianjihua", "可变投资计划", M::Investment, "可变投资计划(&S)", &Tfrmmain::mnukeibianjihua,
       &CreateTfrmkeibianjihua, true, false},
      {S::tozi, "tozi", "投资模式分析", M::Investment, "投资模式分析(&Z)", &Tfrmmain::mnutozi, &CreateTfrmtozi, true,
       false},
      {S::about, "about", "关于", M::Help, "关于(&A)...", &Tfrmmain::mnuhelpabout, &CreateTfrmabout, true, true},
  }};
  return rows;
}

const SingleWindowEntry& SingleWindowOf(SingleWindow id) { return SingleWindows()[static_cast<std::size_t>(id)]; }

const SingleWindowEntry* SingleWindowNamed(const QString& name) {
  for (const SingleWindowEntry& e : SingleWindows())
    if (name == QLatin1String(e.name)) return &e;
  return nullptr;
}

}  // namespace tavrin
