// The Form page: which form is edited, where the terminal goes from it, its database, what
// becomes of its record, and what it does when a record is not found. Each control is one
// operation taking the list index the user chose.
#pragma once

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

struct FormPageView {
    ListView form;  // "Name :"
    ListView escTarget;
    ListView nextTarget;
    ListView errorTarget;
    ListView lookup;
    ListView recordAction;
    ListView notFoundAction;
    bool serialPropertiesEnabled = false;  // "Свойства серийного номера"
};
FormPageView ViewFormPage(const EditingSession& session);
// What the page does before it shows the current form (on first display, on becoming the
// active page, on a refresh and after a form is chosen): the form's lines follow the barcode
// rules, so a weight target read from a file shows as the weight line at once.
void RefreshFormPage(EditingSession& session);

// Chooses the form to edit; its lines then follow the barcode rules.
Outcome SelectForm(EditingSession& session, int index);
Outcome SelectEscTarget(EditingSession& session, int index);
Outcome SelectNextTarget(EditingSession& session, int index);
Outcome SelectErrorTarget(EditingSession& session, int index);
Outcome SelectRecordAction(EditingSession& session, int index);
Outcome SelectNotFoundAction(EditingSession& session, int index);
// May ask whether a serial-number line is to lose its type; pass the answer back.
Outcome SelectFormLookup(EditingSession& session, int index, Answer answer = Answer::None);

// Whether the form's database is one whose data is read only once.
bool FormDatabaseReadOnce(const EditingSession& session);

}  // namespace fw::editor
