#include "editor/ui/branchdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "editor/ui/captions.h"
#include "shell/messagebox.h"

namespace fw::editor::ui {
namespace {

constexpr int kTotalsBranch = 11;
constexpr int kBalanceBranch = 13;

// The totals and balance views are called what the branch list calls them.
QString BranchText(const EditingSession& session, int branch) {
    const ListView list = CodedListView(session, codes::kBranches, branch);
    return ToQString(list.entries[static_cast<std::size_t>(list.selected)].text);
}

}  // namespace

BranchDialog::BranchDialog(SheetContext& context, QWidget* parent)
    : EditorDialog(context, parent, QStringLiteral("BRANCHDLG"),
                   Caption(context.session, caption::kBranch)) {
    // Opening turns branches the list does not know into "disable"; Cancel must give back the
    // bytes from before that.
    snapshot_ = OpenBranchDialog(session());
    for (int key = 0; key < kFnGroups; ++key) {
        // The keys' names are printed on the terminal and read the same in every language.
        const QString caption = QStringLiteral("FN+%1").arg(key + 1);
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("branch%1").arg(key + 1));
        box->setAccessibleName(caption);
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        auto* properties = new QPushButton(Caption(context.session, caption::kKeyProperties), this);
        properties->setObjectName(QStringLiteral("properties%1").arg(key + 1));
        properties->setAccessibleName(caption + QLatin1Char(' ') + properties->text());
        auto* row = new QHBoxLayout;
        row->addWidget(box, 1);
        row->addWidget(properties);
        lists_->addRow(label, row);
        branch_[static_cast<std::size_t>(key)] = box;
        properties_[static_cast<std::size_t>(key)] = properties;
        connect(box, &QComboBox::currentIndexChanged, this, [this, key](int index) {
            RunOperation(context_.ws, [&](Answer answer) {
                return SelectBranch(session(), key, index, answer);
            });
            refresh();
        });
        connect(properties, &QPushButton::clicked, this, [this, key] { openProperties(key); });
    }
    refresh();
}

void BranchDialog::refresh() {
    const BranchDialogView view = ViewBranchDialog(session());
    for (std::size_t key = 0; key < kFnGroups; ++key) {
        FillList(branch_[key], view.branch[key]);
        properties_[key]->setEnabled(view.propertiesEnabled[key]);
    }
}

void BranchDialog::openProperties(int key) {
    const ListView& list = ViewBranchDialog(session()).branch[static_cast<std::size_t>(key)];
    if (list.selected < 0) return;
    const int code = list.entries[static_cast<std::size_t>(list.selected)].code;
    if (code != kTotalsBranch && code != kBalanceBranch) return;
    FilterDialog dialog(context_, this,
                        code == kTotalsBranch ? FilterOf::Totals : FilterOf::Balance, key);
    dialog.exec();
    refresh();
}

FilterDialog::FilterDialog(SheetContext& context, QWidget* parent, FilterOf which, int key)
    : EditorDialog(
          context, parent,
          which == FilterOf::Totals ? QStringLiteral("TOTALSDLG") : QStringLiteral("BALANCEDLG"),
          BranchText(context.session, which == FilterOf::Totals ? kTotalsBranch : kBalanceBranch)),
      which_(which),
      key_(key) {
    if (which == FilterOf::Totals) {
        sumField_ = addList(
            Caption(session(), caption::kSumField), QStringLiteral("sumField"),
            [key](EditingSession& s, int i, Answer) { return SelectTotalSumField(s, key, i); });
        multiplier_ = addList(
            Caption(session(), caption::kMultiplier), QStringLiteral("multiplier"),
            [key](EditingSession& s, int i, Answer) { return SelectTotalMultiplier(s, key, i); });
    }
    filterField_ = addList(Caption(session(), caption::kFilterField), QStringLiteral("filterField"),
                           [which, key](EditingSession& s, int i, Answer) {
                               return SelectFilterField(s, which, key, i);
                           });
    filterVariable_ =
        addList(Caption(session(), caption::kFilterVariable), QStringLiteral("filterVariable"),
                [which, key](EditingSession& s, int i, Answer) {
                    return SelectFilterVariable(s, which, key, i);
                });
    comparison_ = addList(Caption(session(), caption::kComparison), QStringLiteral("comparison"),
                          [which, key](EditingSession& s, int i, Answer) {
                              return SelectFilterComparison(s, which, key, i);
                          });
    refresh();
}

void FilterDialog::refresh() {
    FilterView filter;
    if (which_ == FilterOf::Totals) {
        const TotalsDialogView view = ViewTotalsDialog(session(), key_);
        FillList(sumField_, view.sumField);
        FillList(multiplier_, view.multiplier);
        filter = view.filter;
    } else {
        filter = ViewBalanceDialog(session(), key_);
    }
    FillList(filterField_, filter.field);
    FillList(filterVariable_, filter.variable);
    FillList(comparison_, filter.comparison);
}

}  // namespace fw::editor::ui
