// "Разбор ШК": what a barcode scanned into the current line passes on to later lines of its
// form. A weight barcode sends its weight or quantity to one later line, which becomes the
// weight line; a GS1 barcode sends chosen identifiers (or the whole barcode) to lines of the
// form. The current line is the source of everything the dialog shows.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

// The dialog's snapshots of the three things it changes, and the two choices it keeps that the
// bytes do not: the GS1 item and the line chosen to receive it.
struct BarcodeParsingDialog {
    Snapshot snapshot;
    Block<kBarcodeRulesSize> barcodeRules{};
    std::array<Byte, kFieldLinkRecordSize> fieldLinks{};
    int gs1Item = 0;  // "Тип данных:", a position in the GS1 item list
    int gs1Target = 0;  // "Передать в поле ввода", a line number; 0: the list's first
};
BarcodeParsingDialog OpenBarcodeParsingDialog(EditingSession& session);
// Cancel: the form record, the weight rules and the form's GS1 rules as the dialog found them.
void CancelBarcodeParsingDialog(EditingSession& session, const BarcodeParsingDialog& dialog);

// One row of the rule list: the line fed and the text of its item.
struct Gs1RuleRow {
    int target = 0;  // 1..8
    std::u16string item;
};
struct BarcodeParsingView {
    int formNumber = 0;  // 1..10
    int lineNumber = 0;  // 1..8
    bool weightRule = false;
    bool weightRuleEnabled = false;
    ListView weightTarget;  // "Передать вес или количество в поле №", codes are line numbers
    ListView keepInSource;  // "Оставлять в поле ввода"
    ListView gs1Item;       // "Тип данных:"
    std::u16string gs1Description;
    ListView gs1Target;  // "Передать в поле ввода", codes are line numbers
    bool addEnabled = false;
    bool removeAllEnabled = false;
    std::vector<Gs1RuleRow> rules;
};
BarcodeParsingView ViewBarcodeParsing(const EditingSession& session,
                                      const BarcodeParsingDialog& dialog);

// The weight rule and its lists; a change of the rule's target makes the new target the weight
// line and the old one "real" again.
Outcome SetWeightRule(EditingSession& session, bool on);
Outcome SelectWeightTarget(EditingSession& session, int index);
Outcome SelectWeightSourceKeep(EditingSession& session, int index);
// The GS1 choices the dialog keeps.
Outcome SelectGs1Item(BarcodeParsingDialog& dialog, int index);
Outcome SelectGs1Target(const EditingSession& session, BarcodeParsingDialog& dialog, int index);
// "+": the chosen line receives the chosen item of this line's barcode.
Outcome AddGs1Rule(EditingSession& session, const BarcodeParsingDialog& dialog);
// "-": the lines of the selected rows (indexes into the view's rules) lose their source.
Outcome RemoveGs1Rules(EditingSession& session, std::span<const int> rows);
// "Удалить все".
Outcome RemoveAllGs1Rules(EditingSession& session);

// The lines (0..7) that may receive the current line's weight, and its GS1 items.
std::vector<int> WeightTargetLines(const EditingSession& session);
std::vector<int> Gs1TargetLines(const EditingSession& session);

}  // namespace fw::editor
