#include "shell/qtlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "model/workspace.h"
#include "shell/filedialogs.h"
#include "shell/messagebox.h"

namespace fw {

namespace {

// The language whose name in English or in itself is the display name, ignoring case.
QLocale::Language LanguageNamed(const QString& displayName) {
    const QString name = displayName.trimmed();
    if (name.isEmpty()) return QLocale::AnyLanguage;
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = static_cast<QLocale::Language>(l);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0 ||
            QLocale(language).nativeLanguageName().compare(name, Qt::CaseInsensitive) == 0)
            return language;
    }
    return QLocale::AnyLanguage;
}

QPointer<QTranslator>& Installed() {
    static QPointer<QTranslator> translator;
    return translator;
}

}  // namespace

QString QtTextLocale(const Workspace& ws) {
    if (!ws.language.loaded) return QStringLiteral("ru");
    const QLocale::Language language = LanguageNamed(ToQString(ws.settings.languageName));
    if (language == QLocale::AnyLanguage || language == QLocale::C || language == QLocale::English)
        return {};
    return QLocale(language).name().section(QLatin1Char('_'), 0, 0);
}

bool ApplyQtTranslation(const Workspace& ws) {
    if (QPointer<QTranslator>& old = Installed(); old) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    const QString locale = QtTextLocale(ws);
    if (locale.isEmpty()) return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    const QString file = QStringLiteral("qtbase_") + locale;
    const QString ownFolder = FromPath(ws.programDirectory / "translations");
    if (!translator->load(file, ownFolder) &&
        !translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    Installed() = translator;
    return true;
}

}  // namespace fw
