#include "editor/ui/sheetpage.h"

#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "model/workspace.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {

bool RunOperation(Workspace& ws, const std::function<Outcome(Answer)>& operation) {
    Outcome outcome = operation(Answer::None);
    if (outcome.Asks()) {
        const int pressed =
            ShowText(ws, kWarningCaption, outcome.text, outcome.icon, outcome.buttons);
        outcome = operation(pressed == kIdYes ? Answer::Yes : Answer::No);
    }
    if (outcome.Refused() && !outcome.text.empty())
        ShowText(ws,
                 outcome.caption.empty() ? std::u16string_view(kWarningCaption) : outcome.caption,
                 outcome.text, outcome.icon, outcome.buttons);
    return outcome.Accepted();
}

void FillList(QComboBox* box, const ListView& view) {
    const QSignalBlocker blocker(box);
    box->clear();
    for (const ListEntry& entry : view.entries)
        box->addItem(ToQString(entry.text), entry.code);
    box->setCurrentIndex(view.selected);
    box->setEnabled(view.enabled);
}

QComboBox* AddLabelledList(QWidget* parent, QFormLayout* layout, const QString& caption,
                           const QString& objectName) {
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setAccessibleName(caption.trimmed());
    auto* label = new QLabel(caption, parent);
    label->setBuddy(box);
    layout->addRow(label, box);
    return box;
}

}  // namespace fw::editor::ui
