// The program's version data for the about box: the version label and the release year.
#pragma once

#include <QString>

namespace fw {

// The rights phrase that opens the copyright text; the year follows it.
inline constexpr char16_t kRightsPhrase[] = u"Copyright \u00A9 Formwright developers, ";

struct VersionBlock {
    QString fileVersion;     // "5.1.0.0"
    QString legalCopyright;  // kRightsPhrase and the year
};

// The version data compiled into this program.
VersionBlock ProgramVersionBlock();

struct VersionInfo {
    QString versionLabel;  // "%d.%02d (%s)": major, minor, the whole file version
    QString releaseYear;   // at most 31 characters
    QString error;         // the message to show when the data cannot be read; empty when fine
};

// Reads the label and the year from the version data of the program file at programPath.
VersionInfo ReadVersionInfo(const QString& programPath, const VersionBlock& block);

}  // namespace fw
