// The about box: program name, version, the firmware it works with, the year and the two
// support links.
#pragma once

#include <QDialog>

#include "shell/version.h"

class QLabel;

namespace fw {

class LinkLabel;

inline constexpr char16_t kSupportMail[] = u"support@formwright.example";
inline constexpr char16_t kSupportSite[] = u"https://formwright.example/";

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(const VersionInfo& version, QWidget* parent = nullptr);

    LinkLabel* MailLink() const { return mailLink_; }
    LinkLabel* SiteLink() const { return siteLink_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLabel* supportLabel_;
    LinkLabel* mailLink_;
    LinkLabel* siteLink_;
};

}  // namespace fw
