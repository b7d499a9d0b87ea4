// "Разбор ШК" of a field line: its weight-barcode rule and the GS1 items its barcode passes to
// lines of the form, with the two-column list of those rules.
#pragma once

#include "editor/barcodeparsing.h"
#include "editor/ui/editordialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace fw::editor::ui {

class BarcodeParsingSettingsDialog : public EditorDialog {
    Q_OBJECT
  public:
    BarcodeParsingSettingsDialog(SheetContext& context, QWidget* parent);
    void refresh() override;

  protected:
    void restore() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString text(int id);
    QPushButton* addButton(const QString& caption, const QString& objectName,
                           const QString& accessibleName, std::function<void()> onClick);
    void run(const std::function<Outcome(Answer)>& op);
    void removeSelected();

    BarcodeParsingDialog dialog_;
    QLabel* place_ = nullptr;
    QCheckBox* weight_ = nullptr;
    QComboBox *weightTarget_ = nullptr, *keep_ = nullptr, *item_ = nullptr, *target_ = nullptr;
    QLabel* description_ = nullptr;
    QPushButton *add_ = nullptr, *remove_ = nullptr, *removeAll_ = nullptr;
    QTreeWidget* rules_ = nullptr;
};

}  // namespace fw::editor::ui
