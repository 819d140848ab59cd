// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#include "sign_dialogs.h"

#include "record/text_file.h"
#include "ui/common/error_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quadrelo {

namespace {

QSettings settings() {
    return QSettings(QStringLiteral("Quadrelo"), QStringLiteral("Quadrelo 2004"));
}

constexpr qint64 kCertificateFileLimit = 1024 * 1024;

} // namespace

QString KeyChoice::secretQuestion() const {
    if (token)
        return QStringLiteral("PIN della carta «%1» per %2:").arg(certificate.token, certificate.info.holder);
    return QStringLiteral("Password del file del certificato «%1»:").arg(QFileInfo(file).fileName());
}

std::unique_ptr<sign::SigningKey> KeyChoice::open(const QByteArray& secret) const {
    std::unique_ptr<sign::SigningKey> key =
        token ? module->login(certificate, secret)
              : sign::openPkcs12(readFileBytes(file, kCertificateFileLimit), secret);
    if (const QString problem = sign::certificateProblem(sign::describeCertificate(key->certificate()));
        !problem.isEmpty())
        throw sign::SignError(problem);
    return key;
}

SignKeyDialog::SignKeyDialog(QWidget* owner)
    : QDialog(owner), format_(new QButtonGroup(this)),
      visible_(new QCheckBox(QStringLiteral("Firma &visibile («Firmato digitalmente da …») nello spazio "
                                            "libero dell'ultima pagina"))),
      source_(new QComboBox), file_(new QComboBox), certificates_(new QTreeWidget), problem_(new QLabel) {
    setObjectName(QStringLiteral("SignKeyDialog"));
    setWindowTitle(QStringLiteral("Firma digitale"));
    const QSettings s = settings();

    auto* formats = new QGroupBox(QStringLiteral("Formato"));
    auto* pades = new QRadioButton(QStringLiteral("&PAdES: la firma dentro il PDF, che resta .pdf"));
    auto* cades = new QRadioButton(QStringLiteral("&CAdES: la busta .pdf.p7m con il PDF al suo interno"));
    pades->setObjectName(QStringLiteral("Pades"));
    cades->setObjectName(QStringLiteral("Cades"));
    format_->addButton(pades, int(sign::Format::Pades));
    format_->addButton(cades, int(sign::Format::Cades));
    (s.value(QStringLiteral("firma/formato")).toString() == QLatin1String("cades") ? cades : pades)
        ->setChecked(true);
    auto* formatLayout = new QVBoxLayout(formats);
    formatLayout->addWidget(pades);
    formatLayout->addWidget(visible_);
    formatLayout->addWidget(cades);
    visible_->setObjectName(QStringLiteral("FirmaVisibile"));
    visible_->setChecked(s.value(QStringLiteral("firma/visibile")).toBool());
    visible_->setEnabled(pades->isChecked());
    connect(pades, &QRadioButton::toggled, visible_, &QCheckBox::setEnabled);

    source_->setObjectName(QStringLiteral("TipoChiave"));
    source_->addItems({QStringLiteral("Carta o token (modulo PKCS#11)"),
                       QStringLiteral("File del certificato (.p12 o .pfx)")});
    const QString remembered = s.value(QStringLiteral("firma/tipo")).toString();
    source_->setCurrentIndex(remembered == QLatin1String("p12") ||
                                     (remembered.isEmpty() && sign::knownPkcs11Modules().isEmpty())
                                 ? 1
                                 : 0);
    file_->setObjectName(QStringLiteral("FileChiave"));
    file_->setEditable(true);
    file_->setInsertPolicy(QComboBox::NoInsert);
    file_->setMinimumContentsLength(40);
    auto* browse = new QPushButton(QStringLiteral("&Sfoglia…"));
    certificates_->setObjectName(QStringLiteral("Certificati"));
    certificates_->setHeaderLabels({QStringLiteral("Titolare"), QStringLiteral("Codice fiscale"),
                                    QStringLiteral("Emittente"), QStringLiteral("Validità")});
    certificates_->setRootIsDecorated(false);
    certificates_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    certificates_->setMinimumSize(640, 110);
    problem_->setObjectName(QStringLiteral("ProblemaCertificato"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));

    auto* keyBox = new QGroupBox(QStringLiteral("Chiave"));
    auto* keyLayout = new QFormLayout(keyBox);
    keyLayout->addRow(QStringLiteral("&Dove si trova:"), source_);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* fileLabel = new QLabel(QStringLiteral("&File:"));
    fileLabel->setBuddy(file_);
    keyLayout->addRow(fileLabel, fileRow);
    keyLayout->addRow(QStringLiteral("C&ertificati:"), certificates_);
    keyLayout->addRow(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Firma"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SignKeyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SignKeyDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formats);
    layout->addWidget(keyBox);
    layout->addWidget(buttons);

    connect(source_, &QComboBox::currentIndexChanged, this, &SignKeyDialog::sourceChanged);
    connect(file_, &QComboBox::activated, this, &SignKeyDialog::loadCertificates);
    connect(file_->lineEdit(), &QLineEdit::editingFinished, this, &SignKeyDialog::loadCertificates);
    connect(browse, &QPushButton::clicked, this, &SignKeyDialog::browse);
    connect(certificates_, &QTreeWidget::currentItemChanged, this, [this] {
        const int row = certificates_->indexOfTopLevelItem(certificates_->currentItem());
        problem_->setText(row >= 0 ? sign::certificateProblem(found_.value(row).info) : QString());
    });
    sourceChanged();
    pades->setFocus();
}

bool SignKeyDialog::tokenChosen() const {
    return source_->currentIndex() == 0;
}

void SignKeyDialog::sourceChanged() {
    const QSettings s = settings();
    file_->clear();
    found_.clear();
    certificates_->clear();
    problem_->clear();
    certificates_->setEnabled(tokenChosen());
    if (tokenChosen()) {
        QStringList modules = sign::knownPkcs11Modules();
        const QString module = s.value(QStringLiteral("firma/modulo")).toString();
        if (!module.isEmpty()) {
            modules.removeAll(module);
            modules.prepend(module);
        }
        file_->addItems(modules);
        loadCertificates();
    } else {
        file_->setEditText(s.value(QStringLiteral("firma/certificato")).toString());
    }
}

void SignKeyDialog::loadCertificates() {
    if (!tokenChosen()) return;
    const QString path = file_->currentText().trimmed();
    if (path.isEmpty() || (choice_.module && choice_.file == path)) return;
    certificates_->clear();
    found_.clear();
    choice_.module.reset();
    problem_->clear();
    try {
        choice_.module = std::make_shared<sign::Pkcs11Module>(path);
        choice_.file = path;
        found_ = choice_.module->certificates();
    } catch (const Error& e) {
        problem_->setText(e.message());
        return;
    }
    for (const sign::TokenCertificate& c : found_)
        new QTreeWidgetItem(certificates_,
                            {c.info.holder, c.info.taxCode, c.info.issuer, sign::validityText(c.info)});
    if (found_.isEmpty()) problem_->setText(QStringLiteral("Sulla carta non c'è alcun certificato."));
    // The first that may sign is the one offered.
    for (qsizetype i = 0; i < found_.size(); ++i)
        if (sign::certificateProblem(found_[i].info).isEmpty()) {
            certificates_->setCurrentItem(certificates_->topLevelItem(int(i)));
            return;
        }
    if (!found_.isEmpty()) certificates_->setCurrentItem(certificates_->topLevelItem(0));
}

void SignKeyDialog::browse() {
    const QString chosen =
        tokenChosen() ? QFileDialog::getOpenFileName(this, QStringLiteral("Modulo PKCS#11 della carta"),
                                                     QFileInfo(file_->currentText()).absolutePath(),
                                                     QStringLiteral("Moduli PKCS#11 (*.so *.so.*)"))
                      : QFileDialog::getOpenFileName(this, QStringLiteral("File del certificato"),
                                                     QFileInfo(file_->currentText()).absolutePath(),
                                                     QStringLiteral("Certificati PKCS#12 (*.p12 *.pfx)"));
    if (chosen.isEmpty()) return;
    file_->setEditText(chosen);
    loadCertificates();
}

void SignKeyDialog::accept() {
    const QString path = file_->currentText().trimmed();
    choice_.format = sign::Format(format_->checkedId());
    choice_.visible = choice_.format == sign::Format::Pades && visible_->isChecked();
    choice_.token = tokenChosen();
    if (choice_.token) {
        loadCertificates();
        const int row = certificates_->indexOfTopLevelItem(certificates_->currentItem());
        if (!choice_.module || row < 0) {
            showErrorBox(this, problem_->text().isEmpty()
                                   ? QStringLiteral("Scegliere il certificato con cui firmare.")
                                   : problem_->text());
            return;
        }
        if (const QString problem = sign::certificateProblem(found_[row].info); !problem.isEmpty()) {
            showErrorBox(this, problem);
            return;
        }
        choice_.certificate = found_[row];
    } else {
        if (!QFileInfo(path).isFile()) {
            showErrorBox(this, path.isEmpty()
                                   ? QStringLiteral("Indicare il file del certificato (.p12 o .pfx).")
                                   : QStringLiteral("Il file del certificato «%1» non esiste.").arg(path));
            return;
        }
        choice_.module.reset();
        choice_.file = QFileInfo(path).absoluteFilePath();
    }
    QSettings s = settings();
    s.setValue(QStringLiteral("firma/formato"),
               choice_.format == sign::Format::Cades ? QStringLiteral("cades") : QStringLiteral("pades"));
    s.setValue(QStringLiteral("firma/visibile"), visible_->isChecked());
    s.setValue(QStringLiteral("firma/tipo"),
               choice_.token ? QStringLiteral("pkcs11") : QStringLiteral("p12"));
    s.setValue(choice_.token ? QStringLiteral("firma/modulo") : QStringLiteral("firma/certificato"),
               choice_.file);
    QDialog::accept();
}

PinDialog::PinDialog(QWidget* owner, const QString& question) : QDialog(owner), field_(new QLineEdit) {
    setObjectName(QStringLiteral("PinDialog"));
    setWindowTitle(QStringLiteral("Firma digitale"));
    field_->setObjectName(QStringLiteral("Pin"));
    field_->setEchoMode(QLineEdit::Password);
    field_->setMinimumWidth(260);
    auto* label = new QLabel(question);
    label->setBuddy(field_);
    label->setWordWrap(true);
    auto* note =
        new QLabel(QStringLiteral("Il PIN serve solo per questa firma: il programma non lo conserva."));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Firma"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(note);
    layout->addWidget(buttons);
    field_->setFocus();
}

QByteArray PinDialog::takeSecret() {
    QByteArray secret = field_->text().toUtf8();
    field_->clear();
    return secret;
}

void askKeyAndSign(QWidget* owner, std::function<bool(const KeyChoice&)> afterKey,
                   std::function<void(sign::SigningKey&, const KeyChoice&)> work) {
    auto* keyDialog = new SignKeyDialog(owner);
    keyDialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(keyDialog, &QDialog::accepted, owner, [owner, keyDialog, afterKey, work] {
        const KeyChoice choice = keyDialog->choice();
        if (!afterKey(choice)) return;
        auto* pin = new PinDialog(owner, choice.secretQuestion());
        pin->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(pin, &QDialog::accepted, owner, [owner, pin, choice, work] {
            QByteArray secret = pin->takeSecret();
            guarded(owner, [&] {
                std::unique_ptr<sign::SigningKey> key;
                try {
                    key = choice.open(secret);
                } catch (...) {
                    sign::forgetSecret(secret);
                    throw;
                }
                sign::forgetSecret(secret);
                work(*key, choice);
            });
        });
        pin->open();
    });
    keyDialog->open();
}

} // namespace quadrelo
