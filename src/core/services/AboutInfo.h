#pragma once

#include <QString>
#include <QStringView>

// The texts of the About window, made from the version information compiled
// into the program.

// Major, ".", minor and revision run together: 2, 0, 17 gives "2.017".
QString RunningVersion();

// The four lines "Program Name:", "Company: ", "WebSite: " and "Version: ",
// separated by CR LF.
QString AboutText();

// The line appended for a newer version: CR LF, "Newest Version:" and the
// version as the server wrote it.
QString NewestVersionLine(const QString& newestVersion);

// The comments mail link and the caption the link starts with.
QString CommentsLink();
QString CommentsCaption();

// The leading decimal number of a version text ("." as the decimal point,
// whatever follows ignored); 0 for an empty or non-numeric text.
double VersionNumber(QStringView text);

// Whether `offered` is a newer version than `running`, comparing both as
// decimal numbers: "2.1" is newer than "2.017", "2.0170" and "1.9" are not.
bool IsNewerVersion(QStringView running, QStringView offered);
