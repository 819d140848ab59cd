// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "text_file.h"

#include "errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quadrelo {

namespace {

const char* const kCodePage = "windows-1252";

QString failure(const QString& path, int savedErrno, bool writing) {
    const QString name = QFileInfo(path).fileName();
    return (writing ? QStringLiteral("Impossibile scrivere il file %1: %2.")
                    : QStringLiteral("Impossibile leggere il file %1: %2."))
        .arg(name, systemFailureReason(savedErrno, writing));
}

FileTooLargeError tooLarge(const QString& path, qint64 maxBytes) {
    const QString reason =
        maxBytes >= 1024 * 1024
            ? QStringLiteral("supera %1 MB, molto più di ogni file valido").arg(maxBytes >> 20)
            : QStringLiteral("supera %1 KB, molto più di ogni file valido").arg(maxBytes >> 10);
    return FileTooLargeError(
        QStringLiteral("Il file %1 è danneggiato: %2.").arg(QFileInfo(path).fileName(), reason), reason);
}

// Closes a descriptor on every way out; the temporary file of a failed write goes too.
struct Descriptor {
    int fd = -1;
    QByteArray removeOnFailure;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
        if (!removeOnFailure.isEmpty()) ::unlink(removeOnFailure.constData());
    }
};

} // namespace

QString systemFailureReason(int savedErrno, bool writing) {
    switch (savedErrno) {
    case ENOENT:
        return writing ? QStringLiteral("cartella inesistente") : QStringLiteral("file non trovato");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case EROFS:
        return QStringLiteral("il disco è in sola lettura");
    case ENOSPC:
        return QStringLiteral("spazio su disco esaurito");
    case EDQUOT:
        return QStringLiteral("spazio su disco esaurito (quota superata)");
    case EFBIG:
        return QStringLiteral("spazio su disco esaurito (superato il limite di dimensione dei file)");
    case EISDIR:
        return QStringLiteral("è una cartella");
    case ENOTDIR:
        return QStringLiteral("cartella inesistente");
    case ENAMETOOLONG:
        return QStringLiteral("nome del file troppo lungo");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura del disco");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("file in uso");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("troppi file aperti");
    case ELOOP:
        return QStringLiteral("troppi collegamenti simbolici");
    case ENOMEM:
        return QStringLiteral("memoria insufficiente");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("dispositivo non disponibile");
    default:
        return QStringLiteral("errore di sistema n. %1").arg(savedErrno);
    }
}

namespace {

// The code page reads and writes ASCII as it is: such text needs no converter, whose making
// costs more than a line.
bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
}
bool isAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// Reads the file a piece at a time into `take`; `sized` first learns the size of a regular file.
void readPieces(const QByteArray& native, const QString& path, qint64 maxBytes, bool regularOnly,
                const std::function<void(qint64 size)>& sized,
                const std::function<void(QByteArrayView piece)>& take) {
    Descriptor file;
    // Not blocking on the open: a pipe with no writer reads as empty instead of hanging.
    do
        file.fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    while (file.fd < 0 && errno == EINTR);
    if (file.fd < 0) throw IoError(failure(path, errno, false));
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) throw FileReadError(failure(path, errno, false));
    if (S_ISDIR(info.st_mode)) throw IoError(failure(path, EISDIR, false));
    if (regularOnly && !S_ISREG(info.st_mode))
        throw IoError(QStringLiteral("Impossibile leggere il file %1: non è un file ordinario (è un "
                                     "dispositivo o una pipe).")
                          .arg(QFileInfo(path).fileName()));
    // A regular file never blocks; a pipe asked for by name may wait for its writer.
    if (!regularOnly) ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    // A device or a pipe has no size to look at: it is cut off once it passes the limit.
    if (S_ISREG(info.st_mode) && info.st_size > maxBytes) throw tooLarge(path, maxBytes);

    if (S_ISREG(info.st_mode)) sized(info.st_size);
    char buffer[64 * 1024];
    qint64 total = 0;
    while (true) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileReadError(failure(path, errno, false));
        }
        if (n == 0) break;
        if (total + n > maxBytes) throw tooLarge(path, maxBytes);
        total += n;
        take(QByteArrayView(buffer, qsizetype(n)));
    }
}

QByteArray readBytes(const QByteArray& native, const QString& path, qint64 maxBytes, bool regularOnly) {
    QByteArray bytes;
    readPieces(
        native, path, maxBytes, regularOnly, [&bytes](qint64 size) { bytes.reserve(qsizetype(size)); },
        [&bytes](QByteArrayView piece) { bytes.append(piece); });
    return bytes;
}

// Cuts text into lines as decodeTextLines does, whatever pieces it comes in.
class LineSplitter {
public:
    explicit LineSplitter(const LineBytes& take) : take_(take) {}

    void add(QByteArrayView piece) {
        for (qsizetype start = 0;;) {
            const qsizetype newline = piece.indexOf('\n', start);
            if (newline < 0) {
                pending_.append(piece.sliced(start));
                return;
            }
            const QByteArrayView line = piece.sliced(start, newline - start);
            if (pending_.isEmpty()) {
                give(line);
            } else {
                pending_.append(line);
                give(pending_);
                pending_.clear();
            }
            start = newline + 1;
        }
    }

    // No empty last line.
    void finish() {
        QByteArrayView last = pending_;
        if (last.endsWith('\r')) last.chop(1);
        if (!last.isEmpty()) take_(last);
    }

private:
    void give(QByteArrayView line) {
        if (line.endsWith('\r')) line.chop(1);
        take_(line);
    }

    const LineBytes& take_;
    QByteArray pending_;
};

} // namespace

QByteArray readFileBytes(const QString& path, qint64 maxBytes) {
    return readBytes(QFile::encodeName(path), path, maxBytes, false);
}

QByteArray readRegularFileBytes(const QByteArray& nativePath, const QString& shownPath, qint64 maxBytes) {
    return readBytes(nativePath, shownPath, maxBytes, true);
}

QStringList readTextLines(const QString& path, qint64 maxBytes) {
    return decodeTextLines(readFileBytes(path, maxBytes));
}

void splitTextLines(const QByteArray& bytes, const LineBytes& take) {
    LineSplitter lines(take);
    lines.add(bytes);
    lines.finish();
}

void readTextLineBytes(const QString& path, qint64 maxBytes, const LineBytes& take,
                       const std::function<void(qint64 size)>& sized) {
    LineSplitter lines(take);
    readPieces(QFile::encodeName(path), path, maxBytes, false, sized,
               [&lines](QByteArrayView piece) { lines.add(piece); });
    lines.finish();
}

QString LineDecoder::operator()(QByteArrayView line) {
    if (isAscii(line)) return QString::fromLatin1(line);
    if (!decoder_.isValid()) decoder_ = QStringDecoder(kCodePage);
    return decoder_.decode(line);
}

QStringList decodeTextLines(const QByteArray& bytes) {
    QStringList lines;
    LineDecoder decode;
    splitTextLines(bytes, [&](QByteArrayView line) { lines << decode(line); });
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
    // Asked after every key: the whole text at once first, character by character only when needed.
    if (isAscii(text) || roundTrips(text, encode(text))) return QString();
    QString bad;
    for (QChar c : text)
        if (!roundTrips(QString(c), encode(QString(c))) && !bad.contains(c)) bad.append(c);
    return bad;
}

QByteArray encodeTextLines(const QStringList& lines) {
    QByteArray bytes;
    bool exact = true;
    for (const QString& line : lines) {
        if (isAscii(line)) {
            bytes += line.toLatin1();
        } else {
            const QByteArray encoded = encode(line);
            exact = exact && roundTrips(line, encoded);
            bytes += encoded;
        }
        bytes += "\r\n";
    }
    if (!exact) {
        for (const QString& line : lines)
            if (const QString bad = unencodableCharacters(line); !bad.isEmpty())
                throw Error(QStringLiteral("Il testo contiene caratteri non ammessi: %1").arg(bad));
    }
    return bytes;
}

namespace {

// The file a chain of symbolic links ends at; `path` itself when it is no link. Every link of
// the chain stays a link: only the last file is replaced.
QString finalTarget(const QString& path) {
    QString target = path;
    for (int depth = 0; depth < 40; ++depth) {
        char buffer[4096];
        const ssize_t n = ::readlink(QFile::encodeName(target).constData(), buffer, sizeof buffer);
        if (n < 0 || n == ssize_t(sizeof buffer)) return target;
        const QString next = QFile::decodeName(QByteArray(buffer, qsizetype(n)));
        target = QDir::cleanPath(
            QDir::isAbsolutePath(next) ? next : QDir(QFileInfo(target).absolutePath()).filePath(next));
    }
    return target; // a loop: the write fails naming it
}

// Writes all of `size` bytes to `fd`; 0, or the errno of the first failure.
int writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC;
        data += n;
        size -= n;
    }
    return 0;
}

// A file written piece by piece straight to its descriptor; after the first failure nothing
// more is written and its errno is kept for the message.
class DescriptorDevice : public QIODevice {
public:
    explicit DescriptorDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    // What is still buffered goes to the file; 0, or the errno of the first failure.
    int finish() {
        drain();
        return failure_;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failure_ != 0) return -1;
        pending_.append(data, qsizetype(size));
        if (pending_.size() >= kChunk) drain();
        return failure_ != 0 ? -1 : size;
    }

private:
    static constexpr qsizetype kChunk = 256 * 1024;
    void drain() {
        if (failure_ == 0) failure_ = writeAll(fd_, pending_.constData(), pending_.size());
        pending_.clear();
    }
    int fd_;
    int failure_ = 0;
    QByteArray pending_;
};

void writeReplacing(const QString& path, const QString& target, const std::function<int(int fd)>& fill,
                    bool followLinks) {
    const QByteArray native = QFile::encodeName(target);
    auto fail = [&path](int savedErrno) { throw IoError(failure(path, savedErrno, true)); };

    struct stat old {};
    const bool exists =
        (followLinks ? ::stat(native.constData(), &old) : ::lstat(native.constData(), &old)) == 0;
    if (followLinks && !exists && errno == ELOOP) fail(ELOOP);
    // Without following, a link in the way is replaced as a name, never written through.
    const bool replacesLink = exists && S_ISLNK(old.st_mode);
    if (exists && !replacesLink) {
        if (S_ISDIR(old.st_mode)) fail(EISDIR);
        if (!S_ISREG(old.st_mode))
            throw IoError(QStringLiteral("Impossibile scrivere il file %1: non è un file ordinario "
                                         "(è un dispositivo o una pipe).")
                              .arg(QFileInfo(path).fileName()));
        if (::access(native.constData(), W_OK) != 0) fail(errno);
    }

    const QFileInfo info(target);
    QByteArray temporary =
        QFile::encodeName(QDir(info.absolutePath()).filePath(QLatin1Char('.') + info.fileName())) + ".XXXXXX";
    Descriptor file;
    // A new name of its own (O_EXCL), never a link someone planted there.
    file.fd = ::mkostemp(temporary.data(), O_CLOEXEC | O_NOFOLLOW);
    if (file.fd < 0) fail(errno);
    file.removeOnFailure = temporary;

    // The new file keeps the old one's permissions (and owner, when we may set it).
    if (exists && !replacesLink) {
        ::fchmod(file.fd, old.st_mode & 07777);
        if (::geteuid() == 0 && ::fchown(file.fd, old.st_uid, old.st_gid) != 0) {
            // The owner cannot be kept: the file stays root's, with the old permissions.
        }
    } else if (followLinks) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(file.fd, 0666 & ~mask);
    }

    if (const int failed = fill(file.fd); failed != 0) fail(failed);
    if (::fsync(file.fd) != 0) fail(errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) fail(errno);
    if (::rename(temporary.constData(), native.constData()) != 0) fail(errno);
    file.removeOnFailure.clear();

    // The new name itself is on the disk only once its folder is synced.
    if (const int folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace

QString replacementProblem(const QString& path, const QString& kind, const QByteArray& ownStart,
                           const QString& ownFile, const QString& writer) {
    const QFileInfo info(path); // follows a symbolic link to what it names
    if (!info.exists()) return {};
    const QString name = QDir::toNativeSeparators(path);
    if (info.isDir()) return QStringLiteral("«%1» è una cartella, non un file %2.").arg(name, kind);
    if (!info.isFile())
        return QStringLiteral("«%1» non è un file ordinario (è un dispositivo o una pipe): %2 non lo "
                              "sostituisce.")
            .arg(name, writer);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(ownStart.size()) != ownStart)
        return QStringLiteral("«%1» esiste e non è un %2: %3 non lo sostituisce.").arg(name, ownFile, writer);
    return {};
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    // A symbolic link stays: the file it points to is the one replaced, as an editor does.
    writeReplacing(
        path, finalTarget(path), [&bytes](int fd) { return writeAll(fd, bytes.constData(), bytes.size()); },
        true);
}

void writeStreamed(const QString& path, const std::function<void(QIODevice& out)>& produce) {
    writeReplacing(
        path, finalTarget(path),
        [&produce](int fd) {
            DescriptorDevice out(fd);
            produce(out);
            return out.finish();
        },
        true);
}

void writePrivateBytes(const QString& path, const QByteArray& bytes) {
    writeReplacing(
        path, path, [&bytes](int fd) { return writeAll(fd, bytes.constData(), bytes.size()); }, false);
}

void writeTextLines(const QString& path, const QStringList& lines) {
    writeBytes(path, encodeTextLines(lines));
}

} // namespace quadrelo
