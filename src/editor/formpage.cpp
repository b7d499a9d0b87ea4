#include "editor/formpage.h"

#include <string>
#include <utility>

#include "editor/fieldlines.h"

namespace fw::editor {
namespace {

constexpr int kNotFoundAsDatabase = 0;
constexpr int kReadOnceShift = 2;  // the read-once list starts at the first insert action
constexpr Byte kUpdateLookup = 1;
constexpr Byte kSaveAndUpdate = 2;

bool InList(const codes::CodedList& list, int index) {
    return index >= 0 && index < static_cast<int>(list.entries.size());
}

Outcome StoreListIndex(Byte& field, const codes::CodedList& list, int index) {
    if (!InList(list, index)) return Outcome::Refuse();
    field = list.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

std::u16string Number(int n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

}  // namespace

bool FormDatabaseReadOnce(const EditingSession& session) {
    const int db = FormDatabase(session);
    return db != 0 && Lookup(session.working, db).ReadOnce() != 0;
}

FormPageView ViewFormPage(const EditingSession& session) {
    const ConstFormRecord f = session.Form();
    FormPageView view;
    for (int n = 1; n <= kFormCount; ++n)
        view.form.entries.push_back({UiText(session, codes::kFormWordId) + Number(n), n - 1});
    view.form.selected = session.currentForm;
    view.escTarget = CodedListView(session, codes::kTargets, f.EscTarget());
    view.nextTarget = CodedListView(session, codes::kTargets, f.NextTarget());
    view.errorTarget = CodedListView(session, codes::kErrorTargets, f.ErrorTarget());
    view.lookup = CodedListView(session, codes::kFormLookups, f.FormLookup());
    view.recordAction = CodedListView(session, codes::kRecordActions, f.RecordAction());
    view.notFoundAction = CodedListView(
        session,
        FormDatabaseReadOnce(session) ? codes::kNotFoundActionsReadOnce : codes::kNotFoundActions,
        f.NotFoundAction());
    view.serialPropertiesEnabled = SerialLine(session) >= 0 && FormHasDefinedDatabase(session);
    view.recordAction.enabled = !view.serialPropertiesEnabled;
    return view;
}

Outcome SelectForm(EditingSession& session, int index) {
    if (index < 0 || index >= kFormCount) return Outcome::Refuse();
    session.currentForm = index;
    RefreshFormPage(session);
    return Outcome::Accept();
}

void RefreshFormPage(EditingSession& session) {
    ApplyBarcodeRules(session);
}

Outcome SelectEscTarget(EditingSession& session, int index) {
    return StoreListIndex(session.Form().EscTarget(), codes::kTargets, index);
}
Outcome SelectNextTarget(EditingSession& session, int index) {
    return StoreListIndex(session.Form().NextTarget(), codes::kTargets, index);
}
Outcome SelectErrorTarget(EditingSession& session, int index) {
    return StoreListIndex(session.Form().ErrorTarget(), codes::kErrorTargets, index);
}
Outcome SelectRecordAction(EditingSession& session, int index) {
    return StoreListIndex(session.Form().RecordAction(), codes::kRecordActions, index);
}

Outcome SelectNotFoundAction(EditingSession& session, int index) {
    const bool readOnce = FormDatabaseReadOnce(session);
    const codes::CodedList& list =
        readOnce ? codes::kNotFoundActionsReadOnce : codes::kNotFoundActions;
    if (!InList(list, index)) return Outcome::Refuse();
    session.Form().NotFoundAction() = static_cast<Byte>(
        readOnce && index != kNotFoundAsDatabase ? index + kReadOnceShift : index);
    return Outcome::Accept();
}

Outcome SelectFormLookup(EditingSession& session, int index, Answer answer) {
    if (!InList(codes::kFormLookups, index)) return Outcome::Refuse();
    FormRecord f = session.Form();
    const int store = f.SerialStore();
    if (index != 0 && store == index)
        return Outcome::Refuse(u"База данных уже используется для серийных номеров");
    const int serialLine = SerialLine(session);
    if (index != 0) {
        ConstLookupRecord db = Lookup(std::as_const(session.working), index);
        if (db.FieldCount() == 0) return Outcome::Refuse(u"В выбранной БД нет ни одного поля");
        if (f.SerialQuantityField() > db.FieldCount()) f.SerialQuantityField() = 1;
        if (serialLine >= 0) {
            f.RecordAction() = store == 0 ? kSaveAndUpdate : kUpdateLookup;
            for (int i = 0; i < kLinesPerForm; ++i)
                if (f.LineType(i) == kLineSerial)
                    f.LineLookupField(i) = static_cast<Byte>(db.KeyField() + 1);
        }
    } else if (serialLine >= 0) {
        if (answer == Answer::None)
            return Outcome::Ask(u"Тип \"Серийный номер\" поля " + Number(serialLine + 1) +
                                    u" будет изменен на тип \"нет\"\r\nПродолжить?",
                                MessageIcon::Question);
        if (answer == Answer::No) return Outcome::Refuse();
        // A well-formed form has one serial-number line; a loaded file may have more, and none
        // of them can keep the type without a database.
        for (int i = 0; i < kLinesPerForm; ++i)
            if (f.LineType(i) == kLineSerial) f.LineType(i) = kLineNil;
    }
    f.FormLookup() = static_cast<Byte>(index);
    return Outcome::Accept();
}

}  // namespace fw::editor
