#include "editor/ui/formpage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/formpage.h"
#include "editor/serialdlg.h"
#include "editor/ui/branchdialog.h"
#include "editor/ui/captions.h"
#include "editor/ui/fielddialogs.h"
#include "editor/ui/fieldlinesbox.h"
#include "editor/ui/serialdialog.h"
#include "editor/ui/terminalscreen.h"

namespace fw::editor::ui {
namespace {

QPushButton* Button(QWidget* parent, const QString& caption, const QString& objectName) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    return button;
}

}  // namespace

FormPage::FormPage(SheetContext& context, QWidget* parent) : SheetPage(context, parent) {
    setObjectName(QStringLiteral("FORMDLG"));
    const auto text = [&context](int id) { return Caption(context.session, id); };
    auto* lists = new QFormLayout;
    form_ = AddLabelledList(this, lists, text(caption::kFormName), QStringLiteral("formName"));
    esc_ = AddLabelledList(this, lists, text(caption::kEscTarget), QStringLiteral("escTarget"));
    next_ = AddLabelledList(this, lists, text(caption::kNextTarget), QStringLiteral("nextTarget"));
    error_ =
        AddLabelledList(this, lists, text(caption::kErrorTarget), QStringLiteral("errorTarget"));
    lookup_ = AddLabelledList(this, lists, text(caption::kFormLookup), QStringLiteral("lookup"));
    record_ =
        AddLabelledList(this, lists, text(caption::kRecordAction), QStringLiteral("recordAction"));
    notFound_ = AddLabelledList(this, lists, text(caption::kNotFoundAction),
                                QStringLiteral("notFoundAction"));

    branch_ = Button(this, text(caption::kBranch), QStringLiteral("branch"));
    timeStamp_ = Button(this, text(caption::kTimeStamp), QStringLiteral("timeStamp"));
    serial_ = Button(this, text(caption::kSerialProperties), QStringLiteral("serialProperties"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(branch_);
    buttons->addWidget(timeStamp_);
    buttons->addWidget(serial_);
    buttons->addStretch();

    fieldLines_ = new QGroupBox(this);
    fieldLines_->setObjectName(QStringLiteral("fieldLines"));
    fieldLines_->setMinimumHeight(200);
    lines_ = new FieldLinesBox(context, fieldLines_);

    auto* column = new QVBoxLayout(this);
    column->addLayout(lists);
    column->addLayout(buttons);
    // The terminal's screen for the current form, beside the field lines.
    preview_ = new TerminalScreen(this);
    auto* linesAndScreen = new QHBoxLayout;
    linesAndScreen->addWidget(fieldLines_, 1);
    linesAndScreen->addWidget(preview_, 0, Qt::AlignTop);
    column->addLayout(linesAndScreen, 1);

    connectList(form_, [](EditingSession& s, int i, Answer) { return SelectForm(s, i); });
    connectList(esc_, [](EditingSession& s, int i, Answer) { return SelectEscTarget(s, i); });
    connectList(next_, [](EditingSession& s, int i, Answer) { return SelectNextTarget(s, i); });
    connectList(error_, [](EditingSession& s, int i, Answer) { return SelectErrorTarget(s, i); });
    connectList(lookup_,
                [](EditingSession& s, int i, Answer a) { return SelectFormLookup(s, i, a); });
    connectList(record_, [](EditingSession& s, int i, Answer) { return SelectRecordAction(s, i); });
    connectList(notFound_,
                [](EditingSession& s, int i, Answer) { return SelectNotFoundAction(s, i); });
    connect(branch_, &QPushButton::clicked, this, &FormPage::openBranchDialog);
    connect(serial_, &QPushButton::clicked, this, &FormPage::openSerialDialog);
    connect(timeStamp_, &QPushButton::clicked, this, &FormPage::openStampDialog);
    refresh();
}

QString FormPage::title() const {
    return PageTitle(context_.session, 0);
}

void FormPage::connectList(QComboBox* box,
                           std::function<Outcome(EditingSession&, int, Answer)> op) {
    connect(box, &QComboBox::currentIndexChanged, this, [this, op = std::move(op)](int index) {
        RunOperation(context_.ws, [&](Answer answer) { return op(session(), index, answer); });
        refresh();
    });
}

void FormPage::refresh() {
    const FormPageView view = ViewFormPage(session());
    FillList(form_, view.form);
    FillList(esc_, view.escTarget);
    FillList(next_, view.nextTarget);
    FillList(error_, view.errorTarget);
    FillList(lookup_, view.lookup);
    FillList(record_, view.recordAction);
    FillList(notFound_, view.notFoundAction);
    serial_->setEnabled(view.serialPropertiesEnabled);
    lines_->refresh();
    preview_->setScreen(PreviewFormScreen(session().working, session().currentForm));
}

void FormPage::openBranchDialog() {
    BranchDialog dialog(context_, this);
    dialog.exec();
    refresh();
}

void FormPage::openStampDialog() {
    StampDialog dialog(context_, this);
    dialog.exec();
    refresh();
}

void FormPage::openSerialDialog() {
    SerialDialog dialog(context_, this);
    dialog.exec();
    refresh();
}

}  // namespace fw::editor::ui
