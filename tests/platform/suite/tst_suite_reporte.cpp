// The report printer: reading selection and named formulas, a report registered by name and read from a
// real company file, the document it hands to the preview, the messages for what it cannot print, the PDF it
// saves and the preview window itself.
#include "EscapeEnProgreso.h"
#include "PalabrasPdf.h"

#include "platform/suite/EsperaReporte.h"
#include "platform/suite/PaginasReporte.h"
#include "platform/suite/Progreso.h"
#include "platform/suite/Reporte.h"
#include "platform/suite/ReportesRegistrados.h"
#include "platform/suite/VistaPreviaReportes.h"
#include "platform/suite/Utilidades.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/DemoDatabase.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <memory>
#include <optional>
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

// A listing with a long table: a title, `filas` rows (every seventh with a detail long enough to take three
// lines), a closing paragraph. Its columns have widths of their own, as a long report's must.
ContenidoReporte listadoLargo(int filas)
{
    ContenidoReporte c;
    c.inicio = QStringLiteral("<html><body><h1>Listado largo</h1><p>Empresa Demo S.A.</p>");
    c.tabla = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    c.encabezado = QStringLiteral("<thead><tr><th width=\"20%\">Fila</th><th width=\"80%\">Detalle</th></tr></thead>");
    for (int i = 1; i <= filas; ++i)
        c.filas << QStringLiteral("<tr><td>F%1</td><td>%2</td></tr>")
                       .arg(i)
                       .arg(i % 7 ? QStringLiteral("corto") : QStringLiteral("un detalle largo ").repeated(30));
    c.fin = QStringLiteral("<p>Fin del listado</p></body></html>");
    return c;
}

// The whole document laid out in one go by the text engine, on the pages the report's are laid out on.
int paginasDelDocumentoEntero(const ContenidoReporte& c, const OpcionesDocumento& opciones)
{
    QTextDocument d;
    PrepararDocumento(d, opciones, c.Html());
    return d.pageCount();
}

// A report whose definition reads for a while ("Leyendo", a hundred steps of 2 ms) and then gives a listing of
// `filas` rows.
void registrarLargo(int filas)
{
    Reporte::Registrar("Largo", [filas](const PedidoReporte& p) {
        for (int i = 0; i <= 100; ++i) {
            if (p.avance && p.avance(QStringLiteral("Leyendo"), i, 100))
                throw ErrorReporte(kMensajeReporteCancelado);
            QThread::msleep(2);
        }
        return listadoLargo(filas);
    });
}

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

    // A long table laid out a slice at a time gives the pages the text engine gives the whole document: every
    // row once, in order, the part before and after the table once. Where the engine would split a row over
    // two pages at the end of a slice, the row starts the next page whole instead, which can take a page more
    // now and then.
    void lasPaginasSonLasDelDocumentoEntero_data()
    {
        QTest::addColumn<int>("filas");
        QTest::addColumn<bool>("apaisado");
        QTest::newRow("sin filas") << 0 << true;
        QTest::newRow("una fila") << 1 << true;
        QTest::newRow("una página") << 12 << true;
        QTest::newRow("muchas, apaisado") << 700 << true;
        QTest::newRow("muchas, vertical") << 700 << false;
    }
    void lasPaginasSonLasDelDocumentoEntero()
    {
        QFETCH(int, filas);
        QFETCH(bool, apaisado);
        const ContenidoReporte c = listadoLargo(filas);
        const OpcionesDocumento opciones{apaisado, false, 25};
        QStringList etapas;
        const PaginasReporte paginas(c, opciones, [&](const QString& etapa, qint64, qint64) {
            etapas << etapa;
            return false;
        });
        const int entero = paginasDelDocumentoEntero(c, opciones);
        QVERIFY2(paginas.Cantidad() >= entero && paginas.Cantidad() <= entero + entero / 5 + 1,
                 qPrintable(QStringLiteral("%1 pages, %2 for the whole document").arg(paginas.Cantidad()).arg(entero)));
        if (filas > 100)
            QVERIFY(paginas.Cantidad() > 10);
        QVERIFY(!etapas.isEmpty());
        QCOMPARE(etapas.first(), PaginasReporte::kEtapaPaginas);
        const QStringList lineas = paginas.Texto().split(u'\n');
        QStringList filasVistas;
        for (const QString& l : lineas)
            if (l.startsWith(u'F') && l.size() > 1 && l.at(1).isDigit())
                filasVistas << l;
        QStringList esperadas;
        for (int i = 1; i <= filas; ++i)
            esperadas << QStringLiteral("F%1").arg(i);
        QCOMPARE(filasVistas, esperadas);
        QCOMPARE(lineas.count(QStringLiteral("Listado largo")), 1);
        QCOMPARE(lineas.count(QStringLiteral("Fin del listado")), 1);
        QCOMPARE(lineas.last(), QStringLiteral("Fin del listado"));
    }

    // The same pages by every road a report leaves by: saved from the preview ("Guardar como PDF"), and through the
    // printer, at its own resolution and at the screen's (the preview's). Each page's number is the size of the
    // text, in the band under it at the right, and the only white beside the text is the page's margin.
    void losNumerosDePaginaSonIgualesPorCadaCamino_data()
    {
        QTest::addColumn<QString>("camino");
        QTest::newRow("Guardar como PDF") << "pdf";
        QTest::newRow("printer, its own resolution") << "alta";
        QTest::newRow("printer, the screen's resolution") << "pantalla";
    }
    void losNumerosDePaginaSonIgualesPorCadaCamino()
    {
        QFETCH(QString, camino);
        if (!HayLectorDePdf())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's pages cannot be read here.");
        const OpcionesDocumento opciones{true, false, 25};
        const PaginasReporte paginas(listadoLargo(60), opciones);
        QVERIFY(paginas.Cantidad() >= 3);
        const QString archivo = carpetaNueva(qPrintable(QStringLiteral("numeros-%1.pdf").arg(camino)));
        if (camino == QLatin1String("pdf")) {
            EscribirPdf(paginas, archivo, QStringLiteral("Listado"), opciones);
        } else {
            QPrinter impresora(camino == QLatin1String("alta") ? QPrinter::HighResolution : QPrinter::ScreenResolution);
            impresora.setOutputFormat(QPrinter::PdfFormat);
            impresora.setOutputFileName(archivo);
            impresora.setPageLayout(HojaDeReporte(opciones));
            QVERIFY(paginas.Imprimir(impresora));
        }
        const QList<QList<PalabraPdf>> pdf = palabrasDelPdf(archivo);
        QCOMPARE(pdf.size(), paginas.Cantidad());
        const qreal margen = PuntosDeMm(25);
        const QSizeF hoja = kA4Apaisado;
        for (qsizetype p = 0; p < pdf.size(); ++p) {
            const QList<PalabraPdf>& palabras = pdf.at(p);
            QVERIFY(!palabras.isEmpty());
            // The page's number: the lowest word on the page.
            const PalabraPdf numero = *std::max_element(palabras.begin(), palabras.end(), [](const auto& a, const auto& b) {
                return a.caja.bottom() < b.caja.bottom();
            });
            QCOMPARE(numero.texto, QString::number(p + 1));
            const PalabraPdf& fila = *std::find_if(palabras.begin(), palabras.end(),
                                                   [](const PalabraPdf& w) { return w.texto.startsWith(u'F'); });
            QVERIFY2(qAbs(numero.caja.height() - fila.caja.height()) < 0.2 * fila.caja.height(),
                     qPrintable(QStringLiteral("page %1: number %2 pt high, text %3 pt")
                                    .arg(p + 1)
                                    .arg(numero.caja.height())
                                    .arg(fila.caja.height())));
            QVERIFY(qAbs(numero.caja.right() - (hoja.width() - margen)) < 3);
            QVERIFY(numero.caja.bottom() <= hoja.height() - margen + 1);
            const QString fuera = FueraDelMargen(palabras, hoja, 25);
            QVERIFY2(fuera.isEmpty(), qPrintable(fuera));
            // Nothing but the margin at the left: the text starts at it.
            const qreal izquierda = std::min_element(palabras.begin(), palabras.end(), [](const auto& a, const auto& b) {
                                        return a.caja.left() < b.caja.left();
                                    })->caja.left();
            QVERIFY2(izquierda < margen + 8, qPrintable(QString::number(izquierda)));
        }
    }

    // The layout tells how far it got before its first slice and after each, and stops when told to.
    void armarLasPaginasSeDetieneAlCancelar()
    {
        QList<qint64> dichos;
        try {
            PaginasReporte(listadoLargo(700), {}, [&](const QString& etapa, qint64 hechas, qint64 total) {
                if (etapa != PaginasReporte::kEtapaPaginas || total != 700)
                    return false;
                dichos << hechas;
                return dichos.size() == 3;
            });
            QFAIL("laid out whole");
        } catch (const ErrorReporte& e) {
            QCOMPARE(e.mensaje(), kMensajeReporteCancelado);
        }
        QCOMPARE(dichos.size(), 3);
        QCOMPARE(dichos.first(), 0);
        QVERIFY(dichos.last() > dichos[1] && dichos.last() < 700);
    }

    // The operator presses Escape on the report's progress window while the definition reads, or while the
    // pages are laid out: the report stops there, nothing is shown, the operator is told, the progress window
    // goes; the next report goes through.
    void imprimirSeCancelaConEscape_data()
    {
        QTest::addColumn<QString>("etapa");
        QTest::newRow("al leer") << "Leyendo";
        QTest::newRow("al armar las páginas") << PaginasReporte::kEtapaPaginas;
    }
    void imprimirSeCancelaConEscape()
    {
        QFETCH(QString, etapa);
        registrarLargo(1500);
        Reporte r;
        r.setConexion(&m_cn);
        ReportesRegistrados mostrados;
        ui::ScriptedDialogs dialogos;
        dialogos.expectMsgBox(ui::vbOK).withText(kMensajeReporteCancelado).withTitle("Largo");
        {
            EscapeEnProgreso escape(r.ProgresoReporte(), etapa, true);
            QVERIFY(!r.Imprimir("Largo", {}, {}, {}, kEmpresa));
            QVERIFY(escape.Pulsada());
            QVERIFY(!escape.Forzada());
        }
        QVERIFY(dialogos.verifyDone());
        QVERIFY(mostrados.documentos().isEmpty());
        QVERIFY(!r.ProgresoReporte().isVisible());

        QVERIFY(r.Imprimir("Largo", {}, {}, {}, kEmpresa));
        QCOMPARE(mostrados.documentos().size(), 1);
        QVERIFY(mostrados.documentos().at(0).paginas->Cantidad() > 10);
        QVERIFY(!r.ProgresoReporte().isVisible());
    }

    // The preview's pages are drawn under the report's progress window before it shows: Escape there leaves it
    // unshown; without it the preview shows every page and the progress window has gone.
    void laVistaPreviaSeCancelaAlDibujar_data()
    {
        QTest::addColumn<bool>("cancelar");
        QTest::newRow("Escape al dibujar") << true;
        QTest::newRow("sin cancelar") << false;
    }
    void laVistaPreviaSeCancelaAlDibujar()
    {
        QFETCH(bool, cancelar);
        const ContenidoReporte c = listadoLargo(1500);
        const DocumentoReporte documento{"Largo", c.Html(), {}, true, carpetaNueva("pdf"),
                                         std::make_shared<const PaginasReporte>(c, OpcionesDocumento{})};
        Progreso progreso;
        int paginasVistas = 0;
        bool progresoAlMostrar = true;
        QTimer cerrar;
        cerrar.setInterval(0);
        QObject::connect(&cerrar, &QTimer::timeout, [&] {
            auto* vista = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!vista || !vista->isVisible())
                return;
            paginasVistas = vista->findChild<QPrintPreviewWidget*>()->pageCount();
            progresoAlMostrar = progreso.isVisible();
            vista->reject();
        });
        cerrar.start();
        std::optional<EscapeEnProgreso> escape;
        if (cancelar)
            escape.emplace(progreso, PaginasReporte::kEtapaDibujo);
        VistaPreviaReportes pantalla;
        try {
            EsperaReporte espera(progreso);
            pantalla.Presentar(documento, espera);
            QVERIFY(!cancelar);
        } catch (const ErrorReporte& e) {
            QVERIFY(cancelar);
            QCOMPARE(e.mensaje(), kMensajeReporteCancelado);
            QVERIFY(escape->Pulsada());
            QVERIFY(!escape->Forzada());
        }
        QVERIFY(!progreso.isVisible());
        QCOMPARE(paginasVistas, cancelar ? 0 : documento.paginas->Cantidad());
        QVERIFY(cancelar || !progresoAlMostrar);
    }

    void laVistaPreviaMuestraLasPaginasYOfreceGuardar()
    {
        const DocumentoReporte documento{"Brenquil", "<h1>Empresa Demo S.A.</h1><p>Total 1.484,63</p>",
                                         OpcionesDocumento{true, false, 25}, true, carpetaNueva("pdf"), nullptr};
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
                                         OpcionesDocumento{}, true, carpeta, nullptr};
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
