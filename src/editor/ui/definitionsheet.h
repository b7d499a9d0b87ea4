// The definition sheet: a modal window with one tab per page, OK and Cancel. It edits a
// working copy of the definition; OK commits it, Cancel drops it.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "editor/ui/sheetpage.h"

class QTabWidget;

namespace fw {
class MainWindow;
}

namespace fw::editor::ui {

class DefinitionSheet : public QDialog {
    Q_OBJECT
  public:
    DefinitionSheet(Workspace& ws, QWidget* parent);
    ~DefinitionSheet() override;

    void accept() override;
    // Every page, and every dialog open over them, re-reads the working copies.
    void refreshAll();
    QTabWidget* tabs() const { return tabs_; }
    const EditingSession& editingSession() const { return session_; }
    EditingSession& editingSession() { return session_; }

  private:
    Workspace& ws_;
    EditingSession session_;
    SheetContext context_;
    QTabWidget* tabs_ = nullptr;
    std::vector<SheetPage*> pages_;
};

// Each page of the sheet in order; a new page is one more entry.
using PageFactory = std::function<SheetPage*(SheetContext&, QWidget* parent)>;
const std::vector<PageFactory>& SheetPages();

// Runs the sheet modally over the owner; returns QDialog::Accepted when it was committed.
int OpenDefinitionSheet(Workspace& ws, QWidget* owner);
// Makes "Edit" (Ctrl+E) of the main window open the sheet.
void InstallDefinitionSheet(MainWindow& window);

}  // namespace fw::editor::ui
