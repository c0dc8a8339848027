// The workbench's steps without a window: reconciling the marked lines, releasing, finalizing and loading a
// side, each driven through its engine call on the fixture company's database, with an operator that answers
// in code. What each step leaves in the tables and in the session, its refusals, and the lines a cancelled
// load gives back.

#include "EmpresaDelMotor.h"
#include "EntornoEscrituraDePrueba.h"
#include "HuellaTablas.h"

#include "reconciliation/engine/AvancePorReloj.h"
#include "reconciliation/engine/EspacioVinculos.h"
#include "reconciliation/engine/PasoCargar.h"
#include "reconciliation/engine/PasoConciliar.h"
#include "reconciliation/engine/PasoFinalizar.h"
#include "reconciliation/engine/PasoLiberar.h"
#include "platform/ado/Error.h"

#include <QSqlError>
#include <QSqlQuery>
#include <map>

using namespace conciliacion;
using namespace prueba;

namespace {

// Answers the step's questions from a list, keeps what it was asked and shown, and can cancel the progress
// window at a given advance. A piece of work that fails raises unless `alFallar` says what the operator chose;
// a piece named in `sinCorrer` does not run and answers as if it had failed.
class OperadorDePrueba : public OperadorPaso {
public:
    QList<bool> respuestas;
    QList<Pregunta> preguntas;
    std::optional<Intento> alFallar;
    std::map<int, Intento> sinCorrer;
    int cancelarEnAvance = 0;
    std::function<void()> alAvanzar;   // runs at every advance, before it is answered
    std::function<void()> alQuedarSinVuelta;   // runs when the write can no longer be cancelled
    QStringList progreso;           // "abre <caption>", "avanza <line 2>", "cierra"
    QStringList fallas;
    std::vector<std::pair<qsizetype, qsizetype>> recorrido;

    bool Confirmar(const Pregunta& pregunta) override
    {
        preguntas << pregunta;
        if (respuestas.isEmpty())
            qFatal("unexpected question: %s", qPrintable(pregunta.texto));
        return respuestas.takeFirst();
    }
    Intento Ejecutar(const std::function<void()>& trabajo) override
    {
        const auto salto = sinCorrer.find(++m_piezas);
        if (salto != sinCorrer.end())
            return salto->second;
        try {
            trabajo();
        } catch (const ado::Error& e) {
            if (!alFallar)
                throw;
            fallas << e.Description;
            return *alFallar;
        }
        return Intento::Hecho;
    }
    void IniciarProgreso(const QString& titulo) override { progreso << QStringLiteral("abre ") + titulo; }
    bool Avanzar(const QString&, const QString& texto1, const QString&) override
    {
        progreso << QStringLiteral("avanza ") + texto1;
        if (alAvanzar)
            alAvanzar();
        return ++m_avances == cancelarEnAvance;
    }
    void TerminarProgreso() override { progreso << QStringLiteral("cierra"); }
    void ProgresoSinVuelta(const QString& titulo, const QString& texto) override
    {
        progreso << QStringLiteral("sin vuelta ") + titulo + QStringLiteral(" / ") + texto;
        if (alQuedarSinVuelta)
            alQuedarSinVuelta();
    }
    void AvanceRecorrido(qsizetype hechas, qsizetype total) override { recorrido.emplace_back(hechas, total); }

private:
    int m_piezas = 0;
    int m_avances = 0;
};

// A list that takes the rows it is given, up to `hasta` of a load's rows when set (the operator cancelled
// there).
class VistaDePrueba : public VistaCarga {
public:
    std::optional<qsizetype> hasta;
    int vaciados = 0;
    int listados = 0;
    size_t anunciadas = 0;      // the rows the last load said it would list
    qsizetype enCarga = 0;      // the rows the last load listed
    WorkbenchRows filas;

    void VaciarLado(Lado) override
    {
        ++vaciados;
        filas.clear();
    }
    void Preparar(Lado, size_t total) override
    {
        anunciadas = total;
        enCarga = 0;
    }
    WorkbenchRows Listar(Lado, WorkbenchRows nuevas) override
    {
        ++listados;
        const qsizetype corte = std::min(hasta.value_or(enCarga + qsizetype(nuevas.size())) - enCarga,
                                         qsizetype(nuevas.size()));
        enCarga += corte;
        filas.insert(filas.end(), nuevas.begin(), nuevas.begin() + corte);
        return WorkbenchRows(nuevas.begin() + corte, nuevas.end());
    }
    QString Conceptos() const
    {
        QStringList c;
        for (const WorkbenchRow& f : filas)
            c << f.Concepto + (f.Checked ? QStringLiteral("+") : QString());
        return c.join(u'|');
    }
};

const QString kDerecha = QStringLiteral("Deposito 10|Deposito 11|Comision");

constexpr qint64 kGiB = EntornoEscrituraDePrueba::kGiB;

} // namespace

class EngineStepsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void reconcileLinksTheNewLinesEachToEach();
    void reconcileChecksTheBalance_data();
    void reconcileChecksTheBalance();
    void reconcileAsksBeforeManyLinks_data();
    void reconcileAsksBeforeManyLinks();
    void reconcileOfAFinalizedOneWritesNothing();
    void reconcileFailureWritesNothing();
    void writerTellsItsProgressOnItsClock();
    void eachToEachAtScaleWithoutRoomIsRefused();
    void eachToEachAtScaleIsCancelledAtOnce();

    void releaseTakesTheUnmarkedLines_data();
    void releaseTakesTheUnmarkedLines();
    void releaseOfAFinalizedOneWritesNothing();

    void finalizeAsksTwice();
    void finalizeSavesReleasesAndGivesBackTheLock();
    void finalizeOfAFinalizedOneWritesNothing();
    void finalizeFailureWritesNothing();

    void loadRegistersAndListsTheSide();
    void fullLoadListsHeldLinesFirst_data();
    void fullLoadListsHeldLinesFirst();
    void cancelledLoadGivesBackWhatItDidNotList_data();
    void cancelledLoadGivesBackWhatItDidNotList();
    void cancelledLoadKeepsTheHeldLines();
    void largeLoadGivesBackFromTheFirstLineNotListed_data();
    void largeLoadGivesBackFromTheFirstLineNotListed();
    void loadOfAFinalizedOneChangesNothing();
    void loadStopsWhereThePieceLeft_data();
    void loadStopsWhereThePieceLeft();

private:
    // Both sides of reconciliation `numero` loaded into the session, as the window's load leaves them.
    void cargarAmbos(qint64 numero = 1);
    // Marks (or unmarks) the session's row with that concept, as the operator's click does.
    void marcar(Lado lado, const QString& concepto, bool marcada = true);
    qint64 idDe(Lado lado, const QString& concepto) const;
    // D1+D2 reconciled with C1+C2 through the step.
    void conciliarPrimeras();
    // A journal line of account 1101 in March, on the side 'D' or 'H'.
    void asiento(int secuencia, const char* lado, const QString& detalle, const QString& importe = QStringLiteral("5"));
    void rechazar(const QString& disparador);
    void todasMarcadas(int lineas);
    QString valores(const QString& consulta) { return Lista(*m_cn, consulta); }

    std::unique_ptr<EmpresaDelMotor> m_base;
    std::unique_ptr<ado::Connection> m_cn;
    std::unique_ptr<ReconciliationStore> m_store;
    std::unique_ptr<SesionConciliacion> m_sesion;
};

void EngineStepsTest::init()
{
    m_base = std::make_unique<EmpresaDelMotor>();
    m_cn = std::make_unique<ado::Connection>();
    m_base->Abrir(*m_cn);
    m_store = std::make_unique<ReconciliationStore>(*m_cn, true, Entorno());
    m_sesion = std::make_unique<SesionConciliacion>(2);
}

void EngineStepsTest::cleanup()
{
    m_sesion.reset();
    m_store.reset();
    m_cn.reset();
    m_base.reset();
}

void EngineStepsTest::cargarAmbos(qint64 numero)
{
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        OperadorDePrueba operador;
        VistaDePrueba vista;
        PasoCargar(*m_store).Ejecutar(Marzo(numero), lado, true, false, operador, vista);
        m_sesion->Reemplazar(lado, vista.filas);
    }
}

void EngineStepsTest::marcar(Lado lado, const QString& concepto, bool marcada)
{
    for (qsizetype i = 0; i < m_sesion->Cantidad(lado); ++i)
        if (m_sesion->Fila(lado, i).Concepto == concepto) {
            m_sesion->CambiarMarca(lado, i, marcada);
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no row ") + concepto));
}

qint64 EngineStepsTest::idDe(Lado lado, const QString& concepto) const
{
    for (const WorkbenchRow& f : m_sesion->Filas(lado))
        if (f.Concepto == concepto)
            return f.ID;
    return 0;
}

void EngineStepsTest::conciliarPrimeras()
{
    cargarAmbos();
    marcar(Lado::Izquierda, QStringLiteral("Cobro FC 10"));
    marcar(Lado::Izquierda, QStringLiteral("Cobro FC 11"));
    marcar(Lado::Derecha, QStringLiteral("Deposito 10"));
    marcar(Lado::Derecha, QStringLiteral("Deposito 11"));
    OperadorDePrueba operador;
    const ResultadoConciliar r = PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador);
    QCOMPARE(r.estado, ResultadoConciliar::Estado::Conciliada);
}

void EngineStepsTest::asiento(int secuencia, const char* lado, const QString& detalle, const QString& importe)
{
    m_cn->Execute(QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
                                 "TIPO_REG, FECHA, [DEBE-HABER], IMPORTE, DETALLE) VALUES ('1101', %1, 3, %1, 2026, 'N', "
                                 "'2026-03-25', '%2', %3, '%4')")
                      .arg(secuencia)
                      .arg(QLatin1String(lado), importe, detalle));
}

void EngineStepsTest::rechazar(const QString& disparador)
{
    QSqlQuery q(m_cn->database());
    QVERIFY2(q.exec(QStringLiteral("CREATE TEMP TRIGGER rechazo ") + disparador
                    + QStringLiteral(" BEGIN SELECT RAISE(ABORT, 'rechazado'); END")),
             qPrintable(q.lastError().text()));
}

// ---- reconciling ----

void EngineStepsTest::reconcileLinksTheNewLinesEachToEach()
{
    conciliarPrimeras();
    const qint64 d1 = idDe(Lado::Izquierda, QStringLiteral("Cobro FC 10"));
    const qint64 d2 = idDe(Lado::Izquierda, QStringLiteral("Cobro FC 11"));
    const qint64 c1 = idDe(Lado::Derecha, QStringLiteral("Deposito 10"));
    const qint64 c2 = idDe(Lado::Derecha, QStringLiteral("Deposito 11"));
    const QString izquierdas = QStringLiteral("%1,%2").arg(d1).arg(d2);
    const QString derechas = QStringLiteral("%1,%2").arg(c1).arg(c2);

    QCOMPARE(valores("SELECT CONCEPTO || ':' || CONCILIADOCON FROM MV_CONCILIACION WHERE CONCILIADO = 1 ORDER BY ID"),
             QStringLiteral("Cobro FC 10:%1|Cobro FC 11:%1").arg(derechas));
    QCOMPARE(valores("SELECT CONCEPTO || ':' || CONCILIA FROM MV_CONCILIACION_AUX WHERE FINALIZADA = 1 ORDER BY ID"),
             QStringLiteral("Deposito 10:%1|Deposito 11:%1").arg(izquierdas));
    QCOMPARE(valores("SELECT IDCPTE || '-' || IDCPTEaux FROM MV_CONCILIACION_Cpte_AUX ORDER BY IDCPTE, IDCPTEaux"),
             QStringLiteral("%1-%3|%1-%4|%2-%3|%2-%4").arg(d1).arg(d2).arg(c1).arg(c2));
    // The session shows what was written and has nothing left to save.
    QCOMPARE(m_sesion->Fila(Lado::Izquierda, 0).ConciliadoCon, derechas);
    QCOMPARE(m_sesion->Fila(Lado::Derecha, 1).ConciliadoCon, izquierdas);
    QVERIFY(m_sesion->EstadosCambiados(Lado::Izquierda).empty());
    QVERIFY(m_sesion->EstadosCambiados(Lado::Derecha).empty());
}

void EngineStepsTest::reconcileChecksTheBalance_data()
{
    QTest::addColumn<QString>("izquierda");
    QTest::addColumn<QString>("derecha");
    QTest::addColumn<qint64>("tolerancia");    // in ten-thousandths
    QTest::addColumn<bool>("cuadra");
    QTest::newRow("equal totals") << "Cobro FC 10" << "Deposito 10" << qint64(0) << true;
    QTest::newRow("32.50 apart, no tolerance") << "Ajuste" << "Comision" << qint64(0) << false;
    QTest::newRow("a difference equal to the tolerance") << "Ajuste" << "Comision" << qint64(325000) << true;
    QTest::newRow("0.01 short of the difference") << "Ajuste" << "Comision" << qint64(324900) << false;
}

void EngineStepsTest::reconcileChecksTheBalance()
{
    QFETCH(QString, izquierda);
    QFETCH(QString, derecha);
    QFETCH(qint64, tolerancia);
    QFETCH(bool, cuadra);
    cargarAmbos();
    marcar(Lado::Izquierda, izquierda);
    marcar(Lado::Derecha, derecha);
    const QString antes = Volcado(*m_cn);
    OperadorDePrueba operador;
    const ResultadoConciliar r =
        PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency::fromScaled(tolerancia), operador);
    if (cuadra) {
        QCOMPARE(r.estado, ResultadoConciliar::Estado::Conciliada);
        QVERIFY(!r.aviso);
        QCOMPARE(r.vinculos, 1);
        QCOMPARE(Contar(*m_cn, "MV_CONCILIACION_Cpte_AUX"), 1);
        return;
    }
    QCOMPARE(r.estado, ResultadoConciliar::Estado::TotalesNoCuadran);
    QVERIFY(r.aviso);
    QCOMPARE(r.aviso->texto,
             QStringLiteral("El total a conciliar del lado izquierdo, no coincide, con el total del lado derecho!"));
    QCOMPARE(r.aviso->estilo, ui::vbOKOnly + ui::vbExclamation);
    QCOMPARE(Volcado(*m_cn), antes);
    // The marks wait to be saved, unlinked.
    QCOMPARE(m_sesion->EstadosCambiados(Lado::Izquierda).size(), size_t(1));
    QCOMPARE(m_sesion->Fila(Lado::Izquierda, 2).ConciliadoCon, QString());
}

void EngineStepsTest::reconcileAsksBeforeManyLinks_data()
{
    QTest::addColumn<bool>("si");
    QTest::addColumn<int>("cancelarEn");
    QTest::newRow("No") << false << 0;
    QTest::newRow("Yes") << true << 0;
    QTest::newRow("Yes, then cancel while writing") << true << 2;
}

void EngineStepsTest::reconcileAsksBeforeManyLinks()
{
    QFETCH(bool, si);
    QFETCH(int, cancelarEn);
    // 101 debits of 1.00 and 100 credits of 1.01: 10,100 links when all are marked.
    QSqlQuery q(m_cn->database());
    const QString lineas = QStringLiteral(
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, "
        "[DEBE-HABER], IMPORTE, DETALLE) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
        "SELECT '1101', %2 + i, 3, %2 + i, 2026, 'N', '2026-03-06', '%3', %4, 'Linea ' || i FROM n");
    QVERIFY(q.exec(lineas.arg(101).arg(1000).arg(QStringLiteral("D"), QStringLiteral("1"))));
    QVERIFY(q.exec(lineas.arg(100).arg(3000).arg(QStringLiteral("H"), QStringLiteral("1.01"))));
    QVERIFY(q.exec(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE DETALLE NOT LIKE 'Linea %'")));
    cargarAmbos();
    for (Lado lado : {Lado::Izquierda, Lado::Derecha})
        for (qsizetype i = 0; i < m_sesion->Cantidad(lado); ++i)
            m_sesion->CambiarMarca(lado, i, true);
    const QString antes = Volcado(*m_cn);

    OperadorDePrueba operador;
    operador.respuestas = {si};
    operador.cancelarEnAvance = cancelarEn;
    qint64 vinculosVistosSinVuelta = -1;
    ado::Connection otra;
    m_base->Abrir(otra);
    operador.alQuedarSinVuelta = [&] { vinculosVistosSinVuelta = Contar(otra, "MV_CONCILIACION_Cpte_AUX"); };
    const ResultadoConciliar r = PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador);

    QCOMPARE(operador.preguntas.size(), 1);
    QVERIFY(operador.preguntas[0].texto.startsWith(
        QStringLiteral("Se vincularán 101 registros de la planilla izquierda con 100 registros de la planilla derecha")));
    QCOMPARE(operador.preguntas[0].estilo, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
    if (!si) {
        QCOMPARE(r.estado, ResultadoConciliar::Estado::NoConfirmada);
        QVERIFY(operador.progreso.isEmpty());
        QCOMPARE(Volcado(*m_cn), antes);
        return;
    }
    // The progress window opened for the write is closed again, whatever happened.
    QCOMPARE(operador.progreso.first(), QStringLiteral("abre Conciliando"));
    QCOMPARE(operador.progreso.last(), QStringLiteral("cierra"));
    if (cancelarEn) {
        QCOMPARE(r.estado, ResultadoConciliar::Estado::Cancelada);
        QVERIFY(r.aviso);
        QCOMPARE(r.aviso->texto, QStringLiteral("Se canceló la grabación de los vínculos: la conciliación no se grabó."));
        QCOMPARE(r.aviso->titulo, QStringLiteral("Aviso al Operador"));
        QCOMPARE(Volcado(*m_cn), antes);
        QCOMPARE(m_sesion->Fila(Lado::Izquierda, 0).ConciliadoCon, QString());
        return;
    }
    QCOMPARE(r.estado, ResultadoConciliar::Estado::Conciliada);
    QCOMPARE(r.vinculos, 10100);
    QCOMPARE(Contar(*m_cn, "MV_CONCILIACION_Cpte_AUX"), 10100);
    QCOMPARE(operador.progreso[1], QStringLiteral("avanza 0 % del Total"));
    // After the last report the write can no longer be cancelled: the window is told so before the commit
    // (nothing is saved yet, as another station sees it), and the end is told.
    const qsizetype sinVuelta = operador.progreso.size() - 2;
    QCOMPARE(operador.progreso[sinVuelta - 1], QStringLiteral("avanza 100 % del Total"));
    QCOMPARE(operador.progreso[sinVuelta], QStringLiteral("sin vuelta Terminando de grabar ... / Ya no se puede "
                                                          "cancelar: la conciliación se está grabando."));
    QCOMPARE(vinculosVistosSinVuelta, 0);
    QVERIFY(r.aviso);
    QCOMPARE(r.aviso->texto, QStringLiteral("La conciliación se grabó con sus %1 vínculos.").arg(QLocale().toString(10100)));
    QCOMPARE(r.aviso->estilo, ui::vbOKOnly + ui::vbInformation);
    QCOMPARE(m_sesion->Fila(Lado::Izquierda, 0).ConciliadoCon.count(u','), 99);
}

void EngineStepsTest::reconcileOfAFinalizedOneWritesNothing()
{
    cargarAmbos();
    marcar(Lado::Izquierda, QStringLiteral("Cobro FC 10"));
    marcar(Lado::Derecha, QStringLiteral("Deposito 10"));
    // Finalized by another station while it was open here.
    m_cn->Execute(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
    const QString antes = Volcado(*m_cn);
    OperadorDePrueba operador;
    const ResultadoConciliar r = PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador);
    QCOMPARE(r.estado, ResultadoConciliar::Estado::Finalizada);
    QCOMPARE(Volcado(*m_cn), antes);
    QCOMPARE(m_sesion->Fila(Lado::Izquierda, 0).ConciliadoCon, QString());
}

void EngineStepsTest::reconcileFailureWritesNothing()
{
    cargarAmbos();
    marcar(Lado::Izquierda, QStringLiteral("Cobro FC 10"));
    marcar(Lado::Derecha, QStringLiteral("Deposito 10"));
    rechazar(QStringLiteral("BEFORE INSERT ON MV_CONCILIACION_Cpte_AUX"));
    const QString antes = Volcado(*m_cn);

    // Without failure handling of its own the failure raises out of the step.
    OperadorDePrueba sinManejo;
    QVERIFY_THROWS_EXCEPTION(ado::Error,
                             PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), sinManejo));
    QCOMPARE(Volcado(*m_cn), antes);

    OperadorDePrueba operador;
    operador.alFallar = Intento::Abandonado;
    const ResultadoConciliar r = PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador);
    QCOMPARE(r.estado, ResultadoConciliar::Estado::Fallida);
    QCOMPARE(operador.fallas.size(), 1);
    QVERIFY(operador.fallas[0].contains(QStringLiteral("rechazado")));
    QCOMPARE(Volcado(*m_cn), antes);
    // Still to be saved, still unlinked: running it again once the statement is accepted writes it all.
    QCOMPARE(m_sesion->Fila(Lado::Izquierda, 0).ConciliadoCon, QString());
    QCOMPARE(m_sesion->EstadosCambiados(Lado::Derecha).size(), size_t(1));
    QSqlQuery(m_cn->database()).exec(QStringLiteral("DROP TRIGGER rechazo"));
    QCOMPARE(PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador).estado,
             ResultadoConciliar::Estado::Conciliada);
    QCOMPARE(Contar(*m_cn, "MV_CONCILIACION_Cpte_AUX"), 1);
}

// The progress of a long write is told at the first advance and then once the interval has passed on the
// writer's clock, however many or few units each advance brings; the end is told once more.
void EngineStepsTest::writerTellsItsProgressOnItsClock()
{
    EntornoEscrituraDePrueba reloj;
    reloj.pasoMs = 30;
    QList<qint64> dichos;
    AvancePorReloj avance([&](qint64 hechos, qint64 total) {
        dichos << hechos;
        return hechos >= total;
    }, 1000);
    QVERIFY(avance.Sumar(0));                 // told: the first one
    QVERIFY(avance.Sumar(10));                // 30 ms on
    QVERIFY(avance.Sumar(10));                // 60 ms
    QVERIFY(avance.Sumar(10));                // 90 ms
    QVERIFY(avance.Sumar(500));               // 120 ms: told
    QVERIFY(avance.Sumar(1));
    QCOMPARE(dichos, (QList<qint64>{0, 530}));
    QVERIFY(!avance.Terminar());              // the end is told, and the answer there counts
    QCOMPARE(dichos.last(), 1000);
}

// Reconciliation 1 with `lineas` left lines and as many right lines of 1.00 each, all marked and none linked
// yet, in the session as a load leaves them: each to each, lineas x lineas link rows.
void EngineStepsTest::todasMarcadas(int lineas)
{
    m_cn->Execute(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FECHA, FECHADESDE, "
                                 "FECHAHASTA, FINALIZADA) VALUES ('%1', 'CTA', '1101', '2026-04-18', '2026-03-01', "
                                 "'2026-03-31', 0)")
                      .arg(NumeroTabla(1)));
    for (const auto& [tabla, marca] : {std::pair{"MV_CONCILIACION", "CONCILIADO"}, std::pair{"MV_CONCILIACION_AUX", "FINALIZADA"}})
        m_cn->Execute(QStringLiteral("INSERT INTO %1 (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
                                     "PERIODO, TIPO_REG, FECHAMOV, TC, COMPROBANTE, IMPORTE, CONCEPTO, %2) WITH RECURSIVE "
                                     "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %3) SELECT '%4', '1101', "
                                     "1000 + i, 3, 1000 + i, 2026, 'N', '2026-03-05', 'FC', '000100000010A', 1, "
                                     "'Linea ' || i, 1 FROM n")
                          .arg(QLatin1String(tabla), QLatin1String(marca))
                          .arg(lineas)
                          .arg(NumeroTabla(1)));
    for (Lado lado : {Lado::Izquierda, Lado::Derecha})
        m_sesion->Reemplazar(lado, m_store->CargarLineas(1, lado, true));
    QCOMPARE(m_sesion->Cantidad(Lado::Derecha), qsizetype(lineas));
}

// 90,004 lines a side marked, as Comparar left them on a company of 100,000: 8,100,720,016 link rows, which with
// the lines' link lists need close to a terabyte. On a disk without that room (and its margin) the run is
// refused at once with the room needed and the room free, before any question, and nothing is written.
void EngineStepsTest::eachToEachAtScaleWithoutRoomIsRefused()
{
    constexpr int kLineas = 90004;
    todasMarcadas(kLineas);
    EntornoEscrituraDePrueba disco;
    disco.libre = 500 * kGiB;
    const QString antes = valores(kHuellaTablas);
    qint64 sentencias = 0;
    m_cn->setStatementLog([&](const QString&) { ++sentencias; });

    OperadorDePrueba operador;
    const ResultadoConciliar r = PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador);
    m_cn->setStatementLog({});

    QCOMPARE(r.estado, ResultadoConciliar::Estado::SinEspacio);
    QVERIFY(operador.preguntas.isEmpty());
    QVERIFY(operador.progreso.isEmpty());
    QCOMPARE(sentencias, 0);
    // The room is the company disk's, asked again once the journal was given back for want of it.
    disco.archivos.removeDuplicates();
    QCOMPARE(disco.archivos, QStringList{m_base->archivo});
    const VinculosNuevos nuevos = m_sesion->BuscarVinculosNuevos();
    QCOMPARE(nuevos.Cantidad(), qint64(8100720016));
    // Each link row with both indexes, each line's list of 90,004 IDs, all of it twice while the one
    // transaction is open: the journal beside the file, then the file itself.
    const qint64 necesario = EspacioNecesario(nuevos);
    QCOMPARE(necesario, 2 * (qint64(8100720016) * kBytesPorVinculo + 2 * qint64(kLineas) * nuevos.textoDerecha.size() * 105 / 100));
    QVERIFY(necesario > 800 * kGiB && necesario < 1000 * kGiB);
    QVERIFY(r.aviso);
    QCOMPARE(r.aviso->texto, QStringLiteral("No hay espacio suficiente en el disco de la empresa para grabar los "
                                            "vínculos: se necesitan unos %1 libres (%2 más un margen de %3) y hay %4 "
                                            "libres.\r\nNo se grabó nada.")
                                 .arg(TextoEspacio(necesario + MargenEspacio(necesario)), TextoEspacio(necesario),
                                      TextoEspacio(MargenEspacio(necesario)), TextoEspacio(500 * kGiB)));
    QCOMPARE(r.aviso->estilo, ui::vbOKOnly + ui::vbExclamation);
    QCOMPARE(r.aviso->titulo, QStringLiteral("Aviso al Operador"));
    QCOMPARE(valores(kHuellaTablas), antes);
    // The lines are still new, unlinked: once there is room, the same marks go through.
    QCOMPARE(m_sesion->BuscarVinculosNuevos().Cantidad(), nuevos.Cantidad());
    QCOMPARE(m_sesion->Fila(Lado::Derecha, 0).ConciliadoCon, QString());
}

// The same run on a disk with room: the question says how much room it needs, and the progress is told before
// anything is written and then at every interval of the writer's clock. Here each reading of the clock is a
// second later, so the operator's cancel at the third report comes after two lines were saved, each with its
// link list of 90,004 IDs, long before one percent of the 8,100,720,016 link rows; everything is rolled back.
void EngineStepsTest::eachToEachAtScaleIsCancelledAtOnce()
{
    constexpr int kLineas = 90004;
    todasMarcadas(kLineas);
    EntornoEscrituraDePrueba disco;
    disco.libre = 2048 * kGiB;
    disco.pasoMs = 1000;
    const QString antes = valores(kHuellaTablas);
    QStringList escritas;
    m_cn->setStatementLog([&](const QString& s) {
        if (s.startsWith(QLatin1String("UPDATE MV_CONCILIACION ")) || s.startsWith(QLatin1String("INSERT")))
            escritas << s.left(30);
    });
    QList<qsizetype> escritasAlAvanzar;

    OperadorDePrueba operador;
    operador.respuestas = {true};
    operador.cancelarEnAvance = 3;
    operador.alAvanzar = [&] { escritasAlAvanzar << escritas.size(); };
    const ResultadoConciliar r = PasoConciliar(*m_store, *m_sesion).Ejecutar(Marzo(1), ado::Currency(), operador);
    m_cn->setStatementLog({});

    QCOMPARE(operador.preguntas.size(), 1);
    const qint64 necesario = EspacioNecesario(m_sesion->BuscarVinculosNuevos());
    QCOMPARE(operador.preguntas[0].texto,
             QStringLiteral("Se vincularán 90,004 registros de la planilla izquierda con 90,004 registros de la planilla "
                            "derecha, cada uno con cada uno: se grabarán 8,100,720,016 vínculos, que necesitan unos %1 "
                            "libres en el disco.\r\n¿Confirma?")
                 .arg(TextoEspacio(necesario)));
    QCOMPARE(r.estado, ResultadoConciliar::Estado::Cancelada);
    // Told before the first write, then after each line's save.
    QCOMPARE(escritasAlAvanzar, (QList<qsizetype>{0, 1, 2}));
    QCOMPARE(operador.progreso, (QStringList{"abre Conciliando", "avanza 0 % del Total", "avanza 0 % del Total",
                                             "avanza 0 % del Total", "cierra"}));
    QCOMPARE(valores(kHuellaTablas), antes);
    QCOMPARE(m_sesion->Fila(Lado::Izquierda, 0).ConciliadoCon, QString());
}

// ---- releasing ----

void EngineStepsTest::releaseTakesTheUnmarkedLines_data()
{
    QTest::addColumn<QStringList>("desmarcar");
    QTest::addColumn<QList<int>>("elegidas");   // none: every row may go
    QTest::addColumn<QString>("quedan");
    QTest::addColumn<QString>("vinculoDerecho");   // of Deposito 10, by left concepts
    QTest::newRow("every unmarked line") << QStringList{"Cobro FC 11"} << QList<int>{} << "Cobro FC 10"
                                         << "Cobro FC 10";
    QTest::newRow("only the chosen ones") << QStringList{"Cobro FC 11"} << QList<int>{2}
                                          << "Cobro FC 10|Cobro FC 11" << "Cobro FC 10,Cobro FC 11";
    QTest::newRow("a chosen marked line stays") << QStringList{} << QList<int>{0} << "Cobro FC 10|Cobro FC 11|Ajuste"
                                                << "Cobro FC 10,Cobro FC 11";
}

void EngineStepsTest::releaseTakesTheUnmarkedLines()
{
    QFETCH(QStringList, desmarcar);
    QFETCH(QList<int>, elegidas);
    QFETCH(QString, quedan);
    QFETCH(QString, vinculoDerecho);
    conciliarPrimeras();
    // Unmarked without the mark handler's question: the right rows still name the line.
    for (const QString& c : desmarcar)
        marcar(Lado::Izquierda, c, false);
    QHash<qint64, QString> conceptoDe;
    for (const WorkbenchRow& f : m_sesion->Filas(Lado::Izquierda))
        conceptoDe.insert(f.ID, f.Concepto);

    OperadorDePrueba operador;
    std::function<bool(qsizetype)> elegida;
    if (!elegidas.isEmpty())
        elegida = [&](qsizetype i) { return elegidas.contains(int(i)); };
    const ResultadoLiberar r = PasoLiberar(*m_store, *m_sesion).Ejecutar(1, Lado::Izquierda, operador, elegida);

    QCOMPARE(r.estado, Resultado::Hecho);
    QCOMPARE(valores("SELECT CONCEPTO FROM MV_CONCILIACION ORDER BY ID"), quedan);
    QCOMPARE(qsizetype(r.liberadas.size()), 3 - quedan.count(u'|') - 1);
    for (qint64 id : r.liberadas)
        QVERIFY(!quedan.contains(conceptoDe.value(id)));
    // The partners no longer name the released lines, in the tables and in the session.
    QStringList vinculo;
    for (QStringView id : QStringView(m_sesion->Fila(Lado::Derecha, 0).ConciliadoCon).split(u','))
        vinculo << conceptoDe.value(id.toLongLong());
    QCOMPARE(vinculo.join(u','), vinculoDerecho);
    QCOMPARE(valores("SELECT CONCILIA FROM MV_CONCILIACION_AUX WHERE CONCEPTO = 'Deposito 10'"),
             m_sesion->Fila(Lado::Derecha, 0).ConciliadoCon);
    QCOMPARE(Contar(*m_cn, "MV_CONCILIACION_Cpte_AUX WHERE IDCPTE NOT IN (SELECT ID FROM MV_CONCILIACION)"), 0);
    // The strip was drawn to the end of the list.
    QVERIFY(!operador.recorrido.empty());
    QCOMPARE(operador.recorrido.back(), std::make_pair(qsizetype(3), qsizetype(3)));
}

void EngineStepsTest::releaseOfAFinalizedOneWritesNothing()
{
    conciliarPrimeras();
    m_cn->Execute(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
    const QString antes = Volcado(*m_cn);
    OperadorDePrueba operador;
    const ResultadoLiberar r = PasoLiberar(*m_store, *m_sesion).Ejecutar(1, Lado::Derecha, operador);
    QCOMPARE(r.estado, Resultado::Finalizada);
    QVERIFY(r.liberadas.empty());
    QCOMPARE(Volcado(*m_cn), antes);
}

// ---- finalizing ----

void EngineStepsTest::finalizeAsksTwice()
{
    const std::array<Pregunta, 2> p = PasoFinalizar::Preguntas(QStringLiteral("7"));
    QCOMPARE(p[0].texto, QStringLiteral("¿Está seguro de Finalizar la Conciliación Número: 7?\r\nSi finaliza la "
                                        "conciliación no prodrá volver a modificarla.\r\n¿Confirma?"));
    QCOMPARE(p[1].texto, QStringLiteral("Los registros pendientes de conciliar se liberarán para futuras "
                                        "conciliaciones\r\n¿Confirma?"));
    for (const Pregunta& pregunta : p) {
        QCOMPARE(pregunta.estilo, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
        QCOMPARE(pregunta.titulo, QStringLiteral("ATENCIÓN"));
    }
}

void EngineStepsTest::finalizeSavesReleasesAndGivesBackTheLock()
{
    conciliarPrimeras();
    QVERIFY(m_store->TomarBloqueo(1, m_store->Propietario()).tomado);
    // Unsaved work: Ajuste marked on the left.
    marcar(Lado::Izquierda, QStringLiteral("Ajuste"));
    const ResultadoFinalizar r = PasoFinalizar(*m_store, *m_sesion).Ejecutar(Marzo(1), QStringLiteral("  1"));
    QCOMPARE(r.estado, Resultado::Hecho);
    QVERIFY(r.aviso);
    QCOMPARE(r.aviso->texto, QStringLiteral("La Conciliación número: 1 se finalizó correctamente."));
    QCOMPARE(r.aviso->estilo, ui::vbOKOnly + ui::vbInformation);
    QCOMPARE(r.aviso->titulo, QStringLiteral("Aviso al Usuario"));

    QCOMPARE(valores("SELECT FINALIZADA FROM MV_CONCILIACION_CAB"), QStringLiteral("1"));
    QCOMPARE(valores("SELECT CONCEPTO || ':' || FINALIZADA FROM MV_CONCILIACION ORDER BY ID"),
             QStringLiteral("Cobro FC 10:1|Cobro FC 11:1|Ajuste:1"));
    QCOMPARE(valores("SELECT CONCEPTO FROM MV_CONCILIACION_AUX ORDER BY ID"), QStringLiteral("Deposito 10|Deposito 11"));
    QCOMPARE(Contar(*m_cn, "V_MV_CTROL_CPTE"), 0);
    QVERIFY(m_sesion->EstadosCambiados(Lado::Izquierda).empty());
}

void EngineStepsTest::finalizeOfAFinalizedOneWritesNothing()
{
    conciliarPrimeras();
    marcar(Lado::Izquierda, QStringLiteral("Ajuste"));
    m_cn->Execute(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
    const QString antes = Volcado(*m_cn);
    const ResultadoFinalizar r = PasoFinalizar(*m_store, *m_sesion).Ejecutar(Marzo(1), QStringLiteral("1"));
    QCOMPARE(r.estado, Resultado::Finalizada);
    QVERIFY(!r.aviso);
    QCOMPARE(Volcado(*m_cn), antes);
    QCOMPARE(m_sesion->EstadosCambiados(Lado::Izquierda).size(), size_t(1));
}

void EngineStepsTest::finalizeFailureWritesNothing()
{
    conciliarPrimeras();
    QVERIFY(m_store->TomarBloqueo(1, m_store->Propietario()).tomado);
    marcar(Lado::Izquierda, QStringLiteral("Ajuste"));
    rechazar(QStringLiteral("BEFORE UPDATE OF FINALIZADA ON MV_CONCILIACION_CAB WHEN NEW.FINALIZADA = 1"));
    const QString antes = Volcado(*m_cn);
    QVERIFY_THROWS_EXCEPTION(ado::Error, PasoFinalizar(*m_store, *m_sesion).Ejecutar(Marzo(1), QStringLiteral("1")));
    QCOMPARE(Volcado(*m_cn), antes);
    QCOMPARE(m_sesion->EstadosCambiados(Lado::Izquierda).size(), size_t(1));
}

// ---- loading a side ----

void EngineStepsTest::loadRegistersAndListsTheSide()
{
    OperadorDePrueba operador;
    VistaDePrueba vista;
    const ResultadoCarga r = PasoCargar(*m_store).Ejecutar(Marzo(1), Lado::Derecha, true, false, operador, vista);
    QVERIFY(!r.finalizada);
    QCOMPARE(r.registradas, 3);
    QVERIFY(r.devueltas.empty());
    QCOMPARE(vista.vaciados, 1);
    QCOMPARE(vista.Conceptos(), kDerecha);
    QCOMPARE(valores("SELECT CONCEPTO FROM MV_CONCILIACION_AUX ORDER BY ID"), kDerecha);
    QCOMPARE(Contar(*m_cn, "MV_CONCILIACION_CAB"), 1);
    QCOMPARE(Contar(*m_cn, "MV_CONCILIACION"), 0);
}

void EngineStepsTest::fullLoadListsHeldLinesFirst_data()
{
    QTest::addColumn<bool>("completa");
    QTest::addColumn<bool>("conciliadas");
    QTest::addColumn<QString>("listadas");
    QTest::newRow("full load") << true << false << "Deposito 11|Comision|nueva";
    QTest::newRow("full load with the reconciled lines") << true << true << "Deposito 10+|Deposito 11|Comision|nueva";
    QTest::newRow("refresh: only the new line is added") << false << false << "Deposito 10+|Deposito 11|Comision|nueva";
}

void EngineStepsTest::fullLoadListsHeldLinesFirst()
{
    QFETCH(bool, completa);
    QFETCH(bool, conciliadas);
    QFETCH(QString, listadas);
    OperadorDePrueba operador;
    VistaDePrueba vista;
    PasoCargar paso(*m_store);
    paso.Ejecutar(Marzo(1), Lado::Derecha, true, false, operador, vista);
    vista.filas.front().Checked = true;
    QCOMPARE(m_store->Guardar(Marzo(1), {}, Estados({vista.filas.front()})), Resultado::Hecho);
    asiento(50, "H", QStringLiteral("nueva"));

    const ResultadoCarga r = paso.Ejecutar(Marzo(1), Lado::Derecha, completa, conciliadas, operador, vista);
    QCOMPARE(r.registradas, 1);
    QCOMPARE(vista.vaciados, completa ? 2 : 1);
    QCOMPARE(vista.Conceptos(), listadas);
    QCOMPARE(Contar(*m_cn, "MV_CONCILIACION_AUX"), 4);
}

void EngineStepsTest::cancelledLoadGivesBackWhatItDidNotList_data()
{
    QTest::addColumn<int>("listadas");
    QTest::newRow("cancelled at the first line") << 0;
    QTest::newRow("cancelled at the second line") << 1;
    QTest::newRow("cancelled at the last line") << 2;
}

void EngineStepsTest::cancelledLoadGivesBackWhatItDidNotList()
{
    QFETCH(int, listadas);
    OperadorDePrueba operador;
    VistaDePrueba vista;
    vista.hasta = listadas;
    const ResultadoCarga r = PasoCargar(*m_store).Ejecutar(Marzo(1), Lado::Derecha, true, false, operador, vista);
    QCOMPARE(r.registradas, 3);
    QCOMPARE(qsizetype(r.devueltas.size()), 3 - listadas);
    // What is listed is what is held.
    QCOMPARE(valores("SELECT CONCEPTO FROM MV_CONCILIACION_AUX ORDER BY ID"), vista.Conceptos());
    QCOMPARE(qsizetype(vista.filas.size()), listadas);
    // The lines given back are free: another reconciliation takes them.
    OperadorDePrueba otro;
    VistaDePrueba otraVista;
    QCOMPARE(PasoCargar(*m_store).Ejecutar(Marzo(2), Lado::Derecha, true, false, otro, otraVista).registradas,
             3 - listadas);
}

void EngineStepsTest::cancelledLoadKeepsTheHeldLines()
{
    OperadorDePrueba operador;
    VistaDePrueba vista;
    PasoCargar paso(*m_store);
    paso.Ejecutar(Marzo(1), Lado::Izquierda, true, false, operador, vista);
    asiento(50, "D", QStringLiteral("nueva"));
    // Cancelled after one line: of the lines not listed only the one taken now is given back.
    vista.hasta = 1;
    const ResultadoCarga r = paso.Ejecutar(Marzo(1), Lado::Izquierda, true, false, operador, vista);
    QCOMPARE(vista.Conceptos(), QStringLiteral("Cobro FC 10"));
    QCOMPARE(r.devueltas.size(), size_t(1));
    QCOMPARE(valores("SELECT CONCEPTO FROM MV_CONCILIACION ORDER BY ID"),
             QStringLiteral("Cobro FC 10|Cobro FC 11|Ajuste"));
}

void EngineStepsTest::largeLoadGivesBackFromTheFirstLineNotListed_data()
{
    QTest::addColumn<int>("listadas");
    QTest::newRow("all listed") << 9003;
    QTest::newRow("cancelled in the first block read") << 100;
    QTest::newRow("cancelled in a later block read") << 6000;
}

// A load of more lines than the store reads at once: the list hears of them all before the first, gets them in
// journal order, and after a cancel exactly the lines not listed are free again.
void EngineStepsTest::largeLoadGivesBackFromTheFirstLineNotListed()
{
    QFETCH(int, listadas);
    constexpr int kLineas = 9000;
    m_cn->Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "INSERT INTO MV_ASIENTOS (CUENTA,SECUENCIA,MES_OPERATIVO,[NUMERO ASIENTO],PERIODO,"
                                 "TIPO_REG,FECHA,TC,SUCURSAL,NUMERO,LETRA,[DEBE-HABER],IMPORTE,DETALLE) SELECT '1101', 5, "
                                 "3, 1000 + i, 2026, 'N', '2026-03-25', 'RC', '0003', printf('%08d', i), 'A', 'D', i, "
                                 "'linea ' || i FROM n")
                      .arg(kLineas));
    OperadorDePrueba operador;
    VistaDePrueba vista;
    vista.hasta = listadas;
    const ResultadoCarga r = PasoCargar(*m_store).Ejecutar(Marzo(1), Lado::Izquierda, true, false, operador, vista);
    QCOMPARE(r.registradas, kLineas + 3);
    QCOMPARE(vista.anunciadas, size_t(kLineas + 3));
    QCOMPARE(qsizetype(vista.filas.size()), qsizetype(listadas));
    QCOMPARE(qsizetype(r.devueltas.size()), qsizetype(kLineas + 3 - listadas));
    QCOMPARE(vista.filas.back().Concepto, QStringLiteral("linea %1").arg(listadas - 3));
    // What is listed is what is held, in the journal's order.
    QStringList listados;
    for (const WorkbenchRow& f : vista.filas)
        listados << f.Concepto;
    QCOMPARE(valores("SELECT CONCEPTO FROM MV_CONCILIACION ORDER BY ID"), listados.join(u'|'));
}

void EngineStepsTest::loadOfAFinalizedOneChangesNothing()
{
    OperadorDePrueba operador;
    VistaDePrueba vista;
    PasoCargar paso(*m_store);
    paso.Ejecutar(Marzo(1), Lado::Izquierda, true, false, operador, vista);
    m_cn->Execute(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1"));
    asiento(50, "D", QStringLiteral("nueva"));
    const QString antes = Volcado(*m_cn);
    const ResultadoCarga r = paso.Ejecutar(Marzo(1), Lado::Izquierda, true, false, operador, vista);
    QVERIFY(r.finalizada);
    QCOMPARE(vista.vaciados, 1);
    QCOMPARE(vista.listados, 1);
    QCOMPARE(vista.Conceptos(), QStringLiteral("Cobro FC 10|Cobro FC 11|Ajuste"));
    QCOMPARE(Volcado(*m_cn), antes);
}

void EngineStepsTest::loadStopsWhereThePieceLeft_data()
{
    QTest::addColumn<int>("pieza");             // 1 the registration, 2 the read-back of the held lines
    QTest::addColumn<int>("respuesta");         // what the operator chose when it failed
    QTest::addColumn<int>("vaciados");
    QTest::addColumn<QString>("listadas");      // "-" when nothing was listed
    QTest::newRow("registration left") << 1 << int(Intento::Abandonado) << 0 << "-";
    QTest::newRow("registration passed over") << 1 << int(Intento::Omitido) << 1 << "Cobro FC 10|Cobro FC 11|Ajuste";
    QTest::newRow("read-back left") << 2 << int(Intento::Abandonado) << 1 << "-";
    QTest::newRow("read-back passed over") << 2 << int(Intento::Omitido) << 1 << "nueva";
}

void EngineStepsTest::loadStopsWhereThePieceLeft()
{
    QFETCH(int, pieza);
    QFETCH(int, respuesta);
    QFETCH(int, vaciados);
    QFETCH(QString, listadas);
    {
        OperadorDePrueba primera;
        VistaDePrueba vista;
        PasoCargar(*m_store).Ejecutar(Marzo(1), Lado::Izquierda, true, false, primera, vista);
    }
    asiento(50, "D", QStringLiteral("nueva"));
    OperadorDePrueba operador;
    operador.sinCorrer[pieza] = Intento(respuesta);
    VistaDePrueba vista;
    PasoCargar(*m_store).Ejecutar(Marzo(1), Lado::Izquierda, true, false, operador, vista);
    QCOMPARE(vista.vaciados, vaciados);
    QCOMPARE(vista.listados ? vista.Conceptos() : QStringLiteral("-"), listadas);
}

QTEST_GUILESS_MAIN(EngineStepsTest)
#include "tst_engine_steps.moc"
