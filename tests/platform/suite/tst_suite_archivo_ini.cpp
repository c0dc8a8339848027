// The station file reader on a real Windows-1252 file with CR LF, odd letter case and "|" in a section name.
#include "platform/suite/ArchivoIni.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using suite::ArchivoIni;

namespace {

// Writes the station file as the suite's programs do: Windows-1252, CR LF.
void escribir(const QString& ruta, const QByteArray& contenido)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

const QByteArray kEstacion =
    "; station settings\r\n"
    "[Iconos]\r\n"
    "IconoDelSistema = ICONPROPIO\r\n"
    "\r\n"
    "[pc01|Operador]\r\n"
    "flattoolbars=0\r\n"
    "Vacia=\r\n"
    "Servidor = x|SRV\\SQL2000 \r\n"
    "Empresa=A\xf1o \x80 Ca\xf1" "ada\r\n"    // "Año € Cañada" in Windows-1252
    "sin igual\r\n"
    "[PC01|OPERADORBaseDeDatos]\r\n"
    "Servidor=otro\r\n"
    "[Otra]\r\n"
    "FlatToolbars=7\r\n";

} // namespace

class TstArchivoIni : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("CONCCUENTAS_HOME", m_dir.path().toLocal8Bit());
        escribir(m_dir.filePath("CN000pr.INI"), kEstacion);
    }

    void leerIni_data()
    {
        QTest::addColumn<QString>("seccion");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("section and key in other case") << "PC01|OPERADOR" << "FlatToolbars" << "0";
        QTest::newRow("plain section") << "iconos" << "ICONODELSISTEMA" << "ICONPROPIO";
        QTest::newRow("value kept raw") << "PC01|OPERADOR" << "Servidor" << "x|SRV\\SQL2000";
        QTest::newRow("Windows-1252 value") << "PC01|OPERADOR" << "empresa" << "Año € Cañada";
        QTest::newRow("empty value is not the default") << "PC01|OPERADOR" << "Vacia" << "";
        QTest::newRow("section whose name goes on") << "PC01|OPERADORBaseDeDatos" << "Servidor" << "otro";
        QTest::newRow("missing key") << "PC01|OPERADOR" << "UserPassWord" << "def";
        QTest::newRow("line without =") << "PC01|OPERADOR" << "sin igual" << "def";
        QTest::newRow("missing section") << "PC02|OPERADOR" << "FlatToolbars" << "def";
        QTest::newRow("key of another section") << "Iconos" << "FlatToolbars" << "def";
    }
    void leerIni()
    {
        QFETCH(QString, seccion);
        QFETCH(QString, clave);
        QFETCH(QString, esperado);
        QCOMPARE(ArchivoIni::LeerIni("CN000pr.INI", seccion, clave, "def"), esperado);
    }

    void archivoQueFaltaDaElValorPorDefecto()
    {
        QCOMPARE(ArchivoIni::LeerIni("NOESTA.INI", "Iconos", "IconoDelSistema", "ICONVOSTREL"), "ICONVOSTREL");
    }

    void rutaAbsolutaYFinesDeLineaLF()
    {
        const QString ruta = m_dir.filePath("otro.ini");
        escribir(ruta, "[A|B]\nclave = valor\n");
        QCOMPARE(ArchivoIni::LeerIni(ruta, "a|b", "CLAVE", "def"), "valor");
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstArchivoIni)
#include "tst_suite_archivo_ini.moc"
