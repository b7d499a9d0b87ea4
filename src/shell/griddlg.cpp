#include "shell/griddlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "model/strings.h"
#include "shell/messagebox.h"

namespace fw {
namespace {

constexpr int kTitleId = 131;
constexpr int kResultLabelId = 132;
constexpr int kClearId = 133;
constexpr int kOkId = 1218;
constexpr int kCancelId = 1219;
constexpr int kErrorCaptionId = 1121;
constexpr int kTooManyCharactersId = 1143;

QString Text(const Workspace& ws, int id) {
    return ToQString(LoadUiString(ws.language, id));
}

void NameButtons(const Workspace& ws, QDialogButtonBox* buttons) {
    buttons->button(QDialogButtonBox::Ok)->setText(Text(ws, kOkId));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(ws, kCancelId));
}

QString HexLabel(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

// ---- the table of cells ----------------------------------------------------------------------

CharGridTable::CharGridTable(editor::CharGrid& grid, QWidget* parent)
    : QTableWidget(editor::kGridSize, editor::kGridSize, parent), grid_(grid) {
    setObjectName(QStringLiteral("grid"));
    setAccessibleName(QStringLiteral("The Grid Control"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The grid's own selected cell is the one drawn blue; the view's selection stays out of it.
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    for (int i = 1; i < editor::kGridSize; ++i) {
        // Column labels name the high nibble ("00", "10" .. "F0"), row labels the low one.
        for (auto [r, c, text] :
             {std::tuple{0, i, HexLabel(16 * (i - 1))}, std::tuple{i, 0, HexLabel(i - 1)}}) {
            auto* label = new QTableWidgetItem(text);
            label->setFlags(Qt::ItemIsEnabled);
            label->setTextAlignment(Qt::AlignCenter);
            label->setBackground(palette().button());
            setItem(r, c, label);
        }
    }
    auto* corner = new QTableWidgetItem;
    corner->setFlags(Qt::NoItemFlags);
    setItem(0, 0, corner);
    for (int code = 0; code < 256; ++code) {
        auto* cell = new QTableWidgetItem(
            ToQString(editor::CharacterName(grid.kind, static_cast<Byte>(code))));
        cell->setTextAlignment(Qt::AlignCenter);
        cell->setFlags(Qt::ItemIsEnabled);
        setItem(1 + (code & 0x0F), 1 + (code >> 4), cell);
        paintCell(static_cast<Byte>(code), code == grid.selected);
    }
    setCurrentCell(1 + (grid.selected & 0x0F), 1 + (grid.selected >> 4));
    connect(this, &QTableWidget::cellClicked, this,
            [this](int row, int column) { emit cellChosen(column, row); });
}

void CharGridTable::paintCell(Byte code, bool selected) {
    QTableWidgetItem* cell = item(1 + (code & 0x0F), 1 + (code >> 4));
    const bool choosable = editor::CanChoose(grid_.kind, code);
    const bool reference =
        code == editor::kVariableReference && grid_.kind != editor::GridKind::Hexadecimal;
    QColor text = reference ? QColor(Qt::red) : selected ? QColor(Qt::white) : QColor(Qt::black);
    if (!choosable) text = QColor(Qt::lightGray);
    cell->setForeground(text);
    cell->setBackground(selected ? QBrush(Qt::blue) : QBrush(Qt::white));
    // A screen reader reads the character's name and its code, also for cells without a name.
    const QString name = cell->text();
    cell->setData(
        Qt::AccessibleTextRole,
        (name.isEmpty() ? QStringLiteral("0x") : name + QStringLiteral(", 0x")) + HexLabel(code));
}

void CharGridTable::showSelection() {
    for (int code = 0; code < 256; ++code)
        paintCell(static_cast<Byte>(code), code == grid_.selected);
    setCurrentCell(1 + (grid_.selected & 0x0F), 1 + (grid_.selected >> 4));
}

void CharGridTable::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            editor::MoveSelection(grid_, -1, 0);
            break;
        case Qt::Key_Right:
            editor::MoveSelection(grid_, 1, 0);
            break;
        case Qt::Key_Up:
            editor::MoveSelection(grid_, 0, -1);
            break;
        case Qt::Key_Down:
            editor::MoveSelection(grid_, 0, 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit cellChosen(1 + (grid_.selected >> 4), 1 + (grid_.selected & 0x0F));
            return;
        default:
            QTableWidget::keyPressEvent(event);
            return;
    }
    showSelection();
}

QSize CharGridTable::sizeHint() const {
    // Every name fits its cell whole: the widest key name, with room on both sides.
    int widest = 0;
    for (int code = 0; code < 256; ++code)
        widest = std::max(widest, fontMetrics().horizontalAdvance(ToQString(
                                      editor::CharacterName(grid_.kind, static_cast<Byte>(code)))));
    const int frame = 2 * frameWidth();
    return {editor::kGridSize * (widest + 12) + frame,
            editor::kGridSize * (fontMetrics().height() + 8) + frame};
}

// ---- the dialog ------------------------------------------------------------------------------

GridDlg::GridDlg(Workspace& ws, editor::CharGrid& grid, QWidget* parent)
    : QDialog(parent), ws_(ws), grid_(grid) {
    setObjectName(QStringLiteral("GridDlg"));
    setWindowTitle(Text(ws, kTitleId));
    table_ = new CharGridTable(grid, this);
    connect(table_, &CharGridTable::cellChosen, this, &GridDlg::choose);

    auto* label = new QLabel(Text(ws, kResultLabelId), this);
    result_ = new QLineEdit(this);
    result_->setObjectName(QStringLiteral("resultingText"));
    result_->setReadOnly(true);
    result_->setAccessibleName(label->text());
    label->setBuddy(result_);
    QPalette look = result_->palette();
    look.setColor(QPalette::Base, Qt::white);
    look.setColor(QPalette::Text, Qt::darkGray);
    result_->setPalette(look);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    NameButtons(ws, buttons);
    QPushButton* clear = buttons->addButton(Text(ws, kClearId), QDialogButtonBox::ResetRole);
    clear->setObjectName(QStringLiteral("clear"));
    connect(clear, &QPushButton::clicked, this, [this] {
        editor::ClearGrid(grid_);
        showResult();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(table_, 1);
    column->addWidget(label);
    column->addWidget(result_);
    column->addWidget(buttons);
    showResult();
    table_->setFocus();
}

void GridDlg::choose(int column, int row) {
    const editor::CellClick click = editor::ClickCell(grid_, column, row);
    if (click == editor::CellClick::Ignored) return;
    table_->showSelection();
    if (click == editor::CellClick::TooManyCharacters)
        ShowMessage(ws_, kErrorCaptionId, kTooManyCharactersId, MessageIcon::Warning);
    else if (click == editor::CellClick::ChooseVariable)
        editor::AppendVariable(grid_, ChooseVariable(ws_, grid_, this));
    showResult();
}

void GridDlg::showResult() {
    result_->setText(ToQString(grid_.displayText));
}

void GridDlg::accept() {
    const editor::Outcome outcome = editor::ConfirmGrid(grid_);
    if (!outcome.Accepted()) {
        ShowText(ws_, outcome.caption, outcome.text, outcome.icon);
        return;
    }
    QDialog::accept();
}

// ---- the variable chooser --------------------------------------------------------------------

int ChooseVariable(Workspace& ws, const editor::CharGrid& grid, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ADDVARDLG"));
    dialog.setWindowTitle(QStringLiteral("Выбор переменной"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("variables"));
    list->setAccessibleName(dialog.windowTitle());
    for (const std::u16string& name : grid.variableNames)
        list->addItem(ToQString(name));
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    NameButtons(ws, buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(list);
    column->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return 0;
    return list->currentRow() + 1;
}

}  // namespace fw
