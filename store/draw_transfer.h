#pragma once
// The store's side of the history export and the history download: reading
// a lottery's draws into the export file, and running the download into a
// lottery's draw table.

#include <QString>
#include <functional>
#include <string>

#include "store/draw_export.h"
#include "store/history_pages.h"
#include "store/lottery_store.h"

namespace tavrin::store {

// The export file of every draw of the lottery (all of them, not only the
// newest 20000), in the text order of 记录期号. Throws ExportError naming the
// issue of a row that does not convert, std::runtime_error on a database
// error.
std::string ExportLottery(Database& db, const QString& lottery);

// Writes ExportLottery's bytes to path whole: on any failure an existing file
// keeps its old content. Throws with the reason.
void ExportLotteryToFile(Database& db, const QString& lottery, const QString& path);

// Downloads into the lottery's draw table: L and the stored issues are read
// first, each new draw is stored as it comes (its date decoded from the
// page's GBK). Throws before any fetch when the lottery is missing or its
// draw table has not exactly 7 numbers; everything later is in the outcome.
DownloadOutcome DownloadHistory(Database& db, const QString& lottery, const std::string& baseUrl,
                                const FetchFunction& fetch,
                                const std::function<void(const DownloadProgress&)>& progress = {});

}  // namespace tavrin::store
