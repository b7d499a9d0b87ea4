#include "editor/serialdlg.h"

#include <algorithm>

namespace fw::editor {
namespace {

constexpr Byte kSerialLength = 50;
constexpr Byte kInsertToLookup = 2;  // no-match action "Insert to lookup file"
constexpr Byte kFirstInsertAction = 3;
constexpr Byte kSecondInsertAction = 4;

int SerialDatabase(const EditingSession& session) {
    const int store = session.Form().SerialStore();
    return store >= 1 && store <= kLookupCount ? store : 0;
}

void GiveSerialLayout(LookupRecord db) {
    db.MemberLength() = kSerialLength;
    db.FieldCount() = 1;
    db.KeyField() = 0;
    db.FieldOffset(0) = 1;
    db.FieldLength(0) = kSerialLength;
    db.Delimiter() = ',';
    db.CanBeUploaded() = 1;
    db.ReadOnce() = 1;
    db.NoMatchAction() = kInsertToLookup;
    db.WrongFormatAction() = 0;
    db.Placement() = 0;
    for (int i = 0; i < kFieldsPerLookup; ++i) {
        db.NonZeroFilter(i) = 0;
        db.QuantityControl(i) = 0;
    }
    db.SeveralFound() = 0;
    db.SearchWithFilter() = 0;
    db.FilterMode() = 0;
    if (db.DateTimeField() == 1) db.DateTimeField() = 0;
}

// A database read only once can only insert what it does not find.
void DropImpossibleNotFoundActions(EditingSession& session) {
    const int db = SerialDatabase(session);
    if (db == 0) return;
    for (int n = 0; n < kFormCount; ++n) {
        FormRecord f = Form(session.working, n);
        const Byte action = f.NotFoundAction();
        if (f.FormLookup() == db && action != 0 && action != kFirstInsertAction &&
            action != kSecondInsertAction)
            f.NotFoundAction() = 0;
    }
}

}  // namespace

SerialDialogView ViewSerialDialog(const EditingSession& session) {
    const ConstFormRecord f = session.Form();
    SerialDialogView view;
    view.partVariable = VariableListView(session, f.SerialPartVariable());
    view.quantityField = NumberListView(FormFieldCount(session), f.SerialQuantityField());
    view.store = CodedListView(session, codes::kSerialStores, f.SerialStore());
    return view;
}

Outcome SelectSerialPartVariable(EditingSession& session, int index) {
    if (index < 0 || index >= kVariableCount) return Outcome::Refuse();
    session.Form().SerialPartVariable() = static_cast<Byte>(index + 1);
    return Outcome::Accept();
}

Outcome SelectSerialQuantityField(EditingSession& session, int index) {
    if (index < 0 || index >= FormFieldCount(session)) return Outcome::Refuse();
    session.Form().SerialQuantityField() = static_cast<Byte>(index + 1);
    return Outcome::Accept();
}

Outcome SelectSerialStore(EditingSession& session, int index) {
    if (index < 0 || index >= static_cast<int>(std::size(codes::kSerialStoreEntries)))
        return Outcome::Refuse();
    if (index != 0 && index == FormDatabase(session))
        return Outcome::Refuse(u"База данных уже используется формой");
    session.Form().SerialStore() = static_cast<Byte>(index);
    return Outcome::Accept();
}

void ConfirmSerialDialog(EditingSession& session) {
    FormRecord f = session.Form();
    if (const int db = SerialDatabase(session); db != 0) {
        GiveSerialLayout(Lookup(session.working, db));
        f.RecordAction() = 1;  // update lookup
    } else {
        f.RecordAction() = 2;  // save & update
    }
    DropImpossibleNotFoundActions(session);
}

void CancelSerialDialog(EditingSession& session, const Snapshot& snapshot) {
    RestoreSnapshot(session, snapshot);
    DropImpossibleNotFoundActions(session);
}

}  // namespace fw::editor
