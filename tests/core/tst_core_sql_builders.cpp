// The INSERT/UPDATE builder over the field/value list, the condition builder and the splitter.

#include "core/base/SqlBuilders.h"
#include "data/CadenaConexion.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/Variant.h"
#include "schema/DemoDatabase.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using ModGlobal::CampoValor;

namespace {

// A schema-only company database in the folder, opened on the embedded engine.
bool abrirBaseVacia(const QTemporaryDir& carpeta, ado::Connection& cnn)
{
    const QString archivo = carpeta.filePath("vacia.db");
    QString error;
    if (!schema::CreateEmptyDatabase(archivo, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    cnn.Open(conexion::CadenaServidor("sqlite", archivo, "", "", ""));
    return true;
}

} // namespace

class SqlBuildersTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void agregarCampo_data();
    void agregarCampo();
    void agregarCampoStartsOrExtendsTheList();
    void builtInsertKeepsApostrophesOnTheDatabase();
    void armarSQL_data();
    void armarSQL();
    void armarSQLKeepsOrResetsFields();
    void armarSQLAppendsToSentence();
    void armarCondicion_data();
    void armarCondicion();
    void armarCondicionFindsQuotedCodesOnTheDatabase();
    void separar_data();
    void separar();
};

void SqlBuildersTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void SqlBuildersTest::agregarCampo_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("literal");
    QTest::newRow("text") << "Banco" << "'" << "'Banco'";
    QTest::newRow("apostrophes kept and doubled") << "D'Angelo's" << "'" << "'D''Angelo''s'";
    QTest::newRow("null in lower case") << "null" << "'" << "Null";
    QTest::newRow("NULL as an amount") << "NULL" << "@" << "Null";
    QTest::newRow("amount") << "1234.5" << "@" << "1234.5";
    QTest::newRow("bare number") << "12" << "" << "12";
    QTest::newRow("text reading null inside is a text") << "nullo" << "'" << "'nullo'";
}

void SqlBuildersTest::agregarCampo()
{
    QFETCH(QString, valor);
    QFETCH(QString, tipo);
    QFETCH(QString, literal);
    const QString original = valor;
    ModGlobal::AgregarCampo("CAMPO", valor, tipo, true);
    QCOMPARE(ModGlobal::gCampos, (QVector<CampoValor>{{"CAMPO", literal}}));
    QCOMPARE(valor, original);
}

void SqlBuildersTest::agregarCampoStartsOrExtendsTheList()
{
    ModGlobal::AgregarCampo("A", "1", "", true);
    ModGlobal::AgregarCampo("B", "x", "'", false);
    QCOMPARE(ModGlobal::gCampos, (QVector<CampoValor>{{"A", "1"}, {"B", "'x'"}}));
    ModGlobal::AgregarCampo("C", "2", "", true);
    QCOMPARE(ModGlobal::gCampos, (QVector<CampoValor>{{"C", "2"}}));
}

void SqlBuildersTest::builtInsertKeepsApostrophesOnTheDatabase()
{
    QTemporaryDir carpeta;
    ado::Connection cnn;
    QVERIFY(abrirBaseVacia(carpeta, cnn));

    const QString observacion = "Cheque de O'Brien; 'urgente'";
    ModGlobal::AgregarCampo("CLAVE", "OBS", "'", true);
    ModGlobal::AgregarCampo("VALOR", observacion, "'", false);
    ModGlobal::AgregarCampo("ValorAux", "null", "'", false);
    QString sentencia, condicion;
    ModGlobal::ArmarSQL(sentencia, ModGlobal::gCampos, "TA_CONFIGURACION", false, condicion, false);
    cnn.Execute(sentencia);

    ModGlobal::AgregarCampo("Grupo", "l'equipe", "'", true);
    condicion = "CLAVE = 'OBS'";
    sentencia.clear();
    ModGlobal::ArmarSQL(sentencia, ModGlobal::gCampos, "TA_CONFIGURACION", true, condicion, false);
    cnn.Execute(sentencia);

    ado::Recordset rs;
    rs.Open("SELECT VALOR, ValorAux, Grupo FROM TA_CONFIGURACION WHERE CLAVE = 'OBS'", &cnn);
    QVERIFY(!rs.EOF());
    QCOMPARE(rs["VALOR"].toString(), observacion);
    QVERIFY(rs["ValorAux"].isNull());
    QCOMPARE(rs["Grupo"].toString(), QString("l'equipe"));
}

void SqlBuildersTest::armarSQL_data()
{
    QTest::addColumn<bool>("esUpdate");
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QString>("condicionDespues");

    QTest::newRow("insert") << false << QString() << "INSERT INTO T (A,B) VALUES ('x',12.5)" << QString();
    QTest::newRow("update, condition without WHERE gets two blanks")
        << true << "ID = 3" << "UPDATE T SET A = 'x',B = 12.5  WHERE ID = 3" << " WHERE ID = 3";
    QTest::newRow("update, condition with WHERE unchanged")
        << true << "WHERE ID = 3" << "UPDATE T SET A = 'x',B = 12.5 WHERE ID = 3" << "WHERE ID = 3";
    QTest::newRow("update, lower-case where counts")
        << true << "where ID = 3" << "UPDATE T SET A = 'x',B = 12.5 where ID = 3" << "where ID = 3";
    QTest::newRow("update, the letters inside a value count as WHERE")
        << true << "NOTA = 'elsewhere'" << "UPDATE T SET A = 'x',B = 12.5 NOTA = 'elsewhere'" << "NOTA = 'elsewhere'";
}

void SqlBuildersTest::armarSQL()
{
    QFETCH(bool, esUpdate);
    QFETCH(QString, condicion);
    QFETCH(QString, sentencia);
    QFETCH(QString, condicionDespues);
    QVector<CampoValor> campos{{"A", "'x'"}, {"B", "12.5"}};
    QString s;
    ModGlobal::ArmarSQL(s, campos, "T", esUpdate, condicion, false);
    QCOMPARE(s, sentencia);
    QCOMPARE(condicion, condicionDespues);
}

void SqlBuildersTest::armarSQLKeepsOrResetsFields()
{
    QVector<CampoValor> campos{{"A", "1"}};
    QString s, c;
    ModGlobal::ArmarSQL(s, campos, "T", false, c, true);
    QCOMPARE(campos, (QVector<CampoValor>{{"A", "1"}}));
    s.clear();
    ModGlobal::ArmarSQL(s, campos, "T", false, c, false);
    QCOMPARE(campos, QVector<CampoValor>(1));
    QCOMPARE(s, QString("INSERT INTO T (A) VALUES (1)"));
}

void SqlBuildersTest::armarSQLAppendsToSentence()
{
    QVector<CampoValor> campos{{"A", "1"}};
    QString s = "X";
    QString c;
    ModGlobal::ArmarSQL(s, campos, "T", false, c, false);
    QCOMPARE(s, QString("XINSERT INTO T (A) VALUES (1)"));
}

void SqlBuildersTest::armarCondicion_data()
{
    QTest::addColumn<QStringList>("valores");
    QTest::addColumn<QString>("incluirNulos");   // "true", "false", "null" or another text
    QTest::addColumn<bool>("omitirVacios");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("two values") << QStringList{"01", "02"} << "false" << false
                                << "UN='01' OR UN='02'";
    QTest::newRow("blank kept") << QStringList{"01", " ", "03"} << "false" << false
                                << "UN='01' OR UN=' ' OR UN='03'";
    QTest::newRow("blank omitted") << QStringList{"01", " ", "03"} << "false" << true
                                   << "UN='01' OR UN='03'";
    QTest::newRow("first used even when empty") << QStringList{"", "02"} << "false" << true
                                                << "UN='' OR UN='02'";
    QTest::newRow("with nulls") << QStringList{"01"} << "true" << false << "UN='01' OR UN is null ";
    QTest::newRow("Null counts as false") << QStringList{"01"} << "null" << false << "UN='01'";
    QTest::newRow("no values") << QStringList{} << "true" << false << "1=1";
    QTest::newRow("flag that is no Boolean") << QStringList{"01"} << "quizas" << false << "1=1";
    QTest::newRow("quotes inside a value doubled") << QStringList{"O'H", "'"} << "false" << false
                                                   << "UN='O''H' OR UN=''''";
}

void SqlBuildersTest::armarCondicion()
{
    QFETCH(QStringList, valores);
    QFETCH(QString, incluirNulos);
    const ado::Variant flag = incluirNulos == "true" ? ado::Variant(true)
        : incluirNulos == "false"                    ? ado::Variant(false)
        : incluirNulos == "null"                     ? ado::Variant::Null()
                                                     : ado::Variant(incluirNulos);
    QFETCH(bool, omitirVacios);
    QFETCH(QString, esperado);
    QCOMPARE(ModGlobal::ArmarCondicion("UN", "=", valores, " OR ", "'", flag, omitirVacios), esperado);
}

void SqlBuildersTest::armarCondicionFindsQuotedCodesOnTheDatabase()
{
    QTemporaryDir carpeta;
    ado::Connection cnn;
    QVERIFY(abrirBaseVacia(carpeta, cnn));
    cnn.Execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', 'O''Higgins'), ('B', 'Centro'), "
                "('C', 'x'' OR ''1''=''1')");

    const QString condicion = ModGlobal::ArmarCondicion(" VALOR ", " = ", {"O'Higgins", "Centro"}, " OR ", "'",
                                                        ado::Variant(false), false);
    ado::Recordset rs;
    rs.Open("SELECT CLAVE FROM TA_CONFIGURACION WHERE (" + condicion + ") ORDER BY CLAVE", &cnn);
    QStringList claves;
    for (; !rs.EOF(); rs.MoveNext())
        claves << rs["CLAVE"].toString();
    QCOMPARE(claves, (QStringList{"A", "B"}));

    // A value shaped to widen the condition is one value like any other.
    rs.Open("SELECT CLAVE FROM TA_CONFIGURACION WHERE ("
                + ModGlobal::ArmarCondicion("VALOR", "=", {"x' OR '1'='1"}, " OR ", "'", ado::Variant(false), false)
                + ")",
            &cnn);
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs["CLAVE"].toString(), QString("C"));
}

void SqlBuildersTest::separar_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("delimitador");
    QTest::addColumn<QStringList>("partes");

    QTest::newRow("plain") << "a,b,c" << "," << QStringList{"a", "b", "c", ""};
    QTest::newRow("two delimiters in a row") << "a,,b" << "," << QStringList{"a", "", "b", ""};
    QTest::newRow("trailing delimiter") << "a," << "," << QStringList{"a", ""};
    QTest::newRow("empty text") << "" << "," << QStringList{""};
    QTest::newRow("no delimiter") << "abc" << "," << QStringList{"abc", ""};
    QTest::newRow("delimiter found in any case") << "1Y2y3" << "y" << QStringList{"1", "2", "3", ""};
    QTest::newRow("longer delimiter") << "a--b" << "--" << QStringList{"a", "b", ""};
    QTest::newRow("empty delimiter takes the whole text") << "abc" << "" << QStringList{"abc", ""};
}

void SqlBuildersTest::separar()
{
    QFETCH(QString, texto);
    QFETCH(QString, delimitador);
    QFETCH(QStringList, partes);
    QStringList resultado{"viejo", "contenido"};
    ModGlobal::Separar(texto, delimitador, resultado);
    QCOMPARE(resultado, partes);
    QVERIFY(texto.isEmpty());
}

QTEST_GUILESS_MAIN(SqlBuildersTest)
#include "tst_core_sql_builders.moc"
