#pragma once
// A T-SQL text cut into tokens, so that rewrites and batch splitting never look inside a literal,
// a bracketed name or a comment. Joining the tokens gives back the text exactly.

#include <QString>
#include <QStringView>
#include <initializer_list>
#include <vector>

namespace sqlcompat {

enum class TokenKind {
    Space,        // blanks, tabs, line breaks
    Comment,      // -- to the end of the line, or /* ... */
    String,       // '...' with '' inside
    Bracketed,    // [name] with ]] inside
    Quoted,       // "name"
    Number,       // 12, 12.5, .5, 1e5, 0x1F
    Word,         // names and keywords
    Variable,     // @name
    Operator,     // punctuation: ( ) , ; + - * / = <> <= >= != || ...
};

struct Token {
    TokenKind kind;
    QString text;

    bool isSignificant() const { return kind != TokenKind::Space && kind != TokenKind::Comment; }
    bool isWord(QStringView word) const
    {
        return kind == TokenKind::Word && text.size() == word.size()
               && text.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isAnyWord(std::initializer_list<QStringView> words) const
    {
        for (QStringView w : words) {
            if (isWord(w))
                return true;
        }
        return false;
    }
    bool isOperator(QStringView op) const { return kind == TokenKind::Operator && text == op; }
    // A name a statement can act on: word, [bracketed] or "quoted".
    bool isName() const
    {
        return kind == TokenKind::Word || kind == TokenKind::Bracketed || kind == TokenKind::Quoted;
    }
};

using Tokens = std::vector<Token>;

// An unterminated literal, name or comment runs to the end of the text (the engine then reports it).
// The tokens refer to `sql` without copying it: it must outlive them.
Tokens Tokenize(QStringView sql);
// The one token that starts at `i`: its kind, and in `end` where it ends. `previous` is the kind of the
// token before it (Space at the start of the text): a "." starts a number only after a blank, a comment
// or an operator.
TokenKind ScanToken(QStringView sql, qsizetype i, TokenKind previous, qsizetype* end);
QString Join(const Tokens& tokens);

// Rewrite (TsqlCompat.h) of one statement already cut into tokens; RewriteStatement first looks whether
// any rule could act, as Rewrite does.
QString RewriteTokens(Tokens tokens);
QString RewriteStatement(const Tokens& tokens);

// Index of the next / previous significant token from `from` (exclusive), or -1.
int NextSignificant(const Tokens& tokens, int from);
int PreviousSignificant(const Tokens& tokens, int from);

} // namespace sqlcompat
