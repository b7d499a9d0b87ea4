// The eight field lines of the Form page: per line its type, prompt, input source, lengths and
// lookup column, and the buttons for its properties and operations.
#pragma once

#include <array>

#include "editor/session.h"
#include "editor/ui/sheetpage.h"

class QLineEdit;
class QPushButton;
class QGridLayout;

namespace fw::editor::ui {

class FieldLinesBox : public QObject {
    Q_OBJECT
  public:
    // Fills `box` with the eight lines; the box keeps the widgets.
    FieldLinesBox(SheetContext& context, QWidget* box);
    void refresh();

  private:
    struct Line {
        QComboBox* type = nullptr;
        QLineEdit* prompt = nullptr;
        QComboBox* source = nullptr;
        QLineEdit* minLength = nullptr;
        QLineEdit* maxLength = nullptr;
        QComboBox* lookupColumn = nullptr;
        QPushButton* more = nullptr;
        QPushButton* operations = nullptr;
    };
    void addLine(QGridLayout* grid, int line);
    // Runs one operation of a line and shows what it left.
    void run(int line, const std::function<Outcome(EditingSession&, int)>& op);
    void openProperties(int line);
    void openOperations(int line);

    EditingSession& session() { return context_.session; }
    SheetContext& context_;
    QWidget* box_;
    std::array<Line, kLinesPerForm> lines_{};
};

}  // namespace fw::editor::ui
