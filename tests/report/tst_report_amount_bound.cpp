// The amount bounds of the voucher filter as the operator types them: each reads as the exact money amount it
// stands for, or as no amount at all, never as something near it, on a station whose decimal separator is the
// point and on one whose decimal separator is the comma.

#include "report/CotaImporte.h"

#include <QTest>

using report::CotaImporte;
using report::LeerCotaImporte;
using Lectura = CotaImporte::Lectura;

namespace {

const QString kPunto = QStringLiteral("en_US");
const QString kComa = QStringLiteral("es_AR");

} // namespace

class TstReportAmountBound : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void lectura_data()
    {
        QTest::addColumn<QString>("estacion");   // the station's locale
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("lectura");
        QTest::addColumn<qint64>("diezMilesimos");   // the amount scaled by 10^4, when it is one
        const int monto = int(Lectura::Monto);
        QTest::newRow("blank") << kPunto << "  " << int(Lectura::SinCota) << qint64(0);
        QTest::newRow("decimal point") << kPunto << "0.15" << monto << qint64(1500);
        QTest::newRow("decimal comma") << kPunto << "0,15" << monto << qint64(1500);
        QTest::newRow("thousands and comma") << kPunto << "1.000,25" << monto << qint64(10002500);
        QTest::newRow("power of ten") << kPunto << "2e2" << monto << qint64(2000000);
        QTest::newRow("comma and power") << kPunto << "1,5e2" << monto << qint64(1500000);
        QTest::newRow("negative power") << kPunto << "-2.5E-1" << monto << qint64(-2500);
        // Sixteen digits: a binary number in between would miss the last decimals.
        QTest::newRow("sixteen digits with a power")
            << kPunto << "123456789012.3456e0" << monto << qint64(1234567890123456);
        QTest::newRow("power moves the digits") << kPunto << "1234.56789e-2" << monto << qint64(123457);
        QTest::newRow("half at the fourth decimal goes to even") << kPunto << "1.00005e0" << monto << qint64(10000);
        QTest::newRow("half to the even above") << kPunto << "1.00015e0" << monto << qint64(10002);
        QTest::newRow("a half the binary number misses") << kPunto << "1.5e-4" << monto << qint64(2);
        QTest::newRow("leading zeros") << kPunto << "000.0012e3" << monto << qint64(12000);
        QTest::newRow("largest whole amount") << kPunto << "9.22337203685476e14" << monto << qint64(9223372036854760000);
        QTest::newRow("past the largest amount") << kPunto << "9.3e14" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("too many whole digits") << kPunto << "1e15" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("far beyond") << kPunto << "1e999" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("a power too long for a number") << kPunto << "1e99999999999999999999" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("a negative power too long") << kPunto << "1e-99999999999999999999" << monto << qint64(0);
        QTest::newRow("nothing left at the fourth decimal") << kPunto << "1e-999" << monto << qint64(0);
        QTest::newRow("zero with any power") << kPunto << "0e999" << monto << qint64(0);
        QTest::newRow("not a number") << kPunto << "abc" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("power without digits") << kPunto << "1e" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("power without a number") << kPunto << "e5" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("fractional power") << kPunto << "1e2.5" << int(Lectura::NoEsImporte) << qint64(0);
        // A leading group of 0 is no thousands group, whichever separator the station's is.
        QTest::newRow("0,150 at a point station") << kPunto << "0,150" << monto << qint64(1500);
        QTest::newRow("0.150 at a comma station") << kComa << "0.150" << monto << qint64(1500);
        QTest::newRow("0.150 at a point station") << kPunto << "0.150" << monto << qint64(1500);
        QTest::newRow("0,150 at a comma station") << kComa << "0,150" << monto << qint64(1500);
        QTest::newRow("-0,150 at a point station") << kPunto << "-0,150" << monto << qint64(-1500);
        QTest::newRow("000,150 at a point station") << kPunto << "000,150" << monto << qint64(1500);
        QTest::newRow("0,150 with a power at a point station") << kPunto << "0,150e1" << monto << qint64(15000);
        QTest::newRow("1,150 at a point station groups thousands") << kPunto << "1,150" << monto << qint64(11500000);
        QTest::newRow("1.150 at a comma station groups thousands") << kComa << "1.150" << monto << qint64(11500000);
        QTest::newRow("0,150,000 at a point station") << kPunto << "0,150,000" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("0.150.000 at a comma station") << kComa << "0.150.000" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("0.150,5 at a comma station") << kComa << "0.150,5" << int(Lectura::NoEsImporte) << qint64(0);
        QTest::newRow("0,150.5 at a point station") << kPunto << "0,150.5" << int(Lectura::NoEsImporte) << qint64(0);
        // Powers at the ends of a whole number, added to the point's place without overflowing.
        QTest::newRow("smallest power after leading zeros")
            << kPunto << "0.001e-9223372036854775808" << monto << qint64(0);
        QTest::newRow("largest power after leading zeros")
            << kPunto << "0.001e9223372036854775807" << int(Lectura::FueraDeRango) << qint64(0);
        QTest::newRow("smallest power at a comma station")
            << kComa << "0,001e-9223372036854775808" << monto << qint64(0);
        QTest::newRow("a large power meets many leading zeros")
            << kPunto << "0." + QString(60, QLatin1Char('0')) + "15e62" << monto << qint64(150000);
        QTest::newRow("a small power meets many digits")
            << kPunto << "15" + QString(60, QLatin1Char('0')) + "e-60" << monto << qint64(150000);
    }
    void lectura()
    {
        QFETCH(QString, estacion);
        QFETCH(QString, texto);
        QFETCH(int, lectura);
        QFETCH(qint64, diezMilesimos);
        QLocale::setDefault(QLocale(estacion));
        const CotaImporte cota = LeerCotaImporte(texto);
        QCOMPARE(int(cota.lectura), lectura);
        if (cota.lectura == Lectura::Monto)
            QCOMPARE(cota.monto.scaled(), diezMilesimos);
    }
};

QTEST_GUILESS_MAIN(TstReportAmountBound)
#include "tst_report_amount_bound.moc"
