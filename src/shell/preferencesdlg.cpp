#include "shell/preferencesdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "model/defaults.h"
#include "model/language.h"
#include "model/projectcommands.h"
#include "model/settings.h"
#include "shell/comdevice.h"
#include "shell/messagebox.h"
#include "shell/numberedit.h"

namespace fw {

namespace {

constexpr int kSerialSppTextId = 1529;  // "Serial-SPP"
constexpr int kFirstBaudTextId = 1501;  // "115200 bps" ... "9600 bps"
constexpr int kTitleId = 11;
constexpr int kDownloadLabelId = 12;       // then receive, COM port, baud rate, auto-preload,
                                           // always-on-top and language, 12..18
constexpr int kNetworkPortLabelId = 1784;  // "Сетевой порт:"
constexpr int kExtraTimeoutLabelId = 1785;  // "&Дополнительный таймаут (0 ~ 30 сек.):"
constexpr int kOkId = 1218;
constexpr int kCancelId = 1219;
constexpr int kMaxComPort = 255;
constexpr int kMaxNetworkPort = 65535;
constexpr int kMaxExtraTimeout = 30;

QString UiText(const Workspace& ws, int id) {
    return ToQString(LoadUiString(ws.language, id));
}

// The language file's text for the id when a language is in force and has one.
void Translate(const Workspace& ws, int id, const std::function<void(const QString&)>& set) {
    if (!ws.language.loaded || id >= kLanguageTableSize) return;
    const std::u16string& text = ws.language.table[static_cast<std::size_t>(id)];
    if (!text.empty()) set(ToQString(text.substr(0, kUiTextMax)));
}

QComboBox* LinkCombo(const Workspace& ws, int selected, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->addItems(
        {QStringLiteral("RS-232/USB VCOM"), UiText(ws, kSerialSppTextId), QStringLiteral("Wi-Fi")});
    combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : 0);
    return combo;
}

}  // namespace

PreferencesDlg::PreferencesDlg(Workspace& ws, QWidget* parent) : QDialog(parent), ws_(ws) {
    setObjectName(QStringLiteral("PreferencesDlg"));
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(true);

    ReadSettings(ws_.settings, ws_.programDirectory);
    // A language file added or removed while the program runs is listed as it is now.
    ScanLanguageFiles(ws_.language, ws_.programDirectory);
    const Settings& s = ws_.settings;

    downloadLink_ = LinkCombo(ws_, s.downloadLinkType, this);
    downloadLink_->setObjectName(QStringLiteral("downloadLink"));
    uploadLink_ = LinkCombo(ws_, s.uploadLinkType, this);
    uploadLink_->setObjectName(QStringLiteral("uploadLink"));

    comPort_ = new NumberEdit(1, kMaxComPort, 1, this);
    comPort_->setObjectName(QStringLiteral("comPort"));
    comPort_->setValue(s.comPort);
    comDevice_ = new QLabel(this);
    comDevice_->setObjectName(QStringLiteral("comDevice"));
    comDevice_->setTextFormat(Qt::PlainText);

    baudRate_ = new QComboBox(this);
    baudRate_->setObjectName(QStringLiteral("baudRate"));
    for (int i = 0; i < static_cast<int>(std::size(kBaudRates)); ++i)
        baudRate_->addItem(UiText(ws_, kFirstBaudTextId + i));
    baudRate_->setCurrentIndex(s.baudRateIndex < baudRate_->count() ? s.baudRateIndex : 0);

    networkPort_ = new NumberEdit(1, kMaxNetworkPort, kMaxNetworkPort, this);
    networkPort_->setObjectName(QStringLiteral("networkPort"));
    networkPort_->setValue(s.networkPort);
    extraTimeout_ = new NumberEdit(0, kMaxExtraTimeout, 0, this);
    extraTimeout_->setObjectName(QStringLiteral("extraTimeout"));
    extraTimeout_->setValue(s.extraTimeout);

    autoPreload_ = new QCheckBox(QStringLiteral("&Auto-preload the last editing file."), this);
    autoPreload_->setObjectName(QStringLiteral("autoPreload"));
    autoPreload_->setChecked(s.autoPreloadLast != 0);
    alwaysOnTop_ = new QCheckBox(QStringLiteral("Always &on top."), this);
    alwaysOnTop_->setObjectName(QStringLiteral("alwaysOnTop"));
    alwaysOnTop_->setChecked(s.alwaysOnTop != 0);

    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("language"));
    language_->addItem(QStringLiteral("Default <English>"));
    int selectedLanguage = 0;
    for (const LanguageEntry& entry : ws_.language.list) {
        language_->addItem(ToQString(entry.name));
        if (entry.name == s.languageName) selectedLanguage = language_->count() - 1;
    }
    language_->setCurrentIndex(selectedLanguage);

    auto* downloadLabel = new QLabel(QStringLiteral("&Download via :"), this);
    auto* uploadLabel = new QLabel(QStringLiteral("&Receive data via :"), this);
    comPortLabel_ = new QLabel(QStringLiteral("&COM port (1 ~ 255) :"), this);
    baudRateLabel_ = new QLabel(QStringLiteral("&Baud rate :"), this);
    networkPortLabel_ = new QLabel(UiText(ws_, kNetworkPortLabelId), this);
    auto* timeoutLabel = new QLabel(UiText(ws_, kExtraTimeoutLabelId), this);
    languageLabel_ = new QLabel(QStringLiteral("&Language :"), this);
    downloadLabel->setBuddy(downloadLink_);
    uploadLabel->setBuddy(uploadLink_);
    comPortLabel_->setBuddy(comPort_);
    baudRateLabel_->setBuddy(baudRate_);
    networkPortLabel_->setBuddy(networkPort_);
    timeoutLabel->setBuddy(extraTimeout_);
    languageLabel_->setBuddy(language_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &PreferencesDlg::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (ws_.language.loaded) {
        Translate(ws_, kTitleId, [this](const QString& t) { setWindowTitle(t); });
        QLabel* labels[] = {downloadLabel, uploadLabel, comPortLabel_, baudRateLabel_};
        for (int i = 0; i < 4; ++i)
            Translate(ws_, kDownloadLabelId + i, [&](const QString& t) { labels[i]->setText(t); });
        Translate(ws_, kDownloadLabelId + 4,
                  [this](const QString& t) { autoPreload_->setText(t); });
        Translate(ws_, kDownloadLabelId + 5,
                  [this](const QString& t) { alwaysOnTop_->setText(t); });
        Translate(ws_, kDownloadLabelId + 6,
                  [this](const QString& t) { languageLabel_->setText(t); });
        Translate(ws_, kOkId,
                  [this](const QString& t) { buttons_->button(QDialogButtonBox::Ok)->setText(t); });
        Translate(ws_, kCancelId, [this](const QString& t) {
            buttons_->button(QDialogButtonBox::Cancel)->setText(t);
        });
    }

    auto* comRow = new QHBoxLayout;
    comRow->addWidget(comPort_);
    comRow->addWidget(comDevice_, 1);
    auto* form = new QFormLayout;
    form->addRow(downloadLabel, downloadLink_);
    form->addRow(uploadLabel, uploadLink_);
    form->addRow(comPortLabel_, comRow);
    form->addRow(baudRateLabel_, baudRate_);
    form->addRow(networkPortLabel_, networkPort_);
    form->addRow(timeoutLabel, extraTimeout_);
    form->addRow(languageLabel_, language_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(autoPreload_);
    layout->addWidget(alwaysOnTop_);
    layout->addWidget(buttons_);
    // One size, the one its texts need: the dialog cannot be dragged into odd shapes.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A screen reader names a list by its label, not by the entry it shows.
    for (QLabel* label : {downloadLabel, uploadLabel, baudRateLabel_, languageLabel_}) {
        QString name = label->text();
        name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        label->buddy()->setAccessibleName(name.trimmed());
    }

    const bool haveLanguages = !ws_.language.list.empty();
    languageLabel_->setEnabled(haveLanguages);
    language_->setEnabled(haveLanguages);

    connect(downloadLink_, &QComboBox::currentIndexChanged, this, &PreferencesDlg::UpdateEnabling);
    connect(uploadLink_, &QComboBox::currentIndexChanged, this, &PreferencesDlg::UpdateEnabling);
    connect(comPort_, &NumberEdit::valueChanged, this, &PreferencesDlg::UpdateComDevice);
    UpdateEnabling();
    UpdateComDevice();
}

void PreferencesDlg::UpdateEnabling() {
    const bool downloadWifi = downloadLink_->currentIndex() == kLinkWifi;
    const bool uploadWifi = uploadLink_->currentIndex() == kLinkWifi;
    const bool serial = !(downloadWifi && uploadWifi);
    for (QWidget* w : {static_cast<QWidget*>(comPort_), static_cast<QWidget*>(comPortLabel_),
                       static_cast<QWidget*>(comDevice_), static_cast<QWidget*>(baudRate_),
                       static_cast<QWidget*>(baudRateLabel_)})
        w->setEnabled(serial);
    networkPort_->setEnabled(downloadWifi || uploadWifi);
    networkPortLabel_->setEnabled(downloadWifi || uploadWifi);
}

void PreferencesDlg::UpdateComDevice() {
    comDevice_->setText(ComPortDeviceText(comPort_->value(), ws_.programDirectory));
}

void PreferencesDlg::accept() {
    Settings& s = ws_.settings;
    s.downloadLinkType = static_cast<std::uint8_t>(downloadLink_->currentIndex());
    s.uploadLinkType = static_cast<std::uint8_t>(uploadLink_->currentIndex());
    s.comPort = comPort_->value();
    s.baudRateIndex = static_cast<std::uint8_t>(baudRate_->currentIndex());
    s.networkPort = networkPort_->value();
    s.extraTimeout = extraTimeout_->value();
    s.autoPreloadLast = autoPreload_->isChecked() ? 1 : 0;
    s.alwaysOnTop = alwaysOnTop_->isChecked() ? 1 : 0;
    const int languageIndex = language_->currentIndex();
    s.languageName = languageIndex > 0
                         ? ws_.language.list[static_cast<std::size_t>(languageIndex - 1)].name
                         : std::u16string(u"0");
    QDialog::accept();
    ApplyPreferences(ws_);
}

}  // namespace fw
