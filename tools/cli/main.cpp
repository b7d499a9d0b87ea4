// formwright-cli <command> [options]: every non-interactive job from a shell.
#include <algorithm>
#include <array>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli.h"
#include "model/system.h"

namespace fw::cli {

std::vector<Command>& CommandTable() {
    static std::vector<Command> table;
    return table;
}

CommandGroup::CommandGroup(std::span<const Command> commands) {
    auto& table = CommandTable();
    table.insert(table.end(), commands.begin(), commands.end());
}

namespace {

// The transfer commands reach the terminal through the links, which are built on Qt; a build
// without Qt leaves them out and names them here.
#ifdef FW_CLI_WITHOUT_LINKS
constexpr std::array<std::string_view, 3> kLinkCommands = {"download", "download-lookup",
                                                           "receive"};
#else
constexpr std::array<std::string_view, 0> kLinkCommands = {};
#endif

void PrintCommandList(std::ostream& os) {
    os << "usage: formwright-cli <command> [options]\n\ncommands:\n";
    std::size_t width = 0;
    for (const auto& c : CommandTable())
        width = std::max(width, c.name.size());
    for (const auto& c : CommandTable())
        os << "  " << c.name << std::string(width - c.name.size() + 2, ' ') << c.summary << "\n";
    if (!kLinkCommands.empty()) {
        os << "\nBuilt without Qt, this tool has no terminal links; not available:";
        for (std::string_view name : kLinkCommands)
            os << " " << name;
        os << "\n";
    }
    os << "\n\"formwright-cli <command> --help\" tells more about a command.\n";
}

void PrintCommandHelp(std::ostream& os, const Command& c) {
    os << "usage: formwright-cli " << c.name << " " << c.synopsis << "\n\n" << c.summary << "\n";
    if (!c.help.empty()) os << "\n" << c.help << "\n";
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

}  // namespace
}  // namespace fw::cli

int main(int argc, char** argv) {
    using namespace fw::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintCommandList(std::cerr);
        return kExitUsage;
    }
    if (IsHelp(args[0]) || args[0] == "help") {
        PrintCommandList(std::cout);
        return kExitOk;
    }
    const Command* command = nullptr;
    for (const auto& c : CommandTable())
        if (c.name == args[0]) command = &c;
    if (command == nullptr) {
        if (std::find(kLinkCommands.begin(), kLinkCommands.end(), args[0]) != kLinkCommands.end()) {
            std::cerr << "formwright-cli: \"" << args[0]
                      << "\" needs the terminal links, and this build has none (it was built "
                         "without Qt)\n";
            return kExitFailed;
        }
        std::cerr << "formwright-cli: unknown command \"" << args[0] << "\"\n\n";
        PrintCommandList(std::cerr);
        return kExitUsage;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (IsHelp(args[i])) {
            PrintCommandHelp(std::cout, *command);
            return kExitOk;
        }
    }

    // The same settings, language and defaults as the program beside which the tool lives.
    auto ws = std::make_unique<fw::Workspace>();
    fw::StartWorkspace(*ws, fw::ProgramDirectory());
    ConsolePresenter presenter(std::cerr);
    ws->presenter = &presenter;
    Context ctx{*ws, presenter, std::cout, std::cerr};
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const int code = command->run(ctx, rest);
    std::cout.flush();
    return code;
}
