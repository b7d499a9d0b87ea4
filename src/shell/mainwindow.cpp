#include "shell/mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMetaObject>

#include "model/defaults.h"
#include "model/language.h"
#include "model/projectfile.h"
#include "model/settings.h"
#include "shell/aboutbox.h"
#include "shell/clientwindow.h"
#include "shell/commands.h"
#include "shell/preferencesdlg.h"
#include "shell/projectdialogs.h"
#include "shell/resources.h"
#include "shell/terminaloutline.h"
#include "shell/transfercommands.h"

namespace fw {

MainWindow::MainWindow(const ShellOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint) {
    setObjectName(QStringLiteral("Formwright"));
    setWindowTitle(QStringLiteral("Formwright"));
    setWindowIcon(ProgramIcon());
    ws_.presenter = &presenter_;
    ws_.recentFilesChanged = [this] { rebuildPopupMenu(); };
    ws_.settingsReread = [this] { placeWindow(QPoint(kMainWindowX, kMainWindowY)); };
    dialogs_ = std::make_unique<QtProjectDialogs>(this);
    transfers_ = std::make_unique<TransferCommands>(ws_);

    setMask(TerminalOutlineRegion());
    StartWorkspace(ws_, options.programDirectory);
    // The project named at start is not the one Save writes to until it has been read.
    startupProject_ = StartupProjectPath(ws_, options.commandLine);
    resize(kMainWindowWidth, kMainWindowHeight);

    client_ = new ClientWindow(this);
    connect(client_, &ClientWindow::menuRequested, this, [this](const QPoint& at) {
        if (!transferRunning_) menu_->popup(at);
    });
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopMenuM740"));
    // Commands arrive after the menu has closed, as posted commands do, so that a command
    // may rebuild the menu it came from.
    connect(menu_, &QMenu::triggered, this, [this](QAction* action) {
        const int id = action->data().toInt();
        QMetaObject::invokeMethod(
            this, [this, id] { command(id); }, Qt::QueuedConnection);
    });
    rebuildPopupMenu();
    createAccelerators();
    placeWindow(QPoint(kMainWindowX, kMainWindowY));

    if (!startupProject_.empty()) {
        QMetaObject::invokeMethod(
            this, [this] { command(kCmdOpenStartupProject); }, Qt::QueuedConnection);
    }

    version_ = ReadVersionInfo(QCoreApplication::applicationFilePath(), ProgramVersionBlock());
    if (!version_.error.isEmpty())
        ShowPlainMessage(presenter_, u"Ошибка", ToU16(version_.error), MessageIcon::Error);
}

MainWindow::~MainWindow() {
    // The workspace outlives the menu that its callback rebuilds.
    ws_.recentFilesChanged = nullptr;
    ws_.settingsReread = nullptr;
    ws_.presenter = nullptr;
}

void MainWindow::setCommandHandler(int id, CommandHandler handler) {
    handlers_[id] = std::move(handler);
}

void MainWindow::placeWindow(const QPoint& at) {
    const bool onTop = ws_.settings.alwaysOnTop != 0;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    setGeometry(at.x(), at.y(), kMainWindowWidth, kMainWindowHeight);
    show();
}

void MainWindow::createAccelerators() {
    for (const MenuEntry& entry : kPopupMenu) {
        if (entry.key.empty()) continue;
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("accelerator%1").arg(entry.id));
        action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + ToQString(entry.key)));
        action->setShortcutContext(Qt::WindowShortcut);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { command(id); });
        addAction(action);
    }
}

void MainWindow::rebuildPopupMenu() {
    if (menu_ == nullptr) return;
    menu_->clear();
    for (const MenuItem& item : PopupMenuItems(ws_.language, ws_.settings.recentFiles)) {
        if (item.id == 0) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(ToQString(item.text));
        action->setData(item.id);
        action->setObjectName(QString::number(item.id));
    }
}

void MainWindow::command(int id) {
    if (transferRunning_) return;
    switch (id) {
        case kCmdNew:
            newProject();
            return;
        case kCmdOpen:
            openProject();
            return;
        case kCmdSave:
            saveProject(false);
            return;
        case kCmdSaveAs:
            saveProject(true);
            return;
        case kCmdEdit:
            openDefinitionSheet();
            return;
        case kCmdPreferences:
            preferences();
            return;
        case kCmdDownloadApplication:
        case kCmdDownloadLookupFile:
        case kCmdReceiveData:
            transfer(id);
            return;
        case kCmdAbout:
            about();
            return;
        case kCmdExit:
            close();
            return;
        case kCmdOpenStartupProject:
            openStartupProject();
            return;
        default:
            break;
    }
    if (id >= kCmdRecentFirst && id <= kCmdRecentLast) {
        openRecentFile(id - kCmdRecentFirst);
        return;
    }
    if (auto handler = handlers_.find(id); handler != handlers_.end() && handler->second)
        handler->second(this);
}

int MainWindow::promptSaveChanges() {
    return PromptSaveChanges(ws_, *dialogs_);
}

void MainWindow::openDefinitionSheet() {
    if (auto handler = handlers_.find(kCmdEdit); handler != handlers_.end() && handler->second)
        handler->second(this);
}

void MainWindow::openStartupProject() {
    if (OpenStartupProject(ws_, startupProject_)) openDefinitionSheet();
}

void MainWindow::newProject() {
    if (NewProjectCommand(ws_, *dialogs_)) openDefinitionSheet();
}

void MainWindow::openProject() {
    if (OpenProjectCommand(ws_, *dialogs_) == OpenOutcome::Opened) openDefinitionSheet();
}

void MainWindow::openRecentFile(int index) {
    if (index >= 0) OpenRecentProject(ws_, static_cast<std::size_t>(index));
}

void MainWindow::saveProject(bool saveAs) {
    if (saveAs)
        SaveProjectAsCommand(ws_, *dialogs_);
    else
        SaveProjectCommand(ws_, *dialogs_);
}

void MainWindow::preferences() {
    PreferencesDlg dialog(ws_, this);
    if (dialog.exec() == QDialog::Accepted) rebuildPopupMenu();
    placeWindow(pos());
}

void MainWindow::about() {
    AboutBox box(version_, this);
    box.exec();
}

void MainWindow::transfer(int id) {
    transferRunning_ = true;
    transfers_->Run(id, this);
    transferRunning_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (transferRunning_ || (ws_.definitionModified && promptSaveChanges() == kIdCancel)) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace fw
