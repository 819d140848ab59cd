// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "practice_file.h"

#include "calc/page_inputs.h"
#include "calc/practice_form.h"
#include "record/catalogue.h"
#include "record/text_file.h"

#include <QStringView>

#include <optional>

namespace quadrelo {

namespace {

enum class LineKind { Text, List, Flag, Date };

struct Line {
    LineKind kind;
    QString control;
};

// The 93 positional lines. The order is not the window's: files in circulation rely on it.
const QList<Line>& layout() {
    static const QList<Line> lines = [] {
        QList<Line> l;
        auto add = [&l](LineKind kind, const QString& prefix, int first, int last) {
            for (int n = first; n <= last; ++n)
                l.append({kind, prefix + QString::number(n)});
        };
        add(LineKind::Text, QStringLiteral("Edit"), 1, 24);
        add(LineKind::Text, QStringLiteral("Edit"), 60, 67);
        add(LineKind::Text, QStringLiteral("Edit"), 33, 36);
        add(LineKind::List, QStringLiteral("ComboBox"), 1, 4);
        add(LineKind::Flag, QStringLiteral("CheckBox"), 1, 13);
        add(LineKind::Flag, QStringLiteral("RadioButton"), 1, 17);
        add(LineKind::Text, QStringLiteral("Edit"), 40, 51);
        add(LineKind::Text, QStringLiteral("Edit"), 25, 32);
        add(LineKind::Date, QStringLiteral("DateTimePicker"), 1, 3);
        return l;
    }();
    return lines;
}

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kCrLf = QStringLiteral("\r\n");

// How a field is named in a message: its caption, or its group when it has none.
QString describeField(const QString& control) {
    const FieldSpec* descriptor = fieldSpec(control);
    if (!descriptor) return control;
    QString caption = descriptor->caption.trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    const QString group = descriptor->group.trimmed();
    const QString page = pageTitles().value(descriptor->page);
    if (caption.isEmpty()) return QStringLiteral("«%1» nella pagina «%2»").arg(group, page);
    return QStringLiteral("«%1» (%2) nella pagina «%3»").arg(caption, group, page);
}

void refuse(const QString& control, const QString& why) {
    throw Error(
        QStringLiteral("La pratica non è stata salvata: il campo %1 %2.").arg(describeField(control), why));
}

void checkStorable(const QString& control, const QString& text, bool memo) {
    if (const QString bad = unencodableCharacters(text); !bad.isEmpty())
        refuse(
            control,
            QStringLiteral("contiene caratteri che il file della pratica non può conservare (%1)").arg(bad));
    if (memo && text.split(kCrLf).contains(practiceSeparator()))
        refuse(control, QStringLiteral("contiene una riga uguale a \"%1\", che il file usa come separatore")
                            .arg(practiceSeparator()));
}

// A memo's own line breaks are CR LF in the file, whatever the widget gave us. A lone CR is
// no line break: the reader keeps it inside its line, so it is written back as it came.
QString normalizedMemo(QString text) {
    text.replace(kCrLf, QStringLiteral("\n"));
    return text.replace(QLatin1Char('\n'), kCrLf);
}

QString memoSection(const QString& text) {
    return text.isEmpty() ? QStringLiteral("-1") : normalizedMemo(text);
}

// Flag words in any letter case, or a number: zero clears.
bool parseFlag(const QString& line) {
    // The words as the program writes them, before any trimming or folding.
    if (line == QLatin1String("TRUE")) return true;
    if (line == QLatin1String("FALSE")) return false;
    const QString word = line.trimmed();
    if (word.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) return true;
    if (word.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const double number = QString(word).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok) throw DamagedFileError();
    return number != 0;
}

int parseListPosition(const QString& line) {
    bool ok = false;
    const int position = line.trimmed().toInt(&ok);
    if (!ok) throw DamagedFileError();
    return position;
}

// "dd/mm/yyyy" read by hand: the date parser of Qt costs more than the rest of a line.
std::optional<QDate> plainDate(QStringView text) {
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/') return std::nullopt;
    int fields[3] = {0, 0, 0};
    const int starts[3] = {0, 3, 6};
    const int lengths[3] = {2, 2, 4};
    for (int f = 0; f < 3; ++f)
        for (int i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
            fields[f] = fields[f] * 10 + (text[i].unicode() - u'0');
        }
    if (fields[2] == 0) return std::nullopt; // no year 0: left to the parser
    return QDate(fields[2], fields[1], fields[0]);
}

QDate parseDate(const QString& line) {
    if (const std::optional<QDate> plain = plainDate(QStringView(line).trimmed()); plain && plain->isValid())
        return *plain;
    QDate date = QDate::fromString(line.trimmed(), kDateFormat);
    if (!date.isValid()) date = QDate::fromString(line.trimmed(), QStringLiteral("d/M/yyyy"));
    if (!date.isValid()) throw DamagedFileError();
    return date;
}

} // namespace

QString practiceSeparator() {
    return QStringLiteral("]*#@§@#*[");
}

QByteArray practiceFileBytes(const PracticeForm& form) {
    QStringList lines;
    for (const Line& line : layout()) {
        switch (line.kind) {
        case LineKind::Text: {
            const QString& text = form.edit(line.control)->text;
            checkStorable(line.control, text, false);
            lines << (text.isEmpty() ? QStringLiteral("-1") : text);
            break;
        }
        case LineKind::List:
            lines << QString::number(form.combo(line.control)->itemIndex);
            break;
        case LineKind::Flag: {
            const RadioState* radio = form.radio(line.control);
            const bool set = radio ? radio->checked : form.check(line.control)->checked;
            lines << (set ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
            break;
        }
        case LineKind::Date:
            lines << form.datePicker(line.control)->date.toString(kDateFormat);
            break;
        }
    }
    checkStorable(QStringLiteral("Memo1"), normalizedMemo(form.Memo1.text), true);
    checkStorable(QStringLiteral("Memo2"), normalizedMemo(form.Memo2.text), true);
    lines << memoSection(form.Memo1.text) << practiceSeparator() << memoSection(form.Memo2.text)
          << practiceSeparator();
    return encodeTextLines(lines);
}

void Salvataggio(const PracticeForm& form) {
    writeBytes(form.currentFileName, practiceFileBytes(form));
}

void savePracticeAs(PracticeForm& form, const QString& path) {
    writeBytes(path, practiceFileBytes(form));
    form.currentFileName = path;
}

namespace {

// Takes a practice file's lines one at a time: the positional lines, then the two memos, each
// decoded straight into its text. A long memo never stands beside a decoded copy of its file.
class PracticeReader {
public:
    // The file's size, when known: a memo is never longer than the rest of the file, and
    // growing one as it is read would hold it twice at each step.
    void sized(qint64 size) { size_ = size; }

    void take(QByteArrayView line) {
        read_ += line.size() + 1;
        if (fixed_.size() < layout().size()) {
            fixed_ << decode_(line);
            return;
        }
        if (memo_ >= 2) return;
        if (line == separator_) {
            endMemo();
            return;
        }
        QString& memo = memo_ == 0 ? contents_.memo1 : contents_.memo2;
        if (memoLines_ == 0 && size_ > read_) memo.reserve(qsizetype(size_ - read_) + line.size() + 1);
        if (memoLines_ > 0) memo += kCrLf;
        const bool empty = line.isEmpty() || line == "-1";
        if (!empty) memo += decode_(line);
        lastEmpty_ = empty;
        ++memoLines_;
    }

    PracticeFileContents finish() {
        const QList<Line>& lines = layout();
        for (int i = 0; i < lines.size(); ++i) {
            // A file that ends early reads empty lines, which only text fields accept.
            const QString value = i < fixed_.size() ? fixed_.at(i) : QString();
            switch (lines.at(i).kind) {
            case LineKind::List:
                parseListPosition(value);
                break;
            case LineKind::Flag:
                parseFlag(value);
                break;
            case LineKind::Date:
                parseDate(value);
                break;
            case LineKind::Text:
                break;
            }
            contents_.lines << value;
        }
        if (memo_ < 2) throw DamagedFileError();
        return std::move(contents_);
    }

private:
    // A memo's empty last line is not part of it.
    void endMemo() {
        QString& memo = memo_ == 0 ? contents_.memo1 : contents_.memo2;
        if (lastEmpty_) {
            if (memoLines_ == 1)
                memo = QString();
            else
                memo.chop(kCrLf.size());
        }
        memo.squeeze();
        ++memo_;
        memoLines_ = 0;
        lastEmpty_ = false;
    }

    // The separator's characters are one byte each in the code page.
    const QByteArray separator_ = practiceSeparator().toLatin1();
    LineDecoder decode_;
    QStringList fixed_;
    qint64 size_ = 0, read_ = 0; // bytes
    int memo_ = 0;               // the memos read to their separator
    qsizetype memoLines_ = 0;
    bool lastEmpty_ = false;
    PracticeFileContents contents_;
};

} // namespace

PracticeFileContents parsePracticeFile(const QByteArray& bytes) {
    PracticeReader reader;
    splitTextLines(bytes, [&reader](QByteArrayView line) { reader.take(line); });
    return reader.finish();
}

namespace {

// A file far too large, or opened but not readable to its end, reads as damaged.
template <class Read> auto readAsPractice(Read read) {
    try {
        return read();
    } catch (const FileTooLargeError& e) {
        throw DamagedFileError(e.reason());
    } catch (const FileReadError&) {
        throw DamagedFileError();
    }
}

} // namespace

// Read a piece at a time: a long practice is never held whole beside its memos.
PracticeFileContents readPracticeFile(const QString& path) {
    PracticeReader reader;
    readAsPractice([&] {
        readTextLineBytes(
            path, kPracticeFileLimit, [&reader](QByteArrayView line) { reader.take(line); },
            [&reader](qint64 size) { reader.sized(size); });
    });
    return reader.finish();
}

void applyPracticeFile(PracticeForm& form, const PracticeFileContents& contents) {
    form.Memo1.text.clear();
    form.Memo2.text.clear();
    const QList<Line>& lines = layout();
    for (int i = 0; i < lines.size(); ++i) {
        const QString& control = lines.at(i).control;
        const QString& value = contents.lines.at(i);
        switch (lines.at(i).kind) {
        case LineKind::Text:
            form.edit(control)->text = value == QLatin1String("-1") ? QString() : value;
            break;
        case LineKind::List:
            form.chooseItem(control, parseListPosition(value));
            break;
        case LineKind::Flag:
            if (form.radio(control)) {
                if (parseFlag(value))
                    form.select(control); // runs the selection rules when it was clear
                else
                    form.radio(control)->checked = false;
            } else {
                form.check(control)->checked = parseFlag(value);
            }
            break;
        case LineKind::Date:
            form.datePicker(control)->date = parseDate(value);
            break;
        }
    }
    form.Memo1.text = contents.memo1;
    form.Memo2.text = contents.memo2;
}

void recomputeOpenedPractice(PracticeForm& form) {
    form.Indennizza();
    try {
        // Each page in front while its open inputs are left, as the user would leave them.
        const struct {
            int page;
            QStringList inputs;
        } pages[] = {{PageOblazione, oblationInputs()},
                     {PageAnticipazione, advanceInputs()},
                     {PageAreeStato, occupiedSurfaceInputs() + areaSurfaceInputs()}};
        for (const auto& p : pages) {
            form.ui().showPage(p.page);
            // The duration within the limits the field keeps when it is left.
            if (p.page == PageAreeStato) form.limitaDurata();
            for (const QString& name : form.enabledEdits(p.inputs))
                form.leave(name);
        }
        form.ui().showPage(PageRichiedente);
    } catch (const Error&) {
        // A field that is no number: the page of that field stays in front.
        form.ui().beep();
    }
    form.riepilogo();
}

void openPractice(PracticeForm& form, const QString& path, QByteArray* read) {
    PracticeFileContents contents;
    if (read) {
        const QByteArray bytes = readAsPractice([&] { return readFileBytes(path, kPracticeFileLimit); });
        contents = parsePracticeFile(bytes);
        *read = bytes;
    } else {
        contents = readPracticeFile(path);
    }
    form.currentFileName = path;
    applyPracticeFile(form, contents);
    recomputeOpenedPractice(form);
}

} // namespace quadrelo
