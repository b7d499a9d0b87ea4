// What the command groups share: the console presenter, argument parsing and opening and
// writing project files.
#include <ostream>

#include "cli.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/projectcommands.h"
#include "model/projectfile.h"
#include "model/savefile.h"
#include "model/system.h"
#include "model/unicode.h"

namespace fw::cli {

namespace fs = std::filesystem;

int ConsolePresenter::Show(const MessageRequest& request) {
    // Message texts break lines with CR LF; a console wants LF and an indent.
    std::string text = Utf16ToUtf8(request.text);
    std::string shownText;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        shownText += text[i];
        if (text[i] == '\n') shownText += "  ";
    }
    err_ << Utf16ToUtf8(request.caption) << ": ";
    if (!subject.empty()) err_ << subject << ": ";
    err_ << shownText << "\n";
    ++shown;
    switch (request.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return answerYes ? kIdYes : kIdNo;
        case MessageButtons::RetryCancel:
            return answerYes ? kIdRetry : kIdCancel;
        case MessageButtons::OkCancel:
            return answerYes ? kIdOk : kIdCancel;
        case MessageButtons::Ok:
            break;
    }
    return kIdOk;
}

bool ParsedArgs::Has(std::string_view name) const {
    for (const auto& [n, v] : options)
        if (n == name) return true;
    return false;
}

std::string ParsedArgs::Value(std::string_view name) const {
    std::string value;
    for (const auto& [n, v] : options)
        if (n == name) value = v;
    return value;
}

int UsageError(Context& ctx, std::string_view command, std::string_view why) {
    ctx.err << "formwright-cli " << command << ": " << why << "\n";
    for (const auto& c : CommandTable())
        if (c.name == command)
            ctx.err << "usage: formwright-cli " << c.name << " " << c.synopsis << "\n";
    return kExitUsage;
}

bool ParseArgs(Context& ctx, std::string_view command, Args args,
               std::span<const std::string_view> flags,
               std::span<const std::string_view> valueOptions, ParsedArgs& parsed) {
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyPositional || a.size() < 2 || a[0] != '-') {
            parsed.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        bool known = false;
        for (auto f : flags)
            if (a == f) {
                parsed.options.emplace_back(a, "");
                known = true;
            }
        for (auto v : valueOptions)
            if (a == v) {
                if (i + 1 >= args.size()) {
                    UsageError(ctx, command, "option " + a + " needs a value");
                    return false;
                }
                parsed.options.emplace_back(a, args[++i]);
                known = true;
            }
        if (!known) {
            UsageError(ctx, command, "unknown option " + a);
            return false;
        }
    }
    return true;
}

std::string PathText(const fs::path& path) {
#if defined(_WIN32)
    return Utf16ToUtf8(path.u16string());
#else
    return path.native();
#endif
}

fs::path PathArg(const std::string& arg) {
#if defined(_WIN32)
    return fs::path(Utf8ToUtf16(arg));
#else
    return fs::path(arg);
#endif
}

bool OpenProject(Context& ctx, const fs::path& path, bool normalise) {
    ProjectLoadOptions options;
    options.remember = false;  // looking at a file leaves the program's recent files alone
    options.normalise = normalise;
    options.reportProblem = false;
    ctx.presenter.subject = PathText(path);
    const int shownBefore = ctx.presenter.shown;
    const ProjectLoadResult result = LoadProject(ctx.ws, path, options);
    ctx.presenter.subject.clear();
    if (result.loaded) return true;
    switch (result.problem) {
        case ProjectFileProblem::None:
            // A language without the message's text shows nothing; the refusal still gets
            // a line.
            if (ctx.presenter.shown == shownBefore)
                ctx.err << "formwright-cli: " << PathText(path) << ": not read\n";
            break;
        case ProjectFileProblem::Missing:
            ctx.err << "formwright-cli: cannot open " << PathText(path) << ": no such file\n";
            break;
        case ProjectFileProblem::Folder:
            ctx.err << "formwright-cli: cannot open " << PathText(path)
                    << ": a folder, not a project file\n";
            break;
        case ProjectFileProblem::NotAFile:
            ctx.err << "formwright-cli: cannot open " << PathText(path)
                    << ": a device or pipe, not a project file\n";
            break;
        case ProjectFileProblem::CannotOpen:
            ctx.err << "formwright-cli: cannot open " << PathText(path) << ": "
                    << Utf16ToUtf8(SystemErrorText(result.systemError)) << "\n";
            break;
    }
    return false;
}

bool WriteOutput(Context& ctx, const fs::path& path, std::string_view bytes) {
    if (ReplaceFileBytes(path, bytes)) return true;
    ctx.err << "formwright-cli: cannot write " << PathText(path) << "\n";
    return false;
}

std::string CellText(std::span<const std::uint8_t> cell) {
    return Utf16ToUtf8(CellToUtf16(cell));
}

}  // namespace fw::cli
