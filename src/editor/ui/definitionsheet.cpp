#include "editor/ui/definitionsheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/commit.h"
#include "editor/sheet.h"
#include "editor/ui/editordialog.h"
#include "editor/ui/formpage.h"
#include "editor/ui/lookuppage.h"
#include "editor/ui/menupage.h"
#include "editor/ui/settingspage.h"
#include "editor/ui/startuppage.h"
#include "model/workspace.h"
#include "reader/ui/barcodepage.h"
#include "shell/commands.h"
#include "shell/mainwindow.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {

const std::vector<PageFactory>& SheetPages() {
    static const std::vector<PageFactory> pages = {
        [](SheetContext& c, QWidget* parent) -> SheetPage* { return new FormPage(c, parent); },
        [](SheetContext& c, QWidget* parent) -> SheetPage* { return new MenuPage(c, parent); },
        [](SheetContext& c, QWidget* parent) -> SheetPage* { return new LookupPage(c, parent); },
        [](SheetContext& c, QWidget* parent) -> SheetPage* {
            return new reader::ui::BarcodePage(c, parent);
        },
        [](SheetContext& c, QWidget* parent) -> SheetPage* { return new SettingsPage(c, parent); },
        [](SheetContext& c, QWidget* parent) -> SheetPage* { return new StartupPage(c, parent); },
    };
    return pages;
}

DefinitionSheet::DefinitionSheet(Workspace& ws, QWidget* parent)
    : QDialog(parent),
      ws_(ws),
      session_(OpenSession(ws.definition, ws.language)),
      context_{session_, ws, [this] { refreshAll(); }} {
    setObjectName(QStringLiteral("DefinitionSheet"));
    setWindowTitle(
        ToQString(SheetTitle(ws.currentProjectPath.u16string(), UiText(session_, kProgramTitleId),
                             UiText(session_, kNewFileId))));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("pages"));
    for (const PageFactory& make : SheetPages()) {
        SheetPage* page = make(context_, tabs_);
        pages_.push_back(page);
        tabs_->addTab(page, page->title());
    }
    tabs_->setCurrentIndex(0);
    // A page shows what the others changed when it becomes the active one.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(pages_.size()))
            pages_[static_cast<std::size_t>(index)]->refresh();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("sheetButtons"));
    NameButtons(buttons, session_);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tabs_);
    column->addWidget(buttons);
}

DefinitionSheet::~DefinitionSheet() = default;

void DefinitionSheet::accept() {
    for (SheetPage* page : pages_)
        page->apply();
    CommitSheet(session_, ws_);
    QDialog::accept();
}

void DefinitionSheet::refreshAll() {
    for (SheetPage* page : pages_)
        page->refresh();
    // A dialog still open over the pages shows the change too, the outer one first.
    for (EditorDialog* dialog : findChildren<EditorDialog*>())
        if (dialog->isVisible()) dialog->refresh();
}

int OpenDefinitionSheet(Workspace& ws, QWidget* owner) {
    DefinitionSheet sheet(ws, owner);
    return sheet.exec();
}

void InstallDefinitionSheet(MainWindow& window) {
    window.setCommandHandler(kCmdEdit, [&window](QWidget* owner) {
        OpenDefinitionSheet(window.workspace(), owner);
        window.refreshProjectMarks();
    });
}

}  // namespace fw::editor::ui
