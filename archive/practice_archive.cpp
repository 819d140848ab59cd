// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_archive.h"

#include "practice_file/practice_file.h"
#include "record/errors.h"
#include "record/number_text.h"
#include "record/text_file.h"
#include "taxcode/tax_code.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QVariant>

#include <algorithm>
#include <bit>
#include <cerrno>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

namespace quadrelo {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

// A caption's figure as the user reads it; captions always hold number text.
double shown(const CaptionState& caption) {
    try {
        return caption.text.isEmpty() ? 0 : Leggimi(caption.text);
    } catch (const Error&) {
        return 0;
    }
}

QString joined(const QStringList& parts) {
    QStringList kept;
    for (const QString& p : parts)
        if (!p.trimmed().isEmpty()) kept << p.trimmed();
    return kept.join(QLatin1Char(' '));
}

// A list box shows its chosen item; "selezionare" is what an untouched one says.
QString comboText(const ComboState& combo) {
    return combo.text == QLatin1String("selezionare") ? QString() : combo.text;
}

// A terminal would act on control characters (escape sequences, a NUL ending the text): each
// is shown as a replacement character instead.
QString printable(QString text) {
    // The control characters are exactly U+0000..U+001F and U+007F..U+009F.
    const auto control = [](QChar c) {
        return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
    };
    if (std::none_of(text.cbegin(), text.cend(), control)) return text;
    for (QChar& c : text)
        if (control(c)) c = QChar::ReplacementCharacter;
    return text;
}

// "dd/MM/yyyy HH:mm" by hand: the date formatter of Qt costs more than the rest of a row.
QString modifiedText(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    if (date.year() < 1000 || date.year() > 9999) return when.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    char16_t text[16];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char16_t(u'0' + value % 10);
    };
    put(0, date.day(), 2);
    text[2] = u'/';
    put(3, date.month(), 2);
    text[5] = u'/';
    put(6, date.year(), 4);
    text[10] = u' ';
    put(11, time.hour(), 2);
    text[13] = u':';
    put(14, time.minute(), 2);
    return QString(reinterpret_cast<const QChar*>(text), 16);
}

// Every cell folded, tab after tab; where each cell starts, for sorting by it.
void fillSearchKey(ArchiveRow& row) {
    QString key;
    for (int c = 0; c < ArchiveColumnCount; ++c) {
        if (c > 0) key += QLatin1Char('\t');
        row.keyStart[c] = int(key.size());
        key += searchFolded(archiveCellText(row, c));
    }
    row.keyStart[ArchiveColumnCount] = int(key.size()) + 1;
    row.searchKey = key;
}

} // namespace

QString archiveColumnTitle(int column) {
    static const char* const titles[ArchiveColumnCount] = {"File",
                                                           "Richiedente",
                                                           "Codice fiscale",
                                                           "Verifica codice fiscale",
                                                           "Comune",
                                                           "Indirizzo",
                                                           "Tipologia",
                                                           "Oblazione dovuta",
                                                           "Oblazione versata",
                                                           "Oblazione residua",
                                                           "Anticipazione dovuta",
                                                           "Anticipazione versata",
                                                           "Ultimazione",
                                                           "Modificato"};
    return column >= 0 && column < ArchiveColumnCount ? QString::fromUtf8(titles[column]) : QString();
}

bool isAmountColumn(int column) {
    return column >= ColumnOblationDue && column <= ColumnAdvancePaid;
}

QString archiveCellText(const ArchiveRow& row, int column) {
    switch (column) {
    case ColumnFile:
        return row.fileName;
    case ColumnModified:
        return row.modified.isValid() ? modifiedText(row.modified) : QString();
    case ColumnApplicant:
        return row.readable() ? row.applicant : row.problem;
    default:
        break;
    }
    if (!row.readable()) return {};
    switch (column) {
    case ColumnTaxCode:
        return row.taxCode;
    case ColumnTaxCodeCheck:
        return row.taxCodeCheck;
    case ColumnMunicipality:
        return row.municipality;
    case ColumnAddress:
        return row.address;
    case ColumnTypology:
        return row.typology ? QString::number(row.typology) : QString();
    case ColumnOblationDue:
        return Formatta(row.oblationDue);
    case ColumnOblationPaid:
        return Formatta(row.oblationPaid);
    case ColumnOblationRemaining:
        return Formatta(row.oblationRemaining);
    case ColumnAdvanceDue:
        return Formatta(row.advanceDue);
    case ColumnAdvancePaid:
        return Formatta(row.advancePaid);
    case ColumnCompletion:
        return row.completion.isValid() ? row.completion.toString(kDateFormat) : QString();
    default:
        return {};
    }
}

QVariant archiveSortValue(const ArchiveRow& row, int column) {
    // Unreadable files sort below every figure and date.
    switch (column) {
    case ColumnTypology:
        return row.typology;
    case ColumnOblationDue:
        return row.readable() ? row.oblationDue : -1.0;
    case ColumnOblationPaid:
        return row.readable() ? row.oblationPaid : -1.0;
    case ColumnOblationRemaining:
        return row.readable() ? row.oblationRemaining : -1.0;
    case ColumnAdvanceDue:
        return row.readable() ? row.advanceDue : -1.0;
    case ColumnAdvancePaid:
        return row.readable() ? row.advancePaid : -1.0;
    case ColumnCompletion:
        return row.readable() ? row.completion.toJulianDay() : qint64(0);
    case ColumnModified:
        return row.modified.toMSecsSinceEpoch();
    default:
        return searchFolded(archiveCellText(row, column));
    }
}

PracticeForm archivePrototype(const PracticeForm& loaded) {
    PracticeForm form(loaded);
    form.setUserInterface(nullptr); // never the window's: the copy may live in another thread
    form.currentFileName = QStringLiteral("-1");
    return form;
}

namespace {

// A name as UTF-8 when it is, else as the Windows code page of the disk it came from.
QString readableName(const QByteArray& bytes) {
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder windows("windows-1252");
    return windows.decode(bytes);
}

PracticeEntry entryOf(const QString& path) {
    PracticeEntry entry;
    const QFileInfo info(path);
    entry.path = info.absoluteFilePath();
    entry.nativePath = QFile::encodeName(entry.path);
    entry.modified = info.lastModified();
    return entry;
}

} // namespace

ArchiveRow readArchiveRow(const QString& path, const PracticeForm& prototype) {
    return readArchiveRow(entryOf(path), prototype);
}

ArchiveRow readArchiveRow(const PracticeEntry& entry, const PracticeForm& prototype, bool searchKey) {
    ArchiveRow row;
    row.path = entry.path;
    row.fileName = QFileInfo(entry.path).fileName();
    row.modified = entry.modified;
    row.nameNotText = !entry.nativePath.isEmpty() && QFile::encodeName(entry.path) != entry.nativePath;
    try {
        if (!entry.problem.isEmpty()) throw IoError(entry.problem);
        QByteArray bytes;
        try {
            bytes = readRegularFileBytes(entry.nativePath, entry.path, kPracticeFileLimit);
        } catch (const FileTooLargeError& e) {
            throw DamagedFileError(e.reason());
        } catch (const FileReadError&) {
            throw DamagedFileError(); // opened, but not readable to its end
        }
        const PracticeFileContents contents = parsePracticeFile(bytes);
        PracticeForm form(prototype);
        form.setUserInterface(nullptr);
        form.currentFileName = row.path;
        applyPracticeFile(form, contents);
        recomputeOpenedPractice(form);
        row.applicant = joined({form.Edit2.text, form.Edit1.text});
        row.taxCode = form.Edit5.text;
        row.taxCodeCheck = taxcode::taxCodeVerdict(
            form.Edit5.text,
            {form.Edit2.text, form.Edit1.text, form.DateTimePicker3.date, form.Edit3.text, form.Edit22.text});
        row.municipality = form.Edit9.text;
        row.address = joined({comboText(form.ComboBox1), form.Edit10.text, form.Edit11.text});
        row.typology = form.typology();
        row.oblationDue = shown(form.Label125);
        row.oblationPaid = shown(form.Label126);
        row.oblationRemaining = shown(form.Label134);
        row.advanceDue = shown(form.Label138);
        row.advancePaid = shown(form.Label139);
        row.completion = form.DateTimePicker1.date;
    } catch (const FileTooLargeError& e) {
        row.problem = e.reason();
    } catch (const Error& e) {
        row.problem = e.message();
    } catch (const std::bad_alloc&) {
        row.problem = QStringLiteral("Memoria insufficiente per leggere il file.");
    }
    if (searchKey) fillSearchKey(row);
    return row;
}

namespace {

bool isPracticeName(const QByteArray& name) {
    return name.size() >= 5 && name.right(4).toLower() == ".qdr";
}

} // namespace

void forEachPracticeFile(const QStringList& folders, const std::function<bool(const PracticeEntry&)>& found) {
    QSet<QPair<quint64, quint64>> seen; // device and inode: a file reached twice is listed once
    for (const QString& folder : folders) {
        const QString absolute = QDir(folder).absolutePath();
        const QByteArray native = QFile::encodeName(absolute);
        DIR* dir = ::opendir(native.constData());
        if (!dir) {
            if (errno == ENOENT) continue; // a remembered folder removed since
            PracticeEntry entry;
            entry.path = absolute;
            entry.nativePath = native;
            entry.problem = QStringLiteral("Impossibile leggere la cartella %1: %2.")
                                .arg(QDir::toNativeSeparators(absolute), systemFailureReason(errno));
            if (!found(entry)) return;
            continue;
        }
        while (const dirent* d = ::readdir(dir)) {
            const QByteArray name(d->d_name);
            if (!isPracticeName(name)) continue;
            const QByteArray path = native + '/' + name;
            struct stat info {};
            // Relative to the open folder: the folder's path is not walked again for every file.
            const bool exists = ::fstatat(::dirfd(dir), d->d_name, &info, 0) == 0;
            if (exists && S_ISDIR(info.st_mode)) continue;
            if (exists && S_ISREG(info.st_mode)) {
                const QPair<quint64, quint64> key(quint64(info.st_dev), quint64(info.st_ino));
                if (seen.contains(key)) continue;
                seen.insert(key);
            }
            PracticeEntry entry;
            entry.path = absolute + QLatin1Char('/') + readableName(name);
            entry.nativePath = path;
            if (exists)
                entry.modified = QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                                                info.st_mtim.tv_nsec / 1000000);
            if (!found(entry)) {
                ::closedir(dir);
                return;
            }
        }
        ::closedir(dir);
    }
}

int countPracticeNames(const QStringList& folders) {
    int count = 0;
    for (const QString& folder : folders) {
        DIR* dir = ::opendir(QFile::encodeName(QDir(folder).absolutePath()).constData());
        if (!dir) {
            if (errno != ENOENT) ++count; // listed with its reason
            continue;
        }
        while (const dirent* d = ::readdir(dir))
            if (isPracticeName(QByteArray(d->d_name))) ++count;
        ::closedir(dir);
    }
    return count;
}

QList<PracticeEntry> practiceFilesIn(const QStringList& folders) {
    QList<PracticeEntry> files;
    forEachPracticeFile(folders, [&files](const PracticeEntry& entry) {
        files << entry;
        return true;
    });
    std::sort(files.begin(), files.end(),
              [](const PracticeEntry& a, const PracticeEntry& b) { return a.path < b.path; });
    return files;
}

QList<ArchiveRow> readArchive(const QStringList& folders, const PracticeForm& prototype, bool searchKeys) {
    QList<ArchiveRow> rows;
    for (const PracticeEntry& file : practiceFilesIn(folders))
        rows << readArchiveRow(file, prototype, searchKeys);
    return rows;
}

QString searchFolded(const QString& text) {
    // Plain ASCII has no accents to take off.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing) folded += c;
    return folded.toCaseFolded();
}

bool archiveRowMatches(const ArchiveRow& row, const QString& query) {
    return archiveKeyHoldsWords(row.searchKey, archiveSearchWords(query));
}

QStringList archiveSearchWords(const QString& query) {
    return searchFolded(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Eight characters at a time are looked at for the word's first and last character together,
// so that most places are passed over without a comparison: the first keys of a search look
// through every row.
qsizetype findSearchWord(QStringView text, QStringView word, qsizetype from) {
    const qsizetype n = text.size();
    const qsizetype k = word.size();
    if (k == 0) return from <= n ? from : -1;
    const char16_t* h = text.utf16();
    const char16_t* w = word.utf16();
    qsizetype i = std::max<qsizetype>(from, 0);
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi16(short(w[0]));
    const __m128i last = _mm_set1_epi16(short(w[k - 1]));
    for (; i + k - 1 + 8 <= n; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + k - 1));
        // Two bits for each place both characters are at.
        uint mask =
            uint(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi16(a, first), _mm_cmpeq_epi16(b, last))));
        while (mask) {
            const qsizetype at = i + qCountTrailingZeroBits(mask) / 2;
            if (k <= 2 || std::equal(w + 1, w + k - 1, h + at + 1)) return at;
            mask &= mask - 1;
            mask &= mask - 1;
        }
    }
#endif
    for (; i + k <= n; ++i)
        if (h[i] == w[0] && std::equal(w + 1, w + k, h + i + 1)) return i;
    return -1;
}

bool archiveKeyHoldsWords(QStringView key, const QStringList& words) {
    return std::all_of(words.cbegin(), words.cend(),
                       [key](const QString& w) { return findSearchWord(key, w, 0) >= 0; });
}

QStringView archiveSortText(const ArchiveRow& row, int column) {
    return QStringView(row.searchKey)
        .mid(row.keyStart[column], row.keyStart[column + 1] - 1 - row.keyStart[column]);
}

bool isArchiveTextColumn(int column) {
    switch (column) {
    case ColumnFile:
    case ColumnApplicant:
    case ColumnTaxCode:
    case ColumnTaxCodeCheck:
    case ColumnMunicipality:
    case ColumnAddress:
        return true;
    default:
        return false;
    }
}

quint64 archiveSortNumber(const ArchiveRow& row, int column) {
    const QVariant value = archiveSortValue(row, column);
    if (value.typeId() == QMetaType::Double) {
        // -0 equals 0 in a comparison; the bits of a negative number order backwards.
        const double amount = value.toDouble();
        const quint64 bits = std::bit_cast<quint64>(amount == 0 ? 0.0 : amount);
        return bits >> 63 ? ~bits : bits | (quint64(1) << 63);
    }
    // Signed numbers with the sign bit flipped order as unsigned ones.
    return quint64(value.toLongLong()) ^ (quint64(1) << 63);
}

void ArchiveTotals::add(const ArchiveRow& r) {
    if (!r.readable()) {
        ++unreadable;
        return;
    }
    ++practices;
    if (r.taxCodeDisagrees()) ++wrongTaxCodes;
    oblationDue += r.oblationDue;
    oblationPaid += r.oblationPaid;
    oblationRemaining += r.oblationRemaining;
    advanceDue += r.advanceDue;
    advancePaid += r.advancePaid;
}

ArchiveTotals archiveTotals(const QList<ArchiveRow>& rows) {
    ArchiveTotals t;
    for (const ArchiveRow& r : rows)
        t.add(r);
    return t;
}

QString archiveTotalsText(const ArchiveTotals& t) {
    QString text =
        t.practices == 1 ? QStringLiteral("1 pratica") : QStringLiteral("%1 pratiche").arg(t.practices);
    text +=
        QStringLiteral(" — oblazione dovuta %1, versata %2, residua %3 — anticipazione dovuta %4, versata %5")
            .arg(Formatta(t.oblationDue), Formatta(t.oblationPaid), Formatta(t.oblationRemaining),
                 Formatta(t.advanceDue), Formatta(t.advancePaid));
    if (t.wrongTaxCodes == 1)
        text += QStringLiteral(" — 1 codice fiscale da verificare");
    else if (t.wrongTaxCodes > 1)
        text += QStringLiteral(" — %1 codici fiscali da verificare").arg(t.wrongTaxCodes);
    if (t.unreadable == 1)
        text += QStringLiteral(" — 1 file illeggibile");
    else if (t.unreadable > 1)
        text += QStringLiteral(" — %1 file illeggibili").arg(t.unreadable);
    return text;
}

QString archiveTextTable(const QList<ArchiveRow>& rows) {
    QList<int> widths(ArchiveColumnCount, 0);
    // Every cell once, row after row; the widths from all of them.
    QStringList cells;
    cells.reserve((rows.size() + 1) * ArchiveColumnCount);
    for (int c = 0; c < ArchiveColumnCount; ++c)
        cells << archiveColumnTitle(c);
    for (const ArchiveRow& r : rows)
        for (int c = 0; c < ArchiveColumnCount; ++c)
            cells << printable(archiveCellText(r, c).simplified());
    for (qsizetype i = 0; i < cells.size(); ++i)
        widths[i % ArchiveColumnCount] =
            std::max<int>(widths[i % ArchiveColumnCount], int(cells.at(i).size()));
    QString out;
    QString line;
    for (qsizetype first = 0; first < cells.size(); first += ArchiveColumnCount) {
        line.clear();
        for (int c = 0; c < ArchiveColumnCount; ++c) {
            const QString& cell = cells.at(first + c);
            if (c > 0) line += QLatin1String("  ");
            const qsizetype pad = widths[c] - cell.size();
            if (isAmountColumn(c) && pad > 0) line += QString(pad, QLatin1Char(' '));
            line += cell;
            if (!isAmountColumn(c) && pad > 0) line += QString(pad, QLatin1Char(' '));
        }
        out += QStringView(line).trimmed();
        out += QLatin1Char('\n');
    }
    out += archiveTotalsText(archiveTotals(rows)) + QLatin1Char('\n');
    return out;
}

} // namespace quadrelo
