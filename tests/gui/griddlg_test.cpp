// The character grid as the user works it from a field's properties: the prefix code opens the
// grid, cells chosen by mouse and keyboard end up in the working record on OK, Cancel leaves it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "shell/griddlg.h"
#include "shell/gridtarget.h"

namespace fw {
namespace {

using test::DialogScript;

class GridDialogTest : public test::WindowTest {
  protected:
    template <class T>
    static T* Child(QWidget* parent, const QString& name) {
        auto* child = parent->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    static const editor::EditingSession& Session(QWidget* sheet) {
        return static_cast<editor::ui::DefinitionSheet*>(sheet)->editingSession();
    }
    static void ClickCode(QWidget* dialog, int code) {
        auto* table = Child<CharGridTable>(dialog, "grid");
        const QRect cell = table->visualItemRect(table->item(1 + (code & 0x0F), 1 + (code >> 4)));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static std::vector<Byte> Prefix(QWidget* sheet) {
        const auto code = Session(sheet).Form().PrefixCode(0);
        const auto nibbles = Session(sheet).Form().PrefixCodeNibbles(0);
        std::vector<Byte> bytes(code.begin(), code.end());
        bytes.insert(bytes.end(), nibbles.begin(), nibbles.end());
        return bytes;
    }

    std::filesystem::path project_ = dir_ / "grid.FWW";
};

TEST_F(GridDialogTest, PrefixCodeIsComposedInTheGridAndCancelLeavesIt) {
    auto w = StartWithSheet(project_);
    std::vector<Byte> beforeGrid, afterCancel, afterOk;
    QString shownAfterCancel, shownAfterOk, resultLine, targetName, referenceName;
    bool blueWhileOpen = false, blueAfter = true;
    QWidget* sheet = nullptr;
    GridTargetEdit* target = nullptr;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* shown) {
                    sheet = shown;
                    QTimer::singleShot(0, sheet, [&] {
                        Child<QComboBox>(sheet, "lineType1")->setCurrentIndex(kLineText);
                        Child<QPushButton>(sheet, "lineMore1")->click();
                        afterOk = Prefix(sheet);
                        sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))
                            ->button(QDialogButtonBox::Cancel)
                            ->click();
                    });
                })
        .Expect("FIELDDLG",
                [&](QWidget* dialog) {
                    QTimer::singleShot(0, dialog, [&, dialog] {
                        Child<QCheckBox>(dialog, "prefix")->setChecked(true);
                        target = Child<GridTargetEdit>(dialog, "prefixCode");
                        targetName = target->accessibleName();
                        beforeGrid = Prefix(sheet);
                        QTest::mouseClick(target, Qt::LeftButton);  // cells, then Cancel
                        afterCancel = Prefix(sheet);
                        shownAfterCancel = target->text();
                        QTest::keyClick(target, Qt::Key_Space);  // cells, then OK
                        shownAfterOk = target->text();
                        blueAfter = target->gridOpen();
                        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                    });
                })
        .Expect("GridDlg",
                [&](QWidget* dialog) {
                    blueWhileOpen = target->gridOpen();
                    ClickCode(dialog, 'X');
                    ClickCode(dialog, 0x0E);
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Expect(
            "GridDlg",
            [&](QWidget* dialog) {
                // Later: the variable question opens over the grid while this runs.
                QTimer::singleShot(0, dialog, [&, dialog] {
                    auto* table = Child<CharGridTable>(dialog, "grid");
                    referenceName =
                        table->item(1 + 0x0D, 1 + 0x01)->data(Qt::AccessibleTextRole).toString();
                    ClickCode(dialog, 0x00);  // cannot be chosen
                    // From "SP" (0x20) right to "0" (0x30), down to "1" (0x31), chosen by Space.
                    QTest::keyClick(table, Qt::Key_Right);
                    QTest::keyClick(table, Qt::Key_Down);
                    QTest::keyClick(table, Qt::Key_Space);
                    ClickCode(dialog, 0x1D);  // asks for the variable
                    ClickCode(dialog, 'A');
                    resultLine = Child<QLineEdit>(dialog, "resultingText")->text();
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                });
            })
        .Expect("ADDVARDLG",
                [&](QWidget* dialog) {
                    Child<QListWidget>(dialog, "variables")->setCurrentRow(2);
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });

    EXPECT_EQ(targetName, "Add prefix code");
    EXPECT_TRUE(blueWhileOpen);
    EXPECT_EQ(referenceName, "Пер., 0x1D");
    EXPECT_EQ(afterCancel, beforeGrid);
    EXPECT_EQ(shownAfterCancel, "");
    EXPECT_EQ(resultLine, " 1 Переменная3 A");
    EXPECT_EQ(shownAfterOk, " 1 Переменная3 A");
    const std::vector<Byte> expected{'1',  0x1D, 'A', 0, 0, 0, 0, 0, 0, 0,  // the code
                                     0x30, 0,    0,   0, 0};                // its nibbles
    EXPECT_EQ(afterOk, expected);
    EXPECT_FALSE(blueAfter);
}

}  // namespace
}  // namespace fw
