#include "TaxBook.h"

#include "data/DB_Dll.h"
#include "platform/ado/Recordset.h"
#include "platform/suite/Utilidades.h"

#include <optional>

namespace ModGlobal {

namespace {

// Positions in ColumnasLibroIva.
enum { NetoGrav, NetoNGrav, Exento, Iva, IvaRec, RetPerc, RetIBtos, RetGanancias, Total, Iva2, Iva3, Iva4 };

std::optional<ado::Currency> importe(const ado::Variant& v)
{
    if (v.isNull() || v.isEmpty())
        return std::nullopt;
    return v.toCurrency();
}

std::optional<ado::Currency> suma(const ImportesLibroIva& importes, std::initializer_list<int> columnas)
{
    ado::Currency total;
    for (int c : columnas) {
        const auto valor = importe(importes[c]);
        if (!valor)
            return std::nullopt;
        total += *valor;
    }
    return total;
}

bool igualAbsoluto(const std::optional<ado::Currency>& valor, const ado::Currency& Importe)
{
    return valor && (*valor < ado::Currency() ? -*valor : *valor) == Importe;
}

QString entero(const QString& texto)
{
    bool ok = false;
    const qint64 n = texto.trimmed().toLongLong(&ok);
    return ok ? QString::number(n) : QString();
}

} // namespace

const QStringList& ColumnasLibroIva()
{
    static const QStringList columnas{
        QStringLiteral("LIVA_ImpNetoGrav"), QStringLiteral("LIVA_ImpNetoNGrav"), QStringLiteral("Liva_Exento"),
        QStringLiteral("Liva_ImpIva"),      QStringLiteral("Liva_ImpIvaRec"),    QStringLiteral("LIVA_Ret_Perc"),
        QStringLiteral("LIVA_Ret_IBtos"),   QStringLiteral("LIVA_Ret_Ganancias"), QStringLiteral("Liva_Total"),
        QStringLiteral("Liva_ImpIva2"),     QStringLiteral("Liva_ImpIva3"),      QStringLiteral("LIVA_ImpIVA4")};
    return columnas;
}

ImportesLibroIva LeerImportesLibroIva(ado::Recordset& rs)
{
    ImportesLibroIva importes;
    for (int i = 0; i < 12; ++i)
        importes[i] = rs.Fields(ColumnasLibroIva().at(i)).Value();
    return importes;
}

bool CoincideConLibroIva(const ImportesLibroIva& importes, const ado::Currency& Importe)
{
    for (int i = 0; i < 12; ++i)
        if (igualAbsoluto(importe(importes[i]), Importe))
            return true;
    return igualAbsoluto(suma(importes, {NetoGrav, NetoNGrav, Exento}), Importe)
           || igualAbsoluto(suma(importes, {Iva, IvaRec, Iva2, Iva3, Iva4}), Importe)
           || igualAbsoluto(suma(importes, {RetPerc, RetGanancias, RetIBtos}), Importe);
}

QString LetraLibroIva(const QString& livaTipo)
{
    if (livaTipo.compare(QLatin1String("Ventas"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("V");
    if (livaTipo.compare(QLatin1String("Compras"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("C");
    return {};
}

QString ValidaTCRegistraciones(const QString& TC, const QString& Sucursal, const QString& Numero,
                               const QString& Letra, const ado::Variant& TipoReg, const QString& NumeroAsiento,
                               const QString& MesOperativo, const QString& Cuenta, const ado::Currency& Importe)
{
    Q_UNUSED(Cuenta);
    const QString asiento = entero(NumeroAsiento);
    const QString mes = entero(MesOperativo);
    if (asiento.isEmpty() || mes.isEmpty())
        return {};
    const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ") + DB_Dll::SQLValue(TC.trimmed(), "'")
                        + QStringLiteral(" AND SUCURSAL = ") + DB_Dll::SQLValue(Sucursal, "'")
                        + QStringLiteral(" AND NUMERO = ") + DB_Dll::SQLValue(Numero, "'")
                        + QStringLiteral(" AND LETRA = ") + DB_Dll::SQLValue(Letra.trimmed(), "'")
                        + QStringLiteral(" AND [NUMERO ASIENTO] = ") + asiento
                        + QStringLiteral("  AND MES_OPERATIVO = ") + mes + QStringLiteral(" AND Tipo_Reg = ")
                        + DB_Dll::SQLValue(suite::Utilidades::TextoCampo(TipoReg), "'")
                        + QStringLiteral(" AND (ESRESUMEN = 0) AND (LIVA_TIPO = 'Compras' or LIVA_TIPO = 'Ventas')");
    ado::Recordset rs;
    if (!gDB().AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true))
        return {};
    QString resultado;
    for (; !rs.EOF(); rs.MoveNext()) {
        if (CoincideConLibroIva(LeerImportesLibroIva(rs), Importe)) {
            resultado = LetraLibroIva(suite::Utilidades::TextoCampo(rs.Fields(QStringLiteral("LIVA_TIPO")).Value()));
            break;
        }
    }
    gDB().CierraRecordset(rs);
    return resultado;
}

} // namespace ModGlobal
