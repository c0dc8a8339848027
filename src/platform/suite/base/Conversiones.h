#pragma once
// The conversions of the suite's utility object: between texts, numbers and dates, fixed-width keys and
// folder names. No dialogs and no widgets, so code that runs without a screen can use them; `Utilidades`
// adds the dialogs on top. Every operation is static.

#include "platform/ado/Currency.h"
#include "platform/ado/Variant.h"

#include <QString>
#include <QStringList>

namespace suite {

// How `FechaSQL` writes a date: ISO 'yyyy-mm-dd' suits the embedded engine (and the Oracle translation,
// which reads it as a date); SQL Server reads 'yyyymmdd' the same under any date-order setting.
enum class FormaFechaSQL { Iso, SqlServer };

class Conversiones {
public:
    // --- texts ---
    // The text of a field or setting value: "" for Null and Empty; numbers with the locale's decimal
    // separator and no thousands separator; dates dd/mm/yyyy (with the time when it is not midnight).
    static QString TextoCampo(const ado::Variant& valor);
    // The text after the first occurrence of any of the separators; the whole text when none occurs.
    static QString TextoDespuesDe(const QString& texto, const QString& separador);
    static QString TextoDespuesDe(const QString& texto, const QStringList& separadores);
    // Every occurrence replaced: Reemplazar matches letter case exactly, ReemplazarTexto without regard to it.
    static QString Reemplazar(const QString& texto, const QString& buscar, const QString& reemplazo);
    static QString ReemplazarTexto(const QString& texto, const QString& buscar, const QString& reemplazo);
    // 0 blank, 1 a single word, 2 several words.
    static int ClasificarTexto(const QString& texto);
    // Reversible encoding of the station file's stored user and password; a text that is not an
    // encoding comes back unchanged from DecodificarTexto.
    static QString CodificarTexto(const QString& texto);
    static QString DecodificarTexto(const QString& texto);

    // --- fixed width ---
    // Keys of a fixed width. A whole number (a numeric value, or a text holding only digits with an
    // optional sign) is right-aligned: blanks on the left. Any other text is left-aligned: blanks on the
    // right. Padded text comes back unchanged. Nothing but trailing blanks is ever cut, so a value
    // longer than the width keeps its length (cutting it would name another key). A width below 1
    // (left out) gives the value's text unchanged.
    static QString FormatoAncho(const ado::Variant& valor, int ancho = 0);
    // An amount text right-aligned in a cell of the width (blanks on the left), never cut.
    static QString AjustarAncho(const QString& texto, int ancho);

    // --- numbers (see LecturaNumero.h for the texts they read; a blank text is 0) ---
    // A text that is not a number gives 0 and, when asked, ok false.
    static ado::Currency TextoAMoneda(const QString& texto, bool* ok = nullptr);
    static double TextoADoble(const QString& texto, bool* ok = nullptr);
    // Rounded half to even to a whole number.
    static qint64 TextoAEntero(const QString& texto, bool* ok = nullptr);
    // The amount in Spanish words ("MIL DOSCIENTOS CON 50/100"); "" for a text that is not an amount.
    static QString ImporteATexto(const QString& importe);

    // --- dates ---
    // A day/month/year text (year of 2 or 4 digits; "/", "-" or "." between; an ISO date is read too) as a
    // quoted SQL date literal. Throws ado::Error 13 for a text that is not a valid date.
    static QString FechaSQL(const QString& fecha);
    static void EstablecerFormaFechaSQL(FormaFechaSQL forma);
    static FormaFechaSQL FormaFechaSQLActual();
    // Days of the month (1..12) in the current year; 0 for another number.
    static int DiasDelMes(int mes);

    // --- folders ---
    // The folder ending in exactly one "/" ("\" is taken as a separator too); "" stays "".
    static QString NormalizarCarpeta(const QString& carpeta);
};

} // namespace suite
