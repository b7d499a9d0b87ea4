#include "reader/ui/symbologydialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/codepage.h"
#include "shell/gridtarget.h"
#include "shell/messagebox.h"

namespace fw::reader::ui {
namespace {

QString Plain(const QString& caption) {
    QString text = caption;
    return text.remove(QLatin1Char('&')).trimmed();
}

// Enough characters for the control's largest value.
int DigitsOf(int maximum) {
    return static_cast<int>(QString::number(maximum).size());
}

}  // namespace

SymbologyDialog::SymbologyDialog(const DialogTemplate& dialog, editor::ui::SheetContext& context,
                                 QWidget* owner)
    : QDialog(owner),
      dialog_(dialog),
      context_(context),
      snapshot_(TakeReaderSnapshot(context.session)) {
    setObjectName(
        QString::fromLatin1(dialog.name.data(), static_cast<qsizetype>(dialog.name.size())));
    OpenDialog(context_.session, dialog_);
    const DialogView view = ViewDialog(context_.session, dialog_);
    setWindowTitle(ToQString(view.title));

    auto* grid = new QGridLayout;
    rows_.resize(dialog_.controls.size());
    for (std::size_t i = 0; i < dialog_.controls.size(); ++i) {
        const Control& c = dialog_.controls[i];
        const ControlView& cv = view.controls[i];
        const QString name =
            QString::fromLatin1(c.name.data(), static_cast<qsizetype>(c.name.size()));
        const QString caption = ToQString(cv.caption);
        const int index = static_cast<int>(i);
        const int row = static_cast<int>(i);
        Row& r = rows_[i];
        switch (c.kind) {
            case Kind::Check: {
                auto* box = new QCheckBox(caption, this);
                connect(box, &QCheckBox::clicked, this,
                        [this, index](bool on) { set(index, on ? 1 : 0); });
                r.widget = box;
                grid->addWidget(box, row, 0, 1, 2);
                break;
            }
            case Kind::Radio: {
                auto* group = new QGroupBox(caption, this);
                auto* column = new QVBoxLayout(group);
                r.radios = new QButtonGroup(group);
                for (std::size_t k = 0; k < cv.choices.size(); ++k) {
                    auto* radio = new QRadioButton(ToQString(cv.choices[k]), group);
                    radio->setObjectName(name + QString::number(k));
                    r.radios->addButton(radio, static_cast<int>(k));
                    column->addWidget(radio);
                }
                connect(r.radios, &QButtonGroup::idClicked, this,
                        [this, index](int choice) { set(index, choice); });
                group->setAccessibleName(Plain(caption));
                r.widget = group;
                grid->addWidget(group, row, 0, 1, 2);
                break;
            }
            case Kind::List: {
                auto* list = new QComboBox(this);
                for (const std::u16string& choice : cv.choices)
                    list->addItem(ToQString(choice));
                connect(list, &QComboBox::activated, this,
                        [this, index](int choice) { set(index, choice); });
                r.widget = list;
                break;
            }
            case Kind::Number: {
                auto* edit = new QLineEdit(this);
                edit->setMaxLength(DigitsOf(c.maximum));
                connect(edit, &QLineEdit::textEdited, this,
                        [this, index](const QString& text) { typed(index, text); });
                r.widget = edit;
                break;
            }
            case Kind::Character: {
                auto* edit = new QLineEdit(this);
                connect(edit, &QLineEdit::textEdited, this, [this, index, edit](QString text) {
                    if (text.size() > 1) {
                        text.truncate(1);
                        edit->setText(text);
                    }
                    set(index, text.isEmpty() ? 0 : Utf16ToCp1251(text.at(0).unicode()));
                });
                r.widget = edit;
                break;
            }
            case Kind::CodeId: {
                // Shown as its display text; the character grid composes it.
                auto* target = new GridTargetEdit(this);
                const int index = (c.byte - kFirstCodeIdByte) / 2;
                connect(target, &GridTargetEdit::openRequested, this, [this, target, index] {
                    editor::CharGrid grid = OpenCodeIdGrid(context_.session, index);
                    if (target->runGrid(context_.ws, grid))
                        editor::ui::RunOperation(context_.ws, [&](editor::Answer) {
                            return StoreCodeIdGrid(context_.session, index, grid);
                        });
                    refresh();
                });
                r.widget = target;
                break;
            }
        }
        r.widget->setObjectName(name);
        if (c.kind == Kind::Check || c.kind == Kind::Radio) continue;
        if (caption.isEmpty() && i > 0) {
            // An edit without a caption belongs to the box above it (the RFID separator).
            const QWidget* above = rows_[i - 1].widget;
            const auto* box = qobject_cast<const QCheckBox*>(above);
            r.widget->setAccessibleName(Plain(box ? box->text() : above->accessibleName()));
        } else {
            r.label = new QLabel(caption, this);
            r.label->setBuddy(r.widget);
            r.widget->setAccessibleName(Plain(caption));
            grid->addWidget(r.label, row, 0);
        }
        grid->addWidget(r.widget, row, 1);
    }

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    if (dialog_.codeIdSets) {
        auto* sets = new QHBoxLayout;
        for (int set = 1; set <= kCodeIdSetCount + 1; ++set) {
            const bool clear = set > kCodeIdSetCount;
            auto* button = new QPushButton(
                clear ? QStringLiteral("Clear") : QStringLiteral("Set %1").arg(set), this);
            button->setObjectName(clear ? QStringLiteral("clearCodeIds")
                                        : QStringLiteral("codeIdSet%1").arg(set));
            connect(button, &QPushButton::clicked, this, [this, set, clear] {
                FillCodeIds(context_.session, clear ? 0 : set);
                refresh();
            });
            setButtons_.push_back(button);
            sets->addWidget(button);
        }
        column->addLayout(sets);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("dialogButtons"));
    buttons->button(QDialogButtonBox::Ok)
        ->setText(ToQString(editor::UiText(context_.session, 1218)));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(ToQString(editor::UiText(context_.session, 1219)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    refresh();
}

void SymbologyDialog::set(int control, int value) {
    editor::ui::RunOperation(context_.ws, [&](editor::Answer) {
        return SetControl(context_.session, dialog_, control, value);
    });
    refresh();
}

void SymbologyDialog::typed(int control, const QString& text) {
    auto* edit = static_cast<QLineEdit*>(rows_[static_cast<std::size_t>(control)].widget);
    const QString corrected =
        ToQString(CorrectTyped(dialog_.controls[static_cast<std::size_t>(control)], ToU16(text)));
    if (corrected != text) edit->setText(corrected);
    set(control, TypedNumber(ToU16(corrected)));
}

void SymbologyDialog::refresh() {
    const DialogView view = ViewDialog(context_.session, dialog_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ControlView& cv = view.controls[i];
        Row& r = rows_[i];
        const QSignalBlocker blocker(r.widget);
        r.widget->setEnabled(cv.enabled);
        if (r.label) {
            r.label->setText(ToQString(cv.caption));
            r.label->setEnabled(cv.enabled);
            r.widget->setAccessibleName(Plain(r.label->text()));
        }
        switch (cv.kind) {
            case Kind::Check:
                static_cast<QCheckBox*>(r.widget)->setChecked(cv.checked);
                break;
            case Kind::Radio: {
                // No button is checked when the stored bits are no choice offered.
                r.radios->setExclusive(false);
                for (QAbstractButton* b : r.radios->buttons())
                    b->setChecked(r.radios->id(b) == cv.selected);
                r.radios->setExclusive(true);
                break;
            }
            case Kind::List:
                static_cast<QComboBox*>(r.widget)->setCurrentIndex(cv.selected);
                break;
            case Kind::Number: {
                auto* edit = static_cast<QLineEdit*>(r.widget);
                // An edit being typed in keeps its text while it means the stored number.
                const QString shown = edit->text();
                const bool means = TypedNumber(ToU16(shown)) == cv.number &&
                                   !(shown.isEmpty() && !edit->hasFocus());
                if (!means) edit->setText(QString::number(cv.number));
                break;
            }
            case Kind::Character:
            case Kind::CodeId: {
                auto* edit = static_cast<QLineEdit*>(r.widget);
                if (edit->text() != ToQString(cv.text)) edit->setText(ToQString(cv.text));
                break;
            }
        }
    }
    for (QAbstractButton* b : setButtons_)
        b->setEnabled(view.codeIdButtonsEnabled);
}

void SymbologyDialog::accept() {
    AcceptDialog(context_.session, dialog_);
    QDialog::accept();
}

void SymbologyDialog::reject() {
    RestoreReaderSnapshot(context_.session, snapshot_);
    QDialog::reject();
}

bool OpenSymbologyDialog(const QString& templateName, editor::ui::SheetContext& context,
                         QWidget* owner) {
    const DialogTemplate* dialog = FindTemplate(templateName.toStdString());
    if (dialog == nullptr) return false;
    SymbologyDialog box(*dialog, context, owner);
    return box.exec() == QDialog::Accepted;
}

}  // namespace fw::reader::ui
