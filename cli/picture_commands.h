// The pagewright-cli commands that turn pages into pictures and pictures into pages:
//   export [--depth 32] LEVEL OUT      all pages stacked, as the main window's export writes them
//   import-page [--dither] LEVEL PAGE IMAGE OUT
//                                      a picture over one page, the level written as Save writes it
//   export-pages [--depth 32] LEVEL DIR
//   import-pages [--dither] LEVEL DIR OUT
//                                      one .png per page in a folder, and back into the level
//   compact LEVEL OUT                  the used art packed into as few pages as it needs
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "level/trlevel.h"

struct CliServices {
    // Reads a level; returns 0 or the exit code, its message already printed.
    std::function<int(pw::Ttrlevel& level, const std::string& file, bool textures_only)> load;
    std::string usage;

    cli::CommandLine Parse(const std::vector<std::string>& args, const cli::CommandSyntax& syntax) const {
        return cli::ParseCommandLine(args, syntax, usage);
    }
};

int ExportCommand(const std::vector<std::string>& args, const CliServices& cli);
int ImportPageCommand(const std::vector<std::string>& args, const CliServices& cli);
int ExportPagesCommand(const std::vector<std::string>& args, const CliServices& cli);
int ImportPagesCommand(const std::vector<std::string>& args, const CliServices& cli);
int CompactCommand(const std::vector<std::string>& args, const CliServices& cli);
