#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace quadrelo {

class PracticeForm;

// The dialog a document command opens instead of running its report at once.
enum class CommandDialog { None, WasteTax, Occupation, Ici, SwornAppraisal };

// The document commands of the "Stampe" menu and the tool bar.
struct DocumentCommand {
    QString handler; // e.g. "Riepilogopratica1Click"
    QString caption; // menu caption
    QString checks;  // check names in order, separated by spaces: "A B1 V D20 O N L"
    QString applicantMessage;
    QString report; // report run when the checks pass (empty when a dialog opens)
    CommandDialog dialog = CommandDialog::None;
};

const QList<DocumentCommand>& documentCommands();
const DocumentCommand* documentCommand(const QString& handlerOrReport);

// What a failed check asks of the window: the warning, the page to bring to the front
// (-1: none) and the fields that receive the focus in turn (the last keeps it).
struct CheckFailure {
    QString message;
    int page = -1;
    QStringList focus;
};

// The first check of the command that the practice fails, if any.
std::optional<CheckFailure> firstFailedCheck(PracticeForm& form, const DocumentCommand& command);

} // namespace quadrelo
