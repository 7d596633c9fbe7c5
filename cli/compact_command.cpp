// pagewright-cli compact LEVEL OUT: packs the used art of LEVEL into as few pages as it needs and writes
// the level as OUT, printing the page counts before and after and the number of areas that moved.
#include <cstdio>
#include <exception>

#include "cli/picture_commands.h"
#include "level/page_compaction.h"

int CompactCommand(const std::vector<std::string>& args, const CliServices& cli) {
    if (args.size() != 2 || args[0].empty() || args[0][0] == '-' || args[1].empty() || args[1][0] == '-')
        return cli.fail(64, "compact needs LEVEL and OUT\n" + cli.usage);
    pw::Ttrlevel level;
    if (const int code = cli.load(level, args[0], false); code != 0)
        return code;
    const pw::CompactionPlan plan = pw::PlanCompaction(level);
    pw::ApplyCompaction(level, plan);
    try {
        if (const pw::Result saved = level.SaveLevel(args[1]); !saved)
            return cli.fail(3, saved.reason);
    } catch (const std::exception& e) {
        return cli.fail(3, "cannot write " + args[1] + ": " + e.what());
    }
    std::printf("{\"pages_before\": %d, \"pages_after\": %d, \"moved\": %d}\n", plan.pages_before,
                plan.pages_after, plan.MovedAreas());
    return 0;
}
