// The main window: the terminal picture cut to its outline, the command menu, the accelerators
// and every command of the program. It owns the workspace (settings, language, the one
// definition and the project being edited) for the whole run.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "model/projectcommands.h"
#include "model/workspace.h"
#include "shell/messagebox.h"
#include "shell/version.h"

class QMenu;

namespace fw {

class ClientWindow;
class ProjectDialogs;
class TransferCommands;

struct ShellOptions {
    std::filesystem::path programDirectory;
    std::u16string commandLine;
};

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // Commands whose work lives elsewhere (the definition editor, the loader, the SD-card
    // export) are connected through handlers; an id without one does nothing.
    using CommandHandler = std::function<void(QWidget* owner)>;

    explicit MainWindow(const ShellOptions& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    Workspace& workspace() { return ws_; }
    QMenu* popupMenu() const { return menu_; }
    ClientWindow* client() const { return client_; }
    const VersionInfo& version() const { return version_; }

    bool definitionModified() const { return ws_.definitionModified; }
    // Sets the unsaved-changes mark and shows it in the title and the picture's tooltip.
    void setDefinitionModified(bool modified);

    void setCommandHandler(int id, CommandHandler handler);
    // Runs a command as the menu or an accelerator does; ignored while a transfer runs.
    void command(int id);
    // The save question before the definition is replaced: the button pressed (kIdYes,
    // kIdNo, kIdCancel); Yes has saved the project.
    int promptSaveChanges();
    bool transferRunning() const { return transferRunning_; }

    // The popup menu as the current language and recent files make it.
    void rebuildPopupMenu();
    // Places the window at the point, above other windows when AlwaysOnTop is set.
    void placeWindow(const QPoint& at);
    // Shows which project is loaded and whether it has unsaved changes: the window title
    // ("stock.FWW* - Formwright") and the tooltip of the picture (the full path).
    void refreshProjectMarks();
    // The command menu opened from the keyboard (Shift+F10, the Menu key): at the window, its
    // first item active, so that the arrows and Enter work at once.
    void showMenuFromKeyboard();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void runCommand(int id);
    void createAccelerators();
    void openDefinitionSheet();
    void openStartupProject();
    void newProject();
    void openProject();
    void openRecentFile(int index);
    void saveProject(bool saveAs);
    void preferences();
    void about();
    void transfer(int id);

    Workspace ws_;
    std::filesystem::path startupProject_;  // opened by the command posted at start
    QtMessagePresenter presenter_;
    std::unique_ptr<ProjectDialogs> dialogs_;
    std::unique_ptr<TransferCommands> transfers_;
    VersionInfo version_;
    bool transferRunning_ = false;
    ClientWindow* client_ = nullptr;
    QMenu* menu_ = nullptr;
    std::map<int, CommandHandler> handlers_;
};

}  // namespace fw
