#include "editor/lookuppage.h"

#include <algorithm>
#include <span>
#include <vector>

#include "model/numbercorrection.h"

namespace fw::editor {
namespace {

constexpr int kMaxByte = 255;
constexpr int kRefusedDelimiter = 13;  // the terminal ends its records with it
constexpr int kMinDateTimeLength = 14;
constexpr Byte kFirstInsertAction = 2;   // no-match "Insert to lookup file"
constexpr Byte kSecondInsertAction = 3;  // "Show warning message & Insert"
// A form's not-found actions: 0 as set for the database, 3 and 4 the insert actions.
constexpr Byte kFormAsDatabase = 0;
constexpr Byte kFormFirstInsert = 3;
constexpr Byte kFormSecondInsert = 4;
constexpr int kFnKeys = 4;
constexpr int kMultiplierLastField = 8;  // 9..18 name variables

constexpr char16_t kDateTimeTooShort[] =
    u"Размер поля с установленным свойством сохранения даты/времени не может быть меньше 14";
constexpr char16_t kKeyLosesDateTime[] =
    u"Для ключевого поля свойство сохранения даты/времени будет отменено";
constexpr char16_t kKeyCannotHoldDateTime[] =
    u"Для ключевого поля нельзя установить свойство сохранения даты/времени";
constexpr char16_t kFieldTooShortForDateTime[] =
    u"Нельзя установить свойство сохранения даты/времени, так как размер данного поля БД "
    u"слишком мал (минимально 14)";

std::u16string Decimal(int n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

bool ValidDatabase(int database) {
    return database >= 0 && database < kLookupCount;
}

LookupRecord Db(EditingSession& session, int database) {
    return Lookup(session.working, database + 1);
}

// Fields 0..n-1 exist; a count byte beyond 8 still gives eight.
template <class Record>
int FieldsOf(const Record& db) {
    return std::min<int>(db.FieldCount(), kFieldsPerLookup);
}

template <class Record>
bool FieldExists(const Record& db, int field) {
    return field >= 0 && field < FieldsOf(db);
}

Outcome Error(const char16_t* text) {
    Outcome o = Outcome::Refuse(text);
    o.icon = MessageIcon::Error;
    return o;
}

Outcome StoreIndex(Byte& field, const codes::CodedList& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.entries.size())) return Outcome::Refuse();
    field = list.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

// A typed number 0..255: larger becomes 255, anything else 0.
int TypedByte(std::u16string_view text, int otherwise = 0) {
    return CorrectNumber(text, 0, kMaxByte, otherwise, kMaxByte).value;
}

bool IsNumber(std::u16string_view text) {
    return !text.empty() &&
           std::ranges::all_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// The forms that search the database (1-based form numbers are what the user sees).
std::vector<int> FormsUsing(const EditingSession& session, int database) {
    std::vector<int> forms;
    for (int n = 0; n < kFormCount; ++n)
        if (Form(session.working, n).FormLookup() == database + 1) forms.push_back(n);
    return forms;
}

std::u16string TakeAwayQuestion(const std::vector<int>& forms) {
    std::u16string text = forms.size() == 1 ? u"Форма " : u"Формы ";
    for (int n : forms)
        text += Decimal(n + 1) + u", ";
    text.resize(text.size() - 2);
    if (forms.size() == 1)
        text +=
            u" содержит ссылку на данную БД. Ссылка будет удалена, при изменении количества "
            u"полей на 0.\r\n\r\nПродолжить?";
    else
        text +=
            u" содержат ссылки на данную БД. Все ссылки будут удалены, при изменении "
            u"количества полей на 0.\r\n\r\nПродолжить?";
    return text;
}

// A form that no longer searches the database keeps no serial numbers from it.
void TakeDatabaseAway(FormRecord f) {
    for (int line = 0; line < kLinesPerForm; ++line)
        if (f.LineType(line) == kLineSerial) f.LineType(line) = kLineNil;
    f.SerialQuantityField() = 1;
    f.FormLookup() = 0;
}

// Totals, multipliers and filters name database fields; those past the new count go.
void DropFieldsPast(FormRecord f, int count) {
    const bool hasDatabase = f.FormLookup() >= 1 && f.FormLookup() <= kLookupCount;
    for (int k = 0; k < kFnKeys; ++k) {
        if (f.TotalSumField(k) > count) f.TotalSumField(k) = 1;
        const Byte multiplier = f.TotalMultiplier(k);
        if (hasDatabase && multiplier >= 1 && multiplier <= kMultiplierLastField &&
            multiplier > count)
            f.TotalMultiplier(k) = 0;
        if (f.BalanceFilterField(k) > count) f.BalanceFilterField(k) = 0;
        if (f.TotalFilterField(k) > count) f.TotalFilterField(k) = 0;
    }
    if (f.SerialQuantityField() > count) f.SerialQuantityField() = 1;
}

}  // namespace

LookupPageView ViewLookupPage(const EditingSession& session, int database, bool delimiterChosen) {
    LookupPageView view;
    if (!ValidDatabase(database)) database = 0;
    const ConstLookupRecord db = Lookup(session.working, database + 1);
    for (int d = 0; d < kLookupCount; ++d)
        view.database.entries.push_back(
            {UiText(session, codes::kFormLookupEntries[d + 1].textId), d});
    view.database.selected = database;

    view.delimited = db.Delimiter() != 0 || delimiterChosen;
    view.lengthHeader = UiText(
        session, view.delimited ? lookupcaption::kMaxLengthHeader : lookupcaption::kLengthHeader);
    view.memberLength = Decimal(db.MemberLength());
    view.memberLengthEnabled = !view.delimited;
    view.delimiterEnabled = view.delimited;
    if (view.delimited) view.delimiter = Decimal(db.Delimiter());

    view.fieldCount = CodedListView(session, codes::kFieldCounts, db.FieldCount());
    view.placement = CodedListView(session, codes::kPlacements, db.Placement());
    view.canBeUploaded = db.CanBeUploaded() != 0;
    view.readOnce = db.ReadOnce() != 0;
    view.searchWithFilter = db.SearchWithFilter() != 0;
    view.noMatch = CodedListView(
        session, view.readOnce ? codes::kNoMatchActionsReadOnce : codes::kNoMatchActions,
        db.NoMatchAction());
    view.wrongFormat = CodedListView(session, codes::kWrongFormatActions, db.WrongFormatAction());
    view.severalFound = CodedListView(session, codes::kSeveralFound, db.SeveralFound());
    view.filterMode = CodedListView(session, codes::kFilterModes, db.FilterMode());

    const int n = FieldsOf(db);
    for (int i = 0; i < kFieldsPerLookup; ++i) {
        LookupFieldRow& row = view.fields[static_cast<std::size_t>(i)];
        row.offset = Decimal(db.FieldOffset(i));
        row.length = Decimal(db.FieldLength(i));
        row.nonZeroFilter = db.NonZeroFilter(i) != 0;
        row.quantityControl = db.QuantityControl(i) != 0;
        row.dateTime = db.DateTimeField() == i + 1;
        row.key = db.KeyField() == i;
        row.enabled = i < n;
        row.offsetEnabled = row.enabled && !view.delimited;
    }
    return view;
}

Outcome ChooseFixedLength(EditingSession& session, int database) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    Db(session, database).Delimiter() = 0;
    return Outcome::Accept();
}

Outcome ChooseDelimiter(EditingSession& session, int database, std::u16string_view text) {
    return EditDelimiter(session, database, text);
}

Outcome EditDelimiter(EditingSession& session, int database, std::u16string_view text) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    const int code = TypedByte(text);
    if (code == kRefusedDelimiter)
        return Outcome::Refuse(UiText(session, 1148));  // "Invalid value!"
    Db(session, database).Delimiter() = static_cast<Byte>(code);
    return Outcome::Accept();
}

Outcome EditMemberLength(EditingSession& session, int database, std::u16string_view text) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    // Delimited records take their length from the fields.
    if (db.Delimiter() != 0) return Outcome::Refuse();
    db.MemberLength() = static_cast<Byte>(TypedByte(text));
    return Outcome::Accept();
}

Outcome EditFieldOffset(EditingSession& session, int database, int field,
                        std::u16string_view text) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    if (!FieldExists(db, field) || db.Delimiter() != 0) return Outcome::Refuse();
    db.FieldOffset(field) = static_cast<Byte>(TypedByte(text));
    return Outcome::Accept();
}

Outcome EditFieldLength(EditingSession& session, int database, int field,
                        std::u16string_view text) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    if (!FieldExists(db, field)) return Outcome::Refuse();
    if (db.DateTimeField() == field + 1) {
        if (!IsNumber(text)) {
            db.FieldLength(field) = kMinDateTimeLength;
            return Outcome::Accept();
        }
        if (TypedByte(text) < kMinDateTimeLength) return Error(kDateTimeTooShort);
    }
    db.FieldLength(field) = static_cast<Byte>(TypedByte(text));
    return Outcome::Accept();
}

Outcome SelectKeyField(EditingSession& session, int database, int field) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    if (!FieldExists(db, field)) return Outcome::Refuse();
    db.KeyField() = static_cast<Byte>(field);
    if (db.DateTimeField() != field + 1) return Outcome::Accept();
    db.DateTimeField() = 0;
    Outcome told = Outcome::Accept();
    told.text = kKeyLosesDateTime;
    told.icon = MessageIcon::Error;
    return told;
}

Outcome ToggleDateTimeField(EditingSession& session, int database, int field) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    if (!FieldExists(db, field)) return Outcome::Refuse();
    if (db.KeyField() == field) return Error(kKeyCannotHoldDateTime);
    if (db.FieldLength(field) < kMinDateTimeLength) return Error(kFieldTooShortForDateTime);
    db.DateTimeField() = db.DateTimeField() == field + 1 ? 0 : static_cast<Byte>(field + 1);
    return Outcome::Accept();
}

Outcome SetDatabaseFieldFlag(EditingSession& session, int database, int field,
                             DatabaseFieldFlag flag, bool on) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    if (!FieldExists(db, field)) return Outcome::Refuse();
    Byte& b = flag == DatabaseFieldFlag::NonZeroFilter ? db.NonZeroFilter(field)
                                                       : db.QuantityControl(field);
    b = on ? 1 : 0;
    return Outcome::Accept();
}

Outcome SetDatabaseFlag(EditingSession& session, int database, DatabaseFlag flag, bool on) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    Byte& b = flag == DatabaseFlag::CanBeUploaded ? db.CanBeUploaded() : db.SearchWithFilter();
    b = on ? 1 : 0;
    return Outcome::Accept();
}

Outcome SetReadOnce(EditingSession& session, int database, bool on) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    db.ReadOnce() = on ? 1 : 0;
    if (!on) return Outcome::Accept();
    // Data read once can only be added to, never looked up again.
    if (db.NoMatchAction() != kFirstInsertAction && db.NoMatchAction() != kSecondInsertAction)
        db.NoMatchAction() = kFirstInsertAction;
    for (int n : FormsUsing(session, database)) {
        FormRecord f = Form(session.working, n);
        const Byte action = f.NotFoundAction();
        if (action != kFormAsDatabase && action != kFormFirstInsert && action != kFormSecondInsert)
            f.NotFoundAction() = kFormAsDatabase;
    }
    return Outcome::Accept();
}

Outcome SelectNoMatchAction(EditingSession& session, int database, int index) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    return StoreIndex(db.NoMatchAction(),
                      db.ReadOnce() != 0 ? codes::kNoMatchActionsReadOnce : codes::kNoMatchActions,
                      index);
}

Outcome SelectWrongFormatAction(EditingSession& session, int database, int index) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    return StoreIndex(Db(session, database).WrongFormatAction(), codes::kWrongFormatActions, index);
}

Outcome SelectPlacement(EditingSession& session, int database, int index) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    return StoreIndex(Db(session, database).Placement(), codes::kPlacements, index);
}

Outcome SelectSeveralFound(EditingSession& session, int database, int index) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    return StoreIndex(Db(session, database).SeveralFound(), codes::kSeveralFound, index);
}

Outcome SelectFilterMode(EditingSession& session, int database, int index) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    return StoreIndex(Db(session, database).FilterMode(), codes::kFilterModes, index);
}

Outcome SelectFieldCount(EditingSession& session, int database, int index, Answer answer) {
    if (!ValidDatabase(database)) return Outcome::Refuse();
    if (index < 0 || index >= static_cast<int>(std::size(codes::kFieldCountEntries)))
        return Outcome::Refuse();
    LookupRecord db = Db(session, database);
    if (db.FieldCount() == index) return Outcome::Accept();
    const std::vector<int> forms = FormsUsing(session, database);
    if (index == 0 && !forms.empty()) {
        if (answer == Answer::None)
            return Outcome::Ask(TakeAwayQuestion(forms), MessageIcon::Question);
        if (answer != Answer::Yes) return Outcome::Refuse();
        for (int n : forms)
            TakeDatabaseAway(Form(session.working, n));
    }
    // Only the forms that search this database name its fields; the others keep theirs.
    for (int n : forms)
        DropFieldsPast(Form(session.working, n), index);
    db.FieldCount() = static_cast<Byte>(index);
    return Outcome::Accept();
}

void ResetLookups(EditingSession& session) {
    for (int d = 0; d < kLookupCount; ++d) {
        LookupRecord db = Db(session, d);
        db.MemberLength() = 0;
        db.FieldCount() = 0;
        db.KeyField() = 0;
        for (int i = 0; i < kFieldsPerLookup; ++i) {
            db.FieldOffset(i) = 1;
            db.FieldLength(i) = 0;
            db.NonZeroFilter(i) = 0;
            db.QuantityControl(i) = 0;
        }
        db.Delimiter() = 0;
        db.CanBeUploaded() = 1;
        db.NoMatchAction() = 0;
        db.WrongFormatAction() = 0;
        db.ReadOnce() = 0;
        db.Placement() = 0;
        db.SeveralFound() = 0;
        db.SearchWithFilter() = 0;
        db.FilterMode() = 0;
        db.DateTimeField() = 0;
    }
}

}  // namespace fw::editor
