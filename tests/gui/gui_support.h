// What the widget tests share: the application object on the offscreen platform, a script that
// answers the modal windows a command opens, and folders with sample projects.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

namespace fw::test {

// Answers modal windows in the order they are expected. Each step waits for the active modal
// window with the given object name and acts on it. A step that waits longer than 20 s fails
// the test and closes whatever modal window is open, so that a broken command cannot hang
// the test program.
class DialogScript {
  public:
    using Action = std::function<void(QWidget*)>;

    DialogScript();
    ~DialogScript();

    DialogScript& Expect(const QString& objectName, Action action);
    // A message box: records its caption and text, then presses the standard button.
    DialogScript& Answer(int standardButton);
    // A file dialog: chooses the path.
    DialogScript& Choose(const std::filesystem::path& path);
    DialogScript& Cancel(const QString& objectName);

    bool Done() const { return steps_.empty(); }
    // "caption|text" of every message box answered, in order.
    const QStringList& Messages() const { return messages_; }

  private:
    struct Step {
        QString objectName;
        Action action;
    };
    void Poll();

    std::deque<Step> steps_;
    QStringList messages_;
    QPointer<QWidget> handled_;
    QTimer timer_;
    QElapsedTimer sinceLastStep_;
};

// Processes events until the condition holds or the time is up; returns the condition.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// Writes a project file of a new definition (base or extended by the name's last letter).
std::string WriteSampleProject(const std::filesystem::path& path);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace fw::test
