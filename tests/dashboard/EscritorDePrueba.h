#pragma once
// The report writer of the dashboard's window tests: it records what the window asks of it and writes a page
// with the title only, so the tests see the requests without the real writer's pages.

#include "dashboard/EscritorInformes.h"

#include <QFile>
#include <QTest>
#include <functional>

// What the window asked the writer, in order: "css <folder>", "iva <0|1>", "html <account>".
struct RegistroEscritor {
    QStringList llamadas;
    QList<tablero::PedidoInforme> pedidos;
    report::ResultadoListado resultado = report::ResultadoListado::Completo;
    std::function<void()> durante;   // runs while a report is being written
};

class EscritorDePrueba final : public tablero::EscritorInformes {
public:
    explicit EscritorDePrueba(RegistroEscritor& registro) : m_registro(registro) {}
    void setColIVA(bool valor) override { m_registro.llamadas << QStringLiteral("iva %1").arg(int(valor)); }
    void writeStyleCSS(const QString& carpeta) override { m_registro.llamadas << QStringLiteral("css ") + carpeta; }
    report::ResultadoListado writeHTML(const tablero::PedidoInforme& p, report::HostReporte& host) override
    {
        host.setCancelado(false);
        host.MostrarOcupado();
        host.setUltimoReporte(p.Cuenta, p.Titulo, p.EsHoja);
        m_registro.llamadas << QStringLiteral("html ") + p.Cuenta;
        m_registro.pedidos << p;
        QFile f(p.strNombreArchivo);
        if (f.open(QIODevice::WriteOnly))
            f.write(QStringLiteral("<html><body>%1</body></html>").arg(p.Titulo.toHtmlEscaped()).toUtf8());
        if (m_registro.durante)
            m_registro.durante();
        return m_registro.resultado;
    }

private:
    RegistroEscritor& m_registro;
};
