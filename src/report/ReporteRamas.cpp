#include "Listado.h"
namespace report::detalle {
void EscribirRamas(Listado& l) { l.Linea(QStringLiteral("</body></html>")); }
}
