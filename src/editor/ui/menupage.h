// The Menu page: which of the ten menus is shown, its Esc target, its caption, eight items with
// their targets, what the terminal keeps of the choice, and the terminal's screen for the menu.
// Every control runs one operation of the editor and the page refreshes from its view.
#pragma once

#include <array>

#include "editor/menupage.h"
#include "editor/ui/sheetpage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace fw::editor::ui {

class TerminalScreen;

class MenuPage : public SheetPage {
    Q_OBJECT
  public:
    MenuPage(SheetContext& context, QWidget* parent);
    QString title() const override;
    void refresh() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QString caption(int id) const;
    void run(const std::function<Outcome(EditingSession&)>& op);
    QCheckBox* addFlag(int captionId, const QString& objectName, MenuFlag flag);

    struct Item {
        QLineEdit* text = nullptr;
        QComboBox* target = nullptr;
    };

    bool shown_ = false;
    QComboBox* menu_ = nullptr;
    QComboBox* esc_ = nullptr;
    QCheckBox* hasCaption_ = nullptr;
    QLineEdit* caption_ = nullptr;
    std::array<Item, kMenuPageItems> items_{};
    QCheckBox* saveCaption_ = nullptr;
    QCheckBox* saveSelectedItem_ = nullptr;
    QCheckBox* passDown_ = nullptr;
    QCheckBox* separateFiles_ = nullptr;
    QPushButton* reset_ = nullptr;
    TerminalScreen* preview_ = nullptr;
};

}  // namespace fw::editor::ui
