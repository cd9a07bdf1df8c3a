#pragma once

#include <QString>
#include <cstdint>

namespace desktop::help {

// Checks the structure of a compiled help file before chmlib opens it: chmlib trusts
// the header, the directory chunks, the LZX reset table and control data, and the
// offsets and lengths of every object, and a damaged file can make it read or write
// outside its buffers, divide by zero or loop forever. The check walks all of these
// and returns what is wrong in words; empty when the file can be handed to chmlib.
QString ChmStructureProblem(const uint8_t* data, uint64_t size);

// The same for a file on disk (read whole; help files are small).
QString ChmFileProblem(const QString& path);

} // namespace desktop::help
