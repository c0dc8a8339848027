#pragma once
// Every statement the workbench sends to the database, without widgets: the next number, the header, the
// edit lock, registering a panel's free journal lines, loading a saved reconciliation, saving marks and
// links, releasing lines, deleting and finalizing.
//
// Failures raise ado::Error. An operation that writes more than one statement runs in one transaction, so
// a failure leaves nothing of it behind and running it again is safe. Outcomes that are not failures (a
// finalized reconciliation, another station's lock) are returned. Nothing here shows a dialog.
//
// Values from the operator or the journal go into SQL as quoted literals with their quotes doubled, or are
// copied by the engine from table to table. Line statements are restricted to the reconciliation's own
// rows, so a stale ID can never touch another reconciliation.

#include "ConfiguracionComparacion.h"
#include "EntornoTrabajo.h"
#include "StoreReport.h"
#include "StoreTypes.h"
#include "platform/ado/Connection.h"

#include <optional>

namespace ado { class Recordset; }

namespace conciliacion {

class AvancePorReloj;

class ReconciliationStore {
public:
    // On the connection given, for a user who is or is not an administrator (who reads the tables
    // themselves instead of their synonyms), with the station, user and configuration of `entorno`.
    ReconciliationStore(ado::Connection& conexion, bool esAdministrador, EntornoTrabajo entorno);
    // The user behind the connection changed (the start-up road logs in after the store exists).
    void setAdministrador(bool esAdministrador) { m_esAdmin = esAdministrador; }

    // The edit lock's owner text of this workstation (EntornoTrabajo::Propietario).
    QString Propietario() const { return m_entorno.Propietario(); }

    // ---- the account's comparison settings (ConfiguracionComparacion.h) ----
    // Read from the configuration table; the amount is always compared, so Importe comes back checked
    // whatever was stored.
    ConfiguracionComparacion LeerConfiguracion(const QString& cuenta) const;
    // Stored; true only when the row was written (the configuration writer has already reported a failure to
    // the operator).
    bool GrabarConfiguracion(const QString& cuenta, const ConfiguracionComparacion& cfg) const;

    // ---- numbers and the header ----
    // One more than the highest number held by a header or a line of either side: never the number of an
    // existing reconciliation, whether it has lines or not.
    qint64 ProximaConciliacion();
    // The header of the number; none when it has no header row.
    std::optional<Cabecera> LeerCabecera(qint64 numero);

    // ---- the edit lock (V_MV_CTROL_CPTE) ----
    // The owner text of a lock row of the number held by another station or user (owners compare without
    // regard to case; a row with an empty owner blocks nobody); "" when there is none.
    QString TitularBloqueo(qint64 numero, const QString& propietario);
    // Administrador = 1 in the user's ta_usuarios row.
    bool EsAdministrador(const QString& usuario);
    // Writes this owner's lock row unless another owner holds the number; `tomarDeOtro` (an administrator
    // who answered Yes) writes it beside the other owner's row. Holding it already counts as taken.
    ResultadoBloqueo TomarBloqueo(qint64 numero, const QString& propietario, bool tomarDeOtro = false);
    // Deletes this owner's lock row of the number, and no other.
    void SoltarBloqueo(qint64 numero, const QString& propietario);

    // ---- loading a panel from the journal ----
    // Opens the journal query of the header's period, account, filters and side.
    void AbrirDiario(const Cabecera& cabecera, Lado lado, ado::Recordset& rs);
    // In one transaction: writes the header when the number has none (an existing header is left as it is),
    // then registers under the number every line of the side's journal query that no reconciliation holds,
    // and returns them as list rows (unmarked, icon 106, their new IDs) in the query's order. A finalized
    // reconciliation gets nothing. Two stations loading the same account at once register each line once.
    // One statement registers the whole side, so a load is fast; the list is filled from the rows returned.
    // A load the operator cancels while the list fills keeps what it listed: the rows it did not list are
    // released with Liberar (PasoCargar does). Lines an earlier load of the same number registered are held by it and not returned
    // again: CargarLineas lists them.
    // With `conFilas` false the rows are not read back: `ids` and `cantidad` tell the lines registered, and
    // LeerBloque reads them a block at a time (so that a large load never holds them twice).
    ResultadoRegistro RegistrarLibres(const Cabecera& cabecera, Lado lado, bool conFilas = true);
    // The first block of the side's lines of the number with an ID in `tramo`, as list rows by ID (marked
    // lines too); empty when none is left. The next block starts after the last row's ID.
    WorkbenchRows LeerBloque(qint64 numero, Lado lado, TramoIds tramo);
    // The IDs of the side's lines of the number with an ID in `tramo`, ascending.
    std::vector<qint64> IdsDeLineas(qint64 numero, Lado lado, TramoIds tramo);

    // ---- a saved reconciliation ----
    // The side's saved lines of the number as list rows, in stored order (by ID): unmarked lines always, marked
    // ones (checked) only with `incluirConciliadas`; lines with an ID in `salvo` are left out (those a
    // registration has just returned). The header is not looked at: the caller has read it already.
    WorkbenchRows CargarLineas(qint64 numero, Lado lado, bool incluirConciliadas, TramoIds salvo = {});

    // The report's header and lines (StoreReport.h); none when the header is missing or its conditions
    // leave it out. Raises CondicionDesconocida for a table or column the report does not read. The lines are
    // read a block at a time, `avance` told of each block (before the first too); LecturaCancelada when it
    // stops the reading.
    std::optional<DatosReporte> LeerReporte(qint64 numero, const QList<CondicionReporte>& condiciones,
                                            const AvanceLectura& avance = {});

    // ---- room on disk ----
    // The company file when the connection is the embedded engine's; "" on a server.
    QString ArchivoEmpresa();
    // Bytes free on the disk that holds the company file (EntornoEscritura.h) for a write that needs `necesario`
    // bytes: when they fall short of it (AlcanzaEspacio), once the engine's journal has been given back when it
    // can be. None on a server, whose disks cannot be seen from here, or when it cannot be told.
    std::optional<qint64> EspacioLibre(qint64 necesario);

    // ---- writing ----
    // Saves the rows' marks and link lists and the header (not finalized), in one transaction. Pass the rows
    // that changed since they were loaded or saved (passing all is right too). A finalized reconciliation is
    // refused and nothing is written.
    Resultado Guardar(const Cabecera& cabecera, const EstadosFilas& izquierda, const EstadosFilas& derecha);
    // The reconcile step's writes in one transaction: the save above, the link rows of every unmarked line
    // of the reconciliation removed, then the new left rows' link rows replaced by `vinculos.pares`.
    // The link rows go in blocks, so memory stays the same however many pairs there are. `avance` hears how far
    // the write has got, in bytes (EspacioVinculos.h), before anything is written and then at a steady pace of
    // the writer's clock (AvancePorReloj.h), the saved lines included; it may cancel, which rolls everything
    // back (Cancelada). `sinVuelta` hears when the write can no longer be cancelled: after the last report,
    // just before the commit, which may take a while after billions of rows. Once the transaction has ended,
    // committed, cancelled or failed, the engine's journal is given back to the disk when it can be.
    Resultado Conciliar(const Cabecera& cabecera, const EstadosFilas& izquierda, const EstadosFilas& derecha,
                        const VinculosAGrabar& vinculos, const AvanceEscritura& avance = {},
                        const std::function<void()>& sinVuelta = {});
    // Releases lines of one side (deletes their rows, so other reconciliations can take the journal lines),
    // with their link rows, and takes their IDs out of the other side's link lists; one transaction.
    Resultado Liberar(qint64 numero, Lado lado, const std::vector<qint64>& ids);
    // Deletes the whole reconciliation in one transaction: all its link rows, its lines of both sides, its
    // header and this owner's lock row. A finalized reconciliation is refused.
    Resultado Borrar(qint64 numero, const QString& propietario);
    // Finalizes in one transaction: the save above, then every unmarked line of the reconciliation (shown or
    // not) released, every marked left line and the header flagged finalized, and this owner's lock row
    // deleted. An already finalized reconciliation is refused and nothing is written.
    Resultado Finalizar(const Cabecera& cabecera, const EstadosFilas& izquierda, const EstadosFilas& derecha,
                        const QString& propietario);

private:
    ado::Connection& cn();
    bool esAdmin() const;
    // The statement as this user's connection must read it: synonyms for non-administrators, Oracle's dialect.
    QString adaptar(const QString& sentencia) const;
    bool oracle();
    // What a SELECT of constants needs after its list: Oracle's " FROM DUAL", nothing elsewhere.
    QString sinTabla();
    // The statement adapted and run; the rows it touched.
    qint64 ejecutar(const QString& sentencia);
    // The rows of the query, adapted.
    ado::RowSet leer(const QString& consulta);
    // The first block of the side's lines of the number with an ID in `tramo`, by ID.
    WorkbenchRows leerBloque(qint64 numero, Lado lado, bool incluirMarcadas, TramoIds tramo);
    // All of them added to `filas`, read a block at a time, so that besides the list rows no more than one
    // block of query rows is held.
    void leerLineas(qint64 numero, Lado lado, bool incluirMarcadas, TramoIds tramo, WorkbenchRows& filas);

    // Pieces run inside a caller's transaction.
    // Inserts the header when the number has none; true when it did.
    bool escribirCabeceraNueva(const Cabecera& cabecera);
    // Updates an existing header that is not finalized (leaving it not finalized); true when it did.
    bool actualizarCabecera(const Cabecera& cabecera);
    // With `reloj`, each saved line is told to it; Cancelada when the operator cancelled.
    Resultado guardarEn(const Cabecera& cabecera, const EstadosFilas& izquierda, const EstadosFilas& derecha,
                        AvancePorReloj* reloj = nullptr);
    bool guardarFilas(qint64 numero, Lado lado, const EstadosFilas& estados, AvancePorReloj* reloj);
    void liberarEn(qint64 numero, Lado lado, const std::vector<qint64>& ids);
    void desvincularSinMarca(qint64 numero);
    // False when the operator cancelled.
    bool grabarVinculos(const VinculosAGrabar& vinculos, AvancePorReloj& reloj);
    bool cabeceraFinalizada(qint64 numero);

    ado::Connection* m_conexion;
    bool m_esAdmin;
    EntornoTrabajo m_entorno;
};

} // namespace conciliacion
