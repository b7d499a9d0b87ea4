#include "editor/ui/fielddialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "editor/chargrid.h"
#include "editor/lookupfielddlg.h"
#include "editor/operationsdlg.h"
#include "editor/ui/barcodeparsingdialog.h"
#include "editor/ui/captions.h"
#include "model/codepage.h"
#include "shell/gridtarget.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

void ShowCheck(QCheckBox* box, bool on, bool enabled = true) {
    const QSignalBlocker blocker(box);
    box->setChecked(on);
    box->setEnabled(enabled);
}

// A stored text is written back only when it differs, so typing keeps its cursor.
void ShowEdit(QLineEdit* edit, const QString& text, bool enabled) {
    const QSignalBlocker blocker(edit);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(enabled);
}

constexpr int kParsingCaptionId = 1252;  // "Разбор ШК"

}  // namespace

void FieldEditorDialog::apply(const std::function<Outcome()>& op) {
    RunOperation(context_.ws, [&](Answer) { return op(); });
    refresh();
}

QCheckBox* FieldEditorDialog::addCheck(const QString& caption, const QString& objectName,
                                       std::function<Outcome(bool)> op) {
    QCheckBox* box = makeCheck(caption, objectName, std::move(op));
    lists_->addRow(box);
    return box;
}

QCheckBox* FieldEditorDialog::makeCheck(const QString& caption, const QString& objectName,
                                        std::function<Outcome(bool)> op) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    box->setAccessibleName(caption.trimmed());
    connect(box, &QCheckBox::toggled, this,
            [this, op = std::move(op)](bool on) { apply([&] { return op(on); }); });
    return box;
}

QLineEdit* FieldEditorDialog::addCheckedEdit(QCheckBox* check, const QString& objectName,
                                             std::function<Outcome(const std::u16string&)> op) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setAccessibleName(check->accessibleName());
    connect(edit, &QLineEdit::textEdited, this, [this, op = std::move(op)](const QString& text) {
        apply([&] { return op(text.toStdU16String()); });
    });
    lists_->addRow(check, edit);
    return edit;
}

QComboBox* FieldEditorDialog::addCheckedList(
    QCheckBox* check, const QString& objectName,
    std::function<Outcome(EditingSession&, int, Answer)> op) {
    auto* box = new QComboBox(this);
    box->setObjectName(objectName);
    box->setAccessibleName(check->accessibleName());
    connectList(box, std::move(op));
    lists_->addRow(check, box);
    return box;
}

QLineEdit* FieldEditorDialog::addCodeTarget(QCheckBox* check, const QString& objectName,
                                            LineCode which) {
    auto* target = new GridTargetEdit(this);
    target->setObjectName(objectName);
    target->setAccessibleName(check->accessibleName());
    connect(target, &GridTargetEdit::openRequested, this, [this, target, which] {
        CharGrid grid = OpenLineCodeGrid(session(), which);
        if (target->runGrid(context_.ws, grid))
            apply([&] { return StoreGridLineCode(session(), which, grid); });
        else
            refresh();
    });
    lists_->addRow(check, target);
    return target;
}

QLineEdit* FieldEditorDialog::addEdit(const QString& caption, const QString& objectName,
                                      std::function<Outcome(const std::u16string&)> op) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setAccessibleName(caption.trimmed());
    auto* label = new QLabel(caption, this);
    label->setBuddy(edit);
    connect(edit, &QLineEdit::textEdited, this, [this, op = std::move(op)](const QString& text) {
        apply([&] { return op(text.toStdU16String()); });
    });
    lists_->addRow(label, edit);
    return edit;
}

void FieldEditorDialog::addPlace(int form, int line, const QString& formCaption,
                                 const QString& lineCaption) {
    lists_->addRow(new QLabel(
        QStringLiteral("%1 %2    %3 %4").arg(formCaption).arg(form).arg(lineCaption).arg(line),
        this));
}

// ---- field properties ------------------------------------------------------------------------

FieldPropertiesDialog::FieldPropertiesDialog(SheetContext& context, QWidget* parent)
    : FieldEditorDialog(context, parent, QStringLiteral("FIELDDLG"),
                        Caption(context.session, caption::kProperties)),
      dialog_(OpenFieldDialog(context.session)) {
    const auto text = [this](int id) { return Caption(session(), id); };
    const FieldDialogView first = ViewFieldDialog(session(), dialog_);
    addPlace(first.formNumber, first.lineNumber, text(caption::kFormNumber),
             text(caption::kLineNumber));
    auto flag = [this](FieldFlag f) {
        return [this, f](bool on) { return SetFieldFlag(session(), dialog_, f, on); };
    };
    auto edit = [this](Outcome (*op)(EditingSession&, std::u16string_view)) {
        return [this, op](const std::u16string& text) { return op(session(), text); };
    };
    auto list = [this](Outcome (*op)(EditingSession&, int)) {
        return [this, op](EditingSession&, int i, Answer) { return op(session(), i); };
    };
    fixed_ = makeCheck(text(caption::kFixedLength), QStringLiteral("fixedLength"),
                       flag(FieldFlag::FixedLength));
    fixedLength_ =
        addCheckedEdit(fixed_, QStringLiteral("fixedLengthValue"), edit(&EditFixedLength));
    alignment_ =
        addList(text(caption::kAlignment), QStringLiteral("alignment"), list(&SelectAlignment));
    initial_ = makeCheck(text(caption::kInitialValue), QStringLiteral("initialValue"),
                         flag(FieldFlag::InitialValue));
    initialText_ = addCheckedEdit(initial_, QStringLiteral("initialText"), edit(&EditInitialValue));
    prefix_ = makeCheck(text(caption::kPrefix), QStringLiteral("prefix"), flag(FieldFlag::Prefix));
    prefixCode_ = addCodeTarget(prefix_, QStringLiteral("prefixCode"), LineCode::Prefix);
    prefixSearch_ = addCheck(text(caption::kPrefixInSearch), QStringLiteral("prefixInSearch"),
                             flag(FieldFlag::PrefixInSearch));
    suffix_ = makeCheck(text(caption::kSuffix), QStringLiteral("suffix"), flag(FieldFlag::Suffix));
    suffixCode_ = addCodeTarget(suffix_, QStringLiteral("suffixCode"), LineCode::Suffix);
    suffixSearch_ = addCheck(text(caption::kSuffixInSearch), QStringLiteral("suffixInSearch"),
                             flag(FieldFlag::SuffixInSearch));
    mark_ = makeCheck(text(caption::kInputMark), QStringLiteral("inputMark"),
                      flag(FieldFlag::InputMark));
    markText_ = addCheckedEdit(mark_, QStringLiteral("inputMarkText"), edit(&EditInputMark));
    decimals_ = addList(text(caption::kDecimalPlaces), QStringLiteral("decimalPlaces"),
                        list(&SelectDecimalPlaces));
    partial_ = addCheck(text(caption::kPartialBarcode), QStringLiteral("partialBarcode"),
                        flag(FieldFlag::PartialBarcode));
    partialStart_ = addEdit(text(caption::kPartialStart), QStringLiteral("partialStart"),
                            edit(&EditPartialStart));
    partialLength_ = addEdit(text(caption::kPartialLength), QStringLiteral("partialLength"),
                             edit(&EditPartialLength));
    keepWhole_ = addCheck(text(caption::kKeepWholeBarcode), QStringLiteral("keepWholeBarcode"),
                          flag(FieldFlag::KeepWholeBarcode));
    leading_ = makeCheck(text(caption::kLeadingCode), QStringLiteral("leadingCode"),
                         flag(FieldFlag::LeadingCode));
    leadingText_ =
        addCheckedEdit(leading_, QStringLiteral("leadingCodeText"), edit(&EditLeadingCode));
    checkDigit_ = makeCheck(text(caption::kCheckDigit), QStringLiteral("checkDigit"),
                            flag(FieldFlag::CheckDigit));
    checkMethod_ =
        addCheckedList(checkDigit_, QStringLiteral("checkDigitMethod"), list(&SelectCheckDigit));
    autoEnter_ =
        addList(text(caption::kAutoEnter), QStringLiteral("autoEnter"), list(&SelectAutoEnter));
    addParsingButton();
    refresh();
}

// "Разбор ШК": the weight and GS1 rules of this line. They may change line types, so the
// dialog and every page re-read the working copies afterwards.
void FieldPropertiesDialog::addParsingButton() {
    auto* parsing = new QPushButton(ToQString(UiText(session(), kParsingCaptionId)), this);
    parsing->setObjectName(QStringLiteral("barcodeParsing"));
    parsing->setAccessibleName(parsing->text());
    parsing->setAutoDefault(false);
    connect(parsing, &QPushButton::clicked, this, [this] {
        BarcodeParsingSettingsDialog dialog(context_, this);
        dialog.exec();
        refresh();
        if (context_.refreshAll) context_.refreshAll();
    });
    lists_->addRow(parsing);
}

void FieldPropertiesDialog::refresh() {
    const FieldDialogView v = ViewFieldDialog(session(), dialog_);
    ShowCheck(fixed_, v.fixedLength);
    ShowEdit(fixedLength_, QString::number(v.fixedLengthValue), v.fixedLength);
    FillList(alignment_, v.alignment);
    ShowCheck(initial_, v.initialValue, v.initialEnabled);
    ShowEdit(initialText_, ToQString(v.initialText), v.initialEnabled && v.initialValue);
    ShowCheck(prefix_, v.prefix);
    ShowEdit(prefixCode_, ToQString(LineCodeText(session(), LineCode::Prefix)), v.prefix);
    ShowCheck(prefixSearch_, v.prefixInSearch, v.prefixInSearchEnabled);
    ShowCheck(suffix_, v.suffix);
    ShowEdit(suffixCode_, ToQString(LineCodeText(session(), LineCode::Suffix)), v.suffix);
    ShowCheck(suffixSearch_, v.suffixInSearch, v.suffixInSearchEnabled);
    ShowCheck(mark_, v.inputMark, v.inputMarkEnabled);
    ShowEdit(markText_, ToQString(v.inputMarkText), v.inputMarkEnabled && v.inputMark);
    FillList(decimals_, v.decimalPlaces);
    ShowCheck(partial_, v.partialBarcode, v.partialEnabled);
    const bool partial = v.partialEnabled && v.partialBarcode;
    ShowEdit(partialStart_, QString::number(v.partialStart), partial);
    ShowEdit(partialLength_, QString::number(v.partialLength), partial);
    ShowCheck(keepWhole_, v.keepWholeBarcode, partial);
    ShowCheck(leading_, v.leadingCode, v.leadingCodeEnabled);
    ShowEdit(leadingText_, ToQString(v.leadingCodeText), v.leadingCodeEnabled && v.leadingCode);
    ShowCheck(checkDigit_, v.checkDigit, v.checkDigitEnabled);
    FillList(checkMethod_, v.checkDigitMethod);
    FillList(autoEnter_, v.autoEnter);
}

void FieldPropertiesDialog::accept() {
    ConfirmFieldDialog(session(), dialog_);
    QDialog::accept();
}

void FieldPropertiesDialog::restore() {
    CancelFieldDialog(session(), dialog_);
}

// ---- lookup field properties -----------------------------------------------------------------

LookupFieldDialog::LookupFieldDialog(SheetContext& context, QWidget* parent)
    : FieldEditorDialog(context, parent, QStringLiteral("LOOKUPFIELDDLG"),
                        Caption(context.session, caption::kProperties)) {
    snapshot_ = OpenLookupFieldDialog(session());
    const auto text = [this](int id) { return Caption(session(), id); };
    const LookupFieldDialogView first = ViewLookupFieldDialog(session());
    addPlace(first.formNumber, first.lineNumber, text(caption::kFormNumber),
             text(caption::kLineNumber));
    auto flag = [this](LookupFieldFlag f) {
        return [this, f](bool on) { return SetLookupFieldFlag(session(), f, on); };
    };
    save_ = addCheck(text(caption::kSaveFieldData), QStringLiteral("saveData"),
                     flag(LookupFieldFlag::SaveData));
    fixed_ = makeCheck(text(caption::kFixedLength), QStringLiteral("fixedLength"),
                       flag(LookupFieldFlag::FixedLength));
    fixedLength_ = addCheckedEdit(
        fixed_, QStringLiteral("fixedLengthValue"),
        [this](const std::u16string& t) { return EditLookupFixedLength(session(), t); });
    alignment_ = addList(
        text(caption::kAlignment), QStringLiteral("alignment"),
        [this](EditingSession&, int i, Answer) { return SelectLookupAlignment(session(), i); });
    prefix_ =
        makeCheck(text(caption::kPrefix), QStringLiteral("prefix"), flag(LookupFieldFlag::Prefix));
    prefixCode_ = addCodeTarget(prefix_, QStringLiteral("prefixCode"), LineCode::Prefix);
    suffix_ =
        makeCheck(text(caption::kSuffix), QStringLiteral("suffix"), flag(LookupFieldFlag::Suffix));
    suffixCode_ = addCodeTarget(suffix_, QStringLiteral("suffixCode"), LineCode::Suffix);
    refresh();
}

void LookupFieldDialog::refresh() {
    const LookupFieldDialogView v = ViewLookupFieldDialog(session());
    ShowCheck(save_, v.saveData);
    ShowCheck(fixed_, v.fixedLength, v.enabled);
    ShowEdit(fixedLength_, QString::number(v.fixedLengthValue), v.enabled && v.fixedLength);
    FillList(alignment_, v.alignment);
    ShowCheck(prefix_, v.prefix, v.enabled);
    ShowEdit(prefixCode_, ToQString(LineCodeText(session(), LineCode::Prefix)),
             v.enabled && v.prefix);
    ShowCheck(suffix_, v.suffix, v.enabled);
    ShowEdit(suffixCode_, ToQString(LineCodeText(session(), LineCode::Suffix)),
             v.enabled && v.suffix);
}

void LookupFieldDialog::accept() {
    ConfirmLookupFieldDialog(session());
    QDialog::accept();
}

// ---- operations ------------------------------------------------------------------------------

OperationsDialog::OperationsDialog(SheetContext& context, QWidget* parent)
    : FieldEditorDialog(context, parent, QStringLiteral("OPERATIONSDLG"),
                        Caption(context.session, caption::kOperationsTitle)) {
    snapshot_ = OpenOperationsDialog(session());
    const auto text = [this](int id) { return Caption(session(), id); };
    const OperationsDialogView first = ViewOperationsDialog(session());
    addPlace(first.formNumber, first.lineNumber, text(caption::kOperationsForm),
             text(caption::kOperationsLine));
    save_ = makeCheck(
        text(caption::kSaveToVariable), QStringLiteral("saveToVariable"),
        [this](bool on) { return SetOperation(session(), Operation::SaveToVariable, on); });
    saveVariable_ = addCheckedList(
        save_, QStringLiteral("saveVariable"), [this](EditingSession&, int i, Answer) {
            return SelectOperationVariable(session(), Operation::SaveToVariable, i);
        });
    fill_ = makeCheck(
        text(caption::kFillFromVariable), QStringLiteral("fillFromVariable"),
        [this](bool on) { return SetOperation(session(), Operation::FillFromVariable, on); });
    fillVariable_ = addCheckedList(
        fill_, QStringLiteral("fillVariable"), [this](EditingSession&, int i, Answer) {
            return SelectOperationVariable(session(), Operation::FillFromVariable, i);
        });
    refresh();
}

void OperationsDialog::refresh() {
    const OperationsDialogView v = ViewOperationsDialog(session());
    ShowCheck(save_, v.save, v.saveEnabled);
    FillList(saveVariable_, v.saveVariable);
    ShowCheck(fill_, v.fill, v.fillEnabled);
    FillList(fillVariable_, v.fillVariable);
}

// ---- date-and-time stamp ---------------------------------------------------------------------

StampDialog::StampDialog(SheetContext& context, QWidget* parent)
    : FieldEditorDialog(context, parent, QStringLiteral("STAMPDLG"),
                        Caption(context.session, caption::kStampTitle)) {
    snapshot_ = OpenStampDialog(session());
    auto list = [this](Outcome (*op)(EditingSession&, int)) {
        return [this, op](EditingSession&, int i, Answer) { return op(session(), i); };
    };
    auto flag = [this](StampFlag f) {
        return [this, f](bool on) { return SetStampFlag(session(), f, on); };
    };
    position_ = addList(QStringLiteral("Stamp"), QStringLiteral("stampPosition"),
                        list(&SelectStampPosition));
    auto check = [&](StampFlag f, const QString& caption, const QString& name) {
        flags_[static_cast<std::size_t>(f)] = addCheck(caption, name, flag(f));
    };
    check(StampFlag::Separate, QStringLiteral("Separate date and time fields"),
          QStringLiteral("separate"));
    check(StampFlag::Year, QStringLiteral("Year"), QStringLiteral("year"));
    yearDigits_ = addList(QStringLiteral("Year digits"), QStringLiteral("yearDigits"),
                          list(&SelectYearDigits));
    check(StampFlag::Month, QStringLiteral("Month"), QStringLiteral("month"));
    check(StampFlag::Day, QStringLiteral("Day"), QStringLiteral("day"));
    QCheckBox* dateSeparatorOn = flags_[static_cast<std::size_t>(StampFlag::DateSeparator)] =
        makeCheck(Caption(session(), caption::kSeparator), QStringLiteral("dateSeparatorOn"),
                  flag(StampFlag::DateSeparator));
    dateSeparator_ =
        addCheckedEdit(dateSeparatorOn, QStringLiteral("dateSeparator"),
                       [this](const std::u16string& t) { return EditDateSeparator(session(), t); });
    dateStyle_ =
        addList(QStringLiteral("Date style"), QStringLiteral("dateStyle"), list(&SelectDateStyle));
    datePreview_ = new QLabel(this);
    datePreview_->setObjectName(QStringLiteral("datePreview"));
    lists_->addRow(datePreview_);
    check(StampFlag::Hour, QStringLiteral("Hour"), QStringLiteral("hour"));
    check(StampFlag::Minute, QStringLiteral("Minute"), QStringLiteral("minute"));
    check(StampFlag::Second, QStringLiteral("Second"), QStringLiteral("second"));
    QCheckBox* timeSeparatorOn = flags_[static_cast<std::size_t>(StampFlag::TimeSeparator)] =
        makeCheck(Caption(session(), caption::kSeparator), QStringLiteral("timeSeparatorOn"),
                  flag(StampFlag::TimeSeparator));
    timeSeparator_ =
        addCheckedEdit(timeSeparatorOn, QStringLiteral("timeSeparator"),
                       [this](const std::u16string& t) { return EditTimeSeparator(session(), t); });
    // The two separators share a caption; their accessible names say which is which.
    dateSeparatorOn->setAccessibleName(QStringLiteral("Date Separator"));
    dateSeparator_->setAccessibleName(QStringLiteral("Date Separator"));
    timeSeparatorOn->setAccessibleName(QStringLiteral("Time Separator"));
    timeSeparator_->setAccessibleName(QStringLiteral("Time Separator"));
    timePreview_ = new QLabel(this);
    timePreview_->setObjectName(QStringLiteral("timePreview"));
    lists_->addRow(timePreview_);
    refresh();
}

void StampDialog::refresh() {
    const StampDialogView v = ViewStampDialog(session());
    FillList(position_, v.position);
    FillList(yearDigits_, v.yearDigits);
    FillList(dateStyle_, v.dateStyle);
    const std::array<bool, 9> on{v.separate,        v.year, v.month,  v.day,
                                 v.dateSeparatorOn, v.hour, v.minute, v.second,
                                 v.timeSeparatorOn};
    for (std::size_t i = 0; i < flags_.size(); ++i)
        ShowCheck(flags_[i], on[i]);
    ShowEdit(dateSeparator_, ToQString(v.dateSeparator), v.dateSeparatorOn);
    ShowEdit(timeSeparator_, ToQString(v.timeSeparator), v.timeSeparatorOn);
    datePreview_->setText(ToQString(v.datePreview));
    timePreview_->setText(ToQString(v.timePreview));
}

}  // namespace fw::editor::ui
