#pragma once
// The company of the dashboard's window tests. The small one, with a writer that records what the window asks
// of it (EscritorDePrueba.h) in place of the real one. Chart: 1 Activo, 11 Caja y bancos, 1101 Banco, 1102
// Caja, 12 Creditos, 1201 Deudores (a client account, view type 'CL'), 1202 Proveedores ('PR'), 13 Dada de
// baja (retired), 2 Pasivo, 21 Deudas comerciales, 2101 Proveedor Uno. Business units "1" and "UN02X" (a code
// longer than four characters), cost centres "C1" and "C2". Fiscal year 2026 in MV_EJERCICIOS; PERIODO 2026
// in the configuration unless the test names another. The demo company the program ships, with the real
// writer, for the road through the browser and the viewers. Reports go to the user's own folder inside the TEMP
// folder the fixture sets.

#include "EscritorDePrueba.h"

#include "core/Configuration.h"
#include "dashboard/frmBSC01.h"
#include "data/DB_Dll.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/Carpetas.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/EmpresaTemporal.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

struct EmpresaTablero : EmpresaTemporal {
    QString temporal;   // where the reports are written
    RegistroEscritor registro;

    // The small company, opened as admin1, with the recording writer; `periodo` is the configured period.
    bool crear(int periodo = 2026)
    {
        if (!escribirConFilas(filas(periodo), QStringLiteral("admin1")) || !preparar())
            return false;
        tablero::InstalarFabricaEscritores([this] { return std::make_unique<EscritorDePrueba>(registro); });
        return true;
    }

    // The demo company the program ships, opened as its administrator, with the real writer; the pages that
    // writer makes carry the program's name. With lines, the benchmark account holds that many debit and
    // credit lines, each with its counterpart in the cash account.
    bool crearDemo(int lineasPorLado = 0)
    {
        QCoreApplication::setApplicationName(QStringLiteral("conccuentas"));
        schema::Options opciones;
        opciones.linesPerSide = lineasPorLado;
        return escribirDemo(QString::fromLatin1(schema::kAdminUser), opciones) && preparar();
    }

    static void ejecutar(const QString& sql) { gDB().gCnn.Execute(sql); }

private:
    // Reports go to a folder of their own, inside the folder named by TEMP; the lookups are installed as the
    // program does at start.
    bool preparar()
    {
        const QString informes = carpeta.filePath(QStringLiteral("informes"));
        if (!QDir().mkpath(informes))
            return false;
        qputenv("TEMP", informes.toUtf8());
        temporal = QDir::cleanPath(suite::CarpetaTemporalDelPrograma());
        lookup::InstallHook();
        return true;
    }

    static QStringList filas(int periodo)
    {
        return {
            QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, Grupo) VALUES ('PERIODO', '%1', 'GENERAL'), "
                           "('CantidadDecimales', '2', 'GENERAL'), ('NOMBRE', 'Empresa Demo', 'GENERAL')")
                .arg(periodo),
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
