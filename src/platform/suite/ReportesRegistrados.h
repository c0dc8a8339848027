#pragma once
// A report presentation for tests: keeps every document handed to it, in order, and shows nothing.
//
//     suite::ReportesRegistrados reportes;        // installed until it goes out of scope
//     ... the code under test prints ...
//     QCOMPARE(reportes.documentos().size(), 1);
//     QVERIFY(reportes.texto(0).contains("Total"));

#include "PresentacionReportes.h"

#include <QList>

namespace suite {

class ReportesRegistrados final : public PresentacionReportes {
public:
    ReportesRegistrados();             // installs itself
    ~ReportesRegistrados() override;   // puts back what was installed before
    ReportesRegistrados(const ReportesRegistrados&) = delete;
    ReportesRegistrados& operator=(const ReportesRegistrados&) = delete;

    // Keeps the document and ends the wait.
    void Presentar(const DocumentoReporte& documento, EsperaReporte& espera) override;

    const QList<DocumentoReporte>& documentos() const { return m_documentos; }
    // The document's text as a reader of the page sees it (its rich text laid out as a text document).
    QString texto(qsizetype i) const;

private:
    QList<DocumentoReporte> m_documentos;
    PresentacionReportes* m_anterior = nullptr;
};

} // namespace suite
