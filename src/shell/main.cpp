// formwright: the terminal-shaped main window and its commands.
#include <QApplication>
#include <QStringList>

#include "editor/ui/definitionsheet.h"
#include "model/system.h"
#include "shell/mainwindow.h"
#include "shell/messagebox.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Formwright"));
    QApplication::setApplicationVersion(QStringLiteral(FW_VERSION));

    // The command line is one project path; a path with blanks may come in pieces or in quotes.
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty()) arguments.removeFirst();
    fw::ShellOptions options;
    options.programDirectory = fw::ProgramDirectory();
    options.commandLine = fw::ToU16(arguments.join(QLatin1Char(' ')));

    fw::MainWindow window(options);
    fw::editor::ui::InstallDefinitionSheet(window);
    return app.exec();
}
