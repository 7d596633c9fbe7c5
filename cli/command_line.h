// The arguments of one pagewright-cli command, read one way for every command.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "level/result.h"

namespace cli {

// An option followed by its value, which must be one of `values` (as in `--depth 32`).
struct ValuedOption {
    std::string name;
    std::vector<std::string> values;
};

// What a command takes: flags and valued options, each once, anywhere among the arguments, and then
// exactly `arguments` arguments (files, a page number) that are not empty and do not look like
// options (a '-' and a letter; "-1" is an argument).
struct CommandSyntax {
    std::vector<std::string> flags{};
    std::vector<ValuedOption> options{};
    std::size_t arguments = 0;
    std::string needs; // said when an argument or a value is missing, e.g. "compact needs LEVEL and OUT"
};

struct CommandLine {
    // bad_request with the message and the usage text when the arguments do not fit the syntax.
    pw::Result result;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> given; // the flags given (with an empty value) and options

    bool Has(const std::string& name) const { return given.contains(name); }
};

// Reads `args` by `syntax`. An unknown or repeated option, a value an option does not take and an
// argument too many are named ("unexpected argument: X"); a missing one is told by `syntax.needs`.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const CommandSyntax& syntax,
                             const std::string& usage);

} // namespace cli
