#include "ControlErrors.h"

namespace ui {

void raiseControlError(int number)
{
    QString description;
    switch (number) {
    case kErrInvalidProperty: description = QStringLiteral("Valor de propiedad no válido"); break;
    case kErrIndexOutOfBounds: description = QStringLiteral("Índice fuera de los límites"); break;
    case kErrElementNotFound: description = QStringLiteral("No se encontró el elemento"); break;
    case kErrKeyNotUnique: description = QStringLiteral("La clave no es única en la colección"); break;
    case kErrCollectionModified: description = QStringLiteral("El elemento ya no está en la colección"); break;
    default: description = QStringLiteral("Error %1").arg(number); break;
    }
    throw ErrorInfo{number, description, QStringLiteral("MSComctlLib")};
}

} // namespace ui
