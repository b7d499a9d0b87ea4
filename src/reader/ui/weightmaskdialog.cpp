#include "reader/ui/weightmaskdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "shell/messagebox.h"

namespace fw::reader::ui {
namespace {

using editor::Answer;
using editor::Outcome;

constexpr int kTitleId = 1267, kListId = 1268, kAddId = 1269, kRemoveId = 1270, kRemoveAllId = 1266,
              kMaskId = 1271;

}  // namespace

WeightMaskDialog::WeightMaskDialog(editor::ui::SheetContext& context, QWidget* parent)
    : EditorDialog(context, parent, QStringLiteral("WEIGHTBCMASKDLG"),
                   ToQString(editor::UiText(context.session, kTitleId))),
      dialog_(OpenWeightMaskDialog(context.session.working)) {
    mask_ = new QLineEdit(this);
    mask_->setObjectName(QStringLiteral("mask"));
    mask_->setMaxLength(static_cast<int>(kMaxWeightMaskChars));
    mask_->setAccessibleName(text(kMaskId));
    auto* maskLabel = new QLabel(text(kMaskId), this);
    maskLabel->setBuddy(mask_);
    lists_->addRow(maskLabel, mask_);
    // Enter in the edit adds the mask instead of closing the dialog.
    mask_->installEventFilter(this);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("masks"));
    list_->setAccessibleName(text(kListId));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* listLabel = new QLabel(text(kListId), this);
    listLabel->setBuddy(list_);
    lists_->addRow(listLabel);
    lists_->addRow(list_);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { mask_->setText(item->text()); });
    // Delete removes the selected masks, as "Удалить" does.
    list_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    auto button = [&](int id, const QString& name, auto onClick) {
        auto* b = new QPushButton(text(id), this);
        b->setObjectName(name);
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, onClick);
        buttons->addWidget(b);
    };
    button(kAddId, QStringLiteral("add"), [this] { add(); });
    button(kRemoveId, QStringLiteral("remove"), [this] { removeSelected(); });
    button(kRemoveAllId, QStringLiteral("removeAll"), [this] {
        RemoveAllWeightMasks(dialog_);
        refresh();
    });
    lists_->addRow(buttons);
    refresh();
}

QString WeightMaskDialog::text(int id) {
    return ToQString(editor::UiText(session(), id));
}

void WeightMaskDialog::add() {
    const std::u16string typed = ToU16(mask_->text());
    editor::ui::RunOperation(context_.ws,
                             [&](Answer answer) { return AddWeightMask(dialog_, typed, answer); });
    refresh();
}

bool WeightMaskDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return EditorDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == list_ && key == Qt::Key_Delete) {
        removeSelected();
        return true;
    }
    if (watched == mask_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        add();
        return true;
    }
    return EditorDialog::eventFilter(watched, event);
}

void WeightMaskDialog::removeSelected() {
    std::vector<int> rows;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->isSelected()) rows.push_back(i);
    RemoveWeightMasks(dialog_, rows);
    refresh();
}

void WeightMaskDialog::refresh() {
    list_->clear();
    for (const std::u16string& mask : dialog_.masks)
        list_->addItem(ToQString(mask));
}

void WeightMaskDialog::accept() {
    ConfirmWeightMaskDialog(session().working, dialog_);
    QDialog::accept();
}

void WeightMaskDialog::restore() {
    CancelWeightMaskDialog(session().working, dialog_);
}

int ShowWeightMaskDialog(editor::ui::SheetContext& context, QWidget* parent) {
    WeightMaskDialog dialog(context, parent);
    return dialog.exec();
}

}  // namespace fw::reader::ui
