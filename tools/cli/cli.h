// formwright-cli: the command table, what every command is handed, and the helpers that
// several command groups share. A group lives in its own file and adds its commands to the
// table with a CommandGroup object; main.cpp dispatches.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/messages.h"
#include "model/workspace.h"

namespace fw::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the job failed: file refused, terminal did not answer
inline constexpr int kExitUsage = 2;

// Messages of the core go to stderr, prefixed with the file or job they concern. Questions
// are answered by the flags of the command (no one is there to click).
class ConsolePresenter : public MessagePresenter {
  public:
    explicit ConsolePresenter(std::ostream& err) : err_(err) {}
    int Show(const MessageRequest& request) override;

    std::string subject;     // shown before the message, e.g. the file's name
    bool answerYes = false;  // the answer to yes / no and retry questions
    int shown = 0;           // how many messages were printed

  private:
    std::ostream& err_;
};

struct Context {
    Workspace& ws;
    ConsolePresenter& presenter;
    std::ostream& out;
    std::ostream& err;
};

using Args = std::span<const std::string>;
using Handler = int (*)(Context& ctx, Args args);

struct Command {
    std::string_view name;
    std::string_view synopsis;  // the arguments, e.g. "PROJECT -o IMAGE"
    std::string_view summary;   // one line for the command list
    std::string_view help;      // the rest of --help
    Handler run;
};

// The table every group adds to, in the order the groups register.
std::vector<Command>& CommandTable();
struct CommandGroup {
    explicit CommandGroup(std::span<const Command> commands);
};

// ---- argument helpers ----------------------------------------------------------------------

// Splits args into positional arguments and the options the command knows. An option in
// valueOptions takes the next argument as its value. Returns false (after printing why) on an
// unknown option or a missing value.
struct ParsedArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // name, value ("" for flags)
    bool Has(std::string_view name) const;
    std::string Value(std::string_view name) const;
};
bool ParseArgs(Context& ctx, std::string_view command, Args args,
               std::span<const std::string_view> flags,
               std::span<const std::string_view> valueOptions, ParsedArgs& parsed);
// Prints "usage: ..." for the command to stderr and returns kExitUsage.
int UsageError(Context& ctx, std::string_view command, std::string_view why);

// ---- project helpers -----------------------------------------------------------------------

std::string PathText(const std::filesystem::path& path);
std::filesystem::path PathArg(const std::string& arg);

// Opens a project as the Open command does: reader defaults, a new definition, then the file
// read over it (normalised unless asked not to). Messages name the file; false when it could
// not be opened or was refused.
bool OpenProject(Context& ctx, const std::filesystem::path& path, bool normalise = true);
// Writes bytes to path through a temporary file; prints why it failed.
bool WriteOutput(Context& ctx, const std::filesystem::path& path, std::string_view bytes);

// Cell text (8-bit code page) as UTF-8.
std::string CellText(std::span<const std::uint8_t> cell);

}  // namespace fw::cli
