// The report printer: reading selection and named formulas, the reconciliation report read from a real
// company file, the PDF it writes and opens, and the messages for what it cannot print.
#include "platform/suite/Reporte.h"
#include "platform/suite/ReporteConciliacion.h"
#include "platform/suite/Utilidades.h"

#include "platform/ado/Connection.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/DemoDatabase.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#ifdef CONC_HAS_QTPDF
#include <QPdfDocument>
#endif

using namespace suite;

namespace {

const QString kEmpresa = QStringLiteral("NombreEmpresa = 'Empresa Demo S.A.'");

// The selection formula exactly as the workbench's report key builds it.
QString seleccionDelBanco(const QString& numero)
{
    return QStringLiteral(" {MV_CONCILIACION.IDCONCILIACION} = '") + Utilidades::FormatoAncho(numero.trimmed(), 15)
           + QStringLiteral("' AND {MV_CONCILIACION.CONCILIADO} = TRUE");
}

QString textoDelPdf(const QString& archivo)
{
#ifdef CONC_HAS_QTPDF
    QPdfDocument pdf;
    if (pdf.load(archivo) != QPdfDocument::Error::None)
        return QStringLiteral("<no se pudo leer el PDF>");
    QString texto;
    for (int p = 0; p < pdf.pageCount(); ++p)
        texto += pdf.getAllText(p).text() + u'\n';
    return texto;
#else
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess p;
    p.start(pdftotext, {archivo, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
#endif
}

} // namespace

class TstReporte : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ado::Connection m_cn;

    QString carpetaNueva(const char* nombre) { return m_dir.filePath(QString::fromLatin1(nombre)); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
        QVERIFY(m_dir.isValid());
        const QString archivo = m_dir.filePath(QStringLiteral("empresa.db"));
        QString error;
        QVERIFY2(schema::CreateEmptyDatabase(archivo, &error), qPrintable(error));
        m_cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=sa;Pwd=;").arg(archivo));
        m_cn.Execute(QStringLiteral(
            "INSERT INTO MA_CUENTAS (Codigo, Descripcion, Titulo) VALUES ('1101', 'Banco cuenta corriente', 0)\n"
            "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, OBSERVACIONES, FECHADESDE, "
            "FECHAHASTA, UNEGOCIO, USUARIO, FINALIZADA) VALUES (1, 'CTA', '1101', '2026-03-31', "
            "'Extracto de marzo', '2026-03-01', '2026-03-31', '0001', 'operador', 1)\n"
            "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, FINALIZADA) "
            "VALUES (2, 'CTA', '1101', '2026-04-30', NULL)\n"
            "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
            "PERIODO, TIPO_REG, FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO, "
            "CONCILIADOCON) VALUES (1, '1101', 1, 3, 10, 2026, 'N', '2026-03-05', '2026-03-20', 'FAC', "
            "'0001000012341', 1234.5, 'Cobro cliente Pérez', 1, '7,8')\n"
            "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
            "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO, CONCILIADOCON) "
            "VALUES (1, '1101', 2, 3, 11, 2026, 'N', '2026-03-10', 'REC', '0001000000077', 250.125, "
            "'Pago O''Brien', 1, '9')\n"
            "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
            "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO) "
            "VALUES (1, '1101', 3, 3, 12, 2026, 'N', '2026-03-12', 'NCR', '0001000000099', 99.99, "
            "'Sin conciliar', 0)\n"
            "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
            "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO) "
            "VALUES (2, '1101', 4, 4, 13, 2026, 'N', '2026-04-02', 'FAC', '0002000000001', 555, "
            "'De otra conciliación', 1)"));
    }

    void cleanup() { Reporte::setAbridorDeDocumentos(nullptr); }

    void leerSeleccion_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("esperadas");   // "tabla.campo=tipo:valor"; empty with ok false: refused
        QTest::addColumn<bool>("ok");
        QTest::newRow("la del banco") << seleccionDelBanco(" 12 ")
                                      << QStringList{"MV_CONCILIACION.IDCONCILIACION=s:             12",
                                                     "MV_CONCILIACION.CONCILIADO=b:true"}
                                      << true;
        QTest::newRow("minusculas") << "{T.a} = 'x' and {T.b} = false"
                                    << QStringList{"T.a=s:x", "T.b=b:false"} << true;
        QTest::newRow("comilla doblada") << "{T.CONCEPTO}='Pago O''Brien'" << QStringList{"T.CONCEPTO=s:Pago O'Brien"}
                                         << true;
        QTest::newRow("numero y campo con blanco") << "{T.NUMERO ASIENTO} = -12.5"
                                                   << QStringList{"T.NUMERO ASIENTO=c:-12.5"} << true;
        QTest::newRow("vacia") << "   " << QStringList{} << true;
        QTest::newRow("OR") << "{T.a} = 1 OR {T.b} = 2" << QStringList{} << false;
        QTest::newRow("sin cerrar comilla") << "{T.a} = 'x" << QStringList{} << false;
        QTest::newRow("sin llave") << "T.a = 1" << QStringList{} << false;
        QTest::newRow("sin tabla") << "{a} = 1" << QStringList{} << false;
        QTest::newRow("otro operador") << "{T.a} > 1" << QStringList{} << false;
        QTest::newRow("nombre con corchete") << "{T.a] = 1; DROP TABLE x; [b} = 1" << QStringList{} << false;
        QTest::newRow("palabra suelta") << "{T.a} = 'x' ANDY" << QStringList{} << false;
        QTest::newRow("AND al final") << "{T.a} = 'x' AND" << QStringList{} << false;
        QTest::newRow("valor que no es") << "{T.a} = x1" << QStringList{} << false;
    }
    void leerSeleccion()
    {
        QFETCH(QString, formula);
        QFETCH(QStringList, esperadas);
        QFETCH(bool, ok);
        const auto leidas = LeerSeleccion(formula);
        QCOMPARE(leidas.has_value(), ok);
        if (!ok)
            return;
        QStringList obtenidas;
        for (const CondicionSeleccion& c : *leidas) {
            const char tipo = c.valor.type() == ado::VarType::String    ? 's'
                              : c.valor.type() == ado::VarType::Boolean ? 'b'
                              : c.valor.type() == ado::VarType::Currency ? 'c'
                                                                         : '?';
            const QString valor = tipo == 'b' ? (c.valor.toBool() ? "true" : "false") : c.valor.toString();
            obtenidas << QStringLiteral("%1.%2=%3:%4").arg(c.tabla, c.campo, QString(QLatin1Char(tipo)), valor);
        }
        QCOMPARE(obtenidas, esperadas);
    }

    void leerFormula_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("nombre");   // "" : refused
        QTest::addColumn<QString>("valor");
        QTest::newRow("empresa") << kEmpresa << "NombreEmpresa" << "Empresa Demo S.A.";
        QTest::newRow("clave que falta") << "NombreEmpresa = ' '" << "NombreEmpresa" << " ";
        QTest::newRow("comilla en el nombre") << "NombreEmpresa = 'O'Brien & Cía'" << "NombreEmpresa" << "O'Brien & Cía";
        QTest::newRow("sin comillas") << "Copias = 2" << "Copias" << "2";
        QTest::newRow("sin igual") << "NombreEmpresa" << "" << "";
        QTest::newRow("sin nombre") << " = 'x'" << "" << "";
    }
    void leerFormula()
    {
        QFETCH(QString, formula);
        QFETCH(QString, nombre);
        QFETCH(QString, valor);
        const auto f = LeerFormula(formula);
        QCOMPARE(f.has_value(), !nombre.isEmpty());
        if (f) {
            QCOMPARE(f->nombre, nombre);
            QCOMPARE(f->valor, valor);
        }
    }

    void importes_data()
    {
        QTest::addColumn<QString>("importe");
        QTest::addColumn<QString>("texto");
        QTest::newRow("miles") << "1234.5" << "1.234,50";
        QTest::newRow("mitad hacia arriba") << "250.125" << "250,13";
        QTest::newRow("negativo") << "-1234567.125" << "-1.234.567,13";
        QTest::newRow("negativo que redondea a cero") << "-0.004" << "0,00";
        QTest::newRow("cero") << "0" << "0,00";
    }
    void importes()
    {
        QFETCH(QString, importe);
        QFETCH(QString, texto);
        QCOMPARE(ImporteReporte(*ado::Currency::parse(importe)), texto);
    }

    void leeLaConciliacionSeleccionada()
    {
        const DatosConciliacion d = LeerConciliacion(m_cn, *LeerSeleccion(seleccionDelBanco("1")),
                                                     {{"NOMBREEMPRESA", "Empresa Demo S.A."}});
        QCOMPARE(d.empresa, QString("Empresa Demo S.A."));
        QCOMPARE(d.encabezado.numero, QString("1"));
        QCOMPARE(d.encabezado.cuenta, QString("1101"));
        QCOMPARE(d.encabezado.descripcionCuenta, QString("Banco cuenta corriente"));
        QCOMPARE(d.encabezado.desde, QString("01/03/2026"));
        QCOMPARE(d.encabezado.hasta, QString("31/03/2026"));
        QCOMPARE(d.encabezado.observaciones, QString("Extracto de marzo"));
        QVERIFY(d.encabezado.finalizada);
        QCOMPARE(d.lineas.size(), 2);   // the unmarked line and the other reconciliation's stay out
        QCOMPARE(d.lineas.at(0).comprobante, QString("0001000012341"));
        QCOMPARE(d.lineas.at(0).vencimiento, QString("20/03/2026"));
        QCOMPARE(d.lineas.at(0).conciliadoCon, QString("7,8"));
        QCOMPARE(d.lineas.at(1).concepto, QString("Pago O'Brien"));
        QCOMPARE(d.total(), *ado::Currency::parse("1484.625"));

        const DatosConciliacion otra = LeerConciliacion(m_cn, *LeerSeleccion(seleccionDelBanco("2")), {});
        QVERIFY(!otra.encabezado.finalizada);   // a Null FINALIZADA is an open one
        QCOMPARE(otra.lineas.size(), 1);
    }

    void unTextoConComillaSeleccionaSinRomperLaSentencia()
    {
        const auto sel = LeerSeleccion("{MV_CONCILIACION.IDCONCILIACION} = '1' AND "
                                       "{MV_CONCILIACION.CONCEPTO} = 'Pago O''Brien'");
        QVERIFY(sel);
        const DatosConciliacion d = LeerConciliacion(m_cn, *sel, {});
        QCOMPARE(d.lineas.size(), 1);
        QCOMPARE(d.lineas.at(0).comprobante, QString("0001000000077"));
    }

    void elDocumentoMuestraEncabezadoYLineas()
    {
        DatosConciliacion d = LeerConciliacion(m_cn, *LeerSeleccion(seleccionDelBanco("1")), {});
        d.empresa = "Pérez <b>&</b> Hijos";
        QTextDocument doc;
        doc.setHtml(HtmlConciliacion(d, OpcionesDocumento{}, QDateTime(QDate(2026, 4, 1), QTime(9, 30))));
        const QString texto = doc.toPlainText();
        for (const char* parte : {"Pérez <b>&</b> Hijos", "Conciliación de Cuentas Nro: 1", "1101 - Banco cuenta corriente",
                                  "01/03/2026 - 31/03/2026", "Extracto de marzo", "Finalizada", "0001000012341",
                                  "Cobro cliente Pérez", "1.234,50", "0001000000077", "Pago O'Brien", "250,13",
                                  "1.484,63", "Total (2 movimientos)"})
            QVERIFY2(texto.contains(QString::fromUtf8(parte)), parte);
        QVERIFY(!texto.contains("0001000000099"));
        QVERIFY(!texto.contains("Impreso el"));

        doc.setHtml(HtmlConciliacion(d, OpcionesDocumento{true, true, 25}, QDateTime(QDate(2026, 4, 1), QTime(9, 30))));
        QVERIFY(doc.toPlainText().contains("Impreso el 01/04/2026 09:30"));
    }

    void imprimeUnPdfYLoAbre()
    {
        Reporte r;
        r.Carpeta = carpetaNueva("reportes");   // made when missing
        r.setConexion(&m_cn);
        QStringList abiertos;
        Reporte::setAbridorDeDocumentos([&](const QString& f) { abiertos << f; });
        ui::ScriptedDialogs dialogos;

        const QString archivo = r.Imprimir("Brenquil", QStringList{"", ""}, seleccionDelBanco(" 1 "),
                                           "DSN=empresa; UID=sa; PWD=", kEmpresa, {}, {}, {}, {}, "", "", "");
        QVERIFY(dialogos.verifyDone());
        QCOMPARE(archivo, r.Carpeta + "/Brenquil.pdf");
        QCOMPARE(abiertos, QStringList{archivo});
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));

        const QString texto = textoDelPdf(archivo);
        if (texto.isEmpty())
            qInfo("No PDF text reader here: the document's text is checked before it is written only.");
        else
            for (const char* parte : {"Empresa Demo S.A.", "0001000012341", "0001000000077", "1.234,50", "1.484,63"})
                QVERIFY2(texto.contains(QString::fromUtf8(parte)), qPrintable(QString::fromUtf8(parte) + " in " + texto));
        if (!texto.isEmpty())
            QVERIFY(!texto.contains("0001000000099"));

        r.VistaPrevia = false;
        QCOMPARE(r.Imprimir("brenquil", {}, seleccionDelBanco("2"), {}, kEmpresa), archivo);
        QCOMPARE(abiertos.size(), 1);
    }

    void loQueNoPuedeImprimirSeLoDice_data()
    {
        QTest::addColumn<QString>("reporte");
        QTest::addColumn<QString>("seleccion");
        QTest::addColumn<QString>("empresa");
        QTest::addColumn<QString>("mensaje");
        const QString ok = seleccionDelBanco("1");
        QTest::newRow("otro reporte") << "Balance" << ok << kEmpresa << "No existe el reporte \"Balance\".";
        QTest::newRow("seleccion ilegible") << "Brenquil" << "{MV_CONCILIACION.IDCONCILIACION} = 1 OR 1 = 1"
                                            << kEmpresa << "No se entiende la fórmula de selección";
        QTest::newRow("numero sin encabezado") << "Brenquil" << seleccionDelBanco("99") << kEmpresa
                                               << "No existe la conciliación Nro: 99";
        QTest::newRow("campo desconocido") << "Brenquil" << ok + " AND {MV_CONCILIACION.NOEXISTE} = 1" << kEmpresa
                                           << "El reporte no conoce el campo MV_CONCILIACION.NOEXISTE.";
        QTest::newRow("tabla desconocida") << "Brenquil" << ok + " AND {MA_USUARIOS.NOMBRE} = 'x'" << kEmpresa
                                           << "El reporte no conoce la tabla MA_USUARIOS.";
        QTest::newRow("sin numero") << "Brenquil" << "{MV_CONCILIACION.CONCILIADO} = TRUE" << kEmpresa
                                    << "La selección del reporte no indica la conciliación.";
        QTest::newRow("formula sin igual") << "Brenquil" << ok << "NombreEmpresa" << "No se entiende la fórmula del reporte";
    }
    void loQueNoPuedeImprimirSeLoDice()
    {
        QFETCH(QString, reporte);
        QFETCH(QString, seleccion);
        QFETCH(QString, empresa);
        QFETCH(QString, mensaje);
        Reporte r;
        r.Carpeta = carpetaNueva(QTest::currentDataTag());
        r.setConexion(&m_cn);
        bool abierto = false;
        Reporte::setAbridorDeDocumentos([&](const QString&) { abierto = true; });
        ui::ScriptedDialogs dialogos;
        dialogos.expectMsgBox(ui::vbOK).containing(mensaje).withStyle(ui::vbCritical);
        QCOMPARE(r.Imprimir(reporte, {"", ""}, seleccion, {}, empresa), QString());
        QVERIFY(dialogos.verifyDone());
        QVERIFY(!abierto);
        QVERIFY(!QFile::exists(r.Carpeta + "/Brenquil.pdf"));
    }

    void sinConexionOCarpetaNoHayDocumento()
    {
        Reporte r;
        r.Carpeta = carpetaNueva("sin-conexion");
        ui::ScriptedDialogs dialogos;
        dialogos.expectMsgBox(ui::vbOK).containing("no tiene conexión");
        QCOMPARE(r.Imprimir("Brenquil", {}, seleccionDelBanco("1"), {}, kEmpresa), QString());

        // A folder that cannot be made (a file stands in its place).
        QFile estorbo(carpetaNueva("un-archivo"));
        QVERIFY(estorbo.open(QIODevice::WriteOnly));
        estorbo.close();
        r.Carpeta = estorbo.fileName();
        r.setConexion(&m_cn);
        dialogos.expectMsgBox(ui::vbOK).containing("No se puede crear la carpeta");
        QCOMPARE(r.Imprimir("Brenquil", {}, seleccionDelBanco("1"), {}, kEmpresa), QString());
        QVERIFY(dialogos.verifyDone());
    }
};

QTEST_MAIN(TstReporte)
#include "tst_suite_reporte.moc"
