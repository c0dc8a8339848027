// The error dialog, the file dialog and the window dressing, through the scripted operator dialogs.
#include "platform/ado/Error.h"
#include "platform/suite/DialogoArchivo.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QTest>
#include <QWidget>
#include <stdexcept>

using suite::Utilidades;

class TstDialogos : public QObject {
    Q_OBJECT
private slots:
    void tratarErrorDevuelveLaRespuesta_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("abort") << int(ui::vbAbort);
        QTest::newRow("retry") << int(ui::vbRetry);
        QTest::newRow("ignore") << int(ui::vbIgnore);
    }
    void tratarErrorDevuelveLaRespuesta()
    {
        QFETCH(int, respuesta);
        ui::ScriptedDialogs d;
        d.expectErrorDialog(respuesta).withRoutine("CargarPanel").withNumber(ado::kErrSyntax);
        const ado::Error e(ado::kErrSyntax, "Incorrect syntax", "Proveedor");
        QCOMPARE(Utilidades::TratarError(e, "CargarPanel"), respuesta);
        QCOMPARE(d.log().at(0).error.description, "Incorrect syntax");
        QCOMPARE(d.log().at(0).error.source, "Proveedor");
        QVERIFY(d.verifyDone());
    }

    void tratarErrorDeUnaExcepcionCapturada()
    {
        ui::ScriptedDialogs d;
        d.expectErrorDialog(ui::vbIgnore).withNumber(ado::kErrIntegrity).withRoutine("");
        d.expectErrorDialog(ui::vbAbort).withRoutine("Otra");
        try {
            throw ado::Error(ado::kErrIntegrity, "duplicate key");
        } catch (...) {
            QCOMPARE(Utilidades::TratarError(std::current_exception()), int(ui::vbIgnore));
        }
        try {
            throw std::runtime_error("sin numero");
        } catch (...) {
            QCOMPARE(Utilidades::TratarError(std::current_exception(), "Otra"), int(ui::vbAbort));
        }
        QCOMPARE(d.log().at(1).error.description, "sin numero");
        QVERIFY(d.verifyDone());
    }

    void dialogoArchivo()
    {
        ui::ScriptedDialogs d;
        d.expectOpenFile("/datos/empresa.mdb");
        d.expectOpenFile("");
        suite::DialogoArchivo dlg;
        dlg.Titulo = "Base de datos";
        dlg.Filtro = "Access (*.mdb)|*.mdb|Todos|*.*";
        dlg.Mostrar();
        QCOMPARE(dlg.NombreArchivo, "/datos/empresa.mdb");
        QVERIFY(!dlg.Cancelado);
        QVERIFY(d.log().at(0).detail.contains("Access (*.mdb) (*.mdb);;Todos (*.*)"));
        dlg.Mostrar();
        QVERIFY(dlg.Cancelado);
        QCOMPARE(dlg.NombreArchivo, QString());
        QVERIFY(d.verifyDone());
    }

    void filtroQt_data()
    {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("suite filter") << "Access (*.mdb)|*.mdb" << "Access (*.mdb) (*.mdb)";
        QTest::newRow("several patterns") << "Textos|*.txt;*.csv|Todos|*.*" << "Textos (*.txt *.csv);;Todos (*.*)";
        QTest::newRow("already Qt") << "Textos (*.txt)" << "Textos (*.txt)";
    }
    void filtroQt()
    {
        QFETCH(QString, filtro);
        QFETCH(QString, esperado);
        QCOMPARE(suite::DialogoArchivo::FiltroQt(filtro), esperado);
    }

    void configurarFormularioCentraUnaVentanaNueva()
    {
        QWidget w;
        w.resize(300, 200);
        w.move(0, 0);
        Utilidades::ConfigurarFormulario(&w, 0);
        const QRect area = w.screen()->availableGeometry();
        QVERIFY(qAbs(w.geometry().center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(w.geometry().center().y() - area.center().y()) <= 1);
        QCOMPARE(w.size(), QSize(300, 200));
        Utilidades::ConfigurarFormulario(nullptr);
    }
};

QTEST_MAIN(TstDialogos)
#include "tst_suite_dialogos.moc"
