// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "documents/engine/report_template.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace quadrelo::report {

TemplateError::TemplateError(const QString& templateName, int line, const QString& problem)
    : Error(templateName.isEmpty() ? QStringLiteral("Modello di stampa, riga %1: %2").arg(line).arg(problem)
                                   : QStringLiteral("Modello di stampa «%1», riga %2: %3")
                                         .arg(templateName)
                                         .arg(line)
                                         .arg(problem)),
      line_(line), problem_(problem) {}

QStringList Template::columns() const {
    QStringList names;
    QSet<QString> seen;
    for (const TemplatePage& page : pages)
        for (const Element& e : page.elements)
            for (const Term& t : e.value)
                if (t.kind == Term::Column && !seen.contains(t.text)) {
                    seen.insert(t.text);
                    names << t.text;
                }
    return names;
}

QString boxRowCaption(const QString& pattern) {
    static const QRegularExpression valid(QStringLiteral("^[0-9]+([^0-9\\s][0-9]+)*$"));
    if (!valid.match(pattern).hasMatch()) return QString();
    QString row = QStringLiteral("|");
    int number = 0;
    for (const QChar c : pattern) {
        if (c.isDigit()) {
            number = number * 10 + c.digitValue();
            if (number > 500) return QString();
            continue;
        }
        row += QStringLiteral("_|").repeated(number) + c + QLatin1Char('|');
        number = 0;
    }
    return row + QStringLiteral("_|").repeated(number);
}

namespace {

struct Token {
    enum Kind { Word, String, Plus, Option };
    Kind kind = Word;
    QString text; // word, string, or an option's value
    QString key;  // an option's name
};

// Thrown inside the parser with the line still unknown; the caller adds it.
struct Problem {
    QString text;
};

QString readQuoted(const QString& line, qsizetype& i) {
    QString out;
    ++i; // opening quote
    while (i < line.size()) {
        const QChar c = line[i++];
        if (c == QLatin1Char('"')) return out;
        if (c == QLatin1Char('\\') && i < line.size()) {
            const QChar next = line[i++];
            if (next == QLatin1Char('n'))
                out += QLatin1Char('\n');
            else if (next == QLatin1Char('~'))
                out += QChar::Nbsp;
            else if (next == QLatin1Char('"') || next == QLatin1Char('\\'))
                out += next;
            else
                throw Problem{
                    QStringLiteral("sequenza «\\%1» sconosciuta (valgono \\n, \\~, \\\" e \\\\)").arg(next)};
            continue;
        }
        out += c;
    }
    throw Problem{QStringLiteral("virgolette non chiuse")};
}

QList<Token> tokenize(const QString& line) {
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < line.size()) {
        const QChar c = line[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('"')) {
            tokens.append({Token::String, readQuoted(line, i), {}});
        } else if (c == QLatin1Char('+')) {
            tokens.append({Token::Plus, QStringLiteral("+"), {}});
            ++i;
        } else {
            const qsizetype start = i;
            while (i < line.size() && !line[i].isSpace() && line[i] != QLatin1Char('"') &&
                   line[i] != QLatin1Char('+'))
                ++i;
            const QString word = line.mid(start, i - start);
            const qsizetype eq = word.indexOf(QLatin1Char('='));
            if (eq < 0) {
                tokens.append({Token::Word, word, {}});
            } else if (eq == word.size() - 1 && i < line.size() && line[i] == QLatin1Char('"')) {
                tokens.append({Token::Option, readQuoted(line, i), word.left(eq)});
            } else {
                tokens.append({Token::Option, word.mid(eq + 1), word.left(eq)});
            }
        }
    }
    return tokens;
}

double number(const QString& text, const char* what) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (ok) return v;
    if (text.contains(QLatin1Char(',')))
        throw Problem{
            QStringLiteral("%1 «%2» non valido: i decimali vanno col punto").arg(QLatin1String(what), text)};
    throw Problem{QStringLiteral("%1 «%2» non è un numero").arg(QLatin1String(what), text)};
}

QString kindName(ElementKind kind) {
    switch (kind) {
    case ElementKind::Caption:
        return QStringLiteral("caption");
    case ElementKind::Paragraph:
        return QStringLiteral("paragraph");
    case ElementKind::DataText:
        return QStringLiteral("text");
    case ElementKind::DataParagraph:
        return QStringLiteral("datapar");
    case ElementKind::BoxRow:
        return QStringLiteral("boxes");
    case ElementKind::Line:
        return QStringLiteral("line");
    case ElementKind::Rectangle:
        return QStringLiteral("rect");
    case ElementKind::Picture:
        return QStringLiteral("picture");
    }
    return QString();
}

bool isTextKind(ElementKind k) {
    return k == ElementKind::Caption || k == ElementKind::Paragraph || k == ElementKind::DataText ||
           k == ElementKind::DataParagraph || k == ElementKind::BoxRow;
}

bool hasValue(ElementKind k) {
    return k == ElementKind::DataText || k == ElementKind::DataParagraph || k == ElementKind::BoxRow;
}

bool isParagraph(ElementKind k) {
    return k == ElementKind::Paragraph || k == ElementKind::DataParagraph;
}

// Templates round the paper to 8.27 × 11.69 in; a hair past its edge is the edge.
constexpr double EdgeSlack = 0.01;

void checkInside(double x, double y, const QString& what, const QSizeF& paper) {
    if (x < 0 || y < 0 || x > paper.width() + EdgeSlack || y > paper.height() + EdgeSlack)
        throw Problem{QStringLiteral("%1 fuori dalla pagina A4 (%2 × %3 pollici)")
                          .arg(what, QLocale::c().toString(paper.width(), 'f', 2),
                               QLocale::c().toString(paper.height(), 'f', 2))};
}

// "+"-joined fixed texts and column names, from `from` to the end of the tokens.
QList<Term> expression(const QList<Token>& tokens, qsizetype from, bool continuation) {
    static const QRegularExpression columnName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    QList<Term> terms;
    bool wantTerm = !continuation;
    for (qsizetype i = from; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Plus) {
            if (wantTerm) throw Problem{QStringLiteral("«+» senza un testo o una colonna prima")};
            wantTerm = true;
            continue;
        }
        if (!wantTerm) throw Problem{QStringLiteral("manca «+» prima di «%1»").arg(t.text)};
        if (t.kind == Token::String) {
            terms.append({Term::Text, t.text});
        } else if (t.kind == Token::Word && columnName.match(t.text).hasMatch()) {
            terms.append({Term::Column, t.text});
        } else {
            const QString shown = t.kind == Token::Option ? t.key + QLatin1Char('=') + t.text : t.text;
            throw Problem{
                QStringLiteral("«%1» non è né un testo tra virgolette né un nome di colonna").arg(shown)};
        }
        wantTerm = false;
    }
    if (wantTerm && !terms.isEmpty()) throw Problem{QStringLiteral("l'espressione finisce con «+»")};
    if (wantTerm && continuation) throw Problem{QStringLiteral("manca il seguito dopo «+»")};
    return terms;
}

class Parser {
public:
    Parser(QString name, BlockSource blocks) : blocks_(std::move(blocks)) { t_.name = std::move(name); }

    Template run(const QString& text) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& l : lines)
            if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
        header(lines.value(0));
        for (qsizetype n = 1; n < lines.size(); ++n) {
            line_ = int(n + 1);
            try {
                statement(lines[n]);
            } catch (const Problem& p) {
                throw TemplateError(t_.name, line_, p.text);
            }
        }
        finishElement();
        if (keepDepth_ > 0) throw TemplateError(t_.name, keepLine_, unclosedKeep());
        if (t_.pages.isEmpty())
            throw TemplateError(t_.name, int(lines.size() - (lines.last().isEmpty() ? 1 : 0)),
                                QStringLiteral("il modello non ha pagine («page»)"));
        return t_;
    }

private:
    void header(const QString& first) {
        line_ = 1;
        static const QRegularExpression re(QStringLiteral("^QRT\\s+([0-9]+)\\s*$"));
        const auto m = re.match(first);
        if (!m.hasMatch())
            throw TemplateError(
                t_.name, 1, QStringLiteral("la prima riga deve essere «QRT %1»").arg(TemplateFormatVersion));
        t_.version = m.captured(1).toInt();
        if (t_.version != TemplateFormatVersion)
            throw TemplateError(
                t_.name, 1,
                QStringLiteral("versione %1 del formato non letta da questo programma (legge la %2)")
                    .arg(t_.version)
                    .arg(TemplateFormatVersion));
    }

    void statement(const QString& raw) {
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) return;
        if (trimmed.startsWith(QLatin1Char('|'))) return textLine(raw.mid(raw.indexOf(QLatin1Char('|')) + 1));
        if (trimmed.startsWith(QLatin1Char('+'))) return continuation(trimmed);
        finishElement();

        const QList<Token> tokens = tokenize(trimmed);
        const QString keyword = tokens.first().text;
        if (tokens.first().kind != Token::Word)
            throw Problem{QStringLiteral("la riga deve iniziare con una parola chiave")};

        if (keyword == QLatin1String("title")) {
            if (tokens.size() != 2 || tokens[1].kind != Token::String)
                throw Problem{QStringLiteral("scrivere: title \"Titolo del documento\"")};
            t_.title = tokens[1].text;
        } else if (keyword == QLatin1String("font") || keyword == QLatin1String("boxfont")) {
            fontStatement(keyword == QLatin1String("boxfont"), tokens);
        } else if (keyword == QLatin1String("margins")) {
            margins(tokens);
        } else if (keyword == QLatin1String("paper")) {
            if (tokens.size() != 2 || tokens[1].kind != Token::Word ||
                (tokens[1].text != QLatin1String("portrait") && tokens[1].text != QLatin1String("landscape")))
                throw Problem{QStringLiteral("scrivere: paper portrait oppure paper landscape")};
            if (!t_.pages.isEmpty()) throw Problem{QStringLiteral("«paper» va prima della prima «page»")};
            t_.landscape = tokens[1].text == QLatin1String("landscape");
        } else if (keyword == QLatin1String("include")) {
            include(tokens);
        } else if (keyword == QLatin1String("keep") || keyword == QLatin1String("endkeep")) {
            keep(keyword == QLatin1String("keep"), tokens);
        } else if (keyword == QLatin1String("page")) {
            if (tokens.size() != 1) throw Problem{QStringLiteral("«page» non vuole altro sulla riga")};
            if (keepDepth_ > 0) throw Problem{unclosedKeep()};
            t_.pages.append(TemplatePage());
            font_ = reportFont_;
            boxFont_ = reportBoxFont_;
        } else {
            element(keyword, tokens);
        }
    }

    // `keep` ... `endkeep`: the elements between them go to the same page. A keep inside another
    // adds nothing: the outer group holds them all.
    void keep(bool open, const QList<Token>& tokens) {
        const QString word = open ? QStringLiteral("keep") : QStringLiteral("endkeep");
        if (tokens.size() != 1) throw Problem{QStringLiteral("«%1» non vuole altro sulla riga").arg(word)};
        if (t_.pages.isEmpty()) throw Problem{QStringLiteral("«%1» prima della prima «page»").arg(word)};
        if (open) {
            if (keepDepth_++ == 0) {
                ++keepGroups_;
                keepLine_ = line_;
            }
            return;
        }
        if (keepDepth_ <= blockKeepBase_)
            throw Problem{QStringLiteral("«endkeep» senza un «keep» aperto prima")};
        --keepDepth_;
    }

    QString unclosedKeep() const {
        return QStringLiteral("il «keep» della riga %1 non è chiuso da «endkeep»").arg(keepLine_);
    }

    // A shared block read in place, its positions shifted by dx and dy.
    void include(const QList<Token>& tokens) {
        if (tokens.size() < 2 || tokens[1].kind != Token::String)
            throw Problem{QStringLiteral("scrivere: include \"blocco.qri\" [dx=0] [dy=0]")};
        const QString block = tokens[1].text;
        QPointF shift;
        for (qsizetype i = 2; i < tokens.size(); ++i) {
            const Token& t = tokens[i];
            if (t.kind != Token::Option || (t.key != QLatin1String("dx") && t.key != QLatin1String("dy")))
                throw Problem{QStringLiteral("«include» vuole solo dx= e dy=")};
            (t.key == QLatin1String("dx") ? shift.rx() : shift.ry()) = number(t.text, "spostamento");
        }
        const QString text = blocks_ ? blocks_(block) : QString();
        if (text.isNull()) throw Problem{QStringLiteral("blocco «%1» mancante").arg(block)};
        if (depth_ >= 4) throw Problem{QStringLiteral("blocchi inclusi l'uno nell'altro troppe volte")};
        finishElement();
        const QPointF savedOrigin = origin_;
        const int savedLine = line_;
        const int savedKeepBase = blockKeepBase_;
        blockKeepBase_ = keepDepth_;
        origin_ += shift;
        ++depth_;
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype n = 0; n < lines.size(); ++n) {
            line_ = int(n + 1);
            QString l = lines[n];
            if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
            try {
                statement(l);
            } catch (const Problem& p) {
                line_ = savedLine; // the error names the include line of the template
                throw Problem{QStringLiteral("blocco «%1», riga %2: %3").arg(block).arg(n + 1).arg(p.text)};
            }
        }
        finishElement();
        if (keepDepth_ != blockKeepBase_) {
            line_ = savedLine;
            throw Problem{QStringLiteral("blocco «%1»: un «keep» non è chiuso da «endkeep»").arg(block)};
        }
        blockKeepBase_ = savedKeepBase;
        --depth_;
        origin_ = savedOrigin;
        line_ = savedLine;
    }

    void fontStatement(bool box, const QList<Token>& tokens) {
        if (tokens.size() < 3 || tokens.size() > 4 || tokens[1].kind != Token::String)
            throw Problem{
                QStringLiteral("scrivere: %1 \"Nome del carattere\" dimensione [bold]").arg(tokens[0].text)};
        FontSpec f{tokens[1].text, size(tokens[2].text), false};
        if (tokens.size() == 4) {
            if (tokens[3].text == QLatin1String("bold"))
                f.bold = true;
            else if (tokens[3].text != QLatin1String("normal"))
                throw Problem{QStringLiteral("dopo la dimensione vale solo «bold» o «normal»")};
        }
        if (f.family.trimmed().isEmpty()) throw Problem{QStringLiteral("nome del carattere vuoto")};
        (box ? boxFont_ : font_) = f;
        if (t_.pages.isEmpty()) (box ? reportBoxFont_ : reportFont_) = f;
    }

    void margins(const QList<Token>& tokens) {
        if (tokens.size() == 1) throw Problem{QStringLiteral("scrivere: margins top=0.5 bottom=0.5")};
        for (qsizetype i = 1; i < tokens.size(); ++i) {
            const Token& t = tokens[i];
            if (t.kind != Token::Option ||
                (t.key != QLatin1String("top") && t.key != QLatin1String("bottom")))
                throw Problem{QStringLiteral("«margins» vuole solo top= e bottom=")};
            const double v = number(t.text, "margine");
            if (v < 0 || v > 3)
                throw Problem{QStringLiteral("margine %1 fuori misura (da 0 a 3 pollici)").arg(t.text)};
            (t.key == QLatin1String("top") ? t_.topMargin : t_.bottomMargin) = v;
        }
    }

    void element(const QString& keyword, const QList<Token>& tokens) {
        static const QHash<QString, std::pair<ElementKind, int>> kinds = {
            {QStringLiteral("caption"), {ElementKind::Caption, 2}},
            {QStringLiteral("paragraph"), {ElementKind::Paragraph, 2}},
            {QStringLiteral("text"), {ElementKind::DataText, 2}},
            {QStringLiteral("datapar"), {ElementKind::DataParagraph, 2}},
            {QStringLiteral("boxes"), {ElementKind::BoxRow, 3}},
            {QStringLiteral("line"), {ElementKind::Line, 4}},
            {QStringLiteral("rect"), {ElementKind::Rectangle, 4}},
            {QStringLiteral("picture"), {ElementKind::Picture, 4}},
        };
        const auto found = kinds.constFind(keyword);
        if (found == kinds.constEnd())
            throw Problem{QStringLiteral("parola chiave «%1» sconosciuta").arg(keyword)};
        if (t_.pages.isEmpty()) throw Problem{QStringLiteral("«%1» prima della prima «page»").arg(keyword)};

        Element e;
        e.kind = found->first;
        e.sourceLine = line_;
        if (keepDepth_ > 0) e.keepGroup = keepGroups_ - 1;
        e.font = e.kind == ElementKind::BoxRow ? boxFont_ : font_;

        const int positional = found->second;
        if (tokens.size() <= positional)
            throw Problem{
                QStringLiteral("«%1» vuole %2 misure dopo la parola chiave").arg(keyword).arg(positional)};
        double p[4] = {};
        for (int i = 0; i < positional; ++i) {
            if (e.kind == ElementKind::BoxRow && i == 2) break;
            if (tokens[i + 1].kind != Token::Word)
                throw Problem{QStringLiteral("«%1» vuole %2 misure dopo la parola chiave")
                                  .arg(keyword)
                                  .arg(positional)};
            p[i] = number(tokens[i + 1].text, "misura");
        }
        p[0] += origin_.x();
        p[1] += origin_.y();
        if (e.kind == ElementKind::Line) {
            p[2] += origin_.x();
            p[3] += origin_.y();
        }
        checkInside(p[0], p[1], QStringLiteral("posizione"), t_.paperInches());
        e.pos = QPointF(std::min(p[0], t_.paperInches().width()), std::min(p[1], t_.paperInches().height()));
        if (e.kind == ElementKind::Line) {
            checkInside(p[2], p[3], QStringLiteral("fine della linea"), t_.paperInches());
            e.end =
                QPointF(std::min(p[2], t_.paperInches().width()), std::min(p[3], t_.paperInches().height()));
        } else if (e.kind == ElementKind::Rectangle || e.kind == ElementKind::Picture) {
            if (p[2] <= 0 || p[3] <= 0)
                throw Problem{QStringLiteral("larghezza e altezza devono essere positive")};
            checkInside(p[0] + p[2], p[1] + p[3], QStringLiteral("angolo in basso a destra"),
                        t_.paperInches());
            e.size = QSizeF(std::min(p[2], t_.paperInches().width() - e.pos.x()),
                            std::min(p[3], t_.paperInches().height() - e.pos.y()));
        } else if (e.kind == ElementKind::BoxRow) {
            if (tokens[3].kind != Token::Word)
                throw Problem{QStringLiteral("«boxes» vuole le caselle dopo la posizione")};
            e.text = boxRowCaption(tokens[3].text);
            if (e.text.isEmpty())
                throw Problem{
                    QStringLiteral("caselle «%1» non valide: scrivere un numero (29) o numeri con separatori "
                                   "(6,2 oppure 2/2/4)")
                        .arg(tokens[3].text)};
        }

        qsizetype i = positional + 1;
        bool alignGiven = false;
        for (; i < tokens.size(); ++i) {
            const Token& t = tokens[i];
            if (t.kind == Token::Option) {
                option(e, t);
            } else if (t.kind != Token::Word || !flag(e, t.text, alignGiven)) {
                break;
            }
        }

        content(e, tokens, i);
        validate(e, alignGiven);
        e.width = std::min(e.width, t_.paperInches().width() - e.pos.x());
        t_.pages.last().elements.append(e);
        open_ = &t_.pages.last().elements.last();
        paragraphHasText_ = !e.text.isEmpty();
    }

    void option(Element& e, const Token& t) {
        const QString& k = t.key;
        auto refuse = [&] {
            throw Problem{QStringLiteral("«%1=» non vale per «%2»").arg(k, kindName(e.kind))};
        };
        if (k == QLatin1String("width")) {
            if (!isTextKind(e.kind) || e.kind == ElementKind::BoxRow) refuse();
            e.width = number(t.text, "larghezza");
            if (e.width <= 0) throw Problem{QStringLiteral("larghezza %1 non positiva").arg(t.text)};
        } else if (k == QLatin1String("height")) {
            if (!isParagraph(e.kind) && e.kind != ElementKind::DataText) refuse();
            e.height = number(t.text, "altezza");
            if (e.height <= 0) throw Problem{QStringLiteral("altezza %1 non positiva").arg(t.text)};
        } else if (k == QLatin1String("size")) {
            if (!isTextKind(e.kind)) refuse();
            e.font.size = size(t.text);
        } else if (k == QLatin1String("font")) {
            if (!isTextKind(e.kind)) refuse();
            if (t.text.trimmed().isEmpty()) throw Problem{QStringLiteral("nome del carattere vuoto")};
            e.font.family = t.text;
        } else if (k == QLatin1String("hang")) {
            if (!isParagraph(e.kind)) refuse();
            if (t.text == QLatin1String("auto")) {
                e.hangMarker = true;
                return;
            }
            e.hang = number(t.text, "rientro");
            if (e.hang <= 0)
                throw Problem{QStringLiteral("rientro %1 non positivo (oppure hang=auto)").arg(t.text)};
        } else if (k == QLatin1String("shrink")) {
            if (e.kind != ElementKind::DataText) refuse();
            e.shrink = size(t.text);
        } else if (k == QLatin1String("part")) {
            if (e.kind != ElementKind::DataText) refuse();
            bool ok = false;
            e.part = t.text.toInt(&ok);
            if (!ok || e.part < 1 || e.part > 9)
                throw Problem{QStringLiteral("parte %1 fuori misura (da 1 a 9)").arg(t.text)};
        } else if (k == QLatin1String("pen")) {
            if (e.kind != ElementKind::Line && e.kind != ElementKind::Rectangle) refuse();
            e.pen = number(t.text, "spessore");
            if (e.pen <= 0 || e.pen > 20)
                throw Problem{QStringLiteral("spessore %1 fuori misura (da 0 a 20 punti)").arg(t.text)};
        } else {
            throw Problem{QStringLiteral("opzione «%1=» sconosciuta").arg(k)};
        }
    }

    // A word between the measures and the text: alignment, weight, or where the element goes.
    // False for any other word, which begins the expression.
    bool flag(Element& e, const QString& word, bool& alignGiven) {
        static const QHash<QString, Align> aligns = {{QStringLiteral("left"), Align::Left},
                                                     {QStringLiteral("center"), Align::Centre},
                                                     {QStringLiteral("right"), Align::Right},
                                                     {QStringLiteral("justify"), Align::Justify}};
        if (word == QLatin1String("repeat") || word == QLatin1String("foot")) {
            (word == QLatin1String("repeat") ? e.repeat : e.foot) = true;
            return true;
        }
        const bool isBold = word == QLatin1String("bold") || word == QLatin1String("normal");
        if (!isBold && !aligns.contains(word)) return false;
        if (!isTextKind(e.kind) || (!isBold && e.kind == ElementKind::BoxRow))
            throw Problem{QStringLiteral("«%1» non vale per «%2»").arg(word, kindName(e.kind))};
        if (isBold) {
            e.font.bold = word == QLatin1String("bold");
        } else {
            e.align = aligns.value(word);
            alignGiven = true;
        }
        return true;
    }

    void content(Element& e, const QList<Token>& tokens, qsizetype i) {
        const qsizetype left = tokens.size() - i;
        switch (e.kind) {
        case ElementKind::Caption:
        case ElementKind::Picture:
            if (left != 1 || tokens[i].kind != Token::String)
                throw Problem{
                    e.kind == ElementKind::Caption
                        ? QStringLiteral("«caption» vuole il testo tra virgolette alla fine della riga")
                        : QStringLiteral(
                              "«picture» vuole il nome del file tra virgolette alla fine della riga")};
            e.text = tokens[i].text;
            if (e.kind == ElementKind::Caption && e.text.contains(QLatin1Char('\n')))
                throw Problem{
                    QStringLiteral("una «caption» sta su una riga: per più righe usare «paragraph»")};
            break;
        case ElementKind::Paragraph:
            if (left > 1 || (left == 1 && tokens[i].kind != Token::String))
                throw Problem{QStringLiteral(
                    "«paragraph» vuole il testo tra virgolette o sulle righe «|» che seguono")};
            if (left == 1) e.text = tokens[i].text;
            break;
        case ElementKind::DataText:
        case ElementKind::DataParagraph:
            e.value = expression(tokens, i, false);
            if (e.value.isEmpty())
                throw Problem{QStringLiteral("«%1» vuole una colonna o un'espressione (\"testo\" + colonna)")
                                  .arg(kindName(e.kind))};
            break;
        case ElementKind::BoxRow:
            e.value = expression(tokens, i, false);
            break;
        case ElementKind::Line:
        case ElementKind::Rectangle:
            if (left > 0)
                throw Problem{QStringLiteral("«%1» non vuole «%2»").arg(kindName(e.kind), tokens[i].text)};
            break;
        }
    }

    void validate(const Element& e, bool alignGiven) {
        if (isParagraph(e.kind) && e.width <= 0)
            throw Problem{QStringLiteral("«%1» vuole la larghezza (width=)").arg(kindName(e.kind))};
        if (alignGiven && e.align != Align::Left && e.width <= 0)
            throw Problem{QStringLiteral("per allineare il testo serve la larghezza (width=)")};
        if (e.width > 0 && e.pos.x() + e.width > t_.paperInches().width() + EdgeSlack)
            throw Problem{QStringLiteral("il testo esce dalla pagina: %1 + %2 pollici supera la larghezza A4")
                              .arg(QLocale::c().toString(e.pos.x()), QLocale::c().toString(e.width))};
        if (e.kind == ElementKind::DataText && e.height > 0 && e.shrink <= 0)
            throw Problem{QStringLiteral("«height=» di un «text» vale solo con «shrink=»")};
        if (e.shrink > 0 && (e.width <= 0 || e.shrink > e.font.size))
            throw Problem{
                QStringLiteral("«shrink=» vuole la larghezza (width=) e una misura non maggiore di «size»")};
        if (e.hang > 0 && e.hang >= e.width)
            throw Problem{QStringLiteral("rientro %1 non minore della larghezza %2")
                              .arg(QLocale::c().toString(e.hang), QLocale::c().toString(e.width))};
        if (e.repeat && e.foot) throw Problem{QStringLiteral("«repeat» e «foot» insieme: sceglierne uno")};
        if (e.repeat && isParagraph(e.kind))
            throw Problem{QStringLiteral("«repeat» non vale per «%1»: un paragrafo scorre col testo")
                              .arg(kindName(e.kind))};
        if (e.foot && e.kind == ElementKind::DataParagraph)
            throw Problem{
                QStringLiteral("«foot» non vale per «datapar»: un dato lungo non sta fermo al piede")};
        if ((e.repeat || e.foot) && e.keepGroup >= 0)
            throw Problem{QStringLiteral("«%1» dentro «keep»: l'elemento non segue il testo")
                              .arg(e.repeat ? QStringLiteral("repeat") : QStringLiteral("foot"))};
    }

    void textLine(const QString& text) {
        if (!open_ || open_->kind != ElementKind::Paragraph)
            throw Problem{QStringLiteral("riga «|» che non segue un «paragraph»")};
        if (paragraphHasText_ && !inBlock_)
            throw Problem{QStringLiteral("il «paragraph» ha già il testo tra virgolette: niente righe «|»")};
        QString line = text;
        line.replace(QLatin1String("\\~"), QString(QChar::Nbsp)); // the one escape of a "|" line
        open_->text += inBlock_ ? QLatin1Char('\n') + line : line;
        inBlock_ = true;
    }

    void continuation(const QString& trimmed) {
        if (!open_ || !hasValue(open_->kind))
            throw Problem{QStringLiteral("riga «+» senza un «text», «datapar» o «boxes» prima")};
        open_->value += expression(tokenize(trimmed), 0, true);
    }

    void finishElement() {
        if (open_ && open_->kind == ElementKind::Paragraph && open_->text.isEmpty())
            throw TemplateError(t_.name, open_->sourceLine, QStringLiteral("«paragraph» senza testo"));
        open_ = nullptr;
        inBlock_ = false;
        paragraphHasText_ = false;
    }

    double size(const QString& text) {
        const double v = number(text, "dimensione");
        if (v < 1 || v > 200)
            throw Problem{QStringLiteral("dimensione %1 fuori misura (da 1 a 200 punti)").arg(text)};
        return v;
    }

    Template t_;
    BlockSource blocks_;
    QPointF origin_; // shift of the block being read
    int depth_ = 0;
    int line_ = 0;
    FontSpec reportFont_{QStringLiteral("Arial"), 12, false};
    FontSpec reportBoxFont_{QStringLiteral("ISOCTEUR"), 12, false};
    FontSpec font_ = reportFont_;
    FontSpec boxFont_ = reportBoxFont_;
    Element* open_ = nullptr;
    bool inBlock_ = false;
    bool paragraphHasText_ = false;
    int keepDepth_ = 0;     // keeps open now
    int keepGroups_ = 0;    // groups opened so far: the next one's number
    int keepLine_ = 0;      // where the open group began
    int blockKeepBase_ = 0; // keeps open when the block being read began: it may not close them
};

QImage flattened(const QImage& image) {
    // PDF/A-1 allows no transparency: the picture sits on white paper anyway.
    QImage out(image.size(), QImage::Format_RGB32);
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, image);
    return out;
}

} // namespace

Template parseTemplate(const QString& text, const QString& name, const BlockSource& blocks) {
    return Parser(name, blocks).run(text);
}

Template loadTemplate(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Impossibile leggere il modello di stampa «%1»: %2")
                          .arg(path, file.errorString()));
    const BlockSource blocks = [dir = info.dir()](const QString& block) {
        // Only plain names: a block never comes from outside the templates' folder.
        if (block.contains(QLatin1Char('/')) || block.contains(QLatin1Char('\\'))) return QString();
        QFile f(dir.filePath(block));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    Template t = parseTemplate(QString::fromUtf8(file.readAll()), info.completeBaseName(), blocks);
    for (const TemplatePage& page : t.pages)
        for (const Element& e : page.elements) {
            if (e.kind != ElementKind::Picture || t.images.contains(e.text)) continue;
            const QImage image(info.dir().filePath(e.text));
            if (image.isNull())
                throw TemplateError(t.name, e.sourceLine,
                                    QStringLiteral("immagine «%1» mancante o illeggibile").arg(e.text));
            t.images.insert(e.text, flattened(image));
        }
    return t;
}

} // namespace quadrelo::report
