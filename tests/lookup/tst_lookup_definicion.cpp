// Lookup definitions by table name, and the lookup they run (the mask road and the direct road).
#include "BaseConsultas.h"

#include "lookup/DefinicionConsulta.h"
#include "lookup/Lib_FrmCons3.h"
#include "platform/ui/ListView.h"

class TstLookupDefinicion : public QObject {
    Q_OBJECT

    BaseConsultas base;

    QString mascaras() const { return base.archivoEnCarpeta("consultas.qxd"); }

private slots:
    void initTestCase() { QVERIFY(base.iniciar()); }

    void definitionOfAName_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("vista");
        QTest::addColumn<QString>("descripcion");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("adicional");
        QTest::newRow("vouchers view") << "TA_COMPROBANTES" << "VT_TA_Cpte" << "Descripcion" << "Codigo" << "";
        QTest::newRow("group A keeps the caller's letters") << "v_ta_bancos" << "v_ta_bancos" << "DESCRIPCION"
                                                            << "IDbanco" << "";
        QTest::newRow("cash desks keep the plural") << "V_TA_Cajas" << "V_TA_Cajas" << "DESCRIPCION" << "IDCajas"
                                                    << "";
        QTest::newRow("technicians") << "V_TA_Tecnicos" << "V_TA_Tecnicos" << "NOMBRE" << "IDTecnico" << "";
        QTest::newRow("purchase-sale condition") << "V_TA_CPRA_VTA" << "V_TA_CPRA_VTA" << "DESCRIPCION"
                                                 << "IDCOND_CPRA_VTA" << "";
        QTest::newRow("group P") << "P_TA_Grupos" << "P_TA_Grupos" << "Descripcion" << "IDGrupo" << "";
        QTest::newRow("areas keep the plural") << "P_TA_Areas" << "P_TA_Areas" << "Descripcion" << "IDAreas" << "";
        QTest::newRow("companies") << "P_MA_Empresas" << "P_MA_Empresas" << "NombreEmpresa" << "IDEmpresa" << "";
        QTest::newRow("functions") << "P_TA_Funciones" << "P_TA_Funciones" << "DESCRIPCION" << "IDFunciones" << "";
        QTest::newRow("group T") << "TA_Rubros" << "TA_Rubros" << "DESCRIPCION" << "IDRubro" << "";
        QTest::newRow("article type") << "TA_TipoArticulo" << "TA_TipoArticulo" << "DESCRIPCION" << "IDTIPO" << "";
        QTest::newRow("articles view") << "V_MA_ARTICULOS" << "V_MA_ARTICULOS" << "DESCRIPCION" << "IDARTICULO"
                                       << "DESCRIPCION";
        QTest::newRow("drivers") << "MA_CHOFERES" << "MA_CHOFERES" << "APELLIDO" << "CODIGO" << "NOMBRES";
        QTest::newRow("users") << "TA_USUARIOS" << "TA_USUARIOS" << "NOMBRE" << "NOMBRE" << "";
        QTest::newRow("any TA_") << "TA_Monedas" << "TA_Monedas" << "DESCRIPCION" << "CODIGO" << "DESCRIPCION";
        QTest::newRow("suppliers") << "MA_PROVEEDORES" << "MA_PROVEEDORES" << "Razon_Social" << "Codigo"
                                   << "Razon_Social";
        QTest::newRow("customers") << "MA_CLIENTES" << "MA_CLIENTES" << "Razon_Social" << "Codigo"
                                   << "Codigo_sucursal";
        QTest::newRow("any MA_") << "MA_CUENTAS" << "MA_CUENTAS" << "Descripcion" << "Codigo" << "Descripcion";
        QTest::newRow("bracketed") << "[MA_CAMIONES]" << "[MA_CAMIONES]" << "nombre" << "Codigo" << "nombre";
        QTest::newRow("projects") << "MV_PROYECTOS" << "MV_PROYECTOS" << "ASUNTO" << "ID" << "ASUNTO";
    }
    void definitionOfAName()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, vista);
        QFETCH(QString, descripcion);
        QFETCH(QString, codigo);
        QFETCH(QString, adicional);
        const auto def = lookup::DefinicionPorTabla(tabla);
        QVERIFY(def.has_value());
        QCOMPARE(def->tabla, vista);
        QCOMPARE(def->descripcion, descripcion);
        QCOMPARE(def->codigo, codigo);
        QCOMPARE(def->adicional, adicional);
    }

    void unknownNameHasNoDefinition()
    {
        QVERIFY(!lookup::DefinicionPorTabla("VT_V_TA_CPTE").has_value());
        QVERIFY(!lookup::DefinicionPorTabla("MV_ASIENTOS").has_value());
    }

    void maskRoadReturnsTheChosenCode()
    {
        QVERIFY(QFile::exists(mascaras()));
        ui::ScriptedDialogs d;
        QString sql;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            w.ListView1->setSelectedItem(w.ListView1->ListItems().Item(w.Busqueda(0, "Estudio")));
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            return 1;
        });
        QString tabla = "VT_CLIENTES", descripcion, codigo = "IDCLIENTE", adicional, condicion;
        QVERIFY(ModGlobal::DefinirConsulta(tabla, descripcion, codigo, adicional, false, condicion));
        QVERIFY(d.verifyDone());
        QVERIFY2(sql.contains("FROM VT_CLIENTES WHERE Dada_De_Baja = 0"), qPrintable(sql));
        QCOMPARE(codigo, QString("110303"));
    }

    void statementOfTheDefinitionWhenNoMaskMatches()
    {
        ui::ScriptedDialogs d;
        QString sql;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            QTest::keyClick(w.ListView1, Qt::Key_Escape);
            return 0;
        });
        QString tabla = "TA_CCOSTO", descripcion, codigo, adicional, condicion;
        QVERIFY(!ModGlobal::DefinirConsulta(tabla, descripcion, codigo, adicional, false, condicion));
        QVERIFY(d.verifyDone());
        QCOMPARE(sql, QString(" select DESCRIPCION,CODIGO from TA_CCOSTO "));
        QCOMPARE(codigo, QString("CODIGO"));   // a cancel leaves the column name
    }

    void withoutMaskFile()
    {
        QVERIFY(QFile::rename(mascaras(), mascaras() + ".aparte"));
        ui::ScriptedDialogs d;
        QString tabla = "V_TA_VENDEDORES", descripcion, codigo, adicional, condicion;
        QVERIFY(!ModGlobal::DefinirConsulta(tabla, descripcion, codigo, adicional, false, condicion));
        QCOMPARE(codigo, QString("idvendedor"));
        QCOMPARE(adicional, QString("NOMBRE"));

        QString sql;
        d.onModal<Lib_FrmCons3>([&](Lib_FrmCons3& w) {
            sql = w.SQL;
            w.ListView1->setSelectedItem(w.ListView1->ListItems().Item(w.Busqueda(0, "Roberto")));
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            return 1;
        });
        QVERIFY(ModGlobal::DefinirConsulta(tabla, descripcion, codigo, adicional, true, condicion));
        QVERIFY(QFile::rename(mascaras() + ".aparte", mascaras()));
        QVERIFY(d.verifyDone());
        QCOMPARE(sql, QString(" select NOMBRE,idvendedor from V_TA_VENDEDORES "));
        QCOMPARE(codigo, QString("0001"));
    }
};

QTEST_MAIN(TstLookupDefinicion)
#include "tst_lookup_definicion.moc"
