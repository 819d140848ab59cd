// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <functional>

#include "errors.h"

class QIODevice;

namespace quadrelo {

// The program's files are Windows-1252 text with CR LF after every line, the last included.

// A file that opened but could not be read to its end.
class FileReadError : public IoError {
public:
    using IoError::IoError;
};

// A file far larger than any the program writes: refused before it is read whole.
class FileTooLargeError : public FileReadError {
public:
    FileTooLargeError(QString message, QString reason)
        : FileReadError(std::move(message)), reason_(std::move(reason)) {}
    const QString& reason() const { return reason_; } // without the file's name

private:
    QString reason_;
};

// Size limits of what the program reads. A practice with long memos stays under a few
// megabytes; the tables and the technician file under a kilobyte.
inline constexpr qint64 kPracticeFileLimit = 32 * 1024 * 1024;
inline constexpr qint64 kParameterFileLimit = 1024 * 1024;

// The whole content of a file of at most `maxBytes`. Throws IoError naming the file and the
// system's reason (FileReadError when it opened but the reading failed, FileTooLargeError
// when it holds more than `maxBytes`).
QByteArray readFileBytes(const QString& path, qint64 maxBytes = kParameterFileLimit);

// The same for a file named by its bytes on the disk (which may be valid in no encoding), shown
// as `shownPath` in messages, and only a regular file: opened without blocking, a pipe or a
// device is refused (IoError), never waited on.
QByteArray readRegularFileBytes(const QByteArray& nativePath, const QString& shownPath, qint64 maxBytes);

// The lines of Windows-1252 text: CR LF ends a line (a lone LF too); no empty last line.
QStringList decodeTextLines(const QByteArray& bytes);

// The same lines, not yet decoded, given to `take` one at a time.
using LineBytes = std::function<void(QByteArrayView line)>;
void splitTextLines(const QByteArray& bytes, const LineBytes& take);

// The same for a file of at most `maxBytes`, read a piece at a time: a long file is never held
// whole; `sized` first learns the size of a regular file. Throws as readFileBytes does, once
// `take` has had the lines read before the failure.
void readTextLineBytes(const QString& path, qint64 maxBytes, const LineBytes& take,
                       const std::function<void(qint64 size)>& sized);

// Decodes lines one by one, as decodeTextLines does.
class LineDecoder {
public:
    QString operator()(QByteArrayView line);

private:
    QStringDecoder decoder_;
};

// Reads the lines of a file of at most `maxBytes`. Throws as readFileBytes does.
QStringList readTextLines(const QString& path, qint64 maxBytes = kParameterFileLimit);

// The bytes of `lines` as the files hold them. Throws Error when a line holds a character
// that Windows-1252 cannot represent (it would not read back the same).
QByteArray encodeTextLines(const QStringList& lines);

// Writes the whole file through a temporary one in the same folder: every write is checked,
// the data is synced to the disk and only then the temporary file takes the old one's place.
// A failure (a full disk, a quota, a file-size limit) leaves the old file byte for byte as it
// was. Refuses a folder, a device or a pipe in place of the file. Throws IoError naming the
// file and the system's reason in Italian. Every file the program writes goes through here.
void writeTextLines(const QString& path, const QStringList& lines);
void writeBytes(const QString& path, const QByteArray& bytes);
// The same for a file too large to hold whole: `produce` writes it to `out` as it goes. What it
// throws leaves the old file too.
void writeStreamed(const QString& path, const std::function<void(QIODevice& out)>& produce);

// Why an export may not replace what stands at `path`, in Italian; empty when it may: a new name,
// or an existing regular file that begins with `ownStart`. `ownFile` names such a file ("file
// PDF"), `writer` what would replace it ("il PDF").
QString replacementProblem(const QString& path, const QString& kind, const QByteArray& ownStart,
                           const QString& ownFile, const QString& writer);
// The same for a file only the user's program writes, in a folder of the user's own: a link at
// `path` is replaced as a name, never followed, and a new file is readable by the user alone.
void writePrivateBytes(const QString& path, const QByteArray& bytes);

// Characters of `text` that Windows-1252 cannot hold; empty when all can.
QString unencodableCharacters(const QString& text);

// The reason of a file failure in Italian, from the system's error number.
QString systemFailureReason(int savedErrno, bool writing = false);

} // namespace quadrelo
