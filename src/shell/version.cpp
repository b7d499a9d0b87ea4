#include "shell/version.h"

#include <QStringList>

namespace fw {

namespace {

constexpr int kReleaseYearMax = 31;
// Where in the reading each failure is found, as the messages number it.
constexpr int kWhereProgramPath = 135;
constexpr int kWhereFileVersion = 165;
constexpr int kWhereCopyright = 258;
// The error code that stands for data that is not there.
constexpr int kErrorNotFound = 1813;

// The decimal value of the leading digits, as the version text's numbers are read.
bool LeadingNumber(const QString& text, int& value) {
    int i = 0;
    value = 0;
    while (i < text.size() && text[i].isDigit() && i < 9) {
        value = value * 10 + text[i].digitValue();
        ++i;
    }
    return i > 0;
}

}  // namespace

VersionBlock ProgramVersionBlock() {
    VersionBlock block;
    block.fileVersion = QStringLiteral(FW_FILE_VERSION);
    block.legalCopyright = QString::fromUtf16(kRightsPhrase) + QStringLiteral(FW_RELEASE_YEAR);
    return block;
}

VersionInfo ReadVersionInfo(const QString& programPath, const VersionBlock& block) {
    VersionInfo info;
    if (programPath.isEmpty()) {
        info.error = QStringLiteral("Ошибка определения версии приложения (%1:%2)")
                         .arg(kErrorNotFound)
                         .arg(kWhereProgramPath);
        return info;
    }
    const QStringList parts = block.fileVersion.split(QLatin1Char('.'));
    int major = 0;
    int minor = 0;
    if (parts.size() < 2 || !LeadingNumber(parts[0], major) || !LeadingNumber(parts[1], minor)) {
        info.error = QStringLiteral("Ошибка определения версии приложения (%1) %2:%3")
                         .arg(programPath)
                         .arg(kErrorNotFound)
                         .arg(kWhereFileVersion);
        return info;
    }
    info.versionLabel = QStringLiteral("%1.%2 (%3)")
                            .arg(major)
                            .arg(minor, 2, 10, QLatin1Char('0'))
                            .arg(block.fileVersion);
    const QString phrase = QString::fromUtf16(kRightsPhrase);
    if (!block.legalCopyright.startsWith(phrase)) {
        info.error = QStringLiteral("Ошибка определения LegalCopyright приложения (%1) %2:%3")
                         .arg(programPath)
                         .arg(kErrorNotFound)
                         .arg(kWhereCopyright);
        return info;
    }
    info.releaseYear = block.legalCopyright.mid(phrase.size(), kReleaseYearMax);
    return info;
}

}  // namespace fw
