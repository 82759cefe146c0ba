#include "cli/commands.h"

namespace tavrin::cli {

int CmdTrend(const Context&, const Args&) { throw std::runtime_error("该命令尚未完成"); }

}  // namespace tavrin::cli
