// The Lookup page: which database is shown, its layout field by field, and what the terminal
// does with it. Every control runs one operation of the core and then shows the bytes again.
#pragma once

#include <array>

#include "editor/lookuppage.h"
#include "editor/ui/sheetpage.h"

class QButtonGroup;
class QCheckBox;
class QFormLayout;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fw::editor::ui {

class LookupPage : public SheetPage {
    Q_OBJECT
  public:
    LookupPage(SheetContext& context, QWidget* parent);
    QString title() const override;
    void refresh() override;

    int currentDatabase() const { return database_; }

  private:
    struct FieldRow {
        QLineEdit* offset = nullptr;
        QLineEdit* length = nullptr;
        QRadioButton* key = nullptr;
        QCheckBox* nonZero = nullptr;
        QCheckBox* quantity = nullptr;
        QCheckBox* dateTime = nullptr;
    };
    QString text(int id) const;
    // Runs an operation on the shown database: asks its question, shows what it has to say
    // under `caption` (the page's warning caption when empty), then shows the bytes again.
    // `formsToo`: the change reaches the forms, so every page re-reads.
    bool run(const std::function<Outcome(EditingSession&, int, Answer)>& op, bool formsToo = false,
             const std::u16string& caption = {});
    QComboBox* addList(QWidget* parent, QFormLayout* layout, int captionId,
                       const QString& objectName);
    QCheckBox* addCheck(int captionId, const QString& objectName);
    void buildFieldGrid(QGridLayout* grid);
    void lengthEdited(int field, const QString& typed, bool finished);

    int database_ = 0;
    bool delimiterChosen_ = false;

    QComboBox* name_ = nullptr;
    QRadioButton* fixed_ = nullptr;
    QRadioButton* delimited_ = nullptr;
    QLineEdit* delimiter_ = nullptr;
    QLineEdit* memberLength_ = nullptr;
    QComboBox* fieldCount_ = nullptr;
    QRadioButton* memory_ = nullptr;
    QRadioButton* card_ = nullptr;
    QButtonGroup* places_ = nullptr;
    QLabel* lengthHeader_ = nullptr;
    std::array<FieldRow, kFieldsPerLookup> rows_{};
    QButtonGroup* keys_ = nullptr;
    QCheckBox* uploadable_ = nullptr;
    QCheckBox* readOnce_ = nullptr;
    QCheckBox* searchWithFilter_ = nullptr;
    QComboBox* noMatch_ = nullptr;
    QComboBox* wrongFormat_ = nullptr;
    QComboBox* severalFound_ = nullptr;
    QComboBox* filterMode_ = nullptr;
    QPushButton* reset_ = nullptr;
};

}  // namespace fw::editor::ui
