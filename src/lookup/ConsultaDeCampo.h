#pragma once
// The lookup of an input field, as both programs run it (the dashboard's F5, the workbench's F6 and its
// CONSULTAR key), with the one rule every field lookup keeps: a choice replaces the field's text and is
// confirmed as if typed and Enter pressed (validated, the cursor moving on); a cancelled lookup (Escape,
// "Cancelar", the window closed, nothing chosen) leaves the field's text and the focus as they were and
// validates nothing. The shared driver's answer "" is the cancel.
//
//     lookup::ConsultarCampo(*campo, [&] { consultas.ConsultaSearch(...); return lookup::ValorElegido(consultas); },
//                            [&] { txtFields_KeyDown(index, ui::vbKeyReturn, 0); });

#include <QString>
#include <functional>
#include <optional>

class Lib_ClsCons3;
class QLineEdit;

namespace lookup {

// What the operator chose in a lookup, trimmed; nothing when the lookup was cancelled.
using Eleccion = std::optional<QString>;

// An answer as a choice: "" (blanks only) is the cancel.
Eleccion Elegido(const QString& respuesta);
// The shared driver's answer to its last lookup (ValorDevuelto).
Eleccion ValorElegido(const Lib_ClsCons3& consultas);
// The date picker opened on the field's date (`actual`, day/month/year; today when it holds none): the date
// chosen as dd/mm/yyyy.
Eleccion FechaElegida(const QString& actual);

// Runs the field's lookup and applies the rule above: a choice becomes the field's text, then `confirmar` runs.
void ConsultarCampo(QLineEdit& campo, const std::function<Eleccion()>& consulta,
                    const std::function<void()>& confirmar);

} // namespace lookup
