// The symbology parameter dialogs on screen: each opens by its template name, its controls
// relabel and enable as the user works them, typing is corrected in the edit, and Cancel gives
// every byte back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "model/defaults.h"
#include "model/workspace.h"
#include "reader/ui/barcodepage.h"
#include "reader/ui/symbologydialog.h"
#include "shell/griddlg.h"
#include "shell/gridtarget.h"

namespace fw::reader::ui {
namespace {

class SymbologyDialogWindowTest : public ::testing::Test {
  protected:
    SymbologyDialogWindowTest() {
        LoadDefaultTexts(ws.definition, ws.language);
        ResetReaderSettings(ws.definition);
        NewDefinition(ws.definition);
        session = editor::OpenSession(ws.definition, ws.language);
    }
    template <class W>
    static W* Child(QWidget* dialog, const char* name) {
        auto* w = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static QLabel* LabelOf(QWidget* dialog, QWidget* buddy) {
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->buddy() == buddy) return label;
        ADD_FAILURE() << "no label for " << buddy->objectName().toStdString();
        return nullptr;
    }
    ReaderSnapshot Bytes() const { return TakeReaderSnapshot(session); }
    static bool Same(const ReaderSnapshot& a, const ReaderSnapshot& b) {
        return a.readerOptions == b.readerOptions && a.symbologyOptions == b.symbologyOptions &&
               a.readerExtra == b.readerExtra && a.terminalSettings == b.terminalSettings &&
               a.readerOptions2 == b.readerOptions2 && a.variableNames == b.variableNames;
    }

    Workspace ws;
    editor::EditingSession session;
    editor::ui::SheetContext context{session, ws, [] {}};
};

TEST_F(SymbologyDialogWindowTest, EveryTemplateOpensByNameAndCancelKeepsTheBytes) {
    const ReaderSnapshot before = Bytes();
    for (const DialogTemplate& d : Templates()) {
        const QString name =
            QString::fromLatin1(d.name.data(), static_cast<qsizetype>(d.name.size()));
        bool accepted = true;
        test::DialogScript script;
        script.Expect(name, [](QWidget* w) {
            // Work every box and list once, then cancel.
            for (QCheckBox* box : w->findChildren<QCheckBox*>())
                if (box->isEnabled()) box->click();
            for (QComboBox* list : w->findChildren<QComboBox*>())
                if (list->isEnabled() && list->count() > 1)
                    emit list->activated((list->currentIndex() + 1) % list->count());
            w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        script.Run([&] { accepted = OpenSymbologyDialog(name, context, nullptr); });
        EXPECT_FALSE(accepted) << d.name;
        EXPECT_TRUE(Same(Bytes(), before)) << d.name << " changed the bytes on Cancel";
    }
    EXPECT_FALSE(OpenSymbologyDialog(QStringLiteral("NOSUCHDLG"), context, nullptr));
}

TEST_F(SymbologyDialogWindowTest, LengthsRelabelEnableAndCorrectWhatIsTyped) {
    SymbologyDialog dialog(*FindTemplate("CODE39_2D_DLG"), context, nullptr);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("CODE39_2D_DLG"));
    dialog.show();
    auto* mode = Child<QComboBox>(&dialog, "lengthMode");
    auto* first = Child<QLineEdit>(&dialog, "firstLength");
    auto* second = Child<QLineEdit>(&dialog, "secondLength");
    ASSERT_TRUE(mode && first && second);
    EXPECT_EQ(mode->itemText(2), QStringLiteral("Две длины"));
    EXPECT_FALSE(first->isEnabled()) << "any length";

    emit mode->activated(3);
    EXPECT_TRUE(second->isEnabled());
    EXPECT_EQ(LabelOf(&dialog, first)->text(), QStringLiteral("Минимальная длина:"));
    EXPECT_EQ(second->accessibleName(), QStringLiteral("Максимальная длина:"));
    emit mode->activated(2);
    EXPECT_EQ(LabelOf(&dialog, first)->text(), QStringLiteral("Длина 1 :"));

    Type(first, QStringLiteral("200"));
    EXPECT_EQ(first->text(), QStringLiteral("127"));
    Type(first, QStringLiteral("05"));
    EXPECT_EQ(first->text(), QStringLiteral("5"));
    Type(second, QStringLiteral("9"));
    Child<QCheckBox>(&dialog, "fullAscii")->click();
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(session.working.symbologyOptions[5] & 0x03, 2);
    EXPECT_EQ(session.working.symbologyOptions[6], 0x80 | 9) << "the larger length first";
    EXPECT_EQ(session.working.symbologyOptions[7], 5);
}

TEST_F(SymbologyDialogWindowTest, RadioGroupsShowStoredChoicesAndKeepUnknownOnes) {
    session.working.readerOptions[6] = 0x57;  // Industrial 25 start/stop 3: no choice
    SymbologyDialog dialog(*FindTemplate("Industrial25Dlg"), context, nullptr);
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(
            Child<QRadioButton>(&dialog, ("startStop" + std::to_string(k)).c_str())->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(&dialog, "lengthMode1")->isChecked());
    EXPECT_EQ(LabelOf(&dialog, Child<QLineEdit>(&dialog, "firstLength"))->text(),
              QStringLiteral("Max Length :"));
    Child<QRadioButton>(&dialog, "lengthMode0")->click();
    EXPECT_EQ(LabelOf(&dialog, Child<QLineEdit>(&dialog, "firstLength"))->text(),
              QStringLiteral("Fixed Length 1:"));
    dialog.accept();
    EXPECT_EQ(session.working.readerOptions[6], 0x57);
    EXPECT_EQ(session.working.readerOptions[12], 0x7F);
}

TEST_F(SymbologyDialogWindowTest, RfidAndCodeIdentifierControlsFollowTheirBoxes) {
    {
        SymbologyDialog rfid(*FindTemplate("RFID_PARAM_DLG"), context, nullptr);
        Child<QCheckBox>(&rfid, "readTagData")->click();
        Child<QCheckBox>(&rfid, "useSeparator")->click();
        EXPECT_TRUE(Child<QLineEdit>(&rfid, "separator")->isEnabled());
        EXPECT_EQ(Child<QLineEdit>(&rfid, "separator")->accessibleName(),
                  QStringLiteral("Разделитель:"));
        Type(Child<QLineEdit>(&rfid, "separator"), QStringLiteral(";x"));
        EXPECT_EQ(Child<QLineEdit>(&rfid, "separator")->text(), QStringLiteral(";"));
        Child<QCheckBox>(&rfid, "readTagId")->click();
        EXPECT_FALSE(Child<QCheckBox>(&rfid, "useSeparator")->isEnabled());
        EXPECT_FALSE(Child<QLineEdit>(&rfid, "separator")->isEnabled());
        EXPECT_TRUE(Child<QLineEdit>(&rfid, "startPosition")->isEnabled());
        rfid.accept();
        EXPECT_EQ(session.working.readerExtra[0], 0x60);
        EXPECT_EQ(session.working.readerExtra[1], ';');
    }
    SymbologyDialog ids(*FindTemplate("CODEIDDLG"), context, nullptr);
    auto* set4 = Child<QPushButton>(&ids, "codeIdSet4");
    ASSERT_NE(set4, nullptr);
    EXPECT_FALSE(set4->isEnabled());
    Child<QCheckBox>(&ids, "enableCodeId")->click();
    EXPECT_TRUE(set4->isEnabled());
    set4->click();
    EXPECT_EQ(Child<QLineEdit>(&ids, "ean8")->text(), QStringLiteral(" F F"));
    EXPECT_EQ(Child<QLineEdit>(&ids, "code128")->text(), QStringLiteral(" K"));
    ids.reject();
    EXPECT_EQ(session.working.terminalSettings[84], ws.definition.terminalSettings[84]);
    EXPECT_EQ(session.working.terminalSettings[105], ws.definition.terminalSettings[105]);
}

// A code identifier is composed in the character grid: a letter and a variable reference land
// in the identifier's two bytes and its nibble byte, and the field shows them by name.
TEST_F(SymbologyDialogWindowTest, ACodeIdentifierIsComposedInTheGrid) {
    const DialogTemplate& dialog = *FindTemplate("CODEIDDLG");
    const int index =
        (dialog.controls[static_cast<std::size_t>(FindControl(dialog, "code128"))].byte -
         kFirstCodeIdByte) /
        2;
    SymbologyDialog ids(dialog, context, nullptr);
    Child<QCheckBox>(&ids, "enableCodeId")->click();
    auto* target = Child<GridTargetEdit>(&ids, "code128");
    ASSERT_NE(target, nullptr);
    const auto click = [](QWidget* grid, int code) {
        auto* table = grid->findChild<CharGridTable*>(QStringLiteral("grid"));
        const QRect cell = table->visualItemRect(table->item(1 + (code & 0x0F), 1 + (code >> 4)));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    };
    test::DialogScript script;
    script
        .Expect("GridDlg",
                [&](QWidget* grid) {
                    QTimer::singleShot(0, grid, [&, grid] {
                        click(grid, 'Q');
                        click(grid, 0x1D);  // asks for the variable
                        click(grid, 'Z');   // a third character is refused
                        QMetaObject::invokeMethod(grid, "accept", Qt::QueuedConnection);
                    });
                })
        .Expect("ADDVARDLG", [](QWidget* choose) {
            choose->findChild<QListWidget*>(QStringLiteral("variables"))->setCurrentRow(1);
            QMetaObject::invokeMethod(choose, "accept", Qt::QueuedConnection);
        });
    script.Run([&] { QTest::mouseClick(target, Qt::LeftButton); });
    const CodeIdValue id = GetCodeId(session, index);
    EXPECT_EQ(id.chars[0], 'Q');
    EXPECT_EQ(id.chars[1], 0x1D);
    EXPECT_EQ(id.nibbles, 0x20) << "variable 2 in the second character's nibble";
    EXPECT_EQ(target->text(), QStringLiteral(" Q Переменная2"));
    ids.reject();
    EXPECT_EQ(GetCodeId(session, index).chars[0],
              ws.definition.terminalSettings[kFirstCodeIdByte + 2 * index]);
}

// Through the real sheet: every "more..." button the Barcode page shows, for each engine, opens
// the dialog of its template name, and its Cancel keeps the working bytes.
TEST_F(SymbologyDialogWindowTest, EveryButtonOfTheBarcodePageOpensItsDialog) {
    editor::ui::DefinitionSheet sheet(ws, nullptr);
    sheet.show();
    auto* page = sheet.findChild<BarcodePage*>(QStringLiteral("BARCODESETTINGDLG"));
    ASSERT_NE(page, nullptr);
    sheet.tabs()->setCurrentWidget(page);
    for (const char* box : {"rfid", "weightBarcodes", "gs1Identifiers"})
        Child<QCheckBox>(page, box)->click();
    QStringList opened;
    for (int engine = 0; engine < 3; ++engine) {
        Child<QComboBox>(page, "engine")->setCurrentIndex(engine);
        for (QPushButton* button : page->findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(page) || !button->isEnabled() ||
                button->objectName() == QLatin1String("reset"))
                continue;
            const QString name = button->objectName();
            const bool symbology = FindTemplate(name.toStdString()) != nullptr;
            EXPECT_TRUE(symbology || name == QLatin1String("WEIGHTBCMASKDLG"))
                << "a button for no dialog: " << name.toStdString();
            if (!symbology) continue;
            test::DialogScript script;
            script.Cancel(name);
            script.Run([&] { button->click(); });
            opened << name;
        }
    }
    for (const char* name : {"Code39Dlg", "EAN128Dlg", "CODE39_2D_DLG", "CODE11_2D_DLG",
                             "POSTAL_2D_DLG", "RFID_PARAM_DLG", "CODEIDDLG", "GS1AISETTINGSDLG"})
        EXPECT_TRUE(opened.contains(QString::fromLatin1(name))) << name;
    sheet.reject();
}

}  // namespace
}  // namespace fw::reader::ui
