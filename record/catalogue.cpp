// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "catalogue.h"

#include <QHash>

namespace quadrelo {

QStringList pageTitles() {
    return {QStringLiteral("Richiedente"),
            QStringLiteral("Immobile"),
            QStringLiteral("Illecito"),
            QStringLiteral("Tipologia abuso"),
            QStringLiteral("Calcolo oblazione"),
            QStringLiteral("Calcolo anticipazione oneri"),
            QStringLiteral("Riepilogo versamenti"),
            QStringLiteral("Aree dello Stato"),
            QStringLiteral("Allegati")};
}

QStringList streetTypes() {
    return {QStringLiteral("corso"),    QStringLiteral("frazione"), QStringLiteral("largo"),
            QStringLiteral("località"), QStringLiteral("piazza"),   QStringLiteral("spalto"),
            QStringLiteral("via"),      QStringLiteral("viale"),    QStringLiteral("vico"),
            QStringLiteral("vicolo")};
}

QStringList typologyDescriptions() {
    return {
        QStringLiteral(
            "Opere realizzate in assenza o in difformità del titolo abilitativo edilizio e non "
            "conformi alle normative urbanistiche e alle prescrizioni degli strumenti urbanistici."),
        QStringLiteral(
            "Opere realizzate in assenza o in difformità del titolo abilitativo edilizio, ma conformi "
            "alle norme urbanistiche e alle prescrizioni degli strumenti urbanistici alla data di "
            "entrata in vigore del presente provvedimento."),
        QStringLiteral(
            "Opere di ristrutturazione edilizia come definite dall'articolo 3, comma 1, lettera d) del "
            "D.P.R. 6 giugno 2001, n.380 realizzate in assenza o in difformità dal titolo abilitativo "
            "edilizio. "),
        QStringLiteral(
            "Opere di restauro e risanamento conservativo come definite dall'articolo 3, comma 1, "
            "lettera c) del D.P.R. 6 giugno 2001, n.380, realizzate in assenza o in difformità dal "
            "titolo abilitativo edilizio, nelle zone omogenee A di cui all'articolo 2 del "
            "2 aprile 1968, n.1444."),
        QStringLiteral(
            "Opere di restauro e risanamento conservativo come definite dall’articolo 3, comma 1, "
            "lettera c) del d.P.R. 6 giugno 2001, n.380, realizzate in assenza o in difformità dal "
            "titolo abilitativo edilizio."),
        QStringLiteral(
            "Opere di manutenzione straordinaria, come definite dall’articolo 3, comma 1, lettera b) "
            "del d.P.R. 6 giugno 2001, n.380, realizzate in assenza o in difformità dal titolo "
            "abilitativo edilizio; opere o modalità di esecuzione non valutabili in termini di "
            "superficie o di volume. "),
    };
}

namespace {

constexpr EntryRules textRules{KeyFamily::Text, true, 0};
constexpr EntryRules plainTextRules{KeyFamily::Ordinary, true, 0};
constexpr EntryRules freeTextRules{KeyFamily::Ordinary, false, 0};
constexpr EntryRules taxCodeRules{KeyFamily::TaxCode, true, 16};
constexpr EntryRules digitRules{KeyFamily::Digits, false, 0};
constexpr EntryRules numberRules{KeyFamily::NumberText, false, 0};
constexpr EntryRules choiceRules{KeyFamily::FlagOrChoice, false, 0};
constexpr EntryRules ordinary{KeyFamily::Ordinary, false, 0};
constexpr EntryRules dateRules{KeyFamily::Date, false, 0};
constexpr EntryRules listRules{KeyFamily::Text, false, 0};

FieldSpec field(const char* name, int page, const char* group, const char* caption, FieldKind kind,
                EntryRules rules, QStringList items = {}) {
    return {QString::fromUtf8(name), page, QString::fromUtf8(group), QString::fromUtf8(caption), kind, rules,
            std::move(items)};
}

QList<FieldSpec> buildCatalogue() {
    using K = FieldKind;
    const QStringList roles = {QStringLiteral("proprietario"), QStringLiteral("comproprietario"),
                               QStringLiteral("erede"),        QStringLiteral("coerede"),
                               QStringLiteral("socio"),        QStringLiteral("amministratore"),
                               QStringLiteral("usufruttuario")};
    const QStringList zones = {QStringLiteral("zona A"), QStringLiteral("zona B"), QStringLiteral("zona C"),
                               QStringLiteral("zona D"), QStringLiteral("zona E"), QStringLiteral("zona F")};
    QList<FieldSpec> c;
    // Richiedente
    const char* anag = " Dati anagrafici ";
    c << field("Edit1", PageRichiedente, anag, "Nome:", K::Text, textRules)
      << field("Edit2", PageRichiedente, anag, "Cognome:", K::Text, textRules)
      << field("Edit3", PageRichiedente, anag, "Nato a:", K::Text, textRules)
      << field("Edit22", PageRichiedente, anag, "Provincia:", K::Text, textRules)
      << field("DateTimePicker3", PageRichiedente, anag, "Data di nascita:", K::Date, dateRules)
      << field("Edit5", PageRichiedente, anag, "Codice fiscale:", K::Text, taxCodeRules);
    const char* res = " Residenza ";
    c << field("Edit6", PageRichiedente, res, "Comune:", K::Text, textRules)
      << field("ComboBox2", PageRichiedente, res, "Indirizzo:", K::List, listRules, streetTypes())
      << field("Edit7", PageRichiedente, res, "", K::Text, textRules)
      << field("Edit8", PageRichiedente, res, "Numero civico:", K::Text, textRules)
      << field("ComboBox3", PageRichiedente, " Qualità del richiedente ", "Il richiedente è:", K::List,
               listRules, roles);
    // Immobile
    const char* ubic = " Ubicazione ";
    const char* terreni = " Estremi catastali (Catasto terreni) ";
    const char* fabbricati = " Estremi catastali (Catasto fabbricati) ";
    c << field("Edit9", PageImmobile, ubic, "Comune:", K::Text, textRules)
      << field("ComboBox1", PageImmobile, ubic, "Indirizzo:", K::List, listRules, streetTypes())
      << field("Edit10", PageImmobile, ubic, "", K::Text, textRules)
      << field("Edit11", PageImmobile, ubic, "Numero civico:", K::Text, textRules)
      << field("Edit12", PageImmobile, terreni, "Sezione:", K::Text, textRules)
      << field("Edit13", PageImmobile, terreni, "Foglio di mappa:", K::Digits, digitRules)
      << field("Edit14", PageImmobile, terreni, "Numeri di mappa:", K::Digits, digitRules)
      << field("Edit15", PageImmobile, terreni, "", K::Digits, digitRules)
      << field("Edit4", PageImmobile, terreni, "", K::Digits, digitRules)
      << field("Edit17", PageImmobile, fabbricati, "Sezione:", K::Text, textRules)
      << field("Edit18", PageImmobile, fabbricati, "Foglio di mappa:", K::Digits, digitRules)
      << field("Edit19", PageImmobile, fabbricati, "Numeri di mappa:", K::Digits, digitRules)
      << field("Edit20", PageImmobile, fabbricati, "Subalterni:", K::Digits, digitRules)
      << field("Edit21", PageImmobile, fabbricati, "", K::Digits, digitRules)
      << field("CheckBox1", PageImmobile, " Vincoli ", "immobile soggetto a vincoli di tutela", K::Flag,
               choiceRules)
      << field("CheckBox2", PageImmobile, " Vincoli ", "area demaniale", K::Flag, choiceRules)
      << field("RadioButton8", PageImmobile, " Destinazione d'uso ", "residenziale", K::Choice, choiceRules)
      << field("RadioButton9", PageImmobile, " Destinazione d'uso ", "non residenziale", K::Choice,
               choiceRules)
      << field("Edit16", PageImmobile, " Destinazione d'uso ", "Destinazione:", K::Text, plainTextRules);
    const char* classe = " Classe dimensionale del comune ";
    c << field("RadioButton12", PageImmobile, classe, "fino a 10.000", K::Choice, choiceRules)
      << field("RadioButton13", PageImmobile, classe, "da 10.001 a 100.000", K::Choice, choiceRules)
      << field("RadioButton14", PageImmobile, classe, "da 100.001 a 300.000", K::Choice, choiceRules)
      << field("RadioButton15", PageImmobile, classe, "oltre 300.001", K::Choice, choiceRules);
    // Illecito
    const char* stato = " Stato dei lavori ";
    c << field("DateTimePicker1", PageIllecito, stato, "Data di ultimazione:", K::Date, dateRules)
      << field("DateTimePicker2", PageIllecito, stato, "Stato dei lavori alla data del:", K::Date, dateRules)
      << field("RadioButton3", PageIllecito, stato, "sì", K::Choice, ordinary)
      << field("RadioButton4", PageIllecito, stato, "no", K::Choice, ordinary)
      << field("RadioButton5", PageIllecito, stato, "parziale", K::Choice, ordinary)
      << field("Memo1", PageIllecito, " Descrizione sintetica dell'illecito ", "", K::Memo, ordinary)
      << field("Edit24", PageIllecito, " Volumetria ", "Volume esistente:", K::Digits, digitRules)
      << field("Edit23", PageIllecito, " Volumetria ", "Volume soggetto a sanatoria:", K::Digits, digitRules)
      << field("Memo2", PageIllecito, " Relazione tecnica ", "", K::Memo, ordinary);
    // Tipologia abuso
    const char* tipologia = " Tipologia dell'abuso ";
    c << field("RadioButton1", PageTipologia, tipologia, "Tipologia 1", K::Choice, ordinary)
      << field("RadioButton2", PageTipologia, tipologia, "Tipologia 2", K::Choice, ordinary)
      << field("RadioButton6", PageTipologia, tipologia, "Tipologia 3", K::Choice, ordinary)
      << field("RadioButton7", PageTipologia, tipologia, "Tipologia 4", K::Choice, ordinary)
      << field("RadioButton10", PageTipologia, tipologia, "Tipologia 5", K::Choice, ordinary)
      << field("RadioButton11", PageTipologia, tipologia, "Tipologia 6", K::Choice, ordinary)
      << field("RadioButton16", PageTipologia, " Definizione delle opere ", "nuova costruzione o ampliamento",
               K::Choice, ordinary)
      << field("RadioButton17", PageTipologia, " Definizione delle opere ",
               "ristrutturazioni e modifiche della destinazione d'uso ", K::Choice, ordinary);
    // Calcolo oblazione
    const char* resid = " Immobili residenziali ";
    const char* nonResid = " Immobili non residenziali ";
    for (const char* name : {"Edit40", "Edit41", "Edit42", "Edit43", "Edit44", "Edit45"})
        c << field(name, PageOblazione, resid, "", K::NumberText, numberRules);
    for (const char* name : {"Edit46", "Edit47", "Edit48", "Edit49", "Edit50", "Edit51"})
        c << field(name, PageOblazione, nonResid, "", K::NumberText, numberRules);
    // Calcolo anticipazione oneri
    for (const char* name : {"Edit60", "Edit61", "Edit62", "Edit63"})
        c << field(name, PageAnticipazione, " Nuove costruzioni e ampliamenti ", "", K::NumberText,
                   numberRules);
    for (const char* name : {"Edit64", "Edit65", "Edit66", "Edit67"})
        c << field(name, PageAnticipazione, " Ristrutturazioni e modifiche della destinazione d'uso ", "",
                   K::NumberText, numberRules);
    // Aree dello Stato
    const char* indennizzo = " Calcolo dell'indennizzo per l'occupazione ";
    c << field("Edit33", PageAreeStato, indennizzo, "durata complessiva dell'occupazione (anni)", K::Digits,
               digitRules)
      << field("ComboBox4", PageAreeStato, indennizzo, "zona territoriale omogenea", K::FixedList, ordinary,
               zones);
    for (const char* name : {"Edit25", "Edit26", "Edit27", "Edit28"})
        c << field(name, PageAreeStato, indennizzo, "", K::NumberText, numberRules);
    for (const char* name : {"Edit29", "Edit30", "Edit31", "Edit32"})
        c << field(name, PageAreeStato, " Calcolo del valore dell'area ", "", K::NumberText, numberRules);
    // Allegati
    const char* standard = " Allegati standard ";
    const char* altri = " Altri allegati ";
    c << field("CheckBox3", PageAllegati, standard, "Attestazione del versamento dell'oblazione", K::Flag,
               ordinary)
      << field("CheckBox4", PageAllegati, standard, "Attestazione dell'anticipazione degli oneri concessori",
               K::Flag, ordinary)
      << field("CheckBox5", PageAllegati, standard,
               "Dichiarazione ai sensi dell'art.4 della legge 4 gennaio 1968, n.15", K::Flag, ordinary)
      << field("CheckBox6", PageAllegati, standard, "Documentazione fotografica", K::Flag, ordinary)
      << field("CheckBox7", PageAllegati, standard,
               "Perizia giurata sulle dimensioni e sullo stato delle opere", K::Flag, ordinary)
      << field("CheckBox8", PageAllegati, altri,
               "Dichiarazione del richiedente in relazione agli artt.416-bis, 648-bis e 648-ter c.p.",
               K::Flag, ordinary)
      << field("CheckBox9", PageAllegati, altri, "Certificazione di idoneità statica", K::Flag, ordinary)
      << field("CheckBox10", PageAllegati, altri, "Certificazione relativa alle costruzioni in zona sismica",
               K::Flag, ordinary)
      << field("CheckBox11", PageAllegati, altri, "", K::Flag, ordinary)
      << field("Edit34", PageAllegati, altri, "", K::Text, freeTextRules)
      << field("CheckBox12", PageAllegati, altri, "", K::Flag, ordinary)
      << field("Edit35", PageAllegati, altri, "", K::Text, freeTextRules)
      << field("CheckBox13", PageAllegati, altri, "", K::Flag, ordinary)
      << field("Edit36", PageAllegati, altri, "", K::Text, freeTextRules);
    return c;
}

} // namespace

const QList<FieldSpec>& fieldCatalogue() {
    static const QList<FieldSpec> catalogue = buildCatalogue();
    return catalogue;
}

const FieldSpec* fieldSpec(const QString& name) {
    static const QHash<QString, const FieldSpec*> index = [] {
        QHash<QString, const FieldSpec*> h;
        for (const FieldSpec& f : fieldCatalogue())
            h.insert(f.name, &f);
        return h;
    }();
    return index.value(name, nullptr);
}

} // namespace quadrelo
