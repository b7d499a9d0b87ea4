// The network dialog's WEP keys and pass phrase are composed in the character grid: what the
// grid composes reaches the definition through the dialog's OK and the sheet's OK, a pass
// phrase that is too short keeps the grid open, and the dialog's Cancel drops the composition.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "gui_support.h"
#include "model/workspace.h"
#include "shell/griddlg.h"
#include "shell/gridtarget.h"

namespace fw {
namespace {

using test::DialogScript;

class NetworkGridTest : public test::WindowTest {
  protected:
    static void Later(QWidget* owner, std::function<void()> what) {
        QTimer::singleShot(0, owner, std::move(what));
    }
    static void ClickCode(QWidget* grid, Byte code) {
        auto* table = grid->findChild<CharGridTable*>(QStringLiteral("grid"));
        const QRect cell = table->visualItemRect(table->item(1 + (code & 0x0F), 1 + (code >> 4)));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // "Использовать" on, encryption WPA2, then a click on the pass phrase opens the grid;
    // once the grid has closed the dialog closes by the given slot. Returns what the pass
    // phrase shows after the grid.
    static void ComposePassPhrase(QWidget* dialog, const char* close, QString* shown) {
        dialog->findChild<QCheckBox*>(QStringLiteral("useNetwork"))->click();
        dialog->findChild<QComboBox*>(QStringLiteral("encryption"))->setCurrentIndex(3);
        Later(dialog, [dialog, close, shown] {
            auto* target = dialog->findChild<GridTargetEdit*>(QStringLiteral("wpaKey"));
            QTest::mouseClick(target, Qt::LeftButton);
            *shown = target->text();
            QMetaObject::invokeMethod(dialog, close, Qt::QueuedConnection);
        });
    }

    std::filesystem::path project_ = dir_ / "network.FWW";
};

TEST_F(NetworkGridTest, PassPhraseComposedInTheGridReachesTheDefinition) {
    auto w = StartWithSheet(project_);
    bool useAfterCancel = true, gridOpenAfterRefusal = false;
    QString shownAfterCancel = QStringLiteral("?"), shownCancelled, shownAfterGrid;
    const QStringList messages =
        DialogScript()
            .Expect(
                "DefinitionSheet",
                [&](QWidget* sheet) {
                    auto* tabs = sheet->findChild<QTabWidget*>(QStringLiteral("pages"));
                    QWidget* page = sheet->findChild<QWidget*>(QStringLiteral("SETTINGSDLG"));
                    tabs->setCurrentWidget(page);
                    // Network settings are for a terminal that uploads over Wi-Fi.
                    page->findChild<QComboBox*>(QStringLiteral("uploadPort"))->setCurrentIndex(4);
                    Later(sheet, [=] {
                        auto* network = page->findChild<QPushButton*>(QStringLiteral("network"));
                        network->click();  // composed, then Cancel
                        network->click();  // composed, then OK
                        sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))
                            ->button(QDialogButtonBox::Ok)
                            ->click();
                    });
                })
            .Expect("NETWORK_SETTINGS_DLG",
                    [&](QWidget* dialog) { ComposePassPhrase(dialog, "reject", &shownCancelled); })
            .Expect("GridDlg",
                    [&](QWidget* grid) {
                        for (Byte c : {'d', 'r', 'o', 'p', 'p', 'e', 'd', '!'})
                            ClickCode(grid, c);
                        QMetaObject::invokeMethod(grid, "accept", Qt::QueuedConnection);
                    })
            .Expect(
                "NETWORK_SETTINGS_DLG",
                [&](QWidget* dialog) {
                    useAfterCancel =
                        dialog->findChild<QCheckBox*>(QStringLiteral("useNetwork"))->isChecked();
                    shownAfterCancel =
                        dialog->findChild<GridTargetEdit*>(QStringLiteral("wpaKey"))->text();
                    ComposePassPhrase(dialog, "accept", &shownAfterGrid);
                })
            .Expect("GridDlg",
                    [&](QWidget* grid) {
                        Later(grid, [&, grid] {
                            for (Byte c :
                                 std::initializer_list<Byte>{'s', 'e', 'c', 'r', 'e', 't', 0x01})
                                ClickCode(grid, c);
                            QMetaObject::invokeMethod(grid, "accept");  // seven: refused
                            gridOpenAfterRefusal = grid->isVisible();
                            ClickCode(grid, '8');
                            QMetaObject::invokeMethod(grid, "accept", Qt::QueuedConnection);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Run([&] { PressCtrlE(*w); });

    EXPECT_EQ(messages, QStringList{"Ошибка|Слишком мало символов!!!"});
    EXPECT_TRUE(gridOpenAfterRefusal);
    EXPECT_FALSE(useAfterCancel) << "the cancelled dialog handed nothing to the page";
    EXPECT_EQ(shownCancelled, " d r o p p e d !");
    EXPECT_EQ(shownAfterCancel, "");
    const Definition& d = w->workspace().definition;
    const auto key = Network(d).WpaKey();
    const std::vector<Byte> expected{'s', 'e', 'c', 'r', 'e', 't', 0x01, '8', 0};
    EXPECT_EQ(std::vector<Byte>(key.begin(), key.begin() + 9), expected);
    EXPECT_EQ(shownAfterGrid, " s e c r e t 01 8");
    EXPECT_EQ(Network(d).UseNetworkSettings(), 1);
    EXPECT_EQ(Network(d).Encryption(), 3);
    EXPECT_TRUE(w->definitionModified());
}

}  // namespace
}  // namespace fw
