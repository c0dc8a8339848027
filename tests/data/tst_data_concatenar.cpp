// Joined texts in each platform's dialect: on the embedded engine the joined value is read back from a real
// company file, Null parts counting as empty; the server forms use their own null and join operators.

#include "BaseDePrueba.h"
#include "data/Concatenar.h"

class TstConcatenar : public QObject {
    Q_OBJECT
private slots:
    void valorUnidoEnLaBase_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("both") << "0001" << "00012345" << "000100012345";
        QTest::newRow("first null") << QString() << "00012345" << "00012345";
        QTest::newRow("second null") << "0001" << QString() << "0001";
        QTest::newRow("both null") << QString() << QString() << "";
        QTest::newRow("numbers as text") << "12" << "30" << "1230";
    }

    void valorUnidoEnLaBase()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, esperado);
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gCnn.Execute(QStringLiteral("CREATE TABLE partes (a VARCHAR(10), b VARCHAR(10))"));
        db.gCnn.ExecuteBound(QStringLiteral("INSERT INTO partes (a, b) VALUES (?, ?)"),
                             {a.isNull() ? ado::Variant::Null() : ado::Variant(a),
                              b.isNull() ? ado::Variant::Null() : ado::Variant(b)});
        const QString sql = QStringLiteral("SELECT ") + ConcatenarTextos(db.gPlataforma, {QStringLiteral("a"), QStringLiteral("b")})
            + QStringLiteral(" AS unido FROM partes");
        const ado::RowSet filas = db.gCnn.Query(sql);
        QCOMPARE(filas.rows.size(), 1);
        QCOMPARE(filas.rows.at(0).at(0).toString(), esperado);
        // The engine got the text as built: nothing was left for the rewrite to guess.
        QVERIFY2(!base.sentencias.isEmpty() && base.sentencias.last() == sql, qPrintable(base.sentencias.join('\n')));
    }

    void formasDeLosServidores()
    {
        const QStringList partes{QStringLiteral("T.SUCURSAL"), QStringLiteral("T.NUMERO")};
        const QString sqlServer = ConcatenarTextos(Plataforma::SqlServer, partes);
        QVERIFY(sqlServer.contains(QLatin1String("ISNULL(T.SUCURSAL,'')")));
        QVERIFY(sqlServer.contains(QLatin1Char('+')) && !sqlServer.contains(QLatin1String("||")));
        const QString oracle = ConcatenarTextos(Plataforma::Oracle, partes);
        QVERIFY(oracle.contains(QLatin1String("NVL(T.NUMERO,'')")));
        QVERIFY(oracle.contains(QLatin1String("||")) && !oracle.contains(QLatin1Char('+')));
        QCOMPARE(ConcatenarTextos(Plataforma::Sqlite, {}), QStringLiteral("''"));
    }
};

QTEST_MAIN(TstConcatenar)
#include "tst_data_concatenar.moc"
