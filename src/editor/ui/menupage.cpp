#include "editor/ui/menupage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/screenpreview.h"
#include "editor/ui/terminalscreen.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

// Shows a stored menu text without moving the cursor when nothing changed.
void ShowText(QLineEdit* edit, const std::u16string& stored, bool enabled) {
    const QSignalBlocker blocker(edit);
    const QString text = ToQString(MenuTextToShow(stored, edit->text().toStdU16String()));
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(enabled);
}

void ShowCheck(QCheckBox* box, bool checked, bool enabled = true) {
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
    box->setEnabled(enabled);
}

}  // namespace

MenuPage::MenuPage(SheetContext& context, QWidget* parent) : SheetPage(context, parent) {
    setObjectName(QStringLiteral("MENUDLG"));

    auto* lists = new QFormLayout;
    menu_ = AddLabelledList(this, lists, caption(kMenuNameCaptionId), QStringLiteral("menuName"));
    esc_ = AddLabelledList(this, lists, caption(kMenuEscCaptionId), QStringLiteral("menuEsc"));

    hasCaption_ = addFlag(kMenuCaptionBoxId, QStringLiteral("hasCaption"), MenuFlag::Caption);
    caption_ = new QLineEdit(this);
    caption_->setObjectName(QStringLiteral("menuCaption"));
    caption_->setAccessibleName(caption(kMenuCaptionBoxId).trimmed());
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(hasCaption_);
    captionRow->addWidget(caption_, 1);

    // One row an item: its number, its text and where it leads.
    auto* grid = new QGridLayout;
    const QString itemWord = caption(kMenuItemWordId).trimmed();
    const QString next = caption(kMenuNextCaptionId);
    for (int item = 0; item < kMenuPageItems; ++item) {
        Item& it = items_[static_cast<std::size_t>(item)];
        const QString number = QString::number(item + 1);
        it.text = new QLineEdit(this);
        it.text->setObjectName(QStringLiteral("itemText") + number);
        it.text->setAccessibleName(itemWord + QLatin1Char(' ') + number);
        it.target = new QComboBox(this);
        it.target->setObjectName(QStringLiteral("itemTarget") + number);
        it.target->setAccessibleName(next.trimmed() + QLatin1Char(' ') + number);
        auto* numberLabel = new QLabel(number, this);
        numberLabel->setBuddy(it.text);
        auto* nextLabel = new QLabel(next, this);
        nextLabel->setBuddy(it.target);
        grid->addWidget(numberLabel, item, 0);
        grid->addWidget(it.text, item, 1);
        grid->addWidget(nextLabel, item, 2);
        grid->addWidget(it.target, item, 3);
        connect(it.text, &QLineEdit::textEdited, this, [this, item](const QString& text) {
            run([&](EditingSession& s) { return EditItemText(s, item, text.toStdU16String()); });
        });
        connect(it.target, &QComboBox::currentIndexChanged, this, [this, item](int index) {
            run([&](EditingSession& s) { return SelectItemTarget(s, item, index); });
        });
    }
    grid->setColumnStretch(1, 1);

    saveCaption_ = addFlag(kSaveCaptionId, QStringLiteral("saveCaption"), MenuFlag::SaveCaption);
    saveSelectedItem_ = addFlag(kSaveSelectedItemId, QStringLiteral("saveSelectedItem"),
                                MenuFlag::SaveSelectedItem);
    passDown_ = addFlag(kPassDownId, QStringLiteral("passDown"), MenuFlag::PassDown);
    auto* dataFlags = new QHBoxLayout;
    dataFlags->addWidget(saveCaption_);
    dataFlags->addWidget(saveSelectedItem_);
    dataFlags->addWidget(passDown_);
    dataFlags->addStretch();
    separateFiles_ = addFlag(kSeparateDataFilesId, QStringLiteral("separateDataFiles"),
                             MenuFlag::SeparateDataFiles);

    reset_ = new QPushButton(caption(kMenuResetId), this);
    reset_->setObjectName(QStringLiteral("menuReset"));
    reset_->setAccessibleName(caption(kMenuResetId));
    auto* resetRow = new QHBoxLayout;
    resetRow->addStretch();
    resetRow->addWidget(reset_);

    auto* column = new QVBoxLayout;
    column->addLayout(lists);
    column->addLayout(captionRow);
    column->addLayout(grid);
    column->addLayout(dataFlags);
    column->addWidget(separateFiles_);
    column->addStretch();
    column->addLayout(resetRow);

    // The terminal's screen for the shown menu, beside the controls.
    preview_ = new TerminalScreen(this);
    auto* page = new QHBoxLayout(this);
    page->addLayout(column, 1);
    page->addWidget(preview_, 0, Qt::AlignTop);

    connect(menu_, &QComboBox::currentIndexChanged, this,
            [this](int index) { run([&](EditingSession& s) { return SelectMenu(s, index); }); });
    connect(esc_, &QComboBox::currentIndexChanged, this, [this](int index) {
        run([&](EditingSession& s) { return SelectMenuEscTarget(s, index); });
    });
    connect(caption_, &QLineEdit::textEdited, this, [this](const QString& text) {
        run([&](EditingSession& s) { return EditMenuCaption(s, text.toStdU16String()); });
    });
    connect(reset_, &QPushButton::clicked, this,
            [this] { run([](EditingSession& s) { return ResetMenus(s); }); });
    refresh();
}

QString MenuPage::caption(int id) const {
    return ToQString(UiText(context_.session, id));
}

QString MenuPage::title() const {
    return caption(kMenuPageTitleId);
}

QCheckBox* MenuPage::addFlag(int captionId, const QString& objectName, MenuFlag flag) {
    auto* box = new QCheckBox(caption(captionId), this);
    box->setObjectName(objectName);
    box->setAccessibleName(caption(captionId).trimmed());
    connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
        run([&](EditingSession& s) { return SetMenuFlag(s, flag, on); });
    });
    return box;
}

void MenuPage::run(const std::function<Outcome(EditingSession&)>& op) {
    RunOperation(context_.ws, [&](Answer) { return op(session()); });
    refresh();
}

// The page's first showing brings the first menu in line with the pass-down rule; the rule
// then runs on each menu as it is shown.
void MenuPage::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        OpenMenuPage(session());
        refresh();
    }
    SheetPage::showEvent(event);
}

void MenuPage::refresh() {
    const MenuPageView view = ViewMenuPage(session());
    FillList(menu_, view.menu);
    FillList(esc_, view.escTarget);
    ShowCheck(hasCaption_, view.hasCaption);
    ShowText(caption_, view.caption, view.captionEnabled);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        ShowText(items_[i].text, view.items[i].text, true);
        FillList(items_[i].target, view.items[i].target);
    }
    ShowCheck(saveCaption_, view.saveCaption);
    ShowCheck(saveSelectedItem_, view.saveSelectedItem);
    ShowCheck(passDown_, view.passDown, view.passDownEnabled);
    ShowCheck(separateFiles_, view.separateDataFiles);
    preview_->setScreen(PreviewMenuScreen(session().working, session().currentMenu));
}

}  // namespace fw::editor::ui
