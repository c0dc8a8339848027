// The window tests' start-up and clean-up, in one place.

#include "VentanaDePrueba.h"

#include <QSqlQuery>

bool VentanaDePrueba::crearEmpresa()
{
    return empresa.crear(QStringLiteral("oper1"));
}

void VentanaDePrueba::mostrar()
{
    w->Show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void VentanaDePrueba::cargarMarzoSinPreguntas()
{
    ui::ScriptedDialogs d;
    cargarMarzo(*w);
    QVERIFY(d.verifyDone());
}

void VentanaDePrueba::initTestCase()
{
    QVERIFY(crearEmpresa());
    if (m_vida == Vida::PorPrograma)
        abrir();
}

void VentanaDePrueba::init()
{
    if (m_vida == Vida::PorPrueba)
        abrir();
}

void VentanaDePrueba::cleanup()
{
    if (m_vida == Vida::PorPrueba)
        cerrar();
    borrarTemporales();
}

void VentanaDePrueba::cleanupTestCase()
{
    if (m_vida == Vida::PorPrograma)
        cerrar();
}

void VentanaDePrueba::abrir()
{
    QVERIFY(empresa.reiniciar(w));
    alAbrir();
}

void VentanaDePrueba::cerrar()
{
    w.reset();
    alCerrar();
}

// The triggers and tables a test makes to force a failure or to watch the writes live in the connection's
// temporary schema; the program itself makes none there.
void VentanaDePrueba::borrarTemporales()
{
    QSqlQuery objetos(gDB().gCnn.database());
    objetos.exec(QStringLiteral("SELECT type, name FROM sqlite_temp_master WHERE type IN ('trigger', 'table') "
                                "ORDER BY type = 'table'"));
    QStringList borrar;
    while (objetos.next())
        borrar << QStringLiteral("DROP %1 IF EXISTS temp.\"%2\"")
                      .arg(objetos.value(0).toString().toUpper(), objetos.value(1).toString());
    objetos.finish();
    for (const QString& sql : borrar)
        QSqlQuery(gDB().gCnn.database()).exec(sql);
}
