#include "editor/commit.h"

#include <algorithm>
#include <utility>

#include "editor/menupage.h"
#include "editor/settingspage.h"
#include "editor/startuppage.h"
#include "model/normalise.h"

namespace fw::editor {
namespace {

// Types whose lines keep no initial value, prefix, suffix, fixed length or input mark: nil,
// and prompt to pause. A lookup line keeps them only while it saves its field data.
bool KeepsNoDataProperties(ConstFormRecord f, int line) {
    const Byte type = f.LineType(line);
    if (type == kLineLookup) return f.InitialValueFlag(line) == 0;
    return type == kLineNil || (type >= kLinePrompt && type <= kLinePause);
}

void ClearDataProperties(FormRecord f, int line) {
    f.PrefixFlag(line) = 0;
    std::ranges::fill(f.PrefixCode(line), Byte{0});
    f.SuffixFlag(line) = 0;
    std::ranges::fill(f.SuffixCode(line), Byte{0});
    std::ranges::fill(f.InitialValue(line), Byte{0});
    f.FixedLength(line) = 0;
    f.FixedLengthFlag(line) = 0;
    f.Alignment(line) = 0;
    f.InputMark(line) = 0;
}

// Fields of a delimited record follow each other with one delimiter between two.
void LayOutDelimited(LookupRecord db) {
    const int fields = std::min<int>(db.FieldCount(), kFieldsPerLookup);
    int offset = 1;
    int length = 0;
    for (int i = 0; i < fields; ++i) {
        db.FieldOffset(i) = static_cast<Byte>(offset);
        offset += db.FieldLength(i) + 1;
        length += db.FieldLength(i);
    }
    if (fields > 0) length += fields - 1;
    db.MemberLength() = static_cast<Byte>(length);
}

}  // namespace

void CommitSheet(const EditingSession& session, Workspace& ws) {
    const Definition& w = session.working;
    Definition& d = ws.definition;

    d.formTable = w.formTable;
    for (int n = 0; n < kFormCount; ++n)
        for (int i = 0; i < kLinesPerForm; ++i)
            if (KeepsNoDataProperties(Form(std::as_const(d), n), i))
                ClearDataProperties(Form(d, n), i);
    d.fieldLinks = w.fieldLinks;

    d.lookupTable = w.lookupTable;
    for (int db = 1; db <= kLookupCount; ++db)
        if (Lookup(d, db).Delimiter() != 0) LayOutDelimited(Lookup(d, db));

    CommitStartupPage(session, d);

    // The utilities menu lists the calculator one place lower when a database can be loaded.
    Terminal(d).UtilityLine(0)[0] = AnyLookupInUse(d) ? '9' : '8';

    CommitSettingsPage(session, d);
    // The Barcode page edits the reader blocks and the engine in the working copy, so that
    // Cancel leaves them as they were.
    d.readerOptions = w.readerOptions;
    d.symbologyOptions = w.symbologyOptions;
    d.readerExtra = w.readerExtra;
    Terminal(d).ReaderType() = Terminal(w).ReaderType();
    // The symbology dialogs' bytes outside the reader blocks: the code identifiers with their
    // switch, and the EAN128 separator replacement.
    std::copy_n(w.terminalSettings.begin() + 84, 31, d.terminalSettings.begin() + 84);
    d.terminalSettings[258] = w.terminalSettings[258];
    d.readerOptions2 = w.readerOptions2;
    d.barcodeRules = w.barcodeRules;
    d.variableNames = w.variableNames;
    d.networkSettings = w.networkSettings;
    CommitMenus(session, d);

    ws.definitionModified = true;
    NormaliseLengths(d);
    FixUpForms(d);
}

}  // namespace fw::editor
