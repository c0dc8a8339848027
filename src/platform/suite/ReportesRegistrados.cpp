#include "ReportesRegistrados.h"

#include "EsperaReporte.h"

#include <QTextDocument>

namespace suite {

ReportesRegistrados::ReportesRegistrados() : m_anterior(&presentacionReportes())
{
    instalarPresentacionReportes(this);
}

ReportesRegistrados::~ReportesRegistrados()
{
    // The on-screen preview is the default: put back nullptr rather than its address.
    instalarPresentacionReportes(nullptr);
    if (m_anterior != &presentacionReportes())
        instalarPresentacionReportes(m_anterior);
}

void ReportesRegistrados::Presentar(const DocumentoReporte& documento, EsperaReporte& espera)
{
    espera.Terminar();
    m_documentos << documento;
}

QString ReportesRegistrados::texto(qsizetype i) const
{
    QTextDocument documento;
    documento.setHtml(m_documentos.at(i).html);
    return documento.toPlainText();
}

} // namespace suite
