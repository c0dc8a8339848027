// SQL date literals for the journal query bounds, days of the month, and the date picker.
#include "platform/ado/Error.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/ScriptedDialogs.h"

#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using suite::FormaFechaSQL;
using suite::Utilidades;

Q_DECLARE_METATYPE(suite::FormaFechaSQL)

class TstFechas : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Utilidades::EstablecerFormaFechaSQL(FormaFechaSQL::Iso); }

    void fechaSQL_data()
    {
        QTest::addColumn<FormaFechaSQL>("forma");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<QString>("literal");
        QTest::newRow("typed date") << FormaFechaSQL::Iso << "15/03/2004" << "'2004-03-15'";
        QTest::newRow("blanks around") << FormaFechaSQL::Iso << " 15/03/2004 " << "'2004-03-15'";
        QTest::newRow("one-digit day and month") << FormaFechaSQL::Iso << "1/2/2004" << "'2004-02-01'";
        QTest::newRow("two-digit year, 2000s") << FormaFechaSQL::Iso << "01/02/04" << "'2004-02-01'";
        QTest::newRow("two-digit year, 1900s") << FormaFechaSQL::Iso << "31/12/99" << "'1999-12-31'";
        QTest::newRow("dashes") << FormaFechaSQL::Iso << "15-03-2004" << "'2004-03-15'";
        QTest::newRow("points") << FormaFechaSQL::Iso << "15.03.2004" << "'2004-03-15'";
        QTest::newRow("already ISO") << FormaFechaSQL::Iso << "2004-03-15" << "'2004-03-15'";
        QTest::newRow("leap day") << FormaFechaSQL::Iso << "29/02/2004" << "'2004-02-29'";
        QTest::newRow("SQL Server") << FormaFechaSQL::SqlServer << "15/03/2004" << "'20040315'";
        QTest::newRow("SQL Server from ISO") << FormaFechaSQL::SqlServer << "2004-12-01" << "'20041201'";
    }
    void fechaSQL()
    {
        QFETCH(FormaFechaSQL, forma);
        QFETCH(QString, fecha);
        QFETCH(QString, literal);
        Utilidades::EstablecerFormaFechaSQL(forma);
        QCOMPARE(Utilidades::FechaSQL(fecha), literal);
    }

    void fechaSQLRechazaLoQueNoEsFecha_data()
    {
        QTest::addColumn<QString>("fecha");
        QTest::newRow("no such day") << "31/02/2004";
        QTest::newRow("month 13") << "15/13/2004";
        QTest::newRow("empty") << "";
        QTest::newRow("words") << "ayer";
        QTest::newRow("a quote") << "15/03/2004' OR '1'='1";
        QTest::newRow("with a time") << "15/03/2004 10:00";
    }
    void fechaSQLRechazaLoQueNoEsFecha()
    {
        QFETCH(QString, fecha);
        try {
            Utilidades::FechaSQL(fecha);
            QFAIL("no error for a text that is not a date");
        } catch (const ado::Error& e) {
            QCOMPARE(e.Number, ado::kErrTypeMismatch);
            QVERIFY(e.Description.contains(fecha));
        }
    }

    void diasDelMes_data()
    {
        QTest::addColumn<int>("mes");
        QTest::addColumn<int>("dias");
        const int anio = QDate::currentDate().year();
        QTest::newRow("January") << 1 << 31;
        QTest::newRow("February this year") << 2 << (QDate::isLeapYear(anio) ? 29 : 28);
        QTest::newRow("April") << 4 << 30;
        QTest::newRow("December") << 12 << 31;
        QTest::newRow("month 0") << 0 << 0;
        QTest::newRow("month 13") << 13 << 0;
    }
    void diasDelMes()
    {
        QFETCH(int, mes);
        QFETCH(int, dias);
        QCOMPARE(Utilidades::DiasDelMes(mes), dias);
    }

    void seleccionarFechaDevuelveDiaMesAnio()
    {
        ui::ScriptedDialogs d;
        d.expectDate(QDate(2004, 3, 5));
        QCOMPARE(Utilidades::SeleccionarFecha(QString()), std::optional<QString>(QStringLiteral("05/03/2004")));
        QCOMPARE(d.log().at(0).detail, QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(d.verifyDone());
    }

    // The real picker window, driven by keys: it opens on the field's date; Escape chooses nothing,
    // Enter takes the date on show.
    void elSelectorRealAbreEnLaFechaDelCampo_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<std::optional<QString>>("resultado");
        const std::optional<QString> nada;
        const QString hoy = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        QTest::newRow("Escape chooses nothing") << "15/02/2026" << int(Qt::Key_Escape) << nada;
        QTest::newRow("Escape on an empty field chooses nothing") << "" << int(Qt::Key_Escape) << nada;
        QTest::newRow("Enter takes the field's date")
            << "15/02/2026" << int(Qt::Key_Return) << std::optional<QString>(QStringLiteral("15/02/2026"));
        QTest::newRow("Enter without a date takes today") << "" << int(Qt::Key_Return) << std::optional<QString>(hoy);
    }
    void elSelectorRealAbreEnLaFechaDelCampo()
    {
        QFETCH(QString, campo);
        QFETCH(int, tecla);
        using Eleccion = std::optional<QString>;
        QFETCH(Eleccion, resultado);
        ui::QtDialogs reales;
        ui::installDialogs(&reales);
        bool visto = false;
        QTimer::singleShot(0, [&] {
            QWidget* selector = QApplication::activeModalWidget();
            if (!selector)
                return;
            visto = true;
            QWidget* destino = selector->focusWidget() ? selector->focusWidget() : selector;
            QTest::keyClick(destino, Qt::Key(tecla));
        });
        const std::optional<QString> elegida = Utilidades::SeleccionarFecha(campo);
        ui::installDialogs(nullptr);
        QVERIFY(visto);
        QCOMPARE(elegida, resultado);
    }
};

QTEST_MAIN(TstFechas)
#include "tst_suite_fechas.moc"
