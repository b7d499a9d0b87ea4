#include "editor/serialdlg.h"

#include "editor/formpage.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

using SerialTest = EditorTest;

TEST_F(SerialTest, ADatabaseCannotHoldBothTheFormsRecordsAndItsSerialNumbers) {
    DefineDatabase(1, {4});
    DefineDatabase(2, {4});
    ASSERT_TRUE(SelectFormLookup(s, 2).Accepted());
    Outcome o = SelectSerialStore(s, 2);
    EXPECT_TRUE(o.Refused());
    EXPECT_EQ(o.text, u"База данных уже используется формой");
    EXPECT_EQ(o.icon, MessageIcon::Warning);
    EXPECT_EQ(F().SerialStore(), 0);
    ASSERT_TRUE(SelectSerialStore(s, 1).Accepted());
    EXPECT_EQ(ViewSerialDialog(s).store.selected, 1);
    EXPECT_EQ(ViewSerialDialog(s).store.entries[1].text, u"Базе данных 1");

    o = SelectFormLookup(s, 1);
    EXPECT_TRUE(o.Refused());
    EXPECT_EQ(o.text, u"База данных уже используется для серийных номеров");
    EXPECT_EQ(F().FormLookup(), 2);
}

TEST_F(SerialTest, OkGivesTheChosenDatabaseTheSerialNumberLayout) {
    LookupRecord db = Lookup(s.working, 3);
    DefineDatabase(3, {5, 10, 3});
    db.DateTimeField() = 1;
    db.NonZeroFilter(0) = db.QuantityControl(2) = db.SeveralFound() = db.Placement() = 1;
    db.NoMatchAction() = 4;
    DefineDatabase(1, {4});
    F().FormLookup() = 1;
    F().LineType(0) = kLineSerial;
    // Other forms on the database the numbers go to lose actions it cannot do.
    for (int n : {3, 4, 5}) {
        Form(s.working, n).FormLookup() = 3;
        Form(s.working, n).NotFoundAction() = static_cast<Byte>(n + 1);  // 4, 5, 6
    }
    Form(s.working, 6).FormLookup() = 2;
    Form(s.working, 6).NotFoundAction() = 5;

    const Snapshot snap = TakeSnapshot(s);
    ASSERT_TRUE(SelectSerialStore(s, 3).Accepted());
    ASSERT_TRUE(SelectSerialPartVariable(s, 6).Accepted());
    ConfirmSerialDialog(s);
    EXPECT_EQ(F().SerialPartVariable(), 7);
    EXPECT_EQ(F().RecordAction(), 1);
    EXPECT_EQ(db.MemberLength(), 50);
    EXPECT_EQ(db.FieldCount(), 1);
    EXPECT_EQ(db.FieldLength(0), 50);
    EXPECT_EQ(db.FieldOffset(0), 1);
    EXPECT_EQ(db.Delimiter(), ',');
    EXPECT_EQ(db.ReadOnce(), 1);
    EXPECT_EQ(db.CanBeUploaded(), 1);
    EXPECT_EQ(db.NoMatchAction(), 2);
    EXPECT_EQ(db.DateTimeField(), 0);
    EXPECT_EQ(db.NonZeroFilter(0) + db.QuantityControl(2) + db.SeveralFound() + db.Placement(), 0);
    EXPECT_EQ(Form(s.working, 3).NotFoundAction(), 4) << "an insert action stays";
    EXPECT_EQ(Form(s.working, 4).NotFoundAction(), 0);
    EXPECT_EQ(Form(s.working, 5).NotFoundAction(), 0);
    EXPECT_EQ(Form(s.working, 6).NotFoundAction(), 5) << "another database";

    // Cancel puts the form back as the dialog found it, and leaves the data file in charge.
    CancelSerialDialog(s, snap);
    EXPECT_EQ(F().SerialStore(), 0);
    EXPECT_EQ(F().SerialPartVariable(), 1);
    SelectSerialStore(s, 0);
    ConfirmSerialDialog(s);
    EXPECT_EQ(F().RecordAction(), 2);
}

TEST_F(SerialTest, QuantityFieldsAreThoseOfTheFormsDatabase) {
    DefineDatabase(2, {3, 3, 3});
    F().FormLookup() = 2;
    EXPECT_EQ(ViewSerialDialog(s).quantityField.entries.size(), 3u);
    EXPECT_TRUE(SelectSerialQuantityField(s, 3).Refused());
    ASSERT_TRUE(SelectSerialQuantityField(s, 2).Accepted());
    EXPECT_EQ(F().SerialQuantityField(), 3);
    EXPECT_EQ(ViewSerialDialog(s).quantityField.selected, 2);
}

}  // namespace
}  // namespace fw::editor::test
