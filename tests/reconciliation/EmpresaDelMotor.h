#pragma once
// The small company of the engine's tests (the store and the workbench's steps, without a window), on a fresh
// schema-only database: configuration, three accounts ('11' a heading), users oper1 and admin1, and eight
// journal lines of March 2026:
//   D1..D3 debits and C1..C3 credits of account 1101, X1 a debit of February, X2 a credit of account 1102.
// Lines are keyed (SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO 2026, TIPO_REG 'N').

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/base/Conversiones.h"
#include "reconciliation/engine/EntornoTrabajo.h"
#include "reconciliation/engine/StoreTypes.h"
#include "schema/DemoDatabase.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace prueba {

// One journal line of the fixture.
struct Linea {
    const char* nombre;
    const char* cuenta;
    const char* lado;         // "D" or "H"
    const char* fecha;        // ISO
    const char* vencimiento;  // ISO or nullptr
    const char* tc;
    const char* sucursal;
    const char* numero;
    const char* letra;
    const char* importe;      // nullptr for none
    const char* detalle;
    int secuencia;
    int mes;
    int asiento;
};

inline const std::vector<Linea>& Diario()
{
    static const std::vector<Linea> lineas = {
        {"D1", "1101", "D", "2026-03-05", "2026-03-05", "FC", "0001", "00000010", "A", "100", "Cobro FC 10", 1, 3, 10},
        {"D2", "1101", "D", "2026-03-10", "2026-03-10", "FC", "0001", "00000011", "A", "250", "Cobro FC 11", 1, 3, 11},
        {"D3", "1101", "D", "2026-03-12", nullptr, "VJ", "0001", "00000077", "X", "40", "Ajuste", 1, 3, 77},
        {"C1", "1101", "H", "2026-03-05", "2026-03-05", "FC", "0001", "00000010", "A", "100", "Deposito 10", 2, 3, 10},
        {"C2", "1101", "H", "2026-03-15", "2026-03-15", "CB", "0002", "00000005", "X", "250", "Deposito 11", 2, 3, 11},
        {"C3", "1101", "H", "2026-03-20", "2026-03-20", "PG", "0001", "00000003", "X", "7.5", "Comision", 1, 3, 20},
        {"X1", "1101", "D", "2026-02-28", "2026-02-28", "FC", "0001", "00000009", "A", "10", "fuera del periodo", 1, 2, 5},
        {"X2", "1102", "H", "2026-03-10", "2026-03-10", "FC", "0001", "00000011", "A", "10", "otra cuenta", 3, 3, 11},
    };
    return lineas;
}

inline const Linea& LineaDe(const char* nombre)
{
    for (const Linea& l : Diario()) {
        if (qstrcmp(l.nombre, nombre) == 0)
            return l;
    }
    qFatal("no fixture line %s", nombre);
}

inline QString TextoConexion(const QString& archivo)
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(archivo);
}

inline QString Literal(const char* texto)
{
    return texto ? u'\'' + QString::fromUtf8(texto).replace(u'\'', QStringLiteral("''")) + u'\'' : QStringLiteral("NULL");
}

inline void InsertarLinea(ado::Connection& cn, const Linea& l)
{
    cn.Execute(QStringLiteral("INSERT INTO MV_ASIENTOS (CUENTA,SECUENCIA,MES_OPERATIVO,[NUMERO ASIENTO],PERIODO,"
                              "TIPO_REG,FECHA,VENCIMIENTO,TC,SUCURSAL,NUMERO,LETRA,[DEBE-HABER],IMPORTE,DETALLE,"
                              "TC_ORIGEN,CPTE_ORIGEN,UNEGOCIO,USUARIO_LOGEADO) VALUES (%1,%2,%3,%4,2026,'N',%5,%6,%7,"
                              "%8,%9,%10,%11,%12,%13,%7,%14,'0001','oper1')")
                   .arg(Literal(l.cuenta)).arg(l.secuencia).arg(l.mes).arg(l.asiento)
                   .arg(Literal(l.fecha), Literal(l.vencimiento), Literal(l.tc), Literal(l.sucursal),
                        Literal(l.numero), Literal(l.letra), Literal(l.lado),
                        l.importe ? QString::fromLatin1(l.importe) : QStringLiteral("0"), Literal(l.detalle))
                   .arg(Literal((QByteArray(l.sucursal) + l.numero + l.letra).constData())));
}

// A fresh copy of the company database per test, in a temporary folder that is also the home folder.
class EmpresaDelMotor {
public:
    EmpresaDelMotor()
    {
        suite::Conversiones::EstablecerFormaFechaSQL(suite::FormaFechaSQL::Iso);
        archivo = dir.filePath(QStringLiteral("conciliacion.db"));
        QFile::copy(Plantilla(), archivo);
        qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    }

    void Abrir(ado::Connection& cn) const { cn.Open(TextoConexion(archivo)); }

    static QString Plantilla()
    {
        static QTemporaryDir carpeta;
        static const QString archivo = [] {
            const QString f = carpeta.filePath(QStringLiteral("plantilla.db"));
            QString error;
            if (!schema::CreateEmptyDatabase(f, &error))
                qFatal("schema: %s", qPrintable(error));
            ado::Connection cn;
            cn.Open(TextoConexion(f));
            for (const char* s : {
                     "INSERT INTO TA_CONFIGURACION (CLAVE,VALOR,PoliticaNegocio) VALUES ('ToleranciaRedondeo','0.01',0)",
                     "INSERT INTO TA_CONFIGURACION (CLAVE,VALOR,PoliticaNegocio) VALUES ('CantidadDecimales','2',0)",
                     "INSERT INTO TA_CONFIGURACION (CLAVE,VALOR,PoliticaNegocio) VALUES ('NOMBRE','Empresa Demo',0)",
                     "INSERT INTO MA_CUENTAS (Codigo,Descripcion,Titulo) VALUES ('1101','Banco cuenta corriente',0)",
                     "INSERT INTO MA_CUENTAS (Codigo,Descripcion,Titulo) VALUES ('11','ACTIVO CORRIENTE',1)",
                     "INSERT INTO MA_CUENTAS (Codigo,Descripcion,Titulo) VALUES ('1102','Caja',0)",
                     "INSERT INTO ta_usuarios (nombre,Administrador) VALUES ('oper1',0)",
                     "INSERT INTO ta_usuarios (nombre,Administrador) VALUES ('admin1',1)",
                 })
                cn.Execute(QString::fromLatin1(s));
            for (const Linea& l : Diario())
                InsertarLinea(cn, l);
            return f;
        }();
        return archivo;
    }

    QTemporaryDir dir;
    QString archivo;
};

// The station of the store tests: user oper1 at ESTACION1, with a configuration table of its own in memory.
inline conciliacion::EntornoTrabajo Entorno()
{
    auto tabla = std::make_shared<QHash<QString, QString>>();
    conciliacion::EntornoTrabajo entorno;
    entorno.estacion = QStringLiteral("ESTACION1");
    entorno.usuario = [] { return QStringLiteral("oper1"); };
    entorno.leerConfiguracion = [tabla](const QString& clave) { return tabla->value(clave); };
    entorno.grabarConfiguracion = [tabla](const QString& clave, const QString& valor, const QString&) {
        tabla->insert(clave, valor);
        return true;
    };
    return entorno;
}

// The header of reconciliation `numero` on account 1101 for March 2026, as the operator fills it.
inline conciliacion::Cabecera Marzo(qint64 numero, const QString& observaciones = QStringLiteral("Marzo"))
{
    conciliacion::Cabecera c;
    c.numero = numero;
    c.cuenta = QStringLiteral("1101");
    c.fecha = QStringLiteral("18/04/2026");
    c.observaciones = observaciones;
    c.fechaDesde = QStringLiteral("01/03/2026");
    c.fechaHasta = QStringLiteral("31/03/2026");
    return c;
}

// Single values and whole columns read straight from the database.
inline ado::Variant Valor(ado::Connection& cn, const QString& consulta)
{
    const ado::RowSet r = cn.Query(consulta);
    return r.rows.isEmpty() ? ado::Variant() : r.rows.first().first();
}

inline qint64 Contar(ado::Connection& cn, const QString& tablaYCondicion)
{
    return Valor(cn, QStringLiteral("SELECT COUNT(*) FROM ") + tablaYCondicion).toLong();
}

// "a|b|c" of the first column of every row, as TextoCampo shows them.
inline QString Lista(ado::Connection& cn, const QString& consulta)
{
    QStringList valores;
    for (const auto& fila : cn.Query(consulta).rows)
        valores << suite::Conversiones::TextoCampo(fila.first());
    return valores.join(u'|');
}

// Every row of the reconciliation tables and the lock, to compare a state before and after.
inline QString Volcado(ado::Connection& cn)
{
    QString todo;
    for (const char* t : {"MV_CONCILIACION_CAB", "MV_CONCILIACION", "MV_CONCILIACION_AUX", "MV_CONCILIACION_Cpte_AUX",
                          "V_MV_CTROL_CPTE"}) {
        todo += QLatin1String(t) + QLatin1Char(':');
        for (const auto& fila : cn.Query(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(QLatin1String(t))).rows) {
            for (const ado::Variant& v : fila)
                todo += (v.isNull() ? QStringLiteral("<null>") : v.toText()) + QLatin1Char(',');
            todo += QLatin1Char(';');
        }
        todo += QLatin1Char('\n');
    }
    return todo;
}

// The journal key of a fixture line as the reconciliation tables hold it.
inline QString ClaveDe(const char* nombre)
{
    const Linea& l = LineaDe(nombre);
    return QStringLiteral("CUENTA = '%1' AND SECUENCIA = %2 AND MES_OPERATIVO = %3 AND [NUMERO ASIENTO] = %4")
        .arg(QLatin1String(l.cuenta)).arg(l.secuencia).arg(l.mes).arg(l.asiento);
}

} // namespace prueba
