#pragma once

#include "maphost/MapData.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace doctest {

QByteArray readAll(const QString& path);
void writeText(const QString& path, const QByteArray& text);
// Writes text to the file name in folder; returns its path.
QString writeIn(const QString& folder, const QString& name, const QByteArray& text);

// Runs SQL statements (separated by ";") on the GeoPackage at path through GDAL.
void runSql(const QString& path, const QByteArray& statements);

// The description of the automation::Error thrown by call; empty when none was thrown
// (other exception types fail the test).
QString errorOf(const std::function<void()>& call);

// Like errorOf, but call runs in a child process that is killed after seconds, so a file
// that hangs or crashes the reader fails the test instead of stopping it. Besides the
// error (or an empty string) the result may be "(no result: killed by signal N)" or
// "(no result: still running after N s)".
QString errorWithin(int seconds, const std::function<void()>& call);

// Runs a GDAL command line tool; returns its exit code and fills output.
int runTool(const QString& program, const QStringList& arguments, QString* output);

// Every entry in folder (names only).
QStringList entriesOf(const QString& folder);

} // namespace doctest
