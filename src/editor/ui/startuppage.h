// The Startup page: where the program starts, where data is kept, the field delimiters, and the
// terminal's own texts group by group beside the terminal's screen showing that group.
#pragma once

#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "editor/ui/sheetpage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace fw::editor::ui {

class TerminalScreen;

class StartupPage : public SheetPage {
    Q_OBJECT
  public:
    StartupPage(SheetContext& context, QWidget* parent);
    QString title() const override;
    void refresh() override;

    // Which project file "Import Prompts and Messages ..." reads; the open dialog unless
    // replaced.
    std::function<std::optional<std::filesystem::path>()> chooseImportFile;

  private:
    void connectList(QComboBox* box, std::function<Outcome(EditingSession&, int)> op);
    // Runs an operation for an edit and shows what was stored, without moving the cursor.
    void runEdit(const std::function<Outcome(EditingSession&)>& op);
    void importTexts();

    QComboBox* start_ = nullptr;
    QComboBox* placement_ = nullptr;
    QComboBox* delimiterCount_ = nullptr;
    std::array<QLineEdit*, 2> codes_{};
    std::array<QLineEdit*, 2> characters_{};
    QComboBox* group_ = nullptr;
    std::array<QLabel*, 8> builtIn_{};
    std::array<QLineEdit*, 8> rows_{};
    QPushButton* import_ = nullptr;
    QPushButton* reset_ = nullptr;
    TerminalScreen* preview_ = nullptr;
};

}  // namespace fw::editor::ui
