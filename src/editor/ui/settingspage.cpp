#include "editor/ui/settingspage.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/ui/functionkeydialog.h"
#include "editor/ui/networkdialog.h"
#include "editor/ui/securitydialog.h"
#include "editor/ui/variablesdialog.h"
#include "model/workspace.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

constexpr int kSettingsTitleId = 1645;
constexpr int kFirstListCaptionId = 1534;  // "1.  Upload Port" .. "12. Громкость звука"
constexpr int kSecurityId = 1546;
constexpr int kFunctionKeyId = 1547;
constexpr int kVariablesId = 1548;
constexpr int kNetworkId = 1549;
constexpr int kResetId = 1550;
constexpr int kTimeoutUnitId = 1551;
constexpr int kPressAnyKeyId = 1552;
constexpr int kStayOnLcdId = 1553;
constexpr int kDurationUnitId = 1554;
constexpr int kPhoneId = 1577;

const char* const kListNames[kSettingsListCount] = {
    "uploadPort",   "downloadPort", "modemSpeed", "baudRate",    "backlight", "dataDeletion",
    "entryOptions", "keyClick",     "goodRead",   "warningBeep", "vibration", "volume",
};

}  // namespace

void FillEdit(QLineEdit* edit, const QString& text, bool enabled) {
    const QSignalBlocker blocker(edit);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(enabled);
}

void ShowEditResult(Workspace& ws, QLineEdit* edit, const EditResult& result) {
    FillEdit(edit, ToQString(result.shown), edit->isEnabled());
    if (!result.warning.empty())
        ShowText(ws, result.caption, result.warning, MessageIcon::Warning, MessageButtons::Ok);
}

QLineEdit* AddLabelledEdit(QWidget* parent, QFormLayout* layout, const QString& caption,
                           const QString& objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setAccessibleName(caption.trimmed());
    auto* label = new QLabel(caption, parent);
    label->setBuddy(edit);
    layout->addRow(label, edit);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& objectName) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    return button;
}

SettingsDialogBase::SettingsDialogBase(SheetContext& context, QWidget* parent,
                                       const QString& objectName, int titleId)
    : QDialog(parent), context_(context) {
    setObjectName(objectName);
    setWindowTitle(Caption(context.session, titleId));
    content_ = new QVBoxLayout;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(content_);
    column->addWidget(buttons);
}

void SettingsDialogBase::apply(const std::function<Outcome()>& op) {
    RunOperation(context_.ws, [&](Answer) { return op(); });
    refresh();
}

QCheckBox* SettingsDialogBase::makeCheck(const QString& caption, const QString& objectName,
                                         std::function<Outcome(bool)> op) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    box->setAccessibleName(caption.trimmed());
    connect(box, &QCheckBox::toggled, this,
            [this, op = std::move(op)](bool on) { apply([&] { return op(on); }); });
    return box;
}

SettingsPage::SettingsPage(SheetContext& context, QWidget* parent)
    : SheetPage(context, parent), state_(OpenSettingsPage(context.session)) {
    setObjectName(QStringLiteral("SETTINGSDLG"));
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    for (int i = 0; i < kSettingsListCount; ++i) {
        const auto list = static_cast<SettingsList>(i);
        QComboBox* box =
            AddLabelledList(this, i < 6 ? left : right, Caption(session(), kFirstListCaptionId + i),
                            QString::fromLatin1(kListNames[i]));
        lists_[static_cast<std::size_t>(i)] = box;
        connect(box, &QComboBox::currentIndexChanged, this, [this, list](int index) {
            RunOperation(context_.ws,
                         [&](Answer) { return SelectSetting(session(), list, index); });
            refresh();
        });
        const QString phone = Caption(session(), kPhoneId);
        if (list == SettingsList::UploadPort) {
            uploadPhone_ = AddLabelledEdit(this, left, phone, QStringLiteral("uploadPhone"));
            uploadPhone_->setAccessibleName(box->accessibleName() + u' ' + phone.trimmed());
        } else if (list == SettingsList::DownloadPort) {
            downloadPhone_ = AddLabelledEdit(this, left, phone, QStringLiteral("downloadPhone"));
            downloadPhone_->setAccessibleName(box->accessibleName() + u' ' + phone.trimmed());
        } else if (list == SettingsList::Backlight) {
            backlightTimeout_ = AddLabelledEdit(this, left, Caption(session(), kTimeoutUnitId),
                                                QStringLiteral("backlightTimeout"));
            backlightTimeout_->setMaxLength(2);
        } else if (list == SettingsList::EntryOption) {
            pressAnyKey_ = new QRadioButton(Caption(session(), kPressAnyKeyId), this);
            pressAnyKey_->setObjectName(QStringLiteral("pressAnyKey"));
            stayOnLcd_ = new QRadioButton(Caption(session(), kStayOnLcdId), this);
            stayOnLcd_->setObjectName(QStringLiteral("stayOnLcd"));
            right->addRow(pressAnyKey_);
            right->addRow(stayOnLcd_);
            promptDuration_ = AddLabelledEdit(this, right, Caption(session(), kDurationUnitId),
                                              QStringLiteral("promptDuration"));
            promptDuration_->setMaxLength(3);
        }
    }
    connect(uploadPhone_, &QLineEdit::textEdited, this, [this](const QString& text) {
        edited(uploadPhone_, EditPhone(session(), PhoneOf::Upload, ToU16(text)));
    });
    connect(downloadPhone_, &QLineEdit::textEdited, this, [this](const QString& text) {
        edited(downloadPhone_, EditPhone(session(), PhoneOf::Download, ToU16(text)));
    });
    connect(backlightTimeout_, &QLineEdit::textEdited, this, [this](const QString& text) {
        edited(backlightTimeout_, EditBacklightTimeout(session(), ToU16(text)));
    });
    connect(promptDuration_, &QLineEdit::textEdited, this, [this](const QString& text) {
        edited(promptDuration_, EditPromptDuration(session(), state_, ToU16(text)));
    });
    for (QRadioButton* radio : {pressAnyKey_, stayOnLcd_})
        connect(radio, &QRadioButton::clicked, this, [this, radio] {
            RunOperation(context_.ws, [&](Answer) {
                return SelectPromptWait(session(), state_, radio == stayOnLcd_);
            });
            refresh();
        });

    auto* security = MakeButton(this, Caption(session(), kSecurityId), QStringLiteral("security"));
    auto* keys =
        MakeButton(this, Caption(session(), kFunctionKeyId), QStringLiteral("functionKey"));
    auto* variables =
        MakeButton(this, Caption(session(), kVariablesId), QStringLiteral("variables"));
    network_ = MakeButton(this, Caption(session(), kNetworkId), QStringLiteral("network"));
    auto* reset = MakeButton(this, Caption(session(), kResetId), QStringLiteral("reset"));
    connect(security, &QPushButton::clicked, this, &SettingsPage::openSecurity);
    connect(keys, &QPushButton::clicked, this, &SettingsPage::openFunctionKeys);
    connect(variables, &QPushButton::clicked, this, &SettingsPage::openVariables);
    connect(network_, &QPushButton::clicked, this, &SettingsPage::openNetwork);
    connect(reset, &QPushButton::clicked, this, &SettingsPage::reset);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(16);
    columns->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {security, keys, variables, network_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(reset);
    auto* column = new QVBoxLayout(this);
    column->addLayout(columns);
    column->addStretch();
    column->addLayout(buttons);
    refresh();
}

QString SettingsPage::title() const {
    return Caption(context_.session, kSettingsTitleId);
}

void SettingsPage::refresh() {
    const SettingsPageView view = ViewSettingsPage(session());
    for (std::size_t i = 0; i < lists_.size(); ++i)
        FillList(lists_[i], view.lists[i]);
    FillEdit(uploadPhone_, ToQString(view.uploadPhone), view.uploadPhoneEnabled);
    FillEdit(downloadPhone_, ToQString(view.downloadPhone), view.downloadPhoneEnabled);
    FillEdit(backlightTimeout_, ToQString(view.backlightTimeout), true);
    for (QRadioButton* radio : {pressAnyKey_, stayOnLcd_}) {
        const QSignalBlocker blocker(radio);
        radio->setChecked(view.stayOnLcd == (radio == stayOnLcd_));
        radio->setEnabled(view.promptWaitEnabled);
    }
    FillEdit(promptDuration_, ToQString(view.promptDuration), view.promptDurationEnabled);
    network_->setEnabled(view.networkEnabled);
}

void SettingsPage::edited(QLineEdit* edit, const EditResult& result) {
    ShowEditResult(context_.ws, edit, result);
    refresh();
}

void SettingsPage::openSecurity() {
    SecuritySettingsDialog dialog(context_, this);
    dialog.exec();
    refresh();
}

void SettingsPage::openFunctionKeys() {
    FunctionKeyMappingDialog dialog(context_, this);
    dialog.exec();
    refresh();
}

void SettingsPage::openVariables() {
    VariableNamesDialog dialog(context_, this);
    // The forms' lists show the variable names.
    if (dialog.exec() == QDialog::Accepted) context_.refreshAll();
}

void SettingsPage::openNetwork() {
    NetworkSettingsDialog dialog(context_, this);
    dialog.exec();
    refresh();
}

void SettingsPage::reset() {
    ResetSettings(session(), state_);
    refresh();
}

}  // namespace fw::editor::ui
