// Qt's own texts (the buttons of message boxes and button boxes, the file dialog) in the
// language the user chose, so that a window never mixes two languages in its buttons.
#pragma once

#include <QString>

namespace fw {

struct Workspace;

// The locale name of Qt's texts for the language in force: Russian for the built-in texts,
// else the language whose English or own name is the language file's display name ("English",
// "Русский", "Deutsch"); empty when Qt's own English texts fit or the name is not a language.
QString QtTextLocale(const Workspace& ws);

// Installs Qt's translation for QtTextLocale, replacing the one installed before. Looks in the
// program's folder (subfolder "translations"), then in Qt's own; when neither has it, Qt's
// English texts stay. Returns whether a translation is in force.
bool ApplyQtTranslation(const Workspace& ws);

}  // namespace fw
