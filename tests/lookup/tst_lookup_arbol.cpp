// The tree lookup window on the chart of accounts and on small statements: levels by code length, finding as
// one types, the server filter, check marks down the branch, and what comes back.
#include "BaseConsultas.h"

#include "lookup/Lib_FrmCons3Tree.h"
#include "platform/ui/TreeView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Each node as "code>parent code" in the order of addition; the root is "A".
QStringList estructura(ui::TreeView& tree)
{
    QStringList s;
    for (int i = 1; i <= tree.Nodes().Count(); ++i) {
        const ui::Node n = tree.Nodes().Item(i);
        s << n.Key() + QLatin1Char('>') + (n.Parent().isNothing() ? QString() : n.Parent().Key());
    }
    return s;
}

QString arbol(const QStringList& codigos)
{
    QStringList partes;
    for (const QString& c : codigos)
        partes << QStringLiteral("select '%1', 'x%1'").arg(c);
    return partes.join(QStringLiteral(" union all "));
}

} // namespace

class TstLookupArbol : public QObject {
    Q_OBJECT

    BaseConsultas base;

    // Runs a tree lookup whose window `fn` drives.
    template <class F>
    void consultar(const QString& sql, const QString& campo, bool marcas, F fn, ui::ScriptedDialogs& d)
    {
        d.onModal<Lib_FrmCons3Tree>([fn](Lib_FrmCons3Tree& w) {
            fn(w);
            return 1;
        });
        Lib_ClsCons3& c = gConsultas();
        c.CampoDevuelto = campo;
        c.Checks = marcas;
        c.ConsultaSearch(sql, nullptr, nullptr, nullptr, nullptr, nullptr, true);
    }

private slots:
    void initTestCase() { QVERIFY(base.iniciar()); }

    void chartOfAccountsByCodeLength()
    {
        ui::ScriptedDialogs d;
        QStringList nodos;
        QString raiz, porCodigo, porDescripcion;
        consultar("select Codigo, Descripcion from MA_CUENTAS order by Codigo", "CODIGO", false,
                  [&](Lib_FrmCons3Tree& w) {
                      nodos = estructura(*w.TreeV);
                      raiz = w.TreeV->Nodes().Item(1).Text();
                      QTest::keyClicks(w.CmbSearch.at(0), "1104");
                      porCodigo = w.TreeV->SelectedItem().Text();
                      w.CmbSearch.at(0)->lineEdit()->clear();
                      QTest::keyClicks(w.CmbSearch.at(0), "muebles");
                      porDescripcion = w.TreeV->SelectedItem().Text();
                      QTest::keyClick(w.TreeV, Qt::Key_Escape);
                  },
                  d);
        QVERIFY(d.verifyDone());
        QCOMPARE(raiz, QString("Consulta..."));
        QCOMPARE(nodos.size(), base.valor("SELECT COUNT(*) FROM MA_CUENTAS").toInt() + 1);
        for (const char* esperado : {"A>", "A1>A", "A11>A1", "A1101>A11", "A1103>A11", "A110301>A1103",
                                     "A1104>A11", "A110401>A1104", "A12>A1", "A2>A", "A5104>A51"})
            QVERIFY2(nodos.contains(esperado), esperado);
        QCOMPARE(porCodigo, QString("1104 - CREDITOS FISCALES"));
        QCOMPARE(porDescripcion, QString("120102 - Muebles y útiles"));
        QCOMPARE(gConsultas().ValorDevuelto, QString());
    }

    void checkingABranchReturnsItsCodes()
    {
        ui::ScriptedDialogs d;
        consultar("select Codigo, Descripcion from MA_CUENTAS where Codigo like '12%' or Codigo = '2' order by Codigo",
                  "CODIGO", true,
                  [&](Lib_FrmCons3Tree& w) {
                      ui::Node rubro = w.TreeV->Nodes().Item("A12");
                      rubro.setChecked(true);
                      w.TreeV_NodeCheck(rubro);
                      QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
                  },
                  d);
        QVERIFY(d.verifyDone());
        QCOMPARE(gConsultas().Valores, (QStringList{"12", "1201", "120101", "120102"}));
        QVERIFY(!gConsultas().Checks);
    }

    // A checked root checks every node below it; its empty code comes back first.
    void checkedRootReturnsItsEmptyCodeFirst()
    {
        ui::ScriptedDialogs d;
        consultar("select codigo, descripcion from TA_CCOSTO order by codigo", "CODIGO", true,
                  [&](Lib_FrmCons3Tree& w) {
                      ui::Node raiz = w.TreeV->Nodes().Item(1);
                      raiz.setChecked(true);
                      w.TreeV_NodeCheck(raiz);
                      QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
                  },
                  d);
        QVERIFY(d.verifyDone());
        QStringList esperado{QString()};
        ado::Recordset rs;
        rs.Open("select codigo from TA_CCOSTO order by codigo", &gDB().gCnn);
        for (; !rs.EOF(); rs.MoveNext())
            esperado << rs.Fields(0).Value().toText().trimmed();
        QVERIFY(esperado.size() > 2);
        QCOMPARE(gConsultas().Valores, esperado);
    }

    void marksGoDownSixLevels()
    {
        ui::ScriptedDialogs d;
        QList<bool> marcas;
        consultar(arbol({"1", "12", "123", "1234", "12345", "123456", "1234567", "12345678"}), "CODIGO", true,
                  [&](Lib_FrmCons3Tree& w) {
                      ui::Node primero = w.TreeV->Nodes().Item("A1");
                      primero.setChecked(true);
                      w.TreeV_NodeCheck(primero);
                      for (int i = 2; i <= w.TreeV->Nodes().Count(); ++i)
                          marcas << w.TreeV->Nodes().Item(i).Checked();
                      primero.setChecked(false);
                      w.TreeV_NodeCheck(primero);
                      marcas << w.TreeV->Nodes().Item("A12").Checked();
                      QTest::keyClick(w.TreeV, Qt::Key_Escape);
                  },
                  d);
        QVERIFY(d.verifyDone());
        QCOMPARE(marcas, (QList<bool>{true, true, true, true, true, true, true, false, false}));
    }

    void singleChoiceLooksTheCodeUp_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("nodo");
        QTest::addColumn<QString>("valor");
        QTest::newRow("cost centre") << "select codigo, descripcion from TA_CCOSTO order by codigo" << "CODIGO"
                                     << "A0002" << "0002";
        QTest::newRow("family") << "select IDFAMILIA, Descripcion from V_TA_FAMILIAS order by IDFAMILIA"
                                << "idfamilia" << "A0101" << "0101";
        QTest::newRow("account is no cost centre") << "select Codigo, Descripcion from MA_CUENTAS order by Codigo"
                                                   << "CODIGO" << "A1101" << "";
        QTest::newRow("family missing from its table") << "select '9999', 'Sin familia'" << "IDFAMILIA"
                                                       << "A9999" << "";
        QTest::newRow("column without a table") << "select codigo, descripcion from TA_CCOSTO order by codigo"
                                                << "DESCRIPCION" << "A0002" << "";
    }
    void singleChoiceLooksTheCodeUp()
    {
        QFETCH(QString, sql);
        QFETCH(QString, campo);
        QFETCH(QString, nodo);
        QFETCH(QString, valor);
        ui::ScriptedDialogs d;
        consultar(sql, campo, false,
                  [&](Lib_FrmCons3Tree& w) {
                      w.TreeV->setSelectedItem(w.TreeV->Nodes().Item(nodo));
                      QTest::mouseDClick(w.TreeV->viewport(), Qt::LeftButton, {},
                                         w.TreeV->visualItemRect(w.TreeV->currentItem()).center());
                  },
                  d);
        QVERIFY(d.verifyDone());
        QCOMPARE(gConsultas().ValorDevuelto, valor);
    }

    void serverFilterKeepsTheOrder()
    {
        ui::ScriptedDialogs d;
        QString sql1, sql2;
        QStringList filtrado, nodos;
        consultar("select Codigo, Descripcion from MA_CUENTAS order by Codigo", "CODIGO", false,
                  [&](Lib_FrmCons3Tree& w) {
                      QComboBox* caja = w.CmbSearch.at(0);
                      QTest::keyClicks(caja, "ban");
                      QTest::keyClick(caja, Qt::Key_F5);
                      sql1 = w.SQL;
                      filtrado = estructura(*w.TreeV);
                      QTest::keyClicks(caja, "d'a");
                      QTest::keyClick(caja, Qt::Key_F5);
                      sql2 = w.SQL;
                      nodos = estructura(*w.TreeV);
                      QTest::keyClick(w.TreeV, Qt::Key_Escape);
                  },
                  d);
        QVERIFY(d.verifyDone());
        QCOMPARE(sql1, QString("select Codigo, Descripcion from MA_CUENTAS  where Descripcion like '%ban%' "
                               "order by Codigo"));
        QCOMPARE(sql2, QString("select Codigo, Descripcion from MA_CUENTAS  where Descripcion like '%ban%'  and "
                               "Descripcion like '%d''a%' order by Codigo"));
        QCOMPARE(filtrado, (QStringList{"A>", "A1101>A", "A1105>A", "A1106>A", "A5101>A"}));
        QCOMPARE(nodos, QStringList{"A>"});
    }

    void repeatedCodeIsSkippedOnIgnore()
    {
        ui::ScriptedDialogs d;
        QStringList nodos;
        d.expectErrorDialog(ui::vbIgnore).withRoutine("ArmarTreeVAutomatico");
        consultar(arbol({"01", "01", "02"}), "CODIGO", false,
                  [&](Lib_FrmCons3Tree& w) {
                      nodos = estructura(*w.TreeV);
                      QTest::keyClick(w.TreeV, Qt::Key_Escape);
                  },
                  d);
        QVERIFY(d.verifyDone());
        QCOMPARE(nodos, (QStringList{"A>", "A01>A", "A02>A"}));
    }
};

QTEST_MAIN(TstLookupArbol)
#include "tst_lookup_arbol.moc"
