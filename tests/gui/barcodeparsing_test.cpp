// "Разбор ШК" and the weight-mask dialog as the user works them: the rule list fills from "+",
// the keyboard removes rows and adds masks, and Cancel gives the bytes back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "editor/ui/barcodeparsingdialog.h"
#include "editor/ui/fielddialogs.h"
#include "gui_support.h"
#include "model/defaults.h"
#include "model/test_support.h"
#include "model/workspace.h"
#include "reader/ui/weightmaskdialog.h"

namespace fw {
namespace {

using test::DialogScript;

class ReaderDialogsTest : public ::testing::Test {
  protected:
    ReaderDialogsTest() {
        LoadDefaultTexts(ws.definition, ws.language);
        ResetReaderSettings(ws.definition);
        NewDefinition(ws.definition);
        ws.presenter = &presenter;
        session = editor::OpenSession(ws.definition, ws.language);
        session.currentForm = 1;
        for (int i = 0; i < kLinesPerForm; ++i)
            session.Form().LineType(i) = kLineText;
        Rules(session.working).WeightBarcodeEnabled() = 1;
        session.working.readerOptions2[0] = 1;
    }
    template <class T>
    static T* Child(QWidget* parent, const char* name) {
        auto* child = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QStringList Shown() const {
        QStringList texts;
        for (const MessageRequest& m : presenter.shown)
            texts << ToQString(m.text);
        return texts;
    }

    Workspace ws;
    test::RecordingPresenter presenter;
    editor::EditingSession session;
    editor::ui::SheetContext context{session, ws, [] {}};
};

TEST_F(ReaderDialogsTest, ParsingOpensFromTheFieldDialogAndFillsItsRuleList) {
    editor::ui::FieldPropertiesDialog field(context, nullptr);
    auto* open = Child<QPushButton>(&field, "barcodeParsing");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QStringLiteral("Разбор ШК"));
    const Definition before = session.working;
    QString place, weightName;
    QStringList rows, afterDelete;
    QString header;
    DialogScript()
        .Expect("PARSEBARCODESETTINGSDLG",
                [&](QWidget* d) {
                    place = Child<QLabel>(d, "place")->text();
                    auto* weight = Child<QCheckBox>(d, "weightRule");
                    weightName = weight->accessibleName();
                    weight->setChecked(true);
                    Child<QComboBox>(d, "weightTarget")->setCurrentIndex(2);  // line 4
                    // The whole barcode into line 1 itself is refused; a year is not.
                    Child<QPushButton>(d, "addRule")->click();
                    Child<QComboBox>(d, "gs1Item")->setCurrentIndex(26);
                    Child<QPushButton>(d, "addRule")->click();
                    Child<QComboBox>(d, "gs1Item")->setCurrentIndex(1);
                    Child<QComboBox>(d, "gs1Target")->setCurrentIndex(1);  // line 3
                    Child<QPushButton>(d, "addRule")->click();
                    auto* list = Child<QTreeWidget>(d, "gs1Rules");
                    header = list->headerItem()->text(0) + "|" + list->headerItem()->text(1);
                    for (int i = 0; i < list->topLevelItemCount(); ++i)
                        rows << list->topLevelItem(i)->text(0) + " " +
                                    list->topLevelItem(i)->text(1);
                    list->setFocus();
                    list->topLevelItem(0)->setSelected(true);
                    QTest::keyClick(list, Qt::Key_Delete);
                    for (int i = 0; i < list->topLevelItemCount(); ++i)
                        afterDelete << list->topLevelItem(i)->text(0);
                    QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
                })
        .Run([&] { open->click(); });
    EXPECT_EQ(place, QStringLiteral("Форма № 2    Строка № 1"));
    EXPECT_EQ(weightName, QStringLiteral("Весовой штрихкод"));
    EXPECT_EQ(Shown(),
              QStringList{QStringLiteral(
                  "Нельзя перенести весь штрихкод в то же поле, в которое он был считан!")});
    EXPECT_EQ(header, QStringLiteral("Поле|Тип данных"));
    EXPECT_EQ(rows,
              (QStringList{QStringLiteral("1 AI(17) только год"), QStringLiteral("3 AI(0)")}));
    EXPECT_EQ(afterDelete, QStringList{QStringLiteral("3")});
    // OK kept the rule; line 4 is now the weight line. The field dialog's Cancel gives all back.
    EXPECT_EQ(session.Form().LineType(3), kLineWeight);
    EXPECT_EQ(FieldLink(session.working, 1).LinkLine(2), 1);
    field.reject();
    EXPECT_EQ(session.working.formTable, before.formTable);
    EXPECT_EQ(session.working.barcodeRules, before.barcodeRules);
    EXPECT_EQ(session.working.fieldLinks, before.fieldLinks);
}

TEST_F(ReaderDialogsTest, MaskDialogAddsByKeyboardAsksBeforeReplacingAndCancelsWhole) {
    const Block<kBarcodeRulesSize> before = session.working.barcodeRules;
    {
        reader::ui::WeightMaskDialog dialog(context, nullptr);
        dialog.show();
        auto* edit = Child<QLineEdit>(&dialog, "mask");
        auto* list = Child<QListWidget>(&dialog, "masks");
        EXPECT_EQ(edit->maxLength(), 32);
        QTest::keyClicks(edit, "21 CCCCC WWWWW");
        QTest::keyClick(edit, Qt::Key_Return);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("21CCCCCWWWWW"));
        EXPECT_TRUE(dialog.isVisible());  // Enter added the mask and left the dialog open
        presenter.answer = kIdNo;
        edit->setText(QStringLiteral("21CCCQQQ"));
        Child<QPushButton>(&dialog, "add")->click();
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("21CCCCCWWWWW"));
        presenter.answer = kIdYes;
        Child<QPushButton>(&dialog, "add")->click();
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("21CCCQQQ"));
        edit->setText(QStringLiteral("21CCCWWWCCF"));
        Child<QPushButton>(&dialog, "add")->click();
        EXPECT_EQ(Shown(),
                  (QStringList{QStringLiteral("Маска с префиксом '21' существует. Заменить?"),
                               QStringLiteral("Маска с префиксом '21' существует. Заменить?"),
                               QStringLiteral("Неправильный формат маски!")}));
        // A double click takes a mask back into the edit; Delete removes the selected ones.
        edit->clear();
        emit list->itemDoubleClicked(list->item(0));
        EXPECT_EQ(edit->text(), QStringLiteral("21CCCQQQ"));
        list->item(0)->setSelected(true);
        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_EQ(list->count(), 0);
        dialog.reject();
    }
    EXPECT_EQ(session.working.barcodeRules, before);
    {
        reader::ui::WeightMaskDialog dialog(context, nullptr);
        Child<QLineEdit>(&dialog, "mask")->setText(QStringLiteral("22CCCCCFQQQQQ"));
        Child<QPushButton>(&dialog, "add")->click();
        dialog.accept();
    }
    EXPECT_EQ(Rules(session.working).WeightMaskCount(), 1);
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(Rules(session.working).WeightMask(0).data())),
        "22CCCCCFQQQQQ");
}

}  // namespace
}  // namespace fw
