#include "shell/mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
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
#include "shell/filedialogs.h"
#include "shell/preferencesdlg.h"
#include "shell/projectdialogs.h"
#include "shell/qtlanguage.h"
#include "shell/resources.h"
#include "shell/terminaloutline.h"
#include "shell/transfercommands.h"

namespace fw {

namespace {

constexpr int kNewProjectTextId = 1781;      // "Новый проект"
constexpr int kUnsavedChangesTextId = 1782;  // "Есть несохранённые изменения"
// Where the keyboard opens the menu: over the terminal's screen, inside the window's shape.
constexpr QPoint kKeyboardMenuAt{40, 60};

}  // namespace

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
    ApplyQtTranslation(ws_);
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

    refreshProjectMarks();

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

void MainWindow::setDefinitionModified(bool modified) {
    ws_.definitionModified = modified;
    refreshProjectMarks();
}

void MainWindow::refreshProjectMarks() {
    const bool named = !ws_.currentProjectPath.empty();
    const QString name = named ? FromPath(ws_.currentProjectPath.filename())
                               : ToQString(LoadUiString(ws_.language, kNewProjectTextId));
    const QString mark = ws_.definitionModified ? QStringLiteral("*") : QString();
    setWindowTitle(name + mark + QStringLiteral(" - Formwright"));
    QString tip = named ? QDir::toNativeSeparators(FromPath(ws_.currentProjectPath)) : name;
    if (ws_.definitionModified)
        tip += QLatin1Char('\n') + ToQString(LoadUiString(ws_.language, kUnsavedChangesTextId));
    if (client_ != nullptr) {
        client_->setToolTip(tip);
        client_->setAccessibleName(windowTitle());
        client_->setAccessibleDescription(tip);
    }
}

void MainWindow::showMenuFromKeyboard() {
    if (transferRunning_ || menu_ == nullptr || menu_->isVisible()) return;
    menu_->popup(mapToGlobal(kKeyboardMenuAt));
    const QList<QAction*> actions = menu_->actions();
    if (!actions.isEmpty()) menu_->setActiveAction(actions.front());
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
    // The keys that open a context menu everywhere else open the command menu here.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("menuKey"));
    menuKey->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    menuKey->setShortcutContext(Qt::WindowShortcut);
    connect(menuKey, &QAction::triggered, this, &MainWindow::showMenuFromKeyboard);
    addAction(menuKey);
}

void MainWindow::rebuildPopupMenu() {
    if (menu_ == nullptr) return;
    menu_->clear();
    for (const MenuItem& item : PopupMenuItems(ws_.language, ws_.settings.recentFiles,
                                               QtTextLocale(ws_) == QStringLiteral("ru"))) {
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
    runCommand(id);
    refreshProjectMarks();
}

void MainWindow::runCommand(int id) {
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
    // The sheet stays open over the window; its title already names what was just opened.
    refreshProjectMarks();
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
    if (dialog.exec() == QDialog::Accepted) {
        ApplyQtTranslation(ws_);
        rebuildPopupMenu();
    }
    placeWindow(pos());
}

void MainWindow::about() {
    AboutBox box(version_, ws_.language, this);
    box.exec();
}

void MainWindow::transfer(int id) {
    transferRunning_ = true;
    transfers_->Run(id, this);
    transferRunning_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (transferRunning_ || (ws_.definitionModified && promptSaveChanges() == kIdCancel)) {
        // Yes may have saved before a later step stopped the close.
        refreshProjectMarks();
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace fw
