#include "PedidoInforme.h"

#include "ArbolCuentas.h"

#include <array>

namespace tablero {

QString TituloTipoListado(int opcion)
{
    static const std::array<const char*, 4> titulos{
        "Consolidado", "Abierto por Unidad de Negocio", "Abierto por Centro de Costo",
        "Abierto por Unidad de Negocio y Centro de Costo"};
    if (opcion < 0 || opcion > 3)
        return QString();
    return QString::fromLatin1(titulos[std::size_t(opcion)]);
}

int TipoListadoDe(int opcion)
{
    return opcion >= 0 && opcion <= 2 ? opcion : 3;
}

int NivelesDe(bool resumido)
{
    return resumido ? 4 : 6;
}

PedidoInforme PedidoDeCuenta(const EstadoFiltros& estado, const QString& cuenta, const QString& titulo, bool esHoja)
{
    PedidoInforme p;
    p.TituloListado = TituloTipoListado(estado.opcionTipoListado);
    p.strNombreArchivo = estado.archivo;
    p.Titulo = titulo;
    p.Cuenta = cuenta;
    p.EsHoja = esHoja;
    p.FechaDesde = estado.fechaDesde;
    p.FechaHasta = estado.fechaHasta;
    p.eTipoListado = TipoListadoDe(estado.opcionTipoListado);
    p.eUnidadesNegocio = estado.unidades;
    p.eCentrosCostos = estado.centros;
    p.eNormal = estado.valorRama != 0;
    p.eNiveles = NivelesDe(estado.resumido);
    return p;
}

PedidoInforme PedidoPlanGeneral(const EstadoFiltros& estado)
{
    return PedidoDeCuenta(estado, QString(), QString::fromLatin1(kTextoRaiz), false);
}

PedidoInforme PedidoActualizar(const EstadoFiltros& estado, const QString& cuenta, const QString& titulo,
                               bool esHoja)
{
    PedidoInforme p = PedidoDeCuenta(estado, cuenta, titulo, esHoja);
    p.pTc = estado.tc;
    p.pSuc = estado.sucursal;
    p.pNro = estado.numero;
    p.pLetra = estado.letra;
    p.pImpDesde = estado.impDesde;
    p.pImpHasta = estado.impHasta;
    return p;
}

QString TituloDeCuenta(const QString& codigo, const QString& descripcion)
{
    return codigo + QStringLiteral(" - ") + descripcion;
}

} // namespace tablero
