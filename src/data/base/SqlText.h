#pragma once
// Small text helpers shared by the statement rewriters: case-insensitive search and replace, the
// positions of quoted literals (so that rewrites leave data alone), and the number reading of keys.

#include "platform/ado/Variant.h"

#include <QList>
#include <QString>
#include <functional>

namespace sqltext {

bool Contiene(const QString& text, const QString& what);

// A quoted literal 'like ''this''' from its opening quote to its closing quote (an unclosed one runs
// to the end of the text).
struct Literal {
    int start = 0;
    int length = 0;
    bool closed = true;
    int end() const { return start + length; }
};
QList<Literal> Literales(const QString& text);
bool DentroDeLiteral(const QList<Literal>& literals, int pos);

// Applies `code` to each stretch of text outside quoted literals and leaves the literals as they are.
QString FueraDeLiterales(const QString& text, const std::function<QString(const QString&)>& code);

// True when `word` occurs in the text outside literals as a whole word, without regard to case.
bool PalabraFueraDeLiterales(const QString& text, const QString& word);

// The number a key text stands for: leading blanks skipped, blanks inside ignored, read up to the
// first character that cannot belong to a number ("." as decimal point); "" and "abc" read as 0.
double NumeroDeTexto(const QString& text);
// That number as plain decimal text without blanks ("12", "-3.5", "0").
QString TextoDeNumero(double value);

// A value as text in a statement: numbers in plain "." form whatever the locale, dates dd/mm/yyyy, Null "".
QString TextoDeValor(const ado::Variant& valor);

// A text value between single quotes with every quote inside doubled.
QString Entrecomillar(const QString& value);

// A table or column name as a word of a statement: a plain name (letters, digits, "_", "@", "#", "$", not
// starting with a digit) as it is, any other between brackets with "]" doubled: [NUMERO ASIENTO].
QString NombreSql(const QString& name);

} // namespace sqltext
