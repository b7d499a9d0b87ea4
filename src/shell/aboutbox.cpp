#include "shell/aboutbox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "shell/linklabel.h"
#include "shell/resources.h"

namespace fw {

namespace {

constexpr int kFirmwareMajor = 5;
constexpr int kFirmwareMinor = 0;
constexpr int kAboutLogoWidth = 97;
constexpr int kAboutLogoHeight = 32;
constexpr int kAboutLogoX = 20;
constexpr int kLogoGap = 2;

QLabel* Label(const QString& text, int controlId, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (controlId != 0) label->setObjectName(QString::number(controlId));
    return label;
}

}  // namespace

AboutBox::AboutBox(const VersionInfo& version, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Formwright M740"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* name = Label(QStringLiteral("M740 Formwright"), 0, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);

    auto* versionLabel = Label(QStringLiteral("Версия %1").arg(version.versionLabel), 1037, this);
    auto* firmware = Label(QStringLiteral("Работает с прошивками версий tlvn%1.%2 и выше")
                               .arg(kFirmwareMajor)
                               .arg(kFirmwareMinor, 2, 10, QLatin1Char('0')),
                           1038, this);
    auto* year = Label(QStringLiteral("%1 г.").arg(version.releaseYear), 1049, this);
    supportLabel_ = Label(QStringLiteral("Поддержка и сопровождение:"), 0, this);

    const QString mail = QString::fromUtf16(kSupportMail);
    mailLink_ = new LinkLabel(mail, QUrl(QStringLiteral("mailto:") + mail),
                              QStringLiteral("Отправить письмо в техническую поддержку"), this);
    mailLink_->setObjectName(QStringLiteral("1029"));
    const QString site = QString::fromUtf16(kSupportSite);
    siteLink_ = new LinkLabel(site, QUrl(site), QStringLiteral("Открыть сайт Tolvane"), this);
    siteLink_->setObjectName(QStringLiteral("1030"));

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
