#include "shell/aboutbox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "model/language.h"
#include "shell/linklabel.h"
#include "shell/messagebox.h"
#include "shell/resources.h"

namespace fw {

namespace {

constexpr int kFirmwareMajor = 5;
constexpr int kFirmwareMinor = 0;
constexpr int kAboutLogoWidth = 97;
constexpr int kAboutLogoHeight = 32;
constexpr int kAboutLogoX = 20;
constexpr int kLogoGap = 2;
constexpr int kVersionTextId = 1786;  // "Версия %1"
constexpr int kFirmwareTextId = 1787;  // "Работает с прошивками версий tlvn%1 и выше"
constexpr int kYearTextId = 1788;     // "%1 г."
constexpr int kSupportTextId = 1789;  // "Поддержка и сопровождение:"
constexpr int kMailTipTextId = 1790;  // "Отправить письмо в техническую поддержку"
constexpr int kSiteTipTextId = 1791;  // "Открыть сайт Tolvane"

QLabel* Label(const QString& text, int controlId, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (controlId != 0) label->setObjectName(QString::number(controlId));
    return label;
}

}  // namespace

AboutBox::AboutBox(const VersionInfo& version, const Language& language, QWidget* parent)
    : QDialog(parent) {
    auto text = [&language](int id) { return ToQString(LoadUiString(language, id)); };
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Formwright M740"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    auto* name = Label(QStringLiteral("M740 Formwright"), 0, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    auto* versionLabel = Label(text(kVersionTextId).arg(version.versionLabel), 1037, this);
    const QString firmwareVersion =
        QStringLiteral("%1.%2").arg(kFirmwareMajor).arg(kFirmwareMinor, 2, 10, QLatin1Char('0'));
    auto* firmware = Label(text(kFirmwareTextId).arg(firmwareVersion), 1038, this);
    auto* year = Label(text(kYearTextId).arg(version.releaseYear), 1049, this);
    supportLabel_ = Label(text(kSupportTextId), 0, this);

    const QString mail = QString::fromUtf16(kSupportMail);
    mailLink_ =
        new LinkLabel(mail, QUrl(QStringLiteral("mailto:") + mail), text(kMailTipTextId), this);
    mailLink_->setObjectName(QStringLiteral("1029"));
    const QString site = QString::fromUtf16(kSupportSite);
    siteLink_ = new LinkLabel(site, QUrl(site), text(kSiteTipTextId), this);
    siteLink_->setObjectName(QStringLiteral("1030"));
    for (LinkLabel* link : {mailLink_, siteLink_}) {
        connect(link, &LinkLabel::openFailed, this, [this, &language](const QUrl& target) {
            ShowCannotOpen(language, target.toDisplayString());
        });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto* headText = new QVBoxLayout;
    headText->addWidget(name);
    headText->addWidget(versionLabel);
    headText->addWidget(firmware);
    headText->addWidget(year);
    head->addLayout(headText, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addWidget(supportLabel_);
    // Room for the logo that is painted below the support label.
    layout->addSpacing(kLogoGap + kAboutLogoHeight + 6);
    auto* links = new QVBoxLayout;
    links->addWidget(mailLink_, 0, Qt::AlignLeft);
    links->addWidget(siteLink_, 0, Qt::AlignLeft);
    layout->addLayout(links);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    const int top = supportLabel_->geometry().bottom() + 1 + kLogoGap;
    LogoRenderer().render(&painter, QRectF(kAboutLogoX, top, kAboutLogoWidth, kAboutLogoHeight));
}

}  // namespace fw
