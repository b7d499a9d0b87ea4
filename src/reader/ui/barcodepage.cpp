#include "reader/ui/barcodepage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "reader/barcodepage.h"
#include "reader/ui/readerdialogs.h"
#include "shell/messagebox.h"

namespace fw::reader::ui {
namespace {

constexpr int kBoxColumns = 3;

QPushButton* Button(QWidget* parent, const QString& objectName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    return button;
}

void SetCaption(QAbstractButton* button, const std::u16string& text) {
    button->setText(ToQString(text));
    button->setAccessibleName(ToQString(text));
}

void SetCaption(QLabel* label, const std::u16string& text) {
    label->setText(ToQString(text));
}

void FillEdit(QLineEdit* edit, const NumberEditView& view) {
    const QSignalBlocker blocker(edit);
    edit->setMaxLength(view.maxChars);
    edit->setText(ToQString(view.text));
    edit->setEnabled(view.enabled);
}

void Check(QCheckBox* box, bool checked) {
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

}  // namespace

BarcodePage::BarcodePage(SheetContext& context, QWidget* parent) : SheetPage(context, parent) {
    setObjectName(QStringLiteral("BARCODESETTINGDLG"));
    connect(this, &BarcodePage::dialogRequested, this,
            [this](const QString& name) { OpenReaderDialog(name, context_, this); });

    engineGroup_ = new QGroupBox(this);
    engineLabel_ = new QLabel(engineGroup_);
    engine_ = new QComboBox(engineGroup_);
    engine_->setObjectName(QStringLiteral("engine"));
    engineLabel_->setBuddy(engine_);
    rfid_ = new QCheckBox(engineGroup_);
    rfid_->setObjectName(QStringLiteral("rfid"));
    rfidParameters_ = Button(engineGroup_, QStringLiteral("RFID_PARAM_DLG"));
    auto* engineRow = new QHBoxLayout(engineGroup_);
    engineRow->addWidget(engineLabel_);
    engineRow->addWidget(engine_, 1);
    engineRow->addWidget(rfid_);
    engineRow->addWidget(rfidParameters_);

    optionsGroup_ = new QGroupBox(this);
    auto* options = new QGridLayout(optionsGroup_);
    firstLabel_ = new QLabel(optionsGroup_);
    firstList_ = new QComboBox(optionsGroup_);
    firstList_->setObjectName(QStringLiteral("firstList"));
    secondLabel_ = new QLabel(optionsGroup_);
    secondList_ = new QComboBox(optionsGroup_);
    secondList_->setObjectName(QStringLiteral("secondList"));
    timeoutLabel_ = new QLabel(optionsGroup_);
    timeout_ = new QLineEdit(optionsGroup_);
    timeout_->setObjectName(QStringLiteral("timeout"));
    timeoutUnit_ = new QLabel(optionsGroup_);
    aimingLabel_ = new QLabel(optionsGroup_);
    aimingTime_ = new QLineEdit(optionsGroup_);
    aimingTime_->setObjectName(QStringLiteral("aimingTime"));
    aimingUnit_ = new QLabel(optionsGroup_);
    // Three digits at most: the edits need no more room than that.
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12;
    timeout_->setMaximumWidth(numberWidth);
    aimingTime_->setMaximumWidth(numberWidth);
    firstLabel_->setBuddy(firstList_);
    secondLabel_->setBuddy(secondList_);
    timeoutLabel_->setBuddy(timeout_);
    aimingLabel_->setBuddy(aimingTime_);
    options->addWidget(firstLabel_, 0, 0);
    options->addWidget(firstList_, 0, 1, 1, 2);
    options->addWidget(secondLabel_, 1, 0);
    options->addWidget(secondList_, 1, 1, 1, 2);
    options->addWidget(timeoutLabel_, 2, 0);
    options->addWidget(timeout_, 2, 1);
    options->addWidget(timeoutUnit_, 2, 2);
    options->setColumnStretch(2, 1);
    options->addWidget(aimingLabel_, 3, 0);
    options->addWidget(aimingTime_, 3, 1);
    options->addWidget(aimingUnit_, 3, 2);

    symbologyGroup_ = new QGroupBox(this);
    auto* grid = new QGridLayout(symbologyGroup_);
    const int rows = (kBoxCount + kBoxColumns - 1) / kBoxColumns;
    for (int i = 0; i < kBoxCount; ++i) {
        const int box = kFirstBox + i;
        boxes_[i] = new QCheckBox(symbologyGroup_);
        boxes_[i]->setObjectName(QStringLiteral("box%1").arg(box));
        more_[i] = Button(symbologyGroup_, QStringLiteral("more%1").arg(box + 100));
        grid->addWidget(boxes_[i], i % rows, 2 * (i / rows));
        grid->addWidget(more_[i], i % rows, 2 * (i / rows) + 1);
        connect(boxes_[i], &QCheckBox::clicked, this, [this, box](bool checked) {
            SetSymbologyBox(session(), box, checked);
            refresh();
        });
        connect(more_[i], &QPushButton::clicked, this,
                [this, i] { requestDialog(more_[i]->objectName()); });
    }

    codeId_ = Button(this, QStringLiteral("CODEIDDLG"));
    reset_ = Button(this, QStringLiteral("reset"));
    weightGroup_ = new QGroupBox(this);
    weightUse_ = new QCheckBox(weightGroup_);
    weightUse_->setObjectName(QStringLiteral("weightBarcodes"));
    weightMask_ = Button(weightGroup_, QStringLiteral("WEIGHTBCMASKDLG"));
    auto* weightRow = new QHBoxLayout(weightGroup_);
    weightRow->addWidget(weightUse_);
    weightRow->addWidget(weightMask_);
    gs1Group_ = new QGroupBox(this);
    gs1Use_ = new QCheckBox(gs1Group_);
    gs1Use_->setObjectName(QStringLiteral("gs1Identifiers"));
    gs1Settings_ = Button(gs1Group_, QStringLiteral("GS1AISETTINGSDLG"));
    auto* gs1Row = new QHBoxLayout(gs1Group_);
    gs1Row->addWidget(gs1Use_);
    gs1Row->addWidget(gs1Settings_);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(weightGroup_);
    bottom->addWidget(gs1Group_);
    bottom->addStretch();
    bottom->addWidget(codeId_);
    bottom->addWidget(reset_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(engineGroup_);
    column->addWidget(optionsGroup_);
    column->addWidget(symbologyGroup_, 1);
    column->addLayout(bottom);

    connect(engine_, &QComboBox::currentIndexChanged, this, [this](int index) {
        SelectEngine(session(), index);
        refresh();
    });
    connect(rfid_, &QCheckBox::clicked, this, [this](bool checked) {
        SetRfidReader(session(), checked);
        refresh();
    });
    connect(firstList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        SelectScanMode(session(), index);
        refresh();
    });
    connect(secondList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        SelectRedundancy(session(), index);
        refresh();
    });
    connect(timeout_, &QLineEdit::textEdited, this, [this] { editNumber(timeout_, true); });
    connect(aimingTime_, &QLineEdit::textEdited, this, [this] { editNumber(aimingTime_, false); });
    // The Form page offers weight and GS1 choices only while these are on.
    connect(weightUse_, &QCheckBox::clicked, this, [this](bool checked) {
        SetWeightBarcodesUsed(session(), checked);
        context_.refreshAll();
    });
    connect(gs1Use_, &QCheckBox::clicked, this, [this](bool checked) {
        SetGs1IdentifiersUsed(session(), checked);
        context_.refreshAll();
    });
    connect(reset_, &QPushButton::clicked, this, [this] {
        ResetReaderPage(session());
        refresh();
    });
    connect(rfidParameters_, &QPushButton::clicked, this,
            [this] { requestDialog(rfidParameters_->objectName()); });
    connect(codeId_, &QPushButton::clicked, this, [this] { requestDialog(codeId_->objectName()); });
    connect(weightMask_, &QPushButton::clicked, this,
            [this] { requestDialog(weightMask_->objectName()); });
    connect(gs1Settings_, &QPushButton::clicked, this,
            [this] { requestDialog(gs1Settings_->objectName()); });
    refresh();
}

QString BarcodePage::title() const {
    return ToQString(editor::UiText(context_.session, kBarcodePageTitleId));
}

void BarcodePage::refresh() {
    const BarcodePageView v = ViewBarcodePage(session());
    engineGroup_->setTitle(ToQString(v.engineGroup));
    SetCaption(engineLabel_, v.engineLabel);
    engine_->setAccessibleName(ToQString(v.engineLabel));
    editor::ui::FillList(engine_, v.engine);
    SetCaption(rfid_, v.rfidText);
    Check(rfid_, v.rfid);
    SetCaption(rfidParameters_, v.moreText);
    rfidParameters_->setEnabled(v.rfidParametersEnabled);

    optionsGroup_->setTitle(ToQString(v.optionsGroup));
    for (auto [label, text] : {std::pair{firstLabel_, &v.firstListLabel},
                               {secondLabel_, &v.secondListLabel},
                               {timeoutLabel_, &v.timeoutLabel},
                               {timeoutUnit_, &v.timeoutUnit}}) {
        SetCaption(label, *text);
        label->setEnabled(v.optionLabelsEnabled);
    }
    firstList_->setAccessibleName(ToQString(v.firstListLabel));
    secondList_->setAccessibleName(ToQString(v.secondListLabel));
    timeout_->setAccessibleName(ToQString(v.timeoutLabel));
    editor::ui::FillList(firstList_, v.firstList);
    editor::ui::FillList(secondList_, v.secondList);
    FillEdit(timeout_, v.timeout);
    SetCaption(aimingLabel_, v.aimingLabel);
    SetCaption(aimingUnit_, v.aimingUnit);
    aimingTime_->setAccessibleName(ToQString(v.aimingLabel));
    FillEdit(aimingTime_, v.aimingTime);
    aimingLabel_->setEnabled(v.aimingTime.enabled);
    aimingUnit_->setEnabled(v.aimingTime.enabled);

    symbologyGroup_->setTitle(ToQString(v.symbologyGroup));
    for (int i = 0; i < kBoxCount; ++i) {
        const SymbologyBoxView* b = v.Box(kFirstBox + i);
        QCheckBox* box = boxes_[i];
        QPushButton* more = more_[i];
        SetCaption(box, b->text);
        Check(box, b->checked);
        box->setEnabled(b->enabled);
        box->setVisible(b->shown);
        SetCaption(more, v.moreText);
        more->setAccessibleName(ToQString(v.moreText + u" " + b->text));
        more->setObjectName(
            b->moreShown
                ? QString::fromLatin1(b->dialog.data(), static_cast<qsizetype>(b->dialog.size()))
                : QStringLiteral("more%1").arg(kFirstBox + i + 100));
        more->setEnabled(b->moreEnabled);
        more->setVisible(b->moreShown);
    }

    SetCaption(codeId_, v.codeIdText);
    SetCaption(reset_, v.resetText);
    weightGroup_->setTitle(ToQString(v.weightGroup));
    SetCaption(weightUse_, v.useText);
    Check(weightUse_, v.weightBarcodes);
    SetCaption(weightMask_, v.maskText);
    weightMask_->setEnabled(v.weightBarcodes);
    gs1Group_->setTitle(ToQString(v.gs1Group));
    SetCaption(gs1Use_, v.useText);
    Check(gs1Use_, v.gs1Identifiers);
    SetCaption(gs1Settings_, v.settingsText);
    gs1Settings_->setEnabled(v.gs1Identifiers);
}

void BarcodePage::apply() {
    if (shown_) ApplyBarcodePage(session());
}

void BarcodePage::showEvent(QShowEvent* event) {
    shown_ = true;
    SheetPage::showEvent(event);
}

void BarcodePage::requestDialog(const QString& templateName) {
    emit dialogRequested(templateName);
    refresh();
}

void BarcodePage::editNumber(QLineEdit* edit, bool timeout) {
    const std::u16string typed = edit->text().toStdU16String();
    const NumberEditResult r =
        timeout ? EditTimeout(session(), typed) : EditAimingTime(session(), typed);
    if (r.changed) {
        const QSignalBlocker blocker(edit);
        edit->setText(ToQString(r.text));
    }
}

}  // namespace fw::reader::ui
