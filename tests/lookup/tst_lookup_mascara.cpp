// The lookup-mask file "consultas.qxd": default records byte for byte, records written by hand read back.
#include "lookup/MascaraConsulta.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ArchivosPrueba.h"

using namespace lookup;

namespace {

QByteArray pad(const QByteArray& text, int width)
{
    return text + QByteArray(width - text.size(), ' ');
}

QByteArray record(const QByteArray& title, const QByteArray& table, const QByteArray& columns,
                  const QByteArray& filter = {})
{
    return pad(title, 100) + pad(table, 100) + pad(columns, 500) + pad(filter, 500) + "\r\n";
}

} // namespace

class TstLookupMascara : public QObject {
    Q_OBJECT

private slots:
    void freshFileHoldsTheSevenDefaultRecords()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("consultas.qxd");
        QString error;
        QVERIFY2(CrearMascaraConsultas(path, &error), qPrintable(error));

        const QByteArray expected = record("ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|")
            + record("CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|")
            + record("PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|")
            + record("CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|")
            + record("VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|")
            + record("TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|")
            + record("MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|");
        const QByteArray written = readFile(path);
        QCOMPARE(written.size(), 8414);
        QCOMPARE(written, expected);
        QCOMPARE(written.left(100), QByteArray("ARTICULOS") + QByteArray(91, ' '));
        QCOMPARE(written.mid(100, 100), QByteArray("V_MA_ARTICULOS") + QByteArray(86, ' '));
    }

    void writerGoesAfterTheLastWholeRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("consultas.qxd");
        const QByteArray own = record("MIA", "MA_CUENTAS", "|DESCRIPCION|CODIGO|");
        QVERIFY(writeFile(path, own + "partial"));
        QVERIFY(CrearMascaraConsultas(path));
        const QByteArray written = readFile(path);
        QCOMPARE(written.size(), 8 * 1202);
        QCOMPARE(written.left(1202), own);
        QCOMPARE(written.mid(1202, 9), QByteArray("ARTICULOS"));
    }

    void unwritableFolderIsReported()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!CrearMascaraConsultas(dir.filePath("missing/consultas.qxd"), &error));
        QVERIFY(!error.isEmpty());
    }

    void recordWrittenByHandReadsBack()
    {
        // "Código €" in the Western code page: ó is 0xF3, the euro sign 0x80.
        const QByteArray bytes = record("C\xf3" "digo \x80", "ma_cuentas", " |DESCRIPCION|CODIGO| ", "titulo = 0");
        const MascaraConsulta m = DecodificarMascara(bytes);
        QCOMPARE(m.Titulo.trimmed(), QString::fromUtf8("Código €"));
        QCOMPARE(m.Tabla.size(), 100);
        QCOMPARE(m.Tabla.trimmed(), QString("ma_cuentas"));
        QCOMPARE(m.Extra.trimmed(), QString("titulo = 0"));
        QCOMPARE(m.FinLinea, QString("\r\n"));
        QCOMPARE(CodificarMascara(m), bytes);
    }

    void longTextIsCutAtItsWidth()
    {
        MascaraConsulta m;
        m.Tabla = QString(150, 'T');
        const QByteArray bytes = CodificarMascara(m);
        QCOMPARE(bytes.size(), 1202);
        QCOMPARE(bytes.mid(100, 100), QByteArray(100, 'T'));
        QCOMPARE(bytes.mid(200, 1), QByteArray(" "));
    }

    void matchingIgnoresCaseAndTakesTheFirstRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("consultas.qxd");
        QByteArray nulPadded = QByteArray("VT_RUBROS") + QByteArray(91, '\0');
        QVERIFY(writeFile(path, record("UNO", "vt_clientes", "|A|B|") + record("DOS", "VT_CLIENTES", "|C|D|")
                            + pad("TRES", 100) + nulPadded + pad("|E|F|", 500) + pad("", 500) + "\r\n"));
        auto first = BuscarMascara(path, "  VT_Clientes ");
        QVERIFY(first.has_value());
        QCOMPARE(first->Titulo.trimmed(), QString("UNO"));
        auto padded = BuscarMascara(path, "VT_RUBROS");
        QVERIFY(padded.has_value());
        QCOMPARE(ColumnasDeMascara(padded->Campos), QString("E,F"));
        QVERIFY(!BuscarMascara(path, "MA_CUENTAS").has_value());
    }

    void unreadableFileIsNoMatch()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!BuscarMascara(dir.path(), "VT_CLIENTES", &error).has_value());
        QVERIFY(!BuscarMascara(dir.filePath("none.qxd"), "VT_CLIENTES", &error).has_value());
        QVERIFY(!error.isEmpty());
    }

    void columnsOfAMask_data()
    {
        QTest::addColumn<QString>("campos");
        QTest::addColumn<QString>("columnas");
        QTest::newRow("two") << "|DESCRIPCION|IDARTICULO|" << "DESCRIPCION,IDARTICULO";
        QTest::newRow("one") << "|NOMBRE|" << "NOMBRE";
        QTest::newRow("padded") << "   |A|B|   " << "A,B";
        QTest::newRow("blank") << QString(500, ' ') << "*";
        QTest::newRow("bars only") << "||" << "*";
        QTest::newRow("no bars") << "A,B" << "A,B";
    }
    void columnsOfAMask()
    {
        QFETCH(QString, campos);
        QFETCH(QString, columnas);
        QCOMPARE(ColumnasDeMascara(campos), columnas);
    }
};

QTEST_GUILESS_MAIN(TstLookupMascara)
#include "tst_lookup_mascara.moc"
