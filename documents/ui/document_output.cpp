#include "document_output.h"

#include "documents/report_data.h"

namespace quadrelo {

namespace {
std::function<void(const QString&, const QStringList&)>& sink() {
    static std::function<void(const QString&, const QStringList&)> s;
    return s;
}
} // namespace

void setDocumentSink(std::function<void(const QString&, const QStringList&)> s) { sink() = std::move(s); }

void printDocument(QWidget* owner, PracticeForm& form, const QString& reportName) {
    Q_UNUSED(owner);
    const QStringList row = RvCustomConnection1GetRow(form);
    if (sink()) {
        sink()(reportName, row);
        return;
    }
    // The preview comes with the report engine.
}

} // namespace quadrelo
