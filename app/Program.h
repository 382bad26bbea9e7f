#pragma once

#include <QString>

// Program-wide texts.
inline const QString kProgramName = QStringLiteral("Splicora");
inline const QString kDefaultVersion = QStringLiteral("2.0");
inline const QString kHomePageUrl = QStringLiteral("https://www.splicora.com/");

// Files of the application folder.
inline const QString kPreferencesFile = QStringLiteral("Preferences.ini");
inline const QString kProfilesFolder = QStringLiteral("Profiles/");
inline const QString kProfileExt = QStringLiteral(".bpf");
inline const QString kEncoderFile = QStringLiteral("asapi.dll");
inline const QString kHelpFile = QStringLiteral("Splicora.html");
