#include "editor/lookuppage.h"

#include <string>

#include "editor/formpage.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

class LookupPageTest : public EditorTest {
  protected:
    LookupRecord Db(int database) { return Lookup(s.working, database + 1); }
    std::vector<Byte> Table() const {
        return std::vector<Byte>(s.working.lookupTable.begin(), s.working.lookupTable.end());
    }
    std::vector<Byte> Forms() const {
        return std::vector<Byte>(s.working.formTable.begin(), s.working.formTable.end());
    }
};

// ---- layout: mode, delimiter and the number edits -----------------------------------------

TEST_F(LookupPageTest, TheModeFollowsTheDelimiterAndThirteenIsNeverOne) {
    DefineDatabase(2, {4, 6});
    LookupPageView v = ViewLookupPage(s, 1);
    EXPECT_FALSE(v.delimited);
    EXPECT_EQ(v.lengthHeader, u"   Length");
    EXPECT_TRUE(v.memberLengthEnabled);
    EXPECT_FALSE(v.delimiterEnabled);
    EXPECT_TRUE(v.fields[1].offsetEnabled);
    EXPECT_FALSE(v.fields[2].enabled);

    ASSERT_TRUE(ChooseDelimiter(s, 1, u"44").Accepted());
    EXPECT_EQ(Db(1).Delimiter(), 44);
    v = ViewLookupPage(s, 1);
    EXPECT_TRUE(v.delimited);
    EXPECT_EQ(v.lengthHeader, u"Max Length");
    EXPECT_EQ(v.delimiter, u"44");
    EXPECT_FALSE(v.memberLengthEnabled);
    EXPECT_FALSE(v.fields[0].offsetEnabled);
    EXPECT_TRUE(v.fields[0].enabled);
    // Offsets and the record length follow from the lengths in this mode.
    EXPECT_TRUE(EditMemberLength(s, 1, u"9").Refused());
    EXPECT_TRUE(EditFieldOffset(s, 1, 0, u"3").Refused());

    const std::vector<Byte> before = Table();
    for (const char16_t* thirteen : {u"13", u"013"}) {
        const Outcome o = EditDelimiter(s, 1, thirteen);
        EXPECT_TRUE(o.Refused());
        EXPECT_EQ(o.text, u"Invalid value!");
        EXPECT_EQ(o.icon, MessageIcon::Warning);
        EXPECT_EQ(Table(), before);
    }
    EXPECT_TRUE(ChooseDelimiter(s, 1, u"13").Refused());
    EXPECT_EQ(Table(), before);

    // Out of range and junk are corrected, not refused.
    EXPECT_TRUE(EditDelimiter(s, 1, u"999").Accepted());
    EXPECT_EQ(Db(1).Delimiter(), 255);
    ASSERT_TRUE(ChooseFixedLength(s, 1).Accepted());
    EXPECT_EQ(Db(1).Delimiter(), 0);
    EXPECT_EQ(Db(2).Delimiter(), 0);
    // Chosen but not yet typed: the page shows delimiter mode over a zero delimiter.
    v = ViewLookupPage(s, 1, /*delimiterChosen=*/true);
    EXPECT_TRUE(v.delimited);
    EXPECT_EQ(v.delimiter, u"0");
    EXPECT_TRUE(ViewLookupPage(s, 1).delimiter.empty());
}

TEST_F(LookupPageTest, NumberEditsStoreAByteWhateverIsTyped) {
    DefineDatabase(1, {4, 6, 8});
    struct Case {
        const char16_t* typed;
        int stored;
        const char16_t* shown;
    };
    for (const Case c : {Case{u"300", 255, u"255"}, Case{u"255", 255, u"255"}, Case{u"07", 7, u"7"},
                         Case{u"", 0, u"0"}, Case{u"abc", 0, u"0"}, Case{u"-5", 0, u"0"},
                         Case{u"99999999999999999999", 255, u"255"}, Case{u"١٢", 0, u"0"}}) {
        SCOPED_TRACE(std::u16string_view(c.typed).size());
        ASSERT_TRUE(EditFieldLength(s, 0, 2, c.typed).Accepted());
        EXPECT_EQ(Db(0).FieldLength(2), c.stored);
        ASSERT_TRUE(EditFieldOffset(s, 0, 1, c.typed).Accepted());
        EXPECT_EQ(Db(0).FieldOffset(1), c.stored);
        ASSERT_TRUE(EditMemberLength(s, 0, c.typed).Accepted());
        EXPECT_EQ(Db(0).MemberLength(), c.stored);
        EXPECT_EQ(ViewLookupPage(s, 0).memberLength, c.shown);
        EXPECT_EQ(ViewLookupPage(s, 0).fields[2].length, c.shown);
    }
    // Fields past the count and databases past the third are not there to edit.
    const std::vector<Byte> before = Table();
    EXPECT_TRUE(EditFieldLength(s, 0, 3, u"5").Refused());
    EXPECT_TRUE(EditFieldOffset(s, 0, 7, u"5").Refused());
    EXPECT_TRUE(EditFieldLength(s, 3, 0, u"5").Refused());
    EXPECT_TRUE(EditMemberLength(s, -1, u"5").Refused());
    EXPECT_EQ(Table(), before);
}

// ---- the date/time field and the key ------------------------------------------------------

TEST_F(LookupPageTest, TheDateTimeFieldIsNeverTheKeyAndNeverShorterThanFourteen) {
    DefineDatabase(1, {10, 14, 20});
    LookupRecord db = Db(0);
    EXPECT_EQ(db.KeyField(), 0);

    // Refused on the key and on a short field, with the reason.
    Outcome o = ToggleDateTimeField(s, 0, 0);
    EXPECT_TRUE(o.Refused());
    EXPECT_EQ(o.text, u"Для ключевого поля нельзя установить свойство сохранения даты/времени");
    EXPECT_EQ(o.icon, MessageIcon::Error);
    ASSERT_TRUE(SelectKeyField(s, 0, 2).Accepted());
    o = ToggleDateTimeField(s, 0, 0);
    EXPECT_TRUE(o.Refused());
    EXPECT_EQ(o.text,
              u"Нельзя установить свойство сохранения даты/времени, так как размер "
              u"данного поля БД слишком мал (минимально 14)");
    EXPECT_EQ(db.DateTimeField(), 0);

    // One field at most; checking it again takes the mark off.
    ASSERT_TRUE(ToggleDateTimeField(s, 0, 1).Accepted());
    EXPECT_EQ(db.DateTimeField(), 2);
    EXPECT_TRUE(ViewLookupPage(s, 0).fields[1].dateTime);
    ASSERT_TRUE(EditFieldLength(s, 0, 0, u"16").Accepted());
    ASSERT_TRUE(ToggleDateTimeField(s, 0, 0).Accepted());
    EXPECT_EQ(db.DateTimeField(), 1);
    ASSERT_TRUE(ToggleDateTimeField(s, 0, 0).Accepted());
    EXPECT_EQ(db.DateTimeField(), 0);

    // Its length cannot drop below 14; an empty edit gives it 14.
    ASSERT_TRUE(ToggleDateTimeField(s, 0, 1).Accepted());
    const std::vector<Byte> before = Table();
    for (const char16_t* tooShort : {u"13", u"0", u"1"}) {
        o = EditFieldLength(s, 0, 1, tooShort);
        EXPECT_TRUE(o.Refused());
        EXPECT_EQ(o.text,
                  u"Размер поля с установленным свойством сохранения даты/времени не может быть "
                  u"меньше 14");
        EXPECT_EQ(Table(), before);
    }
    ASSERT_TRUE(EditFieldLength(s, 0, 1, u"").Accepted());
    EXPECT_EQ(db.FieldLength(1), 14);
    ASSERT_TRUE(EditFieldLength(s, 0, 1, u"300").Accepted());
    EXPECT_EQ(db.FieldLength(1), 255);

    // Making it the key takes the mark away, and says so once.
    o = SelectKeyField(s, 0, 1);
    EXPECT_TRUE(o.Accepted());
    EXPECT_EQ(o.text, u"Для ключевого поля свойство сохранения даты/времени будет отменено");
    EXPECT_EQ(o.icon, MessageIcon::Error);
    EXPECT_EQ(db.KeyField(), 1);
    EXPECT_EQ(db.DateTimeField(), 0);
    o = SelectKeyField(s, 0, 1);
    EXPECT_TRUE(o.Accepted());
    EXPECT_TRUE(o.text.empty());
    const LookupPageView v = ViewLookupPage(s, 0);
    EXPECT_TRUE(v.fields[1].key);
    EXPECT_FALSE(v.fields[1].dateTime);
    EXPECT_TRUE(SelectKeyField(s, 0, 3).Refused()) << "only three fields";
}

// ---- what the terminal does: read once and the lists ----------------------------------------

TEST_F(LookupPageTest, ReadingOnceLeavesOnlyInsertActionsInTheDatabaseAndItsForms) {
    DefineDatabase(2, {8});
    DefineDatabase(1, {8});
    Db(1).NoMatchAction() = 4;  // "Clear the screen"
    // Forms 1..6 on database 2 with every not-found action, form 7 on database 1.
    for (int n = 0; n <= 6; ++n) {
        Form(s.working, n).FormLookup() = 2;
        Form(s.working, n).NotFoundAction() = static_cast<Byte>(n);
    }
    Form(s.working, 7).FormLookup() = 1;
    Form(s.working, 7).NotFoundAction() = 5;

    ASSERT_TRUE(SetReadOnce(s, 1, true).Accepted());
    EXPECT_EQ(Db(1).ReadOnce(), 1);
    EXPECT_EQ(Db(1).NoMatchAction(), 2) << "becomes \"Insert to lookup file\"";
    const int expected[] = {0, 0, 0, 3, 4, 0, 0};
    for (int n = 0; n <= 6; ++n)
        EXPECT_EQ(Form(s.working, n).NotFoundAction(), expected[n]) << "form " << n + 1;
    EXPECT_EQ(Form(s.working, 7).NotFoundAction(), 5) << "another database";

    LookupPageView v = ViewLookupPage(s, 1);
    ASSERT_EQ(v.noMatch.entries.size(), 2u);
    EXPECT_EQ(v.noMatch.entries[0].text, u"Insert to lookup file");
    EXPECT_EQ(v.noMatch.entries[1].text, u"Show warning message & Insert");
    EXPECT_EQ(v.noMatch.selected, 0);
    ASSERT_TRUE(SelectNoMatchAction(s, 1, 1).Accepted());
    EXPECT_EQ(Db(1).NoMatchAction(), 3);
    EXPECT_TRUE(SelectNoMatchAction(s, 1, 2).Refused());
    // The Form page offers the same.
    SelectForm(s, 0);
    EXPECT_EQ(ViewFormPage(s).notFoundAction.entries.size(), 3u);

    // An insert action already chosen stays, both ways.
    ASSERT_TRUE(SetReadOnce(s, 1, false).Accepted());
    EXPECT_EQ(Db(1).NoMatchAction(), 3);
    v = ViewLookupPage(s, 1);
    EXPECT_EQ(v.noMatch.entries.size(), 6u);
    EXPECT_EQ(v.noMatch.selected, 3);
    ASSERT_TRUE(SetReadOnce(s, 1, true).Accepted());
    EXPECT_EQ(Db(1).NoMatchAction(), 3);
}

TEST_F(LookupPageTest, ListsAndFlagsStoreTheirCodes) {
    DefineDatabase(3, {5, 5});
    struct Case {
        Outcome (*select)(EditingSession&, int, int);
        Byte& (LookupRecord::*field)() const;
        int index, code, entries;
    };
    const Case cases[] = {
        {SelectNoMatchAction, &LookupRecord::NoMatchAction, 5, 5, 6},
        {SelectWrongFormatAction, &LookupRecord::WrongFormatAction, 2, 2, 3},
        {SelectPlacement, &LookupRecord::Placement, 1, 1, 2},
        {SelectSeveralFound, &LookupRecord::SeveralFound, 1, 1, 2},
        {SelectFilterMode, &LookupRecord::FilterMode, 1, 1, 2},
    };
    LookupRecord db = Db(2);
    for (const Case& c : cases) {
        ASSERT_TRUE(c.select(s, 2, c.index).Accepted());
        EXPECT_EQ((db.*c.field)(), c.code);
        const std::vector<Byte> before = Table();
        EXPECT_TRUE(c.select(s, 2, c.entries).Refused());
        EXPECT_TRUE(c.select(s, 2, -1).Refused());
        EXPECT_EQ(Table(), before);
    }
    const LookupPageView v = ViewLookupPage(s, 2);
    EXPECT_EQ(v.placement.entries[1].text, u"На SD карте");
    EXPECT_EQ(v.severalFound.entries[1].text, u"Ручной выбор записи");
    EXPECT_EQ(v.filterMode.entries[0].text, u"Совместно");
    EXPECT_EQ(v.wrongFormat.entries[1].text, u"Truncate / reformat the record");
    EXPECT_EQ(v.fieldCount.entries[8].text, u" 8");

    ASSERT_TRUE(SetDatabaseFlag(s, 2, DatabaseFlag::CanBeUploaded, false).Accepted());
    ASSERT_TRUE(SetDatabaseFlag(s, 2, DatabaseFlag::SearchWithFilter, true).Accepted());
    ASSERT_TRUE(SetDatabaseFieldFlag(s, 2, 1, DatabaseFieldFlag::QuantityControl, true).Accepted());
    ASSERT_TRUE(SetDatabaseFieldFlag(s, 2, 0, DatabaseFieldFlag::NonZeroFilter, true).Accepted());
    EXPECT_TRUE(SetDatabaseFieldFlag(s, 2, 2, DatabaseFieldFlag::NonZeroFilter, true).Refused());
    EXPECT_EQ(db.CanBeUploaded(), 0);
    EXPECT_EQ(db.SearchWithFilter(), 1);
    EXPECT_EQ(db.QuantityControl(1), 1);
    EXPECT_EQ(db.NonZeroFilter(0), 1);
    EXPECT_EQ(db.NonZeroFilter(2), 0);
}

TEST_F(LookupPageTest, BytesNoListOffersAreShownWithoutChange) {
    LookupRecord db = Db(0);
    db.FieldCount() = 12;
    db.MemberLength() = 40;
    db.NoMatchAction() = 9;
    db.WrongFormatAction() = 200;
    db.Placement() = 7;
    db.FilterMode() = 3;
    db.KeyField() = 9;
    db.DateTimeField() = 30;
    db.Delimiter() = 13;  // as an old file may hold it
    const std::vector<Byte> before = Table();
    const LookupPageView v = ViewLookupPage(s, 0);
    EXPECT_EQ(Table(), before);
    EXPECT_EQ(v.fieldCount.selected, -1);
    EXPECT_EQ(v.noMatch.selected, -1);
    EXPECT_EQ(v.wrongFormat.selected, -1);
    EXPECT_EQ(v.placement.selected, -1);
    EXPECT_EQ(v.filterMode.selected, -1);
    EXPECT_EQ(v.delimiter, u"13");
    for (const LookupFieldRow& row : v.fields) {
        EXPECT_TRUE(row.enabled) << "a count past 8 still shows eight fields";
        EXPECT_FALSE(row.key);
        EXPECT_FALSE(row.dateTime);
    }
    // A database index out of range shows the first.
    EXPECT_EQ(ViewLookupPage(s, 7).database.selected, 0);
    EXPECT_EQ(ViewLookupPage(s, 2).database.entries[2].text, u"3rd lookup file");
}

// ---- the number of fields and its reach into the forms ------------------------------------

TEST_F(LookupPageTest, TakingAllFieldsAwayAsksTheFormsThatUseTheDatabase) {
    DefineDatabase(1, {5, 5, 5});
    const char16_t several[] =
        u"Формы 2, 5 содержат ссылки на данную БД. Все ссылки будут удалены, при изменении "
        u"количества полей на 0.\r\n\r\nПродолжить?";
    const char16_t one[] =
        u"Форма 2 содержит ссылку на данную БД. Ссылка будет удалена, при изменении количества "
        u"полей на 0.\r\n\r\nПродолжить?";
    for (int n : {1, 4}) {
        FormRecord f = Form(s.working, n);
        f.FormLookup() = 1;
        f.LineType(3) = kLineSerial;
        f.LineType(4) = kLineText;
        f.SerialQuantityField() = 3;
    }
    Form(s.working, 6).FormLookup() = 2;

    Outcome o = SelectFieldCount(s, 0, 0);
    ASSERT_TRUE(o.Asks());
    EXPECT_EQ(o.text, several);
    EXPECT_EQ(o.icon, MessageIcon::Question);
    EXPECT_EQ(o.buttons, MessageButtons::YesNo);

    // No: nothing changes.
    const std::vector<Byte> forms = Forms();
    const std::vector<Byte> table = Table();
    EXPECT_TRUE(SelectFieldCount(s, 0, 0, Answer::No).Refused());
    EXPECT_EQ(Forms(), forms);
    EXPECT_EQ(Table(), table);

    Form(s.working, 4).FormLookup() = 0;
    o = SelectFieldCount(s, 0, 0);
    ASSERT_TRUE(o.Asks());
    EXPECT_EQ(o.text, one);

    // Yes: the form loses the database and its serial numbers.
    Form(s.working, 4).FormLookup() = 1;
    ASSERT_TRUE(SelectFieldCount(s, 0, 0, Answer::Yes).Accepted());
    EXPECT_EQ(Db(0).FieldCount(), 0);
    for (int n : {1, 4}) {
        const FormRecord f = Form(s.working, n);
        EXPECT_EQ(f.FormLookup(), 0);
        EXPECT_EQ(f.LineType(3), kLineNil);
        EXPECT_EQ(f.LineType(4), kLineText);
        EXPECT_EQ(f.SerialQuantityField(), 1);
    }
    EXPECT_EQ(Form(s.working, 6).FormLookup(), 2);

    // With no form on it, no question.
    DefineDatabase(3, {4});
    EXPECT_TRUE(SelectFieldCount(s, 2, 0).Accepted());
    EXPECT_EQ(Db(2).FieldCount(), 0);
}

TEST_F(LookupPageTest, FewerFieldsResetWhatTheFormsPointedPastThem) {
    DefineDatabase(1, {2, 2, 2, 2, 2});
    FormRecord f = Form(s.working, 3);
    f.FormLookup() = 1;
    f.TotalSumField(0) = 4;
    f.TotalSumField(1) = 3;
    f.BalanceFilterField(0) = 5;
    f.BalanceFilterField(1) = 2;
    f.TotalFilterField(3) = 4;
    f.TotalMultiplier(0) = 5;
    f.TotalMultiplier(1) = 12;  // variable 4, not a field
    f.TotalMultiplier(2) = 3;
    f.SerialQuantityField() = 5;
    // A form on another database names fields of that one.
    FormRecord other = Form(s.working, 8);
    DefineDatabase(2, {2, 2, 2, 2, 2, 2});
    other.FormLookup() = 2;
    other.TotalSumField(0) = 6;
    other.BalanceFilterField(0) = 5;
    other.SerialQuantityField() = 6;
    const std::vector<Byte> otherBefore(other.Data(), other.Data() + kFormRecordSize);

    ASSERT_TRUE(SelectFieldCount(s, 0, 3).Accepted());
    EXPECT_EQ(Db(0).FieldCount(), 3);
    EXPECT_EQ(f.TotalSumField(0), 1);
    EXPECT_EQ(f.TotalSumField(1), 3);
    EXPECT_EQ(f.BalanceFilterField(0), 0) << "\"не использовать\"";
    EXPECT_EQ(f.BalanceFilterField(1), 2);
    EXPECT_EQ(f.TotalFilterField(3), 0);
    EXPECT_EQ(f.TotalMultiplier(0), 0);
    EXPECT_EQ(f.TotalMultiplier(1), 12);
    EXPECT_EQ(f.TotalMultiplier(2), 3);
    EXPECT_EQ(f.SerialQuantityField(), 1);
    EXPECT_EQ(std::vector<Byte>(other.Data(), other.Data() + kFormRecordSize), otherBefore);

    // The rows follow the count; more fields reset nothing.
    const LookupPageView v = ViewLookupPage(s, 0);
    EXPECT_TRUE(v.fields[2].enabled);
    EXPECT_FALSE(v.fields[3].enabled);
    EXPECT_EQ(v.fieldCount.selected, 3);
    f.TotalSumField(2) = 3;
    ASSERT_TRUE(SelectFieldCount(s, 0, 8).Accepted());
    EXPECT_EQ(f.TotalSumField(2), 3);
    EXPECT_TRUE(SelectFieldCount(s, 0, 9).Refused());
    EXPECT_EQ(Db(0).FieldCount(), 8);
}

TEST_F(LookupPageTest, ResetEmptiesAllThreeDatabasesAndKeepsTheirReservedBytes) {
    for (int d = 1; d <= kLookupCount; ++d) {
        DefineDatabase(d, {14, 3, 9});
        LookupRecord db = Db(d - 1);
        db.Delimiter() = ';';
        db.CanBeUploaded() = 0;
        db.NoMatchAction() = 3;
        db.WrongFormatAction() = 2;
        db.ReadOnce() = db.Placement() = db.SeveralFound() = db.SearchWithFilter() = 1;
        db.FilterMode() = 1;
        db.DateTimeField() = 1;
        db.KeyField() = 2;
        db.NonZeroFilter(1) = db.QuantityControl(2) = 1;
        db.Data()[100] = 0x5A;
    }
    ResetLookups(s);
    for (int d = 0; d < kLookupCount; ++d) {
        SCOPED_TRACE(d);
        const LookupRecord db = Db(d);
        std::vector<Byte> expected(45, 0);
        expected[20] = 1;  // uploadable
        for (int i = 0; i < 8; ++i)
            expected[3 + static_cast<std::size_t>(i)] = 1;  // offsets
        EXPECT_EQ(std::vector<Byte>(db.Data(), db.Data() + 45), expected);
        EXPECT_EQ(db.Data()[100], 0x5A);
        const LookupPageView v = ViewLookupPage(s, d);
        EXPECT_FALSE(v.delimited);
        EXPECT_FALSE(v.fields[0].enabled);
    }
}

}  // namespace
}  // namespace fw::editor::test
