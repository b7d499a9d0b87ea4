// Project commands: new, image, convert, show, check.
#include <iostream>
#include <memory>

#include "cli.h"
#include "describe.h"
#include "fieldmap.h"
#include "generator/image.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/projectcommands.h"
#include "model/projectfile.h"

namespace fw::cli {
namespace {

namespace fs = std::filesystem;

// No one is there to choose a file: every dialog is cancelled.
class NoDialogs : public ProjectDialogs {
  public:
    std::optional<fs::path> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

// The format a file name selects, as the program's file commands decide it.
std::string FormatName(const fs::path& path) {
    return IsExtendedName(path) ? "extended" : "base";
}

int WriteProject(Context& ctx, const fs::path& path) {
    Definition& d = ctx.ws.definition;
    NormaliseDefinition(d);
    return WriteOutput(ctx, path, SerialiseProject(d, IsExtendedName(path))) ? kExitOk
                                                                             : kExitFailed;
}

int RunNew(Context& ctx, Args args) {
    ParsedArgs parsed;
    if (!ParseArgs(ctx, "new", args, {}, {}, parsed)) return kExitUsage;
    if (parsed.positional.size() != 1) return UsageError(ctx, "new", "one FILE is needed");
    // Nothing is unsaved in a fresh run, so New asks nothing and needs no dialog.
    NoDialogs dialogs;
    if (!NewProjectCommand(ctx.ws, dialogs)) return kExitFailed;
    return WriteProject(ctx, PathArg(parsed.positional[0]));
}

int RunImage(Context& ctx, Args args) {
    ParsedArgs parsed;
    constexpr std::string_view kValues[] = {"-o", "--output"};
    if (!ParseArgs(ctx, "image", args, {}, kValues, parsed)) return kExitUsage;
    if (parsed.positional.size() != 1) return UsageError(ctx, "image", "one PROJECT is needed");
    std::string output = parsed.Value("-o");
    if (output.empty()) output = parsed.Value("--output");
    if (output.empty()) return UsageError(ctx, "image", "-o IMAGE is needed");

    if (!OpenProject(ctx, PathArg(parsed.positional[0]))) return kExitFailed;
    // As before a download: the image never sees a definition that was not just normalised.
    NormaliseDefinition(ctx.ws.definition);
    static ProgramImage image;
    GenerateProgramImage(ctx.ws.definition, image);
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    return WriteOutput(ctx, PathArg(output), bytes) ? kExitOk : kExitFailed;
}

int RunConvert(Context& ctx, Args args) {
    ParsedArgs parsed;
    if (!ParseArgs(ctx, "convert", args, {}, {}, parsed)) return kExitUsage;
    if (parsed.positional.size() != 2) return UsageError(ctx, "convert", "IN and OUT are needed");
    if (!OpenProject(ctx, PathArg(parsed.positional[0]))) return kExitFailed;
    return WriteProject(ctx, PathArg(parsed.positional[1]));
}

int RunShow(Context& ctx, Args args) {
    ParsedArgs parsed;
    constexpr std::string_view kFlags[] = {"--json"};
    if (!ParseArgs(ctx, "show", args, kFlags, {}, parsed)) return kExitUsage;
    if (parsed.positional.size() != 1) return UsageError(ctx, "show", "one PROJECT is needed");
    const fs::path path = PathArg(parsed.positional[0]);
    if (!OpenProject(ctx, path)) return kExitFailed;

    Node report = Node::Object();
    report.Add("project", PathText(path));
    report.Add("format", FormatName(path));
    Node described = DescribeDefinition(ctx.ws.definition);
    report.Add("definition", std::move(described));
    if (parsed.Has("--json")) {
        report.WriteJson(ctx.out);
        ctx.out << "\n";
    } else {
        report.WriteText(ctx.out);
    }
    return kExitOk;
}

int RunCheck(Context& ctx, Args args) {
    ParsedArgs parsed;
    constexpr std::string_view kFlags[] = {"--json"};
    if (!ParseArgs(ctx, "check", args, kFlags, {}, parsed)) return kExitUsage;
    if (parsed.positional.size() != 1) return UsageError(ctx, "check", "one PROJECT is needed");
    const fs::path path = PathArg(parsed.positional[0]);
    if (!OpenProject(ctx, path, /*normalise=*/false)) return kExitFailed;

    // Normalising a copy and comparing the bytes shows exactly what a save or a download would
    // change, whatever rule changed it.
    const Definition& loaded = ctx.ws.definition;
    auto repaired = std::make_unique<Definition>(loaded);
    NormaliseDefinition(*repaired);
    const std::vector<FieldChange> changes = DiffDefinitions(loaded, *repaired);
    // Notes are about what the terminal would get: the repaired bytes, so that a value a save
    // repairs is listed once, as a repair.
    std::vector<Note> notes = StartupNotes(*repaired);
    for (Note& note : FieldNotes(*repaired))
        notes.push_back(std::move(note));

    if (parsed.Has("--json")) {
        Node report = Node::Object();
        report.Add("project", PathText(path));
        report.Add("format", FormatName(path));
        Node repairs = Node::Array();
        for (const FieldChange& c : changes) {
            Node n = Node::Object();
            n.Add("where", c.where);
            n.Add("field", c.field);
            n.Add("before", c.before);
            n.Add("after", c.after);
            repairs.Push(std::move(n));
        }
        report.Add("repairs", std::move(repairs));
        Node noted = Node::Array();
        for (const Note& note : notes)
            noted.Push(note.ToNode());
        report.Add("notes", std::move(noted));
        report.WriteJson(ctx.out);
        ctx.out << "\n";
        return changes.empty() ? kExitOk : kExitFailed;
    }

    for (const Note& note : notes)
        ctx.out << "note: " << note.Text() << "\n";
    if (changes.empty()) {
        ctx.out << PathText(path) << ": nothing to repair\n";
        return kExitOk;
    }
    for (const FieldChange& c : changes)
        ctx.out << c.where << ": " << c.field << " " << c.before << " -> " << c.after << "\n";
    ctx.out << PathText(path) << ": " << changes.size()
            << (changes.size() == 1 ? " value" : " values")
            << " would be repaired on the next save or download\n";
    return kExitFailed;
}

constexpr Command kProjectCommands[] = {
    {"new", "FILE", "write a new definition to FILE",
     "The format follows the last letter of the name: \"W\" or \"w\" gives the extended\n"
     "format (20844 bytes), any other the base format (19267 bytes).",
     RunNew},
    {"image", "PROJECT -o IMAGE", "write the 20900-byte program image of a project",
     "PROJECT is read as the Open command reads it, normalised, and turned into the image\n"
     "the terminal's firmware interprets.\n\n  -o, --output IMAGE   the file to write",
     RunImage},
    {"convert", "IN OUT", "read a project and write it in the format OUT's name selects",
     "Older extended files are upgraded as they are read; the written file carries the\n"
     "current format tag.",
     RunConvert},
    {"show", "PROJECT [--json]", "describe a project: forms, menus, lookups, settings, texts",
     "  --json   the same content as JSON (UTF-8) for scripts", RunShow},
    {"check", "PROJECT [--json]", "list what normalisation would repair in a project",
     "Each line names the form, menu or block, the line or item, the field, and its value\n"
     "before and after. Exits 0 when nothing would change, 1 when something would.\n"
     "Lines starting \"note:\" name values a save keeps that the terminal would take badly:\n"
     "a code its list does not offer, a number out of its range, a text without its end.\n"
     "They do not change the exit code.\n\n"
     "  --json   the same content as JSON (UTF-8) for scripts",
     RunCheck},
};
const CommandGroup kRegistered(kProjectCommands);

}  // namespace
}  // namespace fw::cli
