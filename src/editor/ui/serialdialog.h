// The serial-number dialog of a form ("Серийные номера").
#pragma once

#include "editor/ui/editordialog.h"

namespace fw::editor::ui {

class SerialDialog : public EditorDialog {
    Q_OBJECT
  public:
    SerialDialog(SheetContext& context, QWidget* parent);
    void accept() override;
    void refresh() override;

  protected:
    void restore() override;

  private:
    QComboBox* partVariable_ = nullptr;
    QComboBox* quantityField_ = nullptr;
    QComboBox* store_ = nullptr;
};

}  // namespace fw::editor::ui
