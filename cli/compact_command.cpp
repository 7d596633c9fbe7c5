// pagewright-cli compact LEVEL OUT: packs the used art of LEVEL into as few pages as it needs and writes
// the level as OUT, printing the page counts before and after and the number of areas that moved.
#include <cstdio>

#include "cli/picture_commands.h"
#include "level/page_compaction.h"

int CompactCommand(const std::vector<std::string>& args, const CliServices& cli) {
    const cli::CommandLine line = cli.Parse(args, {.arguments = 2, .needs = "compact needs LEVEL and OUT"});
    if (!line.result)
        return cli::Fail(line.result);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, line.arguments[0], false); code != cli::kDone)
        return code;
    const pw::CompactionPlan plan = pw::PlanCompaction(level);
    pw::ApplyCompaction(level, plan);
    if (const pw::Result saved = level.SaveLevel(line.arguments[1]); !saved)
        return cli::Fail(saved);
    std::printf("{\"pages_before\": %d, \"pages_after\": %d, \"moved\": %d}\n", plan.pages_before,
                plan.pages_after, plan.MovedAreas());
    return cli::kDone;
}
