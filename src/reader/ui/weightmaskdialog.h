// "Маска весового штрихкода": the list of weight-barcode masks, kept apart from the working
// bytes until OK.
#pragma once

#include "editor/ui/editordialog.h"
#include "reader/weightmasks.h"

class QLineEdit;
class QListWidget;

namespace fw::reader::ui {

class WeightMaskDialog : public editor::ui::EditorDialog {
    Q_OBJECT
  public:
    WeightMaskDialog(editor::ui::SheetContext& context, QWidget* parent);
    void accept() override;
    void refresh() override;

  protected:
    void restore() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString text(int id);
    void add();
    void removeSelected();

    reader::WeightMaskDialog dialog_;
    QLineEdit* mask_ = nullptr;
    QListWidget* list_ = nullptr;
};

// Opens the dialog over the working copies of the open sheet, as the Barcode page's "Маска"
// does; returns QDialog::Accepted when OK stored the masks.
int ShowWeightMaskDialog(editor::ui::SheetContext& context, QWidget* parent);

}  // namespace fw::reader::ui
