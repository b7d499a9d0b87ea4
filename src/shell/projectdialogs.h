// The project commands' open and save dialogs on QFileDialog.
#pragma once

#include "model/projectfile.h"

class QWidget;

namespace fw {

class QtProjectDialogs : public ProjectDialogs {
  public:
    explicit QtProjectDialogs(QWidget* owner) : owner_(owner) {}
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override;

  private:
    QWidget* owner_;
};

}  // namespace fw
