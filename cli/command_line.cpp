#include "cli/command_line.h"

#include <algorithm>
#include <cctype>

namespace cli {
namespace {

pw::Result Unexpected(const std::string& arg) {
    return {pw::Status::bad_request, "unexpected argument: " + arg};
}

bool Declared(const std::vector<std::string>& names, const std::string& arg) {
    return std::ranges::find(names, arg) != names.end();
}

const ValuedOption* FindOption(const CommandSyntax& syntax, const std::string& arg) {
    const auto found = std::ranges::find(syntax.options, arg, &ValuedOption::name);
    return found == syntax.options.end() ? nullptr : &*found;
}

// "-1" is a number the command judges itself ("PAGE counts from 1"), not an option.
bool LooksLikeOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]));
}

pw::Result Read(const std::vector<std::string>& args, const CommandSyntax& syntax, CommandLine& line) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const ValuedOption* option = FindOption(syntax, arg);
        if ((option || Declared(syntax.flags, arg)) && line.Has(arg))
            return Unexpected(arg);
        if (option) {
            if (i + 1 == args.size())
                return {pw::Status::bad_request, syntax.needs};
            const std::string& value = args[++i];
            if (!Declared(option->values, value))
                return Unexpected(value);
            line.given[arg] = value;
        } else if (Declared(syntax.flags, arg)) {
            line.given[arg] = "";
        } else if (arg.empty() || LooksLikeOption(arg) || line.arguments.size() == syntax.arguments) {
            return Unexpected(arg);
        } else {
            line.arguments.push_back(arg);
        }
    }
    if (line.arguments.size() < syntax.arguments)
        return {pw::Status::bad_request, syntax.needs};
    return {};
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, const CommandSyntax& syntax,
                             const std::string& usage) {
    CommandLine line;
    line.result = Read(args, syntax, line);
    if (!line.result)
        line.result.reason += "\n" + usage;
    return line;
}

} // namespace cli
