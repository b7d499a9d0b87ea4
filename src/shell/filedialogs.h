// The open and save dialogs of the project commands and the transfers, on QFileDialog.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "model/filedialog.h"

class QWidget;

namespace fw {

// The name filter a QFileDialog shows for a description and its pattern; the description is
// kept as it is when it already names the pattern in parentheses.
QString DialogNameFilter(const FileFilter& filter);

// Runs the dialog (object name "FileDialog") and returns the chosen path, or nothing on Cancel.
std::optional<std::filesystem::path> ChooseFile(QWidget* owner, const FileDialogRequest& request);

std::filesystem::path ToPath(const QString& text);
QString FromPath(const std::filesystem::path& path);

}  // namespace fw
