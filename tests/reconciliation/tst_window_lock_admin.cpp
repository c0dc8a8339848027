// The edit lock as an administrator: another station's lock may be taken over after a question, and the
// administrator then gives back only the lock row of its own.

#include "VentanaDePrueba.h"

namespace {

const QString kOtro = QStringLiteral("OTRA|oper1");

void bloqueoDeOtro(int numero)
{
    EmpresaDePrueba::ejecutar(QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA, USUARIO) VALUES "
                                             "('CCCC', '0001', '%1', 'X', '%2')")
                                  .arg(numero, 8, 10, QLatin1Char('0'))
                                  .arg(kOtro));
}

void cabecera(int numero, const char* tipo)
{
    EmpresaDePrueba::ejecutar(
        QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHADESDE, FECHAHASTA, "
                       "FINALIZADA) VALUES (%1, '%2', '1101', '2026-03-01', '2026-03-31', 0)")
            .arg(numero)
            .arg(QLatin1String(tipo)));
}

QStringList titulares()
{
    QStringList t = EmpresaDePrueba::filasDe(QStringLiteral("SELECT USUARIO FROM V_MV_CTROL_CPTE"));
    t.sort();
    return t;
}

QStringList ambos()
{
    QStringList t{kOtro, conciliacion::EntornoPrograma().Propietario()};
    t.sort();
    return t;
}

} // namespace

class TstWindowLockAdmin : public VentanaDePrueba {
    Q_OBJECT

private:
    void pregunta(ui::ScriptedDialogs& d, int respuesta)
    {
        d.expectMsgBox(respuesta)
            .withText(QStringLiteral("El usuario: ") + kOtro
                      + QStringLiteral(", esta modificando este comprobante!\r\nDesea modificarlo?"))
            .withStyle(ui::vbYesNo + ui::vbCritical + ui::vbDefaultButton2)
            .withTitle(QString());
    }

    bool crearEmpresa() override { return empresa.crear(QStringLiteral("admin1")); }

private slots:
    void takeOverAnswerYes()
    {
        cabecera(2, "CTA");
        bloqueoDeOtro(2);
        ui::ScriptedDialogs d;
        pregunta(d, ui::vbYes);
        confirmar(*w, "IdConciliacion", QStringLiteral("2"));
        QVERIFY(!w->FHayError);
        QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QStringLiteral("1101"));
        QCOMPARE(titulares(), ambos());

        // Leaving gives back the administrator's row only.
        w->Inicializa();
        QVERIFY(d.verifyDone());
        QCOMPARE(titulares(), QStringList{kOtro});
    }

    void takeOverAnswerNo()
    {
        cabecera(2, "CTA");
        bloqueoDeOtro(2);
        ui::ScriptedDialogs d;
        pregunta(d, ui::vbNo);
        confirmar(*w, "IdConciliacion", QStringLiteral("2"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QCOMPARE(w->TextoCampo(QStringLiteral("IdConciliacion")), QStringLiteral("2"));
        QCOMPARE(w->TextoCampo(QStringLiteral("CUENTA")), QString());
        QCOMPARE(titulares(), QStringList{kOtro});
    }

    // A new number another station has taken can be taken over as well.
    void takeOverNewNumber()
    {
        bloqueoDeOtro(7);
        ui::ScriptedDialogs d;
        pregunta(d, ui::vbYes);
        confirmar(*w, "IdConciliacion", QStringLiteral("7"));
        QVERIFY(d.verifyDone());
        QVERIFY(!w->FHayError);
        QCOMPARE(titulares(), ambos());
    }

    void bankReconciliationRefusedEvenForAnAdministrator()
    {
        cabecera(4, "BCO");
        ui::ScriptedDialogs d;
        d.expectMsgBox(ui::vbOK).containing(QStringLiteral("realizada desde Dostavar"));
        confirmar(*w, "IdConciliacion", QStringLiteral("4"));
        QVERIFY(d.verifyDone());
        QVERIFY(w->FHayError);
        QVERIFY(titulares().isEmpty());
    }
};

QTEST_MAIN(TstWindowLockAdmin)
#include "tst_window_lock_admin.moc"
