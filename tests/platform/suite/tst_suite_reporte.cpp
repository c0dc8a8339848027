// The report printer: reading selection and named formulas, a report registered by name and read from a
// real company file, the document it hands to the preview, the messages for what it cannot print, the PDF it
// saves and the preview window itself.
#include "platform/suite/Reporte.h"
#include "platform/suite/ReportesRegistrados.h"
#include "platform/suite/VistaPreviaReportes.h"
#include "platform/suite/Utilidades.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/DemoDatabase.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <memory>
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

// A report of the chart of accounts for the printer's tests: one line per account that the selection's
// conditions on MA_CUENTAS keep, with the company formula as its title. It keeps the request it was given.
struct ReporteDeCuentas {
    QList<CondicionSeleccion> seleccion;
    QHash<QString, QString> formulas;
    OpcionesDocumento opciones;

    QString operator()(const PedidoReporte& pedido)
    {
        seleccion = pedido.seleccion;
        formulas = pedido.formulas;
        opciones = pedido.opciones;
        QString donde = QStringLiteral("1 = 1");
        for (const CondicionSeleccion& c : pedido.seleccion) {
            if (c.valor.toString() == QLatin1String("error"))
                throw ErrorReporte(QStringLiteral("El reporte no sabe de errores."));
            donde += QStringLiteral(" AND [%1] = '%2'").arg(c.campo, c.valor.toString().replace("'", "''"));
        }
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT Codigo, Descripcion FROM MA_CUENTAS WHERE ") + donde + " ORDER BY Codigo",
                &pedido.conexion);
        QString html = QStringLiteral("<h1>%1</h1>").arg(pedido.formulas.value("NOMBREEMPRESA").toHtmlEscaped());
        for (; !rs.EOF(); rs.MoveNext())
            html += QStringLiteral("<p>%1 %2</p>")
                        .arg(rs["Codigo"].toString().toHtmlEscaped(), rs["Descripcion"].toString().toHtmlEscaped());
        return html;
    }
};

} // namespace

class TstReporte : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ado::Connection m_cn;
    std::shared_ptr<ReporteDeCuentas> m_cuentas = std::make_shared<ReporteDeCuentas>();

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
            "INSERT INTO MA_CUENTAS (Codigo, Descripcion, Titulo) VALUES ('1101', 'Banco cuenta corriente', 0), "
            "('1102', 'Caja de O''Brien', 0), ('11', 'Activo corriente', 1)"));
        auto cuentas = m_cuentas;
        Reporte::Registrar("Cuentas", [cuentas](const PedidoReporte& p) { return (*cuentas)(p); });
    }

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

    void muestraElDocumentoDelReporteRegistrado()
    {
        Reporte r;
        r.Carpeta = carpetaNueva("reportes");
        r.setConexion(&m_cn);
        r.MostrarFechaImpresion = true;
        r.Margen = 12;
        ReportesRegistrados mostrados;
        ui::ScriptedDialogs dialogos;

        QVERIFY(r.Imprimir(" cuentas ", QStringList{"", ""}, " {MA_CUENTAS.Titulo} = '0'",
                           "DSN=empresa; UID=sa; PWD=", kEmpresa, {}, {}, {}, {}, "", "", ""));
        QVERIFY(dialogos.verifyDone());
        QCOMPARE(mostrados.documentos().size(), 1);
        const DocumentoReporte& d = mostrados.documentos().at(0);
        QCOMPARE(d.titulo, QString("cuentas"));
        QVERIFY(d.vistaPrevia);
        QVERIFY(d.opciones.apaisado);
        QVERIFY(d.opciones.fechaImpresion);
        QCOMPARE(d.opciones.margenMm, 12);
        QCOMPARE(QDir::cleanPath(d.carpeta), QDir::cleanPath(r.Carpeta));
        const QString texto = mostrados.texto(0);
        for (const char* parte : {"Empresa Demo S.A.", "1101 Banco cuenta corriente", "1102 Caja de O'Brien"})
            QVERIFY2(texto.contains(QString::fromUtf8(parte)), qPrintable(texto));
        QVERIFY(!texto.contains("Activo corriente"));   // the selection left the title account out
        QCOMPARE(m_cuentas->seleccion.size(), 1);
        QCOMPARE(m_cuentas->formulas.value("NOMBREEMPRESA"), QString("Empresa Demo S.A."));

        // Without the preview the document goes to the printer; the folder falls back to the temporary one.
        r.VistaPrevia = false;
        r.Carpeta.clear();
        QVERIFY(r.Imprimir("CUENTAS", {}, "{MA_CUENTAS.Codigo} = '1102'", {}, kEmpresa));
        QCOMPARE(mostrados.documentos().size(), 2);
        QVERIFY(!mostrados.documentos().at(1).vistaPrevia);
        QVERIFY(!mostrados.documentos().at(1).carpeta.isEmpty());
        QVERIFY(mostrados.texto(1).contains("Caja de O'Brien"));
        QVERIFY(!mostrados.texto(1).contains("Banco cuenta corriente"));
    }

    void unRegistroDentroDeOtroDevuelveElAnterior()
    {
        Reporte r;
        r.setConexion(&m_cn);
        ReportesRegistrados afuera;
        {
            ReportesRegistrados adentro;
            QVERIFY(r.Imprimir("Cuentas", {}, {}, {}, kEmpresa));
            QCOMPARE(adentro.documentos().size(), 1);
        }
        QVERIFY(r.Imprimir("Cuentas", {}, {}, {}, kEmpresa));
        QCOMPARE(afuera.documentos().size(), 1);
        QVERIFY(afuera.texto(0).contains("Activo corriente"));
    }

    void loQueNoPuedeImprimirSeLoDice_data()
    {
        QTest::addColumn<QString>("reporte");
        QTest::addColumn<QString>("seleccion");
        QTest::addColumn<QString>("empresa");
        QTest::addColumn<QString>("mensaje");
        const QString ok = "{MA_CUENTAS.Codigo} = '1101'";
        QTest::newRow("otro reporte") << "Balance" << ok << kEmpresa << "No existe el reporte \"Balance\".";
        QTest::newRow("sin nombre") << "  " << ok << kEmpresa << "No existe el reporte \"\".";
        QTest::newRow("seleccion ilegible") << "Cuentas" << "{MA_CUENTAS.Codigo} = 1 OR 1 = 1" << kEmpresa
                                            << "No se entiende la fórmula de selección";
        QTest::newRow("formula sin igual") << "Cuentas" << ok << "NombreEmpresa" << "No se entiende la fórmula del reporte";
        QTest::newRow("el reporte la rechaza") << "Cuentas" << "{MA_CUENTAS.Codigo} = 'error'" << kEmpresa
                                               << "El reporte no sabe de errores.";
        QTest::newRow("error de la base") << "Cuentas" << "{MA_CUENTAS.NoExiste} = 'x'" << kEmpresa << "NoExiste";
    }
    void loQueNoPuedeImprimirSeLoDice()
    {
        QFETCH(QString, reporte);
        QFETCH(QString, seleccion);
        QFETCH(QString, empresa);
        QFETCH(QString, mensaje);
        Reporte r;
        r.setConexion(&m_cn);
        ReportesRegistrados mostrados;
        ui::ScriptedDialogs dialogos;
        dialogos.expectMsgBox(ui::vbOK).containing(mensaje).withStyle(ui::vbCritical);
        QVERIFY(!r.Imprimir(reporte, {"", ""}, seleccion, {}, empresa));
        QVERIFY(dialogos.verifyDone());
        QVERIFY(mostrados.documentos().isEmpty());
    }

    void sinConexionNoHayDocumento()
    {
        Reporte r;
        ReportesRegistrados mostrados;
        ui::ScriptedDialogs dialogos;
        dialogos.expectMsgBox(ui::vbOK).containing("no tiene conexión");
        QVERIFY(!r.Imprimir("Cuentas", {}, {}, {}, kEmpresa));
        ado::Connection cerrada;
        r.setConexion(&cerrada);
        dialogos.expectMsgBox(ui::vbOK).containing("no tiene conexión");
        QVERIFY(!r.Imprimir("Cuentas", {}, {}, {}, kEmpresa));
        QVERIFY(dialogos.verifyDone());
        QVERIFY(mostrados.documentos().isEmpty());
    }

    void unReporteQuitadoYaNoExiste()
    {
        Reporte::Registrar("Pasajero", [](const PedidoReporte&) { return QStringLiteral("<p>hola</p>"); });
        QVERIFY(Reporte::Registrado(" PASAJERO "));
        Reporte::Registrar("pasajero", nullptr);
        QVERIFY(!Reporte::Registrado("Pasajero"));
        QVERIFY(Reporte::Registrado("Cuentas"));
    }

    void guardaElDocumentoComoPdf()
    {
        const QString archivo = carpetaNueva("listado.pdf");
        EscribirPdf("<h1>Empresa Demo S.A.</h1><p>0001000012341 1.234,50</p>", archivo, "Listado",
                    OpcionesDocumento{false, false, 10});
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
        const QString texto = textoDelPdf(archivo);
        if (texto.isEmpty())
            qInfo("No PDF text reader here: only the file's frame is checked.");
        else
            for (const char* parte : {"Empresa Demo S.A.", "0001000012341", "1.234,50"})
                QVERIFY2(texto.contains(QString::fromUtf8(parte)), qPrintable(QString::fromUtf8(parte) + " in " + texto));

        // A folder that does not exist: the message, and no file.
        const QString enNingunLado = carpetaNueva("no-existe/listado.pdf");
        try {
            EscribirPdf("<p>x</p>", enNingunLado, "Listado", {});
            QFAIL("written where there is no folder");
        } catch (const ErrorReporte& e) {
            QVERIFY2(e.mensaje().contains("No se puede escribir el archivo"), qPrintable(e.mensaje()));
        }
        QVERIFY(!QFile::exists(enNingunLado));
    }

    void laVistaPreviaMuestraLasPaginasYOfreceGuardar()
    {
        const DocumentoReporte documento{"Brenquil", "<h1>Empresa Demo S.A.</h1><p>Total 1.484,63</p>",
                                         OpcionesDocumento{true, false, 25}, true, carpetaNueva("pdf")};
        const auto vista = CrearVistaPrevia(documento);
        QCOMPARE(vista->windowTitle(), QString("Brenquil"));
        QCOMPARE(vista->printer()->docName(), QString("Brenquil"));
        QCOMPARE(vista->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        auto* guardar = vista->findChild<QAction*>(QLatin1String(kAccionGuardarPdf));
        QVERIFY(guardar);
        QCOMPARE(guardar->text(), QString("Guardar como PDF"));
        QVERIFY(guardar->isEnabled());
        vista->show();   // not modal: nothing waits on it
        auto* paginas = vista->findChild<QPrintPreviewWidget*>();
        QVERIFY(paginas);
        QTRY_VERIFY(paginas->pageCount() >= 1);
        vista->close();
    }

    void guardarComoPdfEscribeElArchivoElegido()
    {
        const QString carpeta = carpetaNueva("guardados");
        QVERIFY(QDir().mkpath(carpeta));
        const DocumentoReporte documento{"Brenquil", "<h1>Empresa Demo S.A.</h1><p>Total 1.484,63</p>",
                                         OpcionesDocumento{}, true, carpeta};
        const auto vista = CrearVistaPrevia(documento);
        auto* guardar = vista->findChild<QAction*>(QLatin1String(kAccionGuardarPdf));
        QVERIFY(guardar);
        QStringList propuestos;
        QString respuesta;
        setPreguntaArchivoPdf([&](QWidget* padre, const QString& propuesto) {
            propuestos << QDir::cleanPath(propuesto);
            return padre == vista.get() ? respuesta : QString("no es la vista");
        });
        ui::ScriptedDialogs dialogos;

        respuesta = carpeta + "/marzo";   // the extension is added
        guardar->trigger();
        QVERIFY(QFile::exists(carpeta + "/marzo.pdf"));
        QFile f(carpeta + "/marzo.pdf");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("%PDF-"));
        QCOMPARE(propuestos, QStringList{QDir::cleanPath(carpeta + "/Brenquil.pdf")});

        respuesta.clear();   // cancelled: nothing written, nothing said
        guardar->trigger();
        QCOMPARE(QDir(carpeta).entryList(QDir::Files), QStringList{"marzo.pdf"});

        respuesta = carpeta + "/no-existe/abril.pdf";
        dialogos.expectMsgBox(ui::vbOK).containing("No se puede escribir el archivo").withStyle(ui::vbCritical);
        guardar->trigger();
        QVERIFY(dialogos.verifyDone());
        QVERIFY(!QFile::exists(respuesta));
        setPreguntaArchivoPdf(nullptr);
    }
};

QTEST_MAIN(TstReporte)
#include "tst_suite_reporte.moc"
