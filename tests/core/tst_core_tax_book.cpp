// The tax-book match of a journal line: which book records the line's amount, on rows written for each case.

#include "CoreDatabase.h"
#include "core/TaxBook.h"
#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QTest>

using namespace ModGlobal;

class TaxBookTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void letter_data();
    void letter();
    void firstReturnedRowDecides();
    void accountHasNoEffect();
    void quotesInKeysAreSafe();
    void onlyOneQueryPerCall();
    void matchRule_data();
    void matchRule();

private:
    // One journal row of entry (month 3, entry 900) of voucher FC 0001 00000900 A.
    void fila(int secuencia, const QString& libro, int resumen, const QString& columna, const QString& valor);
    CoreDatabase m_db;
    ui::ScriptedDialogs* m_dialogos = nullptr;
    QStringList m_sentencias;
};

void TaxBookTest::initTestCase()
{
    QVERIFY(m_db.crear());
    ui::ScriptedDialogs d;
    m_db.iniciar();
    QVERIFY(gDB().gOpenFlag);
    QVERIFY(d.verifyDone());
    gDB().gCnn.setStatementLog([this](const QString& s) { m_sentencias << s; });
}

void TaxBookTest::init()
{
    m_dialogos = new ui::ScriptedDialogs;
    gDB().gCnn.Execute(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = 900"));
    m_sentencias.clear();
}

void TaxBookTest::cleanup()
{
    const bool ok = m_dialogos->verifyDone();
    delete m_dialogos;
    QVERIFY(ok);
}

void TaxBookTest::fila(int secuencia, const QString& libro, int resumen, const QString& columna, const QString& valor)
{
    gDB().gCnn.Execute(
        QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, "
                       "TC, SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, ESRESUMEN, LIVA_TIPO, %1) VALUES ('2101', %2, 3, "
                       "900, 2026, 'N', '2026-03-01 00:00:00', 'FC', '0001', '00000900', 'A', 'H', 1, %3, %4, %5)")
            .arg(columna)
            .arg(secuencia)
            .arg(resumen)
            .arg(libro.isNull() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(libro), valor));
}

static QString consultar(const QString& importe, const QString& tc = QStringLiteral("FC "),
                         const QString& cuenta = QStringLiteral("1101"))
{
    return ValidaTCRegistraciones(tc, QStringLiteral("0001"), QStringLiteral("00000900"), QStringLiteral(" A"),
                                  ado::Variant(QStringLiteral("N")), QStringLiteral(" 900"), QStringLiteral("3"), cuenta,
                                  *ado::Currency::parse(importe));
}

void TaxBookTest::letter_data()
{
    QTest::addColumn<QString>("libro");
    QTest::addColumn<int>("resumen");
    QTest::addColumn<QString>("columna");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("importe");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("sales tax equals the line") << "Ventas" << 0 << "Liva_ImpIva" << "210" << "210" << "V";
    QTest::newRow("purchase total") << "Compras" << 0 << "Liva_Total" << "1210" << "1210" << "C";
    QTest::newRow("book text in another case") << "VENTAS" << 0 << "LIVA_ImpIVA4" << "5" << "5" << "V";
    QTest::newRow("stored negative matches a positive line") << "Ventas" << 0 << "LIVA_Ret_Ganancias" << "-35.5"
                                                             << "35.5" << "V";
    QTest::newRow("a negative line never matches") << "Ventas" << 0 << "Liva_ImpIva" << "-210" << "-210" << "";
    QTest::newRow("one hundredth apart") << "Ventas" << 0 << "Liva_ImpIva" << "210.01" << "210" << "";
    QTest::newRow("summary row only") << "Ventas" << 1 << "Liva_ImpIva" << "210" << "210" << "";
    QTest::newRow("no tax book") << QString() << 0 << "Liva_ImpIva" << "210" << "210" << "";
    QTest::newRow("other book text") << "Otros" << 0 << "Liva_ImpIva" << "210" << "210" << "";
    QTest::newRow("Null amount") << "Ventas" << 0 << "Liva_ImpIva" << "NULL" << "0" << "";
}

void TaxBookTest::letter()
{
    QFETCH(QString, libro);
    QFETCH(int, resumen);
    QFETCH(QString, columna);
    QFETCH(QString, valor);
    QFETCH(QString, importe);
    QFETCH(QString, esperado);
    fila(1, libro, resumen, columna, valor);
    QCOMPARE(consultar(importe), esperado);
}

void TaxBookTest::firstReturnedRowDecides()
{
    fila(1, QStringLiteral("Compras"), 0, QStringLiteral("Liva_Exento"), QStringLiteral("100"));
    fila(2, QStringLiteral("Ventas"), 0, QStringLiteral("Liva_Total"), QStringLiteral("100"));
    QCOMPARE(consultar(QStringLiteral("100")), QStringLiteral("C"));
    fila(3, QStringLiteral("Ventas"), 0, QStringLiteral("Liva_ImpIva"), QStringLiteral("7"));
    QCOMPARE(consultar(QStringLiteral("7")), QStringLiteral("V"));   // a row without the amount is passed by
}

void TaxBookTest::accountHasNoEffect()
{
    fila(1, QStringLiteral("Ventas"), 0, QStringLiteral("Liva_ImpIva"), QStringLiteral("21"));
    QCOMPARE(consultar(QStringLiteral("21"), QStringLiteral("FC"), QStringLiteral("1101")), QStringLiteral("V"));
    QCOMPARE(consultar(QStringLiteral("21"), QStringLiteral("FC"), QStringLiteral("9999")), QStringLiteral("V"));
}

void TaxBookTest::quotesInKeysAreSafe()
{
    fila(1, QStringLiteral("Ventas"), 0, QStringLiteral("Liva_ImpIva"), QStringLiteral("21"));
    QCOMPARE(consultar(QStringLiteral("21"), QStringLiteral("FC' OR '1'='1")), QString());
    QCOMPARE(ValidaTCRegistraciones(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000900"),
                                    QStringLiteral("A"), ado::Variant(QStringLiteral("N")),
                                    QStringLiteral("900 OR 1=1"), QStringLiteral("3"), {}, *ado::Currency::parse("21")),
             QString());
}

void TaxBookTest::onlyOneQueryPerCall()
{
    fila(1, QStringLiteral("Ventas"), 0, QStringLiteral("Liva_ImpIva"), QStringLiteral("21"));
    m_sentencias.clear();
    consultar(QStringLiteral("21"));
    QCOMPARE(m_sentencias.size(), 1);
    QVERIFY(m_sentencias.first().contains(QStringLiteral("LIVA_TIPO = 'Compras' or LIVA_TIPO = 'Ventas'")));
}

void TaxBookTest::matchRule_data()
{
    QTest::addColumn<QStringList>("importes");   // twelve amounts in comparison order, "" for Null
    QTest::addColumn<QString>("linea");
    QTest::addColumn<bool>("coincide");
    const QStringList ceros(12, QStringLiteral("0"));
    auto con = [&](std::initializer_list<std::pair<int, const char*>> v) {
        QStringList l = ceros;
        for (auto [i, s] : v)
            l[i] = QLatin1String(s);
        return l;
    };
    QTest::newRow("net sum") << con({{0, "400"}, {1, "50.25"}, {2, "50"}}) << "500.25" << true;
    QTest::newRow("tax sum of five") << con({{3, "10"}, {4, "1"}, {9, "2"}, {10, "3"}, {11, "4"}}) << "20" << true;
    QTest::newRow("withholding sum") << con({{5, "-1"}, {6, "-2"}, {7, "-3"}}) << "6" << true;
    QTest::newRow("a sum with a missing part") << con({{0, "400"}, {1, ""}, {2, "100"}}) << "500" << false;
    QTest::newRow("a missing amount skips only itself") << con({{0, ""}, {8, "77"}}) << "77" << true;
    QTest::newRow("zero line matches zero amounts") << ceros << "0" << true;
    QTest::newRow("nothing equal") << con({{8, "10"}}) << "11" << false;
}

void TaxBookTest::matchRule()
{
    QFETCH(QStringList, importes);
    QFETCH(QString, linea);
    QFETCH(bool, coincide);
    ImportesLibroIva valores;
    for (int i = 0; i < 12; ++i)
        valores[i] = importes[i].isEmpty() ? ado::Variant::Null() : ado::Variant(*ado::Currency::parse(importes[i]));
    QCOMPARE(CoincideConLibroIva(valores, *ado::Currency::parse(linea)), coincide);
}

QTEST_GUILESS_MAIN(TaxBookTest)
#include "tst_core_tax_book.moc"
