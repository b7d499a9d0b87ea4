#include "editor/formpage.h"

#include "editor_support.h"

namespace fw::editor::test {
namespace {

using FormPageTest = EditorTest;

TEST_F(FormPageTest, ListsStoreTheirCodesOnTheCurrentForm) {
    ASSERT_TRUE(SelectForm(s, 4).Accepted());
    EXPECT_TRUE(SelectEscTarget(s, 13).Accepted());    // menu 3
    EXPECT_TRUE(SelectErrorTarget(s, 2).Accepted());   // form 1: the list is shifted by "нет"
    EXPECT_TRUE(SelectRecordAction(s, 8).Accepted());  // "не сохранять"
    EXPECT_EQ(F().EscTarget(), 13);
    EXPECT_EQ(F().ErrorTarget(), 2);
    EXPECT_EQ(F().RecordAction(), 8);
    EXPECT_EQ(Form(s.working, 0).EscTarget(), 0) << "another form changed";

    const FormPageView view = ViewFormPage(s);
    EXPECT_EQ(view.form.selected, 4);
    EXPECT_EQ(view.form.entries[4].text, u"form  5");
    EXPECT_EQ(view.escTarget.entries[13].text, u"menu  3");
    EXPECT_EQ(view.errorTarget.selected, 2);

    // A choice outside a list changes nothing.
    const auto before = Record();
    EXPECT_TRUE(SelectEscTarget(s, 21).Refused());
    EXPECT_TRUE(SelectRecordAction(s, -1).Refused());
    EXPECT_TRUE(SelectForm(s, 10).Refused());
    EXPECT_EQ(Record(), before);
    EXPECT_EQ(s.currentForm, 4);
}

TEST_F(FormPageTest, NotFoundListOfADatabaseReadOnceOffersOnlyInserts) {
    DefineDatabase(2, {4, 6});
    ASSERT_TRUE(SelectFormLookup(s, 2).Accepted());
    ASSERT_TRUE(SelectNotFoundAction(s, 5).Accepted());
    EXPECT_EQ(F().NotFoundAction(), 5) << "plain list: the index is the code";

    Lookup(s.working, 2).ReadOnce() = 1;
    FormPageView view = ViewFormPage(s);
    ASSERT_EQ(view.notFoundAction.entries.size(), 3u);
    EXPECT_EQ(view.notFoundAction.entries[1].code, 3);
    EXPECT_EQ(view.notFoundAction.selected, -1) << "clear the screen is not offered";

    ASSERT_TRUE(SelectNotFoundAction(s, 2).Accepted());
    EXPECT_EQ(F().NotFoundAction(), 4);
    EXPECT_EQ(ViewFormPage(s).notFoundAction.selected, 2);
    ASSERT_TRUE(SelectNotFoundAction(s, 0).Accepted());
    EXPECT_EQ(F().NotFoundAction(), 0) << "the first entry is not shifted";
    EXPECT_TRUE(SelectNotFoundAction(s, 3).Refused());
}

TEST_F(FormPageTest, ChoosingADatabase) {
    // Without fields a database cannot be chosen.
    EXPECT_EQ(SelectFormLookup(s, 1).text, u"В выбранной БД нет ни одного поля");
    EXPECT_EQ(F().FormLookup(), 0);

    // With a serial-number line the form updates the database, by its key field.
    DefineDatabase(1, {8, 3});
    Lookup(s.working, 1).KeyField() = 1;
    F().LineType(2) = kLineSerial;
    F().SerialQuantityField() = 5;
    ASSERT_TRUE(SelectFormLookup(s, 1).Accepted());
    EXPECT_EQ(F().FormLookup(), 1);
    EXPECT_EQ(F().RecordAction(), 2) << "serial numbers in the data file: save & update";
    EXPECT_EQ(F().LineLookupField(2), 2);
    EXPECT_EQ(F().SerialQuantityField(), 1) << "field 5 is beyond the database";
    FormPageView view = ViewFormPage(s);
    EXPECT_TRUE(view.serialPropertiesEnabled);
    EXPECT_FALSE(view.recordAction.enabled);

    F().SerialStore() = 3;
    DefineDatabase(2, {5});
    ASSERT_TRUE(SelectFormLookup(s, 2).Accepted());
    EXPECT_EQ(F().RecordAction(), 1) << "serial numbers in a database: update lookup";

    // Dropping the database asks whether the serial-number line may lose its type.
    const auto before = Record();
    Outcome asked = SelectFormLookup(s, 0);
    ASSERT_TRUE(asked.Asks());
    EXPECT_EQ(asked.text,
              u"Тип \"Серийный номер\" поля 3 будет изменен на тип \"нет\"\r\nПродолжить?");
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(Record(), before) << "asking changes nothing";
    EXPECT_TRUE(SelectFormLookup(s, 0, Answer::No).Refused());
    EXPECT_EQ(Record(), before);
    ASSERT_TRUE(SelectFormLookup(s, 0, Answer::Yes).Accepted());
    EXPECT_EQ(F().FormLookup(), 0);
    EXPECT_EQ(F().LineType(2), kLineNil);
    EXPECT_FALSE(ViewFormPage(s).serialPropertiesEnabled);

    // Without a serial-number line "nil" needs no question.
    F().FormLookup() = 2;
    EXPECT_TRUE(SelectFormLookup(s, 0).Accepted());
}

}  // namespace
}  // namespace fw::editor::test
