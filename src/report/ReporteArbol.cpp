#include "Listado.h"
namespace report::detalle {
void EscribirArbol(Listado& l) { l.Linea(QStringLiteral("</body></html>")); }
}
