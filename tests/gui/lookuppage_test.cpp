// The Lookup page in the real sheet: its texts from a language file, a refused delimiter shown
// again, and a change that reaches the forms showing on the Form page and surviving OK.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "model/workspace.h"

namespace fw {
namespace {

using test::DialogScript;

class LookupPageGuiTest : public test::WindowTest {
  protected:
    // Database 1: three delimited fields; form 2 searches it.
    static void DefineDatabase(Definition& d) {
        LookupRecord db = Lookup(d, 1);
        db.FieldCount() = 3;
        db.MemberLength() = 20;
        db.Delimiter() = ',';
        for (int i = 0; i < 3; ++i)
            db.FieldLength(i) = 6;
        Form(d, 1).FormLookup() = 1;
        Form(d, 1).LineType(0) = kLineText;
    }
    template <class T>
    static T* Child(QWidget* in, const char* name) {
        auto* w = in->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QWidget* ShowLookupPage(QWidget* sheet) {
        auto* tabs = Child<QTabWidget>(sheet, "pages");
        QWidget* page = Child<QWidget>(sheet, "LOOKUPDLG");
        tabs->setCurrentWidget(page);
        return page;
    }
    static void Press(QWidget* sheet, QDialogButtonBox::StandardButton which) {
        Child<QDialogButtonBox>(sheet, "sheetButtons")->button(which)->click();
    }

    std::filesystem::path project_ = dir_ / "work.FWW";
};

TEST_F(LookupPageGuiTest, TextsComeFromTheLanguageFileAndARefusedDelimiterSnapsBack) {
    ChooseEnglish();
    auto w = StartWithSheet(project_);
    DefineDatabase(w->workspace().definition);
    QString header, several, readOnce, delimiterAfter;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        QTimer::singleShot(0, sheet, [&, sheet] {
                            QWidget* page = ShowLookupPage(sheet);
                            header = Child<QLabel>(page, "lengthHeader")->text();
                            several = Child<QComboBox>(page, "severalFound")->itemText(1);
                            readOnce = Child<QWidget>(page, "readOnce")->accessibleName();
                            auto* delimiter = Child<QLineEdit>(page, "delimiter");
                            delimiter->setFocus();
                            delimiter->end(false);
                            QTest::keyClick(delimiter, Qt::Key_Backspace);  // "4"
                            QTest::keyClick(delimiter, Qt::Key_Backspace);  // "": 0
                            QTest::keyClicks(delimiter, "13");
                            delimiterAfter = delimiter->text();
                            Press(sheet, QDialogButtonBox::Ok);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(header, "Max Length");
    EXPECT_EQ(several, "Choose the record by hand");
    EXPECT_EQ(readOnce, "Only read data once");
    EXPECT_EQ(messages, QStringList{"Warning|Invalid value!"});
    EXPECT_EQ(delimiterAfter, "1");
    EXPECT_EQ(Lookup(w->workspace().definition, 1).Delimiter(), 1);
}

TEST_F(LookupPageGuiTest, TakingTheFieldsAwayIsAskedShownOnTheFormPageAndCommittedByOk) {
    auto w = StartWithSheet(project_);
    DefineDatabase(w->workspace().definition);
    int formLookup = -1, countAfter = -1;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        QTimer::singleShot(0, sheet, [&, sheet] {
                            QWidget* page = ShowLookupPage(sheet);
                            auto* count = Child<QComboBox>(page, "fieldCount");
                            count->setCurrentIndex(0);
                            countAfter = count->currentIndex();
                            Child<QComboBox>(sheet, "formName")->setCurrentIndex(1);
                            formLookup = Child<QComboBox>(sheet, "lookup")->currentIndex();
                            Press(sheet, QDialogButtonBox::Ok);
                        });
                    })
            .Answer(QMessageBox::Yes)
            .Run([&] { PressCtrlE(*w); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Предупреждение|Форма 2 содержит ссылку на данную БД"))
        << messages[0].toStdString();
    EXPECT_EQ(countAfter, 0);
    EXPECT_EQ(formLookup, 0) << "the Form page shows the form without its database";
    EXPECT_EQ(Lookup(w->workspace().definition, 1).FieldCount(), 0);
    EXPECT_EQ(Form(w->workspace().definition, 1).FormLookup(), 0);
    EXPECT_TRUE(w->definitionModified());
}

// A date/time field's length is taken when the user leaves it, so a longer length can be typed
// digit by digit; a short one is still refused and shown as it was.
TEST_F(LookupPageGuiTest, ADateTimeLengthIsTakenWhenTheUserLeavesTheBox) {
    auto w = StartWithSheet(project_);
    DefineDatabase(w->workspace().definition);
    LookupRecord db = Lookup(w->workspace().definition, 1);
    db.FieldLength(1) = 14;
    db.DateTimeField() = 2;
    QString afterLonger, afterShort;
    const QStringList messages = DialogScript()
                                     .Expect("DefinitionSheet",
                                             [&](QWidget* sheet) {
                                                 QTimer::singleShot(0, sheet, [&, sheet] {
                                                     QWidget* page = ShowLookupPage(sheet);
                                                     auto* length =
                                                         Child<QLineEdit>(page, "length2");
                                                     length->setFocus();
                                                     length->selectAll();
                                                     QTest::keyClicks(length, "20");
                                                     QTest::keyClick(length, Qt::Key_Return);
                                                     afterLonger = length->text();
                                                     length->selectAll();
                                                     QTest::keyClicks(length, "9");
                                                     QTest::keyClick(length, Qt::Key_Return);
                                                     afterShort = length->text();
                                                     Press(sheet, QDialogButtonBox::Ok);
                                                 });
                                             })
                                     .Answer(QMessageBox::Ok)
                                     .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(messages, QStringList{"Предупреждение|Размер поля с установленным свойством "
                                    "сохранения даты/времени не может быть меньше 14"});
    EXPECT_EQ(afterLonger, "20");
    EXPECT_EQ(afterShort, "20");
    EXPECT_EQ(Lookup(w->workspace().definition, 1).FieldLength(1), 20);
    EXPECT_EQ(Lookup(w->workspace().definition, 1).DateTimeField(), 2);
}

}  // namespace
}  // namespace fw
