#include "text_file.h"

#include "errors.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>

namespace quadrelo {

namespace {

const char* const kCodePage = "windows-1252";

// Why a file cannot be written, from its folder when the system's error number says too
// little: a missing file is never the reason a new one cannot be made.
QString writeFailureReason(const QString& path, const QFileDevice& file, int savedErrno) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists()) return QStringLiteral("cartella inesistente");
    if (!folder.isDir()) return QStringLiteral("percorso non valido");
    if (savedErrno == ENOENT || savedErrno == 0) {
        if (!folder.isWritable() || (info.exists() && !info.isWritable()))
            return QStringLiteral("accesso negato");
        if (savedErrno == ENOENT) return QStringLiteral("cartella inesistente");
    }
    return fileFailureReason(file, savedErrno);
}

QString failure(const QString& path, const QFileDevice& file, int savedErrno, bool writing) {
    const QString name = QFileInfo(path).fileName();
    return (writing ? QStringLiteral("Impossibile scrivere il file %1: %2.")
                    : QStringLiteral("Impossibile leggere il file %1: %2."))
        .arg(name,
             writing ? writeFailureReason(path, file, savedErrno) : fileFailureReason(file, savedErrno));
}

} // namespace

QString fileFailureReason(const QFileDevice& file, int savedErrno) {
    switch (savedErrno) {
    case ENOENT:
        return QStringLiteral("file non trovato");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case EROFS:
        return QStringLiteral("il disco è in sola lettura");
    case ENOSPC:
        return QStringLiteral("spazio su disco esaurito");
    case EDQUOT:
        return QStringLiteral("quota disco superata");
    case EISDIR:
        return QStringLiteral("il nome indica una cartella");
    case ENOTDIR:
        return QStringLiteral("percorso non valido");
    case ENAMETOOLONG:
        return QStringLiteral("nome del file troppo lungo");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura del disco");
    default:
        return file.errorString();
    }
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int saved = QFileInfo::exists(path) ? errno : ENOENT;
        throw IoError(failure(path, file, saved, false));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw FileReadError(failure(path, file, errno, false));
    return bytes;
}

QStringList readTextLines(const QString& path) {
    return decodeTextLines(readFileBytes(path));
}

QStringList decodeTextLines(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage);
    const QString text = decoder.decode(bytes);
    // Lines end with CR LF; a lone LF is taken as a line end too.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

namespace {

// The code page converter maps some characters to look-alikes ("Ł" to "L"): only what
// decodes back to itself is really stored.
bool roundTrips(const QString& text, const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes) == text;
}

QByteArray encode(const QString& text) {
    QStringEncoder encoder(kCodePage);
    return encoder.encode(text);
}

} // namespace

QString unencodableCharacters(const QString& text) {
    QString bad;
    for (QChar c : text)
        if (!roundTrips(QString(c), encode(QString(c))) && !bad.contains(c)) bad.append(c);
    return bad;
}

QByteArray encodeTextLines(const QStringList& lines) {
    QByteArray bytes;
    bool exact = true;
    for (const QString& line : lines) {
        const QByteArray encoded = encode(line);
        exact = exact && roundTrips(line, encoded);
        bytes += encoded;
        bytes += "\r\n";
    }
    if (!exact) {
        for (const QString& line : lines)
            if (const QString bad = unencodableCharacters(line); !bad.isEmpty())
                throw Error(QStringLiteral("Il testo contiene caratteri non ammessi: %1").arg(bad));
    }
    return bytes;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) throw IoError(failure(path, file, errno, true));
    if (file.write(bytes) != bytes.size()) {
        const int saved = errno;
        file.cancelWriting();
        throw IoError(failure(path, file, saved, true));
    }
    if (!file.commit()) throw IoError(failure(path, file, errno, true));
}

void writeTextLines(const QString& path, const QStringList& lines) {
    writeBytes(path, encodeTextLines(lines));
}

} // namespace quadrelo
