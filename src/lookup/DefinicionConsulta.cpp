#include "DefinicionConsulta.h"

#include "Lib_ClsCons3.h"
#include "MascaraConsulta.h"

#include "platform/suite/Carpetas.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <functional>

namespace lookup {
namespace {

bool igual(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

bool unoDe(const QString& tabla, const QStringList& nombres) { return nombres.contains(tabla, Qt::CaseInsensitive); }

QString sinEseFinal(QString s)
{
    if (s.endsWith(QLatin1Char('s'), Qt::CaseInsensitive))
        s.chop(1);
    return s;
}

// "ID" followed by the part of the name after the first `prefijo`, its final S dropped.
QString idDespuesDe(const QString& tabla, const char* prefijo)
{
    const QString p = QLatin1String(prefijo);
    const qsizetype at = tabla.indexOf(p, 0, Qt::CaseInsensitive);
    return QStringLiteral("ID") + sinEseFinal(tabla.mid(at < 0 ? 0 : at + p.size()));
}

const QStringList kGrupoA = {
    "V_TA_Cajas", "V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito", "V_TA_Tecnicos",
    "V_TA_Tareas", "V_TA_Unidad", "V_TA_TipoArticulo", "V_TA_Rubros", "V_TA_MotivoStock", "V_TA_CPRA_VTA",
    "V_TA_CATEGORIA", "V_TA_DESTINO", "V_TA_ORIGEN"};

const QStringList kGrupoP = {
    "P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico", "P_TA_FormasDePago",
    "P_MA_Empresas", "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial", "P_TA_MotivoEgreso", "P_TA_Grupos",
    "P_TA_EstadoBusqueda", "P_TA_Areas", "P_TA_IDIOMAS", "P_TA_TITULOs", "P_TA_ESTADOPOSTULANTE",
    "P_TA_Parentesco", "P_TA_EstadoCivil"};

const QStringList kGrupoT = {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_TipoArticulo", "TA_Rubros",
                             "TA_CPRA_VTA"};

QString reglaA(const QString& t)
{
    if (igual(t, "V_TA_CPRA_VTA"))
        return QStringLiteral("IDCOND_CPRA_VTA");
    if (igual(t, "V_TA_TipoArticulo"))
        return QStringLiteral("IDTIPO");
    if (igual(t, "V_TA_Cajas"))
        return QStringLiteral("IDCajas");
    return idDespuesDe(t, "V_TA_");
}

QString reglaP(const QString& t)
{
    const QString resto = t.mid(5);
    return QStringLiteral("ID") + (igual(t, "P_TA_Areas") ? resto : sinEseFinal(resto));
}

QString reglaT(const QString& t)
{
    if (igual(t, "TA_TipoArticulo"))
        return QStringLiteral("IDTIPO");
    if (igual(t, "TA_CPRA_VTA"))
        return QStringLiteral("IDCOND_CPRA_VTA");
    return idDespuesDe(t, "TA_");
}

struct Fila {
    std::function<bool(const QString&)> coincide;
    std::function<DefinicionConsulta(const QString&)> definicion;
};

std::function<bool(const QString&)> nombres(QStringList lista)
{
    return [lista](const QString& t) { return unoDe(t, lista); };
}

std::function<bool(const QString&)> empiezaCon(const char* prefijo)
{
    return [p = QString::fromLatin1(prefijo)](const QString& t) { return t.startsWith(p, Qt::CaseInsensitive); };
}

std::function<DefinicionConsulta(const QString&)> fija(const char* d, const char* c, const char* a)
{
    return [=](const QString& t) {
        return DefinicionConsulta{t, QLatin1String(d), QLatin1String(c), QLatin1String(a)};
    };
}

const QList<Fila>& tablaDefiniciones()
{
    static const QList<Fila> filas = {
        {nombres({"TA_COMPROBANTES", "V_TA_Cpte"}),
         [](const QString&) { return DefinicionConsulta{"VT_TA_Cpte", "Descripcion", "Codigo", ""}; }},
        {nombres({"V_TA_PERCEPCION"}), fija("DESCRIPCION", "IDPERCEPCION", "")},
        {nombres({"V_TA_RETENCIONES"}), fija("DESCRIPCION", "IDRETENCION", "")},
        {nombres({"V_TA_UNIDADNEGOCIO"}), fija("DESCRIPCION", "CODIGO", "")},
        {nombres({"V_ta_PoliticaPrecios"}), fija("Descripcion", "codigo", "")},
        {nombres({"V_TA_CATEGORIAARTICULO"}), fija("DESCRIPCION", "idcategoria", "")},
        {nombres(kGrupoA),
         [](const QString& t) {
             return DefinicionConsulta{t, igual(t, "V_TA_Tecnicos") ? "NOMBRE" : "DESCRIPCION", reglaA(t), ""};
         }},
        {nombres(kGrupoP),
         [](const QString& t) {
             return DefinicionConsulta{t, igual(t, "P_MA_Empresas") ? "NombreEmpresa" : "Descripcion", reglaP(t), ""};
         }},
        {nombres({"P_SINDICATOS"}), fija("Descripcion", "IdSindicato", "")},
        {nombres({"P_TA_Funciones"}),
         [](const QString& t) { return DefinicionConsulta{t, "DESCRIPCION", QStringLiteral("ID") + t.mid(5), ""}; }},
        {nombres(kGrupoT), [](const QString& t) { return DefinicionConsulta{t, "DESCRIPCION", reglaT(t), ""}; }},
        {nombres({"P_MA_Clientes"}), fija("RAZON_SOCIAL", "IDCLIENTE", "")},
        {nombres({"TA_Cpte"}), fija("DESCRIPCION", "CODIGO", "DESCRIPCION")},
        {nombres({"V_TA_VENDEDORES"}), fija("NOMBRE", "idvendedor", "NOMBRE")},
        {nombres({"V_MA_ARTICULOS"}),
         [](const QString& t) { return DefinicionConsulta{t, "DESCRIPCION", idDespuesDe(t, "V_MA_"), "DESCRIPCION"}; }},
        {nombres({"V_MV_COTIZAR"}), fija("COT_OBSERVACIONES", "IDARTICULO", "COT_OBSERVACIONES")},
        {nombres({"MA_ARTICULOS"}),
         [](const QString& t) { return DefinicionConsulta{t, "DESCRIPCION", idDespuesDe(t, "MA_"), "DESCRIPCION"}; }},
        {nombres({"MA_MODELOS"}), fija("NOMBRE", "NOMBRE", "NOMBRE")},
        {nombres({"MA_CHOFERES"}), fija("APELLIDO", "CODIGO", "NOMBRES")},
        {nombres({"MA_DESTINATARIOS"}), fija("NOMBRE", "CODIGO", "NOMBRE")},
        {nombres({"MA_VEHICULOS"}), fija("PATENTE", "PATENTE", "MODELO")},
        {nombres({"MV_EJERCICIOS"}), fija("DESCRIPCION", "PERIODO", "DESCRIPCION")},
        {nombres({"TA_USUARIOS"}), fija("NOMBRE", "NOMBRE", "")},
        {empiezaCon("TA_"), fija("DESCRIPCION", "CODIGO", "DESCRIPCION")},
        {[](const QString& t) {
             return unoDe(t.left(6), {"MA_PRO", "MA_VEN", "MA_TRA", "MA_CON", "MA_AGE"});
         },
         fija("Razon_Social", "Codigo", "Razon_Social")},
        {empiezaCon("MA_CLI"), fija("Razon_Social", "Codigo", "Codigo_sucursal")},
        {empiezaCon("MA_"), fija("Descripcion", "Codigo", "Descripcion")},
        {empiezaCon("[MA_CA"), fija("nombre", "Codigo", "nombre")},
        {empiezaCon("MV_PRO"), fija("ASUNTO", "ID", "ASUNTO")},
    };
    return filas;
}

// The mask road is open when the program folder holds the mask file. Other programs of the suite that
// share this routine keep it closed by their executable name; this program names none.
bool caminoMascara()
{
    return QFileInfo(QDir(suite::CarpetaDelPrograma()).filePath(kArchivoMascaras)).isFile();
}

} // namespace

std::optional<DefinicionConsulta> DefinicionPorTabla(const QString& tabla)
{
    for (const Fila& fila : tablaDefiniciones())
        if (fila.coincide(tabla))
            return fila.definicion(tabla);
    return std::nullopt;
}

} // namespace lookup

namespace ModGlobal {

using lookup::DefinicionPorTabla;

bool DefinirConsulta(QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoAdicional,
                     bool Buscar, QString& Condicion)
{
    if (const auto def = DefinicionPorTabla(Tabla)) {
        Tabla = def->tabla;
        CampoDescripcion = def->descripcion;
        CampoCodigo = def->codigo;
        CampoAdicional = def->adicional;
    }
    Lib_ClsCons3& consultas = gConsultas();
    if (lookup::caminoMascara()) {
        if (lookup::igual(Tabla, "VT_CLIENTES") || lookup::igual(Tabla, "VT_PROVEEDORES"))
            CampoCodigo = QStringLiteral("CODIGO");
        QString sentencia = QStringLiteral("select ") + CampoDescripcion + QLatin1Char(',') + CampoCodigo
                            + QStringLiteral(" from ") + Tabla + QLatin1Char(' ') + Condicion;
        consultas.CampoDevuelto = CampoCodigo;
        QString clave, campoBusqueda;
        consultas.ConsultaSearch(Tabla, nullptr, &clave, &campoBusqueda, &Condicion, &sentencia);
    } else if (Buscar) {
        if (CampoDescripcion.trimmed().isEmpty())
            CampoDescripcion = QStringLiteral(" * ");
        consultas.CampoDevuelto = CampoCodigo;
        consultas.ConsultaSearch(QStringLiteral("select ") + CampoDescripcion + QLatin1Char(',') + CampoCodigo
                                 + QStringLiteral(" from ") + Tabla + QLatin1Char(' ') + Condicion);
    } else {
        return false;
    }
    const QString elegido = consultas.ValorDevuelto;
    if (elegido.isEmpty())
        return false;
    CampoCodigo = elegido;
    return true;
}

} // namespace ModGlobal
