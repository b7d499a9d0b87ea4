// The field lines of the Form page and the dialogs they open, as the user works them: what a
// widget stores, what it shows after a refused choice, and what Cancel of a dialog leaves.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "model/workspace.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using test::DialogScript;
using test::WaitFor;

constexpr int kSerialIndex = 15;  // "Серийный номер" in the type list

class FieldLinesTest : public test::WindowTest {
  protected:
    template <class T>
    static T* Child(QWidget* parent, const QString& name) {
        auto* child = parent->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    static void Later(QWidget* owner, std::function<void()> what) {
        QTimer::singleShot(0, owner, std::move(what));
    }
    static void Cancel(QWidget* sheet) {
        sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))
            ->button(QDialogButtonBox::Cancel)
            ->click();
    }
    static const editor::EditingSession& Session(QWidget* sheet) {
        return static_cast<editor::ui::DefinitionSheet*>(sheet)->editingSession();
    }

    fs::path project_ = dir_ / "lines.FWW";
};

TEST_F(FieldLinesTest, TypeListStoresAChoiceAndSnapsBackFromASecondSerialLine) {
    auto w = StartWithSheet(project_);
    int storedFirst = -1, secondBefore = -1, secondAfter = -1, storedSecond = -1;
    QString maxShown;
    int maxStored = -1;
    QString typeName;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        Later(sheet, [&, sheet] {
                            auto* first = Child<QComboBox>(sheet, "lineType1");
                            auto* second = Child<QComboBox>(sheet, "lineType2");
                            typeName = first->accessibleName();
                            first->setCurrentIndex(1);  // "text": no serial line on the form
                            first->setCurrentIndex(kSerialIndex);
                            storedFirst = Session(sheet).Form().LineType(0);
                            second->setCurrentIndex(1);
                            secondBefore = second->currentIndex();
                            second->setCurrentIndex(kSerialIndex);
                            secondAfter = second->currentIndex();
                            storedSecond = Session(sheet).Form().LineType(1);

                            // A length past the cap is shown as the cap it is stored as.
                            auto* max = Child<QLineEdit>(sheet, "lineMax2");
                            max->selectAll();
                            QTest::keyClicks(max, "120");
                            maxShown = max->text();
                            maxStored = Session(sheet).Form().MaxLength(1);
                            Cancel(sheet);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(typeName, "Type 1");
    EXPECT_EQ(storedFirst, kLineSerial);
    EXPECT_EQ(messages, QStringList{"Предупреждение|Тип \"Серийный номер\" может быть выбран "
                                    "только для одного поля текущей формы"});
    EXPECT_EQ(secondBefore, 1);
    EXPECT_EQ(secondAfter, 1);
    EXPECT_EQ(storedSecond, kLineText);
    EXPECT_EQ(maxShown, "80");
    EXPECT_EQ(maxStored, 80);
}

TEST_F(FieldLinesTest, StampPreviewFollowsItsControlsAndCancelRestoresTheForm) {
    auto w = StartWithSheet(project_);
    QString emptyPreview, datePreview, timePreview;
    editor::Snapshot before, after;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    Later(sheet, [&, sheet] {
                        before = editor::TakeSnapshot(Session(sheet));
                        Child<QPushButton>(sheet, "timeStamp")->click();
                        after = editor::TakeSnapshot(Session(sheet));
                        Cancel(sheet);
                    });
                })
        .Expect("STAMPDLG",
                [&](QWidget* dialog) {
                    for (const char* name : {"year", "month", "day", "hour", "minute", "second"})
                        Child<QCheckBox>(dialog, name)->setChecked(false);
                    emptyPreview = Child<QLabel>(dialog, "datePreview")->text();
                    for (const char* name :
                         {"year", "month", "day", "dateSeparatorOn", "hour", "minute"})
                        Child<QCheckBox>(dialog, name)->setChecked(true);
                    Child<QComboBox>(dialog, "yearDigits")->setCurrentIndex(1);
                    Child<QComboBox>(dialog, "dateStyle")->setCurrentIndex(2);
                    auto* separator = Child<QLineEdit>(dialog, "dateSeparator");
                    separator->selectAll();
                    QTest::keyClicks(separator, "/-");
                    datePreview = Child<QLabel>(dialog, "datePreview")->text();
                    timePreview = Child<QLabel>(dialog, "timePreview")->text();
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(emptyPreview, "Date Format : ");
    EXPECT_EQ(datePreview, "Date Format : DD/MM/YY");
    EXPECT_TRUE(timePreview.startsWith("Time Format : HH")) << timePreview.toStdString();
    EXPECT_FALSE(timePreview.contains("SS"));
    EXPECT_EQ(after.record, before.record);
}

TEST_F(FieldLinesTest, FieldDialogCancelRestoresTheRecordAndOkKeepsTheEdit) {
    auto w = StartWithSheet(project_);
    editor::Snapshot before, afterCancel, afterOk;
    QString filtered;
    auto edit = [&](QWidget* dialog) {
        auto* fixed = Child<QCheckBox>(dialog, "fixedLength");
        fixed->setChecked(!fixed->isChecked());
        auto* initial = Child<QCheckBox>(dialog, "initialValue");
        initial->setChecked(true);
        auto* text = Child<QLineEdit>(dialog, "initialText");
        text->selectAll();
        QTest::keyClicks(text, "12.3.4");
        filtered = text->text();
    };
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    Later(sheet, [&, sheet] {
                        // Line 1 as a "real" line, whose initial value keeps one point.
                        Child<QComboBox>(sheet, "lineType1")->setCurrentIndex(1);
                        Child<QComboBox>(sheet, "lineType1")->setCurrentIndex(kLineReal);
                        before = editor::TakeSnapshot(Session(sheet));
                        Child<QPushButton>(sheet, "lineMore1")->click();
                        afterCancel = editor::TakeSnapshot(Session(sheet));
                        Child<QPushButton>(sheet, "lineMore1")->click();
                        afterOk = editor::TakeSnapshot(Session(sheet));
                        Cancel(sheet);
                    });
                })
        .Expect("FIELDDLG",
                [&](QWidget* dialog) {
                    edit(dialog);
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Expect("FIELDDLG",
                [&](QWidget* dialog) {
                    edit(dialog);
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(filtered, "12.34");
    EXPECT_EQ(afterCancel.record, before.record);
    EXPECT_NE(afterOk.record, before.record);
}

// Whatever changes the working copies while the field dialog is open (a dialog it opens) tells
// the sheet, and the open dialog shows the change without being reopened.
TEST_F(FieldLinesTest, AnOpenFieldDialogShowsWhatTheSheetIsToldChanged) {
    auto w = StartWithSheet(project_);
    bool checkedBefore = true, checkedAfter = false;
    QString lengthAfter;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    Later(sheet, [&, sheet] {
                        Child<QComboBox>(sheet, "lineType1")->setCurrentIndex(1);  // "text"
                        Child<QPushButton>(sheet, "lineMore1")->click();
                        Cancel(sheet);
                    });
                })
        .Expect("FIELDDLG",
                [&](QWidget* dialog) {
                    auto* sheet = qobject_cast<editor::ui::DefinitionSheet*>(
                        dialog->parentWidget()->window());
                    ASSERT_NE(sheet, nullptr);
                    auto* fixed = Child<QCheckBox>(dialog, "fixedLength");
                    checkedBefore = fixed->isChecked();
                    FormRecord f = sheet->editingSession().Form();
                    f.FixedLengthFlag(0) = 1;
                    f.FixedLength(0) = 12;
                    sheet->refreshAll();
                    checkedAfter = fixed->isChecked();
                    lengthAfter = Child<QLineEdit>(dialog, "fixedLengthValue")->text();
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_FALSE(checkedBefore);
    EXPECT_TRUE(checkedAfter);
    EXPECT_EQ(lengthAfter, "12");
}

TEST_F(FieldLinesTest, MoreOpensTheDialogOfTheLineTypeAndPlusTheOperations) {
    auto w = StartWithSheet(project_);
    bool fixedWithSave = false, fixedWithoutSave = true;
    int savedVariable = -1;
    QString saveName, fillName;
    editor::Snapshot before, after;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    Later(sheet, [&, sheet] {
                        Child<QComboBox>(sheet, "lineType2")->setCurrentIndex(kLineLookup);
                        before = editor::TakeSnapshot(Session(sheet));
                        Child<QPushButton>(sheet, "lineMore2")->click();
                        Child<QPushButton>(sheet, "lineOperations1")->click();
                        savedVariable = Session(sheet).Form().SaveToVariable(0);
                        after = editor::TakeSnapshot(Session(sheet));
                        Cancel(sheet);
                    });
                })
        .Expect("LOOKUPFIELDDLG",
                [&](QWidget* dialog) {
                    auto* save = Child<QCheckBox>(dialog, "saveData");
                    save->setChecked(true);
                    fixedWithSave = Child<QCheckBox>(dialog, "fixedLength")->isEnabled();
                    save->setChecked(false);
                    fixedWithoutSave = Child<QCheckBox>(dialog, "fixedLength")->isEnabled();
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Expect("OPERATIONSDLG",
                [&](QWidget* dialog) {
                    Child<QCheckBox>(dialog, "saveToVariable")->setChecked(true);
                    Child<QComboBox>(dialog, "saveVariable")->setCurrentIndex(2);
                    saveName = Child<QComboBox>(dialog, "saveVariable")->accessibleName();
                    fillName = Child<QComboBox>(dialog, "fillVariable")->accessibleName();
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_TRUE(fixedWithSave);
    EXPECT_FALSE(fixedWithoutSave);
    EXPECT_EQ(savedVariable, 3);  // 1 + the third name of the list
    EXPECT_NE(saveName, fillName);
    EXPECT_NE(after.record, before.record);
}

}  // namespace
}  // namespace fw
