// What every page of the definition sheet shares: the editing session, the message helper, and
// refresh(), which re-reads the working copies into the page's controls. A new page is one
// class derived from SheetPage and one line in the sheet's page list.
#pragma once

#include <QComboBox>
#include <QString>
#include <QWidget>
#include <functional>

#include "editor/outcome.h"
#include "editor/session.h"

class QFormLayout;

namespace fw {
struct Workspace;
}

namespace fw::editor::ui {

// What the pages and dialogs of one open sheet share.
struct SheetContext {
    EditingSession& session;
    Workspace& ws;
    // Every page re-reads the working copies (a dialog changed what other pages show).
    std::function<void()> refreshAll;
};

class SheetPage : public QWidget {
    Q_OBJECT
  public:
    SheetPage(SheetContext& context, QWidget* parent) : QWidget(parent), context_(context) {}
    // The tab's caption.
    virtual QString title() const = 0;
    // Fills every control from the working copies, with signals blocked.
    virtual void refresh() = 0;
    // The sheet's OK, before the working copies are committed: a page finishes its bytes.
    virtual void apply() {}

  protected:
    EditingSession& session() { return context_.session; }
    SheetContext& context_;
};

// The tab caption of page k (0 Form ... 5 Startup) in the session's language.
QString PageTitle(const EditingSession& session, int page);

// Runs one editing operation as the user asked for it: a question is asked and the operation
// run again with the answer; a refusal with a text is shown as a warning. Returns whether the
// change was made.
bool RunOperation(Workspace& ws, const std::function<Outcome(Answer)>& operation);

// Puts a list view into a combo box without telling anyone: entries, selection, enabled.
void FillList(QComboBox* box, const ListView& view);

// A combo box with its caption: the caption is its buddy (Alt+letter and screen readers) and
// its accessible name.
QComboBox* AddLabelledList(QWidget* parent, QFormLayout* layout, const QString& caption,
                           const QString& objectName);

}  // namespace fw::editor::ui
