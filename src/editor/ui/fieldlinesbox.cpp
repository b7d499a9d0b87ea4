#include "editor/ui/fieldlinesbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "editor/fieldlines.h"
#include "editor/ui/captions.h"
#include "editor/ui/fielddialogs.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

// Shows a stored text without moving the cursor when nothing changed.
void ShowText(QLineEdit* edit, const QString& text, bool enabled) {
    const QSignalBlocker blocker(edit);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(enabled);
}

}  // namespace

FieldLinesBox::FieldLinesBox(SheetContext& context, QWidget* box)
    : QObject(box), context_(context), box_(box) {
    auto* grid = new QGridLayout(box);
    const auto text = [this](int id) { return Caption(session(), id); };
    const QStringList headings{QString(),
                               text(caption::kLineType),
                               text(caption::kLinePrompt),
                               text(caption::kLineSource),
                               QStringLiteral("Min"),
                               QStringLiteral("Max"),
                               text(caption::kLineLookupColumn)};
    for (int column = 0; column < headings.size(); ++column)
        grid->addWidget(new QLabel(headings[column], box), 0, column);
    for (int line = 0; line < kLinesPerForm; ++line)
        addLine(grid, line);
    grid->setColumnStretch(2, 1);
    // Spare height goes below the lines, so the headings stay on top of them.
    grid->setRowStretch(kLinesPerForm + 1, 1);
    refresh();
}

void FieldLinesBox::addLine(QGridLayout* grid, int line) {
    Line& l = lines_[static_cast<std::size_t>(line)];
    const QString number = QString::number(line + 1);
    const auto text = [this](int id) { return Caption(session(), id); };
    // Each control is named by its column and its line, for screen readers and tests.
    auto name = [&](QWidget* w, const QString& caption, const QString& object) {
        w->setAccessibleName(caption + QLatin1Char(' ') + number);
        w->setObjectName(object + number);
    };
    auto* label = new QLabel(number, box_);
    l.type = new QComboBox(box_);
    name(l.type, text(caption::kLineType), QStringLiteral("lineType"));
    label->setBuddy(l.type);
    l.prompt = new QLineEdit(box_);
    name(l.prompt, text(caption::kLinePrompt), QStringLiteral("linePrompt"));
    l.source = new QComboBox(box_);
    name(l.source, text(caption::kLineSource), QStringLiteral("lineSource"));
    l.minLength = new QLineEdit(box_);
    name(l.minLength, QStringLiteral("Min"), QStringLiteral("lineMin"));
    l.maxLength = new QLineEdit(box_);
    name(l.maxLength, QStringLiteral("Max"), QStringLiteral("lineMax"));
    for (QLineEdit* edit : {l.minLength, l.maxLength})
        edit->setMaximumWidth(40);
    l.lookupColumn = new QComboBox(box_);
    name(l.lookupColumn, text(caption::kLineLookupColumn), QStringLiteral("lineLookup"));
    l.more = new QPushButton(text(caption::kMore), box_);
    name(l.more, l.more->text(), QStringLiteral("lineMore"));
    l.operations = new QPushButton(QStringLiteral("+"), box_);
    // "+" says nothing to a screen reader; it hears the name of the dialog the button opens.
    name(l.operations, text(caption::kOperationsTitle), QStringLiteral("lineOperations"));
    l.operations->setMaximumWidth(30);

    const int row = line + 1;
    int column = 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{label, l.type, l.prompt, l.source, l.minLength,
                                         l.maxLength, l.lookupColumn, l.more, l.operations})
        grid->addWidget(w, row, column++);

    connect(l.type, &QComboBox::currentIndexChanged, this, [this, line](int i) {
        run(line, [i](EditingSession& s, int n) { return SelectLineType(s, n, i); });
    });
    connect(l.source, &QComboBox::currentIndexChanged, this, [this, line](int i) {
        run(line, [i](EditingSession& s, int n) { return SelectInputSource(s, n, i); });
    });
    connect(l.lookupColumn, &QComboBox::currentIndexChanged, this, [this, line](int i) {
        run(line, [i](EditingSession& s, int n) { return SelectLookupColumn(s, n, i); });
    });
    connect(l.prompt, &QLineEdit::textEdited, this, [this, line](const QString& text) {
        run(line,
            [&](EditingSession& s, int n) { return EditPrompt(s, n, text.toStdU16String()); });
    });
    connect(l.minLength, &QLineEdit::textEdited, this, [this, line](const QString& text) {
        run(line,
            [&](EditingSession& s, int n) { return EditMinLength(s, n, text.toStdU16String()); });
    });
    connect(l.maxLength, &QLineEdit::textEdited, this, [this, line](const QString& text) {
        run(line,
            [&](EditingSession& s, int n) { return EditMaxLength(s, n, text.toStdU16String()); });
    });
    connect(l.more, &QPushButton::clicked, this, [this, line] { openProperties(line); });
    connect(l.operations, &QPushButton::clicked, this, [this, line] { openOperations(line); });
}

void FieldLinesBox::run(int line, const std::function<Outcome(EditingSession&, int)>& op) {
    session().currentLine = line;
    RunOperation(context_.ws, [&](Answer) { return op(session(), line); });
    // A type change can change the form's record action too.
    context_.refreshAll();
}

void FieldLinesBox::refresh() {
    const FieldLinesView view = ViewFieldLines(session());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const FieldLineView& v = view.lines[i];
        Line& l = lines_[i];
        FillList(l.type, v.type);
        FillList(l.source, v.inputSource);
        FillList(l.lookupColumn, v.lookupColumn);
        ShowText(l.prompt, ToQString(v.prompt), v.promptEnabled);
        ShowText(l.minLength, QString::number(v.minLength), v.lengthsEnabled);
        ShowText(l.maxLength, QString::number(v.maxLength), v.lengthsEnabled);
        l.more->setEnabled(v.moreEnabled);
        l.operations->setEnabled(v.operationsEnabled);
    }
}

void FieldLinesBox::openProperties(int line) {
    session().currentLine = line;
    if (session().Form().LineType(line) == kLineLookup) {
        LookupFieldDialog dialog(context_, box_);
        dialog.exec();
    } else {
        FieldPropertiesDialog dialog(context_, box_);
        dialog.exec();
    }
    context_.refreshAll();
}

void FieldLinesBox::openOperations(int line) {
    session().currentLine = line;
    OperationsDialog dialog(context_, box_);
    dialog.exec();
    context_.refreshAll();
}

}  // namespace fw::editor::ui
