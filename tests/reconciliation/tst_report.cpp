// The reconciliation report "Brenquil": what it reads through the store from a real company file (the
// header, the marked left lines of the one reconciliation, in date order, and their total), its document,
// the messages for what it cannot print, and REPORTE on the workbench showing the saved reconciliation in
// the preview.

#include "VentanaDePrueba.h"

#include "core/Globals.h"
#include "platform/suite/Brakmo.h"
#include "platform/suite/EscapeEnProgreso.h"
#include "platform/suite/PalabrasPdf.h"
#include "platform/suite/PaginasReporte.h"
#include "platform/suite/Progreso.h"
#include "platform/suite/Reporte.h"
#include "platform/suite/ReportesRegistrados.h"
#include "platform/suite/Utilidades.h"
#include "reconciliation/ReporteConciliacion.h"
#include "reconciliation/engine/Store.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTextDocument>

using namespace conciliacion;

namespace {

const QString kEmpresa = QStringLiteral("NombreEmpresa = 'Empresa Demo S.A.'");

// The selection formula as the workbench builds it.
QString seleccionDelBanco(const QString& numero)
{
    return QStringLiteral(" {MV_CONCILIACION.IDCONCILIACION} = '")
           + suite::Utilidades::FormatoAncho(numero.trimmed(), 15) + QStringLiteral("' AND {MV_CONCILIACION.CONCILIADO} = TRUE");
}

QList<suite::CondicionSeleccion> seleccion(const QString& formula)
{
    const auto leida = suite::LeerSeleccion(formula);
    return leida ? *leida : QList<suite::CondicionSeleccion>{};
}

// Reconciliations 71 (finalized, two marked lines and an unmarked one) and 72 (open, one marked line).
void grabarConciliaciones()
{
    EmpresaDePrueba::ejecutar(QStringLiteral(
        "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, OBSERVACIONES, FECHADESDE, "
        "FECHAHASTA, UNEGOCIO, USUARIO, FINALIZADA) VALUES ('             71', 'CTA', '1101', '2026-03-31', "
        "'Extracto de marzo', '2026-03-01', '2026-03-31', '0001', 'operador', 1)"));
    EmpresaDePrueba::ejecutar(QStringLiteral(
        "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, FINALIZADA) "
        "VALUES ('             72', 'CTA', '1101', '2026-04-30', NULL)"));
    // Stored out of date order: the report lists them by date.
    EmpresaDePrueba::ejecutar(QStringLiteral(
        "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
        "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO, CONCILIADOCON) "
        "VALUES ('             71', '1101', 2, 3, 11, 2026, 'N', '2026-03-10', 'REC', '0001000000077', 250.125, "
        "'Pago O''Brien', 1, '9')"));
    EmpresaDePrueba::ejecutar(QStringLiteral(
        "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
        "PERIODO, TIPO_REG, FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO, "
        "CONCILIADOCON) VALUES ('             71', '1101', 1, 3, 10, 2026, 'N', '2026-03-05', '2026-03-20', 'FAC', "
        "'0001000012341', 1234.5, 'Cobro cliente Pérez', 1, '7,8')"));
    EmpresaDePrueba::ejecutar(QStringLiteral(
        "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
        "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO) "
        "VALUES ('             71', '1101', 3, 3, 12, 2026, 'N', '2026-03-12', 'NCR', '0001000000099', 99.99, "
        "'Sin conciliar', 0)"));
    EmpresaDePrueba::ejecutar(QStringLiteral(
        "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
        "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO) "
        "VALUES ('             72', '1101', 4, 4, 13, 2026, 'N', '2026-04-02', 'FAC', '0002000000001', 555, "
        "'De otra conciliación', 1)"));
}

// A reconciliation as the demo's: seven lines of realistic length whose total takes seven figures
// (1.381.651,71).
DatosReporte conciliacionDeSieteLineas()
{
    DatosReporte d;
    d.cabecera.numero = 1;
    d.cabecera.cuenta = QStringLiteral("1101");
    d.cabecera.fecha = QStringLiteral("31/03/2026");
    d.cabecera.fechaDesde = QStringLiteral("01/03/2026");
    d.cabecera.fechaHasta = QStringLiteral("31/03/2026");
    d.cabecera.observaciones = QStringLiteral("Extracto bancario de marzo");
    d.descripcionCuenta = QStringLiteral("Banco cuenta corriente");
    const struct {
        const char* fecha;
        const char* tc;
        const char* comprobante;
        const char* concepto;
        const char* importe;
        const char* socios;
    } lineas[] = {
        {"03/03/2026", "FC", "000100001217A", "Cobro Distribuidora del Norte S.R.L. factura 0001-00001217", "987654.32", "1201,1202"},
        {"05/03/2026", "CB", "000100000345X", "Recibo Ferretería Industrial Pérez Hnos.", "123456.78", "1203"},
        {"09/03/2026", "FC", "000100001230A", "Cobro Supermercados La Económica S.A.", "98765.43", "1204"},
        {"12/03/2026", "ND", "000200000012A", "Nota de débito por intereses de mora", "45678.90", "1205"},
        {"18/03/2026", "CB", "000100000351X", "Recibo Transportes del Litoral S.A. cuota 3 de 12", "76543.21", "1206,1207,1208"},
        {"24/03/2026", "FC", "000100001244B", "Cobro Consultora Gómez & Asociados", "34567.89", "1209"},
        {"30/03/2026", "CB", "000100000360X", "Recibo Cooperativa Agrícola Santa Rosa Ltda.", "14985.18", "1210"},
    };
    for (const auto& l : lineas)
        d.lineas.append({QString::fromLatin1(l.fecha), QString(), QString::fromLatin1(l.tc),
                         QString::fromLatin1(l.comprobante), QString::fromUtf8(l.concepto),
                         *ado::Currency::parse(QLatin1String(l.importe)), QString::fromLatin1(l.socios)});
    return d;
}

} // namespace

class TstReport : public VentanaDePrueba {
    Q_OBJECT

    void alAbrir() override
    {
        grabarConciliaciones();
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    }
    void alCerrar() override { QLocale::setDefault(QLocale::c()); }

private slots:
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

    void leeLaConciliacionSeleccionada_data()
    {
        QTest::addColumn<bool>("administrador");   // the others read through the SS_ views
        QTest::newRow("administrador") << true;
        QTest::newRow("operador") << false;
    }
    void leeLaConciliacionSeleccionada()
    {
        QFETCH(bool, administrador);
        ReconciliationStore store(gDB().gCnn, administrador, conciliacion::EntornoPrograma());
        const DatosReporte d = LeerConciliacion(store, seleccion(seleccionDelBanco("71")));
        QCOMPARE(d.cabecera.numero, 71);
        QCOMPARE(d.cabecera.cuenta.trimmed(), QString("1101"));
        QCOMPARE(d.descripcionCuenta, QString("Banco cuenta corriente"));
        QCOMPARE(d.cabecera.fechaDesde, QString("01/03/2026"));
        QCOMPARE(d.cabecera.fechaHasta, QString("31/03/2026"));
        QCOMPARE(d.cabecera.observaciones, QString("Extracto de marzo"));
        QVERIFY(d.cabecera.finalizada);
        QCOMPARE(d.lineas.size(), 2);   // the unmarked line and the other reconciliation's stay out
        QCOMPARE(d.lineas.at(0).comprobante, QString("0001000012341"));
        QCOMPARE(d.lineas.at(0).fecha, QString("05/03/2026"));
        QCOMPARE(d.lineas.at(0).vencimiento, QString("20/03/2026"));
        QCOMPARE(d.lineas.at(0).conciliadoCon, QString("7,8"));
        QCOMPARE(d.lineas.at(1).concepto, QString("Pago O'Brien"));
        QCOMPARE(d.total(), *ado::Currency::parse("1484.625"));

        const DatosReporte otra = LeerConciliacion(store, seleccion(seleccionDelBanco("72")));
        QVERIFY(!otra.cabecera.finalizada);   // a Null FINALIZADA is an open one
        QCOMPARE(otra.lineas.size(), 1);
        QCOMPARE(otra.lineas.at(0).concepto, QString("De otra conciliación"));
    }

    void condicionesDeLineasYDeCabecera()
    {
        ReconciliationStore store(gDB().gCnn, true, conciliacion::EntornoPrograma());
        // A text with a quote selects without breaking the statement.
        const DatosReporte d = LeerConciliacion(
            store, seleccion("{MV_CONCILIACION.IDCONCILIACION} = '71' AND {MV_CONCILIACION.CONCEPTO} = 'Pago O''Brien'"));
        QCOMPARE(d.lineas.size(), 1);
        QCOMPARE(d.lineas.at(0).comprobante, QString("0001000000077"));
        // The unmarked lines alone.
        const DatosReporte sinMarca = LeerConciliacion(
            store, seleccion("{MV_CONCILIACION.IDCONCILIACION} = '71' AND {MV_CONCILIACION.CONCILIADO} = false"));
        QCOMPARE(sinMarca.lineas.size(), 1);
        QCOMPARE(sinMarca.lineas.at(0).concepto, QString("Sin conciliar"));
        // A header condition it meets, and one it does not.
        QCOMPARE(LeerConciliacion(store, seleccion("{MV_CONCILIACION.IDCONCILIACION} = '71' AND "
                                                   "{MV_CONCILIACION_CAB.CUENTA} = '1101'"))
                     .lineas.size(),
                 3);
        try {
            LeerConciliacion(store, seleccion("{MV_CONCILIACION.IDCONCILIACION} = '71' AND "
                                              "{MV_CONCILIACION_CAB.CUENTA} = '1102'"));
            QFAIL("a header its condition leaves out was read");
        } catch (const suite::ErrorReporte& e) {
            QCOMPARE(e.mensaje(), QString("No existe la conciliación Nro: 71"));
        }
    }

    void elDocumentoMuestraEncabezadoYLineas()
    {
        ReconciliationStore store(gDB().gCnn, true, conciliacion::EntornoPrograma());
        const DatosReporte d = LeerConciliacion(store, seleccion(seleccionDelBanco("71")));
        QTextDocument doc;
        doc.setHtml(HtmlConciliacion(d, "Pérez <b>&</b> Hijos", suite::OpcionesDocumento{},
                                     QDateTime(QDate(2026, 4, 1), QTime(9, 30))));
        const QString texto = doc.toPlainText();
        for (const char* parte : {"Pérez <b>&</b> Hijos", "Conciliación de Cuentas Nro: 71", "1101 - Banco cuenta corriente",
                                  "01/03/2026 - 31/03/2026", "Extracto de marzo", "Finalizada", "0001000012341",
                                  "Cobro cliente Pérez", "1.234,50", "0001000000077", "Pago O'Brien", "250,13",
                                  "1.484,63", "Total (2 movimientos)"})
            QVERIFY2(texto.contains(QString::fromUtf8(parte)), parte);
        QVERIFY(texto.indexOf("0001000012341") < texto.indexOf("0001000000077"));   // date order
        QVERIFY(!texto.contains("0001000000099"));
        QVERIFY(!texto.contains("Impreso el"));

        doc.setHtml(HtmlConciliacion(d, "x", suite::OpcionesDocumento{true, true, 25},
                                     QDateTime(QDate(2026, 4, 1), QTime(9, 30))));
        QVERIFY(doc.toPlainText().contains("Impreso el 01/04/2026 09:30"));
    }

    // Thousands of lines linked each to each: every row names its first partners and how many more, so the page
    // stays small; and the operator can stop the report while it is built.
    void milesDeLineasCadaUnaConCadaUna()
    {
        constexpr int n = 3000;
        QStringList todos;
        for (int i = 1; i <= n; ++i)
            todos << QString::number(100000 + i);
        DatosReporte d;
        d.cabecera.numero = 5;
        for (int i = 0; i < n; ++i)
            d.lineas.append({"01/03/2026", "", "AS", "0001000000001", "Linea", ado::Currency::fromLong(1), todos.join(',')});
        const QString html = HtmlConciliacion(d, "x", suite::OpcionesDocumento{});
        const QString resto = QStringLiteral("(y %1 más)").arg(QLocale().toString(qint64(n - kSociosEnReporte)));
        QCOMPARE(html.count(resto), n);
        QVERIFY(!html.contains("100011"));   // the eleventh partner
        QVERIFY2(html.size() < n * 400, qPrintable(QString::number(html.size())));

        qsizetype llamadas = 0;
        try {
            HtmlConciliacion(d, "x", suite::OpcionesDocumento{}, {}, [&](qsizetype hechas, qsizetype total) {
                ++llamadas;
                return hechas == 100 && total == n;
            });
            QFAIL("a cancelled report was built whole");
        } catch (const suite::ErrorReporte& e) {
            QCOMPARE(e.mensaje(), QString("Reporte cancelado."));
        }
        QCOMPARE(llamadas, qsizetype(101));
        // A short list is shown whole, its IDs apart so that the cell may wrap.
        QCOMPARE(ConciliadoConAcotado("7,8,9"), QString("7, 8, 9"));
    }

    // The printed reconciliation reads as a document: seven lines on one page, each amount and the total on one
    // line of its own, each concept too while the page has room for it; a concept longer than that wraps in its
    // column, and still nothing goes past the margin.
    void laConciliacionImpresaSeLeeComoDocumento_data()
    {
        QTest::addColumn<int>("repetir");   // how many times each concept says itself
        QTest::addColumn<int>("paginas");
        QTest::newRow("the demo's") << 1 << 1;
        QTest::newRow("concepts longer than the page") << 6 << 2;
    }
    void laConciliacionImpresaSeLeeComoDocumento()
    {
        QFETCH(int, repetir);
        QFETCH(int, paginas);
        DatosReporte d = conciliacionDeSieteLineas();
        for (LineaReporte& l : d.lineas)
            l.concepto = QStringList(repetir, l.concepto).join(QLatin1Char(' '));
        QCOMPARE(ImporteReporte(d.total()), QString("1.381.651,71"));
        const suite::OpcionesDocumento opciones{true, false, 25};
        const suite::PaginasReporte hojas(ContenidoConciliacion(d, "Empresa Demo S.A.", opciones), opciones);
        QCOMPARE(hojas.Cantidad(), paginas);
        const QStringList renglones = hojas.Renglones();
        QVERIFY2(renglones.contains("1.381.651,71"), qPrintable(renglones.join(" | ")));
        QVERIFY(renglones.contains("Total (7 movimientos)"));
        for (const LineaReporte& l : d.lineas) {
            QVERIFY2(renglones.contains(ImporteReporte(l.importe)), qPrintable(ImporteReporte(l.importe)));
            QCOMPARE(renglones.contains(l.concepto), repetir == 1);
            QVERIFY(renglones.contains(l.comprobante));
        }

        // The saved PDF, as a person reads it: its pages, the total beside its label, nothing past the margin.
        if (!HayLectorDePdf())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's pages cannot be read here.");
        QTemporaryDir carpeta;
        const QString archivo = carpeta.filePath("Brenquil.pdf");
        suite::EscribirPdf(hojas, archivo, "Brenquil", opciones);
        const QList<QList<PalabraPdf>> pdf = palabrasDelPdf(archivo);
        QCOMPARE(pdf.size(), paginas);
        for (const QList<PalabraPdf>& pagina : pdf) {
            const QString fuera = FueraDelMargen(pagina, kA4Apaisado, 25);
            QVERIFY2(fuera.isEmpty(), qPrintable(fuera));
        }
        const QList<PalabraPdf>& ultima = pdf.last();
        const auto palabra = [&](const QString& texto) {
            return *std::find_if(ultima.begin(), ultima.end(), [&](const PalabraPdf& w) { return w.texto == texto; });
        };
        const PalabraPdf total = palabra("1.381.651,71");
        QCOMPARE(total.texto, QString("1.381.651,71"));
        QVERIFY(qAbs(total.caja.top() - palabra("movimientos)").caja.top()) < 1);
    }

    void loQueNoPuedeImprimirSeLoDice_data()
    {
        QTest::addColumn<QString>("seleccion");
        QTest::addColumn<QString>("mensaje");
        const QString ok = seleccionDelBanco("71");
        QTest::newRow("numero sin encabezado") << seleccionDelBanco("99") << "No existe la conciliación Nro: 99";
        QTest::newRow("campo desconocido") << ok + " AND {MV_CONCILIACION.NOEXISTE} = 1"
                                           << "El reporte no conoce el campo MV_CONCILIACION.NOEXISTE.";
        QTest::newRow("campo de cabecera desconocido") << ok + " AND {MV_CONCILIACION_CAB.NOEXISTE} = 1"
                                                       << "El reporte no conoce el campo MV_CONCILIACION_CAB.NOEXISTE.";
        QTest::newRow("tabla desconocida") << ok + " AND {MA_USUARIOS.NOMBRE} = 'x'"
                                           << "El reporte no conoce la tabla MA_USUARIOS.";
        QTest::newRow("sin numero") << "{MV_CONCILIACION.CONCILIADO} = TRUE"
                                    << "La selección del reporte no indica la conciliación.";
    }
    void loQueNoPuedeImprimirSeLoDice()
    {
        QFETCH(QString, seleccion);
        QFETCH(QString, mensaje);
        RegistrarReporteConciliacion();
        suite::Reporte r;
        r.setConexion(&gDB().gCnn);
        suite::ReportesRegistrados mostrados;
        ui::ScriptedDialogs dialogos;
        dialogos.expectMsgBox(ui::vbOK).withText(mensaje).withStyle(ui::vbCritical).withTitle("Brenquil");
        QVERIFY(!r.Imprimir("Brenquil", {"", ""}, seleccion, {}, kEmpresa));
        QVERIFY(dialogos.verifyDone());
        QVERIFY(mostrados.documentos().isEmpty());
    }

    // The operator reconciles March, then uses the bar's REPORTE: the preview shows the saved reconciliation.
    void reporteMuestraLaConciliacionEnLaVistaPrevia()
    {
        QLocale::setDefault(QLocale::c());
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        suite::ReportesRegistrados mostrados;
        QAction* reporte = w->Brakmo1->Boton(QStringLiteral("REPORTE"));
        QVERIFY(reporte);
        QVERIFY(reporte->isEnabled());
        reporte->trigger();
        QVERIFY(d.verifyDone());
        QCOMPARE(mostrados.documentos().size(), 1);
        const suite::DocumentoReporte& doc = mostrados.documentos().at(0);
        QCOMPARE(doc.titulo, QString("Brenquil"));
        QVERIFY(doc.vistaPrevia);
        QVERIFY(doc.opciones.apaisado);
        QVERIFY(!doc.opciones.fechaImpresion);
        const QString texto = mostrados.texto(0);
        for (const QString& parte :
             {QStringLiteral("Empresa Demo"), QStringLiteral("Conciliación de Cuentas Nro: 1"),
              QStringLiteral("1101 - Banco cuenta corriente"), QStringLiteral("01/03/2026 - 31/03/2026"),
              QStringLiteral("Marzo"), kD1, kD2, QStringLiteral("05/03/2026"), QStringLiteral("100.00"),
              QStringLiteral("250.00"), QStringLiteral("Total (2 movimientos)"), QStringLiteral("350.00")})
            QVERIFY2(texto.contains(parte), qPrintable(parte + QStringLiteral(" in ") + texto));
        QVERIFY(!texto.contains(kD3));   // not reconciled
        QVERIFY(!texto.contains(kC1));   // the right side is not part of it
        QCOMPARE(ModGlobal::gReporte().Margen, 25);
        // Printing saves nothing and leaves the reconciliation on screen.
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("1"));
    }

    // REPORTE on reconciliation 80, 1,500 lines linked each to each with 1,500 others: the operator presses Escape
    // on the report's progress window while the lines are read, or while the pages are laid out. No preview,
    // "Reporte cancelado.", the progress window gone; meanwhile the workbench took no command, and afterwards
    // it does: the next REPORTE shows every line.
    void reporteSeCancelaConEscape_data()
    {
        QTest::addColumn<QString>("etapa");
        QTest::newRow("al leer los movimientos") << "Leyendo los movimientos";
        QTest::newRow("al armar las páginas") << suite::PaginasReporte::kEtapaPaginas;
    }
    void reporteSeCancelaConEscape()
    {
        QFETCH(QString, etapa);
        QLocale::setDefault(QLocale::c());
        constexpr int kLineas = 1500;
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, FECHADESDE, FECHAHASTA, FINALIZADA) "
            "VALUES ('             80', 'CTA', '1101', '2026-03-31', '2026-03-01', '2026-03-31', 1)"));
        EmpresaDePrueba::ejecutar(QStringLiteral(
            "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
            "TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADO, CONCILIADOCON) WITH RECURSIVE "
            "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1), "
            "socios(i, lista) AS (SELECT 1, '500001' UNION ALL SELECT i + 1, lista || ',' || (500001 + i) FROM socios "
            "WHERE i < %1) SELECT '             80', '1101', 1000 + i, 3, 1000 + i, 2026, 'N', '2026-03-05', 'FC', "
            "'000100000010A', 1, 'Linea ' || i, 1, (SELECT lista FROM socios WHERE i = %1) FROM n")
                                      .arg(kLineas));
        w->Show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("finalizada"));
        confirmar(*w, "IdConciliacion", QStringLiteral("80"));
        QVERIFY(d.verifyDone());
        w->Lvw->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->Lvw));
        suite::ReportesRegistrados mostrados;
        suite::Progreso& progreso = ModGlobal::gProgreso();

        d.expectMsgBox(ui::vbOK).withText(suite::kMensajeReporteCancelado).withStyle(ui::vbCritical);
        {
            EscapeEnProgreso escape(progreso, etapa, etapa == suite::PaginasReporte::kEtapaPaginas);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
            QVERIFY(escape.Pulsada());
            QVERIFY(!escape.Forzada());
            QCOMPARE(escape.ModalAlPulsar(), static_cast<QWidget*>(&progreso));
        }
        QVERIFY(d.verifyDone());
        QVERIFY(mostrados.documentos().isEmpty());
        QVERIFY(!progreso.isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(w.get()));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QVERIFY(d.verifyDone());
        QCOMPARE(mostrados.documentos().size(), 1);
        const QString paginas = mostrados.documentos().at(0).paginas->Texto();
        QVERIFY(paginas.contains(QStringLiteral("Linea 1500")));
        QVERIFY(paginas.contains(QStringLiteral("Total (1500 movimientos)")));
        QVERIFY(paginas.contains(QStringLiteral("(y %1 más)").arg(kLineas - kSociosEnReporte)));
    }

    // F8 on the list stands for REPORTE.
    void f8MuestraElReporte()
    {
        QLocale::setDefault(QLocale::c());
        w->Show();
        ui::ScriptedDialogs d;
        conciliarMarzo(*w);
        // The operator clicks the list.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->Lvw->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->Lvw));
        suite::ReportesRegistrados mostrados;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
        QVERIFY(d.verifyDone());
        QCOMPARE(mostrados.documentos().size(), 1);
        const QString texto = mostrados.texto(0);
        for (const QString& parte : {kD1, kD2, QStringLiteral("Total (2 movimientos)"), QStringLiteral("350.00")})
            QVERIFY2(texto.contains(parte), qPrintable(parte + QStringLiteral(" in ") + texto));
        QVERIFY(!texto.contains(kD3));
    }
};

QTEST_MAIN(TstReport)
#include "tst_report.moc"
