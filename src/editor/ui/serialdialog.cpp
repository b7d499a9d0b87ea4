#include "editor/ui/serialdialog.h"

#include "editor/serialdlg.h"
#include "editor/ui/captions.h"

namespace fw::editor::ui {

SerialDialog::SerialDialog(SheetContext& context, QWidget* parent)
    : EditorDialog(context, parent, QStringLiteral("SERIALDLG"),
                   Caption(context.session, caption::kSerialTitle)) {
    partVariable_ =
        addList(Caption(session(), caption::kPartVariable), QStringLiteral("partVariable"),
                [](EditingSession& s, int i, Answer) { return SelectSerialPartVariable(s, i); });
    quantityField_ =
        addList(Caption(session(), caption::kQuantityField), QStringLiteral("quantityField"),
                [](EditingSession& s, int i, Answer) { return SelectSerialQuantityField(s, i); });
    store_ = addList(Caption(session(), caption::kSerialStore), QStringLiteral("serialStore"),
                     [](EditingSession& s, int i, Answer) { return SelectSerialStore(s, i); });
    refresh();
}

void SerialDialog::refresh() {
    const SerialDialogView view = ViewSerialDialog(session());
    FillList(partVariable_, view.partVariable);
    FillList(quantityField_, view.quantityField);
    FillList(store_, view.store);
}

void SerialDialog::accept() {
    ConfirmSerialDialog(session());
    // The database it gave the serial-number layout is shown on the Lookup page.
    context_.refreshAll();
    QDialog::accept();
}

void SerialDialog::restore() {
    CancelSerialDialog(session(), snapshot_);
}

}  // namespace fw::editor::ui
