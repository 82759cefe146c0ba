#pragma once
// What every window shares about the lottery being worked on: the program's
// folder, the state of the open lottery, the group names and the trend
// windows' copy of the draws.

#include <QString>

#include "app/draws.h"
#include "trend/attributes.h"

namespace tavrin {

// The program's folder with a trailing "/". Set once at start; tests point it
// at a temporary folder.
QString AppDir();
void SetAppDir(const QString& dir);
// AppDir + a path relative to it ("附属/固定投资计划表.txt").
QString AppPath(const QString& relative);
// AppDir + "数据库/彩票数据.mdb".
QString DatabaseFile();

// The user's desktop folder for valueName "Desktop", empty for any other name
// or when there is none.
QString ShellFolderPath(const QString& valueName);

struct CurrentLotteryState {
  QString name;
  int type = 0;
  QString drawTime;
  QString drawWeekdays;
  int valueCount = 0;
  int valuesPerDraw = 0;
  bool open = false;
  int recordCount = 0;
  bool hasDraws = false;
};

CurrentLotteryState& CurrentLottery();

// The names of the zodiac signs, seasons and directions; filled by OpenLottery.
AttributeTables& Attributes();
// AttributeName of the process-wide tables.
QString AttributeName(AttributeKind kind, int k);

// The copy of the draws that the trend window created last filled with the
// values of its grouping; it stays when that window goes.
DrawHistory& SharedDrawHistory();

// Connects the shared connection to CurrentLottery().name and takes the
// snapshot of its newest draws. Throws with the database's message; after a
// failure no lottery is open.
void OpenLottery();

// Closes the shared connection and drops the snapshot; the open flag is false.
void CloseLotteryConnection();

}  // namespace tavrin
