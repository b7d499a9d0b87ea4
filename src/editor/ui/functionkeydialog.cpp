#include "editor/ui/functionkeydialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSignalBlocker>

namespace fw::editor::ui {
namespace {

constexpr int kTitleId = 1557;
constexpr int kEnableId = 1558;

}  // namespace

FunctionKeyMappingDialog::FunctionKeyMappingDialog(SheetContext& context, QWidget* parent)
    : SettingsDialogBase(context, parent, QStringLiteral("FUNCTIONKEYDLG"), kTitleId),
      copy_(OpenFunctionKeyDialog(context.session)) {
    enabled_ = makeCheck(Caption(session(), kEnableId), QStringLiteral("enableMappings"),
                         [this](bool on) { return SetFunctionKeysEnabled(copy_, on); });
    content_->addWidget(enabled_);
    auto* form = new QFormLayout;
    for (int k = 0; k < kFnKeyCount; ++k) {
        QComboBox* box = AddLabelledList(this, form, QStringLiteral("FN+%1").arg(k + 1),
                                         QStringLiteral("fnKey%1").arg(k + 1));
        keys_[static_cast<std::size_t>(k)] = box;
        connect(box, &QComboBox::currentIndexChanged, this, [this, k](int index) {
            apply([&] { return SelectFunctionKey(copy_, k, index); });
        });
    }
    content_->addLayout(form);
    refresh();
}

void FunctionKeyMappingDialog::refresh() {
    const FunctionKeyDialogView view = ViewFunctionKeyDialog(session(), copy_);
    {
        const QSignalBlocker blocker(enabled_);
        enabled_->setChecked(view.enabled);
    }
    for (std::size_t k = 0; k < keys_.size(); ++k)
        FillList(keys_[k], view.keys[k]);
}

void FunctionKeyMappingDialog::accept() {
    ConfirmFunctionKeyDialog(session(), copy_);
    QDialog::accept();
}

}  // namespace fw::editor::ui
