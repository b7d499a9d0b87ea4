// The serial-number dialog of a form: which variable holds the part number, which database
// field the quantity, and where the serial numbers are kept.
#pragma once

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

struct SerialDialogView {
    ListView partVariable;  // "Получить ШК товара (Part Number) из переменной:"
    ListView quantityField;  // "Количество товара в поле №"
    ListView store;          // "Сохранять серийный номер в"
};
SerialDialogView ViewSerialDialog(const EditingSession& session);

Outcome SelectSerialPartVariable(EditingSession& session, int index);
Outcome SelectSerialQuantityField(EditingSession& session, int index);
// Refused for the database the form itself uses.
Outcome SelectSerialStore(EditingSession& session, int index);

// OK: a database chosen for serial numbers gets the fixed serial-number layout and the form
// updates it; then the forms on that database drop not-found actions it cannot do.
void ConfirmSerialDialog(EditingSession& session);
// Cancel: the form record as the dialog found it; the forms are then checked as after OK.
void CancelSerialDialog(EditingSession& session, const Snapshot& snapshot);

}  // namespace fw::editor
