#include "editor/ui/networkdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <tuple>

#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

constexpr int kTitleId = 1549;
constexpr int kUseId = 1560;
constexpr int kDhcpId = 1561;
constexpr int kServerId = 1562;
constexpr int kPortId = 1563;
constexpr int kAddressIds[kNetAddressCount] = {kServerId, 1564, 1565, 1566, 1567};
constexpr int kSsidId = 1568;
constexpr int kEncryptionId = 1569;
constexpr int kAuthenticationId = 1570;
constexpr int kKeyLengthId = 1571;
constexpr int kActiveKeyId = 1572;
constexpr int kKeyId = 1573;
constexpr int kWpaKeyId = 1574;
constexpr int kLoginId = 1575;
constexpr int kPasswordId = 1576;

const char* const kAddressNames[kNetAddressCount] = {"serverAddress", "terminalAddress",
                                                     "subnetMask", "gateway", "dnsServer"};

QLineEdit* Display(QWidget* parent, QFormLayout* form, const QString& caption,
                   const QString& objectName) {
    QLineEdit* edit = AddLabelledEdit(parent, form, caption, objectName);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

QComboBox* NetworkSettingsDialog::addList(QFormLayout* form, int captionId,
                                          const QString& objectName,
                                          std::function<Outcome(int)> op) {
    QComboBox* box = AddLabelledList(this, form, Caption(session(), captionId), objectName);
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, op = std::move(op)](int index) { apply([&] { return op(index); }); });
    return box;
}

QLineEdit* NetworkSettingsDialog::addText(QFormLayout* form, int captionId,
                                          const QString& objectName,
                                          std::function<EditResult(const std::u16string&)> op) {
    QLineEdit* edit = AddLabelledEdit(this, form, Caption(session(), captionId), objectName);
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit, op = std::move(op)](const QString& text) {
                ShowEditResult(context_.ws, edit, op(ToU16(text)));
                refresh();
            });
    return edit;
}

NetworkSettingsDialog::NetworkSettingsDialog(SheetContext& context, QWidget* parent)
    : SettingsDialogBase(context, parent, QStringLiteral("NETWORK_SETTINGS_DLG"), kTitleId),
      copy_(OpenNetworkDialog(context.session)) {
    use_ = makeCheck(Caption(session(), kUseId), QStringLiteral("useNetwork"),
                     [this](bool on) { return SetNetworkFlag(copy_, NetFlag::Use, on); });
    dhcp_ = makeCheck(Caption(session(), kDhcpId), QStringLiteral("dhcp"),
                      [this](bool on) { return SetNetworkFlag(copy_, NetFlag::Dhcp, on); });
    auto* ip = new QFormLayout;
    for (int a = 0; a < kNetAddressCount; ++a) {
        const QString caption = Caption(session(), kAddressIds[a]);
        auto* row = new QHBoxLayout;
        for (int part = 0; part < 4; ++part) {
            auto* box = new QSpinBox(this);
            box->setRange(0, 255);
            box->setObjectName(
                QStringLiteral("%1%2").arg(QLatin1String(kAddressNames[a])).arg(part + 1));
            box->setAccessibleName(caption.trimmed() + QStringLiteral(" %1").arg(part + 1));
            addresses_[static_cast<std::size_t>(a)][static_cast<std::size_t>(part)] = box;
            row->addWidget(box);
            connect(box, &QSpinBox::valueChanged, this, [this, a, part](int value) {
                apply(
                    [&] { return SetAddressPart(copy_, static_cast<NetAddress>(a), part, value); });
            });
        }
        auto* label = new QLabel(caption, this);
        label->setBuddy(addresses_[static_cast<std::size_t>(a)][0]);
        if (a == 1) ip->addRow(dhcp_);
        ip->addRow(label, row);
        if (a == 0)
            port_ = addText(ip, kPortId, QStringLiteral("serverPort"),
                            [this](const std::u16string& t) { return EditServerPort(copy_, t); });
    }

    auto* wifi = new QFormLayout;
    ssid_ = addText(wifi, kSsidId, QStringLiteral("ssid"),
                    [this](const std::u16string& t) { return EditSsid(copy_, t); });
    encryption_ = addList(wifi, kEncryptionId, QStringLiteral("encryption"),
                          [this](int i) { return SelectEncryption(copy_, i); });
    wep_ = new QGroupBox(QStringLiteral("WEP"), this);
    wep_->setObjectName(QStringLiteral("wep"));
    auto* wepForm = new QFormLayout(wep_);
    authentication_ =
        addList(wepForm, kAuthenticationId, QStringLiteral("wepAuthentication"),
                [this](int i) { return SelectWepSetting(copy_, WepList::Authentication, i); });
    keyLength_ = addList(wepForm, kKeyLengthId, QStringLiteral("wepKeyLength"),
                         [this](int i) { return SelectWepSetting(copy_, WepList::KeyLength, i); });
    activeKey_ = addList(wepForm, kActiveKeyId, QStringLiteral("activeWepKey"),
                         [this](int i) { return SelectWepSetting(copy_, WepList::ActiveKey, i); });
    for (int k = 0; k < kWepKeyCount; ++k)
        wepKeys_[static_cast<std::size_t>(k)] =
            Display(wep_, wepForm, Caption(session(), kKeyId) + QString::number(k + 1),
                    QStringLiteral("wepKey%1").arg(k + 1));
    wifi->addRow(wep_);
    wpaKey_ = Display(this, wifi, Caption(session(), kWpaKeyId), QStringLiteral("wpaKey"));
    eapLogin_ =
        addText(wifi, kLoginId, QStringLiteral("eapLogin"),
                [this](const std::u16string& t) { return EditEapText(copy_, EapText::Login, t); });
    eapPassword_ = addText(
        wifi, kPasswordId, QStringLiteral("eapPassword"),
        [this](const std::u16string& t) { return EditEapText(copy_, EapText::Password, t); });

    content_->addWidget(use_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(ip);
    columns->addSpacing(16);
    columns->addLayout(wifi);
    content_->addLayout(columns);
    refresh();
}

void NetworkSettingsDialog::refresh() {
    const NetworkDialogView v = ViewNetworkDialog(session(), copy_);
    for (auto [box, on, enabled] :
         {std::tuple{use_, v.use, true}, {dhcp_, v.dhcp, v.dhcpEnabled}}) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
        box->setEnabled(enabled);
    }
    for (std::size_t a = 0; a < addresses_.size(); ++a)
        for (std::size_t part = 0; part < 4; ++part) {
            QSpinBox* box = addresses_[a][part];
            const QSignalBlocker blocker(box);
            box->setValue(v.addresses[a].parts[part]);
            box->setEnabled(v.addresses[a].enabled);
        }
    FillEdit(port_, ToQString(v.serverPort), v.serverPortEnabled);
    FillEdit(ssid_, ToQString(v.ssid), v.ssidEnabled);
    FillList(encryption_, v.encryption);
    wep_->setEnabled(v.wepEnabled);
    FillList(authentication_, v.wepAuthentication);
    FillList(keyLength_, v.wepKeyLength);
    FillList(activeKey_, v.activeWepKey);
    for (std::size_t k = 0; k < wepKeys_.size(); ++k)
        FillEdit(wepKeys_[k], ToQString(v.wepKeys[k]), v.wepEnabled);
    FillEdit(wpaKey_, ToQString(v.wpaKey), v.wpaEnabled);
    FillEdit(eapLogin_, ToQString(v.eapLogin), v.eapEnabled);
    FillEdit(eapPassword_, ToQString(v.eapPassword), v.eapEnabled);
}

void NetworkSettingsDialog::accept() {
    ConfirmNetworkDialog(session(), copy_);
    QDialog::accept();
}

}  // namespace fw::editor::ui
