#include "report_data.h"

#include "record/number_text.h"
#include "record/practice_form.h"

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

QList<ColumnDeclaration> buildColumns() {
    QList<ColumnDeclaration> c;
    auto add = [&c](std::initializer_list<const char*> names, int width, const Group& g) {
        for (const char* n : names)
            c.append({QString::fromLatin1(n), width, QString::fromLatin1(g.fullName),
                      QString::fromLatin1(g.description)});
    };
    add({"dati"}, 300, G1);
    add({"firma"}, 50, G2);
    add({"dati_bis"}, 300, G1);
    add({"richiedente"}, 50, G3);
    add({"ubicazione"}, 50, G4);
    add({"tecnico"}, 300, G5);
    add({"Nome", "Cognome", "CodiceFiscale", "Comune", "Via", "Comune2", "Via2", "FoglioT", "MappaliT",
         "FoglioF", "MappaliF", "Subalterni"},
        30, G6);
    add({"VincoliS", "VincoliN", "DemanioS", "DemanioN", "ResidenzialeS", "ResidenzialeN"}, 3, G6);
    add({"NonRes", "UltimaData"}, 30, G6);
    add({"Tipologia"}, 5, G6);
    add({"PenultimaData"}, 30, G6);
    add({"UltimaS", "UltimaN", "UltimaP"}, 3, G6);
    add({"sur1", "sur2", "sur3", "snr1", "snr2", "snr3", "sc1", "sc2", "sc3", "ob1", "ob2", "ob3", "it1",
         "it2", "it3", "tot"},
        20, G6);
    add({"nsur1", "nsur2", "nsur3", "nsnr1", "nsnr2", "nsnr3", "nsc1", "nsc2", "nsc3", "nob1", "nob2", "nob3",
         "nit1", "nit2", "nit3", "ntot"},
        20, G6);
    add({"forfait1", "forfait2", "forfait3", "forfait"}, 20, G6);
    add({"man1", "man2", "man3", "man4", "na1", "na2", "na3", "na4", "nat1", "nat2", "nat3", "nat4", "nat"},
        20, G6);
    add({"mar1", "mar2", "mar3", "mar4", "ra1", "ra2", "ra3", "ra4", "rat1", "rat2", "rat3", "rat4", "rat"},
        20, G6);
    add({"dovuto", "unterzo", "versato", "resta", "rata"}, 20, G6);
    add({"dovuto2", "unterzo2", "versato2", "resta2", "rata2"}, 20, G6);
    add({"dovuto3", "unterzo3", "versato3", "resta3", "rata3"}, 20, G6);
    add({"ft"}, 20, G6);
    add({"descrizione"}, 1000, G6);
    add({"comunedi", "spazzatura"}, 40, G7);
    add({"decorre"}, 20, G7);
    for (int i = 0; i <= 10; ++i)
        c.append({QStringLiteral("decorre%1").arg(i), 20, QString::fromLatin1(G7.fullName),
                  QString::fromLatin1(G7.description)});
    add({"occupa"}, 200, G7);
    add({"stato"}, 500, G7);
    for (int i = 1; i <= 8; ++i)
        c.append({QStringLiteral("ici0%1").arg(i), 30, QString::fromLatin1(G8.fullName),
                  QString::fromLatin1(G8.description)});
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 18; ++k)
            c.append({QStringLiteral("ici%1_%2").arg(p).arg(k), 20, QString::fromLatin1(G8.fullName),
                      QString::fromLatin1(G8.description)});
    add({"all1", "all2", "all3", "all4", "all5", "all6"}, 5, G9);
    add({"all"}, 500, G9);
    add({"relazione"}, 2000, G6);
    add({"giurato"}, 500, G10);
    add({"tribunale1", "tribunale2"}, 50, G10);
    add({"demanio1", "demanio2"}, 50, G11);
    return c;
}

QString mark(bool set) {
    return set ? QStringLiteral("X") : QStringLiteral(" ");
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

const QList<ColumnDeclaration>& RvCustomConnection1GetCols() {
    static const QList<ColumnDeclaration> columns = buildColumns();
    return columns;
}

QStringList columnNames() {
    QStringList names;
    for (const ColumnDeclaration& c : RvCustomConnection1GetCols())
        names << c.name;
    return names;
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

QStringList RvCustomConnection1GetRow(PracticeForm& f) {
    const QString& c1 = f.ComboBox1.text;
    const QString& c2 = f.ComboBox2.text;
    const QString& c3 = f.ComboBox3.text;

    const QString app = f.Edit1.text + " " + f.Edit2.text + ", nato a " + f.Edit3.text + " (prov. " +
                        f.Edit22.text + " ) il " + dateText(f.DateTimePicker3.date) + " (codice fiscale " +
                        f.Edit5.text + "), residente in " + f.Edit6.text + ", " + c2 + " " + f.Edit7.text +
                        " " + f.Edit8.text;
    const QString prop = ", nella sua qualità di " + c3 + " dell'unità immobiliare ubicata in comune di " +
                         f.Edit9.text + ", " + c1 + " " + f.Edit10.text + " " + f.Edit11.text;
    const QString tech = f.technicianFirstName + " " + f.technicianLastName + ", nato a " +
                         f.technicianBirthPlace + " (prov. " + f.technicianBirthProvince + " ) il " +
                         f.technicianBirthDate + " (codice fiscale " + f.technicianTaxCode +
                         "), con studio in " + f.technicianOfficeTown + " " + f.technicianOfficeAddress +
                         " " + ", iscritto al numero " + f.technicianRegisterNumber + " dell'Albo " +
                         f.technicianRegisterName + " della provincia di " + f.technicianRegisterProvince;
    const QString open = QStringLiteral("          Il sottoscritto ");
    const QString dots = QStringLiteral(". . . . . . . . . . . . . . .");

    QStringList r;
    r << open + app + prop +
             ", ai sensi e per gli effetti dell'art. 46 D.P.R. 28/12/2000 n.445, al fine di non incorrere "
             "nelle "
             "esclusioni disposte dal comma 29 dell'art.32 del D.L. 30 settembre 2003, n. 269";
    r << QStringLiteral("          ") + f.Edit9.text + ", lì " + dots;
    r << open + app + ", nella sua qualità di " + c3 +
             ", in riferimento alla domanda di Condono Edilizio presentata in data " + dots +
             " registrata con prot. n° " + dots + " per l'unità immobiliare ubicata in comune di " +
             f.Edit9.text + ", " + c1 + " " + f.Edit10.text + " " + f.Edit11.text +
             ", ai sensi e per gli effetti dell'art. 47 D.P.R. 28/12/2000 n.445, sotto la propria "
             "responsabilità";
    r << "Richiedente: " + f.Edit1.text + " " + f.Edit2.text;
    r << "Ubicazione abuso: comune di " + f.Edit9.text + ", " + c1 + " " + f.Edit10.text + " " +
             f.Edit11.text;
    r << "      Il sottoscritto " + tech +
             " in qualità di tecnico incaricato, viste le opere abusive di cui alla domanda di Condono "
             "Edilizio in "
             "oggetto, consistenti in:";

    r << spazia(f.Edit1.text) << spazia(f.Edit2.text) << spazia(f.Edit5.text) << spazia(f.Edit6.text);
    r << spazia(c2 + " " + f.Edit7.text + " " + f.Edit8.text);
    r << spazia(f.Edit9.text);
    r << spazia(c1 + " " + f.Edit10.text + " " + f.Edit11.text);
    r << spazia(f.Edit13.text);
    r << spazia(f.Edit14.text + " " + f.Edit15.text + " " + f.Edit4.text);
    r << spazia(f.Edit18.text) << spazia(f.Edit19.text);
    r << spazia(f.Edit20.text + " " + f.Edit21.text);

    r << mark(f.CheckBox1.checked) << mark(!f.CheckBox1.checked);
    r << mark(f.CheckBox2.checked) << mark(!f.CheckBox2.checked);
    if (f.RadioButton8.checked)
        r << QStringLiteral("X") << QStringLiteral(" ") << QStringLiteral(" ");
    else
        r << QStringLiteral(" ") << QStringLiteral("X") << spazia(f.Edit16.text);
    r << spazia(dateText(f.DateTimePicker1.date));
    QString code = QStringLiteral("06");
    const RadioState* first5[] = {&f.RadioButton1, &f.RadioButton2, &f.RadioButton6, &f.RadioButton7,
                                  &f.RadioButton10};
    for (int i = 0; i < 5; ++i)
        if (first5[i]->checked) {
            code = QStringLiteral("0%1").arg(i + 1);
            break;
        }
    r << spazia(code);
    r << spazia(dateText(f.DateTimePicker2.date));
    // One mark per button; a file with none checked simply gets three blanks.
    r << mark(f.RadioButton3.checked) << mark(f.RadioButton4.checked) << mark(f.RadioButton5.checked);

    const std::pair<int, double> figures[] = {
        {9, f.resUsefulSurface1},
        {9, f.resUsefulSurface2},
        {9, f.resUsefulSurface3},
        {9, f.resNonResSurface1},
        {9, f.resNonResSurface2},
        {9, f.resNonResSurface3},
        {9, f.resTotalSurface1},
        {9, f.resTotalSurface2},
        {9, f.resTotalSurface3},
        {6, f.oblationRateResidential1},
        {6, f.oblationRateResidential2},
        {6, f.oblationRateResidential3},
        {12, f.resOblation1},
        {12, f.resOblation2},
        {12, f.resOblation3},
        {12, f.resOblationTotal},
        {9, f.nonResUsefulSurface1},
        {9, f.nonResUsefulSurface2},
        {9, f.nonResUsefulSurface3},
        {9, f.nonResAppurtenanceSurface1},
        {9, f.nonResAppurtenanceSurface2},
        {9, f.nonResAppurtenanceSurface3},
        {9, f.nonResTotalSurface1},
        {9, f.nonResTotalSurface2},
        {9, f.nonResTotalSurface3},
        {6, f.oblationRateNonResidential1},
        {6, f.oblationRateNonResidential2},
        {6, f.oblationRateNonResidential3},
        {12, f.nonResOblation1},
        {12, f.nonResOblation2},
        {12, f.nonResOblation3},
        {12, f.nonResOblationTotal},
        {7, f.flatOblation4},
        {7, f.flatOblation5},
        {7, f.flatOblation6},
        {7, f.flatOblationTotal},
        {5, f.advanceRateNew1},
        {5, f.advanceRateNew2},
        {5, f.advanceRateNew3},
        {5, f.advanceRateNew4},
        {9, f.advanceSurfaceNew1},
        {9, f.advanceSurfaceNew2},
        {9, f.advanceSurfaceNew3},
        {9, f.advanceSurfaceNew4},
        {12, f.advanceAmountNew1},
        {12, f.advanceAmountNew2},
        {12, f.advanceAmountNew3},
        {12, f.advanceAmountNew4},
        {12, f.advanceTotalNew},
        {5, f.advanceRateRestructuring1},
        {5, f.advanceRateRestructuring2},
        {5, f.advanceRateRestructuring3},
        {5, f.advanceRateRestructuring4},
        {9, f.advanceSurfaceRestructuring1},
        {9, f.advanceSurfaceRestructuring2},
        {9, f.advanceSurfaceRestructuring3},
        {9, f.advanceSurfaceRestructuring4},
        {12, f.advanceAmountRestructuring1},
        {12, f.advanceAmountRestructuring2},
        {12, f.advanceAmountRestructuring3},
        {12, f.advanceAmountRestructuring4},
        {12, f.advanceTotalRestructuring},
    };
    for (const auto& [width, value] : figures)
        r << dilata(width, value);

    r << (f.resOblationTotal > 0      ? dilata(14, f.resOblationTotal)
          : f.nonResOblationTotal > 0 ? dilata(14, f.nonResOblationTotal)
                                      : QStringLiteral(" "));
    r << dilata(14, (f.resOblationTotal + f.nonResOblationTotal) * 30 / 100);
    r << dilata(14, f.oblationFirstPayment);
    r << dilata(14, f.oblationInstalment * 2);
    r << dilata(14, f.oblationInstalment);

    const QStringList paymentTail{dilata(14, f.advanceFirstPayment), dilata(14, f.advanceInstalment * 2),
                                  dilata(14, f.advanceInstalment)};
    const QStringList blank(5, QStringLiteral(" "));
    if (f.advanceTotalNew > 0)
        r << dilata(14, f.advanceTotalNew) << dilata(14, f.advanceTotalNew * 30 / 100) << paymentTail
          << blank;
    else
        r << blank << dilata(14, f.advanceTotalRestructuring)
          << dilata(14, f.advanceTotalRestructuring * 30 / 100) << paymentTail;

    r << dilata(14, f.flatOblationTotal);
    r << f.Memo1.text;
    r << f.Edit9.text;
    r << app + prop;
    r << "          che dal giorno " + f.wasteStartDate +
             " ha iniziato l'occupazione dei locali e delle aree di cui sopra";
    for (int i = 0; i < 11; ++i)
        r << f.occupationData.value(i);
    r << open + app + prop;
    r << "          - che le opere stesse sono state ultimate in data " + dateText(f.DateTimePicker1.date) +
             ";";
    r << f.Edit5.text << f.Edit2.text << f.Edit1.text;
    r << datePieces(dateText(f.DateTimePicker3.date));
    r << f.Edit3.text << f.Edit22.text;
    r << c2 + " " + f.Edit7.text + " " + f.Edit8.text;
    r << f.Edit6.text;
    for (int p = 0; p < 3; ++p)
        for (int k = 0; k < 18; ++k)
            r << f.iciData.value(p).value(k);

    r << mark(f.CheckBox3.checked) << mark(f.CheckBox4.checked) << mark(f.CheckBox5.checked)
      << mark(f.CheckBox6.checked) << mark(f.CheckBox7.checked);
    r << mark(f.CheckBox8.checked || f.CheckBox9.checked || f.CheckBox10.checked || f.CheckBox11.checked ||
              f.CheckBox12.checked || f.CheckBox13.checked);
    QString others;
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
    for (const auto& [checked, line] : attachments)
        if (checked) others += line + QStringLiteral("\r\n");
    r << others;
    r << f.Memo2.text;
    r << tech;
    r << f.swornCourt << f.swornSection;
    r << dilata(14, f.indemnityTotal) << dilata(14, f.areaValueTotal / 2);
    return r;
}

} // namespace quadrelo
