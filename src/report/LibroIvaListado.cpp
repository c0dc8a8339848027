#include "LibroIvaListado.h"

#include "Listado.h"

#include "platform/suite/Utilidades.h"

namespace report::detalle {

namespace {

// Texts compared as the database's text columns compare: trailing blanks and letter case ignored.
QString parteClave(const ado::Variant& v)
{
    QString texto = suite::Utilidades::TextoCampo(v);
    while (texto.endsWith(QLatin1Char(' ')))
        texto.chop(1);
    return texto.toUpper();
}

QString parteNumero(const ado::Variant& v)
{
    bool ok = false;
    const qint64 n = suite::Utilidades::TextoCampo(v).trimmed().toLongLong(&ok);
    return ok ? QString::number(n) : QStringLiteral("?");
}

} // namespace

QString LibroIvaListado::Clave(const ado::Variant& TC, const ado::Variant& Sucursal, const ado::Variant& Numero,
                               const ado::Variant& Letra, const ado::Variant& TipoReg,
                               const ado::Variant& NumeroAsiento, const ado::Variant& MesOperativo)
{
    return parteClave(TC).trimmed() + QChar(1) + parteClave(Sucursal) + QChar(1) + parteClave(Numero) + QChar(1)
           + parteClave(Letra).trimmed() + QChar(1) + parteClave(TipoReg) + QChar(1) + parteNumero(NumeroAsiento)
           + QChar(1) + parteNumero(MesOperativo);
}

void LibroIvaListado::Cargar(Listado& l, const QString& condicionMovimientos)
{
    QString columnas;
    for (const QString& c : ModGlobal::ColumnasLibroIva())
        columnas += QStringLiteral(", t.") + c;
    const QString sql =
        QStringLiteral("SELECT t.TC, t.SUCURSAL, t.NUMERO, t.LETRA, t.TIPO_REG, t.[NUMERO ASIENTO] AS NUMEROASIENTO, "
                       "t.MES_OPERATIVO, t.LIVA_TIPO")
        + columnas
        + QStringLiteral(" FROM MV_ASIENTOS t WHERE t.ESRESUMEN = 0 AND (t.LIVA_TIPO = 'Compras' or t.LIVA_TIPO = 'Ventas')"
                         " AND EXISTS (SELECT 1 FROM mv_Asientos m WHERE m.TC = t.TC AND m.SUCURSAL = t.SUCURSAL"
                         " AND m.NUMERO = t.NUMERO AND m.LETRA = t.LETRA AND m.TIPO_REG = t.TIPO_REG"
                         " AND m.[NUMERO ASIENTO] = t.[NUMERO ASIENTO] AND m.MES_OPERATIVO = t.MES_OPERATIVO AND ")
        + condicionMovimientos + QStringLiteral(")");
    ado::Recordset rs;
    l.Abrir(sql, rs);
    for (; !rs.EOF(); rs.MoveNext()) {
        FilaLibro fila;
        fila.importes = ModGlobal::LeerImportesLibroIva(rs);
        fila.letra = ModGlobal::LetraLibroIva(suite::Utilidades::TextoCampo(rs.Fields(QStringLiteral("LIVA_TIPO")).Value()));
        m_filas[Clave(rs[QStringLiteral("TC")], rs[QStringLiteral("SUCURSAL")], rs[QStringLiteral("NUMERO")],
                      rs[QStringLiteral("LETRA")], rs[QStringLiteral("TIPO_REG")], rs[QStringLiteral("NUMEROASIENTO")],
                      rs[QStringLiteral("MES_OPERATIVO")])]
            .append(fila);
    }
}

QString LibroIvaListado::Letra(const ado::Variant& TC, const ado::Variant& Sucursal, const ado::Variant& Numero,
                               const ado::Variant& Letra, const ado::Variant& TipoReg,
                               const ado::Variant& NumeroAsiento, const ado::Variant& MesOperativo,
                               const ado::Currency& Importe) const
{
    const auto filas = m_filas.constFind(Clave(TC, Sucursal, Numero, Letra, TipoReg, NumeroAsiento, MesOperativo));
    if (filas == m_filas.cend())
        return {};
    for (const FilaLibro& fila : *filas)
        if (ModGlobal::CoincideConLibroIva(fila.importes, Importe))
            return fila.letra;
    return {};
}

} // namespace report::detalle
