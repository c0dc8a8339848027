#pragma once
// A small company for the report tests: the demo database with its chart, journal and centres replaced by a
// handful of rows chosen to show each report's cases (hostile texts in names and details, a line without a
// business unit, a zero line, a line outside the period, tax-book rows, cost-centre shares). Levels 1, 2, 4, 6.
// Pages are compared byte for byte with files in the golden folder; CONC_REPORT_REGENERATE=1 rewrites them.

#include "Modelos.h"
#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "report/ClassHTML.h"
#include "report/HostReporte.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

struct ReportFixture {
    QTemporaryDir carpeta;
    QString archivo;

    bool crear()
    {
        if (!carpeta.isValid())
            return false;
        QCoreApplication::setApplicationName(QStringLiteral("conccuentas"));
        report::ClassHTML::FijarFechaPagina(QDate(2026, 4, 1));
        qputenv("CONCCUENTAS_HOME", carpeta.path().toUtf8());
        archivo = carpeta.filePath(QStringLiteral("empresa.db"));
        QString error;
        if (!schema::CreateCompanyDatabase(archivo, schema::Options{}, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        QString conexion;
        ModGlobal::Inicializar(false, QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=admin;@Password=;").arg(archivo),
                               conexion, 3);
        if (!gDB().gOpenFlag)
            return false;
        for (const char* sql : kDatos)
            gDB().gCnn.Execute(QString::fromUtf8(sql));
        return schema::RebuildJournalViews(archivo, &error);
    }

    static inline const char* const kDatos[] = {
        "DELETE FROM MA_CUENTAS",
        "DELETE FROM MV_ASIENTOS",
        "DELETE FROM MV_ASIENTOSCCOSTO",
        "DELETE FROM TA_CCOSTO",
        "DELETE FROM V_TA_UNIDADNEGOCIO",
        "UPDATE TA_CONFIGURACION SET VALOR = '0' WHERE CLAVE IN ('Digitos_Cuenta', 'Digitos_SubCuenta')",
        "INSERT INTO MA_CUENTAS (Codigo, Descripcion, Titulo) VALUES ('1', 'ACTIVO', 1), ('11', 'ACTIVO CORRIENTE', 1),"
        " ('1101', 'Caja & Bancos', 1), ('110101', 'Banco <Naci\u00f3n>', 0), ('110102', 'Caja O''Brien', 0),"
        " ('110103', 'Caja chica', 0), ('110104', 'Fondo fijo', 0),"
        " ('2', 'PASIVO', 1), ('21', 'DEUDAS', 1), ('2101', 'Proveedores', 1), ('210101', 'Proveedores locales', 0)",
        "INSERT INTO V_TA_UNIDADNEGOCIO (codigo, descripcion) VALUES ('0001', 'Casa Central'), ('0002', 'Sucursal')",
        "INSERT INTO TA_CCOSTO (codigo, descripcion) VALUES ('CC1', 'Administraci\u00f3n'), ('CC2', 'Ventas <norte>'),"
        " ('CC3', 'Sin uso')",
        // A sale: the bank line carries the voucher total, the supplier line the tax book.
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, TC,"
        " SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, UNEGOCIO, ESRESUMEN, LIVA_TIPO, LIVA_ImpNetoGrav,"
        " Liva_ImpIva, Liva_Total) VALUES"
        " ('110101', 1, 1, 1, 2026, 'N', '2026-01-05 00:00:00', 'FC', '0001', '00000001', 'A', 'D', 1210,"
        " 'Venta <contado> & \"cia\"', '0001', 0, NULL, NULL, NULL, NULL),"
        " ('210101', 2, 1, 1, 2026, 'N', '2026-01-05 00:00:00', 'FC', '0001', '00000001', 'A', 'H', 1210,"
        " 'Venta', '0001', 0, 'Ventas', -1000, -210, -1210)",
        // A purchase whose net, untaxed and exempt amounts add up to the line.
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, TC,"
        " SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, UNEGOCIO, ESRESUMEN, LIVA_TIPO, LIVA_ImpNetoGrav,"
        " LIVA_ImpNetoNGrav, Liva_Exento) VALUES"
        " ('110102', 1, 1, 2, 2026, 'N', '2026-01-10 00:00:00', 'FCC', '0002', '00000077', 'B', 'H', 500.25,"
        " 'Compra insumos', '0002', 0, NULL, NULL, NULL, NULL),"
        " ('210101', 2, 1, 2, 2026, 'N', '2026-01-10 00:00:00', 'FCC', '0002', '00000077', 'B', 'D', 500.25,"
        " 'Compra', '0002', 0, 'Compras', 400, 50.25, 50)",
        // An adjustment without business unit on the bank, shared by two cost centres; a zero line; a line after
        // the period.
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, TC,"
        " SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, UNEGOCIO) VALUES"
        " ('110101', 1, 2, 3, 2026, 'N', '2026-02-15 00:00:00', 'AS', '0001', '00000003', 'X', 'H', 300, 'Ajuste', NULL),"
        " ('110102', 2, 2, 3, 2026, 'N', '2026-02-15 00:00:00', 'AS', '0001', '00000003', 'X', 'D', 300, 'Ajuste', '0001'),"
        " ('110101', 1, 2, 4, 2026, 'N', '2026-02-28 00:00:00', 'AS', '0001', '00000004', 'X', 'D', 0, 'Sin importe', '0001'),"
        " ('110101', 1, 4, 5, 2026, 'N', '2026-04-10 00:00:00', 'AS', '0001', '00000005', 'X', 'D', 99, 'Fuera', '0001')",
        // Amounts that do not add up exactly in binary: petty cash of 0.1 + 0.2 - 0.3, a zero balance that a
        // double sums to a few units of 1e-17 in any order (on three days, so the balance rows are three); and a fund whose balance keeps its trailing zero and
        // its fourth decimal.
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, TC,"
        " SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, UNEGOCIO) VALUES"
        " ('110103', 1, 2, 20, 2026, 'N', '2026-02-20 00:00:00', 'AS', '0001', '00000020', 'X', 'D', 0.1, 'Redondeo', '0001'),"
        " ('110103', 2, 2, 20, 2026, 'N', '2026-02-21 00:00:00', 'AS', '0001', '00000020', 'X', 'D', 0.2, 'Redondeo', '0001'),"
        " ('110103', 3, 2, 20, 2026, 'N', '2026-02-22 00:00:00', 'AS', '0001', '00000020', 'X', 'H', 0.3, 'Redondeo', '0001'),"
        " ('110104', 17, 2, 20, 2026, 'N', '2026-02-20 00:00:00', 'AS', '0001', '00000020', 'X', 'D', 1124114.7, 'Redondeo', '0001'),"
        " ('110104', 18, 2, 20, 2026, 'N', '2026-02-20 00:00:00', 'AS', '0001', '00000020', 'X', 'D', 0.1, 'Redondeo', '0001'),"
        " ('110104', 19, 2, 20, 2026, 'N', '2026-02-20 00:00:00', 'AS', '0001', '00000020', 'X', 'D', 498.32, 'Redondeo', '0001'),"
        " ('110104', 20, 2, 20, 2026, 'N', '2026-02-20 00:00:00', 'AS', '0001', '00000020', 'X', 'H', 498.3199, 'Redondeo', '0001')",
        "INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, SECUENCIA, Cuenta, CCosto,"
        " Porcentaje, Importe) VALUES"
        " (2026, 1, 1, 'N', 1, '110101', 'CC1', 100, 1210),"
        " (2026, 2, 3, 'N', 1, '110101', 'CC1', 60, 180),"
        " (2026, 2, 3, 'N', 2, '110101', 'CC2', 40, 120)",
    };

    QString ruta(const QString& nombre) const { return carpeta.filePath(nombre); }

    // ---- what every report test does around its cases ----
    QStringList sentencias;                       // every statement sent since the case began
    QString pagina;                               // the page the cases write
    std::unique_ptr<ui::ScriptedDialogs> dialogos;

    bool preparar()
    {
        ui::ScriptedDialogs d;
        if (!crear() || !d.verifyDone())
            return false;
        gDB().gCnn.setStatementLog([this](const QString& s) { sentencias << s; });
        pagina = ruta(QStringLiteral("BSC01.htm"));
        return true;
    }
    void antes()
    {
        dialogos = std::make_unique<ui::ScriptedDialogs>();
        sentencias.clear();
    }
    bool despues()
    {
        const bool ok = dialogos->verifyDone();
        dialogos.reset();
        return ok;
    }
    report::ResultadoListado escribir(const report::ParametrosListado& datos, bool conIva = false,
                                      report::HostReporte* host = nullptr) const
    {
        report::ParametrosListado p = datos;
        p.strNombreArchivo = pagina;
        report::ClassHTML html;
        html.ColIVA = conIva;
        html.setHost(host);
        return html.writeHTML(p);
    }
    int contar(const QString& parte) const
    {
        int n = 0;
        for (const QString& s : sentencias)
            if (s.contains(parte, Qt::CaseInsensitive))
                ++n;
        return n;
    }

    static report::ParametrosListado parametros(const QString& cuenta, const QString& titulo, bool hoja, int tipo)
    {
        report::ParametrosListado p;
        p.TituloListado = QStringLiteral("Consolidado");
        p.Titulo = titulo;
        p.Cuenta = cuenta;
        p.EsHoja = hoja;
        p.FechaDesde = QStringLiteral("01/01/2026");
        p.FechaHasta = QStringLiteral("31/03/2026");
        p.eTipoListado = tipo;
        return p;
    }

    static QByteArray leer(const QString& ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Compares a written page with its golden file (or rewrites the golden file when asked to).
    static bool igualAlModelo(const QString& escrito, const QString& modelo)
    {
        const bool regenerar = qEnvironmentVariableIntValue("CONC_REPORT_REGENERATE");
        QString falta;
        const QString ruta = RutaModelo(modelo, falta, !regenerar);
        if (ruta.isEmpty()) {
            qWarning("%s", qPrintable(falta));
            return false;
        }
        const QByteArray bytes = leer(escrito);
        if (regenerar) {
            QFile f(ruta);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        }
        const QByteArray esperado = leer(ruta);
        if (bytes != esperado) {
            qWarning("page differs from %s:\n%s", qPrintable(modelo), bytes.constData());
            return false;
        }
        return true;
    }
};

// A window for the writer: records what it is asked, cancels at the k-th record, runs a hook in its event
// pass.
class HostDePrueba : public report::HostReporte {
public:
    int cancelarEn = 0;   // the k-th Cancelado() answers true (0: never)
    int consultas = 0;
    bool cancelado = true;
    bool ocupado = false;
    QString fCuenta, fTitulo;
    bool fEsHoja = false;
    QList<double> progreso;
    std::function<void()> alProcesar;

    void setCancelado(bool v) override { cancelado = v; }
    bool Cancelado() const override
    {
        auto* self = const_cast<HostDePrueba*>(this);
        ++self->consultas;
        if (cancelarEn > 0 && consultas >= cancelarEn)
            self->cancelado = true;
        return cancelado;
    }
    void setUltimoReporte(const QString& c, const QString& t, bool h) override
    {
        fCuenta = c;
        fTitulo = t;
        fEsHoja = h;
    }
    void MostrarOcupado() override { ocupado = true; }
    void DibujarProgreso(double p) override { progreso << p; }
    void ProcesarEventos() override
    {
        if (alProcesar)
            alProcesar();
    }
};
