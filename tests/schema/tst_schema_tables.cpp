// The schema of the company database: every table and column the program names, the keys that guard a
// journal line against a second registration, identifiers and dates as the program writes them.

#include "schema/DemoDatabase.h"
#include "schema/SchemaTestDb.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList words(const char* list)
{
    return QString::fromLatin1(list).split(QLatin1Char('|'));
}

QStringList sorted(QStringList list)
{
    list.sort(Qt::CaseSensitive);
    return list;
}

const char kJournalColumns[] =
    "CUENTA|SECUENCIA|MES_OPERATIVO|NUMERO ASIENTO|PERIODO|TIPO_REG|FECHA|VENCIMIENTO|TC|SUCURSAL|NUMERO|LETRA|"
    "IMPORTE|DETALLE|TC_ORIGEN|CPTE_ORIGEN|UNEGOCIO|USUARIO_LOGEADO|DEBE-HABER|CABCUENTA|NROCOMPROBANTEBANCARIO|"
    "IDBANCO|ESRESUMEN|LIVA_TIPO|LIVA_ImpNetoGrav|LIVA_ImpNetoNGrav|Liva_Exento|Liva_ImpIva|Liva_ImpIvaRec|"
    "LIVA_Ret_Perc|LIVA_Ret_IBtos|LIVA_Ret_Ganancias|Liva_Total|Liva_ImpIva2|Liva_ImpIva3|LIVA_ImpIVA4|"
    "LIVA_IMPIVA1TERCEROS|LIVA_IMPIVA2TERCEROS|liva_aliciva|liva_aliciva2|liva_aliciva3|liva_aliciva4|"
    "liva_alicivaREC|LIVA_ALICIVA1TERCEROS|LIVA_ALICIVA2TERCEROS";

const char kReconciliationLineColumns[] =
    "ID|IDCONCILIACION|FECHA|CUENTA|SECUENCIA|MES_OPERATIVO|NUMERO ASIENTO|PERIODO|TIPO_REG|FINALIZADA|FECHAMOV|"
    "VENCIMIENTO|TC|COMPROBANTE|IMPORTE|CONCEPTO|TC_ORIGEN|CPTE_ORIGEN";

const char kVoucherColumns[] =
    "TC|IDCOMPROBANTE|CUENTA|NOMBRE|DOMICILIO|LOCALIDAD|CODIGOPOSTAL|TELEFONO|COMENTARIOS|FECHA|UNEGOCIO|importe|"
    "importe_s_iva|porcdescuento1|porcdescuento2|porcdescuento3|porcdescuento4|impdescuento1|impdescuento2|"
    "impdescuento3|impdescuento4|ImporteImpuestosInternos|AlicIva|AlicIva2|AlicIvaRec|ImporteIva|ImporteIva2|"
    "ImporteIvaRec";

const char kArticleColumns[] =
    "IDARTICULO|DESCRIPCION|SUSPENDIDO|PUNTOPEDIDO|Stock|PRECIO1|PRECIO2|PRECIO3|PRECIO4|PRECIO5|PRECIO6|PRECIO7|"
    "PRECIO8";

// An insert of one registration row, as the workbench writes it (period quoted, key numbers bare).
QString registration(const QString& table, const QString& cuenta, int secuencia, const QString& periodo,
                     const QString& tipoReg, int idConciliacion)
{
    return QStringLiteral("INSERT INTO %1 (IDCONCILIACION, FECHA, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO],"
                          " PERIODO, TIPO_REG, FINALIZADA, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO)"
                          " VALUES ('%2', '2026-03-10 00:00:00', '%3', %4, 3, 57, '%5', '%6', 0,"
                          " '2026-03-05 00:00:00', 'FC', '000100000010A', 100, 'Cobro')")
        .arg(table, QString::number(idConciliacion).rightJustified(15, QLatin1Char(' ')), cuenta)
        .arg(secuencia)
        .arg(periodo, tipoReg);
}

} // namespace

class TstSchema : public QObject {
    Q_OBJECT

private slots:
    void init();

    void inventoryTablesHaveTheirColumns_data();
    void inventoryTablesHaveTheirColumns();
    void writtenViewsAreTablesAndSynonymsAreViews_data();
    void writtenViewsAreTablesAndSynonymsAreViews();

    void journalLineIsRegisteredOnlyOnce_data();
    void journalLineIsRegisteredOnlyOnce();
    void reconciliationNumbersOrderAsNumbers();
    void lineIdsKeepIncreasingAfterADelete();
    void editLockRowIsOnePerStationAndUser();
    void configurationKeyIgnoresCase();

    void dateColumnsCompareWithDayMonthYear_data();
    void dateColumnsCompareWithDayMonthYear();
    void amountsKeepFourDecimals();

    void existingFileIsNeverOverwritten();
    void failedCreationLeavesNoFile();

private:
    QString emptyDatabase();

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TstSchema::init()
{
    QVERIFY(m_dir.isValid());
}

QString TstSchema::emptyDatabase()
{
    const QString file = m_dir.filePath(QStringLiteral("empty%1.db").arg(++m_files));
    QString error;
    if (!schema::CreateEmptyDatabase(file, &error))
        qWarning("%s", qPrintable(error));
    return file;
}

void TstSchema::inventoryTablesHaveTheirColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    auto row = [](const char* table, const QStringList& columns) { QTest::newRow(table) << QString::fromLatin1(table) << columns; };
    row("MV_CONCILIACION", words(kReconciliationLineColumns) + words("IDCONCAUX|CONCILIADO|CONCILIADOCON"));
    row("MV_CONCILIACION_AUX", words(kReconciliationLineColumns) + words("CONCILIA"));
    row("MV_CONCILIACION_CAB",
        words("IDCONCILIACION|TIPO|CUENTA|FECHA|OBSERVACIONES|FECHADESDE|FECHAHASTA|UNEGOCIO|USUARIO|FINALIZADA"));
    row("MV_CONCILIACION_Cpte_AUX", words("IdCpte|IdCpteAux"));
    row("V_MV_CTROL_CPTE", words("TC|SUCURSAL|NUMERO|LETRA|USUARIO"));
    row("V_MV_FALTANTES", words("FechaHora|IdArticulo|Descripcion|Usuario"));
    row("CONTROL_ACCESO", words("ID|EGRESO"));
    row("TA_CONFIGURACION", words("CLAVE|VALOR|ValorAux|PoliticaNegocio|Grupo"));
    row("ta_usuarios", words("nombre|Administrador|UNegocio|VerProforma"));
    row("MA_CUENTAS", words("Codigo|CodigoOpcional|Descripcion|Titulo|DADA_DE_BAJA|TIPOVISTA"));
    row("MV_ASIENTOS", words(kJournalColumns));
    row("MV_ASIENTOSCCOSTO",
        words("PERIODO|MES_OPERATIVO|NUMERO ASIENTO|TIPO_REG|SECUENCIA|Cuenta|CCosto|Porcentaje|Importe"));
    row("MV_EJERCICIOS", words("periodo|FECHA DESDE|FECHA HASTA"));
    row("V_TA_UNIDADNEGOCIO", words("codigo|descripcion"));
    row("TA_CCOSTO", words("codigo|descripcion"));
    row("ve_saldosctaAC", words("cuenta|descripcion|saldo|fecha|unidadnegocio"));
    row("VE_SALDOSCTAAC_CCosto", words("cuenta|saldo|fecha|unidadnegocio|CCosto|descripcionCC"));
    row("VT_Asientos_CCosto", words("cuenta|fecha|tc|sucursal|numero|letra|detalle|ccosto|DEBE-HABER|importe|"
                                    "importecc|porcentaje|unegocio"));
    row("VT_ASIENTOS_CCOSTO1", words("porcentaje|importecc|tc|sucursal|numero|letra|CCosto|cuenta"));
    row("TA_COMPROBANTES", words("CODIGO|DESCRIPCION"));
    row("V_MV_CPTEACCIONES",
        words("TC|IDCOMPROBANTE|IDCOMPLEMENTO|NUMEROASIENTO|TIPO_ACCION|FECHAHORA|USUARIO|PC|SYSTEMUSER"));
    row("V_TA_BANCOS", words("IdBanco|DESCRIPCION"));
    row("V_MV_Cpte", words(kVoucherColumns) + words("IDCOMPLEMENTO|MATRICULA|MODELO|SERIE|FECHAESTINICIO|FECHAESTFIN|"
                                                    "AlicIva3|AlicIva4|ImpIVA3|ImpIVA4|RETGAN_Importe|"
                                                    "RETIBR_Importe|RETIVA_Importe"));
    // A payment read on the purchase side shows its withholdings too.
    row("C_MV_Cpte", words(kVoucherColumns) + words("RETGAN_Importe|RETIBR_Importe|RETIVA_Importe"));
    row("MA_CUENTASADIC", words("CODIGO|contacto"));
    row("V_MV_CPTEInsumos",
        words("TC|idcomprobante|idcomplemento|IDARTICULO|DESCRIPCION|IDUNIDAD|CANTIDAD|IMPORTE|TOTAL|IMPORTEDTO"));
    row("C_mv_CPTEInsumos", words("CUENTA|TC|idcomprobante|IDARTICULO|DESCRIPCION|IDUNIDAD|CANTIDAD|IMPORTE|TOTAL"));
    row("V_MV_CPTETareas", words("TC|idcomprobante|idcomplemento|IDTAREA|DESCRIPCION|HORAS|VALORHORA|TOTAL"));
    row("C_mv_CPTETareas", words("CUENTA|TC|idcomprobante|IDTAREA|DESCRIPCION|HORAS|VALORHORA|TOTAL"));
    row("V_MV_CPTE_Observ", words("TC|idcomprobante|idcomplemento|TIPO_OBS|OBSERVACION|IMPORTE"));
    row("C_mv_CPTE_Observ", words("CUENTA|TC|idcomprobante|TIPO_OBS|OBSERVACION|IMPORTE"));
    row("MV_APLICACION", words("TC|SUCURSAL|NUMERO|LETRA|IDCOMPROBANTE|TCO_ORIGEN|SUCURSAL_ORIGEN|NUMERO_ORIGEN|"
                               "LETRA_ORIGEN|IDCOMPROBANTE_ORIGEN|IMPORTE"));
    row("VT_TA_CPTE", words("CODIGO|DESCRIPCION"));
    row("VT_V_TA_CPTE", words("CODIGO|DESCRIPCION"));
    row("SS_MA_CUENTAS", words("Codigo|CodigoOpcional|Descripcion|Titulo|DADA_DE_BAJA|TIPOVISTA"));
    row("SS_MV_ASIENTOS", words(kJournalColumns));
    row("VT_MA_ARTICULOS", words(kArticleColumns));
    row("V_MA_ARTICULOS", words(kArticleColumns));
    row("STK_MA_ARTICULOS", words(kArticleColumns));
    row("VT_CLIENTES", words("CODIGO|RAZON_SOCIAL|CONTACTO|Dada_De_Baja"));
    row("VT_PROVEEDORES", words("CODIGO|RAZON_SOCIAL|Dada_De_Baja"));
    row("MA_CONTACTOS", words("Nombre_y_Apellido|Domicilio|Localidad|Telefono"));
    row("V_TA_VENDEDORES", words("IDVENDEDOR|NOMBRE"));
    row("V_TA_TECNICOS", words("IDTECNICO|NOMBRE"));
    row("V_MA_MANTENIMIENTOS", words("CODIGO|DESCRIPCION"));
    row("V_TA_FAMILIAS", words("IDFAMILIA|Descripcion"));
    row("SS_V_TA_FAMILIAS", words("IDFAMILIA|Descripcion"));
    row("MA_POSICIONES", words("IDPOSICION|Descripcion"));
}

void TstSchema::inventoryTablesHaveTheirColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    SchemaTestDb db(emptyDatabase());
    QVERIFY(db.isOpen());
    QCOMPARE(sorted(db.columns(table)), sorted(columns));
}

void TstSchema::writtenViewsAreTablesAndSynonymsAreViews_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::newRow("edit lock") << "V_MV_CTROL_CPTE" << "table";
    QTest::newRow("missing articles") << "V_MV_FALTANTES" << "table";
    QTest::newRow("balances") << "ve_saldosctaAC" << "table";
    QTest::newRow("accounts synonym") << "SS_MA_CUENTAS" << "view";
    QTest::newRow("journal synonym") << "SS_MV_ASIENTOS" << "view";
    QTest::newRow("families synonym") << "SS_V_TA_FAMILIAS" << "view";
}

void TstSchema::writtenViewsAreTablesAndSynonymsAreViews()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    SchemaTestDb db(emptyDatabase());
    QCOMPARE(db.scalar(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ?"), {name}).toString(), kind);
}

void TstSchema::journalLineIsRegisteredOnlyOnce_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<int>("secuencia");
    QTest::addColumn<QString>("periodo");
    QTest::addColumn<QString>("tipoReg");
    QTest::addColumn<bool>("accepted");
    for (const char* table : {"MV_CONCILIACION", "MV_CONCILIACION_AUX"}) {
        const QString t = QString::fromLatin1(table);
        QTest::addRow("%s same line", table) << t << "1101" << 2 << "2026" << "N" << false;
        QTest::addRow("%s padded account", table) << t << "1101   " << 2 << "2026" << "N" << false;
        QTest::addRow("%s record type in lower case", table) << t << "1101" << 2 << "2026" << "n" << false;
        QTest::addRow("%s padded period", table) << t << "1101" << 2 << "  2026" << "N" << false;
        QTest::addRow("%s next line of the entry", table) << t << "1101" << 3 << "2026" << "N" << true;
        QTest::addRow("%s other account", table) << t << "1102" << 2 << "2026" << "N" << true;
        QTest::addRow("%s other period", table) << t << "1101" << 2 << "2025" << "N" << true;
    }
}

// A second registration of a line fails whichever reconciliation or station tries it.
void TstSchema::journalLineIsRegisteredOnlyOnce()
{
    QFETCH(QString, table);
    QFETCH(QString, cuenta);
    QFETCH(int, secuencia);
    QFETCH(QString, periodo);
    QFETCH(QString, tipoReg);
    QFETCH(bool, accepted);
    SchemaTestDb db(emptyDatabase());
    QCOMPARE(db.exec(registration(table, QStringLiteral("1101"), 2, QStringLiteral("2026"), QStringLiteral("N"), 1)),
             QString());
    const QString error = db.exec(registration(table, cuenta, secuencia, periodo, tipoReg, 2));
    QCOMPARE(error.isEmpty(), accepted);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)), accepted ? 2 : 1);
}

// Numbers are written padded to 15 characters and the next one is proposed from the highest.
void TstSchema::reconciliationNumbersOrderAsNumbers()
{
    SchemaTestDb db(emptyDatabase());
    for (const char* id : {"             9", "12             ", "            10"}) {
        QCOMPARE(db.exec(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FINALIZADA)"
                                        " VALUES ('%1', 'CTA', '1101', '0')")
                             .arg(QLatin1String(id))),
                 QString());
        QCOMPARE(db.exec(registration(QStringLiteral("MV_CONCILIACION"), QStringLiteral("1101"),
                                      QString::fromLatin1(id).trimmed().toInt(), QStringLiteral("2026"),
                                      QStringLiteral("N"), QString::fromLatin1(id).trimmed().toInt())),
                 QString());
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT IDCONCILIACION FROM MV_CONCILIACION ORDER BY IDCONCILIACION DESC")).toInt(),
             12);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '            12'")),
             1);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE LTRIM(RTRIM(IDCONCILIACION)) = '9'")),
             1);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE FINALIZADA = 0")), 3);
}

// The workbench reads a new row's ID back as the table's highest: a freed highest ID is not given again.
void TstSchema::lineIdsKeepIncreasingAfterADelete()
{
    SchemaTestDb db(emptyDatabase());
    for (const QString& table : {QStringLiteral("MV_CONCILIACION"), QStringLiteral("MV_CONCILIACION_AUX")}) {
        QCOMPARE(db.exec(registration(table, QStringLiteral("1101"), 1, QStringLiteral("2026"), QStringLiteral("N"), 1)),
                 QString());
        QCOMPARE(db.exec(registration(table, QStringLiteral("1101"), 2, QStringLiteral("2026"), QStringLiteral("N"), 1)),
                 QString());
        QCOMPARE(db.exec(QStringLiteral("DELETE FROM %1 WHERE ID = 2").arg(table)), QString());
        QCOMPARE(db.exec(registration(table, QStringLiteral("1101"), 3, QStringLiteral("2026"), QStringLiteral("N"), 1)),
                 QString());
        QCOMPARE(db.scalar(QStringLiteral("SELECT MAX(ID) FROM %1").arg(table)).toInt(), 3);
        QCOMPARE(db.scalar(QStringLiteral("SELECT SECUENCIA FROM %1 WHERE ID = 3").arg(table)).toInt(), 3);
    }
}

void TstSchema::editLockRowIsOnePerStationAndUser()
{
    SchemaTestDb db(emptyDatabase());
    const QString lock = QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA,USUARIO)"
                                        " VALUES('CCCC','0001','00000001','X','%1')");
    QCOMPARE(db.exec(lock.arg(QLatin1String("STATION1|oper1"))), QString());
    QVERIFY(!db.exec(lock.arg(QLatin1String("STATION1|OPER1"))).isEmpty());
    QCOMPARE(db.exec(lock.arg(QLatin1String("STATION2|admin1"))), QString());
    QCOMPARE(db.exec(QStringLiteral("DELETE FROM v_mv_ctrol_cpte WHERE TC='CCCC' and SUCURSAL='0001' AND NUMERO='00000001'")),
             QString());
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM V_MV_CTROL_CPTE")), 0);
}

// The settings are written with upper-case keys and read with mixed case; one key, one row.
void TstSchema::configurationKeyIgnoresCase()
{
    SchemaTestDb db(emptyDatabase());
    QCOMPARE(db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, Grupo, PoliticaNegocio)"
                                    " VALUES ('CONCCTAS_CFG1101', '0001100', 'DATOS', 0)")),
             QString());
    QCOMPARE(db.scalar(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'concctas_cfg1101 '")).toString(),
             QStringLiteral("0001100"));
    QVERIFY(!db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('ConcCtas_Cfg1101', 'x')"))
                 .isEmpty());
}

void TstSchema::dateColumnsCompareWithDayMonthYear_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("rows");
    QTest::newRow("equal day/month/year") << "FECHADESDE = '01/03/2026'" << 1;
    QTest::newRow("equal ISO day") << "FECHADESDE = '2026-03-01'" << 1;
    QTest::newRow("range in day/month/year") << "FECHADESDE >= '01/03/2026' AND FECHAHASTA <= '31/03/2026'" << 1;
    QTest::newRow("later day, earlier as text") << "FECHAHASTA < '15/02/2027'" << 1;
    QTest::newRow("before the start") << "FECHADESDE < '01/03/2026'" << 0;
    QTest::newRow("after the end") << "FECHAHASTA > '31/03/2026'" << 0;
}

void TstSchema::dateColumnsCompareWithDayMonthYear()
{
    QFETCH(QString, condition);
    QFETCH(int, rows);
    SchemaTestDb db(emptyDatabase());
    QCOMPARE(db.exec(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, FECHADESDE, FECHAHASTA)"
                                    " VALUES (1, '2026-03-01 00:00:00', '2026-03-31 00:00:00')")),
             QString());
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB WHERE ") + condition), rows);
}

void TstSchema::amountsKeepFourDecimals()
{
    SchemaTestDb db(emptyDatabase());
    QCOMPARE(db.exec(registration(QStringLiteral("MV_CONCILIACION"), QStringLiteral("1101"), 1, QStringLiteral("2026"),
                                  QStringLiteral("N"), 1)),
             QString());
    QCOMPARE(db.exec(QStringLiteral("UPDATE MV_CONCILIACION SET IMPORTE = '1234567.8901'")), QString());
    QCOMPARE(db.scalar(QStringLiteral("SELECT IMPORTE FROM MV_CONCILIACION")).toString(), QStringLiteral("1234567.8901"));
    QCOMPARE(db.scalar(QStringLiteral("SELECT typeof(IMPORTE) FROM MV_CONCILIACION")).toString(), QStringLiteral("real"));
}

void TstSchema::existingFileIsNeverOverwritten()
{
    const QString file = m_dir.filePath(QStringLiteral("kept.db"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database, but somebody's file");
    }
    QString error;
    QVERIFY(!schema::CreateEmptyDatabase(file, &error));
    QVERIFY(error.contains(QLatin1String("exists")));
    error.clear();
    QVERIFY(!schema::CreateCompanyDatabase(file, schema::Options{}, &error));
    QVERIFY(!error.isEmpty());
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("not a database, but somebody's file"));
}

void TstSchema::failedCreationLeavesNoFile()
{
    const QString file = m_dir.filePath(QStringLiteral("no/such/folder/company.db"));
    QString error;
    QVERIFY(!schema::CreateCompanyDatabase(file, schema::Options{}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(file));
    QVERIFY(!schema::CreateCompanyDatabase(m_dir.filePath(QStringLiteral("negative.db")), schema::Options{-1, 1}, &error));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("negative.db"))));
}

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema_tables.moc"
