#pragma once
// One function per command of tavrin-cli. Each folder's commands live in a
// file of their own; main.cpp lists them with the options they take.

#include "base/draw_snapshot.h"
#include "cli/cli_args.h"

namespace tavrin::cli {

struct Context {
  QString databaseFile;  // --db, or the program's own database
};

// The draws of a lottery as opening it reads them; "彩票“NAME”不存在" when
// there is none.
DrawSnapshot LotterySnapshot(const Context& ctx, const QString& lottery);

// The text that refuses a --kind outside 0..3, shared by the commands that take one.
inline constexpr const char* kKindRange = "--kind 只能是 0（号码）、1（生肖）、2（季节）或 3（方位）";

// store
int CmdLotteries(const Context&, const Args&);
int CmdCreate(const Context&, const Args&);
int CmdImport(const Context&, const Args&);
int CmdDraws(const Context&, const Args&);
int CmdExport(const Context&, const Args&);
int CmdDownload(const Context&, const Args&);
int CmdBackup(const Context&, const Args&);
int CmdRestore(const Context&, const Args&);
// trend
int CmdTrend(const Context&, const Args&);
// analysis
int CmdSkew(const Context&, const Args&);
int CmdRebound(const Context&, const Args&);
int CmdInterval(const Context&, const Args&);
int CmdAffinity(const Context&, const Args&);
// plans
int CmdFixedPlan(const Context&, const Args&);
int CmdStagePlan(const Context&, const Args&);
int CmdVariablePlan(const Context&, const Args&);
// mode
int CmdMarks(const Context&, const Args&);
int CmdBacktest(const Context&, const Args&);
int CmdSearch(const Context&, const Args&);
int CmdCodes(const Context&, const Args&);

}  // namespace tavrin::cli
