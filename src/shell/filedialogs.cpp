#include "shell/filedialogs.h"

#include <QFileDialog>

#include "shell/messagebox.h"

namespace fw {

QString DialogNameFilter(const DialogFilter& filter) {
    const QString named = QLatin1Char('(') + filter.pattern + QLatin1Char(')');
    if (filter.description.contains(named)) return filter.description;
    return filter.description + QLatin1Char(' ') + named;
}

std::optional<std::filesystem::path> ChooseFile(QWidget* owner, const FileChoice& choice) {
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("FileDialog"));
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The Linux desktops' own dialogs match "*.FWW" case by case; project names come in both
    // cases, and Qt's dialog matches them all, as the Windows dialog does.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    QStringList nameFilters;
    for (const DialogFilter& filter : choice.filters)
        nameFilters << DialogNameFilter(filter);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.front());
    dialog.setDefaultSuffix(choice.defaultSuffix);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!choice.initialName.isEmpty()) dialog.selectFile(choice.initialName);
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
