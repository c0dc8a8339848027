#pragma once
// The program's generic lookup. A caller names a table or view, or hands over a whole SELECT; the driver works
// out the statement, shows the list window (or the tree window) modally and hands the operator's choice back.
//
//     Lib_ClsCons3& c = gConsultas();
//     c.CampoDevuelto = "CODIGO";
//     QString where = " titulo=0 ";
//     c.ConsultaSearch("MA_CUENTAS", nullptr, nullptr, nullptr, &where);
//     if (!c.ValorDevuelto.isEmpty()) ...            // "" when cancelled
//
// Optional arguments are pointers to the caller's variables (nullptr: not given); the driver writes back into
// them as the lookup proceeds (the wrapped filter, the search column it worked out, the emptied collection).
// Collections of texts are QStringLists; an empty one stands for an empty or missing collection.

#include <QString>
#include <QStringList>

class Lib_ClsCons3 {
public:
    // Reads the lookup settings from the configuration table: create it only after connecting.
    Lib_ClsCons3();

    QString StkNivel1, StkNivel2, StkNivel3, StkNivel4;   // stock-level row colours (BGR numbers as text)
    QString MuestraStock;                                  // "SI" colours article rows by stock level
    QStringList CmpsDevueltos;                             // a collection callers may fill and pass back
    QStringList Valores;                                   // values collected by the last lookup
    QStringList Cantidades;                                // quantities of the last lookup
    bool Checks = false;                                   // the next lookup offers check boxes
    QString ValorDevuelto;                                 // the chosen value; "" when nothing was chosen
    QString gConnString;
    QString gRutaMascaraConsultas;                         // the lookup-mask file
    bool gUsarMascarasConsultas = false;
    bool UsaCantidades = false;
    QString CampoDevuelto;                                 // the column whose value comes back

    // Pickers of fixed options on the list window. CheckOpciones leaves the checked options in Valores and
    // returns ""; MenuOpciones returns the chosen option. `CmpsDevueltos` is accepted and not used.
    QString CheckOpciones(const QString& Titulo, QStringList* CmpsDevueltos, const QStringList& Opc);
    QString MenuOpciones(const QString& Titulo, const QStringList& Opc);

    // Shows the lookup for `SQL` (a table or view name, or any text holding "SELECT") and returns when the
    // window closes. Every call starts with no value returned.
    void ConsultaSearch(const QString& SQL, QStringList* CmpsDevueltos = nullptr, QString* Clave = nullptr,
                        QString* CampoBusqueda = nullptr, QString* Where = nullptr,
                        QString* SentenciaOpcional = nullptr, bool TreeView = false,
                        QString* ValoresDefault = nullptr);

    bool UsaConsultaLike() const { return m_usaConsultaLike; }

private:
    bool m_usaConsultaLike = false;
};

// The one shared lookup driver, created on first use and kept to the end of the program.
Lib_ClsCons3& gConsultas();
