// Loading a panel: the journal query and the registration of its free lines.

#include "Store.h"
#include "Filas.h"
#include "StoreJournalQuery.h"
#include "Transaccion.h"

namespace conciliacion {

void ReconciliationStore::AbrirDiario(const Cabecera& cabecera, Lado lado, ado::Recordset& rs)
{
    rs.Open(adaptar(ConsultaDiario(cabecera, lado, oracle())), &cn());
}

ResultadoRegistro ReconciliationStore::RegistrarLibres(const Cabecera& cabecera, Lado lado, bool conFilas)
{
    const QString tabla = Describir(lado).tabla;
    const QString registro = SentenciaRegistro(cabecera, lado, oracle());
    constexpr int kIntentos = 3;
    for (int intento = 1;; ++intento) {
        try {
            ResultadoRegistro r;
            sql::Transaccion transaccion(cn());
            // The header insert is the first statement: it takes the write lock, so a second station
            // loading the same account waits here until this one has committed, and then finds the lines held.
            r.cabeceraCreada = escribirCabeceraNueva(cabecera);
            if (!r.cabeceraCreada && cabeceraFinalizada(cabecera.numero)) {
                r.finalizada = true;
                return r;
            }
            // The rows this call inserts are the reconciliation's rows above the table's highest ID before it;
            // the IDs come from those rows themselves, in the order the journal query gave them.
            const sql::Filas tope(leer(QStringLiteral("SELECT MAX(ID) as id FROM ") + tabla));
            const qint64 anterior = tope.Cantidad() > 0 ? tope.Entero(0, 0) : 0;
            r.cantidad = ejecutar(registro);
            if (r.cantidad > 0) {
                const sql::Filas ultimo(leer(QStringLiteral("SELECT MAX(ID) as id FROM ") + tabla));
                r.ids = {anterior, ultimo.Entero(0, 0)};
                if (conFilas) {
                    r.filas.reserve(size_t(r.cantidad));
                    leerLineas(cabecera.numero, lado, true, r.ids, r.filas);
                }
            }
            transaccion.Confirmar();
            return r;
        } catch (const ado::Error& e) {
            // A server that runs two stations' statements side by side may let both pass the free test for
            // a line; the unique journal-key index then refuses the second, whose statement left nothing. Run
            // it again: it now finds the line held.
            if (e.Number != ado::kErrIntegrity || intento == kIntentos)
                throw;
        }
    }
}

} // namespace conciliacion
