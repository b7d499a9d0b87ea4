#include "editor/ui/lookuppage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/workspace.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

namespace cap = lookupcaption;
constexpr int kPageTitleId = 1643;  // "Lookup"

void ShowCheck(QAbstractButton* box, bool on, bool enabled = true) {
    const QSignalBlocker blocker(box);
    box->setChecked(on);
    box->setEnabled(enabled);
}

// Rewrites an edit only when it shows something else, so the caret stays where the user types.
void ShowEdit(QLineEdit* edit, const std::u16string& text, bool enabled) {
    const QSignalBlocker blocker(edit);
    const QString shown = ToQString(text);
    if (edit->text() != shown) edit->setText(shown);
    edit->setEnabled(enabled);
}

QLineEdit* NumberEdit(QWidget* parent, const QString& objectName, const QString& accessible) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setAccessibleName(accessible);
    edit->setMaxLength(12);
    edit->setMaximumWidth(60);
    return edit;
}

}  // namespace

LookupPage::LookupPage(SheetContext& context, QWidget* parent) : SheetPage(context, parent) {
    setObjectName(QStringLiteral("LOOKUPDLG"));

    auto* top = new QFormLayout;
    name_ = addList(this, top, cap::kName, QStringLiteral("lookupName"));

    fixed_ = new QRadioButton(text(cap::kFixedLength), this);
    fixed_->setObjectName(QStringLiteral("fixedLength"));
    delimited_ = new QRadioButton(text(cap::kDelimiter), this);
    delimited_->setObjectName(QStringLiteral("delimited"));
    delimiter_ = NumberEdit(this, QStringLiteral("delimiter"), text(cap::kDelimiter).trimmed());
    auto* modes = new QButtonGroup(this);
    modes->addButton(fixed_);
    modes->addButton(delimited_);
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(fixed_);
    modeRow->addWidget(delimited_);
    modeRow->addWidget(delimiter_);
    modeRow->addStretch();
    top->addRow(modeRow);

    memberLength_ = NumberEdit(this, QStringLiteral("memberLength"), text(cap::kMemberLength));
    auto* memberLabel = new QLabel(text(cap::kMemberLength), this);
    memberLabel->setBuddy(memberLength_);
    top->addRow(memberLabel, memberLength_);
    fieldCount_ = addList(this, top, cap::kFieldCount, QStringLiteral("fieldCount"));

    memory_ = new QRadioButton(ToQString(codes::EntryText(codes::kPlacementEntries[0], {})), this);
    memory_->setObjectName(QStringLiteral("terminalMemory"));
    card_ = new QRadioButton(ToQString(codes::EntryText(codes::kPlacementEntries[1], {})), this);
    card_->setObjectName(QStringLiteral("sdCard"));
    places_ = new QButtonGroup(this);
    places_->addButton(memory_);
    places_->addButton(card_);
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(memory_);
    placeRow->addWidget(card_);
    placeRow->addStretch();
    top->addRow(text(cap::kPlacement), placeRow);

    auto* fieldsBox = new QGroupBox(this);
    fieldsBox->setObjectName(QStringLiteral("fields"));
    fieldsBox->setAccessibleName(text(cap::kField));
    auto* grid = new QGridLayout(fieldsBox);
    buildFieldGrid(grid);

    auto* behaviour = new QFormLayout;
    uploadable_ = addCheck(cap::kCanBeUploaded, QStringLiteral("canBeUploaded"));
    readOnce_ = addCheck(cap::kReadOnce, QStringLiteral("readOnce"));
    searchWithFilter_ = addCheck(cap::kSearchWithFilter, QStringLiteral("searchWithFilter"));
    behaviour->addRow(uploadable_);
    behaviour->addRow(readOnce_);
    noMatch_ = addList(this, behaviour, cap::kNoMatch, QStringLiteral("noMatchAction"));
    wrongFormat_ = addList(this, behaviour, cap::kWrongFormat, QStringLiteral("wrongFormatAction"));
    severalFound_ = addList(this, behaviour, cap::kSeveralFound, QStringLiteral("severalFound"));
    behaviour->addRow(searchWithFilter_);
    filterMode_ = addList(this, behaviour, cap::kFilterMode, QStringLiteral("filterMode"));

    reset_ = new QPushButton(text(cap::kReset), this);
    reset_->setObjectName(QStringLiteral("reset"));
    reset_->setAccessibleName(text(cap::kReset));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(reset_);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(fieldsBox);
    column->addLayout(behaviour);
    column->addLayout(buttons);
    column->addStretch();

    // ---- what each control does ----
    connect(name_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < kLookupCount) database_ = index;
        delimiterChosen_ = false;
        refresh();
    });
    connect(fixed_, &QRadioButton::clicked, this, [this] {
        delimiterChosen_ = false;
        run([](EditingSession& s, int d, Answer) { return ChooseFixedLength(s, d); });
    });
    connect(delimited_, &QRadioButton::clicked, this, [this] {
        const std::u16string typed = delimiter_->text().toStdU16String();
        delimiterChosen_ =
            run([&](EditingSession& s, int d, Answer) { return ChooseDelimiter(s, d, typed); },
                false, UiText(session(), kDelimiterRefusalCaptionId));
        refresh();
    });
    // Clearing the edit to type another delimiter stores 0 but keeps the page in delimiter mode.
    connect(delimiter_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        delimiterChosen_ = true;
        run([t = typed.toStdU16String()](EditingSession& s, int d,
                                         Answer) { return EditDelimiter(s, d, t); },
            false, UiText(session(), kDelimiterRefusalCaptionId));
    });
    connect(memberLength_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        run([t = typed.toStdU16String()](EditingSession& s, int d, Answer) {
            return EditMemberLength(s, d, t);
        });
    });
    connect(fieldCount_, &QComboBox::currentIndexChanged, this, [this](int index) {
        run([index](EditingSession& s, int d,
                    Answer a) { return SelectFieldCount(s, d, index, a); },
            true);
    });
    connect(memory_, &QRadioButton::clicked, this, [this] {
        run([](EditingSession& s, int d, Answer) { return SelectPlacement(s, d, 0); });
    });
    connect(card_, &QRadioButton::clicked, this, [this] {
        run([](EditingSession& s, int d, Answer) { return SelectPlacement(s, d, 1); });
    });
    connect(uploadable_, &QCheckBox::toggled, this, [this](bool on) {
        run([on](EditingSession& s, int d, Answer) {
            return SetDatabaseFlag(s, d, DatabaseFlag::CanBeUploaded, on);
        });
    });
    connect(searchWithFilter_, &QCheckBox::toggled, this, [this](bool on) {
        run([on](EditingSession& s, int d, Answer) {
            return SetDatabaseFlag(s, d, DatabaseFlag::SearchWithFilter, on);
        });
    });
    // The forms' not-found lists follow the database.
    connect(readOnce_, &QCheckBox::toggled, this, [this](bool on) {
        run([on](EditingSession& s, int d, Answer) { return SetReadOnce(s, d, on); }, true);
    });
    auto listOp = [this](QComboBox* box, Outcome (*op)(EditingSession&, int, int)) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, op](int index) {
            run([op, index](EditingSession& s, int d, Answer) { return op(s, d, index); });
        });
    };
    listOp(noMatch_, SelectNoMatchAction);
    listOp(wrongFormat_, SelectWrongFormatAction);
    listOp(severalFound_, SelectSeveralFound);
    listOp(filterMode_, SelectFilterMode);
    connect(reset_, &QPushButton::clicked, this, [this] {
        ResetLookups(session());
        database_ = 0;
        delimiterChosen_ = false;
        context_.refreshAll();
    });

    refresh();
}

void LookupPage::buildFieldGrid(QGridLayout* grid) {
    const QString headers[] = {text(cap::kField),   text(cap::kOffset),  QString(),
                               text(cap::kKey),     text(cap::kNonZero), text(cap::kQuantity),
                               text(cap::kDateTime)};
    for (int c = 0; c < static_cast<int>(std::size(headers)); ++c)
        grid->addWidget(new QLabel(headers[c], grid->parentWidget()), 0, c);
    lengthHeader_ = new QLabel(grid->parentWidget());
    lengthHeader_->setObjectName(QStringLiteral("lengthHeader"));
    grid->addWidget(lengthHeader_, 0, 2);

    grid->setColumnStretch(7, 1);
    QWidget* box = grid->parentWidget();
    keys_ = new QButtonGroup(this);
    for (int i = 0; i < kFieldsPerLookup; ++i) {
        const QString n = QString::number(i + 1);
        const QString field = text(cap::kField) + QLatin1Char(' ') + n;
        FieldRow& row = rows_[static_cast<std::size_t>(i)];
        row.offset = NumberEdit(box, QStringLiteral("offset") + n,
                                field + QLatin1Char(' ') + text(cap::kOffset));
        row.length = NumberEdit(box, QStringLiteral("length") + n,
                                field + QLatin1Char(' ') + text(cap::kLengthHeader).trimmed());
        row.key = new QRadioButton(box);
        row.key->setObjectName(QStringLiteral("key") + n);
        row.key->setAccessibleName(field + QLatin1Char(' ') + text(cap::kKey));
        keys_->addButton(row.key, i);
        row.nonZero = new QCheckBox(box);
        row.nonZero->setObjectName(QStringLiteral("nonZero") + n);
        row.nonZero->setAccessibleName(field + QLatin1Char(' ') + text(cap::kNonZero));
        row.quantity = new QCheckBox(box);
        row.quantity->setObjectName(QStringLiteral("quantity") + n);
        row.quantity->setAccessibleName(field + QLatin1Char(' ') + text(cap::kQuantity));
        row.dateTime = new QCheckBox(box);
        row.dateTime->setObjectName(QStringLiteral("dateTime") + n);
        row.dateTime->setAccessibleName(field + QLatin1Char(' ') + text(cap::kDateTime));
        const int r = i + 1;
        grid->addWidget(new QLabel(n, box), r, 0);
        grid->addWidget(row.offset, r, 1);
        grid->addWidget(row.length, r, 2);
        grid->addWidget(row.key, r, 3);
        grid->addWidget(row.nonZero, r, 4);
        grid->addWidget(row.quantity, r, 5);
        grid->addWidget(row.dateTime, r, 6);

        connect(row.offset, &QLineEdit::textEdited, this, [this, i](const QString& typed) {
            run([i, t = typed.toStdU16String()](EditingSession& s, int d, Answer) {
                return EditFieldOffset(s, d, i, t);
            });
        });
        connect(row.length, &QLineEdit::textEdited, this,
                [this, i](const QString& typed) { lengthEdited(i, typed, false); });
        connect(row.length, &QLineEdit::editingFinished, this, [this, i] {
            lengthEdited(i, rows_[static_cast<std::size_t>(i)].length->text(), true);
        });
        connect(row.key, &QRadioButton::clicked, this, [this, i] {
            run([i](EditingSession& s, int d, Answer) { return SelectKeyField(s, d, i); });
        });
        connect(row.nonZero, &QCheckBox::toggled, this, [this, i](bool on) {
            run([i, on](EditingSession& s, int d, Answer) {
                return SetDatabaseFieldFlag(s, d, i, DatabaseFieldFlag::NonZeroFilter, on);
            });
        });
        connect(row.quantity, &QCheckBox::toggled, this, [this, i](bool on) {
            run([i, on](EditingSession& s, int d, Answer) {
                return SetDatabaseFieldFlag(s, d, i, DatabaseFieldFlag::QuantityControl, on);
            });
        });
        connect(row.dateTime, &QCheckBox::clicked, this, [this, i] {
            run([i](EditingSession& s, int d, Answer) { return ToggleDateTimeField(s, d, i); });
        });
    }
}

// A date/time field refuses lengths below 14, so its length is taken when the user leaves the
// edit or presses Enter, not at the first digit of a longer number; other lengths as typed.
void LookupPage::lengthEdited(int field, const QString& typed, bool finished) {
    const bool dateTime = Lookup(session().working, database_ + 1).DateTimeField() == field + 1;
    if (dateTime != finished) return;
    const std::u16string t = typed.toStdU16String();
    if (finished &&
        t == ViewLookupPage(session(), database_).fields[static_cast<std::size_t>(field)].length)
        return;
    run([field, &t](EditingSession& s, int d, Answer) { return EditFieldLength(s, d, field, t); });
}

QString LookupPage::text(int id) const {
    return ToQString(UiText(context_.session, id));
}

QString LookupPage::title() const {
    return text(kPageTitleId);
}

QComboBox* LookupPage::addList(QWidget* parent, QFormLayout* layout, int captionId,
                               const QString& objectName) {
    return AddLabelledList(parent, layout, text(captionId), objectName);
}

QCheckBox* LookupPage::addCheck(int captionId, const QString& objectName) {
    auto* box = new QCheckBox(text(captionId), this);
    box->setObjectName(objectName);
    box->setAccessibleName(text(captionId).trimmed());
    return box;
}

bool LookupPage::run(const std::function<Outcome(EditingSession&, int, Answer)>& op, bool formsToo,
                     const std::u16string& caption) {
    Outcome outcome = op(session(), database_, Answer::None);
    if (outcome.Asks()) {
        const int pressed =
            ShowText(context_.ws, kWarningCaption, outcome.text, outcome.icon, outcome.buttons);
        outcome = op(session(), database_, pressed == kIdYes ? Answer::Yes : Answer::No);
    }
    // A refusal says why; an accepted change may say what else it changed.
    if (!outcome.Asks() && !outcome.text.empty())
        ShowText(context_.ws, caption.empty() ? std::u16string(kWarningCaption) : caption,
                 outcome.text, outcome.icon, MessageButtons::Ok);
    if (formsToo && outcome.Accepted())
        context_.refreshAll();
    else
        refresh();
    return outcome.Accepted();
}

void LookupPage::refresh() {
    const LookupPageView v = ViewLookupPage(session(), database_, delimiterChosen_);
    FillList(name_, v.database);
    ShowCheck(fixed_, !v.delimited);
    ShowCheck(delimited_, v.delimited);
    // In fixed-length mode the edit keeps the last delimiter, which "Delimiter " takes back.
    if (v.delimited)
        ShowEdit(delimiter_, v.delimiter, true);
    else
        delimiter_->setEnabled(false);
    ShowEdit(memberLength_, v.memberLength, v.memberLengthEnabled);
    FillList(fieldCount_, v.fieldCount);
    // A placement byte no radio stands for leaves both clear.
    places_->setExclusive(false);
    ShowCheck(memory_, v.placement.selected == 0);
    ShowCheck(card_, v.placement.selected == 1);
    places_->setExclusive(true);
    lengthHeader_->setText(ToQString(v.lengthHeader));

    {
        // No key radio is checked when the stored key is past the fields.
        const QSignalBlocker blocker(keys_);
        keys_->setExclusive(false);
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const LookupFieldRow& f = v.fields[i];
            FieldRow& row = rows_[i];
            ShowEdit(row.offset, f.offset, f.offsetEnabled);
            ShowEdit(row.length, f.length, f.enabled);
            ShowCheck(row.key, f.key, f.enabled);
            ShowCheck(row.nonZero, f.nonZeroFilter, f.enabled);
            ShowCheck(row.quantity, f.quantityControl, f.enabled);
            ShowCheck(row.dateTime, f.dateTime, f.enabled);
        }
        keys_->setExclusive(true);
    }

    ShowCheck(uploadable_, v.canBeUploaded);
    ShowCheck(readOnce_, v.readOnce);
    ShowCheck(searchWithFilter_, v.searchWithFilter);
    FillList(noMatch_, v.noMatch);
    FillList(wrongFormat_, v.wrongFormat);
    FillList(severalFound_, v.severalFound);
    FillList(filterMode_, v.filterMode);
}

}  // namespace fw::editor::ui
