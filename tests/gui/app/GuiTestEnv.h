#pragma once
// Shared set-up of the viewer's GUI tests: every test process gets its own settings file, data
// folder and instance name, so nothing touches the real user's files or a running viewer.
#include <QString>
#include <string>

namespace guitest {
// The temporary folder of this test process.
QString TempRoot();
// A fresh empty folder under TempRoot().
QString NewFolder(const QString& name);
// Writes a simulated dive log; returns its path.
QString WriteLog(const QString& folder, const QString& name, bool frcLayout = true,
                 int diveNumber = 42);
// Writes arbitrary bytes; returns the path.
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
// The status log of this process so far.
QString StatusLogText();
} // namespace guitest
