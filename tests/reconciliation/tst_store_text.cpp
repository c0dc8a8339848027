// The store's pure texts: the journal query and the registration statement, reconciliation numbers, and the
// stored comparison settings.

#include "reconciliation/engine/ConfiguracionComparacion.h"
#include "reconciliation/engine/StoreJournalQuery.h"
#include "platform/ado/Error.h"
#include "platform/suite/base/Conversiones.h"

#include <QTest>

using namespace conciliacion;

class StoreTextTest : public QObject {
    Q_OBJECT
private slots:
    void init() { suite::Conversiones::EstablecerFormaFechaSQL(suite::FormaFechaSQL::Iso); }
    void journalQuery_data();
    void journalQuery();
    void registrationStatement();
    void badPeriodRaises();
    void numbers_data();
    void numbers();
    void numbersSortLikeTheirValues();
    void settingsValue_data();
    void settingsValue();
    void settingsKey();
};

void StoreTextTest::journalQuery_data()
{
    QTest::addColumn<QString>("desde");
    QTest::addColumn<QString>("hasta");
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<QString>("unegocio");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<bool>("izquierda");
    QTest::addColumn<bool>("oracle");
    QTest::addColumn<QString>("consulta");

    QTest::newRow("period and account, left")
        << "01/03/2026" << "31/03/2026" << " 1101 " << "" << "" << true << false
        << "SELECT * FROM MV_ASIENTOS  Where Fecha >= '2026-03-01' AND Fecha <= '2026-03-31' and "
           "(MV_ASIENTOS.CUENTA = '1101')  and (MV_ASIENTOS.[debe-haber] = 'D' )  order by  fecha,tc,sucursal, numero";
    QTest::newRow("no period")
        << "" << "" << "1101" << "" << "" << true << false
        << "SELECT * FROM MV_ASIENTOS  where (MV_ASIENTOS.CUENTA = '1101')  and (MV_ASIENTOS.[debe-haber] = 'D' )  "
           "order by  fecha,tc,sucursal, numero";
    QTest::newRow("only the upper bound, right")
        << "" << "31/03/2026" << "1101" << "" << "" << false << false
        << "SELECT * FROM MV_ASIENTOS  Where Fecha <= '2026-03-31' and (MV_ASIENTOS.CUENTA = '1101')  and "
           "(MV_ASIENTOS.[debe-haber] = 'H' )  order by  fecha,tc,sucursal, numero";
    QTest::newRow("blank filters are none")
        << "01/03/2026" << "" << "1101" << "   " << "  " << true << false
        << "SELECT * FROM MV_ASIENTOS  Where Fecha >= '2026-03-01' and (MV_ASIENTOS.CUENTA = '1101')  and "
           "(MV_ASIENTOS.[debe-haber] = 'D' )  order by  fecha,tc,sucursal, numero";
    QTest::newRow("both filters")
        << "01/03/2026" << "31/03/2026" << "1101" << "1" << " oper " << true << false
        << "SELECT * FROM MV_ASIENTOS  Where Fecha >= '2026-03-01' AND Fecha <= '2026-03-31' and "
           "(MV_ASIENTOS.CUENTA = '1101')  and (MV_ASIENTOS.UNEGOCIO = '   1')  and "
           "(MV_ASIENTOS.USUARIO_LOGEADO LIKE 'oper%')  and (MV_ASIENTOS.[debe-haber] = 'D' )  "
           "order by  fecha,tc,sucursal, numero";
    QTest::newRow("quotes doubled, wildcards literal")
        << "" << "" << "11'01" << "a'b" << "o'p_%[" << true << false
        << "SELECT * FROM MV_ASIENTOS  where (MV_ASIENTOS.CUENTA = '11''01')  and (MV_ASIENTOS.UNEGOCIO = 'a''b ')  and "
           "(MV_ASIENTOS.USUARIO_LOGEADO LIKE 'o''p[_][%][[]%')  and (MV_ASIENTOS.[debe-haber] = 'D' )  "
           "order by  fecha,tc,sucursal, numero";
    QTest::newRow("oracle: no brackets, wildcards escaped")
        << "" << "" << "1101" << "" << "o'p_%[\\" << false << true
        << "SELECT * FROM MV_ASIENTOS  where (MV_ASIENTOS.CUENTA = '1101')  and "
           "(MV_ASIENTOS.USUARIO_LOGEADO LIKE 'o''p\\_\\%[\\\\%' ESCAPE '\\')  and (MV_ASIENTOS.[debe-haber] = 'H' )  "
           "order by  fecha,tc,sucursal, numero";
}

void StoreTextTest::journalQuery()
{
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    QFETCH(QString, cuenta);
    QFETCH(QString, unegocio);
    QFETCH(QString, usuario);
    QFETCH(bool, izquierda);
    QFETCH(bool, oracle);
    QFETCH(QString, consulta);
    Cabecera c;
    c.fechaDesde = desde;
    c.fechaHasta = hasta;
    c.cuenta = cuenta;
    c.unegocio = unegocio;
    c.usuario = usuario;
    QCOMPARE(ConsultaDiario(c, izquierda ? Lado::Izquierda : Lado::Derecha, oracle), consulta);
}

void StoreTextTest::registrationStatement()
{
    Cabecera c;
    c.numero = 12;
    c.cuenta = "1101";
    c.fecha = "18/04/2026";
    c.fechaDesde = "01/03/2026";
    const QString izquierda = SentenciaRegistro(c, Lado::Izquierda);
    QVERIFY(izquierda.startsWith("INSERT INTO MV_CONCILIACION (IDCONCILIACION,FECHA,CUENTA,SECUENCIA,MES_OPERATIVO,"
                                 "[NUMERO ASIENTO],PERIODO,TIPO_REG,FINALIZADA,FECHAMOV,VENCIMIENTO,TC,COMPROBANTE,"
                                 "IMPORTE,CONCEPTO,IDCONCAUX, CONCILIADO, TC_ORIGEN,CPTE_ORIGEN)  SELECT "
                                 "'             12','2026-04-18','1101',MV_ASIENTOS.SECUENCIA,"));
    QVERIFY(izquierda.contains(",MV_ASIENTOS.DETALLE,NULL,0,MV_ASIENTOS.TC_ORIGEN,MV_ASIENTOS.CPTE_ORIGEN FROM MV_ASIENTOS "
                               " Where Fecha >= '2026-03-01' and (MV_ASIENTOS.CUENTA = '1101')  and "
                               "(MV_ASIENTOS.[debe-haber] = 'D' ) AND NOT EXISTS (SELECT 1 FROM MV_CONCILIACION R WHERE "));
    QVERIFY(izquierda.endsWith("R.TIPO_REG = MV_ASIENTOS.TIPO_REG)  order by  fecha,tc,sucursal, numero"));

    const QString derecha = SentenciaRegistro(c, Lado::Derecha);
    QVERIFY(derecha.startsWith("INSERT INTO MV_CONCILIACION_AUX ("));
    QVERIFY(derecha.contains("IMPORTE,CONCEPTO,TC_ORIGEN,CPTE_ORIGEN)  SELECT"));
    QVERIFY(derecha.contains("MV_ASIENTOS.DETALLE,MV_ASIENTOS.TC_ORIGEN"));
    QVERIFY(derecha.contains("NOT EXISTS (SELECT 1 FROM MV_CONCILIACION_AUX R WHERE"));
    QVERIFY(derecha.contains("[debe-haber] = 'H' )"));
    QVERIFY(izquierda.contains("MV_ASIENTOS.TC,''+ISNULL(MV_ASIENTOS.SUCURSAL,'')+ISNULL(MV_ASIENTOS.NUMERO,'')"
                               "+ISNULL(MV_ASIENTOS.LETRA,''),ISNULL(MV_ASIENTOS.IMPORTE,0)"));
    QVERIFY(SentenciaRegistro(c, Lado::Izquierda, true)
                .contains("MV_ASIENTOS.TC,''||ISNULL(MV_ASIENTOS.SUCURSAL,'')||ISNULL(MV_ASIENTOS.NUMERO,'')"
                          "||ISNULL(MV_ASIENTOS.LETRA,''),"));
}

void StoreTextTest::badPeriodRaises()
{
    Cabecera c;
    c.cuenta = "1101";
    c.fechaDesde = "31/02/2026";
    QVERIFY_THROWS_EXCEPTION(ado::Error, ConsultaDiario(c, Lado::Izquierda));
}

void StoreTextTest::numbers_data()
{
    QTest::addColumn<qint64>("numero");
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("bloqueo");
    QTest::newRow("1") << qint64(1) << "              1" << "00000001";
    QTest::newRow("12") << qint64(12) << "             12" << "00000012";
    QTest::newRow("123456789") << qint64(123456789) << "      123456789" << "123456789";
}

void StoreTextTest::numbers()
{
    QFETCH(qint64, numero);
    QFETCH(QString, tabla);
    QFETCH(QString, bloqueo);
    QCOMPARE(NumeroTabla(numero), tabla);
    QCOMPARE(NumeroBloqueo(numero), bloqueo);
    // Padding a padded number changes nothing, and the number reads back.
    QCOMPARE(suite::Conversiones::FormatoAncho(ado::Variant(tabla), 15), tabla);
    QCOMPARE(NumeroDeTexto(tabla), numero);
}

void StoreTextTest::numbersSortLikeTheirValues()
{
    QVERIFY(NumeroTabla(9) < NumeroTabla(10));
    QVERIFY(NumeroTabla(99) < NumeroTabla(100));
    QCOMPARE(NumeroDeTexto("  41abc"), qint64(41));
    QCOMPARE(NumeroDeTexto("abc"), qint64(0));
}

void StoreTextTest::settingsValue_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("campos");
    QTest::addColumn<QString>("tolerancia");
    QTest::addColumn<bool>("completa");
    QTest::newRow("importe alone") << "0000100" << "000010" << "0" << true;
    QTest::newRow("all six and a tolerance") << "1111110,05" << "111111" << "0,05" << true;
    QTest::newRow("greyed box") << "2000100" << "200010" << "0" << true;
    QTest::newRow("blank") << " " << "000000" << " " << true;
    QTest::newRow("short") << "101" << "101000" << "" << false;
    QTest::newRow("not a box value") << "10x0100" << "100000" << "x0100" << false;
}

void StoreTextTest::settingsValue()
{
    QFETCH(QString, valor);
    QFETCH(QString, campos);
    QFETCH(QString, tolerancia);
    QFETCH(bool, completa);
    const ConfiguracionComparacion cfg = LeerValorConfiguracion(valor);
    QString leidos;
    for (int v : cfg.campos)
        leidos += QString::number(v);
    QCOMPARE(leidos, campos);
    QCOMPARE(cfg.tolerancia, tolerancia);
    QCOMPARE(cfg.completa, completa);
    if (completa && !valor.trimmed().isEmpty())
        QCOMPARE(ValorConfiguracion(cfg), valor);
}

void StoreTextTest::settingsKey()
{
    QCOMPARE(ClaveConfiguracion(" 1101 "), QString("CONCCTAS_CFG1101"));
    QCOMPARE(ClaveConfiguracion(""), QString("CONCCTAS_CFG"));
}

QTEST_GUILESS_MAIN(StoreTextTest)
#include "tst_store_text.moc"
