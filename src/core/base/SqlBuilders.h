#pragma once
// Text builders for SQL statements: the field/value list turned into one INSERT or UPDATE, the condition
// builder over a list of values, and the text splitter.

#include <QString>
#include <QStringList>
#include <QVector>

namespace ado { class Variant; }

namespace ModGlobal {

// One pending column of a statement; `Valor` is already written as a SQL literal.
struct CampoValor {
    QString Campo;
    QString Valor;
    bool operator==(const CampoValor&) const = default;
};

// The module-wide field/value list filled by AgregarCampo and consumed by ArmarSQL.
extern QVector<CampoValor> gCampos;

// Adds one column to gCampos (Nuevo: starts a new list). The value becomes "Null" when it reads "NULL" in any
// case, else the literal sqltext::ValorSQL (DB_Dll::SQLValue) makes of it with the kind `Tipo` ("'" text,
// "@" amount, "" bare).
// The operator's apostrophes are kept: the text literal doubles them.
void AgregarCampo(const QString& Campo, const QString& Valor, const QString& Tipo, bool Nuevo);

// Appends to `Sentencia` "UPDATE Tabla SET a = x,b = y " + condition, or "INSERT INTO Tabla (a,b) VALUES (x,y)".
// An UPDATE condition without the letters WHERE gets " WHERE " put in front of it (written back to
// `Condicion`). Unless ConservarCampos, `Campos` is left holding one empty element.
void ArmarSQL(QString& Sentencia, QVector<CampoValor>& Campos, const QString& Tabla, bool EsUpdate,
              QString& Condicion, bool ConservarCampos);

// Campo Operador Comilla Valores(0) Comilla, then Conector and the same for each further value (blank ones
// skipped when OmitirVacios), then Conector Campo " is null " when IncluirNulos is true (Null counts as false).
// With the quote "'" every quote inside a value is doubled.
// Any failure, an empty list among them, gives "1=1".
QString ArmarCondicion(const QString& Campo, const QString& Operador, const QStringList& Valores,
                       const QString& Conector, const QString& Comilla, const ado::Variant& IncluirNulos,
                       bool OmitirVacios);

// Splits `Texto` at `Delimitador` (found without regard to case) into `Partes`, which always ends with one
// extra empty element; `Texto` is consumed. An empty delimiter takes the whole text as one piece.
void Separar(QString& Texto, const QString& Delimitador, QStringList& Partes);

} // namespace ModGlobal
