#include "editor/ui/editordialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ui/captions.h"

namespace fw::editor::ui {

EditorDialog::EditorDialog(SheetContext& context, QWidget* parent, const QString& objectName,
                           const QString& title)
    : QDialog(parent), context_(context), snapshot_(TakeSnapshot(context.session)) {
    setObjectName(objectName);
    setWindowTitle(title);
    lists_ = new QFormLayout;
    column_ = new QVBoxLayout(this);
    column_->addLayout(lists_);
}

void EditorDialog::setVisible(bool visible) {
    // OK and Cancel are made after every control of the dialog, so that Tab and a screen
    // reader meet them last and the first list has the focus when the dialog opens.
    if (visible && buttons_ == nullptr) {
        buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons_->setObjectName(QStringLiteral("dialogButtons"));
        NameButtons(buttons_, context_.session);
        connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
        column_->addWidget(buttons_);
    }
    QDialog::setVisible(visible);
}

void NameButtons(QDialogButtonBox* buttons, const EditingSession& session) {
    buttons->button(QDialogButtonBox::Ok)->setText(Caption(session, caption::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(Caption(session, caption::kCancel));
}

void EditorDialog::reject() {
    restore();
    QDialog::reject();
}

void EditorDialog::restore() {
    RestoreSnapshot(context_.session, snapshot_);
}

QComboBox* EditorDialog::addList(const QString& caption, const QString& objectName,
                                 std::function<Outcome(EditingSession&, int, Answer)> op) {
    QComboBox* box = AddLabelledList(this, lists_, caption, objectName);
    connectList(box, std::move(op));
    return box;
}

void EditorDialog::connectList(QComboBox* box,
                               std::function<Outcome(EditingSession&, int, Answer)> op) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, op = std::move(op)](int index) {
        RunOperation(context_.ws, [&](Answer answer) { return op(session(), index, answer); });
        refresh();
    });
}

}  // namespace fw::editor::ui
