#pragma once
// A small company for the document pages: one voucher of each kind the viewers show, with the texts that
// test escaping (accents, "<", "&", an apostrophe in a supplier's name and in an account key).
//   AS 0001-00000001 X  accounting voucher: entry 10 (expense with tax book and two cost centres, VAT, bank
//                        cheque) and entry 11 (cash), origin FCC 0003-00002000 A of supplier 2101
//   FC 0001-00000010 A  sale to 1301 (complement 0): two items, two tasks (90 minutes, none), one remark;
//                        a row of complement 1 that must not show; settled by CB 0001-00000005 X
//   FCC 0003-00002000 A purchase from supplier 2101 "O'Brien S.A.", entry 12; paid by PG 0001-00000087 X
//   CB 0001-00000005 X  receipt of 1301 with gross-income withholding, entry 13
//   PG 0001-00000087 X  payment to 2101 with income-tax withholding, entry 14
//   FC 0001-00000099 A  a sale whose key holds an apostrophe in the letter ("'")
// Or the demo company the program ships, for the pages of its vouchers. The data-access object connects once
// per process: one of these per test executable.

#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "report/ClassHTML.h"
#include "schema/EmpresaTemporal.h"

#include <QDir>
#include <QFile>
#include <QTest>

struct EmpresaVisores : EmpresaTemporal {
    QString temporal;   // TEMP of the pages

    // The small company, with the pages dated and written into TEMP as the program names itself.
    bool crear()
    {
        QCoreApplication::setApplicationName(QStringLiteral("conccuentas"));
        if (!escribirConFilas(filas(), QStringLiteral("admin")))
            return false;
        temporal = carpeta.filePath(QStringLiteral("temp"));
        QDir().mkpath(temporal);
        qputenv("TEMP", temporal.toUtf8());
        report::ClassHTML::FijarFechaPagina(QDate(2026, 3, 31));
        return iniciar();
    }

    // The demo company the program ships.
    bool crearDemo() { return escribirDemo(QString::fromLatin1(schema::kAdminUser)) && iniciar(); }

    QString pagina(const QString& nombre) const { return QDir(temporal).filePath(nombre); }

    static QByteArray leer(const QString& ruta)
    {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The expected page, byte for byte. With CONC_VIEWERS_WRITE_GOLDEN set, the page written is kept as the
    // expected one (to review before committing).
    static QByteArray esperada(const QString& nombre, const QByteArray& escrita)
    {
        const QString ruta = qEnvironmentVariable("CONC_VIEWERS_GOLDEN") + QLatin1Char('/') + nombre;
        if (qEnvironmentVariableIsSet("CONC_VIEWERS_WRITE_GOLDEN")) {
            QFile f(ruta);
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(escrita);
        }
        return leer(ruta);
    }

private:
    // The start-up road on the company: it opens the connection for the whole process.
    bool iniciar() const
    {
        QString conexion;
        ModGlobal::Inicializar(false, lanzamiento, conexion, 3);
        return gDB().gCnn.State() == ado::adStateOpen;
    }

    static QString linea(int secuencia, int asiento, const char* tc, const char* sucursal, const char* numero,
                         const char* letra, const char* cuenta, const char* lado, const char* importe,
                         const char* detalle, const char* extra = "")
    {
        return QStringLiteral("INSERT INTO MV_ASIENTOS (SECUENCIA, [NUMERO ASIENTO], MES_OPERATIVO, PERIODO, TIPO_REG, "
                              "FECHA, TC, SUCURSAL, NUMERO, LETRA, CUENTA, [DEBE-HABER], IMPORTE, DETALLE, UNEGOCIO%1) "
                              "VALUES (%2, %3, 3, 2026, 'N', '2026-03-05', '%4', '%5', '%6', '%7', '%8', '%9', %10, "
                              "'%11', '0001'%12)")
            .arg(QString::fromLatin1(*extra ? ", " : "") + QString::fromUtf8(extra).section(QLatin1Char('|'), 0, 0))
            .arg(secuencia)
            .arg(asiento)
            .arg(QString::fromLatin1(tc), QString::fromLatin1(sucursal), QString::fromLatin1(numero),
                 QString::fromLatin1(letra).replace(QLatin1Char('\''), QStringLiteral("''")), QString::fromLatin1(cuenta),
                 QString::fromLatin1(lado), QString::fromLatin1(importe),
                 QString::fromUtf8(detalle).replace(QLatin1Char('\''), QStringLiteral("''")))
            .arg(*extra ? QStringLiteral(", ") + QString::fromUtf8(extra).section(QLatin1Char('|'), 1) : QString());
    }

    static QStringList filas()
    {
        return {
            QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, Grupo) VALUES ('NOMBRE', 'Compañía <Demo> & "
                           "Asociados', 'GENERAL')"),
            QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador) VALUES ('admin', 1)"),
            QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, DESCRIPCION) VALUES ('FC', 'Factura'), ('CB', "
                           "'Recibo'), ('PG', 'Orden de Pago'), ('FCC', 'Factura de Compra'), ('AS', 'Asiento "
                           "Contable')"),
            QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('1101', 'Banco cuenta corriente'), "
                           "('1102', 'Caja'), ('1301', 'Deudores por ventas'), ('110401', 'IVA crédito fiscal'), "
                           "('110402', 'Retenciones sufridas'), ('2101', 'Proveedores'), ('210201', 'IVA débito "
                           "fiscal'), ('210202', 'Retenciones a depositar'), ('4101', 'Ventas'), ('5101', 'Gastos "
                           "bancarios')"),
            QStringLiteral("INSERT INTO MA_CUENTASADIC (CODIGO, contacto) VALUES ('1301', 'Ana Pérez')"),
            QStringLiteral("INSERT INTO V_TA_UNIDADNEGOCIO (codigo, descripcion) VALUES ('0001', 'Casa Central')"),
            QStringLiteral("INSERT INTO TA_CCOSTO (codigo, descripcion) VALUES ('ADM', 'Administración'), ('VEN', "
                           "'Ventas')"),
            QStringLiteral("INSERT INTO V_TA_BANCOS (IdBanco, DESCRIPCION) VALUES ('0011', 'Banco Nación')"),
            // The accounting voucher: two entries.
            linea(1, 10, "AS", "0001", "00000001", "X", "5101", "D", "100", "Gastos de marzo",
                  "CABCUENTA, TC_ORIGEN, CPTE_ORIGEN, LIVA_TIPO, LIVA_ImpNetoGrav, Liva_ImpIva, Liva_Total, liva_aliciva, "
                  "liva_aliciva2, LIVA_Ret_Perc|'2101', 'FCC', '000300002000A', 'Compras', 100, 21, 121, 21, 10.5, 0"),
            linea(2, 10, "AS", "0001", "00000001", "X", "110401", "d", "21", "IVA"),
            linea(3, 10, "AS", "0001", "00000001", "X", "1101", "H", "121.5", "Cheque",
                  "IDBANCO, NROCOMPROBANTEBANCARIO, VENCIMIENTO|'0011', 'CH123', '2026-04-05'"),
            linea(4, 11, "AS", "0001", "00000001", "X", "1102", "D", "5", "Caja"),
            linea(5, 11, "AS", "0001", "00000001", "X", "5101", "X", "5", "Ajuste"),
            QStringLiteral("INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, SECUENCIA, "
                           "Cuenta, CCosto, Porcentaje, Importe) VALUES (2026, 3, 10, 'N', 1, '5101', 'ADM', 60, 60), "
                           "(2026, 3, 10, 'N', 2, '5101', 'ZZZ', 40, 40)"),
            QStringLiteral("INSERT INTO V_MV_CPTEACCIONES (TC, IDCOMPROBANTE, IDCOMPLEMENTO, NUMEROASIENTO, TIPO_ACCION, "
                           "FECHAHORA, USUARIO, PC, SYSTEMUSER) VALUES ('AS', '000100000001X', 0, 10, 'A', '2026-03-05 "
                           "09:30:00', 'admin', 'PUESTO01', 'conta'), ('AS', '000100000001X', 0, 10, 'x', "
                           "'2026-03-06 00:00:00', 'operador', 'PUESTO02', NULL)"),
            // The sale.
            QStringLiteral("INSERT INTO V_MV_Cpte (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, NOMBRE, DOMICILIO, LOCALIDAD, "
                           "CODIGOPOSTAL, TELEFONO, COMENTARIOS, FECHA, UNEGOCIO, MATRICULA, importe, importe_s_iva, "
                           "porcdescuento1, impdescuento1, AlicIva, ImporteIva, AlicIva2, ImporteIva2) VALUES ('FC', "
                           "'000100000010A', 0, '1301', 'Cliente <Uno> & Hijos', 'Av. Córdoba 1234', 'Rosario', '2000', "
                           "'341-555', 'Entrega en depósito', '2026-03-05', '0001', 'AE123KL', 1234.5, 1020.25, 5, 51.01, "
                           "21, 214.25, 0, 0), ('FC', '000100000010A', 1, '1301', 'Otro complemento', NULL, NULL, NULL, "
                           "NULL, NULL, '2026-03-05', '0001', NULL, 1, 1, 0, 0, 0, 0, 0, 0)"),
            QStringLiteral("INSERT INTO V_MV_CPTEInsumos (TC, idcomprobante, idcomplemento, IDARTICULO, DESCRIPCION, "
                           "IDUNIDAD, CANTIDAD, IMPORTE, TOTAL, IMPORTEDTO) VALUES ('FC', '000100000010A', 0, ' ART 1 ', "
                           "' Tornillo <M6> ', 'UN', 10, 12.5, 118.75, 6.25), ('FC', '000100000010A', 1, 'ART9', "
                           "'No se muestra', 'UN', 1, 1, 1, 0)"),
            QStringLiteral("INSERT INTO V_MV_CPTETareas (TC, idcomprobante, idcomplemento, IDTAREA, DESCRIPCION, HORAS, "
                           "VALORHORA, TOTAL) VALUES ('FC', '000100000010A', 0, 'T1', 'Mano de obra', 90, 100, 150), "
                           "('FC', '000100000010A', 0, 'T2', 'Sin horas', NULL, 100, 0)"),
            QStringLiteral("INSERT INTO V_MV_CPTE_Observ (TC, idcomprobante, idcomplemento, TIPO_OBS, OBSERVACION, IMPORTE) "
                           "VALUES ('FC', '000100000010A', 0, ' ENTREGA ', 'Llamar antes & confirmar', 0)"),
            QStringLiteral("INSERT INTO V_MV_CPTEACCIONES (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_ACCION, FECHAHORA, "
                           "USUARIO, PC, SYSTEMUSER) VALUES ('FC', '000100000010A', 0, 'M', '2026-03-07 10:00:00', "
                           "'admin', 'PUESTO01', 'conta'), ('FC', '000100000010A', 1, 'B', '2026-03-08 10:00:00', "
                           "'admin', 'PUESTO01', 'conta')"),
            // The purchase.
            QStringLiteral("INSERT INTO C_MV_Cpte (CUENTA, TC, IDCOMPROBANTE, NOMBRE, DOMICILIO, LOCALIDAD, CODIGOPOSTAL, "
                           "TELEFONO, COMENTARIOS, FECHA, UNEGOCIO, importe, importe_s_iva, AlicIva, ImporteIva) VALUES "
                           "('2101', 'FCC', '000300002000A', 'O''Brien S.A.', 'Ruta 9 km 5', 'Funes', '2132', '341-777', "
                           "NULL, '2026-03-02', '0001', 121, 100, 21, 21)"),
            QStringLiteral("INSERT INTO C_mv_CPTEInsumos (CUENTA, TC, idcomprobante, IDARTICULO, DESCRIPCION, IDUNIDAD, "
                           "CANTIDAD, IMPORTE, TOTAL) VALUES ('2101', 'FCC', '000300002000A', 'ART2', 'Papel A4', 'CJ', 4, "
                           "25, 100)"),
            linea(6, 12, "FCC", "0003", "00002000", "A", "5101", "D", "100", "Factura de compra",
                  "CABCUENTA|'2101'"),
            linea(7, 12, "FCC", "0003", "00002000", "A", "110401", "D", "21", "IVA", "CABCUENTA|'2101'"),
            linea(8, 12, "FCC", "0003", "00002000", "A", "2101", "H", "121", "O'Brien", "CABCUENTA|'2101'"),
            QStringLiteral("INSERT INTO V_MV_CPTEACCIONES (TC, IDCOMPROBANTE, NUMEROASIENTO, TIPO_ACCION, FECHAHORA, "
                           "USUARIO, PC, SYSTEMUSER) VALUES ('FCC', '000300002000A', 12, 'A', '2026-03-02 08:00:00', "
                           "'admin', 'PUESTO01', 'conta'), ('FCC', '000300002000A', 99, 'M', '2026-03-09 08:00:00', "
                           "'admin', 'PUESTO01', 'conta')"),
            // The receipt (sales family) of the sale.
            QStringLiteral("INSERT INTO V_MV_Cpte (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, NOMBRE, COMENTARIOS, FECHA, "
                           "UNEGOCIO, importe, impdescuento1, impdescuento2, impdescuento3, impdescuento4, "
                           "RETIBR_Importe) VALUES ('CB', '000100000005X', 0, '1301', 'Cliente <Uno> & Hijos', 'Cancela "
                           "FC 10', '2026-03-15', '0001', 1234.5, 0, 0, 0, 0, 20.4)"),
            QStringLiteral("INSERT INTO MV_APLICACION (TC, SUCURSAL, NUMERO, LETRA, IDCOMPROBANTE, TCO_ORIGEN, "
                           "SUCURSAL_ORIGEN, NUMERO_ORIGEN, LETRA_ORIGEN, IDCOMPROBANTE_ORIGEN, IMPORTE) VALUES ('CB', "
                           "'0001', '00000005', 'X', '000100000005X', 'FC', '0001', '00000010', 'A', '000100000010A', "
                           "1234.5), ('PG', '0001', '00000087', 'X', '000100000087X', 'FCC', '0003', '00002000', 'A', "
                           "'000300002000A', 121)"),
            linea(9, 13, "CB", "0001", "00000005", "X", "1101", "D", "1214.1", "Cobro",
                  "IDBANCO, NROCOMPROBANTEBANCARIO, VENCIMIENTO|'0011', '555', '2026-03-20'"),
            linea(10, 13, "CB", "0001", "00000005", "X", "110402", "D", "20.4", "Retención"),
            linea(11, 13, "CB", "0001", "00000005", "X", "1301", "H", "1234.5", "Cliente"),
            // The payment (read from the sales family, as the workbench opens it) of the purchase.
            QStringLiteral("INSERT INTO V_MV_Cpte (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, NOMBRE, COMENTARIOS, FECHA, "
                           "UNEGOCIO, importe, impdescuento1, RETGAN_Importe) VALUES ('PG', '000100000087X', 0, '2101', "
                           "'O''Brien S.A.', 'Cancela FCC 2000', '2026-03-16', '0001', 121, NULL, 2)"),
            linea(12, 14, "PG", "0001", "00000087", "X", "2101", "D", "121", "Pago"),
            linea(13, 14, "PG", "0001", "00000087", "X", "1101", "H", "119", "Pago",
                  "IDBANCO, NROCOMPROBANTEBANCARIO|'0011', '30001'"),
            linea(14, 14, "PG", "0001", "00000087", "X", "210202", "H", "2", "Retención"),
            // The same payment as the purchase side keeps it.
            QStringLiteral("INSERT INTO C_MV_Cpte (CUENTA, TC, IDCOMPROBANTE, NOMBRE, COMENTARIOS, FECHA, UNEGOCIO, "
                           "importe, impdescuento1, impdescuento2, impdescuento3, impdescuento4, RETGAN_Importe) VALUES "
                           "('2101', 'PG', '000100000087X', 'O''Brien S.A.', 'Cancela FCC 2000', '2026-03-16', '0001', "
                           "121, 0, 0, 0, 0, 2)"),
            // A sale whose letter is an apostrophe.
            QStringLiteral("INSERT INTO V_MV_Cpte (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, NOMBRE, FECHA, importe) VALUES "
                           "('FC', '000100000099''', 0, '1301', 'Comilla', '2026-03-20', 10)"),
        };
    }
};
