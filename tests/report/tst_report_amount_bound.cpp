// The amount bounds of the voucher filter as the operator types them: each reads as the exact money amount it
// stands for, or as no amount at all, never as something near it.

#include "report/CotaImporte.h"

#include <QtTest>

using report::CotaImporte;
using report::LeerCotaImporte;
using Lectura = CotaImporte::Lectura;

class TstReportAmountBound : public QObject {
    Q_OBJECT
private slots:
    void lectura_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("lectura");
        QTest::addColumn<qint64>("diezMilesimos");   // the amount scaled by 10^4, when it is one
        const int monto = int(Lectura::Monto);
        QTest::newRow("blank") << "  " << int(Lectura::SinCota) << qint64(0);
        QTest::newRow("decimal point") << "0.15" << monto << qint64(1500);
        QTest::newRow("decimal comma") << "0,15" << monto << qint64(1500);
        QTest::newRow("thousands and comma") << "1.000,25" << monto << qint64(10002500);
        QTest::newRow("power of ten") << "2e2" << monto << qint64(2000000);
        QTest::newRow("comma and power") << "1,5e2" << monto << qint64(1500000);
        QTest::newRow("negative power") << "-2.5E-1" << monto << qint64(-2500);
        // Sixteen digits: a binary number in between would miss the last decimals.
        QTest::newRow("sixteen digits with a power")
            << "123456789012.3456e0" << monto << qint64(1234567890123456);
        QTest::newRow("power moves the digits") << "1234.56789e-2" << monto << qint64(123457);
        QTest::newRow("half at the fourth decimal goes to even") << "1.00005e0" << monto << qint64(10000);
        QTest::newRow("half to the even above") << "1.00015e0" << monto << qint64(10002);
        QTest::newRow("a half the binary number misses") << "1.5e-4" << monto << qint64(2);
        QTest::newRow("leading zeros") << "000.0012e3" << monto << qint64(12000);
        QTest::newRow("largest whole amount") << "9.22337203685476e14" << monto << qint64(9223372036854760000);
        QTest::newRow("past the largest amount") << "9.3e14" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("too many whole digits") << "1e15" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("far beyond") << "1e999" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("a power too long for a number") << "1e99999999999999999999" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("a negative power too long") << "1e-99999999999999999999" << monto << qint64(0);
        QTest::newRow("nothing left at the fourth decimal") << "1e-999" << monto << qint64(0);
        QTest::newRow("zero with any power") << "0e999" << monto << qint64(0);
        QTest::newRow("not a number") << "abc" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("power without digits") << "1e" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("power without a number") << "e5" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("fractional power") << "1e2.5" << int(Lectura::NoEsImporte) << qint64(0);
    }
    void lectura()
    {
        QFETCH(QString, texto);
        QFETCH(int, lectura);
        QFETCH(qint64, diezMilesimos);
        const CotaImporte cota = LeerCotaImporte(texto);
        QCOMPARE(int(cota.lectura), lectura);
        if (cota.lectura == Lectura::Monto)
            QCOMPARE(cota.monto.scaled(), diezMilesimos);
    }
};

QTEST_GUILESS_MAIN(TstReportAmountBound)
#include "tst_report_amount_bound.moc"
