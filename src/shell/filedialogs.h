// The open and save dialogs of the project commands and the transfers, on QFileDialog.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

class QWidget;

namespace fw {

struct DialogFilter {
    QString description;  // what the dialog shows
    QString pattern;      // "*.FWW", "*.TXT", "*.*"
};

struct FileChoice {
    QList<DialogFilter> filters;
    QString defaultSuffix;  // without the point; empty for none
    QString initialName;
    bool save =
        false;  // a save dialog asks before overwriting; an open dialog wants an existing file
};

// The name filter a QFileDialog shows for a description and its pattern; the description is
// kept as it is when it already names the pattern in parentheses.
QString DialogNameFilter(const DialogFilter& filter);

// Runs the dialog (object name "FileDialog") and returns the chosen path, or nothing on Cancel.
std::optional<std::filesystem::path> ChooseFile(QWidget* owner, const FileChoice& choice);

std::filesystem::path ToPath(const QString& text);
QString FromPath(const std::filesystem::path& path);

}  // namespace fw
