// The open and save dialogs of the project commands and the transfers, on QFileDialog.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "model/filedialog.h"

class QWidget;

namespace fw {

// The name filter a QFileDialog shows for a description and its pattern, naming the pattern
// once: a description that names it in parentheses is kept, one that names it in braces
// ("Файлы БД {*.TXT}") gets parentheses there, any other is followed by it.
QString DialogNameFilter(const FileFilter& filter);

// Runs the dialog (object name "FileDialog") and returns the chosen path, or nothing on Cancel.
std::optional<std::filesystem::path> ChooseFile(QWidget* owner, const FileDialogRequest& request);

std::filesystem::path ToPath(const QString& text);
QString FromPath(const std::filesystem::path& path);

}  // namespace fw
