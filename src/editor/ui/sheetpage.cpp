#include "editor/ui/sheetpage.h"

#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "editor/sheet.h"
#include "editor/ui/captions.h"
#include "model/workspace.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {

QString Caption(const EditingSession& session, int id) {
    return ToQString(UiText(session, id));
}

QString PageTitle(const EditingSession& session, int page) {
    return Caption(session, kFirstPageTitleId + page);
}

bool RunOperation(Workspace& ws, const std::function<Outcome(Answer)>& operation) {
    Outcome outcome = operation(Answer::None);
    if (outcome.Asks()) {
        const int pressed = ShowText(ws, kWarningCaption, outcome.text, outcome.icon,
                                     outcome.buttons, outcome.defaultButton);
        outcome = operation(pressed == kIdYes ? Answer::Yes : Answer::No);
    }
    if (outcome.Refused() && !outcome.text.empty())
        ShowText(ws,
                 outcome.caption.empty() ? std::u16string_view(kWarningCaption) : outcome.caption,
                 outcome.text, outcome.icon, outcome.buttons);
    return outcome.Accepted();
}

namespace {

bool ShowsEntries(const QComboBox* box, const std::vector<ListEntry>& entries) {
    if (box->count() != static_cast<int>(entries.size())) return false;
    for (int i = 0; i < box->count(); ++i) {
        const ListEntry& entry = entries[static_cast<std::size_t>(i)];
        if (box->itemData(i).toInt() != entry.code || box->itemText(i) != ToQString(entry.text))
            return false;
    }
    return true;
}

}  // namespace

void FillList(QComboBox* box, const ListView& view) {
    const QSignalBlocker blocker(box);
    // Most refreshes leave a list's entries as they were; only a changed list is rebuilt, so
    // that a page refresh after every change stays cheap.
    if (!ShowsEntries(box, view.entries)) {
        box->clear();
        for (const ListEntry& entry : view.entries)
            box->addItem(ToQString(entry.text), entry.code);
    }
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
