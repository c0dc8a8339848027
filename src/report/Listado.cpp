#include "Listado.h"

#include "EnlaceHTML.h"
#include "LecturaDelListado.h"

#include "core/Configuration.h"
#include "core/Money.h"
#include "core/base/SqlBuilders.h"
#include "data/DB_Dll.h"

#include <cmath>
#include <cstring>

namespace report::detalle {

QString Literal(const QString& valor)
{
    QString texto = valor;
    return texto.replace(QLatin1Char('\''), QLatin1String("''"));
}

ado::Variant Campos::operator[](const char* nombre)
{
    for (const auto& [conocido, posicion] : m_posiciones)
        if (std::strcmp(conocido, nombre) == 0)
            return m_rs.Fields(posicion).Value();
    const int posicion = m_rs.FieldIndex(QLatin1String(nombre));
    if (posicion < 0)
        return m_rs.Fields(QLatin1String(nombre)).Value();   // raises the unknown-field error
    m_posiciones.append({nombre, posicion});
    return m_rs.Fields(posicion).Value();
}

QString Celda(const ado::Variant& valor)
{
    return TextoHTML(valor.toText());
}

ado::Variant Dinero(const ado::Variant& importe)
{
    if (importe.isNull() || importe.type() == ado::VarType::Empty || importe.type() == ado::VarType::Currency)
        return importe;
    return importe.toCurrency();
}

QString TextoDinero(const ado::Variant& importe)
{
    const ado::Variant dinero = Dinero(importe);
    if (dinero.isNull() || dinero.type() == ado::VarType::Empty)
        return QString();
    const ado::Currency monto = dinero.toCurrency();
    const std::optional<int> decimales = ModGlobal::DecimalesMoneda(-1, ModGlobal::gCantidadDecimales);
    // More decimals than configured are shown, never rounded away.
    if (decimales && monto.rounded(*decimales) == monto)
        return ModGlobal::FormatoMoneda(monto, *decimales);
    return dinero.toText();
}

namespace {

ado::Currency absoluto(const ado::Currency& c)
{
    return c < ado::Currency() ? -c : c;
}

} // namespace

QString MarcaSaldo(const ado::Variant& saldo)
{
    const ado::Variant dinero = Dinero(saldo);
    if (dinero.isNull() || dinero.type() == ado::VarType::Empty)
        return QString();
    const qint64 s = dinero.toCurrency().scaled();
    return s > 0 ? QStringLiteral("(D) ") : (s < 0 ? QStringLiteral("(H) ") : QString());
}

QString SaldoAbsoluto(const ado::Variant& saldo)
{
    const ado::Variant dinero = Dinero(saldo);
    if (dinero.isNull() || dinero.type() == ado::VarType::Empty)
        return QString();
    return TextoDinero(absoluto(dinero.toCurrency()));
}

QString MonedaAbsoluta(const ado::Variant& importe)
{
    const ado::Variant dinero = Dinero(importe);
    return ModGlobal::FmtMoneda(dinero.isNull() ? ado::Currency() : absoluto(dinero.toCurrency()), -1);
}

Listado::Listado(const ClassHTML& html_, const ParametrosListado& p_, HostReporte* host_, ArchivoListado& archivo_,
                 const ast::TablaNiveles& niveles_)
    : html(html_), p(p_), host(host_), archivo(archivo_), niveles(niveles_), cuenta(Literal(p_.Cuenta))
{
}

void Listado::Abrir(const QString& sql, ado::Recordset& rs)
{
    switch (AbrirLectura(sql, rs, host)) {
    case Lectura::Abierta:
        return;
    case Lectura::Cancelada:
        throw ListadoCancelado{};
    case Lectura::Fallida:
        throw ConsultaFallida{};
    }
}

void Listado::Paso(const ado::Recordset& rs)
{
    if (!host)
        return;
    if (host->Cancelado())
        throw ListadoCancelado{};
    if (m_presupuesto.Vencido()) {
        const qint64 total = rs.RecordCount();
        host->DibujarProgreso(total > 0 ? double(rs.AbsolutePosition()) * 100.0 / double(total) : 0.0);
        host->ProcesarEventos();
    }
}

void Listado::Eventos()
{
    if (host && m_presupuesto.Vencido())
        host->ProcesarEventos();
}

QString Listado::Condicion(const QString& campo, const QStringList& valores, bool nulos)
{
    return ModGlobal::ArmarCondicion(campo, QStringLiteral(" = "), valores, QStringLiteral(" OR "),
                                     QStringLiteral("'"), ado::Variant(nulos), false);
}

QString Listado::Periodo() const
{
    return QStringLiteral("(fecha<=") + hasta + QStringLiteral(" or Fecha is null) and (fecha>=") + desde
           + QStringLiteral(" or Fecha is null)");
}

QString Listado::PeriodoAmplio() const
{
    return QStringLiteral("(Fecha <= ") + hasta + QStringLiteral(" or Fecha is null ) and (Fecha >= ") + desde
           + QStringLiteral(" or Fecha is null )");
}

namespace {

QString banda(const QString& codigo, const QString& titulo, const QString& derecha)
{
    return QStringLiteral("<TABLE Border=0 CellPadding=3 CellSpacing=0 WIDTH=100%><TR CLASS=TableTitulo><td ALIGN=left ><A HREF=\"")
           + EnlaceCuenta(codigo) + QStringLiteral("\"> <font color=white>") + TextoHTML(titulo)
           + QStringLiteral("</a></td><TD ALIGN=right >") + derecha + QStringLiteral("</td></TR></TABLE>&nbsp");
}

} // namespace

void Listado::BandaSaldo(const QString& sqlSaldo)
{
    ado::Recordset rs;
    Abrir(sqlSaldo, rs);
    const ado::Variant saldo = rs.EOF() ? ado::Variant::Null() : rs.Fields(QStringLiteral("Saldo")).Value();
    Linea(banda(p.Cuenta.left(LargoPadre()), p.Titulo, MarcaSaldo(saldo) + SaldoAbsoluto(saldo)));
    archivo.MarcarBarra();
}

void Listado::BandaSinSaldo()
{
    Linea(banda(p.Cuenta, p.Titulo, QString()));
    archivo.MarcarBarra();
}

int Listado::LargoHijo() const
{
    return ast::LargoHijo(niveles, int(p.Cuenta.size()));
}

int Listado::LargoPadre() const
{
    return ast::LargoPadre(niveles, int(p.Cuenta.size()));
}

} // namespace report::detalle
