// The preferences: corrections while typing, which controls are enabled, what OK writes, the
// language switch that changes the menu at once, and the about box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui_support.h"
#include "model/codepage.h"
#include "model/settings.h"
#include "shell/aboutbox.h"
#include "shell/commands.h"
#include "shell/linklabel.h"
#include "shell/mainwindow.h"
#include "shell/numberedit.h"
#include "shell/preferencesdlg.h"

namespace fw {
namespace {

using test::DialogScript;

TEST(NumberCorrection, RulesOfTheNumberEdits) {
    struct Case {
        const char* typed;
        int minimum, maximum, replacement, last;
        const char* shown;
        int value;
    };
    const Case cases[] = {
        {"300", 1, 255, 1, 12, "12", 12},  // above the range: the last accepted value
        {"07", 1, 255, 1, 0, "7", 7},      // a leading zero is dropped
        {"", 1, 255, 1, 12, "1", 1},       // cleared: the lower bound
        {"0", 1, 255, 1, 12, "1", 1},      // below the range: the lower bound
        {"1x", 1, 255, 1, 12, "1", 1},     // not a number
        {"-5", 0, 30, 0, 4, "0", 0},
        {"255", 1, 255, 1, 3, "255", 255},
        {"007", 0, 30, 0, 4, "7", 7},
        {"00", 0, 30, 0, 4, "0", 0},
        {"31", 0, 30, 0, 4, "4", 4},
        {"", 1, 65535, 65535, 5000, "65535", 65535},  // the network port falls back to 65535
        {"0", 1, 65535, 65535, 5000, "65535", 65535},
        {"65536", 1, 65535, 65535, 5000, "5000", 5000},
        {"99999999999999999999", 1, 65535, 65535, 5000, "5000", 5000},
        {"080", 1, 65535, 65535, 5000, "80", 80},
    };
    for (const Case& c : cases) {
        const NumberCorrection r =
            CorrectNumber(c.typed, c.minimum, c.maximum, c.replacement, c.last);
        EXPECT_EQ(r.text, QString(c.shown)) << c.typed;
        EXPECT_EQ(r.value, c.value) << c.typed;
    }
}

class PreferencesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        home_ = std::filesystem::path(dir_.path().toStdString());
    }
    // Language files are 8-bit text in the Windows-1251 code page.
    void WriteLanguage(const std::string& file, std::u16string_view text) {
        test::WriteBytes(home_ / file, EncodeCp1251(text));
    }
    std::unique_ptr<MainWindow> Start() {
        return std::make_unique<MainWindow>(ShellOptions{home_, {}});
    }
    static void Type(NumberEdit* edit, const QString& text) {
        edit->findChild<QLineEdit*>()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit->findChild<QLineEdit*>(), Qt::Key_Backspace);
        else
            QTest::keyClicks(edit->findChild<QLineEdit*>(), text);
    }

    QTemporaryDir dir_;
    std::filesystem::path home_;
};

TEST_F(PreferencesTest, TypingIsCorrectedAsTheUserTypes) {
    Workspace ws;
    StartWorkspace(ws, home_);
    PreferencesDlg dialog(ws);
    NumberEdit* com = dialog.comPort();
    Type(com, "12");
    EXPECT_EQ(com->value(), 12);
    Type(com, "300");  // "3", "30", then "300" is refused
    EXPECT_EQ(com->text(), "30");
    EXPECT_EQ(com->value(), 30);
    Type(com, "07");  // a lone "0" is below the range and becomes 1 before the 7 comes
    EXPECT_EQ(com->value(), 17);
    com->findChild<QLineEdit*>()->setText("07");
    emit com->findChild<QLineEdit*>()->textEdited("07");
    EXPECT_EQ(com->text(), "7");
    Type(com, "");
    EXPECT_EQ(com->text(), "1");

    dialog.downloadLink()->setCurrentIndex(kLinkWifi);  // the network port takes input
    NumberEdit* port = dialog.networkPort();
    Type(port, "80");
    Type(port, "");
    EXPECT_EQ(port->text(), "65535");
    Type(port, "5000");
    EXPECT_EQ(port->text().toStdString(), "5000");
    EXPECT_EQ(port->value(), 5000);
    NumberEdit* timeout = dialog.extraTimeout();
    Type(timeout, "45");  // "4", then "45" is above 30
    EXPECT_EQ(timeout->value(), 4);
    // The spin arrows stay inside the range.
    timeout->stepBy(100);
    EXPECT_EQ(timeout->value(), 30);
    com->stepBy(-1000);
    EXPECT_EQ(com->value(), 1);
}

TEST_F(PreferencesTest, LinkChoicesEnableTheirControls) {
    Workspace ws;
    StartWorkspace(ws, home_);
    PreferencesDlg dialog(ws);
    struct Case {
        int download, upload;
        bool serial, network;
    };
    const Case cases[] = {
        {kLinkSerial, kLinkSerial, true, false}, {kLinkSerialSpp, kLinkSerial, true, false},
        {kLinkWifi, kLinkSerial, true, true},    {kLinkSerial, kLinkWifi, true, true},
        {kLinkWifi, kLinkWifi, false, true},     {kLinkSerialSpp, kLinkSerialSpp, true, false},
    };
    for (const Case& c : cases) {
        dialog.downloadLink()->setCurrentIndex(c.download);
        dialog.uploadLink()->setCurrentIndex(c.upload);
        EXPECT_EQ(dialog.comPort()->isEnabled(), c.serial) << c.download << c.upload;
        EXPECT_EQ(dialog.baudRate()->isEnabled(), c.serial) << c.download << c.upload;
        EXPECT_EQ(dialog.networkPort()->isEnabled(), c.network) << c.download << c.upload;
        EXPECT_TRUE(dialog.extraTimeout()->isEnabled());
    }
    EXPECT_EQ(dialog.downloadLink()->itemText(1), "Serial-SPP");
    EXPECT_EQ(dialog.baudRate()->itemText(2), "38400 bps");
    // No language files: the language choice is off.
    EXPECT_FALSE(dialog.language()->isEnabled());
    EXPECT_EQ(dialog.language()->itemText(0), "Default <English>");
}

TEST_F(PreferencesTest, ComPortShowsTheDeviceItOpens) {
    Workspace ws;
    StartWorkspace(ws, home_);
    PreferencesDlg dialog(ws);
    dialog.comPort()->setValue(3);
#ifndef Q_OS_WIN
    EXPECT_TRUE(dialog.comDevice()->text().endsWith("/dev/ttyS2"));
    // A dosdevices link in the program's folder names the device behind it.
    std::filesystem::create_directories(home_ / "dosdevices");
    test::WriteBytes(home_ / "usb-adapter", "");
    std::filesystem::create_symlink(home_ / "usb-adapter", home_ / "dosdevices" / "com4");
    dialog.comPort()->setValue(4);
    EXPECT_TRUE(dialog.comDevice()->text().endsWith("/usb-adapter"));
#endif
}

TEST_F(PreferencesTest, OkWritesTheSettingsAndCancelDoesNot) {
    Workspace ws;
    StartWorkspace(ws, home_);
    {
        PreferencesDlg dialog(ws);
        dialog.downloadLink()->setCurrentIndex(kLinkSerial);
        dialog.uploadLink()->setCurrentIndex(kLinkWifi);
        dialog.comPort()->setValue(3);
        dialog.baudRate()->setCurrentIndex(1);
        dialog.extraTimeout()->setValue(5);
        dialog.networkPort()->setValue(5000);
        dialog.autoPreload()->setChecked(true);
        dialog.alwaysOnTop()->setChecked(false);
        dialog.accept();
    }
    // The settings file as the preferences write it, field by field.
    const std::string file = test::ReadBytes(home_ / "Formwright.ini");
    EXPECT_EQ(file, "Unknow\r0\r2\r3\r1\ret=5\rnport=5000\r1\r0\r0\r");
    {
        PreferencesDlg dialog(ws);
        EXPECT_EQ(dialog.comPort()->value(), 3);
        EXPECT_EQ(dialog.uploadLink()->currentIndex(), kLinkWifi);
        dialog.comPort()->setValue(9);
        dialog.reject();
    }
    EXPECT_EQ(test::ReadBytes(home_ / "Formwright.ini"), file);
}

TEST_F(PreferencesTest, LanguageSwitchChangesTheMenuAtOnce) {
    WriteLanguage("ru.lng",
                  u"Русский\r\n1101=&Новый\tCtrl+N\r\n1106=&Настройки...\r\n11=Настройки\r\n"
                  u"12=&Загрузка через :\r\n1218=Да\r\n1111=Вы&ход\r\n");
    auto w = Start();
    QApplication::processEvents();
    auto menuText = [&](int id) {
        for (QAction* a : w->popupMenu()->actions())
            if (a->data().toInt() == id) return a->text();
        return QString();
    };
    EXPECT_EQ(menuText(kCmdNew), "&New\tCtrl+N");
    EXPECT_EQ(menuText(kCmdDownloadProgram), "Download &Program");

    DialogScript script;
    script.Expect("PreferencesDlg", [](QWidget* d) {
        auto* dialog = qobject_cast<PreferencesDlg*>(d);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->language()->count(), 2);
        EXPECT_TRUE(dialog->language()->isEnabled());
        dialog->language()->setCurrentIndex(1);
        dialog->accept();
    });
    w->command(kCmdPreferences);
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(menuText(kCmdNew), "&Новый\tCtrl+N");
    EXPECT_EQ(menuText(kCmdPreferences), "&Настройки...");
    EXPECT_EQ(menuText(kCmdExit), "Вы&ход");
    EXPECT_EQ(menuText(kCmdOpen), "&Open...\tCtrl+O");  // not in this language file
    EXPECT_EQ(menuText(kCmdDownloadProgram), "Загрузить прошивку");
    EXPECT_EQ(menuText(kCmdSdExport), "Загрузить базу данных на SD-карту");
    EXPECT_EQ(w->workspace().settings.languageName, u"Русский");

    // The dialog itself now speaks the language.
    {
        PreferencesDlg dialog(w->workspace());
        EXPECT_EQ(dialog.windowTitle(), "Настройки");
        EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text(),
                  "Да");
        EXPECT_EQ(dialog.language()->currentIndex(), 1);
        bool translatedLabel = false;
        for (QLabel* l : dialog.findChildren<QLabel*>())
            translatedLabel |= l->text() == "&Загрузка через :";
        EXPECT_TRUE(translatedLabel);
    }

    // Back to the built-in language: "0" in the settings file, English menu.
    DialogScript back;
    back.Expect("PreferencesDlg", [](QWidget* d) {
        auto* dialog = qobject_cast<PreferencesDlg*>(d);
        dialog->language()->setCurrentIndex(0);
        dialog->accept();
    });
    w->command(kCmdPreferences);
    ASSERT_TRUE(back.Done());
    EXPECT_EQ(menuText(kCmdNew), "&New\tCtrl+N");
    EXPECT_EQ(menuText(kCmdDownloadProgram), "Download &Program");
    Settings s;
    ReadSettings(s, home_);
    EXPECT_EQ(s.languageName, u"0");
}

TEST_F(PreferencesTest, AlwaysOnTopTakesEffectAfterOk) {
    auto w = Start();
    QApplication::processEvents();
    w->move(400, 120);
    DialogScript script;
    script.Expect("PreferencesDlg", [](QWidget* d) {
        auto* dialog = qobject_cast<PreferencesDlg*>(d);
        dialog->alwaysOnTop()->setChecked(true);
        dialog->accept();
    });
    w->command(kCmdPreferences);
    ASSERT_TRUE(script.Done());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), QPoint(400, 120));  // re-placed where it was
}

TEST_F(PreferencesTest, AboutBoxShowsVersionFirmwareYearAndLinks) {
    auto w = Start();
    QApplication::processEvents();
    std::vector<QUrl> opened;
    LinkLabel::SetOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    DialogScript script;
    script.Expect("AboutBox", [&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Formwright M740");
        EXPECT_EQ(d->findChild<QLabel*>("1037")->text(), "Версия 5.01 (5.1.0.0)");
        EXPECT_EQ(d->findChild<QLabel*>("1038")->text(),
                  "Работает с прошивками версий tlvn5.00 и выше");
        EXPECT_TRUE(d->findChild<QLabel*>("1049")->text().endsWith(" г."));
        auto* mail = d->findChild<LinkLabel*>("1029");
        auto* site = d->findChild<LinkLabel*>("1030");
        ASSERT_NE(mail, nullptr);
        ASSERT_NE(site, nullptr);
        EXPECT_EQ(mail->Tooltip(), "Отправить письмо в техническую поддержку");
        EXPECT_EQ(site->Tooltip(), "Открыть сайт Tolvane");
        EXPECT_EQ(mail->Target().scheme(), "mailto");
        EXPECT_EQ(mail->TextColour(), QColor(0x00, 0x00, 0xCC));
        QTest::mouseClick(mail, Qt::LeftButton);
        EXPECT_TRUE(mail->Visited());
        EXPECT_FALSE(site->Visited());
        EXPECT_EQ(mail->TextColour(), QColor(0x66, 0x66, 0x99));
        EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
        // Hovering shows the translucent tooltip.
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), mail->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(site, &help);
        EXPECT_TRUE(BalloonTip::Instance()->isVisible());
        EXPECT_EQ(BalloonTip::Instance()->Text(), "Открыть сайт Tolvane");
        EXPECT_NEAR(BalloonTip::Instance()->windowOpacity(), 200.0 / 255.0, 0.01);
        qobject_cast<QDialog*>(d)->accept();
    });
    w->command(kCmdAbout);
    EXPECT_TRUE(script.Done());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(), "mailto:" + QString::fromUtf16(kSupportMail));
    LinkLabel::SetOpener([](const QUrl&) { return true; });
}

}  // namespace
}  // namespace fw
