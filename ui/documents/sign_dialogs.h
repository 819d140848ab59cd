// SPDX-FileCopyrightText: 2026 gli autori di Quadrelo 2004
// SPDX-License-Identifier: LicenseRef-Quadrelo-Riservata

#pragma once

#include "sign/pkcs11_token.h"
#include "sign/signed_files.h"

#include <QDialog>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace quadrelo {

// What the key dialog chose: the format and where the key is. A token's module stays loaded
// as long as the choice lives, so that the PIN is asked once for every document.
struct KeyChoice {
    sign::Format format = sign::Format::Pades;
    bool visible = false; // PAdES: "Firmato digitalmente da …" in the place the document leaves free
    bool token = false;
    QString file; // the PKCS#11 module or the .p12/.pfx file
    std::shared_ptr<sign::Pkcs11Module> module;
    sign::TokenCertificate certificate;

    // The question of the PIN dialog.
    QString secretQuestion() const;
    // The key, opened with the PIN or password; refuses a certificate that may not sign.
    // Throws SignError or IoError.
    std::unique_ptr<sign::SigningKey> open(const QByteArray& secret) const;
};

// "Firma digitale": the format (PAdES or CAdES), the key (a card through its PKCS#11 module or
// a certificate file) and, for a card, its certificates with holder, tax code, issuer and
// validity. The module and the file are remembered, never the PIN.
class SignKeyDialog : public QDialog {
    Q_OBJECT
public:
    explicit SignKeyDialog(QWidget* owner = nullptr);
    const KeyChoice& choice() const { return choice_; }

    void accept() override;

private:
    void sourceChanged();
    void loadCertificates();
    void browse();
    bool tokenChosen() const;

    QButtonGroup* format_;
    QCheckBox* visible_;
    QComboBox* source_;
    QComboBox* file_;
    QTreeWidget* certificates_;
    QLabel* problem_;
    KeyChoice choice_;
    QList<sign::TokenCertificate> found_;
};

// The PIN question: a password field, nothing shown, nothing kept once it has been read.
class PinDialog : public QDialog {
    Q_OBJECT
public:
    PinDialog(QWidget* owner, const QString& question);
    // The text typed, the field emptied.
    QByteArray takeSecret();

private:
    QLineEdit* field_;
};

// Asks the key, then the PIN, each a window-modal dialog, then hands the opened key to `work`:
// every document `work` signs shares the one PIN entry. Failures go to the error box.
// `afterKey` runs once the key dialog is accepted; returning false stops there (a file name
// not given).
void askKeyAndSign(QWidget* owner, std::function<bool(const KeyChoice&)> afterKey,
                   std::function<void(sign::SigningKey&, const KeyChoice&)> work);

} // namespace quadrelo
