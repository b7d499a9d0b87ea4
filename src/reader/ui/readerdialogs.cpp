#include "reader/ui/readerdialogs.h"

#include "reader/ui/weightmaskdialog.h"

namespace fw::reader::ui {

bool OpenReaderDialog(const QString& templateName, editor::ui::SheetContext& context,
                      QWidget* owner) {
    if (templateName == QLatin1String("WEIGHTBCMASKDLG")) {
        ShowWeightMaskDialog(context, owner);
        return true;
    }
    return false;
}

}  // namespace fw::reader::ui
