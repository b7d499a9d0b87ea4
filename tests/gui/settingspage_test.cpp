// The Settings page in the sheet: its captions follow the language file, a refused character
// snaps back in the edit with its warning, the variables dialog stays open on an empty name,
// and the sheet's Cancel drops what confirmed dialogs handed to the page.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "model/projectfile.h"
#include "model/workspace.h"

namespace fw {
namespace {

using test::DialogScript;

class SettingsPageGuiTest : public test::WindowTest {
  protected:
    // The Settings page made current, as a click on its tab does.
    static QWidget* ShowSettings(QWidget* sheet) {
        auto* tabs = sheet->findChild<QTabWidget*>(QStringLiteral("pages"));
        auto* page = sheet->findChild<QWidget*>(QStringLiteral("SETTINGSDLG"));
        EXPECT_NE(page, nullptr);
        tabs->setCurrentWidget(page);
        return page;
    }
    static void Click(QWidget* parent, const char* button) {
        parent->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }
    static void Close(QWidget* sheet, QDialogButtonBox::StandardButton which) {
        sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))->button(which)->click();
    }
    static void Later(QWidget* owner, std::function<void()> what) {
        QTimer::singleShot(0, owner, std::move(what));
    }

    std::filesystem::path project_ = dir_ / "settings.FWW";
};

TEST_F(SettingsPageGuiTest, RefusalsSnapBackAndCancelDropsConfirmedDialogs) {
    auto w = StartWithSheet(project_);
    const std::string before = SerialiseProject(w->workspace().definition, false);
    QString password, thirdName;
    bool variablesStillOpen = false;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        QWidget* page = ShowSettings(sheet);
                        page->findChild<QComboBox*>(QStringLiteral("volume"))->setCurrentIndex(2);
                        Later(sheet, [=] {
                            Click(page, "security");  // confirmed by the next steps
                            Click(page, "variables");
                            Close(sheet, QDialogButtonBox::Cancel);
                        });
                    })
            .Expect("SECURITYDLG",
                    [&](QWidget* dialog) {
                        dialog->findChild<QCheckBox*>(QStringLiteral("protect2"))->click();
                        Later(dialog, [&, dialog] {
                            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("password"));
                            QTest::keyClicks(edit, QStringLiteral("ab!"));
                            password = edit->text();
                            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Expect("VARIABLESDLG",
                    [&](QWidget* dialog) {
                        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("variable3"));
                        edit->selectAll();
                        QTest::keyClick(edit, Qt::Key_Delete);
                        thirdName = edit->text();
                        Later(dialog, [&, dialog] {
                            QMetaObject::invokeMethod(dialog, "accept");
                            variablesStillOpen = dialog->isVisible();
                            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(password, "ab");
    EXPECT_EQ(thirdName, "");
    EXPECT_TRUE(variablesStillOpen);
    EXPECT_EQ(messages, (QStringList{"Warning|Invalid character!!!",
                                     "Предупреждение|Имя переменной №3 не задано"}));
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(SerialiseProject(w->workspace().definition, false), before);
}

TEST_F(SettingsPageGuiTest, CaptionsFollowTheLanguageAndOkCommitsThePageAndItsDialogs) {
    ASSERT_NO_FATAL_FAILURE(ChooseEnglish());
    auto w = StartWithSheet(project_);
    QString vibration, network, variables;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    QWidget* page = ShowSettings(sheet);
                    vibration =
                        page->findChild<QComboBox*>(QStringLiteral("vibration"))->accessibleName();
                    variables = page->findChild<QPushButton*>(QStringLiteral("variables"))->text();
                    page->findChild<QComboBox*>(QStringLiteral("uploadPort"))->setCurrentIndex(4);
                    page->findChild<QComboBox*>(QStringLiteral("volume"))->setCurrentIndex(1);
                    Later(sheet, [=] {
                        Click(page, "network");
                        Close(sheet, QDialogButtonBox::Ok);
                    });
                })
        .Expect("NETWORK_SETTINGS_DLG",
                [&](QWidget* dialog) {
                    network = dialog->windowTitle();
                    dialog->findChild<QCheckBox*>(QStringLiteral("useNetwork"))->click();
                    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("serverPort")),
                                     QStringLiteral("8080"));
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(vibration, "11. Vibration");
    EXPECT_EQ(variables, "Variables");
    EXPECT_EQ(network, "Network settings");
    const Definition& d = w->workspace().definition;
    EXPECT_EQ(Terminal(d).UploadPort(), 4);
    EXPECT_EQ(Terminal(d).Volume(), 1);
    EXPECT_EQ(Network(d).UseNetworkSettings(), 1);
    EXPECT_EQ(layout::Word(Network(d).ServerPort()), 8080);
    EXPECT_TRUE(w->definitionModified());
}

}  // namespace
}  // namespace fw
