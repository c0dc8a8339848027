// The hidden menu window: answer codes of the items, dismissal, hidden and checked items.

#include "core/FrmMenus.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using ModGlobal::FrmMenus;

class FrmMenusTest : public QObject {
    Q_OBJECT
private slots:
    void firstReadIsEmpty();
    void answerCodes_data();
    void answerCodes();
    void dismissalKeepsPreviousAnswer();
    void itemWithoutRuleKeepsAnswer();
    void cancelItemsOfHidingPopups();
    void lineMenuLayout();
    void hiddenAndCheckedItems();
    void indexedMembers();
    void sharedInstanceKeepsAnswer();
};

void FrmMenusTest::firstReadIsEmpty()
{
    FrmMenus w;
    QCOMPARE(w.PRespuesta, QString());
    QVERIFY(w.isHidden());
}

void FrmMenusTest::answerCodes_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("codigo");
    QTest::newRow("mark") << "mnu_EmergenteZ1" << "mnu_EmergenteZ1_MarcarSel" << "MarCarSel";
    QTest::newRow("remove") << "mnu_EmergenteZ1" << "mnu_EmergenteZ1_QuitarSel" << "QuitarSel";
    QTest::newRow("voucher") << "mnu_EmergenteZ1" << "mnu_EmergenteZ1_VerAsiento" << "VerComprobante";
    QTest::newRow("cancel stores Cancelar") << "mnu_EmergenteZ1" << "mnu_EmergenteZ1_Cancelar" << "Cancelar";
    QTest::newRow("menu name in other case") << "MNU_EMERGENTEZ1" << "mnu_EmergenteZ1_MarcarSel" << "MarCarSel";
    QTest::newRow("submenu item") << "MNU_EmergenteXV" << "MNU_View_Icono" << "Iconos";
    QTest::newRow("shared code") << "MNU_EmergenteVII" << "MNU_EmergenteVIIDescartarEsta" << "AnularActual";
    QTest::newRow("caption rule") << "MNU_EmergenteIII" << "MNU_EmergenteIII_Tecnicos" << "(Tecnico)";
    QTest::newRow("tag rule on member 0") << "MNU_EmergenteXI" << "MNU_EmergenteXIMenu" << "";
    QTest::newRow("fixed cancel code") << "mnu_emergenteXXXII" << "mnu_emergenteXXXII_Cancelar" << "NP_Cancelar";
}

void FrmMenusTest::answerCodes()
{
    QFETCH(QString, menu);
    QFETCH(QString, item);
    QFETCH(QString, codigo);
    ui::ScriptedDialogs d;
    d.expectPopup(item);
    FrmMenus w;
    w.PRespuesta = "antes";
    QVERIFY(w.Mostrar(menu));
    QCOMPARE(w.PRespuesta, codigo);
    QVERIFY(d.verifyDone());
}

void FrmMenusTest::dismissalKeepsPreviousAnswer()
{
    ui::ScriptedDialogs d;
    d.expectPopup("mnu_EmergenteZ1_MarcarSel");
    d.dismissPopup();
    FrmMenus w;
    QVERIFY(w.Mostrar(w.mnu_EmergenteZ1()));
    QVERIFY(!w.Mostrar(w.mnu_EmergenteZ1()));
    QCOMPARE(w.PRespuesta, QString("MarCarSel"));
    QVERIFY(d.verifyDone());
}

void FrmMenusTest::itemWithoutRuleKeepsAnswer()
{
    ui::ScriptedDialogs d;
    d.expectPopup("MNU_EmergenteXXXIRechazar");
    FrmMenus w;
    w.PRespuesta = "previo";
    QVERIFY(w.Mostrar("mnu_EmergenteXXXI"));
    QCOMPARE(w.PRespuesta, QString("previo"));
    QVERIFY(d.verifyDone());
}

void FrmMenusTest::cancelItemsOfHidingPopups()
{
    FrmMenus w;
    w.show();
    w.PRespuesta = "previo";
    w.Click("MNU_EmergenteII_Cancelar");
    QCOMPARE(w.PRespuesta, QString("previo"));
    QVERIFY(w.isHidden());

    w.show();
    w.Click("MNU_Emergente_Cancelar");
    QCOMPARE(w.PRespuesta, QString());
    QVERIFY(w.isHidden());

    w.show();
    w.PRespuesta = "previo";
    w.Click("MNU_EmergenteIII_Cancelar");
    QCOMPARE(w.PRespuesta, QString());
    QVERIFY(w.isHidden());

    // The line menu does not hide the window.
    w.show();
    w.Click("mnu_EmergenteZ1_Cancelar");
    QVERIFY(w.isVisible());
}

void FrmMenusTest::lineMenuLayout()
{
    FrmMenus w;
    QStringList textos;
    for (QAction* a : w.mnu_EmergenteZ1()->actions())
        textos << (a->isSeparator() ? QString("-") : a->text());
    QCOMPARE(textos, (QStringList{"&Marcar los registros seleccionados", "-",
                                  "&Quitar de la conciliacion los registros seleccionados", "-",
                                  "&Ver detalle del Comprobante", "-", "&Cancelar"}));
}

void FrmMenusTest::hiddenAndCheckedItems()
{
    FrmMenus w;
    QAction* verAsiento = w.Item("MNU_Emergente_XV_VerAsiento");
    QVERIFY(verAsiento);
    QVERIFY(!verAsiento->isVisible());
    // A hidden item keeps its rule when clicked by code.
    w.Click("MNU_Emergente_XV_VerAsiento");
    QCOMPARE(w.PRespuesta, QString("VerAsiento"));

    QAction* aprobar = w.Item("MNU_EmergenteVIAprobar");
    QVERIFY(aprobar->isChecked());
    ui::ScriptedDialogs d;
    d.expectPopup("MNU_EmergenteVIAprobar");
    QVERIFY(w.Mostrar("MNU_EmergenteVI"));
    QCOMPARE(w.PRespuesta, QString("Aprobar"));
    QVERIFY(aprobar->isChecked());
    QVERIFY(d.verifyDone());
}

void FrmMenusTest::indexedMembers()
{
    FrmMenus w;
    QAction* segundo = w.CargarItem("MNU_EmergenteXIMenu", 1);
    QVERIFY(segundo);
    QCOMPARE(w.CargarItem("MNU_EmergenteXIMenu", 1), segundo);
    segundo->setText("Ventas");
    segundo->setData(QString("MENU_VENTAS"));
    w.Click("MNU_EmergenteXIMenu", 1);
    QCOMPARE(w.PRespuesta, QString("MENU_VENTAS"));
    w.Click("MNU_EmergenteXIMenu", 0);
    QCOMPARE(w.PRespuesta, QString());

    QAction* tecnico = w.CargarItem("MNU_EmergenteIII_Tecnicos", 1);
    tecnico->setText("  Juan Perez  ");
    w.Click("MNU_EmergenteIII_Tecnicos", 1);
    QCOMPARE(w.PRespuesta, QString("Juan Perez"));
    // The new member sits right after member 0, before the separator.
    const QList<QAction*> items = w.Menu("MNU_EmergenteIII")->actions();
    QCOMPARE(items.indexOf(tecnico), 1);

    QVERIFY(!w.CargarItem("mnu_EmergenteZ1_Cancelar", 1));   // not an indexed item
}

void FrmMenusTest::sharedInstanceKeepsAnswer()
{
    ModGlobal::frmMenus().Click("mnu_EmergenteZ1_QuitarSel");
    ModGlobal::frmMenus().Salir();
    QCOMPARE(ModGlobal::frmMenus().PRespuesta, QString("QuitarSel"));
}

QTEST_MAIN(FrmMenusTest)
#include "tst_core_frm_menus.moc"
