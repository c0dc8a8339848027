// Configuration on the real company schema: Cfg, GrabaDfg and the keys CargarConfiguracion loads.

#include "CoreDatabase.h"
#include "core/Configuration.h"
#include "core/Globals.h"
#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

using namespace ModGlobal;

class ConfigurationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cfgReadsDemoRows();
    void cfgMissingKeyIsOneBlank();
    void cfgKeyWithQuote();
    void cfgDateKeysUpperCaseTheStatement();
    void grabaDfgRoundTrip();
    void grabaDfgKeepsValorAuxWhenEmpty();
    void grabaDfgKeepsApostrophes();
    void grabaDfgReportsFailure_data();
    void grabaDfgReportsFailure();
    void loadedKeys_data();
    void loadedKeys();
    void userRow_data();
    void userRow();

private:
    // Writes (or deletes, for a null value) one configuration row directly.
    void fila(const QString& clave, const QString& valor);
    CoreDatabase m_db;
    ui::ScriptedDialogs* m_dialogos = nullptr;
};

void ConfigurationTest::initTestCase()
{
    QVERIFY(m_db.crear());
    ui::ScriptedDialogs d;
    m_db.iniciar();
    QVERIFY(gDB().gOpenFlag);
    QVERIFY(d.verifyDone());
}

void ConfigurationTest::init()
{
    m_dialogos = new ui::ScriptedDialogs;
    gTablaConfig = QStringLiteral("ta_configuracion");
}

void ConfigurationTest::cleanup()
{
    const bool ok = m_dialogos->verifyDone();
    delete m_dialogos;
    m_dialogos = nullptr;
    QVERIFY(ok);
}

void ConfigurationTest::fila(const QString& clave, const QString& valor)
{
    QSqlQuery q(gDB().gCnn.database());
    q.prepare(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = ?"));
    q.addBindValue(clave);
    QVERIFY(q.exec());
    if (valor.isNull())
        return;
    q.prepare(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, PoliticaNegocio) VALUES (?, ?, 0)"));
    q.addBindValue(clave);
    q.addBindValue(valor);
    QVERIFY(q.exec());
}

void ConfigurationTest::cfgReadsDemoRows()
{
    QCOMPARE(Cfg("PERIODO"), QString::number(schema::kPeriodo));
    QCOMPARE(Cfg("  ToleranciaRedondeo  "), QString(schema::kTolerance));
    QCOMPARE(Cfg("nombre"), QString(schema::kCompanyName));   // the key column ignores case
    QCOMPARE(gPeriodo, schema::kPeriodo);                      // loaded at start-up
}

void ConfigurationTest::cfgMissingKeyIsOneBlank()
{
    QString aux = "antes";
    QCOMPARE(Cfg("NO_EXISTE_ESTA_CLAVE", aux), QString(" "));
    QCOMPARE(aux, QString());
    gTablaConfig.clear();
    QCOMPARE(Cfg("NO_EXISTE_ESTA_CLAVE"), QString(" "));
    QCOMPARE(gTablaConfig, QString("TA_CONFIGURACION"));
}

void ConfigurationTest::cfgKeyWithQuote()
{
    // The key goes into the statement with its quote doubled: no syntax error, no dialog.
    QCOMPARE(Cfg("O'BRIEN"), QString(" "));
    fila("O'BRIEN", "irlandes");
    QCOMPARE(Cfg("O'BRIEN"), QString("irlandes"));
}

void ConfigurationTest::cfgDateKeysUpperCaseTheStatement()
{
    QStringList sentencias;
    gDB().gCnn.setStatementLog([&](const QString& s) { sentencias << s; });
    Cfg("[fecha desde]");
    Cfg("Otra");
    gDB().gCnn.setStatementLog({});
    QCOMPARE(sentencias.size(), 2);
    QCOMPARE(sentencias.at(0), QString("SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA DESDE]'"));
    QCOMPARE(sentencias.at(1), QString("SELECT VALOR, valoraux FROM ta_configuracion WHERE CLAVE = 'Otra'"));
}

void ConfigurationTest::grabaDfgRoundTrip()
{
    QVERIFY(GrabaDfg("PRUEBA_RT", QString("  valor uno  "), "aux uno", 1, "GRUPO1"));
    QString aux;
    QCOMPARE(Cfg("PRUEBA_RT", aux), QString("valor uno"));
    QCOMPARE(aux, QString("aux uno"));
    QSqlQuery q(gDB().gCnn.database());
    QVERIFY(q.exec("SELECT CLAVE, PoliticaNegocio, Grupo FROM TA_CONFIGURACION WHERE CLAVE = 'PRUEBA_RT'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("PRUEBA_RT"));
    QCOMPARE(q.value(1).toInt(), 1);
    QCOMPARE(q.value(2).toString(), QString("GRUPO1"));

    // A second save of the same key updates the row; a number is stored as its text.
    QVERIFY(GrabaDfg("PRUEBA_RT", 15, "", 0, "GRUPO1"));
    QCOMPARE(Cfg("PRUEBA_RT"), QString("15"));
    QVERIFY(q.exec("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'PRUEBA_RT'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);

    // The key is written trimmed and in upper case.
    QVERIFY(GrabaDfg(" minuscula ", QString("SI"), "", 0, ""));
    QVERIFY(q.exec("SELECT CLAVE FROM TA_CONFIGURACION WHERE VALOR = 'SI' AND CLAVE LIKE '%MINUSCULA%'"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("MINUSCULA"));
}

void ConfigurationTest::grabaDfgKeepsValorAuxWhenEmpty()
{
    QVERIFY(GrabaDfg("PRUEBA_AUX", QString("a"), "guardado", 0, "G"));
    QVERIFY(GrabaDfg("PRUEBA_AUX", QString("b"), "", 0, "G"));
    QString aux;
    QCOMPARE(Cfg("PRUEBA_AUX", aux), QString("b"));
    QCOMPARE(aux, QString("guardado"));
}

void ConfigurationTest::grabaDfgKeepsApostrophes()
{
    QVERIFY(GrabaDfg("CUENTA'S", QString("D'Angelo y O'Brien"), "l'aux", 0, "G'1"));
    QString aux;
    QCOMPARE(Cfg("CUENTA'S", aux), QString("D'Angelo y O'Brien"));
    QCOMPARE(aux, QString("l'aux"));
}

void ConfigurationTest::grabaDfgReportsFailure_data()
{
    QTest::addColumn<int>("respuesta");
    QTest::newRow("abort") << int(ui::vbAbort);
    QTest::newRow("ignore") << int(ui::vbIgnore);
}

void ConfigurationTest::grabaDfgReportsFailure()
{
    QFETCH(int, respuesta);
    QSqlQuery q(gDB().gCnn.database());
    QVERIFY(q.exec("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON TA_CONFIGURACION WHEN NEW.CLAVE = 'RECHAZADA' "
                   "BEGIN SELECT RAISE(ABORT, 'clave rechazada'); END"));
    m_dialogos->expectMsgBox(respuesta).containing("clave rechazada").containing("Ha ocurrido el Siguiente Error (");
    const bool guardado = GrabaDfg("RECHAZADA", QString("x"), "", 0, "G");
    QVERIFY(q.exec("DROP TRIGGER rechazo"));
    QVERIFY(!guardado);
    QCOMPARE(Cfg("RECHAZADA"), QString(" "));
    QCOMPARE(m_dialogos->log().at(0).title.contains("GrabaDfg"), true);
    QFile log(m_db.archivoEnCarpeta("QXERR.LOG"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("- GrabaDfg Mensaje"));
}

void ConfigurationTest::loadedKeys_data()
{
    // key | stored value (null: no row) | what the global reads as text after loading
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("esperado");
    const QString sinFila;
    QTest::newRow("flag SI") << "USACCOSTO" << "SI" << "true";
    QTest::newRow("flag si in lower case") << "USACCOSTO" << "si" << "true";
    QTest::newRow("flag NO") << "USACCOSTO" << "NO" << "false";
    QTest::newRow("flag missing") << "USACCOSTO" << sinFila << "false";
    QTest::newRow("flag with blank is compared untrimmed") << "UsaConsultaLike" << " SI" << "false";
    QTest::newRow("trimmed flag") << "VALIDACODIGOBARRA" << " SI " << "true";
    QTest::newRow("work orders missing is yes") << "ModuloOrdenDeTrabajo" << sinFila << "true";
    QTest::newRow("work orders no") << "ModuloOrdenDeTrabajo" << "no" << "false";
    QTest::newRow("price change no") << "V_ModificaCPrecio" << "no" << "false";
    QTest::newRow("price change blank NO is yes") << "V_ModificaCPrecio" << " NO" << "true";
    QTest::newRow("price change other text") << "V_ModificaCPrecio" << "quizas" << "true";
    QTest::newRow("price change missing") << "V_ModificaCPrecio" << sinFila << "false";
    QTest::newRow("period half to even down") << "PERIODO" << "2.5" << "2";
    QTest::newRow("period half to even up") << "PERIODO" << "3.5" << "4";
    QTest::newRow("period missing") << "PERIODO" << sinFila << "0";
    QTest::newRow("background missing") << "CFondo" << sinFila << QString::number(0xFFFF00);
    QTest::newRow("background zero") << "CFondo" << "0" << QString::number(0xFFFF00);
    QTest::newRow("background set") << "CFondo" << "255" << "255";
    QTest::newRow("text colour missing") << "CLetra" << sinFila << "0";
    QTest::newRow("decimals kept untrimmed") << "CantidadDecimales" << " 3" << " 3";
    QTest::newRow("decimals missing is one blank") << "CantidadDecimales" << sinFila << " ";
    QTest::newRow("row limit blank") << "Top_Default" << "  " << "1000";
    QTest::newRow("row limit") << "Top_Default" << "50" << "50";
    QTest::newRow("title trimmed") << "TituloClientes" << "  Clientes  " << "Clientes";
}

void ConfigurationTest::loadedKeys()
{
    QFETCH(QString, clave);
    QFETCH(QString, valor);
    QFETCH(QString, esperado);
    const QHash<QString, std::function<QString()>> globales{
        {"USACCOSTO", [] { return QVariant(gUsaCentroCosto).toString(); }},
        {"UsaConsultaLike", [] { return QVariant(gUsaConsultaLike).toString(); }},
        {"VALIDACODIGOBARRA", [] { return QVariant(gValidaCodigoBarra).toString(); }},
        {"ModuloOrdenDeTrabajo", [] { return QVariant(gModuloOrdenDeTrabajo).toString(); }},
        {"V_ModificaCPrecio", [] { return QVariant(gVModificaCPrecio).toString(); }},
        {"PERIODO", [] { return QString::number(gPeriodo); }},
        {"CFondo", [] { return QString::number(gColorFondo); }},
        {"CLetra", [] { return QString::number(gColorLetra); }},
        {"CantidadDecimales", [] { return gCantidadDecimales; }},
        {"Top_Default", [] { return gTopDefault; }},
        {"TituloClientes", [] { return gTituloClientes; }},
    };
    QSqlQuery q(gDB().gCnn.database());
    q.prepare("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = ?");
    q.addBindValue(clave);
    QVERIFY(q.exec());
    const QString antes = q.next() ? q.value(0).toString() : QString();
    fila(clave, valor);
    CargarConfiguracion(m_db.carpeta.path() + "/");
    const QString leido = globales.value(clave)();
    fila(clave, antes);
    QCOMPARE(leido, esperado);
    QCOMPARE(gRutaTareas, m_db.carpeta.path() + "/QXDOCTareas.qxd");
}

void ConfigurationTest::userRow_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("proforma");   // the "UsaFacturaProforma" key
    QTest::addColumn<QString>("unidad");
    QTest::addColumn<bool>("verProforma");
    QTest::newRow("admin with proforma") << QString(schema::kAdminUser) << "SI" << QString(schema::kBusinessUnit) << true;
    QTest::newRow("operator without proforma right") << QString(schema::kOperatorUser) << "SI"
                                                     << QString(schema::kBusinessUnit) << false;
    QTest::newRow("no proforma: the row is not asked") << QString(schema::kAdminUser) << "NO"
                                                       << QString(schema::kBusinessUnit) << false;
    QTest::newRow("no user row") << "nadie" << "SI" << "   1" << true;
    QTest::newRow("user with a quote") << "o'neil" << "NO" << "   1" << false;
}

void ConfigurationTest::userRow()
{
    QFETCH(QString, usuario);
    QFETCH(QString, proforma);
    QFETCH(QString, unidad);
    QFETCH(bool, verProforma);
    const QString antes = gUsuarioLogeado;
    gUsuarioLogeado = usuario;
    fila("UsaFacturaProforma", proforma);
    gUNegocio.clear();
    CargarConfiguracion(m_db.carpeta.path() + "/");
    gUsuarioLogeado = antes;
    fila("UsaFacturaProforma", QString());
    QCOMPARE(gUNegocio, unidad);
    QCOMPARE(gUsaFacturaProforma, verProforma);
}

QTEST_MAIN(ConfigurationTest)
#include "tst_core_configuration.moc"
