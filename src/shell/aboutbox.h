// The about box: program name, version, the firmware it works with, the year and the two
// support links.
#pragma once

#include <QDialog>

#include "shell/version.h"

class QLabel;

namespace fw {

class LinkLabel;
struct Language;

inline constexpr char16_t kSupportMail[] = u"support@formwright.example";
inline constexpr char16_t kSupportSite[] = u"https://formwright.example/";

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // Its texts follow the language; a link that no program can open is reported in it.
    AboutBox(const VersionInfo& version, const Language& language, QWidget* parent = nullptr);

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
