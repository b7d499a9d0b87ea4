#include "editor/ui/editordialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace fw::editor::ui {

EditorDialog::EditorDialog(SheetContext& context, QWidget* parent, const QString& objectName,
                           const QString& title)
    : QDialog(parent), context_(context), snapshot_(TakeSnapshot(context.session)) {
    setObjectName(objectName);
    setWindowTitle(title);
    lists_ = new QFormLayout;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(lists_);
    column->addWidget(buttons);
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
    connect(box, &QComboBox::currentIndexChanged, this, [this, op = std::move(op)](int index) {
        RunOperation(context_.ws, [&](Answer answer) { return op(session(), index, answer); });
        refresh();
    });
    return box;
}

}  // namespace fw::editor::ui
