#pragma once
// A small company for the dashboard's tests, and a writer that records what the window asks of it.
//
// Chart: 1 Activo, 11 Caja y bancos, 1101 Banco, 1102 Caja, 12 Creditos, 1201 Deudores (a client account,
// view type 'CL'), 1202 Proveedores ('PR'), 13 Dada de baja (retired), 2 Pasivo, 21 Deudas comerciales,
// 2101 Proveedor Uno. Business units "1" and "UN02X" (a code longer than four characters), cost centres "C1"
// and "C2". Fiscal year 2026 in MV_EJERCICIOS; PERIODO 2026 in the configuration. Reports go to the TEMP
// folder the fixture sets.

#include "core/Configuration.h"
#include "dashboard/EscritorInformes.h"
#include "dashboard/frmBSC01.h"
#include "data/DB_Dll.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/DemoDatabase.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

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

struct EmpresaTablero {
    QTemporaryDir carpeta;
    QString archivo;
    QString lanzamiento;
    QString temporal;
    RegistroEscritor registro;

    bool crear()
    {
        QLocale::setDefault(QLocale::c());
        if (!carpeta.isValid())
            return false;
        qputenv("CONCCUENTAS_HOME", carpeta.path().toUtf8());
        temporal = carpeta.filePath(QStringLiteral("informes"));
        QDir().mkpath(temporal);
        qputenv("TEMP", temporal.toUtf8());
        archivo = carpeta.filePath(QStringLiteral("empresa.db"));
        QString error;
        if (!schema::CreateDatabaseWithRows(archivo, filas(), &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        lookup::InstallHook();
        lanzamiento = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=admin1;@Password=;").arg(archivo);
        tablero::InstalarFabricaEscritores([this] { return std::make_unique<EscritorDePrueba>(registro); });
        return true;
    }

    static void ejecutar(const QString& sql) { gDB().gCnn.Execute(sql); }

    static QStringList filas()
    {
        return {
            QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, Grupo) VALUES ('PERIODO', '2026', 'GENERAL'), "
                           "('CantidadDecimales', '2', 'GENERAL'), ('NOMBRE', 'Empresa Demo', 'GENERAL')"),
            QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador) VALUES ('admin1', 1)"),
            QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, Descripcion, Titulo, DADA_DE_BAJA, TIPOVISTA) "
                           "VALUES ('1', NULL, 'Activo', 1, 0, NULL), ('11', NULL, 'Caja y bancos', 1, 0, NULL), "
                           "('1101', 'BCO', 'Banco', 0, 0, NULL), ('1102', NULL, 'Caja', 0, 0, ''), "
                           "('12', NULL, 'Creditos', 1, 0, NULL), ('1201', NULL, 'Deudores', 0, 0, 'CL'), "
                           "('1202', NULL, 'Proveedores', 0, 0, 'PR'), ('13', NULL, 'Dada de baja', 0, 1, NULL), "
                           "('2', NULL, 'Pasivo', 1, 0, NULL), ('21', NULL, 'Deudas comerciales', 1, 0, NULL), "
                           "('2101', NULL, 'Proveedor Uno', 0, 0, NULL)"),
            QStringLiteral("INSERT INTO V_TA_UNIDADNEGOCIO (codigo, descripcion) VALUES ('1', 'Casa central'), "
                           "('UN02X', 'Sucursal')"),
            QStringLiteral("INSERT INTO TA_CCOSTO (codigo, descripcion) VALUES ('C1', 'Ventas'), ('C2', 'Compras')"),
            QStringLiteral("INSERT INTO MV_EJERCICIOS (periodo, [FECHA DESDE], [FECHA HASTA]) VALUES "
                           "(2026, '2026-01-01', '2026-12-31')"),
            QStringLiteral("INSERT INTO VT_TA_CPTE (CODIGO, DESCRIPCION) VALUES ('FC', 'Factura'), ('NC', 'Nota de credito')"),
        };
    }
};
