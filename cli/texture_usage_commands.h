// The pagewright-cli commands about which textures a level uses:
//   usage LEVEL                                        one JSON object of uses per texture
//   clean [--merge-duplicates] [--remove-unused] LEVEL OUT
//                                                      frees object textures and writes OUT
#pragma once

#include <string>
#include <vector>

#include "cli/picture_commands.h"
#include "level/texture_cleanup.h"
#include "level/texture_usage.h"

namespace pw {
std::string TextureUsageJson(const TextureUsage& usage);
std::string TextureCleanupJson(const TextureCleanupPlan& plan);
} // namespace pw

int UsageCommand(const std::vector<std::string>& args, const CliServices& cli);
int CleanCommand(const std::vector<std::string>& args, const CliServices& cli);
