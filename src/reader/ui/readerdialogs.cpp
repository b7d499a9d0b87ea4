#include "reader/ui/readerdialogs.h"

#include "reader/symbologies.h"
#include "reader/ui/symbologydialog.h"
#include "reader/ui/weightmaskdialog.h"

namespace fw::reader::ui {

bool OpenReaderDialog(const QString& templateName, editor::ui::SheetContext& context,
                      QWidget* owner) {
    if (templateName == QLatin1String("WEIGHTBCMASKDLG")) {
        ShowWeightMaskDialog(context, owner);
        return true;
    }
    if (FindTemplate(templateName.toStdString()) == nullptr) return false;
    OpenSymbologyDialog(templateName, context, owner);
    return true;
}

}  // namespace fw::reader::ui
