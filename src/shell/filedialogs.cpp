#include "shell/filedialogs.h"

#include <QFileDialog>

#include "shell/messagebox.h"

namespace fw {

QString DialogNameFilter(const FileFilter& filter) {
    QString description = ToQString(filter.description);
    const QString pattern = ToQString(filter.pattern);
    const QString named = QLatin1Char('(') + pattern + QLatin1Char(')');
    if (description.contains(named)) return description;
    // The dialog reads its pattern from the parentheses; a description that names it in
    // braces names it there instead, so that it is not shown twice.
    const QString braced = QLatin1Char('{') + pattern + QLatin1Char('}');
    if (description.contains(braced)) return description.replace(braced, named);
    return description + QLatin1Char(' ') + named;
}

std::optional<std::filesystem::path> ChooseFile(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("FileDialog"));
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The Linux desktops' own dialogs match "*.FWW" case by case; project names come in both
    // cases, and Qt's dialog matches them all, as the Windows dialog does.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    QStringList nameFilters;
    for (const FileFilter& filter : request.filters)
        nameFilters << DialogNameFilter(filter);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.front());
    dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.initialName.empty()) dialog.selectFile(FromPath(request.initialName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return ToPath(files.front());
}

std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(ToU16(text));
}

QString FromPath(const std::filesystem::path& path) {
    return ToQString(path.u16string());
}

}  // namespace fw
