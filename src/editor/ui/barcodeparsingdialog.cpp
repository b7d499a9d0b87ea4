#include "editor/ui/barcodeparsingdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

constexpr int kTitleId = 1252;
constexpr int kFormId = 1253, kLineId = 1254;
constexpr int kWeightId = 1255, kWeightTargetId = 1256, kKeepId = 1257;
constexpr int kItemId = 1261, kTargetId = 1263;
constexpr int kFieldColumnId = 1264, kTypeColumnId = 1265, kRemoveAllId = 1266;

}  // namespace

BarcodeParsingSettingsDialog::BarcodeParsingSettingsDialog(SheetContext& context, QWidget* parent)
    : EditorDialog(context, parent, QStringLiteral("PARSEBARCODESETTINGSDLG"),
                   ToQString(UiText(context.session, kTitleId))),
      dialog_(OpenBarcodeParsingDialog(context.session)) {
    place_ = new QLabel(this);
    place_->setObjectName(QStringLiteral("place"));
    lists_->addRow(place_);

    // The weight rule: its box, the line that receives the weight, what the source keeps.
    weight_ = new QCheckBox(text(kWeightId), this);
    weight_->setObjectName(QStringLiteral("weightRule"));
    weight_->setAccessibleName(weight_->text());
    lists_->addRow(weight_);
    connect(weight_, &QCheckBox::toggled, this,
            [this](bool on) { run([&](Answer) { return SetWeightRule(session(), on); }); });
    weightTarget_ =
        addList(text(kWeightTargetId), QStringLiteral("weightTarget"),
                [](EditingSession& s, int i, Answer) { return SelectWeightTarget(s, i); });
    keep_ = addList(text(kKeepId), QStringLiteral("keepInSource"),
                    [](EditingSession& s, int i, Answer) { return SelectWeightSourceKeep(s, i); });

    // The GS1 items: which one, into which line, and the rules made so far.
    item_ = addList(text(kItemId), QStringLiteral("gs1Item"),
                    [this](EditingSession&, int i, Answer) { return SelectGs1Item(dialog_, i); });
    description_ = new QLabel(this);
    description_->setObjectName(QStringLiteral("gs1Description"));
    lists_->addRow(description_);
    target_ = addList(
        text(kTargetId), QStringLiteral("gs1Target"),
        [this](EditingSession& s, int i, Answer) { return SelectGs1Target(s, dialog_, i); });
    auto* buttons = new QHBoxLayout;
    add_ = addButton(QStringLiteral("+"), QStringLiteral("addRule"), text(kTargetId),
                     [this] { run([this](Answer) { return AddGs1Rule(session(), dialog_); }); });
    remove_ = addButton(QStringLiteral("-"), QStringLiteral("removeRules"), QString(),
                        [this] { removeSelected(); });
    removeAll_ = addButton(text(kRemoveAllId), QStringLiteral("removeAllRules"), QString(), [this] {
        run([this](Answer) { return RemoveAllGs1Rules(session()); });
    });
    for (QPushButton* b : {add_, remove_, removeAll_})
        buttons->addWidget(b);
    buttons->addStretch();
    lists_->addRow(buttons);

    rules_ = new QTreeWidget(this);
    rules_->setObjectName(QStringLiteral("gs1Rules"));
    rules_->setAccessibleName(text(kTitleId));
    rules_->setRootIsDecorated(false);
    rules_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rules_->setHeaderLabels({text(kFieldColumnId), text(kTypeColumnId)});
    rules_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    rules_->header()->setStretchLastSection(true);
    lists_->addRow(rules_);
    // Delete removes the selected rows, as "-" does.
    rules_->installEventFilter(this);
    refresh();
}

QString BarcodeParsingSettingsDialog::text(int id) {
    return ToQString(UiText(session(), id));
}

QPushButton* BarcodeParsingSettingsDialog::addButton(const QString& caption,
                                                     const QString& objectName,
                                                     const QString& accessibleName,
                                                     std::function<void()> onClick) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAccessibleName(accessibleName.isEmpty() ? caption : accessibleName);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, std::move(onClick));
    return button;
}

void BarcodeParsingSettingsDialog::run(const std::function<Outcome(Answer)>& op) {
    RunOperation(context_.ws, op);
    refresh();
}

bool BarcodeParsingSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rules_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeSelected();
        return true;
    }
    return EditorDialog::eventFilter(watched, event);
}

void BarcodeParsingSettingsDialog::removeSelected() {
    std::vector<int> rows;
    for (int i = 0; i < rules_->topLevelItemCount(); ++i)
        if (rules_->topLevelItem(i)->isSelected()) rows.push_back(i);
    run([&](Answer) { return RemoveGs1Rules(session(), rows); });
}

void BarcodeParsingSettingsDialog::refresh() {
    const BarcodeParsingView v = ViewBarcodeParsing(session(), dialog_);
    place_->setText(QStringLiteral("%1 %2    %3 %4")
                        .arg(text(kFormId))
                        .arg(v.formNumber)
                        .arg(text(kLineId))
                        .arg(v.lineNumber));
    {
        const QSignalBlocker blocker(weight_);
        weight_->setChecked(v.weightRule);
        weight_->setEnabled(v.weightRuleEnabled);
    }
    FillList(weightTarget_, v.weightTarget);
    FillList(keep_, v.keepInSource);
    // The 234 items never change; only the choice and whether it may be made.
    if (item_->count() != static_cast<int>(v.gs1Item.entries.size())) {
        FillList(item_, v.gs1Item);
    } else {
        const QSignalBlocker blocker(item_);
        item_->setCurrentIndex(v.gs1Item.selected);
        item_->setEnabled(v.gs1Item.enabled);
    }
    description_->setText(ToQString(v.gs1Description));
    description_->setEnabled(v.gs1Item.enabled);
    FillList(target_, v.gs1Target);
    add_->setEnabled(v.addEnabled);
    removeAll_->setEnabled(v.removeAllEnabled);
    rules_->clear();
    for (const Gs1RuleRow& row : v.rules)
        rules_->addTopLevelItem(
            new QTreeWidgetItem(QStringList{QString::number(row.target), ToQString(row.item)}));
}

void BarcodeParsingSettingsDialog::restore() {
    CancelBarcodeParsingDialog(session(), dialog_);
}

}  // namespace fw::editor::ui
