#include "editor/ui/securitydialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QSignalBlocker>

#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

constexpr int kTitleId = 1555;
constexpr int kPasswordId = 1556;

}  // namespace

SecuritySettingsDialog::SecuritySettingsDialog(SheetContext& context, QWidget* parent)
    : SettingsDialogBase(context, parent, QStringLiteral("SECURITYDLG"), kTitleId),
      copy_(OpenSecurityDialog(context.session)) {
    const SecurityDialogView view = ViewSecurityDialog(copy_);
    auto* grid = new QGridLayout;
    for (int i = 0; i < kSecurityFlagCount; ++i) {
        QCheckBox* box = makeCheck(ToQString(view.flags[static_cast<std::size_t>(i)].caption),
                                   QStringLiteral("protect%1").arg(i + 1),
                                   [this, i](bool on) { return SetSecurityFlag(copy_, i, on); });
        flags_[static_cast<std::size_t>(i)] = box;
        grid->addWidget(box, i % 8, i / 8);
    }
    content_->addLayout(grid);
    auto* form = new QFormLayout;
    password_ =
        AddLabelledEdit(this, form, Caption(session(), kPasswordId), QStringLiteral("password"));
    content_->addLayout(form);
    connect(password_, &QLineEdit::textEdited, this, [this](const QString& text) {
        ShowEditResult(context_.ws, password_, EditPassword(session(), copy_, ToU16(text)));
        refresh();
    });
    refresh();
}

void SecuritySettingsDialog::refresh() {
    const SecurityDialogView view = ViewSecurityDialog(copy_);
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        const QSignalBlocker blocker(flags_[i]);
        flags_[i]->setChecked(view.flags[i].checked);
        flags_[i]->setEnabled(view.flags[i].enabled);
    }
    FillEdit(password_, ToQString(view.password), true);
}

void SecuritySettingsDialog::accept() {
    ConfirmSecurityDialog(session(), copy_);
    QDialog::accept();
}

}  // namespace fw::editor::ui
