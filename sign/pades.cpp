// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "pades.h"

#include "cades.h"

#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QRegularExpression>

namespace quadrelo::sign {

namespace {

// Room for the signature in /Contents beyond the certificates it carries, in bytes before hex: the
// signature itself (up to a 8192-bit key), the attributes and the structure, with a margin.
constexpr qsizetype kSignatureRoom = 3072;
constexpr int kByteRangeWidth = 48;

[[noreturn]] void unsupported() {
    throw SignError(QStringLiteral("Il PDF non ha la forma che il programma sa firmare."));
}

QRegularExpressionMatch match(const QByteArray& text, const QString& pattern) {
    return QRegularExpression(pattern).match(QString::fromLatin1(text));
}

// The last definition of object `number`, from "obj" to "endobj" excluded: an update may
// redefine it.
QByteArray objectBody(const QByteArray& pdf, int number) {
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    qsizetype at = pdf.size();
    while ((at = pdf.lastIndexOf(head, at - 1)) > 0 && pdf[at - 1] != '\n' && pdf[at - 1] != '\r') {
    }
    if (at <= 0) unsupported();
    const qsizetype start = at + head.size();
    const qsizetype end = pdf.indexOf("endobj", start);
    if (end < 0) unsupported();
    return pdf.mid(start, end - start).trimmed();
}

int reference(const QByteArray& dictionary, const char* key) {
    const auto m = match(dictionary, QStringLiteral("/%1\\s+(\\d+)\\s+0\\s+R").arg(QLatin1String(key)));
    if (!m.hasMatch()) unsupported();
    return m.captured(1).toInt();
}

// A dictionary with one more entry before its closing ">>".
QByteArray withEntry(const QByteArray& dictionary, const QByteArray& entry) {
    const qsizetype close = dictionary.lastIndexOf(">>");
    if (!dictionary.startsWith("<<") || close < 0) unsupported();
    return dictionary.left(close) + entry + "\n>>";
}

// An array with one more element before its closing "]".
QByteArray withElement(const QByteArray& array, const QByteArray& element) {
    const qsizetype close = array.lastIndexOf(']');
    if (!array.startsWith('[') || close < 0) unsupported();
    return array.left(close) + ' ' + element + ' ' + array.mid(close);
}

struct Update {
    QByteArray text;
    QList<std::pair<int, qsizetype>> offsets; // object, offset in the whole file

    void add(qsizetype base, int number, const QByteArray& body) {
        offsets.append({number, base + text.size()});
        text += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    }
};

QByteArray decimal(qreal value) {
    return QByteArray::number(value, 'f', 2);
}

// The stamp's appearance: a thin frame and two lines of text filled as outlines.
QByteArray stampDrawing(QSizeF size, const QString& holder) {
    QByteArray ops = "0.4 w 0 0 0 RG 0 0 0 rg 0.5 0.5 " + decimal(size.width() - 1) + ' ' +
                     decimal(size.height() - 1) + " re S\n";
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    QPainterPath path;
    path.addText(QPointF(6, size.height() / 2 - 3), font, QStringLiteral("Firmato digitalmente da"));
    font.setBold(true);
    path.addText(QPointF(6, size.height() / 2 + 9), font, holder);
    // The path is drawn from the box's top; the PDF's y grows upwards.
    auto point = [&](const QPointF& p) { return decimal(p.x()) + ' ' + decimal(size.height() - p.y()); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            ops += point(e) + " m\n";
        } else if (e.isLineTo()) {
            ops += point(e) + " l\n";
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            ops +=
                point(e) + ' ' + point(path.elementAt(i + 1)) + ' ' + point(path.elementAt(i + 2)) + " c\n";
            i += 2;
        }
    }
    return ops + "f\n";
}

} // namespace

std::optional<Stamp> freeStampPlace(const QList<QList<QRectF>>& occupiedByPage, QSizeF pageSize) {
    if (occupiedByPage.isEmpty()) return std::nullopt;
    const QSizeF box(230, 34);
    const qreal margin = 56.7; // 2 cm, as the documents keep
    qreal lowest = margin;
    for (const QRectF& r : occupiedByPage.constLast())
        lowest = std::max(lowest, r.bottom());
    const QRectF place(pageSize.width() - margin - box.width(), lowest + 12, box.width(), box.height());
    if (place.bottom() > pageSize.height() - margin) return std::nullopt;
    return Stamp{int(occupiedByPage.size() - 1), place, pageSize};
}

QByteArray padesSign(const QByteArray& pdf, SigningKey& key, const QDateTime& when,
                     const std::optional<Stamp>& stamp) {
    if (!pdf.startsWith("%PDF-")) throw SignError(QStringLiteral("Il file non è un PDF."));
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype trailerAt = pdf.lastIndexOf("trailer", startxref);
    if (startxref < 0 || trailerAt < 0) unsupported(); // cross-reference streams are not ours
    const QByteArray trailer = pdf.mid(trailerAt, startxref - trailerAt);
    const auto prev = match(pdf.mid(startxref), QStringLiteral("startxref\\s+(\\d+)"));
    const auto size = match(trailer, QStringLiteral("/Size\\s+(\\d+)"));
    const auto info = match(trailer, QStringLiteral("/Info\\s+\\d+\\s+0\\s+R"));
    const auto id = match(trailer, QStringLiteral("/ID\\s*\\[[^\\]]*\\]"));
    if (!prev.hasMatch() || !size.hasMatch()) unsupported();
    const int root = reference(trailer, "Root");
    const int signatureObject = size.captured(1).toInt();
    const int widgetObject = signatureObject + 1;
    const QByteArray widgetRef = QByteArray::number(widgetObject) + " 0 R";

    QByteArray catalog = objectBody(pdf, root);
    const QByteArray pages = objectBody(pdf, reference(catalog, "Pages"));
    // The stamp's page among the kids of a flat page tree, as the program writes it.
    const auto kids = match(pages, QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const QStringList kidRefs =
        kids.hasMatch() ? kids.captured(1).split(QLatin1Char('R'), Qt::SkipEmptyParts) : QStringList();
    const int pageIndex = stamp ? stamp->page : 0;
    if (pageIndex < 0 || pageIndex >= kidRefs.size()) unsupported();
    const int page = kidRefs[pageIndex].trimmed().section(QLatin1Char(' '), 0, 0).toInt();
    if (page <= 0) unsupported();

    // The field joins the form of the document, a new one or the one an earlier signature made.
    int fieldNumber = 1;
    const auto form = match(catalog, QStringLiteral("/AcroForm\\s*<<\\s*/Fields\\s*\\[([^\\]]*)\\]"));
    if (form.hasMatch()) {
        fieldNumber = int(form.captured(1).count(QLatin1Char('R'))) + 1;
        const qsizetype close = catalog.indexOf(']', form.capturedStart(1));
        catalog.insert(close, " " + widgetRef + " ");
    } else if (catalog.contains("/AcroForm")) {
        unsupported();
    } else {
        catalog = withEntry(catalog, "/AcroForm << /Fields [" + widgetRef + "] /SigFlags 3 >>");
    }

    Update update;
    const qsizetype base = pdf.size() + (pdf.endsWith('\n') ? 0 : 1);
    const QByteArray placeholder(kByteRangeWidth, ' ');
    qsizetype room = kSignatureRoom + key.certificate().size();
    for (const QByteArray& other : key.chain())
        room += other.size();
    const QByteArray zeros(room * 2, '0');
    update.add(base, signatureObject,
               "<<\n/Type /Sig\n/Filter /Adobe.PPKLite\n/SubFilter /ETSI.CAdES.detached\n/ByteRange " +
                   placeholder + "\n/Contents <" + zeros + ">\n/M (D:" +
                   when.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)\n>>");
    QByteArray rect = "[0 0 0 0]";
    QByteArray appearance;
    if (stamp) {
        const QRectF& r = stamp->rect;
        const qreal height = stamp->pageSize.height();
        rect = '[' + decimal(r.left()) + ' ' + decimal(height - r.bottom()) + ' ' + decimal(r.right()) + ' ' +
               decimal(height - r.top()) + ']';
        const QByteArray drawing = stampDrawing(r.size(), describeCertificate(key.certificate()).holder);
        appearance = "/AP << /N " + QByteArray::number(widgetObject + 1) + " 0 R >>\n";
        update.add(base, widgetObject + 1,
                   "<<\n/Type /XObject\n/Subtype /Form\n/BBox [0 0 " + decimal(r.width()) + ' ' +
                       decimal(r.height()) + "]\n/Resources << >>\n/Length " +
                       QByteArray::number(drawing.size()) + "\n>>\nstream\n" + drawing + "\nendstream");
    }
    update.add(base, widgetObject,
               "<<\n/Type /Annot\n/Subtype /Widget\n/FT /Sig\n/T (Firma " + QByteArray::number(fieldNumber) +
                   ")\n/V " + QByteArray::number(signatureObject) + " 0 R\n/P " + QByteArray::number(page) +
                   " 0 R\n/Rect " + rect + "\n/F 132\n" + appearance + ">>");
    update.add(base, root, catalog);
    const QByteArray pageBody = objectBody(pdf, page);
    const auto annots = match(pageBody, QStringLiteral("/Annots\\s+(\\d+)\\s+0\\s+R"));
    if (annots.hasMatch()) {
        const int number = annots.captured(1).toInt();
        update.add(base, number, withElement(objectBody(pdf, number), widgetRef));
    } else if (pageBody.contains("/Annots")) {
        const qsizetype open = pageBody.indexOf('[', pageBody.indexOf("/Annots"));
        if (open < 0) unsupported();
        QByteArray changed = pageBody;
        changed.insert(open + 1, " " + widgetRef + " ");
        update.add(base, page, changed);
    } else {
        update.add(base, page, withEntry(pageBody, "/Annots [" + widgetRef + "]"));
    }

    const qsizetype xref = base + update.text.size();
    update.text += "xref\n";
    std::sort(update.offsets.begin(), update.offsets.end());
    for (const auto& [number, offset] : update.offsets)
        update.text += QByteArray::number(number) + " 1\n" +
                       QByteArray::number(qlonglong(offset)).rightJustified(10, '0') + " 00000 n \n";
    update.text += "trailer\n<<\n/Size " + QByteArray::number(widgetObject + (stamp ? 2 : 1)) + "\n/Root " +
                   QByteArray::number(root) + " 0 R\n" +
                   (info.hasMatch() ? info.captured(0).toLatin1() + "\n" : QByteArray()) +
                   (id.hasMatch() ? id.captured(0).toLatin1() + "\n" : QByteArray()) + "/Prev " +
                   prev.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(qlonglong(xref)) +
                   "\n%%EOF\n";

    QByteArray signedPdf = pdf;
    if (!pdf.endsWith('\n')) signedPdf += '\n';
    signedPdf += update.text;
    // Everything but the hex string of /Contents is signed.
    const qsizetype rangeAt = signedPdf.indexOf("/ByteRange " + placeholder, base) + 11;
    const qsizetype open = signedPdf.indexOf("/Contents <", base) + 10;
    const qsizetype close = open + zeros.size() + 2;
    const QByteArray range = "[0 " + QByteArray::number(qlonglong(open)) + ' ' +
                             QByteArray::number(qlonglong(close)) + ' ' +
                             QByteArray::number(qlonglong(signedPdf.size() - close)) + ']';
    signedPdf.replace(rangeAt, range.size(), range);
    const QByteArray signature = detachedSignature(signedPdf.left(open) + signedPdf.mid(close), key).toHex();
    if (signature.size() > zeros.size())
        throw SignError(QStringLiteral("La firma è più grande dello spazio riservato nel PDF."));
    signedPdf.replace(open + 1, signature.size(), signature);
    return signedPdf;
}

} // namespace quadrelo::sign
