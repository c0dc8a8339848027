#include "StoreSql.h"

#include "StoreTypes.h"
#include "data/base/ValorSql.h"
#include "platform/suite/base/Conversiones.h"

namespace conciliacion::sql {

QString Texto(const QString& texto)
{
    return sqltext::ValorSQL(ado::Variant(texto), QStringLiteral("'"));
}

QString Fecha(const QString& fecha)
{
    return fecha.trimmed().isEmpty() ? QStringLiteral("NULL") : suite::Conversiones::FechaSQL(fecha);
}

QString DelNumero(qint64 numero)
{
    return QStringLiteral("IDCONCILIACION = ") + Texto(NumeroTabla(numero));
}

QStringList ListasDeIds(const std::vector<qint64>& ids, int porLista)
{
    QStringList listas;
    QString actual;
    int enActual = 0;
    for (qint64 id : ids) {
        if (enActual == porLista) {
            listas << actual;
            actual.clear();
            enActual = 0;
        }
        if (enActual > 0)
            actual += QLatin1Char(',');
        actual += QString::number(id);
        ++enActual;
    }
    if (enActual > 0)
        listas << actual;
    return listas;
}

int Filas::Columna(const QString& nombre) const
{
    for (int i = 0; i < m_datos.fields.size(); ++i) {
        if (m_datos.fields.at(i).name.compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw ado::Error(ado::kErrItemNotFound,
                     QStringLiteral("Item cannot be found in the collection corresponding to the requested name "
                                    "or ordinal: %1")
                         .arg(nombre));
}

QString Filas::Texto(qsizetype fila, int columna) const
{
    return suite::Conversiones::TextoCampo(Valor(fila, columna));
}

qint64 Filas::Entero(qsizetype fila, int columna) const
{
    const ado::Variant& v = Valor(fila, columna);
    switch (v.type()) {
    case ado::VarType::Empty:
    case ado::VarType::Null: return 0;
    case ado::VarType::String: return NumeroDeTexto(v.toString());
    default: return v.toLong();
    }
}

bool Filas::Verdad(qsizetype fila, int columna) const
{
    const ado::Variant& v = Valor(fila, columna);
    if (v.isNull() || v.isEmpty())
        return false;
    try {
        return v.toBool();
    } catch (const ado::Error&) {
        return false;   // a text that is no truth value counts as not set
    }
}

Transaccion::Transaccion(ado::Connection& cn) : m_cn(cn)
{
    m_cn.BeginTrans();
    m_abierta = true;
}

Transaccion::~Transaccion()
{
    if (!m_abierta)
        return;
    try {
        m_cn.RollbackTrans();
    } catch (const ado::Error&) {
        // The engine already ended it (a failed COMMIT on some engines); nothing is left to undo.
    }
}

void Transaccion::Confirmar()
{
    m_cn.CommitTrans();
    m_abierta = false;
}

} // namespace conciliacion::sql
