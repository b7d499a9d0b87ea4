// The definition sheet as the user meets it from the main window: what opens it, what its OK
// and Cancel leave of the project, and that a choice the rules refuse shows the old value again.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "model/projectfile.h"
#include "model/workspace.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using test::DialogScript;
using test::WaitFor;

class DefinitionSheetTest : public test::WindowTest {
  protected:
    static QComboBox* List(QWidget* sheet, const char* name) {
        auto* box = sheet->findChild<QComboBox*>(QString::fromLatin1(name));
        EXPECT_NE(box, nullptr) << name;
        return box;
    }
    // Runs what opens a further modal window after the current script step has returned: a
    // step's own timer does not fire again while the step runs.
    static void Later(QWidget* owner, std::function<void()> what) {
        QTimer::singleShot(0, owner, std::move(what));
    }
    static void Press(QWidget* sheet, QDialogButtonBox::StandardButton which) {
        auto* buttons = sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"));
        ASSERT_NE(buttons, nullptr);
        buttons->button(which)->click();
    }

    fs::path project_ = dir_ / "work.FWW";
};

TEST_F(DefinitionSheetTest, CtrlEOpensTheSheetTitledWithTheProjectOnItsFormPage) {
    auto w = StartWithSheet(project_);
    QString title, firstTab, escName;
    bool hasApply = true;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    title = sheet->windowTitle();
                    auto* tabs = sheet->findChild<QTabWidget*>(QStringLiteral("pages"));
                    ASSERT_NE(tabs, nullptr);
                    firstTab = tabs->tabText(0);
                    hasApply = sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))
                                   ->button(QDialogButtonBox::Apply) != nullptr;
                    escName = List(sheet, "escTarget")->accessibleName();
                    Press(sheet, QDialogButtonBox::Cancel);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(
        title,
        QStringLiteral("Formwright - [ %1 ]").arg(QString::fromStdU16String(project_.u16string())));
    EXPECT_EQ(firstTab, "Form");
    EXPECT_FALSE(hasApply);
    EXPECT_EQ(escName, "Esc  :");

    // New opens the sheet on a project without a path yet.
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    title = sheet->windowTitle();
                    Press(sheet, QDialogButtonBox::Cancel);
                })
        .Run([&] { w->command(kCmdNew); });
    EXPECT_EQ(title, "Formwright - [ New file ]");
}

// The English file words the sheet's title, page and dialogs; its own program title and
// new-file word are rewritten here so that the title shows it reads them from the file.
TEST_F(DefinitionSheetTest, ALanguageFileWordsTheTitleThePageAndItsDialogs) {
    ASSERT_NO_FATAL_FAILURE(ChooseEnglish());
    {
        std::ifstream in(home_ / "English.lng", std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), {}};
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"1641=Form\r", "1641=Forms\r"},
              {"1647=Formwright\r", "1647=FW Editor\r"},
              {"1648=New file\r", "1648=Untitled\r"}}) {
            const auto at = text.find(from);
            ASSERT_NE(at, std::string::npos) << from;
            text.replace(at, from.size(), to);
        }
        std::ofstream(home_ / "English.lng", std::ios::binary) << text;
    }
    auto w = StartWithSheet(project_);
    QString title, tab, errorCaption, okText, branchTitle, keyButton;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    title = sheet->windowTitle();
                    tab = sheet->findChild<QTabWidget*>(QStringLiteral("pages"))->tabText(0);
                    errorCaption = List(sheet, "errorTarget")->accessibleName();
                    okText = sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))
                                 ->button(QDialogButtonBox::Ok)
                                 ->text();
                    Later(sheet, [sheet] {
                        sheet->findChild<QPushButton*>(QStringLiteral("branch"))->click();
                        Press(sheet, QDialogButtonBox::Cancel);
                    });
                })
        .Expect("BRANCHDLG",
                [&](QWidget* dialog) {
                    branchTitle = dialog->windowTitle();
                    keyButton =
                        dialog->findChild<QPushButton*>(QStringLiteral("properties1"))->text();
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(
        title,
        QStringLiteral("FW Editor - [ %1 ]").arg(QString::fromStdU16String(project_.u16string())));
    EXPECT_EQ(tab, "Forms");
    EXPECT_EQ(errorCaption, "On error go to:");
    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(branchTitle, "Branch");
    EXPECT_EQ(keyButton, "Properties");

    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    title = sheet->windowTitle();
                    Press(sheet, QDialogButtonBox::Cancel);
                })
        .Run([&] { w->command(kCmdNew); });
    EXPECT_EQ(title, "FW Editor - [ Untitled ]");
}

// Keyboard users start on a dialog's first list and meet OK and Cancel last.
TEST_F(DefinitionSheetTest, ADialogOpensOnItsFirstListAndTabsToOkAndCancelLast) {
    auto w = StartWithSheet(project_);
    QString first;
    QStringList chain;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    Later(sheet, [sheet] {
                        sheet->findChild<QPushButton*>(QStringLiteral("branch"))->click();
                        Press(sheet, QDialogButtonBox::Cancel);
                    });
                })
        .Expect("BRANCHDLG",
                [&](QWidget* dialog) {
                    WaitFor([dialog] { return dialog->focusWidget() != nullptr; }, 2000);
                    first = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
                    for (QWidget* at = dialog->nextInFocusChain(); at != dialog;
                         at = at->nextInFocusChain())
                        if (at->focusPolicy() & Qt::TabFocus)
                            chain << (qobject_cast<QPushButton*>(at)
                                          ? static_cast<QPushButton*>(at)->text()
                                          : at->objectName());
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(first, "branch1");
    ASSERT_GE(chain.size(), 2);
    EXPECT_EQ(chain.mid(chain.size() - 2), QStringList({"OK", "Cancel"}))
        << chain.join(',').toStdString();
}

TEST_F(DefinitionSheetTest, OkMarksTheProjectModifiedAndSaveWritesTheEdit) {
    auto w = StartWithSheet(project_);
    ASSERT_FALSE(w->definitionModified());
    constexpr int kSecondMenu = 12;  // "Esc  :" list: main, ten forms, then the menus
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    List(sheet, "escTarget")->setCurrentIndex(kSecondMenu);
                    Press(sheet, QDialogButtonBox::Ok);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_TRUE(w->definitionModified());
    EXPECT_TRUE(w->windowTitle().startsWith("work.FWW*"));

    w->command(kCmdSave);
    EXPECT_FALSE(w->definitionModified());
    std::ifstream file(project_, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    Workspace reread;
    ASSERT_EQ(ReadProjectBytes(reread, bytes, false), 1);
    EXPECT_EQ(Form(reread.definition, 0).EscTarget(), kSecondMenu);
}

TEST_F(DefinitionSheetTest, CancelDiscardsEveryEditIncludingThoseOfConfirmedDialogs) {
    auto w = StartWithSheet(project_);
    const std::string before = SerialiseProject(w->workspace().definition, false);
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    List(sheet, "nextTarget")->setCurrentIndex(3);
                    List(sheet, "formName")->setCurrentIndex(4);
                    List(sheet, "errorTarget")->setCurrentIndex(2);
                    Later(sheet, [sheet] {
                        // The branch dialog runs until the next step confirms it.
                        sheet->findChild<QPushButton*>(QStringLiteral("branch"))->click();
                        Press(sheet, QDialogButtonBox::Cancel);
                    });
                })
        .Expect("BRANCHDLG",
                [&](QWidget* dialog) {
                    List(dialog, "branch2")->setCurrentIndex(5);
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(SerialiseProject(w->workspace().definition, false), before);
}

TEST_F(DefinitionSheetTest, RefusedChoicesSnapBackAndDialogCancelRestoresTheForm) {
    auto w = StartWithSheet(project_);
    ASSERT_EQ(Lookup(w->workspace().definition, 1).FieldCount(), 0);
    int lookupAfter = -1, lookupBefore = -1, branchAfter = -1;
    editor::Snapshot beforeBranch, afterBranch;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        Later(sheet, [&, sheet] {
                            auto* lookup = List(sheet, "lookup");
                            lookupBefore = lookup->currentIndex();
                            lookup->setCurrentIndex(1);  // a database without fields
                            lookupAfter = lookup->currentIndex();
                            auto& s =
                                static_cast<editor::ui::DefinitionSheet*>(sheet)->editingSession();
                            beforeBranch = editor::TakeSnapshot(s);
                            sheet->findChild<QPushButton*>(QStringLiteral("branch"))->click();
                            afterBranch = editor::TakeSnapshot(s);
                            Press(sheet, QDialogButtonBox::Cancel);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Expect("BRANCHDLG",
                    [&](QWidget* dialog) {
                        List(dialog, "branch1")->setCurrentIndex(2);
                        branchAfter = List(dialog, "branch1")->currentIndex();
                        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                    })
            .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(messages, QStringList{"Предупреждение|В выбранной БД нет ни одного поля"});
    EXPECT_EQ(lookupBefore, 0);
    EXPECT_EQ(lookupAfter, 0);
    EXPECT_EQ(branchAfter, 2);  // an accepted choice stays
    EXPECT_EQ(afterBranch.record, beforeBranch.record);
}

TEST_F(DefinitionSheetTest, EnterAnswersTheDeleteQuestionNoAndYesTakesTheNewChoice) {
    auto w = StartWithSheet(project_);
    constexpr int kPassDown = 3;           // "Record :": a record that is not saved
    constexpr int kDeleteLastRecord = 12;  // the branch that needs a saved record
    int afterNo = -1, afterYes = -1;
    QString question;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        List(sheet, "recordAction")->setCurrentIndex(kPassDown);
                        Later(sheet, [sheet] {
                            sheet->findChild<QPushButton*>(QStringLiteral("branch"))->click();
                            Press(sheet, QDialogButtonBox::Cancel);
                        });
                    })
            .Expect("BRANCHDLG",
                    [&](QWidget* dialog) {
                        Later(dialog, [&, dialog] {
                            auto* key = List(dialog, "branch3");
                            key->setCurrentIndex(kDeleteLastRecord);
                            afterNo = key->currentIndex();
                            key->setCurrentIndex(kDeleteLastRecord);
                            afterYes = key->currentIndex();
                            QMetaObject::invokeMethod(dialog, "reject");
                        });
                    })
            // Enter answers the question with its default button, which is No.
            .Expect("MessageBox",
                    [&](QWidget* box) {
                        question =
                            box->windowTitle() + '|' + static_cast<QMessageBox*>(box)->text();
                        QTest::keyClick(box, Qt::Key_Return);
                    })
            .Answer(QMessageBox::Yes)
            .Run([&] { PressCtrlE(*w); });
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(question.startsWith("Предупреждение|Для данной формы не задано сохранение"))
        << question.toStdString();
    EXPECT_EQ(messages[0], question);
    EXPECT_EQ(afterNo, 0);
    EXPECT_EQ(afterYes, kDeleteLastRecord);
}

}  // namespace
}  // namespace fw
