#pragma once
// The company of the workbench window's tests. The small one: account 1101 with three debit and three credit
// journal lines in March 2026 (D1..D3, C1..C3), a line outside the period, a line of another account, and a
// second account (1102) whose texts hold quotes; users oper1 (not an administrator) and admin1. The demo
// company the program ships, for what a new user meets. The start-up road connects once per process, so each
// test executable makes one of these, as one user.

#include "core/Globals.h"
#include "data/DB_Dll.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/FrmConcCuentas.h"
#include "schema/EmpresaTemporal.h"

#include <QTest>
#include <memory>

// The day the tests run on, whatever the clock says: a run across midnight sees one date.
inline const QDate kHoy(2026, 4, 15);

struct EmpresaDePrueba : EmpresaTemporal {
    // The small company, opened as that user, on the day kHoy.
    bool crear(const QString& usuario)
    {
        FrmConcCuentas::Hoy = [] { return kHoy; };
        return escribirConFilas(filas(), usuario) && conectar();
    }

    // The demo company the program ships, opened as its operator, on the real clock.
    bool crearDemo() { return escribirDemo(QString::fromLatin1(schema::kOperatorUser)) && conectar(); }

    // A window loaded as the program loads it (no prompt expected).
    std::unique_ptr<FrmConcCuentas> ventana() const
    {
        ui::ScriptedDialogs sinPreguntas;
        auto w = std::make_unique<FrmConcCuentas>();
        w->Parametros = lanzamiento;
        w->Form_Load();
        if (!sinPreguntas.verifyDone())
            return nullptr;
        return w;
    }

    // A fresh window on a company emptied of what earlier tests wrote.
    bool reiniciar(std::unique_ptr<FrmConcCuentas>& w) const
    {
        w.reset();
        vaciar();
        w = ventana();
        return w != nullptr;
    }

    // Everything a test may have written: reconciliations, locks and comparison settings.
    static void vaciar()
    {
        for (const char* tabla : {"MV_CONCILIACION_Cpte_AUX", "MV_CONCILIACION", "MV_CONCILIACION_AUX",
                                  "MV_CONCILIACION_CAB", "V_MV_CTROL_CPTE"})
            ejecutar(QStringLiteral("DELETE FROM ") + QLatin1String(tabla));
        ejecutar(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE LIKE 'CONCCTAS_CFG%'"));
    }

    static void ejecutar(const QString& sql) { gDB().gCnn.Execute(sql); }

    // The rows of a query, each as its column texts joined by "|".
    static QStringList filasDe(const QString& sql)
    {
        ado::Recordset rs;
        rs.Open(sql, &gDB().gCnn);
        QStringList filas;
        for (; !rs.EOF(); rs.MoveNext()) {
            QStringList celdas;
            for (int i = 0; i < rs.FieldCount(); ++i)
                celdas << rs.Fields(i).Value().toText();
            filas << celdas.join(QLatin1Char('|'));
        }
        return filas;
    }

    static QString valor(const QString& sql)
    {
        const QStringList f = filasDe(sql);
        return f.isEmpty() ? QString() : f.first();
    }

    static int cantidad(const QString& sql) { return valor(QStringLiteral("SELECT COUNT(*) FROM ") + sql).toInt(); }

    // Journal line key (SECUENCIA) of the lines a reconciliation holds on one side, in ID order.
    static QStringList secuencias(const QString& tabla, int numero)
    {
        return filasDe(QStringLiteral("SELECT SECUENCIA FROM %1 WHERE IDCONCILIACION = %2 ORDER BY ID")
                           .arg(tabla)
                           .arg(numero));
    }

    // Once a test has ended the program (which closes the connection) and goes on: the next window's load
    // connects again, as a new start of the program would.
    bool volverAConectar() const { return conectar(); }

private:
    // The first window's load opens the connection for the whole process.
    bool conectar() const
    {
        lookup::InstallHook();
        return ventana() != nullptr && gDB().gCnn.State() == ado::adStateOpen;
    }

    static QString asiento(int secuencia, const char* cuenta, const char* lado, const char* fecha,
                           const char* vencimiento, const char* tc, const char* sucursal, const char* numero,
                           const char* letra, const char* importe, const char* detalle, const char* usuario = "")
    {
        auto texto = [](const char* t) {
            return *t ? QLatin1Char('\'') + QString::fromUtf8(t).replace(QLatin1Char('\''), QStringLiteral("''"))
                            + QLatin1Char('\'')
                      : QStringLiteral("NULL");
        };
        return QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
                              "TIPO_REG, FECHA, VENCIMIENTO, TC, SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, "
                              "TC_ORIGEN, CPTE_ORIGEN, UNEGOCIO, USUARIO_LOGEADO) VALUES (%1, %2, 3, %3, 2026, 'N', %4, "
                              "%5, %6, %7, %8, %9, %10, %11, %12, %13, %14, '0001', %15)")
            .arg(texto(cuenta))
            .arg(secuencia)
            .arg(100 + secuencia)
            .arg(texto(fecha), texto(vencimiento), texto(tc), texto(sucursal), texto(numero), texto(letra),
                 texto(lado), QString::fromLatin1(importe), texto(detalle), texto(tc), texto(numero),
                 texto(usuario));
    }

    static QStringList filas()
    {
        return {
            QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, Grupo) VALUES ('ToleranciaRedondeo', '0.01', "
                           "'CONTABILIDAD'), ('CantidadDecimales', '2', 'GENERAL'), ('NOMBRE', 'Empresa Demo', "
                           "'GENERAL')"),
            QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador) VALUES ('oper1', 0), ('admin1', 1)"),
            QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion, Titulo) VALUES ('1101', 'Banco cuenta "
                           "corriente', 0), ('11', 'Activo corriente', 1), ('1102', 'Caja', 0)"),
            asiento(1, "1101", "D", "2026-03-05", "2026-03-05", "FC", "0001", "00000010", "A", "100.00", "Cobro FC 10"),
            asiento(2, "1101", "D", "2026-03-10", "2026-03-10", "FC", "0001", "00000011", "A", "250.00", "Cobro FC 11"),
            asiento(3, "1101", "D", "2026-03-12", "", "VJ", "0001", "00000077", "X", "40.00", "Ajuste"),
            asiento(4, "1101", "H", "2026-03-05", "2026-03-05", "FC", "0001", "00000010", "A", "100.00", "Deposito 10"),
            asiento(5, "1101", "H", "2026-03-15", "2026-03-15", "CB", "0002", "00000005", "X", "250.00", "Deposito 11"),
            asiento(6, "1101", "H", "2026-03-20", "2026-03-20", "PG", "0001", "00000003", "X", "7.50", "Comision"),
            asiento(7, "1101", "D", "2026-02-28", "2026-02-28", "FC", "0001", "00000009", "A", "10.00", "outside the period"),
            asiento(8, "1102", "H", "2026-03-10", "2026-03-10", "FC", "0001", "00000012", "A", "10.00", "other account"),
            asiento(9, "1102", "D", "2026-03-11", "", "FC", "0001", "00000013", "A", "20.00", "Cobro d'Alba", "o'brien"),
        };
    }
};
