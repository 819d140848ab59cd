#pragma once

#include <QString>
#include <QStringList>

#include "errors.h"

class QFileDevice;

namespace quadrelo {

// The program's files are Windows-1252 text with CR LF after every line, the last included.

// A file that opened but could not be read to its end.
class FileReadError : public IoError {
public:
    using IoError::IoError;
};

// The whole content of a file. Throws IoError naming the file and the system's reason
// (FileReadError when it opened but the reading failed).
QByteArray readFileBytes(const QString& path);

// The lines of Windows-1252 text: CR LF ends a line (a lone LF too); no empty last line.
QStringList decodeTextLines(const QByteArray& bytes);

// Reads the lines of a file. Throws IoError naming the file and the system's reason.
QStringList readTextLines(const QString& path);

// The bytes of `lines` as the files hold them. Throws Error when a line holds a character
// that Windows-1252 cannot represent (it would not read back the same).
QByteArray encodeTextLines(const QStringList& lines);

// Writes the whole file through a temporary one, so a failure leaves the old file as it was.
// Throws IoError naming the file and the system's reason.
void writeTextLines(const QString& path, const QStringList& lines);
void writeBytes(const QString& path, const QByteArray& bytes);

// Characters of `text` that Windows-1252 cannot hold; empty when all can.
QString unencodableCharacters(const QString& text);

// The reason of a file failure in Italian.
QString fileFailureReason(const QFileDevice& file, int savedErrno);

} // namespace quadrelo
