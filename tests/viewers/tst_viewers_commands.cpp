// Every command of a document viewer, for a viewer of each kind with its page on show: the keys (Escape,
// Enter, Tab, Space, the function keys, Ctrl keys and the Cancel key), its links through the link handler
// (voucher links of each viewer group, the entry link, the article link, an address of no link) and a click
// on the page's own entry link, resizing and closing. Any modal window that opens is answered by its default
// button. After each command the program lives, no modal window is left up, what the row names holds (the
// viewer still up or hidden, the window a link opened, the article program started) and the viewer's
// default window takes the next document.
//
// One test program for the three viewer classes, on the small company with one voucher of each kind; the
// article program is the stand-in built beside the tests, which writes its arguments.

#include "EmpresaVisores.h"
#include "NavegadorDePrueba.h"

#include "platform/ui/ModalesPorTeclas.h"
#include "report/EnlaceHTML.h"
#include "viewers/FrmBSC01CBTECTABLE.h"
#include "viewers/FrmBSC01CBTEDetalle.h"
#include "viewers/FrmBSC01RECIBODetalle.h"

using namespace visores;

namespace {

// A voucher of the company and the viewer its kind is shown in.
struct Clase {
    QString nombre;
    QString tc, sucursal, numero, letra;
    bool esVenta = true;
    QString cuenta;
};

const QList<Clase>& clases()
{
    static const QList<Clase> c{
        {QStringLiteral("accounting voucher"), QStringLiteral("AS"), QStringLiteral("0001"), QStringLiteral("00000001"),
         QStringLiteral("X"), true, QString()},
        {QStringLiteral("sale"), QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000010"),
         QStringLiteral("A"), true, QString()},
        {QStringLiteral("purchase"), QStringLiteral("FCC"), QStringLiteral("0003"), QStringLiteral("00002000"),
         QStringLiteral("A"), false, QStringLiteral("2101")},
        {QStringLiteral("receipt"), QStringLiteral("CB"), QStringLiteral("0001"), QStringLiteral("00000005"),
         QStringLiteral("X"), true, QString()},
        {QStringLiteral("payment"), QStringLiteral("PG"), QStringLiteral("0001"), QStringLiteral("00000087"),
         QStringLiteral("X"), true, QString()},
    };
    return c;
}

const Clase& clase(const QString& nombre)
{
    for (const Clase& c : clases())
        if (c.nombre == nombre)
            return c;
    return clases().first();
}

// The viewer of a voucher kind: its class's default window, filled with the voucher.
VisorDocumento& mostrar(const Clase& c)
{
    switch (VisorPorTC(c.tc).visor) {
    case Visor::Detalle: {
        FrmBSC01CBTEDetalle& v = frmBSC01CBTEDetalle();
        v.Mostrar(c.tc, c.sucursal, c.numero, c.letra, c.esVenta, c.cuenta);
        return v;
    }
    case Visor::Recibo: {
        FrmBSC01RECIBODetalle& v = frmBSC01RECIBODetalle();
        v.Mostrar(c.tc, c.sucursal, c.numero, c.letra, c.esVenta);
        return v;
    }
    default: {
        FrmBSC01CBTECTABLE& v = frmBSC01CBTECTABLE();
        v.Mostrar(c.tc, c.sucursal, c.numero, c.letra, c.cuenta);
        return v;
    }
    }
}

QList<VisorDocumento*> visoresVisibles()
{
    return visibles<VisorDocumento>();
}

} // namespace

class TstViewerCommands : public QObject {
    Q_OBJECT

    EmpresaVisores empresa;
    QString argumentos;   // where the article program's stand-in writes its arguments

    // The viewers the rows opened through the default windows: hidden between rows and filled again, since a
    // new window costs a new page view.
    QList<QPointer<VisorDocumento>> porDefecto;

    // No viewer on show: the default windows hidden, the ones links opened closed.
    void despejar()
    {
        for (VisorDocumento* v : visoresVisibles()) {
            if (porDefecto.contains(QPointer<VisorDocumento>(v)))
                v->hide();
            else
                v->close();
        }
        QCoreApplication::processEvents();
    }

    // Fills and shows the viewer through its class's default window, and waits for its page.
    VisorDocumento* abrir(const Clase& c)
    {
        VisorDocumento& v = mostrar(c);
        porDefecto << QPointer<VisorDocumento>(&v);
        QSignalSpy completas(v.wbExplorer, &web::WebBrowser::DownloadComplete);
        v.show();
        if (v.wbExplorer->Cargando() && !cargada(completas))
            return nullptr;
        return v.wbExplorer->UltimaCargaCorrecta() ? &v : nullptr;
    }

    QString enlace(const VisorDocumento& v, const QString& texto) const
    {
        return QUrl::fromLocalFile(v.CarpetaTemporal).toString() + texto;
    }

    void tecla(VisorDocumento& v, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        if (!v.isActiveWindow()) {
            v.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&v));
        }
        QWidget* destino = QApplication::focusWidget() && QApplication::focusWidget()->window() == &v
                               ? QApplication::focusWidget()
                               : static_cast<QWidget*>(&v);
        QTest::keyClick(destino, k, m);
    }

    void ejecutar(VisorDocumento& v, const Clase& c, const QString& comando)
    {
        const QString cab = QStringLiteral("2101");
        if (comando == QLatin1String("Escape"))
            tecla(v, Qt::Key_Escape);
        else if (comando == QLatin1String("Enter"))
            tecla(v, Qt::Key_Return);
        else if (comando == QLatin1String("Space"))
            tecla(v, Qt::Key_Space);
        else if (comando == QLatin1String("Tab and Backtab")) {
            tecla(v, Qt::Key_Tab);
            tecla(v, Qt::Key_Backtab);
        } else if (comando == QLatin1String("F1 to F12"))
            for (int n = 0; n < 12; ++n)
                tecla(v, Qt::Key(Qt::Key_F1 + n));
        else if (comando == QLatin1String("Ctrl+F, Ctrl+P, Ctrl+A, Ctrl+C"))
            for (Qt::Key k : {Qt::Key_F, Qt::Key_P, Qt::Key_A, Qt::Key_C})
                tecla(v, k, Qt::ControlModifier);
        else if (comando == QLatin1String("Ctrl+Break"))
            tecla(v, Qt::Key_Pause, Qt::ControlModifier);
        else if (comando == QLatin1String("Cancel key")) {
            QKeyEvent cancelar(QEvent::KeyPress, Qt::Key_Cancel, Qt::NoModifier);
            QApplication::sendEvent(&v, &cancelar);
        } else if (comando == QLatin1String("close box"))
            v.close();
        else if (comando == QLatin1String("resize small and back")) {
            v.resize(10, 10);
            QCoreApplication::processEvents();
            v.resize(800, 600);
        } else if (comando == QLatin1String("minimised resize")) {
            v.showMinimized();
            v.resize(300, 200);
            v.showNormal();
        } else if (comando == QLatin1String("filled again")) {
            mostrar(c);
        } else if (comando == QLatin1String("page entry link clicked")) {
            clicEnEnlace(v, QStringLiteral("_VER_ASIENTO"));
            QVERIFY(QTest::qWaitFor([] { return !visibles<FrmBSC01CBTECTABLE>().isEmpty(); }, 30000));
        } else {
            // A link through the handler, the address as the page's folder resolves it.
            QString texto;
            if (comando == QLatin1String("link voucher FC"))
                texto = report::EnlaceComprobante(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000010"),
                                                  QStringLiteral("A"));
            else if (comando == QLatin1String("link voucher FCC"))
                texto = report::EnlaceComprobante(QStringLiteral("FCC"), QStringLiteral("0003"),
                                                  QStringLiteral("00002000"), QStringLiteral("A"), &cab);
            else if (comando == QLatin1String("link voucher CB"))
                texto = report::EnlaceComprobante(QStringLiteral("CB"), QStringLiteral("0001"), QStringLiteral("00000005"),
                                                  QStringLiteral("X"));
            else if (comando == QLatin1String("link voucher VJ"))
                texto = report::EnlaceComprobante(QStringLiteral("VJ"), QStringLiteral("0001"), QStringLiteral("00000001"),
                                                  QStringLiteral("X"));
            else if (comando == QLatin1String("link voucher of another type"))
                texto = report::EnlaceComprobante(QStringLiteral("AS"), QStringLiteral("0001"), QStringLiteral("00000001"),
                                                  QStringLiteral("X"));
            else if (comando == QLatin1String("link voucher with a quote in its letter"))
                texto = report::EnlaceComprobante(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000099"),
                                                  QStringLiteral("'"));
            else if (comando == QLatin1String("link voucher missing"))
                texto = report::EnlaceComprobante(QStringLiteral("FC"), QStringLiteral("9999"), QStringLiteral("99999999"),
                                                  QStringLiteral("Z"));
            else if (comando == QLatin1String("link entry"))
                texto = report::EnlaceAsiento(c.tc, c.sucursal, c.numero, c.letra, &cab);
            else if (comando == QLatin1String("link article"))
                texto = report::EnlaceArticulo(QStringLiteral("ART 1"));
            else if (comando == QLatin1String("link empty marker"))
                texto = QStringLiteral("_TC_");
            else if (comando == QLatin1String("address of no link"))
                texto = QStringLiteral("Style.css");
            if (comando.startsWith(QLatin1String("without a temporary folder: "))) {
                const QString cab2 = QStringLiteral("2101");
                texto = comando.endsWith(QLatin1String("voucher"))
                            ? report::EnlaceComprobante(QStringLiteral("FC"), QStringLiteral("0001"),
                                                        QStringLiteral("00000010"), QStringLiteral("A"))
                            : report::EnlaceAsiento(c.tc, c.sucursal, c.numero, c.letra, &cab2);
            } else if (texto.isEmpty())
                QFAIL(qPrintable(QStringLiteral("unknown command: ") + comando));
            // TEMP naming a folder that cannot be made (below a file) for the window the link opens.
            const QByteArray temp = qgetenv("TEMP");
            if (comando.startsWith(QLatin1String("without a temporary folder: ")))
                qputenv("TEMP", (v.RutaPagina + QStringLiteral("/sub")).toUtf8());
            bool cancelar = false;
            v.wbExplorer_BeforeNavigate2(enlace(v, texto), cancelar);
            qputenv("TEMP", temp);
            if (!cancelar)
                v.wbExplorer->Navigate(enlace(v, texto));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(empresa.crear());
        argumentos = empresa.carpeta.filePath(QStringLiteral("argumentos.txt"));
        qputenv("CONC_CORE_ECHO", argumentos.toUtf8());
    }

    void comandos_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("comando");
        QTest::addColumn<bool>("sigue");        // the state's viewer still up
        QTest::addColumn<QString>("abre");      // the class of a further viewer on show afterwards; "" none
        QTest::addColumn<bool>("articulo");     // the article program started
        QTest::addColumn<QStringList>("cajas"); // the boxes shown, by the start of their text
        for (const Clase& c : clases()) {
            const bool contable = c.tc == QLatin1String("AS");
            auto fila = [&](const QString& comando, bool sigue, const QString& abre = QString(), bool articulo = false,
                            const QStringList& cajas = {}) {
                QTest::newRow(qPrintable(c.nombre + QStringLiteral(" / ") + comando))
                    << c.nombre << comando << sigue << abre << articulo << cajas;
            };
            const QString detalle = QStringLiteral("visores::FrmBSC01CBTEDetalle");
            const QString recibo = QStringLiteral("visores::FrmBSC01RECIBODetalle");
            const QString asiento = QStringLiteral("visores::FrmBSC01CBTECTABLE");
            // Keys: only the Cancel key does something, it hides the window.
            fila(QStringLiteral("Escape"), true);
            fila(QStringLiteral("Enter"), true);
            fila(QStringLiteral("Space"), true);
            fila(QStringLiteral("Tab and Backtab"), true);
            fila(QStringLiteral("F1 to F12"), true);
            fila(QStringLiteral("Ctrl+F, Ctrl+P, Ctrl+A, Ctrl+C"), true);
            fila(QStringLiteral("Ctrl+Break"), false);
            fila(QStringLiteral("Cancel key"), false);
            fila(QStringLiteral("close box"), false);
            fila(QStringLiteral("resize small and back"), true);
            fila(QStringLiteral("minimised resize"), true);
            fila(QStringLiteral("filled again"), true);
            // Links: a voucher opens a new window of its group's viewer (a further one of the same class when
            // the page is of that class); "VJ" and any type outside the groups open nothing.
            fila(QStringLiteral("link voucher FC"), true, detalle);
            fila(QStringLiteral("link voucher FCC"), true, detalle);
            fila(QStringLiteral("link voucher CB"), true, recibo);
            fila(QStringLiteral("link voucher missing"), true, detalle);
            fila(QStringLiteral("link voucher with a quote in its letter"), true, detalle);
            // A new window that cannot make the folder for its page says so in the error box and does not open;
            // the accounting viewer's default window, open since the first kind's rows, keeps the folder it made
            // and shows the entry there.
            const QStringList sinCarpeta{QStringLiteral("QMessageBox: Error 75: La carpeta temporal")};
            fila(QStringLiteral("without a temporary folder: voucher"), true, QString(), false, sinCarpeta);
            if (!contable)
                fila(QStringLiteral("without a temporary folder: entry"), true, asiento);
            fila(QStringLiteral("link voucher VJ"), true);
            fila(QStringLiteral("link voucher of another type"), true);
            fila(QStringLiteral("link empty marker"), true);
            // The entry link opens the accounting viewer's default window, except from an accounting page.
            fila(QStringLiteral("link entry"), true, contable ? QString() : asiento);
            fila(QStringLiteral("link article"), true, QString(), !contable);
            fila(QStringLiteral("address of no link"), true);
            if (c.tc == QLatin1String("FC") || c.tc == QLatin1String("CB"))
                fila(QStringLiteral("page entry link clicked"), true, asiento);
        }
    }
    void comandos()
    {
        QFETCH(QString, estado);
        QFETCH(QString, comando);
        QFETCH(bool, sigue);
        QFETCH(QString, abre);
        QFETCH(bool, articulo);
        QFETCH(QStringList, cajas);
        const Clase& c = clase(estado);
        despejar();
        QFile::remove(argumentos);
        VisorDocumento* v = abrir(c);
        QVERIFY(v);
        const QPointer<VisorDocumento> visor(v);

        ModalesPorTeclas modales;
        for (int i = 0; i < 4; ++i)
            modales.pulsar(Qt::Key_Return);
        ejecutar(*v, c, comando);
        if (QTest::currentTestFailed())
            return;
        QCoreApplication::processEvents();

        // Alive, nothing modal left up, the boxes the row names shown and no other.
        QVERIFY(!QApplication::activeModalWidget());
        const QStringList vistas = modales.vistas();
        QVERIFY2(vistas.size() == cajas.size(), qPrintable(vistas.join(QStringLiteral(" | "))));
        for (int i = 0; i < cajas.size(); ++i)
            QVERIFY2(vistas.at(i).startsWith(cajas.at(i)), qPrintable(vistas.at(i)));

        // What the row names.
        QCOMPARE(visor && visor->isVisible(), sigue);
        QStringList otros;
        for (VisorDocumento* o : visoresVisibles())
            if (o != visor)
                otros << QString::fromLatin1(o->metaObject()->className());
        QCOMPARE(otros, abre.isEmpty() ? QStringList{} : QStringList{abre});
        if (articulo)
            QVERIFY(QTest::qWaitFor([&] { return QFile::exists(argumentos); }, 30000));
        else
            QVERIFY(!QFile::exists(argumentos));

        // The viewer's default window takes the next document (a new window when the command took it down).
        if (!sigue) {
            despejar();
            QVERIFY(abrir(c));
            QCOMPARE(visoresVisibles().size(), 1);
        }
    }
};

int main(int argc, char* argv[])
{
    web::WebBrowser::PrepararAplicacion();
    QApplication app(argc, argv);
    TstViewerCommands t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_viewers_commands.moc"
