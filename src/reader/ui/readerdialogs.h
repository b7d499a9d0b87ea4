// The modal dialogs the Barcode page opens, by the name of their template.
#pragma once

#include <QString>

class QWidget;

namespace fw::editor::ui {
struct SheetContext;
}

namespace fw::reader::ui {

// Opens the dialog named templateName over the owner and returns once it is closed; returns
// false for a name no dialog has.
bool OpenReaderDialog(const QString& templateName, editor::ui::SheetContext& context,
                      QWidget* owner);

}  // namespace fw::reader::ui
