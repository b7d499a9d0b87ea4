#include "shell/qttransferui.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "model/language.h"
#include "shell/filedialogs.h"
#include "shell/progressdlg.h"

namespace fw {

namespace {

QtTransferUi::Viewer& CurrentViewer() {
    static QtTransferUi::Viewer viewer = [](const std::filesystem::path& file) {
#ifdef Q_OS_WIN
        return QProcess::startDetached(QStringLiteral("notepad.exe"), {FromPath(file)});
#else
        return QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(file)));
#endif
    };
    return viewer;
}

}  // namespace

QtTransferUi::QtTransferUi(QWidget* owner, const Language* language)
    : owner_(owner), language_(language) {}

QtTransferUi::~QtTransferUi() {
    CloseProgress();
}

int QtTransferUi::Show(const MessageRequest& request) {
    return presenter_.Show(request);
}

bool QtTransferUi::ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) {
    FileDialogRequest asked = request;
    if (request.startFromPrevious) asked.initialName = previousChoice_;
    const std::optional<std::filesystem::path> path = fw::ChooseFile(MessageOwner(), asked);
    if (!path) return false;
    chosen = *path;
    if (request.startFromPrevious) previousChoice_ = *path;
    return true;
}

void QtTransferUi::OpenProgress(std::u16string_view title, std::u16string_view text) {
    if (!progress_) {
        progress_ = new ProgressDlg(owner_);
        // The request ends the link's wait, which runs the event loop that delivered it.
        QObject::connect(progress_, &ProgressDlg::cancelRequested, progress_,
                         [this] { Cancel().Request(); });
    }
    progress_->Open(ToQString(title), ToQString(text));
}

void QtTransferUi::SetProgress(int value) {
    if (progress_) progress_->SetValue(value);
}

void QtTransferUi::CloseProgress() {
    if (!progress_) return;
    progress_->hide();
    delete progress_;
}

void QtTransferUi::OpenForViewing(const std::filesystem::path& file) {
    if (CurrentViewer()(file)) return;
    static const Language kBuiltIn;
    ShowCannotOpen(language_ != nullptr ? *language_ : kBuiltIn, FromPath(file));
}

ProgressDlg* QtTransferUi::Progress() const {
    return progress_;
}

void QtTransferUi::SetViewer(Viewer viewer) {
    CurrentViewer() = std::move(viewer);
}

}  // namespace fw
