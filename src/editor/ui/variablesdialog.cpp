#include "editor/ui/variablesdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

constexpr int kTitleId = 1548;
constexpr int kResetId = 1559;

}  // namespace

VariableNamesDialog::VariableNamesDialog(SheetContext& context, QWidget* parent)
    : SettingsDialogBase(context, parent, QStringLiteral("VARIABLESDLG"), kTitleId),
      copy_(OpenVariablesDialog(context.session)) {
    auto* form = new QFormLayout;
    for (int v = 1; v <= kVariableCount; ++v) {
        QLineEdit* edit = AddLabelledEdit(this, form, QStringLiteral("%1").arg(v),
                                          QStringLiteral("variable%1").arg(v));
        edit->setAccessibleName(windowTitle() + QStringLiteral(" %1").arg(v));
        names_[static_cast<std::size_t>(v - 1)] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, edit, v](const QString& text) {
            ShowEditResult(context_.ws, edit, EditVariableName(copy_, v, ToU16(text)));
        });
    }
    content_->addLayout(form);
    auto* reset = MakeButton(this, Caption(session(), kResetId), QStringLiteral("reset"));
    connect(reset, &QPushButton::clicked, this, [this] {
        ResetVariableNames(copy_);
        refresh();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(reset);
    row->addStretch();
    content_->addLayout(row);
    refresh();
}

void VariableNamesDialog::refresh() {
    const auto names = ViewVariablesDialog(copy_);
    for (std::size_t i = 0; i < names_.size(); ++i)
        FillEdit(names_[i], ToQString(names[i]), true);
}

void VariableNamesDialog::accept() {
    if (RunOperation(context_.ws, [&](Answer) { return ConfirmVariablesDialog(session(), copy_); }))
        QDialog::accept();
}

}  // namespace fw::editor::ui
