#include "editor/ui/startuppage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/screenpreview.h"
#include "editor/startuppage.h"
#include "editor/ui/captions.h"
#include "editor/ui/terminalscreen.h"
#include "model/projectfile.h"
#include "model/workspace.h"
#include "shell/messagebox.h"
#include "shell/projectdialogs.h"

namespace fw::editor::ui {
namespace {

constexpr int kTitleId = 1646;  // "Startup"
constexpr int kStartId = 1761;
constexpr int kDelimiterCountId = 1762;
constexpr int kGroupId = 1763;
constexpr int kImportId = 1764;
constexpr int kResetId = 1765;
constexpr int kPlacementId = 1766;
constexpr int kCodeId = 1767;
constexpr int kCharacterId = 1768;

// Shows a stored text without moving the cursor when nothing changed.
void ShowText(QLineEdit* edit, const QString& text, bool enabled = true) {
    const QSignalBlocker blocker(edit);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(enabled);
}

}  // namespace

StartupPage::StartupPage(SheetContext& context, QWidget* parent) : SheetPage(context, parent) {
    setObjectName(QStringLiteral("STARTUPDLG"));
    const auto text = [this](int id) { return ToQString(UiText(session(), id)); };

    auto* lists = new QFormLayout;
    start_ = AddLabelledList(this, lists, text(kStartId), QStringLiteral("startTarget"));
    placement_ = AddLabelledList(this, lists, text(kPlacementId), QStringLiteral("placement"));
    delimiterCount_ =
        AddLabelledList(this, lists, text(kDelimiterCountId), QStringLiteral("delimiterCount"));
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i + 1);
        auto* code = new QLineEdit(this);
        code->setObjectName(QStringLiteral("delimiterCode%1").arg(n));
        code->setMaxLength(3);
        const QString codeCaption = text(kCodeId).arg(n);
        code->setAccessibleName(codeCaption.trimmed());
        auto* character = new QLineEdit(this);
        character->setObjectName(QStringLiteral("delimiterCharacter%1").arg(n));
        character->setMaxLength(1);
        const QString characterCaption = text(kCharacterId).arg(n);
        character->setAccessibleName(characterCaption.trimmed());
        auto* pair = new QHBoxLayout;
        auto* codeLabel = new QLabel(codeCaption, this);
        codeLabel->setBuddy(code);
        auto* characterLabel = new QLabel(characterCaption, this);
        characterLabel->setBuddy(character);
        pair->addWidget(code);
        pair->addWidget(characterLabel);
        pair->addWidget(character);
        pair->addStretch();
        lists->addRow(codeLabel, pair);
        codes_[static_cast<std::size_t>(i)] = code;
        characters_[static_cast<std::size_t>(i)] = character;
        connect(code, &QLineEdit::textEdited, this, [this, i](const QString& typed) {
            runEdit(
                [&](EditingSession& s) { return EditDelimiterCode(s, i, typed.toStdU16String()); });
        });
        connect(character, &QLineEdit::textEdited, this, [this, i](const QString& typed) {
            runEdit([&](EditingSession& s) {
                return EditDelimiterCharacter(s, i, typed.toStdU16String());
            });
        });
    }
    group_ = AddLabelledList(this, lists, text(kGroupId), QStringLiteral("textGroup"));

    // Eight rows: the built-in text, and the line the terminal shows instead.
    auto* rows = new QGridLayout;
    for (int r = 0; r < kScreenRows; ++r) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("builtIn%1").arg(r + 1));
        label->setTextFormat(Qt::PlainText);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("line%1").arg(r + 1));
        label->setBuddy(edit);
        rows->addWidget(label, r, 0);
        rows->addWidget(edit, r, 1);
        builtIn_[static_cast<std::size_t>(r)] = label;
        rows_[static_cast<std::size_t>(r)] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, r](const QString& typed) {
            runEdit([&](EditingSession& s) { return EditTextRow(s, r, typed.toStdU16String()); });
        });
    }

    import_ = new QPushButton(text(kImportId), this);
    import_->setObjectName(QStringLiteral("importTexts"));
    import_->setAccessibleName(text(kImportId).trimmed());
    reset_ = new QPushButton(text(kResetId), this);
    reset_->setObjectName(QStringLiteral("reset"));
    reset_->setAccessibleName(text(kResetId));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(import_);
    buttons->addWidget(reset_);
    buttons->addStretch();

    preview_ = new TerminalScreen(Caption(session(), caption::kTerminalPreview), this);
    preview_->setObjectName(QStringLiteral("preview"));
    auto* rowsColumn = new QVBoxLayout;
    rowsColumn->addLayout(rows);
    rowsColumn->addStretch();
    auto* textsAndScreen = new QHBoxLayout;
    textsAndScreen->addLayout(rowsColumn, 1);
    textsAndScreen->addWidget(preview_, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout(this);
    column->addLayout(lists);
    column->addLayout(textsAndScreen);
    column->addLayout(buttons);
    column->addStretch();

    connectList(start_, [](EditingSession& s, int i) { return SelectStartTarget(s, i); });
    connectList(placement_, [](EditingSession& s, int i) { return SelectPlacement(s, i); });
    connectList(delimiterCount_,
                [](EditingSession& s, int i) { return SelectDelimiterCount(s, i); });
    connectList(group_, [](EditingSession& s, int i) { return SelectTextGroup(s, i); });
    connect(import_, &QPushButton::clicked, this, &StartupPage::importTexts);
    connect(reset_, &QPushButton::clicked, this, [this] {
        RunOperation(context_.ws, [&](Answer) { return ResetStartupPage(session()); });
        refresh();
    });
    chooseImportFile = [this]() -> std::optional<std::filesystem::path> {
        QtProjectDialogs dialogs(this);
        return ChooseProjectToOpen(context_.ws, dialogs);
    };
    refresh();
}

QString StartupPage::title() const {
    const QString title = ToQString(UiText(context_.session, kTitleId));
    return title.isEmpty() ? QStringLiteral("Startup") : title;
}

void StartupPage::connectList(QComboBox* box, std::function<Outcome(EditingSession&, int)> op) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, op = std::move(op)](int index) {
        RunOperation(context_.ws, [&](Answer) { return op(session(), index); });
        refresh();
    });
}

void StartupPage::runEdit(const std::function<Outcome(EditingSession&)>& op) {
    RunOperation(context_.ws, [&](Answer) { return op(session()); });
    refresh();
}

void StartupPage::importTexts() {
    const std::optional<std::filesystem::path> file = chooseImportFile();
    if (!file) return;
    RunOperation(context_.ws,
                 [&](Answer) { return ImportStartupTexts(session(), context_.ws, *file); });
    refresh();
}

void StartupPage::refresh() {
    const StartupPageView view = ViewStartupPage(session());
    FillList(start_, view.startTarget);
    FillList(placement_, view.placement);
    FillList(delimiterCount_, view.delimiterCount);
    for (std::size_t i = 0; i < 2; ++i) {
        const DelimiterView& d = view.delimiters[i];
        ShowText(codes_[i], ToQString(d.code), d.enabled);
        ShowText(characters_[i], ToQString(d.character), d.enabled);
    }
    FillList(group_, view.textGroup);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const bool used = r < view.rows.size();
        const QString builtIn = used ? ToQString(view.rows[r].builtIn) : QString();
        // "Memory & Power": the ampersand is shown, not taken as the row's shortcut.
        builtIn_[r]->setText(QString(builtIn).replace(u'&', QStringLiteral("&&")));
        // Rows beyond the group stay in place, empty, so the page does not jump.
        builtIn_[r]->setEnabled(used);
        rows_[r]->setAccessibleName(
            builtIn.trimmed().isEmpty()
                ? QStringLiteral("%1 %2").arg(group_->currentText()).arg(r + 1)
                : builtIn.trimmed());
        ShowText(rows_[r], used ? ToQString(view.rows[r].text) : QString(), used);
    }
    preview_->setScreen(PreviewScreenTexts(session().working, session().startup.textGroup));
}

}  // namespace fw::editor::ui
