#pragma once

#include <QString>
#include <optional>

// The pipe Locastra's Calc accepts UNO connections on. Its name is random, made anew
// whenever Calc is started and kept only in the profile folder, which nobody but the
// user may read; and before every connect the pipe's socket must be a socket owned by
// the user and writable by nobody else. So another local account can neither find the
// pipe nor pose as Calc under its name.
namespace spreadsheet::calc {

// Makes the profile folder when missing and closes it to everyone but the user; false
// (with the reason) when it is not a folder of the user's own.
bool SecureProfileFolder(const QString& folder, QString& reason);

// A new random pipe name, saved in the profile folder (written to a temporary name
// and renamed); throws automation::Error when it cannot be saved.
QString MakePipeName(const QString& folder);
// The name saved by the last start of Calc, if any.
std::optional<QString> SavedPipeName(const QString& folder);

enum class SocketTrust { Missing, Trusted, Untrusted };
// Whether the socket of a pipe name exists and may be connected to.
SocketTrust CheckSocket(const QString& pipeName);
// Where Calc's runtime puts a pipe's socket.
QString SocketPath(const QString& pipeName);

} // namespace spreadsheet::calc
