// The preferences: corrections while typing, which controls are enabled, what OK writes, the
// language switch that changes the menu at once, and the about box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "gui_support.h"
#include "model/codepage.h"
#include "model/settings.h"
#include "shell/aboutbox.h"
#include "shell/linklabel.h"
#include "shell/numberedit.h"
#include "shell/preferencesdlg.h"

namespace fw {
namespace {

using test::DialogScript;

class PreferencesTest : public test::WindowTest {
  protected:
    PreferencesTest() { StartWorkspace(ws_, home_); }

    // Opens the preferences from the window's menu, lets change act on them and confirms.
    static void Confirm(MainWindow& w, const std::function<void(PreferencesDlg&)>& change) {
        DialogScript()
            .Expect("PreferencesDlg",
                    [&](QWidget* d) {
                        auto* dialog = qobject_cast<PreferencesDlg*>(d);
                        ASSERT_NE(dialog, nullptr);
                        change(*dialog);
                        dialog->accept();
                    })
            .Run([&] { w.command(kCmdPreferences); });
    }
    static void Type(NumberEdit* edit, const QString& text) {
        auto* line = edit->findChild<QLineEdit*>();
        line->selectAll();
        if (text.isEmpty())
            QTest::keyClick(line, Qt::Key_Backspace);
        else
            QTest::keyClicks(line, text);
    }

    Workspace ws_;
};

TEST_F(PreferencesTest, TypingIsCorrectedAsTheUserTypes) {
    PreferencesDlg dialog(ws_);
    NumberEdit* com = dialog.comPort();
    Type(com, "300");  // "3", "30", then "300" is refused
    EXPECT_EQ(com->text(), "30");
    Type(com, "07");  // a lone "0" is below the range and becomes 1 before the 7 comes
    EXPECT_EQ(com->value(), 17);
    com->findChild<QLineEdit*>()->setText("07");
    emit com->findChild<QLineEdit*>()->textEdited("07");
    EXPECT_EQ(com->text(), "7");
    Type(com, "");
    EXPECT_EQ(com->text(), "1");

    dialog.downloadLink()->setCurrentIndex(kLinkWifi);  // the network port takes input
    NumberEdit* port = dialog.networkPort();
    Type(port, "");
    EXPECT_EQ(port->text(), "65535");
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
    PreferencesDlg dialog(ws_);
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
    }
    EXPECT_EQ(dialog.downloadLink()->itemText(1), "Serial-SPP");
    EXPECT_EQ(dialog.baudRate()->itemText(2), "38400 bps");
    // No language files: the language choice is off.
    EXPECT_FALSE(dialog.language()->isEnabled());
    EXPECT_EQ(dialog.language()->itemText(0), "Default <English>");
}

TEST_F(PreferencesTest, ComPortShowsTheDeviceItOpens) {
    PreferencesDlg dialog(ws_);
    dialog.comPort()->setValue(3);
    EXPECT_TRUE(dialog.comDevice()->text().endsWith("/dev/ttyS2"));
}

TEST_F(PreferencesTest, OkWritesTheSettingsAndTakesEffectAndCancelDoesNot) {
    auto w = Start();
    w->move(400, 120);
    Confirm(*w, [](PreferencesDlg& dialog) {
        dialog.downloadLink()->setCurrentIndex(kLinkSerial);
        dialog.uploadLink()->setCurrentIndex(kLinkWifi);
        dialog.comPort()->setValue(3);
        dialog.baudRate()->setCurrentIndex(1);
        dialog.extraTimeout()->setValue(5);
        dialog.networkPort()->setValue(5000);
        dialog.autoPreload()->setChecked(true);
        dialog.alwaysOnTop()->setChecked(true);
    });
    // The settings file as the preferences write it, field by field.
    const std::string file = test::ReadFile(home_ / "Formwright.ini");
    EXPECT_EQ(file, "Unknow\r0\r2\r3\r1\ret=5\rnport=5000\r1\r1\r0\r");
    // The window goes above the others where it was.
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), QPoint(400, 120));

    PreferencesDlg dialog(w->workspace());
    EXPECT_EQ(dialog.comPort()->value(), 3);
    EXPECT_EQ(dialog.uploadLink()->currentIndex(), kLinkWifi);
    dialog.comPort()->setValue(9);
    dialog.reject();
    EXPECT_EQ(test::ReadFile(home_ / "Formwright.ini"), file);
}

TEST_F(PreferencesTest, LanguageSwitchChangesTheMenuAtOnce) {
    // Language files are 8-bit text in the Windows-1251 code page.
    test::WriteFile(home_ / "ru.lng",
                    EncodeCp1251(u"Русский\r\n1101=&Новый\tCtrl+N\r\n11=Настройки\r\n"
                                 u"12=&Загрузка через :\r\n1218=Да\r\n"));
    auto w = Start();
    const std::vector<MenuItem> english = test::ShownMenu(*w);
    EXPECT_EQ(english[0].text, u"&New\tCtrl+N");

    Confirm(*w, [](PreferencesDlg& dialog) {
        ASSERT_EQ(dialog.language()->count(), 2);
        EXPECT_TRUE(dialog.language()->isEnabled());
        dialog.language()->setCurrentIndex(1);
    });
    const std::vector<MenuItem> russian = test::ShownMenu(*w);
    EXPECT_EQ(russian[0].text, u"&Новый\tCtrl+N");
    EXPECT_EQ(russian[1], english[1]);                  // not in this language file
    EXPECT_EQ(russian[8].text, u"Загрузить прошивку");  // the file's language, by its name
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
    Confirm(*w, [](PreferencesDlg& dialog) { dialog.language()->setCurrentIndex(0); });
    EXPECT_EQ(test::ShownMenu(*w), english);
    Settings s;
    ReadSettings(s, home_);
    EXPECT_EQ(s.languageName, u"0");
}

TEST_F(PreferencesTest, AboutBoxShowsVersionFirmwareYearAndLinks) {
    auto w = Start();
    std::vector<QUrl> opened;
    LinkLabel::SetOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    auto check = [&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), "Formwright M740");
        EXPECT_EQ(d->findChild<QLabel*>("1037")->text(), "Версия 5.01 (5.1.0.0)");
        EXPECT_EQ(d->findChild<QLabel*>("1038")->text(),
                  "Работает с прошивками версий tlvn5.00 и выше");
        EXPECT_TRUE(d->findChild<QLabel*>("1049")->text().endsWith(" г."));
        auto* mail = d->findChild<LinkLabel*>("1029");
        auto* site = d->findChild<LinkLabel*>("1030");
        ASSERT_TRUE(mail != nullptr && site != nullptr);
        EXPECT_EQ(mail->Tooltip(), "Отправить письмо в техническую поддержку");
        EXPECT_EQ(site->Tooltip(), "Открыть сайт Tolvane");
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
    };
    DialogScript().Expect("AboutBox", check).Run([&] { w->command(kCmdAbout); });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString(), "mailto:" + QString::fromUtf16(kSupportMail));

    // The colour of a used link lasts for the run: the next about box shows it visited.
    DialogScript()
        .Expect("AboutBox",
                [](QWidget* d) {
                    EXPECT_TRUE(d->findChild<LinkLabel*>("1029")->Visited());
                    EXPECT_FALSE(d->findChild<LinkLabel*>("1030")->Visited());
                    qobject_cast<QDialog*>(d)->accept();
                })
        .Run([&] { w->command(kCmdAbout); });
    LinkLabel::SetOpener([](const QUrl&) { return true; });
    LinkLabel::ForgetVisitedLinks();
}

// A link that no program on the computer can open says so, naming the address.
TEST_F(PreferencesTest, LinkThatNothingCanOpenIsReported) {
    auto w = Start();
    LinkLabel::SetOpener([](const QUrl&) { return false; });
    QPointer<QWidget> about;
    QString shown;
    DialogScript()
        .Expect("AboutBox",
                [&](QWidget* d) {
                    about = d;
                    // Clicked once the script has let go, as the user would.
                    QMetaObject::invokeMethod(d->findChild<LinkLabel*>("1030"), "click",
                                              Qt::QueuedConnection);
                })
        .Expect("MessageBox",
                [&](QWidget* box) {
                    auto* message = qobject_cast<QMessageBox*>(box);
                    shown = message->windowTitle() + "|" + message->text();
                    message->button(QMessageBox::Ok)->click();
                    // The about box stays open behind the message.
                    ASSERT_TRUE(about);
                    QMetaObject::invokeMethod(about, "reject", Qt::QueuedConnection);
                })
        .Run([&] { w->command(kCmdAbout); });
    EXPECT_EQ(shown, "Warning|Не найдена программа, которая может открыть:\r\n" +
                         QString::fromUtf16(kSupportSite));
    LinkLabel::SetOpener([](const QUrl&) { return true; });
    LinkLabel::ForgetVisitedLinks();
}

// The about box under the English language file: no Russian text left in it.
TEST_F(PreferencesTest, AboutBoxSpeaksTheLanguageFile) {
    ASSERT_NO_FATAL_FAILURE(ChooseEnglish());
    auto w = Start();
    DialogScript()
        .Expect("AboutBox",
                [](QWidget* d) {
                    EXPECT_EQ(d->findChild<QLabel*>("1037")->text(), "Version 5.01 (5.1.0.0)");
                    QStringList texts;
                    for (QLabel* l : d->findChildren<QLabel*>())
                        texts << l->text();
                    for (LinkLabel* l : d->findChildren<LinkLabel*>())
                        texts << l->Tooltip();
                    for (QAbstractButton* b : d->findChildren<QAbstractButton*>())
                        texts << b->text();
                    for (const QString& t : texts) {
                        for (QChar c : t)
                            EXPECT_FALSE(c.unicode() >= 0x400 && c.unicode() <= 0x4FF)
                                << t.toStdString();
                    }
                    qobject_cast<QDialog*>(d)->accept();
                })
        .Run([&] { w->command(kCmdAbout); });
}

// Tooltips keep a text on one line up to the width limit and wrap only beyond it.
TEST(BalloonTipText, OneLineUpToTheWidthLimit) {
    BalloonTip* tip = BalloonTip::Instance();
    auto* label = tip->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    const int lineHeight = label->fontMetrics().height();

    const QString shortText = QStringLiteral("Отправить письмо в техническую поддержку");
    tip->ShowText(shortText, QPoint(10, 10));
    EXPECT_LT(label->height(), 2 * lineHeight) << "a short tooltip was wrapped";
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(shortText));

    QString longText;
    while (label->fontMetrics().horizontalAdvance(longText) < 2 * kTooltipMaxWidth)
        longText += QStringLiteral("support ");
    tip->ShowText(longText, QPoint(10, 10));
    EXPECT_LE(tip->width(), kTooltipMaxWidth);
    EXPECT_GE(label->height(), 2 * lineHeight);
    tip->hide();
}

// The language list is read each time the dialog opens: a file added while the program runs
// is offered, one removed is not. The dialog keeps the one size its texts need.
TEST_F(PreferencesTest, LanguageListIsReadAgainAndTheSizeIsFixed) {
    auto w = Start();
    auto languages = [&] {
        QStringList names;
        DialogScript()
            .Expect("PreferencesDlg",
                    [&](QWidget* d) {
                        auto* dialog = qobject_cast<PreferencesDlg*>(d);
                        for (int i = 0; i < dialog->language()->count(); ++i)
                            names << dialog->language()->itemText(i);
                        EXPECT_EQ(d->minimumSize(), d->maximumSize());
                        // Lists are named by their labels for a screen reader.
                        EXPECT_EQ(dialog->language()->accessibleName(), "Language :");
                        EXPECT_EQ(dialog->downloadLink()->accessibleName(), "Download via :");
                        dialog->reject();
                    })
            .Run([&] { w->command(kCmdPreferences); });
        return names;
    };
    EXPECT_EQ(languages(), QStringList({"Default <English>"}));
    std::filesystem::copy_file(std::filesystem::path(FW_SOURCE_DIR) / "samples/English.lng",
                               home_ / "English.lng");
    EXPECT_EQ(languages(), QStringList({"Default <English>", "English"}));
    std::filesystem::remove(home_ / "English.lng");
    EXPECT_EQ(languages(), QStringList({"Default <English>"}));
}

}  // namespace
}  // namespace fw
