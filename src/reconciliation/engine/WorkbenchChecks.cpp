#include "WorkbenchChecks.h"

#include "LinkList.h"

namespace conciliacion {

std::optional<Pregunta> PreguntaItemCheck(Lado lado, const WorkbenchRow& fila)
{
    if (fila.Checked || fila.ConciliadoCon.isEmpty())
        return std::nullopt;
    Pregunta p;
    p.texto = lado == Lado::Izquierda
                  ? QStringLiteral("Este registro está vinculado con uno o mas registros de la planilla derecha.\r\n"
                                   "Si lo desmarca se desmarcará el registro vinculado de la planilla de la "
                                   "derecha.\r\n¿Confirma?")
                  : QStringLiteral("Este registro está vinculado con uno o mas registros de la planilla izquierda.\r\n"
                                   "Si lo desmarca se desmarcarán los registros vinculados de la planilla de la "
                                   "Izquierda.\r\n¿Confirma?");
    p.estilo = ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton1;
    p.titulo = kTituloAtencion;
    return p;
}

namespace {

void Desvincular(WorkbenchRow& fila, QString lista, std::vector<qsizetype>& cambios, qsizetype posicion)
{
    fila.Checked = false;
    fila.ConciliadoCon = std::move(lista);
    cambios.push_back(posicion);
}

} // namespace

CambiosMarca ResolverItemCheck(Lado lado, WorkbenchRows& izquierda, WorkbenchRows& derecha, qsizetype fila,
                               bool confirmado)
{
    WorkbenchRows& propias = lado == Lado::Izquierda ? izquierda : derecha;
    WorkbenchRows& otras = lado == Lado::Izquierda ? derecha : izquierda;
    CambiosMarca cambios;
    if (fila < 0 || fila >= qsizetype(propias.size()))
        return cambios;
    std::vector<qsizetype>& cambiosPropios = lado == Lado::Izquierda ? cambios.izquierda : cambios.derecha;
    std::vector<qsizetype>& cambiosOtros = lado == Lado::Izquierda ? cambios.derecha : cambios.izquierda;

    WorkbenchRow& cambiada = propias[fila];
    if (!PreguntaItemCheck(lado, cambiada))
        return cambios;
    cambiosPropios.push_back(fila);
    if (!confirmado) {
        cambiada.Checked = true;
        return cambios;
    }
    const qint64 id = cambiada.ID;
    for (qsizetype i = 0; i < qsizetype(otras.size()); ++i) {
        if (!VinculoContiene(otras[i].ConciliadoCon, id))
            continue;
        Desvincular(otras[i], lado == Lado::Izquierda ? QuitarDeVinculo(otras[i].ConciliadoCon, id) : QString(),
                    cambiosOtros, i);
    }
    if (lado == Lado::Derecha && cambiada.Grupo != 0) {
        for (qsizetype j = 0; j < qsizetype(propias.size()); ++j)
            if (j != fila && propias[j].Grupo == cambiada.Grupo)
                Desvincular(propias[j], QString(), cambiosPropios, j);
    }
    cambiada.ConciliadoCon.clear();
    return cambios;
}

bool EsTeclaAlternarMarca(int KeyCode, int Shift)
{
    return (KeyCode == 38 || KeyCode == 40) && Shift == 1;
}

std::vector<qsizetype> MarcarSel(WorkbenchRows& filas, const std::vector<qsizetype>& seleccionadas)
{
    std::vector<qsizetype> cambiadas;
    for (qsizetype i : seleccionadas) {
        if (i < 0 || i >= qsizetype(filas.size()) || filas[i].Checked)
            continue;
        filas[i].Checked = true;
        cambiadas.push_back(i);
    }
    return cambiadas;
}

OrdenLista ClicColumna(const OrdenLista& actual, int posicionColumna)
{
    return {true, posicionColumna - 1, actual.SortOrder == 0 ? 1 : 0};
}

} // namespace conciliacion
