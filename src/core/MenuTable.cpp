#include "MenuTable.h"

namespace ModGlobal {
namespace {

using R = ReglaRespuesta;

ItemMenuDef cmd(const char* nombre, const char* caption, const char* codigo)
{
    ItemMenuDef i;
    i.nombre = QString::fromUtf8(nombre);
    i.caption = QString::fromUtf8(caption);
    i.regla = R::Codigo;
    i.codigo = QString::fromUtf8(codigo);
    return i;
}

ItemMenuDef vacio(const char* nombre, const char* caption)
{
    ItemMenuDef i = cmd(nombre, caption, "");
    i.regla = R::Vacio;
    return i;
}

ItemMenuDef nada(const char* nombre, const char* caption)
{
    ItemMenuDef i = cmd(nombre, caption, "");
    i.regla = R::Nada;
    return i;
}

ItemMenuDef marcado(ItemMenuDef i)
{
    i.marcado = true;
    return i;
}

ItemMenuDef oculto(ItemMenuDef i)
{
    i.oculto = true;
    return i;
}

ItemMenuDef sep(const char* nombre = "")
{
    ItemMenuDef i;
    i.tipo = ItemMenuDef::Separador;
    i.nombre = QString::fromUtf8(nombre);
    i.caption = QStringLiteral("-");
    return i;
}

ItemMenuDef indexado(const char* nombre, const char* caption, R regla)
{
    ItemMenuDef i = cmd(nombre, caption, "");
    i.tipo = ItemMenuDef::Indexado;
    i.regla = regla;
    return i;
}

ItemMenuDef sub(const char* nombre, const char* caption, std::vector<ItemMenuDef> hijos)
{
    ItemMenuDef i;
    i.tipo = ItemMenuDef::Submenu;
    i.nombre = QString::fromUtf8(nombre);
    i.caption = QString::fromUtf8(caption);
    i.hijos = std::move(hijos);
    return i;
}

PopupDef popup(const char* nombre, std::vector<ItemMenuDef> items, bool ocultaVentana = false)
{
    return PopupDef{QString::fromUtf8(nombre), ocultaVentana, std::move(items)};
}

std::vector<PopupDef> armarTabla()
{
    std::vector<PopupDef> t;
    t.push_back(popup("mnu_EmergenteZ1", {
        cmd("mnu_EmergenteZ1_MarcarSel", "&Marcar los registros seleccionados", "MarCarSel"),
        sep("mnu_EmergenteZ1_Sep1"),
        cmd("mnu_EmergenteZ1_QuitarSel", "&Quitar de la conciliacion los registros seleccionados", "QuitarSel"),
        sep("mnu_EmergenteZ1_Sep2"),
        cmd("mnu_EmergenteZ1_VerAsiento", "&Ver detalle del Comprobante", "VerComprobante"),
        sep("mnu_EmergenteZ1_Sep3"),
        cmd("mnu_EmergenteZ1_Cancelar", "&Cancelar", "Cancelar"),
    }));
    t.push_back(popup("mnu_Emergente", {
        cmd("MNU_Emergente_Eliminar", "Eliminar", "Eliminar"), sep(),
        cmd("MNU_Emergente_Ejecutar", "Ejecutar", "Ejecutar"), sep(),
        vacio("MNU_Emergente_Cancelar", "Cancelar"),
    }, true));
    t.push_back(popup("MNU_EmergenteII", {
        cmd("MNU_EmergenteII_Consultar", "Consultar - Visualizar", "Consultar"), sep(),
        cmd("MNU_EmergenteII_Reimprimir", "Reimprimir", "Reimprimir"), sep(),
        nada("MNU_EmergenteII_Cancelar", "Cancelar"),
    }, true));
    t.push_back(popup("MNU_EmergenteIII", {
        indexado("MNU_EmergenteIII_Tecnicos", "(Tecnico)", R::Caption), sep(),
        vacio("MNU_EmergenteIII_Cancelar", "Cancelar"),
    }, true));
    t.push_back(popup("MNU_EmergenteIV", {
        cmd("MNU_EmergenteIV_Editar", "&Editar Solicitud", "EditarSolicitud"), sep(),
        nada("MNU_EmergenteIV_Cancelar", "&Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteV", {
        cmd("Mnu_EmergenteV_Citar", "&Citar", "Citar"), sep(),
        cmd("Mnu_EmergenteV_SeleccionarTodo", "&Seleccionar Todo", "seleccionar_todas"),
        cmd("Mnu_EmergenteV_QuitarTodo", "&Quitar Todo", "deseleccionar_todas"), sep(),
        cmd("Mnu_EmergenteV_EditarPostulante", "&Editar Ficha del Postulante", "Editar_Postulante"), sep(),
        cmd("Mnu_EmergenteV_EliminarBusqueda", "Eliminar Resultado Busqueda", "EliminarResultadoBusqueda"), sep(),
        vacio("Mnu_EmergenteV_Cancelar", "&Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteVI", {
        marcado(cmd("MNU_EmergenteVIAprobar", "Aprobar", "Aprobar")),
        cmd("MNU_CitarEvaluar", "Citar para &Evaluación", "CitarEvaluar"), sep(),
        cmd("MNU_EmergenteVIAnulBActual", "Anular para la Búsqueda Actual", "AnularActual"),
        cmd("MNU_EmergenteVIAnulTodaslasB", "Anular para Todas las Búsquedas", "AnularTodas"), sep(),
        cmd("MNU_EmergenteVIEditaPostulante", "Editar la Ficha del Postulante", "EditaFichaPostulante"), sep(),
        nada("MNU_EmergenteVICAncelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteVII", {
        cmd("MNU_EmergenteVII_Presentar", "Presentar al Cliente", "PresentarAlCliente"),
        marcado(cmd("MNU_EmergenteVII_Contratar", "Contratar", "Contratar")), sep(),
        cmd("MNU_EmergenteVIIDescartarEsta", "Descartar para esta Búsqueda", "AnularActual"),
        cmd("MNU_EmergenteVIIDescartarTodas", "Descartar para Todas las Búsquedas", "AnularTodas"), sep(),
        cmd("MNU_EmergenteVIIVerEntrevistas", "Ver Entrevistas", "VerEntrevistas"),
        cmd("MNU_EmergenteVIIVerEvaluaciones", "Ver Evaluaciones", "VerEvaluaciones"),
        cmd("MNU_VerEntrevistasEvaluaciones", "Ver Entrevistas y Evaluaciones", "VerEntrevistasEvaluaciones"), sep(),
        nada("MNU_EmergenteVCancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteVIII", {
        cmd("MNU_EmergenteVIIIBuscar", "Buscar el Archivo", "Buscar"), sep(),
        cmd("MNU_EmergenteVIIIAbrirArchivo", "Abrir el Archivo", "Abrir"), sep(),
        vacio("MNU_EmergenteVIIICancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteIX", {
        cmd("MNU_EmergenteIX_EliminarEntrevista", "Eliminar Entrevista", "EliminarEntrevista"),
        cmd("MNU_EmergenteIX_EliminarEvaluacion", "Eliminar Evaluación", "EliminarEvaluacion"), sep(),
        vacio("MNU_EmergenteIX_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("mnu_EmergenteX", {
        cmd("MNU_EmergenteX_Eliminar", "Eliminar", "Eliminar"), sep(),
        nada("MNU_EmergenteX_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXI", {
        sub("MNU_EmergenteXIEliminarMenu", "Eliminar Menu", {indexado("MNU_EmergenteXIMenu", "(Menu)", R::Tag)}),
        sep(),
        cmd("MNU_EmergenteXI_EliminarTodos", "Eliminar todos los menús", "EliminarTodos"), sep(),
        vacio("MNU_EmergenteXICancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXII", {
        cmd("EmergenteXII_EditarOrden", "Editar Orden", "EditarOrden"),
        cmd("EmergenteXII_FinalizarOrden", "Finalizar Orden", "FinalizarOrden"), sep(),
        cmd("EmergenteXII_NuevaOrden", "Nueva Orden", "NuevaOrden"),
        cmd("EmergenteXII_CargarTareaDiaria", "Cargar Tarea", "CargarTareasDiarias"), sep(),
        vacio("EmergenteXII_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXIII", {
        sub("Mnu_Campos", "Campos", {indexado("Mnu_Campo", "...", R::Tag)}),
        sub("MNU_Operadores", "Operadores", {indexado("MNU_Operador", "...", R::Tag)}),
        sub("MNU_OperadoresLogicos", "Operadores Lógicos", {indexado("MNU_OperadorLogico", "...", R::Tag)}),
        sep(),
        vacio("MNU_EmergenteXIII_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXIV", {
        cmd("MNU_EmergenteXIV_Agenda", "Abrir Agenda", "Agenda"),
        cmd("MNU_EmergenteXIV_Propiedades", "Propiedades del Monitor", "Propiedades"),
        cmd("MNU_EmergenteXIV_Sistema", "Información del Sistema", "Sistema"),
        cmd("MNU_EmergenteXIV_Red", "Información de Red", "Red"),
        cmd("MNU_EmergenteXIV_VostrelUpdate", "Vostrel Update", "VostrelUpdate"),
        cmd("MNU_EmergenteXIV_Apagar", "Apagar el Monitor", "Apagar"), sep(),
        nada("MNU_EmergenteXIV_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXV", {
        sub("Vistas", "Vistas", {
            cmd("MNU_View_Icono", "Icono", "Iconos"),
            cmd("MNU_View_Icono_Pequeno", "Iconos Pequeños", "IconosPequeños"),
            cmd("MNU_View_Lista", "Lista", "Lista"),
            cmd("MNU_View_Reporte", "Reporte", "Reporte"),
        }),
    }));
    t.push_back(popup("MNU_Emergente_XVI", {
        cmd("MNU_InsertaVentanaPersonalizada", "Insertar Nueva Ventana Personalizada", "Insertar"), sep(),
        sub("MNU_EliminaVentanaPersonalizada", "Eliminar Ventana Personalizada",
            {indexado("MNU_VentanaPersonalizada", "(Vacio...)", R::Tag)}),
        vacio("MNU_EmergenteXVI_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_Emergente_XV", {
        cmd("MNU_Emergente_XV_VerDetalle", "Ver Detalle", "VerDetalle"), oculto(sep()),
        oculto(cmd("MNU_Emergente_XV_VerAsiento", "Ver Asiento", "VerAsiento")), sep(),
        vacio("MNU_Emergente_XV_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXViIIi", {
        cmd("MNU_EmergenteXViII_LetraDefault", "Establecer como Predeterminada", "EstablecerDefault"), sep(),
        nada("EmergenteXVIiI_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXXV", {
        cmd("MNU_EmergenteXXV_Depositar", "Depositar Cheques", "Depositar"), sep(),
        vacio("MNU_EmergenteXXV_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXXVI", {
        cmd("MNU_EmergenteXXVI_Editar", "Editar", "Editar"), sep(),
        cmd("MNU_EmergenteXXVI_Cancelar", "Cancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXXVIII", {
        cmd("MNU_EmergenteXXVIICambiaImporte", "Aplicar", "CambiarImporte"), sep(),
        vacio("MNU_EmergenteXXVIICancelar", "Cancelar"),
    }));
    t.push_back(popup("MNU_EmergenteXXIX", {
        cmd("MNU_EmergenteXXIXReimprimir", "Reimprimir", "Reimprimir"),
        cmd("MNU_EmergenteXXIXEditarParte", "Ver Parte de Consumo", "EditarParte"), sep(),
        vacio("MNU_EmergenteXXIXCancelar", "Cancelar"),
    }));
    t.push_back(popup("mnu_EmergenteXXXI", {
        nada("MNU_EmergenteXXXIAsiento", "&Ver Asiento"),
        nada("MNU_EmergenteXXXIRechazar", "&Rechazar"), sep(),
        nada("MNU_EmergenteXXXICancelar", "&Cancelar"),
    }));
    t.push_back(popup("mnu_EmergenteXXX", {
        cmd("MNU_EmergenteXXX_NoInformado", "Cambiar Importe", "cambiar"), sep(),
        nada("MNU_EmergenteXXX_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("mnu_emergenteXXXII", {
        cmd("mnu_emergenteXXXII_Finalizar", "&Finalizar Nota de Pedido", "NP_Finalizar"),
        cmd("mnu_emergenteXXXII_Nueva", "&Nueva Nota de Pedido", "NP_Nueva"), sep(),
        cmd("mnu_emergenteXXXII_Cancelar", "&Cancelar", "NP_Cancelar"),
    }));
    t.push_back(popup("mnu_emergenteXXXIII", {
        cmd("mnu_emergenteXXXIII_Finalizar", "&Finalizar Tarea (Completada)", "FinalizarTarea"),
        cmd("mnu_emergenteXXXIII_Insertar", "&Insertar Tarea", "Insertar"),
        cmd("mnu_emergenteXXXIII_Editar", "&Editar Tarea Original", "Editar"),
        cmd("mnu_emergenteXXXIII_Usuario", "Cambiar &Técnico", "CambiaTecnico"),
        cmd("mnu_emergenteXXXIII_Imprimir", "&Imprimir Tarea", "Imprimir"), sep(),
        cmd("Mnu_emergenteXXXIII_Cargar", "Cargar &Tarea", "CargarTareasDiarias"), sep(),
        nada("mnu_emergenteXXXIII_Cancelar", "&Cancelar"),
    }));
    t.push_back(popup("mnu_EmergenteXXXIV", {
        cmd("mnu_EmergenteXXXIV_ArtSustituto", "&Cargar Artículo Sustituto", "ArtSustituto"), sep(),
        vacio("mnu_EmergenteXXXIV_Cancelar", "Cancelar"),
    }));
    t.push_back(popup("mnu_EmergenteXXXIIV", {
        cmd("mnu_EmergenteXXXIIV_Nuevo", "&Nueva Novedad", "Nuevo"),
        cmd("mnu_EmergenteXXXIIV_Edit", "&Editar Novedad", "Edit"), sep(),
        vacio("mnu_EmergenteXXXIIV_Cancelar", "&Cancelar"),
    }));
    return t;
}

} // namespace

const std::vector<PopupDef>& TablaMenus()
{
    static const std::vector<PopupDef> tabla = armarTabla();
    return tabla;
}

} // namespace ModGlobal
