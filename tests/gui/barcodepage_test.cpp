// The Barcode page in the real sheet: its controls follow the engine, its edits correct what
// is typed, its buttons ask for their dialogs, and Cancel leaves the reader settings alone.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "editor/ui/definitionsheet.h"
#include "gui_support.h"
#include "model/defaults.h"
#include "model/workspace.h"
#include "reader/ui/barcodepage.h"

namespace fw {
namespace {

using editor::ui::DefinitionSheet;
using reader::ui::BarcodePage;

class BarcodePageGuiTest : public ::testing::Test {
  protected:
    BarcodePageGuiTest() {
        LoadDefaultTexts(ws.definition, ws.language);
        ResetReaderSettings(ws.definition);
        NewDefinition(ws.definition);
    }
    // A sheet shown on its Barcode page.
    std::unique_ptr<DefinitionSheet> OpenOnPage() {
        auto sheet = std::make_unique<DefinitionSheet>(ws, nullptr);
        sheet->show();
        page = sheet->findChild<BarcodePage*>(QStringLiteral("BARCODESETTINGDLG"));
        EXPECT_NE(page, nullptr);
        sheet->tabs()->setCurrentWidget(page);
        return sheet;
    }
    template <class W>
    W* Child(const QString& name) {
        auto* w = page->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    bool Shown(const QString& name) {
        auto* w = page->findChild<QWidget*>(name);
        return w != nullptr && w->isVisibleTo(page);
    }

    Workspace ws;
    BarcodePage* page = nullptr;
};

TEST_F(BarcodePageGuiTest, ControlsFollowTheChosenEngine) {
    auto sheet = OpenOnPage();
    auto* engine = Child<QComboBox>("engine");
    EXPECT_EQ(engine->count(), 3);
    EXPECT_TRUE(Shown("Code39Dlg"));
    EXPECT_TRUE(Shown("EAN128Dlg"));
    EXPECT_FALSE(Shown("box127"));
    EXPECT_TRUE(Child<QComboBox>("firstList")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>("timeout")->maxLength(), 3);

    engine->setCurrentIndex(1);
    EXPECT_EQ(Terminal(sheet->editingSession().working).ReaderType(), 1);
    EXPECT_FALSE(Shown("Code39Dlg"));
    EXPECT_TRUE(Shown("CODE39_2D_DLG"));
    EXPECT_TRUE(Shown("box127"));
    EXPECT_EQ(Child<QCheckBox>("box127")->text(), "QR Code");
    EXPECT_FALSE(Child<QComboBox>("firstList")->isEnabled());
    EXPECT_EQ(Child<QComboBox>("firstList")->currentText(), "Внутренняя");
    EXPECT_EQ(Child<QLineEdit>("timeout")->maxLength(), 1);
    EXPECT_EQ(Child<QLineEdit>("timeout")->text(), "9");
    EXPECT_TRUE(Child<QCheckBox>("box113")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>("aimingTime")->isEnabled());

    engine->setCurrentIndex(2);
    EXPECT_FALSE(Child<QCheckBox>("box113")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>("CODE11_2D_DLG")->isEnabled());
    EXPECT_TRUE(Child<QLineEdit>("aimingTime")->isEnabled());
    sheet->reject();
}

TEST_F(BarcodePageGuiTest, TypedTimeOutsAreCorrectedInTheEdit) {
    auto sheet = OpenOnPage();
    auto* timeout = Child<QLineEdit>("timeout");
    timeout->selectAll();
    QTest::keyClicks(timeout, "300");
    EXPECT_EQ(timeout->text(), "255");
    timeout->selectAll();
    QTest::keyClicks(timeout, "0");
    EXPECT_EQ(timeout->text(), "1");
    QTest::keyClicks(timeout, "2");
    EXPECT_EQ(timeout->text(), "12");
    EXPECT_EQ(sheet->editingSession().working.readerOptions[21], 12);
    sheet->accept();
    EXPECT_EQ(ws.definition.readerOptions[21], 12);
}

TEST_F(BarcodePageGuiTest, CancelKeepsTheReaderSettingsAndOkCommitsThem) {
    const Definition before = ws.definition;
    {
        auto sheet = OpenOnPage();
        Child<QComboBox>("engine")->setCurrentIndex(1);
        Child<QCheckBox>("box103")->click();
        Child<QCheckBox>("gs1Identifiers")->click();
        Child<QPushButton>("reset")->click();
        sheet->reject();
    }
    EXPECT_EQ(Terminal(ws.definition).ReaderType(), Terminal(before).ReaderType());
    EXPECT_EQ(ws.definition.symbologyOptions, before.symbologyOptions);
    EXPECT_EQ(ws.definition.readerOptions2, before.readerOptions2);

    auto sheet = OpenOnPage();
    Child<QComboBox>("engine")->setCurrentIndex(1);
    Child<QCheckBox>("box103")->click();  // UPC-E1 on
    EXPECT_TRUE(Child<QCheckBox>("box103")->isChecked());
    sheet->accept();
    EXPECT_EQ(Terminal(ws.definition).ReaderType(), 1);
    EXPECT_EQ(ws.definition.symbologyOptions[0], 0xF8);
}

TEST_F(BarcodePageGuiTest, EveryShownButtonAsksForItsDialog) {
    auto sheet = OpenOnPage();
    QSignalSpy asked(page, &BarcodePage::dialogRequested);
    // Which dialog each button asks for, without opening them.
    QObject::disconnect(page, &BarcodePage::dialogRequested, page, nullptr);
    Child<QCheckBox>("rfid")->click();
    Child<QCheckBox>("weightBarcodes")->click();
    Child<QCheckBox>("gs1Identifiers")->click();
    for (int engine = 0; engine < 3; ++engine) {
        Child<QComboBox>("engine")->setCurrentIndex(engine);
        QStringList expected;
        for (QPushButton* button : page->findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(page) || !button->isEnabled() ||
                button->objectName() == "reset")
                continue;
            expected << button->objectName();
            button->click();
        }
        QStringList got;
        for (const QList<QVariant>& call : asked)
            got << call.at(0).toString();
        asked.clear();
        EXPECT_EQ(got, expected);
        for (const char* name :
             {"RFID_PARAM_DLG", "CODEIDDLG", "WEIGHTBCMASKDLG", "GS1AISETTINGSDLG"})
            EXPECT_TRUE(got.contains(QString::fromLatin1(name))) << engine << name;
        EXPECT_EQ(got.size(), engine == 0 ? 21 : engine == 1 ? 17 : 15);
    }
    sheet->reject();
}

// The mask button opens the mask dialog itself over the page.
TEST_F(BarcodePageGuiTest, TheMaskButtonOpensTheMaskDialog) {
    auto sheet = OpenOnPage();
    Child<QCheckBox>("weightBarcodes")->click();
    test::DialogScript script;
    script.Cancel(QStringLiteral("WEIGHTBCMASKDLG"));
    script.Run([&] { Child<QPushButton>("WEIGHTBCMASKDLG")->click(); });
    EXPECT_TRUE(script.Done());
    sheet->reject();
}

}  // namespace
}  // namespace fw
