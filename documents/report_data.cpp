// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "report_data.h"

#include "calc/practice_form.h"
#include "record/number_text.h"

#include <QFileInfo>

#include <functional>
#include <utility>

namespace quadrelo {

namespace {

struct Group {
    const char* fullName;
    const char* description;
};

const Group G1{"dati_dichiarante", "dati del dichiarante"};
const Group G2{"luogo_dichiarante", "luogo di sottoscrizione"};
const Group G3{"richiedente", "richiedente"};
const Group G4{"ubicazione", "ubicazione"};
const Group G5{"dati_tecnico", "dati del tecnico"};
const Group G6{"dati_modello", "dati modello"};
const Group G7{"dati_rifiuti", "dati rifiuti"};
const Group G8{"dati_ici", "dati ici"};
const Group G9{"dati_allegati", "dati allegati"};
const Group G10{"giurato", "giurato"};
const Group G11{"dem", "dem"};

// The practice and the pieces that several sentences share, composed once per row.
struct RowSource {
    const PracticeForm& form;
    QString applicant;  // name, birth, tax code, residence
    QString property;   // the applicant's standing and where the property is
    QString technician; // name, birth, tax code, office, register
};

using ValueMaker = std::function<QString(const RowSource&)>;

// A column of the data row and how its value is made.
struct Column {
    QString name;
    int width;
    Group group;
    ValueMaker value;
};

const QString kBlank = QStringLiteral(" ");
const QString kOpening = QStringLiteral("          Il sottoscritto ");
const QString kDots = QStringLiteral(". . . . . . . . . . . . . . .");

QString mark(bool set) {
    return set ? QStringLiteral("X") : kBlank;
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString propertyStreet(const PracticeForm& f) {
    return f.ComboBox1.text + " " + f.Edit10.text + " " + f.Edit11.text;
}

QString residenceStreet(const PracticeForm& f) {
    return f.ComboBox2.text + " " + f.Edit7.text + " " + f.Edit8.text;
}

// "01" to "05" for the first five typologies, "06" otherwise.
QString typologyCode(const PracticeForm& f) {
    const RadioState* firstFive[] = {&f.RadioButton1, &f.RadioButton2, &f.RadioButton6, &f.RadioButton7,
                                     &f.RadioButton10};
    for (int i = 0; i < 5; ++i)
        if (firstFive[i]->checked) return QStringLiteral("0%1").arg(i + 1);
    return QStringLiteral("06");
}

// The other attachments checked, one line each, every line ended by CR LF.
QString otherAttachments(const PracticeForm& f) {
    const std::pair<bool, QString> attachments[] = {
        {f.CheckBox8.checked,
         QStringLiteral(
             "Dichiarazione del richiedente in relazione agli artt.416-bis, 648-bis e 648-ter c.p.")},
        {f.CheckBox9.checked, QStringLiteral("Certificazione di idoneità statica")},
        {f.CheckBox10.checked,
         QStringLiteral("Dichiarazione di non obbligatorietà della certificazione di idoneità statica")},
        {f.CheckBox11.checked, f.Edit34.text},
        {f.CheckBox12.checked, f.Edit35.text},
        {f.CheckBox13.checked, f.Edit36.text},
    };
    QString lines;
    for (const auto& [checked, line] : attachments)
        if (checked) lines += line + QStringLiteral("\r\n");
    return lines;
}

// A figure boxed right-aligned into `boxes` cells of the form.
Column figure(const char* name, int boxes, double PracticeForm::*value) {
    return {QString::fromLatin1(name), 20, G6,
            [boxes, value](const RowSource& r) { return dilata(boxes, r.form.*value); }};
}

// The advance is paid on the new-construction line when there is a new-construction advance,
// otherwise on the restructuring line; the other line stays blank.
Column advancePayment(const char* name, bool newConstructionLine, double (*amount)(const PracticeForm&)) {
    return {QString::fromLatin1(name), 20, G6, [newConstructionLine, amount](const RowSource& r) {
                const bool paidOnNewConstruction = r.form.advanceTotalNew > 0;
                return paidOnNewConstruction == newConstructionLine ? dilata(14, amount(r.form)) : kBlank;
            }};
}

double advanceFirstPayment(const PracticeForm& f) {
    return f.advanceFirstPayment;
}
double advanceRemainder(const PracticeForm& f) {
    return f.advanceInstalment * 2;
}
double advanceInstalment(const PracticeForm& f) {
    return f.advanceInstalment;
}

Column occupation(const char* name, QString OccupationData::*field) {
    return {QString::fromLatin1(name), 20, G7,
            [field](const RowSource& r) { return r.form.occupationData.*field; }};
}

// --- the column groups, in the order of the row ---------------------------------------------

QList<Column> declarationColumns() {
    return {
        {"dati", 300, G1,
         [](const RowSource& r) {
             return kOpening + r.applicant + r.property +
                    ", ai sensi e per gli effetti dell'art. 46 D.P.R. 28/12/2000 n.445, al fine di non "
                    "incorrere nelle esclusioni disposte dal comma 29 dell'art.32 del D.L. 30 settembre "
                    "2003, n. 269";
         }},
        {"firma", 50, G2,
         [](const RowSource& r) { return "          " + r.form.Edit9.text + ", lì " + kDots; }},
        {"dati_bis", 300, G1,
         [](const RowSource& r) {
             return kOpening + r.applicant + ", nella sua qualità di " + r.form.ComboBox3.text +
                    ", in riferimento alla domanda di Condono Edilizio presentata in data " + kDots +
                    " registrata con prot. n° " + kDots + " per l'unità immobiliare ubicata in comune di " +
                    r.form.Edit9.text + ", " + propertyStreet(r.form) +
                    ", ai sensi e per gli effetti dell'art. 47 D.P.R. 28/12/2000 n.445, sotto la propria "
                    "responsabilità";
         }},
        {"richiedente", 50, G3,
         [](const RowSource& r) { return "Richiedente: " + r.form.Edit1.text + " " + r.form.Edit2.text; }},
        {"ubicazione", 50, G4,
         [](const RowSource& r) {
             return "Ubicazione abuso: comune di " + r.form.Edit9.text + ", " + propertyStreet(r.form);
         }},
        {"tecnico", 300, G5,
         [](const RowSource& r) {
             return "      Il sottoscritto " + r.technician +
                    " in qualità di tecnico incaricato, viste le opere abusive di cui alla domanda di "
                    "Condono Edilizio in oggetto, consistenti in:";
         }},
    };
}

// The boxes of the application form.
QList<Column> formColumns() {
    auto boxed = [](const char* name, QString (*text)(const PracticeForm&)) {
        return Column{QString::fromLatin1(name), 30, G6,
                      [text](const RowSource& r) { return spazia(text(r.form)); }};
    };
    auto flag = [](const char* name, bool (*set)(const PracticeForm&)) {
        return Column{QString::fromLatin1(name), 3, G6,
                      [set](const RowSource& r) { return mark(set(r.form)); }};
    };
    return {
        boxed("Nome", [](const PracticeForm& f) { return f.Edit1.text; }),
        boxed("Cognome", [](const PracticeForm& f) { return f.Edit2.text; }),
        boxed("CodiceFiscale", [](const PracticeForm& f) { return f.Edit5.text; }),
        boxed("Comune", [](const PracticeForm& f) { return f.Edit6.text; }),
        boxed("Via", residenceStreet),
        boxed("Comune2", [](const PracticeForm& f) { return f.Edit9.text; }),
        boxed("Via2", propertyStreet),
        boxed("FoglioT", [](const PracticeForm& f) { return f.Edit13.text; }),
        boxed("MappaliT",
              [](const PracticeForm& f) { return f.Edit14.text + " " + f.Edit15.text + " " + f.Edit4.text; }),
        boxed("FoglioF", [](const PracticeForm& f) { return f.Edit18.text; }),
        boxed("MappaliF", [](const PracticeForm& f) { return f.Edit19.text; }),
        boxed("Subalterni", [](const PracticeForm& f) { return f.Edit20.text + " " + f.Edit21.text; }),
        flag("VincoliS", [](const PracticeForm& f) { return f.CheckBox1.checked; }),
        flag("VincoliN", [](const PracticeForm& f) { return !f.CheckBox1.checked; }),
        flag("DemanioS", [](const PracticeForm& f) { return f.CheckBox2.checked; }),
        flag("DemanioN", [](const PracticeForm& f) { return !f.CheckBox2.checked; }),
        flag("ResidenzialeS", [](const PracticeForm& f) { return f.RadioButton8.checked; }),
        flag("ResidenzialeN", [](const PracticeForm& f) { return !f.RadioButton8.checked; }),
        {"NonRes", 30, G6,
         [](const RowSource& r) {
             return r.form.RadioButton8.checked ? kBlank : spazia(r.form.Edit16.text);
         }},
        boxed("UltimaData", [](const PracticeForm& f) { return dateText(f.DateTimePicker1.date); }),
        {"Tipologia", 5, G6, [](const RowSource& r) { return spazia(typologyCode(r.form)); }},
        boxed("PenultimaData", [](const PracticeForm& f) { return dateText(f.DateTimePicker2.date); }),
        // One mark per button; a file with none checked simply gets three blanks.
        flag("UltimaS", [](const PracticeForm& f) { return f.RadioButton3.checked; }),
        flag("UltimaN", [](const PracticeForm& f) { return f.RadioButton4.checked; }),
        flag("UltimaP", [](const PracticeForm& f) { return f.RadioButton5.checked; }),
    };
}

QList<Column> oblationColumns() {
    using F = PracticeForm;
    return {
        figure("sur1", 9, &F::resUsefulSurface1),
        figure("sur2", 9, &F::resUsefulSurface2),
        figure("sur3", 9, &F::resUsefulSurface3),
        figure("snr1", 9, &F::resNonResSurface1),
        figure("snr2", 9, &F::resNonResSurface2),
        figure("snr3", 9, &F::resNonResSurface3),
        figure("sc1", 9, &F::resTotalSurface1),
        figure("sc2", 9, &F::resTotalSurface2),
        figure("sc3", 9, &F::resTotalSurface3),
        figure("ob1", 6, &F::oblationRateResidential1),
        figure("ob2", 6, &F::oblationRateResidential2),
        figure("ob3", 6, &F::oblationRateResidential3),
        figure("it1", 12, &F::resOblation1),
        figure("it2", 12, &F::resOblation2),
        figure("it3", 12, &F::resOblation3),
        figure("tot", 12, &F::resOblationTotal),
        figure("nsur1", 9, &F::nonResUsefulSurface1),
        figure("nsur2", 9, &F::nonResUsefulSurface2),
        figure("nsur3", 9, &F::nonResUsefulSurface3),
        figure("nsnr1", 9, &F::nonResAppurtenanceSurface1),
        figure("nsnr2", 9, &F::nonResAppurtenanceSurface2),
        figure("nsnr3", 9, &F::nonResAppurtenanceSurface3),
        figure("nsc1", 9, &F::nonResTotalSurface1),
        figure("nsc2", 9, &F::nonResTotalSurface2),
        figure("nsc3", 9, &F::nonResTotalSurface3),
        figure("nob1", 6, &F::oblationRateNonResidential1),
        figure("nob2", 6, &F::oblationRateNonResidential2),
        figure("nob3", 6, &F::oblationRateNonResidential3),
        figure("nit1", 12, &F::nonResOblation1),
        figure("nit2", 12, &F::nonResOblation2),
        figure("nit3", 12, &F::nonResOblation3),
        figure("ntot", 12, &F::nonResOblationTotal),
        figure("forfait1", 7, &F::flatOblation4),
        figure("forfait2", 7, &F::flatOblation5),
        figure("forfait3", 7, &F::flatOblation6),
        figure("forfait", 7, &F::flatOblationTotal),
    };
}

QList<Column> advanceColumns() {
    using F = PracticeForm;
    return {
        figure("man1", 5, &F::advanceRateNew1),
        figure("man2", 5, &F::advanceRateNew2),
        figure("man3", 5, &F::advanceRateNew3),
        figure("man4", 5, &F::advanceRateNew4),
        figure("na1", 9, &F::advanceSurfaceNew1),
        figure("na2", 9, &F::advanceSurfaceNew2),
        figure("na3", 9, &F::advanceSurfaceNew3),
        figure("na4", 9, &F::advanceSurfaceNew4),
        figure("nat1", 12, &F::advanceAmountNew1),
        figure("nat2", 12, &F::advanceAmountNew2),
        figure("nat3", 12, &F::advanceAmountNew3),
        figure("nat4", 12, &F::advanceAmountNew4),
        figure("nat", 12, &F::advanceTotalNew),
        figure("mar1", 5, &F::advanceRateRestructuring1),
        figure("mar2", 5, &F::advanceRateRestructuring2),
        figure("mar3", 5, &F::advanceRateRestructuring3),
        figure("mar4", 5, &F::advanceRateRestructuring4),
        figure("ra1", 9, &F::advanceSurfaceRestructuring1),
        figure("ra2", 9, &F::advanceSurfaceRestructuring2),
        figure("ra3", 9, &F::advanceSurfaceRestructuring3),
        figure("ra4", 9, &F::advanceSurfaceRestructuring4),
        figure("rat1", 12, &F::advanceAmountRestructuring1),
        figure("rat2", 12, &F::advanceAmountRestructuring2),
        figure("rat3", 12, &F::advanceAmountRestructuring3),
        figure("rat4", 12, &F::advanceAmountRestructuring4),
        figure("rat", 12, &F::advanceTotalRestructuring),
    };
}

// Due, 30 % share, paid with the application, remainder, each instalment.
QList<Column> paymentColumns() {
    return {
        {"dovuto", 20, G6,
         [](const RowSource& r) {
             return r.form.resOblationTotal > 0      ? dilata(14, r.form.resOblationTotal)
                    : r.form.nonResOblationTotal > 0 ? dilata(14, r.form.nonResOblationTotal)
                                                     : kBlank;
         }},
        {"unterzo", 20, G6,
         [](const RowSource& r) {
             return dilata(14, (r.form.resOblationTotal + r.form.nonResOblationTotal) * 30 / 100);
         }},
        {"versato", 20, G6, [](const RowSource& r) { return dilata(14, r.form.oblationFirstPayment); }},
        {"resta", 20, G6, [](const RowSource& r) { return dilata(14, r.form.oblationInstalment * 2); }},
        {"rata", 20, G6, [](const RowSource& r) { return dilata(14, r.form.oblationInstalment); }},
        advancePayment("dovuto2", true, [](const PracticeForm& f) { return f.advanceTotalNew; }),
        advancePayment("unterzo2", true, [](const PracticeForm& f) { return f.advanceTotalNew * 30 / 100; }),
        advancePayment("versato2", true, advanceFirstPayment),
        advancePayment("resta2", true, advanceRemainder),
        advancePayment("rata2", true, advanceInstalment),
        advancePayment("dovuto3", false, [](const PracticeForm& f) { return f.advanceTotalRestructuring; }),
        advancePayment("unterzo3", false,
                       [](const PracticeForm& f) { return f.advanceTotalRestructuring * 30 / 100; }),
        advancePayment("versato3", false, advanceFirstPayment),
        advancePayment("resta3", false, advanceRemainder),
        advancePayment("rata3", false, advanceInstalment),
        {"ft", 20, G6, [](const RowSource& r) { return dilata(14, r.form.flatOblationTotal); }},
        {"descrizione", 1000, G6, [](const RowSource& r) { return r.form.Memo1.text; }},
    };
}

// The waste-tax and the public-land declarations.
QList<Column> occupationColumns() {
    using O = OccupationData;
    return {
        {"comunedi", 40, G7, [](const RowSource& r) { return r.form.Edit9.text; }},
        {"spazzatura", 40, G7, [](const RowSource& r) { return r.applicant + r.property; }},
        {"decorre", 20, G7,
         [](const RowSource& r) {
             return "          che dal giorno " + r.form.wasteStartDate +
                    " ha iniziato l'occupazione dei locali e delle aree di cui sopra";
         }},
        occupation("decorre0", &O::location),
        occupation("decorre1", &O::purpose),
        occupation("decorre2", &O::firstSide),
        occupation("decorre3", &O::secondSide),
        occupation("decorre4", &O::area),
        occupation("decorre5", &O::firstDay),
        occupation("decorre6", &O::lastDay),
        occupation("decorre7", &O::days),
        occupation("decorre8", &O::startHour),
        occupation("decorre9", &O::endHour),
        occupation("decorre10", &O::kind),
        {"occupa", 200, G7, [](const RowSource& r) { return kOpening + r.applicant + r.property; }},
        {"stato", 500, G7,
         [](const RowSource& r) {
             return "          - che le opere stesse sono state ultimate in data " +
                    dateText(r.form.DateTimePicker1.date) + ";";
         }},
    };
}

// The applicant on the I.C.I. declaration, then item k of property p as "ici<p>_<k>".
QList<Column> iciColumns() {
    auto applicant = [](const char* name, QString (*text)(const PracticeForm&)) {
        return Column{QString::fromLatin1(name), 30, G8, [text](const RowSource& r) { return text(r.form); }};
    };
    QList<Column> columns{
        applicant("ici01", [](const PracticeForm& f) { return f.Edit5.text; }),
        applicant("ici02", [](const PracticeForm& f) { return f.Edit2.text; }),
        applicant("ici03", [](const PracticeForm& f) { return f.Edit1.text; }),
        applicant("ici04",
                  [](const PracticeForm& f) { return datePieces(dateText(f.DateTimePicker3.date)); }),
        applicant("ici05", [](const PracticeForm& f) { return f.Edit3.text; }),
        applicant("ici06", [](const PracticeForm& f) { return f.Edit22.text; }),
        applicant("ici07", residenceStreet),
        applicant("ici08", [](const PracticeForm& f) { return f.Edit6.text; }),
    };
    for (int property = 1; property <= 3; ++property)
        for (int item = 1; item <= int(kIciItems.size()); ++item) {
            const QString IciProperty::*field = kIciItems[item - 1];
            columns.append(
                {QStringLiteral("ici%1_%2").arg(property).arg(item), 20, G8,
                 [property, field](const RowSource& r) { return r.form.iciData[property - 1].*field; }});
        }
    return columns;
}

QList<Column> closingColumns() {
    auto attachment = [](const char* name, bool (*set)(const PracticeForm&)) {
        return Column{QString::fromLatin1(name), 5, G9,
                      [set](const RowSource& r) { return mark(set(r.form)); }};
    };
    return {
        attachment("all1", [](const PracticeForm& f) { return f.CheckBox3.checked; }),
        attachment("all2", [](const PracticeForm& f) { return f.CheckBox4.checked; }),
        attachment("all3", [](const PracticeForm& f) { return f.CheckBox5.checked; }),
        attachment("all4", [](const PracticeForm& f) { return f.CheckBox6.checked; }),
        attachment("all5", [](const PracticeForm& f) { return f.CheckBox7.checked; }),
        attachment("all6",
                   [](const PracticeForm& f) {
                       return f.CheckBox8.checked || f.CheckBox9.checked || f.CheckBox10.checked ||
                              f.CheckBox11.checked || f.CheckBox12.checked || f.CheckBox13.checked;
                   }),
        {"all", 500, G9, [](const RowSource& r) { return otherAttachments(r.form); }},
        {"relazione", 2000, G6, [](const RowSource& r) { return r.form.Memo2.text; }},
        {"giurato", 500, G10, [](const RowSource& r) { return r.technician; }},
        {"tribunale1", 50, G10, [](const RowSource& r) { return r.form.swornCourt; }},
        {"tribunale2", 50, G10, [](const RowSource& r) { return r.form.swornSection; }},
        {"demanio1", 50, G11, [](const RowSource& r) { return dilata(14, r.form.indemnityTotal); }},
        {"demanio2", 50, G11, [](const RowSource& r) { return dilata(14, r.form.areaValueTotal / 2); }},
    };
}

const QList<Column>& columns() {
    static const QList<Column> all = declarationColumns() + formColumns() + oblationColumns() +
                                     advanceColumns() + paymentColumns() + occupationColumns() +
                                     iciColumns() + closingColumns();
    return all;
}

QList<ColumnDeclaration> declarations() {
    QList<ColumnDeclaration> declared;
    for (const Column& c : columns())
        declared.append({c.name, c.width, QString::fromLatin1(c.group.fullName),
                         QString::fromLatin1(c.group.description)});
    return declared;
}

} // namespace

const QList<ColumnDeclaration>& RvCustomConnection1GetCols() {
    static const QList<ColumnDeclaration> declared = declarations();
    return declared;
}

QStringList columnNames() {
    QStringList names;
    for (const ColumnDeclaration& c : RvCustomConnection1GetCols())
        names << c.name;
    return names;
}

QString sheetHeading(const PracticeForm& form) {
    const QString applicant =
        (form.Edit2.text.trimmed() + QLatin1Char(' ') + form.Edit1.text.trimmed()).trimmed();
    if (form.currentFileName == QLatin1String("-1")) return applicant;
    const QString file = QFileInfo(form.currentFileName).fileName();
    return applicant.isEmpty() ? file : applicant + QStringLiteral(" - ") + file;
}

QString spazia(const QString& text) {
    QString boxed = QStringLiteral("|");
    boxed.reserve(2 * text.size() + 1);
    for (QChar c : text) {
        boxed.append(c);
        boxed.append(QLatin1Char('|'));
    }
    return boxed;
}

QString dilata(int width, double value) {
    if (!(value > 0)) return QStringLiteral(" ");
    QString text = Formatta(value);
    if (text.size() < width) text.prepend(QString(width - text.size(), QLatin1Char(' ')));
    return spazia(text);
}

QString datePieces(const QString& dateText) {
    QString t = dateText;
    const auto slash = t.indexOf(QLatin1Char('/'));
    if (slash >= 0) t.insert(slash, QStringLiteral("  "));
    const auto century = t.indexOf(QLatin1String("/19"));
    t.insert(century >= 0 ? century : 0, QStringLiteral("  "));
    const auto firstSlash = t.indexOf(QLatin1Char('/'));
    if (firstSlash >= 0) t.remove(firstSlash, 1);
    const auto firstCentury = t.indexOf(QLatin1String("/19"));
    if (firstCentury >= 0) t.remove(firstCentury, 3);
    return t;
}

QStringList RvCustomConnection1GetRow(PracticeForm& form) {
    const PracticeForm& f = form;
    RowSource source{f, {}, {}, {}};
    source.applicant = f.Edit1.text + " " + f.Edit2.text + ", nato a " + f.Edit3.text + " (prov. " +
                       f.Edit22.text + " ) il " + dateText(f.DateTimePicker3.date) + " (codice fiscale " +
                       f.Edit5.text + "), residente in " + f.Edit6.text + ", " + residenceStreet(f);
    source.property = ", nella sua qualità di " + f.ComboBox3.text +
                      " dell'unità immobiliare ubicata in comune di " + f.Edit9.text + ", " +
                      propertyStreet(f);
    source.technician = f.technicianFirstName + " " + f.technicianLastName + ", nato a " +
                        f.technicianBirthPlace + " (prov. " + f.technicianBirthProvince + " ) il " +
                        f.technicianBirthDate + " (codice fiscale " + f.technicianTaxCode +
                        "), con studio in " + f.technicianOfficeTown + " " + f.technicianOfficeAddress + " " +
                        ", iscritto al numero " + f.technicianRegisterNumber + " dell'Albo " +
                        f.technicianRegisterName + " della provincia di " + f.technicianRegisterProvince;
    QStringList row;
    row.reserve(columns().size());
    for (const Column& c : columns())
        row << c.value(source);
    return row;
}

} // namespace quadrelo
