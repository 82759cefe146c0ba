#include "cli/commands.h"

namespace tavrin::cli {

int CmdFixedPlan(const Context&, const Args&) { throw std::runtime_error("该命令尚未完成"); }
int CmdStagePlan(const Context&, const Args&) { throw std::runtime_error("该命令尚未完成"); }
int CmdVariablePlan(const Context&, const Args&) { throw std::runtime_error("该命令尚未完成"); }

}  // namespace tavrin::cli
